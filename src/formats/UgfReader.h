#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "record/GameInfo.h"
#include "record/RecordSequence.h"

namespace stonewise {

class MemberDirectory;

// What a UGF (or UGI) text gives: the main record of its [Data] section and the header.
struct UgfReadResult {
    bool ok = false;                      // a [Header] or [Data] section was found
    std::unique_ptr<RecordSequence> main; // never null
    GameInfo info;                        // the caller's starting header, filled from the file
    std::u16string titleName;             // the TITLE parts joined with ","; may be empty
    int handicapStones = 0;
    int boardSize = 19;        // SIZE: lines of the board
    int lostMoves = 0;         // move lines beyond the record's limit
    bool stoppedEarly = false; // a handicap line after moves ended the reading
    int stopLastNumber = 0;    // ... the last move number then
    int stopFoundNumber = 0;   // ... and the number met (1)
};

// Reads a UGF text: "[Header]" key lines (TITLE, DATE, SIZE, HDCP, PLAYERB/BMEMB1, PLAYERW/WMEMB1,
// WINNER, PLACE, COORDINATETYPE; keys and section names without regard to case) and "[Data]" move
// lines "point,colour,number"; any other section after [Data] ends the reading. Rows count from
// the top (JPN) unless the file says COORDINATETYPE=IGS (from the bottom); every read starts with
// JPN. A point outside A..S (as "YA") is a pass. Variations are not read.
UgfReadResult readUgf(std::u16string_view text, const GameInfo& start, MemberDirectory* members);

} // namespace stonewise
