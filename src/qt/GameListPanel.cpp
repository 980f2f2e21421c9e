#include "qt/GameListPanel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "qt/QtText.h"

namespace stonewise {

void fillRows(QTreeWidget* tree, const std::vector<std::u16string>& header,
              const std::vector<std::pair<int, std::vector<std::u16string>>>& rows,
              const std::vector<int>& contentColumns) {
    tree->clear();
    tree->setColumnCount(static_cast<int>(header.size()));
    QStringList titles;
    for (const std::u16string& h : header) titles << qs(h);
    tree->setHeaderLabels(titles);
    QList<QTreeWidgetItem*> items;
    for (const auto& [key, cells] : rows) {
        auto* item = new QTreeWidgetItem;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            item->setText(static_cast<int>(c), qs(cells[c]));
            if (std::find(contentColumns.begin(), contentColumns.end(), static_cast<int>(c)) != contentColumns.end())
                item->setData(static_cast<int>(c), kUserContentRole, true);
        }
        item->setData(0, Qt::UserRole, key);
        items << item;
    }
    tree->addTopLevelItems(items);
}

void sortOnHeaderClicks(QTreeWidget* tree, std::span<const GameListColumn> columns, GameListOrder& order,
                        std::function<void()> changed) {
    tree->header()->setSectionsClickable(true);
    tree->header()->setSortIndicatorShown(true);
    QObject::connect(tree->header(), &QHeaderView::sectionClicked, tree, [columns, &order, changed](int section) {
        if (section < 0 || section >= static_cast<int>(columns.size())) return;
        const GameListColumn column = columns[static_cast<std::size_t>(section)];
        order.ascending = column == order.column ? !order.ascending : true;
        order.column = column;
        changed();
    });
}

void fillGameRows(QTreeWidget* tree, std::span<const GameListColumn> columns, std::vector<GameListRow> rows,
                  const GameListOrder& order, bool externalGroup) {
    sortGameListRows(rows, order.column, order.ascending);
    std::vector<std::u16string> header;
    std::vector<int> content;
    int numberColumn = -1;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        header.push_back(gameListColumnTitle(columns[i], externalGroup));
        if (columns[i] == GameListColumn::Name || columns[i] == GameListColumn::White ||
            columns[i] == GameListColumn::Black)
            content.push_back(static_cast<int>(i));
        if (columns[i] == GameListColumn::Number) numberColumn = static_cast<int>(i);
    }
    std::vector<std::pair<int, std::vector<std::u16string>>> cells;
    for (const GameListRow& r : rows) {
        std::vector<std::u16string> line;
        for (GameListColumn c : columns) line.push_back(r.cell(c));
        cells.emplace_back(r.info.number, std::move(line));
    }
    fillRows(tree, header, cells, content);
    // Numbers read best right-aligned.
    if (numberColumn >= 0)
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            tree->topLevelItem(i)->setTextAlignment(numberColumn, Qt::AlignRight | Qt::AlignVCenter);
    const auto sorted = std::find(columns.begin(), columns.end(), order.column);
    if (sorted != columns.end())
        tree->header()->setSortIndicator(static_cast<int>(sorted - columns.begin()),
                                         order.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

GameListPanel::GameListPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_title = new QLabel(this);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    layout->addWidget(m_title);
}

// The list itself is made with its first content: a window starts without paying for it.
QTreeWidget* GameListPanel::list() {
    if (m_list) return m_list;
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(false);
    static_cast<QVBoxLayout*>(layout())->addWidget(m_list, 1);
    m_list->show(); // with the panel (which may be on the screen already)
    sortOnHeaderClicks(m_list, panelColumns(), m_order, [this] { rebuild(); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { Q_EMIT gameChosen(item->data(0, Qt::UserRole).toInt()); });
    return m_list;
}

void GameListPanel::setContent(const GameListPanelContent& content) {
    if (m_filled && content == m_content) return;
    m_content = content;
    m_filled = true;
    rebuild();
}

void GameListPanel::rebuild() {
    m_title->setText(qs(m_content.title));
    list();
    fillGameRows(m_list, panelColumns(), m_content.rows, m_order, m_content.external);
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() != m_content.shownNumber) continue;
        QFont f = item->font(0);
        f.setBold(true);
        for (int c = 0; c < m_list->columnCount(); ++c) item->setFont(c, f);
        m_list->setCurrentItem(item);
        m_list->scrollToItem(item);
    }
    for (int c = 0; c < m_list->columnCount(); ++c) m_list->resizeColumnToContents(c);
}

} // namespace stonewise
