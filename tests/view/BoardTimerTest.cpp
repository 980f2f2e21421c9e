// The board tick counted in ticks: fade-in, animation timing, captures, pause, stop and the
// once-a-second jobs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "board/BoardPosition.h"
#include "record/StringTable.h"
#include "view/BoardTimer.h"

namespace stonewise {
namespace {

// A board window reduced to a list of moves played on a position.
class FakeBoard : public AnimationTarget {
public:
    explicit FakeBoard(std::vector<std::pair<int, int>> moves, int displayed = -1)
        : moves(std::move(moves)), displayed(displayed) {
        showUpTo(displayed < 0 ? total() : displayed);
    }

    int total() const { return static_cast<int>(moves.size()); }
    void showUpTo(int n) {
        position.clear();
        for (int i = 1; i <= n; ++i) position.play({moves[i - 1].first, moves[i - 1].second, colourOfMove(i), i});
    }

    int displayedMove() const override { return displayed; }
    int totalMoves() const override { return total(); }
    std::optional<AnimatedMove> showAnimatedMove(int n) override {
        if (n < 1 || n > total()) return std::nullopt;
        const auto [x, y] = moves[n - 1];
        const int captured = position.play({x, y, colourOfMove(n), n});
        displayed = n;
        drawn.push_back({x, y});
        return AnimatedMove{true, x, y, colourOfMove(n), captured};
    }
    void restoreDisplayedMove(int setting) override {
        restored.push_back(setting);
        displayed = setting;
        showUpTo(setting < 0 ? total() : setting);
    }
    void drawPoint(int x, int y) override { drawn.push_back({x, y}); }
    void redrawAll() override { ++redraws; }
    void refreshPanels() override { ++panelRefreshes; }
    void setBusy(bool on) override { busy = on; }
    void setStatusText(std::u16string_view text) override { status.emplace_back(text); }
    void beep() override { ++beeps; }
    std::u16string text(int id) const override {
        auto found = StringTable::japanese().find(id);
        return found ? std::u16string(*found) : u"?";
    }
    void showAnimationState(AnimationState s) override { state = s; }

    std::vector<std::pair<int, int>> moves;
    int displayed;
    BoardPosition position;
    std::vector<std::pair<int, int>> drawn;
    std::vector<int> restored;
    std::vector<std::u16string> status;
    int redraws = 0;
    int panelRefreshes = 0;
    int beeps = 0;
    bool busy = false;
    AnimationState state = AnimationState::Idle;
};

// Ticks until the position holds a stone of move `n`; -1 when it never comes within `limit`.
int ticksUntilMove(BoardTimer& timer, FakeBoard& board, int n, int limit = 1000) {
    for (int t = 1; t <= limit; ++t) {
        timer.tick();
        if (board.displayed == n) return t;
    }
    return -1;
}

const std::vector<std::pair<int, int>> kFourMoves = {{3, 3}, {15, 15}, {3, 15}, {15, 3}};

TEST(BoardTimer, StepIntervalFromTheAnimationSpeed) {
    const std::pair<int, int> cases[] = {{5, 12}, {10, 32}, {15, 52}, {30, 112}, {100, 392}, {3, 4}, {2, 0}, {0, 0}};
    for (auto [speed, ticks] : cases) EXPECT_EQ(animationStepInterval(speed), ticks) << speed;
}

TEST(BoardTimer, HalfASecondIsTwelveTicksAfterEightFadeTicks) {
    FakeBoard board(kFourMoves, 0);
    BoardTimer timer(board);
    timer.startOrResume(5);
    EXPECT_TRUE(board.busy);
    EXPECT_EQ(board.state, AnimationState::Running);
    EXPECT_FALSE(timer.savedDisplay());

    ASSERT_EQ(ticksUntilMove(timer, board, 1), 1);
    EXPECT_EQ(board.status.back(), u"1手目"); // "Move 1" in English
    // The stone fades in over 8 ticks, one eighth more opaque each tick.
    EXPECT_EQ(timer.stoneAlpha(3, 3), 0);
    EXPECT_EQ(timer.stoneAlpha(15, 15), 255);
    std::vector<int> alphas;
    for (int i = 0; i < 8; ++i) {
        timer.tick();
        alphas.push_back(timer.stoneAlpha(3, 3));
    }
    EXPECT_EQ(alphas, (std::vector<int>{31, 63, 95, 127, 159, 191, 223, 255}));
    EXPECT_FALSE(timer.fadingStone());

    // 12 more ticks to the next move: one move every 20 ticks of 25 ms.
    ASSERT_EQ(ticksUntilMove(timer, board, 2), 12);
    EXPECT_EQ(ticksUntilMove(timer, board, 3), 20);
    EXPECT_EQ(ticksUntilMove(timer, board, 4), 20);
    EXPECT_EQ(board.status.back(), u"4手目");
}

TEST(BoardTimer, EndOfTheSequenceShowsTheCompletionText) {
    FakeBoard board(kFourMoves, 3);
    BoardTimer timer(board);
    timer.setCompletionBeep(true);
    timer.startOrResume(5);
    ASSERT_EQ(ticksUntilMove(timer, board, 4), 1);
    for (int t = 0; t < 20; ++t) timer.tick();

    EXPECT_FALSE(timer.animating());
    EXPECT_FALSE(board.busy);
    EXPECT_EQ(board.state, AnimationState::Idle);
    EXPECT_EQ(board.status.back(), u"手順表示完了");
    EXPECT_EQ(board.beeps, 1);
    EXPECT_EQ(board.panelRefreshes, 1);
    // Started at move 3: the display goes back there.
    EXPECT_EQ(board.restored, std::vector<int>{3});
    EXPECT_FALSE(board.position.at(15, 3).hasStone());
}

TEST(BoardTimer, StartingAtTheLastMoveEndsAtTheFirstStep) {
    FakeBoard board(kFourMoves); // shown to the end
    BoardTimer timer(board);
    timer.setCompletionBeep(false);
    timer.startOrResume(10);
    timer.tick();
    EXPECT_FALSE(timer.animating());
    EXPECT_EQ(board.status, std::vector<std::u16string>{u"手順表示完了"});
    EXPECT_EQ(board.beeps, 0);
    EXPECT_EQ(board.restored, std::vector<int>{-1});

    // Without the completion text the end is silent.
    FakeBoard quiet(kFourMoves);
    BoardTimer quietTimer(quiet);
    quietTimer.setCompletionText(false);
    quietTimer.startOrResume(10);
    quietTimer.tick();
    EXPECT_FALSE(quietTimer.animating());
    EXPECT_TRUE(quiet.status.empty());
}

TEST(BoardTimer, ACaptureRedrawsTheWholeBoard) {
    // Black surrounds the white stone on 1-1 (index 0,0): moves 1 B(1,0) 2 W(0,0) 3 B(0,1) captures.
    FakeBoard board({{1, 0}, {0, 0}, {0, 1}, {10, 10}}, 1);
    BoardTimer timer(board);
    timer.startOrResume(5);
    ASSERT_EQ(ticksUntilMove(timer, board, 2), 1);
    EXPECT_EQ(board.redraws, 0);
    ASSERT_EQ(ticksUntilMove(timer, board, 3), 20);
    EXPECT_EQ(board.redraws, 1);
    EXPECT_FALSE(board.position.at(0, 0).hasStone());
    ASSERT_TRUE(timer.fadingStone());
    EXPECT_EQ(timer.fadingStone()->x, 0);
    EXPECT_EQ(timer.fadingStone()->y, 1);
    EXPECT_EQ(timer.fadingStone()->colour, kBlack);
}

TEST(BoardTimer, PauseDuringAFadeShowsTheStoneAtOnce) {
    FakeBoard board(kFourMoves, 2);
    BoardTimer timer(board);
    timer.startOrResume(5);
    ASSERT_EQ(ticksUntilMove(timer, board, 3), 1);
    timer.tick();
    timer.tick();
    EXPECT_EQ(timer.stoneAlpha(3, 15), 63);
    board.drawn.clear();

    timer.pause();
    EXPECT_EQ(timer.stoneAlpha(3, 15), 255);
    EXPECT_EQ(board.drawn, (std::vector<std::pair<int, int>>{{3, 15}}));
    EXPECT_EQ(board.state, AnimationState::Paused);
    EXPECT_TRUE(board.busy);
    for (int t = 0; t < 100; ++t) timer.tick();
    EXPECT_EQ(board.displayed, 3);

    // Resuming continues with the remaining step interval.
    timer.startOrResume(5);
    EXPECT_EQ(board.state, AnimationState::Running);
    EXPECT_EQ(ticksUntilMove(timer, board, 4), 12);

    // A stop completes the fade; the next tick redraws and returns to the start of the playback.
    timer.tick();
    timer.stop();
    EXPECT_FALSE(timer.fadingStone());
    EXPECT_FALSE(board.busy);
    EXPECT_EQ(board.state, AnimationState::Idle);
    const int redraws = board.redraws;
    timer.tick();
    EXPECT_EQ(board.redraws, redraws + 1);
    EXPECT_EQ(board.restored, std::vector<int>{2});
    EXPECT_FALSE(timer.redrawRequested());
}

TEST(BoardTimer, StopWhileIdleOnlyUpdatesTheButton) {
    FakeBoard board(kFourMoves, 1);
    BoardTimer timer(board);
    board.state = AnimationState::Running;
    timer.stop();
    EXPECT_EQ(board.state, AnimationState::Idle);
    for (int t = 0; t < 40; ++t) timer.tick();
    EXPECT_EQ(board.redraws, 0);
    EXPECT_TRUE(board.restored.empty());
}

TEST(BoardTimer, PlainPlacementStepsEveryTwelveTicksWithoutFadeDrawing) {
    FakeBoard board(kFourMoves, 0);
    BoardTimer timer(board);
    timer.setPlainPlacement(true);
    timer.startOrResume(100);
    ASSERT_EQ(ticksUntilMove(timer, board, 1), 1);
    EXPECT_EQ(timer.stoneAlpha(3, 3), 255);
    board.drawn.clear();
    EXPECT_EQ(ticksUntilMove(timer, board, 2), 12);
    EXPECT_EQ(board.drawn, (std::vector<std::pair<int, int>>{{15, 15}})); // only the placement
}

class CountingJob : public BackgroundJob {
public:
    void everySecond() override {
        ++runs;
        if (onRun) onRun();
    }
    int runs = 0;
    std::function<void()> onRun;
};

TEST(BoardTimer, BackgroundJobsRunOnceASecondEvenDuringAStartDelay) {
    FakeBoard board(kFourMoves, 0);
    BoardTimer timer(board);
    CountingJob job;
    timer.addBackgroundJob(&job);
    timer.addBackgroundJob(&job); // registered once
    timer.setStartDelay(80);
    timer.startFade(3, 3, kBlack);
    for (int t = 0; t < 39; ++t) timer.tick();
    EXPECT_EQ(job.runs, 0);
    timer.tick();
    EXPECT_EQ(job.runs, 1);
    EXPECT_EQ(timer.millisecondAccumulator(), 0);
    for (int t = 0; t < 40; ++t) timer.tick();
    EXPECT_EQ(job.runs, 2);
    // The delay held the fade back.
    EXPECT_EQ(timer.startDelay(), 0);
    EXPECT_EQ(timer.stoneAlpha(3, 3), 0);

    // A tick arriving inside a job (a message box's loop) does nothing; a job may remove itself.
    job.onRun = [&] {
        timer.tick();
        timer.removeBackgroundJob(&job);
    };
    for (int t = 0; t < 40; ++t) timer.tick();
    EXPECT_EQ(job.runs, 3);
    EXPECT_EQ(timer.millisecondAccumulator(), 0);
    for (int t = 0; t < 40; ++t) timer.tick();
    EXPECT_EQ(job.runs, 3);
}

} // namespace
} // namespace stonewise
