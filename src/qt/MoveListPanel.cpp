#include "qt/MoveListPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/CommandTexts.h"
#include "app/Ui.h"
#include "qt/MoveListIcons.h"
#include "qt/QtText.h"
#include "view/ElapsedTimeText.h"
#include "view/MoveListRegistry.h"

namespace stonewise {

namespace {
constexpr int kLineRole = Qt::UserRole + 1;
constexpr int kBranchRole = Qt::UserRole + 2; // the branch sequence of a branch line, as a key only

const RecordSequence* branchOf(const QTreeWidgetItem* item) {
    return reinterpret_cast<const RecordSequence*>(item->data(0, kBranchRole).value<quintptr>());
}
} // namespace

MoveListPanel::MoveListPanel(QWidget* parent) : QWidget(parent), m_icons(makeMoveListIcons()) {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(10);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_totals = new QLabel(this);
    m_totals->hide();
    layout->addWidget(m_totals);

    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(1);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setIndentation(14);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The column fills the list and grows to the widest line (measured from the texts, which is
    // far cheaper than letting the view measure every item).
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_tree->header()->setStretchLastSection(true);
    layout->addWidget(m_tree, 1);

    auto* checks = new QHBoxLayout;
    checks->setContentsMargins(2, 0, 2, 0);
    m_collapsedBox = new QCheckBox(uiString(21070), this);
    m_marksBox = new QCheckBox(uiString(21071), this);
    checks->addWidget(m_collapsedBox);
    checks->addWidget(m_marksBox);
    checks->addStretch(1);
    layout->addLayout(checks);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { onCurrentItemChanged(current); });
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        // A click on the line already current shows it again when the board has moved on.
        const int line = lineOf(item);
        if (!m_board || line < 0) return;
        const NodeRef& sel = m_board->selection();
        if (m_model.lineForSelection(sel.sequence, sel.index) != line) chooseLine(line);
    });
    connect(m_tree, &QWidget::customContextMenuRequested, this, &MoveListPanel::showMenu);
    connect(m_collapsedBox, &QCheckBox::toggled, this, &MoveListPanel::setCollapsed);
    connect(m_marksBox, &QCheckBox::toggled, this, &MoveListPanel::setMarkEditing);
    updateChecks();
}

MoveListPanel::~MoveListPanel() {
    if (m_registry) m_registry->remove(this);
}

void MoveListPanel::setBoard(CIgoBoard* board) {
    m_board = board;
    refresh();
}

void MoveListPanel::setOptions(const MoveListPanelOptions& options) {
    m_options = options;
    refresh();
}

bool MoveListPanel::registerWith(MoveListRegistry& registry, Ui* ui) {
    if (registry.add(this)) {
        m_registry = &registry;
        m_refused = false;
        return true;
    }
    m_refused = true;
    if (ui) ui->showMessage(uiText(kMoveListLimitText), uiText(kMoveListLimitTitle));
    refresh();
    return false;
}

MoveListOptions MoveListPanel::modelOptions() const {
    MoveListOptions o;
    o.showMarks = m_markEditing;
    o.collapsed = m_collapsed;
    o.showElapsed = elapsedShownInMoveList(m_options.elapsedSetting, m_options.mode);
    o.hideMoves = m_options.hideMoves;
    o.strings = m_options.strings;
    if (m_board) {
        CIgoBoard* board = m_board;
        o.pointLabels = [board](int x, int y) { return board->pointLabels(x, y); };
    }
    return o;
}

void MoveListPanel::refresh() {
    if (m_choosing) {
        // The tree is inside its own selection change: rebuild once the board has answered.
        m_refreshPending = true;
        return;
    }
    m_refreshPending = false;
    if (!m_board || m_refused) {
        m_model.clear();
    } else {
        // A record that lost its last branch leaves "分岐表示".
        if (m_collapsed && !collapsedModeAvailable(m_board->record().main(), false)) m_collapsed = false;
        m_model.build(m_board->record().main(), modelOptions());
    }
    rebuildItems();
    updateChecks();
    const bool times = m_board && !m_refused && elapsedShownInMoveList(m_options.elapsedSetting, m_options.mode);
    m_totals->setVisible(times);
    if (times) m_totals->setText(qs(elapsedTotalsText(m_board->record().main())));
    if (!m_board) return;
    const NodeRef& sel = m_board->selection();
    if (sel.sequence) {
        applySelection(sel.sequence, sel.index);
    } else {
        const int shown = m_board->shownMove();
        const RecordSequence* s = m_board->record().sequenceForMove(shown);
        applySelection(s, s && shown > 0 ? s->findNodeIndex(shown) : -1);
    }
}

void MoveListPanel::rebuildItems() {
    // Branches the user opened stay open across rebuilds.
    std::set<const RecordSequence*> open;
    for (QTreeWidgetItem* item : m_items)
        if (item->isExpanded()) open.insert(branchOf(item));
    m_following = true;
    m_tree->clear();
    m_items.clear();
    m_items.reserve(static_cast<std::size_t>(m_model.lineCount()));
    QList<QTreeWidgetItem*> top;
    for (int i = 0; i < m_model.lineCount(); ++i) {
        const MoveListLine& l = m_model.line(i);
        QTreeWidgetItem* item =
            l.parent < 0 ? new QTreeWidgetItem : new QTreeWidgetItem(m_items[static_cast<std::size_t>(l.parent)]);
        item->setText(0, qs(l.text));
        item->setIcon(0, m_icons[static_cast<std::size_t>(l.icon)]);
        item->setData(0, kLineRole, i);
        item->setData(0, kBranchRole, QVariant::fromValue(reinterpret_cast<quintptr>(l.branch)));
        if (l.parent < 0) top.push_back(item);
        m_items.push_back(item);
    }
    m_tree->addTopLevelItems(top);
    const QFontMetrics metrics(m_tree->font());
    int widest = 0;
    for (const MoveListLine& l : m_model.lines())
        widest = std::max(widest, metrics.horizontalAdvance(qs(l.text)) + (l.level + 1) * m_tree->indentation());
    m_tree->header()->setMinimumSectionSize(widest + m_tree->iconSize().width() + 16);
    for (QTreeWidgetItem* item : m_items)
        if (const RecordSequence* branch = branchOf(item); branch && open.count(branch)) item->setExpanded(true);
    m_following = false;
}

void MoveListPanel::updateChecks() {
    const bool record = m_board && !m_refused;
    const bool hasRecord = record && m_board->record().main().nodeCount() > 0;
    const bool canCollapse = record && collapsedModeAvailable(m_board->record().main(), m_markEditing);
    const bool canMark = markEditingAvailable(m_options.mainWindow, hasRecord, m_collapsed);
    const QSignalBlocker b1(m_collapsedBox);
    const QSignalBlocker b2(m_marksBox);
    m_collapsedBox->setChecked(m_collapsed);
    m_marksBox->setChecked(m_markEditing);
    // A box that is on can always be switched off.
    m_collapsedBox->setEnabled(canCollapse || m_collapsed);
    m_marksBox->setEnabled(canMark || m_markEditing);
}

void MoveListPanel::setCollapsed(bool on) {
    if (on == m_collapsed) return;
    m_collapsed = on;
    if (on) m_markEditing = false;
    refresh();
}

void MoveListPanel::setMarkEditing(bool on) {
    if (on == m_markEditing) return;
    m_markEditing = on;
    if (on) m_collapsed = false;
    refresh();
}

int MoveListPanel::lineOf(const QTreeWidgetItem* item) const {
    if (!item) return -1;
    bool ok = false;
    const int line = item->data(0, kLineRole).toInt(&ok);
    return ok && line >= 0 && line < m_model.lineCount() ? line : -1;
}

int MoveListPanel::currentLine() const { return lineOf(m_tree->currentItem()); }

void MoveListPanel::select(const RecordSequence* sequence, int nodeIndex) {
    if (m_choosing) {
        // The board answers a chosen line; the last answer is applied when it is done.
        m_pendingSequence = sequence;
        m_pendingIndex = nodeIndex;
        return;
    }
    applySelection(sequence, nodeIndex);
}

void MoveListPanel::applySelection(const RecordSequence* sequence, int nodeIndex) {
    const int line = m_model.lineForSelection(sequence, nodeIndex);
    m_following = true;
    if (line >= 0) {
        QTreeWidgetItem* item = m_items[static_cast<std::size_t>(line)];
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
        m_tree->setCurrentItem(item);
        m_tree->scrollToItem(item);
    } else {
        m_tree->setCurrentItem(nullptr);
        m_tree->clearSelection();
    }
    m_following = false;
}

void MoveListPanel::onCurrentItemChanged(QTreeWidgetItem* current) {
    if (m_following || m_choosing) return;
    const int line = lineOf(current);
    if (line >= 0) chooseLine(line);
}

void MoveListPanel::chooseLine(int line) {
    if (!m_board || line < 0 || line >= m_model.lineCount()) return;
    const MoveListTarget target = m_model.targetOf(line);
    RecordSequence& main = m_board->record().main();
    RecordSequence* show = findSequence(main, target.showSequence);
    if (!show) {
        refresh(); // the record changed under the list
        return;
    }
    m_choosing = true;
    m_pendingSequence = nullptr;
    m_pendingIndex = -1;
    m_board->showSequence(show, target.showMove);
    if (RecordSequence* sel = findSequence(main, target.selectSequence);
        sel && target.selectIndex >= 0 && target.selectIndex < sel->nodeCount())
        m_board->selectNode(sel, target.selectIndex);
    m_choosing = false;
    if (m_refreshPending) {
        // refresh() selects the board's node itself; the tree is rebuilt after this selection change.
        QMetaObject::invokeMethod(
            this, [this] { refresh(); }, Qt::QueuedConnection);
    } else {
        const NodeRef& now = m_board->selection();
        applySelection(now.sequence ? now.sequence : m_pendingSequence, now.sequence ? now.index : m_pendingIndex);
    }
    Q_EMIT nodeShown();
}

void MoveListPanel::scrollByWheel(int angleDelta) {
    QScrollBar* bar = m_tree->verticalScrollBar();
    const int steps = angleDelta * QApplication::wheelScrollLines() / 120;
    bar->setValue(bar->value() - steps * bar->singleStep());
}

void MoveListPanel::showMenu(const QPoint& pos) {
    if (!m_board) return;
    QTreeWidgetItem* item = m_tree->itemAt(pos);
    const int clicked = lineOf(item);
    if (clicked >= 0 && clicked != currentLine()) {
        m_following = true;
        m_tree->setCurrentItem(item);
        m_following = false;
        chooseLine(clicked);
    }
    const int line = currentLine();
    const MoveListLineKind kind = line >= 0 ? m_model.line(line).kind : MoveListLineKind::MainRecord;
    const bool hasLine = line >= 0;
    QMenu menu(this);
    for (int id : moveListPopupCommands()) {
        QAction* a = menu.addAction(qs(commandText(id)));
        a->setData(id);
        switch (id) {
        case kCmdEditMark:
        case kCmdDeleteMark: a->setEnabled(hasLine && kind == MoveListLineKind::Mark); break;
        case kCmdDeleteBranch: a->setEnabled(m_board->record().pathDepth() >= 1); break;
        case kCmdEditElapsed:
            a->setEnabled(hasLine && (kind == MoveListLineKind::Move || kind == MoveListLineKind::Pass));
            break;
        case kCmdAddStudyBranch: a->setEnabled(m_options.studyBoardAvailable); break;
        default: break;
        }
        if (id == kCmdCancel) menu.addSeparator();
    }
    QAction* chosen = menu.exec(m_tree->viewport()->mapToGlobal(pos));
    if (chosen && chosen->data().toInt() != kCmdCancel) Q_EMIT commandRequested(chosen->data().toInt());
}

} // namespace stonewise
