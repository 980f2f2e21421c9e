#pragma once

#include <string_view>

#include "board/BoardPosition.h"
#include "record/RecordNode.h"

namespace stonewise {

// The board window as the flash display sees it: the displayed move, the nodes of the path shown,
// the position the flashed stones go on, drawing and the board's message line.
class FlashTarget {
public:
    virtual ~FlashTarget() = default;

    // The displayed-move setting: the move the position is shown up to, -1 for the end of the path.
    virtual int displayedMove() const = 0;
    // The last move number of the path being shown.
    virtual int totalMoves() const = 0;
    // The node of move n along the path shown; null when there is none.
    virtual const RecordNode* flashNode(int moveNumber) = 0;
    // The position the board shows; flashed stones are put on it directly.
    virtual BoardPosition& flashPosition() = 0;
    // Shows move n of the path (rebuilding the position) and redraws the board.
    virtual void showMove(int moveNumber) = 0;
    // After a flashed sequence has vanished: the window's display setting returns to the end of
    // the record, or to `rangeEnd` when the window keeps its own display position; the board keeps
    // showing the position it shows now.
    virtual void returnDisplayAfterFlash(int rangeEnd) = 0;
    // Flash mode switched off with a redraw: the display returns to the end of the record (or to
    // the book's current entry) and the board is redrawn.
    virtual void showDisplayEnd() = 0;

    // The point (x, y) needs painting again.
    virtual void drawPoint(int x, int y) = 0;
    // The whole board needs painting again.
    virtual void redrawAll() = 0;
    // The move list and the information panels show the window's state again.
    virtual void refreshPanels() = 0;
    // The window's busy flag, set while a flash sequence is shown.
    virtual void setBusy(bool busy) = 0;
    // The board's message line.
    virtual void boardMessage(std::u16string_view text) = 0;
};

} // namespace stonewise
