// Our own book tool: a source folder written by hand becomes a book that reads back the same.
#include <gtest/gtest.h>

#include <fstream>

#include "book/Book.h"
#include "book/BookManifest.h"
#include "book/BookWriter.h"
#include "record/RecordSequence.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "store/GameFile.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

// An MPEG-1 layer III frame head of 128 kbit/s at 44.1 kHz without padding: 417 bytes, 1152 samples.
std::vector<std::uint8_t> mp3Frames(int frames) {
    std::vector<std::uint8_t> out;
    for (int i = 0; i < frames; ++i) {
        const std::size_t at = out.size();
        out.resize(at + 417, 0);
        out[at] = 0xFF;
        out[at + 1] = 0xFB;
        out[at + 2] = 0x90;
    }
    return out;
}

std::vector<std::uint8_t> smallGame() {
    std::unique_ptr<RecordSequence> main = RecordSequence::createMain();
    RecordNode move;
    move.type = NodeType::BlackMove;
    move.x = 3;
    move.y = 3;
    move.moveNumber = 1;
    main->appendNode(move);
    return encodeGameFile(*main, nullptr, NodeForm::Compact);
}

TEST(BookWriter, WrittenBookReadsBack) {
    BookSource source;
    source.title = u"テストの本";
    source.speed = 70;
    BookSourceEntry page;
    page.title = u"一";
    page.text = u"碁は楽しい。\r\n二行目。";
    page.picture = {0xFF, 0xD8, 0xFF, 0xE0};
    page.pictureIsBmp = false;
    page.gameName = u"対局";
    page.gameBlock = smallGame();
    page.audio = mp3Frames(40);
    page.displayFlags = 9;
    BookSourceEntry problem;
    problem.title = u"二";
    problem.kind = static_cast<std::uint16_t>(BookPageKind::Problem);
    problem.category = 16;
    problem.startMove = 2;
    problem.endMove = 5;
    problem.duration = 33;
    source.entries = {page, problem, problem};

    const BookFiles files = writeBook(source);
    ASSERT_EQ(files.book.size() % 2048, 0u);
    BookOpenStatus status{};
    std::unique_ptr<Book> book = Book::open(std::make_unique<MemoryBookBytes>(files.book),
                                            std::make_unique<MemoryBookBytes>(files.audio), true, status);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->header().title, u"テストの本");
    EXPECT_EQ(book->header().speed, 70);
    EXPECT_EQ(book->header().valueB, 2u) << "two answer records";
    EXPECT_EQ(book->header().dataBase % 2048, 0u);
    const BookContents& c = book->contents();
    ASSERT_EQ(c.desc.size(), 3u);
    const BookDescRecord& d0 = *c.desc[0];
    EXPECT_EQ(book->descText(d0.textPiece), page.text);
    std::optional<BookPicture> picture = book->picture(d0.pictureNumber);
    ASSERT_TRUE(picture);
    EXPECT_FALSE(picture->bmp);
    EXPECT_EQ(picture->bytes, page.picture);
    std::unique_ptr<RecordSequence> game = book->game(d0.gameNumber);
    ASSERT_TRUE(game);
    EXPECT_EQ(c.kifu[d0.gameNumber]->name, u"対局");
    EXPECT_EQ(book->audioPiece(0), page.audio);
    EXPECT_EQ(d0.duration, 11u) << "40 frames of 26.1 ms, rounded up to tenths";
    EXPECT_EQ(d0.displayFlags, 9);
    EXPECT_FALSE(book->audioPiece(1)) << "a page without audio plays nothing";
    const BookDescRecord& d2 = *c.desc[2];
    EXPECT_EQ(d2.kind, static_cast<std::uint16_t>(BookPageKind::Problem));
    EXPECT_EQ(d2.answerNumber, 1);
    EXPECT_EQ(d2.category, 16u);
    EXPECT_EQ(d2.startMove, 2);
    EXPECT_EQ(d2.endMove, 5);
    EXPECT_EQ(d2.duration, 33u);
    EXPECT_EQ(d2.textPiece, kBookNone);
    EXPECT_EQ(c.index[2]->title, u"二");
}

TEST(BookWriter, Mp3Duration) {
    std::vector<std::uint8_t> tagged = {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 20};
    tagged.resize(30, 0xFF); // the tag's bytes look like frame heads and are skipped
    const std::vector<std::uint8_t> frames = mp3Frames(100);
    tagged.insert(tagged.end(), frames.begin(), frames.end());
    EXPECT_EQ(mp3DurationTicks(mp3Frames(40)), 11u);
    EXPECT_EQ(mp3DurationTicks(tagged), 27u);
    EXPECT_EQ(mp3DurationTicks({1, 2, 3, 4, 5}), 0u);
    EXPECT_EQ(mp3DurationTicks({0xFF, 0xFB, 0xF0, 0x00}), 0u) << "a bad bit rate is no frame";
}

void writeText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TEST(BookManifest, SourceFolderErrors) {
    struct Case {
        const char* manifest;
        const char* error; // "" for a folder that reads
    };
    const Case cases[] = {
        {"title: 本\n[entry]\ntitle: 一\ntext: t.txt\ngame: g.sgf\nkind: problem\ncategory: 16\nmoves: 1 3\n", ""},
        {"[entry]\ntitle: 一\n", "no title"},
        {"title: 本\n", "no [entry]"},
        {"title: 本\n[entry]\ntext: missing.txt\n", "\"missing.txt\" cannot be read"},
        {"title: 本\n[entry]\nkind: lesson\n", "book.txt:3: kind is page"},
        {"title: 本\n[entry]\npicture: t.txt\n", "a picture is a .bmp or .jpg"},
        {"title: 本\n[entry]\ncolour: red\n", "unknown or bad entry line"},
        {"title: 本\n[entry]\nmoves: 1\n", "moves are two numbers"},
        {"title: 本\nthis line has no key\n", "book.txt:2:"},
        {"title: 本\n[entry]\ntext: latin1.txt\n", "is not UTF-8"},
        {"title: 本\n[entry]\ngame: t.txt\n", "\"t.txt\":"},
    };
    test::TempFolder folder;
    writeText(folder.path() + "t.txt", "碁の本です。\n");
    writeText(folder.path() + "latin1.txt", "caf\xE9");
    writeText(folder.path() + "g.sgf", "(;GM[1]SZ[19];B[dd];W[pp];B[dp])");
    for (const Case& c : cases) {
        writeText(folder.path() + "book.txt", c.manifest);
        const BookManifestRead read = readBookSource(folder.path());
        EXPECT_EQ(read.ok, std::string(c.error).empty()) << c.manifest << read.error;
        EXPECT_NE(read.error.find(c.error), std::string::npos) << c.manifest << " gave: " << read.error;
    }
}

TEST(BookManifest, FilesAreAlsoFoundInMoreFolders) {
    test::TempFolder source, made;
    writeText(source.path() + "book.txt", "title: 本\n[entry]\ntitle: 一\ntext: t.txt\ngame: g.sgf\n");
    writeText(source.path() + "t.txt", "一行目\n二行目\n");
    writeText(made.path() + "g.sgf", "(;GM[1]SZ[19]GN[三手];B[dd];W[pp];B[dp])");
    EXPECT_FALSE(readBookSource(source.path()).ok);
    const BookManifestRead read = readBookSource(source.path(), {made.path()});
    ASSERT_TRUE(read.ok) << read.error;
    const BookSourceEntry& e = read.source.entries[0];
    EXPECT_EQ(e.text, u"一行目\r\n二行目") << "line breaks as the text pane shows them, the last one dropped";
    EXPECT_EQ(e.gameName, u"三手");
    const GameFileRead game = decodeGameFile(e.gameBlock);
    ASSERT_EQ(game.status, StoreReadStatus::Ok);
    int moves = 0;
    for (const RecordNode& k : game.main->nodes()) moves += k.isMoveOrPass() ? 1 : 0;
    EXPECT_EQ(moves, 3);
}

#ifdef STONEWISE_SAMPLE_BOOK
// The sample book the build makes from resources/books/rules.
TEST(SampleBook, ReadsPageByPage) {
    BookOpenStatus status{};
    std::unique_ptr<Book> book = Book::openFile(STONEWISE_SAMPLE_BOOK, true, status);
    ASSERT_TRUE(book) << STONEWISE_SAMPLE_BOOK;
    EXPECT_EQ(book->header().title, u"囲碁のルール入門");
    const BookContents& c = book->contents();
    ASSERT_EQ(c.desc.size(), 10u);
    int problems = 0;
    for (const auto& d : c.desc) {
        ASSERT_TRUE(d);
        const std::u16string title = c.index[d->indexEntry]->title;
        std::optional<std::u16string> text = book->descText(d->textPiece);
        ASSERT_TRUE(text) << toUtf8(title);
        EXPECT_GT(text->size(), 20u) << toUtf8(title);
        EXPECT_TRUE(book->game(d->gameNumber)) << toUtf8(title);
        if (d->pictureNumber != kBookNone) {
            EXPECT_TRUE(book->picture(d->pictureNumber)->bmp) << toUtf8(title);
        }
        if (d->kind == static_cast<std::uint16_t>(BookPageKind::Problem)) ++problems;
        if constexpr (STONEWISE_BOOK_AUDIO) {
            EXPECT_TRUE(book->audioPiece(static_cast<int>(d->indexEntry))) << toUtf8(title);
            EXPECT_GT(d->duration, 10u) << toUtf8(title);
        }
    }
    EXPECT_EQ(problems, 3);
    EXPECT_EQ(book->header().valueB, 4u) << "three problems and one trace";
    EXPECT_EQ(book->hasAudio(), bool(STONEWISE_BOOK_AUDIO));
}
#endif

} // namespace
} // namespace stonewise
