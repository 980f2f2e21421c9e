// The Go book mode of the main board: the sample book opened in the mode, the library's game kept
// apart from the book's records, and the way back to the library.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Application.h"
#include "app/CGoStory.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/ProgramCommands.h"
#include "book/BookLibrary.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "support/BoardFixture.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

// The program with a Go book player as its main board; `programFolder` holds "BundleFiles/Books".
struct BookProgram {
    Application app;
    test::ScriptedUi ui;
    test::RecordingPanels panels;
    test::ScriptedShell shell;
    test::ScriptedClipboard clipboard;
    test::FixedClock clock;
    BookLibrary library;
    BookPlayers players;
    CGoStory board;
    ProgramCommands commands;

    BookProgram(const std::string& folder, const std::string& programFolder)
        : app(CommandLine{}, DataFolder(folder), programFolder), library(app.folder()),
          board(test::scriptedEnvironment(ui, panels, clock, app.strings()), library, players, BookSide::Main, nullptr),
          commands(app, board, ui, shell, clipboard, clock) {
        app.chooseLanguage(0x0411);
        app.loadSettings(nullptr);
        commands.setBookPlayer(&board);
        commands.startUp();
    }
};

// The folder beside the program that holds "BundleFiles/Books".
std::string sampleProgramFolder() { return std::filesystem::path(STONEWISE_BOOKS_FOLDER).parent_path().parent_path(); }

TEST(GoBookMode, TheMainBoardPlaysTheBookAndLeavingItReturnsToTheLibrarysGame) {
    test::TempFolder folder;
    BookProgram p(folder.path(), sampleProgramFolder());
    p.commands.run(kCmdModePlayAndRecord);
    const int group = p.app.store()->currentGroup();
    test::storeSampleGame(*p.app.store(), group, 1, 3);
    ASSERT_TRUE(p.app.session()->openGame(group, 1));
    // A move played and not yet saved is saved on the way into the book.
    p.commands.clickPoint(10, 10);
    ASSERT_EQ(p.board.totalMoves(), 4);
    const Colour fourth = p.board.position().colourAt(10, 10);

    p.commands.run(kCmdModeBook);
    EXPECT_EQ(p.app.modes()->mode(), kModeBook);
    EXPECT_EQ(p.ui.bookPlayerRequests, std::vector<bool>{true});
    ASSERT_TRUE(p.board.book());
    EXPECT_EQ(p.board.currentPage(), 0);
    EXPECT_EQ(p.board.totalMoves(), 4);
    EXPECT_TRUE(p.board.referBoard().hasDiagram());
    EXPECT_EQ(p.board.referBoard().corner(), 1);
    EXPECT_TRUE(p.app.session()->detached());
    EXPECT_FALSE(pathExists(p.app.recoveryFile())) << "the book's record is no game to recover";

    // A click on the board plays no move into the book's record.
    p.commands.clickPoint(12, 12);
    EXPECT_EQ(p.board.totalMoves(), 4);
    EXPECT_FALSE(p.app.session()->unsaved());
    // The menu's orientation turns the book's board and its reference board alike.
    const Colour stone = p.board.position().colourAt(3, 2);
    ASSERT_NE(stone, kEmpty);
    p.commands.run(kCmdRotate180);
    EXPECT_EQ(p.board.orientation(), BookOrientation::Rotate180);
    EXPECT_EQ(p.board.position().colourAt(15, 16), stone);
    EXPECT_EQ(p.board.referBoard().position().colourAt(15, 16), stone);
    // "全ての解答をリセット" asks first; refused, the answers stay.
    const std::size_t asked = p.ui.questions.size();
    p.ui.answers = {false};
    p.commands.run(32979);
    EXPECT_EQ(p.ui.questions.size(), asked + 1);
    EXPECT_TRUE(p.ui.messages.empty());
    // "碁ブックを開く..." with one book installed opens it again from its first page.
    p.board.nextPage();
    p.commands.run(kCmdOpenBook);
    EXPECT_EQ(p.board.currentPage(), 0);
    EXPECT_EQ(p.app.modes()->mode(), kModeBook);

    p.commands.run(kCmdModePlayAndRecord);
    EXPECT_EQ(p.app.modes()->mode(), kModePlayAndRecord);
    EXPECT_FALSE(p.board.book());
    EXPECT_FALSE(p.app.session()->detached());
    EXPECT_EQ(p.app.session()->number(), 1) << "the library's game is back";
    EXPECT_EQ(p.board.totalMoves(), 4);
    EXPECT_EQ(p.board.position().colourAt(10, 10), fourth);
}

TEST(GoBookMode, APatternSearchHitOpensTheBookAtItsPage) {
    test::TempFolder folder;
    BookProgram p(folder.path(), sampleProgramFolder());
    p.commands.run(kCmdModeViewing);
    ASSERT_TRUE(p.commands.openGoBookAt(0, 3));
    EXPECT_EQ(p.app.modes()->mode(), kModeBook);
    EXPECT_EQ(p.board.currentPage(), 3);
    EXPECT_FALSE(p.commands.openGoBookAt(7, 0)) << "no eighth book is installed";
    EXPECT_EQ(p.board.currentPage(), 3);
}

TEST(GoBookMode, WithoutABookTheModeIsNotEntered) {
    test::TempFolder folder;
    test::TempFolder program;
    std::filesystem::create_directories(program.path() + "BundleFiles/Books");
    BookProgram p(folder.path(), program.path());
    const int mode = p.app.modes()->mode();
    p.commands.run(kCmdModeBook);
    EXPECT_EQ(p.app.modes()->mode(), mode);
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_TRUE(p.ui.bookPlayerRequests.empty());
    EXPECT_FALSE(p.app.session()->detached());
}

} // namespace
} // namespace stonewise
