// Saving under faults: a process killed in the middle of a save, and a disk that fills up.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "StoreTestSupport.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"

namespace stonewise {
namespace {

struct Version {
    std::unique_ptr<RecordSequence> record;
    GameInfo info;
    GroupTable groups{};
};

Version version(int moves, std::u16string name) {
    Version v;
    v.record = test::sampleRecord(moves);
    v.info.number = 1;
    v.info.name = name;
    for (int n = 0; n < 40; ++n)
        v.groups[static_cast<std::size_t>(n)] =
            GroupRecord{static_cast<std::uint16_t>(n), name + toU16(n), 0, 0, kGroupViewing, 1, std::nullopt};
    return v;
}

// Writes the game and the group list of `v` through the store.
bool save(GameStore& store, const Version& v) {
    for (int n = 0; n < kGroupSlots; ++n)
        if (v.groups[static_cast<std::size_t>(n)]) *store.group(n) = *v.groups[static_cast<std::size_t>(n)];
    StoreMessages m;
    return store.writeGame(1, 1, *v.record, &v.info, m) && store.writeGroupList(m);
}

GameStore storeWithGroups(const DataFolder& folder, const GroupTable& groups) {
    test::writeTestFile(folder.file("GroupIdList.dat"), encodeGroupList(groups, usedGroupSlots(groups)));
    GameStore store(folder, StringTable::japanese());
    StoreMessages m;
    store.readGroupList(m);
    return store;
}

TEST(SaveFault, AProcessKilledWhileSavingLeavesTheOldFilesOrTheNewOnes) {
    test::TempDataFolder temp;
    const DataFolder folder(temp.path());
    const Version a = version(300, u"前");
    const Version b = version(200, u"後の版");
    GameStore store = storeWithGroups(folder, a.groups);
    ASSERT_TRUE(save(store, a));

    const auto gameA = encodeGameFile(*a.record, &a.info, NodeForm::Ordinary);
    const auto gameB = encodeGameFile(*b.record, &b.info, NodeForm::Ordinary);
    const auto listA = encodeGroupList(a.groups, 40);
    const auto listB = encodeGroupList(b.groups, 40);
    ASSERT_NE(gameA, gameB);
    ASSERT_NE(listA, listB);

    std::mt19937 random(20261210);
    int sawNew = 0;
    for (int round = 0; round < 25; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves the two versions in turn until killed.
            for (int i = 0;; ++i) save(store, i % 2 ? a : b);
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(500, 30000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const auto game = test::readTestFile(folder.groupFile(1, "Game00001.dat"));
        const auto list = test::readTestFile(folder.file("GroupIdList.dat"));
        ASSERT_TRUE(game == gameA || game == gameB) << "a torn game file after round " << round;
        ASSERT_TRUE(list == listA || list == listB) << "a torn group list after round " << round;
        sawNew += game == gameB;
        StoreMessages m;
        GameStore reader(folder, StringTable::japanese());
        EXPECT_GT(reader.readGroupList(m), 0);
        EXPECT_EQ(reader.readGame(1, 1, m).status, StoreReadStatus::Ok);
        EXPECT_TRUE(m.empty());
    }
    EXPECT_GT(sawNew, 0); // the children did get to replace the files
}

TEST(SaveFault, AFullDiskLeavesEverySavedFileAsItWas) {
    test::TempDataFolder temp;
    const DataFolder folder(temp.path());
    const Version a = version(300, u"前");
    const Version b = version(250, u"後");
    GameStore store = storeWithGroups(folder, a.groups);
    ASSERT_TRUE(save(store, a));
    SettingsRecord settings;
    applyDefaultA(settings);
    ASSERT_TRUE(saveSettings(folder, settings));
    const auto before = [&] {
        std::vector<std::vector<std::uint8_t>> files;
        for (const char* name : {"GroupIdList.dat", "Settings.dat", "Group001/Game00001.dat"})
            files.push_back(test::readTestFile(folder.file(name)));
        return files;
    };
    const auto stored = before();

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A disk with room for 200 bytes more per file: every larger write fails.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{200, 200};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        int failures = 0;
        StoreMessages m;
        failures += !store.writeGame(1, 1, *b.record, &b.info, m);
        failures += !store.writeGroupList(m);
        failures += m.size() != 2; // and says so, once for each file
        settings.movesPerMail = 50;
        failures += !saveSettings(folder, settings);
        ::_exit(failures);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3) << "every save reports its failure, with its message";
    EXPECT_EQ(before(), stored);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.path()))
        EXPECT_EQ(entry.path().filename().string().front() == '.', false)
            << "a temporary file was left: " << entry.path();
}

} // namespace
} // namespace stonewise
