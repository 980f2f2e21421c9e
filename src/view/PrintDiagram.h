#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record/RecordNode.h"

namespace stonewise {

class GameRecord;

// The choices of "印刷形式の選択", kept in memory from one printing to the next.
struct PrintOptions {
    int board = 1;            // 1 the board as shown, 2 the basic record to its last move
    bool numbers = false;     // "手順番号を印刷"
    int firstNumber = 1;      // "最初の手順番号：" as the board numbers moves (1, 21, 41, …)
    bool distantList = false; // "離れた着手のリストを印刷する"
    int distanceLimit = 8;    // "離れた着手の距離制限：" 4..12
    int printSize = 2;        // 1 100 %, 2 75 %, 3 50 % of the paper
    int numberSize = 2;       // 1 100 %, 2 75 %, 3 50 % of the move-number height
};

// One stone of the printed diagram; `number` 0 prints none.
struct PrintStone {
    int x = 0;
    int y = 0;
    Colour colour = kBlack;
    int number = 0;
    bool operator==(const PrintStone&) const = default;
};

// A mark of the record on the printed board: a MarkKind, and the letter or label text it shows.
struct PrintMark {
    int x = 0;
    int y = 0;
    int kind = 0;
    std::u16string text;
    bool operator==(const PrintMark&) const = default;
};

// A move the diagram alone does not show well: one far from the move before it, or one played on a
// point whose first stone of the diagram was taken ("ヌキ": `firstNumber` names that stone).
struct PrintNote {
    enum class Kind : std::uint8_t { Distant = 0, Retaken = 1 };
    Kind kind = Kind::Distant;
    int number = 0; // as the board numbers moves
    int x = 0;
    int y = 0;
    int firstNumber = 0;
    bool operator==(const PrintNote&) const = default;
};

// What the printed board shows. With move numbers it is a game-record figure: the position before
// the first numbered move, then every numbered move on the point where it was first played (taken
// stones stay), and a later move on an occupied point as a "ヌキ" note. Without numbers it is the
// position after the last move.
struct PrintDiagram {
    static constexpr int kMaxNotes = 400;

    int lines = 19;
    std::vector<PrintStone> stones;
    std::vector<PrintNote> notes; // by number, a distant note before a "ヌキ" one; at most 400
    std::vector<PrintMark> marks; // the marks and labels of the last move printed
    int lastNumber = 0;           // the last move printed, as the board numbers it; 0 before any
    bool lastIsPass = false;
    int lastX = -1; // its point, -1 for a pass or none
    int lastY = -1;
    int blackPrisoners = 0; // stones black has taken
    int whitePrisoners = 0;
};

// Walks moves 1..`lastMove` of the record on a board of `lines` (19 or 13) along the path shown
// (only the main record when `options.board` is 2) and makes the diagram of `options`: numbers from
// `firstNumber` on, distant moves (a column or row distance from the previous stone of at least the
// limit; passes never) noted from there on, a move on a taken point noted as "ヌキ" only, and the
// marks and labels of the last move. A
// first number beyond the last move prints no numbers and no notes. A damaged record (a move on an
// occupied point) keeps the stone that stands there.
PrintDiagram buildPrintDiagram(const GameRecord& record, int lines, int lastMove, const PrintOptions& options);

} // namespace stonewise
