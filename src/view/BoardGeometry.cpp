#include "view/BoardGeometry.h"

#include <algorithm>
#include <cmath>

namespace stonewise {

BoardGeometry::BoardGeometry(int lines, int pictureWidth, int pictureHeight, bool large, int stonePictureWidth)
    : m_lines(lines == 13 ? 13 : 19), m_width(std::max(pictureWidth, 1)), m_height(std::max(pictureHeight, 1)),
      m_large(large), m_left(large ? kLargeMargin : kLeftMargin), m_top(large ? kLargeMargin : kTopMargin),
      m_scale(large ? 1.733 : 1.0) {
    m_cellWidth = static_cast<double>(m_width - 2 * m_left) / (m_lines - 1);
    m_cellHeight = static_cast<double>(m_height - 2 * m_top) / (m_lines - 1);
    // A stone fills its cell's width but is never drawn larger than its picture.
    m_diameter = std::max(2, std::min(static_cast<int>(m_cellWidth), stonePictureWidth));
}

PixelPoint BoardGeometry::centre(int x, int y) const {
    return {static_cast<int>(std::lround(m_left + x * m_cellWidth)),
            static_cast<int>(std::lround(m_top + y * m_cellHeight))};
}

PixelRect BoardGeometry::pointRect(int x, int y) const {
    const PixelPoint c = centre(x, y);
    const int r = pixelRadius();
    return {c.x - r, c.y - r, 2 * r + 1, 2 * r + 1};
}

BoardCoord BoardGeometry::hitTest(double px, double py) const {
    // The centre of the point's pixel is half a pixel into it.
    const double fx = (px - m_left - 0.5) / m_cellWidth;
    const double fy = (py - m_top - 0.5) / m_cellHeight;
    if (!std::isfinite(fx) || !std::isfinite(fy)) return {};
    const long x = std::lround(fx);
    const long y = std::lround(fy);
    if (x < 0 || y < 0 || x >= m_lines || y >= m_lines) return {};
    const PixelPoint c = centre(static_cast<int>(x), static_cast<int>(y));
    const double limit = kHitRadius * radius();
    if (std::abs(px - (c.x + 0.5)) > limit || std::abs(py - (c.y + 0.5)) > limit) return {};
    return {static_cast<int>(x), static_cast<int>(y)};
}

} // namespace stonewise
