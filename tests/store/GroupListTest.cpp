#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/GroupList.h"

namespace stonewise {
namespace {

using test::Bytes;

// One group element: the eight fields in the writer's order.
void group(Bytes& b, int slot, std::u16string_view name, std::uint32_t a, std::uint32_t bValue, std::uint32_t type,
           std::int32_t games, std::u16string_view folder = {}) {
    b.element(10, static_cast<std::uint8_t>(slot), 8);
    b.fieldU16(1, {static_cast<std::uint16_t>(slot)});
    b.fieldU16(2, {static_cast<std::uint16_t>(name.size())});
    b.fieldText(3, name);
    b.fieldU32(4, {a});
    b.fieldU32(5, {bValue});
    b.fieldU32(6, {type});
    b.fieldU32(7, {static_cast<std::uint32_t>(games)});
    if (folder.empty()) b.fieldNoText(8);
    else b.fieldText(8, folder);
}

TEST(GroupList, ReadsTheLayoutAndWritesTheSameBytes) {
    Bytes b;
    b.header(1, 28, 4);
    group(b, 0, u"メール碁", 7, 8, 1, 12);
    b.element(10, 1, 0); // an empty slot
    group(b, 2, u"外部", 0, 0, 256 | 512, -1, u"/srv/kifu");
    group(b, 3, u"棋譜鑑賞", 0, 3, 256, 0);
    b.end();

    const GroupListRead read = decodeGroupList(b);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.slots, 4);
    ASSERT_TRUE(read.groups[0]);
    EXPECT_EQ(*read.groups[0], (GroupRecord{0, u"メール碁", 7, 8, 1, 12, std::nullopt}));
    EXPECT_FALSE(read.groups[1]);
    EXPECT_EQ(*read.groups[2], (GroupRecord{2, u"外部", 0, 0, 768, -1, u"/srv/kifu"}));
    EXPECT_EQ(read.groups[3]->valueB, 3u);
    EXPECT_EQ(usedGroupSlots(read.groups), 4);
    EXPECT_EQ(encodeGroupList(read.groups, read.slots), b.bytes());
}

TEST(GroupList, ANumberThatDiffersFromItsSlotAndUnknownFieldsAreHandled) {
    Bytes b;
    b.header(1, 28, 2);
    b.element(10, 0, 0);
    b.element(10, 1, 4);
    b.fieldU16(1, {9});                 // stored as group 9
    b.head(2, 40, 3).u8(1).u8(2).u8(3); // unknown field of odd length
    b.fieldText(3, u"検討");
    b.fieldU32(6, {16});
    b.end();
    const GroupListRead read = decodeGroupList(b);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    ASSERT_TRUE(read.groups[1]);
    EXPECT_EQ(read.groups[1]->number, 1);
    EXPECT_EQ(read.groups[1]->name, u"検討");
    EXPECT_EQ(read.groups[1]->type, 16u);
    EXPECT_EQ(read.groups[1]->gameCount, -1); // not stored: -1 until counted
    EXPECT_FALSE(read.groups[9]);
}

TEST(GroupList, DamageDropsTheWholeListAndAWrongVersionReadsNothing) {
    Bytes b;
    b.header(1, 28, 2);
    group(b, 0, u"メール碁", 0, 0, 1, 0);
    group(b, 1, u"対局・記録", 0, 0, 16, 0);
    b.end();
    for (std::size_t cut = 0; cut + 4 < b.size(); ++cut) {
        const GroupListRead read = decodeGroupList(std::span(b.bytes()).first(cut));
        EXPECT_EQ(read.status, StoreReadStatus::Damaged) << cut;
        EXPECT_EQ(read.slots, 0);
        EXPECT_FALSE(read.groups[0]);
    }
    Bytes wrongMark;
    wrongMark.header(1, 28, 1).element(11, 0, 0).end();
    EXPECT_EQ(decodeGroupList(wrongMark).status, StoreReadStatus::Damaged);
    Bytes version;
    version.header(1, 28, 1, 2).element(10, 0, 0).end();
    EXPECT_EQ(decodeGroupList(version).status, StoreReadStatus::BadVersion);
}

TEST(GroupList, LongNamesAreCutToTheirBuffer) {
    GroupTable groups{};
    groups[0] = GroupRecord{0, std::u16string(300, u'名'), 0, 0, 1, 0, std::u16string(400, u'/')};
    const auto bytes = encodeGroupList(groups, 1);
    const GroupListRead read = decodeGroupList(bytes);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.groups[0]->name, std::u16string(259, u'名'));
    EXPECT_EQ(read.groups[0]->externalFolder, std::u16string(259, u'/'));

    // A stored name longer than the buffer is cut too, and the fields after it still read.
    Bytes b;
    b.header(1, 28, 1).element(10, 0, 3);
    b.head(7, 3, 501).chars(std::u16string(500, u'x')).u16(0);
    b.fieldU32(6, {64}).fieldU32(7, {5}).end();
    const GroupListRead longName = decodeGroupList(b);
    ASSERT_EQ(longName.status, StoreReadStatus::Ok);
    EXPECT_EQ(longName.groups[0]->name.size(), 259u);
    EXPECT_EQ(longName.groups[0]->type, 64u);
    EXPECT_EQ(longName.groups[0]->gameCount, 5);
}

} // namespace
} // namespace stonewise
