#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/CGoStory.h"
#include "app/CommandIds.h"
#include "app/CommandStates.h"
#include "app/FunctionModes.h"
#include "app/WindowFit.h"
#include "view/FlashTimerSlots.h"
#include "view/MoveListRegistry.h"
#include "view/ViewSettings.h"

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;

class QTimer;

namespace stonewise {

class Application;
class BoardTicker;
class BoardWidget;
class StudyWindow;
class BookPanel;
class Mp3Audio;
class CMainBottons;
class CSubButtons;
class FlashTicker;
class GameListPanel;
class ProgramCommands;
class QtClipboard;
class QtShell;
class QtUi;
class ProblemPanel;
class SidePanel;
struct MenuEntry;

// The one top-level window: the two tool-button bars, the board with its message strip, the side
// panels with the move list, and the status line in two parts. It turns menus, buttons, keys,
// drops and mouse events into the program's commands and shows what they ask.
class MainWindow final : public QMainWindow, public BoardPanels {
    Q_OBJECT
public:
    explicit MainWindow(Application& app);
    ~MainWindow() override;

    CIgoBoard& board() { return *m_board; }
    // The main board as the Go book player.
    CGoStory& story() { return *m_board; }
    // The Go book mode's panels (shown in the side column in that mode).
    BookPanel& bookPanel() { return *m_bookPanel; }
    BoardWidget& boardWidget() { return *m_boardWidget; }
    SidePanel& sidePanel() { return *m_side; }
    // The game list panel, filled (its rows come right after the first paint of the board).
    GameListPanel& gameListPanel();
    QtUi& ui() { return *m_ui; }
    ProgramCommands& commands() { return *m_commands; }
    const CommandStates& commandStates() const;

    // Puts the window at its start-up place: left and top are the outer corner of its frame, width
    // and height its inside (as the window's moves are saved).
    void place(const WindowRect& r);
    // Starts the library, the mode of the last run and the board's timers; called once the window
    // is built and before it is shown.
    void startUp();
    // Runs a command by id from where it came (a pop-up menu opens at `anchor`); afterwards the
    // menus and buttons are refreshed.
    void runCommand(int id, CommandSource source = CommandSource::Menu, QPoint anchor = {});
    // Opens a game-record file as the temporary game (a file from the command line or another start).
    void openFile(const QString& path);
    // Recomputes which commands are enabled and checked and shows it in the menus and bars.
    void refreshCommandStates();
    // Applies the settings to the board, its drawing and the panels.
    void applySettings();
    // What drawing the board reads from the settings.
    ViewSettings viewSettings() const;

    // The board's panels: the side panel shows them, the board draws the selection.
    void showMoveNumber(int nextMove) override;
    void showPrisoners(int byWhite, int byBlack) override;
    void recordChanged() override;
    void selectionChanged(const RecordSequence* sequence, int nodeIndex) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void offerSampleRecords();
    void buildMenus(const std::vector<MenuEntry>& bar);
    void addMenuEntries(QMenu* menu, const std::vector<MenuEntry>& entries);
    void buildKeys();
    static void showCommandState(QAction* action, int id, const CommandStates& states);
    void layoutBars(BarLayout main, BarLayout secondary, std::u16string_view title);
    void rememberPlacement();

    Application& m_app;
    CMainBottons* m_mainBar = nullptr;
    CSubButtons* m_subBar = nullptr;
    BoardWidget* m_boardWidget = nullptr;
    SidePanel* m_side = nullptr;
    ProblemPanel* m_problemPanel = nullptr;
    GameListPanel* m_gameList = nullptr;
    QSplitter* m_split = nullptr;      // the board column and the panels beside it
    QSplitter* m_sideColumn = nullptr; // the game's panels over the game list
    bool m_splitFitted = false;
    QLabel* m_strip = nullptr;
    QLabel* m_statusLeft = nullptr;
    QLabel* m_statusRight = nullptr;
    std::unique_ptr<QtUi> m_ui;
    std::unique_ptr<QtShell> m_shell;
    std::unique_ptr<QtClipboard> m_clipboard;
    FlashTimerSlots m_flashSlots;
    std::unique_ptr<BookLibrary> m_books;
    BookPlayers m_players;
    std::unique_ptr<Mp3Audio> m_audio;
    std::unique_ptr<CGoStory> m_board;
    std::unique_ptr<BoardTicker> m_ticker;
    StudyWindow* m_study = nullptr; // made when first shown
    QTimer* m_fetchTimer = nullptr; // the 25 ms ticks before the mail fetch after an activation
    std::unique_ptr<FlashTicker> m_flashTicker;
    std::unique_ptr<ProgramCommands> m_commands;
    MoveListRegistry m_moveLists;
    std::vector<std::pair<int, QAction*>> m_actions;
    bool m_bookMenus = false;
    QStackedWidget* m_sideStack = nullptr; // the game's panels and list, or the Go book's panels
    BookPanel* m_bookPanel = nullptr;
    bool m_startedUp = false;
    bool m_listShown = false; // the game list panel shows the group (from the first paint on)
    void showGameList();
    bool m_refreshQueued = false;
};

} // namespace stonewise
