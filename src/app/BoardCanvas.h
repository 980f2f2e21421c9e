#pragma once

namespace stonewise {

class RecordSequence;

// Where a board window's picture goes: the core says which points changed, the desktop paints them
// from the board's state.
class BoardCanvas {
public:
    virtual ~BoardCanvas() = default;

    // The point (x, y) changed (a stone placed, removed or re-marked).
    virtual void drawPoint(int x, int y) = 0;
    // The point (x, y) became empty.
    virtual void erasePoint(int x, int y) = 0;
    // Everything changed (a rebuild, another board size).
    virtual void redrawAll() = 0;
    // A rectangle of the board picture, in board pixels, needs painting again.
    virtual void invalidateRect(int left, int top, int width, int height) = 0;
};

// The information panels beside the board: move number, prisoners and the move list.
class BoardPanels {
public:
    virtual ~BoardPanels() = default;

    // The number of the next move (last move number + 1).
    virtual void showMoveNumber(int nextMove) = 0;
    // The prisoners (アゲハマ) taken by white and by black.
    virtual void showPrisoners(int byWhite, int byBlack) = 0;
    // The record changed in a way the move list must show.
    virtual void recordChanged() = 0;
    // The move list should select and show this node (null: nothing selected).
    virtual void selectionChanged(const RecordSequence* sequence, int nodeIndex) = 0;
};

} // namespace stonewise
