#include <gtest/gtest.h>

#include "record/RecordSequence.h"

namespace stonewise {
namespace {

RecordNode move(int n, int x, int y) { return makeMoveNode(n, x, y); }

RecordNode mark(int n, int x, int y, int kind) {
    RecordNode m;
    m.type = NodeType::Mark;
    m.moveNumber = static_cast<std::int16_t>(n);
    m.x = static_cast<std::uint8_t>(x);
    m.y = static_cast<std::uint8_t>(y);
    m.data1 = static_cast<std::uint8_t>(kind);
    return m;
}

// A main record of `count` moves on distinct points.
std::unique_ptr<RecordSequence> gameOf(int count) {
    auto s = RecordSequence::createMain();
    for (int n = 1; n <= count; ++n) s->appendNode(move(n, n % 19, n / 19));
    return s;
}

std::vector<int> moveNumbers(const RecordSequence& s) {
    std::vector<int> out;
    for (const RecordNode& n : s.nodes()) out.push_back(n.moveNumber);
    return out;
}

TEST(RecordSequence, LimitsRefuseWithoutChangingTheRecord) {
    auto s = gameOf(RecordSequence::kMaxNodes);
    EXPECT_EQ(s->nodeCount(), 1024);
    EXPECT_EQ(s->appendNode(move(1025, 0, 0)), nullptr);
    EXPECT_EQ(s->insertNode(5, move(6, 0, 0)), nullptr);
    EXPECT_EQ(s->nodeCount(), 1024);
    EXPECT_EQ(s->lastMoveNumber(), 1024);

    auto parent = RecordSequence::createMain();
    for (int i = 1; i <= RecordSequence::kMaxChildren; ++i) ASSERT_NE(parent->createChild(1, 2, kBranch), nullptr);
    EXPECT_EQ(parent->createChild(1, 2, kBranch), nullptr);
    EXPECT_EQ(parent->nextFreeChildSlot(), -1);
    parent->destroyChild(17);
    EXPECT_EQ(parent->nextFreeChildSlot(), 17);

    auto labels = gameOf(1);
    for (int i = 0; i < RecordSequence::kMaxLabels; ++i) {
        RecordNode l = mark(1, i % 19, i / 19 + 2, kMarkLabel);
        ASSERT_NE(labels->appendNode(l), nullptr) << i;
    }
    EXPECT_EQ(labels->appendNode(mark(1, 18, 18, kMarkLabel)), nullptr);
    EXPECT_EQ(labels->labelCount(), 50);
    // A label on a point that already has one replaces it and still fits.
    EXPECT_NE(labels->appendNode(mark(1, 0, 2, kMarkSmallLabel)), nullptr);
    EXPECT_EQ(labels->labelCount(), 50);
    EXPECT_EQ(labels->label(0).small, 1);
}

TEST(RecordSequence, InsertingAMoveRenumbersLaterMovesButAMarkDoesNot) {
    auto s = gameOf(6);
    s->appendNode(mark(6, 3, 3, kMarkCircle));
    // A white move in front of black move 5 shifts moves 5, 6 and the mark of 6.
    RecordNode white = move(4, 10, 10);
    white.type = NodeType::WhiteMove;
    s->insertNode(3, white);
    EXPECT_EQ(moveNumbers(*s), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 7}));
    EXPECT_EQ(s->lastMoveNumber(), 7);
    for (int i = 0; i < s->nodeCount(); ++i) EXPECT_EQ(s->node(i).index, i);
    // A mark goes after move 2 and everything attached to it, without renumbering.
    s->insertNode(2, mark(2, 4, 4, kMarkTriangle));
    EXPECT_EQ(moveNumbers(*s), (std::vector<int>{1, 2, 2, 3, 4, 5, 6, 7, 7}));
    EXPECT_EQ(s->node(2).type, NodeType::Mark);
}

TEST(RecordSequence, RemovingAMoveRenumbersAndAHandicapStoneLowersTheCount) {
    auto s = gameOf(5);
    s->removeNode(1);
    EXPECT_EQ(moveNumbers(*s), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(s->lastMoveNumber(), 4);

    auto h = RecordSequence::createMain();
    for (int i = 0; i < 3; ++i) h->appendNode(move(1, 3 + 6 * i, 3));
    h->setHandicapCount(3);
    h->appendNode(move(2, 9, 9));
    h->removeNode(1);
    EXPECT_EQ(h->handicapCount(), 2);
    EXPECT_EQ(moveNumbers(*h), (std::vector<int>{1, 1, 2}));
}

TEST(RecordSequence, BlackStonesAccumulateAtMoveOneWithoutRenumbering) {
    auto s = RecordSequence::createMain();
    s->appendNode(move(1, 3, 3));
    s->setHandicapCount(1);
    RecordNode w = move(2, 9, 9);
    s->appendNode(w);
    s->insertNode(1, move(1, 15, 15));
    EXPECT_EQ(moveNumbers(*s), (std::vector<int>{1, 1, 2}));
}

TEST(RecordSequence, RenumberingCarriesBranchesHangingAfterLaterMoves) {
    auto s = gameOf(10);
    RecordSequence* branch = s->createChild(1, 9, kBranch);
    branch->appendNode(move(9, 15, 15));
    RecordNode link;
    link.type = NodeType::Link;
    link.moveNumber = 8;
    link.childSlot = static_cast<std::uint8_t>(branch->slot());
    link.flags = kBranch;
    s->insertNode(8, link);
    s->insertNode(4, move(5, 17, 17), true);
    EXPECT_EQ(branch->firstMoveNumber(), 10);
    EXPECT_EQ(branch->node(0).moveNumber, 10);
    EXPECT_EQ(s->node(s->findLink(branch)).moveNumber, 9);
}

TEST(RecordSequence, FindNodeUsesMoveNumbersAcrossAttachedNodes) {
    auto s = gameOf(30);
    for (int n = 1; n <= 30; n += 3) s->insertNode(n, mark(n, 0, 18, kMarkCross));
    for (int n = 1; n <= 30; ++n) {
        const RecordNode* k = s->findNode(n);
        ASSERT_NE(k, nullptr) << n;
        EXPECT_EQ(k->moveNumber, n);
        EXPECT_TRUE(k->isMove());
    }
    EXPECT_EQ(s->findNode(31), nullptr);
    EXPECT_EQ(s->findNode(0), nullptr);
    EXPECT_EQ(s->findNode(-1)->moveNumber, 30);
    EXPECT_EQ(s->findLastMove(30, kWhite), s->findNodeIndex(30));
    EXPECT_EQ(s->node(s->findLastMove(30, kBlack)).moveNumber, 29);
}

TEST(RecordSequence, TruncateRemovesTheLastMoveAndWhatHangsAfterIt) {
    auto s = gameOf(4);
    RecordSequence* child = s->createChild(1, 5, kBranch);
    child->appendNode(move(5, 10, 10));
    RecordNode link;
    link.type = NodeType::Link;
    link.moveNumber = 4;
    link.childSlot = static_cast<std::uint8_t>(child->slot());
    s->appendNode(link);
    s->appendNode(mark(4, 1, 1, kMarkCircle));
    s->truncate();
    EXPECT_EQ(s->nodeCount(), 3);
    EXPECT_EQ(s->lastMoveNumber(), 3);
    EXPECT_EQ(s->child(1), nullptr);
}

TEST(RecordSequence, ClearKeepsLeadingSetupStonesAndOptionallyTheFirstMove) {
    auto s = RecordSequence::createMain();
    RecordNode setup;
    setup.type = NodeType::BlackSetup;
    setup.moveNumber = 0;
    setup.x = setup.y = 3;
    s->appendNode(setup);
    s->setLeadingSetupCount(1);
    for (int n = 1; n <= 5; ++n) s->appendNode(move(n, n, 10));
    s->setComment(2, u"a comment");
    s->createChild(1, 3, kBranch);
    s->clear();
    EXPECT_EQ(s->nodeCount(), 1);
    EXPECT_EQ(s->node(0).type, NodeType::BlackSetup);
    EXPECT_EQ(s->lastMoveNumber(), 0);
    EXPECT_EQ(s->comments().count(), 0);
    EXPECT_EQ(s->highestChildSlot(), 0);

    for (int n = 1; n <= 5; ++n) s->appendNode(move(n, n, 10));
    s->setKeepFirstMove(true);
    s->clear();
    EXPECT_EQ(s->nodeCount(), 2);
    EXPECT_EQ(s->node(1).moveNumber, 1);
    EXPECT_EQ(s->lastMoveNumber(), 1);
}

TEST(RecordSequence, CloneIsDeep) {
    auto s = gameOf(3);
    s->setComment(1, u"second");
    RecordSequence* child = s->createChild(1, 3, kReference);
    child->appendNode(move(3, 9, 9));
    child->setComment(0, u"ref");
    auto copy = s->clone();
    s->setComment(1, u"changed");
    child->appendNode(move(4, 8, 8));
    EXPECT_EQ(copy->commentOf(copy->node(1)), u"second");
    ASSERT_NE(copy->child(1), nullptr);
    EXPECT_EQ(copy->child(1)->nodeCount(), 1);
    EXPECT_EQ(copy->child(1)->parent(), copy.get());
    EXPECT_EQ(copy->child(1)->commentOf(copy->child(1)->node(0)), u"ref");
}

TEST(RecordSequence, NumberingGivesIdsBranchNumbersAndKindBits) {
    auto s = gameOf(6);
    RecordSequence* b1 = s->createChild(1, 4, kBranch);
    RecordSequence* b2 = s->createChild(1, 3, kReference);
    b1->appendNode(move(4, 15, 15));
    b2->appendNode(move(3, 16, 16));
    RecordNode l1;
    l1.type = NodeType::Link;
    l1.moveNumber = 3;
    l1.childSlot = static_cast<std::uint8_t>(b1->slot());
    l1.flags = kBranch;
    RecordNode l2 = l1;
    l2.childSlot = static_cast<std::uint8_t>(b2->slot());
    l2.flags = kReference;
    s->insertNode(3, l1);
    s->insertNode(3, l2);
    b1->setId(7);
    b2->setId(7); // a duplicate is numbered anew with the lowest free number
    s->numberTree();
    EXPECT_EQ(b1->id(), 7u);
    EXPECT_EQ(b2->id(), 1u);
    EXPECT_EQ(s->findNode(3)->flags & 3, kBranch | kReference);
    EXPECT_EQ(s->findNode(2)->flags & 3, 0);
    EXPECT_EQ(b1->branchNumber(), 1);
    EXPECT_EQ(b2->branchNumber(), 2);
}

TEST(RecordSequence, AnswerTagsComeFromTheFirstComment) {
    struct Case {
        std::u16string comment;
        AnswerKind kind;
    };
    const Case cases[] = {{u"&F: too slow", kFailure},
                          {u"!正解:よい手", kCorrect},
                          {u"!変化:", kVariation},
                          {u"!正解 without colon", kNoAnswer},
                          {u"&G:", kCorrect}};
    // Alone, and together with the numbering of the tree: the same tags, down to a branch of a branch.
    for (const bool withNumbering : {false, true}) {
        auto s = gameOf(3);
        for (const Case& c : cases) {
            RecordSequence* b = s->createChild(1, 3, kBranch);
            b->appendNode(move(3, 12, 12));
            b->setComment(0, c.comment);
            RecordNode l;
            l.type = NodeType::Link;
            l.moveNumber = 2;
            l.childSlot = static_cast<std::uint8_t>(b->slot());
            s->insertNode(2, l);
        }
        RecordSequence* first = s->child(1);
        RecordSequence* inner = first->createChild(2, 4, kBranch);
        inner->appendNode(move(4, 13, 13));
        inner->setComment(0, u"&V: also");
        RecordNode l;
        l.type = NodeType::Link;
        l.moveNumber = 3;
        l.childSlot = static_cast<std::uint8_t>(inner->slot());
        first->insertNode(3, l);
        if (withNumbering) s->numberTreeAndReadAnswerTags();
        else s->readAnswerTags();
        for (int slot = 1; slot <= 5; ++slot) {
            const RecordSequence* b = s->child(slot);
            EXPECT_EQ(b->answerKind(), cases[slot - 1].kind) << slot;
            EXPECT_EQ(s->node(s->findLink(slot)).answerKind(), cases[slot - 1].kind);
        }
        EXPECT_EQ(inner->answerKind(), kVariation);
        EXPECT_EQ(first->node(first->findLink(inner)).answerKind(), kVariation);
        EXPECT_EQ(inner->branchNumber(), withNumbering ? 1 : 0);
    }
}

// Builds a parent of 10 moves with a sibling branch after move 5 holding `sibling` points, and a
// new branch holding `fresh` points, both starting at move 6.
struct MergeSetup {
    std::unique_ptr<RecordSequence> main = gameOf(10);
    RecordSequence* sibling = nullptr;
    RecordSequence* fresh = nullptr;

    MergeSetup(std::initializer_list<int> siblingPoints, std::initializer_list<int> freshPoints) {
        sibling = add(siblingPoints);
        fresh = add(freshPoints);
    }
    RecordSequence* add(std::initializer_list<int> points) {
        RecordSequence* b = main->createChild(1, 6, kBranch);
        int n = 6;
        for (int p : points) b->appendNode(move(n++, p, 15));
        RecordNode l;
        l.type = NodeType::Link;
        l.moveNumber = 5;
        l.flags = kBranch;
        l.childSlot = static_cast<std::uint8_t>(b->slot());
        main->insertNode(5, l);
        return b;
    }
};

TEST(RecordSequence, MergingANewBranchWithItsSiblings) {
    { // identical: the new branch goes
        MergeSetup m({1, 2, 3}, {1, 2, 3});
        RecordNode* link = m.main->mergeBranch(m.fresh);
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(m.main->child(link->childSlot), m.sibling);
        EXPECT_EQ(m.main->child(2), nullptr);
    }
    { // the sibling already holds it and more: the new branch goes
        MergeSetup m({1, 2, 3, 4}, {1, 2});
        RecordNode* link = m.main->mergeBranch(m.fresh);
        EXPECT_EQ(m.main->child(link->childSlot), m.sibling);
        EXPECT_EQ(m.sibling->nodeCount(), 4);
        EXPECT_EQ(m.main->child(2), nullptr);
    }
    { // the new branch holds the sibling and more: its rest is appended to the sibling
        MergeSetup m({1, 2}, {1, 2, 3, 4});
        m.fresh->setComment(3, u"the fourth move");
        RecordNode* link = m.main->mergeBranch(m.fresh);
        EXPECT_EQ(m.main->child(link->childSlot), m.sibling);
        ASSERT_EQ(m.sibling->nodeCount(), 4);
        EXPECT_EQ(m.sibling->node(3).x, 4);
        EXPECT_EQ(m.sibling->commentOf(m.sibling->node(3)), u"the fourth move");
        EXPECT_EQ(m.sibling->lastMoveNumber(), 9);
        EXPECT_EQ(m.main->child(2), nullptr);
    }
    { // they diverge: both stay
        MergeSetup m({1, 2, 3}, {1, 7, 3});
        RecordNode* link = m.main->mergeBranch(m.fresh);
        EXPECT_EQ(m.main->child(link->childSlot), m.fresh);
        EXPECT_NE(m.main->child(1), nullptr);
    }
}

TEST(RecordSequence, ElapsedTotalsSplitByColour) {
    auto s = gameOf(4);
    s->node(0).elapsed = 30;
    s->node(1).elapsed = encodeElapsed(40000); // stored as minutes
    s->node(2).elapsed = 5;
    const auto t = s->elapsedTotals();
    EXPECT_EQ(t.black, 35);
    EXPECT_EQ(t.white, 666 * 60);
    EXPECT_EQ(encodeElapsed(32760), 32760);
    EXPECT_EQ(encodeElapsed(32761), -546);
}

TEST(SequenceList, ASelfLoopIsReportedOnceAndRepaired) {
    int reports = 0;
    SequenceList list([&] { ++reports; });
    auto main = RecordSequence::createMain(&list);
    RecordSequence* a = main->createChild(1, 2, kBranch);
    RecordSequence* b = main->createChild(1, 2, kBranch);
    EXPECT_EQ(list.size(), 3);
    a->setNext(a);
    EXPECT_EQ(list.checkLoops(), 1);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(a->next(), b); // mended: nothing after the loop is lost
    EXPECT_EQ(list.size(), 3);
    EXPECT_EQ(list.checkLoops(), 0);
    EXPECT_EQ(reports, 1);
    // The tail pointing to itself is cut.
    b->setNext(b);
    EXPECT_EQ(list.checkLoops(), 1);
    EXPECT_EQ(b->next(), nullptr);
    main.reset(); // destroying the record afterwards touches nothing freed
    EXPECT_EQ(list.size(), 0);
}

TEST(RecordSequence, DestroyedSequencesLeaveTheList) {
    SequenceList list;
    auto main = RecordSequence::createMain(&list);
    RecordSequence* a = main->createChild(1, 2, kBranch);
    a->createChild(2, 3, kBranch);
    EXPECT_EQ(list.size(), 3);
    main->destroyChild(a->slot());
    EXPECT_EQ(list.size(), 1);
    main.reset();
    EXPECT_EQ(list.size(), 0);
}

} // namespace
} // namespace stonewise
