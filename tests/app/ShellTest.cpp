#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/NoticeBoard.h"
#include "app/WindowFit.h"
#include "record/Text.h"
#include "store/SettingsRecord.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

TEST(CommandLine, Arguments) {
    struct Case {
        std::u16string_view args;
        bool large;
        bool maintenance;
        int locale; // -1: none
        std::u16string_view file;
    };
    const Case cases[] = {
        {u"MOVIE", true, false, -1, u""},
        {u"MOVIES", false, false, -1, u""}, // neither the flag nor a file
        {u"short", false, false, -1, u""},
        {u"\"/home/me/My Games/a.sgf\" extra words", false, false, -1, u"/home/me/My Games/a.sgf"},
        {u"/home/me/game.sgf", false, false, -1, u"/home/me/game.sgf"},
        {u"LOCALE=1033", false, false, 1033, u""},
        {u"LOCALE=1041", false, false, 1041, u""},
        {u"MODE=MAINTENANCE", false, true, -1, u""},
        {u"", false, false, -1, u""},
    };
    for (const Case& c : cases) {
        const CommandLine cl = parseCommandLine(c.args);
        EXPECT_EQ(cl.largeWindow, c.large);
        EXPECT_EQ(cl.maintenance, c.maintenance);
        EXPECT_EQ(cl.locale.value_or(-1), c.locale);
        EXPECT_EQ(cl.file, c.file);
    }
    const char* argv[] = {"stonewise", "/tmp/My Games/x.sgf"};
    EXPECT_EQ(parseCommandLine(joinArguments(2, argv, "/home/me")).file, u"/tmp/My Games/x.sgf");
}

// A path given relative to the folder the program was started in names the same file once it is
// handed to a running program elsewhere; a short name is a file like any other.
TEST(CommandLine, RelativePathsBecomeAbsolute) {
    test::TempFolder folder;
    const std::string here = folder.path() + "My Games";
    std::filesystem::create_directories(here);
    std::ofstream(here + "/a.sgf") << "(;)";
    struct Case {
        std::vector<const char*> args;
        std::u16string file; // empty: none
        bool large = false;
    };
    const std::u16string absolute = fromUtf8(here) + u"/a.sgf";
    const Case cases[] = {
        {{"a.sgf"}, absolute}, // shorter than 8 characters
        {{"./a.sgf"}, absolute},
        {{"../My Games/a.sgf"}, absolute},
        {{"sub/later.sgf"}, fromUtf8(here) + u"/sub/later.sgf"}, // not there (yet): still absolute
        {{"/elsewhere/b.sgf"}, u"/elsewhere/b.sgf"},
        {{"MOVIE"}, u"", true},
        {{"MOVIES"}, u""}, // no such file: neither flag nor file
        {{"LOCALE=1033"}, u""},
        {{"MODE=MAINTENANCE"}, u""},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"stonewise"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const CommandLine cl = parseCommandLine(joinArguments(static_cast<int>(argv.size()), argv.data(), here));
        EXPECT_EQ(cl.file, c.file) << c.args[0];
        EXPECT_EQ(cl.largeWindow, c.large) << c.args[0];
    }
}

TEST(WindowFit, PlacementAndFitting) {
    const WindowRect desktop{0, 0, 1920, 1080};
    EXPECT_EQ(placeMainWindow({-1700, 10, 900, 700}, desktop), (WindowRect{400, 32, 1000, 768}));
    EXPECT_EQ(placeMainWindow({100, 10, 0, 700}, desktop), (WindowRect{400, 32, 1000, 768}));
    EXPECT_EQ(placeMainWindow({100, 50, 900, 700}, desktop), (WindowRect{100, 50, 900, 700}));
    // Past the right edge: moved in; wider than the desktop: the desktop's width from 0.
    EXPECT_EQ(placeMainWindow({1500, 50, 900, 700}, desktop), (WindowRect{1020, 50, 900, 700}));
    EXPECT_EQ(placeMainWindow({100, 50, 2500, 700}, desktop), (WindowRect{0, 50, 1920, 700}));
    // Past the bottom: moved up to bottom - height - 32; taller: top 0 and the desktop's height - 32.
    EXPECT_EQ(placeMainWindow({100, 600, 900, 700}, desktop), (WindowRect{100, 348, 900, 700}));
    EXPECT_EQ(placeMainWindow({100, 600, 900, 1200}, desktop), (WindowRect{100, 0, 900, 1048}));
    EXPECT_EQ(largeMainWindow({100, 50, 900, 700}), (WindowRect{100, 50, 1280, 960}));
}

// "MOVIE" shows the window 1280 × 960 for this run only: the settings keep the fitted place, and
// a move changes the place but not the size.
TEST(WindowFit, TheSettingsKeepTheFittedPlace) {
    const WindowRect desktop{0, 0, 1920, 1080};
    for (const bool large : {false, true}) {
        test::TempFolder folder;
        CommandLine commandLine;
        commandLine.largeWindow = large;
        Application app(commandLine, DataFolder(folder.path()), std::string());
        app.chooseLanguage(0x0411);
        app.loadSettings(nullptr);
        app.settings().mainWindow = {1500, 50, 900, 700};
        const WindowRect shown = app.placeMainWindow(desktop);
        EXPECT_EQ(shown, large ? (WindowRect{1020, 50, 1280, 960}) : (WindowRect{1020, 50, 900, 700}));
        EXPECT_EQ(app.settings().mainWindow, (WindowPlacement{1020, 50, 900, 700}));
        app.mainWindowMoved(200, 80);
        EXPECT_EQ(app.settings().mainWindow, (WindowPlacement{200, 80, 900, 700}));
    }
}

TEST(NoticeBoard, ANewNoticeClosesTheOlderOnes) {
    NoticeBoard board;
    EXPECT_EQ(board.show(0, u"t", u"first"), 0);
    EXPECT_EQ(board.show(5, u"t", u"second"), 0);
    EXPECT_EQ(board.notice(0).text, u"second");
    EXPECT_EQ(board.show(5, u"t", u""), -1);
    EXPECT_FALSE(board.notice(0).open);
    EXPECT_EQ(NoticeBoard::countdownText(120), u"2 分後に自動的に閉じます。");
    EXPECT_EQ(NoticeBoard::countdownText(90), u"90 秒後に自動的に閉じます。");
    EXPECT_EQ(NoticeBoard::offset(1), 20);
    EXPECT_EQ(NoticeBoard::offset(6), -80);
    board.show(2, u"t", u"timed");
    board.tickSecond();
    EXPECT_TRUE(board.notice(0).open);
    board.tickSecond();
    EXPECT_FALSE(board.notice(0).open);
    EXPECT_EQ(board.show(0, u"t", std::u16string(500, u'x')), 0);
    EXPECT_EQ(board.notice(0).text.size(), 400u);
}

TEST(AlarmMarks, BlinkOnceAndGo) {
    AlarmMarks marks;
    marks.show(1);
    EXPECT_TRUE(marks.mark(1).visible);
    marks.tick(1);
    EXPECT_TRUE(marks.mark(1).exists);
    EXPECT_FALSE(marks.mark(1).visible);
    marks.tick(1);
    EXPECT_FALSE(marks.mark(1).exists);
    marks.show(0);
    marks.click(0);
    EXPECT_FALSE(marks.mark(0).exists);
}

TEST(AuxWindowList, AtMostFourWindows) {
    AuxWindowList list;
    int w[5];
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(list.show(&w[i]));
    EXPECT_TRUE(list.show(&w[2]));
    EXPECT_FALSE(list.show(&w[4]));
    list.hide(&w[1]);
    EXPECT_TRUE(list.show(&w[4]));
    EXPECT_TRUE(list.contains(&w[3]));
    list.hideAll();
    EXPECT_EQ(list.count(), 0);
}

} // namespace
} // namespace stonewise
