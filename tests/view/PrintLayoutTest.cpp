#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "formats/GameFileLoader.h"
#include "record/GameRecord.h"
#include "record/StringTable.h"
#include "support/BoardFixture.h"
#include "support/TestPaths.h"
#include "view/PrintLayout.h"

namespace stonewise {
namespace {

// 1 B ba, 2 W aa, 3 B ab takes 2, 4 W ca, 5 B pp, 6 W bb, 7 B aa on the point of 2.
constexpr std::u16string_view kRetake = u"(;SZ[19];B[ba];W[aa];B[ab];W[ca];B[pp];W[bb];B[aa])";

PrintDiagram diagramOf(std::u16string_view sgf, const PrintOptions& options, int lastMove = -1) {
    test::TestBoard t;
    t.load(sgf);
    const GameRecord& record = t.board.record();
    const int last = lastMove < 0 ? record.main().lastMoveNumber() : lastMove;
    return buildPrintDiagram(record, t.board.gameInfo().boardSize(), last, options);
}

std::vector<PrintStone> sorted(std::vector<PrintStone> stones) {
    std::sort(stones.begin(), stones.end(), [](const PrintStone& a, const PrintStone& b) {
        return std::pair{a.x, a.y} < std::pair{b.x, b.y};
    });
    return stones;
}

using Kind = PrintNote::Kind;

TEST(PrintDiagram, FigureNumbersAndNotes) {
    const struct {
        const char* what;
        bool numbers;
        int first;
        std::vector<PrintStone> stones;
        std::vector<PrintNote> notes;
    } cases[] = {
        {"a figure from 1: the taken stone stays, the move on its point is a note",
         true,
         1,
         {{0, 0, kWhite, 2},
          {0, 1, kBlack, 3},
          {1, 0, kBlack, 1},
          {1, 1, kWhite, 6},
          {2, 0, kWhite, 4},
          {15, 15, kBlack, 5}},
         {{Kind::Distant, 5, 15, 15, 0}, {Kind::Distant, 6, 1, 1, 0}, {Kind::Retaken, 7, 0, 0, 2}}},
        {"without numbers: the position after the last move",
         false,
         1,
         {{0, 0, kBlack, 0},
          {0, 1, kBlack, 0},
          {1, 0, kBlack, 0},
          {1, 1, kWhite, 0},
          {2, 0, kWhite, 0},
          {15, 15, kBlack, 0}},
         {{Kind::Distant, 5, 15, 15, 0}, {Kind::Distant, 6, 1, 1, 0}}},
        {"a figure from 4 starts from the position after 3",
         true,
         4,
         {{0, 0, kBlack, 7},
          {0, 1, kBlack, 0},
          {1, 0, kBlack, 0},
          {1, 1, kWhite, 6},
          {2, 0, kWhite, 4},
          {15, 15, kBlack, 5}},
         {{Kind::Distant, 5, 15, 15, 0}, {Kind::Distant, 6, 1, 1, 0}}},
        {"a first number past the last move: no numbers, no notes",
         true,
         8,
         {{0, 0, kBlack, 0},
          {0, 1, kBlack, 0},
          {1, 0, kBlack, 0},
          {1, 1, kWhite, 0},
          {2, 0, kWhite, 0},
          {15, 15, kBlack, 0}},
         {}},
    };
    for (const auto& c : cases) {
        PrintOptions options;
        options.numbers = c.numbers;
        options.firstNumber = c.first;
        options.distantList = true;
        options.distanceLimit = 4;
        const PrintDiagram d = diagramOf(kRetake, options);
        EXPECT_EQ(sorted(d.stones), c.stones) << c.what;
        EXPECT_EQ(d.notes, c.notes) << c.what;
        EXPECT_EQ(d.lastNumber, 7) << c.what;
        EXPECT_EQ(d.blackPrisoners, 1) << c.what;
    }
    // Every move is a distant one at distance 1; 7 is noted once, as "ヌキ".
    PrintOptions options;
    options.numbers = true;
    options.distantList = true;
    options.distanceLimit = 1;
    const std::vector<PrintNote> notes = diagramOf(kRetake, options).notes;
    ASSERT_EQ(notes.size(), 6u);
    EXPECT_EQ(notes.back(), (PrintNote{Kind::Retaken, 7, 0, 0, 2}));
}

TEST(PrintDiagram, DistanceLimitAndPasses) {
    // 2 is four columns from 1, 3 a pass, 4 four rows from 2, 5 five columns and rows from 4.
    constexpr std::u16string_view sgf = u"(;SZ[19];B[aa];W[ea];B[];W[ee];B[jj])";
    const struct {
        int limit;
        std::vector<int> noted;
    } cases[] = {{4, {2, 4, 5}}, {5, {5}}, {6, {}}};
    for (const auto& c : cases) {
        PrintOptions options;
        options.distantList = true;
        options.distanceLimit = c.limit;
        std::vector<int> noted;
        for (const PrintNote& n : diagramOf(sgf, options).notes) noted.push_back(n.number);
        EXPECT_EQ(noted, c.noted) << c.limit;
    }
    PrintOptions off;
    EXPECT_TRUE(diagramOf(sgf, off).notes.empty());
}

TEST(PrintDiagram, HandicapGamesNumberWhitesFirstMoveOne) {
    PrintOptions options;
    options.numbers = true;
    const PrintDiagram d = diagramOf(u"(;SZ[19]HA[2]AB[dp][pd];W[dd];B[pp])", options);
    EXPECT_EQ(sorted(d.stones), (std::vector<PrintStone>{
                                    {3, 3, kWhite, 1}, {3, 15, kBlack, 0}, {15, 3, kBlack, 0}, {15, 15, kBlack, 2}}));
    EXPECT_EQ(d.lastNumber, 2);
}

TEST(PrintDiagram, KeepsTheFirst400Notes) {
    // Every move after the first jumps across the board, and the points come round again after 38.
    std::u16string sgf = u"(;SZ[19]";
    for (int k = 0; k < 500; ++k) {
        const char16_t col = static_cast<char16_t>(k % 2 ? u's' : u'a');
        const char16_t row = static_cast<char16_t>(u'a' + (k / 2) % 19);
        sgf += std::u16string(k % 2 ? u";W[" : u";B[") + col + row + u"]";
    }
    sgf += u")";
    PrintOptions options;
    options.numbers = true;
    options.distantList = true;
    const PrintDiagram d = diagramOf(sgf, options);
    ASSERT_EQ(d.notes.size(), 400u);
    EXPECT_TRUE(std::is_sorted(d.notes.begin(), d.notes.end(),
                               [](const PrintNote& a, const PrintNote& b) { return a.number < b.number; }));
    // One note a move from 2 on (distant, or "ヌキ" once the points come round): moves 2..401.
    EXPECT_EQ(d.notes.front().number, 2);
    EXPECT_EQ(d.notes.back().number, 401);
}

PrintRecordTexts sampleTexts() {
    PrintRecordTexts t;
    t.title = u"第23期 碁聖戦";
    t.white = u"白川";
    t.black = u"黒田";
    t.date = {1998, 5, 7};
    t.result = u"黒2.5目勝ち";
    return t;
}

TEST(PrintDiagram, MarksOfTheLastMoveAreDrawnWhereNoNumberStands) {
    constexpr std::u16string_view sgf = u"(;SZ[19];B[aa];W[bb]TR[aa]CR[bb]MA[ee]LB[cc:A][dd:xy])";
    const PrintDiagram d = diagramOf(sgf, {});
    EXPECT_EQ(d.marks, (std::vector<PrintMark>{{0, 0, kMarkTriangle, u""},
                                               {1, 1, kMarkCircle, u""},
                                               {4, 4, kMarkCross, u""},
                                               {2, 2, kMarkUpperLetter, u"A"},
                                               {3, 3, kMarkLabel, u"xy"}}));
    // Without numbers: the triangle in white on the black stone, the circle black on the white one,
    // the cross, and the two texts each over a white disc that clears the lines.
    const auto drawn = [](const PrintPage& page) {
        std::string out;
        for (const PrintOp& op : page.ops) {
            if (op.kind == PrintOp::Kind::Ring) out += op.white ? "o" : "O";
            if (op.kind == PrintOp::Kind::Line && op.pen > page.geometry.pitch / 20) out += op.white ? "l" : "L";
            if (op.kind == PrintOp::Kind::Disc && op.white && op.pen == 0) out += "_";
            if (op.kind == PrintOp::Kind::Text && op.centred && op.font.weight == 700) out += toUtf8(op.text);
        }
        return out;
    };
    const std::string plain = drawn(layoutPrintPage(d, sampleTexts(), {}, {}, 2400, 3300));
    EXPECT_EQ(plain, "lllOLL_A_xy");
    PrintOptions numbered;
    numbered.numbers = true;
    EXPECT_EQ(drawn(layoutPrintPage(diagramOf(sgf, numbered), sampleTexts(), numbered, {}, 2400, 3300)), "12LL_A_xy");
}

TEST(PrintText, LinesOfTheTextArea) {
    PrintOptions options;
    options.numbers = true;
    options.distantList = true;
    options.distanceLimit = 4;
    const PrintDiagram d = diagramOf(kRetake, options);
    const std::vector<std::u16string> japanese = printTextLines(d, sampleTexts(), options, {});
    EXPECT_EQ(japanese,
              (std::vector<std::u16string>{u"対局日： 1998/ 5/ 7", u"白番： 白川", u"黒番： 黒田", u"ハンディ： 無し",
                                           u"最終手：   7 （１，一）", u"アゲハマ： 白 0、 黒 1", u"勝敗： 黒2.5目勝ち",
                                           u"", u"  5 （１６，十六）", u"  6 （２，二）", u"  7 （１，一） 2でヌキ"}));

    // Notes before the first number are left out; English texts and letter labels.
    const StringTable english({{kStrPrintDistant, u"%3d (%s, %s)"}, {kStrPrintRetaken, u"%3d (%s, %s) at %d"}});
    ViewSettings letters;
    letters.japanese = false;
    letters.horizontalLabels = 3;
    letters.verticalLabels = 1;
    const struct {
        int first;
        std::vector<std::u16string> tail;
    } cases[] = {{2, {u"  6 (B, 2)", u"  7 (A, 1) at 2"}}, {6, {u"", u"  6 (B, 2)"}}};
    for (const auto& c : cases) {
        options.firstNumber = c.first;
        const std::vector<std::u16string> lines =
            printTextLines(diagramOf(kRetake, options), sampleTexts(), options, letters, &english);
        EXPECT_EQ(std::vector<std::u16string>(lines.end() - 2, lines.end()), c.tail) << c.first;
    }
}

bool inside(const PrintRect& r, const PrintPage& page) {
    constexpr double kSlack = 1e-6;
    return r.x >= -kSlack && r.y >= -kSlack && r.x + r.width <= page.width + kSlack &&
           r.y + r.height <= page.height + kSlack;
}

std::vector<const PrintOp*> texts(const PrintPage& page) {
    std::vector<const PrintOp*> out;
    for (const PrintOp& op : page.ops)
        if (op.kind == PrintOp::Kind::Text) out.push_back(&op);
    return out;
}

// A real game of 246 moves, as the program reads it.
PrintDiagram corpusDiagram(const PrintOptions& options, PrintRecordTexts& texts) {
    const std::string path = test::corpusDir() + "/pro/kombilo/Gosei-Gos23-T30.sgf";
    LoadedGame game = loadGameFile(path, {}, {});
    EXPECT_TRUE(game.ok) << path;
    GameRecord record;
    record.adopt(std::move(game.main));
    texts.title = game.info.name;
    texts.white = game.info.whiteName;
    texts.black = game.info.blackName;
    return buildPrintDiagram(record, game.info.boardSize(), record.main().lastMoveNumber(), options);
}

TEST(PrintLayout, A250MoveGameFitsOnePage) {
    PrintOptions options;
    options.numbers = true;
    options.distantList = true;
    PrintRecordTexts t;
    const PrintDiagram d = corpusDiagram(options, t);
    ASSERT_EQ(d.lastNumber, 246);
    // A4 at 600 dots an inch, less a quarter inch each side.
    const PrintPage page = layoutPrintPage(d, t, options, {}, 4660, 6716);
    EXPECT_FALSE(page.overflow);
    EXPECT_EQ(page.linesPrinted, static_cast<int>(printTextLines(d, t, options, {}).size()));
    int numbered = 0;
    for (const PrintStone& s : d.stones) numbered += s.number > 0;
    EXPECT_EQ(numbered + static_cast<int>(std::count_if(d.notes.begin(), d.notes.end(),
                                                        [](const PrintNote& n) { return n.kind == Kind::Retaken; })),
              246);
    for (const PrintOp& op : page.ops) EXPECT_TRUE(inside(op.bounds(), page)) << toUtf8(op.text);
}

TEST(PrintLayout, NothingOutsideThePage) {
    PrintOptions base;
    base.numbers = true;
    base.distantList = true;
    base.distanceLimit = 4;
    for (int lines : {19, 13})
        for (int size : {1, 2, 3})
            for (bool landscape : {false, true}) {
                PrintOptions options = base;
                options.printSize = size;
                options.numberSize = size;
                const std::u16string sgf =
                    lines == 13 ? u"(;SZ[13];B[ba];W[aa];B[ab];W[ca];B[kk];W[bb];B[aa])" : std::u16string(kRetake);
                const PrintDiagram d = diagramOf(sgf, options);
                ASSERT_EQ(d.lines, lines);
                const PrintPage page = landscape ? layoutPrintPage(d, sampleTexts(), options, {}, 3300, 2400)
                                                 : layoutPrintPage(d, sampleTexts(), options, {}, 2400, 3300);
                EXPECT_EQ(page.width, 2400);
                for (const PrintOp& op : page.ops)
                    EXPECT_TRUE(inside(op.bounds(), page)) << lines << " " << size << " " << toUtf8(op.text);
            }
}

TEST(PrintLayout, SizesScaleTheBoardAndTheNumbers) {
    const PrintGeometry large = printGeometry(4800, 6800, 1, 19);
    const PrintGeometry small = printGeometry(4800, 6800, 3, 19);
    EXPECT_EQ(large.margin, 288);
    EXPECT_EQ(small.margin, 144);
    EXPECT_EQ(large.boardWidth, 4800 - 288);
    EXPECT_EQ(small.boardWidth, (4800 - 144) / 2.0);
    EXPECT_NEAR(small.boardWidth / large.boardWidth, 0.5, 0.02);
    EXPECT_EQ(large.textTop, std::floor(large.pitch) + large.boardWidth + 136);
    EXPECT_EQ(printNumberFont(100, 2, 3).height, printNumberFont(100, 2, 1).height / 2);
    EXPECT_EQ(printNumberFont(100, 2, 1).height, 30);
    EXPECT_EQ(printNumberFont(100, 3, 1).height, 22.5);
}

TEST(PrintLayout, OverflowEndsWithTheNotice) {
    PrintOptions options;
    options.numbers = true;
    options.distantList = true;
    options.distanceLimit = 4;
    // A sample as wide as the text area: one column.
    const PrintTextMeasure oneColumn = [](const PrintFont& font, std::u16string_view text) {
        PrintTextSize size = estimateTextSize(font, text);
        if (text.starts_with(u"123")) size.width = 1e9;
        return size;
    };
    const PrintDiagram d = diagramOf(kRetake, options);
    const PrintPage tight = layoutPrintPage(d, sampleTexts(), options, {}, 2400, 2400 * 1.05, oneColumn);
    // With a very wide sample no column fits: nothing is printed in the text area.
    EXPECT_TRUE(tight.overflow);

    const PrintTextMeasure narrowColumns = [](const PrintFont& font, std::u16string_view text) {
        PrintTextSize size = estimateTextSize(font, text);
        // One column of tall lines.
        if (text.starts_with(u"123")) size = {2000, 100};
        return size;
    };
    const PrintPage page = layoutPrintPage(d, sampleTexts(), options, {}, 2400, 2400 * 1.05, narrowColumns);
    ASSERT_EQ(page.columns, 1);
    ASSERT_GT(page.linesPerColumn, 0);
    const auto all = texts(page);
    ASSERT_TRUE(page.overflow);
    EXPECT_EQ(page.linesPrinted, page.linesPerColumn - 1);
    EXPECT_EQ(all.back()->text, u"行数超過：印刷中断");
    for (const PrintOp& op : page.ops) EXPECT_TRUE(inside(op.bounds(), page)) << toUtf8(op.text);
}

TEST(PrintLayout, LongLinesAreCutAtTheirColumn) {
    PrintOptions options;
    PrintRecordTexts t = sampleTexts();
    t.white = std::u16string(200, u'長');
    const PrintPage page = layoutPrintPage(diagramOf(kRetake, options), t, options, {}, 2400, 3300);
    const double column = (page.geometry.shorter - 2 * page.geometry.margin) / page.columns;
    bool cut = false;
    for (const PrintOp* op : texts(page)) {
        if (!op->text.starts_with(u"白番")) continue;
        cut = op->text.ends_with(u"…");
        EXPECT_LE(op->w, column);
    }
    EXPECT_TRUE(cut);
}

} // namespace
} // namespace stonewise
