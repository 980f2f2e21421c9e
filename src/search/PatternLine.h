#pragma once

#include <functional>
#include <vector>

#include "search/PatternAnalyzer.h"

namespace stonewise {

class RecordSequence;

// The stones of the line that ends in `leaf` (the main record or a sequence below it), in order:
// handicap and setup stones as setup stones, then moves and passes, up to move `lastMove` (-1: to
// the end). `out` is cleared first and keeps its capacity.
void collectLine(const RecordSequence& leaf, std::vector<LineStone>& out, int lastMove = -1);

// Calls `f` for each sequence that branches from `sequence` (a variation or a reference sequence)
// whose line ends by move kMaxVariationMoves, in the order of their links; with `recursive` the
// sequences branching from those follow each of them.
void forEachVariation(const RecordSequence& sequence, bool recursive,
                      const std::function<void(const RecordSequence&)>& f);

// The number of stones on the board at the end of a line: setup stones and moves on a point.
int stonesOnBoard(const std::vector<LineStone>& line);

} // namespace stonewise
