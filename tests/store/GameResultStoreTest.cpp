#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "record/StringTable.h"
#include "store/FileIo.h"
#include "store/GameResultReport.h"
#include "store/GameResultStore.h"

namespace stonewise {
namespace {

using test::TempDataFolder;

GameResult played(std::u16string name) {
    GameResult g;
    g.begun = {2025, 5, 1, 0};
    g.ended = {2025, 5, 1, 0};
    g.firstPlayer = u"私";
    g.secondPlayer = u"相手";
    g.gameName = std::move(name);
    g.place = u"碁会所";
    g.margin = 4.5f;
    return g;
}

TEST(GameResultStore, GroupsAndRecordsSurviveAReopen) {
    TempDataFolder dir;
    {
        GameResultStore store(DataFolder(dir.path()), StringTable::japanese());
        StoreMessages messages;
        EXPECT_TRUE(store.readGroups(messages)); // no folder yet: no groups, no message
        const auto a = store.addGroup(u"碁会所", messages);
        const auto b = store.addGroup(u"ネット", messages);
        ASSERT_TRUE(a && b);
        ASSERT_TRUE(store.writeRecords(*b, {played(u"一"), std::nullopt, played(u"二")}, messages));
        ASSERT_TRUE(store.removeGroup(*a, messages));
        EXPECT_TRUE(messages.empty());
    }
    EXPECT_TRUE(test::readTestFile(dir.path() + "GameResult/List00001.dat").size() > 16);
    GameResultStore store(DataFolder(dir.path()), StringTable::japanese());
    StoreMessages messages;
    ASSERT_TRUE(store.readGroups(messages));
    EXPECT_FALSE(store.group(0));
    ASSERT_TRUE(store.group(1));
    EXPECT_EQ(store.findGroup(u"ネット"), 1);
    const ResultSlots records = store.readRecords(1, messages);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2]->gameName, u"二");
    EXPECT_FALSE(records[1]);
    EXPECT_TRUE(messages.empty());

    // A new group takes the freed slot 0 and the freed number 0 (whose records file went with it).
    EXPECT_FALSE(pathExists(dir.path() + "GameResult/List00000.dat"));
    EXPECT_EQ(store.addGroup(u"新", messages), 0);
    EXPECT_EQ(store.group(0)->number, 0);
}

TEST(GameResultStore, ADamagedGroupFileKeepsItsReadableGroupsAndIsKeptAsideBeforeItIsReplaced) {
    TempDataFolder dir;
    const std::string groups = dir.path() + "GameResult/GameResultGroup.dat";
    {
        GameResultStore store(DataFolder(dir.path()), StringTable::japanese());
        StoreMessages messages;
        store.addGroup(u"一", messages);
        store.addGroup(u"二", messages);
        ASSERT_TRUE(store.writeRecords(1, {played(u"残る")}, messages));
    }
    std::vector<std::uint8_t> bytes = test::readTestFile(groups);
    bytes.resize(bytes.size() - 10); // the second group cut short
    test::writeTestFile(groups, bytes);

    GameResultStore store(DataFolder(dir.path()), StringTable::japanese());
    StoreMessages messages;
    EXPECT_FALSE(store.readGroups(messages));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], (StoreMessage{u"エラーが発生しました。保存されたデータが異常です。",
                                         u"対局結果のグループリストの読み込み"}));
    EXPECT_TRUE(store.group(0));
    EXPECT_FALSE(store.group(1));

    // The lost group's records file keeps its number: the new group takes another.
    const auto added = store.addGroup(u"三", messages);
    ASSERT_EQ(added, 1);
    EXPECT_EQ(store.group(1)->number, 2);
    EXPECT_EQ(test::readTestFile(groups + "$"), bytes);
    EXPECT_TRUE(pathExists(dir.path() + "GameResult/List00001.dat"));
}

TEST(GameResultStore, CsvExportWritesTheWholeFileOrNothing) {
    TempDataFolder dir;
    GameResultStore store(DataFolder(dir.path()), StringTable::japanese());
    StoreMessages messages;
    const auto slot = store.addGroup(u"碁会所", messages);
    ASSERT_TRUE(slot);
    const ResultSlots records = {played(u"一"), played(u"二")};
    ASSERT_TRUE(store.writeRecords(*slot, records, messages));

    const std::string good = dir.path() + "out.csv";
    ASSERT_TRUE(store.exportCsv(*slot, good, false, messages));
    EXPECT_EQ(test::readTestFile(good), resultCsvBytes(u"碁会所", records, false));

    const std::string missing = dir.path() + "no/such/folder/out.csv";
    EXPECT_FALSE(store.exportCsv(*slot, missing, false, messages));
    EXPECT_FALSE(pathExists(missing));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, u"CSV出力");
    EXPECT_NE(messages[0].text.find(u"no/such/folder/out.csv"), std::u16string::npos);
    EXPECT_FALSE(store.exportCsv(7, good, false, messages)); // no such group
}

} // namespace
} // namespace stonewise
