#include <gtest/gtest.h>

#include "app/GameSession.h"
#include "app/ProblemForm.h"
#include "app/ProblemImport.h"
#include "app/ProblemMode.h"
#include "book/ProblemCategory.h"
#include "formats/GameFileLoader.h"
#include "formats/SgfReader.h"
#include "formats/SgfWriter.h"
#include "record/CommentStore.h"
#include "store/GameStore.h"
#include "support/BoardFixture.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

namespace stonewise {
namespace {

using test::TempFolder;
using test::TestBoard;

const std::string kGggFile = "/problems/go-game-guru/weekly-go-problems/intermediate/ggg-intermediate-131.sgf";

// The main window's board over a library with a problem group, in problem mode.
struct Problems {
    TempFolder folder;
    SettingsRecord settings;
    GameStore store{DataFolder(folder.path()), StringTable::japanese()};
    TestBoard t;
    GameSession session{t.board, store, settings, &t.ui};
    ProblemMode mode{t.board, session, store, StringTable::japanese(), &t.ui};
    int group = -1;

    Problems() {
        StoreMessages messages;
        store.start(settings, {2026, 12, 11, 0}, messages);
        session.startUp();
        group = store.groupForMode(64, settings).value_or(-1);
    }
    // Imports corpus files into the problem group and opens the mode on it.
    void import(std::initializer_list<std::string> files) {
        for (const std::string& f : files) {
            StoreMessages messages;
            const ProblemImportResult r = importProblemFile(store, group, test::corpusDir() + f, {}, messages);
            ASSERT_EQ(r.imported, 1) << f;
        }
        mode.open(group);
    }
    bool enabled(int id) const {
        for (const ProblemControl& c : mode.controls())
            if (c.id == id) return c.enabled;
        ADD_FAILURE() << "no control " << id;
        return false;
    }
    std::u16string textOf(int id) const {
        for (const ProblemControl& c : mode.controls())
            if (c.id == id) return c.text;
        return {};
    }
    void clickAll(std::initializer_list<std::pair<int, int>> points) {
        for (auto [x, y] : points) EXPECT_TRUE(mode.click(x, y, false));
    }
};

TEST(ProblemForm, NamePrefixFollowsTheChoicesUntilANameIsTyped) {
    const StringTable& ja = StringTable::japanese();
    struct Case {
        const char* what;
        std::vector<int> choices; // radio buttons chosen in order
        std::u16string typed;     // typed before the choices, when not empty
        std::u16string name;
        std::u16string reference;
    };
    const Case cases[] = {
        {"first use", {}, u"", u"黒番－", u"名前参照..."},
        {"white before typing", {kCtlCreateWhite}, u"", u"白番－", u"名前参照..."},
        {"white after typing", {kCtlCreateWhite}, u"隅の死活", u"隅の死活", u"名前参照..."},
        {"tesuji, any side", {kCtlCreateWhite, kCtlCreateTesuji}, u"", u"手筋－", u"名前参照..."},
        {"back to life and death",
         {kCtlCreateJoseki, kCtlCreateWhite, kCtlCreateLifeAndDeath},
         u"",
         u"白番－",
         u"名前参照..."},
        {"fuseki", {kCtlCreateFuseki}, u"", u"布石－", u"棋譜参照..."},
    };
    for (const Case& c : cases) {
        ProblemForm form(ja, ProblemFormMemory{});
        if (!c.typed.empty()) form.typeName(c.typed);
        for (int id : c.choices) form.choose(id);
        EXPECT_EQ(form.name(), c.name) << c.what;
        EXPECT_EQ(form.text(kCtlCreateReference), c.reference) << c.what;
        EXPECT_EQ(form.text(1), u"作成開始") << c.what;
    }
}

TEST(ProblemForm, KeepsTheLastChoicesAndRefusesAnEmptyName) {
    const StringTable& ja = StringTable::japanese();
    ProblemFormMemory memory;
    ProblemForm first(ja, memory);
    first.choose(kCtlCreateBoard13);
    first.choose(kCtlCreateTesuji);
    first.typeName(u"");
    EXPECT_TRUE(first.refusal().has_value());
    first.typeName(std::u16string(150, u'石'));
    EXPECT_EQ(first.name().size(), ProblemForm::kMaxName);
    EXPECT_FALSE(first.refusal().has_value());
    first.remember(memory);
    ProblemForm second(ja, memory);
    EXPECT_EQ(second.boardControl(), kCtlCreateBoard13);
    EXPECT_EQ(second.categoryControl(), kCtlCreateTesuji);
    EXPECT_EQ(second.name(), u"手筋－");
    const GameInfo info = second.header();
    EXPECT_EQ(info.board, 1);
    EXPECT_EQ(problemCategory(info), kTesuji);
    EXPECT_EQ(ProblemForm(ja, info, kBlack).text(1), u"OK");
}

TEST(ProblemImport, MarksTheCorrectAndTheUnmarkedLinesOfACollection) {
    LoadedGame game = loadGameFile(test::corpusDir() + kGggFile, {}, {});
    ASSERT_TRUE(game.ok);
    const AnswerLineCount count = tagAnswerLines(*game.main);
    EXPECT_EQ(count.correct, 2); // "Correct. It's a ko." and "Also correct …"
    EXPECT_GT(count.failure, 10);
    EXPECT_EQ(count.untagged, 0);
    // The main line ends correct.
    const RecordSequence& main = *game.main;
    const RecordNode* last = nullptr;
    for (const RecordNode& k : main.nodes())
        if (k.isMove()) last = &k;
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(answerKindOfText(main.commentOf(*last)), kCorrect);

    // A file that marks no line keeps its lines untagged.
    LoadedGame plain = loadGameFile(test::corpusDir() + "/problems/gnugo-life-and-death/ld1.sgf", {}, {});
    ASSERT_TRUE(plain.ok);
    EXPECT_EQ(tagAnswerLines(*plain.main).correct + tagAnswerLines(*plain.main).failure, 0);
}

TEST(ProblemMode, AnswersARealProblemAlongTheCorrectAndAFailureLine) {
    Problems p;
    p.import({kGggFile});
    ASSERT_EQ(p.mode.problems().size(), 1u);
    EXPECT_EQ(p.t.board.shownMove(), 0); // the question's position
    EXPECT_EQ(answeringSide(p.t.board.record().main()), kBlack);

    ASSERT_TRUE(p.mode.startAnswer());
    EXPECT_EQ(p.textOf(kCtlProblemAnswer), u"中止");
    for (int id : {kCtlProblemNext, kCtlProblemEdit, kCtlProblemMoveList}) EXPECT_FALSE(p.enabled(id)) << id;
    // A wrong point first, then the main line's Black moves; White answers by itself.
    EXPECT_TRUE(p.mode.click(18, 0, false));
    EXPECT_EQ(p.t.ui.boardMessages.back(), u"位置が間違っています。間違えた回数：1回");
    p.clickAll({{1, 12}, {2, 10}, {1, 10}, {0, 11}, {0, 10}, {0, 13}});
    EXPECT_EQ(p.mode.state(), ProblemState::Answering);
    p.clickAll({{0, 15}});
    EXPECT_EQ(p.mode.state(), ProblemState::Idle);
    EXPECT_EQ(p.t.ui.boardMessages.back(), u"トレース完了");
    EXPECT_EQ(p.mode.status(), u"正解です");
    EXPECT_EQ(p.textOf(kCtlProblemAnswer), u"回答開始");

    // The variation that branches at the first move is searched: a tenuki is a failure.
    ASSERT_TRUE(p.mode.startAnswer());
    p.clickAll({{6, 15}});
    EXPECT_EQ(p.mode.state(), ProblemState::Idle);
    EXPECT_EQ(p.t.ui.boardMessages.back(), u"トレースが失敗手順で完了");
    EXPECT_EQ(p.mode.status(), u"失敗手順で完了しました");
    EXPECT_EQ(p.mode.answers().at(static_cast<std::size_t>(p.mode.problems()[0].number))->latest(),
              AnswerResult::Failure);
}

TEST(ProblemMode, PanelStatesFollowTheListAndTheRunningWork) {
    Problems p;
    p.import({"/problems/gnugo-life-and-death/ld17.sgf", kGggFile});
    ASSERT_EQ(p.mode.problems().size(), 2u);
    EXPECT_EQ(p.mode.selected(), 0);
    EXPECT_TRUE(p.enabled(kCtlProblemNext));
    ASSERT_TRUE(p.mode.next());
    EXPECT_FALSE(p.enabled(kCtlProblemNext)); // the last problem
    EXPECT_FALSE(p.mode.next());
    ASSERT_TRUE(p.mode.select(0));
    EXPECT_FALSE(p.mode.startAnswer()); // setup stones without an answer line
    EXPECT_TRUE(p.mode.answers().at(static_cast<std::size_t>(p.mode.problems()[0].number)) == nullptr ||
                p.mode.answers().at(static_cast<std::size_t>(p.mode.problems()[0].number))->empty());
    ASSERT_TRUE(p.mode.next());

    ASSERT_TRUE(p.mode.startStudy());
    EXPECT_EQ(p.textOf(kCtlProblemStudy), u"検討終り");
    for (int id : {kCtlProblemAnswer, kCtlProblemNext, kCtlProblemMoveList}) EXPECT_FALSE(p.enabled(id)) << id;
    p.t.board.showMove(5);
    p.mode.endStudy();
    EXPECT_EQ(p.t.board.shownMove(), 0);

    ASSERT_TRUE(p.mode.toggleEdit());
    EXPECT_FALSE(p.enabled(kCtlProblemAnswer)); // no answering while editing
    EXPECT_TRUE(p.enabled(kCtlProblemPlacement));
    ASSERT_TRUE(p.mode.toggleEdit());
    ASSERT_TRUE(p.mode.startAnswer());
    EXPECT_FALSE(p.mode.toggleEdit()); // not while answering
    p.mode.stopAnswer();
    EXPECT_EQ(p.mode.state(), ProblemState::Idle);
}

TEST(ProblemMode, AnswerStateSurvivesAndIsReset) {
    Problems p;
    p.import({kGggFile});
    ASSERT_TRUE(p.mode.startAnswer());
    p.clickAll({{6, 15}});
    p.mode.toggleAnswerState();
    EXPECT_NE(p.mode.listText(0).find(u"（失敗）"), std::u16string::npos);

    ProblemMode again(p.t.board, p.session, p.store, StringTable::japanese(), &p.t.ui);
    again.open(p.group);
    again.toggleAnswerState();
    EXPECT_NE(again.listText(0).find(u"（失敗）"), std::u16string::npos);
    p.t.ui.answers.push_back(true);
    ASSERT_TRUE(again.resetAnswers());
    EXPECT_EQ(p.t.ui.questions.back().text, u"全ての解答をリセットします。よろしいですか？");
    ProblemMode third(p.t.board, p.session, p.store, StringTable::japanese(), &p.t.ui);
    third.open(p.group);
    third.toggleAnswerState();
    EXPECT_NE(third.listText(0).find(u"（未解答）"), std::u16string::npos);
}

TEST(ProblemMode, PlacementStylesChooseTheColourOfEachButton) {
    struct Case {
        int style;
        bool rightButton;
        Colour placed; // kEmpty: nothing placed
    };
    const Case cases[] = {
        {kCtlPlaceBoth, false, kBlack}, {kCtlPlaceBoth, true, kWhite},   {kCtlPlaceBlack, false, kBlack},
        {kCtlPlaceBlack, true, kEmpty}, {kCtlPlaceWhite, false, kWhite}, {kCtlPlaceWhite, true, kEmpty},
    };
    for (const Case& c : cases) {
        Problems p;
        p.mode.open(p.group);
        ASSERT_TRUE(p.mode.beginCreation(ProblemForm(StringTable::japanese(), {}).header(), kBlack));
        ASSERT_TRUE(p.mode.command(c.style));
        EXPECT_TRUE(p.mode.click(4, 4, c.rightButton));
        EXPECT_EQ(p.t.board.position().at(4, 4).colour, c.placed) << c.style << " " << c.rightButton;
        ASSERT_TRUE(p.mode.command(kCtlPlaceDone));
        EXPECT_EQ(p.mode.setupStones(), c.placed == kEmpty ? 0 : 1);
    }
}

TEST(ProblemMode, ACreatedProblemSurvivesTheStoreAndOurSgf) {
    Problems p;
    p.mode.open(p.group);
    ProblemForm form(StringTable::japanese(), ProblemFormMemory{});
    form.choose(kCtlCreateWhite);
    form.setDescription(u"白先生き");
    ASSERT_TRUE(p.mode.beginCreation(form.header(), form.side()));
    EXPECT_EQ(p.mode.state(), ProblemState::Placing);
    EXPECT_EQ(p.mode.status(), u"白番－　の石を配置中");
    for (auto [x, y, right] : {std::tuple{2, 2, false}, {3, 2, false}, {2, 3, true}, {3, 3, true}})
        p.t.board.clickPoint(x, y, right);
    p.mode.endPlacement();
    EXPECT_EQ(p.mode.setupStones(), 4);
    EXPECT_EQ(p.mode.state(), ProblemState::Creating);
    EXPECT_EQ(p.textOf(kCtlProblemCreate), u"作成完了");
    p.t.board.clickPoint(1, 2);
    EXPECT_EQ(p.t.board.position().at(1, 2).colour, kWhite); // White answers
    ASSERT_TRUE(p.mode.finishCreation());

    // Read back from the store.
    ProblemMode again(p.t.board, p.session, p.store, StringTable::japanese(), &p.t.ui);
    p.session.newTemporaryGame();
    again.open(p.group);
    ASSERT_EQ(again.problems().size(), 1u);
    EXPECT_EQ(again.problems()[0].name, u"白番－");
    const GameInfo stored = p.t.board.gameInfo();
    EXPECT_EQ(problemCategory(stored), kLifeAndDeath);
    EXPECT_EQ(stored.gameComment, u"白先生き");
    EXPECT_EQ(answeringSide(p.t.board.record().main()), kWhite);
    EXPECT_EQ(p.t.board.shownMove(), 1); // after Black's pass
    EXPECT_EQ(p.t.board.position().at(3, 3).colour, kWhite);

    // Its header edited in the dialog: "OK", and the name typed stays.
    ProblemForm edit(StringTable::japanese(), stored, kWhite);
    EXPECT_EQ(edit.text(1), u"OK");
    edit.choose(kCtlCreateTesuji);
    EXPECT_EQ(edit.name(), u"白番－");
    edit.typeName(u"隅の手筋");
    ASSERT_TRUE(again.changeHeader(edit.header(stored)));
    EXPECT_EQ(again.problems()[0].name, u"隅の手筋");
    StoreMessages messages;
    const GameInfo* listed = p.store.gameList(p.group, messages).find(again.problems()[0].number);
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(listed->name, u"隅の手筋");
    EXPECT_EQ(problemCategory(*listed), kTesuji);

    // And through our SGF writer and reader.
    const std::u16string sgf = sgfText(p.t.board.record().main(), stored, {});
    const SgfReadResult read = readSgf(sgf, GameInfo{}, {});
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(problemCategory(read.info), kLifeAndDeath);
    EXPECT_EQ(read.info.gameComment, u"白先生き");
    EXPECT_EQ(answeringSide(*read.main), kWhite);
}

} // namespace
} // namespace stonewise
