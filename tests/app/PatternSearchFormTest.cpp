// The pattern search panel headless: its command, the composition and its build, the same hits as
// the database's own search (and so as stonewise-cli), the jump to a result, its refusals, the
// result's diagram, branches and comment, the study board's position, and Go books as a source.
#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/PatternBooks.h"
#include "app/PatternSearchForm.h"
#include "app/StudyBoard.h"
#include "book/BookArrays.h"
#include "book/BookWriter.h"
#include "book/ProblemCategory.h"
#include "formats/SgfReader.h"
#include "record/StringTable.h"
#include "search/PatternTexts.h"
#include "store/FileIo.h"
#include "store/GameFile.h"
#include "store/GameStore.h"
#include "support/BoardFixture.h"
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
        ASSERT_TRUE(test::storeSgfGame(*app.store(), group(), number, sgf, std::move(name)));
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

TEST_F(PatternPanelTest, TheChosenResultShowsItsDiagramBranchesAndComments) {
    // Game 4 begins as game 1, with a comment at move 6 and a variation at move 7.
    p.addGame(4, u"(;GN[d]SZ[19];B[pd];W[dp];B[pq];W[dd];B[qk];W[fq]C[here](;B[cf]C[main];W[fc])(;B[cn]C[other]))",
              u"d");
    std::unique_ptr<PatternCompositionForm> composition = p.openPanel().makeComposition();
    composition->setInputGroup(p.group());
    composition->add({0, 1, 2, 3});
    QuietWatcher watcher;
    ASSERT_EQ(composition->build(watcher).status, PatternBuildResult::Status::Built);
    showGame(1, 6);
    PatternSearchForm& form = *p.ui.patternSearch;
    form.prepare();
    ASSERT_EQ(form.search(PatternSearchType::Game), 3);
    ASSERT_EQ(form.results()[2].game, 4);

    ASSERT_TRUE(form.select(2));
    const PatternResultView& view = form.view();
    EXPECT_EQ(view.diagram().caption, u"6手目まで一致");
    EXPECT_EQ(view.diagram().stones.size(), 8u);
    EXPECT_EQ(view.diagram().markX, 5); // fq, the last matched move
    EXPECT_EQ(view.diagram().markY, 16);
    ASSERT_EQ(view.moves().size(), 2u);
    EXPECT_EQ(view.moves()[0].text, u"1  黒 (3,6)");
    EXPECT_EQ(view.moves()[1].text, u"2  白 (6,3)");
    auto numberAt = [&](int x, int y) {
        for (const PrintStone& s : view.diagram().stones)
            if (s.x == x && s.y == y) return s.number;
        return -1;
    };
    EXPECT_EQ(numberAt(2, 5), 1);
    EXPECT_EQ(numberAt(5, 16), 0);
    EXPECT_EQ(view.comment(), u"here");
    ASSERT_EQ(view.branches().size(), 2u);
    EXPECT_EQ(view.branches()[1].depth, 1);
    EXPECT_EQ(view.branches()[1].text, u"変化 7手目から");
    EXPECT_EQ(view.shownBranch(), 0);

    // "分岐表示": the variation from its first move, its moves' comments.
    ASSERT_TRUE(form.view().showBranch(1));
    EXPECT_EQ(view.diagram().caption, u"7手目からの変化");
    ASSERT_EQ(view.moves().size(), 1u);
    EXPECT_EQ(view.moves()[0].text, u"1  黒 (3,14)");
    EXPECT_EQ(numberAt(2, 13), 1);
    EXPECT_EQ(numberAt(2, 5), -1);
    form.view().chooseMove(0);
    EXPECT_EQ(view.comment(), u"other");
    EXPECT_FALSE(form.view().showBranch(2));

    // A corner match shows its corner: game 3's lower left corner, in game 2 in the lower right.
    showGame(3, 6);
    form.prepare();
    ASSERT_GE(form.search(PatternSearchType::GameCorner), 2);
    ASSERT_EQ(form.rows()[1].type, u"棋譜：右下");
    ASSERT_TRUE(form.select(1));
    EXPECT_EQ(view.diagram().left, 6);
    EXPECT_EQ(view.diagram().top, 6);
    EXPECT_EQ(view.diagram().right, 18);
    EXPECT_EQ(view.diagram().bottom, 18);

    // A game gone from the store leaves the view empty.
    ASSERT_TRUE(removeFile(p.app.store()->folder().groupFile(p.group(), gameFileName(2))));
    EXPECT_FALSE(form.select(1));
    EXPECT_TRUE(form.view().empty());
    EXPECT_FALSE(form.select(7));
}

TEST_F(PatternPanelTest, SearchesTheStudyBoardsPosition) {
    build();
    showGame(1, 8);
    PatternSearchForm& form = p.openPanel();
    EXPECT_FALSE(form.studyBoardShown());
    form.setSide(PatternBoardSide::Study);
    EXPECT_EQ(form.prepare(), japanese(kTextFromMainBoard)); // no study board: the main one
    p.commands.run(kCmdStudyBoard);
    ASSERT_TRUE(form.studyBoardShown());
    EXPECT_EQ(form.prepare(), japanese(kTextFromStudyBoard));
    EXPECT_EQ(form.search(PatternSearchType::Game), 2);
    // The study board's own move decides, not the main board's.
    p.commands.studyBoard()->board().showMove(4);
    EXPECT_EQ(form.prepare(), japanese(kTextTooFewStones));
    form.setSide(PatternBoardSide::Main);
    EXPECT_EQ(form.prepare(), japanese(kTextFromMainBoard));
}

std::vector<std::uint8_t> gameBlock(std::u16string_view sgf) {
    SgfReadResult read = readSgf(sgf, GameInfo{}, {});
    EXPECT_TRUE(read.ok);
    return encodeGameFile(*read.main, &read.info, NodeForm::Compact);
}

// A joseki in the upper right corner.
constexpr std::u16string_view kJosekiGame = u"(;SZ[19];B[pd];W[qf];B[nc];W[rd];B[qc];W[qi])";

// A book of a page without a record, a page of the joseki as reference, and the joseki as a
// joseki problem.
BookFiles josekiBook() {
    BookSource s;
    s.title = u"定石の本";
    BookSourceEntry contents;
    contents.title = u"目次";
    BookSourceEntry reference;
    reference.title = u"実戦";
    reference.gameName = u"実戦例";
    reference.gameBlock = gameBlock(kJosekiGame);
    BookSourceEntry joseki = reference;
    joseki.title = u"小目の定石";
    joseki.gameName = u"一間高ガカリ";
    joseki.kind = static_cast<std::uint16_t>(BookPageKind::Problem);
    joseki.category = kJoseki;
    s.entries = {contents, reference, joseki};
    return writeBook(s);
}

TEST_F(PatternPanelTest, GoBooksAreComposedSearchedAndOpenedAtTheirPage) {
    BookLibrary library(p.app.store()->folder());
    library.prepareFolders();
    ASSERT_TRUE(writeFileAtomically(library.folder() + "Joseki.GOBOOK", josekiBook().book));
    p.addGame(5, kJosekiGame, u"e");

    std::unique_ptr<PatternCompositionForm> c = p.openPanel().makeComposition();
    ASSERT_TRUE(c->setKind(PatternKind::Joseki));
    const auto groups = c->groups();
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.back(), std::make_pair(kBookGroupBase, std::u16string(u"碁ブック: 定石の本")));
    c->setInputGroup(kBookGroupBase);
    ASSERT_EQ(c->inputs().size(), 1u);
    EXPECT_EQ(c->typeLabel(c->inputs()[0]), u"碁ブック");
    c->add({0});
    QuietWatcher watcher;
    const PatternBuildResult built = c->build(watcher);
    ASSERT_EQ(built.status, PatternBuildResult::Status::Built);
    EXPECT_EQ(built.patterns, 1); // the joseki page only: the reference page is not a joseki
    c->built();

    showGame(5, 6);
    PatternSearchForm& form = *p.ui.patternSearch;
    form.prepare();
    form.setBookTarget(true);
    EXPECT_TRUE(form.available(PatternSearchType::Joseki));
    ASSERT_EQ(form.search(PatternSearchType::Joseki), 1);
    const PatternResult r = form.results()[0];
    EXPECT_EQ(r.group, kBookGroupBase);
    EXPECT_EQ(r.bookEntry, 2);
    EXPECT_EQ(form.rows()[0].type, u"定石");
    EXPECT_EQ(form.rows()[0].name, u"定石の本 (一間高ガカリ)");

    // The diagram reads the page's record from the book; "ブックを表示" asks for the book's page.
    std::vector<std::pair<std::size_t, int>> opened;
    form.setBookOpener([&opened](std::size_t book, int page) {
        opened.emplace_back(book, page);
        return true;
    });
    ASSERT_TRUE(form.select(0));
    EXPECT_EQ(form.view().diagram().caption, u"6手目まで一致");
    EXPECT_EQ(form.view().diagram().left, 6); // the upper right corner
    EXPECT_EQ(form.view().diagram().top, 0);
    EXPECT_TRUE(form.fromBook(0));
    EXPECT_TRUE(form.showBook(0));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], std::make_pair(std::size_t{0}, 2));
    EXPECT_TRUE(form.show(0)); // "棋譜表示" on a book's record opens the book too
    EXPECT_EQ(opened.size(), 2u);

    // The reference records' database takes the reference page instead.
    ASSERT_TRUE(c->setKind(PatternKind::Reference));
    c->setInputGroup(kBookGroupBase);
    c->add({0});
    EXPECT_EQ(c->build(watcher).patterns, 1);
    form.forget();
    ASSERT_EQ(form.search(PatternSearchType::GameCorner), 1);
    EXPECT_EQ(form.results()[0].bookEntry, 1);
    EXPECT_EQ(form.rows()[0].name, u"定石の本 (実戦例)");

    // A book no longer installed: named by its number, its record unreadable.
    ASSERT_EQ(library.list(), 1);
    ASSERT_TRUE(library.removeBook(0));
    form.search(PatternSearchType::GameCorner);
    EXPECT_FALSE(form.select(0));
}

TEST(PatternBooksTest, TheSampleBooksRecordsAreReferenceRecords) {
    test::TempFolder folder;
    const DataFolder data(folder.path());
    BookLibrary library(data);
    library.prepareFolders();
    ASSERT_EQ(library.installFrom(STONEWISE_BOOKS_FOLDER), 1);
    PatternBooks books(data);
    ASSERT_EQ(books.books().size(), 1u);
    EXPECT_EQ(books.title(0), u"囲碁のルール入門");
    EXPECT_TRUE(books.title(1).empty());
    int reference = 0;
    ASSERT_TRUE(books.forEachRecord(
        0, PatternKind::Reference,
        [&](const RecordSequence&, int size, std::uint8_t flags, int entry, std::u16string_view name) {
            EXPECT_EQ(size, 19);
            EXPECT_EQ(flags, kTypeFlagReference);
            EXPECT_FALSE(name.empty());
            EXPECT_TRUE(books.record(0, entry).main) << entry;
            ++reference;
        }));
    EXPECT_GT(reference, 0);
    int joseki = 0;
    ASSERT_TRUE(books.forEachRecord(0, PatternKind::Joseki, [&](auto&&...) { ++joseki; }));
    EXPECT_EQ(joseki, 0);
    EXPECT_FALSE(books.forEachRecord(1, PatternKind::Reference, [](auto&&...) {}));
    EXPECT_FALSE(books.record(0, 9999).main);
}

} // namespace
} // namespace stonewise
