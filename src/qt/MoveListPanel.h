#pragma once

#include <QIcon>
#include <QWidget>
#include <array>
#include <set>
#include <vector>

#include "view/MoveListModel.h"

class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace stonewise {

class CIgoBoard;
class MoveListRegistry;
class Ui;

// How a move list shows its board window's record.
struct MoveListPanelOptions {
    bool elapsedSetting = false;      // the setting that shows elapsed times in the move list
    int mode = 16;                    // the window's working mode (times show in 1, 2, 16, 32)
    bool mainWindow = true;           // only the main board window offers mark editing
    bool hideMoves = false;           // a problem that hides its moves: the list stays empty
    bool studyBoardAvailable = false; // enables adding the study board's sequence as a branch
    const StringTable* strings = nullptr;
};

// The move list (棋譜リスト) of a board window: the record's moves, marks, branches and reference
// sequences as a tree with icons, the elapsed totals above it and the check boxes "分岐表示" and
// "マーク編集" below. Selecting a line shows its node on the board; the list follows the board's
// selection; a right click opens the list's menu, whose commands go out through commandRequested.
class MoveListPanel final : public QWidget {
    Q_OBJECT
public:
    explicit MoveListPanel(QWidget* parent = nullptr);
    ~MoveListPanel() override;

    // The board window whose record is listed; null empties the list.
    void setBoard(CIgoBoard* board);
    void setOptions(const MoveListPanelOptions& options);
    // Takes a place among the move lists alive; a fourth is refused with "棋譜リストの表示でエラーを
    // 検出。" titled "アプリエラー" shown through `ui`, and the list then stays empty. False when refused.
    bool registerWith(MoveListRegistry& registry, Ui* ui);

    // Rebuilds the list from the record (after any change of its structure) and selects the line
    // of the board's selection.
    void refresh();
    // Selects the line that shows the board's node (the board's position moved); nothing happens to
    // the board.
    void select(const RecordSequence* sequence, int nodeIndex);
    // Scrolls the list by a mouse-wheel amount (120 per notch).
    void scrollByWheel(int angleDelta);

    bool collapsed() const { return m_collapsed; }
    bool markEditing() const { return m_markEditing; }
    // "分岐表示" and "マーク編集" as the check boxes set them; each rebuilds the list when it changes.
    void setCollapsed(bool on);
    void setMarkEditing(bool on);

    const MoveListModel& model() const { return m_model; }
    QTreeWidget* tree() const { return m_tree; }
    // The line index of the current line, or -1.
    int currentLine() const;
    // Selects line `line` as a click would: the board shows its node.
    void chooseLine(int line);

Q_SIGNALS:
    // A command of the list's menu for the board window's command handler.
    void commandRequested(int id);
    // The board shows another node because the user chose a line.
    void nodeShown();

private:
    void rebuildItems();
    void updateChecks();
    void applySelection(const RecordSequence* sequence, int nodeIndex);
    void onCurrentItemChanged(QTreeWidgetItem* current);
    void showMenu(const QPoint& pos);
    MoveListOptions modelOptions() const;
    int lineOf(const QTreeWidgetItem* item) const;

    CIgoBoard* m_board = nullptr;
    MoveListPanelOptions m_options;
    MoveListModel m_model;
    std::array<QIcon, kMoveListIconCount> m_icons;
    std::vector<QTreeWidgetItem*> m_items;
    QLabel* m_totals = nullptr;
    QTreeWidget* m_tree = nullptr;
    QCheckBox* m_collapsedBox = nullptr;
    QCheckBox* m_marksBox = nullptr;
    bool m_collapsed = false;
    bool m_markEditing = false;
    bool m_following = false;      // the current line is being set to follow the board
    bool m_choosing = false;       // the board is being told about a chosen line
    bool m_refused = false;        // the registry had no place for this list
    bool m_refreshPending = false; // a rebuild asked for while the board was being told
    MoveListRegistry* m_registry = nullptr;
    const RecordSequence* m_pendingSequence = nullptr;
    int m_pendingIndex = -1;
};

} // namespace stonewise
