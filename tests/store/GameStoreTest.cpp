#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "store/StoreStrings.h"

namespace stonewise {
namespace {

using test::Bytes;

class GameStoreTest : public ::testing::Test {
protected:
    test::TempDataFolder temp;
    DataFolder folder{temp.path()};
    GameStore store{folder, StringTable::japanese()};
    SettingsRecord settings = [] {
        SettingsRecord s;
        applyDefaultA(s);
        return s;
    }();
    const GameDate today{2026, 12, 10, 0};
    StoreMessages messages;

    // Saves a game under the next number of a group, with its list entry.
    int addGame(int group, std::u16string name, int moves = 20) {
        const int number = store.newGameNumber(group, messages).value_or(-1);
        EXPECT_GT(number, 0);
        GameInfo info;
        info.number = number;
        info.name = std::move(name);
        auto record = test::sampleRecord(moves);
        EXPECT_TRUE(store.writeGame(group, number, *record, &info, messages));
        store.gameList(group, messages).put(info);
        EXPECT_TRUE(store.saveGameList(group, messages));
        return number;
    }
};

TEST_F(GameStoreTest, AFirstStartCreatesTheSixGroupsAndTheTwoMembers) {
    setLastView(settings, 106, 1); // the scratch group reads as none, then 0
    store.start(settings, today, messages);
    EXPECT_TRUE(messages.empty());
    const std::pair<std::u16string_view, std::uint32_t> expected[] = {{u"メール碁", 1},
                                                                      {u"対局・記録", 16},
                                                                      {u"問題集", 64},
                                                                      {u"棋譜鑑賞", 256},
                                                                      {u"終局したメール碁の保存", 2},
                                                                      {u"終局した対局の保存", 32}};
    for (int n = 0; n < 6; ++n) {
        const GroupRecord* g = store.group(n);
        ASSERT_TRUE(g) << n;
        EXPECT_EQ(g->name, expected[n].first);
        EXPECT_EQ(g->type, expected[n].second);
        EXPECT_EQ(g->gameCount, 0);
        EXPECT_TRUE(isFolder(folder.groupFolder(n)));
    }
    EXPECT_FALSE(store.group(6));
    EXPECT_EQ(store.currentGroup(), 0);

    ASSERT_EQ(store.members().size(), 2);
    EXPECT_EQ(store.members().find(0)->name, u"不明");
    EXPECT_EQ(store.members().find(1)->name, u"黒石さん");
    EXPECT_EQ(store.members().find(1)->kind, kMemberGeneral);
    EXPECT_EQ(store.members().find(1)->registered.year, 2026);

    // What was written reads back the same in a new store.
    GameStore again(folder, StringTable::japanese());
    StoreMessages none;
    EXPECT_EQ(again.readGroupList(none), 6);
    EXPECT_EQ(again.groups(), store.groups());
    EXPECT_EQ(again.readMembers(none), 2);
    EXPECT_TRUE(none.empty());
}

TEST_F(GameStoreTest, ASingleUntypedGroupBecomesMailGoAndExistingKindsAreNotDuplicated) {
    GroupTable groups{};
    groups[3] = GroupRecord{3, u"私の棋譜", 0, 0, 0, 0, std::nullopt};
    test::writeTestFile(folder.file("GroupIdList.dat"), encodeGroupList(groups, 4));
    store.start(settings, today, messages);
    EXPECT_EQ(store.group(3)->type, kGroupMailGo);
    int count = 0;
    for (const auto& g : store.groups()) count += g.has_value();
    EXPECT_EQ(count, 6);
    EXPECT_EQ(store.group(0)->type, kGroupPlayAndRecord); // the next free numbers

    GroupTable some{};
    some[0] = GroupRecord{0, u"両方", 0, 0, kGroupMailGo | kGroupViewing, 0, std::nullopt};
    some[1] = GroupRecord{1, u"問題", 0, 0, kGroupProblems, 0, std::nullopt};
    test::writeTestFile(folder.file("GroupIdList.dat"), encodeGroupList(some, 2));
    GameStore other(folder, StringTable::japanese());
    other.start(settings, today, messages);
    std::vector<std::uint32_t> types;
    for (const auto& g : other.groups())
        if (g) types.push_back(g->type);
    EXPECT_EQ(types, (std::vector<std::uint32_t>{257, 64, 16, 2, 32}));

    // A pattern database group is not one of the user's groups.
    GroupTable analysis{};
    analysis[100] = GroupRecord{100, u"Temporary For Analyze", 0, 0, 0, 0, std::nullopt};
    test::writeTestFile(folder.file("GroupIdList.dat"), encodeGroupList(analysis, 101));
    GameStore third(folder, StringTable::japanese());
    third.start(settings, today, messages);
    EXPECT_EQ(third.group(100)->type, 0u);
    EXPECT_EQ(third.group(0)->type, kGroupMailGo);
    EXPECT_EQ(third.group(5)->type, kGroupFinishedGames);
}

TEST_F(GameStoreTest, TheGroupOfAModePrefersTheRememberedOne) {
    store.start(settings, today, messages);
    StoreMessages m;
    const int second = store.addGroup(u"第二鑑賞", kGroupViewing, std::nullopt, m).value();
    EXPECT_EQ(store.groupForMode(256, settings), 3);
    settings.modeGroups[5] = second;
    EXPECT_EQ(store.groupForMode(256, settings), second);
    settings.modeGroups[5] = 0; // a remembered group that does not serve the mode is passed over
    EXPECT_EQ(store.groupForMode(256, settings), 3);
    EXPECT_EQ(store.groupForMode(8192, settings), std::nullopt);
    EXPECT_EQ(store.groupForMode(0, settings), std::nullopt);
    store.addGroup(u"未分類", 0, std::nullopt, m);
    EXPECT_EQ(store.groupForMode(0, settings), 7);
}

TEST_F(GameStoreTest, GameNumbersDeletingAndTheGroupRefusals) {
    store.start(settings, today, messages);
    EXPECT_EQ(addGame(1, u"一"), 1);
    EXPECT_EQ(addGame(1, u"二"), 2);
    EXPECT_EQ(addGame(1, u"三"), 3);
    EXPECT_TRUE(pathExists(folder.groupFile(1, "Game00002.dat")));
    ASSERT_TRUE(store.deleteGame(1, 2, messages));
    EXPECT_FALSE(pathExists(folder.groupFile(1, "Game00002.dat")));
    EXPECT_EQ(store.newGameNumber(1, messages), 2); // the lowest empty slot
    ASSERT_TRUE(store.saveGameList(1, messages));

    StoreMessages refused;
    EXPECT_FALSE(store.deleteGroup(1, 0, refused));
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].text, u"グループ(2)には有効な対局が在るので、削除できません。");
    refused.clear();
    EXPECT_FALSE(store.deleteGroup(2, 2, refused)); // the current group, even without games
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].text, u"対局が在るグループ、或いは現在のグループは削除できません。");

    test::writeTestFile(folder.groupFile(2, "SGF/old.sgf"), Bytes().u8(1));
    EXPECT_TRUE(store.deleteGroup(2, 0, refused));
    EXPECT_FALSE(store.group(2));
    EXPECT_FALSE(pathExists(folder.groupFolder(2)));
    GameStore again(folder, StringTable::japanese());
    again.readGroupList(refused);
    EXPECT_FALSE(again.group(2));
    EXPECT_TRUE(again.group(3));

    // A new store sees the saved list.
    GameList& list = again.gameList(1, refused);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.find(3)->name, u"三");
    EXPECT_EQ(again.group(1)->gameCount, 2);
}

TEST_F(GameStoreTest, TheHundredAndFirstGroupIsRefused) {
    GroupTable groups{};
    for (int n = 0; n < 99; ++n)
        groups[static_cast<std::size_t>(n)] = GroupRecord{0, u"g", 0, 0, 1 | 2 | 16 | 32 | 64 | 256, 0, {}};
    groups[100] = GroupRecord{}; // a pattern database group does not count
    test::writeTestFile(folder.file("GroupIdList.dat"), encodeGroupList(groups, 101));
    store.start(settings, today, messages);
    StoreMessages m;
    EXPECT_EQ(store.addGroup(u"g", kGroupViewing, std::nullopt, m), 99);
    EXPECT_TRUE(m.empty());
    EXPECT_EQ(store.addGroup(u"over", kGroupViewing, std::nullopt, m), std::nullopt);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, u"登録済みのグループが制限に達したので、追加出来ません。");
    EXPECT_EQ(m[0].title, u"グループ設定");
}

TEST_F(GameStoreTest, CopyingAndMovingAGame) {
    store.start(settings, today, messages);
    const int number = addGame(1, u"元の対局", 120);
    const GameFileRead original = store.readGame(1, number, messages);
    ASSERT_EQ(original.status, StoreReadStatus::Ok);

    const auto copy = store.copyGame(1, number, 3, std::u16string(250, u'名'), messages);
    ASSERT_EQ(copy, 1);
    const GameFileRead copied = store.readGame(3, *copy, messages);
    ASSERT_EQ(copied.status, StoreReadStatus::Ok);
    test::expectSameRecord(*original.main, *copied.main);
    EXPECT_EQ(copied.entry->name, std::u16string(200, u'名'));
    EXPECT_EQ(copied.entry->number, 1);
    EXPECT_TRUE(store.gameList(1, messages).find(number));

    const auto moved = store.moveGame(1, number, 3, u"移した対局", messages);
    ASSERT_EQ(moved, 2);
    EXPECT_FALSE(store.gameList(1, messages).find(number));
    EXPECT_FALSE(pathExists(folder.groupFile(1, "Game00001.dat")));
    EXPECT_EQ(store.group(3)->gameCount, 2);
    EXPECT_TRUE(messages.empty());

    // The lists on disk agree.
    GameStore again(folder, StringTable::japanese());
    StoreMessages m;
    again.readGroupList(m);
    EXPECT_EQ(again.gameList(1, m).count(), 0);
    EXPECT_EQ(again.gameList(3, m).find(2)->name, u"移した対局");

    // A game whose file is gone cannot be copied.
    ASSERT_TRUE(removeFile(folder.groupFile(3, "Game00002.dat")));
    EXPECT_EQ(store.copyGame(3, 2, 1, u"x", m), std::nullopt);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0], (StoreMessage{u"対局のコピーが失敗しました。", u"対局のコピー"}));
    m.clear();
    EXPECT_EQ(store.moveGame(3, 2, 1, u"x", m), std::nullopt);
    EXPECT_EQ(m.back(), (StoreMessage{u"対局の移動が失敗しました。", u"対局の移動"}));
}

TEST_F(GameStoreTest, OpeningAGameWithoutEntryOrFile) {
    store.start(settings, today, messages);
    StoreMessages m;
    EXPECT_FALSE(store.openGame(1, 5, m).main);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, u"該当する対局(5)情報が見付かりません。");
    const int number = addGame(1, u"消える");
    ASSERT_TRUE(removeFile(folder.groupFile(1, "Game00001.dat")));
    m.clear();
    EXPECT_FALSE(store.openGame(1, number, m).main);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, u"対局データの読み込みが失敗しました。");
}

TEST_F(GameStoreTest, TheScratchGameIsCompactInItsOwnFolder) {
    store.start(settings, today, messages);
    EXPECT_EQ(store.gameFilePath(kScratchGroup, 0), ""); // no scratch folder named yet
    store.setScratchFolder(fromUtf8(temp.path() + "scratch"));
    const auto record = test::sampleRecord(80);
    GameInfo info;
    info.name = u"臨時";
    ASSERT_TRUE(store.writeGame(kScratchGroup, 0, *record, &info, messages));
    const std::string path = temp.path() + "scratch/Game00000.dat";
    ASSERT_EQ(store.gameFilePath(kScratchGroup, 0), path);
    EXPECT_EQ(test::readTestFile(path), encodeGameFile(*record, &info, NodeForm::Compact));
    const GameFileRead read = store.readGame(kScratchGroup, 0, messages);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    test::expectSameRecord(*record, *read.main, false);
    EXPECT_EQ(read.main->node(1).elapsed, 0); // elapsed times are not kept in this form
}

TEST_F(GameStoreTest, VersionAndDamageMessagesNameTheirFile) {
    test::writeTestFile(folder.file("GroupIdList.dat"), Bytes().header(1, 28, 0, 2).end());
    StoreMessages m;
    EXPECT_EQ(store.readGroupList(m), std::nullopt); // not the empty list of a first start
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].text, u"グループ情報ファイルの読み込みが失敗しました。\r\n互換性の無いバージョンのファイルです。");
    EXPECT_EQ(m[0].title, u"ファイル読み込み");

    m.clear();
    test::writeTestFile(folder.file("GroupIdList.dat"), Bytes().header(1, 28, 1).element(10, 0, 3).end());
    EXPECT_EQ(store.readGroupList(m), std::nullopt);
    EXPECT_EQ(m.at(0),
              (StoreMessage{u"エラーが発生しました。保存されたデータが異常です。", u"グループリストの読み込み"}));

    m.clear();
    Bytes members;
    members.header(2, 28, 1).element(10, 0, 1).fieldU16(1, {4}).end();
    test::writeTestFile(folder.file("MemberIdList.dat"), members);
    test::writeTestFile(folder.file("MemberIdList001.dat"), Bytes().header(2, 28, 1, 9).end());
    test::writeTestFile(folder.file("MemberIdList002.dat"), Bytes().header(2, 28, 1).element(10, 0, 0).end());
    EXPECT_EQ(store.readMembers(m), 1);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].title, u"メンバーリストの読み込み");
    EXPECT_EQ(m[1].text, u"メンバー情報ファイルの読み込みが失敗しました。\r\n互換性の無いバージョンのファイルです。");
    EXPECT_FALSE(store.members().page(2)); // reading stopped at the page of the wrong version

    m.clear();
    Bytes page;
    page.header(0x000C0003, 84, 10).element(10, 0, 0).element(10, 1, 0).element(10, 2, 5);
    test::writeTestFile(folder.groupFile(4, "GameIdList00001.dat"), page);
    test::writeTestFile(folder.groupFile(4, "GameIdList00002.dat"), Bytes().header(0x000C0003, 84, 10, 0).end());
    store.gameList(4, m);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], (StoreMessage{u"エラーが発生しました。保存されたデータが異常です。 グループ=4 対局=12",
                                  u"対局リストの読み込み"}));
    EXPECT_EQ(m[1].text, u"対局情報ファイルの読み込みが失敗しました。\r\n互換性の無いバージョンのファイルです。");

    m.clear();
    test::writeTestFile(folder.groupFile(4, "Game00003.dat"), Bytes().header(0x000D0003, 0, 0).element(10, 255, 4));
    EXPECT_EQ(store.readGame(4, 3, m).status, StoreReadStatus::Damaged);
    EXPECT_EQ(m.at(0).title, u"棋譜データの読み込み");
    m.clear();
    test::writeTestFile(folder.groupFile(4, "Game00003.dat"), Bytes().header(0x000D0003, 0, 0, 5).end());
    EXPECT_EQ(store.readGame(4, 3, m).status, StoreReadStatus::BadVersion);
    EXPECT_EQ(m.at(0).text,
              u"内部棋譜データファイルの読み込みが失敗しました。\r\n互換性の無いバージョンのファイルです。");

    m.clear();
    test::writeTestFile(folder.file("SearchKeyList.dat"), Bytes().header(4, 0xFFFF, 2).element(10, 0, 9));
    EXPECT_TRUE(store.readSearchKeys(m).value().empty());
    EXPECT_EQ(m.at(0).title, u"検索キーリストの読み込み");
    m.clear();
    ASSERT_TRUE(store.writeSearchKeys({u"秀策", u"丈和"}, m));
    EXPECT_EQ(store.readSearchKeys(m), (std::vector<std::u16string>{u"秀策", u"丈和"}));
    EXPECT_TRUE(m.empty());
}

TEST_F(GameStoreTest, OnlyChangedMemberPagesAreWritten) {
    store.start(settings, today, messages);
    const auto page0 = test::readTestFile(folder.file("MemberIdList.dat"));
    MemberRecord far;
    far.number = 300;
    far.name = u"遠く";
    ASSERT_TRUE(store.members().put(far));
    EXPECT_EQ(store.writeMembers(messages), 1);
    EXPECT_TRUE(pathExists(folder.file("MemberIdList001.dat")));
    EXPECT_EQ(test::readTestFile(folder.file("MemberIdList.dat")), page0);
    EXPECT_EQ(store.writeMembers(messages), 0);
    GameStore again(folder, StringTable::japanese());
    StoreMessages m;
    EXPECT_EQ(again.readMembers(m), 3);
    EXPECT_EQ(again.members().find(300)->name, u"遠く");
}

} // namespace
} // namespace stonewise
