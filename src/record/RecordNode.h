#pragma once

#include <cstdint>

namespace stonewise {

// A point colour: one byte, 0 = empty, 1 = black, 2 = white. Any other value reads as empty.
enum Colour : std::uint8_t { kEmpty = 0, kBlack = 1, kWhite = 2 };

// The colour that plays move number n: odd numbers are black, even numbers white.
constexpr Colour colourOfMove(int moveNumber) { return (moveNumber & 1) ? kBlack : kWhite; }

// The other player's colour (black for white and white for anything else).
constexpr Colour opponentOf(Colour c) { return c == kWhite ? kBlack : kWhite; }

// What a record node stands for.
enum class NodeType : std::uint8_t {
    Pass = 0,
    BlackMove = 1,
    WhiteMove = 2,
    Link = 3,       // link to a child sequence
    Mark = 4,       // mark or label on a point
    BlackSetup = 7, // black stone outside the move order
    WhiteSetup = 8, // white stone outside the move order
};

// Kinds of the marks a type-4 node carries in its first data byte.
enum MarkKind : std::uint8_t {
    kMarkCircle = 1,
    kMarkSquare = 2,
    kMarkTriangle = 3,
    kMarkCross = 4,
    kMarkUpperLetter = 5, // letter 'A'..'Z' in the second data byte
    kMarkLowerLetter = 6, // letter 'a'..'z'
    kMarkLabel = 20,      // text label, up to 63 characters
    kMarkSmallLabel = 21, // text label in small characters
};

// Kinds of child sequence (flags of a link node, kind of a sequence).
enum SequenceKind : std::uint8_t { kMainRecord = 0, kBranch = 1, kReference = 2 };

// Answer kinds read from the tags at the start of a sequence's first comment.
enum AnswerKind : std::uint8_t { kNoAnswer = 0, kCorrect = 1, kVariation = 2, kFailure = 3 };

// The point a pass carries.
constexpr std::uint8_t kNoPoint = 255;

// Longest text of a label.
constexpr int kMaxLabelLength = 63;

// Bit of a move's flags marking a move entered during the trace exercise of a Go book.
constexpr std::uint8_t kTraceMoveFlag = 0x40;

// One node of a sequence: a move, a pass, a setup stone, a mark or label, or a link to a child
// sequence. A fixed-size plain record; the data store writes it field by field.
struct RecordNode {
    std::uint16_t index = 0; // position in its sequence, kept up to date by inserts and removals
    NodeType type = NodeType::Pass;
    std::uint8_t childSlot = 0;    // link: slot 1..255 of the child (255 after loading a missing child)
    std::int16_t moveNumber = 0;   // move or pass: its number; others: the move they belong to
    std::uint8_t x = kNoPoint;     // column 0..18, 255 for a pass
    std::uint8_t y = kNoPoint;     // row 0..18, 255 for a pass
    std::uint8_t data1 = 0;        // move: stones captured; mark: kind; link: answer kind of the child
    std::uint8_t data2 = 0;        // move: mover's prisoners after it; pass: who passed (0: by number);
                                   // letter mark: letter; label: '@' + entry
    std::uint8_t branchNumber = 0; // link: 1..255, unique among the links of a sequence
    std::uint8_t flags = 0;        // link: kind of child; move: OR of kinds of sequences after it, 0x40 trace
    std::int16_t comment = -1;     // index into the sequence's comment store, -1 for none
    std::int16_t elapsed = 0;      // seconds when >= 0, minus whole minutes when negative
    std::uint32_t listItem = 0;    // handle of the node's line in the move list, 0 when not shown

    bool isMove() const { return type == NodeType::BlackMove || type == NodeType::WhiteMove; }
    bool isMoveOrPass() const { return isMove() || type == NodeType::Pass; }
    bool isSetup() const { return type == NodeType::BlackSetup || type == NodeType::WhiteSetup; }
    bool isLink() const { return type == NodeType::Link; }
    bool isMark() const { return type == NodeType::Mark; }
    bool isLabel() const { return isMark() && (data1 == kMarkLabel || data1 == kMarkSmallLabel); }
    bool hasPoint() const { return x != kNoPoint && y != kNoPoint; }

    // The stone colour this node puts on the board (moves and setup stones), else kEmpty.
    Colour stoneColour() const {
        switch (type) {
        case NodeType::BlackMove:
        case NodeType::BlackSetup: return kBlack;
        case NodeType::WhiteMove:
        case NodeType::WhiteSetup: return kWhite;
        default: return kEmpty;
        }
    }

    // Moves: stones captured and the mover's prisoner total after the move.
    int captured() const { return data1; }
    int prisonerTotal() const { return data2; }
    // Marks: kind and letter.
    int markKind() const { return data1; }
    // Links: answer kind and kind of the child sequence.
    int answerKind() const { return data1; }
    int linkKind() const { return flags & 3; }

    // The player who passed: a pass read from a file keeps its colour in the second data byte
    // (kBlack or kWhite); without one the colour follows the move number.
    Colour passColour() const {
        return data2 == kBlack || data2 == kWhite ? static_cast<Colour>(data2) : colourOfMove(moveNumber);
    }
    // A note: a mark without a kind and without a point, holding only a text. It keeps the comment of
    // a file's node that has no move to hang it on (a root comment, a setup-only node).
    bool isNote() const { return isMark() && data1 == 0 && !hasPoint(); }

    // Elapsed time in seconds (negative stored values are whole minutes).
    int elapsedSeconds() const { return elapsed >= 0 ? elapsed : -elapsed * 60; }
};

// Encodes a number of seconds as a node time: seconds up to 32,760, else minus whole minutes
// (rounded toward zero, as a file's time text is read).
std::int16_t encodeElapsed(long seconds);
// The same for a time the program measured or the user entered: longer times are rounded to the
// nearest minute.
std::int16_t encodeMeasuredElapsed(long seconds);

// A node for a move or pass of the given number at (x, y); (255, 255) makes a pass.
inline RecordNode makeMoveNode(int moveNumber, int x, int y) {
    RecordNode n;
    n.moveNumber = static_cast<std::int16_t>(moveNumber);
    const bool pass = x < 0 || y < 0 || x >= kNoPoint || y >= kNoPoint;
    n.type = pass ? NodeType::Pass : (colourOfMove(moveNumber) == kBlack ? NodeType::BlackMove : NodeType::WhiteMove);
    n.x = pass ? kNoPoint : static_cast<std::uint8_t>(x);
    n.y = pass ? kNoPoint : static_cast<std::uint8_t>(y);
    return n;
}

} // namespace stonewise
