#include "qt/MainWindow.h"

#include <QFileSystemWatcher>
#include <QTimer>
#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/Application.h"
#include "app/Clock.h"
#include "app/CommandIds.h"
#include "app/MenuModel.h"
#include "app/ProblemMode.h"
#include "app/ProgramCommands.h"
#include "app/TerritoryCounting.h"
#include "qt/BoardTicker.h"
#include "qt/BoardWidget.h"
#include "qt/BookPanel.h"
#include "qt/CButtonBox.h"
#include "qt/CommentPanel.h"
#include "qt/CountingPanel.h"
#include "qt/FlashTicker.h"
#include "qt/GameListPanel.h"
#include "qt/InfoPanel.h"
#include "qt/MoveListPanel.h"
#include "qt/Mp3Audio.h"
#include "qt/ProblemPanel.h"
#include "qt/QtText.h"
#include "qt/QtUi.h"
#include "qt/RecordCorrectionDialog.h"
#include "qt/SidePanel.h"
#include "qt/StudyWindow.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "store/SettingsRecord.h"
#include "view/CoordinateLabels.h"

namespace stonewise {

namespace {
const SystemClock kClock;
} // namespace

MainWindow::MainWindow(Application& app) : m_app(app) {
    setAcceptDrops(true);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_mainBar = new CMainBottons(central);
    m_subBar = new CSubButtons(central);
    column->addWidget(m_mainBar);
    column->addWidget(m_subBar);

    auto* split = new QSplitter(Qt::Horizontal, central);
    auto* boardArea = new QWidget(split);
    auto* boardColumn = new QVBoxLayout(boardArea);
    boardColumn->setContentsMargins(0, 0, 0, 0);
    boardColumn->setSpacing(0);
    m_boardWidget = new BoardWidget(boardArea);
    boardColumn->addWidget(m_boardWidget, 1);
    m_strip = m_boardWidget->messageStrip();
    // Beside the board: the panels of the game shown, and under them the game list of the group;
    // in the Go book mode the book's panels.
    m_sideStack = new QStackedWidget(split);
    auto* sideColumn = new QSplitter(Qt::Vertical, m_sideStack);
    m_sideStack->addWidget(sideColumn);
    m_side = new SidePanel(sideColumn);
    m_side->setMinimumWidth(300);
    m_gameList = new GameListPanel(sideColumn);
    sideColumn->addWidget(m_side);
    sideColumn->addWidget(m_gameList);
    sideColumn->setStretchFactor(0, 3);
    sideColumn->setStretchFactor(1, 2);
    sideColumn->setChildrenCollapsible(false);
    m_problemPanel = new ProblemPanel(sideColumn);
    sideColumn->insertWidget(0, m_problemPanel);
    // Only the page shown asks for room: the book's panels must not narrow the board of the other
    // modes.
    connect(m_sideStack, &QStackedWidget::currentChanged, this, [this](int shown) {
        for (int i = 0; i < m_sideStack->count(); ++i)
            m_sideStack->widget(i)->setSizePolicy(i == shown ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                                                  i == shown ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    });
    split->addWidget(boardArea);
    split->addWidget(m_sideStack);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    m_split = split;
    m_sideColumn = sideColumn;
    split->setChildrenCollapsible(false);
    column->addWidget(split, 1);
    setCentralWidget(central);

    // The status line in two parts: three quarters and the rest.
    m_statusLeft = new QLabel(this);
    m_statusRight = new QLabel(this);
    statusBar()->addWidget(m_statusLeft, 3);
    statusBar()->addWidget(m_statusRight, 1);
    statusBar()->setSizeGripEnabled(true);

    m_ui = std::make_unique<QtUi>(this, m_statusLeft, m_strip);
    m_ui->setStrings(&app.strings());
    m_shell = std::make_unique<QtShell>();
    m_clipboard = std::make_unique<QtClipboard>();
    BoardEnvironment env;
    env.ui = m_ui.get();
    env.canvas = m_boardWidget;
    env.panels = this;
    env.clock = &kClock;
    env.strings = &app.strings();
    env.japanese = app.japanese();
    env.flashSlots = &m_flashSlots;
    env.pointLabels = [this](int x, int y) {
        const CoordinateLabels labels(viewSettings(), m_board ? m_board->boardSize() : 19);
        return std::pair{labels.column(x), labels.row(y)};
    };
    m_books = std::make_unique<BookLibrary>(app.folder());
    m_audio = std::make_unique<Mp3Audio>();
    m_board = std::make_unique<CGoStory>(env, *m_books, m_players, BookSide::Main, m_audio.get());
    m_commands = std::make_unique<ProgramCommands>(app, *m_board, *m_ui, *m_shell, *m_clipboard, kClock);
    m_commands->setBookPlayer(m_board.get());
    m_bookPanel = new BookPanel(*m_board, *m_boardWidget, app.strings(), m_sideStack);
    m_sideStack->addWidget(m_bookPanel);
    m_bookPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setWindowTitle(qs(m_commands->windowTitle()));
    m_boardWidget->setBoard(m_board.get());
    m_boardWidget->setStoneAlpha([this](int x, int y) { return int{m_board->timer().stoneAlpha(x, y)}; });
    m_side->setBoard(m_board.get());
    m_side->counting().setCounting(&m_commands->counting());
    m_problemPanel->setBoardWidget(m_boardWidget);
    m_ui->setAlarmSurface(m_boardWidget, [this](int x, int y) {
        const QPointF c = m_boardWidget->centreOf(x, y);
        const double r = (m_boardWidget->centreOf(1, 0).x() - m_boardWidget->centreOf(0, 0).x()) * 0.75;
        return QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r);
    });
    m_ui->setFreeHandicapDone([this] {
        m_board->endFreeHandicap();
        refreshCommandStates();
    });
    m_ui->setSearchHitShown([this] {
        applySettings();
        refreshCommandStates();
    });
    m_board->setAnimationStateHandler([this](AnimationState) { refreshCommandStates(); });
    m_ui->setBookPlayerHandler([this](bool newBook) {
        m_sideStack->setCurrentWidget(m_bookPanel);
        if (newBook) m_bookPanel->bookOpened();
        else m_bookPanel->refresh();
        return true;
    });
    m_ui->setStudyWindowHandler([this](bool show) -> StudyBoard* {
        if (!m_study) {
            m_study = new StudyWindow(m_app, kClock, m_flashSlots, m_moveLists, this);
            m_study->setClosedHandler([this] {
                // Closed by its own title bar: hidden as the menu command hides it.
                if (m_commands->studyBoard()) runCommand(kCmdStudyBoard);
            });
            applySettings();
        }
        m_study->setVisible(show);
        if (show) m_study->raise();
        return &m_study->study();
    });

    connect(m_boardWidget, &BoardWidget::pointClicked, this, [this](int x, int y) {
        m_commands->clickPoint(x, y);
        if (m_sideStack->currentWidget() == m_bookPanel) m_bookPanel->refresh();
        refreshCommandStates();
    });
    m_boardWidget->installEventFilter(this);
    connect(m_side, &SidePanel::commandRequested, this, [this](int id) { runCommand(id, CommandSource::Panel); });
    connect(m_side, &SidePanel::nodeShown, this, &MainWindow::refreshCommandStates);
    connect(m_problemPanel, &ProblemPanel::buttonPressed, this, [this](int id) {
        if (id != kCtlProblemMoveList) m_commands->problemButton(id);
        refreshCommandStates();
    });
    connect(m_problemPanel, &ProblemPanel::problemChosen, this, [this](int position) {
        if (ProblemMode* problems = m_commands->problems()) problems->select(position);
        refreshCommandStates();
    });
    connect(m_gameList, &GameListPanel::gameChosen, this, [this](int number) {
        m_commands->showListedGame(number);
        applySettings();
        refreshCommandStates();
    });
    connect(m_mainBar, &CButtonBox::commandTriggered, this,
            [this](int id, QPoint anchor) { runCommand(id, CommandSource::MainBar, anchor); });
    connect(m_subBar, &CButtonBox::commandTriggered, this,
            [this](int id, QPoint anchor) { runCommand(id, CommandSource::SecondaryBar, anchor); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (m_startedUp) m_commands->watchClipboard();
        refreshCommandStates();
    });
    m_fetchTimer = new QTimer(this);
    m_fetchTimer->setInterval(25);
    connect(m_fetchTimer, &QTimer::timeout, this, [this] {
        if (m_commands->fetchTick()) return;
        m_fetchTimer->stop();
        refreshCommandStates();
    });

    m_app.setBarLayoutHandler(
        [this](BarLayout main, BarLayout secondary, std::u16string_view title) { layoutBars(main, secondary, title); });
    buildMenus(mainMenuBar());
    buildKeys();

    m_ticker = std::make_unique<BoardTicker>(m_board->timer());
    m_flashTicker = std::make_unique<FlashTicker>(m_flashSlots);
}

MainWindow::~MainWindow() {
    delete m_bookPanel; // it shows the player's reference board
    m_ticker.reset();
    m_boardWidget->setBoard(nullptr);
    m_side->setBoard(nullptr);
}

ViewSettings MainWindow::viewSettings() const {
    const SettingsRecord& s = m_app.settings();
    ViewSettings v;
    v.japanese = m_app.japanese();
    v.coordinatesHidden = s.coordinatesHidden != 0;
    v.coordinateOrigin = s.coordinateOrigin;
    v.horizontalLabels = s.horizontalLabels;
    v.verticalLabels = s.verticalLabels;
    v.numbersBeforeLast = s.numbersBeforeLastMove;
    v.commentMarks = s.commentMarks != 0;
    v.branchMarks = s.branchMarks != 0;
    v.lastMoveMarkOff = !m_board || !m_board->options().lastMoveMark;
    v.diagramDisplay = m_board && m_board->options().diagramDisplay;
    return v;
}

void MainWindow::applySettings() {
    const SettingsRecord& s = m_app.settings();
    BoardOptions& o = m_board->options();
    o.animationSpeed = s.animationSpeed;
    o.flashSpeed = s.flashSpeed;
    o.flashAfterimage = s.flashAfterimage;
    o.commentMarks = s.commentMarks != 0;
    m_boardWidget->setViewSettings(viewSettings());
    const int mode = m_app.modes() ? m_app.modes()->mode() : kModePlayAndRecord;
    MoveListPanelOptions list;
    list.studyBoardAvailable = m_commands && m_commands->studyBoard() != nullptr;
    list.elapsedSetting = s.elapsedInMoveList != 0;
    list.mode = mode;
    list.strings = &m_app.strings();
    m_side->moveList().setOptions(list);
    InfoPanelOptions info;
    info.komiWhole = s.komiAsInteger != 0;
    info.strings = &m_app.strings();
    info.memberName = [this](int member) -> std::u16string {
        GameStore* store = m_app.store();
        const MemberRecord* m = store ? store->members().find(member) : nullptr;
        return m ? m->name : std::u16string();
    };
    m_side->info().setOptions(info);
    CommentPanelOptions comment;
    comment.goBookMode = mode == kModeBook || mode == kModeBookExternal;
    comment.numberOffset = m_board->record().main().numberOffset();
    comment.strings = &m_app.strings();
    m_side->comment().setOptions(comment);
    m_side->refreshAll();
    if (m_study) {
        list.studyBoardAvailable = false;
        comment.numberOffset = m_study->study().board().record().main().numberOffset();
        m_study->apply(viewSettings(), list, info, comment);
    }
}

void MainWindow::startUp() {
    m_side->moveList().registerWith(m_moveLists, m_ui.get());
    applySettings();
    m_commands->startUp();
    applySettings();
    m_ticker->start();
    // The program's clock of seconds: external game-record folders are kept up to date on it, and
    // sooner when the desktop reports a change in one of them.
    auto* watcher = new QFileSystemWatcher(this);
    connect(watcher, &QFileSystemWatcher::directoryChanged, this,
            [this](const QString& path) { m_commands->externalFolderChanged(path.toStdString()); });
    auto* seconds = new QTimer(this);
    connect(seconds, &QTimer::timeout, this, [this, watcher] {
        if (m_commands->secondTick()) refreshCommandStates();
        QStringList wanted;
        for (std::string folder : m_commands->externalFolders()) {
            while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
            wanted << QString::fromStdString(folder);
        }
        const QStringList watched = watcher->directories();
        if (wanted == watched) return;
        if (!watched.isEmpty()) watcher->removePaths(watched);
        if (!wanted.isEmpty()) watcher->addPaths(wanted);
    });
    seconds->start(1000);
    m_startedUp = true;
    refreshCommandStates();
    // The first start of a library offers the sample records a second after the window shows.
    QTimer::singleShot(1000, this, &MainWindow::offerSampleRecords);
}

void MainWindow::offerSampleRecords() {
    // Not over a question already asked (the file the program was started with is being opened):
    // the offer waits until it is answered.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(500, this, &MainWindow::offerSampleRecords);
        return;
    }
    m_commands->offerSampleRecordsOnce();
    refreshCommandStates();
}

void MainWindow::showMoveNumber(int nextMove) { m_side->showMoveNumber(nextMove); }

void MainWindow::showPrisoners(int byWhite, int byBlack) { m_side->showPrisoners(byWhite, byBlack); }

void MainWindow::recordChanged() {
    m_side->recordChanged();
    m_boardWidget->updateMarks();
    // An edit from anywhere (the correction dialog too) reaches the menus, the title and the
    // recovery file once the event loop is back.
    if (!m_refreshQueued) {
        m_refreshQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_refreshQueued = false;
                refreshCommandStates();
            },
            Qt::QueuedConnection);
    }
}

void MainWindow::selectionChanged(const RecordSequence* sequence, int nodeIndex) {
    m_side->selectionChanged(sequence, nodeIndex);
    m_boardWidget->updateMarks();
}

// --- menus, bars and keys ----------------------------------------------------------------------

void MainWindow::addMenuEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        if (e.isSeparator()) {
            menu->addSeparator();
        } else if (e.isSubMenu()) {
            addMenuEntries(menu->addMenu(qs(e.text)), e.children);
        } else {
            QString text = qs(e.text);
            if (!e.shortcut.empty()) text += QLatin1Char('\t') + qs(e.shortcut);
            QAction* a = menu->addAction(text);
            const int id = e.command;
            connect(a, &QAction::triggered, this, [this, id] { runCommand(id, CommandSource::Menu); });
            m_actions.emplace_back(id, a);
        }
    }
}

void MainWindow::buildMenus(const std::vector<MenuEntry>& bar) {
    menuBar()->clear();
    m_actions.clear();
    // The menu bar shows its titles at once; a menu's entries are made when it is first opened
    // (a start builds hundreds of entries nobody has looked at yet). The keys work without them.
    const bool book = m_bookMenus;
    for (std::size_t i = 0; i < bar.size(); ++i) {
        QMenu* menu = menuBar()->addMenu(qs(bar[i].text));
        connect(menu, &QMenu::aboutToShow, this, [this, menu, book, i] {
            if (!menu->isEmpty() || book != m_bookMenus) return;
            const std::size_t first = m_actions.size();
            addMenuEntries(menu, (book ? bookMenuBar() : mainMenuBar())[i].children);
            const CommandStates& states = m_commands->states();
            for (std::size_t a = first; a < m_actions.size(); ++a)
                showCommandState(m_actions[a].second, m_actions[a].first, states);
        });
    }
}

void MainWindow::buildKeys() {
    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::Key_Left), kCmdBack},
        {QKeySequence(Qt::Key_Right), kCmdForward},
        {QKeySequence(Qt::CTRL | Qt::Key_Left), kCmdBackAcrossBranch},
        {QKeySequence(Qt::CTRL | Qt::Key_Right), kCmdIntoBranch},
        {QKeySequence(Qt::CTRL | Qt::Key_V), kCmdOpenClipboard},
        {QKeySequence(Qt::CTRL | Qt::Key_S), kCmdSave},
        {QKeySequence(Qt::ALT | Qt::Key_Slash), kCmdVersion},
        {QKeySequence(Qt::ALT | Qt::Key_Question), kCmdVersion},
        {QKeySequence(Qt::Key_F1), kCmdHelpOnSituation},
    };
    for (const auto& [key, id] : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this, id = id] { runCommand(id, CommandSource::Key); });
    }
    // F1 where the shortcut does not reach (a dialog, the help window, a window not active) asks
    // for the situation's help too.
    qApp->installEventFilter(this);
}

void MainWindow::layoutBars(BarLayout main, BarLayout secondary, std::u16string_view title) {
    m_mainBar->setLayout(main);
    m_subBar->setLayout(secondary);
    m_subBar->setTitle(qs(title));
    const bool book = main == BarLayout::Book;
    if (book != m_bookMenus) {
        m_bookMenus = book;
        buildMenus(book ? bookMenuBar() : mainMenuBar());
        if (!book) m_bookPanel->bookClosed();
        m_sideStack->setCurrentIndex(book ? 1 : 0);
        // The title names the book's record: the book's own text.
        setProperty(kBookContentProperty, book);
    }
    if (m_startedUp) applySettings();
    refreshCommandStates();
}

const CommandStates& MainWindow::commandStates() const { return m_commands->states(); }

void MainWindow::showCommandState(QAction* action, int id, const CommandStates& states) {
    action->setEnabled(states.enabled(id));
    const bool checked = states.checked(id);
    action->setCheckable(checked || action->isCheckable());
    action->setChecked(checked);
}

void MainWindow::refreshCommandStates() {
    if (!m_commands) return;
    const CommandStates& states = m_commands->refresh();
    for (auto& [id, action] : m_actions) showCommandState(action, id, states);
    m_mainBar->refresh(states);
    m_subBar->refresh(states);
    // A book's record is no game in play: the status line says nothing of it.
    m_statusRight->setText(m_sideStack->currentWidget() == m_bookPanel ? QString() : qs(m_board->statusText()));
    m_side->counting().refresh();
    const ProblemMode* problems = m_commands->problems();
    m_problemPanel->refresh(problems);
    // In problem mode the move list, which gives the answers away, shows on request ("棋譜リストを表示").
    const QAbstractButton* moveList = m_problemPanel->button(kCtlProblemMoveList);
    m_side->moveList().setVisible(!problems || (moveList && moveList->isChecked()));
    if (m_listShown) m_gameList->setContent(m_commands->gameListPanel());
    if (auto* dialog = qobject_cast<RecordCorrectionDialog*>(m_ui->recordCorrectionDialog())) dialog->refresh();
}

// --- commands ----------------------------------------------------------------------------------

void MainWindow::runCommand(int id, CommandSource source, QPoint anchor) {
    m_ui->setPopupAnchor(anchor);
    m_commands->run(id, source);
    if (id == kCmdStudyBoard || id == kCmdStudyBoardButton) applySettings(); // the move list's take-over entry
    // What the settings dialogs changed shows at once.
    if (id == kCmdFunctionSettings || id == kCmdDisplaySettings) applySettings();
    if (m_sideStack->currentWidget() == m_bookPanel) m_bookPanel->refresh();
    refreshCommandStates();
}

void MainWindow::openFile(const QString& path) {
    m_commands->openFile(path.toStdString());
    refreshCommandStates();
}

// --- window events -----------------------------------------------------------------------------

GameListPanel& MainWindow::gameListPanel() {
    showGameList();
    return *m_gameList;
}

void MainWindow::showGameList() {
    if (!m_startedUp || m_listShown) return;
    m_listShown = true;
    m_gameList->setContent(m_commands->gameListPanel());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && watched->isWidgetType()) {
        runCommand(kCmdHelpOnSituation, CommandSource::Key);
        return true;
    }
    // The board comes first on the screen; the rows of the game list follow at once.
    if (watched == m_boardWidget && event->type() == QEvent::Paint && m_startedUp && !m_listShown)
        QMetaObject::invokeMethod(this, &MainWindow::showGameList, Qt::QueuedConnection);
    if (watched == m_boardWidget && event->type() == QEvent::ContextMenu) {
        auto* e = static_cast<QContextMenuEvent*>(event);
        const QPoint p = m_boardWidget->pointAt(e->pos());
        m_ui->setPopupAnchor(e->globalPos());
        const ProblemMode* problems = m_commands->problems();
        const bool problemClick =
            problems && (problems->state() == ProblemState::Answering || problems->state() == ProblemState::Placing);
        if (m_commands->counting().active() || problemClick) m_commands->clickPoint(p.x(), p.y(), true);
        else m_commands->boardMenu(p.x(), p.y());
        refreshCommandStates();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_commands->exitCheck()) {
        event->ignore();
        return;
    }
    m_ticker->stop();
    rememberPlacement();
    m_commands->shutDown();
    event->accept();
}

// A window's position (move(), pos()) is its frame's outer corner, its size (resize()) the inside:
// the place is saved and restored in those same terms.
void MainWindow::place(const WindowRect& r) {
    move(r.left, r.top);
    resize(r.width, r.height);
}

void MainWindow::rememberPlacement() {
    if (isMinimized() || isMaximized() || isFullScreen()) return;
    m_app.mainWindowMoved(pos().x(), pos().y());
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (m_startedUp) rememberPlacement();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    refreshCommandStates();
    // Mail copied in another program is looked for a moment after the window comes back.
    if (!m_startedUp) return;
    m_commands->windowActivated();
    m_fetchTimer->start();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_splitFitted && m_split->width() > 0) {
        // The first time on the screen: the board column as wide as the square board needs, the
        // rest of the width to the panels; under them the game list takes two fifths.
        m_splitFitted = true;
        const int total = m_split->width();
        const int board = std::clamp(m_split->height() + 40, total / 2, total - m_side->minimumWidth());
        m_split->setSizes({board, total - board});
        const int column = m_sideColumn->height();
        m_sideColumn->setSizes({column * 3 / 5, column - column * 3 / 5});
    }
    // The file of the command line opens once the window is on the screen, in the viewing mode.
    if (!m_startedUp) return;
    if (const std::u16string file = m_app.takeCommandLineFile(); !file.empty()) {
        const std::string path = toUtf8(file);
        QMetaObject::invokeMethod(
            this,
            [this, path] {
                m_commands->openStartFile(path);
                refreshCommandStates();
            },
            Qt::QueuedConnection);
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls()) {
        std::vector<std::string> paths;
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
        m_commands->openDroppedFiles(paths);
    } else if (data->hasText()) {
        m_commands->openDroppedText(u16(data->text()));
    }
    event->acceptProposedAction();
    refreshCommandStates();
}

} // namespace stonewise
