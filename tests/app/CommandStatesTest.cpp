#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/CommandStates.h"
#include "support/BoardFixture.h"

namespace stonewise {
namespace {

using test::TestBoard;

struct Expect {
    int command;
    bool enabled;
};

void check(const CommandStates& states, std::initializer_list<Expect> expected, const char* situation) {
    for (const Expect& e : expected)
        EXPECT_EQ(states.enabled(e.command), e.enabled) << situation << ": command " << e.command;
}

TEST(CommandStates, RefreshFollowsTheBoard) {
    CommandStates states;
    TestBoard t;
    states.refresh(t.board, nullptr, false);
    check(states,
          {{kCmdUndo, false},
           {kCmdBack, false},
           {kCmdForward, false},
           {kCmdClearRecord, false},
           {kCmdPass, true},
           {32878, false},
           {kCmdDeleteBranch, false},
           {kCmdStopAnimation, false}},
          "empty record");

    t.play({{3, 3}, {15, 15}, {4, 4}, {14, 14}});
    states.refresh(t.board, nullptr, true);
    check(states,
          {{kCmdUndo, true},
           {kCmdBack, true},
           {kCmdToStart, true},
           {kCmdForward, false},
           {kCmdToEnd, false},
           {32878, true},
           {kCmdAnimate, true}},
          "at the end");

    t.board.command(kCmdToStart);
    states.refresh(t.board, nullptr, true);
    check(states, {{kCmdBack, false}, {kCmdToStart, false}, {kCmdForward, true}, {kCmdToEnd, true}}, "at the start");

    t.board.showMove(2);
    BranchDialogResult branch;
    branch.choice = BranchDialogResult::Choice::Branch;
    t.ui.branchAnswers.push_back(branch);
    t.board.clickPoint(10, 10);
    states.refresh(t.board, nullptr, true);
    check(states, {{kCmdDeleteBranch, true}, {kCmdToEnd, true}, {kCmdUndo, true}}, "in a branch");

    t.board.gameInfo().protection = 1;
    states.refresh(t.board, nullptr, true);
    check(states,
          {{kCmdUndo, false},
           {kCmdPass, false},
           {kCmdClearRecord, false},
           {kCmdDeleteBranch, false},
           {kCmdCorrectRecord, false},
           {kCmdComment, false},
           {kCmdForward, false},
           {kCmdBack, true}},
          "protected game");

    // A command the table does not hold stays enabled and unchecked.
    EXPECT_EQ(states.find(32933), nullptr);
    EXPECT_TRUE(states.enabled(32933));
    EXPECT_FALSE(states.checked(32933));
    t.board.command(kCmdShowNumbers);
    states.refresh(t.board, nullptr, true);
    EXPECT_TRUE(states.checked(kCmdShowNumbers));
}

// The animation button shows a picture of its own while the animation runs and while it is paused;
// every other button keeps its picture.
TEST(CommandStates, TheAnimationButtonShowsTheAnimationsState) {
    CommandStates states;
    TestBoard t;
    t.play({{3, 3}, {15, 15}, {4, 4}, {14, 14}});
    t.board.command(kCmdToStart);
    const ButtonEntry animate{ButtonKind::Picture, kCmdAnimate, kCmdAnimate, u"", u"", kCmdAnimate};
    const ButtonEntry back{ButtonKind::Picture, kCmdBack, kCmdBack, u"", u"", kCmdBack};
    struct Step {
        int command; // 0: none
        AnimationState state;
        int picture;
    };
    const Step steps[] = {
        {0, AnimationState::Idle, kCmdAnimate},
        {kCmdAnimate, AnimationState::Running, kPictureAnimationRunning},
        {kCmdAnimate, AnimationState::Paused, kPictureAnimationPaused},
        {kCmdAnimate, AnimationState::Running, kPictureAnimationRunning},
        {kCmdStopAnimation, AnimationState::Idle, kCmdAnimate},
    };
    for (const Step& s : steps) {
        if (s.command) t.board.command(s.command);
        states.refresh(t.board, nullptr, false);
        EXPECT_EQ(states.animation(), s.state) << "after " << s.command;
        EXPECT_EQ(states.picture(animate), s.picture) << "after " << s.command;
        EXPECT_EQ(states.picture(back), kCmdBack);
    }
    EXPECT_NE(kPictureAnimationRunning, kPictureAnimationPaused);
}

} // namespace
} // namespace stonewise
