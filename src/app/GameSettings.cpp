#include "app/GameSettings.h"

#include <cmath>

#include "app/CloudSettingsForm.h"
#include "app/GameSettingsTexts.h"
#include "app/Ui.h"
#include "formats/SgfWriter.h"
#include "record/GameInfoText.h"
#include "record/RecordSequence.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "store/MemberList.h"

namespace stonewise {

namespace {

constexpr int kStrHandicapQuestion = 20410; // changing the handicap clears the record: change it?
constexpr int kStrMemberAddedTitle = 11804; // "対局者名の追加登録"
constexpr int kStrMemberAdded = 11805;      // "対局者名に「%s」を追加しました。…"
constexpr int kStrWhiteLine = 12205;        // "白番　%s"
constexpr int kStrBlackLine = 12206;        // "黒番　%s"
constexpr int kStrMailGoInPlay = 12103;     // "対局中"
constexpr int kStrRecording = 12105;        // "記録中"
constexpr int kStrPlayers = 25034;          // "%s 対 %s"

// The black rank, white rank and place kept in the header's carried text.
struct RanksAndPlace {
    std::u16string part[3];
    bool has[3] = {false, false, false};
};

RanksAndPlace readRanks(const std::u16string& kept) {
    RanksAndPlace r;
    std::u16string_view parts[3];
    bool has[3];
    if (!kept.empty() && splitRanksAndPlace(kept, parts, has))
        for (int k = 0; k < 3; ++k) {
            r.part[k] = std::u16string(parts[k]);
            r.has[k] = has[k];
        }
    return r;
}

std::u16string writeRanks(const RanksAndPlace& r) {
    if (!r.has[0] && !r.has[1] && !r.has[2]) return {};
    std::u16string out;
    for (int k = 0; k < 3; ++k) {
        // A "]" inside a part would end it early: the dialog's free text cannot carry one.
        if (r.has[k]) out.append(u"[").append(r.part[k]).append(u"]");
        if (k < 2) out.push_back(u',');
    }
    return out;
}

GameTypeChoice typeChoice(const GameInfo& info) {
    if (info.type == kGameMailGo)
        return (info.flags & kInfoEnglishMail) ? GameTypeChoice::EnglishMailGo : GameTypeChoice::MailGo;
    if (info.type == kGamePlayAndRecord) return GameTypeChoice::PlayAndRecord;
    return GameTypeChoice::Viewing;
}

std::u16string withoutBrackets(std::u16string text) {
    std::erase_if(text, [](char16_t c) { return c == u'[' || c == u']'; });
    return text;
}

} // namespace

GameSettingsValues settingsValues(const GameInfo& info, bool wholePointKomi) {
    GameSettingsValues v;
    v.number = info.number;
    v.thirteenLines = info.board == 1;
    v.name = info.name;
    v.whiteName = info.whiteName;
    v.blackName = info.blackName;
    const RanksAndPlace ranks = readRanks(info.carriedText);
    v.blackRank = ranks.part[0];
    v.whiteRank = ranks.part[1];
    v.even = info.handicap <= 0;
    v.handicap = info.handicap <= 0 ? 2 : info.handicap;
    v.komiKey = komiList(wholePointKomi)[static_cast<std::size_t>(komiEntry(info.komi, wholePointKomi))].key;
    v.type = typeChoice(info);
    v.startDate = info.startDate;
    v.winner = info.winner;
    v.margin = info.margin;
    v.endDate = info.endDate;
    v.searchTarget = (info.carriedWord & kInfoSearchTarget) != 0;
    v.protect = info.isProtected();
    v.initialMove = info.isMailGo() ? 0 : info.ownMoveMark;
    v.hideLastNumber = (info.carriedWord & kInfoHideLastNumber) != 0;
    v.savable = (info.carriedWord & kInfoSavable) != 0;
    v.useCloud = (info.versionBytes[0] & kInfoUsesCloud) != 0;
    v.cloudFile = info.carriedValue;
    v.cloudAlsoMail = (info.versionBytes[0] & kInfoCloudAlsoMail) != 0;
    v.mailSubject = info.gameComment;
    return v;
}

GameSettings::GameSettings(const GameInfo& info, MemberList& members, const StringTable* strings, Ui* ui,
                           Context context)
    : m_original(info), m_members(members), m_strings(strings), m_ui(ui), m_context(context),
      m_values(settingsValues(info, context.wholePointKomi)), m_initial(m_values), m_result(info) {
    // The players as the members call them now (the names kept in the header may be older).
    for (auto [number, name] :
         {std::pair{info.whitePlayer, &m_values.whiteName}, std::pair{info.blackPlayer, &m_values.blackName}})
        if (const MemberRecord* m = number != 0 ? m_members.find(number) : nullptr) *name = m->name;
    if (m_context.newGame && m_values.startDate.year == 0) m_values.startDate = m_context.today;
    m_initial = m_values;
}

std::u16string GameSettings::text(int id) const {
    return std::u16string(StringTable::lookup(m_strings, id).value_or(u""));
}

// --- lists ---------------------------------------------------------------------------------------

std::vector<std::u16string> GameSettings::rankTexts() const {
    std::vector<std::u16string> out{u""};
    for (const ListEntry& e : rankList()) out.emplace_back(e.text());
    return out;
}

std::vector<std::pair<int, std::u16string>> GameSettings::handicapChoices() const {
    std::vector<std::pair<int, std::u16string>> out;
    for (const ListEntry& e : handicapList())
        if (e.key >= 1) out.emplace_back(e.key, std::u16string(e.text()));
    if (m_values.handicap > 9) out.emplace_back(m_values.handicap, handicapText(m_values.handicap));
    return out;
}

std::vector<std::pair<int, std::u16string>> GameSettings::komiChoices() const {
    std::vector<std::pair<int, std::u16string>> out;
    for (const ListEntry& e : komiList(m_context.wholePointKomi)) out.emplace_back(e.key, std::u16string(e.text()));
    return out;
}

std::vector<std::u16string> GameSettings::memberNames() const {
    std::vector<std::u16string> out;
    for (int p = 0; p < kMemberPages; ++p)
        if (const MemberPage* page = m_members.page(p))
            for (const auto& slot : page->slots)
                if (slot && !slot->name.empty()) out.push_back(slot->name);
    return out;
}

std::u16string GameSettings::playerLine(bool white) const {
    return formatText(text(white ? kStrWhiteLine : kStrBlackLine), {white ? m_values.whiteName : m_values.blackName});
}

std::u16string GameSettings::stateText() const {
    GameInfo shown;
    shown.winner = m_values.winner;
    shown.margin = m_values.margin;
    if (shown.winner != kInPlay) return resultText(shown);
    switch (m_values.type) {
    case GameTypeChoice::MailGo:
    case GameTypeChoice::EnglishMailGo: return text(kStrMailGoInPlay);
    case GameTypeChoice::PlayAndRecord: return text(kStrRecording);
    case GameTypeChoice::Viewing: break;
    }
    return text(kStrSettingsInPlay);
}

// --- values with rules -------------------------------------------------------------------------

bool GameSettings::setHandicap(bool even, int handicap) {
    const int wanted = even ? 0 : handicap;
    const int now = m_values.even ? 0 : m_values.handicap;
    if (wanted == now) return true;
    // Other handicap stones mean a cleared record once there are moves beyond them.
    if (m_context.recordLastMove > 1 && m_ui && !m_ui->ask(text(kStrHandicapQuestion), text(kStrSettingsTitle)))
        return false;
    m_values.even = even;
    if (!even) m_values.handicap = handicap;
    return true;
}

void GameSettings::setKomi(float komi) {
    m_values.komiKey =
        komiList(m_context.wholePointKomi)[static_cast<std::size_t>(komiEntry(komi, m_context.wholePointKomi))].key;
}

void GameSettings::proposeName() {
    if (m_values.blackName.empty() && m_values.whiteName.empty()) return;
    m_values.name = formatText(text(kStrPlayers), {m_values.blackName, m_values.whiteName});
}

bool GameSettings::chooseResult() {
    if (!m_ui) return false;
    ResultDialogRequest request;
    request.winner = m_values.winner;
    request.kind = m_values.margin >= kMarginOnTime        ? WinKind::OnTime
                   : m_values.margin >= kMarginResignation ? WinKind::Resignation
                                                           : WinKind::Points;
    request.points = request.kind == WinKind::Points ? m_values.margin : 0.0f;
    request.endDate = m_values.endDate.year != 0 ? m_values.endDate : m_context.today;
    const ResultDialogResult r = m_ui->chooseResult(request);
    if (!r.accepted) return false;
    if (r.winner < kInPlay || r.winner > kJigo) return false;
    const bool points = (r.winner == kBlackWins || r.winner == kWhiteWins) && r.kind == WinKind::Points;
    if (points && !(r.points > 0.0f && r.points < kMarginResignation && std::isfinite(r.points))) {
        m_ui->showMessage(text(kStrBadMargin), text(kStrResultTitle));
        return false;
    }
    m_values.winner = r.winner;
    if (r.winner == kBlackWins || r.winner == kWhiteWins)
        m_values.margin = r.kind == WinKind::OnTime        ? kMarginOnTime
                          : r.kind == WinKind::Resignation ? kMarginResignation
                                                           : std::round(r.points * 10.0f) / 10.0f;
    else m_values.margin = 0.0f;
    m_values.endDate = r.winner == kInPlay ? GameDate{} : r.endDate;
    return true;
}

bool GameSettings::editPlayer(bool white, bool newPlayer) {
    if (!m_ui) return false;
    std::u16string& name = white ? m_values.whiteName : m_values.blackName;
    PlayerDialogRequest request;
    request.newPlayer = newPlayer;
    if (!newPlayer) {
        request.name = name;
        request.kind = memberKind(white);
    }
    const PlayerDialogResult r = m_ui->editPlayer(request);
    if (!r.accepted || r.name.empty()) return false;
    const int side = white ? 0 : 1;
    if (!newPlayer && memberNumber(name) >= 0 && m_renamedFrom[side].empty() && r.name != name)
        m_renamedFrom[side] = name; // the member chosen takes the new name
    name = r.name;
    m_kind[side] = r.kind;
    return true;
}

void GameSettings::cloudSettings() {
    if (!m_ui) return;
    if (!m_context.cloud) {
        m_ui->showMessage(text(kStrCloudLater), text(kStrSettingsTitle));
        return;
    }
    GameSettingsValues& v = m_values;
    CloudSettingsForm form(*m_context.cloud, v.cloudFile, v.cloudAlsoMail, v.name, m_ui, m_strings,
                           m_context.cloudStartFolder);
    if (!m_ui->runCloudSettings(form)) {
        form.cancel();
        return;
    }
    v.cloudFile = form.file();
    v.cloudAlsoMail = form.alsoMail();
    v.useCloud = v.cloudFile != 0;
}

// --- confirming ----------------------------------------------------------------------------------

int GameSettings::memberNumber(const std::u16string& name) const { return m_members.findByName(name); }

std::uint16_t GameSettings::memberKind(bool white) const {
    const int side = white ? 0 : 1;
    if (m_kind[side]) return *m_kind[side];
    const MemberRecord* m = m_members.find(memberNumber(white ? m_values.whiteName : m_values.blackName));
    return m ? m->kind : static_cast<std::uint16_t>(kMemberGeneral);
}

bool GameSettings::handicapChanged() const {
    return (m_values.even ? 0 : m_values.handicap) != (m_initial.even ? 0 : m_initial.handicap);
}

bool GameSettings::boardChanged() const { return m_values.thirteenLines != m_initial.thirteenLines; }

std::optional<std::u16string> GameSettings::refusal() const {
    if (m_context.external) return text(kStrExternalRefused);
    // A protected game takes no change but the lifting of its protection.
    if (m_original.isProtected() && m_values.protect) {
        GameSettingsValues unchanged = m_initial;
        const GameSettingsValues& v = m_values;
        const bool same =
            v.thirteenLines == unchanged.thirteenLines && v.name == unchanged.name &&
            v.whiteName == unchanged.whiteName && v.blackName == unchanged.blackName &&
            v.whiteRank == unchanged.whiteRank && v.blackRank == unchanged.blackRank && v.even == unchanged.even &&
            v.handicap == unchanged.handicap && v.komiKey == unchanged.komiKey && v.type == unchanged.type &&
            v.startDate.year == unchanged.startDate.year && v.startDate.month == unchanged.startDate.month &&
            v.startDate.day == unchanged.startDate.day && v.winner == unchanged.winner &&
            v.margin == unchanged.margin && v.searchTarget == unchanged.searchTarget &&
            v.initialMove == unchanged.initialMove && v.hideLastNumber == unchanged.hideLastNumber &&
            v.savable == unchanged.savable && v.useCloud == unchanged.useCloud && v.cloudFile == unchanged.cloudFile &&
            v.cloudAlsoMail == unchanged.cloudAlsoMail && v.mailSubject == unchanged.mailSubject && !m_kind[0] &&
            !m_kind[1];
        if (!same) return text(kStrProtectedRefused);
    }
    if (m_values.name.empty()) return text(kStrNameMissing);
    if (m_values.whiteName.empty() || m_values.blackName.empty() ||
        m_values.whiteName.find(u'\0') != std::u16string::npos ||
        m_values.blackName.find(u'\0') != std::u16string::npos)
        return text(kStrPlayersMissing);
    if (boardChanged() && boardSizeFixed()) return text(kStrBoardFixed);
    if (m_values.type == GameTypeChoice::MailGo || m_values.type == GameTypeChoice::EnglishMailGo) {
        const std::uint16_t black = memberKind(false);
        const std::uint16_t white = memberKind(true);
        if (black != kMemberSelf && black != kMemberOpponent) return text(kStrMailBlackKind);
        if (black == kMemberSelf && white != kMemberOpponent) return text(kStrMailWhiteOpponent);
        if (black == kMemberOpponent && white != kMemberSelf) return text(kStrMailWhiteSelf);
    }
    return std::nullopt;
}

bool GameSettings::confirm() {
    if (const auto refused = refusal()) {
        if (m_ui) m_ui->showMessage(*refused, text(kStrSettingsTitle));
        return false;
    }
    int numbers[2] = {0, 0}; // white, black
    for (int side = 0; side < 2; ++side) {
        const std::u16string& name = side == 0 ? m_values.whiteName : m_values.blackName;
        int number = memberNumber(name);
        if (number < 0 && !m_renamedFrom[side].empty()) {
            // "修正...": the member chosen before takes the new name.
            const int renamed = memberNumber(m_renamedFrom[side]);
            if (const MemberRecord* m = m_members.find(renamed)) {
                MemberRecord changed = *m;
                changed.name = name;
                if (m_members.put(changed)) number = renamed;
            }
        }
        if (number < 0) {
            MemberRecord m;
            m.name = name;
            m.kind = m_kind[side].value_or(kMemberGeneral);
            m.registered = m_context.today;
            m.registered.hour = 0;
            number = m_members.add(std::move(m));
            if (number < 0) {
                if (m_ui) m_ui->showMessage(text(kStrPlayersMissing), text(kStrSettingsTitle));
                return false;
            }
            if (m_ui) m_ui->showMessage(formatText(text(kStrMemberAdded), {name}), text(kStrMemberAddedTitle));
        } else if (m_kind[side]) {
            if (const MemberRecord* m = m_members.find(number); m && m->kind != *m_kind[side]) {
                MemberRecord changed = *m;
                changed.kind = *m_kind[side];
                m_members.put(changed);
            }
        }
        numbers[side] = number;
    }
    m_result = build(numbers[1], numbers[0]);
    if (handicapChanged() && m_context.recordHasNodes && !m_context.newGame && m_ui)
        m_ui->showMessage(text(kStrClearAfterHandicap), text(kStrSettingsTitle));
    return true;
}

GameInfo GameSettings::build(int blackNumber, int whiteNumber) const {
    const GameSettingsValues& v = m_values;
    GameInfo info = m_original;
    if (v.thirteenLines != m_initial.thirteenLines) info.board = v.thirteenLines ? 1 : 0;
    info.name = v.name;
    info.blackPlayer = blackNumber;
    info.whitePlayer = whiteNumber;
    info.blackName = v.blackName;
    info.whiteName = v.whiteName;
    RanksAndPlace ranks = readRanks(info.carriedText);
    if (v.blackRank != m_initial.blackRank || v.whiteRank != m_initial.whiteRank) {
        ranks.part[0] = withoutBrackets(v.blackRank);
        ranks.has[0] = !ranks.part[0].empty();
        ranks.part[1] = withoutBrackets(v.whiteRank);
        ranks.has[1] = !ranks.part[1].empty();
        info.carriedText = writeRanks(ranks);
    }
    // Values the lists cannot show (a komi outside them, handicap 12) stay as stored unless changed.
    if (handicapChanged()) info.handicap = static_cast<std::int16_t>(v.even ? 0 : v.handicap);
    if (v.komiKey != m_initial.komiKey) info.komi = static_cast<float>(v.komiKey) / 10.0f;
    if (v.type != m_initial.type) {
        info.flags = static_cast<std::uint16_t>(info.flags & ~kInfoEnglishMail);
        switch (v.type) {
        case GameTypeChoice::Viewing: info.type = kGameRecord; break;
        case GameTypeChoice::MailGo: info.type = kGameMailGo; break;
        case GameTypeChoice::EnglishMailGo:
            info.type = kGameMailGo;
            info.flags |= kInfoEnglishMail;
            break;
        case GameTypeChoice::PlayAndRecord: info.type = kGamePlayAndRecord; break;
        }
    }
    info.startDate = v.startDate;
    info.startDate.hour = 0;
    info.winner = v.winner;
    info.margin = v.margin;
    if (v.winner != m_initial.winner || v.margin != m_initial.margin || v.endDate.year != m_initial.endDate.year)
        info.endDate = v.endDate;
    auto bit = [](auto& word, auto mask, bool on) {
        word = static_cast<std::remove_reference_t<decltype(word)>>(on ? (word | mask) : (word & ~mask));
    };
    bit(info.carriedWord, kInfoSearchTarget, v.searchTarget);
    bit(info.carriedWord, kInfoHideLastNumber, v.hideLastNumber);
    bit(info.carriedWord, kInfoSavable, v.savable);
    bit(info.versionBytes[0], kInfoUsesCloud, v.useCloud);
    bit(info.versionBytes[0], kInfoCloudAlsoMail, v.cloudAlsoMail);
    info.carriedValue = v.cloudFile;
    info.protection = v.protect ? std::max<std::int16_t>(info.protection, 1) : 0;
    // In Mail Go the field holds the last own move sent; elsewhere the move shown first.
    if (!info.isMailGo() && v.initialMove != m_initial.initialMove)
        info.ownMoveMark = static_cast<std::int16_t>(std::max(0, v.initialMove));
    info.gameComment = v.mailSubject;
    return info;
}

// --- a new game in the store ---------------------------------------------------------------------

std::optional<int> storeNewGame(GameStore& store, int group, GameInfo& info, const RecordSequence& record,
                                StoreMessages& messages) {
    GameList& list = store.gameList(group, messages);
    if (info.number < 1 || list.find(info.number)) {
        const std::optional<int> number = store.newGameNumber(group, messages);
        if (!number) {
            messages.push_back({std::u16string(uiText(kStrGroupFull)), std::u16string(uiText(kStrSettingsTitle))});
            return std::nullopt;
        }
        info.number = *number;
    }
    const std::string path = store.gameFilePath(group, info.number);
    const bool fileThere = pathExists(path); // an old game taken back
    if (!store.writeGame(group, info.number, record, &info, messages)) return std::nullopt;
    if (!list.put(info) || !store.saveGameList(group, messages) || !store.writeMembers(messages)) {
        // The list page could not be written: the game stays out of the library rather than half in.
        list.clear(info.number);
        if (!fileThere) removeFile(path);
        return std::nullopt;
    }
    return info.number;
}

} // namespace stonewise
