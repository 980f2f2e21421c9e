#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace stonewise::test {

// The bytes of a help text file: the byte-order mark, then `text` in UTF-16LE.
inline std::vector<std::uint8_t> utf16File(std::u16string_view text) {
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

} // namespace stonewise::test
