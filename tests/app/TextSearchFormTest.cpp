// The search window headless: opening and closing by its commands, the history and its file, the
// rows of the list, the clear-history question and the jump from a hit to the board.
#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/FunctionModes.h"
#include "app/GameSession.h"
#include "app/TextSearchForm.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "support/BoardFixture.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

struct Program : test::TestProgram {
    using TestProgram::TestProgram;

    int group() { return app.store()->currentGroup(); }

    void addGame(int number, std::u16string_view sgf, std::u16string name) {
        ASSERT_TRUE(test::storeSgfGame(*app.store(), group(), number, sgf, std::move(name)));
    }

    TextSearchForm& openSearch() {
        commands.run(kCmdTextSearch);
        EXPECT_NE(ui.textSearch, nullptr);
        return *ui.textSearch;
    }
};

std::u16string japanese(int id) { return std::u16string(StringTable::japanese().find(id).value_or(u"")); }

TEST(SearchHistory, The257thStringReplacesTheFirstAndThe258thTheSecond) {
    SearchHistory history;
    for (int n = 1; n <= 256; ++n) EXPECT_TRUE(history.add(toU16(n)));
    EXPECT_FALSE(history.add(u"7")); // already there
    EXPECT_TRUE(history.add(u"257"));
    EXPECT_EQ(history.strings()[0], u"257");
    EXPECT_EQ(history.strings()[1], u"2");
    EXPECT_TRUE(history.add(u"258"));
    EXPECT_EQ(history.strings()[1], u"258");
    EXPECT_EQ(history.strings()[2], u"3");
    EXPECT_EQ(history.strings().size(), 256u);
}

TEST(CommentFirstLine, StopsAtTheFirstLineBreakAnd127CharactersWithoutSplittingAPair) {
    EXPECT_EQ(commentFirstLine(u"一行目\r\n二行目"), u"一行目");
    EXPECT_EQ(commentFirstLine(u"first\nsecond"), u"first");
    EXPECT_EQ(commentFirstLine(std::u16string(200, u'x')), std::u16string(127, u'x'));
    EXPECT_EQ(commentFirstLine(std::u16string(126, u'x') + u"\U00020BB7y"), std::u16string(126, u'x'));
    EXPECT_EQ(commentFirstLine(u""), u"");
}

TEST(TextSearchWindow, TheCommandOpensAndClosesItAndTheHistoryIsKeptInItsFile) {
    test::TempFolder folder;
    {
        Program p(folder.path());
        TextSearchForm& form = p.openSearch();
        form.search(u"定石 手筋");
        form.search(u"定石 手筋"); // once in the history
        form.search(std::u16string(200, u'z'));
        p.commands.run(kCmdTextSearch); // the second request closes it
        EXPECT_EQ(p.ui.textSearch, nullptr);
        EXPECT_EQ(p.commands.textSearch(), nullptr);
    }
    Program p(folder.path());
    p.commands.run(kCmdModeViewing);
    // In the search mode the bar's "コメントを検索" opens it too (it sends the id of "着手取得").
    EXPECT_FALSE(p.commands.refresh().enabled(kCmdReceiveMoves));
    p.app.modes()->setMode(kModeSearch);
    EXPECT_TRUE(p.commands.refresh().enabled(kCmdReceiveMoves));
    p.commands.run(kCmdReceiveMoves, CommandSource::MainBar);
    ASSERT_NE(p.ui.textSearch, nullptr);
    TextSearchForm& form = *p.ui.textSearch;
    EXPECT_EQ(form.history().strings(), (std::vector<std::u16string>{u"定石 手筋", std::u16string(128, u'z')}));

    // Clearing asks first.
    p.ui.answers = {false, true};
    EXPECT_FALSE(form.clearHistory());
    EXPECT_EQ(form.history().strings().size(), 2u);
    EXPECT_TRUE(form.clearHistory());
    EXPECT_TRUE(form.history().strings().empty());
    ASSERT_EQ(p.ui.questions.size(), 2u);
    EXPECT_EQ(p.ui.questions[0].text, japanese(kStrSearchClearQuestion));
    EXPECT_EQ(p.ui.questions[0].title, u"検索");
    p.commands.shutDown();
    EXPECT_TRUE(form.closed());
    Program again(folder.path());
    EXPECT_TRUE(again.openSearch().history().strings().empty());
}

TEST(TextSearchWindow, RowsShowNameMoveAndTheCommentsFirstLine) {
    test::TempFolder folder;
    Program p(folder.path());
    p.commands.run(kCmdModeViewing);
    p.addGame(1, u"(;GM[1]SZ[19];B[pd]C[石の形\r\n二行目の石];W[dp];B[pp])", u"名局");
    TextSearchForm& form = p.openSearch();
    TextSearchOptions& options = form.options();
    options.allTerms = true;
    form.search(u"石\u3000名局");
    ASSERT_EQ(form.rows().size(), 1u);
    EXPECT_EQ(form.rows()[0].game, u"名局");
    EXPECT_EQ(form.rows()[0].move, u"  1");
    EXPECT_EQ(form.rows()[0].comment, u"石の形");
    EXPECT_EQ(form.status(), u"1件見つかりました。");
    // The options belong to the program: the next window has them.
    p.commands.run(kCmdTextSearch);
    EXPECT_TRUE(p.openSearch().options().allTerms);
}

TEST(TextSearchWindow, AJumpOpensTheGameAtTheHitsVariationMoveAndComment) {
    test::TempFolder folder;
    Program p(folder.path());
    p.commands.run(kCmdModeViewing);
    p.addGame(1, u"(;GM[1]SZ[19];B[pd];W[dp])", u"one");
    p.addGame(2, u"(;GM[1]SZ[19];B[pd];W[dp]C[key main](;B[pp];W[dd])(;B[qq];W[cc]C[key var];B[dc]))", u"two");
    ASSERT_TRUE(p.app.session()->openGame(p.group(), 1));
    TextSearchForm& form = p.openSearch();
    form.search(u"key");
    ASSERT_EQ(form.rows().size(), 2u);
    ASSERT_TRUE(form.jump(1));
    EXPECT_EQ(p.app.session()->number(), 2);
    RecordSequence* shown = p.board.record().currentSequence();
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(shown->parent(), nullptr); // the variation, not the main line
    EXPECT_EQ(p.board.shownMove(), 4);
    ASSERT_NE(p.board.selection().node(), nullptr);
    EXPECT_EQ(p.board.selection().sequence->commentOf(*p.board.selection().node()), u"key var");

    ASSERT_TRUE(form.jump(0));
    EXPECT_EQ(p.board.record().currentSequence(), &p.board.record().main());
    EXPECT_EQ(p.board.shownMove(), 2);
    EXPECT_FALSE(form.jump(2));
    EXPECT_FALSE(form.jump(-1));
}

} // namespace
} // namespace stonewise
