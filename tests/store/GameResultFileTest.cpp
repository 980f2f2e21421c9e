#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/GameResultFile.h"

namespace stonewise {
namespace {

using test::Bytes;

void resultGroup(Bytes& b, int slot, int number, std::u16string_view name) {
    b.element(10, static_cast<std::uint8_t>(slot), 3);
    b.fieldU16(1, {static_cast<std::uint16_t>(number)});
    b.fieldU16(2, {static_cast<std::uint16_t>(name.size())});
    if (name.empty()) b.fieldNoText(3);
    else b.fieldText(3, name);
}

void text(Bytes& b, std::uint8_t id, std::u16string_view t) {
    if (t.empty()) b.fieldNoText(id);
    else b.fieldText(id, t);
}

void day(Bytes& b, std::uint8_t id, int year, int month, int d) {
    b.head(8, id, 6).u16(static_cast<std::uint16_t>(year)).u16(static_cast<std::uint16_t>(month));
    b.u8(static_cast<std::uint8_t>(d)).u8(0);
}

// One record element with the fifteen fields in the layout's order.
void record(Bytes& b, int index, const GameResult& g) {
    b.element(10, static_cast<std::uint8_t>(index), 15);
    day(b, 1, g.begun.year, g.begun.month, g.begun.day);
    day(b, 2, g.ended.year, g.ended.month, g.ended.day);
    text(b, 3, g.place);
    text(b, 4, g.firstPlayer);
    b.fieldU16(5, {g.secondIsBlack});
    b.fieldU16(6, {g.handicap});
    b.head(6, 7, 4).f32(g.komi);
    b.fieldU16(8, {g.kept8});
    b.fieldU16(9, {g.result});
    b.head(6, 10, 4).f32(g.margin);
    b.fieldU16(11, {g.kept11});
    b.fieldU16(12, {g.kept12});
    text(b, 13, g.gameName);
    text(b, 14, g.impressions);
    text(b, 15, g.secondPlayer);
}

GameResult sampleResult() {
    GameResult g;
    g.begun = {2024, 3, 9, 0};
    g.ended = {2024, 4, 1, 0};
    g.place = u"メール";
    g.firstPlayer = u"山田";
    g.secondIsBlack = 1;
    g.handicap = 3;
    g.komi = 0.5f;
    g.kept8 = 7;
    g.result = 2;
    g.margin = 1000.0f;
    g.kept11 = 11;
    g.kept12 = 12;
    g.gameName = u"第3局";
    g.impressions = u"序盤で失敗";
    g.secondPlayer = u"鈴木";
    return g;
}

TEST(GameResultFile, GroupsReadFromTheLayoutAndWriteTheSameBytes) {
    Bytes b;
    b.header(5, 16, 4);
    resultGroup(b, 0, 0, u"碁会所");
    b.element(10, 1, 0); // an empty slot
    resultGroup(b, 2, 7, u"ネット碁");
    resultGroup(b, 3, 3, u"");
    b.end();

    const ResultGroupRead read = decodeResultGroups(b);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.slots, 4);
    EXPECT_EQ(read.groups[0], (ResultGroup{0, u"碁会所"}));
    EXPECT_FALSE(read.groups[1]);
    EXPECT_EQ(read.groups[2], (ResultGroup{7, u"ネット碁"})); // the number names its file, whatever the slot
    EXPECT_EQ(read.groups[3], (ResultGroup{3, u""}));
    EXPECT_EQ(usedResultGroupSlots(read.groups), 4);
    EXPECT_EQ(encodeResultGroups(read.groups, read.slots), b.bytes());
    EXPECT_EQ(resultRecordsFileName(7), "List00007.dat");
}

TEST(GameResultFile, RecordsReadFromTheLayoutAndWriteTheSameBytes) {
    GameResult empty; // every text absent: heads of length 0
    empty.result = 3;
    Bytes b;
    b.header(15, 16, 3);
    record(b, 0, sampleResult());
    b.element(10, 1, 0);
    record(b, 2, empty);
    b.end();

    const ResultRecordsRead read = decodeResultRecords(b);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    ASSERT_EQ(read.records.size(), 3u);
    ASSERT_TRUE(read.records[0]);
    EXPECT_EQ(*read.records[0], sampleResult());
    EXPECT_EQ(read.records[0]->blackName(), u"鈴木"); // field 5 = 1: the second player is black
    EXPECT_EQ(read.records[0]->whiteName(), u"山田");
    EXPECT_TRUE(read.records[0]->whiteWon());
    EXPECT_FALSE(read.records[1]);
    EXPECT_TRUE(read.records[2]->jigo());
    EXPECT_EQ(encodeResultRecords(read.records), b.bytes());
}

TEST(GameResultFile, ElementIndexesWrapAfter255AndUnknownFieldsAreSkipped) {
    ResultSlots many(300, sampleResult());
    const std::vector<std::uint8_t> bytes = encodeResultRecords(many);
    const ResultRecordsRead read = decodeResultRecords(bytes);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.records, many);

    Bytes b;
    b.header(15, 16, 1);
    b.element(10, 0, 3);
    b.head(2, 40, 3).u8(1).u8(2).u8(3); // an unknown field of odd length
    b.fieldText(13, u"対局");
    b.fieldU16(9, {1});
    b.end();
    const ResultRecordsRead odd = decodeResultRecords(b);
    ASSERT_EQ(odd.status, StoreReadStatus::Ok);
    EXPECT_EQ(odd.records[0]->gameName, u"対局");
    EXPECT_TRUE(odd.records[0]->blackWon());
}

TEST(GameResultFile, DamageKeepsWhatWasReadBeforeIt) {
    Bytes groups;
    groups.header(5, 16, 2);
    resultGroup(groups, 0, 0, u"碁会所");
    resultGroup(groups, 1, 1, u"ネット碁");
    groups.end();
    const std::size_t firstEnds = 16 + 4 + 6 + 6 + 4 + 8;
    for (std::size_t cut = 0; cut + 4 < groups.size(); ++cut) {
        const ResultGroupRead read = decodeResultGroups(std::span(groups.bytes()).first(cut));
        EXPECT_EQ(read.status, StoreReadStatus::Damaged) << cut;
        EXPECT_EQ(read.groups[0].has_value(), cut >= firstEnds) << cut;
        EXPECT_FALSE(read.groups[1]) << cut;
    }

    Bytes records;
    records.header(15, 16, 2);
    record(records, 0, sampleResult());
    record(records, 1, sampleResult());
    records.end();
    const std::size_t oneRecord = (records.size() - 16 - 4) / 2;
    for (std::size_t cut = 0; cut + 4 < records.size(); ++cut) {
        const ResultRecordsRead read = decodeResultRecords(std::span(records.bytes()).first(cut));
        EXPECT_EQ(read.status, StoreReadStatus::Damaged) << cut;
        EXPECT_EQ(read.records.size(), cut >= 16 + oneRecord ? 1u : 0u) << cut;
    }

    struct Case {
        const char* what;
        Bytes bytes;
        StoreReadStatus status;
    };
    Case cases[] = {
        {"a mark other than 10 or the end", {}, StoreReadStatus::Damaged},
        {"a negative field length", {}, StoreReadStatus::Damaged},
        {"another version", {}, StoreReadStatus::BadVersion},
        {"the end mark before the count", {}, StoreReadStatus::Ok},
    };
    cases[0].bytes.header(15, 16, 1).element(11, 0, 0).end();
    cases[1].bytes.header(15, 16, 1).element(10, 0, 1).head(7, 3, -2).end();
    cases[2].bytes.header(15, 16, 0, 2).end();
    cases[3].bytes.header(15, 16, 9).end();
    for (const Case& c : cases) {
        EXPECT_EQ(decodeResultRecords(c.bytes).status, c.status) << c.what;
        EXPECT_EQ(decodeResultGroups(c.bytes).status, c.status) << c.what;
    }
}

} // namespace
} // namespace stonewise
