// The store fails one way: false or nothing, with the message to show. A file that cannot be
// written is made by putting a folder where the file goes (the tests run as any user, root too).
#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "store/GameListPage.h"
#include "store/GameStore.h"

namespace stonewise {
namespace {

class StoreFailure : public ::testing::Test {
protected:
    void SetUp() override {
        applyDefaultA(settings);
        store.start(settings, {2026, 12, 10, 0}, messages);
        ASSERT_TRUE(messages.empty());
    }

    // The file at `path` can no longer be replaced: a folder stands in its place.
    void blockFile(const std::string& path) {
        ASSERT_TRUE(removeFile(path));
        ASSERT_TRUE(makeFolder(path));
    }

    // The message that `path` could not be written.
    static StoreMessage notWritten(const std::string& path) {
        return {u"データファイルを書き込めませんでした。\r\n" + fromUtf8(path) +
                    u"\r\nデータフォルダに書き込めるか、ディスクに空きがあるかを確かめて下さい。",
                u"データの保存"};
    }

    int addGame(int group, std::u16string name) {
        const int number = store.newGameNumber(group, messages).value_or(-1);
        GameInfo info;
        info.number = number;
        info.name = std::move(name);
        EXPECT_TRUE(store.writeGame(group, number, *test::sampleRecord(30), &info, messages));
        store.gameList(group, messages).put(info);
        EXPECT_TRUE(store.saveGameList(group, messages));
        return number;
    }

    test::TempDataFolder temp;
    DataFolder folder{temp.path()};
    GameStore store{folder, StringTable::japanese()};
    SettingsRecord settings;
    StoreMessages messages;
};

// A group the list on disk does not hold would vanish at the next start with every game saved in
// it: adding one fails when the list cannot be written, and nothing is added.
TEST_F(StoreFailure, AGroupIsAddedOnlyWhenTheListIsWritten) {
    const std::string list = folder.file(kGroupListFileName);
    blockFile(list);
    StoreMessages m;
    EXPECT_EQ(store.addGroup(u"新しいグループ", kGroupViewing, std::nullopt, m), std::nullopt);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0], notWritten(list));
    EXPECT_FALSE(store.group(6));
    EXPECT_FALSE(isFolder(folder.groupFolder(6)));
}

// Deleting a group whose removal cannot be written keeps it, and its folder with it.
TEST_F(StoreFailure, AGroupIsDeletedOnlyWhenTheListIsWritten) {
    const std::string list = folder.file(kGroupListFileName);
    test::writeTestFile(folder.groupFile(3, "note.txt"), test::Bytes().end());
    blockFile(list);
    StoreMessages m;
    EXPECT_FALSE(store.deleteGroup(3, 0, m));
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0], notWritten(list));
    EXPECT_TRUE(store.group(3));
    EXPECT_TRUE(pathExists(folder.groupFile(3, "note.txt")));
}

// A move whose origin list cannot be written changes nothing: the game stays in its group and the
// copy leaves the destination again (before, the game was listed in both and gone from the
// origin's list in memory, while the move was reported as failed).
TEST_F(StoreFailure, AMoveThatCannotUpdateTheOriginChangesNothing) {
    const int number = addGame(1, u"動かす対局");
    store.gameList(3, messages);
    const std::string originPage = folder.groupFile(1, gameListPageFileName(number / kGamesPerPage));
    blockFile(originPage);
    StoreMessages m;
    EXPECT_EQ(store.moveGame(1, number, 3, u"移した対局", m), std::nullopt);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], notWritten(originPage));
    EXPECT_EQ(m[1], (StoreMessage{u"対局の移動が失敗しました。", u"対局の移動"}));

    EXPECT_TRUE(store.gameList(1, messages).find(number));
    EXPECT_TRUE(pathExists(folder.groupFile(1, gameFileName(number))));
    EXPECT_EQ(store.gameList(3, messages).count(), 0);
    EXPECT_FALSE(pathExists(folder.groupFile(3, gameFileName(1))));
    GameStore again(folder, StringTable::japanese());
    StoreMessages none;
    ASSERT_TRUE(again.readGroupList(none));
    EXPECT_EQ(again.gameList(3, none).count(), 0);
    EXPECT_TRUE(none.empty());
}

// Every write names the file it could not write; reads tell a failure from an empty result.
TEST_F(StoreFailure, WritesNameTheirFileAndReadsTellFailureFromNothing) {
    const int number = addGame(1, u"対局");
    const std::string game = folder.groupFile(1, gameFileName(number));
    blockFile(game);
    StoreMessages m;
    EXPECT_FALSE(store.writeGame(1, number, *test::sampleRecord(5), nullptr, m));
    EXPECT_EQ(m, StoreMessages{notWritten(game)});

    m.clear();
    MemberRecord someone;
    someone.number = 5;
    someone.name = u"新しい人";
    ASSERT_TRUE(store.members().put(someone));
    const std::string members = folder.file("MemberIdList.dat");
    blockFile(members);
    EXPECT_EQ(store.writeMembers(m), std::nullopt);
    EXPECT_EQ(m, StoreMessages{notWritten(members)});

    m.clear();
    const std::string keys = folder.file("SearchKeyList.dat");
    ASSERT_TRUE(makeFolder(keys));
    EXPECT_FALSE(store.writeSearchKeys({u"秀策"}, m));
    EXPECT_EQ(m, StoreMessages{notWritten(keys)});

    m.clear();
    EXPECT_FALSE(store.deleteGame(1, 77, m));
    EXPECT_EQ(m, (StoreMessages{{u"該当する対局(77)情報が見付かりません。", u"対局リストの読み込み"}}));

    // A folder without a list is a first start: an empty list, not a failure.
    test::TempDataFolder empty;
    GameStore fresh(DataFolder(empty.path()), StringTable::japanese());
    m.clear();
    EXPECT_EQ(fresh.readGroupList(m), 0);
    EXPECT_EQ(fresh.readMembers(m), 0);
    EXPECT_EQ(fresh.readSearchKeys(m), std::vector<std::u16string>{});
    EXPECT_TRUE(m.empty());
}

// A data folder whose list cannot be written still starts with the default groups, and says once
// that the list could not be written.
TEST(StoreStart, AListThatCannotBeWrittenIsSaidOnce) {
    test::TempDataFolder temp;
    const DataFolder folder(temp.path());
    ASSERT_TRUE(makeFolders(folder.file(kGroupListFileName)));
    GameStore store(folder, StringTable::japanese());
    SettingsRecord settings;
    applyDefaultA(settings);
    StoreMessages m;
    store.start(settings, {2026, 12, 10, 0}, m);
    EXPECT_EQ(m.size(), 1u);
    for (int n = 0; n < 6; ++n) EXPECT_TRUE(store.group(n)) << n;
}

} // namespace
} // namespace stonewise
