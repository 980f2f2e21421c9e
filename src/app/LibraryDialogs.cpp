// The library's dialogs without a window: the game list (panel and dialog), copying and moving a
// game, the group list and a group's settings. The members are in MemberDialogs.cpp.
#include "app/LibraryDialogs.h"

#include <algorithm>
#include <tuple>

#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/Ui.h"
#include "record/GameInfoText.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

constexpr int kStrClose = 25035;              // "閉じる"
constexpr int kStrDeleteGameTitle = 11202;    // "対局の削除"
constexpr int kStrDeleteGameQuestion = 11203; // "次の対局を削除します。いいですか？\r\n%s"
constexpr int kStrGroupSettingsTitle = 20708; // "グループ設定"
constexpr int kStrGroupListTitle = 20709;     // "グループリスト"
constexpr int kStrGroupLimit = 20707;         // 100 groups: no more
constexpr int kStrGroupNotDeletable = 11403;
constexpr int kStrGameListColumns = 12000;     // "対局名" .. "対局日" (12000..12008)
constexpr int kStrGroupNameColumn = 12300;     // "グループ名"
constexpr int kStrGroupNumberColumn = 12301;   // "番号"
constexpr int kStrTypeColumn = 12006;          // "タイプ"
constexpr int kStrReadDateColumn = 50011;      // "読み込み日時"
constexpr int kStrFound = 50009;               // "%d 件見付かりました。"
constexpr int kStrGameCountColumn = 50021;     // "対局数"
constexpr int kStrDeleteGroupQuestion = 50026; // "選択されているグループを削除しますか？"
constexpr int kStrFolderDialogTitle = 50041;   // "外部棋譜フォルダの設定"
constexpr int kStrFolderFilter = 50042;        // "外部棋譜フォルダ"
constexpr int kStrFolderInitialName = 50043;   // "外部棋譜"
constexpr int kStrSetFolderName = 50044;       // "フォルダ名を設定して下さい。"
constexpr int kStrSetGroupName = 50045;        // "グループ名を設定して下さい。"
constexpr int kStrCopyTitle = 50090;           // "対局のコピー・移動"
constexpr int kStrEnterGameName = 50098;       // "対局名を入力して下さい。"

std::u16string text(int id) { return std::u16string(uiText(id)); }

constexpr std::array<GameListColumn, 9> kPanelColumns{
    GameListColumn::Name,  GameListColumn::Number, GameListColumn::Protection,
    GameListColumn::White, GameListColumn::Black,  GameListColumn::Handicap,
    GameListColumn::Type,  GameListColumn::State,  GameListColumn::Date};
constexpr std::array<GameListColumn, 6> kDialogColumns{GameListColumn::Name,  GameListColumn::White,
                                                       GameListColumn::Black, GameListColumn::Handicap,
                                                       GameListColumn::State, GameListColumn::Date};

constexpr std::array<GroupTypeBox, 7> kTypeBoxes{{
    {1, 50032},   // "メール碁"
    {2, 50033},   // "終局したメール碁の保存"
    {16, 50034},  // "対局と記録"
    {256, 50035}, // "棋譜鑑賞用"
    {32, 50036},  // "終局した対局の保存"
    {64, 50037},  // "問題集"
    {512, 50038}, // "外部棋譜"
}};
constexpr std::uint32_t kViewingBit = 256;
constexpr std::uint32_t kExternalBit = 512;

// The first game above `number` in a list, else the nearest below; nothing when none is left.
std::optional<int> nextGame(const GameList& list, int number) {
    for (const GameInfo* e : list.entries())
        if (e->number > number) return e->number;
    for (int n = number - 1; n >= 1; --n)
        if (list.find(n)) return n;
    return std::nullopt;
}

std::u16string memberName(const GameStore& store, int member) {
    const MemberRecord* m = store.members().find(member);
    return m ? m->name : std::u16string();
}

bool isExternal(const GameStore& store, int group) {
    const GroupRecord* g = store.group(group);
    return g && (g->type & kExternalBit) != 0;
}

std::u16string readDateText(const GameInfo& info) {
    const GameTime& w = info.waitingTime;
    return formatText(u"%4d/%2d/%2d %d:%02d", {int{w.year}, int{w.month}, int{w.day}, int{w.hour}, int{w.minute}});
}

} // namespace

// --- the environment -------------------------------------------------------------------------------

void LibraryEnvironment::showMessages(const StoreMessages& messages) const {
    for (const StoreMessage& m : messages) ui->showMessage(m.text, m.title);
}

bool LibraryEnvironment::isShown(int group, int number) const {
    return session && !session->temporary() && session->group() == group && session->number() == number;
}

bool LibraryEnvironment::showGame(int group, int number) const {
    if (!session) return false;
    if (number == 0) return session->temporary(); // the temporary game has no list entry
    if (isShown(group, number)) return true;
    session->saveCurrentGame(true);
    return session->openGame(group, number);
}

void LibraryEnvironment::shownGameLeft(int group, int number) const {
    if (!session) return;
    StoreMessages messages;
    const std::optional<int> next = nextGame(store->gameList(group, messages), number);
    if (next && session->openGame(group, *next)) return;
    session->newTemporaryGame();
}

std::u16string groupChoiceText(int group, std::u16string_view name) {
    return formatText(u"G%d: %s", {group + 1, name});
}

std::vector<GroupChoice> groupChoices(const GameStore& store) {
    std::vector<GroupChoice> choices;
    for (int n = 0; n < kScratchGroup; ++n)
        if (const GroupRecord* g = store.group(n)) choices.push_back({n, groupChoiceText(n, g->name)});
    return choices;
}

// --- game lists ------------------------------------------------------------------------------------

std::span<const GameListColumn> panelColumns() { return kPanelColumns; }
std::span<const GameListColumn> dialogColumns() { return kDialogColumns; }

std::u16string gameListColumnTitle(GameListColumn column, bool externalGroup) {
    if (column == GameListColumn::Date && externalGroup) return text(kStrReadDateColumn);
    return text(kStrGameListColumns + static_cast<int>(column));
}

namespace {
GameListRow gameListRow(const GameStore& store, const GameInfo& info, bool external, bool wholePointKomi) {
    GameListRow row;
    row.info = info;
    auto set = [&row](GameListColumn c, std::u16string value) {
        row.cells[static_cast<std::size_t>(c)] = std::move(value);
    };
    set(GameListColumn::Name, info.name);
    set(GameListColumn::Number, formatText(u"%5d", {info.number}));
    set(GameListColumn::Protection, std::u16string(protectionText(info)));
    set(GameListColumn::White, memberName(store, info.whitePlayer));
    set(GameListColumn::Black, memberName(store, info.blackPlayer));
    set(GameListColumn::Handicap, handicapColumnText(info, wholePointKomi));
    set(GameListColumn::Type, std::u16string(external ? uiText(20920) : gameTypeText(info)));
    set(GameListColumn::State, gameStateText(info));
    // A game without a date (a record that gave none) shows none rather than "0/ 0/ 0".
    const bool dated =
        external ? info.waitingTime.year != 0 : info.startDate.year != 0 || (info.flags & kInfoMoveWaiting) != 0;
    set(GameListColumn::Date, !dated ? std::u16string() : external ? readDateText(info) : dateColumnText(info));
    return row;
}
} // namespace

std::vector<GameListRow> gameListRows(GameStore& store, int group, bool wholePointKomi, StoreMessages& messages) {
    std::vector<GameListRow> rows;
    const bool external = isExternal(store, group);
    for (const GameInfo* info : store.gameList(group, messages).entries())
        rows.push_back(gameListRow(store, *info, external, wholePointKomi));
    return rows;
}

void sortGameListRows(std::vector<GameListRow>& rows, GameListColumn column, bool ascending) {
    auto less = [column](const GameListRow& a, const GameListRow& b) {
        const GameInfo& x = a.info;
        const GameInfo& y = b.info;
        switch (column) {
        case GameListColumn::Number: return x.number < y.number;
        case GameListColumn::Protection: return x.protection < y.protection;
        case GameListColumn::Handicap: return std::tuple(x.handicap, x.komi) < std::tuple(y.handicap, y.komi);
        case GameListColumn::Date: {
            auto date = [](const GameInfo& i) {
                return std::tuple(i.startDate.year, i.startDate.month, i.startDate.day, i.waitingTime.year,
                                  i.waitingTime.month, i.waitingTime.day, i.waitingTime.hour, i.waitingTime.minute);
            };
            return date(x) < date(y);
        }
        default: return a.cell(column) < b.cell(column);
        }
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const GameListRow& a, const GameListRow& b) {
        if (less(a, b) || less(b, a)) return ascending ? less(a, b) : less(b, a);
        return a.info.number < b.info.number;
    });
}

GameListPanelContent gameListPanelContent(const LibraryEnvironment& env) {
    GameListPanelContent content;
    if (!env.store) return content;
    const int group = env.store->currentGroup();
    const GroupRecord* g = env.store->group(group);
    if (!g || group == kScratchGroup) return content;
    content.group = group;
    content.title = groupChoiceText(group, g->name);
    content.external = (g->type & kExternalBit) != 0;
    StoreMessages messages; // shown when the group was opened
    content.rows = gameListRows(*env.store, group, env.wholePointKomi, messages);
    if (env.session && env.session->temporary() && env.board) {
        // The temporary game on the board heads the list as "臨時".
        GameInfo temporary = env.board->gameInfo();
        temporary.number = 0;
        content.rows.insert(content.rows.begin(), gameListRow(*env.store, temporary, false, env.wholePointKomi));
        content.shownNumber = 0;
    } else if (env.session && env.session->group() == group) {
        content.shownNumber = env.session->number();
        // The game on the board shows its header as it stands, changes not yet saved included.
        if (env.board)
            for (GameListRow& row : content.rows)
                if (row.info.number == content.shownNumber) {
                    GameInfo shown = env.board->gameInfo();
                    shown.number = content.shownNumber;
                    row = gameListRow(*env.store, shown, content.external, env.wholePointKomi);
                }
    }
    return content;
}

// --- the game list dialog --------------------------------------------------------------------------

GameListForm::GameListForm(LibraryEnvironment env, int group) : m_env(std::move(env)), m_group(group) {
    if (!m_env.store->group(m_group) || m_group == kScratchGroup) {
        const auto choices = groups();
        m_group = choices.empty() ? 0 : choices.front().group;
    }
    reload();
    if (m_env.session && m_env.session->group() == m_group && !m_env.session->temporary())
        select(m_env.session->number());
}

void GameListForm::reload() {
    StoreMessages messages;
    m_rows = gameListRows(*m_env.store, m_group, m_env.wholePointKomi, messages);
    m_env.showMessages(messages);
    if (!selectedInfo()) m_selected = -1;
}

void GameListForm::setGroup(int group) {
    if (!m_env.store->group(group) || group == kScratchGroup || group == m_group) return;
    m_group = group;
    m_selected = -1;
    m_searchResult.clear();
    reload();
}

bool GameListForm::externalGroup() const { return isExternal(*m_env.store, m_group); }

void GameListForm::select(int number) {
    m_selected = -1;
    for (const GameListRow& r : m_rows)
        if (r.info.number == number) m_selected = number;
}

const GameInfo* GameListForm::selectedInfo() const {
    for (const GameListRow& r : m_rows)
        if (r.info.number == m_selected) return &r.info;
    return nullptr;
}

void GameListForm::showGame() {
    if (m_selected < 0) return;
    if (m_env.showGame(m_group, m_selected)) m_close = true;
}

void GameListForm::deleteGame() {
    const GameInfo* info = selectedInfo();
    if (!info) return;
    const int number = m_selected;
    if (!m_env.ui->ask(formatText(text(kStrDeleteGameQuestion), {info->name}), text(kStrDeleteGameTitle))) return;
    StoreMessages messages;
    bool ok = m_env.store->deleteGame(m_group, number, messages);
    ok = ok && m_env.store->saveGameList(m_group, messages);
    m_env.showMessages(messages);
    if (ok && m_env.isShown(m_group, number)) m_env.shownGameLeft(m_group, number);
    reload();
}

void GameListForm::toggleProtection() {
    const GameInfo* info = selectedInfo();
    if (!info) return;
    const int number = m_selected;
    const bool shown = m_env.isShown(m_group, number);
    // Changes of the game shown are saved while it can still take them.
    if (shown && !m_env.board->gameInfo().isProtected()) m_env.session->saveCurrentGame(true);
    StoreMessages messages;
    GameList& list = m_env.store->gameList(m_group, messages);
    const GameInfo* listed = list.find(number);
    if (!listed) return;
    GameInfo changed = *listed;
    changed.protection = changed.isProtected() ? 0 : 1;
    list.put(changed);
    if (!m_env.store->saveGameList(m_group, messages)) {
        // What is on disk stays as it was, and so does the list in memory.
        changed.protection = changed.isProtected() ? 0 : 1;
        list.put(changed);
        list.setPageChanged(number / kGamesPerPage, false);
    } else if (shown) {
        m_env.board->gameInfo().protection = changed.protection;
    }
    m_env.showMessages(messages);
    reload();
}

void GameListForm::editGame() {
    if (m_selected < 0) return;
    if (!m_env.showGame(m_group, m_selected)) return;
    if (m_env.runCommand) m_env.runCommand(kCmdEditGameInfo);
    reload();
}

void GameListForm::copyGame() {
    if (m_selected < 0) return;
    // The copy takes the game as the board shows it.
    if (m_env.isShown(m_group, m_selected)) m_env.session->saveCurrentGame(true);
    CopyMoveForm form(m_env, m_group, m_selected);
    m_env.ui->runCopyMove(form);
    reload();
}

void GameListForm::saveSgf() {
    if (m_selected < 0 || !m_env.saveAsSgf) return;
    if (m_env.isShown(m_group, m_selected)) {
        m_env.saveAsSgf(m_env.board->record().main(), m_env.board->gameInfo());
        return;
    }
    StoreMessages messages;
    GameFileRead read = m_env.store->openGame(m_group, m_selected, messages);
    m_env.showMessages(messages);
    if (read.status != StoreReadStatus::Ok || !read.main) return;
    GameInfo info = *selectedInfo();
    if (read.entry) {
        info.blackName = read.entry->blackName;
        info.whiteName = read.entry->whiteName;
    }
    m_env.saveAsSgf(*read.main, info);
}

int GameListForm::search(std::u16string_view needle) {
    int found = 0;
    int first = -1;
    for (const GameListRow& r : m_rows) {
        const bool match = needle.empty() || r.cell(GameListColumn::Name).find(needle) != std::u16string::npos ||
                           r.cell(GameListColumn::White).find(needle) != std::u16string::npos ||
                           r.cell(GameListColumn::Black).find(needle) != std::u16string::npos;
        if (!match) continue;
        if (found++ == 0) first = r.info.number;
    }
    if (first >= 0) select(first);
    m_searchResult = formatText(text(kStrFound), {found});
    return found;
}

// --- copy and move ---------------------------------------------------------------------------------

std::u16string uniqueGameName(const GameList& list, std::u16string_view name, std::size_t maxLength) {
    auto taken = [&list](std::u16string_view candidate) {
        for (const GameInfo* e : list.entries())
            if (e->name == candidate) return true;
        return false;
    };
    std::u16string wanted(name.substr(0, std::min(name.size(), maxLength)));
    if (!taken(wanted)) return wanted;
    // A number already in parentheses at the end is counted up from.
    std::u16string base = wanted;
    long long n = 0;
    if (base.size() >= 3 && base.back() == u')') {
        const std::size_t open = base.rfind(u'(');
        if (open != std::u16string::npos && open + 2 < base.size()) {
            const std::u16string digits = base.substr(open + 1, base.size() - open - 2);
            if (digits.size() <= 6 &&
                std::all_of(digits.begin(), digits.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
                n = std::stoll(toUtf8(digits));
                base.resize(open);
            }
        }
    }
    for (;;) {
        const std::u16string suffix = formatText(u"(%d)", {static_cast<int>(++n)});
        std::u16string candidate = base.substr(0, maxLength > suffix.size() ? maxLength - suffix.size() : 0) + suffix;
        if (!taken(candidate)) return candidate;
    }
}

CopyMoveForm::CopyMoveForm(LibraryEnvironment env, int group, int number)
    : m_env(std::move(env)), m_group(group), m_number(number), m_destination(group) {
    StoreMessages messages;
    if (const GameInfo* info = m_env.store->gameList(group, messages).find(number)) m_name = info->name;
    // Another group is the likelier destination.
    for (const GroupChoice& c : destinations())
        if (c.group != group) {
            m_destination = c.group;
            break;
        }
}

std::u16string CopyMoveForm::sourceText() const {
    const GroupRecord* g = m_env.store->group(m_group);
    return groupChoiceText(m_group, g ? g->name : std::u16string());
}

std::u16string CopyMoveForm::gameText() const {
    StoreMessages messages;
    const GameInfo* info = m_env.store->gameList(m_group, messages).find(m_number);
    return formatText(u"%d: %s", {m_number, info ? info->name : std::u16string()});
}

void CopyMoveForm::setName(std::u16string_view name) {
    m_name = std::u16string(name.substr(0, std::min(name.size(), kMaxCopyNameLength)));
}

bool CopyMoveForm::transfer(bool move) {
    if (m_name.empty()) {
        m_env.ui->showMessage(text(kStrEnterGameName), text(kStrCopyTitle));
        return false;
    }
    StoreMessages messages;
    m_name = uniqueGameName(m_env.store->gameList(m_destination, messages), m_name, kMaxCopyNameLength);
    const bool shown = m_env.isShown(m_group, m_number);
    m_result = move ? m_env.store->moveGame(m_group, m_number, m_destination, m_name, messages)
                    : m_env.store->copyGame(m_group, m_number, m_destination, m_name, messages);
    m_env.showMessages(messages);
    if (!m_result) return false;
    if (move && shown) m_env.shownGameLeft(m_group, m_number);
    return true;
}

// --- groups ----------------------------------------------------------------------------------------

std::u16string groupListColumnTitle(GroupListColumn column) {
    switch (column) {
    case GroupListColumn::Number: return text(kStrGroupNumberColumn);
    case GroupListColumn::Name: return text(kStrGroupNameColumn);
    case GroupListColumn::Games: return text(kStrGameCountColumn);
    case GroupListColumn::Type: return text(kStrTypeColumn);
    }
    return {};
}

std::span<const GroupTypeBox> groupTypeBoxes() { return kTypeBoxes; }

std::u16string groupTypeText(std::uint32_t type) {
    std::u16string out;
    for (const GroupTypeBox& box : kTypeBoxes) {
        if (!(type & box.bit)) continue;
        if (!out.empty()) out += u"、";
        out += uiText(box.textId);
    }
    return out;
}

GroupListForm::GroupListForm(LibraryEnvironment env) : m_env(std::move(env)) { reload(); }

void GroupListForm::reload() {
    m_rows.clear();
    StoreMessages messages;
    for (const GroupChoice& c : groupChoices(*m_env.store)) {
        const GroupRecord& g = *m_env.store->group(c.group);
        const int games = m_env.store->gameList(c.group, messages).count();
        GroupListRow row;
        row.group = c.group;
        row.cells = {formatText(u"%5d", {c.group + 1}), g.name, formatText(u"%5d", {games}), groupTypeText(g.type)};
        row.deletable = games == 0 && c.group != m_env.store->currentGroup();
        m_rows.push_back(std::move(row));
    }
    m_env.showMessages(messages);
}

std::u16string GroupListForm::deleteHint() const { return text(kStrGroupNotDeletable); }

void GroupListForm::newGroup() {
    int groups = 0;
    for (int n = 0; n < kMaxUserGroups; ++n) groups += m_env.store->group(n) != nullptr;
    if (groups >= kMaxUserGroups) {
        m_env.ui->showMessage(text(kStrGroupLimit), text(kStrGroupSettingsTitle));
        return;
    }
    GroupSettingsForm form(m_env, std::nullopt);
    m_env.ui->runGroupSettings(form);
    reload();
}

void GroupListForm::editGroup(int group) {
    if (!m_env.store->group(group) || group == kScratchGroup) return;
    GroupSettingsForm form(m_env, group);
    m_env.ui->runGroupSettings(form);
    reload();
}

void GroupListForm::deleteGroup(int group) {
    if (!m_env.store->group(group) || group == kScratchGroup) return;
    StoreMessages messages;
    const bool offered = group != m_env.store->currentGroup() && m_env.store->gameList(group, messages).count() == 0;
    // A group that may not go is refused by the store with its reason, without a question first.
    if (!offered || m_env.ui->ask(text(kStrDeleteGroupQuestion), text(kStrGroupListTitle)))
        m_env.store->deleteGroup(group, m_env.store->currentGroup(), messages);
    m_env.showMessages(messages);
    reload();
}

// --- group settings --------------------------------------------------------------------------------

GroupSettingsForm::GroupSettingsForm(LibraryEnvironment env, std::optional<int> group)
    : m_env(std::move(env)), m_group(group) {
    if (const GroupRecord* g = m_group ? m_env.store->group(*m_group) : nullptr) {
        m_name = g->name;
        m_type = g->type;
        m_folder = g->externalFolder.value_or(std::u16string());
    } else {
        m_group.reset();
    }
}

int GroupSettingsForm::shownNumber() const {
    if (m_group) return *m_group + 1;
    for (int n = 0; n < kMaxUserGroups; ++n)
        if (!m_env.store->group(n)) return n + 1;
    return kMaxUserGroups + 1;
}

void GroupSettingsForm::setName(std::u16string_view name) {
    m_name = std::u16string(name.substr(0, std::min<std::size_t>(name.size(), 255)));
}

bool GroupSettingsForm::enabled(std::uint32_t bit) const { return bit != kExternalBit || checked(kViewingBit); }

void GroupSettingsForm::setChecked(std::uint32_t bit, bool on) {
    if (!enabled(bit)) return;
    if (on) m_type |= bit;
    else m_type &= ~bit;
    if (!checked(kViewingBit)) m_type &= ~kExternalBit;
}

void GroupSettingsForm::browse() {
    if (!folderEnabled()) return;
    SaveFileRequest request;
    request.title = text(kStrFolderDialogTitle);
    request.folder = toUtf8(m_folder);
    request.proposedName = text(kStrFolderInitialName);
    request.filters = {{text(kStrFolderFilter), {u"*"}}};
    const std::optional<std::string> chosen = m_env.ui->chooseFileToSave(request);
    if (!chosen || chosen->empty()) return;
    // The name typed is only the picker's way to point into the folder: the folder is what counts.
    const std::size_t cut = chosen->find_last_of('/');
    if (cut == std::string::npos) return;
    m_folder = fromUtf8(cut == 0 ? std::string("/") : chosen->substr(0, cut));
}

bool GroupSettingsForm::confirm() {
    const std::u16string title = text(kStrGroupSettingsTitle);
    if (m_name.empty()) {
        m_env.ui->showMessage(text(kStrSetGroupName), title);
        return false;
    }
    const bool external = checked(kExternalBit) && checked(kViewingBit);
    if (external && m_folder.empty()) {
        m_env.ui->showMessage(text(kStrSetFolderName), title);
        return false;
    }
    std::optional<std::u16string> folder;
    if (external) folder = m_folder;
    StoreMessages messages;
    if (!m_group) {
        m_group = m_env.store->addGroup(m_name, m_type, folder, messages);
        m_env.showMessages(messages);
        return m_group.has_value();
    }
    GroupRecord* g = m_env.store->group(*m_group);
    if (!g) return false;
    const GroupRecord before = *g;
    g->name = m_name;
    g->type = m_type;
    g->externalFolder = folder;
    if (!m_env.store->writeGroupList(messages)) {
        // The list on disk keeps the group as it was; so does the table.
        *m_env.store->group(*m_group) = before;
        m_env.showMessages(messages);
        return false;
    }
    m_env.showMessages(messages);
    return true;
}

} // namespace stonewise
