#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "support/BoardFixture.h"

namespace stonewise {
namespace {

using test::TestBoard;

// Twelve moves along the top rows, no captures.
void playTwelve(TestBoard& t) {
    t.play(
        {{2, 2}, {16, 16}, {3, 3}, {15, 15}, {4, 4}, {14, 14}, {5, 5}, {13, 13}, {6, 6}, {12, 12}, {7, 7}, {11, 11}});
}

BranchDialogResult choose(BranchDialogResult::Choice c, std::u16string comment = {}, AnswerKind kind = kNoAnswer) {
    BranchDialogResult r;
    r.choice = c;
    r.comment = std::move(comment);
    r.kind = kind;
    return r;
}

TEST(Navigation, StepsStopAtTheirEnds) {
    TestBoard t;
    playTwelve(t);
    t.board.command(kCmdBack);
    EXPECT_EQ(t.board.displayedMove(), 11);
    EXPECT_EQ(t.board.position().colourAt(11, 11), kEmpty);
    EXPECT_EQ(t.board.navigation().lastMove()->moveNumber, 11);
    for (int i = 0; i < 20; ++i) t.board.command(kCmdBack);
    EXPECT_EQ(t.board.displayedMove(), 1); // back never reaches move 0
    EXPECT_EQ(t.board.position().colourAt(2, 2), kBlack);
    t.board.command(kCmdForward);
    t.board.command(kCmdForward);
    EXPECT_EQ(t.board.displayedMove(), 3);
    EXPECT_EQ(t.board.position().colourAt(3, 3), kBlack);
    t.board.command(kCmdToEnd);
    EXPECT_EQ(t.board.displayedMove(), 12);
    t.board.command(kCmdForward);
    EXPECT_EQ(t.board.displayedMove(), 12);
    t.board.command(kCmdToStart);
    EXPECT_EQ(t.board.displayedMove(), 1);
}

TEST(Navigation, ToStartWithHandicapOrStartFlags) {
    TestBoard handicap(19, 3);
    handicap.play({{16, 2}, {2, 2}, {9, 3}});
    handicap.board.command(kCmdToStart);
    EXPECT_EQ(handicap.board.displayedMove(), 2);
    EXPECT_EQ(handicap.board.position().colourAt(16, 2), kWhite);

    TestBoard flagged;
    flagged.play({{3, 3}, {15, 15}});
    flagged.board.gameInfo().startFlags = 0x08;
    flagged.board.command(kCmdToStart);
    EXPECT_EQ(flagged.board.displayedMove(), 0);
    EXPECT_EQ(flagged.board.position().colourAt(3, 3), kEmpty);
}

TEST(Navigation, BackStepsOverPassesAndUndoesCapturesByRebuilding) {
    TestBoard t;
    // White (0,0) is captured by black 5; white 6 passes.
    t.play({{1, 0}, {0, 0}, {10, 10}, {12, 12}, {0, 1}});
    t.board.command(kCmdPass);
    t.play({{5, 5}});
    EXPECT_EQ(t.board.position().prisoners(kBlack), 1);
    t.board.command(kCmdBack); // leaves 7, passes 6
    EXPECT_EQ(t.board.displayedMove(), 5);
    t.board.command(kCmdBack); // leaves the capture: rebuilt
    EXPECT_EQ(t.board.displayedMove(), 4);
    EXPECT_EQ(t.board.position().colourAt(0, 0), kWhite);
    EXPECT_EQ(t.board.position().prisoners(kBlack), 0);
}

TEST(Navigation, BranchesAndReferenceSequences) {
    TestBoard t;
    playTwelve(t);
    t.board.showMove(9);
    // A branch after move 9: its first move is 10.
    t.ui.branchAnswers.push_back(choose(BranchDialogResult::Choice::Branch, u"better", kCorrect));
    t.board.clickPoint(9, 3);
    RecordSequence* branch = t.board.record().pathTop();
    ASSERT_EQ(t.board.record().pathDepth(), 1);
    EXPECT_EQ(branch->firstMoveNumber(), 10);
    EXPECT_EQ(branch->node(0).moveNumber, 10);
    EXPECT_EQ(branch->kind(), kBranch);
    EXPECT_EQ(branch->answerKind(), kCorrect);
    EXPECT_EQ(branch->commentOf(branch->node(0)), u"!正解:better");
    EXPECT_EQ(t.board.record().main().lastMoveNumber(), 12);
    EXPECT_EQ(t.board.position().colourAt(9, 3), kWhite);
    EXPECT_EQ(t.board.position().colourAt(12, 12), kEmpty); // main move 10 is not on this path
    EXPECT_EQ(t.board.record().main().findNode(9)->flags & 3, kBranch);

    // A reference sequence at move 10 of the main record: its first move is 10 and stone 10 leaves.
    t.board.command(kCmdToEnd);
    t.board.showMove(10);
    t.ui.branchAnswers.push_back(choose(BranchDialogResult::Choice::Reference));
    t.board.clickPoint(4, 12);
    RecordSequence* reference = t.board.record().pathTop();
    EXPECT_EQ(reference->kind(), kReference);
    EXPECT_EQ(reference->firstMoveNumber(), 10);
    EXPECT_EQ(reference->node(0).moveNumber, 10);
    EXPECT_EQ(t.board.position().colourAt(12, 12), kEmpty);
    EXPECT_EQ(t.board.position().colourAt(4, 12), kWhite);
    EXPECT_EQ(t.board.position().colourAt(6, 6), kBlack); // move 9 stays

    // Leaving and entering again: Ctrl+← at the first move leaves for the parent, a click on the
    // branch mark's point enters it.
    t.board.command(kCmdBackAcrossBranch);
    EXPECT_EQ(t.board.record().pathDepth(), 0);
    EXPECT_EQ(t.board.displayedMove(), 9);
    t.board.clickPoint(9, 3);
    EXPECT_EQ(t.board.record().pathTop(), branch);
    EXPECT_EQ(t.board.displayedMove(), 10);
    t.board.command(kCmdBranchHead);
    EXPECT_EQ(t.board.displayedMove(), 9);
    t.board.command(kCmdIntoBranch);
    EXPECT_EQ(t.board.displayedMove(), 10);
}

TEST(Navigation, CancellingTheBranchDialogLeavesTheRecord) {
    TestBoard t;
    playTwelve(t);
    t.board.showMove(5);
    t.ui.branchAnswers.push_back(choose(BranchDialogResult::Choice::Cancel));
    t.board.clickPoint(9, 3);
    EXPECT_EQ(t.board.record().main().highestChildSlot(), 0);
    EXPECT_EQ(t.board.displayedMove(), 5);
    EXPECT_EQ(t.board.position().colourAt(9, 3), kEmpty);
}

TEST(Navigation, PassBranchAndNumbersFromOne) {
    TestBoard t;
    playTwelve(t);
    t.board.showMove(6);
    t.ui.branchAnswers.push_back(choose(BranchDialogResult::Choice::PassBranch));
    t.board.clickPoint(9, 3);
    RecordSequence* b = t.board.record().pathTop();
    ASSERT_EQ(b->nodeCount(), 2);
    EXPECT_EQ(b->node(0).type, NodeType::Pass);
    EXPECT_EQ(b->node(0).moveNumber, 7);
    EXPECT_EQ(b->node(1).moveNumber, 8);
    EXPECT_EQ(t.board.position().colourAt(9, 3), kWhite);
    t.board.command(kCmdBranchNumbersFromOne);
    EXPECT_EQ(t.board.position().at(9, 3).displayNumber, 2);
}

} // namespace
} // namespace stonewise

namespace stonewise {
namespace {

TEST(Playback, AnimationPlaysTheGameBackAndEnds) {
    test::TestBoard t;
    t.play({{3, 3}, {15, 15}, {4, 4}, {14, 14}, {0, 1}});
    t.board.options().animationSpeed = 5; // 0.5 s a move: 12 ticks and an 8-tick fade
    t.board.command(kCmdAnimate);
    EXPECT_TRUE(t.board.busy());
    int ticks = 0;
    while (t.board.busy() && ticks < 1000) {
        t.board.timer().tick();
        ++ticks;
    }
    EXPECT_FALSE(t.board.busy());
    EXPECT_GE(ticks, 4 * 20);
    EXPECT_LE(ticks, 5 * 20 + 10);
    EXPECT_EQ(t.board.shownMove(), 5);
    EXPECT_EQ(t.board.position().colourAt(0, 1), kBlack);
    EXPECT_EQ(t.ui.status, u"手順表示完了");

    // A click while it plays only stops it.
    t.board.command(kCmdAnimate);
    for (int i = 0; i < 30; ++i) t.board.timer().tick();
    const int shown = t.board.shownMove();
    t.board.clickPoint(10, 10);
    EXPECT_FALSE(t.board.busy());
    EXPECT_EQ(t.board.position().colourAt(10, 10), kEmpty);
    EXPECT_LE(shown, 5);
}

// Started at the last move of the line shown, the animation plays that line from its start.
TEST(Playback, AnimationFromTheLastMovePlaysTheLineAgain) {
    enum class Start { EndOfRecord, SteppedToLast, ListRowOfLast, LastMoveOfBranch };
    for (const Start start :
         {Start::EndOfRecord, Start::SteppedToLast, Start::ListRowOfLast, Start::LastMoveOfBranch}) {
        SCOPED_TRACE(static_cast<int>(start));
        test::TestBoard t;
        t.play({{3, 3}, {15, 15}, {4, 4}, {14, 14}, {0, 1}});
        RecordSequence* line = &t.board.record().main();
        if (start == Start::SteppedToLast) {
            t.board.command(kCmdToStart);
            for (int i = 0; i < 4; ++i) t.board.command(kCmdForward);
        } else if (start == Start::ListRowOfLast) {
            t.board.showSequence(line, 5);
        } else if (start == Start::LastMoveOfBranch) {
            t.board.showMove(3);
            t.ui.branchAnswers.push_back(choose(BranchDialogResult::Choice::Branch));
            t.board.clickPoint(9, 9);
            t.play({{9, 10}});
            line = t.board.record().pathTop();
            ASSERT_EQ(t.board.record().pathDepth(), 1);
        }
        const int last = line->lastMoveNumber();
        ASSERT_EQ(t.board.shownMove(), last);
        t.board.options().animationSpeed = 5;
        t.board.command(kCmdAnimate);
        t.board.timer().tick();
        EXPECT_TRUE(t.board.busy());
        EXPECT_EQ(t.board.shownMove(), 1);
        EXPECT_EQ(t.board.record().pathTop(), line);
        int ticks = 0;
        while (t.board.busy() && ticks < 2000) {
            t.board.timer().tick();
            ++ticks;
        }
        EXPECT_GE(ticks, (last - 1) * 20);
        EXPECT_EQ(t.board.shownMove(), last);
        EXPECT_EQ(t.board.record().pathTop(), line);
        EXPECT_EQ(t.ui.status, u"手順表示完了");
    }
}

} // namespace
} // namespace stonewise
