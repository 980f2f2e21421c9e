#pragma once

#include <vector>

#include "board/BoardPosition.h"
#include "view/BoardGeometry.h"

namespace stonewise {

class GameRecord;
class RecordSequence;

// Puts the branch marks for the position shown onto its empty points, after the old ones are taken
// away: at the head of the branch or reference sequence shown, its first stone as a full stone
// (code 15 black, 16 white); the first stones of reference sequences of the move shown and of
// branches after the move before it (the alternatives to the move shown) as small stones (17, 18).
// A marked point's display number holds the link's branch number and its depth the sequence depth.
// With `enabled` false only the old marks go. Returns the points whose marks changed.
std::vector<BoardCoord> placeBranchMarks(BoardPosition& position, const GameRecord& record, int shownMove,
                                         bool enabled);

// The sequence a branch mark at (x, y) stands for, and whether it is the head mark of the sequence
// shown (code 15 or 16); no sequence when the point shows no branch mark or its link is gone.
struct MarkedBranch {
    RecordSequence* sequence = nullptr;
    bool head = false;
};
MarkedBranch findMarkedBranch(const BoardPosition& position, const GameRecord& record, int x, int y);

} // namespace stonewise
