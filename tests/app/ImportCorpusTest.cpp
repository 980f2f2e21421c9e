// Every file of the corpus of other programs' game records imported the command line's way into
// new groups: every readable game is stored, each group within its limits, and each stored game
// reads back as the same record as reading its file directly.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "app/Importer.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/RecordComparison.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "store/StoreMemberDirectory.h"
#include "support/ImportRecorder.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

namespace stonewise {
namespace {

namespace fs = std::filesystem;

TEST(ImportCorpus, EveryReadableGameIsStoredAndReadsBackAsItsFile) {
    std::vector<std::string> paths;
    const fs::path root = test::corpusDir();
    ASSERT_TRUE(fs::is_directory(root)) << "the corpus is missing at " << root;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    ASSERT_GT(paths.size(), 1000u);

    test::TempFolder folder;
    GameStore store(DataFolder(folder.path()), StringTable::japanese());
    StoreMessages messages;
    store.start(SettingsRecord{}, GameDate{2026, 12, 10, 0}, messages);
    const std::optional<int> group = store.addGroup(u"コーパス", 256, std::nullopt, messages);
    ASSERT_TRUE(group);
    StoreMemberDirectory members(store.members(), GameDate{2026, 12, 10, 0});
    test::ImportRecorder front;
    Importer importer(store, StringTable::japanese(), front);
    ImportOptions options;
    options.defaultGroup = *group;
    options.askDialog = false;
    options.preset.choice = ImportChoice::NewGame;
    options.overflowToNewGroups = true;
    options.settings.members = &members;
    const ImportSummary summary = importer.run(paths, options);
    EXPECT_FALSE(summary.ended);

    // What the files hold, read directly.
    std::map<std::string, std::vector<LoadedGame>> direct;
    int readable = 0;
    for (const std::string& path : paths) {
        InMemoryMembers own;
        LoadSettings settings;
        settings.members = &own;
        LoadRequest request;
        request.mode = LoadMode::NewGame;
        loadEveryGameOfFile(path, request, settings, [&](LoadedGame& g) {
            readable += g.ok ? 1 : 0;
            direct[path].push_back(std::move(g));
        });
    }
    EXPECT_EQ(summary.stored, readable);
    EXPECT_EQ(summary.refused, static_cast<int>(front.reports.size()) - readable);

    // Every refusal is a file that is not a game record or a board the program cannot show; every
    // stored game reads back the same.
    std::map<int, int> perGroup;
    GameStore again(DataFolder(folder.path()), StringTable::japanese());
    again.start(SettingsRecord{}, GameDate{2026, 12, 10, 0}, messages);
    for (const ImportReport& r : front.reports) {
        SCOPED_TRACE(r.path + " #" + std::to_string(r.gameIndex));
        const LoadedGame& file = direct[r.path].at(static_cast<std::size_t>(r.gameIndex));
        if (r.status != ImportStatus::Stored) {
            EXPECT_FALSE(file.ok);
            if (file.failure != LoadFailure::BoardSize) {
                EXPECT_EQ(gameFileKind(r.path), GameFileKind::Unknown);
            }
            continue;
        }
        ++perGroup[r.group];
        ASSERT_TRUE(file.ok);
        const GameInfo* listed = again.gameList(r.group, messages).find(r.number);
        ASSERT_TRUE(listed);
        EXPECT_EQ(listed->name, r.name);
        GameFileRead read = again.readGame(r.group, r.number, messages);
        ASSERT_EQ(read.status, StoreReadStatus::Ok);
        ASSERT_TRUE(read.main && read.entry);
        EXPECT_EQ(test::recordDifference(*read.main, *file.main), "");
        // The name may carry a number that makes it unique in its group.
        GameInfo expected = file.info;
        expected.name = read.entry->name;
        EXPECT_EQ(read.entry->name.substr(0, std::min<std::size_t>(file.info.name.size(), 255)),
                  file.info.name.substr(0, 255));
        EXPECT_EQ(test::infoDifference(*read.entry, expected), "");
    }
    for (const auto& [g, count] : perGroup) {
        EXPECT_LE(count, kMaxGameNumber) << "group " << g;
        EXPECT_EQ(again.gameList(g, messages).count(), count) << "group " << g;
    }
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace stonewise
