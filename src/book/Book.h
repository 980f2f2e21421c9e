#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "book/BookArrays.h"
#include "book/BookBytes.h"
#include "book/BookHeader.h"
#include "record/RecordSequence.h"

namespace stonewise {

// How opening a book ended.
enum class BookOpenStatus {
    Ok,
    Missing,    // the file cannot be opened
    NotBook,    // shorter than its header, or another magic
    Enciphered, // stored enciphered: its contents cannot be read here
    Unchecked,  // the header lacks the check value
};

// The arrays of an open book: tables of records (first magic), or only their element counts.
struct BookContents {
    BookTable<BookIndexRecord> index;
    BookTable<BookDescRecord> desc;
    BookTable<BookPieceRecord> descText;
    BookTable<BookKifuRecord> kifu;
    BookTable<BookPieceRecord> image;
    BookTable<BookPieceRecord> audio;
    BookTable<BookAppendixRecord> appendix;
    std::array<int, kBookArrayCount> counts{}; // elements of each array, empty slots included
};

// A picture of a book: its bytes and whether they are a BMP file (else JPEG).
struct BookPicture {
    std::vector<std::uint8_t> bytes;
    bool bmp = true;
};

// An open book file with its companion audio file. Pieces are read on demand by position; a piece
// whose position or length points outside its file is refused (nothing is returned).
class Book {
public:
    // Opens a book from its bytes; the audio may be missing (the book is then silent). With
    // `loadContents` the arrays are read (as records or counts by the magic); without, only the
    // index and game record list are counted.
    static std::unique_ptr<Book> open(std::unique_ptr<BookBytes> file, std::unique_ptr<BookBytes> audio,
                                      bool loadContents, BookOpenStatus& status);
    // Opens the book file at `path` and its ".GOADIO" companion.
    static std::unique_ptr<Book> openFile(const std::string& path, bool loadContents, BookOpenStatus& status);

    const BookHeader& header() const { return m_header; }
    const BookContents& contents() const { return m_contents; }
    // The number of audio pieces; 0 when the companion file is missing.
    int audioCount() const { return m_audio ? static_cast<int>(m_header.place(BookArray::Audio).count) : 0; }
    bool hasAudio() const { return audioCount() > 0; }

    // The whole text of an index entry: its piece and the pieces its links chain to.
    std::optional<std::u16string> entryText(int entry) const;
    // A description text piece, by its desc text array position.
    std::optional<std::u16string> descText(std::uint32_t piece) const;
    // A picture, by image array position.
    std::optional<BookPicture> picture(std::uint32_t number) const;
    // A game record, by kifu array position; null when missing or damaged.
    std::unique_ptr<RecordSequence> game(std::uint32_t number) const;
    // The bytes of a game record's block.
    std::optional<std::vector<std::uint8_t>> gameBlock(std::uint32_t number) const;
    // The MP3 bytes of the audio piece an index entry plays.
    std::optional<std::vector<std::uint8_t>> audioPiece(int entry) const;
    // The audio piece number an index entry plays; -1 when it has none.
    int audioPieceNumber(int entry) const;

    // Bytes of the book file at a position counted from the data base position.
    std::optional<std::vector<std::uint8_t>> readData(std::uint64_t position, std::uint64_t length) const;

private:
    Book() = default;
    void loadArrays();
    void countArrays();

    std::unique_ptr<BookBytes> m_file;
    std::unique_ptr<BookBytes> m_audio;
    BookHeader m_header;
    BookContents m_contents;
};

// The companion audio file of a book file: its extension replaced by "GOADIO".
std::string bookAudioPath(const std::string& bookPath);
// UTF-16LE bytes as text, up to the first zero.
std::u16string textFromUtf16(const std::vector<std::uint8_t>& bytes);

} // namespace stonewise
