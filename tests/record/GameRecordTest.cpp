#include <gtest/gtest.h>

#include "record/GameRecord.h"

namespace stonewise {
namespace {

TEST(GameRecord, APathTakesEachMoveFromTheDeepestSequenceThatHasIt) {
    GameRecord r;
    for (int n = 1; n <= 12; ++n) r.main().appendNode(makeMoveNode(n, n, 0));
    RecordSequence* ref = r.main().createChild(1, 10, kReference); // another move 10
    for (int n = 10; n <= 11; ++n) ref->appendNode(makeMoveNode(n, n, 5));
    RecordSequence* inner = ref->createChild(2, 11, kBranch); // after move 10 of the reference
    inner->appendNode(makeMoveNode(11, 0, 9));
    ASSERT_TRUE(r.enterSequence(inner));
    EXPECT_EQ(r.pathDepth(), 2);
    EXPECT_EQ(r.nodeAtMove(9)->y, 0);
    EXPECT_EQ(r.nodeAtMove(10)->y, 5);
    EXPECT_EQ(r.nodeAtMove(11)->y, 9);
    EXPECT_EQ(r.currentSequence(), inner);
    EXPECT_EQ(r.nodeAtMove(12), nullptr);

    bool left = false;
    ASSERT_TRUE(r.enterSequence(&r.main(), [&] { left = true; }));
    EXPECT_TRUE(left);
    EXPECT_EQ(r.pathDepth(), 0);
    left = false;
    r.enterSequence(&r.main(), [&] { left = true; });
    EXPECT_FALSE(left);
}

TEST(GameRecord, PathsStopAt256Levels) {
    GameRecord r;
    RecordSequence* s = &r.main();
    s->appendNode(makeMoveNode(1, 0, 0));
    for (int depth = 1; depth <= 257; ++depth) {
        s = s->createChild(depth, 2, kBranch);
        ASSERT_NE(s, nullptr);
    }
    EXPECT_FALSE(r.enterSequence(s));
    EXPECT_TRUE(r.enterSequence(s->parent()));
    EXPECT_EQ(r.pathDepth(), 256);
    EXPECT_FALSE(r.pushSequence(s));
}

TEST(GameRecord, AdoptingARecordRegistersEverySequence) {
    auto main = RecordSequence::createMain();
    main->appendNode(makeMoveNode(1, 3, 3));
    main->createChild(1, 2, kBranch)->createChild(2, 3, kBranch);
    GameRecord r;
    r.adopt(std::move(main));
    EXPECT_EQ(r.sequences().size(), 3);
    r.reset();
    EXPECT_EQ(r.sequences().size(), 1);
}

} // namespace
} // namespace stonewise
