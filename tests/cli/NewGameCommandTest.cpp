// stonewise-cli new-game on a data folder: the game it stores is the one the window would make.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliCommand.h"
#include "record/GameInfoText.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

CliRun newGame(std::vector<std::string> args) {
    for (const auto& c : cli::allCommands())
        if (c.name == "new-game") {
            std::ostringstream out, err;
            CliRun r;
            r.code = c.run(args, out, err);
            r.out = out.str();
            r.err = err.str();
            return r;
        }
    ADD_FAILURE() << "no command new-game";
    return {};
}

TEST(NewGameCommand, MakesTheFolderThenStoresTheGameWithItsPlayers) {
    test::TempFolder temp;
    const std::string data = temp.path() + "library/";
    ASSERT_FALSE(std::filesystem::exists(data));
    const CliRun first = newGame({"--data", data, "--group", "2", "--white", "白川", "--black", "黒田", "--handicap",
                                  "3", "--komi", "0.5", "--name", "春の対局"});
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_NE(first.out.find("added player 白川"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("added player 黒田"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("stored as game 1 of group 2: 春の対局"), std::string::npos) << first.out;
    // The same players again: no new members, the next number, 13 lines and the name from the players.
    const CliRun second =
        newGame({"--data", data, "--group", "2", "--white", "白川", "--black", "黒田", "--size", "13"});
    ASSERT_EQ(second.code, 0) << second.err;
    EXPECT_EQ(second.out.find("added player"), std::string::npos) << second.out;
    EXPECT_NE(second.out.find("stored as game 2 of group 2"), std::string::npos) << second.out;

    // The folder was prepared as at a first start, and the games are there as the window keeps them.
    GameStore store{DataFolder(data), StringTable::japanese()};
    StoreMessages messages;
    ASSERT_TRUE(store.readGroupList(messages));
    ASSERT_TRUE(store.readMembers(messages));
    EXPECT_GE(store.members().findByName(u"黒石さん"), 0);
    const GameInfo* game = store.gameList(1, messages).find(1);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->name, u"春の対局");
    EXPECT_EQ(game->handicap, 3);
    EXPECT_FLOAT_EQ(game->komi, 0.5f);
    EXPECT_EQ(store.members().find(game->whitePlayer)->name, u"白川");
    EXPECT_EQ(store.members().find(game->blackPlayer)->name, u"黒田");
    const GameFileRead read = store.readGame(1, 1, messages);
    ASSERT_TRUE(read.main);
    EXPECT_EQ(read.main->handicapCount(), 3);
    const GameInfo* small = store.gameList(1, messages).find(2);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->boardSize(), 13);
    EXPECT_EQ(small->name, u"黒田 対 白川");
    EXPECT_TRUE(messages.empty());
}

TEST(NewGameCommand, RefusesWhatItCannotMakeAndChangesNothing) {
    test::TempFolder temp;
    const std::string data = temp.path();
    // A window that was killed left its recovery file: the command leaves it for the window's next start.
    { std::ofstream(data + "Recovery.dat") << "unsaved game"; }
    ASSERT_EQ(newGame({"--data", data, "--group", "2", "--white", "甲", "--black", "乙"}).code, 0);
    EXPECT_TRUE(std::filesystem::exists(data + "Recovery.dat"));
    struct Case {
        std::vector<std::string> args;
        int code;
    };
    const Case cases[] = {
        {{"--group", "1", "--white", "甲"}, 2},                                   // no black player
        {{"--group", "0", "--white", "甲", "--black", "乙"}, 2},                  // groups count from 1
        {{"--group", "1", "--white", "甲", "--black", "乙", "--komi", "0.7"}, 2}, // not a komi of the lists
        {{"--group", "1", "--white", "甲", "--black", "乙", "--komi", "nan"}, 2},
        {{"--group", "1", "--white", "甲", "--black", "乙", "--handicap", "12"}, 2},
        {{"--group", "1", "--white", "甲", "--black", "乙", "--size", "9"}, 2},
        {{"--group", "1", "--white", "甲", "--black", "乙", "--group", "2"}, 2}, // twice
        {{"--group", "77", "--white", "甲", "--black", "乙"}, 1},                // no such group
        {{"--group", "2", "--white", "", "--black", "乙"}, 1},                   // no white name
        {{"--group", "1", "--white", "甲", "--black", "乙"}, 1},                 // Mail Go: not self or opponent
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"--data", data};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun r = newGame(args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    GameStore store{DataFolder(data), StringTable::japanese()};
    StoreMessages messages;
    store.readGroupList(messages);
    store.readMembers(messages);
    EXPECT_EQ(store.gameList(1, messages).count(), 1);
    EXPECT_EQ(store.gameList(0, messages).count(), 0);
    EXPECT_EQ(store.members().findByName(u""), -1);
}

} // namespace
} // namespace stonewise
