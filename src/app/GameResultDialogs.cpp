// The results diary's dialogs without a window: the list of a result group with its tally, and one
// record.
#include "app/GameResultDialogs.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "app/Ui.h"
#include "formats/SgfWriter.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

constexpr int kStrCsvExtension = 55008;  // "csv"
constexpr int kStrListTitle = 55010;     // "対局記録リスト"
constexpr int kStrRecordTitle = 55011;   // "対局記録"
constexpr int kStrNeedGroupName = 55013; // "グループ名を入力してください。"
constexpr int kStrGroupNameExists = 55014; // "同じグループ名が既に登録されているようです。追加しますか？"
constexpr int kStrDeleteGroup = 55015;  // "表示中のグループを削除して良いですか？"
constexpr int kStrDeleteRecord = 55016; // "選択中の対局記録を削除して良いですか？"
constexpr int kStrGameNotFound = 55017; // "次の対局データは見つかりませんでした。\r\n%s"
constexpr int kStrResultsTitle = 55018; // "対局結果"
constexpr int kStrAllBlack = 55023;     // "＜全ての黒番＞"
constexpr int kStrPlacePrompt = 55028;  // "＜場所名を入力してください＞"
constexpr int kStrPlaceMail = 55029;    // "メール"
constexpr int kStrNeedPoints = 55030;   // "目数を入力して下さい。"
constexpr int kStrSameGame = 55031; // "同じ対局が既に登録されているようです。追加しますか？"
constexpr int kStrDoNotAdd = 55032; // "追加しない"
constexpr int kStrAdd = 55033;      // "追加する"
constexpr int kStrGroupsFull = 55034;  // 50 result groups exist
constexpr int kStrFirstColumn = 55050; // "対局日" .. "感想"
constexpr int kStrReplaceFile = 25012; // %s exists: replace it?

std::u16string text(int id) { return std::u16string(uiText(id)); }

// The row of a record as the list shows it.
GameResultRow rowOf(int slot, const GameResult& g, bool wholePointKomi) {
    return {slot,
            {resultDateText(g.begun), resultDateText(g.ended), g.blackName(), g.whiteName(),
             resultHandicapText(g, wholePointKomi), resultOutcomeText(g), g.gameName, g.place, g.impressions}};
}

// Points as typed: a number from 0 to below 1000, with at most one decimal that counts.
std::optional<float> pointsValue(const std::u16string& typed) {
    const std::string s = toUtf8(typed);
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(v) || v < 0 || v >= kMarginResignation) return std::nullopt;
    return static_cast<float>(v);
}

// The first game of the library named `name`: its group and number.
std::optional<std::pair<int, int>> findStoredGame(GameStore& store, std::u16string_view name) {
    if (name.empty()) return std::nullopt;
    StoreMessages ignored; // a list that cannot be read simply holds no such game
    for (int group = 0; group < kScratchGroup; ++group) {
        if (!store.group(group)) continue;
        for (const GameInfo* info : store.gameList(group, ignored).entries())
            if (info->name == name) return std::pair{group, static_cast<int>(info->number)};
    }
    return std::nullopt;
}

} // namespace

std::u16string gameResultColumnTitle(GameResultColumn column) {
    return text(kStrFirstColumn + static_cast<int>(column));
}

// --- the list --------------------------------------------------------------------------------------

GameResultListForm::GameResultListForm(LibraryEnvironment env)
    : m_env(std::move(env)), m_results(m_env.store->folder(), StringTable::interface()) {
    StoreMessages messages;
    m_results.readGroups(messages);
    m_env.showMessages(messages);
    for (int slot = 0; slot < kResultGroupSlots && m_group < 0; ++slot)
        if (m_results.group(slot)) m_group = slot;
    reload();
}

std::vector<ResultGroupChoice> GameResultListForm::groups() const {
    std::vector<ResultGroupChoice> out;
    for (int slot = 0; slot < kResultGroupSlots; ++slot)
        if (const ResultGroup* g = m_results.group(slot)) out.push_back({slot, g->name});
    return out;
}

void GameResultListForm::setGroup(int slot) {
    if (!m_results.group(slot) || slot == m_group) return;
    m_group = slot;
    m_player = 0;
    reload();
}

void GameResultListForm::reload() {
    StoreMessages messages;
    m_records = m_group >= 0 ? m_results.readRecords(m_group, messages) : ResultSlots{};
    m_env.showMessages(messages);
    m_rows.clear();
    for (std::size_t n = 0; n < m_records.size(); ++n)
        if (m_records[n]) m_rows.push_back(rowOf(static_cast<int>(n), *m_records[n], m_env.wholePointKomi));
    m_selected = std::min(m_selected, static_cast<int>(m_rows.size()) - 1);
    m_player = std::min(m_player, static_cast<int>(playerChoices().size()) - 1);
}

bool GameResultListForm::store(const ResultSlots& records) {
    StoreMessages messages;
    const bool ok = m_results.writeRecords(m_group, records, messages);
    m_env.showMessages(messages);
    if (ok) m_records = records;
    reload();
    return ok;
}

bool GameResultListForm::newGroup() {
    const std::u16string title = text(kStrRecordTitle);
    if (m_newGroupName.empty()) {
        m_env.ui->showMessage(text(kStrNeedGroupName), title);
        return false;
    }
    if (m_results.findGroup(m_newGroupName) && !m_env.ui->ask(text(kStrGroupNameExists), title)) return false;
    StoreMessages messages;
    const std::optional<int> slot = m_results.addGroup(m_newGroupName, messages);
    m_env.showMessages(messages);
    if (!slot) {
        if (messages.empty()) m_env.ui->showMessage(text(kStrGroupsFull), title);
        return false;
    }
    m_newGroupName.clear();
    m_group = *slot;
    m_player = 0;
    reload();
    return true;
}

void GameResultListForm::deleteGroup() {
    if (m_group < 0 || !m_env.ui->ask(text(kStrDeleteGroup), text(kStrListTitle))) return;
    StoreMessages messages;
    const bool removed = m_results.removeGroup(m_group, messages);
    m_env.showMessages(messages);
    if (!removed) return;
    const std::vector<ResultGroupChoice> left = groups();
    m_group = left.empty() ? -1 : left.front().slot;
    m_player = 0;
    reload();
}

const GameResult* GameResultListForm::selectedRecord() const {
    if (m_selected < 0) return nullptr;
    const auto& r = m_records[static_cast<std::size_t>(m_rows[static_cast<std::size_t>(m_selected)].slot)];
    return r ? &*r : nullptr;
}

void GameResultListForm::addRecord() {
    if (m_group < 0) return;
    GameResultForm form(m_env, m_records, std::nullopt);
    if (!m_env.ui->runGameResult(form)) return;
    ResultSlots records = m_records;
    records.push_back(form.record());
    if (store(records)) m_selected = static_cast<int>(m_rows.size()) - 1;
}

void GameResultListForm::editRecord() {
    if (!selectedRecord()) return;
    const int slot = m_rows[static_cast<std::size_t>(m_selected)].slot;
    GameResultForm form(m_env, m_records, slot);
    if (!m_env.ui->runGameResult(form)) return;
    ResultSlots records = m_records;
    records[static_cast<std::size_t>(slot)] = form.record();
    store(records);
}

void GameResultListForm::deleteRecord() {
    if (!selectedRecord() || !m_env.ui->ask(text(kStrDeleteRecord), text(kStrListTitle))) return;
    ResultSlots records = m_records;
    records.erase(records.begin() + m_rows[static_cast<std::size_t>(m_selected)].slot);
    store(records);
}

void GameResultListForm::showGame() {
    const GameResult* g = selectedRecord();
    if (!g) return;
    const auto found = findStoredGame(*m_env.store, g->gameName);
    if (!found || !m_env.showGame(found->first, found->second)) {
        if (!found) m_env.ui->showMessage(formatText(text(kStrGameNotFound), {g->gameName}), text(kStrResultsTitle));
        return;
    }
    m_close = true;
}

void GameResultListForm::exportCsv() {
    const ResultGroup* g = m_results.group(m_group);
    if (!g) return;
    const std::u16string extension = text(kStrCsvExtension);
    SaveFileRequest request;
    request.title = text(kTitleCsvExport);
    request.folder = m_lastFolder;
    request.proposedName = safeFileName(g->name) + u"." + extension;
    request.filters = {{formatText(text(kTextCsvFilesFilter), {extension}), {u"*." + extension}},
                       {text(kTextAllFilesFilter), {u"*.*"}}};
    const std::optional<std::string> chosen = m_env.ui->chooseFileToSave(request);
    if (!chosen || chosen->empty()) return;
    std::string path = *chosen;
    std::string dot(1, '.');
    dot += toUtf8(extension);
    std::string tail = path.size() > dot.size() ? path.substr(path.size() - dot.size()) : std::string();
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    const bool hasExtension = tail == dot;
    if (!hasExtension) {
        // The chooser asked about the name as typed; the name with the extension is asked here.
        path += dot;
        if (pathExists(path) && !m_env.ui->ask(formatText(text(kStrReplaceFile), {fromUtf8(path)}), request.title))
            return;
    }
    m_lastFolder = path.substr(0, path.find_last_of('/') + 1);
    StoreMessages messages;
    const bool written = m_results.exportCsv(m_group, path, m_env.wholePointKomi, messages);
    m_env.showMessages(messages);
    if (written) m_status = formatText(text(kTextCsvWritten), {fromUtf8(path)});
}

std::vector<std::u16string> GameResultListForm::playerChoices() const {
    std::vector<std::u16string> out{text(kStrAllBlack)};
    for (std::u16string& name : resultPlayers(m_records)) out.push_back(std::move(name));
    return out;
}

void GameResultListForm::setPlayer(int index) {
    if (index >= 0 && index < static_cast<int>(playerChoices().size())) m_player = index;
}

ResultTally GameResultListForm::tally() const {
    const std::vector<std::u16string> players = playerChoices();
    return tallyResults(m_records, m_player <= 0 ? std::u16string_view{} : players[static_cast<std::size_t>(m_player)]);
}

// --- one record ------------------------------------------------------------------------------------

GameResultForm::GameResultForm(LibraryEnvironment env, const ResultSlots& group, std::optional<int> editing)
    : m_env(std::move(env)), m_group(group) {
    if (editing && *editing >= 0 && *editing < static_cast<int>(group.size()) &&
        group[static_cast<std::size_t>(*editing)]) {
        m_editing = editing;
        m_record = *group[static_cast<std::size_t>(*editing)];
    } else {
        m_record.begun = m_record.ended = {m_env.today.year, m_env.today.month, m_env.today.day, 0};
        m_record.komi = 6.5f;
    }
    m_black = m_record.blackName();
    m_white = m_record.whiteName();
    if (m_record.jigo()) m_kind = ResultMarginKind::Points;
    else if (m_record.margin >= kMarginOnTime) m_kind = ResultMarginKind::OnTime;
    else if (m_record.margin >= kMarginResignation) m_kind = ResultMarginKind::Resignation;
    if (m_editing && !m_record.jigo() && m_kind == ResultMarginKind::Points) {
        const float m = m_record.margin;
        m_points = std::lround(m * 10.0f) % 10 == 0 ? formatText(u"%d", {static_cast<int>(std::lround(m))})
                                                    : formatText(u"%0.1f", {static_cast<double>(m)});
    }
}

void GameResultForm::setPlace(std::u16string_view place) {
    m_record.place = place == uiText(kStrPlacePrompt) ? std::u16string() : std::u16string(place);
}

std::vector<std::u16string> GameResultForm::placeChoices() const {
    std::vector<std::u16string> out{text(kStrPlacePrompt), text(kStrPlaceMail)};
    for (const auto& g : m_group)
        if (g && !g->place.empty() && std::find(out.begin(), out.end(), g->place) == out.end()) out.push_back(g->place);
    return out;
}

std::vector<std::u16string> GameResultForm::playerChoices() const { return resultPlayers(m_group); }

void GameResultForm::setHandicap(int stones) {
    m_record.handicap = static_cast<std::uint16_t>(std::clamp(stones, 0, 99));
}

std::u16string GameResultForm::komiText() const { return formatText(u"%0.1f", {static_cast<double>(m_record.komi)}); }

bool GameResultForm::confirm() {
    GameResult r = m_record;
    // The first player is black unless the record had it the other way round.
    (r.secondIsBlack == 1 ? r.secondPlayer : r.firstPlayer) = m_black;
    (r.secondIsBlack == 1 ? r.firstPlayer : r.secondPlayer) = m_white;
    const std::u16string title = text(kStrRecordTitle);
    if (const std::optional<int> missing = missingResultField(r)) {
        m_env.ui->showMessage(text(*missing), title);
        return false;
    }
    if (r.jigo()) {
        r.margin = 0.0f;
    } else if (m_kind == ResultMarginKind::Resignation) {
        r.margin = kMarginResignation;
    } else if (m_kind == ResultMarginKind::OnTime) {
        r.margin = kMarginOnTime;
    } else if (const std::optional<float> points = pointsValue(m_points)) {
        r.margin = *points;
    } else {
        m_env.ui->showMessage(text(kStrNeedPoints), title);
        return false;
    }
    bool twice = false;
    for (std::size_t n = 0; n < m_group.size(); ++n)
        twice = twice || (m_group[n] && !(m_editing && static_cast<std::size_t>(*m_editing) == n) &&
                          sameResultGame(*m_group[n], r));
    if (twice && !m_env.ui->askChoice(text(kStrSameGame), title, text(kStrAdd), text(kStrDoNotAdd))) return false;
    m_record = std::move(r);
    return true;
}

} // namespace stonewise
