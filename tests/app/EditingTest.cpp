#include <gtest/gtest.h>

#include <ctime>

#include "app/Clock.h"
#include "app/CommandIds.h"
#include "app/RecordCorrection.h"
#include "support/BoardFixture.h"

namespace stonewise {
namespace {

using test::TestBoard;

const std::u16string kProtected = u"開いている対局は保護されています。検討するには「検討ウインドウ」を開いて下さい。";

TEST(Editing, UndoTheOnlyMoveOfABranchReturnsToTheParent) {
    TestBoard t;
    t.play({{3, 3}, {15, 15}, {4, 4}, {14, 14}, {5, 5}});
    t.board.showMove(3);
    BranchDialogResult b;
    b.choice = BranchDialogResult::Choice::Branch;
    t.ui.branchAnswers.push_back(b);
    t.board.clickPoint(10, 10);
    ASSERT_EQ(t.board.record().pathDepth(), 1);
    t.board.command(kCmdUndo);
    EXPECT_EQ(t.board.record().pathDepth(), 0);
    EXPECT_EQ(t.board.record().main().highestChildSlot(), 0);
    EXPECT_EQ(t.board.record().main().findLink(1), -1);
    EXPECT_EQ(t.board.shownMove(), 3);
    EXPECT_EQ(t.board.totalMoves(), 5);
    EXPECT_EQ(t.board.position().colourAt(10, 10), kEmpty);
    EXPECT_EQ(t.board.position().colourAt(14, 14), kEmpty);
}

TEST(Editing, UndoACaptureRestoresStonesAndPrisoners) {
    TestBoard t;
    t.play({{1, 0}, {0, 0}, {10, 10}, {12, 12}, {0, 1}});
    ASSERT_EQ(t.board.position().prisoners(kBlack), 1);
    t.board.command(kCmdUndo);
    EXPECT_EQ(t.board.totalMoves(), 4);
    EXPECT_EQ(t.board.position().colourAt(0, 0), kWhite);
    EXPECT_EQ(t.board.position().colourAt(0, 1), kEmpty);
    EXPECT_EQ(t.board.position().prisoners(kBlack), 0);
    EXPECT_EQ(t.panels.prisonersBlack, 0);
    EXPECT_EQ(t.board.record().main().nodeCount(), 4);
    t.board.command(kCmdUndo); // a plain move: taken off directly
    EXPECT_EQ(t.board.position().colourAt(12, 12), kEmpty);
    EXPECT_EQ(t.board.navigation().lastMove()->moveNumber, 3);
}

TEST(Editing, UndoAMailGoMoveAsksOnce) {
    TestBoard t;
    t.board.gameInfo().type = kGameMailGo;
    t.play({{3, 3}, {15, 15}, {4, 4}, {14, 14}});
    t.board.gameInfo().lastExchangedMove = 4;
    t.ui.answers = {false};
    t.board.command(kCmdUndo);
    EXPECT_EQ(t.board.totalMoves(), 4);
    ASSERT_EQ(t.ui.questions.size(), 1u);
    EXPECT_EQ(t.ui.questions[0].title, u"待った");
    t.ui.answers = {true};
    t.board.command(kCmdUndo);
    t.board.command(kCmdUndo);
    EXPECT_EQ(t.board.totalMoves(), 2);
    EXPECT_EQ(t.ui.questions.size(), 2u);
}

TEST(Editing, ClearAFreeHandicapGameKeepingItsStones) {
    TestBoard t;
    t.board.beginFreeHandicap();
    t.board.clickPoint(2, 2);
    t.board.clickPoint(16, 16);
    t.board.clickPoint(9, 4);
    t.board.endFreeHandicap();
    t.play({{3, 15}, {15, 3}});
    ASSERT_EQ(t.board.gameInfo().handicap, 3);
    t.ui.answers = {true, false}; // clear: yes; clear the handicap stones too: no
    t.board.command(kCmdClearRecord);
    ASSERT_EQ(t.ui.questions.size(), 2u);
    EXPECT_EQ(t.ui.questions[0].title, u"棋譜のクリア");
    EXPECT_EQ(t.board.record().main().handicapCount(), 3);
    EXPECT_EQ(t.board.totalMoves(), 1);
    EXPECT_EQ(t.board.position().colourAt(9, 4), kBlack);
    EXPECT_EQ(t.board.position().colourAt(3, 15), kEmpty);

    t.ui.answers = {true, true}; // this time the stones go: the table stones come instead
    t.board.command(kCmdClearRecord);
    EXPECT_EQ(t.board.position().colourAt(9, 4), kEmpty);
    EXPECT_EQ(t.board.position().colourAt(15, 3), kBlack);
    EXPECT_EQ(t.board.position().colourAt(3, 15), kBlack);
    EXPECT_EQ(t.board.position().colourAt(15, 15), kBlack);

    TestBoard table(19, 4);
    table.play({{10, 10}});
    table.ui.answers = {true}; // a table handicap is put back without a second question
    table.board.command(kCmdClearRecord);
    EXPECT_EQ(table.ui.questions.size(), 1u);
    EXPECT_EQ(table.board.record().main().handicapCount(), 4);
}

TEST(Editing, InsertTwoStonesRenumbersLaterMoves) {
    TestBoard t;
    t.play({{2, 2}, {16, 16}, {3, 3}, {15, 15}, {4, 4}, {14, 14}, {5, 5}, {13, 13}});
    t.board.showMove(5);
    auto session = t.board.beginCorrection();
    ASSERT_TRUE(session->canInsertTwo());
    ASSERT_TRUE(session->startInsertTwo());
    EXPECT_EQ(t.ui.status, u"次に白石を挿入");
    t.board.clickPoint(9, 0);
    EXPECT_EQ(t.ui.status, u"次に黒石を挿入");
    t.board.clickPoint(9, 1);
    EXPECT_FALSE(t.board.insertionModeActive());
    session->commit();
    const RecordSequence& m = t.board.record().main();
    EXPECT_EQ(m.lastMoveNumber(), 10);
    EXPECT_EQ(m.findNode(6)->x, 9);
    EXPECT_EQ(m.findNode(6)->type, NodeType::WhiteMove);
    EXPECT_EQ(m.findNode(7)->y, 1);
    EXPECT_EQ(m.findNode(8)->x, 14);  // old move 6
    EXPECT_EQ(m.findNode(10)->x, 13); // old move 8
    t.board.command(kCmdToEnd);
    EXPECT_EQ(t.board.position().colourAt(13, 13), kWhite);
}

TEST(Editing, CorrectionCanBeCancelled) {
    TestBoard t;
    t.play({{2, 3}, {16, 15}, {4, 4}, {14, 14}});
    auto session = t.board.beginCorrection();
    session->transform(BoardTransform::RotateRight);
    EXPECT_EQ(t.board.position().colourAt(15, 2), kBlack);
    session->transform(BoardTransform::FlipHorizontal);
    t.board.showMove(3);
    ASSERT_TRUE(session->canDeleteTwo());
    session->deleteTwo();
    EXPECT_EQ(t.board.record().main().lastMoveNumber(), 2);
    session->cancel();
    EXPECT_EQ(t.board.record().main().lastMoveNumber(), 4);
    EXPECT_EQ(t.board.position().colourAt(2, 3), kBlack);
    EXPECT_EQ(t.board.position().colourAt(15, 2), kEmpty);
}

TEST(Editing, ProtectedGamesRefuseEveryEdit) {
    TestBoard t;
    t.play({{3, 3}, {15, 15}});
    t.board.gameInfo().protection = 1;
    const int changes = t.board.changeCounter();
    for (int id : {kCmdPass, kCmdUndo, kCmdClearRecord, kCmdComment, kCmdDeleteBranch, kCmdCopyToNewBranch}) {
        t.ui.forget();
        t.board.command(id);
        ASSERT_EQ(t.ui.boardMessages.size(), 1u) << id;
        EXPECT_EQ(t.ui.boardMessages[0], kProtected);
    }
    t.board.clickPoint(9, 9);
    t.board.command(kCmdBlackSetupStone, 10, 10);
    t.board.command(kCmdSetMark, 11, 11);
    EXPECT_EQ(t.board.beginCorrection(), nullptr);
    EXPECT_EQ(t.board.totalMoves(), 2);
    EXPECT_EQ(t.board.record().main().nodeCount(), 2);
    EXPECT_EQ(t.board.changeCounter(), changes);
}

TEST(Editing, CommentsMarksAndTimes) {
    TestBoard t;
    t.play({{3, 3}, {15, 15}, {4, 4}});
    CommentDialogResult c;
    c.accepted = true;
    c.text = u"two\nlines";
    t.ui.commentAnswers.push_back(c);
    t.board.command(kCmdComment);
    ASSERT_EQ(t.ui.commentRequests.size(), 1u);
    EXPECT_EQ(t.ui.commentRequests[0].moveLabel, u"黒3");
    EXPECT_FALSE(t.ui.commentRequests[0].offerKinds);
    const RecordSequence& m = t.board.record().main();
    EXPECT_EQ(m.commentOf(*m.findNode(3)), u"two\r\nlines");
    EXPECT_NE(t.board.position().at(4, 4).markFlags & kMarkFlagComment, 0);

    MarkDialogResult triangle;
    triangle.accepted = true;
    triangle.kind = kMarkTriangle;
    t.ui.markAnswers.push_back(triangle);
    t.board.command(kCmdSetMark, 9, 9);
    EXPECT_EQ(t.board.position().mark(9, 9).kind, kMarkTriangle);
    MarkDialogResult label;
    label.accepted = true;
    label.kind = kMarkLabel;
    label.labelText = u"A";
    t.ui.markAnswers.push_back(label);
    t.board.command(kCmdSetMark, 10, 9);
    EXPECT_EQ(t.board.position().mark(10, 9).kind, kMarkLabel);
    MarkDialogResult emptyLabel = label;
    emptyLabel.labelText.clear();
    t.ui.markAnswers.push_back(emptyLabel);
    t.board.command(kCmdSetMark, 11, 9);
    EXPECT_EQ(t.board.position().mark(11, 9).kind, 0);

    // Select the triangle as the move list would and delete it; then correct the time of move 2.
    int triangleIndex = -1;
    for (int i = 0; i < m.nodeCount(); ++i)
        if (m.node(i).isMark() && m.node(i).x == 9) triangleIndex = i;
    ASSERT_GE(triangleIndex, 0);
    t.board.selectNode(&t.board.record().main(), triangleIndex);
    t.board.command(kCmdDeleteMark);
    EXPECT_EQ(t.board.position().mark(9, 9).kind, 0);
    t.board.selectNode(&t.board.record().main(), t.board.record().main().findNodeIndex(2));
    ElapsedDialogResult e;
    e.accepted = true;
    e.seconds = 90;
    t.ui.elapsedAnswers.push_back(e);
    t.board.command(kCmdEditElapsed);
    EXPECT_EQ(m.findNode(2)->elapsedSeconds(), 90);
}

TEST(Editing, DeleteBranchAndCopyToNewBranch) {
    TestBoard t;
    t.play({{2, 2}, {16, 16}, {3, 3}, {15, 15}, {4, 4}, {14, 14}});
    t.board.showMove(4);
    BranchDialogResult ref;
    ref.choice = BranchDialogResult::Choice::Reference;
    ref.comment = u"the old way";
    t.ui.branchAnswers.push_back(ref);
    t.board.command(kCmdCopyToNewBranch);
    const RecordSequence& m = t.board.record().main();
    const RecordSequence* copy = m.child(1);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->firstMoveNumber(), 4);
    EXPECT_EQ(copy->nodeCount(), 3);
    EXPECT_EQ(copy->commentOf(copy->node(0)), u"the old way");

    t.board.showSequence(const_cast<RecordSequence*>(copy), 5);
    t.ui.answers = {true};
    t.board.command(kCmdDeleteBranch);
    EXPECT_EQ(t.board.record().pathDepth(), 0);
    EXPECT_EQ(m.child(1), nullptr);
    EXPECT_EQ(t.ui.questions.back().title, u"分岐の削除");
}

TEST(Editing, RestoreTheStoredRecord) {
    TestBoard t;
    t.play({{3, 3}, {15, 15}});
    t.board.markStored();
    t.play({{4, 4}, {14, 14}});
    t.ui.answers = {true};
    t.board.command(kCmdRestoreRecord);
    EXPECT_EQ(t.ui.questions.back().title, u"棋譜の変更を元に戻す");
    EXPECT_EQ(t.board.totalMoves(), 2);
    EXPECT_EQ(t.board.position().colourAt(4, 4), kEmpty);
}

TEST(Editing, StudySequenceBecomesAMergedBranch) {
    TestBoard t;
    t.play({{2, 2}, {16, 16}, {3, 3}, {15, 15}});
    auto study = RecordSequence::createMain();
    for (auto [n, x, y] : {std::tuple{1, 2, 2}, {2, 16, 16}, {3, 9, 9}, {4, 10, 10}})
        study->appendNode(makeMoveNode(n, x, y));
    EXPECT_TRUE(t.board.addStudySequenceAsBranch(*study));
    const RecordSequence* b = t.board.record().main().child(1);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->firstMoveNumber(), 3);
    EXPECT_EQ(b->nodeCount(), 2);
    // The same study again is already held: nothing new.
    EXPECT_TRUE(t.board.addStudySequenceAsBranch(*study));
    EXPECT_EQ(t.board.record().main().child(2), nullptr);
}

// Long times are kept in whole minutes, rounded to the nearest minute; up to 32,760 seconds they
// stay exact.
TEST(Editing, ElapsedTimesRoundToTheNearestMinute) {
    struct Case {
        int seconds;
        int stored;
    };
    const Case cases[] = {{0, 0},
                          {32760, 32760},
                          {32761, -546},
                          {32790, -547},
                          {40049, -667},
                          {40050, -668},
                          {99 * 3600 + 59 * 60 + 59, -6000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        TestBoard t;
        t.play({{3, 3}, {15, 15}});
        RecordSequence& m = t.board.record().main();
        t.board.selectNode(&m, m.findNodeIndex(2));
        ElapsedDialogResult e;
        e.accepted = true;
        e.seconds = c.seconds;
        t.ui.elapsedAnswers.push_back(e);
        t.board.command(kCmdEditElapsed);
        EXPECT_EQ(m.findNode(2)->elapsed, c.stored);
    }
}

// A Mail Go move keeps the time since the opponent's move arrived, long times in minutes rounded
// to the nearest one.
TEST(Editing, AMailGoMoveKeepsTheTimeSinceTheOpponentsMove) {
    struct FixedClock : Clock {
        std::int64_t now = 0;
        DateTime localNow() const override { return {}; }
        DateTime utcNow() const override { return {}; }
        std::int64_t secondsSinceEpoch() const override { return now; }
    };
    struct Case {
        long seconds;
        int stored;
    };
    for (const Case c : {Case{75, 75}, Case{40049, -667}, Case{40050, -668}}) {
        SCOPED_TRACE(c.seconds);
        test::ScriptedUi ui;
        FixedClock clock;
        BoardEnvironment env;
        env.ui = &ui;
        env.clock = &clock;
        CIgoBoard board(env);
        GameInfo info;
        info.type = kGameMailGo;
        info.flags = kInfoMoveWaiting;
        info.waitingTime = {2026, 3, 10, 8, 5, 0};
        board.newGame(info);
        std::tm t{};
        t.tm_year = 2026 - 1900;
        t.tm_mon = 2;
        t.tm_mday = 10;
        t.tm_hour = 8;
        t.tm_min = 5;
        t.tm_isdst = -1;
        clock.now = static_cast<std::int64_t>(std::mktime(&t)) + c.seconds;
        board.clickPoint(3, 3);
        ASSERT_EQ(board.totalMoves(), 1);
        EXPECT_EQ(board.record().main().findNode(1)->elapsed, c.stored);
        EXPECT_EQ(board.gameInfo().flags & kInfoMoveWaiting, 0);
    }
}

// A refused move's message leaves the status line once a move is played.
TEST(Editing, TheIllegalMoveMessageGoesWithTheNextMove) {
    TestBoard t;
    t.play({{1, 0}, {10, 10}, {0, 1}});
    t.board.clickPoint(0, 0); // white fills the corner: suicide
    EXPECT_EQ(t.board.totalMoves(), 3);
    EXPECT_EQ(t.ui.status, u"禁じ手です。");
    t.play({{10, 11}});
    EXPECT_EQ(t.ui.status, u"");
    // A status text set since is left alone by later moves.
    t.board.clickPoint(0, 0); // black may take the corner point: legal
    t.ui.setStatusText(u"other");
    t.play({{12, 12}});
    EXPECT_EQ(t.ui.status, u"other");
}

} // namespace
} // namespace stonewise
