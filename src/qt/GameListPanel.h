#pragma once

#include <QWidget>

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

// The game list beside the board: the current group's games, sortable by any column; the game on
// the board is bold, and a double click shows another game.
class GameListPanel final : public QWidget {
    Q_OBJECT
public:
    explicit GameListPanel(QWidget* parent = nullptr);

    // Shows the content; the list is built again only when it changed.
    void setContent(const GameListPanelContent& content);
    QTreeWidget* list() const { return m_list; }

Q_SIGNALS:
    void gameChosen(int number);

private:
    void rebuild();

    QLabel* m_title;
    QTreeWidget* m_list;
    GameListPanelContent m_content;
    GameListColumn m_sortColumn = GameListColumn::Number;
    bool m_ascending = true;
    bool m_filled = false;
};

} // namespace stonewise
