#include "qt/StudyWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/Application.h"
#include "app/StudyBoard.h"
#include "qt/BoardTicker.h"
#include "qt/BoardWidget.h"
#include "qt/CommentPanel.h"
#include "qt/InfoPanel.h"
#include "qt/MoveListPanel.h"
#include "qt/QtText.h"
#include "qt/QtUi.h"
#include "qt/SidePanel.h"
#include "view/CoordinateLabels.h"

namespace stonewise {

StudyWindow::StudyWindow(Application& app, const Clock& clock, FlashTimerSlots& flashSlots, MoveListRegistry& moveLists,
                         QWidget* owner)
    : QWidget(owner, Qt::Window) {
    setWindowTitle(uiString(kStrStudyBoardTitle));
    setObjectName(QStringLiteral("studyWindow"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    auto* split = new QSplitter(Qt::Horizontal, this);
    m_boardWidget = new BoardWidget(split);
    m_side = new SidePanel(split);
    m_side->setMinimumWidth(260); // the players' names beside their prisoners
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    column->addWidget(split, 1);
    auto* strip = new QLabel(this);
    strip->hide();
    column->addWidget(strip);
    auto* status = new QLabel(this);
    column->addWidget(status);

    m_ui = std::make_unique<QtUi>(this, status, strip);
    m_ui->setStrings(&app.strings());
    BoardEnvironment env;
    env.ui = m_ui.get();
    env.canvas = m_boardWidget;
    env.panels = m_side;
    env.clock = &clock;
    env.strings = &app.strings();
    env.japanese = app.japanese();
    env.flashSlots = &flashSlots;
    env.pointLabels = [this](int x, int y) {
        const CoordinateLabels labels(m_view, m_study ? m_study->board().boardSize() : 19);
        return std::pair{labels.column(x), labels.row(y)};
    };
    m_study = std::make_unique<StudyBoard>(env);
    CIgoBoard& board = m_study->board();
    m_boardWidget->setBoard(&board);
    m_boardWidget->setStoneAlpha([&board](int x, int y) { return int{board.timer().stoneAlpha(x, y)}; });
    m_side->setBoard(&board);
    m_side->moveList().registerWith(moveLists, m_ui.get());
    m_ticker = std::make_unique<BoardTicker>(board.timer());
    connect(m_boardWidget, &BoardWidget::pointClicked, this, [&board](int x, int y) { board.clickPoint(x, y); });
    connect(m_side, &SidePanel::commandRequested, this, [&board](int id) { board.command(id); });
    resize(800, 640);
}

StudyWindow::~StudyWindow() = default;

void StudyWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (m_closed) m_closed();
}

void StudyWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_ticker->start(); // the stone fade and the flash of the study board
}

void StudyWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_ticker->stop();
    m_study->board().stopBusy();
}

void StudyWindow::apply(const ViewSettings& view, const MoveListPanelOptions& list, const InfoPanelOptions& info,
                        const CommentPanelOptions& comment) {
    m_view = view;
    m_boardWidget->setViewSettings(view);
    m_side->moveList().setOptions(list);
    m_side->info().setOptions(info);
    m_side->comment().setOptions(comment);
    m_side->refreshAll();
}

} // namespace stonewise
