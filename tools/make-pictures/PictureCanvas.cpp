#include "PictureCanvas.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

PictureCanvas::PictureCanvas(int width, int height, Rgba fill)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height, fill) {}

void PictureCanvas::blend(int x, int y, Rgba c, double coverage) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    const double a = std::clamp(c.a * coverage, 0.0, 1.0);
    if (a <= 0) return;
    Rgba& d = m_pixels[index(x, y)];
    const double outA = a + d.a * (1 - a);
    if (outA <= 0) return;
    d.r = (c.r * a + d.r * d.a * (1 - a)) / outA;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / outA;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / outA;
    d.a = outA;
}

bool PictureCanvas::writePng(const std::string& path, bool withAlpha) const {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(m_width), static_cast<png_uint_32>(m_height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int channels = withAlpha ? 4 : 3;
    std::vector<unsigned char> row(static_cast<std::size_t>(m_width) * channels);
    auto byte = [](double v) { return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const Rgba& p = m_pixels[index(x, y)];
            unsigned char* o = &row[static_cast<std::size_t>(x) * channels];
            o[0] = byte(p.r);
            o[1] = byte(p.g);
            o[2] = byte(p.b);
            if (withAlpha) o[3] = byte(p.a);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}
