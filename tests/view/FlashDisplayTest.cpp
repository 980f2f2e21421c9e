// The flash display counted in 15 ms ticks: speeds, afterimage, the right button, refused clicks
// and the two timer slots.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "board/BoardPosition.h"
#include "view/FlashDisplay.h"

namespace stonewise {
namespace {

const std::u16string kRefusal = u"フラッシュ表示が終了してから次の手を打って下さい。";

// A board window reduced to a list of moves played on a position.
class FakeBoard : public FlashTarget {
public:
    FakeBoard(const std::vector<std::pair<int, int>>& points, int displayed) : displayed(displayed) {
        for (int i = 0; i < static_cast<int>(points.size()); ++i)
            moves.push_back(makeMoveNode(i + 1, points[i].first, points[i].second));
        showMove(displayed < 0 ? total() : displayed);
        this->displayed = displayed;
        redraws = 0;
    }

    int total() const { return static_cast<int>(moves.size()); }

    int displayedMove() const override { return displayed; }
    int totalMoves() const override { return total(); }
    const RecordNode* flashNode(int n) override { return n >= 1 && n <= total() ? &moves[n - 1] : nullptr; }
    BoardPosition& flashPosition() override { return position; }
    void showMove(int n) override {
        shownMoves.push_back(n);
        displayed = n;
        position.clear();
        for (int i = 1; i <= n; ++i) position.play({moves[i - 1].x, moves[i - 1].y, moves[i - 1].stoneColour(), i});
        ++redraws;
    }
    void returnDisplayAfterFlash(int rangeEnd) override {
        returnedWith.push_back(rangeEnd);
        displayed = -1;
    }
    void showDisplayEnd() override { ++endShown; }
    void drawPoint(int x, int y) override { drawn.push_back({x, y}); }
    void redrawAll() override { ++redraws; }
    void refreshPanels() override { ++panelRefreshes; }
    void setBusy(bool on) override { busy = on; }
    void boardMessage(std::u16string_view text) override { messages.emplace_back(text); }

    int stonesOnBoard() const {
        int count = 0;
        for (const BoardPoint& p : position.points()) count += p.hasStone() ? 1 : 0;
        return count;
    }

    std::vector<RecordNode> moves;
    int displayed;
    BoardPosition position;
    std::vector<int> shownMoves;
    std::vector<int> returnedWith;
    std::vector<std::pair<int, int>> drawn;
    std::vector<std::u16string> messages;
    int redraws = 0;
    int panelRefreshes = 0;
    int endShown = 0;
    bool busy = false;
};

const std::vector<std::pair<int, int>> kFiveMoves = {{3, 3}, {15, 15}, {3, 15}, {15, 3}, {9, 9}};

// Ticks until the flash stops running; -1 when it still runs after `limit`.
int ticksUntilDone(FlashTimerSlots& slots, const FlashDisplay& flash, int limit = 10000) {
    for (int t = 1; t <= limit; ++t) {
        slots.tick();
        if (!flash.running()) return t;
    }
    return -1;
}

TEST(FlashDisplay, TickArithmetic) {
    EXPECT_EQ(flashStepInterval(30), 20);
    EXPECT_EQ(flashStepInterval(10), 6);
    EXPECT_EQ(flashStepInterval(0), 0);
    EXPECT_EQ(flashAfterimageTicks(0), 66);
    EXPECT_EQ(flashAfterimageTicks(50), 33);
    EXPECT_EQ(flashAfterimageTicks(100), 66);
}

TEST(FlashDisplay, ThirtyHundredthsStepsEveryTwentyTicksThenVanishes) {
    FakeBoard board(kFiveMoves, 2);
    FlashTimerSlots slots;
    FlashDisplay flash(board, slots);
    flash.switchOn(30, 50);
    EXPECT_EQ(flash.rangeStart(), 3);
    EXPECT_EQ(board.messages, std::vector<std::u16string>{u"フラッシュモード　オン：着手はフラッシュ表示になります。"});
    ASSERT_NE(flash.savedPoints(), nullptr);
    EXPECT_EQ(*flash.savedPoints(), board.position.points());

    ASSERT_TRUE(flash.start());
    EXPECT_TRUE(board.busy);
    EXPECT_EQ(slots.slotOf(&flash), 0);
    EXPECT_EQ(flash.rangeEnd(), 5);
    // The first move at once, without a display number.
    EXPECT_EQ(board.position.at(3, 15).colour, kBlack);
    EXPECT_EQ(board.position.at(3, 15).displayNumber, kNoDisplayNumber);
    EXPECT_FALSE(board.position.at(15, 3).hasStone());

    for (int t = 0; t < 19; ++t) slots.tick();
    EXPECT_FALSE(board.position.at(15, 3).hasStone());
    slots.tick();
    EXPECT_EQ(board.position.at(15, 3).colour, kWhite);
    for (int t = 0; t < 20; ++t) slots.tick();
    EXPECT_TRUE(board.position.at(9, 9).hasStone());
    EXPECT_EQ(flash.phase(), 1);
    for (int t = 0; t < 20; ++t) slots.tick();
    EXPECT_EQ(flash.phase(), 2);
    // The position with the flashed moves is kept aside.
    EXPECT_EQ((*flash.savedPoints())[pointIndex(9, 9)].colour, kBlack);

    // Afterimage 0.5 s: 33 ticks, then the board shows move 2 again.
    EXPECT_EQ(ticksUntilDone(slots, flash), 33);
    EXPECT_FALSE(board.busy);
    EXPECT_EQ(board.shownMoves.back(), 2);
    EXPECT_EQ(board.stonesOnBoard(), 2);
    EXPECT_EQ(board.returnedWith, std::vector<int>{5});
    EXPECT_GE(board.panelRefreshes, 1);
    EXPECT_FALSE(slots.anyRunning());
    EXPECT_TRUE(flash.modeOn());
}

TEST(FlashDisplay, SpeedZeroShowsTheRangeAtOnceAndAfterimageZeroHoldsAboutASecond) {
    FakeBoard board(kFiveMoves, 1);
    FlashTimerSlots slots;
    FlashDisplay flash(board, slots);
    flash.switchOn(0, 0);
    ASSERT_TRUE(flash.start());
    EXPECT_EQ(board.stonesOnBoard(), 5);
    // One tick to leave the moves phase, then 66 ticks of afterimage.
    EXPECT_EQ(ticksUntilDone(slots, flash), 67);
    EXPECT_EQ(board.stonesOnBoard(), 1);
}

TEST(FlashDisplay, TheRightButtonHoldsTheAfterimage) {
    FakeBoard board(kFiveMoves, 4);
    FlashTimerSlots slots;
    FlashDisplay flash(board, slots);
    flash.switchOn(0, 20); // afterimage 13 ticks
    ASSERT_TRUE(flash.start());
    slots.tick();
    ASSERT_EQ(flash.phase(), 2);
    flash.setRightButtonDown(true);
    for (int t = 0; t < 500; ++t) slots.tick();
    EXPECT_TRUE(flash.running());
    EXPECT_TRUE(board.position.at(9, 9).hasStone());
    flash.setRightButtonDown(false);
    EXPECT_EQ(ticksUntilDone(slots, flash, 2), 1);
    EXPECT_FALSE(board.position.at(9, 9).hasStone());
}

TEST(FlashDisplay, ClicksAreRefusedOnlyWhileASequenceIsShown) {
    FakeBoard board(kFiveMoves, 3);
    FlashTimerSlots slots;
    FlashDisplay flash(board, slots);
    flash.switchOn(10, 0);
    EXPECT_FALSE(flash.refuseClick());
    ASSERT_TRUE(flash.start());
    EXPECT_TRUE(flash.refuseClick());
    EXPECT_EQ(board.messages.back(), kRefusal);
    ASSERT_GT(ticksUntilDone(slots, flash), 0);
    const std::size_t shown = board.messages.size();
    EXPECT_FALSE(flash.refuseClick());
    EXPECT_EQ(board.messages.size(), shown);
}

TEST(FlashDisplay, CapturesRedrawTheBoardAndFlaggedMovesGetTheirMark) {
    // 1 B(1,0) 2 W(0,0) 3 B(0,1) captures the white stone in the corner.
    FakeBoard board({{1, 0}, {0, 0}, {0, 1}}, 1);
    board.moves[1].flags |= kTraceMoveFlag;
    FlashTimerSlots slots;
    FlashDisplay flash(board, slots);
    flash.switchOn(10, 0);
    ASSERT_TRUE(flash.start());
    EXPECT_EQ(board.position.at(0, 0).markFlags, kMarkFlagNodeFlagged);
    EXPECT_EQ(board.drawn, (std::vector<std::pair<int, int>>{{0, 0}}));
    EXPECT_EQ(board.redraws, 0);
    for (int t = 0; t < 6; ++t) slots.tick();
    EXPECT_EQ(board.redraws, 1);
    EXPECT_FALSE(board.position.at(0, 0).hasStone());
}

TEST(FlashDisplay, NothingToFlash) {
    FlashTimerSlots slots;
    {
        FakeBoard board(kFiveMoves, 2);
        FlashDisplay flash(board, slots);
        EXPECT_FALSE(flash.start()); // flash mode off
    }
    {
        FakeBoard board(kFiveMoves, -1); // shown to the end: the range starts after move 5
        FlashDisplay flash(board, slots);
        flash.switchOn(10, 0);
        EXPECT_EQ(flash.rangeStart(), 6);
        EXPECT_FALSE(flash.start());
        EXPECT_FALSE(board.busy);
    }
    EXPECT_FALSE(slots.anyRunning());
}

TEST(FlashDisplay, TwoSlotsForTheWholeProgram) {
    FlashTimerSlots slots;
    std::vector<bool> listener;
    slots.setRunningListener([&](bool running) { listener.push_back(running); });
    FakeBoard mainBoard(kFiveMoves, 1), studyBoard(kFiveMoves, 1), third(kFiveMoves, 1);
    FlashDisplay mainFlash(mainBoard, slots), studyFlash(studyBoard, slots), thirdFlash(third, slots);
    for (FlashDisplay* f : {&mainFlash, &studyFlash, &thirdFlash}) f->switchOn(10, 0);
    ASSERT_TRUE(mainFlash.start());
    ASSERT_TRUE(studyFlash.start());
    EXPECT_EQ(slots.slotOf(&studyFlash), 1);
    EXPECT_FALSE(thirdFlash.start());
    EXPECT_FALSE(third.busy);

    // Switching off frees the slot at once and returns the display to its end.
    mainFlash.switchOff(true);
    EXPECT_FALSE(mainFlash.running());
    EXPECT_FALSE(mainBoard.busy);
    EXPECT_EQ(mainBoard.endShown, 1);
    EXPECT_EQ(mainFlash.savedPoints(), nullptr);
    ASSERT_TRUE(thirdFlash.start());
    EXPECT_EQ(slots.slotOf(&thirdFlash), 0);

    ASSERT_GT(ticksUntilDone(slots, studyFlash), 0);
    EXPECT_FALSE(thirdFlash.running()); // both shared the same ticks and ended together
    EXPECT_EQ(listener, (std::vector<bool>{true, false}));
}

} // namespace
} // namespace stonewise
