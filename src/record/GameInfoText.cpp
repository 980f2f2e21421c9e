#include "record/GameInfoText.h"

#include <array>
#include <cmath>

#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

namespace {

constexpr std::array<ListEntry, 27> kRanks{{
    {9, 20800},   {8, 20801},   {7, 20802},   {6, 20803},   {5, 20804},   {4, 20805},   {3, 20806},
    {2, 20807},   {1, 20808},   {-1, 20809},  {-2, 20810},  {-3, 20811},  {-4, 20812},  {-5, 20813},
    {-6, 20814},  {-7, 20815},  {-8, 20816},  {-9, 20817},  {-10, 20818}, {-11, 20819}, {-12, 20820},
    {-13, 20821}, {-14, 20822}, {-15, 20823}, {-16, 20824}, {-17, 20825}, {-18, 20826},
}};

constexpr std::array<ListEntry, 10> kHandicaps{{
    {0, 20830},
    {1, 20831},
    {2, 20832},
    {3, 20833},
    {4, 20834},
    {5, 20835},
    {6, 20836},
    {7, 20837},
    {8, 20838},
    {9, 20839},
}};

constexpr std::array<ListEntry, 36> kHalfKomi{{
    {-245, 20840}, {-235, 20841}, {-225, 20842}, {-215, 20843}, {-205, 20844}, {-195, 20845},
    {-185, 20846}, {-175, 20847}, {-165, 20848}, {-155, 20849}, {-145, 20850}, {-135, 20851},
    {-125, 20852}, {-115, 20853}, {-105, 20854}, {-95, 20855},  {-85, 20856},  {-75, 20857},
    {-65, 20858},  {-55, 20859},  {-45, 20860},  {-35, 20861},  {-25, 20862},  {-15, 20863},
    {-5, 20864},   {0, 20830},    {5, 20865},    {15, 20866},   {25, 20867},   {35, 20868},
    {45, 20869},   {55, 20870},   {65, 20871},   {75, 20872},   {85, 20873},   {95, 20874},
}};

constexpr std::array<ListEntry, 35> kWholeKomi{{
    {-250, 20880}, {-240, 20881}, {-230, 20882}, {-220, 20883}, {-210, 20884}, {-200, 20885}, {-190, 20886},
    {-180, 20887}, {-170, 20888}, {-160, 20889}, {-150, 20890}, {-140, 20891}, {-130, 20892}, {-120, 20893},
    {-110, 20894}, {-100, 20895}, {-90, 20896},  {-80, 20897},  {-70, 20898},  {-60, 20899},  {-50, 20900},
    {-40, 20901},  {-30, 20902},  {-20, 20903},  {-10, 20904},  {0, 20830},    {10, 20905},   {20, 20906},
    {30, 20907},   {40, 20908},   {50, 20909},   {60, 20910},   {70, 20911},   {80, 20912},   {90, 20913},
}};

constexpr int kBlackName = 10003;        // "黒"
constexpr int kWhiteName = 10002;        // "白"
constexpr int kWinWithoutPoints = 22000; // "%s勝ち"

bool isWhole(float value) { return std::lround(value * 10.0f) % 10 == 0; }

} // namespace

std::u16string_view ListEntry::text() const { return uiText(textId); }

std::span<const ListEntry> rankList() { return kRanks; }

std::u16string_view rankText(int value) {
    for (const ListEntry& e : kRanks)
        if (e.key == value) return e.text();
    return {};
}

std::span<const ListEntry> handicapList() { return kHandicaps; }

std::u16string handicapText(int handicap) {
    if (handicap >= 0 && handicap <= 9) return std::u16string(kHandicaps[static_cast<std::size_t>(handicap)].text());
    return formatText(uiText(20829), {handicap});
}

std::span<const ListEntry> komiList(bool wholePoints) {
    if (wholePoints) return kWholeKomi;
    return kHalfKomi;
}

int komiEntry(float komi, bool wholePoints) {
    // A komi far outside every list (or not a number) selects "無し" like any other komi not listed.
    long key = std::isfinite(komi) && std::fabs(komi) < 1000.0f ? std::lround(komi * 10.0f) : 0;
    if (!wholePoints && key != 0 && key % 10 == 0) key += 5; // 6.0 selects 6.5
    if (wholePoints && key % 10 != 0) key -= 5;              // 6.5 selects 6, -0.5 selects -1
    const auto list = komiList(wholePoints);
    int none = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].key == key) return static_cast<int>(i);
        if (list[i].key == 0) none = static_cast<int>(i);
    }
    return none;
}

std::u16string_view komiText(float komi, bool wholePoints) {
    return komiList(wholePoints)[static_cast<std::size_t>(komiEntry(komi, wholePoints))].text();
}

std::u16string resultText(const GameInfo& info) {
    if (info.winner == kJigo) return std::u16string(uiText(10008));
    if (info.winner != kBlackWins && info.winner != kWhiteWins) return {};
    const std::u16string_view who = uiText(info.winner == kBlackWins ? kBlackName : kWhiteName);
    if (info.margin >= kMarginOnTime) return formatText(uiText(10023), {who});
    if (info.margin >= kMarginResignation) return formatText(uiText(10009), {who});
    // A win without a number of points (an SGF file's "W+", "B+Illegal"): no "0目勝ち".
    if (!(info.margin > 0.0f)) return formatText(uiText(kWinWithoutPoints), {who});
    if (isWhole(info.margin)) return formatText(uiText(10010), {who, static_cast<int>(std::lround(info.margin))});
    return formatText(uiText(10011), {who, static_cast<double>(info.margin)});
}

std::u16string inPlayStatusText(int lastMoveNumber, int numberOffset, std::u16string_view columnLabel,
                                std::u16string_view rowLabel, bool pass, MailGoState mail) {
    const std::u16string_view who = uiText((lastMoveNumber % 2 == 0) ? kWhiteName : kBlackName);
    const int shown = lastMoveNumber + numberOffset;
    std::u16string text =
        pass ? formatText(uiText(20915), {who, shown}) : formatText(uiText(20916), {who, shown, columnLabel, rowLabel});
    switch (mail) {
    case MailGoState::NotSent: text += uiText(20917); break;
    case MailGoState::NotMoved: text += uiText(20918); break;
    case MailGoState::Sent: text += uiText(20919); break;
    case MailGoState::None: break;
    }
    return text;
}

std::u16string_view protectionText(const GameInfo& info) {
    if (info.isProtected()) return uiText(12100);
    if (info.number == 0) return uiText(12101);
    return {};
}

std::u16string_view gameTypeText(const GameInfo& info) {
    if (info.type == kGameMailGo) return uiText(12102);
    if (info.type == kGamePlayAndRecord) return uiText(12104);
    if (info.flags & kInfoExternalGame) return uiText(20920);
    return uiText(12106);
}

std::u16string gameStateText(const GameInfo& info) {
    if (info.winner != kInPlay) return resultText(info);
    if (info.type == kGameMailGo) return std::u16string(uiText(12103));
    if (info.type == kGamePlayAndRecord) return std::u16string(uiText(12105));
    return {};
}

std::u16string handicapColumnText(const GameInfo& info, bool wholePointKomi) {
    if (info.handicap >= 1) return handicapText(info.handicap);
    return std::u16string(komiText(info.komi, wholePointKomi));
}

std::u16string dateColumnText(const GameInfo& info) {
    if (info.flags & kInfoMoveWaiting) {
        const GameTime& w = info.waitingTime;
        return formatText(u"%4d/%2d/%2d %d:%02d", {int{w.year}, int{w.month}, int{w.day}, int{w.hour}, int{w.minute}});
    }
    const GameDate& d = info.startDate;
    return formatText(u"%4d/%2d/%2d", {int{d.year}, int{d.month}, int{d.day}});
}

} // namespace stonewise
