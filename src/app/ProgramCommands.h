#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandIds.h"
#include "app/CommandStates.h"
#include "app/LibraryDialogs.h"
#include "store/ExternalFolder.h"
#include "store/TextSearch.h"

namespace stonewise {

class Application;
class CIgoBoard;
class Clipboard;
class Clock;
class Shell;
class TerritoryCounting;
class TextSearchForm;
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

    // Once a second from the window's clock: every minute the next external game-record group (at
    // most ten) is brought up to date with its folder, and a group just made current at once. True
    // when the current group's games changed.
    bool secondTick();
    // The folders of the external groups kept up to date, for the desktop's file watcher; and what
    // it reports: a change in one of them is taken in at the next second.
    std::vector<std::string> externalFolders() const;
    void externalFolderChanged(const std::string& folder);

    // --- the library ---
    // What the game list panel beside the board shows: the current group's games.
    GameListPanelContent gameListPanel();
    // A double click in the game list panel: game `number` of the current group is shown (the game
    // shown saved first).
    void showListedGame(int number);

    // --- the search window ---
    // "棋譜検索...": opens the search window, or closes it when it is open.
    void toggleTextSearch();
    // The open search window's form; null when the window is closed.
    TextSearchForm* textSearch();

    // --- territory counting ---
    // The counting mode of the board window ("地合いの計算"): any other command ends it first.
    TerritoryCounting& counting() { return *m_counting; }

private:
    bool runProgramCommand(int id);
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
    void restoreStoredRecord();
    void moveToFinishedGroup();
    void showVersion();
    void notYetAvailable(int id);
    // "新規対局": the game shown is saved, an old game left under the new number may be taken back,
    // the settings dialog makes the header, and the new game of the current group is shown (with
    // free handicap placement when chosen).
    void newGame();
    // "対局情報の編集": the settings dialog on the header of the game shown.
    void editGameInfo();
    void openDataFolder();
    std::u16string text(int id) const;
    // The library's dialogs.
    LibraryEnvironment libraryEnvironment();
    void openGameList();
    void openGroupList();
    void openMemberList();
    bool takeTemporaryGame(LoadedGame& game);
    bool keepTemporaryWork();
    bool synchroniseExternalGroup(int group);
    bool m_mergeContinuations = false; // "基本手順の続きと思われる分岐を基本手順に組み込む"
    bool m_importingSamples = false;
    std::unique_ptr<TextSearchForm> m_textSearch;
    TextSearchOptions m_searchOptions; // the search window's options, kept for the run

    Application& m_app;
    CIgoBoard& m_board;
    Ui& m_ui;
    Shell& m_shell;
    Clipboard& m_clipboard;
    const Clock& m_clock;
    std::unique_ptr<TerritoryCounting> m_counting;
    CommandStates m_states;
    std::string m_lastFolder;
    std::u16string m_title;
    // The external groups as last synchronised, and when the next is due.
    std::map<int, ExternalGroup> m_external;
    std::set<int> m_missingFolderSaid; // groups whose missing folder was said
    int m_externalSeconds = 0;
    int m_lastExternal = 0;
    int m_lastCurrentGroup = -1;
    std::map<int, int> m_externalDue; // groups to look at again, in seconds from now
};

} // namespace stonewise
