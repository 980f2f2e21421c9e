#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/GameListPage.h"

namespace stonewise {
namespace {

using test::Bytes;

// The 84-byte entry of game 31 as a game list page stores it: 21 fields, ids 1–20 and 23.
void entry31(Bytes& b, std::uint8_t displayFlags = 0, std::uint8_t lastVersionByte = 0) {
    b.element(10, 1, 21);
    b.fieldU32(1, {31});
    b.fieldText(2, u"第3局 本因坊戦");
    b.fieldU32(3, {2, 257});
    b.head(2, 4, 4).u8(5).u8(6).u16(0x0708);
    b.fieldU16(5, {3});
    b.head(6, 6, 4).f32(6.5f);
    b.head(8, 7, 6).u16(2024).u16(11).u8(23).u8(0);
    b.head(8, 8, 6).u16(2025).u16(1).u8(2).u8(21);
    b.fieldU16(9, {120});
    b.fieldU16(10, {1});
    b.fieldU16(11, {1});
    b.fieldU16(12, {2});
    b.head(6, 13, 4).f32(1000.0f);
    b.fieldU16(14, {119});
    b.fieldText(15, u"件名");
    b.fieldU16(16, {0x0410});
    b.head(4, 17, 4).u8(1).u8(0x08).u8(0x03).u8(displayFlags);
    b.head(8, 18, 8).u16(2025).u16(2).u8(3).u8(4).u8(5).u8(6);
    b.head(4, 19, 4).u8(2).u8(9).u8(10).u8(lastVersionByte);
    b.fieldU32(20, {0xDEADBEEF});
    b.fieldNoText(23);
}

Bytes pageWithGame31(std::uint8_t displayFlags = 0, std::uint8_t lastVersionByte = 0) {
    Bytes b;
    b.header(0x000C0003, 84, 10);
    b.element(10, 0, 0);
    entry31(b, displayFlags, lastVersionByte);
    for (int slot = 2; slot < 10; ++slot) b.element(10, static_cast<std::uint8_t>(slot), 0);
    b.end();
    return b;
}

TEST(GameListPage, ReadsAnEntryOfTheLayoutAndWritesTheSameBytes) {
    const Bytes b = pageWithGame31();
    const GameListPageRead read = decodeGameListPage(b, 3);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.used, 2);
    EXPECT_FALSE(read.entries[0]);
    ASSERT_TRUE(read.entries[1]);
    const GameInfo& g = *read.entries[1];
    EXPECT_EQ(g.number, 31);
    EXPECT_EQ(g.name, u"第3局 本因坊戦");
    EXPECT_EQ(g.blackPlayer, 2);
    EXPECT_EQ(g.whitePlayer, 257);
    EXPECT_EQ(g.carriedByte1, 5);
    EXPECT_EQ(g.carriedByte2, 6);
    EXPECT_EQ(g.carriedWord, 0x0708);
    EXPECT_EQ(g.handicap, 3);
    EXPECT_EQ(g.komi, 6.5f);
    EXPECT_EQ(g.startDate.year, 2024);
    EXPECT_EQ(g.startDate.day, 23);
    EXPECT_EQ(g.endDate.hour, 21);
    EXPECT_EQ(g.lastExchangedMove, 120);
    EXPECT_EQ(g.type, kGameMailGo);
    EXPECT_TRUE(g.isProtected());
    EXPECT_EQ(g.winner, kWhiteWins);
    EXPECT_EQ(g.margin, 1000.0f);
    EXPECT_EQ(g.ownMoveMark, 119);
    EXPECT_EQ(g.gameComment, u"件名");
    EXPECT_EQ(g.flags, 0x0410);
    EXPECT_EQ(g.board, 1);
    EXPECT_EQ(g.startFlags, 0x08);
    EXPECT_EQ(g.mailGoFlags, 0x03);
    EXPECT_EQ(g.waitingTime.minute, 5);
    EXPECT_EQ(g.waitingTime.second, 6);
    EXPECT_EQ(g.formatVersion, 2);
    EXPECT_EQ(g.versionBytes, (std::array<std::uint8_t, 3>{9, 10, 0}));
    EXPECT_EQ(g.carriedValue, 0xDEADBEEFu);
    EXPECT_EQ(g.carriedText, u"");
    EXPECT_EQ(encodeGameListPage(read.entries), b.bytes());
    EXPECT_EQ(gameListPageFileName(3), "GameIdList00003.dat");
}

TEST(GameListPage, DisplayFlagsAndTheLastVersionByteAreClearedOnReading) {
    const GameListPageRead read = decodeGameListPage(pageWithGame31(0x03, 0x7F), 3);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.entries[1]->displayFlags, 0);
    EXPECT_EQ(read.entries[1]->versionBytes[2], 0);
    EXPECT_EQ(encodeGameListPage(read.entries), pageWithGame31().bytes());
}

TEST(GameListPage, EmptyPagesDamageAndVersion) {
    Bytes empty;
    empty.header(0x000C0003, 84, 10);
    for (int slot = 0; slot < 10; ++slot) empty.element(10, static_cast<std::uint8_t>(slot), 0);
    empty.end();
    const GameListPageRead none = decodeGameListPage(empty, 0);
    EXPECT_EQ(none.status, StoreReadStatus::Ok);
    EXPECT_EQ(none.used, 0);
    EXPECT_EQ(encodeGameListPage(GameListSlots{}), empty.bytes());

    const Bytes full = pageWithGame31();
    const GameListPageRead cut = decodeGameListPage(std::span(full.bytes()).first(60), 3);
    EXPECT_EQ(cut.status, StoreReadStatus::Damaged);
    EXPECT_EQ(cut.damagedSlot, 1);
    Bytes version;
    version.header(0x000C0003, 84, 10, 7).end();
    EXPECT_EQ(decodeGameListPage(version, 0).status, StoreReadStatus::BadVersion);
}

TEST(GameListPage, TextsLongerThanTheirBufferAreCut) {
    GameListSlots slots{};
    GameInfo g;
    g.number = 5;
    g.name = std::u16string(256, u'a') + u"b";
    g.gameComment = std::u16string(1000, u'c');
    slots[5] = g;
    const GameListPageRead read = decodeGameListPage(encodeGameListPage(slots), 0);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.entries[5]->name, std::u16string(255, u'a'));
    EXPECT_EQ(read.entries[5]->gameComment, std::u16string(255, u'c'));
}

} // namespace
} // namespace stonewise
