#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stonewise {

// An entry of the book's index: a titled piece of text with its audio.
struct BookIndexRecord {
    int position = 0;           // the element's position in the array
    std::int32_t ownNumber = 0; // 24-bit signed; its low 16 bits are the position
    std::int32_t link = -1;     // 24-bit signed: the next text piece of the same text, -1 ends it
    std::uint16_t value3 = 0;
    std::u16string title;
    std::uint16_t textLength = 0; // bytes of the text piece
    std::uint32_t value7 = 0;
    std::uint32_t textPosition = 0; // from the book's data base position
    std::uint32_t audioLength = 0;  // in the companion audio file
    std::uint16_t value10 = 0;
    std::uint32_t audioOffset = 0;

    // The audio piece the entry plays: its own number, or (−2 − link) for a link of −2 or less.
    int audioPiece() const { return link > -2 ? ownNumber : -2 - link; }
    bool operator==(const BookIndexRecord&) const = default;
};

// What a page of the book shows (members of this program's books, as the book tool writes them).
enum class BookPageKind : std::uint16_t { Page = 0, Trace = 1, Problem = 2 };
constexpr std::uint32_t kBookNone = 0xFFFFFFFF;

struct BookDescRecord {
    int position = 0;
    std::uint32_t indexEntry = 0;            // 1: the index entry the page belongs to
    std::uint32_t gameNumber = kBookNone;    // 3: its game record (kifu array position)
    std::uint32_t pictureNumber = kBookNone; // 4: its picture (image array position)
    std::uint8_t displayFlags = 0;           // 5, first byte: corner code (low four bits), numbering (high)
    std::uint8_t orientation = 0;            // 5, second byte
    std::uint16_t startMove = 0;             // 6
    std::uint16_t endMove = 0;               // 7: 0 for the record's last move
    std::uint32_t duration = 0;              // 8: ticks of 100 ms; 0 = from the text's length
    std::uint32_t textPiece = kBookNone;     // 9: its text (desc text array position)
    std::uint16_t kind = 0;                  // 10: a BookPageKind
    std::uint16_t answerNumber = 0;          // 11: its answer record (traces and problems)
    std::uint32_t category = 0;              // 12: problem category (16, 32, 48, 64)

    bool operator==(const BookDescRecord&) const = default;
};

// A record of the description text, picture and audio arrays: a position and a length word.
struct BookPieceRecord {
    int position = 0;
    std::uint32_t value1 = 0; // position (text, picture: from the data base; audio: in the audio file)
    std::uint32_t value2 = 0; // length (picture: low 30 bits; the top two bits its kind, 0 = BMP)

    std::uint32_t pictureLength() const { return value2 & 0x3FFFFFFF; }
    bool pictureIsBmp() const { return (value2 >> 30) == 0; }
    bool operator==(const BookPieceRecord&) const = default;
};

struct BookKifuRecord {
    int position = 0;
    std::u16string name;
    std::uint32_t blockPosition = 0; // 2: from the data base
    std::uint16_t lengthLow = 0;     // 3: the block's length in bytes, low and high 16 bits
    std::uint16_t lengthHigh = 0;

    std::uint32_t length() const { return lengthLow | (static_cast<std::uint32_t>(lengthHigh) << 16); }
    bool operator==(const BookKifuRecord&) const = default;
};

struct BookAppendixRecord {
    int position = 0;
    std::int16_t value1 = 0;
    std::u16string name;
    std::int16_t value3 = 0;

    bool operator==(const BookAppendixRecord&) const = default;
};

// A table of an array: one slot per element in file order, empty for an element with 0 fields.
template <typename T>
using BookTable = std::vector<std::optional<T>>;

// Reads an array that starts with its 16-byte head at the start of `bytes`. Reading stops at the
// end mark, at a mark other than 10, at a short read, or after the head's element count. Numeric
// fields take the width their id fixes (a shorter value reads as zero-extended); texts pass a
// 2,048-byte buffer; unknown ids are skipped by their length.
BookTable<BookIndexRecord> readIndexArray(std::span<const std::uint8_t> bytes);
BookTable<BookDescRecord> readDescArray(std::span<const std::uint8_t> bytes);
BookTable<BookPieceRecord> readPieceArray(std::span<const std::uint8_t> bytes);
BookTable<BookKifuRecord> readKifuArray(std::span<const std::uint8_t> bytes);
BookTable<BookAppendixRecord> readAppendixArray(std::span<const std::uint8_t> bytes);
// The number of elements an array holds (empty slots included), read by the same rules.
int countArrayElements(std::span<const std::uint8_t> bytes);

// The bytes of an array of each kind, as the reader above reads it back (an empty slot as an element
// of 0 fields), ending with the end mark.
std::vector<std::uint8_t> writeIndexArray(const BookTable<BookIndexRecord>& table);
std::vector<std::uint8_t> writeDescArray(const BookTable<BookDescRecord>& table);
std::vector<std::uint8_t> writePieceArray(const BookTable<BookPieceRecord>& table);
std::vector<std::uint8_t> writeKifuArray(const BookTable<BookKifuRecord>& table);

} // namespace stonewise
