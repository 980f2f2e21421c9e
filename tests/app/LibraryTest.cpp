#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/FunctionModes.h"
#include "app/GameSession.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"
#include "support/BoardFixture.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

using test::TempFolder;
using test::TestBoard;

// A board window over a library in a fresh data folder, as the program starts it.
struct Library : ModeHost {
    TempFolder folder;
    SettingsRecord settings;
    GameStore store{DataFolder(folder.path()), StringTable::japanese()};
    TestBoard t;
    GameSession session{t.board, store, settings, &t.ui};
    FunctionModes modes{store, settings, *this};
    std::vector<std::pair<int, int>> opened; // (group, mode)
    BarLayout main = BarLayout::None;

    Library() {
        StoreMessages messages;
        store.start(settings, {2026, 12, 10, 0}, messages);
        session.startUp();
    }
    void leaveDisplay() override { session.saveCurrentGame(false); }
    void openGroup(int group, int mode) override {
        opened.emplace_back(group, mode);
        session.openGroup(group);
    }
    void layoutBars(BarLayout m, BarLayout, std::u16string_view) override { main = m; }

    void storeGame(int group, int number, int moves) { test::storeSampleGame(store, group, number, moves); }
};

TEST(GameSession, TheTemporaryGameSurvivesARestart) {
    TempFolder folder;
    {
        Library first;
        first.t.play({{3, 3}, {15, 15}, {16, 3}});
        ASSERT_TRUE(first.session.saveCurrentGame(true));
        EXPECT_TRUE(first.t.ui.questions.empty()); // the temporary game is saved without asking
        std::filesystem::copy(first.folder.path(), folder.path(), std::filesystem::copy_options::recursive);
    }
    SettingsRecord settings;
    GameStore store{DataFolder(folder.path()), StringTable::japanese()};
    StoreMessages messages;
    store.start(settings, {2026, 12, 10, 0}, messages);
    TestBoard t;
    GameSession session{t.board, store, settings, &t.ui};
    session.startUp();
    EXPECT_EQ(t.board.totalMoves(), 3);
    EXPECT_EQ(t.board.position().colourAt(16, 3), kBlack);
}

TEST(GameSession, ALibraryGameAsksBeforeItIsSaved) {
    Library lib;
    const int group = *lib.store.groupForMode(kModePlayAndRecord, lib.settings);
    lib.storeGame(group, 4, 6);
    ASSERT_TRUE(lib.session.openGame(group, 4));
    EXPECT_EQ(lib.t.board.totalMoves(), 6);
    lib.t.play({{10, 10}});
    lib.t.ui.answers = {false};
    lib.session.saveCurrentGame(true);
    ASSERT_EQ(lib.t.ui.questions.size(), 1u);
    EXPECT_EQ(lib.t.ui.questions[0].title, u"棋譜の自動保存");
    StoreMessages messages;
    EXPECT_EQ(lib.store.readGame(group, 4, messages).main->lastMoveNumber(), 6);
    lib.t.ui.answers = {true};
    lib.session.saveCurrentGame(true);
    EXPECT_EQ(lib.store.readGame(group, 4, messages).main->lastMoveNumber(), 7);
}

TEST(GameSession, MovingAGameShowsTheNextOne) {
    struct Case {
        std::vector<int> games;
        int expected; // the game shown afterwards, 0 = none
    };
    for (const Case& c : {Case{{3, 5, 8}, 8}, Case{{3, 5}, 3}, Case{{5}, 0}}) {
        Library lib;
        const int group = *lib.store.groupForMode(kModePlayAndRecord, lib.settings);
        for (int n : c.games) lib.storeGame(group, n, n);
        ASSERT_TRUE(lib.session.openGame(group, 5));
        lib.t.ui.answers = {true};
        ASSERT_TRUE(lib.session.moveToFinishedGroup(kModePlayFinished));
        EXPECT_EQ(lib.t.ui.questions[0].title, u"終局棋譜の移動");
        EXPECT_EQ(lib.session.number(), c.expected);
        EXPECT_EQ(lib.t.board.totalMoves(), c.expected);
        StoreMessages messages;
        EXPECT_EQ(lib.store.gameList(group, messages).find(5), nullptr);
        const int finished = *lib.store.groupForMode(kModePlayFinished, lib.settings);
        EXPECT_EQ(lib.store.gameList(finished, messages).count(), 1);
    }
}

TEST(FunctionModes, ModeChangesAndTheFinishedView) {
    Library lib;
    EXPECT_FALSE(lib.modes.setMode(kModeBook)); // the Go book player is not ready
    EXPECT_EQ(lib.modes.mode(), kModeNone);
    ASSERT_TRUE(lib.modes.setMode(kModeMailGo));
    EXPECT_EQ(lib.main, BarLayout::MailGo);
    EXPECT_EQ(lib.modes.finishedTarget(), kModeMailGoFinished);
    const int live = lib.store.currentGroup();
    lib.modes.toggleFinishedView();
    EXPECT_EQ(lib.modes.mode(), kModeMailGoFinished);
    EXPECT_EQ(lib.main, BarLayout::Finished);
    EXPECT_TRUE(lib.modes.finishedViewShown());
    lib.modes.toggleFinishedView();
    EXPECT_EQ(lib.modes.mode(), kModeMailGo);
    EXPECT_EQ(lib.store.currentGroup(), live);
    EXPECT_EQ(lastViewMode(lib.settings), kModeMailGo);

    // Without a finished Mail Go group the toggle does nothing.
    const int finished = *lib.store.groupForMode(kModeMailGoFinished, lib.settings);
    StoreMessages messages;
    ASSERT_TRUE(lib.store.deleteGroup(finished, lib.store.currentGroup(), messages));
    ASSERT_TRUE(lib.modes.setMode(kModeMailGo));
    EXPECT_EQ(lib.modes.finishedTarget(), 0);
    lib.modes.toggleFinishedView();
    EXPECT_EQ(lib.modes.mode(), kModeMailGo);

    lib.modes.setBookReady(true);
    EXPECT_TRUE(lib.modes.setMode(kModeBook));
    EXPECT_EQ(lib.main, BarLayout::Book);
}

} // namespace
} // namespace stonewise

namespace stonewise {
namespace {

TEST(GameSession, ASaveThatCannotBeWrittenSaysSo) {
    Library lib;
    lib.t.play({{3, 3}, {15, 15}});
    // The scratch folder's name is taken by a plain file: the game cannot be written there.
    ASSERT_TRUE(lib.session.saveCurrentGame(false));
    std::filesystem::remove_all(lib.folder.path() + "Temporary");
    {
        std::ofstream blocker(lib.folder.path() + "Temporary");
        blocker << "x";
    }
    lib.t.play({{4, 4}});
    lib.t.ui.forget();
    EXPECT_FALSE(lib.session.saveCurrentGame(false));
    ASSERT_EQ(lib.t.ui.messages.size(), 1u);
    EXPECT_EQ(lib.t.ui.messages[0].title, u"棋譜の自動保存");
}

} // namespace
} // namespace stonewise
