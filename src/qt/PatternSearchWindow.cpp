#include "qt/PatternSearchWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <atomic>
#include <mutex>
#include <thread>

#include "app/PatternSearchForm.h"
#include "app/StringTable.h"
#include "qt/GameListPanel.h"
#include "qt/PatternDiagramView.h"
#include "qt/QtText.h"
#include "search/PatternTexts.h"

namespace stonewise {

// --- the panel -----------------------------------------------------------------------------------

PatternSearchWindow::PatternSearchWindow(PatternSearchForm& form, std::function<void()> shown, QWidget* parent)
    : QDialog(parent), m_form(&form), m_shown(std::move(shown)) {
    setWindowTitle(uiString(kStrPatternTitle));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_line = new QLabel(qs(m_form->prepare()), this);
    m_line->setWordWrap(true);
    layout->addWidget(m_line);

    // The board to search: offered while the study board is shown.
    m_sides = new QWidget(this);
    auto* sides = new QHBoxLayout(m_sides);
    sides->setContentsMargins(0, 0, 0, 0);
    sides->addWidget(new QLabel(uiString(kStrPatternSearchBoard), m_sides));
    auto* sideGroup = new QButtonGroup(this);
    for (const PatternBoardSide side : {PatternBoardSide::Main, PatternBoardSide::Study}) {
        auto* b = new QRadioButton(
            uiString(side == PatternBoardSide::Main ? kStrPatternMainBoard : kStrPatternStudyBoard), m_sides);
        b->setChecked(side == m_form->side());
        sideGroup->addButton(b);
        sides->addWidget(b);
        connect(b, &QRadioButton::toggled, this, [this, side](bool on) {
            if (!on) return;
            m_form->setSide(side);
            m_line->setText(qs(m_form->prepare()));
            enableTypes();
        });
    }
    sides->addStretch(1);
    m_sides->setVisible(m_form->studyBoardShown());
    layout->addWidget(m_sides);

    auto* target = new QHBoxLayout;
    auto* targets = new QButtonGroup(this);
    for (const bool books : {true, false}) {
        auto* b = new QRadioButton(uiString(books ? kStrPatternTargetBooks : kStrPatternTargetGeneral), this);
        b->setChecked(books == m_form->bookTarget());
        targets->addButton(b);
        target->addWidget(b);
        connect(b, &QRadioButton::toggled, this, [this, books](bool on) {
            if (!on) return;
            m_form->setBookTarget(books);
            enableTypes();
        });
    }
    target->addStretch(1);
    layout->addLayout(target);

    auto* types = new QHBoxLayout;
    const std::pair<int, PatternSearchType> buttons[] = {{kStrPatternJoseki, PatternSearchType::Joseki},
                                                         {kStrPatternFuseki, PatternSearchType::Fuseki},
                                                         {kStrPatternGame, PatternSearchType::Game},
                                                         {kStrPatternGameCorner, PatternSearchType::GameCorner}};
    for (const auto& [text, type] : buttons) {
        auto* b = new QPushButton(uiString(text), this);
        types->addWidget(b);
        m_typeButtons.emplace_back(b, type);
        connect(b, &QPushButton::clicked, this, [this, type = type] { runSearch(type); });
    }
    layout->addLayout(types);

    auto* split = new QSplitter(Qt::Horizontal, this);
    auto* listSide = new QWidget(split);
    auto* listLayout = new QVBoxLayout(listSide);
    listLayout->setContentsMargins(0, 0, 0, 0);
    m_results = new QTreeWidget(listSide);
    m_results->setColumnCount(2);
    m_results->setHeaderLabels({uiString(kStrPatternTypeColumn), uiString(kStrPatternNameColumn)});
    m_results->setRootIsDecorated(false);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setUniformRowHeights(true);
    m_results->header()->setStretchLastSection(true);
    m_results->setColumnWidth(0, 110);
    listLayout->addWidget(m_results, 1);
    m_count = new QLabel(listSide);
    m_count->setWordWrap(true);
    listLayout->addWidget(m_count);

    // The chosen result: its diagram, the moves that followed, its branches and the comment.
    m_pane = new QWidget(split);
    auto* pane = new QVBoxLayout(m_pane);
    pane->setContentsMargins(0, 0, 0, 0);
    m_caption = new QLabel(m_pane);
    pane->addWidget(m_caption);
    m_diagram = new PatternDiagramView(m_pane);
    pane->addWidget(m_diagram, 1);
    auto* lower = new QHBoxLayout;
    m_moves = new QListWidget(m_pane);
    m_branches = new QTreeWidget(m_pane);
    m_branches->setHeaderHidden(true);
    auto* movesSide = new QVBoxLayout;
    movesSide->addWidget(new QLabel(uiString(kStrPatternMovesColumn), m_pane));
    movesSide->addWidget(m_moves, 1);
    auto* branchSide = new QVBoxLayout;
    auto* branchButton = new QPushButton(uiString(kStrPatternBranches), m_pane);
    branchSide->addWidget(m_branches, 1);
    branchSide->addWidget(branchButton);
    lower->addLayout(movesSide, 1);
    lower->addLayout(branchSide, 1);
    pane->addLayout(lower);
    m_moves->setMaximumHeight(120);
    m_branches->setMaximumHeight(120);
    m_comment = new QPlainTextEdit(m_pane);
    m_comment->setReadOnly(true);
    m_comment->setMaximumHeight(64);
    pane->addWidget(m_comment);
    split->addWidget(listSide);
    split->addWidget(m_pane);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({360, 400});
    layout->addWidget(split, 1);

    auto* actions = new QHBoxLayout;
    auto* run = new QPushButton(uiString(kStrPatternRun), this);
    auto* diagramList = new QPushButton(uiString(kStrPatternDiagramList), this);
    auto* showGame = new QPushButton(uiString(kStrPatternShowGame), this);
    m_showBook = new QPushButton(uiString(kStrPatternShowBook), this);
    auto* composeButton = new QPushButton(uiString(kStrPatternCompose), this);
    auto* close = new QPushButton(uiString(kStrPatternClose), this);
    actions->addWidget(run);
    actions->addWidget(diagramList);
    actions->addWidget(showGame);
    actions->addWidget(m_showBook);
    actions->addStretch(1);
    actions->addWidget(composeButton);
    actions->addWidget(close);
    layout->addLayout(actions);
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    connect(run, &QPushButton::clicked, this, [this] {
        m_sides->setVisible(m_form->studyBoardShown());
        m_line->setText(qs(m_form->prepare()));
        enableTypes();
        runSearch(m_type);
    });
    connect(diagramList, &QPushButton::clicked, this, &PatternSearchWindow::toggleDiagram);
    connect(showGame, &QPushButton::clicked, this,
            [this] { showResult(m_results->indexOfTopLevelItem(m_results->currentItem())); });
    connect(m_showBook, &QPushButton::clicked, this, &PatternSearchWindow::showBook);
    connect(composeButton, &QPushButton::clicked, this, &PatternSearchWindow::compose);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_results, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { showResult(m_results->indexOfTopLevelItem(item)); });
    connect(m_results, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { selectResult(item ? m_results->indexOfTopLevelItem(item) : -1); });
    connect(branchButton, &QPushButton::clicked, this, &PatternSearchWindow::showBranch);
    connect(m_branches, &QTreeWidget::itemDoubleClicked, this, &PatternSearchWindow::showBranch);
    connect(m_moves, &QListWidget::currentRowChanged, this, [this](int row) {
        m_form->view().chooseMove(row);
        m_comment->setPlainText(qs(m_form->view().comment()));
    });
    enableTypes();
    fillView(true);
    resize(760, 560);
}

void PatternSearchWindow::selectResult(int row) {
    m_form->select(row);
    fillView(true);
}

void PatternSearchWindow::fillView(bool branches) {
    const PatternResultView& view = m_form->view();
    const int row = m_form->selected();
    m_caption->setText(row >= 0 && view.empty() ? uiString(kStrPatternCannotRead) : qs(view.diagram().caption));
    m_diagram->setDiagram(view.diagram());
    m_moves->blockSignals(true);
    m_moves->clear();
    for (const PatternMoveRow& move : view.moves()) m_moves->addItem(qs(move.text));
    m_moves->blockSignals(false);
    m_comment->setPlainText(qs(view.comment()));
    m_showBook->setEnabled(m_form->fromBook(row));
    if (!branches) return;
    m_branches->clear();
    // Each row goes under the nearest row above it of a lower depth.
    std::vector<QTreeWidgetItem*> parents;
    const std::vector<PatternBranchRow>& rows = view.branches();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int depth = rows[i].depth;
        parents.resize(static_cast<std::size_t>(std::min<int>(depth, static_cast<int>(parents.size()))));
        auto* item = parents.empty() ? new QTreeWidgetItem(m_branches) : new QTreeWidgetItem(parents.back());
        item->setText(0, qs(rows[i].text));
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        parents.push_back(item);
        if (static_cast<int>(i) == view.shownBranch()) m_branches->setCurrentItem(item);
    }
    m_branches->expandAll();
}

void PatternSearchWindow::toggleDiagram() { m_pane->setVisible(!m_pane->isVisible()); }

void PatternSearchWindow::showBranch() {
    const QTreeWidgetItem* item = m_branches->currentItem();
    if (!item || !m_form->view().showBranch(item->data(0, Qt::UserRole).toInt())) return;
    fillView(false);
}

void PatternSearchWindow::showBook() { m_form->showBook(m_results->indexOfTopLevelItem(m_results->currentItem())); }

void PatternSearchWindow::enableTypes() {
    for (const auto& [button, type] : m_typeButtons) button->setEnabled(m_form->available(type));
}

void PatternSearchWindow::runSearch(PatternSearchType type) {
    m_type = type;
    m_results->blockSignals(true);
    m_results->clear();
    m_results->blockSignals(false);
    m_form->search(type);
    fillResults();
    if (m_results->topLevelItemCount() > 0) m_results->setCurrentItem(m_results->topLevelItem(0));
    else fillView(true);
    if (m_form->rebuildAsked()) compose();
}

void PatternSearchWindow::fillResults() {
    QList<QTreeWidgetItem*> items;
    for (const PatternResultRow& row : m_form->rows()) {
        items << new QTreeWidgetItem(QStringList{qs(row.type), qs(row.name)});
        items.back()->setData(1, kUserContentRole, true); // names of groups, books and games
    }
    m_results->addTopLevelItems(items);
    m_count->setText(qs(m_form->status()));
}

void PatternSearchWindow::showResult(int row) {
    if (row < 0) return;
    m_form->show(row);
    if (m_shown) m_shown();
}

void PatternSearchWindow::compose() {
    std::unique_ptr<PatternCompositionForm> composition = m_form->makeComposition();
    PatternCompositionDialog dialog(*composition, this);
    dialog.exec();
    m_form->forget();
    enableTypes();
}

void PatternSearchWindow::done(int result) {
    m_form->close();
    QDialog::done(result);
    deleteLater();
}

// --- the composition -----------------------------------------------------------------------------

namespace {

// Tells the dialog's progress from the build's thread: the counts are taken by the main thread's
// timer, the messages kept for the end; "中止" is an atomic flag.
class ThreadWatcher final : public PatternBuildWatcher {
public:
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<bool> stop{false};
    std::mutex lock;
    std::vector<std::pair<std::u16string, std::u16string>> messages;
    std::u16string current;

    bool progress(int d, int t, std::u16string_view text) override {
        {
            std::lock_guard<std::mutex> guard(lock);
            current = text;
        }
        total = t;
        done = d;
        return !stop;
    }
    void message(std::u16string_view text, std::u16string_view title) override {
        std::lock_guard<std::mutex> guard(lock);
        messages.emplace_back(text, title);
    }
};

std::vector<int> selectedRows(const QTreeWidget* list) {
    std::vector<int> rows;
    for (QTreeWidgetItem* item : list->selectedItems()) rows.push_back(list->indexOfTopLevelItem(item));
    return rows;
}

// A list of inputs or composed entries: "タイプ" ("一般棋譜" or "碁ブック") and "棋譜名".
QTreeWidget* entryList(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(2);
    list->setHeaderLabels({uiString(kStrPatternTypeColumn), uiString(kStrPatternNameColumn)});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setColumnWidth(0, 80);
    return list;
}

void fillEntries(QTreeWidget* list, const PatternCompositionForm& form, const std::vector<CompositionEntry>& entries) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    for (const CompositionEntry& e : entries) {
        items << new QTreeWidgetItem(QStringList{qs(form.typeLabel(e)), qs(e.name)});
        items.back()->setData(1, kUserContentRole, true); // the game's or book's own name
    }
    list->addTopLevelItems(items);
}

} // namespace

PatternCompositionDialog::PatternCompositionDialog(PatternCompositionForm& form, QWidget* parent)
    : QDialog(parent), m_form(&form) {
    setWindowTitle(qs(uiText(kTextComposition)));
    auto* layout = new QVBoxLayout(this);

    auto* kinds = new QHBoxLayout;
    auto* kindGroup = new QButtonGroup(this);
    const std::pair<int, PatternKind> kindButtons[] = {{kStrPatternJoseki, PatternKind::Joseki},
                                                       {kStrPatternFuseki, PatternKind::Fuseki},
                                                       {kTextKindReference, PatternKind::Reference},
                                                       {kTextKindGeneral, PatternKind::General}};
    for (const auto& [text, kind] : kindButtons) {
        auto* b = new QRadioButton(uiString(text), this);
        b->setChecked(kind == m_form->kind());
        kindGroup->addButton(b);
        kinds->addWidget(b);
        connect(b, &QRadioButton::clicked, this, [this, kind = kind, kindGroup, b] {
            if (m_form->setKind(kind)) {
                fillComposition();
                return;
            }
            // Kept: the button of the kind shown stays checked.
            for (QAbstractButton* other : kindGroup->buttons()) other->setChecked(other != b && other->isChecked());
        });
    }
    kinds->addStretch(1);
    layout->addLayout(kinds);

    auto* groupLine = new QHBoxLayout;
    groupLine->addWidget(new QLabel(uiString(kStrPatternInputGroup), this));
    m_group = new QComboBox(this);
    for (const auto& [group, text] : m_form->groups()) {
        m_group->addItem(qs(text), group);
        // A book's title is the book's own, not the program's text.
        if (group >= kBookGroupBase) m_group->setItemData(m_group->count() - 1, true, kUserContentRole);
    }
    groupLine->addWidget(m_group, 1);
    layout->addLayout(groupLine);

    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    m_inputs = entryList(this);
    m_composition = entryList(this);
    auto* allInputs = new QPushButton(uiString(kStrPatternSelectAll), this);
    auto* allComposed = new QPushButton(uiString(kStrPatternSelectAll), this);
    auto* add = new QPushButton(uiString(kStrPatternAdd), this);
    auto* remove = new QPushButton(uiString(kStrPatternRemove), this);
    left->addWidget(m_inputs, 1);
    left->addWidget(allInputs);
    left->addWidget(add);
    right->addWidget(m_composition, 1);
    right->addWidget(allComposed);
    right->addWidget(remove);
    lists->addLayout(left);
    lists->addLayout(right);
    layout->addLayout(lists, 1);
    m_inputsLine = new QLabel(this);
    m_composedLine = new QLabel(this);
    layout->addWidget(m_inputsLine);
    layout->addWidget(m_composedLine);
    auto* variations = new QCheckBox(uiString(kStrPatternVariations), this);
    layout->addWidget(variations);
    auto* buttons = new QHBoxLayout;
    auto* buildButton = new QPushButton(uiString(kStrPatternBuild), this);
    auto* close = new QPushButton(uiString(kStrPatternClose), this);
    buttons->addWidget(buildButton);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    connect(m_group, &QComboBox::currentIndexChanged, this, [this] {
        m_form->setInputGroup(m_group->currentData().toInt());
        fillInputs();
    });
    connect(allInputs, &QPushButton::clicked, m_inputs, &QTreeWidget::selectAll);
    connect(allComposed, &QPushButton::clicked, m_composition, &QTreeWidget::selectAll);
    connect(add, &QPushButton::clicked, this, [this] {
        m_form->add(selectedRows(m_inputs));
        fillComposition();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        m_form->remove(selectedRows(m_composition));
        fillComposition();
    });
    connect(variations, &QCheckBox::toggled, this, [this](bool on) { m_form->variations = on; });
    connect(buildButton, &QPushButton::clicked, this, &PatternCompositionDialog::build);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    fillInputs();
    fillComposition();
    resize(560, 460);
}

void PatternCompositionDialog::fillInputs() {
    fillEntries(m_inputs, *m_form, m_form->inputs());
    m_inputsLine->setText(qs(m_form->inputsLine()));
}

void PatternCompositionDialog::fillComposition() {
    fillEntries(m_composition, *m_form, m_form->composition());
    m_composedLine->setText(qs(m_form->composedLine()));
}

bool PatternCompositionDialog::build() {
    ThreadWatcher watcher;
    QProgressDialog progress(this);
    progress.setWindowTitle(qs(uiText(kTextComposition)));
    progress.setCancelButtonText(qs(uiText(kTextStop)));
    progress.setMinimumDuration(0);
    progress.setRange(0, std::max<int>(1, static_cast<int>(m_form->composition().size())));
    progress.setWindowModality(Qt::WindowModal);
    connect(&progress, &QProgressDialog::canceled, this, [&watcher] { watcher.stop = true; });
    std::atomic<bool> finished{false};
    PatternBuildResult result;
    // The build reads the games through a store of its own and writes only the database's files.
    std::thread worker([&] {
        result = m_form->build(watcher);
        finished = true;
    });
    progress.show();
    QEventLoop loop;
    while (!finished) {
        progress.setValue(watcher.done);
        {
            std::lock_guard<std::mutex> guard(watcher.lock);
            progress.setLabelText(qs(watcher.current));
        }
        loop.processEvents(QEventLoop::AllEvents, 30);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    worker.join();
    progress.close();
    for (const auto& [text, title] : watcher.messages) QMessageBox::warning(this, qs(title), qs(text));
    QMessageBox::information(this, qs(uiText(kTextComposition)), qs(result.text));
    if (result.status != PatternBuildResult::Status::Built) return false;
    m_form->built();
    return true;
}

void PatternCompositionDialog::done(int result) {
    if (!m_form->close()) return;
    QDialog::done(result);
}

} // namespace stonewise
