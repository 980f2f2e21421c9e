#include <gtest/gtest.h>

#include "view/BoardGeometry.h"
#include "view/BoardLayout.h"

namespace stonewise {
namespace {

TEST(BoardGeometry, CellsFollowThePictureAndItsMargins) {
    const BoardGeometry g19(19, 856, 920, false, 45);
    EXPECT_DOUBLE_EQ(g19.cellWidth(), 45.0);
    EXPECT_NEAR(g19.cellHeight(), 48.22, 0.01); // taller than wide, as a real board
    EXPECT_EQ(g19.stoneDiameter(), 45);
    EXPECT_EQ(g19.centre(0, 0), (PixelPoint{23, 26}));
    EXPECT_EQ(g19.centre(18, 18), (PixelPoint{833, 894}));
    EXPECT_EQ(g19.pointRect(1, 0), (PixelRect{46, 4, 45, 45}));

    // The 13-line picture keeps the margins; its cells are wider.
    const BoardGeometry g13(13, 590, 630, false, 45);
    EXPECT_NEAR(g13.cellWidth(), 45.33, 0.01);
    EXPECT_EQ(g13.centre(0, 0), (PixelPoint{23, 26}));
    EXPECT_EQ(g13.centre(12, 12), (PixelPoint{567, 604}));
    EXPECT_EQ(g13.stoneDiameter(), 45);

    const BoardGeometry large(19, 1482, 1600, true, 78);
    EXPECT_EQ(large.centre(0, 0), (PixelPoint{41, 41}));
    EXPECT_EQ(large.stoneDiameter(), 77);
    EXPECT_DOUBLE_EQ(large.drawingScale(), 1.733);
}

TEST(BoardGeometry, HitTestReachesNinetyFivePercentOfTheRadius) {
    for (const BoardGeometry& g : {BoardGeometry(19, 856, 920, false, 45), BoardGeometry(13, 590, 630, false, 45),
                                   BoardGeometry(19, 1482, 1600, true, 78)}) {
        const int last = g.lines() - 1;
        for (const BoardCoord p : {BoardCoord{0, 0}, BoardCoord{3, last - 2}, BoardCoord{last, last}}) {
            const PixelPoint c = g.centre(p.x, p.y);
            const double cx = c.x + 0.5, cy = c.y + 0.5;
            const double in = 0.95 * g.radius() - 1e-6;
            const double out = 0.96 * g.radius();
            SCOPED_TRACE(testing::Message() << g.lines() << " lines, point " << p.x << "," << p.y);
            EXPECT_EQ(g.hitTest(cx, cy), p);
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}}) {
                EXPECT_EQ(g.hitTest(cx + dx * in, cy + dy * in), p);
                EXPECT_EQ(g.hitTest(cx + dx * out, cy + dy * out), BoardCoord{});
            }
        }
    }
    const BoardGeometry g(19, 856, 920, false, 45);
    EXPECT_EQ(g.hitTest(-30, 26), BoardCoord{});
    EXPECT_EQ(g.hitTest(23, 2000), BoardCoord{});
}

TEST(BoardLayout, KeepsTheAspectAndMapsClicksBack) {
    const BoardGeometry g(19, 856, 920, false, 45);
    ViewSettings settings;
    for (const auto& [w, h] : {std::pair{1000.0, 700.0}, {500.0, 900.0}}) {
        const BoardLayout layout = layoutBoard(w, h, g, settings);
        EXPECT_NEAR(layout.board.height / layout.board.width, g.aspect(), 1e-9);
        EXPECT_LE(layout.rowStrip.x + layout.rowStrip.width + layout.board.width, w);
        EXPECT_LE(layout.columnStrip.y + layout.columnStrip.height + layout.board.height, h);
        for (const BoardCoord p : {BoardCoord{0, 0}, BoardCoord{9, 4}, BoardCoord{18, 18}}) {
            double wx = 0, wy = 0;
            layout.centreOf(g, p.x, p.y, wx, wy);
            EXPECT_EQ(layout.pointAt(g, wx, wy), p);
            EXPECT_EQ(layout.pointAt(g, wx + 0.96 * g.radius() * layout.scale, wy), BoardCoord{});
        }
        // One column and one row label per line, centred on its line.
        ASSERT_EQ(layout.labels.size(), 38u);
        double wx = 0, wy = 0;
        layout.centreOf(g, 4, 4, wx, wy);
        EXPECT_DOUBLE_EQ(layout.labels[8].x, wx);
        EXPECT_DOUBLE_EQ(layout.labels[9].y, wy);
    }
    settings.coordinatesHidden = true;
    const BoardLayout bare = layoutBoard(800, 800, g, settings);
    EXPECT_TRUE(bare.labels.empty());
    EXPECT_NEAR(bare.board.height, 800 - 2 * kBoardPadding, 1e-9);
}

TEST(BoardLayout, FontHeights) {
    // Coordinates: from the cell size, with 10 below 12 and at most 20.
    EXPECT_EQ(coordinateFontPx(26), 10); // 10.9 rounds to 11, below 12
    EXPECT_EQ(coordinateFontPx(29), 12);
    EXPECT_EQ(coordinateFontPx(40), 17);
    EXPECT_EQ(coordinateFontPx(80), 20);
    // Move numbers: larger in picture pixels when the window is small.
    EXPECT_EQ(numberFontPx(700, 1.0), 16);
    EXPECT_EQ(numberFontPx(580, 1.0), 16);
    EXPECT_EQ(numberFontPx(579, 1.0), 21);
    EXPECT_EQ(numberFontPx(399, 1.0), 30);
    EXPECT_EQ(numberFontPx(399, 1.0, true), 21);
    EXPECT_EQ(numberFontPx(700, 1.733), 28);
}

} // namespace
} // namespace stonewise
