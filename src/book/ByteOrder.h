#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace stonewise {

// Little-endian numbers at a byte offset; reads beyond the bytes give 0, writes grow nothing.
inline std::uint16_t getU16(std::span<const std::uint8_t> b, std::size_t at) {
    if (at + 2 > b.size()) return 0;
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
inline std::uint32_t getU32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(getU16(b, at)) | (static_cast<std::uint32_t>(getU16(b, at + 2)) << 16);
}
inline void putU16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    if (at + 2 > b.size()) return;
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void putU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    putU16(b, at, static_cast<std::uint16_t>(v));
    putU16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}

} // namespace stonewise
