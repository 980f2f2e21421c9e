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

namespace {
constexpr std::string_view kPixelsTag = "SWPIXELS";
constexpr std::size_t kPixelsHeader = 16;

void putWord(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t word(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
    return v;
}
} // namespace

std::string encodePixels(const Image& image) {
    std::string out(kPixelsTag);
    out.reserve(kPixelsHeader + image.bytes().size());
    putWord(out, static_cast<std::uint32_t>(image.width()));
    putWord(out, static_cast<std::uint32_t>(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* p = image.pixel(x, y);
            putWord(out, (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2]);
        }
    return out;
}

bool isPlainPixels(std::string_view bytes) { return bytes.starts_with(kPixelsTag); }

std::optional<PlainPixels> plainPixelsView(std::string_view bytes, std::string* error) {
    auto fail = [&](const char* why) -> std::optional<PlainPixels> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (bytes.size() < kPixelsHeader || !isPlainPixels(bytes)) return fail("not a plain picture");
    const std::uint32_t w = word(bytes, 8), h = word(bytes, 12);
    if (w < 1 || h < 1 || w > static_cast<std::uint32_t>(Image::kMaxSide) ||
        h > static_cast<std::uint32_t>(Image::kMaxSide))
        return fail("picture too large");
    if (bytes.size() - kPixelsHeader != static_cast<std::size_t>(w) * h * 4) return fail("cut short or damaged");
    if (reinterpret_cast<std::uintptr_t>(bytes.data() + kPixelsHeader) % alignof(std::uint32_t) != 0)
        return fail("pixels not aligned");
    return PlainPixels{reinterpret_cast<const std::uint32_t*>(bytes.data() + kPixelsHeader), static_cast<int>(w),
                       static_cast<int>(h)};
}

Image imageFromWords(const std::uint32_t* words, int width, int height, int stride) {
    Image image(width, height);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t v = words[static_cast<std::size_t>(y) * stride + x];
            std::uint8_t* p = image.pixel(x, y);
            p[0] = static_cast<std::uint8_t>(v >> 16);
            p[1] = static_cast<std::uint8_t>(v >> 8);
            p[2] = static_cast<std::uint8_t>(v);
            p[3] = static_cast<std::uint8_t>(v >> 24);
        }
    return image;
}

std::optional<Image> decodePixels(std::string_view bytes, std::string* error) {
    std::string why;
    // An unaligned buffer is read through an aligned copy.
    std::string aligned;
    std::optional<PlainPixels> view = plainPixelsView(bytes, &why);
    if (!view && why == "pixels not aligned") {
        aligned.assign(bytes);
        view = plainPixelsView(aligned, &why);
    }
    if (!view) {
        if (error) *error = why;
        return std::nullopt;
    }
    return imageFromWords(view->words, view->width, view->height, view->width);
}

} // namespace stonewise
