#include "view/Image.h"

#include <algorithm>
#include <cmath>

namespace stonewise {

Image::Image(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return;
    m_width = width;
    m_height = height;
    m_bytes.assign(static_cast<std::size_t>(width) * height * 4, 0);
}

void Image::fill(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    for (std::size_t i = 0; i < m_bytes.size(); i += 4) {
        m_bytes[i] = r;
        m_bytes[i + 1] = g;
        m_bytes[i + 2] = b;
        m_bytes[i + 3] = 255;
    }
}

void Image::drawOver(const Image& source, int x, int y, int w, int h, int alpha) {
    if (source.isNull() || isNull() || w <= 0 || h <= 0 || alpha <= 0) return;
    const Image* src = &source;
    Image scaled;
    if (w != source.width() || h != source.height()) {
        scaled = source.resized(w, h);
        if (scaled.isNull()) return;
        src = &scaled;
    }
    const int a = std::min(alpha, 255);
    for (int sy = std::max(0, -y); sy < h && y + sy < m_height; ++sy) {
        for (int sx = std::max(0, -x); sx < w && x + sx < m_width; ++sx) {
            const std::uint8_t* s = src->pixel(sx, sy);
            std::uint8_t* d = pixel(x + sx, y + sy);
            // Premultiplied "over": d = s × a + d × (1 − sα × a).
            const int sa = s[3] * a / 255;
            if (sa == 0) continue;
            for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>((s[c] * a + d[c] * (255 - sa)) / 255);
            d[3] = static_cast<std::uint8_t>(sa + d[3] * (255 - sa) / 255);
        }
    }
}

Image Image::resized(int w, int h) const {
    Image out(w, h);
    if (out.isNull() || isNull()) return {};
    const double fx = static_cast<double>(m_width) / w;
    const double fy = static_cast<double>(m_height) / h;
    for (int oy = 0; oy < h; ++oy) {
        for (int ox = 0; ox < w; ++ox) {
            double acc[4] = {0, 0, 0, 0};
            if (fx >= 1.0 && fy >= 1.0) {
                // Area average of the source rectangle under the output pixel.
                const double x0 = ox * fx, x1 = x0 + fx, y0 = oy * fy, y1 = y0 + fy;
                double total = 0;
                for (int sy = static_cast<int>(y0); sy < std::min(m_height, static_cast<int>(std::ceil(y1))); ++sy) {
                    const double wy = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
                    for (int sx = static_cast<int>(x0); sx < std::min(m_width, static_cast<int>(std::ceil(x1))); ++sx) {
                        const double wx = std::min<double>(sx + 1, x1) - std::max<double>(sx, x0);
                        const std::uint8_t* p = pixel(sx, sy);
                        for (int c = 0; c < 4; ++c) acc[c] += p[c] * wx * wy;
                        total += wx * wy;
                    }
                }
                for (double& v : acc) v /= total;
            } else {
                // Bilinear between the four nearest source pixels.
                const double sx = std::clamp((ox + 0.5) * fx - 0.5, 0.0, m_width - 1.0);
                const double sy = std::clamp((oy + 0.5) * fy - 0.5, 0.0, m_height - 1.0);
                const int x0 = static_cast<int>(sx), y0 = static_cast<int>(sy);
                const int x1 = std::min(x0 + 1, m_width - 1), y1 = std::min(y0 + 1, m_height - 1);
                const double tx = sx - x0, ty = sy - y0;
                for (int c = 0; c < 4; ++c) {
                    const double top = pixel(x0, y0)[c] * (1 - tx) + pixel(x1, y0)[c] * tx;
                    const double bottom = pixel(x0, y1)[c] * (1 - tx) + pixel(x1, y1)[c] * tx;
                    acc[c] = top * (1 - ty) + bottom * ty;
                }
            }
            std::uint8_t* o = out.pixel(ox, oy);
            for (int c = 0; c < 4; ++c) o[c] = static_cast<std::uint8_t>(std::clamp(std::lround(acc[c]), 0L, 255L));
        }
    }
    return out;
}

std::uint32_t Image::averageRgb(int x, int y, int w, int h) const {
    double sum[3] = {0, 0, 0};
    double weight = 0;
    for (int py = std::max(0, y); py < std::min(m_height, y + h); ++py)
        for (int px = std::max(0, x); px < std::min(m_width, x + w); ++px) {
            const std::uint8_t* p = pixel(px, py);
            for (int c = 0; c < 3; ++c) sum[c] += p[c];
            weight += p[3];
        }
    if (weight <= 0) return 0;
    auto channel = [&](int c) {
        return static_cast<std::uint32_t>(std::clamp(std::lround(sum[c] * 255.0 / weight), 0L, 255L));
    };
    return (channel(0) << 16) | (channel(1) << 8) | channel(2);
}

} // namespace stonewise
