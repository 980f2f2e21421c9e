#include "qt/MainWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/Clock.h"
#include "qt/BoardWidget.h"
#include "qt/QtText.h"
#include "qt/QtUi.h"

namespace stonewise {

namespace {
const SystemClock kClock;
}

MainWindow::MainWindow() {
    setWindowTitle(QStringLiteral("Stonewise"));
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    auto* boardArea = new QWidget(central);
    auto* boardLayout = new QVBoxLayout(boardArea);
    boardLayout->setContentsMargins(0, 0, 0, 0);
    m_boardWidget = new BoardWidget(boardArea);
    boardLayout->addWidget(m_boardWidget, 1);
    m_strip = new QLabel(boardArea);
    m_strip->setStyleSheet(QStringLiteral("background:#fff8d0; border:1px solid #a08040; padding:4px;"));
    m_strip->hide();
    boardLayout->addWidget(m_strip);
    layout->addWidget(boardArea, 1);

    auto* side = new QWidget(central);
    auto* sideLayout = new QVBoxLayout(side);
    m_moveLabel = new QLabel(side);
    m_prisonersLabel = new QLabel(side);
    sideLayout->addWidget(m_moveLabel);
    sideLayout->addWidget(m_prisonersLabel);
    sideLayout->addStretch(1);
    side->setMinimumWidth(200);
    layout->addWidget(side);
    setCentralWidget(central);

    m_ui = std::make_unique<QtUi>(this, statusBar(), m_strip);
    BoardEnvironment env;
    env.ui = m_ui.get();
    env.canvas = m_boardWidget;
    env.panels = this;
    env.clock = &kClock;
    m_board = std::make_unique<CIgoBoard>(env);
    m_boardWidget->setBoard(m_board.get());
    connect(m_boardWidget, &BoardWidget::pointClicked, this, [this](int x, int y) { m_board->clickPoint(x, y); });
    buildMenus();
    resize(1000, 768);
    m_board->rebuild();
    recordChanged();
}

MainWindow::~MainWindow() {
    m_boardWidget->setBoard(nullptr);
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("新規対局 19路"), this, [this] { startGame(19, 0); });
    file->addAction(QStringLiteral("新規対局 13路"), this, [this] { startGame(13, 0); });
    QMenu* handicap = file->addMenu(QStringLiteral("置碁 19路"));
    for (int n = 2; n <= 9; ++n)
        handicap->addAction(QStringLiteral("%1子").arg(n), this, [this, n] { startGame(19, n); });
    file->addSeparator();
    file->addAction(QStringLiteral("アプリケーションの終了(&X)"), this, &QWidget::close);

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    QAction* numbers = view->addAction(QStringLiteral("番号を表示"));
    numbers->setCheckable(true);
    connect(numbers, &QAction::toggled, this, [this](bool on) {
        m_board->options().showNumbers = on;
        m_board->rebuild();
    });
}

void MainWindow::startGame(int lines, int handicap) {
    GameInfo info;
    info.board = lines == 13 ? 1 : 0;
    info.handicap = static_cast<std::int16_t>(handicap);
    m_board->newGame(info);
    recordChanged();
}

void MainWindow::showMoveNumber(int nextMove) {
    if (!m_board) return;
    int shown = nextMove + m_board->record().main().numberOffset();
    m_moveLabel->setText(QStringLiteral("次は %1手目").arg(shown));
}

void MainWindow::showPrisoners(int byWhite, int byBlack) {
    m_prisonersLabel->setText(QStringLiteral("アゲハマ  黒：%1  白：%2").arg(byBlack).arg(byWhite));
}

void MainWindow::recordChanged() {
    if (!m_board) return;
    const int total = m_board->totalMoves() + m_board->record().main().numberOffset();
    statusBar()->showMessage(QStringLiteral("%1路盤　%2手").arg(m_board->boardSize()).arg(std::max(total, 0)));
}

} // namespace stonewise
