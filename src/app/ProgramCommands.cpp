#include "app/ProgramCommands.h"

#include <optional>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/Clipboard.h"
#include "app/Clock.h"
#include "app/FunctionModes.h"
#include "app/GameSession.h"
#include "app/MenuModel.h"
#include "app/Shell.h"
#include "app/Ui.h"
#include "formats/GameFileLoader.h"
#include "formats/SgfWriter.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "store/StoreMemberDirectory.h"

namespace stonewise {

namespace {

constexpr int kStrProgramName = 103;        // "Stonewise"
constexpr int kStrReadTitle = 11606;        // "ファイル読み込み"
constexpr int kStrMoveTitle = 17010;        // "終局棋譜の移動"
constexpr int kStrNotYetAvailable = 25000;  // this function is not available yet
constexpr int kStrWindowTitle = 25001;      // "%s - Stonewise"
constexpr int kStrOpenBookFirst = 25002;    // open a Go book before its mode
constexpr int kStrBookTitle = 25003;        // "碁ブック"
constexpr int kStrTemporaryNotMoved = 25004; // the temporary game is not in a game list
constexpr int kStrSaved = 25005;            // the game was saved
constexpr int kStrOpenTitle = 25006;        // "棋譜ファイルを開く"
constexpr int kStrSgfFiles = 25007;
constexpr int kStrUgfFiles = 25008;
constexpr int kStrAllFiles = 25009;
constexpr int kStrSaveSgfTitle = 25010;     // "棋譜をSGF形式で保存"
constexpr int kStrCannotWrite = 25011;      // the file could not be written: %s
constexpr int kStrReplaceFile = 25012;      // %s exists: replace it?
constexpr int kStrCannotRead = 25013;       // the game record file could not be read: %s %s
constexpr int kStrCannotOpen = 25014;
constexpr int kStrTooLarge = 25015;
constexpr int kStrNoGame = 25016;
constexpr int kStrUnknownKind = 25017;
constexpr int kStrOnlyOneOpened = 25018;    // %d files were given; only %s was opened
constexpr int kStrDataFolderTitle = 25019;  // "データフォルダを開く"
constexpr int kStrCannotOpenFolder = 25020; // the data folder could not be opened: %s
constexpr int kStrVersionTitle = 25021;     // "バージョン情報"
constexpr int kStrVersionLine = 25022;      // "%s, Version %s, Build %d"
constexpr int kStrVersionAbout = 25023;
constexpr int kStrSupportPage = 25024;
constexpr int kStrInquiryMail = 25025;
constexpr int kStrOk = 25026;
constexpr int kStrNoAutoSaved = 25031;      // there is no automatically saved game file
constexpr int kStrNotStoredYet = 25032;     // the game was never stored: nothing to return to
constexpr int kStrPlayers = 25034;          // "%s 対 %s"

constexpr std::u16string_view kVersion = u"2.2.0";
constexpr int kBuild = 1052;
constexpr const char* kSupportPage = "https://stonewise.example.org/support";
constexpr const char* kInquiryAddress = "mailto:support@stonewise.example.org?subject=Stonewise%202.2.0";

// The pop-up menu a main-bar button opens, by the button's command; -1 for a button without one.
int popupOfButton(int command, int mode) {
    switch (command) {
    case kCmdOtherPopup: return mode == kModeMailGo ? 3 : mode == kModePlayAndRecord ? 4 : 5;
    case kCmdFinishedPopup: return 6;
    case kCmdFilePopup: return 7;
    case kCmdGroupsPopup: return 8;
    case kCmdHelpButtonOrDemo: return 2;
    default: return -1;
    }
}

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
        c.members.emplace(store->members(), GameDate{static_cast<std::uint16_t>(now.year), static_cast<std::uint16_t>(now.month),
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

ProgramCommands::ProgramCommands(Application& app, CIgoBoard& board, Ui& ui, Shell& shell, Clipboard& clipboard,
                                 const Clock& clock)
    : m_app(app), m_board(board), m_ui(ui), m_shell(shell), m_clipboard(clipboard), m_clock(clock) {}

std::u16string ProgramCommands::text(int id) const { return m_board.text(id); }

void ProgramCommands::startUp() {
    const DateTime now = m_clock.localNow();
    m_app.startLibrary(m_board, &m_ui,
                       {static_cast<std::uint16_t>(now.year), static_cast<std::uint16_t>(now.month),
                        static_cast<std::uint8_t>(now.day), 0});
    refresh();
}

// --- dispatch ----------------------------------------------------------------------------------

void ProgramCommands::run(int id, CommandSource source, int x, int y) {
    const bool fromBar = source == CommandSource::MainBar || source == CommandSource::SecondaryBar;
    const FunctionModes* modes = m_app.modes();
    if (id == kCmdRestoreRecord) {
        // The program's: it goes back to the game as stored, not to a copy kept in the window.
        restoreStoredRecord();
    } else if (const int popup = fromBar ? popupOfButton(id, modes ? modes->mode() : kModeNone) : -1; popup >= 0) {
        showPopup(popup);
    } else if (!m_board.command(id, x, y) && !runProgramCommand(id)) {
        notYetAvailable(id);
    }
    refresh();
}

void ProgramCommands::clickPoint(int x, int y) {
    m_board.clickPoint(x, y);
    refresh();
}

void ProgramCommands::boardMenu(int x, int y) {
    if (m_board.flash().running()) return;  // the right button holds the flash display's afterimage
    refresh();
    showPopup(0, x, y);
    refresh();
}

void ProgramCommands::showPopup(int popup, int x, int y) {
    PopupMenuRequest request;
    request.popup = popup;
    for (const MenuEntry& e : popupMenu(popup).children) {
        PopupItem item;
        item.command = e.command;
        item.text = std::u16string(e.text);
        item.enabled = e.command != 0 && (popup == 0 ? m_states.enabledAtPoint(e.command, m_board, x, y) : m_states.enabled(e.command));
        request.items.push_back(std::move(item));
    }
    const int chosen = m_ui.choosePopupCommand(request);
    for (const PopupItem& item : request.items)
        if (chosen != 0 && item.command == chosen && item.enabled) {
            run(chosen, CommandSource::Popup, x, y);
            return;
        }
}

bool ProgramCommands::runProgramCommand(int id) {
    FunctionModes* modes = m_app.modes();
    switch (id) {
    case kCmdModeMailGo: if (modes) modes->setMode(kModeMailGo); return true;
    case kCmdModePlayAndRecord: if (modes) modes->setMode(kModePlayAndRecord); return true;
    case kCmdModeViewing: if (modes) modes->setMode(kModeViewing); return true;
    case kCmdModeProblems: if (modes) modes->setMode(kModeProblems); return true;
    case kCmdModeBook:
        if (modes && !modes->setMode(kModeBook)) m_ui.showMessage(text(kStrOpenBookFirst), text(kStrBookTitle));
        return true;
    case kCmdFinishedView: if (modes) modes->toggleFinishedView(); return true;
    case kCmdReturnFromFinished:
        // Only the way back: from a live group it does nothing.
        if (modes && modes->finishedViewShown()) modes->toggleFinishedView();
        return true;
    case kCmdMoveToFinished: moveToFinishedGroup(); return true;
    case kCmdSave: saveCurrentGame(); return true;
    case kCmdOpenFiles: openFiles(); return true;
    case kCmdOpenAutoSaved: openAutoSaved(); return true;
    case kCmdOpenClipboard: openClipboard(); return true;
    case kCmdSaveAsSgf: saveAsSgf(); return true;
    case kCmdOpenDataFolder: openDataFolder(); return true;
    case kCmdVersion: showVersion(); return true;
    case kCmdInquiryMail: m_shell.openUrl(kInquiryAddress); return true;
    case kCmdExit: m_ui.closeMainWindow(); return true;
    case kCmdFlashDisplay: m_board.toggleFlashMode(); return true;
    // kCmdHelpButtonOrDemo from the help menu is "デモ棋譜等のロード", which is not there yet (the
    // bar's button opened its pop-up above).
    default: return false;
    }
}

void ProgramCommands::notYetAvailable(int id) {
    const std::u16string_view name = menuText(id);
    m_ui.showMessage(text(kStrNotYetAvailable), name.empty() ? text(kStrProgramName) : std::u16string(name));
}

// --- refresh -----------------------------------------------------------------------------------

const CommandStates& ProgramCommands::refresh() {
    m_states.refresh(m_board, m_app.modes(), m_clipboard.hasText());
    if (GameSession* session = m_app.session()) session->keepRecovery();
    if (std::u16string title = windowTitle(); title != m_title) {
        m_title = std::move(title);
        m_ui.setWindowTitle(m_title);
    }
    return m_states;
}

std::u16string ProgramCommands::windowTitle() const {
    const GameInfo& info = m_board.gameInfo();
    std::u16string name = info.name;
    if (name.empty()) {
        GameStore* store = m_app.store();
        auto player = [store](std::int32_t member, const std::u16string& kept) -> std::u16string {
            const MemberRecord* m = store && member != 0 ? store->members().find(member) : nullptr;
            return m && !m->name.empty() ? m->name : kept;
        };
        const std::u16string black = player(info.blackPlayer, info.blackName);
        const std::u16string white = player(info.whitePlayer, info.whiteName);
        if (!black.empty() || !white.empty()) name = formatText(text(kStrPlayers), {black, white});
    }
    return name.empty() ? text(kStrProgramName) : formatText(text(kStrWindowTitle), {name});
}

// --- files -------------------------------------------------------------------------------------

void ProgramCommands::showLoaded(LoadedGame& game) {
    if (GameSession* session = m_app.session()) session->showReadGame(std::move(game.main), game.info);
    else m_board.loadGame(std::move(game.main), game.info);
    m_board.toStart();
}

bool ProgramCommands::openFileQuietly(const std::string& path) {
    ReadContext context = readContext(m_app, m_clock);
    LoadedGame game = loadGameFile(path, LoadRequest{}, context.settings);
    for (const LoadMessage& m : game.messages) m_ui.showMessage(m.text, m.title.empty() ? text(kStrReadTitle) : m.title);
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
    openFileQuietly(path);
    refresh();
}

void ProgramCommands::openStartFile(const std::string& path) {
    if (FunctionModes* modes = m_app.modes()) modes->setMode(kModeViewing);
    openFile(path);
}

void ProgramCommands::openDroppedFiles(const std::vector<std::string>& paths) {
    // One game at a time until files can be imported together: the first that reads is shown, and
    // with several the user learns which one it was.
    for (const std::string& path : paths) {
        if (!openFileQuietly(path)) continue;
        if (paths.size() > 1)
            m_ui.showMessage(formatText(text(kStrOnlyOneOpened), {static_cast<int>(paths.size()), fromUtf8(path)}),
                             text(kStrReadTitle));
        break;
    }
    refresh();
}

void ProgramCommands::openFiles() {
    OpenFilesRequest request;
    request.title = text(kStrOpenTitle);
    request.folder = m_lastFolder;
    request.filters = {{text(kStrSgfFiles), {u"*.sgf"}}, {text(kStrUgfFiles), {u"*.ugf", u"*.ugi"}}, {text(kStrAllFiles), {u"*"}}};
    const std::vector<std::string> paths = m_ui.chooseFilesToOpen(request);
    if (paths.empty()) return;
    m_lastFolder = folderOf(paths.front());
    openDroppedFiles(paths);
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
    for (const LoadMessage& m : game.messages) m_ui.showMessage(m.text, m.title);
    if (game.ok) showLoaded(game);
}

void ProgramCommands::saveCurrentGame() {
    GameSession* session = m_app.session();
    if (!session) return;
    if (session->saveCurrentGame(false) && !session->unsaved()) m_ui.setStatusText(text(kStrSaved));
}

void ProgramCommands::saveAsSgf() {
    SaveFileRequest request;
    request.title = text(kStrSaveSgfTitle);
    request.folder = m_lastFolder;
    request.proposedName = defaultSgfFileName(m_board.gameInfo());
    request.filters = {{text(kStrSgfFiles), {u"*.sgf"}}, {text(kStrAllFiles), {u"*"}}};
    const std::optional<std::string> chosen = m_ui.chooseFileToSave(request);
    if (!chosen || chosen->empty()) return;
    const std::string path = withSgfExtension(*chosen);
    // The chooser asked about the name as typed; a name that only now names a file is asked here.
    if (path != *chosen && pathExists(path) && !m_ui.ask(formatText(text(kStrReplaceFile), {fromUtf8(path)}), request.title))
        return;
    m_lastFolder = folderOf(path);
    SgfWriteOptions options;
    options.encoding = static_cast<SgfEncoding>(std::min<int>(m_app.settings().sgfOutputEncoding, 2));
    options.codePage = systemCodePage(m_app.japanese());
    ReadContext context = readContext(m_app, m_clock);
    if (context.members) options.members = &*context.members;
    if (!saveSgfFile(path, m_board.record().main(), m_board.gameInfo(), options))
        m_ui.showMessage(formatText(text(kStrCannotWrite), {fromUtf8(path)}), request.title);
}

// --- the library -------------------------------------------------------------------------------

void ProgramCommands::restoreStoredRecord() {
    GameSession* session = m_app.session();
    if (!session) {
        m_board.command(kCmdRestoreRecord);
        return;
    }
    if (!session->canReloadStored()) {
        m_ui.showMessage(text(kStrNotStoredYet), text(kStrRestoreTitle));
        return;
    }
    if (!m_ui.ask(text(kStrRestoreQuestion), text(kStrRestoreTitle))) return;
    session->reloadStored();
}

void ProgramCommands::moveToFinishedGroup() {
    GameSession* session = m_app.session();
    const FunctionModes* modes = m_app.modes();
    if (!session || !modes) return;
    if (session->temporary()) {
        m_ui.showMessage(text(kStrTemporaryNotMoved), text(kStrMoveTitle));
        return;
    }
    session->moveToFinishedGroup(modes->mode() == kModeMailGo ? kModeMailGoFinished : kModePlayFinished);
}

void ProgramCommands::openDataFolder() {
    const std::string& folder = m_app.folder().path();
    if (!m_shell.openFolder(folder))
        m_ui.showMessage(formatText(text(kStrCannotOpenFolder), {fromUtf8(folder)}), text(kStrDataFolderTitle));
}

// --- the version dialog and the end --------------------------------------------------------------

void ProgramCommands::showVersion() {
    VersionDialogRequest request;
    request.title = text(kStrVersionTitle);
    request.productLine = formatText(text(kStrVersionLine), {text(kStrProgramName), kVersion, kBuild});
    request.description = text(kStrVersionAbout);
    request.supportButton = text(kStrSupportPage);
    request.inquiryButton = text(kStrInquiryMail);
    request.okButton = text(kStrOk);
    switch (m_ui.showVersion(request)) {
    case VersionDialogChoice::SupportPage: m_shell.openUrl(kSupportPage); break;
    case VersionDialogChoice::InquiryMail: run(kCmdInquiryMail); break;
    case VersionDialogChoice::Close: break;
    }
}

bool ProgramCommands::exitCheck() { return m_app.exitCheck(); }

void ProgramCommands::shutDown() {
    m_board.stopBusy();
    m_app.shutDown();
}

} // namespace stonewise
