#pragma once

#include <string>
#include <vector>

// A colour with straight (not premultiplied) alpha, components 0..1.
struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;
};

// A picture being generated: floating-point pixels, composited with "over" and written as an
// 8-bit PNG. Pixel (x, y) covers the square [x, x + 1) × [y, y + 1).
class PictureCanvas {
public:
    PictureCanvas(int width, int height, Rgba fill = {0, 0, 0, 0});

    int width() const { return m_width; }
    int height() const { return m_height; }
    Rgba get(int x, int y) const { return m_pixels[index(x, y)]; }
    void set(int x, int y, Rgba c) { m_pixels[index(x, y)] = c; }
    // Composites `c` over the pixel with the extra `coverage` (0..1) of the pixel area.
    void blend(int x, int y, Rgba c, double coverage);

    // Writes an 8-bit RGB (withAlpha false) or RGBA PNG; false when the file cannot be written.
    bool writePng(const std::string& path, bool withAlpha) const;

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * m_width + x; }
    int m_width;
    int m_height;
    std::vector<Rgba> m_pixels;
};
