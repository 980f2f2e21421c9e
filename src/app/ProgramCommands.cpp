#include "app/ProgramCommands.h"

#include "app/Application.h"
#include "app/CGoStory.h"
#include "app/CIgoBoard.h"
#include "app/Clipboard.h"
#include "app/Clock.h"
#include "app/FunctionModes.h"
#include "app/GameResultDialogs.h"
#include "app/GameSession.h"
#include "app/HelpForm.h"
#include "app/MenuModel.h"
#include "app/PatternSearchForm.h"
#include "app/ProblemMode.h"
#include "app/Shell.h"
#include "app/TerritoryCounting.h"
#include "app/TextSearchForm.h"
#include "app/Ui.h"
#include "help/HelpStrings.h"
#include "help/HelpText.h"
#include "mailgo/CloudPoller.h"
#include "mailgo/CloudRegistry.h"
#include "store/DataFolder.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"

namespace stonewise {

namespace {

constexpr int kStrMoveTitle = 17010;         // "終局棋譜の移動"
constexpr int kStrNotYetAvailable = 25000;   // this function is not available yet
constexpr int kStrWindowTitle = 25001;       // "%s - Stonewise"
constexpr int kStrTemporaryNotMoved = 25004; // the temporary game is not in a game list
constexpr int kStrDataFolderTitle = 25019;   // "データフォルダを開く"
constexpr int kStrCannotOpenFolder = 25020;  // the data folder could not be opened: %s
constexpr int kStrVersionTitle = 25021;      // "バージョン情報"
constexpr int kStrVersionLine = 25022;       // "%s, Version %s, Build %d"
constexpr int kStrVersionAbout = 25023;
constexpr int kStrSupportPage = 25024;
constexpr int kStrInquiryMail = 25025;
constexpr int kStrOk = 25026;
constexpr int kStrNotStoredYet = 25032; // the game was never stored: nothing to return to
constexpr int kStrPlayers = 25034;      // "%s 対 %s"

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

} // namespace

ProgramCommands::~ProgramCommands() = default;

ProgramCommands::ProgramCommands(Application& app, CIgoBoard& board, Ui& ui, Shell& shell, Clipboard& clipboard,
                                 const Clock& clock)
    : m_app(app), m_board(board), m_ui(ui), m_shell(shell), m_clipboard(clipboard), m_clock(clock),
      m_counting(std::make_unique<TerritoryCounting>(board, ui, clock)) {}

std::u16string ProgramCommands::text(int id) const { return m_board.text(id); }

void ProgramCommands::startUp() {
    m_cloudPoller = std::make_unique<CloudPoller>(m_clock.secondsSinceEpoch());
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
    if (m_counting->command(id)) {
        refresh();
        return;
    }
    if (id == kCmdEditGameInfo && editProblem()) {
        refresh();
        return;
    }
    if ((id == kCmdShowAnswerState || id == kCmdResetAllAnswers) && problems()) {
        problems()->command(id);
        refresh();
        return;
    }
    // Any other command ends counting first; asking for help does not.
    if (id != kCmdHelpOnSituation) m_counting->end();
    // While a command's dialog is up, F1 shows the dialog's help.
    const std::optional<int> dialogTopic = fromBar && id == kCmdHelpButtonOrDemo ? std::nullopt : dialogHelpTopic(id);
    if (dialogTopic) help().pushSituation(HelpBoard::Main, *dialogTopic);
    if (id == kCmdHelpOnSituation) {
        followSearchSituation();
        help().showSituation(HelpBoard::Main);
    } else if (id == kCmdHelpButtonOrDemo && !fromBar) {
        // From the help menu: "デモ棋譜等のロード" (the bar's button is the help pop-up).
        loadSampleRecords();
    } else if (id == kCmdTextSearch || (id == kCmdReceiveMoves && modes && modes->mode() == kModeSearch)) {
        // "棋譜検索...", and the search bar's "コメントを検索".
        toggleTextSearch();
    } else if (id == kCmdRestoreRecord) {
        // The program's: it goes back to the game as stored, not to a copy kept in the window.
        restoreStoredRecord();
    } else if (const int popup = fromBar ? popupOfButton(id, modes ? modes->mode() : kModeNone) : -1; popup >= 0) {
        showPopup(popup);
    } else if (!m_board.command(id, x, y) && !runProgramCommand(id)) {
        notYetAvailable(id);
    }
    if (dialogTopic) help().popSituation(HelpBoard::Main, *dialogTopic);
    refresh();
}

void ProgramCommands::clickPoint(int x, int y, bool rightButton) {
    ProblemMode* answering = m_counting->active() ? nullptr : problems();
    if (m_counting->active()) m_counting->click(x, y, rightButton);
    else if (m_bookPlayer && m_bookPlayer->book()) m_bookPlayer->bookClick(x, y, rightButton);
    else if (!(answering && answering->click(x, y, rightButton)) && !rightButton) m_board.clickPoint(x, y);
    refresh();
}

void ProgramCommands::boardMenu(int x, int y) {
    if (m_board.flash().running()) return; // the right button holds the flash display's afterimage
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
        item.enabled = e.command != 0 &&
                       (popup == 0 ? m_states.enabledAtPoint(e.command, m_board, x, y) : m_states.enabled(e.command));
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
    if (runBookCommand(id)) return true;
    switch (id) {
    case kCmdModeMailGo:
        if (modes) modes->setMode(kModeMailGo);
        return true;
    case kCmdModePlayAndRecord:
        if (modes) modes->setMode(kModePlayAndRecord);
        return true;
    case kCmdModeViewing:
        if (modes) modes->setMode(kModeViewing);
        return true;
    case kCmdModeProblems:
        if (modes) modes->setMode(kModeProblems);
        return true;
    case kCmdModePatternSearch: togglePatternSearch(); return true;
    case kCmdModeBook:
    case kCmdOpenBook: openGoBook(id == kCmdOpenBook); return true;
    case kCmdFinishedView:
        if (modes) modes->toggleFinishedView();
        return true;
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
    case kCmdPrint: printGame(); return true;
    case kCmdSendGameFile: sendGameAsFile(); return true;
    case kCmdStudyBoard:
    case kCmdStudyBoardButton: toggleStudyBoard(); return true;
    case kCmdAddStudyBranch: takeStudySequence(); return true;
    case kCmdPatternComposition: {
        PatternCompositionForm composition(libraryEnvironment());
        m_ui.runPatternComposition(composition);
        return true;
    }
    case kCmdReceiveMoves:
        receiveMailFromClipboard(MailSource::Command);
        checkCloud(true);
        return true;
    case kCmdSendMoves: sendMail(MailPurpose::NextMove); return true;
    case kCmdSendStudy: sendMail(MailPurpose::StudySequence); return true;
    case kCmdOpenCloudNextMove: openCloudNextMove(); return true;
    case kCmdRecordToCloud: putRecordIntoCloud(); return true;
    case kCmdOpenDataFolder: openDataFolder(); return true;
    case kCmdVersion: showVersion(); return true;
    case kCmdInquiryMail: m_shell.openUrl(kInquiryAddress); return true;
    case kCmdExit: m_ui.closeMainWindow(); return true;
    case kCmdFlashDisplay:
        m_board.toggleFlashMode();
        if (m_board.flash().modeOn() && problems()) m_ui.boardMessage(text(kStrFlashModeOn));
        return true;
    // The library's dialogs.
    case kCmdGameList: openGameList(); return true;
    case kCmdGroupList: openGroupList(); return true;
    case kCmdMemberList: openMemberList(); return true;
    case kCmdGameResultList: openGameResultList(); return true;
    // The settings: the Mail Go mode has function settings of its own.
    case kCmdFunctionSettings:
        openSettings(modes && modes->mode() == kModeMailGo ? SettingsDialogKind::MailGo
                                                           : SettingsDialogKind::OtherModes);
        return true;
    case kCmdDisplaySettings: openSettings(SettingsDialogKind::Display); return true;
    case kCmdNewGame: newGame(); return true;
    case kCmdEditGameInfo: editGameInfo(); return true;
    case kCmdHelpFirst:
    case kCmdHelpContents:
    case kCmdHelpOverview:
    case kCmdHelpMailGo:
    case kCmdHelpPlayAndRecord:
    case kCmdHelpViewing:
    case kCmdHelpProblems:
    case kCmdHelpBook:
    case kCmdHelpSearch:
    case kCmdHelpFlash:
    case kCmdHelpMainButtons:
    case kCmdHelpRecordButtons:
    case kCmdHelpBoard: return help().runMenuCommand(id);
    // kCmdHelpButtonOrDemo from the help menu is "デモ棋譜等のロード", which is not there yet (the
    // bar's button opened its pop-up above).
    default: return false;
    }
}

void ProgramCommands::notYetAvailable(int id) {
    const std::u16string_view name = menuText(id);
    m_ui.showMessage(text(kStrNotYetAvailable), name.empty() ? text(kStrProgramName) : std::u16string(name));
}

// --- the help ----------------------------------------------------------------------------------

HelpForm& ProgramCommands::help() {
    if (!m_help) {
        // The Japanese help lies beside the program; another language's in the folder its texts name.
        auto folder = [this] {
            const std::u16string_view name = uiText(kStrHelpFolder);
            std::string path = m_app.programFolder();
            if (!name.empty() && name != u".") path += toUtf8(name) + "/";
            return path;
        };
        m_help = std::make_unique<HelpForm>(m_ui, m_shell, folder, m_app.folder().file(kHelpIndexFileName),
                                            [this](int id) { run(id); });
    }
    return *m_help;
}

void ProgramCommands::followModeSituation() {
    const FunctionModes* modes = m_app.modes();
    const int mode = modes ? modes->mode() : kModeNone;
    if (mode == m_helpMode) return;
    const std::optional<int> before = modeHelpTopic(m_helpMode);
    const std::optional<HelpSituation> top = m_help ? m_help->situations().top(HelpBoard::Main) : std::nullopt;
    // Inside a dialog the mode's situation waits until the dialog's is gone.
    if (before && top && top->topic != *before) return;
    if (before) help().popSituation(HelpBoard::Main, *before, true);
    if (const std::optional<int> now = modeHelpTopic(mode)) help().pushSituation(HelpBoard::Main, *now);
    m_helpMode = mode;
}

void ProgramCommands::followSearchSituation() {
    const bool open = m_textSearch && !m_textSearch->closed();
    if (open == m_searchSituation) return;
    if (open) help().pushSituation(HelpBoard::Main, kTextSearchHelpTopic);
    else help().popSituation(HelpBoard::Main, kTextSearchHelpTopic);
    m_searchSituation = open;
}

// --- refresh -----------------------------------------------------------------------------------

const CommandStates& ProgramCommands::refresh() {
    m_states.setStudyBoardOpen(studyBoard() != nullptr);
    m_states.refresh(m_board, m_app.modes(), m_clipboard.hasText());
    followSearchSituation();
    followModeSituation();
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

// --- the library's dialogs ----------------------------------------------------------------------

LibraryEnvironment ProgramCommands::libraryEnvironment() {
    LibraryEnvironment env;
    env.store = m_app.store();
    env.ui = &m_ui;
    env.session = m_app.session();
    env.board = &m_board;
    const DateTime now = m_clock.localNow();
    env.today = {static_cast<std::uint16_t>(now.year), static_cast<std::uint16_t>(now.month),
                 static_cast<std::uint8_t>(now.day), 0};
    env.wholePointKomi = m_app.settings().komiAsInteger != 0;
    env.runCommand = [this](int id) { run(id); };
    env.saveAsSgf = [this](const RecordSequence& record, const GameInfo& info) { saveAsSgf(record, info); };
    return env;
}

void ProgramCommands::openGameList() {
    if (!m_app.store()) return;
    GameListForm form(libraryEnvironment(), m_app.store()->currentGroup());
    m_ui.runGameList(form);
}

void ProgramCommands::openGroupList() {
    if (!m_app.store()) return;
    GroupListForm form(libraryEnvironment());
    m_ui.runGroupList(form);
}

void ProgramCommands::openMemberList() {
    if (!m_app.store()) return;
    MemberListForm form(libraryEnvironment());
    m_ui.runMemberList(form);
}

void ProgramCommands::openGameResultList() {
    if (!m_app.store()) return;
    GameResultListForm form(libraryEnvironment());
    m_ui.runGameResultList(form);
}

void ProgramCommands::useAssociation(XdgFolders folders, std::string program) {
    m_association.emplace(std::move(folders), std::move(program));
}

void ProgramCommands::openSettings(SettingsDialogKind kind) {
    const auto [folders, program] =
        m_association.value_or(std::pair{XdgFolders::user(), programFolder() + "stonewise"});
    auto association = std::make_shared<FileAssociation>(folders, program, programFolder() + "stonewise.png");
    SettingsEnvironment env;
    env.live = &m_app.settings();
    env.ui = &m_ui;
    env.board = &m_board;
    env.save = [this](const SettingsRecord& s) { return saveSettings(m_app.folder(), s); };
    env.associated = [association] { return association->query() == AssociationState::ThisProgram; };
    env.setAssociation = [association](bool on) { return on ? association->set() : association->remove(); };
    SettingsForm form(std::move(env), kind);
    m_ui.runSettings(form);
}

GameListPanelContent ProgramCommands::gameListPanel() { return gameListPanelContent(libraryEnvironment()); }

void ProgramCommands::showListedGame(int number) {
    if (GameStore* store = m_app.store()) libraryEnvironment().showGame(store->currentGroup(), number);
    refresh();
}

// --- the study board ------------------------------------------------------------------------------

void ProgramCommands::toggleStudyBoard() {
    const bool show = studyBoard() == nullptr;
    if (show && !m_auxWindows.show(&m_study)) {
        m_ui.showMessage(text(AuxWindowList::kLimitMessage), text(AuxWindowList::kLimitTitle));
        return;
    }
    if (!show) m_auxWindows.hide(&m_study);
    m_study = m_ui.showStudyWindow(show);
    if (!m_study) {
        m_auxWindows.hide(&m_study);
        return;
    }
    m_study->setVisible(show);
    if (show) m_study->copyFrom(m_board);
}

void ProgramCommands::takeStudySequence() {
    const StudyBoard* study = studyBoard();
    if (!study) return;
    m_board.addStudySequenceAsBranch(*study->shownLine());
}

bool ProgramCommands::exitCheck() { return m_app.exitCheck() && mailGoExitCheck(); }

void ProgramCommands::shutDown() {
    if (m_textSearch) m_textSearch->close();
    m_board.stopBusy();
    m_app.shutDown();
}

} // namespace stonewise
