#include "app/GameSession.h"
#include "record/StringTable.h"

#include <algorithm>

#include "app/CIgoBoard.h"
#include "formats/SgfWriter.h"
#include "formats/TextEncoding.h"
#include "store/ExternalFolder.h"
#include "store/FileIo.h"
#include "store/GameFile.h"
#include "store/GameStore.h"
#include "store/StoreMemberDirectory.h"

namespace stonewise {

namespace {
constexpr int kStrSaveTitle = 11200;         // "棋譜の自動保存"
constexpr int kStrSaveQuestion = 11201;      // the game shown changed: save it?
constexpr int kStrMoveTitle = 17010;         // "終局棋譜の移動"
constexpr int kStrMoveQuestion = 17011;      // move the game shown to the finished-games group?
constexpr int kStrSaveFailed = 25033;        // the game could not be saved: check the data folder
constexpr int kStrExternalOverwrite = 26104; // the external record changed: overwrite its file?
constexpr std::u16string_view kScratchFolderName = u"Temporary";
} // namespace

GameSession::GameSession(CIgoBoard& board, GameStore& store, SettingsRecord& settings, Ui* ui)
    : m_board(board), m_store(store), m_settings(settings), m_ui(ui) {}

bool GameSession::unsaved() const { return !m_detached && m_board.changeCounter() != m_savedChanges; }

void GameSession::showMessages(const StoreMessages& messages) {
    if (!m_ui) return;
    for (const StoreMessage& m : messages) m_ui->showMessage(m.text, m.title);
}

bool prepareScratchGroup(GameStore& store) {
    const GroupRecord* scratch = store.group(kScratchGroup);
    if (scratch && !scratch->name.empty()) return true;
    // The scratch group names the folder that holds the temporary game, inside the data folder.
    store.setScratchFolder(std::u16string(kScratchFolderName) + u"/");
    StoreMessages messages;
    return store.writeGroupList(messages);
}

bool GameSession::ensureScratchGroup() { return prepareScratchGroup(m_store); }

bool GameSession::temporaryHoldsUserWork() const {
    return m_number == 0 && m_board.totalMoves() > 0 && m_board.changeCounter() != m_readChanges;
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
            m_readChanges = -1;
            m_savedChanges = m_board.changeCounter();
            m_origin = Origin::Stored;
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
    m_detached = false;
    m_readChanges = -1;
    m_number = 0;
    m_savedChanges = m_board.changeCounter();
    m_origin = Origin::NewGame;
}

void GameSession::showReadGame(std::unique_ptr<RecordSequence> main, const GameInfo& info) {
    saveCurrentGame(true);
    GameInfo shown = info;
    shown.number = 0;
    m_board.loadGame(std::move(main), shown);
    m_detached = false;
    m_number = 0;
    // The game read is new to the library: it is kept as the temporary game at the next save.
    m_savedChanges = m_board.changeCounter() - 1;
    m_readChanges = m_board.changeCounter();
    m_origin = Origin::ReadUnstored;
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
    m_detached = false;
    m_readChanges = -1;
    m_group = group;
    m_number = number;
    m_store.setCurrentGroup(group);
    m_savedChanges = m_board.changeCounter();
    m_origin = Origin::Stored;
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
    if (m_detached) return true;
    StoreMessages failures; // the kSaveFailed box below says it once for all of them
    if (m_board.changeCounter() != m_savedChanges) {
        if (m_number == 0) {
            GameInfo info = m_board.gameInfo();
            ok = ensureScratchGroup() && m_store.writeGame(kScratchGroup, 0, m_board.record().main(), &info, failures);
            if (ok) {
                m_savedChanges = m_board.changeCounter();
                m_origin = Origin::Stored;
            }
        } else if (m_board.gameInfo().isProtected()) {
            if (m_ui) m_ui->boardMessage(m_board.text(kStrProtectedGame));
        } else {
            GameInfo info = m_board.gameInfo();
            info.number = m_number;
            StoreMessages messages;
            m_store.gameList(m_group, messages).put(info);
            // A game of an external folder is written back to its file, after asking even when the
            // settings say to save without a question.
            const GroupRecord* group = m_store.group(m_group);
            const bool external =
                (info.flags & kInfoExternalGame) != 0 && !info.gameComment.empty() && group && group->externalFolder;
            const bool askNow = ask && (external || m_settings.noSaveConfirmation == 0);
            const std::vector<std::uint8_t> bytes = encodeGameFile(m_board.record().main(), &info, NodeForm::Ordinary);
            if (readWholeFile(m_store.gameFilePath(m_group, m_number)) == bytes) {
                // Changes that came back to what is stored (a correction cancelled): nothing to save.
                m_savedChanges = m_board.changeCounter();
            } else if (!askNow || !m_ui ||
                       m_ui->ask(m_board.text(external ? kStrExternalOverwrite : kStrSaveQuestion),
                                 m_board.text(kStrSaveTitle))) {
                if (external) {
                    ok = writeExternalFile(toUtf8(*group->externalFolder) + "/" + toUtf8(info.gameComment), info);
                    m_store.gameList(m_group, messages).put(info); // with the file's new time
                } else if (m_settings.saveSgfToo != 0) {
                    ok = writeSgfCopy(info);
                }
                ok = m_store.writeGame(m_group, m_number, m_board.record().main(), &info, failures) && ok;
                if (ok) m_savedChanges = m_board.changeCounter();
            }
            showMessages(messages);
        }
    }
    ok = m_store.saveGameList(m_group, failures) && ok;
    ok = m_store.writeMembers(failures).has_value() && ok;
    // A full disk or a folder that cannot be written: what was stored before stays as it was.
    if (!ok && m_ui) m_ui->showMessage(m_board.text(kStrSaveFailed), m_board.text(kStrSaveTitle));
    keepRecovery();
    return ok;
}

namespace {

// Writes an SGF file in place of `path`, keeping the file there was as "path$" (one generation);
// on failure the earlier file is put back.
bool writeSgfKeepingPrevious(const std::string& path, const RecordSequence& main, const GameInfo& info,
                             const SgfWriteOptions& options) {
    const bool had = pathExists(path);
    if (had) {
        removeFile(path + "$");
        if (!renameFile(path, path + "$")) return false;
    }
    if (saveSgfFile(path, main, info, options)) return true;
    if (had) renameFile(path + "$", path);
    return false;
}

} // namespace

SgfWriteOptions GameSession::sgfOptions() const {
    SgfWriteOptions options;
    options.encoding = static_cast<SgfEncoding>(std::min<int>(m_settings.sgfOutputEncoding, 2));
    options.codePage = systemCodePage(m_board.japaneseInterface());
    return options;
}

bool GameSession::writeExternalFile(const std::string& path, GameInfo& info) {
    StoreMemberDirectory members(m_store.members(), GameDate{});
    SgfWriteOptions options = sgfOptions();
    options.members = &members;
    if (!writeSgfKeepingPrevious(path, m_board.record().main(), info, options)) return false;
    // The entry keeps the file's time as written, so the folder's next look does not read it again.
    if (const std::optional<GameTime> stamp = fileStamp(path)) info.waitingTime = *stamp;
    return true;
}

bool GameSession::writeSgfCopy(const GameInfo& info) {
    const std::string gameFile = m_store.gameFilePath(m_group, m_number);
    const std::string folder = gameFile.substr(0, gameFile.find_last_of('/') + 1) + "SGF";
    if (!makeFolders(folder)) return false;
    StoreMemberDirectory members(m_store.members(), GameDate{});
    SgfWriteOptions options = sgfOptions();
    options.members = &members;
    return writeSgfKeepingPrevious(folder + "/" + toUtf8(defaultSgfFileName(info)), m_board.record().main(), info,
                                   options);
}

bool GameSession::storeHeader() {
    if (m_number == 0) return saveCurrentGame(false);
    GameInfo info = m_board.gameInfo();
    info.number = m_number;
    StoreMessages messages;
    m_store.gameList(m_group, messages).put(info);
    bool ok = m_store.writeGame(m_group, m_number, m_board.record().main(), &info, messages);
    ok = m_store.saveGameList(m_group, messages) && ok;
    ok = m_store.writeMembers(messages).has_value() && ok;
    if (ok) m_savedChanges = m_board.changeCounter();
    showMessages(messages);
    keepRecovery();
    return ok;
}

bool GameSession::moveToFinishedGroup(int finishedType) {
    if (m_number == 0) return false;
    if (m_ui && !m_ui->ask(m_board.text(kStrMoveQuestion), m_board.text(kStrMoveTitle))) return false;
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
    newTemporaryGame(); // no game left in the group: an empty board
    return true;
}

bool GameSession::reloadStored() {
    switch (m_origin) {
    case Origin::ReadUnstored: return false;
    case Origin::NewGame: {
        GameInfo info;
        info.board = m_board.gameInfo().board;
        info.handicap = m_board.gameInfo().handicap;
        m_board.newGame(info);
        m_readChanges = -1;
        m_savedChanges = m_board.changeCounter();
        break;
    }
    case Origin::Stored:
        if (m_number != 0) {
            if (!openGame(m_group, m_number)) return false;
            break;
        }
        StoreMessages messages;
        GameFileRead read = m_store.readGame(kScratchGroup, 0, messages);
        showMessages(messages);
        if (read.status != StoreReadStatus::Ok || !read.main) return false;
        GameInfo info = read.entry.value_or(GameInfo{});
        info.number = 0;
        m_board.loadGame(std::move(read.main), info);
        m_readChanges = -1;
        m_savedChanges = m_board.changeCounter();
        break;
    }
    keepRecovery();
    return true;
}

// --- the recovery file ---------------------------------------------------------------------------

namespace {
constexpr std::uint8_t kRecoveryMagic[4] = {'S', 'W', 'R', 'V'};
constexpr std::uint16_t kRecoveryVersion = 1;
constexpr std::size_t kRecoveryHeader = 16;
constexpr std::uint16_t kStoredEarlier = 1;

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t getLittleEndian(std::span<const std::uint8_t> in, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= std::uint32_t{in[at + static_cast<std::size_t>(i)]} << (8 * i);
    return v;
}
} // namespace

std::vector<std::uint8_t> encodeRecoveryFile(int group, int number, bool storedEarlier, const RecordSequence& main,
                                             const GameInfo& info) {
    std::vector<std::uint8_t> out(std::begin(kRecoveryMagic), std::end(kRecoveryMagic));
    putLittleEndian(out, kRecoveryVersion, 2);
    putLittleEndian(out, static_cast<std::uint32_t>(group), 2);
    putLittleEndian(out, static_cast<std::uint32_t>(number), 4);
    putLittleEndian(out, storedEarlier ? kStoredEarlier : 0u, 2);
    putLittleEndian(out, 0, 2);
    GameInfo entry = info;
    entry.number = number;
    const std::vector<std::uint8_t> game = encodeGameFile(main, &entry, NodeForm::Ordinary);
    out.insert(out.end(), game.begin(), game.end());
    return out;
}

std::optional<RecoveredGame> decodeRecoveryFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kRecoveryHeader ||
        !std::equal(std::begin(kRecoveryMagic), std::end(kRecoveryMagic), bytes.begin()) ||
        getLittleEndian(bytes, 4, 2) != kRecoveryVersion)
        return std::nullopt;
    GameFileRead read = decodeGameFile(bytes.subspan(kRecoveryHeader));
    if (read.status != StoreReadStatus::Ok || !read.main) return std::nullopt;
    RecoveredGame g;
    g.group = static_cast<int>(getLittleEndian(bytes, 6, 2));
    g.number = static_cast<int>(getLittleEndian(bytes, 8, 4));
    g.storedEarlier = (getLittleEndian(bytes, 12, 2) & kStoredEarlier) != 0;
    g.main = std::move(read.main);
    g.info = read.entry.value_or(GameInfo{});
    return g;
}

void GameSession::keepRecovery() {
    if (m_recoveryPath.empty() || m_detached) return;
    const int changes = m_board.changeCounter();
    if (changes == m_savedChanges) {
        if (m_recoveryWritten) removeRecovery();
        return;
    }
    if (m_recoveryWritten && changes == m_recoveryChanges) return;
    const int group = m_number == 0 ? kScratchGroup : m_group;
    const auto bytes =
        encodeRecoveryFile(group, m_number, m_origin == Origin::Stored, m_board.record().main(), m_board.gameInfo());
    // A recovery file that cannot be written is tried again at the next change. It is written after
    // every move, so it is not flushed to the disk: it only has to outlive the program.
    m_recoveryWritten = writeFileAtomically(m_recoveryPath, bytes, Durability::Process);
    m_recoveryChanges = changes;
}

void GameSession::endRecovery() {
    removeRecovery();
    m_recoveryPath.clear();
}

void GameSession::removeRecovery() {
    if (m_recoveryPath.empty()) return;
    removeFile(m_recoveryPath);
    m_recoveryWritten = false;
}

bool GameSession::restoreRecovery() {
    if (m_recoveryPath.empty()) return false;
    const auto bytes = readWholeFile(m_recoveryPath);
    if (!bytes) return false;
    std::optional<RecoveredGame> g = decodeRecoveryFile(*bytes);
    if (!g) return false;
    StoreMessages messages;
    const bool listed = g->number != 0 && g->group != kScratchGroup && m_store.group(g->group) &&
                        m_store.gameList(g->group, messages).find(g->number);
    if (listed && openGame(g->group, g->number)) {
        GameInfo info = m_board.gameInfo();
        m_board.loadGame(std::move(g->main), info);
        m_readChanges = -1;
    } else {
        GameInfo info = g->info;
        info.number = 0;
        m_board.loadGame(std::move(g->main), info);
        m_readChanges = -1;
        m_number = 0;
        // The temporary game's stored copy is an earlier state of it only when the file says so
        // (a game read from a file and never saved has none).
        m_origin = g->storedEarlier ? Origin::Stored : Origin::ReadUnstored;
    }
    // The recovered changes are not saved yet: the file stays until they are.
    m_savedChanges = m_board.changeCounter() - 1;
    m_recoveryWritten = true;
    m_recoveryChanges = m_board.changeCounter();
    return true;
}

} // namespace stonewise
