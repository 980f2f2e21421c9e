#pragma once

#include <cstdint>

namespace stonewise {

// What a mark code draws at a point. The code comes from a point's mark flags (all bits but the
// comment bit 0x40) or from the kind of its point mark.
enum MarkCode : std::uint8_t {
    kCodeNone = 0,
    kCodeCircle = 1,            // red circle
    kCodeSquare = 2,            // red square
    kCodeTriangle = 3,          // red triangle
    kCodeCross = 4,             // red cross; also a dead stone in counting
    kCodeUpperLetter = 5,       // letter or text label
    kCodeLowerLetter = 6,       // lower-case letter or small text label
    kCodeSmallBlack = 7,        // black stone at three quarters size
    kCodeSmallWhite = 8,        // white stone at three quarters size
    kCodeBlackTerritory = 9,    // small black square
    kCodeWhiteTerritory = 10,   // small white square
    kCodeFalseEye = 11,         // red diamond
    kCodeMailGo = 12,           // Mail Go marker of the last exchanged move
    kCodeLastMove = 13,         // last-move ring
    kCodeLastMoveBranches = 14, // last-move ring when branches follow
    kCodeBranchBlack = 15,      // next stone of the branch shown: full black stone
    kCodeBranchWhite = 16,      // next stone of the branch shown: full white stone
    kCodeSmallBranchBlack = 17, // first stone of another branch: small black stone
    kCodeSmallBranchWhite = 18, // first stone of another branch: small white stone
    kCodeRecentNumber = 19,     // number of one of the last moves
    kCodeLabel = 20,            // text label
    kCodeSmallLabel = 21,       // text label in small characters
    kCodeFlaggedStone = 22,     // stone flagged by its node: three quarters size
};

// The comment bit of the mark flags, and the bit that makes a code draw nothing on an empty point.
constexpr std::uint8_t kCommentFlagBit = 0x40;
constexpr std::uint8_t kHiddenOnEmptyBit = 0x80;

// The marks a mark-flags byte asks for. Codes are OR-ed into the byte, so a flagged stone that is
// also the last move holds 22 | 13 or 22 | 14; those two are split into their parts.
struct FlagMarks {
    std::uint8_t code = kCodeNone; // the mark (0 none)
    bool flaggedStone = false;     // the stone is drawn at three quarters size
    bool hiddenOnEmpty = false;    // the high bit: nothing on an empty point
    bool comment = false;          // the move has a comment
};

// Splits a mark-flags byte into what it draws.
constexpr FlagMarks decodeMarkFlags(std::uint8_t flags) {
    FlagMarks m;
    m.comment = (flags & kCommentFlagBit) != 0;
    m.hiddenOnEmpty = (flags & kHiddenOnEmptyBit) != 0;
    const std::uint8_t code = flags & 0x3F;
    if (code == (kCodeFlaggedStone | kCodeLastMove)) {
        m.flaggedStone = true;
        m.code = kCodeLastMove;
    } else if (code == (kCodeFlaggedStone | kCodeLastMoveBranches)) {
        m.flaggedStone = true;
        m.code = kCodeLastMoveBranches;
    } else if (code == kCodeFlaggedStone) {
        m.flaggedStone = true;
    } else if (code <= kCodeSmallLabel) {
        m.code = code;
    }
    return m;
}

// True for the codes 15..18 that a branch mark leaves on an empty point.
constexpr bool isBranchMarkCode(int code) { return code >= kCodeBranchBlack && code <= kCodeSmallBranchWhite; }

} // namespace stonewise
