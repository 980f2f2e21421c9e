#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/CountingBoard.h"
#include "record/Text.h"
#include "support/BoardDiagram.h"

namespace stonewise {
namespace {

// 13 lines: black holds the left (x 0..2 and x 4 below row 4), white the right (x 8..12); at the
// top a white chain of 6 and a black chain of 4 share the two liberties (5,0) and (5,1): a seki.
const std::vector<std::string> kSeki = {
    "...XO.XO.....", //
    "...XO.XO.....", //
    "...XOOXO.....", //
    "...XOOXO.....", //
    "...XXXOO.....", //
    "...X.XOO.....", //
    "...X.XOO.....", //
    "...X.XOO.....", //
    "...X.XOO.....", //
    "...X.XOO.....", //
    "...X.XOO.....", //
    "...X.XOO.....", //
    "...X.XOO.....", //
};

// Black x 0..4, an empty column x 6 between the walls, white x 8..12.
const std::vector<std::string> kWalls = {
    ".....X.O.....", ".....X.O.....", ".....X.O.....", ".....X.O.....", ".....X.O.....",
    ".....X.O.....", ".....X.O.....", ".....X.O.....", ".....X.O.....", ".....X.O.....",
    ".....X.O.....", ".....X.O.....", ".....X.O.....",
};

std::vector<std::string> with(std::vector<std::string> rows, int x, int y, char c) {
    rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = c;
    return rows;
}

CountingBoard counting(const std::vector<std::string>& rows, int moves = 200) {
    CountingBoard b;
    b.start(positionFrom(rows, 13), moves);
    return b;
}

TEST(CountingBoard, SekiStonesStayAndTheirLibertiesCountForNobody) {
    CountingBoard b = counting(kSeki);
    ASSERT_TRUE(b.analyse());
    EXPECT_TRUE(b.deadStones().empty());
    const CountResult r = b.count(0);
    EXPECT_EQ(r.blackTerritory, 39 + 8);
    EXPECT_EQ(r.whiteTerritory, 65);
    EXPECT_EQ(b.mark(5, 0), 0);
    EXPECT_EQ(b.mark(0, 0), kCountMarkBlackTerritory);
    EXPECT_EQ(b.mark(12, 12), kCountMarkWhiteTerritory);
}

TEST(CountingBoard, GroupInAtariBesideASharedAreaIsNoSeki) {
    // Black's wall takes a4 from the white chain of the seki: it keeps one liberty of the two.
    CountingBoard b = counting(with(kSeki, 4, 0, 'X'));
    ASSERT_TRUE(b.analyse());
    EXPECT_EQ(b.deadStones().size(), 5u);
    EXPECT_EQ(b.deadState(5, 3), DeadState::ByAnalysis);
    EXPECT_EQ(b.count(0).blackTerritory, 47 + 2 + 5);
}

TEST(CountingBoard, TwoOnePointEyesLiveBesideAStrongerGroup) {
    // A white group with two eyes of one point in black's corner, a row of dame below it.
    auto rows = kWalls;
    rows[0] = "O.O.OX.O.....";
    rows[1] = "OOOOOX.O.....";
    rows[3] = "XXXXXX.O.....";
    CountingBoard b = counting(rows);
    ASSERT_TRUE(b.analyse());
    EXPECT_TRUE(b.deadStones().empty());
    EXPECT_EQ(b.count(0).blackTerritory, 45);
}

TEST(CountingBoard, TwoPointEyeAndAFalseEyeDoNotLive) {
    // A black group in white's corner: its eyes are one two-point eye and a false eye at (11,2)
    // whose lower stone white can take, so however large its eye space looks it is one eye.
    auto rows = kWalls;
    rows[0] = ".....X.O.OX..";
    rows[1] = ".....X.O.OXXX";
    rows[2] = ".....X.O.OX.X";
    rows[3] = ".....X.O.OOXO";
    rows[4] = ".....X.O...O.";
    CountingBoard b = counting(rows);
    ASSERT_TRUE(b.analyse());
    for (const auto& [x, y] : {std::pair{10, 0}, {12, 2}, {11, 3}})
        EXPECT_EQ(b.deadState(x, y), DeadState::ByAnalysis) << x << "," << y;
    EXPECT_EQ(b.deadStones().size(), 7u);
    EXPECT_EQ(b.count(0).whiteTerritory, 65 - 7); // less white's seven stones in the corner
}

TEST(CountingBoard, LoneStoneInTerritoryIsDeadAndCountsForTheOwnerAndItsPrisoners) {
    CountingBoard b = counting(with(kSeki, 1, 6, 'O'));
    ASSERT_TRUE(b.analyse());
    ASSERT_EQ(b.deadStones(), (std::vector<std::pair<int, int>>{{1, 6}}));
    EXPECT_EQ(b.deadState(1, 6), DeadState::ByAnalysis);
    EXPECT_EQ(b.mark(1, 6), kCountMarkDead);
    EXPECT_EQ(b.prisoners(kBlack), 1);
    const CountResult r = b.count(6.5);
    EXPECT_EQ(r.blackTerritory, 47);
    EXPECT_EQ(r.whiteScore, 65 - 1);
    EXPECT_EQ(r.boardDifference, 17);
    EXPECT_EQ(sgfResultOfCount(r), "W+23.5");

    // Clearing the proposal brings the stone back: the region touches both colours again.
    b.clearAnalysis();
    EXPECT_EQ(b.prisoners(kBlack), 0);
    EXPECT_EQ(b.count(0).blackTerritory, 8);
}

TEST(CountingBoard, ClickingAGroupTogglesItWholeWithItsPrisoners) {
    // Two white stones a one-point jump apart inside black's area form one group.
    CountingBoard b = counting(with(with(kWalls, 1, 3, 'O'), 1, 5, 'O'));
    ASSERT_TRUE(b.toggleGroup(1, 3));
    EXPECT_EQ(b.deadState(1, 5), DeadState::ByUser);
    EXPECT_EQ(b.prisoners(kBlack), 2);
    EXPECT_EQ(b.count(0).blackTerritory, 65);
    ASSERT_TRUE(b.toggleGroup(1, 5));
    EXPECT_EQ(b.deadState(1, 3), DeadState::Alive);
    EXPECT_EQ(b.prisoners(kBlack), 0);
    EXPECT_EQ(b.count(0).blackTerritory, 0);
    EXPECT_FALSE(b.toggleGroup(0, 0)); // no stone there
}

TEST(CountingBoard, NeutralPointsAndAHoleInAWall) {
    CountingBoard walls = counting(kWalls);
    CountResult r = walls.count(0);
    EXPECT_EQ(r.blackTerritory, 65); // the empty column between the walls counts for nobody
    EXPECT_EQ(r.whiteTerritory, 65);
    EXPECT_EQ(r.boardLine, u"盤面：持碁");
    EXPECT_EQ(r.resultLine, u"勝敗：持碁白勝ち");

    // A dame not filled opens black's wall: its area reaches white and counts for nobody, until
    // the point is filled on the counting board.
    CountingBoard open = counting(with(kWalls, 5, 6, '.'));
    EXPECT_EQ(open.count(0).blackTerritory, 0);
    // The analysis closes the open border: the hole and the column count for nobody, black's
    // side of it for black; clearing it opens the border again.
    ASSERT_TRUE(open.analyse());
    EXPECT_GE(open.count(0).blackTerritory, 50);
    EXPECT_EQ(open.count(0).whiteTerritory, 65);
    for (int y = 0; y < 13; ++y) {
        EXPECT_EQ(open.mark(6, y), 0) << y;
        for (int x = 0; x < 5; ++x) EXPECT_NE(open.mark(x, y), kCountMarkWhiteTerritory);
    }
    EXPECT_EQ(open.mark(5, 6), 0);
    open.clearAnalysis();
    EXPECT_EQ(open.count(0).blackTerritory, 0);
    EXPECT_FALSE(open.fillPoint(5, 5, kBlack)); // a stone is there
    ASSERT_TRUE(open.fillPoint(5, 6, kBlack));
    EXPECT_TRUE(open.filled(5, 6));
    EXPECT_EQ(open.count(0).blackTerritory, 65);
}

TEST(CountingBoard, FalseEyeMarkSplitsTheAreaAndIsNotCounted) {
    CountingBoard b = counting(kWalls);
    ASSERT_TRUE(b.toggleFalseEye(2, 0));
    EXPECT_EQ(b.mark(2, 0), kCountMarkFalseEye);
    EXPECT_EQ(b.count(0).blackTerritory, 64);
    EXPECT_EQ(b.mark(2, 0), kCountMarkFalseEye);
    EXPECT_FALSE(b.toggleFalseEye(5, 0)); // a stone
    ASSERT_TRUE(b.toggleFalseEye(2, 0));
    EXPECT_EQ(b.count(0).blackTerritory, 65);
}

TEST(CountingBoard, CutPointThatMustBeFilledIsAFalseEye) {
    // A hole at the top of black's wall: the black stone beside it is cut off by white and has no
    // other liberty, so the hole has to be filled and counts for nobody.
    auto rows = with(with(with(kWalls, 5, 0, '.'), 6, 0, 'X'), 6, 1, 'O');
    CountingBoard b = counting(rows);
    ASSERT_TRUE(b.analyse());
    EXPECT_TRUE(b.deadStones().empty());
    EXPECT_EQ(b.mark(5, 0), kCountMarkFalseEye);
    EXPECT_EQ(b.count(0).blackTerritory, 65);
    // With a second liberty the cut stone is in no danger: the hole is black's territory.
    CountingBoard safe = counting(with(with(rows, 7, 0, '.'), 8, 0, 'X'));
    ASSERT_TRUE(safe.analyse());
    EXPECT_EQ(safe.mark(5, 0), 0);
}

TEST(CountingBoard, UnfinishedPositionIsRefusedAndStillCounts) {
    const std::vector<std::string> opening = {
        ".............", ".............", ".............", "...X.....O...", ".............",
        ".............", "......X......", ".............", ".............", "...O.....X...",
        ".............", ".............", ".............",
    };
    CountingBoard b = counting(opening, 5);
    EXPECT_FALSE(b.analyse());
    EXPECT_TRUE(b.deadStones().empty());
    const CountResult r = b.count(6.5);
    EXPECT_EQ(r.blackTerritory + r.whiteTerritory, 0);
    EXPECT_EQ(sgfResultOfCount(r), "W+6.5");
    // An empty board after a few moves is refused as well.
    CountingBoard empty = counting(std::vector<std::string>(13, "............."), 4);
    EXPECT_FALSE(empty.analyse());
}

TEST(CountingBoard, GameEndedByPassingIsCountedWithOpenBorders) {
    // Both walls have two gaps left open: one empty area runs through the whole board, too few
    // empty regions for the stones, so the endgame check takes it for a game still in play. Two
    // passes ended it all the same; the white stone in black's area is dead.
    std::vector<std::string> rows(13, "....X...O....");
    for (int y : {3, 9}) rows[static_cast<std::size_t>(y)] = ".............";
    rows[6][1] = 'O';
    CountingBoard playing = counting(rows);
    EXPECT_FALSE(playing.analyse());
    CountingBoard b;
    b.start(positionFrom(rows, 13), 200, true);
    ASSERT_TRUE(b.analyse());
    EXPECT_EQ(b.deadStones(), (std::vector<std::pair<int, int>>{{1, 6}}));
    const CountResult r = b.count(0);
    EXPECT_GE(r.blackTerritory, 40);
    EXPECT_GE(r.whiteTerritory, 40);
    EXPECT_EQ(b.mark(0, 0), kCountMarkBlackTerritory);
    EXPECT_EQ(b.mark(12, 12), kCountMarkWhiteTerritory);
}

TEST(CountingBoard, ResultTexts) {
    struct Case {
        int white, black;
        double komi;
        std::u16string board, result;
        std::string re;
    };
    const Case cases[] = {
        {10, 10, 0.0, u"盤面：持碁", u"勝敗：持碁白勝ち", "0"},
        {10, 15, 6.5, u"盤面：黒の  5目勝ち", u"勝敗：白の1.5目勝ち", "W+1.5"},
        {10, 20, 6.5, u"盤面：黒の 10目勝ち", u"勝敗：黒の3.5目勝ち", "B+3.5"},
        {30, 20, 0.5, u"盤面：白の 10目勝ち", u"勝敗：白の10.5目勝ち", "W+10.5"},
        {20, 20, -3.0, u"盤面：持碁", u"勝敗：黒の3.0目勝ち", "B+3"},
    };
    for (const Case& c : cases) {
        CountResult r;
        r.whiteScore = c.white;
        r.blackScore = c.black;
        r.boardDifference = c.white - c.black;
        describeCount(r, c.komi);
        EXPECT_EQ(r.boardLine, c.board) << toUtf8(c.board);
        EXPECT_EQ(r.resultLine, c.result) << toUtf8(c.result);
        EXPECT_EQ(sgfResultOfCount(r), c.re);
    }
    CountResult r;
    r.whiteScore = 7;
    describeCount(r, 0);
    EXPECT_EQ(r.whiteLine, u"白：  7目");
}

} // namespace
} // namespace stonewise
