// Reading a book file: the header and its checks, the arrays, and pieces by position.
#include <gtest/gtest.h>

#include "book/Book.h"
#include "book/BookFixture.h"
#include "book/BookFormat.h"

namespace stonewise {
namespace {

using test::handMadeBook;
using test::hexBytes;
using test::lay;

std::unique_ptr<Book> openBytes(std::vector<std::uint8_t> bytes, BookOpenStatus& status,
                                std::vector<std::uint8_t> audio = {'A', 'B', 'C', 'D', 'E', 'F', 'G'}) {
    return Book::open(std::make_unique<MemoryBookBytes>(std::move(bytes)),
                      std::make_unique<MemoryBookBytes>(std::move(audio)), true, status);
}

TEST(BookFile, HandMadeBookReadsAsLaidOut) {
    BookOpenStatus status{};
    std::unique_ptr<Book> book = openBytes(handMadeBook(), status);
    ASSERT_EQ(status, BookOpenStatus::Ok);
    const BookHeader& h = book->header();
    EXPECT_EQ(h.title, u"入門");
    EXPECT_EQ(h.place(BookArray::Index), (BookArrayPlace{512, 3}));
    EXPECT_EQ(h.valueA, 10u);
    EXPECT_EQ(h.valueB, 3u);
    EXPECT_EQ(h.valueC, 7u);
    EXPECT_EQ(h.speed, 60);
    EXPECT_EQ(h.flags, 2);
    EXPECT_EQ(h.dataBase, 2048u);
    EXPECT_EQ(book->audioCount(), 4);

    const BookContents& c = book->contents();
    ASSERT_EQ(c.index.size(), 3u);
    EXPECT_FALSE(c.index[1].has_value()) << "an element of 0 fields is an empty slot that keeps its place";
    ASSERT_TRUE(c.index[0] && c.index[2]);
    EXPECT_EQ(c.index[0]->title, u"碁");
    EXPECT_EQ(c.index[0]->link, 2);
    EXPECT_EQ(c.index[2]->ownNumber, 2);
    EXPECT_EQ(c.index[2]->link, -5);
    EXPECT_EQ(c.index[2]->audioPiece(), 3) << "a link of -5 plays audio piece 3";
    EXPECT_EQ(c.index[0]->audioPiece(), 0);

    EXPECT_EQ(book->entryText(0), u"碁盤石") << "the text follows the link to the next piece";
    EXPECT_EQ(book->entryText(2), u"石");
    EXPECT_FALSE(book->entryText(1)) << "an empty slot has no text";
    EXPECT_EQ(book->descText(0), u"碁盤");
    ASSERT_EQ(c.kifu.size(), 1u);
    EXPECT_EQ(c.kifu[0]->name, u"x");
    EXPECT_EQ(c.kifu[0]->length(), 16u);
    EXPECT_FALSE(book->gameBlock(0)) << "a block beyond the end of the file is refused";
    EXPECT_EQ(book->game(0), nullptr);

    std::optional<BookPicture> jpeg = book->picture(0), bmp = book->picture(1);
    ASSERT_TRUE(jpeg && bmp);
    EXPECT_FALSE(jpeg->bmp) << "a kind other than 0 is JPEG even when the bytes look like a BMP";
    EXPECT_TRUE(bmp->bmp);
    EXPECT_EQ(jpeg->bytes, hexBytes("42 4D 00 00"));
    EXPECT_EQ(book->audioPiece(0), (std::vector<std::uint8_t>{'C', 'D', 'E'}));
}

TEST(BookFile, HeaderChecksRefuseTheBook) {
    struct Case {
        const char* what;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
        BookOpenStatus expected;
    };
    const Case cases[] = {
        {"another magic", 0, hexBytes("41 36 27 19"), BookOpenStatus::NotBook},
        {"the second magic", 0, hexBytes("42 36 27 18"), BookOpenStatus::Ok},
        {"enciphered", 324, hexBytes("01"), BookOpenStatus::Enciphered},
        {"no check value", 428, hexBytes("19 10 42 18"), BookOpenStatus::Unchecked},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> f = handMadeBook();
        lay(f, c.offset, c.bytes);
        BookOpenStatus status{};
        std::unique_ptr<Book> book = openBytes(f, status);
        EXPECT_EQ(status, c.expected) << c.what;
        EXPECT_EQ(book != nullptr, c.expected == BookOpenStatus::Ok) << c.what;
    }
    BookOpenStatus status{};
    std::vector<std::uint8_t> shortFile = handMadeBook();
    shortFile.resize(511);
    EXPECT_EQ(openBytes(shortFile, status), nullptr);
    EXPECT_EQ(status, BookOpenStatus::NotBook);
}

TEST(BookFile, SecondMagicOnlyCountsTheArrays) {
    std::vector<std::uint8_t> f = handMadeBook();
    lay(f, 0, hexBytes("42 36 27 18"));
    BookOpenStatus status{};
    std::unique_ptr<Book> book = openBytes(f, status);
    ASSERT_TRUE(book);
    EXPECT_TRUE(book->contents().index.empty());
    EXPECT_EQ(book->contents().counts[static_cast<int>(BookArray::Index)], 3);
    EXPECT_EQ(book->contents().counts[static_cast<int>(BookArray::Image)], 2);
}

TEST(BookFile, MissingAudioMakesTheBookSilent) {
    BookOpenStatus status{};
    std::unique_ptr<Book> book = Book::open(std::make_unique<MemoryBookBytes>(handMadeBook()), nullptr, true, status);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->audioCount(), 0);
    EXPECT_FALSE(book->audioPiece(0));
    EXPECT_EQ(book->audioPieceNumber(0), -1);
}

TEST(BookFile, DamagedArraysKeepWhatWasRead) {
    struct Case {
        const char* what;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
        std::size_t records;
    };
    const Case cases[] = {
        {"head count 1 stops after the first element", 526, hexBytes("01 00"), 1},
        {"a mark other than 10 ends the array", 586, hexBytes("0B"), 2},
        {"a field longer than the file ends the array", 552, hexBytes("02 06 FF 7F"), 0},
        {"a negative field length ends the array", 552, hexBytes("02 06 FF FF"), 0},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> f = handMadeBook();
        lay(f, c.offset, c.bytes);
        BookOpenStatus status{};
        std::unique_ptr<Book> book = openBytes(f, status);
        ASSERT_TRUE(book) << c.what;
        EXPECT_EQ(book->contents().index.size(), c.records) << c.what;
    }
}

TEST(BookFile, PiecePointingOutsideTheFileIsRefused) {
    struct Case {
        const char* what;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
    };
    // The description text record's position and length, and the data base.
    const Case cases[] = {
        {"position past the end", 664, hexBytes("00 10 00 00")},
        {"length past the end", 672, hexBytes("00 F8 FF FF")},
        {"data base past the end", 344, hexBytes("FF FF FF FF")},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> f = handMadeBook();
        lay(f, c.offset, c.bytes);
        BookOpenStatus status{};
        std::unique_ptr<Book> book = openBytes(f, status);
        ASSERT_TRUE(book) << c.what;
        EXPECT_FALSE(book->descText(0)) << c.what;
    }
}

TEST(BookFile, PieceFileNames) {
    struct Case {
        PieceKind kind;
        int index;
        const char* name;
        const char* folder;
    };
    const Case cases[] = {
        {PieceKind::ImageBmp, 3, "image00003.bmp", "KifuImage"},
        {PieceKind::ImageJpeg, 12, "image00012.jpg", "KifuImage"},
        {PieceKind::Audio, 0, "audio00000.mp3", "Audio"},
        {PieceKind::Game, 7, "Game00007.dat", "Kifu"},
        {PieceKind::DescText, 99999, "descText99999.dat", "DescText"},
        {PieceKind::IndexArray, -1, "indexInfoArray.dat", ""},
        {PieceKind::AppendixArray, 1, "appendixKeyArray00001.dat", "AppendixKey"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pieceFileName(static_cast<int>(c.kind), c.index), c.name);
        EXPECT_STREQ(pieceFolderName(static_cast<int>(c.kind)), c.folder);
    }
}

TEST(BookFile, ArraysAndHeaderWrittenReadBack) {
    BookTable<BookIndexRecord> index(3);
    index[0] = BookIndexRecord{0, 0, -7, 5, u"目次", 10, 11, 12, 13, 14, 15};
    // Position 2 with the sign bit of the 24-bit number set.
    index[2] = BookIndexRecord{2, signExtend24(0x800002), 1, 0, u"", 0, 0, 0, 0, 0, 0};
    const BookTable<BookIndexRecord> back = readIndexArray(writeIndexArray(index));
    EXPECT_EQ(back, index);

    BookTable<BookDescRecord> desc(2);
    desc[1] = BookDescRecord{1, 4, 2, kBookNone, 0x03, 2, 5, 40, 300, 1, 2, 7, 16};
    EXPECT_EQ(readDescArray(writeDescArray(desc)), desc);

    BookTable<BookKifuRecord> kifu = {BookKifuRecord{0, u"石の取り方", 4096, 0x1234, 0x0002}};
    EXPECT_EQ(readKifuArray(writeKifuArray(kifu)), kifu);

    BookHeader h;
    h.title = std::u16string(200, u'碁');
    h.place(BookArray::Appendix) = {77, 2};
    h.dataBase = 4096;
    const std::optional<BookHeader> hb = decodeBookHeader(encodeBookHeader(h));
    ASSERT_TRUE(hb);
    EXPECT_EQ(hb->title.size(), 103u) << "the title field holds 103 characters and the terminator";
    EXPECT_EQ(hb->place(BookArray::Appendix), (BookArrayPlace{77, 2}));
    EXPECT_EQ(hb->dataBase, 4096u);
}

} // namespace
} // namespace stonewise
