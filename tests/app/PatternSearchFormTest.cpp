// The pattern search panel headless: its command, the composition and its build, the same hits as
// the database's own search (and so as stonewise-cli), the jump to a result, its refusals.
#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/PatternSearchForm.h"
#include "formats/SgfReader.h"
#include "record/StringTable.h"
#include "search/PatternTexts.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

struct QuietWatcher final : PatternBuildWatcher {
    bool progress(int, int, std::u16string_view) override { return true; }
    void message(std::u16string_view, std::u16string_view) override {}
};

struct Program : test::TestProgram {
    using TestProgram::TestProgram;

    int group() { return app.store()->currentGroup(); }

    void addGame(int number, std::u16string_view sgf, std::u16string name) {
        SgfReadResult read = readSgf(sgf, GameInfo{}, {});
        ASSERT_TRUE(read.ok);
        GameInfo info = read.info;
        info.number = number;
        info.name = std::move(name);
        StoreMessages messages;
        GameStore& store = *app.store();
        ASSERT_TRUE(store.writeGame(group(), number, *read.main, &info, messages));
        store.gameList(group(), messages).put(info);
        ASSERT_TRUE(store.saveGameList(group(), messages));
    }

    PatternSearchForm& openPanel() {
        commands.run(kCmdModePatternSearch);
        EXPECT_NE(ui.patternSearch, nullptr);
        return *ui.patternSearch;
    }
};

std::u16string japanese(int id) { return std::u16string(StringTable::japanese().find(id).value_or(u"")); }

class PatternPanelTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    Program p{folder.path()};

    void SetUp() override {
        p.commands.run(kCmdModeViewing);
        // Game 2 is game 1 mirrored left to right; game 3 shares only its lower left corner.
        p.addGame(1, u"(;GN[a]SZ[19];B[pd];W[dp];B[pq];W[dd];B[qk];W[fq];B[cf];W[fc])", u"a");
        p.addGame(2, u"(;GN[b]SZ[19];B[dd];W[pp];B[dq];W[pd];B[ck];W[nq];B[qf];W[nc])", u"b");
        p.addGame(3, u"(;GN[c]SZ[19];B[qd];W[dc];B[pq];W[dp];B[oc];W[fq];B[qn])", u"c");
    }

    void build() {
        std::unique_ptr<PatternCompositionForm> composition = p.openPanel().makeComposition();
        composition->setInputGroup(p.group());
        composition->add({0, 1, 2, 1});
        EXPECT_EQ(composition->composedLine(), u"3個の構成棋譜があります。");
        QuietWatcher watcher;
        EXPECT_EQ(composition->build(watcher).status, PatternBuildResult::Status::Built);
        composition->built();
        EXPECT_TRUE(composition->close());
        p.commands.run(kCmdModePatternSearch); // closed again
        EXPECT_EQ(p.ui.patternSearch, nullptr);
    }

    void showGame(int number, int move) {
        ASSERT_TRUE(p.app.session()->openGame(p.group(), number));
        p.board.showMove(move);
    }
};

TEST_F(PatternPanelTest, FindsWhatTheDatabaseFindsAndShowsTheMatchedMove) {
    build();
    showGame(1, 6);
    PatternSearchForm& form = p.openPanel();
    EXPECT_EQ(form.prepare(), japanese(kTextFromMainBoard));
    EXPECT_TRUE(form.available(PatternSearchType::Game));
    form.setBookTarget(true); // the Go books' databases are not built
    EXPECT_FALSE(form.available(PatternSearchType::Game));
    form.setBookTarget(false);
    ASSERT_EQ(form.search(PatternSearchType::Game), 2);
    // The same hits as the database's own search of the same position.
    PatternDatabase db;
    ASSERT_TRUE(db.load(patternFolder(folder.path(), PatternKind::General), PatternKind::General));
    PatternQuery query;
    query.prepare(*p.board.record().pathTop(), 6, 19);
    EXPECT_EQ(form.results(), db.search(query, PatternSearchType::Game).results);
    EXPECT_EQ(form.rows()[0].type, u"一般棋譜");
    EXPECT_NE(form.rows()[1].name.find(u"(b)"), std::u16string::npos);
    EXPECT_EQ(form.status(), u"検索で2個の棋譜が見付かりました。");
    ASSERT_TRUE(form.show(1));
    EXPECT_EQ(p.app.session()->number(), 2);
    EXPECT_EQ(p.board.shownMove(), 6);

    // Game 3's lower left corner after move 6: where it lies in each game, and the move shown.
    showGame(3, 6);
    form.prepare();
    ASSERT_EQ(form.search(PatternSearchType::GameCorner), 3);
    EXPECT_EQ(form.rows()[0].type, u"棋譜：左下");
    EXPECT_EQ(form.rows()[1].type, u"棋譜：右下");
    ASSERT_TRUE(form.show(0));
    EXPECT_EQ(p.app.session()->number(), 1);
    EXPECT_EQ(p.board.shownMove(), 6); // game 1's corner move fq
    EXPECT_EQ(form.search(PatternSearchType::Fuseki), 0);
    EXPECT_EQ(form.status(), u"一致する棋譜は在りません。");
}

TEST_F(PatternPanelTest, RefusalsAndADamagedDatabase) {
    showGame(1, 4);
    PatternSearchForm& form = p.openPanel();
    EXPECT_EQ(form.prepare(), japanese(kTextTooFewStones));
    EXPECT_FALSE(form.available(PatternSearchType::Game));
    EXPECT_EQ(form.search(PatternSearchType::Game), 0);
    EXPECT_EQ(form.status(), japanese(kTextTooFewStones));
    showGame(1, 8);
    form.prepare();
    EXPECT_EQ(form.search(PatternSearchType::Game), 0);
    EXPECT_EQ(form.status(), japanese(kTextNoSearchData));
    EXPECT_TRUE(p.ui.questions.empty());
    p.commands.run(kCmdModePatternSearch);

    build();
    const std::string data2 = patternFolder(folder.path(), PatternKind::General) + "SRC0_Data2.dat";
    ASSERT_TRUE(writeFileAtomically(data2, std::vector<std::uint8_t>(13, 0)));
    PatternSearchForm& again = p.openPanel();
    again.prepare();
    p.ui.answers.push_back(true);
    EXPECT_EQ(again.search(PatternSearchType::Game), 0);
    ASSERT_EQ(p.ui.questions.size(), 1u);
    EXPECT_EQ(p.ui.questions[0].text, japanese(kTextDamagedRebuild));
    EXPECT_TRUE(again.rebuildAsked());
}

TEST_F(PatternPanelTest, TheCompositionAsksBeforeChangesAreLost) {
    // A panel the user closed (as its window's close box does) opens again at the next command.
    p.openPanel().close();
    p.ui.patternSearch = nullptr;
    std::unique_ptr<PatternCompositionForm> c = p.openPanel().makeComposition();
    c->setInputGroup(p.group());
    EXPECT_EQ(c->inputsLine(), u"3個の入力棋譜があります。");
    c->add({2});
    p.ui.answers.push_back(false);
    EXPECT_FALSE(c->setKind(PatternKind::Joseki));
    EXPECT_EQ(c->kind(), PatternKind::General);
    c->remove({0});
    EXPECT_TRUE(c->composition().empty());
    p.ui.answers.push_back(true);
    EXPECT_TRUE(c->close());
    EXPECT_EQ(p.ui.questions.back().text, japanese(kStrPatternDiscardClose));
}

} // namespace
} // namespace stonewise
