#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "record/GameRecord.h"
#include "record/Text.h"
#include "view/BoardScene.h"

namespace stonewise {
namespace {

// A short name for each drawing step, so that a point's drawing reads as one line.
std::string summary(const PointDrawing& d, double diameter) {
    std::string out;
    auto add = [&](const std::string& s) {
        if (!out.empty()) out += ' ';
        out += s;
    };
    for (std::size_t i = 0; i < d.ops.size(); ++i) {
        const DrawOp& op = d.ops[i];
        switch (op.kind) {
        case DrawOp::Kind::Picture: {
            const char* names[] = {"black", "white", "last", "last+", "mail"};
            std::string s = names[static_cast<int>(op.picture)];
            if (op.picture == ScenePicture::BlackStone || op.picture == ScenePicture::WhiteStone) {
                if (std::abs(op.w - diameter * 0.75) < 0.01) s += "3/4";
                else if (std::abs(op.w - diameter * 0.4) < 0.01) s += "2/5";
            }
            if (op.alpha != 255) s.append("@").append(std::to_string(op.alpha));
            add(s);
            break;
        }
        case DrawOp::Kind::Text: add(std::string(1, '\'').append(toUtf8(op.text)).append(1, '\'')); break;
        case DrawOp::Kind::Disc: add("clear"); break;
        case DrawOp::Kind::Circle:
            if (op.colour == kCommentEdge) break; // part of the comment mark
            add(op.colour == kCommentYellow ? "comment" : "circle");
            break;
        case DrawOp::Kind::Line: {
            // Consecutive lines of one colour form one mark.
            std::size_t n = 1;
            while (i + n < d.ops.size() && d.ops[i + n].kind == DrawOp::Kind::Line && d.ops[i + n].colour == op.colour)
                ++n;
            const bool level = op.y == op.y2;
            std::string s = n == 2 ? "cross" : n == 3 ? "triangle" : level ? "square" : "diamond";
            if (!(op.colour == kMarkRed)) s = op.colour.r == 0 ? "territory-black" : "territory-white";
            add(s);
            i += n - 1;
            break;
        }
        }
    }
    return out.empty() ? "-" : out;
}

// Black 1 at (3,3), white 2 at (15,15), black 3 at (9,9), the last move.
struct SceneFixture {
    BoardPosition pos;
    BoardGeometry geometry;
    ViewSettings settings;
    SceneState state;

    SceneFixture() {
        place(3, 3, kBlack, 1);
        place(15, 15, kWhite, 2);
        place(9, 9, kBlack, 3);
        edit(9, 9, [](BoardPoint& p) { p.markFlags = kMarkFlagLastMove; });
        state.shownMove = 3;
    }
    // Changes one point the way a test sets it up.
    template <typename F>
    void edit(int x, int y, F change) {
        BoardPoint p = pos.at(x, y);
        change(p);
        pos.setPoint(p);
    }
    void place(int x, int y, int colour, int move, int display = -1) {
        edit(x, y, [&](BoardPoint& p) {
            p.colour = static_cast<std::uint8_t>(colour);
            p.moveNumber = static_cast<std::uint16_t>(move);
            p.displayNumber = static_cast<std::uint16_t>(display < 0 ? move : display);
        });
    }
    std::string at(int x, int y) const {
        const BoardScene scene(pos, geometry, settings, state);
        return summary(scene.describe(x, y), geometry.stoneDiameter());
    }
    int number(int x, int y) const { return BoardScene(pos, geometry, settings, state).numberAt(x, y); }
};

struct MarkCase {
    const char* what;
    std::function<void(SceneFixture&)> setup;
    int x;
    int y;
    const char* drawn;
};

TEST(BoardScene, WhatEachPointStateDraws) {
    const MarkCase cases[] = {
        {"empty point", [](SceneFixture&) {}, 0, 0, "-"},
        {"stone, numbers off", [](SceneFixture&) {}, 3, 3, "black"},
        {"stone, numbers on", [](SceneFixture& f) { f.state.numbersOn = true; }, 15, 15, "white '2'"},
        {"last move: number and ring", [](SceneFixture&) {}, 9, 9, "black '3' last@192"},
        {"last move with branches after it",
         [](SceneFixture& f) { f.edit(9, 9, [](BoardPoint& p) { p.markFlags = kMarkFlagLastMoveBranches; }); }, 9, 9,
         "black '3' last+@192"},
        {"last-move mark switched off", [](SceneFixture& f) { f.settings.lastMoveMarkOff = true; }, 9, 9, "black '3'"},
        {"no last-move mark in diagram display", [](SceneFixture& f) { f.settings.diagramDisplay = true; }, 9, 9,
         "black '3'"},
        {"no last-move mark while tracing", [](SceneFixture& f) { f.state.traceMode = true; }, 9, 9, "black '3'"},
        {"comment", [](SceneFixture& f) { f.edit(3, 3, [](BoardPoint& p) { p.markFlags = kMarkFlagComment; }); }, 3, 3,
         "black comment"},
        {"comment marks off",
         [](SceneFixture& f) {
             f.edit(3, 3, [](BoardPoint& p) { p.markFlags = kMarkFlagComment; });
             f.settings.commentMarks = false;
         },
         3, 3, "black"},
        {"comment on the last move",
         [](SceneFixture& f) {
             f.edit(9, 9, [](BoardPoint& p) { p.markFlags = kMarkFlagLastMove | kMarkFlagComment; });
         },
         9, 9, "black '3' last@192 comment"},
        {"flagged stone", [](SceneFixture& f) { f.edit(3, 3, [](BoardPoint& p) { p.markFlags = kCodeFlaggedStone; }); },
         3, 3, "black3/4@208"},
        {"flagged last move",
         [](SceneFixture& f) {
             f.edit(9, 9, [](BoardPoint& p) { p.markFlags = kCodeFlaggedStone | kMarkFlagLastMove; });
         },
         9, 9, "black3/4@208 '3' last@192"},
        {"small stones of colours 5 and 6",
         [](SceneFixture& f) {
             f.place(0, 0, 5, 0);
             f.place(1, 0, 6, 0);
         },
         0, 0, "black3/4@208"},
        {"circle on a stone",
         [](SceneFixture& f) {
             f.pos.setMark(3, 3, {0, kMarkCircle, 0});
         },
         3, 3, "black circle"},
        {"square",
         [](SceneFixture& f) {
             f.pos.setMark(0, 0, {0, kMarkSquare, 0});
         },
         0, 0, "square"},
        {"triangle",
         [](SceneFixture& f) {
             f.pos.setMark(0, 0, {0, kMarkTriangle, 0});
         },
         0, 0, "triangle"},
        {"cross on a dead stone",
         [](SceneFixture& f) {
             f.pos.setMark(15, 15, {0, kMarkCross, 0});
         },
         15, 15, "white cross"},
        {"upper-case letter on an empty point",
         [](SceneFixture& f) {
             f.pos.setMark(0, 0, {3, kMarkUpperLetter, 'B'});
         },
         0, 0, "clear 'B'"},
        {"lower-case letter on a stone",
         [](SceneFixture& f) {
             f.pos.setMark(3, 3, {3, kMarkLowerLetter, 'c'});
         },
         3, 3, "black 'c'"},
        {"small stone marks",
         [](SceneFixture& f) {
             f.pos.setMark(0, 0, {0, kCodeSmallWhite, 0});
         },
         0, 0, "white3/4@208"},
        {"black territory",
         [](SceneFixture& f) {
             f.pos.setMark(0, 0, {0, kCodeBlackTerritory, 0});
         },
         0, 0, "territory-black"},
        {"white territory on a dead stone",
         [](SceneFixture& f) {
             f.pos.setMark(3, 3, {0, kCodeWhiteTerritory, 0});
         },
         3, 3, "black territory-white"},
        {"false eye",
         [](SceneFixture& f) {
             f.pos.setMark(0, 0, {0, kCodeFalseEye, 0});
         },
         0, 0, "diamond"},
        {"branch shown: its next stone",
         [](SceneFixture& f) { f.edit(0, 0, [](BoardPoint& p) { p.markFlags = kCodeBranchWhite; }); }, 0, 0, "white"},
        {"other branch: small stone",
         [](SceneFixture& f) { f.edit(0, 0, [](BoardPoint& p) { p.markFlags = kCodeSmallBranchBlack; }); }, 0, 0,
         "black2/5@224"},
        {"high bit on an empty point",
         [](SceneFixture& f) { f.edit(0, 0, [](BoardPoint& p) { p.markFlags = 0x80 | kCodeSmallBranchBlack; }); }, 0, 0,
         "-"},
        {"Mail Go marker of the last exchanged move", [](SceneFixture& f) { f.state.mailGoMove = 2; }, 15, 15,
         "white mail@192"},
        {"move selected before the move shown", [](SceneFixture& f) { f.state.selectedMove = 1; }, 3, 3,
         "black circle"},
        {"move selected is the move shown", [](SceneFixture& f) { f.state.selectedMove = 3; }, 9, 9,
         "black '3' last@192"},
        {"stone fading in",
         [](SceneFixture& f) { f.state.stoneAlpha = [](int x, int y) { return x == 3 && y == 3 ? 96 : 255; }; }, 3, 3,
         "black@96"},
        {"flag marks of moves before the first numbered move",
         [](SceneFixture& f) {
             f.state.firstNumberedMove = 2;
             f.edit(3, 3, [](BoardPoint& p) { p.markFlags = kMarkFlagComment; });
         },
         3, 3, "black"},
    };
    for (const MarkCase& c : cases) {
        SceneFixture f;
        c.setup(f);
        EXPECT_EQ(f.at(c.x, c.y), c.drawn) << c.what;
    }
}

TEST(BoardScene, LabelsShowTheirTextAndHideTheNumber) {
    GameRecord record;
    RecordNode label;
    label.type = NodeType::Mark;
    label.moveNumber = 1;
    label.x = 3;
    label.y = 3;
    label.data1 = kMarkLabel;
    record.main().appendNode(makeMoveNode(1, 3, 3));
    label.comment = static_cast<std::int16_t>(record.main().comments().add(u"急所", 1));
    ASSERT_TRUE(record.main().appendNode(label));
    SceneFixture f;
    f.state.record = &record;
    f.state.numbersOn = true;
    f.pos.setMark(3, 3, {1, kMarkLabel, '@'});
    EXPECT_EQ(f.at(3, 3), "black '急所'");
    EXPECT_EQ(f.number(3, 3), 0);
    // The last move's number gives way to a label too.
    f.pos.setMark(9, 9, {3, kMarkSmallLabel, '@'});
    EXPECT_EQ(f.at(9, 9), "black last@192");
}

TEST(BoardScene, NumbersWithTheHandicapOffset) {
    SceneFixture f;
    f.pos = BoardPosition();
    // Three handicap stones are move 1; white plays move 2 first.
    f.place(3, 3, kBlack, 1, kNoDisplayNumber);
    f.place(15, 3, kBlack, 1, kNoDisplayNumber);
    f.place(3, 15, kBlack, 1, kNoDisplayNumber);
    f.place(15, 15, kWhite, 2);
    f.place(16, 15, kBlack, 3);
    f.place(16, 16, kWhite, 4);
    f.state.numberOffset = -1;
    f.state.shownMove = 4;
    f.state.numbersOn = true;
    EXPECT_EQ(f.number(3, 3), 0);
    EXPECT_EQ(f.number(15, 15), 1); // the first white move shows 1
    EXPECT_EQ(f.number(16, 15), 2);
    EXPECT_EQ(f.at(16, 16), "white '3'");

    // Numbering off: only the last move keeps its number.
    f.state.numbersOn = false;
    EXPECT_EQ(f.number(16, 15), 0);
    EXPECT_EQ(f.number(16, 16), 3);
    // ... unless the number-of-last-moves setting is negative.
    f.settings.numbersBeforeLast = -1;
    EXPECT_EQ(f.number(16, 16), 0);

    // A branch numbered from 1: its display numbers were counted past the offset.
    f.settings.numbersBeforeLast = 0;
    f.state.numbersOn = true;
    f.state.branchNumbersFromOne = true;
    f.state.pathDepth = 1;
    f.place(10, 10, kBlack, 5, 2); // first stone of a branch starting at move 5
    f.edit(10, 10, [](BoardPoint& p) { p.depth = 1; });
    f.place(11, 10, kWhite, 6, 3);
    f.edit(11, 10, [](BoardPoint& p) { p.depth = 1; });
    EXPECT_EQ(f.number(10, 10), 1);
    EXPECT_EQ(f.number(11, 10), 2);
    EXPECT_EQ(f.number(15, 15), 0); // stones of other depths keep no number
    f.edit(10, 10, [](BoardPoint& p) { p.displayNumber = kHiddenDisplayNumber; });
    EXPECT_EQ(f.number(10, 10), 0);
}

TEST(BoardScene, NumbersOfTheLastMoves) {
    SceneFixture f;
    for (int n = 4; n <= 8; ++n) f.place(n, 0, n % 2 ? kBlack : kWhite, n);
    f.state.shownMove = 8;
    f.settings.numbersBeforeLast = 3;
    const BoardScene scene(f.pos, f.geometry, f.settings, f.state);
    EXPECT_EQ(scene.lastStoneMove(), 8);
    EXPECT_EQ(f.number(8, 0), 8); // the last move
    EXPECT_EQ(f.number(7, 0), 7);
    EXPECT_EQ(f.number(5, 0), 5);
    EXPECT_EQ(f.number(4, 0), 0); // four before the last
    EXPECT_TRUE(scene.isRecentStone(5, 0));
    EXPECT_FALSE(scene.isRecentStone(8, 0));
    // Only when more than three moves are shown.
    f.state.shownMove = 3;
    EXPECT_EQ(f.number(7, 0), 0);
    // Nothing below the first numbered move.
    f.state.shownMove = 8;
    f.state.firstNumberedMove = 6;
    EXPECT_EQ(f.number(5, 0), 0);
    EXPECT_EQ(f.number(7, 0), 7);
}

TEST(BoardScene, EveryStepStaysInsideThePointRectangle) {
    SceneFixture f;
    f.settings.numbersBeforeLast = 2;
    f.state.numbersOn = true;
    f.state.numberFontPx = 30;
    f.place(18, 18, kWhite, 188);
    f.edit(18, 18, [](BoardPoint& p) { p.markFlags = kMarkFlagLastMoveBranches | kMarkFlagComment; });
    f.state.mailGoMove = 188;
    f.pos.setMark(18, 18, {0, kMarkTriangle, 0});
    const BoardScene scene(f.pos, f.geometry, f.settings, f.state);
    const PointDrawing d = scene.describe(18, 18);
    ASSERT_EQ(summary(d, 45), "white '188' last+@192 triangle mail@192 comment");
    const double left = d.rect.x, top = d.rect.y, right = d.rect.x + d.rect.width, bottom = d.rect.y + d.rect.height;
    for (const DrawOp& op : d.ops) {
        switch (op.kind) {
        case DrawOp::Kind::Picture:
        case DrawOp::Kind::Text:
            EXPECT_GE(op.x, left);
            EXPECT_GE(op.y, top);
            EXPECT_LE(op.x + op.w, right);
            EXPECT_LE(op.y + op.h, bottom);
            if (op.kind == DrawOp::Kind::Text) {
                EXPECT_LE(op.fitWidth, d.rect.width);
            }
            break;
        case DrawOp::Kind::Line:
            for (float v : {op.x, op.x2}) EXPECT_TRUE(v - op.width / 2 >= left && v + op.width / 2 <= right);
            for (float v : {op.y, op.y2}) EXPECT_TRUE(v - op.width / 2 >= top && v + op.width / 2 <= bottom);
            break;
        case DrawOp::Kind::Circle:
        case DrawOp::Kind::Disc:
            EXPECT_GE(op.x - op.radius - op.width / 2, left);
            EXPECT_LE(op.x + op.radius + op.width / 2, right);
            EXPECT_GE(op.y - op.radius - op.width / 2, top);
            EXPECT_LE(op.y + op.radius + op.width / 2, bottom);
            break;
        }
    }
}

} // namespace
} // namespace stonewise
