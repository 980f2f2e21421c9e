#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "search/PatternAnalyzer.h"

namespace stonewise {

// The packed forms of moves and positions that the pattern files hold.

// A corner move byte: (x << 4) | y, kElsewhereByte for a play elsewhere.
std::uint8_t moveByte(const PatternMove& m);
// The corner's move bytes for moves first+1 .. first+count (kNoMoveByte beyond its moves).
void moveBytes(const PatternCollector& c, int first, std::span<std::uint8_t> out);
// Four moves in 5 bytes: bytes 0-3 (x << 3) | (y >> 2), byte 4 two bits y & 3 per move; a play
// elsewhere or a missing move is kElsewhereByte with both bits set. Moves first+1 .. first+4.
void packMoveGroup(const PatternCollector& c, int first, std::uint8_t* out);
// The point code of move k (0..3) of a move group, the order in which openings are sorted.
inline int pointCode(const std::uint8_t* group, int k) { return group[k] * 4 + ((group[4] >> (2 * k)) & 3); }
// The point code of one move as a move group would hold it.
int pointCode(const PatternMove& m);

// A collector's board replayed move by move in its frame: after each stone, the neighbouring
// groups of the other colour left without an empty neighbour inside the region are removed.
class PatternReplay {
public:
    // Clears the board; `reach` is the largest frame coordinate of the region (12 for a corner,
    // the board's last line for the whole board).
    void start(int reach);
    // Places one move of the collector (a play elsewhere places nothing).
    void play(const PatternMove& m);
    // 19 rows of 5 bytes, four points a byte from the highest bits, 2 bits a point.
    void packBoard(std::uint8_t* out) const;
    // The 12 × 12 points nearest the corner, 12 rows of 3 bytes.
    void packCorner(std::uint8_t* out) const;

private:
    bool hasLiberty(int start, std::uint8_t colour);
    void removeGroup(int start, std::uint8_t colour);

    int m_reach = 18;
    std::array<std::uint8_t, 19 * 19> m_board{};
    std::array<std::uint16_t, 19 * 19> m_stack{};
    std::array<std::uint16_t, 19 * 19> m_seen{};
    std::uint16_t m_mark = 0;
};

// Points whose 2-bit values differ between two packed whole boards.
int boardDifference(const std::uint8_t* a, const std::uint8_t* b);
// Whether two packed corners count as the same shape: no point differs in the inner 8 × 8, and at
// most 1% of the 144 points differ in rows 9 to 11.
bool cornersAlike(const std::uint8_t* a, const std::uint8_t* b);
// Whether two packed whole boards count as the same: at most 1% of the 361 points differ.
bool boardsAlike(const std::uint8_t* a, const std::uint8_t* b);

} // namespace stonewise
