// The marks on the board belong to the move shown, whichever way the board got there.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/CommandIds.h"
#include "support/BoardFixture.h"

namespace stonewise {
namespace {

using test::TestBoard;

// Seven moves of a main line (move 1 with a comment) with a mark or label on most of them, and a variation at move 6
// with marks of its own. Move 3 labels (4,4) "1"; move 4 carries a triangle at (3,3), a cross at (16,16) and the letter
// "A" at (5,5); main move 6 labels (7,7) "10"; the variation's move 6 labels (14,14) "2" and puts a triangle on (4,4).
constexpr std::u16string_view kMarkedGame =
    u"(;GM[1]SZ[19];B[cc]C[one];W[qq]CR[cc];B[dd]LB[ee:1];W[pp]TR[dd]MA[qq]LB[ff:A];B[ee]SQ[pp]"
    u"(;W[oo]CR[ee]LB[hh:10];B[ff])(;W[nn]LB[oo:2]TR[ee];B[gg]))";

RecordSequence* variation(TestBoard& t) {
    RecordSequence& main = t.board.record().main();
    for (const RecordNode& n : main.nodes())
        if (n.isLink()) return main.child(n.childSlot);
    return nullptr;
}

// The ways to reach main move 4 of the marked game.
struct Way {
    const char* name;
    void (*reach)(TestBoard&);
};
const Way kWaysToMoveFour[] = {
    {"list row", [](TestBoard& t) { t.board.showSequence(&t.board.record().main(), 4); }},
    {"forward from the start",
     [](TestBoard& t) {
         t.board.command(kCmdToStart);
         for (int i = 0; i < 3; ++i) t.board.command(kCmdForward);
     }},
    {"end and back",
     [](TestBoard& t) {
         t.board.command(kCmdToEnd);
         for (int i = 0; i < 3; ++i) t.board.command(kCmdBack);
     }},
    {"through the variation",
     [](TestBoard& t) {
         t.board.showSequence(variation(t), 7);
         for (int i = 0; i < 3; ++i) t.board.command(kCmdBackAcrossBranch);
         EXPECT_EQ(t.board.record().pathDepth(), 0);
     }},
    {"undo",
     [](TestBoard& t) {
         t.board.command(kCmdToEnd);
         for (int i = 0; i < 3; ++i) t.board.command(kCmdUndo);
         EXPECT_EQ(t.board.totalMoves(), 4);
     }},
    {"undo, replay and back",
     [](TestBoard& t) {
         t.board.command(kCmdToEnd);
         for (int i = 0; i < 3; ++i) t.board.command(kCmdUndo);
         t.play({{4, 4}});
         t.board.command(kCmdBack);
     }},
};

TEST(MarksShown, TheSameMoveLooksTheSameHoweverItWasReached) {
    for (const bool numbers : {false, true}) {
        std::string expected;
        for (const Way& way : kWaysToMoveFour) {
            SCOPED_TRACE(std::string(way.name) + (numbers ? ", numbers on" : ", numbers off"));
            TestBoard t;
            t.load(kMarkedGame);
            if (numbers) t.board.command(kCmdShowNumbers);
            way.reach(t);
            EXPECT_EQ(t.board.shownMove(), 4);
            const std::string scene = t.scene();
            if (expected.empty()) expected = scene;
            else EXPECT_EQ(scene, expected);
        }
    }
}

TEST(MarksShown, OnlyTheMarksOfTheMoveShown) {
    TestBoard t;
    t.load(kMarkedGame);
    t.board.command(kCmdToStart);
    for (int i = 0; i < 3; ++i) t.board.command(kCmdForward);
    const BoardPosition& p = t.board.position();
    EXPECT_EQ(p.mark(3, 3).kind, kMarkTriangle);
    EXPECT_EQ(p.mark(16, 16).kind, kMarkCross);
    EXPECT_EQ(p.mark(5, 5).kind, kMarkUpperLetter);
    EXPECT_EQ(p.mark(2, 2).kind, 0) << "the circle of move 2 stays with move 2";
    EXPECT_EQ(p.mark(4, 4).kind, 0) << "the label of move 3 stays with move 3";
    EXPECT_NE(p.at(2, 2).markFlags & kMarkFlagComment, 0) << "move 1 carries a comment";
    t.board.command(kCmdForward);
    EXPECT_EQ(p.mark(15, 15).kind, kMarkSquare);
    EXPECT_EQ(p.mark(5, 5).kind, 0);
    EXPECT_EQ(p.mark(3, 3).kind, 0);
}

TEST(MarksShown, AVariationShowsItsOwnMarksOnly) {
    TestBoard t;
    t.load(kMarkedGame);
    t.board.showSequence(&t.board.record().main(), 5);
    t.board.command(kCmdIntoBranch);
    ASSERT_EQ(t.board.record().pathDepth(), 1);
    ASSERT_EQ(t.board.shownMove(), 6);
    const std::string stepped = t.scene();
    const BoardPosition& p = t.board.position();
    EXPECT_EQ(p.mark(14, 14).kind, kMarkLabel);
    EXPECT_EQ(p.mark(4, 4).kind, kMarkTriangle);
    EXPECT_EQ(p.mark(7, 7).kind, 0) << "the main line's label of move 6 is not the variation's";

    TestBoard listed;
    listed.load(kMarkedGame);
    listed.board.showSequence(variation(listed), 6);
    EXPECT_EQ(listed.scene(), stepped);
}

// A step that does not redraw everything tells the canvas about every point whose drawing changed:
// the stone, the last-move rings, and the marks of the move left and of the move shown.
TEST(MarksShown, EveryStepTellsTheCanvasWhatChanged) {
    TestBoard t;
    t.load(kMarkedGame);
    t.board.command(kCmdToStart);
    test::SceneCanvas::Scene before = test::SceneCanvas::drawing(t.board);
    int drawnPointByPoint = 0;
    auto step = [&](int command, const std::string& name) {
        SCOPED_TRACE(name);
        t.canvas.told.clear();
        const int redraws = t.canvas.redraws;
        t.board.command(command);
        const test::SceneCanvas::Scene after = test::SceneCanvas::drawing(t.board);
        if (t.canvas.redraws != redraws) {
            before = after;
            return;
        }
        ++drawnPointByPoint;
        std::set<std::pair<int, int>> points;
        for (const auto& [point, steps] : before) points.insert(point);
        for (const auto& [point, steps] : after) points.insert(point);
        for (const auto& point : points) {
            const auto was = before.find(point);
            const auto now = after.find(point);
            const std::string drawnBefore = was == before.end() ? "" : was->second;
            const std::string drawnNow = now == after.end() ? "" : now->second;
            if (drawnBefore != drawnNow) {
                EXPECT_TRUE(t.canvas.told.count(point))
                    << point.first << "," << point.second << ": " << drawnBefore << " -> " << drawnNow;
            }
        }
        before = after;
    };
    for (int n = 2; n <= 7; ++n) step(kCmdForward, "forward to " + std::to_string(n));
    for (int n = 6; n >= 1; --n) step(kCmdBack, "back to " + std::to_string(n));
    t.board.command(kCmdToEnd);
    before = test::SceneCanvas::drawing(t.board);
    for (int n = 6; n >= 4; --n) step(kCmdUndo, "undo to " + std::to_string(n));
    EXPECT_GT(drawnPointByPoint, 8) << "plain steps are drawn point by point";
}

} // namespace
} // namespace stonewise
