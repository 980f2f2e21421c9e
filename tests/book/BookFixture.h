#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace stonewise::test {

// Bytes from hexadecimal pairs separated by spaces ("0A 00 05 00").
inline std::vector<std::uint8_t> hexBytes(const std::string& text) {
    std::vector<std::uint8_t> out;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair) out.push_back(static_cast<std::uint8_t>(std::stoul(pair, nullptr, 16)));
    return out;
}

// Lays `bytes` into `file` at `offset`, growing it as needed.
inline void lay(std::vector<std::uint8_t>& file, std::size_t offset, const std::vector<std::uint8_t>& bytes) {
    if (file.size() < offset + bytes.size()) file.resize(offset + bytes.size());
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<long>(offset));
}

// A small book laid out byte by byte from the book file's layout: title "入門", an index of three
// elements (the second an empty slot) whose first entry's text chains to the third, one description
// text, a game record list whose one block lies outside the file, and two pictures (a JPEG by its
// kind bits whose bytes start like a BMP, and a BMP). Data base position 2048.
inline std::vector<std::uint8_t> handMadeBook() {
    std::vector<std::uint8_t> f(4096, 0);
    lay(f, 0, hexBytes("41 36 27 18"));               // magic: arrays as records
    lay(f, 36, hexBytes("65 51 80 95 00 00"));        // title "入門"
    lay(f, 244, hexBytes("00 02 00 00 03 00 00 00")); // index array at 512, 3 elements
    lay(f, 260, hexBytes("80 02 00 00 01 00 00 00")); // desc text array at 640
    lay(f, 268, hexBytes("BC 02 00 00 01 00 00 00")); // game record list at 700
    lay(f, 276, hexBytes("F8 02 00 00 02 00 00 00")); // image array at 760
    lay(f, 284, hexBytes("00 00 00 00 04 00 00 00")); // 4 audio pieces
    lay(f, 292, hexBytes("0A 00 00 00 03 00 00 00")); // values copied into the list
    lay(f, 304, hexBytes("07 00 00 00"));
    lay(f, 312, hexBytes("3C 00"));       // speed 60
    lay(f, 326, hexBytes("02"));          // flags
    lay(f, 344, hexBytes("00 08 00 00")); // data base 2048
    lay(f, 428, hexBytes("19 10 42 19")); // check value
    // The index array: head, then its elements.
    lay(f, 512,
        hexBytes("54 63 72 81 01 00 00 00 02 00 00 00 00 00 03 00 "
                 // element 0, 7 fields: link 2, own/link high bytes 0, title "碁", text 4 bytes at
                 // 0, audio 3 bytes at 2
                 "0A 00 07 00 "
                 "02 01 02 00 02 00 "
                 "01 02 02 00 00 00 "
                 "07 04 02 00 81 78 00 00 "
                 "02 06 02 00 04 00 "
                 "04 08 04 00 00 00 00 00 "
                 "04 09 04 00 03 00 00 00 "
                 "04 0B 04 00 02 00 00 00 "
                 // element 1: an empty slot
                 "0A 01 00 00 "
                 // element 2, 4 fields: link -5 (low FFFB, high FF), text 2 bytes at 4
                 "0A 02 04 00 "
                 "02 01 02 00 FB FF "
                 "01 02 02 00 00 FF "
                 "02 06 02 00 02 00 "
                 "04 08 04 00 04 00 00 00 "
                 "FF 00 00 00"));
    // The description text array: one piece, 4 bytes at 0.
    lay(f, 640,
        hexBytes("54 63 72 81 01 00 00 00 04 00 00 00 00 00 01 00 "
                 "0A 00 02 00 04 01 04 00 00 00 00 00 04 02 04 00 04 00 00 00 FF 00 00 00"));
    // The game record list: "x", a block of 16 bytes at 0x10000, beyond the end of the file.
    lay(f, 700,
        hexBytes("54 63 72 81 01 00 00 00 05 00 00 00 00 00 01 00 "
                 "0A 00 03 00 07 01 02 00 78 00 00 00 04 02 04 00 00 00 01 00 02 03 04 00 10 00 00 00 "
                 "FF 00 00 00"));
    // The image array: 4 bytes at 16 of kind 1 (JPEG), then the same bytes of kind 0 (BMP).
    lay(f, 760,
        hexBytes("54 63 72 81 01 00 00 00 00 00 00 00 00 00 02 00 "
                 "0A 00 02 00 04 01 04 00 10 00 00 00 04 02 04 00 04 00 00 40 "
                 "0A 01 02 00 04 01 04 00 10 00 00 00 04 02 04 00 04 00 00 00 FF 00 00 00"));
    // The data: "碁盤", "石", and at 16 the bytes "BM" 00 00.
    lay(f, 2048, hexBytes("81 78 E4 76 F3 77"));
    lay(f, 2048 + 16, hexBytes("42 4D 00 00"));
    return f;
}

} // namespace stonewise::test
