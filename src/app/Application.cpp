#include "app/Application.h"

#include "app/CGoStory.h"
#include "app/GameSession.h"
#include "app/Ui.h"
#include "book/BookLibrary.h"
#include "record/StringTable.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "store/LanguageLibrary.h"
#include "store/SettingsFile.h"

namespace stonewise {

namespace {
constexpr int kStrRecovered = 25029;         // the game of a run that did not end was restored
constexpr int kStrRecoveredTitle = 25030;    // "棋譜の復元"
constexpr int kStrSettingsNotSaved = 25027;  // the settings could not be saved
constexpr int kStrSettingsSaveTitle = 25028; // "設定の保存"
constexpr int kStrMailGoTitle = 11204;       // "メール碁"
constexpr int kStrMailUnsent = 11205;        // a Mail Go game has not been sent: go on without sending?
} // namespace

Application::Application(CommandLine commandLine, DataFolder folder, std::string programFolder)
    : m_commandLine(std::move(commandLine)), m_folder(std::move(folder)), m_programFolder(std::move(programFolder)) {}

Application::~Application() {
    if (m_language && &StringTable::interface() == &m_language->strings()) StringTable::setInterface(nullptr);
}

std::u16string_view Application::maintenanceMessage() { return uiText(20419); }

void Application::chooseLanguage(long userLocale) {
    const long locale = m_commandLine.locale ? *m_commandLine.locale : userLocale;
    m_japanese = isJapaneseLocale(locale);
    StringTable::setInterface(nullptr);
    m_language.reset();
    if (!m_japanese) m_language = chooseInterfaceLanguage(locale, m_programFolder);
    if (m_language) StringTable::setInterface(&m_language->strings());
}

const StringTable& Application::strings() const { return m_language ? m_language->strings() : StringTable::japanese(); }

void Application::loadSettings(Ui* ui) {
    m_settings = SettingsRecord{};
    const SettingsLoadResult result = startUpSettings(m_folder, m_settings, strings(), m_japanese);
    for (const StoreMessage& m : result.messages) {
        if (ui) ui->showMessage(m.text, m.title);
        else m_pendingMessages.push_back(m);
    }
}

WindowRect Application::placeMainWindow(const WindowRect& desktop) {
    const WindowPlacement& s = m_settings.mainWindow;
    const WindowRect fitted = stonewise::placeMainWindow({s.left, s.top, s.width, s.height}, desktop);
    m_settings.mainWindow = {fitted.left, fitted.top, fitted.width, fitted.height};
    return m_commandLine.largeWindow ? largeMainWindow(fitted) : fitted;
}

void Application::mainWindowMoved(int left, int top) {
    m_settings.mainWindow.left = left;
    m_settings.mainWindow.top = top;
}

void Application::startLibrary(CIgoBoard& board, Ui* ui, const GameDate& today) {
    m_board = &board;
    m_ui = ui;
    m_store = std::make_unique<GameStore>(m_folder, strings());
    m_offerSamples = !pathExists(m_folder.file(kGroupListFileName));
    // The books that come with the program go into a data folder that has no book folder yet.
    if (BookLibrary books(m_folder); !isFolder(books.folder())) books.installFrom(sampleRecordsFolder() + "/Books");
    StoreMessages messages = std::exchange(m_pendingMessages, {});
    m_store->start(m_settings, today, messages);
    if (ui)
        for (const StoreMessage& m : messages) ui->showMessage(m.text, m.title);
    m_session = std::make_unique<GameSession>(board, *m_store, m_settings, ui);
    m_session->setRecoveryFile(recoveryFile());
    m_modes = std::make_unique<FunctionModes>(*m_store, m_settings, *this);
    m_session->startUp();
    // The mode of the last run; the game played then stays on the board.
    int mode = lastViewMode(m_settings);
    if (mode == kModeNone || mode == kModeBook || mode == kModeBookExternal || mode == kModeSearch)
        mode = kModePlayAndRecord;
    m_keepTemporaryGame = board.totalMoves() > 0;
    if (!m_modes->setMode(mode)) m_modes->setMode(kModeViewing);
    m_keepTemporaryGame = false;
    // The last run ended without its exit: the game it showed comes back with its changes.
    if (m_session->restoreRecovery() && ui) ui->showMessage(board.text(kStrRecovered), board.text(kStrRecoveredTitle));
}

bool Application::exitCheck() {
    if (m_session) m_session->saveCurrentGame(true);
    if (m_board && m_board->mailUnsent() && m_settings.unsentWarningOff == 0 && m_ui) {
        if (!m_ui->ask(m_board->text(kStrMailUnsent), m_board->text(kStrMailGoTitle))) return false;
        m_board->setMailUnsent(false);
    }
    return true;
}

bool Application::shutDown() {
    if (m_store && m_modes) setLastView(m_settings, m_store->currentGroup(), m_modes->mode());
    if (m_session) m_session->endRecovery();
    const bool saved = saveSettings(m_folder, m_settings);
    if (!saved && m_ui && m_board)
        m_ui->showMessage(m_board->text(kStrSettingsNotSaved), m_board->text(kStrSettingsSaveTitle));
    return saved;
}

void Application::leaveDisplay() {
    if (m_board) m_board->stopBusy();
    if (m_bookPlayer) m_bookPlayer->closeBook();
    if (m_session && !m_keepTemporaryGame) m_session->saveCurrentGame(true);
}

void Application::openGroup(int group, int mode) {
    if (m_board) m_board->setViewOnly(mode == kModeViewing);
    if (!m_session) return;
    if (m_keepTemporaryGame) {
        m_store->setCurrentGroup(group);
        return;
    }
    m_session->openGroup(group);
}

void Application::layoutBars(BarLayout main, BarLayout secondary, std::u16string_view title) {
    if (m_barHandler) m_barHandler(main, secondary, title);
}

} // namespace stonewise
