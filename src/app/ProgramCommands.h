#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandIds.h"
#include "app/CommandStates.h"
#include "app/FileAssociation.h"
#include "app/LibraryDialogs.h"
#include "app/NoticeBoard.h"
#include "app/Printing.h"
#include "app/ProblemForm.h"
#include "app/SettingsDialogs.h"
#include "app/StudyBoard.h"
#include "mailgo/MailComposer.h"
#include "mailgo/MailReader.h"
#include "store/ExternalFolder.h"
#include "store/TextSearch.h"

namespace stonewise {

class Application;
class CGoStory;
class CIgoBoard;
class Clipboard;
class Clock;
class CloudPoller;
class CloudRegistry;
struct CloudCheck;
struct MailGoSides;
class HelpForm;
class ProblemMode;
class Shell;
class TerritoryCounting;
class TextSearchForm;
class PatternSearchForm;
class Ui;
struct LoadedGame;

// The program's own commands, beside the board window's: the working modes, opening and saving
// game-record files, the clipboard, the finished-games view, moving a game, the data folder, the
// version dialog and the end. The desktop maps its menus, buttons, keys, drops and clicks to these
// calls and shows what `Ui` asks; everything is decided here.
class ProgramCommands {
public:
    ProgramCommands(Application& app, CIgoBoard& board, Ui& ui, Shell& shell, Clipboard& clipboard, const Clock& clock);
    ~ProgramCommands();
    ProgramCommands(const ProgramCommands&) = delete;
    ProgramCommands& operator=(const ProgramCommands&) = delete;

    // Starts the library, the mode of the last run and the game left by a run that did not end.
    void startUp();

    // Runs a command by id: the program's own first where it answers the id itself, else the
    // board window's, else the program's; a command whose part of the program is not there yet
    // says so. `x`, `y` is the board point of the right-click menu.
    void run(int id, CommandSource source = CommandSource::Menu, int x = -1, int y = -1);
    // A left click on the board (the right button only counts while counting territory).
    void clickPoint(int x, int y, bool rightButton = false);
    // The board's right-click menu at point (x, y), its entries enabled as the command states say.
    void boardMenu(int x, int y);

    // Opens a game-record file as the temporary game (a file from the command line or another start).
    void openFile(const std::string& path);
    // The file of the command line, once the window is on the screen: opened in the viewing mode.
    void openStartFile(const std::string& path);
    // Files dropped on the window: the first readable one is opened; with several, the user is told
    // which.
    void openDroppedFiles(const std::vector<std::string>& paths);
    // Text dropped on the window is read as SGF, the same way as the clipboard's.
    void openDroppedText(std::u16string_view text);

    // --- importing game-record files ---
    // Brings files into the library, each through "ファイルの読み込み" (a file chosen, named on the
    // command line, handed over by a second start or dropped). A temporary game holding the
    // user's moves is saved to the library first, or the user is asked.
    void importFiles(const std::vector<std::string>& paths);
    // "デモ棋譜等のロード": asks, then imports the sample records of "BundleFiles" beside the program.
    void loadSampleRecords();
    // The first start of a data folder: the sample records are offered once (the desktop calls this
    // a second after the window is on the screen).
    void offerSampleRecordsOnce();

    // The exit check (false keeps the window open) and, once the window goes, the end of the run.
    bool exitCheck();
    void shutDown();

    // Recomputes the command states, keeps the recovery file up to date with the game shown and
    // the window title with its name. Called after every operation.
    const CommandStates& refresh();
    const CommandStates& states() const { return m_states; }
    // "Name - Stonewise": the window title for the game shown.
    std::u16string windowTitle() const;

    // Once a second from the window's clock: the cloud folder is checked when due, and every minute
    // the next external game-record group (at most ten) is brought up to date with its folder, and a
    // group just made current at once. True when the current group's games changed.
    bool secondTick();
    // The folders of the external groups kept up to date, for the desktop's file watcher; and what
    // it reports: a change in one of them is taken in at the next second.
    std::vector<std::string> externalFolders() const;
    void externalFolderChanged(const std::string& folder);

    // --- the study board ---
    // "検討図ウインドウを表示": shows the study board with a copy of the game shown, or hides it.
    void toggleStudyBoard();
    // The study board when it is on the screen; null otherwise.
    StudyBoard* studyBoard() const { return m_study && m_study->visible() ? m_study : nullptr; }
    // "表示中の検討手順を分岐として反映": the line the study board shows becomes a variation of the game.
    void takeStudySequence();

    // --- Mail Go ---
    // The window became active: the clipboard is looked at for received mail two ticks later.
    void windowActivated();
    // One tick of the 25 ms timer after an activation; true while it wants more ticks.
    bool fetchTick();
    // The clipboard changed, or the fetch after an activation is due: with automatic fetching on in
    // the Mail Go mode, mail text on the clipboard is taken in.
    void watchClipboard();
    // Whether the clipboard holds mail text the program did not put there itself, and no SGF text.
    // The program's own text lowers its ignore count; at 0 the clipboard is emptied.
    bool clipboardHoldsNewMail();
    // Before the end of the run: Mail Go games over their time limit are warned of, and the user
    // asked whether to end all the same (false keeps the window open).
    bool mailGoExitCheck();
    // One check of the cloud folder (every second from the window's clock; forced by the import
    // command).
    CloudCheck checkCloud(bool forced);

    // --- the library ---
    // What the game list panel beside the board shows: the current group's games.
    GameListPanelContent gameListPanel();
    // A double click in the game list panel: game `number` of the current group is shown (the game
    // shown saved first).
    void showListedGame(int number);

    // --- the search window ---
    // "棋譜検索...": opens the search window, or closes it when it is open.
    void toggleTextSearch();
    // "棋譜パターン検索": opens the pattern search panel on the position shown, or closes it.
    void togglePatternSearch();
    // The open search window's form; null when the window is closed.
    TextSearchForm* textSearch();

    // --- the settings ---
    // The desktop folders and the program the ".sgf" association of the function settings works
    // with (the user's folders and this program's file unless set).
    void useAssociation(XdgFolders folders, std::string program);

    // --- the help ---
    // The help window's form, with the situations of F1 (made at the first use, for the interface
    // language's help).
    HelpForm& help();

    // --- the Go book ---
    // The main board's Go book player; without one the Go book commands do nothing.
    void setBookPlayer(CGoStory* player);
    // "碁ブック" and "碁ブックを開く...": the main board shows an installed book in the Go book mode
    // (the user chooses which when there are several; `chooseAnother` asks again in the mode). The
    // game shown is saved first; leaving the mode closes the book.
    void openGoBook(bool chooseAnother);
    // The book at `position` of the installed books' list, opened in the Go book mode at `page`
    // (a pattern search's hit in a book); false when it cannot be shown (the user has been told).
    bool openGoBookAt(std::size_t position, int page);

    // --- problem mode ---
    // The problems of the current group while the mode is problem mode (opened on it at first
    // use and whenever the group changed); null in any other mode or without a library.
    ProblemMode* problems();
    // A button of the problem panels by id: "新規問題..." runs the creation dialog, "終了" ends the
    // stone placement, the others go to the problem mode.
    void problemButton(int id);
    // "対局情報の編集..." in problem mode: the problem shown in "問題の作成" (its "OK" stores it).
    bool editProblem();

    // --- territory counting ---
    // The counting mode of the board window ("地合いの計算"): any other command ends it first.
    TerritoryCounting& counting() { return *m_counting; }

private:
    bool runProgramCommand(int id);
    // The Go book mode's own commands (the board's orientation, resetting the answers); false for
    // any other.
    bool runBookCommand(int id);
    // Enters the Go book mode (the library's game saved and let go) and opens the book there.
    bool showGoBook(std::size_t position, int page);
    void showPopup(int popup, int x = -1, int y = -1);
    void openFiles();
    void openAutoSaved();
    void openClipboard();
    void openText(std::u16string_view text);
    bool openFileQuietly(const std::string& path);
    void showLoaded(LoadedGame& game);
    // Before the first save of a record reduced when it was read: text 27008, once.
    void sayReducedSave(std::u16string_view title);
    void saveCurrentGame();
    void saveAsSgf();
    void saveAsSgf(const RecordSequence& record, const GameInfo& info);
    void sendGameAsFile();
    // The record's main line as SGF for sending: the export form, with or without comments.
    bool writeExportSgf(const std::string& path);
    // Mail Go.
    class CloudReader;
    void sendMail(MailPurpose purpose);
    void deliverMail(MailPurpose purpose, MailComposeRequest request, const RecordSequence* study,
                     const MailGoSides& sides);
    void putMailOnClipboard(const std::u16string& mail, int ignoreCount);
    void receiveMailFromClipboard(MailSource source);
    void receiveMailFile(const std::string& path);
    // Reads mail text into its game (`gameNumber`, or the one its heading names), shows what it
    // says and saves the game.
    MailApplyResult receiveMailText(std::u16string_view mailText, MailSource source, int gameNumber);
    bool showMailGame(const ParsedMail& mail, MailSource source, int gameNumber);
    // A received text names a game the group does not have: the new-game dialog, prefilled.
    bool newMailGame(const ParsedMail& mail);
    CloudRegistry& cloudRegistry();
    void saveCloud();
    void openCloudNextMove();
    void putRecordIntoCloud();
    // The time-limit rule over the current group's Mail Go games; true when one was warned.
    bool applyTimeLimit();
    void restoreStoredRecord();
    void moveToFinishedGroup();
    void showVersion();
    void notYetAvailable(int id);
    // "印刷...": the game shown, through "印刷形式の選択" and the desktop's print dialog.
    void printGame();
    // "新規対局": the game shown is saved, an old game left under the new number may be taken back,
    // the settings dialog makes the header, and the new game of the current group is shown (with
    // free handicap placement when chosen).
    bool newGame(const GameInfo* prefill = nullptr);
    // "対局情報の編集": the settings dialog on the header of the game shown.
    void editGameInfo();
    void openDataFolder();
    std::u16string text(int id) const;
    // The library's dialogs.
    LibraryEnvironment libraryEnvironment();
    void openGameList();
    void openGroupList();
    void openMemberList();
    void openGameResultList();
    void openSettings(SettingsDialogKind kind);
    bool takeTemporaryGame(LoadedGame& game);
    bool keepTemporaryWork();
    bool synchroniseExternalGroup(int group);
    bool externalTick();
    bool m_mergeContinuations = false; // "基本手順の続きと思われる分岐を基本手順に組み込む"
    bool m_importingSamples = false;
    Printing m_printing;
    std::unique_ptr<TextSearchForm> m_textSearch;
    std::unique_ptr<PatternSearchForm> m_patternSearch;
    TextSearchOptions m_searchOptions; // the search window's options, kept for the run
    std::unique_ptr<HelpForm> m_help;
    int m_helpMode = 0;             // the mode whose situation is kept for F1
    bool m_searchSituation = false; // the search window's situation is kept for F1
    // Keeps the situations of the mode and of the search window for F1 up to date.
    void followModeSituation();
    void followSearchSituation();

    Application& m_app;
    CIgoBoard& m_board;
    Ui& m_ui;
    Shell& m_shell;
    Clipboard& m_clipboard;
    const Clock& m_clock;
    std::unique_ptr<TerritoryCounting> m_counting;
    std::unique_ptr<ProblemMode> m_problems;
    ProblemFormMemory m_problemForm; // the creation dialog's last choices
    CommandStates m_states;
    std::string m_lastFolder;
    std::optional<std::pair<XdgFolders, std::string>> m_association;
    std::u16string m_title;
    // The external groups as last synchronised, and when the next is due.
    std::map<int, ExternalGroup> m_external;
    std::set<int> m_missingFolderSaid; // groups whose missing folder was said
    int m_externalSeconds = 0;
    int m_lastExternal = 0;
    int m_lastCurrentGroup = -1;
    std::map<int, int> m_externalDue; // groups to look at again, in seconds from now
    // Mail Go: the last text the program put on or took from the clipboard and how many more times
    // the watch lets it pass; the flag that keeps the watch, the import and the program's own
    // clipboard writes apart; the fetch after an activation; the games with something to send.
    std::u16string m_keptMail;
    int m_ignoreCount = 0;
    bool m_mailBusy = false;
    int m_fetchCountdown = 0;
    int m_unsentGames = 0;
    std::unique_ptr<CloudRegistry> m_cloud;
    StudyBoard* m_study = nullptr; // made by the desktop on first use
    CGoStory* m_bookPlayer = nullptr;
    AuxWindowList m_auxWindows;
    std::unique_ptr<CloudPoller> m_cloudPoller;
};

} // namespace stonewise
