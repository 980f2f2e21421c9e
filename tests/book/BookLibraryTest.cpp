// The installed books of a data folder: listing, working folders, extraction and removal.
#include <gtest/gtest.h>

#include <fstream>

#include "book/Book.h"
#include "book/BookFixture.h"
#include "book/BookLibrary.h"
#include "store/DataFolder.h"
#include "store/FileIo.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

using test::hexBytes;
using test::lay;

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct LibraryFixture : ::testing::Test {
    test::TempFolder temp;
    DataFolder data{temp.path()};
    BookLibrary library{data};

    void install(const std::string& name, std::vector<std::uint8_t> bytes, bool audio = true) {
        library.prepareFolders();
        writeFile(library.folder() + name + ".GOBOOK", bytes);
        if (audio) writeFile(library.folder() + name + ".GOADIO", {'A', 'B', 'C', 'D', 'E', 'F', 'G'});
    }
};

TEST_F(LibraryFixture, ListsBookFilesWithABooksMagic) {
    EXPECT_FALSE(library.prepareFolders("x")) << "the folders did not exist yet";
    EXPECT_TRUE(library.prepareFolders("x"));
    install("b-rules", test::handMadeBook());
    install("a-silent", test::handMadeBook(), false);
    std::vector<std::uint8_t> other = test::handMadeBook();
    lay(other, 0, hexBytes("00 00 00 00"));
    install("c-other", other);
    install("d-short", std::vector<std::uint8_t>(100, 0));
    writeFile(library.folder() + "e.txt", test::handMadeBook());
    std::vector<std::uint8_t> enciphered = test::handMadeBook();
    lay(enciphered, 324, hexBytes("03"));
    install("f-enciphered", enciphered);

    ASSERT_EQ(library.list(), 3);
    const std::vector<BookListEntry>& e = library.entries();
    EXPECT_EQ(e[0].fileName, "a-silent.GOBOOK");
    EXPECT_EQ(e[0].hasAudio, 0) << "no companion file";
    EXPECT_EQ(e[1].identifier(), "b-rules");
    EXPECT_EQ(e[1].title, u"入門");
    EXPECT_EQ(e[1].flags, 0x12) << "header flags with 0x10 for a book of records";
    EXPECT_EQ(e[1].hasAudio, 1);
    EXPECT_EQ(e[1].valueA, 10u);
    EXPECT_EQ(e[1].speed, 60);
    EXPECT_EQ(e[2].enciphered, 3) << "an enciphered book is listed; opening it is refused";
    EXPECT_EQ(e[2].position, 2);
}

TEST_F(LibraryFixture, InstallsBundledBooksOnce) {
    test::TempFolder bundle;
    writeFile(bundle.path() + "rules.GOBOOK", test::handMadeBook());
    writeFile(bundle.path() + "rules.GOADIO", {1, 2, 3});
    writeFile(bundle.path() + "notes.txt", {1});
    EXPECT_EQ(library.installFrom(bundle.path()), 1);
    ASSERT_EQ(library.list(), 1);
    EXPECT_EQ(readWholeFile(library.audioPath(library.entries()[0])), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(pathExists(library.folder() + "notes.txt"));
    writeFile(library.folder() + "rules.GOBOOK", {9});
    EXPECT_EQ(library.installFrom(bundle.path()), 0) << "a book already there is left alone";
    EXPECT_EQ(readWholeFile(library.folder() + "rules.GOBOOK"), (std::vector<std::uint8_t>{9}));
}

TEST_F(LibraryFixture, ListStopsAt1023Books) {
    library.prepareFolders();
    std::vector<std::uint8_t> header = test::handMadeBook();
    header.resize(512);
    for (int i = 0; i < 1025; ++i) writeFile(library.folder() + "b" + std::to_string(10000 + i) + ".GOBOOK", header);
    EXPECT_EQ(library.list(), 1023);
    EXPECT_EQ(library.entries().back().fileName, "b11022.GOBOOK");
}

TEST_F(LibraryFixture, ExtractsAudioIntoTheSidesWorkingFolder) {
    install("rules", test::handMadeBook());
    ASSERT_EQ(library.list(), 1);
    const BookListEntry& e = library.entries()[0];
    BookOpenStatus status{};
    std::unique_ptr<Book> book = Book::openFile(library.bookPath(e), true, status);
    ASSERT_TRUE(book);
    const std::string main = library.extractAudio(e, *book, 0, BookSide::Main);
    EXPECT_EQ(main, library.ownFolder(e) + "Temp/audio00000.mp3");
    EXPECT_EQ(readWholeFile(main), (std::vector<std::uint8_t>{'C', 'D', 'E'}));
    const std::string study = library.extractAudio(e, *book, 0, BookSide::Study);
    EXPECT_EQ(study, library.ownFolder(e) + "Temp1/audio00000.mp3");
    EXPECT_EQ(library.extractAudio(e, *book, 2, BookSide::Main), "") << "piece 3 has no index record";
    EXPECT_TRUE(library.clearWorkingFolder(e, BookSide::Main));
    EXPECT_FALSE(pathExists(main));
    EXPECT_TRUE(pathExists(study)) << "the other side's folder is left alone";
    EXPECT_EQ(library.piecePath(e, 12, "audio00001.mp3"), library.ownFolder(e) + "Audio/audio00001.mp3");
    EXPECT_EQ(library.piecePath(e, 2, "indexInfoArray.dat"), library.ownFolder(e) + "indexInfoArray.dat");
}

TEST_F(LibraryFixture, RemovingAudioKeepsTheBookRemovingTheBookLeavesNothing) {
    install("rules", test::handMadeBook());
    install("second", test::handMadeBook());
    ASSERT_EQ(library.list(), 2);
    const BookListEntry rules = library.entries()[0];
    library.prepareFolders(rules.identifier());
    writeFile(library.ownFolder(rules) + "answerData.dat", {1, 2, 3});
    makeFolder(library.workingFolder(rules, BookSide::Main));
    writeFile(library.workingFolder(rules, BookSide::Main) + "audio00000.mp3", {1});

    ASSERT_TRUE(library.removeAudio(0));
    EXPECT_FALSE(pathExists(library.audioPath(rules)));
    EXPECT_TRUE(pathExists(library.bookPath(rules)));
    EXPECT_TRUE(pathExists(library.ownFolder(rules) + "answerData.dat"));
    EXPECT_EQ(library.entries()[0].hasAudio, 0);
    BookOpenStatus status{};
    std::unique_ptr<Book> silent = Book::openFile(library.bookPath(rules), true, status);
    ASSERT_TRUE(silent) << "the book stays readable without sound";
    EXPECT_EQ(silent->audioCount(), 0);

    ASSERT_TRUE(library.removeBook(0));
    EXPECT_FALSE(pathExists(library.bookPath(rules)));
    EXPECT_FALSE(pathExists(library.ownFolder(rules)));
    ASSERT_EQ(library.entries().size(), 1u);
    EXPECT_EQ(library.entries()[0].identifier(), "second");
    EXPECT_EQ(library.entries()[0].position, 0);
    EXPECT_TRUE(pathExists(library.audioPath(library.entries()[0])));
}

} // namespace
} // namespace stonewise
