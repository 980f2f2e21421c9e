#include <gtest/gtest.h>

#include <sstream>

#include "StoreTestSupport.h"
#include "cli/CliCommand.h"
#include "formats/SgfReader.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"

namespace stonewise {
namespace {

struct Output {
    int code = -1;
    std::string out;
    std::string err;
};

Output runCommand(std::string_view name, std::vector<std::string> args) {
    for (const auto& c : cli::allCommands()) {
        if (c.name != name) continue;
        std::ostringstream out, err;
        Output o;
        o.code = c.run(args, out, err);
        o.out = out.str();
        o.err = err.str();
        return o;
    }
    ADD_FAILURE() << "no command " << name;
    return {};
}

class StoreCommands : public ::testing::Test {
protected:
    void SetUp() override {
        GameStore store(folder, StringTable::japanese());
        StoreMessages m;
        SettingsRecord settings;
        applyDefaultA(settings);
        settings.movesPerMail = 20;
        settings.bookPath = u"/books/囲碁";
        ASSERT_TRUE(saveSettings(folder, settings));
        store.start(settings, {2026, 1, 2, 0}, m);
        GameInfo info;
        info.number = 1;
        info.name = u"名局";
        info.blackPlayer = 1;
        info.whitePlayer = 0;
        info.winner = kBlackWins;
        info.margin = 1500;
        info.startDate = {2025, 4, 5, 0};
        store.gameList(3, m).put(info);
        ASSERT_TRUE(store.saveGameList(3, m));
        ASSERT_TRUE(store.writeGroupList(m));
    }
    test::TempDataFolder temp;
    DataFolder folder{temp.path()};
};

TEST_F(StoreCommands, SettingsPrintsEveryFieldByName) {
    const Output o = runCommand("settings", {"--data", temp.path()});
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find(": read\n"), std::string::npos);
    EXPECT_NE(o.out.find("movesPerMail [13] = 20\n"), std::string::npos);
    EXPECT_NE(o.out.find("bookPath [70] = \"/books/囲碁\"\n"), std::string::npos);
    EXPECT_NE(o.out.find("flashAfterimage [43] = 50\n"), std::string::npos);
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 1 + 51); // the status and 51 fields
}

TEST_F(StoreCommands, GroupsAndGamesList) {
    const Output groups = runCommand("groups", {"--data", temp.path()});
    EXPECT_EQ(groups.code, 0) << groups.err;
    EXPECT_NE(groups.out.find("1\t0\tmail-go\tメール碁\n"), std::string::npos) << groups.out;
    EXPECT_NE(groups.out.find("4\t1\tviewing\t棋譜鑑賞\n"), std::string::npos) << groups.out;

    const Output games = runCommand("games", {"4", "--data", temp.path()});
    EXPECT_EQ(games.code, 0) << games.err;
    EXPECT_NE(games.out.find("1\t名局\t黒石さん\t不明\t"), std::string::npos) << games.out;
    EXPECT_NE(games.out.find("黒中押し勝ち\t2025/ 4/ 5\n"), std::string::npos) << games.out;

    EXPECT_EQ(runCommand("games", {"0", "--data", temp.path()}).code, 2);
    EXPECT_EQ(runCommand("games", {"50", "--data", temp.path()}).code, 1);
    EXPECT_EQ(runCommand("groups", {"--data"}).code, 2);
}

} // namespace
} // namespace stonewise

namespace stonewise {
namespace {

TEST_F(StoreCommands, ExportWritesAStoredGameAsSgf) {
    {
        GameStore store(folder, StringTable::japanese());
        StoreMessages m;
        store.readGroupList(m);
        store.readMembers(m);
        auto record = RecordSequence::createMain();
        for (int n = 1; n <= 5; ++n) record->appendNode(makeMoveNode(n, n + 2, 15 - n));
        record->setComment(2, u"三手目] の注");
        ASSERT_TRUE(store.writeGame(3, 1, *record, store.gameList(3, m).find(1), m));
    }
    const Output o = runCommand("export", {"4", "1", "--data", folder.path()});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("GN[名局]"), std::string::npos) << o.out;
    const SgfReadResult back = readSgf(fromUtf8(o.out), GameInfo{}, {});
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.main->lastMoveNumber(), 5);
    EXPECT_EQ(back.main->findNode(4)->x, 6);
    EXPECT_EQ(back.main->commentOf(*back.main->findNode(3)), u"三手目] の注");
    EXPECT_EQ(back.info.winner, kBlackWins);

    EXPECT_EQ(runCommand("export", {"4", "2", "--data", folder.path()}).code, 1); // no such game
    EXPECT_EQ(runCommand("export", {"4"}).code, 2);
}

} // namespace
} // namespace stonewise
