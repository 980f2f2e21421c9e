#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/OwnershipPlayouts.h"
#include "support/BoardDiagram.h"

namespace stonewise {
namespace {

OwnershipPlayouts playedOut(const std::vector<std::string>& rows, int lines, int games = 64) {
    const BoardPosition pos = positionFrom(rows, lines);
    std::array<std::uint8_t, kPointCount> colours{};
    for (int x = 0; x < lines; ++x)
        for (int y = 0; y < lines; ++y) colours[static_cast<std::size_t>(pointIndex(x, y))] = pos.colourAt(x, y);
    OwnershipPlayouts o;
    o.run(colours, lines, games);
    return o;
}

TEST(OwnershipPlayouts, SekiStaysDeadStonesAreTakenEyesAreNotFilled) {
    // 9 lines. Top: a white chain of 4 and a black chain of 3 share the liberties (4,0) and (4,1)
    // between black's wall (x 2) and white's (x 6): a seki neither side may break. A lone white
    // stone sits in black's lower area, and white's side has two one-point eyes at (8,7) and (8,5).
    const std::vector<std::string> rows = {
        "..XO.XO..", //
        "..XO.XO..", //
        "..XOOXO..", //
        "XXXXXOO..", //
        "....X.OOO", //
        "....X.O.O", //
        ".O..X.OOO", //
        "....X.O.O", //
        "....X.OOO", //
    };
    const OwnershipPlayouts o = playedOut(rows, 9);
    EXPECT_LT(o.blackShare(3, 0), -0.9);       // the seki's white chain stands
    EXPECT_GT(o.blackShare(5, 0), 0.9);        // and so does its black chain
    EXPECT_NEAR(o.blackShare(4, 0), 0.0, 0.2); // their shared liberty is nobody's
    EXPECT_GT(o.blackShare(1, 6), 0.5);        // the lone white stone is taken
    EXPECT_LT(o.blackShare(8, 5), -0.9);       // white's eyes stay white
    EXPECT_LT(o.blackShare(8, 7), -0.9);
}

TEST(OwnershipPlayouts, AChainLeftInAtariIsTakenBeforeItsNeighbourIsShortOfLiberties) {
    // 9 lines. Black's chain on x 2 has no eye and one liberty, (1,4) inside white's living wall;
    // white's chain on x 3..5 between it and black's living wall has only its two-point eye. A
    // black stone thrown into the eye must not win the race: white takes the chain in atari
    // first thing.
    const std::vector<std::string> rows = {
        "OOXOOOXXX", //
        ".OXOOOXX.", //
        "OOXOOOXXX", //
        "OOXO.OXXX", //
        "O.XO.OXXX", //
        "OOXOOOXXX", //
        "OOXOOOXXX", //
        ".OXOOOXX.", //
        "OOXOOOXXX", //
    };
    const OwnershipPlayouts o = playedOut(rows, 9);
    EXPECT_LT(o.blackShare(2, 0), -0.9); // the chain in atari is taken
    EXPECT_LT(o.blackShare(4, 0), -0.9); // and white's chain beside it lives
    EXPECT_LT(o.blackShare(4, 3), -0.9);
    EXPECT_GT(o.blackShare(7, 0), 0.9); // black's wall stands
}

TEST(OwnershipPlayouts, SameGamesEveryRunAndNothingOnABadSize) {
    const std::vector<std::string> rows = {".X.O.", "XX.OO", ".X.O.", "XX.OO", ".X.O."};
    const OwnershipPlayouts a = playedOut(rows, 5, 16);
    const OwnershipPlayouts b = playedOut(rows, 5, 16);
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 5; ++y) EXPECT_EQ(a.blackShare(x, y), b.blackShare(x, y));
    EXPECT_EQ(a.blackShare(0, 0), 1.0);
    EXPECT_EQ(a.blackShare(4, 4), -1.0);
    EXPECT_EQ(playedOut(rows, 1).blackShare(0, 0), 0.0);
    EXPECT_EQ(a.blackShare(-1, 0), 0.0);
}

} // namespace
} // namespace stonewise
