#pragma once

#include "board/BoardPosition.h"
#include "record/RecordSequence.h"

namespace stonewise {

// True when a stone at (x, y) would be illegal (occupied, suicide or ko) after playing the moves
// from..to of `s` on top of the position; the position itself is not touched.
bool moveLegalityProbe(const BoardPosition& pos, const RecordSequence& s, int from, int to, int x, int y);

} // namespace stonewise
