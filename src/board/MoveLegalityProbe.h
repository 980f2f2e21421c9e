#pragma once

#include "board/BoardPosition.h"
#include "record/RecordSequence.h"

namespace stonewise {

// True when a stone at (x, y) would be illegal (occupied, suicide or ko) after playing the moves
// from..to of `s` on top of the position; the position is left as it was.
bool moveLegalityProbe(BoardPosition& pos, const RecordSequence& s, int from, int to, int x, int y);

// Why a stone may not be placed.
enum class MoveRefusal { None, Occupied, Suicide, Ko };

// Tests a stone of move `moveNumber` at the empty point (x, y) of the position: suicide, or the
// recapture of a ko taken by the move just before. Leaves the point empty.
MoveRefusal testMove(BoardPosition& pos, int x, int y, int moveNumber);

} // namespace stonewise
