#pragma once

#include "board/BoardNavigation.h"
#include "board/BoardPosition.h"
#include "record/GameRecord.h"

namespace stonewise {

// Display switches that shape a rebuilt position.
struct RebuildOptions {
    bool withNumbers = true;           // display numbers on the stones
    bool keepMarks = false;            // keep the point marks (while a mark is being edited)
    bool branchNumbersFromOne = false; // "分岐の番号を１から表示"
    bool commentMarks = true;          // flag moves that carry a comment
    bool lastMoveMark = true;          // "最終手マークを表示しない" switched off
};

// How a rebuild ended: complete, or stopped at a move on an occupied point (message 11605).
struct RebuildResult {
    bool complete = true;
    int occupiedMove = 0;
    int occupiedX = 0;
    int occupiedY = 0;
};

// Rebuilds `pos` for the move `nav` shows along the record's path: starting stones (handicap or
// leading setup stones), every move with its captures and setup stones, ko records, the marks and
// labels of the move shown and the last-move mark. Sets the navigation's last move and overlaps;
// the record is only read.
RebuildResult rebuildPosition(BoardPosition& pos, BoardNavigation& nav, const GameRecord& record,
                              const RebuildOptions& options);

// Plays move `node` (a black or white move on an empty point, from sequence `from` of the path) the
// way a rebuild does: display number, depth, flags, captures and prisoners. Returns the stones
// captured. Setup stones of the move are not placed.
int playRecordedMove(BoardPosition& pos, const GameRecord& record, const RecordSequence& from, const RecordNode& node,
                     const RebuildOptions& options);

// Replaces the point marks by the marks and labels of move n of the path.
void showMarksOfMove(BoardPosition& pos, const GameRecord& record, int moveNumber);

// Whether moves n − 1 and n of the path are both passes: the players ended the game there.
bool passedOutAt(const GameRecord& record, int moveNumber);

// The display number of a stone of move n placed from sequence `from` while `current` is shown.
int displayNumberFor(const RecordNode& move, const RecordSequence& from, const RecordSequence& current,
                     const RebuildOptions& options);

} // namespace stonewise
