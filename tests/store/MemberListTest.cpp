#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/MemberList.h"

namespace stonewise {
namespace {

using test::Bytes;

void member(Bytes& b, int slot, int number, int kind, std::u16string_view name, std::u16string_view address,
            GameDate registered, GameDate second, std::uint16_t v1, std::uint16_t v2) {
    b.element(10, static_cast<std::uint8_t>(slot), 8);
    b.fieldU16(1, {static_cast<std::uint16_t>(number)});
    b.fieldU16(2, {static_cast<std::uint16_t>(kind)});
    if (name.empty()) b.fieldNoText(3);
    else b.fieldText(3, name);
    if (address.empty()) b.fieldNoText(4);
    else b.fieldText(4, address);
    b.head(8, 5, 6).u16(registered.year).u16(registered.month).u8(registered.day).u8(0);
    b.head(8, 6, 6).u16(second.year).u16(second.month).u8(second.day).u8(0);
    b.fieldU16(7, {v1});
    b.fieldU16(9, {v2});
}

TEST(MemberList, ReadsAPageOfTheLayoutAndWritesTheSameBytes) {
    Bytes b;
    b.header(2, 28, 3);
    member(b, 0, 256, 1, u"自分", u"me@example.jp", {2024, 5, 6, 0}, {}, 3, 4);
    b.element(10, 1, 0);
    member(b, 2, 258, 2, u"黒石さん", u"", {2023, 12, 31, 0}, {2025, 1, 2, 0}, 0, 9);
    b.end();

    const MemberPageRead read = decodeMemberPage(b, 1);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.elements, 2);
    EXPECT_FALSE(read.dropped);
    ASSERT_TRUE(read.page.slots[0]);
    EXPECT_EQ(*read.page.slots[0], (MemberRecord{256, 1, u"自分", u"me@example.jp", {2024, 5, 6, 0}, {}, 3, 4}));
    EXPECT_FALSE(read.page.slots[1]);
    EXPECT_EQ(read.page.slots[2]->secondDate.year, 2025);
    EXPECT_EQ(read.page.slots[2]->value2, 9);
    EXPECT_EQ(encodeMemberPage(read.page, 1), b.bytes());
    EXPECT_EQ(memberPageFileName(0), "MemberIdList.dat");
    EXPECT_EQ(memberPageFileName(7), "MemberIdList007.dat");
}

TEST(MemberList, AMismatchedNumberIsDroppedAndField8ClearsTheSecondValue) {
    Bytes b;
    b.header(2, 28, 2);
    member(b, 0, 5, 0, u"迷子", u"", {}, {}, 0, 0); // slot 0 of page 0 must be member 0
    b.element(10, 1, 3);
    b.fieldU16(1, {1});
    b.fieldU16(9, {77});
    b.fieldU16(8, {12});
    b.end();
    const MemberPageRead read = decodeMemberPage(b, 0);
    EXPECT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_TRUE(read.dropped);
    EXPECT_FALSE(read.page.slots[0]);
    ASSERT_TRUE(read.page.slots[1]);
    EXPECT_EQ(read.page.slots[1]->value2, 0);
}

TEST(MemberList, AFullPageWithItsLastSlotEmptyReadsEveryElement) {
    Bytes b;
    b.header(2, 28, 256);
    for (int slot = 0; slot < 255; ++slot) {
        b.element(10, static_cast<std::uint8_t>(slot), 2);
        b.fieldU16(1, {static_cast<std::uint16_t>(512 + slot)});
        b.fieldText(3, u"棋士");
    }
    b.element(10, 255, 0);
    b.end();
    const MemberPageRead read = decodeMemberPage(b, 2);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.elements, 255);
    EXPECT_TRUE(read.page.slots[254]);
    EXPECT_FALSE(read.page.slots[255]);

    // Cut anywhere, the members before the cut are kept.
    const MemberPageRead cut = decodeMemberPage(std::span(b.bytes()).first(b.size() / 2), 2);
    EXPECT_EQ(cut.status, StoreReadStatus::Damaged);
    EXPECT_GT(cut.elements, 100);
    EXPECT_TRUE(cut.page.slots[0]);
}

TEST(MemberList, AddingFillsTheFirstFreeSlotAndKeepsPagesContiguous) {
    MemberList list;
    MemberRecord m;
    m.name = u"一";
    EXPECT_EQ(list.add(m), 0);
    m.name = u"二";
    EXPECT_EQ(list.add(m), 1);
    ASSERT_TRUE(list.remove(0));
    m.name = u"三";
    EXPECT_EQ(list.add(m), 0);
    EXPECT_EQ(list.findByName(u"二"), 1);
    EXPECT_EQ(list.find(0)->name, u"三");

    MemberRecord far;
    far.number = 3 * 256 + 4;
    ASSERT_TRUE(list.put(far));
    EXPECT_TRUE(list.page(1) && list.page(2)); // the pages between exist, so that they are written
    EXPECT_EQ(list.nextNumber(), 3 * 256 + 5);
    EXPECT_EQ(list.size(), 3);
}

} // namespace
} // namespace stonewise

#include "store/StoreMemberDirectory.h"

namespace stonewise {
namespace {

TEST(StoreMemberDirectory, FindsPlayersByNameAndAddsNewOnes) {
    MemberList list;
    MemberRecord unknown;
    unknown.name = u"不明";
    list.put(unknown);
    list.page(0)->changed = false;
    StoreMemberDirectory members(list, {2026, 12, 10, 0});
    EXPECT_EQ(members.findOrCreate(u"不明"), 0);
    EXPECT_EQ(members.findOrCreate(u"本因坊秀策"), 1);
    EXPECT_EQ(members.findOrCreate(u"本因坊秀策"), 1);
    EXPECT_EQ(members.findOrCreate(u""), -1);
    const std::u16string longName(300, u'長');
    const int longOne = members.findOrCreate(longName);
    EXPECT_EQ(members.findOrCreate(longName), longOne); // found again under its cut name
    EXPECT_EQ(members.nameOf(longOne).size(), 255u);
    EXPECT_EQ(members.nameOf(1), u"本因坊秀策");
    EXPECT_EQ(members.nameOf(99), u"");
    EXPECT_EQ(members.added(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(list.page(0)->changed);
    EXPECT_EQ(list.find(1)->registered.year, 2026);
    EXPECT_EQ(list.find(1)->kind, kMemberGeneral);
}

} // namespace
} // namespace stonewise
