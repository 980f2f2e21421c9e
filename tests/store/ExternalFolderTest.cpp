// An external game-record group kept equal to its folder of SGF files: files added, changed,
// renamed and removed on disk, files another program is still writing, files the reader refuses,
// and a folder that is briefly missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <utime.h>

#include "StoreTestSupport.h"
#include "record/Text.h"
#include "store/ExternalFolder.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"

namespace stonewise {
namespace {

class ExternalFolderTest : public ::testing::Test {
protected:
    test::TempDataFolder temp;
    DataFolder data{temp.path()};
    GameStore store{data, StringTable::japanese()};
    StoreMessages messages;
    std::string folder = temp.path() + "records/";
    std::int64_t now = 2'000'000'000; // every file below was written long before
    int group = 0;

    void SetUp() override {
        SettingsRecord settings;
        applyDefaultA(settings);
        store.start(settings, {2026, 12, 10, 0}, messages);
        std::filesystem::create_directories(folder);
        group = store.addGroup(u"外部", kGroupViewing | kGroupExternal, fromUtf8(folder), messages).value();
    }

    // Writes a file with its last-write time `age` seconds before now.
    void put(const std::string& name, const std::string& text, std::int64_t age = 3600) {
        std::ofstream(folder + name, std::ios::binary) << text;
        const utimbuf times{static_cast<time_t>(now - age), static_cast<time_t>(now - age)};
        ::utime((folder + name).c_str(), &times);
    }
    ExternalSyncResult sync(ExternalGroup& g) { return g.synchronise(store, scanExternalFolder(folder, now), {}); }
    // The group's games as "file: name" lines, in file order.
    std::vector<std::string> games() {
        std::vector<std::string> out;
        for (const GameInfo* info : store.gameList(group, messages).entries())
            out.push_back(toUtf8(info->gameComment) + ": " + toUtf8(info->name));
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(ExternalFolderTest, TheGroupFollowsFilesAddedChangedRenamedAndRemoved) {
    put("a.sgf", "(;GN[一局目];B[pd])");
    put("b.SGF", "(;GN[二局目];B[dd])");   // the extension in any case
    put("c.sgf.bak", "(;GN[控え];B[dd])"); // not a game record file
    put("notes.txt", "x");
    ExternalGroup g(group, folder);
    ExternalSyncResult r = sync(g);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(games(), (std::vector<std::string>{"a.sgf: 一局目", "b.SGF: 二局目"}));
    for (const GameInfo* info : store.gameList(group, messages).entries()) EXPECT_TRUE(info->flags & kInfoExternalGame);

    // Nothing changed: nothing happens.
    EXPECT_FALSE(sync(g).changed);

    // Changed (a new time stamp), renamed (one removal and one addition), removed.
    put("a.sgf", "(;GN[一局目改];B[pd];W[dp])", 60);
    std::filesystem::rename(folder + "b.SGF", folder + "b2.sgf");
    r = sync(g);
    EXPECT_EQ(r.reread, 1);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.removed, 1);
    EXPECT_EQ(games(), (std::vector<std::string>{"a.sgf: 一局目改", "b2.sgf: 二局目"}));
    std::filesystem::remove(folder + "a.sgf");
    r = sync(g);
    EXPECT_EQ(r.removedGames.size(), 1u);
    EXPECT_EQ(games(), (std::vector<std::string>{"b2.sgf: 二局目"}));
}

TEST_F(ExternalFolderTest, ANewRunStartsFromTheStoredListAndDoesNotReadTheFilesAgain) {
    put("a.sgf", "(;GN[一局目];B[pd])");
    {
        ExternalGroup first(group, folder);
        EXPECT_EQ(sync(first).added, 1);
    }
    ExternalGroup again(group, folder);
    const ExternalSyncResult r = sync(again);
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(games(), (std::vector<std::string>{"a.sgf: 一局目"}));
}

TEST_F(ExternalFolderTest, AMissingFolderKeepsTheGamesAndAFileStillBeingWrittenWaits) {
    put("a.sgf", "(;GN[一局目];B[pd])");
    ExternalGroup g(group, folder);
    sync(g);
    // The folder is gone for a while (an unmounted disk): the games stay.
    std::filesystem::rename(folder, temp.path() + "away");
    ExternalSyncResult r = sync(g);
    EXPECT_TRUE(r.folderMissing);
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(games().size(), 1u);
    std::filesystem::rename(temp.path() + "away", folder);
    EXPECT_FALSE(sync(g).changed);

    // A file written a moment ago (perhaps half) is neither read nor taken for removed.
    put("b.sgf", "(;GN[二局目];B[d", 0);
    put("a.sgf", "(;GN[一局目", 1);
    r = sync(g);
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(games(), (std::vector<std::string>{"a.sgf: 一局目"}));
    now += 10; // written out by now
    put("b.sgf", "(;GN[二局目];B[dd])", 5);
    put("a.sgf", "(;GN[一局目改];B[pd])", 5);
    r = sync(g);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.reread, 1);
    EXPECT_EQ(games(), (std::vector<std::string>{"a.sgf: 一局目改", "b.sgf: 二局目"}));
}

TEST_F(ExternalFolderTest, AFileTheReaderRefusesIsNamedOnceAndTriedAgainWhenItChanges) {
    put("bad.sgf", "not a game record");
    ExternalGroup g(group, folder);
    ExternalSyncResult r = sync(g);
    EXPECT_EQ(r.newlyRefused, std::vector<std::string>{"bad.sgf"});
    EXPECT_TRUE(sync(g).newlyRefused.empty());
    put("bad.sgf", "(;GN[直った];B[pd])", 30);
    r = sync(g);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(games(), (std::vector<std::string>{"bad.sgf: 直った"}));
}

} // namespace
} // namespace stonewise
