#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "search/PatternAnalyzer.h"
#include "search/PatternPacking.h"

namespace stonewise {

class RecordSequence;

// The position a search looks for: the shown line analysed by all five collectors, with its
// packed positions after the moves where the database keeps snapshots.
class PatternQuery {
public:
    // Analyses the line ending in `leaf` up to move `lastMove` on a board of `boardSize` lines.
    // Returns 0, or the number of the text that says why it cannot be searched (too few stones).
    int prepare(const RecordSequence& leaf, int lastMove, int boardSize);
    int prepare(std::span<const LineStone> line, int boardSize);

    const PatternAnalyzer& analyzer() const { return m_analyzer; }
    int stones() const { return m_stones; }
    bool thirteen() const { return m_boardSize == 13; }
    // The corner collector of the last move's quadrant (2..5), 0 when there is no move on a point.
    int lastMoveCorner() const { return m_lastCorner; }
    // The packed whole board after move m (16, 24, ... below the pattern's moves, at most 160).
    const std::uint8_t* wholeSnapshot(int m) const;
    // The packed corner of collector `kind` after move m (16, 20, ... below its moves, at most 48).
    const std::uint8_t* cornerSnapshot(int kind, int m) const;

private:
    void takeSnapshots();

    PatternAnalyzer m_analyzer;
    PatternReplay m_replay;
    std::vector<LineStone> m_line;
    int m_boardSize = 19;
    int m_stones = 0;
    int m_lastCorner = 0;
    std::vector<std::uint8_t> m_whole;
    std::array<std::vector<std::uint8_t>, 4> m_corners;
};

// The fewest stones on the board a search needs.
constexpr int kFewestSearchStones = 5;
// The quadrant of a point as corner collector kind: the left or upper half takes the middle line.
int cornerOfPoint(int x, int y, int boardSize);

} // namespace stonewise
