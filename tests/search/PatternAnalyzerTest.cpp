// The collectors: which moves of a line go into each region's pattern, in which frame, and the
// normal forms that make turned and reflected games alike.
#include <gtest/gtest.h>

#include "PatternGames.h"
#include "search/PatternAnalyzer.h"
#include "search/PatternPacking.h"

namespace stonewise {
namespace {

using test::lineOf;
using test::Pt;

// The move bytes of a collector's moves (x << 4 | y, 0xEE for a play elsewhere).
std::vector<int> bytesOf(const PatternCollector& c) {
    std::vector<int> bytes;
    for (const PatternMove& m : c.list()) bytes.push_back(moveByte(m));
    return bytes;
}

TEST(PatternCollectors, CornerMovesInTheirFrame) {
    struct Case {
        const char* what;
        std::vector<Pt> moves;
        int size;
        int kind;
        std::vector<int> expected; // the corner's move bytes
        int distant;
    };
    const Case cases[] = {
        {"a first move outside the 5x5 square is distant; the pattern starts inside it",
         {{7, 2}, {3, 3}, {2, 5}},
         19,
         kUpperLeft,
         {0x33, 0x25},
         1},
        {"two moves of one colour in a row get a play elsewhere between them",
         {{3, 3}, {15, 15}, {2, 5}},
         19,
         kUpperLeft,
         {0x33, 0xEE, 0x25},
         0},
        {"the upper right corner is read mirrored",
         {{15, 3}, {3, 15}, {16, 5}},
         19,
         kUpperRight,
         {0x33, 0xEE, 0x25},
         0},
        {"the lower right corner is read mirrored both ways",
         {{15, 15}, {3, 3}, {16, 13}},
         19,
         kLowerRight,
         {0x33, 0xEE, 0x25},
         0},
        {"a corner pattern below the diagonal is reflected onto it",
         {{3, 3}, {5, 2}, {2, 5}},
         19,
         kUpperLeft,
         {0x33, 0x25, 0x52},
         0},
        {"a 13-line board mirrors on its own edge", {{9, 3}, {3, 9}, {10, 5}}, 13, kUpperRight, {0x33, 0xEE, 0x25}, 1},
        {"on 19 lines the same move is far from the right edge", {{9, 3}, {3, 9}, {10, 5}}, 19, kUpperRight, {}, 2},
        {"far from every pattern move: distant", {{3, 3}, {9, 9}}, 19, kUpperLeft, {0x33}, 1},
        {"a move answering a stone outside the corner is ignored",
         {{3, 3}, {13, 3}, {10, 3}},
         19,
         kUpperLeft,
         {0x33},
         0},
        {"without that stone it is distant", {{3, 3}, {13, 13}, {10, 3}}, 19, kUpperLeft, {0x33}, 1},
    };
    PatternAnalyzer a;
    for (const Case& c : cases) {
        ASSERT_TRUE(a.analyse(lineOf(c.moves, c.size), c.size, 0)) << c.what;
        const PatternCollector& corner = *a.find(c.kind);
        EXPECT_EQ(bytesOf(corner), c.expected) << c.what;
        EXPECT_EQ(corner.distantCount, c.distant) << c.what;
        EXPECT_EQ(corner.kindByte(), c.kind | (c.size == 13 ? 0x10 : 0)) << c.what;
    }
}

TEST(PatternCollectors, AllEightPlacesOfAJosekiGiveOneCornerPattern) {
    PatternAnalyzer a;
    ASSERT_TRUE(a.analyse(lineOf(test::cornerJoseki()), 19, 0));
    const std::vector<int> upperLeft = bytesOf(*a.find(kUpperLeft));
    ASSERT_EQ(upperLeft.size(), test::cornerJoseki().size());
    for (int symmetry = 0; symmetry < 8; ++symmetry) {
        ASSERT_TRUE(a.analyse(lineOf(test::cornerJoseki(), 19, symmetry), 19, 0));
        const int corner = kUpperLeft + (symmetry & 1) + ((symmetry & 2) ? 2 : 0);
        EXPECT_EQ(bytesOf(*a.find(corner)), upperLeft) << "symmetry " << symmetry;
        for (int other = kUpperLeft; other <= kLowerRight; ++other)
            if (other != corner) {
                EXPECT_EQ(a.find(other)->count, 0) << "symmetry " << symmetry << " corner " << other;
            }
    }
}

TEST(PatternCollectors, WholeBoardNormalFormPutsTheFirstMoveUpperRight) {
    const std::vector<Pt> opening = test::openingOf(20, 7);
    PatternAnalyzer a;
    ASSERT_TRUE(a.analyse(lineOf(opening), 19, 0));
    std::vector<std::pair<int, int>> plain;
    for (const PatternMove& m : a.wholeBoard()->list()) plain.emplace_back(m.x, m.y);
    for (const int symmetry : {1, 2, 3}) { // mirrored left-right, top-bottom, both
        ASSERT_TRUE(a.analyse(lineOf(opening, 19, symmetry), 19, 0));
        const PatternCollector& whole = *a.wholeBoard();
        EXPECT_TRUE(whole.normalised);
        std::vector<std::pair<int, int>> moves;
        for (const PatternMove& m : whole.list()) moves.emplace_back(m.x, m.y);
        EXPECT_EQ(moves, plain) << "symmetry " << symmetry;
        EXPECT_GE(whole.moves[0].x, 10);
        EXPECT_LE(whole.moves[0].y, 8);
    }
}

TEST(PatternCollectors, WholeBoardOf13LinesStaysAsPlayed) {
    PatternAnalyzer a;
    ASSERT_TRUE(a.analyse(lineOf({{3, 9}, {9, 3}}, 13), 13, 0));
    EXPECT_FALSE(a.wholeBoard()->normalised);
    EXPECT_EQ(a.wholeBoard()->moves[0].x, 3);
    EXPECT_EQ(a.wholeBoard()->kindByte(), 0x11);
}

TEST(PatternCollectors, TypeFlagsChooseTheCollectors) {
    struct Case {
        std::uint8_t flags;
        bool analysable;
        std::vector<int> kinds;
    };
    const Case cases[] = {
        {0, true, {1, 2, 3, 4, 5}},
        {kTypeFlagJoseki, true, {3}},
        {kTypeFlagJoseki | kTypeFlagReference, true, {1, 2, 3, 4, 5}},
        {kTypeFlagFuseki, true, {1, 2, 3, 4, 5}},
        {0x08, false, {}},
    };
    PatternAnalyzer a;
    for (const Case& c : cases) {
        EXPECT_EQ(a.analyse(lineOf(test::cornerJoseki()), 19, c.flags), c.analysable) << int(c.flags);
        std::vector<int> kinds;
        for (int i = 0; i < a.collectorCount(); ++i) kinds.push_back(a.collector(i).kind);
        EXPECT_EQ(kinds, c.kinds) << int(c.flags);
    }
}

TEST(PatternCollectors, SetupStonesAreNeverPatternMovesAndPassesAreElsewhere) {
    std::vector<LineStone> line = lineOf({{3, 3}, {15, 15}});
    line.insert(line.begin(), LineStone{0, 1, 2, 5, true});
    line.push_back({3, 1, 0xFF, 0xFF, false}); // a pass
    PatternAnalyzer a;
    ASSERT_TRUE(a.analyse(line, 19, 0));
    EXPECT_EQ(a.find(kUpperLeft)->count, 1);
    EXPECT_EQ(a.find(kUpperLeft)->distantCount, 1);
    EXPECT_EQ(a.wholeBoard()->count, 3);
    EXPECT_TRUE(a.wholeBoard()->moves[2].elsewhere());
}

TEST(PatternReplayTest, CapturesCountOnlyTheLibertiesInsideTheRegion) {
    // White at the corner point is taken by two black stones.
    PatternReplay r;
    r.start(12);
    for (const PatternMove m : {PatternMove{1, 2, 0, 0}, PatternMove{2, 1, 1, 0}, PatternMove{3, 1, 0, 1}}) r.play(m);
    std::uint8_t corner[kPackedCornerSize];
    r.packCorner(corner);
    EXPECT_EQ(corner[0], 0x10); // (0,0) empty, (1,0) black
    EXPECT_EQ(corner[3], 0x40); // (0,1) black
    // White on the region's last line whose only liberty lies beyond it: taken in a corner's
    // region, alive on the whole board.
    const PatternMove moves[] = {{1, 2, 12, 5}, {2, 1, 12, 4}, {3, 1, 12, 6}, {4, 1, 11, 5}};
    for (const int reach : {12, 18}) {
        r.start(reach);
        for (const PatternMove& m : moves) r.play(m);
        std::uint8_t board[kPackedBoardSize];
        r.packBoard(board);
        EXPECT_EQ(board[5 * 5 + 3] >> 6, reach == 12 ? 0 : 2) << reach; // (12,5)
        EXPECT_EQ(board[5 * 5 + 2] & 3, 1) << reach;                    // (11,5) black
    }
}

} // namespace
} // namespace stonewise
