#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "app/CommandIds.h"
#include "support/BoardFixture.h"

namespace stonewise {
namespace {

using test::TestBoard;

TEST(CIgoBoard, KoRecaptureIsRefusedAtOnceButAllowedOneMoveLater) {
    TestBoard t;
    // Black surrounds (1,1) on three sides, white on the other side of (2,1).
    t.play({{1, 0}, {2, 0}, {0, 1}, {3, 1}, {1, 2}, {2, 2}, {10, 10}, {1, 1}});
    t.play({{2, 1}}); // black 9 takes white 8
    EXPECT_EQ(t.board.position().colourAt(1, 1), kEmpty);
    t.board.clickPoint(1, 1); // white retakes at once
    EXPECT_EQ(t.board.totalMoves(), 9);
    ASSERT_EQ(t.ui.boardMessages.size(), 1u);
    EXPECT_EQ(t.ui.boardMessages[0], u"劫取りの禁じ手です。");
    EXPECT_EQ(t.board.position().colourAt(1, 1), kEmpty);
    t.play({{15, 15}, {16, 16}, {1, 1}}); // a ko threat and its answer, then the retake
    EXPECT_EQ(t.board.position().colourAt(2, 1), kEmpty);
    EXPECT_EQ(t.board.position().prisoners(kWhite), 1);
    EXPECT_EQ(t.board.position().prisoners(kBlack), 1);
}

TEST(CIgoBoard, TakingTwoStonesIsNeverAKo) {
    TestBoard t;
    t.play({{1, 0}, {0, 0}, {1, 1}, {0, 1}, {10, 10}, {1, 2}, {15, 15}, {0, 3}});
    t.play({{0, 2}}); // black 9 takes the two white stones in the corner
    EXPECT_EQ(t.board.position().prisoners(kBlack), 2);
    t.play({{0, 1}}); // white takes the single black stone back: allowed
    EXPECT_EQ(t.board.position().colourAt(0, 2), kEmpty);
    EXPECT_TRUE(t.ui.boardMessages.empty());
}

TEST(CIgoBoard, SuicideIsRefusedWithItsMessage) {
    TestBoard t;
    t.play({{10, 10}, {1, 0}, {10, 12}, {0, 1}});
    t.board.clickPoint(0, 0);
    EXPECT_EQ(t.board.totalMoves(), 4);
    ASSERT_EQ(t.ui.boardMessages.size(), 1u);
    EXPECT_EQ(t.ui.boardMessages[0], u"禁じ手です。");
    EXPECT_EQ(t.board.record().main().nodeCount(), 4);
}

TEST(CIgoBoard, ACaptureOfThreeStonesAddsThreePrisoners) {
    TestBoard t;
    // White stones at (0,0), (0,1), (0,2); black closes at (0,3).
    t.play({{1, 0}, {0, 0}, {1, 1}, {0, 1}, {1, 2}, {0, 2}, {0, 3}});
    EXPECT_EQ(t.board.position().prisoners(kBlack), 3);
    EXPECT_EQ(t.panels.prisonersBlack, 3);
    const RecordNode* last = t.board.record().main().findNode(7);
    EXPECT_EQ(last->captured(), 3);
    EXPECT_EQ(last->prisonerTotal(), 3);
    EXPECT_EQ(t.panels.nextMove, 8);
}

TEST(CIgoBoard, ClicksThatDoNothing) {
    TestBoard thirteen(13);
    thirteen.board.clickPoint(13, 5);
    thirteen.board.clickPoint(5, 13);
    EXPECT_EQ(thirteen.board.totalMoves(), 0);

    TestBoard atStart;
    atStart.play({{3, 3}, {15, 15}});
    atStart.board.showMove(0);
    atStart.board.clickPoint(9, 9);
    EXPECT_EQ(atStart.board.totalMoves(), 2);

    TestBoard protectedGame;
    protectedGame.board.gameInfo().protection = 1;
    protectedGame.board.clickPoint(3, 3);
    EXPECT_EQ(protectedGame.board.totalMoves(), 0);
    ASSERT_EQ(protectedGame.ui.boardMessages.size(), 1u);
    EXPECT_EQ(protectedGame.ui.boardMessages[0],
              u"開いている対局は保護されています。検討するには「検討ウインドウ」を開いて下さい。");

    TestBoard viewing;
    viewing.board.setViewOnly(true);
    viewing.board.clickPoint(3, 3);
    EXPECT_EQ(viewing.board.totalMoves(), 0);
}

TEST(CIgoBoard, HandicapGamesStartWithTableStonesAndWhiteToPlay) {
    TestBoard t(19, 5);
    EXPECT_EQ(t.board.totalMoves(), 1);
    EXPECT_EQ(t.board.record().main().handicapCount(), 5);
    EXPECT_EQ(t.board.record().main().numberOffset(), -1);
    EXPECT_EQ(t.board.position().colourAt(9, 9), kBlack);
    t.play({{16, 2}});
    EXPECT_EQ(t.board.position().colourAt(16, 2), kWhite);

    TestBoard eight(19, 8);
    EXPECT_EQ(eight.board.position().colourAt(9, 9), kEmpty);
    EXPECT_EQ(eight.board.position().colourAt(9, 3), kBlack);

    TestBoard small(13, 4);
    EXPECT_EQ(small.board.position().colourAt(9, 3), kBlack);
    EXPECT_EQ(small.board.position().colourAt(3, 3), kBlack);
}

TEST(CIgoBoard, FreeHandicapPlacement) {
    TestBoard t;
    t.board.beginFreeHandicap();
    t.board.clickPoint(3, 3);
    t.board.clickPoint(15, 15);
    t.board.clickPoint(9, 9);
    t.board.clickPoint(15, 15); // taken back
    EXPECT_EQ(t.ui.freeHandicapStones, 2);
    EXPECT_EQ(t.board.totalMoves(), 0);
    EXPECT_EQ(t.board.gameInfo().handicap, 2);
    t.board.endFreeHandicap();
    EXPECT_EQ(t.board.totalMoves(), 1);
    EXPECT_EQ(t.ui.freeHandicapStones, -1);
    EXPECT_EQ(t.board.position().colourAt(15, 15), kEmpty);
    EXPECT_EQ(t.board.position().colourAt(9, 9), kBlack);
    t.play({{16, 3}});
    EXPECT_EQ(t.board.position().colourAt(16, 3), kWhite);
}

TEST(CIgoBoard, SetupStonesBeforeTheFirstMove) {
    TestBoard t;
    EXPECT_FALSE(t.board.placeSetupStone(3, 3, kWhite));
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"初手よりも前に手順外の白石を置くことは出来ません。");
    EXPECT_EQ(t.ui.messages[0].title, u"手順外の石を置く");
    EXPECT_TRUE(t.board.placeSetupStone(3, 3, kBlack));
    EXPECT_TRUE(t.board.placeSetupStone(15, 15, kBlack));
    EXPECT_EQ(t.board.record().main().handicapCount(), 2);
    EXPECT_EQ(t.board.gameInfo().handicap, 2);
    EXPECT_EQ(t.board.totalMoves(), 1);
    t.play({{9, 9}});
    EXPECT_EQ(t.board.position().colourAt(9, 9), kWhite);

    // Later a setup stone joins the displayed move and stays out of the move order.
    EXPECT_TRUE(t.board.placeSetupStone(10, 10, kWhite));
    EXPECT_EQ(t.board.totalMoves(), 2);
    EXPECT_EQ(t.board.position().colourAt(10, 10), kWhite);
    EXPECT_TRUE(t.board.removeSetupStone(10, 10));
    EXPECT_EQ(t.board.position().colourAt(10, 10), kEmpty);
}

// Plays a long random game with many captures, remembering every position, then rebuilds each move.
TEST(CIgoBoard, RebuildAtEveryMoveMatchesThePositionsPlayed) {
    for (int lines : {13, 19}) {
        TestBoard t(lines);
        std::mt19937 rng(lines);
        std::uniform_int_distribution<int> coordinate(0, lines - 1);
        std::vector<std::string> seen{t.diagram()};
        std::vector<std::pair<int, int>> prisoners{{0, 0}};
        int attempts = 0;
        while (t.board.totalMoves() < 250 && attempts++ < 20000) {
            const int x = coordinate(rng);
            const int y = coordinate(rng);
            if (t.board.position().at(x, y).hasStone()) continue;
            const int before = t.board.totalMoves();
            t.board.clickPoint(x, y);
            if (t.board.totalMoves() == before) continue;
            seen.push_back(t.diagram());
            prisoners.push_back({t.board.position().prisoners(kBlack), t.board.position().prisoners(kWhite)});
        }
        ASSERT_GT(prisoners.back().first + prisoners.back().second, 5) << "the game should capture";
        for (int n = 1; n < static_cast<int>(seen.size()); ++n) {
            t.board.showMove(n);
            ASSERT_TRUE(t.board.rebuild());
            EXPECT_EQ(t.diagram(), seen[static_cast<std::size_t>(n)]) << "move " << n;
            EXPECT_EQ(t.board.position().prisoners(kBlack), prisoners[static_cast<std::size_t>(n)].first);
            EXPECT_EQ(t.board.position().prisoners(kWhite), prisoners[static_cast<std::size_t>(n)].second);
        }
        // Stepping puts the same stones and prisoners on the board, and draws what a rebuild draws.
        const int last = static_cast<int>(seen.size()) - 1;
        auto check = [&](int n) {
            EXPECT_EQ(t.diagram(), seen[static_cast<std::size_t>(n)]) << "move " << n;
            EXPECT_EQ(t.board.position().prisoners(kBlack), prisoners[static_cast<std::size_t>(n)].first)
                << "move " << n;
            EXPECT_EQ(t.board.position().prisoners(kWhite), prisoners[static_cast<std::size_t>(n)].second)
                << "move " << n;
            const std::string stepped = t.scene();
            t.board.showMove(n);
            EXPECT_EQ(t.scene(), stepped) << "move " << n;
        };
        t.board.command(kCmdToStart);
        for (int n = 2; n <= last; ++n) {
            t.board.command(kCmdForward);
            check(n);
        }
        for (int n = last - 1; n >= 1; --n) {
            t.board.command(kCmdBack);
            check(n);
        }
        // So does taking the moves back one by one.
        t.board.command(kCmdToEnd);
        for (int n = last - 1; n >= 1; --n) {
            t.board.command(kCmdUndo);
            ASSERT_EQ(t.board.totalMoves(), n);
            check(n);
        }
    }
}

TEST(CIgoBoard, AMissingStringShowsTheLookupMessage) {
    TestBoard t;
    EXPECT_EQ(t.board.text(99999), u"");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"コード(99999)に該当する文字列が見つかりません。");
    EXPECT_EQ(t.ui.messages[0].title, u"文字列取得");
}

} // namespace
} // namespace stonewise

namespace stonewise {
namespace {

TEST(CIgoBoard, StatusLineShowsTheLastMoveOrTheResult) {
    test::TestBoard t(19, 2);
    EXPECT_EQ(t.board.statusText(), u"");
    t.play({{16, 2}, {2, 16}});
    EXPECT_EQ(t.board.statusText(), u"対局中　最終：黒  2手（3、17）");
    t.board.command(32875); // a pass
    EXPECT_EQ(t.board.statusText(), u"対局中　最終：白  3手（パス）");
    t.board.gameInfo().winner = kWhiteWins;
    t.board.gameInfo().margin = 1500;
    EXPECT_EQ(t.board.statusText(), u"白中押し勝ち");
}

} // namespace
} // namespace stonewise
