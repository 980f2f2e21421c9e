#pragma once

#include <string>
#include <vector>

#include "view/BoardGeometry.h"
#include "view/ViewSettings.h"

namespace stonewise {

// A rectangle in window units (fractional).
struct LayoutRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    bool contains(double px, double py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

// One coordinate label beside the board, centred on (x, y) in window units.
struct StripLabel {
    std::u16string text;
    double x = 0;
    double y = 0;
    bool stacked = false; // two characters, the first above the second
};

// The colour of coordinate labels.
constexpr unsigned kLabelGrey = 0x606060;

// Where a board window puts its board picture and its coordinate strips, for a window size: the
// picture keeps its aspect ratio, scaled to the largest size that fits beside the strips.
struct BoardLayout {
    LayoutRect board;         // the board picture, in window units
    double scale = 1;         // window units per picture pixel
    bool coordinates = false; // the strips are shown
    LayoutRect columnStrip;   // above the board: column labels
    LayoutRect rowStrip;      // left of the board: row labels
    int labelFontPx = 10;     // 10..20
    std::vector<StripLabel> labels;

    // The point under a window position, or (-1, -1).
    BoardCoord pointAt(const BoardGeometry& geometry, double wx, double wy) const;
    // A picture rectangle mapped to window units.
    LayoutRect toWindow(const PixelRect& r) const;
    // The centre of a point in window units.
    void centreOf(const BoardGeometry& geometry, int x, int y, double& wx, double& wy) const;
};

// Space left free around the board picture for its shadow, in window units.
constexpr double kBoardPadding = 6;

// Lays out a board picture of `geometry` with the coordinate strips of `settings` in a window of
// width × height units.
BoardLayout layoutBoard(double width, double height, const BoardGeometry& geometry, const ViewSettings& settings);

// The height of the coordinate font for a cell of `cellSize` window units: a computed height below
// 12 becomes 10, one above 20 becomes 20.
int coordinateFontPx(double cellSize);

// The height of the move-number font in picture pixels for a board area `areaHeight` units high:
// 16 from 580 up, 21 below, 30 below 400 (21 when `limitLargest`), times the drawing scale.
int numberFontPx(double areaHeight, double drawingScale, bool limitLargest = false);

} // namespace stonewise
