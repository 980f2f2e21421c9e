#include "qt/TextSearchWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/StringTable.h"
#include "app/TextSearchForm.h"
#include "qt/QtText.h"

namespace stonewise {

TextSearchWindow::TextSearchWindow(TextSearchForm& form, std::function<void()> shown, QWidget* parent)
    : QDialog(parent), m_form(&form), m_shown(std::move(shown)) {
    setWindowTitle(uiString(kStrSearchTitle));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(uiString(kStrSearchStringLabel), this));
    m_text = new QComboBox(this);
    m_text->setEditable(true);
    m_text->setInsertPolicy(QComboBox::NoInsert);
    m_text->lineEdit()->setMaxLength(static_cast<int>(kMaxSearchStringLength));
    m_text->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    line->addWidget(m_text, 1);
    auto* start = new QPushButton(uiString(kStrSearchStart), this);
    line->addWidget(start);
    layout->addLayout(line);

    const TextSearchOptions& options = m_form->options();
    auto* choices = new QHBoxLayout;
    m_branches = new QCheckBox(uiString(kStrSearchBranches), this);
    m_branches->setChecked(options.branches);
    m_any = new QRadioButton(uiString(kStrSearchAnyTerm), this);
    m_all = new QRadioButton(uiString(kStrSearchAllTerms), this);
    (options.allTerms ? m_all : m_any)->setChecked(true);
    m_gameName = new QCheckBox(uiString(kStrSearchGameName), this);
    m_gameName->setChecked(options.gameName);
    m_players = new QCheckBox(uiString(kStrSearchPlayers), this);
    m_players->setChecked(options.players);
    for (QWidget* w : {static_cast<QWidget*>(m_branches), static_cast<QWidget*>(m_any), static_cast<QWidget*>(m_all),
                       static_cast<QWidget*>(m_gameName), static_cast<QWidget*>(m_players)})
        choices->addWidget(w);
    choices->addStretch(1);
    layout->addLayout(choices);

    m_results = new QTreeWidget(this);
    m_results->setColumnCount(3);
    m_results->setHeaderLabels(
        {uiString(kStrSearchGameName), uiString(kStrSearchMoveColumn), uiString(kStrSearchCommentColumn)});
    m_results->setRootIsDecorated(false);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setUniformRowHeights(true);
    m_results->header()->setStretchLastSection(true);
    layout->addWidget(m_results, 1);
    m_status = new QLabel(this);
    layout->addWidget(m_status);

    auto* buttons = new QHBoxLayout;
    auto* clear = new QPushButton(uiString(kStrSearchClearHistory), this);
    auto* help = new QPushButton(uiString(kStrSearchHelpButton), this);
    auto* close = new QPushButton(uiString(kStrClose), this);
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(help);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    // Return in the search box starts the search once: no button takes it as the default.
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
    connect(start, &QPushButton::clicked, this, &TextSearchWindow::startSearch);
    connect(m_text->lineEdit(), &QLineEdit::returnPressed, this, &TextSearchWindow::startSearch);
    connect(clear, &QPushButton::clicked, this, [this] {
        if (m_form->clearHistory()) fillHistory();
    });
    connect(help, &QPushButton::clicked, this, [this] { m_form->help(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_branches, &QCheckBox::toggled, this, [this](bool on) { m_form->options().branches = on; });
    connect(m_all, &QRadioButton::toggled, this, [this](bool on) { m_form->options().allTerms = on; });
    connect(m_gameName, &QCheckBox::toggled, this, [this](bool on) { m_form->options().gameName = on; });
    connect(m_players, &QCheckBox::toggled, this, [this](bool on) { m_form->options().players = on; });
    connect(m_results, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { showHit(m_results->indexOfTopLevelItem(item)); });

    fillHistory();
    m_text->setEditText(QString());
    resize(640, 400);
}

void TextSearchWindow::fillHistory() {
    const QString typed = m_text->currentText();
    m_text->clear();
    for (const std::u16string& s : m_form->history().strings()) m_text->addItem(qs(s));
    m_text->setEditText(typed);
}

void TextSearchWindow::startSearch() {
    m_results->clear();
    m_status->clear();
    // The empty list shows before the games are read.
    m_results->repaint();
    m_form->search(u16(m_text->currentText()));
    fillHistory();
    fillResults();
}

void TextSearchWindow::fillResults() {
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(m_form->rows().size()));
    for (const TextSearchRow& row : m_form->rows())
        items << new QTreeWidgetItem(QStringList{qs(row.game), qs(row.move), qs(row.comment)});
    m_results->addTopLevelItems(items);
    m_status->setText(qs(m_form->status()));
    fitColumns();
}

void TextSearchWindow::fitColumns() {
    const int width = m_results->viewport()->width();
    m_results->setColumnWidth(0, width * 50 / 100);
    m_results->setColumnWidth(1, width * 8 / 100);
}

void TextSearchWindow::showHit(int row) {
    if (row < 0) return;
    m_form->jump(row);
    if (m_shown) m_shown();
}

void TextSearchWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    fitColumns();
}

void TextSearchWindow::done(int result) {
    m_form->close();
    QDialog::done(result);
    deleteLater();
}

} // namespace stonewise
