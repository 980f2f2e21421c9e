#include "help/HelpImages.h"

#include "store/FileIo.h"

namespace stonewise {

namespace {

constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kEntrySize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kMaxSide = 8192;

std::uint32_t get32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16)) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The bytes of the pixels a bitmap header asks for; 0 when the header is not one this program
// draws (or describes a picture its length cannot hold).
std::size_t pixelOffset(std::span<const std::uint8_t> dib) {
    if (dib.size() < kInfoHeaderSize) return 0;
    const std::uint32_t headerSize = get32(dib, 0);
    const std::uint32_t width = get32(dib, 4);
    const std::int32_t height = static_cast<std::int32_t>(get32(dib, 8));
    const std::uint32_t bits = static_cast<std::uint32_t>(dib[14] | (dib[15] << 8));
    const std::uint32_t compression = get32(dib, 16);
    const std::uint32_t rows = height < 0 ? static_cast<std::uint32_t>(-static_cast<std::int64_t>(height))
                                          : static_cast<std::uint32_t>(height);
    if (headerSize < kInfoHeaderSize || headerSize > dib.size() || width == 0 || width > kMaxSide || rows == 0 ||
        rows > kMaxSide || (bits != 24 && bits != 32) || (compression != 0 && compression != 3))
        return 0;
    const std::size_t masks = compression == 3 && headerSize == kInfoHeaderSize ? 12 : 0;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits / 8 + 3) / 4 * 4;
    const std::size_t offset = headerSize + masks;
    return dib.size() >= offset + stride * rows ? offset : 0;
}

} // namespace

HelpImages HelpImages::read(const std::string& path) {
    auto bytes = readWholeFile(path);
    return bytes ? parse(std::move(*bytes)) : HelpImages();
}

HelpImages HelpImages::parse(std::vector<std::uint8_t> bytes) {
    HelpImages images;
    if (bytes.size() < kHeaderSize) return images;
    const std::size_t count = get32(bytes, 12);
    const std::size_t data = get32(bytes, 16);
    if (count > (bytes.size() - kHeaderSize) / kEntrySize || data > bytes.size()) return images;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + i * kEntrySize;
        const std::size_t offset = get32(bytes, at + 4);
        const std::size_t length = get32(bytes, at + 8);
        const bool fits = offset <= bytes.size() - data && length <= bytes.size() - data - offset;
        images.m_entries.emplace_back(data + offset, fits ? length : 0);
    }
    images.m_bytes = std::move(bytes);
    return images;
}

std::vector<std::uint8_t> HelpImages::write(const std::vector<std::vector<std::uint8_t>>& pictures) {
    std::vector<std::uint8_t> out;
    const std::size_t data = kHeaderSize + pictures.size() * kEntrySize;
    put32(out, kMark);
    put32(out, 1);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(pictures.size()));
    put32(out, static_cast<std::uint32_t>(data));
    std::size_t offset = 0;
    for (const auto& p : pictures) {
        put32(out, 0);
        put32(out, static_cast<std::uint32_t>(offset));
        put32(out, static_cast<std::uint32_t>(p.size()));
        offset += p.size();
    }
    for (const auto& p : pictures) out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::optional<std::vector<std::uint8_t>> HelpImages::bitmapFile(int number) const {
    if (number < 0 || number >= count()) return std::nullopt;
    const auto [start, length] = m_entries[static_cast<std::size_t>(number)];
    const std::span<const std::uint8_t> dib(m_bytes.data() + start, length);
    const std::size_t pixels = pixelOffset(dib);
    if (pixels == 0) return std::nullopt;
    std::vector<std::uint8_t> file{'B', 'M'};
    put32(file, static_cast<std::uint32_t>(kFileHeaderSize + dib.size()));
    put32(file, 0);
    put32(file, static_cast<std::uint32_t>(kFileHeaderSize + pixels));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

} // namespace stonewise
