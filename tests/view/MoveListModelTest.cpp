#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/StringTable.h"
#include "support/BoardFixture.h"
#include "view/MoveListModel.h"
#include "view/PanelStrings.h"

namespace stonewise {
namespace {

using test::TestBoard;

struct Expected {
    std::u16string text;
    MoveListLineKind kind;
    MoveListIcon icon;
    int parent;
};

void expectLines(const MoveListModel& model, const std::vector<Expected>& expected) {
    ASSERT_EQ(model.lineCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < model.lineCount(); ++i) {
        const MoveListLine& l = model.line(i);
        const Expected& e = expected[static_cast<std::size_t>(i)];
        EXPECT_EQ(toUtf8(l.text), toUtf8(e.text)) << "line " << i;
        EXPECT_EQ(l.kind, e.kind) << "line " << i;
        EXPECT_EQ(l.icon, e.icon) << "line " << i;
        EXPECT_EQ(l.parent, e.parent) << "line " << i;
    }
}

int indexOfMove(const RecordSequence& s, int moveNumber) { return s.findNodeIndex(moveNumber); }

// Five moves; a branch after move 3 with two moves and a first comment; a reference sequence for
// move 4 with one move.
struct BranchedGame {
    TestBoard t;
    RecordSequence* branch = nullptr;
    RecordSequence* reference = nullptr;

    BranchedGame() {
        t.play({{3, 3}, {15, 15}, {4, 4}, {14, 14}, {5, 5}});
        t.board.showMove(3);
        BranchDialogResult b;
        b.choice = BranchDialogResult::Choice::Branch;
        b.comment = u"黒の変化";
        t.ui.branchAnswers.push_back(b);
        t.board.clickPoint(10, 10);
        branch = t.board.record().pathTop();
        t.play({{11, 11}});
        t.board.showSequence(&t.board.record().main(), 4);
        BranchDialogResult r;
        r.choice = BranchDialogResult::Choice::Reference;
        t.ui.branchAnswers.push_back(r);
        t.board.clickPoint(9, 9);
        reference = t.board.record().pathTop();
    }
    RecordSequence& main() { return t.board.record().main(); }
};

constexpr auto B = MoveListIcon::BlackStone;
constexpr auto W = MoveListIcon::WhiteStone;
constexpr auto kMove = MoveListLineKind::Move;
constexpr auto kBranchLine = MoveListLineKind::Branch;

TEST(MoveListModel, ListsMovesWithBranchesAndReferencesAsATree) {
    BranchedGame g;
    ASSERT_EQ(g.branch->kind(), kBranch);
    ASSERT_EQ(g.reference->kind(), kReference);
    MoveListModel model;
    model.build(g.main(), {});
    expectLines(model, {
                           {u"  1　（4，4）　", kMove, B, -1},
                           {u"  2　（16，16）　", kMove, W, -1},
                           {u"  3　（5，5）　", kMove, B, -1},
                           {u"【分岐】 黒の変化", kBranchLine, MoveListIcon::Branch, -1},
                           {u"  4 : 1　（11，11）　黒の変化", kMove, W, 3},
                           {u"  5 : 2　（12，12）　", kMove, B, 3},
                           {u"  4　（15，15）　", kMove, W, -1},
                           {u"【参考図】", kBranchLine, MoveListIcon::Reference, -1},
                           {u"  4 : 1　（10，10）　", kMove, W, 7},
                           {u"  5　（6，6）　", kMove, B, -1},
                       });
    EXPECT_EQ(model.children(3), (std::vector<int>{4, 5}));
    ASSERT_EQ(model.branches().size(), 2u);
    EXPECT_EQ(model.branches()[0].sequence, g.branch);
    EXPECT_EQ(model.branches()[1].line, 7);

    // Another interface language brings its own line forms.
    const StringTable englishForms({{kStrMoveLine, u"%3d (%s, %s) %s"}, {kStrBranchMoveLine, u"%3d : %d (%s, %s) %s"}});
    MoveListOptions english;
    english.strings = &englishForms;
    english.pointLabels = [](int x, int y) { return std::pair{std::u16string(1, char16_t(u'A' + x)), toU16(19 - y)}; };
    model.build(g.main(), english);
    EXPECT_EQ(model.line(0).text, u"  1 (D, 16) ");
    EXPECT_EQ(model.line(4).text, u"  4 : 1 (K, 9) 黒の変化");
}

TEST(MoveListModel, LinesAndNodesMapBothWays) {
    BranchedGame g;
    MoveListModel model;
    model.build(g.main(), {});
    const int branchMove5 = indexOfMove(*g.branch, 5);
    EXPECT_EQ(model.lineOfNode(g.branch, branchMove5), 5);
    EXPECT_EQ(model.lineOfNode(&g.main(), indexOfMove(g.main(), 5)), 9);
    EXPECT_EQ(model.lineOfBranch(g.reference), 7);

    // What the board selects when it steps into the branch is found in the list.
    g.t.board.showSequence(g.branch, 5);
    EXPECT_EQ(model.lineForSelection(g.t.panels.selectedSequence, g.t.panels.selectedIndex), 5);

    // Selecting a line tells the board what to show; the board then selects that very line.
    const MoveListTarget move = model.targetOf(1);
    EXPECT_EQ(move.showSequence, &g.main());
    EXPECT_EQ(move.showMove, 2);
    g.t.board.showSequence(findSequence(g.main(), move.showSequence), move.showMove);
    EXPECT_EQ(g.t.board.shownMove(), 2);
    EXPECT_EQ(g.t.board.record().pathDepth(), 0);
    EXPECT_EQ(model.lineForSelection(g.t.board.selection().sequence, g.t.board.selection().index), 1);

    // A branch line shows the branch at its first move and keeps its link selected.
    const MoveListTarget branch = model.targetOf(7);
    EXPECT_EQ(branch.showSequence, g.reference);
    EXPECT_EQ(branch.showMove, 4);
    EXPECT_EQ(branch.selectSequence, &g.main());
    EXPECT_TRUE(g.main().node(branch.selectIndex).isLink());
    EXPECT_EQ(model.lineForSelection(branch.selectSequence, branch.selectIndex), 7);

    EXPECT_EQ(model.targetOf(99).showSequence, nullptr);
    EXPECT_EQ(model.lineForSelection(nullptr, 0), -1);
}

TEST(MoveListModel, DeletedBranchIsNoLongerFoundInTheRecord) {
    BranchedGame g;
    const RecordSequence* gone = g.branch;
    g.t.board.showSequence(g.branch, 4);
    g.t.ui.answers = {true};
    ASSERT_TRUE(g.t.board.deleteBranch());
    EXPECT_EQ(findSequence(g.main(), gone), nullptr);
    EXPECT_EQ(findSequence(g.main(), g.reference), g.reference);
}

TEST(MoveListModel, CollapsedModeListsTheMainRecordAsOneLine) {
    BranchedGame g;
    EXPECT_TRUE(collapsedModeAvailable(g.main(), false));
    EXPECT_FALSE(collapsedModeAvailable(g.main(), true));
    MoveListOptions o;
    o.collapsed = true;
    MoveListModel model;
    model.build(g.main(), o);
    expectLines(model, {
                           {u"  1 : 【主棋譜】", MoveListLineKind::MainRecord, MoveListIcon::MainRecord, -1},
                           {u"  4 : 【分岐】 黒の変化", kBranchLine, MoveListIcon::Branch, -1},
                           {u"  4 : 1　（11，11）　黒の変化", kMove, W, 1},
                           {u"  5 : 2　（12，12）　", kMove, B, 1},
                           {u"  4 : 【参考図】", kBranchLine, MoveListIcon::Reference, -1},
                           {u"  4 : 1　（10，10）　", kMove, W, 4},
                       });
    // A move of the main record has no line of its own: the header stands for it.
    EXPECT_EQ(model.lineForSelection(&g.main(), indexOfMove(g.main(), 2)), 0);
    EXPECT_EQ(model.targetOf(0).showSequence, &g.main());

    TestBoard plain;
    plain.play({{3, 3}});
    EXPECT_FALSE(collapsedModeAvailable(plain.board.record().main(), false));
}

TEST(MoveListModel, MarksAreListedOnlyInMarkEditing) {
    TestBoard t;
    t.play({{3, 3}, {15, 15}});
    RecordSequence& main = t.board.record().main();
    RecordNode mark;
    mark.type = NodeType::Mark;
    mark.moveNumber = 1;
    mark.x = 2;
    mark.y = 3;
    const struct {
        int kind;
        MoveListIcon icon;
    } marks[] = {{kMarkTriangle, MoveListIcon::Triangle},
                 {kMarkUpperLetter, MoveListIcon::Letter},
                 {kMarkLabel, MoveListIcon::Letter}};
    for (const auto& m : marks) {
        mark.data1 = static_cast<std::uint8_t>(m.kind);
        ASSERT_NE(main.insertNode(1, mark), nullptr);
    }
    MoveListModel model;
    model.build(main, {});
    EXPECT_EQ(model.lineCount(), 2);
    MoveListOptions o;
    o.showMarks = true;
    model.build(main, o);
    ASSERT_EQ(model.lineCount(), 5);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(model.line(1 + i).text, u"マーク　（3，4）");
        EXPECT_EQ(model.line(1 + i).kind, MoveListLineKind::Mark);
        EXPECT_EQ(model.line(1 + i).icon, marks[i].icon);
    }
    // Selecting a mark shows its move and selects the mark itself.
    const MoveListTarget target = model.targetOf(2);
    EXPECT_EQ(target.showMove, 1);
    EXPECT_TRUE(main.node(target.selectIndex).isMark());
    EXPECT_TRUE(markEditingAvailable(true, true, false));
    EXPECT_FALSE(markEditingAvailable(false, true, false));
    EXPECT_FALSE(markEditingAvailable(true, true, true));
}

TEST(MoveListModel, HandicapStonesAreSkippedAndMovesShiftedByTheOffset) {
    TestBoard t(19, 3);
    t.play({{15, 2}, {2, 15}});
    MoveListModel model;
    model.build(t.board.record().main(), {});
    ASSERT_EQ(model.lineCount(), 2);
    EXPECT_EQ(model.line(0).text, u"  1　（16，3）　");
    EXPECT_EQ(model.line(0).icon, W); // move 2 of the record: white's first move
    EXPECT_EQ(model.line(1).text, u"  2　（3，16）　");
}

TEST(MoveListModel, CommentsAndElapsedTimesInLines) {
    TestBoard t;
    t.play({{3, 3}, {15, 15}, {4, 4}});
    t.board.pass();
    RecordSequence& main = t.board.record().main();
    main.node(0).elapsed = 3725;
    main.node(1).elapsed = 65;
    ASSERT_TRUE(main.setComment(1, std::u16string(150, u'あ')));
    ASSERT_TRUE(main.setComment(2, u"一行目\\二行目[?data]です", Backslashes::LineBreaks));
    main.node(3).elapsed = -2; // two minutes
    MoveListOptions o;
    o.showElapsed = true;
    MoveListModel model;
    model.build(main, o);
    ASSERT_EQ(model.lineCount(), 4);
    EXPECT_EQ(model.line(0).text, u"  1　（4，4）　1:02:05");
    EXPECT_EQ(model.line(1).text, u"  2　（16，16）　" + std::u16string(100, u'あ'));
    EXPECT_EQ(model.line(2).text, u"  3　（5，5）　一行目 二行目です");
    EXPECT_EQ(model.line(3).text, u"  4　（パス）　2:00");
    EXPECT_EQ(model.line(3).kind, MoveListLineKind::Pass);
    EXPECT_EQ(model.line(3).icon, W);
    o.showElapsed = false;
    model.build(main, o);
    EXPECT_EQ(model.line(0).text, u"  1　（4，4）　");

    o.hideMoves = true;
    model.build(main, o);
    EXPECT_TRUE(model.empty());
}

TEST(MoveListModel, ListCommentsNeverSplitASurrogatePair) {
    std::u16string text(99, u'a');
    text += u"\U0001F600"; // a pair at characters 100 and 101
    EXPECT_EQ(listCommentText(text, 100), std::u16string(99, u'a'));
    EXPECT_EQ(listCommentText(u"a\r\nb\rc\nd", 100), u"a b c d");
}

} // namespace
} // namespace stonewise
