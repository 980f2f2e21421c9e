#pragma once

#include <QWidget>
#include <functional>
#include <span>

#include "app/LibraryDialogs.h"

class QLabel;
class QTreeWidget;

namespace stonewise {

// The data role of a list cell whose text is the user's own (a game, player, group or member name):
// shown as it is, in whatever language it was typed.
constexpr int kUserContentRole = 0x0101;

// Fills a tree widget with rows of texts: the header, then one item per row with `key` as its data;
// the columns in `contentColumns` are marked as the user's own texts.
void fillRows(QTreeWidget* tree, const std::vector<std::u16string>& header,
              const std::vector<std::pair<int, std::vector<std::u16string>>>& rows,
              const std::vector<int>& contentColumns);

// The order a game list is shown in: game-number order until a column header is clicked; a click
// sorts by that column, a second click on it turns the order round.
struct GameListOrder {
    GameListColumn column = GameListColumn::Number;
    bool ascending = true;
};
// Makes the header of `tree`, whose columns are `columns`, change `order` and call `changed`.
void sortOnHeaderClicks(QTreeWidget* tree, std::span<const GameListColumn> columns, GameListOrder& order,
                        std::function<void()> changed);
// Rows in `order`, as cells of `columns`, keyed by game number; the names are marked as the user's.
void fillGameRows(QTreeWidget* tree, std::span<const GameListColumn> columns, std::vector<GameListRow> rows,
                  const GameListOrder& order, bool externalGroup);

// The game list beside the board: the current group's games, sortable by any column; the game on
// the board is bold, and a double click shows another game.
class GameListPanel final : public QWidget {
    Q_OBJECT
public:
    explicit GameListPanel(QWidget* parent = nullptr);

    // Shows the content; the list is built again only when it changed.
    void setContent(const GameListPanelContent& content);
    QTreeWidget* list();

Q_SIGNALS:
    void gameChosen(int number);

private:
    void rebuild();

    QLabel* m_title;
    QTreeWidget* m_list = nullptr;
    GameListPanelContent m_content;
    GameListOrder m_order;
    bool m_filled = false;
};

} // namespace stonewise
