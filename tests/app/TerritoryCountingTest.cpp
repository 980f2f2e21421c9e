#include <gtest/gtest.h>

#include "app/TerritoryCounting.h"
#include "support/BoardFixture.h"

namespace stonewise {
namespace {

// 13 lines: a black wall on column f, a white one on column h, a white stone at b4 inside black's
// area, then ten passes.
constexpr std::u16string_view kWalls =
    u"(;GM[1]FF[4]SZ[13]KM[6.5]AB[fa][fb][fc][fd][fe][ff][fg][fh][fi][fj][fk][fl][fm]"
    u"AW[ha][hb][hc][hd][he][hf][hg][hh][hi][hj][hk][hl][hm][bd]"
    u";B[tt];W[tt];B[tt];W[tt];B[tt];W[tt];B[tt];W[tt];B[tt];W[tt])";

struct Counting : ::testing::Test {
    test::TestBoard t{13};
    test::FixedClock clock;
    TerritoryCounting counting{t.board, t.ui, clock};

    void SetUp() override { t.load(kWalls); }
    int mark(int x, int y) { return t.board.position().mark(x, y).kind; }
};

TEST_F(Counting, StartProposesCountsAndShowsItsMarksUntilTheEnd) {
    const int nodes = t.board.record().main().nodeCount();
    ASSERT_TRUE(counting.command(kCmdTerritoryCount));
    ASSERT_TRUE(counting.active());
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_EQ(counting.result().resultLine, u"勝敗：白の5.5目勝ち");
    EXPECT_EQ(counting.detectButtonText(), u"死石と欠け目を解除");
    EXPECT_EQ(mark(1, 3), kCountMarkDead);
    EXPECT_EQ(mark(0, 0), kCountMarkBlackTerritory);
    EXPECT_EQ(mark(6, 0), 0); // the empty column between the walls
    EXPECT_EQ(mark(12, 0), kCountMarkWhiteTerritory);
    EXPECT_EQ(t.panels.prisonersBlack, 1); // the dead white stone is black's prisoner

    // The dead stone clicked back to life: black's area counts for nobody.
    counting.click(1, 3);
    EXPECT_EQ(mark(1, 3), 0);
    EXPECT_EQ(counting.result().blackTerritory, 0);
    EXPECT_EQ(t.panels.prisonersBlack, 0);

    // Detection again, then cleared.
    counting.command(kCmdCountDetect);
    EXPECT_EQ(counting.detectButtonText(), u"死石と欠け目を検出");
    counting.command(kCmdCountDetect);
    EXPECT_EQ(mark(1, 3), kCountMarkDead);

    counting.command(kCmdTerritoryCount);
    EXPECT_FALSE(counting.active());
    EXPECT_EQ(mark(1, 3), 0);
    EXPECT_EQ(mark(0, 0), 0);
    EXPECT_EQ(t.board.position().colourAt(1, 3), kWhite);
    EXPECT_EQ(t.board.record().main().nodeCount(), nodes);
}

TEST_F(Counting, FillingPointsByToolRightButtonAndInTurn) {
    counting.start();
    counting.setRightButtonOther(true);
    counting.click(6, 0);
    counting.click(6, 1, true);
    EXPECT_EQ(t.board.position().colourAt(6, 0), kBlack);
    EXPECT_EQ(t.board.position().colourAt(6, 1), kWhite);
    counting.setAlternate(true);
    counting.setTool(CountingTool::WhiteStone);
    counting.click(6, 2);
    counting.click(6, 3);
    EXPECT_EQ(counting.counting().stoneAt(6, 2), kBlack);
    EXPECT_EQ(counting.counting().stoneAt(6, 3), kWhite);
    counting.setTool(CountingTool::FalseEye);
    counting.click(0, 0);
    EXPECT_EQ(mark(0, 0), kCountMarkFalseEye);
    // Filled stones belong to the count only: ending it rebuilds the position.
    counting.end();
    EXPECT_EQ(t.board.position().colourAt(6, 0), kEmpty);
}

TEST_F(Counting, SetResultWritesTheWinnerMarginAndEndDate) {
    counting.start();
    counting.command(kCmdCountSetResult);
    const GameInfo& info = t.board.gameInfo();
    EXPECT_EQ(info.winner, kWhiteWins);
    EXPECT_FLOAT_EQ(info.margin, 5.5f);
    EXPECT_EQ(info.endDate.year, 2026);
    EXPECT_EQ(info.endDate.hour, 15);
}

TEST_F(Counting, YoungPositionSaysSoAndStillCounts) {
    t.board.showMove(1);
    counting.start();
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"終盤状態でないため、死に石等の解析が出来ませんでした。");
    EXPECT_EQ(counting.detectButtonText(), u"死石と欠け目を検出");
    EXPECT_EQ(counting.result().whiteTerritory, 65);
    counting.end();

    // After the second pass the players have ended the game: the proposal is made however young.
    t.board.showMove(2);
    counting.start();
    EXPECT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(mark(1, 3), kCountMarkDead);
}

} // namespace
} // namespace stonewise
