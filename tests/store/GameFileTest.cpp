#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/GameFile.h"

namespace stonewise {
namespace {

using test::Bytes;

// The entry at the head of a game file: index 255 and 23 fields, the player names last.
void gameEntry(Bytes& b) {
    b.element(10, 255, 23);
    b.fieldU32(1, {12});
    b.fieldText(2, u"十段戦");
    b.fieldU32(3, {1, 0});
    b.head(2, 4, 4).u8(0).u8(0).u16(0);
    b.fieldU16(5, {0});
    b.head(6, 6, 4).f32(6.5f);
    b.head(8, 7, 6).u16(2025).u16(3).u8(4).u8(0);
    b.head(8, 8, 6).u16(0).u16(0).u8(0).u8(0);
    b.fieldU16(9, {0});
    b.fieldU16(10, {2});
    b.fieldU16(11, {0});
    b.fieldU16(12, {0});
    b.head(6, 13, 4).f32(0.0f);
    b.fieldU16(14, {0});
    b.fieldNoText(15);
    b.fieldU16(16, {0x10});
    b.head(4, 17, 4).u8(0).u8(0).u8(0).u8(0);
    b.head(8, 18, 8).u16(0).u16(0).u8(0).u8(0).u8(0).u8(0);
    b.head(4, 19, 4).u8(1).u8(0).u8(0).u8(0);
    b.fieldU32(20, {0});
    b.fieldNoText(23);
    b.fieldText(21, u"黒石さん");
    b.fieldText(22, u"白石さん");
}

// A sequence header: ten i16 values and four zero bytes.
void sequenceHeader(Bytes& b, int slot, int handicap, int first, int last, int depth, int parentSlot, int nodes,
                    int highestChild, int kind, int id) {
    b.head(8, 0, 24);
    for (int v : {slot, handicap, first, last, depth, parentSlot, nodes, highestChild, kind, id})
        b.i16(static_cast<std::int16_t>(v));
    b.u32(0);
}

// An ordinary node: 6 fields, or 7 with a comment.
void node(Bytes& b, int type, int childSlot, int number, int x, int y, std::u16string_view comment = {},
          int elapsed = 0, int data1 = 0, int data2 = 0, int branch = 0, int flags = 0) {
    b.element(10, 0, comment.empty() ? 6 : 7);
    b.head(1, 1, 2).u8(static_cast<std::uint8_t>(type)).u8(static_cast<std::uint8_t>(childSlot));
    b.fieldU16(2, {static_cast<std::uint16_t>(number)});
    b.head(1, 3, 2).u8(static_cast<std::uint8_t>(x)).u8(static_cast<std::uint8_t>(y));
    if (!comment.empty()) b.fieldText(5, comment);
    b.fieldU16(6, {static_cast<std::uint16_t>(elapsed)});
    b.head(1, 7, 2).u8(static_cast<std::uint8_t>(data1)).u8(static_cast<std::uint8_t>(data2));
    b.head(1, 8, 2).u8(static_cast<std::uint8_t>(branch)).u8(static_cast<std::uint8_t>(flags));
}

// Game 12: an entry, a main sequence of three moves with a branch link after move 2, a free child
// slot 1 and the branch in slot 2.
Bytes storedGame() {
    Bytes b;
    b.header(0x000D0003, 0, 2);
    gameEntry(b);
    b.element(11, 0, -1);
    sequenceHeader(b, 0, 0, 1, 3, 0, -1, 4, 2, 0, 0);
    node(b, 1, 0, 1, 3, 3, u"よろしく\r\nお願いします", 12);
    node(b, 2, 0, 2, 15, 15, {}, -2, 0, 0, 0, 1);
    node(b, 3, 2, 2, 255, 255, {}, 0, 0, 0, 1, 1);
    node(b, 1, 0, 3, 15, 3, {}, 40, 1, 1);
    b.u32(254);
    b.element(11, 255, 0); // free slot 1
    b.element(11, 1, -1);
    sequenceHeader(b, 2, 0, 3, 3, 1, 0, 1, 0, 1, 1);
    node(b, 1, 0, 3, 2, 16, u"分岐");
    b.u32(254);
    b.end();
    return b;
}

TEST(GameFile, ReadsTheLayoutIntoTheRecordAndWritesTheSameBytes) {
    const Bytes stored = storedGame();
    const GameFileRead read = decodeGameFile(stored);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    ASSERT_TRUE(read.entry);
    EXPECT_EQ(read.entry->number, 12);
    EXPECT_EQ(read.entry->name, u"十段戦");
    EXPECT_EQ(read.entry->blackName, u"黒石さん");
    EXPECT_EQ(read.entry->whiteName, u"白石さん");
    EXPECT_EQ(read.entry->type, kGamePlayAndRecord);

    const RecordSequence& main = *read.main;
    ASSERT_EQ(main.nodeCount(), 4);
    EXPECT_EQ(main.lastMoveNumber(), 3);
    EXPECT_EQ(main.commentOf(main.node(0)), u"よろしく\r\nお願いします");
    EXPECT_EQ(main.node(0).elapsed, 12);
    EXPECT_EQ(main.node(1).elapsedSeconds(), 120);
    EXPECT_EQ(main.node(1).flags, 1);
    EXPECT_TRUE(main.node(2).isLink());
    EXPECT_EQ(main.node(2).childSlot, 2);
    EXPECT_EQ(main.node(3).data1, 1);
    EXPECT_EQ(main.highestChildSlot(), 2);
    EXPECT_EQ(main.child(1), nullptr);
    const RecordSequence* branch = main.child(2);
    ASSERT_NE(branch, nullptr);
    EXPECT_EQ(branch->depth(), 1);
    EXPECT_EQ(branch->firstMoveNumber(), 3);
    EXPECT_EQ(branch->kind(), kBranch);
    EXPECT_EQ(branch->id(), 1u);
    EXPECT_EQ(branch->commentOf(branch->node(0)), u"分岐");

    EXPECT_EQ(encodeGameFile(main, &*read.entry, NodeForm::Ordinary), stored.bytes());
    EXPECT_EQ(gameFileName(12), "Game00012.dat");
}

TEST(GameFile, AFileWithoutEntryStartsWithTheMainSequence) {
    Bytes b;
    b.header(0x000D0003, 0xFFFF, 0);
    b.element(11, 0, -1);
    sequenceHeader(b, 0, 3, 1, 2, 0, -1, 4, 0, 0, 0);
    node(b, 1, 0, 1, 3, 15);
    node(b, 1, 0, 1, 15, 3);
    node(b, 1, 0, 1, 15, 15);
    node(b, 2, 0, 2, 3, 3);
    b.u32(254);
    b.end();
    const GameFileRead read = decodeGameFile(b);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_FALSE(read.entry);
    EXPECT_EQ(read.main->handicapCount(), 3);
    EXPECT_EQ(read.main->numberOffset(), -1); // two or more handicap stones
    EXPECT_EQ(read.main->nodeCount(), 4);
    EXPECT_EQ(encodeGameFile(*read.main, nullptr, NodeForm::Ordinary), b.bytes());
}

// What other programs' files carry in the header: a game comment longer than a list page keeps, and
// root properties kept as they stood. The game file keeps both whole; its list page the comment's
// first 255 characters.
TEST(GameFile, KeepsALongGameCommentAndTheRootPropertiesOfAnSgfFile) {
    auto main = RecordSequence::createMain();
    main->appendNode(makeMoveNode(1, 3, 3));
    GameInfo info;
    info.number = 4;
    info.gameComment = std::u16string(600, u'碁') + u"end";
    info.sgfRootExtras = u"PL[W]AE[aa][bb]RE[john wins]DT[a sunny afternoon]";
    const GameFileRead read = decodeGameFile(encodeGameFile(*main, &info, NodeForm::Ordinary));
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    ASSERT_TRUE(read.entry);
    EXPECT_EQ(read.entry->gameComment, info.gameComment);
    EXPECT_EQ(read.entry->sgfRootExtras, info.sgfRootExtras);
}

TEST(GameFile, ReadsCompactNodesMixedWithOrdinaryOnes) {
    Bytes b;
    b.header(0x000D0003, 0xFFFF, 0);
    b.element(11, 0, -1);
    sequenceHeader(b, 0, 0, 1, 4, 0, -1, 5, 0, 0, 0);
    b.head(8, 0, 8).u8(1).u8(0).u8(3).u8(3).u8(0).u8(0).u8(0).u8(0 * 16 + 0 + 64); // B1, a comment follows
    b.fieldText(0, u"一手目");
    b.head(8, 0, 8).u8(2).u8(0).u8(15).u8(15).u8(0).u8(0).u8(0).u8(1 * 16 + 1); // W2, step 1, flags 1
    node(b, 1, 0, 3, 2, 2, {}, 30);                                             // B3 in the ordinary form
    b.head(8, 0, 8).u8(4).u8(0).u8(3).u8(3).u8(1).u8(0).u8(0).u8(0);            // a circle at move 3
    b.head(8, 0, 8).u8(0).u8(0).u8(255).u8(255).u8(0).u8(0).u8(0).u8(1 * 16);   // W4 passes
    b.u32(254);
    b.end();
    const GameFileRead read = decodeGameFile(b);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    const RecordSequence& s = *read.main;
    ASSERT_EQ(s.nodeCount(), 5);
    const int numbers[] = {1, 2, 3, 3, 4};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s.node(i).moveNumber, numbers[i]) << i;
    EXPECT_EQ(s.commentOf(s.node(0)), u"一手目");
    EXPECT_EQ(s.node(1).flags, 1);
    EXPECT_EQ(s.node(2).elapsed, 30);
    EXPECT_EQ(s.node(3).markKind(), kMarkCircle);
    EXPECT_EQ(s.node(4).type, NodeType::Pass);
    EXPECT_EQ(s.lastMoveNumber(), 4);
}

TEST(GameFile, BothFormsReadBackTheWholeTree) {
    const auto record = test::sampleRecord(300);
    GameInfo info;
    info.number = 7;
    info.name = u"長い対局";
    info.blackName = std::u16string(u"黒"); // (assigned whole: GCC 12 warns wrongly about a copy of the literal)
    for (NodeForm form : {NodeForm::Ordinary, NodeForm::Compact}) {
        const auto first = encodeGameFile(*record, &info, form);
        const GameFileRead read = decodeGameFile(first);
        ASSERT_EQ(read.status, StoreReadStatus::Ok);
        test::expectSameRecord(*record, *read.main, form == NodeForm::Ordinary);
        EXPECT_EQ(read.entry->blackName, u"黒");
        EXPECT_EQ(encodeGameFile(*read.main, &*read.entry, form), first);
    }
    EXPECT_LT(encodeGameFile(*record, nullptr, NodeForm::Compact).size(),
              encodeGameFile(*record, nullptr, NodeForm::Ordinary).size());
}

TEST(GameFile, NodesTheCompactFormCannotHoldAreWrittenInTheOrdinaryForm) {
    auto main = RecordSequence::createMain();
    RecordNode setup;
    setup.type = NodeType::BlackSetup;
    setup.moveNumber = 0; // a step of -1 from the first move number
    setup.x = setup.y = 9;
    main->appendNode(setup);
    main->appendNode(makeMoveNode(1, 3, 3));
    main->appendNode(makeMoveNode(1, 3, 3));  // step 0
    main->appendNode(makeMoveNode(2, 4, 4));  // step 1
    main->appendNode(makeMoveNode(6, 5, 5));  // step 4: would collide with the comment bit
    main->appendNode(makeMoveNode(25, 6, 6)); // step 19
    RecordNode traced = makeMoveNode(26, 7, 7);
    traced.flags = kTraceMoveFlag | 1; // flags above the low four bits
    main->appendNode(traced);
    main->setComment(4, u"飛んだ");
    const GameFileRead read = decodeGameFile(encodeGameFile(*main, nullptr, NodeForm::Compact));
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    test::expectSameRecord(*main, *read.main, false);
    EXPECT_EQ(read.main->leadingSetupCount(), 1);
}

TEST(GameFile, LinksToMissingChildrenAreMarked) {
    Bytes b;
    b.header(0x000D0003, 0xFFFF, 0);
    b.element(11, 0, -1);
    sequenceHeader(b, 0, 0, 1, 1, 0, -1, 2, 0, 0, 0);
    node(b, 1, 0, 1, 3, 3);
    node(b, 3, 5, 1, 255, 255, {}, 0, 0, 0, 1, 1);
    b.u32(254);
    b.end();
    const GameFileRead read = decodeGameFile(b);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.main->node(1).childSlot, 255);
    EXPECT_EQ(read.main->node(1).comment, -1);
}

TEST(GameFile, DamageAnywhereGivesNoRecord) {
    const Bytes stored = storedGame();
    for (std::size_t cut = 0; cut < stored.size(); ++cut) {
        const GameFileRead read = decodeGameFile(std::span(stored.bytes()).first(cut));
        EXPECT_EQ(read.status, StoreReadStatus::Damaged) << cut;
        EXPECT_FALSE(read.main);
    }
    Bytes strange;
    strange.header(0x000D0003, 0xFFFF, 0).element(11, 0, -1);
    sequenceHeader(strange, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0);
    strange.element(12, 0, 0); // neither a node nor the end of the sequence
    EXPECT_EQ(decodeGameFile(strange).status, StoreReadStatus::Damaged);
    Bytes version;
    version.header(0x000D0003, 0xFFFF, 0, 0).end();
    EXPECT_EQ(decodeGameFile(version).status, StoreReadStatus::BadVersion);
}

} // namespace
} // namespace stonewise
