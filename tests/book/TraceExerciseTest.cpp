// The trace exercise and the answering of problems: clicks against the line of a record.
#include <gtest/gtest.h>

#include "book/TraceExercise.h"
#include "formats/GameFileLoader.h"
#include "support/TestPaths.h"

namespace stonewise {
namespace {

std::unique_ptr<RecordSequence> sgf(const std::string& text) {
    LoadedGame g = loadGameBytes(text, GameFileKind::Sgf, u"", LoadRequest{}, LoadSettings{});
    EXPECT_TRUE(g.ok) << text;
    return std::move(g.main);
}

// Points by SGF letters: "dd" is column 3, row 3.
int col(const char* p) { return p[0] - 'a'; }
int row(const char* p) { return p[1] - 'a'; }

TEST(TraceExercise, MistakesCountUpAndTheThirdGivesAHint) {
    auto main = sgf("(;GM[1]SZ[19];B[dd];W[pp];B[dp];W[pd])");
    TraceExercise t(*main, 0, 0, TraceSides::Both, false);
    t.start();
    const TraceEvent expected[] = {TraceEvent::Wrong, TraceEvent::Wrong, TraceEvent::WrongHint, TraceEvent::Wrong};
    for (int n = 0; n < 4; ++n) {
        const TraceReply r = t.click(n, 0, false);
        EXPECT_EQ(r.event, expected[n]) << "mistake " << n + 1;
        EXPECT_EQ(r.mistakes, n + 1);
    }
    EXPECT_TRUE(t.wrongAt(2, 0));
    EXPECT_EQ(t.click(5, 5, true).event, TraceEvent::None) << "an occupied point counts nothing";
    EXPECT_EQ(t.mistakes(), 4);

    const TraceReply right = t.click(col("dd"), row("dd"), false);
    ASSERT_EQ(right.event, TraceEvent::Correct);
    ASSERT_EQ(right.play.size(), 1u);
    EXPECT_EQ(right.play[0].colour, kBlack);
    EXPECT_EQ(t.mistakes(), 0);
    EXPECT_FALSE(t.wrongAt(2, 0)) << "the marks go with a correct move";
    EXPECT_EQ(t.click(0, 0, false).event, TraceEvent::Wrong);
    EXPECT_EQ(t.click(1, 0, false).event, TraceEvent::Wrong);
    EXPECT_EQ(t.click(2, 0, false).event, TraceEvent::WrongHint) << "three more after a correct move";
    EXPECT_EQ(t.expectedMove(), 2);
}

TEST(TraceExercise, SidesAndCompletion) {
    auto main = sgf("(;GM[1]SZ[19];B[dd];W[pp];B[dp]C[!正解:よし];W[pd])");
    struct Case {
        TraceSides sides;
        int playedAtStart;
        std::vector<const char*> clicks; // the reader's points, in order
    };
    const Case cases[] = {
        {TraceSides::Both, 0, {"dd", "pp", "dp", "pd"}},
        {TraceSides::First, 0, {"dd", "dp"}},
        {TraceSides::Second, 1, {"pp", "pd"}},
    };
    for (const Case& c : cases) {
        TraceExercise t(*main, 0, 0, c.sides, false);
        EXPECT_EQ(t.start().play.size(), static_cast<std::size_t>(c.playedAtStart));
        TraceReply last;
        int played = c.playedAtStart;
        for (const char* p : c.clicks) {
            last = t.click(col(p), row(p), false);
            played += static_cast<int>(last.play.size());
        }
        EXPECT_EQ(last.event, TraceEvent::Complete) << static_cast<int>(c.sides);
        EXPECT_EQ(played, 4);
        EXPECT_EQ(last.outcome, kCorrect) << "the tag of a move played on the way";
        EXPECT_FALSE(t.tracing());
    }
}

TEST(TraceExercise, ProblemAnsweredAlongTheFailureLine) {
    auto main = sgf("(;GM[1]SZ[19]AB[cb][bc][dc]AW[cc](;B[cd]C[!正解:取れました])"
                    "(;B[dd]C[!失敗:逃げられます];W[cd]))");
    TraceExercise wrongWay(*main, 0, 0, TraceSides::Both, true);
    wrongWay.start();
    EXPECT_EQ(wrongWay.click(col("dd"), row("dd"), false).event, TraceEvent::Correct) << "a variation's first move";
    const TraceReply done = wrongWay.click(col("cd"), row("cd"), false);
    EXPECT_EQ(done.event, TraceEvent::Complete);
    EXPECT_EQ(done.outcome, kFailure);
    EXPECT_EQ(TraceExercise::resultOf(done.outcome), AnswerResult::Failure);

    TraceExercise trace(*main, 0, 0, TraceSides::Both, false);
    trace.start();
    EXPECT_EQ(trace.click(col("dd"), row("dd"), false).event, TraceEvent::Wrong) << "a trace keeps to its line";
    const TraceReply right = trace.click(col("cd"), row("cd"), false);
    EXPECT_EQ(right.outcome, kCorrect);
    EXPECT_EQ(TraceExercise::resultOf(kNoAnswer), AnswerResult::Correct);
}

TEST(TraceExercise, RangeHintsAndEndingEarly) {
    auto main = sgf("(;GM[1]SZ[19];B[dd];W[pp]C[隅です];B[dp];W[pd])");
    TraceExercise t(*main, 1, 3, TraceSides::Both, false);
    t.start();
    EXPECT_EQ(t.expectedMove(), 2);
    std::optional<TraceHint> h = t.hint();
    ASSERT_TRUE(h && h->comment);
    EXPECT_EQ(*h->comment, u"隅です") << "the first hint of a commented move is its comment";
    h = t.hint();
    ASSERT_TRUE(h);
    EXPECT_FALSE(h->comment);
    EXPECT_EQ(h->colour, kWhite);
    // The first draws of the generator from state 1: 1103527590 and 2524885223 of 2^32 - 1.
    EXPECT_NEAR(h->dx, 2 * (1103527590 / 4294967295.0 - 0.5), 1e-9);
    EXPECT_NEAR(h->dy, 2 * (2524885223u / 4294967295.0 - 0.5), 1e-9);
    EXPECT_EQ(t.click(col("pp"), row("pp"), false).event, TraceEvent::Correct);
    EXPECT_EQ(t.click(col("dp"), row("dp"), false).event, TraceEvent::Complete) << "move 3 is the last traced";

    TraceExercise clean(*main, 0, 0, TraceSides::Both, false);
    clean.start();
    EXPECT_EQ(clean.end(), std::nullopt) << "ending without a mistake records nothing";
    TraceExercise mistaken(*main, 0, 0, TraceSides::Both, false);
    mistaken.start();
    mistaken.click(0, 0, false);
    mistaken.click(col("dd"), row("dd"), false);
    EXPECT_EQ(mistaken.end(), AnswerResult::Abandoned);
    EXPECT_FALSE(mistaken.hint()) << "no hint once ended";
}

} // namespace
} // namespace stonewise

namespace stonewise {
namespace {

// A problem of the corpus, another program's file: its main line answers to the end, and a first
// move of one of its variations is taken in problem mode and followed.
TEST(TraceExerciseCorpus, ProblemFileAnsweredAlongItsLines) {
    const std::string path =
        test::corpusDir() + "/problems/go-game-guru/weekly-go-problems/intermediate/ggg-intermediate-131.sgf";
    LoadedGame g = loadGameFile(path, LoadRequest{}, LoadSettings{});
    ASSERT_TRUE(g.ok) << path;
    RecordSequence& main = *g.main;

    TraceExercise mainLine(main, 0, 0, TraceSides::Both, true);
    mainLine.start();
    TraceReply r;
    int clicks = 0;
    while (mainLine.tracing() && clicks < 40) {
        const RecordNode* k = nullptr;
        for (const RecordNode& n : main.nodes())
            if (n.isMove() && n.moveNumber == mainLine.expectedMove()) k = &n;
        ASSERT_TRUE(k) << "move " << mainLine.expectedMove();
        r = mainLine.click(k->x, k->y, false);
        ++clicks;
    }
    EXPECT_EQ(r.event, TraceEvent::Complete);
    EXPECT_EQ(clicks, 13) << "the main line's thirteen moves";

    // "B[cl]" instead of the main line's "B[bm]" at move 1, then the variation's "W[bm]".
    TraceExercise variation(main, 0, 0, TraceSides::First, true);
    variation.start();
    const TraceReply first = variation.click(2, 11, false);
    ASSERT_EQ(first.event, TraceEvent::Correct);
    ASSERT_EQ(first.play.size(), 2u) << "with one side, the other side's reply comes at once";
    EXPECT_EQ(first.play[1].x, 1);
    EXPECT_EQ(first.play[1].y, 12);
    EXPECT_NE(first.play[1].sequence, &main) << "the reply comes from the variation";
}

} // namespace
} // namespace stonewise
