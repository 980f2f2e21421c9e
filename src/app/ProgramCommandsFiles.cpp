// The program's commands on game-record files: opening, the clipboard, drops, the recovery file
// and saving.
#include "app/ProgramCommands.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/Clipboard.h"
#include "app/Clock.h"
#include "app/FunctionModes.h"
#include "app/GameSession.h"
#include "app/Importer.h"
#include "app/Ui.h"
#include "formats/GameFileLoader.h"
#include "formats/SgfWriter.h"
#include "mailgo/CloudPoller.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "store/StoreMemberDirectory.h"

namespace stonewise {

namespace {

constexpr int kStrReadTitle = 11606; // "ファイル読み込み"
constexpr int kStrSaved = 25005;     // the game was saved
constexpr int kStrOpenTitle = 25006; // "棋譜ファイルを開く"
constexpr int kStrSgfFiles = 25007;
constexpr int kStrUgfFiles = 25008;
constexpr int kStrAllFiles = 25009;
constexpr int kStrSaveSgfTitle = 25010; // "棋譜をSGF形式で保存"
constexpr int kStrCannotWrite = 25011;  // the file could not be written: %s
constexpr int kStrReplaceFile = 25012;  // %s exists: replace it?
constexpr int kStrCannotRead = 25013;   // the game record file could not be read: %s %s
constexpr int kStrCannotOpen = 25014;
constexpr int kStrTooLarge = 25015;
constexpr int kStrNoGame = 25016;
constexpr int kStrExternalFetched = 26100;    // "外部棋譜取得：%d"
constexpr int kStrExternalUpdated = 26101;    // "「%s」グループの対局リストが更新されました。"
constexpr int kStrExternalMissing = 26102;    // the group's folder is missing: its games stay
constexpr int kStrExternalUnreadable = 26103; // a file of the folder could not be read
constexpr int kExternalPeriod = 60;           // seconds between two groups' synchronisations
constexpr std::size_t kMaxExternalGroups = 10;
constexpr int kStrFileSendTitle = 26000;     // "ファイル送信"
constexpr int kStrPasteIntoMail = 26001;     // "メールへ張り付け操作して下さい。"
constexpr int kStrMailSgfNotWritten = 26002; // "SGFファイルの作成が失敗しました。"
constexpr int kStrMailSgfNotSent = 26003;    // "SGFファイルを送るのに失敗しました。"
constexpr int kStrUnknownKind = 25017;
constexpr int kStrNoAutoSaved = 25031;      // there is no automatically saved game file
constexpr int kStrSamplesTitle = 20038;     // "デモ棋譜等のロード"
constexpr int kStrImportTitle = 52000;      // "ファイルの読み込み"
constexpr int kStrSamplesQuestion = 52017;  // load the sample records that come with the program?
constexpr int kStrKeepTemporary = 52020;    // the temporary game has unsaved moves: store it in %s?
constexpr int kStrNoSamples = 52022;        // no sample records were found in %s
constexpr int kStrTemporaryNotKept = 52023; // the temporary game could not be stored

GameTime gameTime(const DateTime& t) {
    GameTime g;
    g.year = static_cast<std::uint16_t>(t.year);
    g.month = static_cast<std::uint16_t>(t.month);
    g.day = static_cast<std::uint8_t>(t.day);
    g.hour = static_cast<std::uint8_t>(t.hour);
    g.minute = static_cast<std::uint8_t>(t.minute);
    g.second = static_cast<std::uint8_t>(t.second);
    return g;
}

// What a read needs: the code page, the members the players are found among (new names become
// members), and the time the game arrived.
struct ReadContext {
    std::optional<StoreMemberDirectory> members;
    LoadSettings settings;
};

ReadContext readContext(Application& app, const Clock& clock) {
    ReadContext c;
    c.settings.codePage = systemCodePage(app.japanese());
    const DateTime now = clock.localNow();
    if (GameStore* store = app.store()) {
        c.members.emplace(store->members(),
                          GameDate{static_cast<std::uint16_t>(now.year), static_cast<std::uint16_t>(now.month),
                                   static_cast<std::uint8_t>(now.day), 0});
        c.settings.members = &*c.members;
    }
    c.settings.now = gameTime(now);
    return c;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The path with ".sgf" added when its file name has no extension.
std::string withSgfExtension(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return hasExtension ? path : path + ".sgf";
}

} // namespace

// --- files -------------------------------------------------------------------------------------

void ProgramCommands::showLoaded(LoadedGame& game) {
    if (GameSession* session = m_app.session()) session->showReadGame(std::move(game.main), game.info);
    else m_board.loadGame(std::move(game.main), game.info);
    m_board.toStart();
    // What the file held that the record could not keep, and the games of a collection not
    // opened, are said over the game shown; a later save says that it writes the reduced record.
    if (game.reduced()) m_board.markReadReduced();
    if (const std::u16string notice = loadNoticeText(game, &m_app.strings()); !notice.empty())
        m_ui.showMessage(notice, text(kStrReadTitle));
}

void ProgramCommands::sayReducedSave(std::u16string_view title) {
    if (m_board.takeReducedSaveNotice()) m_ui.showMessage(reducedRecordSaveText(&m_app.strings()), title);
}

bool ProgramCommands::openFileQuietly(const std::string& path) {
    ReadContext context = readContext(m_app, m_clock);
    LoadedGame game = loadGameFile(path, LoadRequest{}, context.settings);
    for (const LoadMessage& m : game.messages)
        m_ui.showMessage(m.text, m.title.empty() ? text(kStrReadTitle) : m.title);
    if (!game.ok) {
        if (game.messages.empty()) {
            int reason = kStrCannotOpen;
            switch (game.failure) {
            case LoadFailure::TooLarge: reason = kStrTooLarge; break;
            case LoadFailure::NoGame: reason = kStrNoGame; break;
            case LoadFailure::UnknownFileKind: reason = kStrUnknownKind; break;
            default: break;
            }
            m_ui.showMessage(formatText(text(kStrCannotRead), {fromUtf8(path), text(reason)}), text(kStrReadTitle));
        }
        return false;
    }
    showLoaded(game);
    return true;
}

void ProgramCommands::openFile(const std::string& path) {
    importFiles({path});
    refresh();
}

void ProgramCommands::openStartFile(const std::string& path) {
    if (FunctionModes* modes = m_app.modes()) modes->setMode(kModeViewing);
    openFile(path);
}

void ProgramCommands::openDroppedFiles(const std::vector<std::string>& paths) {
    importFiles(paths);
    refresh();
}

void ProgramCommands::openFiles() {
    OpenFilesRequest request;
    request.title = text(kStrOpenTitle);
    request.folder = m_lastFolder;
    request.filters = {
        {text(kStrSgfFiles), {u"*.sgf"}}, {text(kStrUgfFiles), {u"*.ugf", u"*.ugi"}}, {text(kStrAllFiles), {u"*"}}};
    const std::vector<std::string> paths = m_ui.chooseFilesToOpen(request);
    if (paths.empty()) return;
    m_lastFolder = folderOf(paths.front());
    // In the Mail Go mode a cloud folder's next-move file is received mail, not a game record.
    if (const FunctionModes* modes = m_app.modes();
        modes && modes->mode() == kModeMailGo && paths.size() == 1 && paths.front().ends_with(".nextmove")) {
        receiveMailFile(paths.front());
        return;
    }
    importFiles(paths);
}

// --- importing -----------------------------------------------------------------------------------

namespace {

// The window's side of an import: the dialog, messages and the progress window through `Ui`, and
// the temporary game through the program's commands.
class WindowImport final : public ImportFrontEnd {
public:
    WindowImport(Ui& ui, std::function<bool(LoadedGame&)> temporary) : m_ui(ui), m_temporary(std::move(temporary)) {}
    ImportDialogResult askImport(const ImportDialogRequest& request) override { return m_ui.askImportFile(request); }
    void showMessage(std::u16string_view text, std::u16string_view title) override { m_ui.showMessage(text, title); }
    bool takeTemporary(LoadedGame& game) override { return m_temporary(game); }
    void beginProgress(const ImportProgressRequest& request) override { m_ui.beginProgress(request); }
    bool stepProgress(int done, std::u16string_view text) override { return m_ui.stepProgress(done, text); }
    void endProgress() override { m_ui.endProgress(); }

private:
    Ui& m_ui;
    std::function<bool(LoadedGame&)> m_temporary;
};

// The group of the window, or the first group when it has none.
int windowGroup(GameStore& store, GameSession* session) {
    const int current = session ? session->group() : store.currentGroup();
    if (store.group(current) && current < kMaxUserGroups) return current;
    for (int n = 0; n < kMaxUserGroups; ++n)
        if (store.group(n)) return n;
    return 0;
}

} // namespace

bool ProgramCommands::takeTemporaryGame(LoadedGame& game) {
    showLoaded(game);
    return true;
}

bool ProgramCommands::keepTemporaryWork() {
    GameSession* session = m_app.session();
    GameStore* store = m_app.store();
    if (!session || !store || !session->temporaryHoldsUserWork()) return true;
    // The moves played in the temporary game would be replaced: they go into the library as a new
    // game of the window's group, unless the user says they may go.
    int group = windowGroup(*store, session);
    if (const GroupRecord* g = store->group(group); g && (g->externalFolder || (g->type & kGroupExternal)))
        group = automaticGroup(*store, GameInfo{}).value_or(group);
    const GroupRecord* g = store->group(group);
    if (!g || !m_ui.ask(formatText(text(kStrKeepTemporary), {g->name}), text(kStrImportTitle))) return false;
    StoreMessages messages;
    const std::optional<int> number =
        storeNewGame(*store, group, m_board.record().main(), m_board.gameInfo(), messages);
    for (const StoreMessage& m : messages) m_ui.showMessage(m.text, m.title);
    if (!number) {
        m_ui.showMessage(text(kStrTemporaryNotKept), text(kStrImportTitle));
        return false;
    }
    session->openGame(group, *number);
    return true;
}

void ProgramCommands::importFiles(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    GameStore* store = m_app.store();
    GameSession* session = m_app.session();
    if (!store) {
        // Without a library (its start failed) a file can still be looked at.
        for (const std::string& path : paths)
            if (openFileQuietly(path)) break;
        return;
    }
    keepTemporaryWork();
    // The game shown is left as any other command leaves it (saved, or asked about).
    if (session) session->saveCurrentGame(true);
    ReadContext context = readContext(m_app, m_clock);
    ImportOptions options;
    options.settings = context.settings;
    options.defaultGroup = windowGroup(*store, session);
    // The sample records start from the first group.
    if (m_importingSamples) options.defaultGroup = automaticGroup(*store, GameInfo{}).value_or(options.defaultGroup);
    options.preset.mergeContinuations = m_mergeContinuations;
    options.demoRecords = m_importingSamples;
    WindowImport front(m_ui, [this](LoadedGame& game) { return takeTemporaryGame(game); });
    Importer importer(*store, m_app.strings(), front);
    const ImportSummary summary = importer.run(paths, options);
    m_mergeContinuations = summary.mergeContinuations;
    // The last game stored is shown, in its group.
    if (summary.lastGroup && summary.lastNumber && session && summary.temporary == 0) {
        // A group of another working mode brings its mode (Mail Go, play and record, …).
        FunctionModes* modes = m_app.modes();
        const std::uint32_t type = store->group(*summary.lastGroup)->type;
        if (modes && (type & static_cast<std::uint32_t>(modes->mode())) == 0)
            for (const int mode : {kModeMailGo, kModePlayAndRecord, kModeProblems, kModeViewing})
                if (type & static_cast<std::uint32_t>(mode)) {
                    modes->setMode(mode);
                    break;
                }
        session->saveCurrentGame(true);
        session->openGame(*summary.lastGroup, *summary.lastNumber);
    }
}

namespace {

// The sample records beside the program, in name order.
std::vector<std::string> sampleRecordPaths(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && gameFileKind(name) == GameFileKind::Sgf && name.back() != '$')
            paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace

void ProgramCommands::loadSampleRecords() {
    if (!m_ui.ask(text(kStrSamplesQuestion), text(kStrSamplesTitle))) return;
    const std::vector<std::string> paths = sampleRecordPaths(m_app.sampleRecordsFolder());
    if (paths.empty()) {
        m_ui.showMessage(formatText(text(kStrNoSamples), {fromUtf8(m_app.sampleRecordsFolder())}),
                         text(kStrSamplesTitle));
        return;
    }
    m_importingSamples = true;
    importFiles(paths);
    m_importingSamples = false;
    refresh();
}

void ProgramCommands::offerSampleRecordsOnce() {
    // Offered only where the program has its sample records beside it.
    if (m_app.takeSampleRecordsOffer() && !sampleRecordPaths(m_app.sampleRecordsFolder()).empty()) loadSampleRecords();
}

void ProgramCommands::openAutoSaved() {
    const auto bytes = readWholeFile(m_app.recoveryFile());
    std::optional<RecoveredGame> game = bytes ? decodeRecoveryFile(*bytes) : std::nullopt;
    if (!game) {
        m_ui.showMessage(text(kStrNoAutoSaved), text(kStrReadTitle));
        return;
    }
    LoadedGame loaded;
    loaded.ok = true;
    loaded.main = std::move(game->main);
    loaded.info = game->info;
    // The file follows the game shown while it has changes not saved: nothing else is replaced.
    showLoaded(loaded);
}

void ProgramCommands::openClipboard() { openText(m_clipboard.text().value_or(std::u16string())); }

void ProgramCommands::openDroppedText(std::u16string_view text) {
    openText(text);
    refresh();
}

void ProgramCommands::openText(std::u16string_view sgf) {
    // The text is already Unicode: read as it is, whatever charset its CA names.
    ReadContext context = readContext(m_app, m_clock);
    LoadedGame game = loadClipboardText(sgf, LoadRequest{}, context.settings);
    for (const LoadMessage& m : game.messages) {
        m_ui.showMessage(m.text, m.title);
        // A board of another size is refused by its own message, naming the size, alone.
        if (game.failure == LoadFailure::BoardSize) break;
    }
    if (!game.ok) return;
    // The text becomes the temporary game: moves the user played there are kept first.
    keepTemporaryWork();
    showLoaded(game);
}

void ProgramCommands::saveCurrentGame() {
    GameSession* session = m_app.session();
    if (!session) return;
    sayReducedSave(text(kStrReadTitle));
    if (session->saveCurrentGame(false) && !session->unsaved()) m_ui.setStatusText(text(kStrSaved));
}

void ProgramCommands::saveAsSgf() {
    sayReducedSave(text(kStrSaveSgfTitle));
    saveAsSgf(m_board.record().main(), m_board.gameInfo());
}

void ProgramCommands::saveAsSgf(const RecordSequence& record, const GameInfo& info) {
    SaveFileRequest request;
    request.title = text(kStrSaveSgfTitle);
    request.folder = m_lastFolder;
    request.proposedName = defaultSgfFileName(info);
    request.filters = {{text(kStrSgfFiles), {u"*.sgf"}}, {text(kStrAllFiles), {u"*"}}};
    const std::optional<std::string> chosen = m_ui.chooseFileToSave(request);
    if (!chosen || chosen->empty()) return;
    const std::string path = withSgfExtension(*chosen);
    // The chooser asked about the name as typed; a name that only now names a file is asked here.
    if (path != *chosen && pathExists(path) &&
        !m_ui.ask(formatText(text(kStrReplaceFile), {fromUtf8(path)}), request.title))
        return;
    m_lastFolder = folderOf(path);
    SgfWriteOptions options;
    options.encoding = static_cast<SgfEncoding>(std::min<int>(m_app.settings().sgfOutputEncoding, 2));
    options.codePage = systemCodePage(m_app.japanese());
    ReadContext context = readContext(m_app, m_clock);
    if (context.members) options.members = &*context.members;
    if (!saveSgfFile(path, record, info, options))
        m_ui.showMessage(formatText(text(kStrCannotWrite), {fromUtf8(path)}), request.title);
}

// The game as an SGF file for a mail: the main line only, named after the game with "-MAIL.sgf", in
// the folder of its group, and put on the clipboard as a file to paste into the mail.
bool ProgramCommands::writeExportSgf(const std::string& path) {
    SgfWriteOptions options;
    options.encoding = static_cast<SgfEncoding>(std::min<int>(m_app.settings().sgfOutputEncoding, 2));
    options.codePage = systemCodePage(m_app.japanese());
    options.exportOnly = true;
    options.exportComments = m_app.settings().omitComments == 0;
    ReadContext context = readContext(m_app, m_clock);
    if (context.members) options.members = &*context.members;
    return saveSgfFile(path, m_board.record().main(), m_board.gameInfo(), options);
}

void ProgramCommands::sendGameAsFile() {
    const std::u16string title = text(kStrFileSendTitle);
    sayReducedSave(title);
    const GameInfo& info = m_board.gameInfo();
    const GameSession* session = m_app.session();
    const int group = session ? session->group() : 0;
    const DataFolder& data = m_app.folder();
    std::u16string name = defaultSgfFileName(info);
    name.resize(name.size() - 4); // without ".sgf"
    const std::string path = (group > 0 ? data.groupFolder(group) : data.file("")) + toUtf8(name) + "-MAIL.sgf";
    if (!writeExportSgf(path)) {
        m_ui.showMessage(text(kStrMailSgfNotWritten), title);
        return;
    }
    if (!m_clipboard.setFiles({path})) {
        m_ui.showMessage(text(kStrMailSgfNotSent), title);
        return;
    }
    m_ui.showMessage(text(kStrPasteIntoMail), title);
}

// --- external game-record folders ---------------------------------------------------------------

bool ProgramCommands::secondTick() {
    const CloudCheck cloud = checkCloud(false);
    const bool external = externalTick();
    return external || cloud.moveTaken || cloud.studiesTaken > 0;
}

bool ProgramCommands::externalTick() {
    GameStore* store = m_app.store();
    if (!store) return false;
    std::vector<int> groups;
    for (const std::optional<GroupRecord>& g : store->groups())
        if (g && g->externalFolder && (g->type & kGroupExternal) && groups.size() < kMaxExternalGroups)
            groups.push_back(g->number);
    // A folder the file watcher reported, or one that held files still being written.
    for (auto it = m_externalDue.begin(); it != m_externalDue.end(); ++it)
        if (--it->second <= 0) {
            const int group = it->first;
            m_externalDue.erase(it);
            if (std::find(groups.begin(), groups.end(), group) != groups.end()) return synchroniseExternalGroup(group);
            break;
        }
    const int current = store->currentGroup();
    if (current != m_lastCurrentGroup) {
        m_lastCurrentGroup = current;
        if (std::find(groups.begin(), groups.end(), current) != groups.end()) return synchroniseExternalGroup(current);
    }
    if (++m_externalSeconds < kExternalPeriod || groups.empty()) return false;
    m_externalSeconds = 0;
    const auto next = std::upper_bound(groups.begin(), groups.end(), m_lastExternal);
    m_lastExternal = next == groups.end() ? groups.front() : *next;
    return synchroniseExternalGroup(m_lastExternal);
}

std::vector<std::string> ProgramCommands::externalFolders() const {
    std::vector<std::string> folders;
    for (const auto& [group, external] : m_external) folders.push_back(external.folder());
    return folders;
}

void ProgramCommands::externalFolderChanged(const std::string& folder) {
    for (const auto& [group, external] : m_external)
        if (external.folder() == folder || external.folder() == folder + "/") m_externalDue.try_emplace(group, 1);
}

bool ProgramCommands::synchroniseExternalGroup(int group) {
    GameStore* store = m_app.store();
    const GroupRecord* g = store ? store->group(group) : nullptr;
    if (!g || !g->externalFolder) return false;
    const std::string folder = toUtf8(*g->externalFolder);
    auto [it, added] = m_external.try_emplace(group, group, folder);
    if (it->second.folder() != folder) it->second = ExternalGroup(group, folder);
    ReadContext context = readContext(m_app, m_clock);
    const ExternalScan scan = scanExternalFolder(folder, m_clock.secondsSinceEpoch());
    if (!scan.settling.empty()) m_externalDue.try_emplace(group, 3); // read them once they are written
    const ExternalSyncResult r = it->second.synchronise(*store, scan, context.settings, [this](int count) {
        m_ui.boardMessage(formatText(text(kStrExternalFetched), {count}));
    });
    if (r.folderMissing) {
        // Said once; nothing is removed while the folder is away.
        if (m_missingFolderSaid.insert(group).second)
            m_ui.boardMessage(formatText(text(kStrExternalMissing), {g->name, *g->externalFolder}));
        return false;
    }
    m_missingFolderSaid.erase(group);
    for (const std::string& name : r.newlyRefused)
        m_ui.boardMessage(formatText(text(kStrExternalUnreadable), {fromUtf8(name)}));
    if (!r.changed) return false;
    m_ui.boardMessage(formatText(text(kStrExternalUpdated), {g->name}));
    // The game on the board left the group with its file: the group's last game is shown instead.
    GameSession* session = m_app.session();
    if (session && session->group() == group &&
        std::find(r.removedGames.begin(), r.removedGames.end(), session->number()) != r.removedGames.end())
        session->openGroup(group);
    return group == store->currentGroup();
}

void ProgramCommands::printGame() {
    const auto memberName = [this](int member) -> std::u16string {
        GameStore* store = m_app.store();
        const MemberRecord* m = store ? store->members().find(member) : nullptr;
        return m ? m->name : std::u16string();
    };
    m_printing.run(m_board, m_ui, m_app.settings(), printViewSettings(m_app.settings(), m_app.japanese()), memberName,
                   &m_app.strings());
}

} // namespace stonewise
