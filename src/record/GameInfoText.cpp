#include "record/GameInfoText.h"

#include <array>
#include <cmath>

#include "record/Text.h"

namespace stonewise {

namespace {

constexpr std::array<ListEntry, 27> kRanks{{
    {9, u"九段"}, {8, u"八段"}, {7, u"七段"}, {6, u"六段"}, {5, u"五段"}, {4, u"四段"}, {3, u"三段"},
    {2, u"二段"}, {1, u"初段"}, {-1, u"１級"}, {-2, u"２級"}, {-3, u"３級"}, {-4, u"４級"}, {-5, u"５級"},
    {-6, u"６級"}, {-7, u"７級"}, {-8, u"８級"}, {-9, u"９級"}, {-10, u"１０級"}, {-11, u"１１級"},
    {-12, u"１２級"}, {-13, u"１３級"}, {-14, u"１４級"}, {-15, u"１５級"}, {-16, u"１６級"}, {-17, u"１７級"},
    {-18, u"１８級"},
}};

constexpr std::array<ListEntry, 10> kHandicaps{{
    {0, u"無し"}, {1, u"自由置碁"}, {2, u"２子"}, {3, u"３子"}, {4, u"４子"},
    {5, u"５子"}, {6, u"６子"}, {7, u"７子"}, {8, u"８子"}, {9, u"９子"},
}};

constexpr std::array<ListEntry, 35> kHalfKomi{{
    {-245, u"逆24.5目"}, {-235, u"逆23.5目"}, {-225, u"逆22.5目"}, {-215, u"逆21.5目"}, {-205, u"逆20.5目"},
    {-195, u"逆19.5目"}, {-185, u"逆18.5目"}, {-175, u"逆17.5目"}, {-165, u"逆16.5目"}, {-155, u"逆15.5目"},
    {-145, u"逆14.5目"}, {-135, u"逆13.5目"}, {-125, u"逆12.5目"}, {-115, u"逆11.5目"}, {-105, u"逆10.5目"},
    {-95, u"逆9.5目"}, {-85, u"逆8.5目"}, {-75, u"逆7.5目"}, {-65, u"逆6.5目"}, {-55, u"逆5.5目"},
    {-45, u"逆4.5目"}, {-35, u"逆3.5目"}, {-25, u"逆2.5目"}, {-15, u"逆1.5目"}, {-5, u"逆0.5目"},
    {0, u"無し"}, {5, u"半目"}, {15, u"１.５目"}, {25, u"２.５目"}, {35, u"３.５目"}, {45, u"４.５目"},
    {55, u"５.５目"}, {65, u"６.５目"}, {75, u"７.５目"}, {85, u"８.５目"},
}};
constexpr ListEntry kHalfKomiLast{95, u"９.５目"};

constexpr std::array<ListEntry, 35> kWholeKomi{{
    {-250, u"逆25目"}, {-240, u"逆24目"}, {-230, u"逆23目"}, {-220, u"逆22目"}, {-210, u"逆21目"},
    {-200, u"逆20目"}, {-190, u"逆19目"}, {-180, u"逆18目"}, {-170, u"逆17目"}, {-160, u"逆16目"},
    {-150, u"逆15目"}, {-140, u"逆14目"}, {-130, u"逆13目"}, {-120, u"逆12目"}, {-110, u"逆11目"},
    {-100, u"逆10目"}, {-90, u"逆9目"}, {-80, u"逆8目"}, {-70, u"逆7目"}, {-60, u"逆6目"},
    {-50, u"逆5目"}, {-40, u"逆4目"}, {-30, u"逆3目"}, {-20, u"逆2目"}, {-10, u"逆1目"},
    {0, u"無し"}, {10, u"１目"}, {20, u"２目"}, {30, u"３目"}, {40, u"４目"}, {50, u"５目"},
    {60, u"６目"}, {70, u"７目"}, {80, u"８目"}, {90, u"９目"},
}};

// The half-point list has 36 entries; keep them in one contiguous array.
const std::array<ListEntry, 36>& halfKomiList() {
    static const auto list = [] {
        std::array<ListEntry, 36> all{};
        for (std::size_t i = 0; i < kHalfKomi.size(); ++i) all[i] = kHalfKomi[i];
        all[35] = kHalfKomiLast;
        return all;
    }();
    return list;
}

constexpr std::u16string_view kBlackName = u"黒";
constexpr std::u16string_view kWhiteName = u"白";

bool isWhole(float value) { return std::lround(value * 10.0f) % 10 == 0; }

} // namespace

std::span<const ListEntry> rankList() { return kRanks; }

std::u16string_view rankText(int value) {
    for (const ListEntry& e : kRanks)
        if (e.key == value) return e.text;
    return {};
}

std::span<const ListEntry> handicapList() { return kHandicaps; }

std::u16string handicapText(int handicap) {
    if (handicap >= 0 && handicap <= 9) return std::u16string(kHandicaps[static_cast<std::size_t>(handicap)].text);
    return formatText(u"自由%d子", {handicap});
}

std::span<const ListEntry> komiList(bool wholePoints) {
    if (wholePoints) return kWholeKomi;
    return halfKomiList();
}

int komiEntry(float komi, bool wholePoints) {
    long key = std::lround(komi * 10.0f);
    if (!wholePoints && key != 0 && key % 10 == 0) key += 5;        // 6.0 selects 6.5
    if (wholePoints && key % 10 != 0) key -= 5;                     // 6.5 selects 6, -0.5 selects -1
    const auto list = komiList(wholePoints);
    int none = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].key == key) return static_cast<int>(i);
        if (list[i].key == 0) none = static_cast<int>(i);
    }
    return none;
}

std::u16string_view komiText(float komi, bool wholePoints) {
    return komiList(wholePoints)[static_cast<std::size_t>(komiEntry(komi, wholePoints))].text;
}

std::u16string resultText(const GameInfo& info) {
    if (info.winner == kJigo) return u"持碁";
    if (info.winner != kBlackWins && info.winner != kWhiteWins) return {};
    const std::u16string_view who = info.winner == kBlackWins ? kBlackName : kWhiteName;
    if (info.margin >= kMarginOnTime) return formatText(u"%s時間切れ勝ち", {who});
    if (info.margin >= kMarginResignation) return formatText(u"%s中押し勝ち", {who});
    if (isWhole(info.margin)) return formatText(u"%s%d目勝ち", {who, static_cast<int>(std::lround(info.margin))});
    return formatText(u"%s%0.1f目勝ち", {who, static_cast<double>(info.margin)});
}

std::u16string inPlayStatusText(int lastMoveNumber, int numberOffset, std::u16string_view columnLabel,
                                std::u16string_view rowLabel, bool pass, MailGoState mail) {
    const std::u16string_view who = (lastMoveNumber % 2 == 0) ? kWhiteName : kBlackName;
    const int shown = lastMoveNumber + numberOffset;
    std::u16string text = pass ? formatText(u"対局中　最終：%s%3d手（パス）", {who, shown})
                               : formatText(u"対局中　最終：%s%3d手（%s、%s）", {who, shown, columnLabel, rowLabel});
    switch (mail) {
    case MailGoState::NotSent: text += u" 未送信"; break;
    case MailGoState::NotMoved: text += u" 未着手"; break;
    case MailGoState::Sent: text += u" 送信済み"; break;
    case MailGoState::None: break;
    }
    return text;
}

std::u16string_view protectionText(const GameInfo& info) {
    if (info.isProtected()) return u"保護中";
    if (info.number == 0) return u"臨時";
    return {};
}

std::u16string_view gameTypeText(const GameInfo& info) {
    if (info.type == kGameMailGo) return u"メール対戦";
    if (info.type == kGamePlayAndRecord) return u"対局と記録";
    if (info.flags & kInfoExternalGame) return u"外部棋譜";
    return u"棋譜";
}

std::u16string gameStateText(const GameInfo& info) {
    if (info.winner != kInPlay) return resultText(info);
    if (info.type == kGameMailGo) return u"対局中";
    if (info.type == kGamePlayAndRecord) return u"記録中";
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
