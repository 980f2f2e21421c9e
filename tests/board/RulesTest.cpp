#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/BoardPosition.h"
#include "board/MoveLegalityProbe.h"

namespace stonewise {
namespace {

// A position from rows of 'X' (black), 'O' (white) and '.', top row first; stones get move numbers
// 1, 2, … in reading order, so their colours need not follow parity.
BoardPosition positionFrom(const std::vector<std::string>& rows, int lines = 19) {
    BoardPosition pos;
    pos.setSize(lines);
    int n = 0;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (c == '.') continue;
            BoardPoint& p = pos.at(x, y);
            p.colour = c == 'X' ? kBlack : kWhite;
            p.moveNumber = static_cast<std::uint16_t>(++n);
        }
    return pos;
}

TEST(Rules, CapturesAreTakenBeforeTheOwnGroupIsJudged) {
    BoardPosition pos = positionFrom({
        ".OX",
        "OX.",
        "X..",
    });
    // Black fills its own last liberty at the corner but captures both white stones first.
    EXPECT_EQ(testMove(pos, 0, 0, 9), MoveRefusal::None);
    pos.at(0, 0).colour = kBlack;
    pos.at(0, 0).moveNumber = 9;
    EXPECT_EQ(pos.captureCheck(0, 0, true), 2);
    EXPECT_EQ(pos.colourAt(1, 0), kEmpty);
    EXPECT_EQ(pos.colourAt(0, 1), kEmpty);
    EXPECT_EQ(pos.at(0, 0).captured, 2);
    EXPECT_EQ(pos.currentKo().capturedX, -1);  // two stones: never a ko
    EXPECT_EQ(pos.captureLog().total(), 2);
}

TEST(Rules, SuicideIsRefused) {
    BoardPosition pos = positionFrom({
        ".O",
        "O.",
    });
    EXPECT_EQ(testMove(pos, 0, 0, 3), MoveRefusal::Suicide);
    EXPECT_EQ(pos.colourAt(0, 0), kEmpty);  // the trial stone is taken off again
    // Filling the last liberty of a large own group is suicide too.
    BoardPosition big = positionFrom({
        "XXXXO",
        "X.XXO",
        "XXXXO",
        "OOOO.",
    });
    EXPECT_EQ(testMove(big, 1, 1, 21), MoveRefusal::Suicide);
}

TEST(Rules, ACheckWithoutRemovalChangesNothing) {
    BoardPosition pos = positionFrom({
        ".OX",
        "OX.",
        "X..",
    });
    pos.at(0, 0).colour = kBlack;
    EXPECT_EQ(pos.captureCheck(0, 0, false), 2);
    EXPECT_EQ(pos.colourAt(1, 0), kWhite);
    EXPECT_EQ(pos.at(0, 0).captured, 0);
}

TEST(Rules, DiagramDisplayCountsCapturesButLeavesTheStones) {
    BoardPosition pos = positionFrom({
        ".O",
        "OX",
        "X.",
    });
    pos.setDiagramDisplay(true);
    pos.at(1, 1).colour = kBlack;
    pos.at(2, 0).colour = kBlack;
    EXPECT_EQ(pos.placeAndCapture(0, 0, kBlack, 9), 2);
    EXPECT_EQ(pos.colourAt(1, 0), kWhite);
}

TEST(Rules, TheCaptureLogKeeps100EntriesAndAnExactCount) {
    // A white group of 120 stones (six full columns and part of a seventh) is captured at once.
    std::vector<std::string> rows(19, std::string(19, '.'));
    int placed = 0;
    for (int x = 0; x < 7 && placed < 120; ++x)
        for (int y = 0; y < 19 && placed < 120; ++y, ++placed) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = 'O';
    // Black surrounds it: column 7 below the white part of column 6, and column 6 below it.
    for (int y = 0; y < 19; ++y) rows[static_cast<std::size_t>(y)][7] = 'X';
    const int whiteInLast = 120 - 6 * 19;
    for (int y = whiteInLast + 1; y < 19; ++y) rows[static_cast<std::size_t>(y)][6] = 'X';
    BoardPosition pos = positionFrom(rows);
    EXPECT_EQ(pos.placeAndCapture(6, whiteInLast, kBlack, 500), 120);
    EXPECT_EQ(pos.captureLog().total(), 120);
    EXPECT_EQ(pos.captureLog().size(), 100);
    EXPECT_EQ(pos.captureLog()[0].capturingMove, 500);
    EXPECT_EQ(pos.colourAt(0, 0), kEmpty);
}

TEST(Rules, ProbeTestsAStoneAfterSomeMovesAndRestoresThePosition) {
    BoardPosition pos = positionFrom({
        ".XO.",
        "X.XO",
        ".XO.",
    });
    auto s = RecordSequence::createMain();
    for (int n = 1; n <= 9; ++n) s->appendNode(makeMoveNode(n, n, 15));  // elsewhere
    s->appendNode(makeMoveNode(10, 1, 1));  // white takes one black stone: a ko
    const auto before = pos.points();
    EXPECT_TRUE(moveLegalityProbe(pos, *s, 10, 10, 1, 1));   // occupied after move 10
    EXPECT_FALSE(moveLegalityProbe(pos, *s, 1, 1, 1, 1));    // white 2 may play inside: it captures
    EXPECT_TRUE(moveLegalityProbe(pos, *s, 1, 10, 2, 1));    // black 11 may not retake the ko at once
    EXPECT_EQ(pos.points(), before);
}

} // namespace
} // namespace stonewise
