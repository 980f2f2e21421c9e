#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stonewise {

// A picture in memory: width × height pixels of 8-bit red, green, blue and alpha with the colour
// premultiplied by alpha, rows from the top. An image of size 0 is null.
class Image {
public:
    // Largest side accepted for any picture (a damaged file cannot make us allocate more).
    static constexpr int kMaxSide = 16384;

    Image() = default;
    // A transparent image; null when a side is not in 1..kMaxSide.
    Image(int width, int height);

    bool isNull() const { return m_width == 0; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // The four bytes of pixel (x, y); no bounds check.
    std::uint8_t* pixel(int x, int y) { return &m_bytes[(static_cast<std::size_t>(y) * m_width + x) * 4]; }
    const std::uint8_t* pixel(int x, int y) const { return &m_bytes[(static_cast<std::size_t>(y) * m_width + x) * 4]; }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::vector<std::uint8_t>& bytes() { return m_bytes; }

    // Fills every pixel with an opaque colour.
    void fill(std::uint8_t r, std::uint8_t g, std::uint8_t b);
    // Composites `source` resized to w × h at (x, y) over this image, with a constant alpha
    // (0..255) on top of the source's own; the parts outside this image are left out.
    void drawOver(const Image& source, int x, int y, int w, int h, int alpha = 255);
    // A copy resized to w × h: area averaging when shrinking, bilinear when growing. Null for
    // a size outside 1..kMaxSide or a null image.
    Image resized(int w, int h) const;
    // The average colour of the rectangle (opaque pixels weigh by their alpha), as r, g, b.
    std::uint32_t averageRgb(int x, int y, int w, int h) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_bytes;
};

// The plain form of a picture: "SWPIXELS", the width and the height, then each pixel as one word
// 0xAARRGGBB with the colour premultiplied (all 32 bits, little-endian; the layout screens and
// toolkits use for pixels in memory). The program compiles its board pictures in this form, so
// that they are shown straight from the program file without decoding.
std::string encodePixels(const Image& image);
// Reads the plain form; no image (and the reason in `error`) when it is damaged or cut short.
std::optional<Image> decodePixels(std::string_view bytes, std::string* error = nullptr);
// Whether the bytes are in the plain form (rather than, say, PNG).
bool isPlainPixels(std::string_view bytes);
// The pixel words of the plain form and its size, without copying; none when damaged.
struct PlainPixels {
    const std::uint32_t* words = nullptr; // width × height, rows from the top
    int width = 0;
    int height = 0;
};
std::optional<PlainPixels> plainPixelsView(std::string_view bytes, std::string* error = nullptr);
// Copies pixel words of that layout (rows of `stride` words) into an Image.
Image imageFromWords(const std::uint32_t* words, int width, int height, int stride);

} // namespace stonewise
