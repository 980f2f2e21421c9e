#include <gtest/gtest.h>

#include "board/PositionRebuild.h"

namespace stonewise {
namespace {

RecordNode setupStone(Colour c, int n, int x, int y) {
    RecordNode s;
    s.type = c == kBlack ? NodeType::BlackSetup : NodeType::WhiteSetup;
    s.moveNumber = static_cast<std::int16_t>(n);
    s.x = static_cast<std::uint8_t>(x);
    s.y = static_cast<std::uint8_t>(y);
    return s;
}

TEST(PositionRebuild, OccupiedPointStopsOrIsListedInDiagramDisplay) {
    GameRecord r;
    // Black 1 and 3 capture nothing; white 4 is played on black 1's point, as in a damaged record.
    r.main().appendNode(makeMoveNode(1, 3, 3));
    r.main().appendNode(makeMoveNode(2, 15, 15));
    r.main().appendNode(makeMoveNode(3, 9, 9));
    r.main().appendNode(makeMoveNode(4, 3, 3));
    r.main().appendNode(makeMoveNode(5, 4, 4));
    BoardPosition pos;
    BoardNavigation nav;
    nav.showEndOf(5);
    RebuildResult result = rebuildPosition(pos, nav, r, {});
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.occupiedMove, 4);
    EXPECT_EQ(pos.colourAt(4, 4), kEmpty); // the walk stopped

    pos.setDiagramDisplay(true);
    result = rebuildPosition(pos, nav, r, {});
    EXPECT_TRUE(result.complete);
    ASSERT_EQ(nav.overlaps().size(), 1u);
    EXPECT_EQ(nav.overlaps()[0].moveNumber, 4);
    EXPECT_EQ(nav.lastMove()->moveNumber, 5);
    EXPECT_EQ(pos.colourAt(4, 4), kBlack);
}

TEST(PositionRebuild, SetupStonesLabelsMarksAndNumbers) {
    GameRecord r;
    RecordSequence& m = r.main();
    m.appendNode(setupStone(kWhite, 0, 0, 0));
    m.setLeadingSetupCount(1);
    m.appendNode(makeMoveNode(1, 1, 0));
    m.appendNode(setupStone(kWhite, 1, 2, 2));
    m.appendNode(makeMoveNode(2, 5, 5));
    RecordNode circle;
    circle.type = NodeType::Mark;
    circle.moveNumber = 2;
    circle.x = circle.y = 7;
    circle.data1 = kMarkCircle;
    m.appendNode(circle);
    RecordNode label = circle;
    label.x = 8;
    label.data1 = kMarkLabel;
    m.setComment(m.appendNode(label)->index, u"A1");
    m.appendNode(makeMoveNode(3, 0, 1)); // captures the white setup stone in the corner

    BoardPosition pos;
    BoardNavigation nav;
    nav.showEndOf(3);
    nav.show(2);
    RebuildOptions numbered;
    ASSERT_TRUE(rebuildPosition(pos, nav, r, numbered).complete);
    EXPECT_EQ(pos.colourAt(0, 0), kWhite);
    EXPECT_EQ(pos.at(0, 0).displayNumber, kNoDisplayNumber);
    EXPECT_EQ(pos.colourAt(2, 2), kWhite);
    EXPECT_EQ(pos.at(5, 5).displayNumber, 2);
    EXPECT_EQ(pos.mark(7, 7).kind, kMarkCircle);
    EXPECT_EQ(pos.mark(8, 7).kind, kMarkLabel);
    EXPECT_EQ(pos.mark(8, 7).character, '@');
    EXPECT_EQ(pos.at(5, 5).markFlags, kMarkFlagLastMove);

    nav.show(3);
    RebuildOptions plain;
    plain.withNumbers = false;
    const GameRecord& read = r;
    rebuildPosition(pos, nav, read, plain);
    EXPECT_EQ(pos.colourAt(0, 0), kEmpty);
    EXPECT_EQ(pos.prisoners(kBlack), 1);
    EXPECT_EQ(pos.mark(7, 7).kind, 0); // the circle belongs to move 2
    EXPECT_EQ(pos.mark(8, 7).kind, 0); // so does the label
    EXPECT_EQ(pos.at(0, 1).displayNumber, kNoDisplayNumber);
    EXPECT_EQ(pos.at(0, 1).captured, 1);
    EXPECT_EQ(m.findNode(3)->captured(), 0); // the record is only read
}

TEST(PositionRebuild, BranchNumbersFromOneAndHiddenBranchPoint) {
    GameRecord r;
    for (int n = 1; n <= 12; ++n) r.main().appendNode(makeMoveNode(n, n, 0));
    RecordSequence* b = r.main().createChild(1, 11, kBranch);
    b->appendNode(makeMoveNode(11, 3, 9));
    b->appendNode(makeMoveNode(12, 4, 9));
    r.enterSequence(b);
    BoardPosition pos;
    BoardNavigation nav;
    nav.showEndOf(12);
    RebuildOptions o;
    rebuildPosition(pos, nav, r, o);
    EXPECT_EQ(pos.at(3, 9).displayNumber, 11);
    EXPECT_EQ(pos.at(5, 0).displayNumber, kNoDisplayNumber); // before the branch: no number
    o.branchNumbersFromOne = true;
    rebuildPosition(pos, nav, r, o);
    EXPECT_EQ(pos.at(10, 0).displayNumber, kHiddenDisplayNumber); // the stone it branched from
    EXPECT_EQ(pos.at(3, 9).displayNumber, 1);
    EXPECT_EQ(pos.at(4, 9).displayNumber, 2);
}

} // namespace
} // namespace stonewise
