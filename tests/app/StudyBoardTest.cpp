// The study board: a copy of the game shown, where moves are tried without touching the game, and
// whose line can be taken over as a variation.
#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/StudyBoard.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

struct Program : test::TestProgram {
    using TestProgram::TestProgram;
    void play(CIgoBoard& on, std::initializer_list<std::pair<int, int>> moves) {
        for (const auto& [x, y] : moves) {
            const int before = on.totalMoves();
            on.clickPoint(x, y);
            ASSERT_EQ(on.totalMoves(), before + 1) << "move at (" << x << ", " << y << ") was not played";
        }
    }
};

TEST(StudyBoard, ShowsACopyAtTheSameMoveAndTakesItsLineBackAsAVariation) {
    test::TempFolder folder;
    Program p(folder.path());
    p.commands.run(kCmdModePlayAndRecord);
    p.play(p.board, {{3, 3}, {15, 15}, {15, 3}, {3, 15}, {9, 9}});
    p.board.gameInfo().name = u"研究会";
    p.board.showMove(3);
    EXPECT_FALSE(p.commands.states().enabledAtPoint(kCmdAddStudyBranch, p.board, -1, -1));

    p.commands.run(kCmdStudyBoard);
    StudyBoard* study = p.commands.studyBoard();
    ASSERT_NE(study, nullptr);
    CIgoBoard& s = study->board();
    EXPECT_EQ(s.gameInfo().name, u"研究会");
    EXPECT_EQ(s.totalMoves(), 5);
    EXPECT_EQ(s.displayedMove(), 3);
    EXPECT_TRUE(p.commands.states().enabledAtPoint(kCmdAddStudyBranch, p.board, -1, -1));

    // Another fourth move on the study board becomes a variation there; the game is untouched.
    p.ui.branchAnswers.push_back({BranchDialogResult::Choice::Branch, u"", kNoAnswer, false});
    s.clickPoint(2, 16);
    ASSERT_NE(study->studySequence(), nullptr);
    EXPECT_EQ(s.totalMoves(), 4);
    p.play(s, {{16, 16}, {16, 2}});
    EXPECT_EQ(p.board.record().main().lastMoveNumber(), 5);
    EXPECT_EQ(p.board.record().main().child(1), nullptr);

    p.commands.run(kCmdAddStudyBranch);
    const RecordSequence* branch = p.board.record().main().child(1);
    ASSERT_NE(branch, nullptr);
    EXPECT_EQ(branch->firstMoveNumber(), 4);
    EXPECT_EQ(branch->lastMoveNumber(), 6);
    EXPECT_EQ(branch->findNode(4)->x, 2);
    EXPECT_EQ(branch->findNode(6)->y, 2);

    // Shown again, the study board starts from the game as it is now, in the variation shown.
    p.commands.run(kCmdStudyBoard);
    EXPECT_EQ(p.commands.studyBoard(), nullptr);
    EXPECT_FALSE(p.commands.states().enabledAtPoint(kCmdAddStudyBranch, p.board, -1, -1));
    p.board.showSequence(p.board.record().main().child(1), 5);
    p.commands.run(kCmdStudyBoard);
    ASSERT_NE(p.commands.studyBoard(), nullptr);
    EXPECT_EQ(s.displayedMove(), 5);
    ASSERT_NE(study->studySequence(), nullptr);
    EXPECT_EQ(study->studySequence()->firstMoveNumber(), 4);
    EXPECT_EQ(s.record().main().child(1)->lastMoveNumber(), 6);
}

} // namespace
} // namespace stonewise
