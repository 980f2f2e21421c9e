#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "search/PatternCodes.h"

namespace stonewise {

// One stone of a line of a game as the collectors read it: a move, a pass (x = y = 255) or a
// setup stone (handicap or placed stones).
struct LineStone {
    std::uint16_t sequence = 0; // the move number
    std::uint8_t colour = 0;    // 1 black, 2 white
    std::uint8_t x = 0xFF;      // column from the left, 0..18
    std::uint8_t y = 0xFF;      // row from the top, 0..18
    bool setup = false;
};

// One move of a collector, in the collector's frame; x = y = 255 for a play elsewhere.
struct PatternMove {
    std::uint16_t sequence = 0;
    std::uint16_t colour = 0;
    std::uint8_t x = kFramePass;
    std::uint8_t y = kFramePass;

    bool elsewhere() const { return x == kFramePass; }
};

// What one collector gathered from a line: the moves of its region in its frame (whole board or
// one corner seen as the upper left), the stones it found too far away, and whether its moves
// were reflected to their normal form.
struct PatternCollector {
    int kind = 0;
    bool thirteen = false;
    bool normalised = false;
    int count = 0;
    int distantCount = 0;
    std::array<PatternMove, kMaxPatternMoves> moves{};
    std::array<PatternMove, kMaxDistantMoves> distant{};

    bool isCorner() const { return kind != kWholeBoard; }
    // The kind byte of this collector's records: its kind, plus kThirteenLines on a 13-line board.
    std::uint8_t kindByte() const { return static_cast<std::uint8_t>(kind | (thirteen ? kThirteenLines : 0)); }
    // The colour code of move m (1-based) of the corner, or of its last move when it has fewer; 1
    // when it has none.
    std::uint8_t colourOfMove(int m) const;
    std::span<const PatternMove> list() const { return {moves.data(), static_cast<std::size_t>(count)}; }
};

// Runs the collectors over lines of games. One analyser is reused for game after game: it holds
// everything it needs and allocates nothing per game.
class PatternAnalyzer {
public:
    // Analyses one line on a board of 13 or 19 lines. `typeFlags` are the record's reference,
    // joseki and fuseki flags: a record flagged joseki only is read by the upper right corner's
    // collector alone, every other one by all five (`allCollectors` forces all five). False, and
    // no collectors, when the flags are set but hold none of the three.
    bool analyse(std::span<const LineStone> line, int boardSize, std::uint8_t typeFlags, bool allCollectors = false);

    int collectorCount() const { return m_count; }
    const PatternCollector& collector(int i) const { return m_collectors[static_cast<std::size_t>(i)]; }
    // The collector of `kind`, or null when the last analysis did not run one.
    const PatternCollector* find(int kind) const;
    const PatternCollector* wholeBoard() const { return find(kWholeBoard); }
    int boardSize() const { return m_boardSize; }

private:
    enum class Class { Ignore, Distant, Pattern };
    Class classify(const PatternCollector& c, int x, int y, int fx, int fy);
    // The squared distance to the nearest stone within 6 lines of (x, y), the point itself
    // excluded; 200 or more when there is none.
    int nearestStone(int x, int y);
    void append(PatternCollector& c, const LineStone& s, int fx, int fy);
    void frame(const PatternCollector& c, int x, int y, int& fx, int& fy) const;

    std::array<PatternCollector, 5> m_collectors{};
    int m_count = 0;
    int m_boardSize = 19;
    std::array<std::uint8_t, 19 * 19> m_scratch{};
    int m_nearestCache = -1; // the nearest stone of the move being classified, once computed
};

// Brings a corner's moves to their normal form: when the first move off the diagonal (both
// coordinates below 8) lies below it, every move is reflected on the diagonal.
void normaliseCorner(PatternCollector& c);
// Brings the whole board's moves of a 19-line board to their normal form: the first move in the
// upper right, then the reflections that put more of the first six moves in the upper left and
// upper right.
void normaliseWholeBoard(PatternCollector& c);

} // namespace stonewise
