#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "record/GameInfo.h"
#include "record/RecordSequence.h"

namespace stonewise {

class MemberDirectory;

// The family's mark at the start of an AP value, written by the program's own SGF writer.
inline constexpr std::u16string_view kFamilyApplicationMark = u"Tamarindo:";

// Switches of one SGF read.
struct SgfReadOptions {
    // Players are found or created here; without it the names stay in the header only.
    MemberDirectory* members = nullptr;
    // "基本手順の続きと思われる分岐を基本手順に組み込む": join a variation that starts right after the last
    // move of its line onto that line, when the file nests five levels or more.
    bool mergeContinuations = false;
    // The window is in problem-collection mode: a record without start flags becomes a problem.
    bool problemMode = false;
};

// What a file held that the record's limits could not take, counted as it was left out.
struct SgfLosses {
    int nodes = 0;         // moves, stones and marks beyond 1,024 nodes in one sequence
    int labels = 0;        // text labels beyond 50 in one sequence
    int branches = 0;      // variations beyond 255 at one sequence or nested beyond 255 levels
    int comments = 0;      // comments a sequence's text store could not take
    int clearedPoints = 0; // points cleared (AE) after the root node: the record has no such node
    int playerToMove = 0;  // PL after the root node
    bool any() const { return nodes + labels + branches + comments + clearedPoints + playerToMove > 0; }
};

// The second value of the family's AP: the file's texts follow SGF FF[4] (escapes with a backslash,
// real line breaks), not the family's older backslash line breaks.
inline constexpr std::u16string_view kStandardTextField = u"Text=FF4";

// What an SGF text gives: the main record with its variations and the header.
struct SgfReadResult {
    bool ok = false;                      // a game tree ("(") was found
    std::unique_ptr<RecordSequence> main; // never null
    GameInfo info;                        // the caller's starting header, filled from the file
    std::u16string poolName;              // name formed from EV (or GC), GN and RO; may be empty
    int handicapStones = 0;               // handicap stones placed (also in main->handicapCount())
    int maxNesting = 0;                   // deepest "(" nesting met
    bool familyFile = false;              // AP carried the family's mark
    bool oldDialect = false;              // ... without FF[4] before it
    int dropped = 0;                      // nodes and variations left out at the record's limits
    SgfLosses losses;                     // everything left out, by kind
    int boardColumns = 19;                // SZ: lines across and down
    int boardRows = 19;
    int gamesInFile = 0; // game trees in the text (a collection holds several)
};

// Whether a board read from SZ can be shown: 19 or 13 lines, square.
inline bool isSupportedBoard(int columns, int rows) { return columns == rows && (columns == 19 || columns == 13); }

// Reads an SZ value: "19", or "19:13" for columns and rows. False when it is not a size.
bool parseSgfBoardSize(std::u16string_view value, int& columns, int& rows);

// Reads the first game tree of an SGF text into a record; `start` is the header the file's values
// are written into (a new game's, or an existing game's with its result fields cleared).
// Malformed SGF is never an error: what cannot be understood is skipped. `ok` is false only when
// the text holds no "(" at all.
SgfReadResult readSgf(std::u16string_view text, const GameInfo& start, const SgfReadOptions& options);

// The light first pass over an SGF text, for the file-import dialog.
struct SgfHeader {
    bool ok = false;             // at least one "(" was found
    GameInfo info;               // handicap, komi, board, result, Type/Flag/Tag/FV, players, date
    std::u16string proposedName; // EV, GC or GN, RO joined with ","
    int handicapStones = 0;      // AB stones counted as handicap stones
    int boardColumns = 19;       // SZ
    int boardRows = 19;
};

// Reads only the header: SZ, HA, KM, RE (a "T" after the colour and "+" is a win on time), AP,
// handicap AB stones, PB, PW (found or created in `members` when given), DT and the name parts
// (EV first; GC and GN second, the later wins; RO third). Stops at the first B move.
SgfHeader preReadSgfHeader(std::u16string_view text, MemberDirectory* members);

// Parses a result value into winner and margin: "0" is jigo; "B+"/"W+" (either case) wins, then
// "R..." resignation (1000), "T..." on time (2000), else the points that follow (0 when none).
// Anything else leaves both unchanged and returns false.
bool parseSgfResult(std::u16string_view value, std::int16_t& winner, float& margin);

} // namespace stonewise
