#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/BoardPosition.h"
#include "board/MoveLegalityProbe.h"
#include "support/BoardDiagram.h"

namespace stonewise {
namespace {

TEST(Rules, CapturesAreTakenBeforeTheOwnGroupIsJudged) {
    BoardPosition pos = positionFrom({
        ".OX",
        "OX.",
        "X..",
    });
    // Black fills its own last liberty at the corner but captures both white stones first.
    EXPECT_EQ(pos.refusal(0, 0, 9), MoveRefusal::None);
    EXPECT_EQ(pos.play({0, 0, kBlack, 9}), 2);
    EXPECT_EQ(pos.colourAt(1, 0), kEmpty);
    EXPECT_EQ(pos.colourAt(0, 1), kEmpty);
    EXPECT_EQ(pos.at(0, 0).captured, 2);
    EXPECT_EQ(pos.currentKo().capturedX, -1); // two stones: never a ko
    EXPECT_EQ(pos.captureLog().total(), 2);
    EXPECT_EQ(pos.prisoners(kBlack), 2);
    EXPECT_EQ(pos.prisoners(kWhite), 0);
    EXPECT_EQ(pos.firstMoveAt(0, 0), 9);
    EXPECT_EQ(pos.refusal(1, 0, 11), MoveRefusal::None);
    EXPECT_EQ(pos.refusal(0, 0, 10), MoveRefusal::Occupied);
}

TEST(Rules, SuicideIsRefused) {
    BoardPosition pos = positionFrom({
        ".O",
        "O.",
    });
    EXPECT_EQ(pos.refusal(0, 0, 3), MoveRefusal::Suicide);
    EXPECT_EQ(pos.colourAt(0, 0), kEmpty); // the trial stone is taken off again
    // Filling the last liberty of a large own group is suicide too.
    BoardPosition big = positionFrom({
        "XXXXO",
        "X.XXO",
        "XXXXO",
        "OOOO.",
    });
    EXPECT_EQ(big.refusal(1, 1, 21), MoveRefusal::Suicide);
}

TEST(Rules, AskingChangesNothing) {
    BoardPosition pos = positionFrom({
        ".OX",
        "OX.",
        "X..",
    });
    const auto before = pos.points();
    const KoRecord ko = pos.currentKo();
    EXPECT_TRUE(pos.legal(0, 0, 9));
    EXPECT_EQ(pos.points(), before);
    EXPECT_EQ(pos.currentKo().capturedX, ko.capturedX);
    EXPECT_EQ(pos.prisoners(kBlack), 0);
}

TEST(Rules, KoIsRefusedOnlyAtOnceAndTakingBackLeavesTheKo) {
    // White 10 takes the black stone at (1,1); black may not retake at (2,1) as move 11.
    BoardPosition pos = positionFrom({
        ".XO.",
        "X.XO",
        ".XO.",
    });
    EXPECT_EQ(pos.play({1, 1, kWhite, 10}), 1);
    EXPECT_EQ(pos.refusal(2, 1, 11), MoveRefusal::Ko);
    // A move elsewhere that captures nothing comes off directly; the ko still stands.
    EXPECT_EQ(pos.play({10, 10, kBlack, 11}), 0);
    EXPECT_TRUE(pos.takeBack(10, 10, 11));
    EXPECT_EQ(pos.colourAt(10, 10), kEmpty);
    EXPECT_EQ(pos.firstMoveAt(10, 10), 0);
    EXPECT_EQ(pos.refusal(2, 1, 11), MoveRefusal::Ko);
    // After a move elsewhere and an answer the ko may be retaken.
    pos.play({10, 10, kBlack, 11});
    pos.play({11, 11, kWhite, 12});
    EXPECT_EQ(pos.refusal(2, 1, 13), MoveRefusal::None);
    // A capturing stone is not taken back by itself: that takes a rebuild.
    EXPECT_FALSE(pos.takeBack(1, 1, 10));
    EXPECT_EQ(pos.colourAt(1, 1), kWhite);
    EXPECT_FALSE(pos.takeBack(11, 11, 13)); // not that move's stone
}

TEST(Rules, DiagramDisplayCountsCapturesButLeavesTheStones) {
    BoardPosition pos = positionFrom({
        ".O",
        "OX",
        "X.",
    });
    pos.setDiagramDisplay(true);
    EXPECT_EQ(pos.play({2, 0, kBlack, 7}), 0);
    EXPECT_EQ(pos.play({0, 0, kBlack, 9}), 2);
    EXPECT_EQ(pos.colourAt(1, 0), kWhite);
    EXPECT_EQ(pos.prisoners(kBlack), 2);
}

TEST(Rules, TheCaptureLogKeeps100EntriesAndAnExactCount) {
    // A white group of 120 stones (six full columns and part of a seventh) is captured at once.
    std::vector<std::string> rows(19, std::string(19, '.'));
    int placed = 0;
    for (int x = 0; x < 7 && placed < 120; ++x)
        for (int y = 0; y < 19 && placed < 120; ++y, ++placed)
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = 'O';
    // Black surrounds it: column 7 below the white part of column 6, and column 6 below it.
    for (int y = 0; y < 19; ++y) rows[static_cast<std::size_t>(y)][7] = 'X';
    const int whiteInLast = 120 - 6 * 19;
    for (int y = whiteInLast + 1; y < 19; ++y) rows[static_cast<std::size_t>(y)][6] = 'X';
    BoardPosition pos = positionFrom(rows);
    EXPECT_EQ(pos.play({6, whiteInLast, kBlack, 499}), 120);
    EXPECT_EQ(pos.captureLog().total(), 120);
    EXPECT_EQ(pos.captureLog().size(), 100);
    EXPECT_EQ(pos.captureLog()[0].capturingMove, 499);
    EXPECT_EQ(pos.at(6, whiteInLast).captured, 120);
    EXPECT_EQ(pos.colourAt(0, 0), kEmpty);
}

TEST(Rules, ProbeTestsAStoneAfterSomeMovesAndRestoresThePosition) {
    BoardPosition pos = positionFrom({
        ".XO.",
        "X.XO",
        ".XO.",
    });
    auto s = RecordSequence::createMain();
    for (int n = 1; n <= 9; ++n) s->appendNode(makeMoveNode(n, n, 15)); // elsewhere
    s->appendNode(makeMoveNode(10, 1, 1));                              // white takes one black stone: a ko
    const auto before = pos.points();
    EXPECT_TRUE(moveLegalityProbe(pos, *s, 10, 10, 1, 1)); // occupied after move 10
    EXPECT_FALSE(moveLegalityProbe(pos, *s, 1, 1, 1, 1));  // white 2 may play inside: it captures
    EXPECT_TRUE(moveLegalityProbe(pos, *s, 1, 10, 2, 1));  // black 11 may not retake the ko at once
    EXPECT_EQ(pos.points(), before);
}

} // namespace
} // namespace stonewise
