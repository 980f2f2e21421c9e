#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "book/BookFormat.h"

namespace stonewise {

// Where one array of a book lies: its offset from the start of the file and its element count.
struct BookArrayPlace {
    std::uint32_t offset = 0;
    std::uint32_t count = 0;

    bool operator==(const BookArrayPlace&) const = default;
};

// The 512-byte header of a book file, field by field.
struct BookHeader {
    std::uint32_t magic = kBookMagicRecords;
    std::u16string title;
    std::array<BookArrayPlace, kBookArrayCount> arrays{}; // by BookArray
    std::uint32_t valueA = 0;
    std::uint32_t valueB = 0;
    std::uint32_t valueC = 0;
    std::uint16_t speed = 50;
    std::uint8_t enciphered = 0;
    std::uint8_t flags = 0;
    std::uint32_t dataBase = 0;
    std::uint32_t check = kBookCheckValue;

    BookArrayPlace& place(BookArray a) { return arrays[static_cast<std::size_t>(a)]; }
    const BookArrayPlace& place(BookArray a) const { return arrays[static_cast<std::size_t>(a)]; }
    // Whether the arrays are read as records (the first magic) rather than only counted.
    bool readsRecords() const { return magic == kBookMagicRecords; }

    bool operator==(const BookHeader&) const = default;
};

// Whether a magic is one of the two of a book.
bool isBookMagic(std::uint32_t magic);
// The header in `bytes`; nothing when there are fewer than 512 bytes or the magic is not a book's.
// The other checks (enciphered mark, check value) are left to the one who opens the book.
std::optional<BookHeader> decodeBookHeader(std::span<const std::uint8_t> bytes);
// The 512 bytes of a header (a title longer than the field is cut, its terminator kept).
std::vector<std::uint8_t> encodeBookHeader(const BookHeader& header);

} // namespace stonewise
