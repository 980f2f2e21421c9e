#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stonewise {

// The pictures of the help, "HelpImages.dat": a 20-byte header whose u32 at byte 12 is the number
// of pictures and whose u32 at byte 16 is where picture data begin, then one 12-byte entry per
// picture (u32 at byte 4 its offset from there, u32 at byte 8 its length, 0 for none). A picture is
// a device-independent bitmap: a BITMAPINFOHEADER and its pixels, 24 or 32 bits, uncompressed.
class HelpImages {
public:
    static constexpr std::uint32_t kMark = 0x49485753; // "SWHI"

    HelpImages() = default;
    // The pictures of a file; none when it is missing or damaged.
    static HelpImages read(const std::string& path);
    static HelpImages parse(std::vector<std::uint8_t> bytes);
    // The bytes of "HelpImages.dat" holding `pictures` (device-independent bitmaps; an empty one
    // stands for no picture).
    static std::vector<std::uint8_t> write(const std::vector<std::vector<std::uint8_t>>& pictures);

    int count() const { return static_cast<int>(m_entries.size()); }
    // Picture `number` as the bytes of a BMP file; nothing when there is none or it is damaged.
    std::optional<std::vector<std::uint8_t>> bitmapFile(int number) const;

private:
    std::vector<std::uint8_t> m_bytes;
    std::vector<std::pair<std::size_t, std::size_t>> m_entries; // (start, length) in m_bytes
};

} // namespace stonewise
