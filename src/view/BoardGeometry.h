#pragma once

namespace stonewise {

// A point of the board picture in pixels; the pixel (x, y) covers [x, x + 1) × [y, y + 1).
struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// A rectangle of the board picture in whole pixels.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// A board point, or (-1, -1) for none.
struct BoardCoord {
    int x = -1;
    int y = -1;
    bool valid() const { return x >= 0 && y >= 0; }
    bool operator==(const BoardCoord&) const = default;
};

// Where the points lie on a board picture: the margins to the first line, the cell sizes, the stone
// diameter, and the hit test from picture pixels to points.
class BoardGeometry {
public:
    // Margins of the normal and of the large picture set.
    static constexpr int kLeftMargin = 23;
    static constexpr int kTopMargin = 26;
    static constexpr int kLargeMargin = 41;
    // How far from a point's centre a click still belongs to it, in stone radii.
    static constexpr double kHitRadius = 0.95;

    BoardGeometry() : BoardGeometry(19, 856, 920, false, 45) {}
    // The geometry of a `lines` board (19 or 13) drawn on a picture of the given size; the stone
    // diameter follows from the cell width and the stone picture's width.
    BoardGeometry(int lines, int pictureWidth, int pictureHeight, bool large, int stonePictureWidth);

    int lines() const { return m_lines; }
    int pictureWidth() const { return m_width; }
    int pictureHeight() const { return m_height; }
    double cellWidth() const { return m_cellWidth; }
    double cellHeight() const { return m_cellHeight; }
    int leftMargin() const { return m_left; }
    int topMargin() const { return m_top; }
    // Height over width of the picture, for the window layout.
    double aspect() const { return static_cast<double>(m_height) / m_width; }
    // 1 for the normal set, 1.733 for the large one; scales fonts and pens.
    double drawingScale() const { return m_scale; }
    bool large() const { return m_large; }

    int stoneDiameter() const { return m_diameter; }
    // Half the diameter in whole pixels: stones are drawn from centre − this.
    int pixelRadius() const { return m_diameter / 2; }
    // Half the diameter exactly, for the hit test and the marks.
    double radius() const { return m_diameter / 2.0; }

    // The pixel on which point (x, y) is centred.
    PixelPoint centre(int x, int y) const;
    // The rectangle a point's drawing stays in: centre ± the pixel radius.
    PixelRect pointRect(int x, int y) const;
    // The point under a picture position (fractional pixels), or (-1, -1) when the position is
    // further than 0.95 radii from every point's centre along either axis, or off the board.
    BoardCoord hitTest(double px, double py) const;

private:
    int m_lines;
    int m_width;
    int m_height;
    bool m_large;
    int m_left;
    int m_top;
    double m_cellWidth;
    double m_cellHeight;
    int m_diameter;
    double m_scale;
};

} // namespace stonewise
