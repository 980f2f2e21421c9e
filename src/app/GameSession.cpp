#include "app/GameSession.h"
#include "record/StringTable.h"

#include "app/CIgoBoard.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {
constexpr int kSaveTitle = 11200;                            // 11200
constexpr int kSaveQuestion = 11201;  // 11201
constexpr int kMoveTitle = 17010;                            // 17010
constexpr int kMoveQuestion = 17011;  // 17011
constexpr std::u16string_view kScratchFolderName = u"Temporary";
constexpr int kSaveFailed = 20409;
} // namespace

GameSession::GameSession(CIgoBoard& board, GameStore& store, SettingsRecord& settings, Ui* ui)
    : m_board(board), m_store(store), m_settings(settings), m_ui(ui) {}

void GameSession::showMessages(const StoreMessages& messages) {
    if (!m_ui) return;
    for (const StoreMessage& m : messages) m_ui->showMessage(m.text, m.title);
}

bool GameSession::ensureScratchGroup() {
    const GroupRecord* scratch = m_store.group(kScratchGroup);
    if (scratch && !scratch->name.empty()) return true;
    // The scratch group names the folder that holds the temporary game, inside the data folder.
    m_store.setScratchFolder(std::u16string(kScratchFolderName) + u"/");
    return m_store.writeGroupList() > 0;
}

void GameSession::startUp() {
    m_group = m_store.currentGroup();
    m_number = 0;
    StoreMessages messages;
    if (ensureScratchGroup()) {
        GameFileRead read = m_store.readGame(kScratchGroup, 0, messages);
        if (read.status == StoreReadStatus::Ok && read.main) {
            GameInfo info = read.entry.value_or(GameInfo{});
            info.number = 0;
            m_board.loadGame(std::move(read.main), info);
            m_savedChanges = m_board.changeCounter();
            showMessages(messages);
            return;
        }
    }
    showMessages(messages);
    newTemporaryGame();
}

void GameSession::newTemporaryGame() {
    GameInfo info;
    info.board = m_board.gameInfo().board;
    m_board.newGame(info);
    m_number = 0;
    m_savedChanges = m_board.changeCounter();
}

void GameSession::showReadGame(std::unique_ptr<RecordSequence> main, const GameInfo& info) {
    saveCurrentGame(true);
    GameInfo shown = info;
    shown.number = 0;
    m_board.loadGame(std::move(main), shown);
    m_number = 0;
    // The game read is new to the library: it is kept as the temporary game at the next save.
    m_savedChanges = m_board.changeCounter() - 1;
}

bool GameSession::openGame(int group, int number) {
    StoreMessages messages;
    GameFileRead read = m_store.openGame(group, number, messages);
    showMessages(messages);
    if (read.status != StoreReadStatus::Ok || !read.main) return false;
    const GameInfo* listed = m_store.gameList(group, messages).find(number);
    GameInfo info = listed ? *listed : read.entry.value_or(GameInfo{});
    info.number = number;
    info.displayFlags = 0;
    m_board.loadGame(std::move(read.main), info);
    m_group = group;
    m_number = number;
    m_store.setCurrentGroup(group);
    m_savedChanges = m_board.changeCounter();
    return true;
}

void GameSession::openGroup(int group) {
    m_store.setCurrentGroup(group);
    m_group = group;
    StoreMessages messages;
    const auto entries = m_store.gameList(group, messages).entries();
    showMessages(messages);
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (openGame(group, (*it)->number)) return;
    newTemporaryGame();
}

bool GameSession::saveCurrentGame(bool ask) {
    bool ok = true;
    if (m_board.changeCounter() != m_savedChanges) {
        if (m_number == 0) {
            GameInfo info = m_board.gameInfo();
            ok = ensureScratchGroup() && m_store.writeGame(kScratchGroup, 0, m_board.record().main(), &info);
            if (ok) m_savedChanges = m_board.changeCounter();
        } else if (m_board.gameInfo().isProtected()) {
            if (m_ui) m_ui->boardMessage(m_board.text(kStrProtectedGame));
        } else {
            GameInfo info = m_board.gameInfo();
            info.number = m_number;
            StoreMessages messages;
            m_store.gameList(m_group, messages).put(info);
            const bool askNow = ask && m_settings.noSaveConfirmation == 0;
            if (!askNow || !m_ui || m_ui->ask(uiText(kSaveQuestion), uiText(kSaveTitle))) {
                ok = m_store.writeGame(m_group, m_number, m_board.record().main(), &info);
                if (ok) m_savedChanges = m_board.changeCounter();
            }
            showMessages(messages);
        }
    }
    ok = m_store.saveGameList(m_group) && ok;
    ok = m_store.writeMembers() >= 0 && ok;
    // A full disk or a folder that cannot be written: what was stored before stays as it was.
    if (!ok && m_ui) m_ui->showMessage(uiText(kSaveFailed), uiText(kSaveTitle));
    return ok;
}

bool GameSession::moveToFinishedGroup(int finishedType) {
    if (m_number == 0) return false;
    if (m_ui && !m_ui->ask(uiText(kMoveQuestion), uiText(kMoveTitle))) return false;
    saveCurrentGame(false);
    std::optional<int> target = m_store.groupForMode(finishedType, m_settings);
    StoreMessages messages;
    if (!target) return false;
    const int moved = m_number;
    const std::u16string name = m_board.gameInfo().name;
    const auto copy = m_store.moveGame(m_group, moved, *target, name, messages);
    showMessages(messages);
    if (!copy) return false;
    // The next game: the first number above, else the nearest below.
    GameList& list = m_store.gameList(m_group, messages);
    std::optional<int> next;
    for (const GameInfo* e : list.entries())
        if (e->number > moved) {
            next = e->number;
            break;
        }
    if (!next)
        for (int n = moved - 1; n >= 1; --n)
            if (list.find(n)) {
                next = n;
                break;
            }
    if (next && openGame(m_group, *next)) return true;
    newTemporaryGame();  // no game left in the group: an empty board
    return true;
}

} // namespace stonewise
