#pragma once

#include <memory>
#include <string>

#include "app/CIgoBoardBase.h"
#include "board/BoardNavigation.h"
#include "record/GameRecord.h"
#include "view/BoardGeometry.h"
#include "view/BoardScene.h"

namespace stonewise {

// Numbering flags of a reference diagram.
enum ReferNumbering : int {
    kReferNumbers = 0x02,          // move numbers on the stones
    kReferVariationFromOne = 0x04, // the moves of a variation numbered from 1
    kReferNumbersFromStart = 0x08, // only the diagram's own moves (from its start move) numbered
};

// What a reference diagram shows of its game record, and how.
struct ReferDiagram {
    int variation = 0;       // the child sequence (slot from 1) of the record to enter; 0: none
    int startMove = 0;       // a played diagram starts here; below 2: from the sequence's start
    int endMove = -1;        // the move shown last; -1: the sequence's own last move
    int corner = 0;          // the corner view code (see referView)
    int numbering = 0;       // ReferNumbering flags
    bool play = false;       // step the moves from the start move on the board's own tick
    int animationSpeed = 15; // the animation speed setting, tenths of a second per move
    int bookSpeed = 50;      // the book's speed percentage
    std::u16string text;     // the diagram's text (or title) for the description pane
};

// The part of the board picture a reference board shows, in picture pixels, and the points whose
// centres lie inside it (the lines seen from the corner).
struct ReferView {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    int firstColumn = 0;
    int lastColumn = 18;
    int firstRow = 0;
    int lastRow = 18;

    int columns() const { return lastColumn - firstColumn + 1; }
    int rows() const { return lastRow - firstRow + 1; }
};

// The view of a corner code: 1 to 4 an enlarged corner of 63 % of the picture's width and height,
// 9 to 12 one of 74 %, the code & 7 naming the corner (1 top left, 2 top right, 3 bottom left,
// 4 bottom right); every other code the whole picture.
ReferView referView(int corner, const BoardGeometry& geometry);

// The small reference board of the Go book player: its own copy of a diagram's record, the position
// at the diagram's move, and the corner of the board it enlarges. Drawn through a BoardCanvas like
// every board window.
class CReferBoard : public CIgoBoardBase {
public:
    explicit CReferBoard(BoardCanvas* canvas = nullptr) : CIgoBoardBase(canvas) {}

    // Shows a diagram of `game`: enters its variation, limits the moves to its end move, and shows
    // the position at the end (or, played, at the start move with the steps to follow on tick()).
    // A null record or a variation the record lacks empties the board and gives false.
    bool showDiagram(std::unique_ptr<RecordSequence> game, const ReferDiagram& diagram);
    // Takes the diagram away: an empty board.
    void clear();
    bool hasDiagram() const { return m_shown; }
    const ReferDiagram& diagram() const { return m_diagram; }
    int corner() const { return m_diagram.corner; }
    // The move the position stands at, and the diagram's last move.
    int shownMove() const { return m_nav.shownMove(); }
    int endMove() const { return m_nav.totalMoves(); }
    // The last diagram changed the numbering flags: the board is laid out again.
    bool layoutChanged() const { return m_layoutChanged; }
    // What the drawing reads beside the position.
    SceneState sceneState() const;

    // --- a played diagram ---
    bool playing() const { return m_playing; }
    // 25 ms ticks between two moves: (100 − the book's speed) × the animation speed / 50 tenths of
    // a second, at least 3 tenths.
    int stepTicks() const;
    // One tick of the board's 25 ms timer; true when it showed the next move.
    bool tick();

private:
    void showMove(int move);

    GameRecord m_record;
    BoardNavigation m_nav;
    ReferDiagram m_diagram;
    bool m_shown = false;
    bool m_layoutChanged = false;
    bool m_playing = false;
    int m_ticks = 0;
};

} // namespace stonewise
