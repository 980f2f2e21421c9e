#pragma once

#include "board/BoardPosition.h"
#include "record/GameRecord.h"

namespace stonewise {

// Display switches that shape a rebuilt position.
struct RebuildOptions {
    bool withNumbers = true;          // display numbers on the stones
    bool keepMarks = false;           // keep the point marks (while a mark is being edited)
    bool branchNumbersFromOne = false;// "分岐の番号を１から表示"
    bool commentMarks = true;         // flag moves that carry a comment
    bool lastMoveMark = true;         // "最終手マークを表示しない" switched off
};

// How a rebuild ended: complete, or stopped at a move on an occupied point (message 11605).
struct RebuildResult {
    bool complete = true;
    int occupiedMove = 0;
    int occupiedX = 0;
    int occupiedY = 0;
};

// Rebuilds `pos` for its displayed move along the record's path: starting stones (handicap or
// leading setup stones), labels, every move with its captures and setup stones, ko records, marks
// of the displayed move and the last-move mark.
RebuildResult rebuildPosition(BoardPosition& pos, GameRecord& record, const RebuildOptions& options);

// The display number of a stone of move n placed from sequence `from` while `current` is shown.
int displayNumberFor(const RecordNode& move, const RecordSequence& from, const RecordSequence& current,
                     const RebuildOptions& options);

} // namespace stonewise
