#include "app/Application.h"

#include "app/CIgoBoard.h"
#include "app/GameSession.h"
#include "app/Ui.h"
#include "store/GameStore.h"
#include "store/LanguageLibrary.h"
#include "store/SettingsFile.h"

namespace stonewise {

Application::Application(CommandLine commandLine, DataFolder folder, std::string programFolder)
    : m_commandLine(std::move(commandLine)), m_folder(std::move(folder)), m_programFolder(std::move(programFolder)) {}

Application::~Application() = default;

std::u16string_view Application::maintenanceMessage() {
    return u"Tamarindoが正常起動しない場合の、保守支援モードで起動されました。\r\nデータフォルダを表示して終了します。\r\n"
           u"その後、必要ならばデータフォルダの内容を退避してデータを削除するか、或いは「Tamarindo」フォルダ名を変更してから、再起動して下さい。";
}

void Application::chooseLanguage(long userLocale) {
    const long locale = m_commandLine.locale ? *m_commandLine.locale : userLocale;
    m_japanese = isJapaneseLocale(locale);
    m_language.reset();
    if (!m_japanese) m_language = chooseInterfaceLanguage(locale, m_programFolder);
}

const StringTable& Application::strings() const {
    return m_language ? m_language->strings() : StringTable::japanese();
}

void Application::loadSettings(Ui* ui) {
    m_settings = SettingsRecord{};
    const SettingsLoadResult result = startUpSettings(m_folder, m_settings, strings(), m_japanese);
    if (ui)
        for (const StoreMessage& m : result.messages) ui->showMessage(m.text, m.title);
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
    StoreMessages messages;
    m_store->start(m_settings, today, messages);
    if (ui)
        for (const StoreMessage& m : messages) ui->showMessage(m.text, m.title);
    m_session = std::make_unique<GameSession>(board, *m_store, m_settings, ui);
    m_modes = std::make_unique<FunctionModes>(*m_store, m_settings, *this);
    m_session->startUp();
    // The mode of the last run; the game played then stays on the board.
    int mode = lastViewMode(m_settings);
    if (mode == kModeNone || mode == kModeBook || mode == kModeBookExternal || mode == kModeSearch) mode = kModePlayAndRecord;
    m_keepTemporaryGame = board.totalMoves() > 0;
    if (!m_modes->setMode(mode)) m_modes->setMode(kModeViewing);
    m_keepTemporaryGame = false;
}

bool Application::exitCheck() {
    if (m_session) m_session->saveCurrentGame(true);
    return true;
}

bool Application::shutDown() {
    if (m_store && m_modes) setLastView(m_settings, m_store->currentGroup(), m_modes->mode());
    return saveSettings(m_folder, m_settings);
}

void Application::leaveDisplay() {
    if (m_board) m_board->stopBusy();
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
