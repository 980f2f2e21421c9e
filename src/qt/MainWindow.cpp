#include "qt/MainWindow.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/Clock.h"
#include "app/CommandIds.h"
#include "app/CommandTexts.h"
#include "qt/RecordCorrectionDialog.h"
#include "qt/BoardWidget.h"
#include "qt/QtText.h"
#include "record/CommentStore.h"
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
    m_commentTitle = new QLabel(QStringLiteral("コメント"), side);
    sideLayout->addWidget(m_commentTitle);
    m_comment = new QPlainTextEdit(side);
    m_comment->setReadOnly(true);
    sideLayout->addWidget(m_comment, 1);
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
    m_ui->setFreeHandicapDone([this] { m_board->endFreeHandicap(); });
    connect(m_boardWidget, &BoardWidget::pointClicked, this, [this](int x, int y) {
        m_board->clickPoint(x, y);
        refreshPanels();
    });
    m_boardWidget->installEventFilter(this);
    buildMenus();
    buildKeys();
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

    QMenu* edit = menuBar()->addMenu(QStringLiteral("棋譜編集"));
    for (int id : {kCmdPass, kCmdUndo, kCmdClearRecord, kCmdComment, kCmdCopyToNewBranch, kCmdDeleteBranch,
                   kCmdCorrectRecord, kCmdRestoreRecord})
        edit->addAction(qs(commandText(id)), this, [this, id] { runCommand(id); });
    QMenu* move = menuBar()->addMenu(QStringLiteral("棋譜表示"));
    for (int id : {kCmdToStart, kCmdBack, kCmdForward, kCmdToEnd, kCmdBranchHead, kCmdBackAcrossBranch,
                   kCmdIntoBranch, kCmdBranchEnd})
        move->addAction(qs(commandText(id)), this, [this, id] { runCommand(id); });
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    QAction* numbers = view->addAction(QStringLiteral("番号を表示"));
    numbers->setCheckable(true);
    connect(numbers, &QAction::triggered, this, [this] { runCommand(kCmdShowNumbers); });
    QAction* fromOne = view->addAction(qs(commandText(kCmdBranchNumbersFromOne)));
    fromOne->setCheckable(true);
    connect(fromOne, &QAction::triggered, this, [this] { runCommand(kCmdBranchNumbersFromOne); });
}

void MainWindow::buildKeys() {
    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::Key_Left), kCmdBack},
        {QKeySequence(Qt::Key_Right), kCmdForward},
        {QKeySequence(Qt::CTRL | Qt::Key_Left), kCmdBackAcrossBranch},
        {QKeySequence(Qt::CTRL | Qt::Key_Right), kCmdIntoBranch},
    };
    for (const auto& [key, id] : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this, id = id] { runCommand(id); });
    }
}

void MainWindow::runCommand(int id, int x, int y) {
    m_board->command(id, x, y);
    refreshPanels();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_boardWidget && event->type() == QEvent::ContextMenu) {
        auto* e = static_cast<QContextMenuEvent*>(event);
        const QPoint p = m_boardWidget->pointAt(e->pos());
        showBoardPopup(p.x(), p.y(), e->globalPos());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showBoardPopup(int x, int y, QPoint globalPos) {
    QMenu menu(this);
    const bool onPoint = x >= 0;
    const bool stone = onPoint && m_board->position().at(x, y).hasStone();
    for (int id : boardPopupCommands()) {
        QAction* a = menu.addAction(qs(commandText(id)));
        a->setData(id);
        switch (id) {
        case kCmdNewBranch:
        case kCmdBranchAfterLast:
        case kCmdReferenceForLast:
        case kCmdPlaceStone:
        case kCmdBlackSetupStone:
        case kCmdWhiteSetupStone: a->setEnabled(onPoint && !stone); break;
        case kCmdCorrectPoint:
        case kCmdSetMark: a->setEnabled(onPoint); break;
        case kCmdRemoveSetupStone: a->setEnabled(stone && m_board->position().at(x, y).moveNumber == 0); break;
        case kCmdAddStudyBranch: a->setEnabled(false); break;  // the study board comes with its own window
        default: break;
        }
        if (id == kCmdCancel) menu.addSeparator();
    }
    QAction* chosen = menu.exec(globalPos);
    if (chosen) runCommand(chosen->data().toInt(), x, y);
}

void MainWindow::refreshPanels() {
    if (auto* dialog = qobject_cast<RecordCorrectionDialog*>(m_ui->recordCorrectionDialog())) dialog->refresh();
    const RecordNode* shown = m_board->record().nodeAtMove(m_board->shownMove());
    const RecordSequence* s = m_board->record().currentSequence();
    QString text;
    if (shown && s && shown->comment >= 0) {
        text = qs(withoutBracketTags(s->commentOf(*shown)));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(u'\r'), QChar(u'\n'));
    }
    m_comment->setPlainText(text);
    m_commentTitle->setText(shown && shown->isMoveOrPass() ? QStringLiteral("コメント　") + qs(m_board->moveLabel(*shown))
                                                           : QStringLiteral("コメント"));
}

void MainWindow::selectionChanged(const RecordSequence*, int) {
    if (m_board) refreshPanels();
}

void MainWindow::startGame(int lines, int handicap) {
    GameInfo info;
    info.board = lines == 13 ? 1 : 0;
    info.handicap = static_cast<std::int16_t>(handicap);
    m_board->newGame(info);
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
    refreshPanels();
    const int total = m_board->totalMoves() + m_board->record().main().numberOffset();
    statusBar()->showMessage(QStringLiteral("%1路盤　%2手").arg(m_board->boardSize()).arg(std::max(total, 0)));
}

} // namespace stonewise
