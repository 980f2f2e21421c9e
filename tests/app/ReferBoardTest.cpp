// The reference board of the Go book player: which part of the board a corner code shows, and the
// position of a diagram at its move.
#include <gtest/gtest.h>

#include "app/CReferBoard.h"
#include "formats/GameFileLoader.h"
#include "support/SceneCanvas.h"

namespace stonewise {
namespace {

std::unique_ptr<RecordSequence> record(const std::string& sgf) {
    LoadedGame g = loadGameBytes(sgf, GameFileKind::Sgf, u"", LoadRequest{}, LoadSettings{});
    EXPECT_TRUE(g.ok);
    return std::move(g.main);
}

// Rows of the top left corner of the position: 'X' black, 'O' white, '.' empty.
std::vector<std::string> corner(const BoardPosition& p, int size = 5) {
    std::vector<std::string> rows;
    for (int y = 0; y < size; ++y) {
        std::string row;
        for (int x = 0; x < size; ++x) {
            const Colour c = p.colourAt(x, y);
            row += c == kBlack ? 'X' : c == kWhite ? 'O' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

// Black captures the white stone at b1 (x 1, y 0) with its fifth move; a variation answers move 2
// with a black stone at a5.
const char* const kCapture = "(;SZ[19];B[aa];W[ba](;B[bb];W[dd];B[ca];W[ee])(;B[ae]))";

TEST(ReferView, CornerCodesEnlargeACornerOfTheBoardPicture) {
    const BoardGeometry g; // the 19-line board picture, 856 × 920
    struct Case {
        int code;
        int firstColumn, lastColumn, firstRow, lastRow;
        double left, top, part;
    };
    const Case cases[] = {
        {0, 0, 18, 0, 18, 0, 0, 1.0},
        {1, 0, 11, 0, 11, 0, 0, 0.63},
        {2, 7, 18, 0, 11, 0.37, 0, 0.63},
        {3, 0, 11, 7, 18, 0, 0.37, 0.63},
        {4, 7, 18, 7, 18, 0.37, 0.37, 0.63},
        {9, 0, 13, 0, 13, 0, 0, 0.74},
        {12, 5, 18, 5, 18, 0.26, 0.26, 0.74},
        // Codes that name no corner show the whole board.
        {5, 0, 18, 0, 18, 0, 0, 1.0},
        {8, 0, 18, 0, 18, 0, 0, 1.0},
        {13, 0, 18, 0, 18, 0, 0, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const ReferView v = referView(c.code, g);
        EXPECT_EQ(v.firstColumn, c.firstColumn);
        EXPECT_EQ(v.lastColumn, c.lastColumn);
        EXPECT_EQ(v.firstRow, c.firstRow);
        EXPECT_EQ(v.lastRow, c.lastRow);
        EXPECT_NEAR(v.left, c.left * g.pictureWidth(), 0.5);
        EXPECT_NEAR(v.top, c.top * g.pictureHeight(), 0.5);
        EXPECT_NEAR(v.width, c.part * g.pictureWidth(), 0.5);
        EXPECT_NEAR(v.height, c.part * g.pictureHeight(), 0.5);
    }
}

TEST(ReferView, TheThirteenLineBoardShowsFewerLinesInItsCorner) {
    const BoardGeometry g(13, 856, 920, false, 45);
    const ReferView v = referView(4, g);
    EXPECT_EQ(v.columns(), v.rows());
    EXPECT_EQ(v.lastColumn, 12);
    EXPECT_EQ(v.columns(), 8);
}

TEST(CReferBoard, ShowsTheDiagramAtItsEndMoveWithItsCaptures) {
    test::SceneCanvas canvas;
    CReferBoard board(&canvas);
    ReferDiagram d;
    d.endMove = 5;
    d.corner = 1;
    ASSERT_TRUE(board.showDiagram(record(kCapture), d));
    EXPECT_EQ(board.shownMove(), 5);
    EXPECT_EQ(corner(board.position()), (std::vector<std::string>{"X.X..", ".X...", ".....", "...O.", "....."}));
    EXPECT_EQ(board.position().prisoners(kBlack), 1);
    EXPECT_GT(canvas.redraws, 0);
    // Without an end move the sequence's own end is shown.
    ASSERT_TRUE(board.showDiagram(record(kCapture), ReferDiagram{}));
    EXPECT_EQ(board.shownMove(), 6);
    EXPECT_EQ(board.position().colourAt(4, 4), kWhite);
}

TEST(CReferBoard, EntersTheDiagramsVariation) {
    CReferBoard board;
    ReferDiagram d;
    d.variation = 1;
    ASSERT_TRUE(board.showDiagram(record(kCapture), d));
    EXPECT_EQ(corner(board.position()), (std::vector<std::string>{"XO...", ".....", ".....", ".....", "X...."}));
    // A variation the record lacks leaves the board empty.
    d.variation = 2;
    EXPECT_FALSE(board.showDiagram(record(kCapture), d));
    EXPECT_FALSE(board.hasDiagram());
    EXPECT_EQ(corner(board.position()), std::vector<std::string>(5, "....."));
    EXPECT_FALSE(board.showDiagram(nullptr, ReferDiagram{}));
}

TEST(CReferBoard, APlayedDiagramStepsFromItsStartMoveOnItsTicks) {
    CReferBoard board;
    ReferDiagram d;
    d.startMove = 3;
    d.endMove = 5;
    d.play = true;
    d.bookSpeed = 50;
    d.animationSpeed = 15; // (100 − 50) × 15 / 50 = 15 tenths: 60 ticks of 25 ms
    ASSERT_TRUE(board.showDiagram(record(kCapture), d));
    EXPECT_EQ(board.stepTicks(), 60);
    EXPECT_TRUE(board.playing());
    EXPECT_EQ(board.shownMove(), 3);
    int steps = 0;
    for (int t = 0; t < 59; ++t) steps += board.tick();
    EXPECT_EQ(steps, 0);
    EXPECT_TRUE(board.tick());
    EXPECT_EQ(board.shownMove(), 4);
    for (int t = 0; t < 60; ++t) board.tick();
    EXPECT_EQ(board.shownMove(), 5);
    EXPECT_FALSE(board.playing());
    EXPECT_FALSE(board.tick());
    EXPECT_EQ(board.position().colourAt(1, 0), kEmpty);
    // A fast book with a fast animation still waits three tenths.
    d.bookSpeed = 95;
    ASSERT_TRUE(board.showDiagram(record(kCapture), d));
    EXPECT_EQ(board.stepTicks(), 12);
    // A start below 2 plays from the empty board.
    d.startMove = 1;
    ASSERT_TRUE(board.showDiagram(record(kCapture), d));
    EXPECT_EQ(board.shownMove(), 0);
}

TEST(CReferBoard, NumberingFlagsShowNumbersAndLayTheBoardOutAgainOnlyWhenTheyChange) {
    CReferBoard board;
    ReferDiagram d;
    ASSERT_TRUE(board.showDiagram(record(kCapture), d));
    EXPECT_TRUE(board.layoutChanged());
    EXPECT_FALSE(board.sceneState().numbersOn);
    d.corner = 4;
    ASSERT_TRUE(board.showDiagram(record(kCapture), d));
    EXPECT_FALSE(board.layoutChanged());
    d.numbering = kReferNumbers | kReferNumbersFromStart;
    d.startMove = 3;
    ASSERT_TRUE(board.showDiagram(record(kCapture), d));
    EXPECT_TRUE(board.layoutChanged());
    const SceneState s = board.sceneState();
    EXPECT_TRUE(s.numbersOn);
    EXPECT_FALSE(s.branchNumbersFromOne);
    EXPECT_EQ(s.firstNumberedMove, 3);
    EXPECT_EQ(board.position().at(3, 3).displayNumber, 4);
}

} // namespace
} // namespace stonewise
