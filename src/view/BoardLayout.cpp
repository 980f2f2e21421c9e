#include "view/BoardLayout.h"

#include <algorithm>
#include <cmath>

#include "view/CoordinateLabels.h"

namespace stonewise {

int coordinateFontPx(double cellSize) {
    const int h = static_cast<int>(std::lround(cellSize * 0.42));
    if (h < 12) return 10;
    if (h > 20) return 20;
    return h;
}

int numberFontPx(double areaHeight, double drawingScale, bool limitLargest) {
    int base = 16;
    if (areaHeight < 580) base = 21;
    if (areaHeight < 400 && !limitLargest) base = 30;
    return static_cast<int>(std::lround(base * drawingScale));
}

namespace {

// Width of the row strip for the labels of `style` in a font `px` high.
double rowStripWidth(LabelStyle style, bool japanese, int px) {
    switch (style) {
    case LabelStyle::Kanji: return px * 1.1 + 8; // one character wide; 11..19 are stacked
    case LabelStyle::Digits: return (japanese ? px * 2.0 : px * 1.2) + 8;
    default: return px * 0.8 + 8;
    }
}

} // namespace

BoardLayout layoutBoard(double width, double height, const BoardGeometry& geometry, const ViewSettings& settings) {
    BoardLayout out;
    const double pw = geometry.pictureWidth();
    const double ph = geometry.pictureHeight();
    const double availW = std::max(1.0, width - 2 * kBoardPadding);
    const double availH = std::max(1.0, height - 2 * kBoardPadding);
    out.coordinates = !settings.coordinatesHidden;
    double stripW = 0, stripH = 0;
    double scale = std::min(availW / pw, availH / ph);
    const CoordinateLabels labels(settings, geometry.lines());
    if (out.coordinates) {
        // The label size follows the cell size, which follows the room the strips leave.
        for (int pass = 0; pass < 2; ++pass) {
            out.labelFontPx = coordinateFontPx(geometry.cellWidth() * scale);
            stripH = out.labelFontPx * 1.5 + 4;
            stripW = rowStripWidth(labels.rowStyle(), settings.japanese, out.labelFontPx);
            scale = std::min((availW - stripW) / pw, (availH - stripH) / ph);
        }
    }
    scale = std::max(scale, 0.01);
    out.scale = scale;
    const double groupW = stripW + pw * scale;
    const double groupH = stripH + ph * scale;
    const double left = std::floor((width - groupW) / 2);
    const double top = std::floor((height - groupH) / 2);
    out.board = {left + stripW, top + stripH, pw * scale, ph * scale};
    if (!out.coordinates) return out;

    out.columnStrip = {out.board.x, top, out.board.width, stripH};
    out.rowStrip = {left, out.board.y, stripW, out.board.height};
    for (int i = 0; i < geometry.lines(); ++i) {
        double cx = 0, cy = 0;
        out.centreOf(geometry, i, i, cx, cy);
        out.labels.push_back({labels.column(i), cx, out.columnStrip.y + out.columnStrip.height / 2 + 1, false});
        out.labels.push_back({labels.row(i), out.rowStrip.x + out.rowStrip.width / 2, cy, labels.rowStacked(i)});
    }
    return out;
}

BoardCoord BoardLayout::pointAt(const BoardGeometry& geometry, double wx, double wy) const {
    if (scale <= 0) return {};
    return geometry.hitTest((wx - board.x) / scale, (wy - board.y) / scale);
}

LayoutRect BoardLayout::toWindow(const PixelRect& r) const {
    return {board.x + r.x * scale, board.y + r.y * scale, r.width * scale, r.height * scale};
}

void BoardLayout::centreOf(const BoardGeometry& geometry, int x, int y, double& wx, double& wy) const {
    const PixelPoint c = geometry.centre(x, y);
    wx = board.x + (c.x + 0.5) * scale;
    wy = board.y + (c.y + 0.5) * scale;
}

} // namespace stonewise
