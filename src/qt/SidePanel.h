#pragma once

#include <QWidget>

#include "app/BoardCanvas.h"

namespace stonewise {

class CIgoBoard;
class CommentPanel;
class CountingPanel;
class InfoPanel;
class MoveListPanel;

// The panel beside the board: the counting panel while counting, game information on top, the move list in the middle
// and the comment panel below. It is the board window's BoardPanels: each notice of the board goes to the panels that
// show it.
class SidePanel final : public QWidget, public BoardPanels {
    Q_OBJECT
public:
    explicit SidePanel(QWidget* parent = nullptr);

    // The board window shown by all three panels.
    void setBoard(CIgoBoard* board);

    InfoPanel& info() { return *m_info; }
    MoveListPanel& moveList() { return *m_moveList; }
    CommentPanel& comment() { return *m_comment; }
    // "地合い計算", shown on top while the board counts territory.
    CountingPanel& counting() { return *m_counting; }

    // Everything again from the board (a game loaded, settings changed).
    void refreshAll();

    void showMoveNumber(int nextMove) override;
    void showPrisoners(int byWhite, int byBlack) override;
    void recordChanged() override;
    void selectionChanged(const RecordSequence* sequence, int nodeIndex) override;

Q_SIGNALS:
    // A command of the move list's menu for the board window's command handler.
    void commandRequested(int id);
    // The user chose a line of the move list and the board shows its node.
    void nodeShown();

private:
    CIgoBoard* m_board = nullptr;
    InfoPanel* m_info = nullptr;
    MoveListPanel* m_moveList = nullptr;
    CommentPanel* m_comment = nullptr;
    CountingPanel* m_counting = nullptr;
};

} // namespace stonewise
