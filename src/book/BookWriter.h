#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace stonewise {

// One page of a book to be written: its title and text, and what it shows and plays.
struct BookSourceEntry {
    std::u16string title;
    std::u16string text;
    std::vector<std::uint8_t> picture; // a BMP or JPEG file; empty for none
    bool pictureIsBmp = true;
    std::u16string gameName;
    std::vector<std::uint8_t> gameBlock; // a game file (compact nodes); empty for none
    std::vector<std::uint8_t> audio;     // an MP3 piece; empty for none
    std::uint16_t kind = 0;              // a BookPageKind
    std::uint16_t startMove = 0;
    std::uint16_t endMove = 0;
    std::uint8_t displayFlags = 0;
    std::uint8_t orientation = 0;
    std::uint32_t category = 0;
    std::uint32_t duration = 0; // ticks of 100 ms; 0: from the audio's length when there is audio
};

struct BookSource {
    std::u16string title;
    std::uint16_t speed = 50;
    std::vector<BookSourceEntry> entries;
};

// The two files of a book.
struct BookFiles {
    std::vector<std::uint8_t> book;  // the ".GOBOOK" file
    std::vector<std::uint8_t> audio; // the ".GOADIO" file; empty when no page has audio
};

// Lays out a book: the header, the arrays (index, pages, texts, game records, pictures, audio),
// then the data blocks, each starting at a multiple of 2,048 bytes from the data base position,
// the file padded to such a multiple. Traces and problems get answer records numbered in page order.
BookFiles writeBook(const BookSource& source);

// The playing time of an MP3 piece in ticks of 100 ms (rounded up), from its frame headers; 0 when
// no frame is found.
std::uint32_t mp3DurationTicks(const std::vector<std::uint8_t>& bytes);

} // namespace stonewise
