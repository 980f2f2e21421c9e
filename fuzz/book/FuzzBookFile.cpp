// A book file: any bytes opened without harm, every piece read within the file; arrays that read
// write and read back the same.
#include <cstdint>
#include <span>
#include <vector>

#include "../store/FuzzCheck.h"
#include "book/Book.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    // The same bytes serve as the audio file: its pieces are found by the same records.
    BookOpenStatus status{};
    std::unique_ptr<Book> book =
        Book::open(std::make_unique<MemoryBookBytes>(bytes), std::make_unique<MemoryBookBytes>(bytes), true, status);
    if (!book) {
        FUZZ_CHECK(status != BookOpenStatus::Ok);
        return 0;
    }
    const BookContents& c = book->contents();
    for (std::size_t n = 0; n < c.index.size(); ++n) {
        if (std::optional<std::u16string> text = book->entryText(static_cast<int>(n))) FUZZ_CHECK(text->size() <= size);
        if (std::optional<std::vector<std::uint8_t>> audio = book->audioPiece(static_cast<int>(n)))
            FUZZ_CHECK(audio->size() <= size);
    }
    for (std::uint32_t n = 0; n < c.descText.size(); ++n) book->descText(n);
    for (std::uint32_t n = 0; n < c.image.size(); ++n)
        if (std::optional<BookPicture> p = book->picture(n)) FUZZ_CHECK(p->bytes.size() <= size);
    for (std::uint32_t n = 0; n < c.kifu.size() && n < 64; ++n) book->game(n);
    FUZZ_CHECK(readIndexArray(writeIndexArray(c.index)) == c.index);
    FUZZ_CHECK(readDescArray(writeDescArray(c.desc)) == c.desc);
    FUZZ_CHECK(readPieceArray(writePieceArray(c.image)) == c.image);
    FUZZ_CHECK(readKifuArray(writeKifuArray(c.kifu)) == c.kifu);
    const std::vector<std::uint8_t> header = encodeBookHeader(book->header());
    FUZZ_CHECK(decodeBookHeader(header) == book->header());
    return 0;
}
