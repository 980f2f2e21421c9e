#include <gtest/gtest.h>

#include "board/PositionRebuild.h"
#include "record/GameRecord.h"
#include "view/BranchMarks.h"
#include "view/MarkCodes.h"

namespace stonewise {
namespace {

// Main record: moves 1..5 along the top edge. A branch after move 3 (another move 4 at (10,10)) and
// a reference sequence for move 4 (move 4 at (12,12) instead).
struct BranchRecord {
    GameRecord record;
    RecordSequence* branch = nullptr;
    RecordSequence* reference = nullptr;
    BoardPosition pos;
    BoardNavigation nav;

    BranchRecord() {
        RecordSequence& m = record.main();
        for (int n = 1; n <= 5; ++n) m.appendNode(makeMoveNode(n, n, 0));
        branch = addChild(3, 4, kBranch);
        branch->appendNode(makeMoveNode(4, 10, 10));
        branch->appendNode(makeMoveNode(5, 11, 10));
        reference = addChild(4, 4, kReference);
        reference->appendNode(makeMoveNode(4, 12, 12));
        m.numberTree();
    }
    RecordSequence* addChild(int atMove, int firstMove, SequenceKind kind) {
        RecordSequence* child = record.main().createChild(1, firstMove, kind);
        RecordNode link;
        link.type = NodeType::Link;
        link.childSlot = static_cast<std::uint8_t>(child->slot());
        link.moveNumber = static_cast<std::int16_t>(atMove);
        link.flags = kind;
        record.main().insertNode(atMove, link);
        return child;
    }
    void show(int move) {
        nav.showEndOf(record.pathLastMove());
        nav.show(move);
        ASSERT_TRUE(rebuildPosition(pos, nav, record, {}).complete);
    }
};

TEST(BranchMarks, AlternativesToTheMoveShownAreSmallStones) {
    BranchRecord r;
    r.show(4);
    const auto changed = placeBranchMarks(r.pos, r.record, r.nav.shownMove(), true);
    EXPECT_EQ(changed.size(), 2u);
    EXPECT_EQ(r.pos.at(10, 10).markFlags, kCodeSmallBranchWhite);
    EXPECT_EQ(r.pos.at(12, 12).markFlags, kCodeSmallBranchWhite);
    EXPECT_EQ(r.pos.at(10, 10).depth, 1);
    EXPECT_EQ(findMarkedBranch(r.pos, r.record, 10, 10).sequence, r.branch);
    EXPECT_EQ(findMarkedBranch(r.pos, r.record, 12, 12).sequence, r.reference);
    EXPECT_EQ(findMarkedBranch(r.pos, r.record, 4, 0).sequence, nullptr); // a stone

    // Switched off, the marks go and their points are reported for redrawing.
    const auto cleared = placeBranchMarks(r.pos, r.record, r.nav.shownMove(), false);
    EXPECT_EQ(cleared.size(), 2u);
    EXPECT_EQ(r.pos.at(10, 10).markFlags, 0);
    EXPECT_EQ(r.pos.at(10, 10).displayNumber, kNoDisplayNumber);

    // One move later nothing starts here.
    r.show(5);
    EXPECT_TRUE(placeBranchMarks(r.pos, r.record, r.nav.shownMove(), true).empty());
}

TEST(BranchMarks, HeadOfTheBranchShownGetsAFullStone) {
    BranchRecord r;
    ASSERT_TRUE(r.record.enterSequence(r.branch));
    r.show(3);
    placeBranchMarks(r.pos, r.record, r.nav.shownMove(), true);
    EXPECT_EQ(r.pos.at(10, 10).markFlags, kCodeBranchWhite);
    const MarkedBranch hit = findMarkedBranch(r.pos, r.record, 10, 10);
    EXPECT_EQ(hit.sequence, r.branch);
    EXPECT_TRUE(hit.head);
    // Inside the branch the alternative from the main record is not a branch mark.
    r.show(4);
    placeBranchMarks(r.pos, r.record, r.nav.shownMove(), true);
    EXPECT_EQ(r.pos.at(12, 12).markFlags, 0);
    EXPECT_TRUE(r.pos.at(10, 10).hasStone()); // the branch's own stone stands there
    EXPECT_EQ(findMarkedBranch(r.pos, r.record, 10, 10).sequence, nullptr);
}

} // namespace
} // namespace stonewise
