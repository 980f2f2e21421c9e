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
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <atomic>
#include <mutex>
#include <thread>

#include "app/PatternSearchForm.h"
#include "app/StringTable.h"
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

    m_results = new QTreeWidget(this);
    m_results->setColumnCount(2);
    m_results->setHeaderLabels({uiString(kStrPatternTypeColumn), uiString(kStrPatternNameColumn)});
    m_results->setRootIsDecorated(false);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setUniformRowHeights(true);
    m_results->header()->setStretchLastSection(true);
    m_results->setColumnWidth(0, 120);
    layout->addWidget(m_results, 1);
    m_count = new QLabel(this);
    layout->addWidget(m_count);

    auto* actions = new QHBoxLayout;
    auto* run = new QPushButton(uiString(kStrPatternRun), this);
    auto* showGame = new QPushButton(uiString(kStrPatternShowGame), this);
    auto* composeButton = new QPushButton(uiString(kStrPatternCompose), this);
    auto* close = new QPushButton(uiString(kStrPatternClose), this);
    actions->addWidget(run);
    actions->addWidget(showGame);
    actions->addStretch(1);
    actions->addWidget(composeButton);
    actions->addWidget(close);
    layout->addLayout(actions);
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    connect(run, &QPushButton::clicked, this, [this] {
        m_line->setText(qs(m_form->prepare()));
        enableTypes();
        runSearch(m_type);
    });
    connect(showGame, &QPushButton::clicked, this,
            [this] { showResult(m_results->indexOfTopLevelItem(m_results->currentItem())); });
    connect(composeButton, &QPushButton::clicked, this, &PatternSearchWindow::compose);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_results, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { showResult(m_results->indexOfTopLevelItem(item)); });
    enableTypes();
    resize(420, 480);
}

void PatternSearchWindow::enableTypes() {
    for (const auto& [button, type] : m_typeButtons) button->setEnabled(m_form->available(type));
}

void PatternSearchWindow::runSearch(PatternSearchType type) {
    m_type = type;
    m_results->clear();
    m_form->search(type);
    fillResults();
    if (m_form->rebuildAsked()) compose();
}

void PatternSearchWindow::fillResults() {
    QList<QTreeWidgetItem*> items;
    for (const PatternResultRow& row : m_form->rows())
        items << new QTreeWidgetItem(QStringList{qs(row.type), qs(row.name)});
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

std::vector<int> selectedRows(const QListWidget* list) {
    std::vector<int> rows;
    for (const QListWidgetItem* item : list->selectedItems()) rows.push_back(list->row(item));
    return rows;
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
    for (const auto& [group, text] : m_form->groups()) m_group->addItem(qs(text), group);
    groupLine->addWidget(m_group, 1);
    layout->addLayout(groupLine);

    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    m_inputs = new QListWidget(this);
    m_composition = new QListWidget(this);
    for (QListWidget* list : {m_inputs, m_composition}) list->setSelectionMode(QAbstractItemView::ExtendedSelection);
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
    connect(allInputs, &QPushButton::clicked, m_inputs, &QListWidget::selectAll);
    connect(allComposed, &QPushButton::clicked, m_composition, &QListWidget::selectAll);
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
    m_inputs->clear();
    for (const CompositionEntry& e : m_form->inputs()) m_inputs->addItem(qs(e.name));
    m_inputsLine->setText(qs(m_form->inputsLine()));
}

void PatternCompositionDialog::fillComposition() {
    m_composition->clear();
    for (const CompositionEntry& e : m_form->composition()) m_composition->addItem(qs(e.name));
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
