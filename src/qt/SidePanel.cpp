#include "qt/SidePanel.h"

#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

#include "qt/CommentPanel.h"
#include "qt/CountingPanel.h"
#include "qt/InfoPanel.h"
#include "qt/MoveListPanel.h"

namespace stonewise {

SidePanel::SidePanel(QWidget* parent) : QWidget(parent) {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(10);
    setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_counting = new CountingPanel(this);
    layout->addWidget(m_counting);
    connect(m_counting, &CountingPanel::commandRequested, this, &SidePanel::commandRequested);
    m_info = new InfoPanel(this);
    layout->addWidget(m_info);
    auto* split = new QSplitter(Qt::Vertical, this);
    m_moveList = new MoveListPanel(split);
    m_comment = new CommentPanel(split);
    split->addWidget(m_moveList);
    split->addWidget(m_comment);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    layout->addWidget(split, 1);
    connect(m_moveList, &MoveListPanel::commandRequested, this, &SidePanel::commandRequested);
    connect(m_moveList, &MoveListPanel::nodeShown, this, [this] {
        m_comment->refresh();
        Q_EMIT nodeShown();
    });
}

void SidePanel::setBoard(CIgoBoard* board) {
    m_board = board;
    m_info->setBoard(board);
    m_moveList->setBoard(board);
    m_comment->setBoard(board);
}

void SidePanel::refreshAll() {
    m_info->refresh();
    m_moveList->refresh();
    m_comment->refresh();
}

void SidePanel::showMoveNumber(int nextMove) { m_info->showTurn(nextMove); }

void SidePanel::showPrisoners(int byWhite, int byBlack) { m_info->showPrisoners(byWhite, byBlack); }

void SidePanel::recordChanged() {
    m_info->refresh();
    m_moveList->refresh();
    m_comment->refresh();
}

void SidePanel::selectionChanged(const RecordSequence* sequence, int nodeIndex) {
    m_moveList->select(sequence, nodeIndex);
    m_comment->refresh();
}

} // namespace stonewise
