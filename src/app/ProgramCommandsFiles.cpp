// The program's commands on game-record files: opening, the clipboard, drops, the recovery file
// and saving.
#include "app/ProgramCommands.h"

#include <optional>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/Clipboard.h"
#include "app/Clock.h"
#include "app/FunctionModes.h"
#include "app/GameSession.h"
#include "app/Ui.h"
#include "formats/GameFileLoader.h"
#include "formats/SgfWriter.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "store/StoreMemberDirectory.h"

namespace stonewise {

namespace {

constexpr int kStrReadTitle = 11606;        // "ファイル読み込み"
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
constexpr int kStrNoAutoSaved = 25031;      // there is no automatically saved game file

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

void ProgramCommands::saveAsSgf() { saveAsSgf(m_board.record().main(), m_board.gameInfo()); }

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
    if (path != *chosen && pathExists(path) && !m_ui.ask(formatText(text(kStrReplaceFile), {fromUtf8(path)}), request.title))
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

} // namespace stonewise
