// stonewise-cli book: writes a Go book from its source folder, and lists what a book holds.
#include <string>
#include <vector>

#include "book/Book.h"
#include "book/BookManifest.h"
#include "cli/CliCommand.h"
#include "record/RecordSequence.h"
#include "record/Text.h"
#include "store/FileIo.h"

namespace stonewise::cli {

namespace {

const char* openStatusText(BookOpenStatus s) {
    switch (s) {
    case BookOpenStatus::Ok: return "ok";
    case BookOpenStatus::Missing: return "the file cannot be opened";
    case BookOpenStatus::NotBook: return "not a Go book";
    case BookOpenStatus::Enciphered: return "the book is enciphered and cannot be read";
    case BookOpenStatus::Unchecked: return "the book's header is damaged (no check value)";
    }
    return "";
}

int build(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 3) return 2;
    const std::string& out_path = args[2];
    if (!out_path.ends_with(".GOBOOK")) {
        err << "stonewise-cli: a book file's name ends with \".GOBOOK\"\n";
        return 2;
    }
    BookManifestRead read = readBookSource(args[1], std::vector<std::string>(args.begin() + 3, args.end()));
    if (!read.ok) {
        err << "stonewise-cli: " << read.error << "\n";
        return 1;
    }
    const BookFiles files = writeBook(read.source);
    const std::string audioPath = bookAudioPath(out_path);
    if (!writeFileAtomically(out_path, files.book) ||
        (files.audio.empty() ? !removeFile(audioPath) : !writeFileAtomically(audioPath, files.audio))) {
        err << "stonewise-cli: cannot write " << out_path << "\n";
        return 1;
    }
    out << out_path << ": " << read.source.entries.size() << " pages, " << files.book.size() << " bytes";
    if (!files.audio.empty()) out << "; " << audioPath << ": " << files.audio.size() << " bytes";
    out << "\n";
    return 0;
}

const char* kindName(std::uint16_t kind) {
    switch (static_cast<BookPageKind>(kind)) {
    case BookPageKind::Page: return "page";
    case BookPageKind::Trace: return "trace";
    case BookPageKind::Problem: return "problem";
    }
    return "?";
}

void printPage(std::ostream& out, const Book& book, const BookDescRecord& d) {
    const auto& index = book.contents().index;
    const BookIndexRecord* entry = d.indexEntry < index.size() && index[d.indexEntry] ? &*index[d.indexEntry] : nullptr;
    out << d.position + 1 << "\t" << kindName(d.kind) << "\t" << (entry ? toUtf8(entry->title) : "") << "\n";
    if (d.textPiece != kBookNone) {
        const std::optional<std::u16string> text = book.descText(d.textPiece);
        out << "\ttext: " << (text ? std::to_string(text->size()) + " characters" : "unreadable") << "\n";
    }
    if (d.pictureNumber != kBookNone) {
        const std::optional<BookPicture> p = book.picture(d.pictureNumber);
        out << "\tpicture: "
            << (p ? std::string(p->bmp ? "BMP, " : "JPEG, ") + std::to_string(p->bytes.size()) + " bytes"
                  : "unreadable")
            << "\n";
    }
    if (d.gameNumber != kBookNone) {
        const auto& kifu = book.contents().kifu;
        const std::unique_ptr<RecordSequence> game = book.game(d.gameNumber);
        out << "\tgame: ";
        if (d.gameNumber < kifu.size() && kifu[d.gameNumber]) out << toUtf8(kifu[d.gameNumber]->name) << ", ";
        out << (game ? std::to_string(game->nodeCount()) + " nodes" : "unreadable");
        if (d.startMove || d.endMove) out << ", moves " << d.startMove << "-" << d.endMove;
        out << "\n";
    }
    if (d.kind != static_cast<std::uint16_t>(BookPageKind::Page))
        out << "\tanswer record " << d.answerNumber + 1
            << (d.category ? ", category " + std::to_string(d.category) : "") << "\n";
    if (entry) {
        const std::optional<std::vector<std::uint8_t>> audio = book.audioPiece(static_cast<int>(d.indexEntry));
        if (audio) out << "\taudio: " << audio->size() << " bytes, " << d.duration / 10.0 << " s\n";
    }
}

int info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) return 2;
    BookOpenStatus status{};
    const std::unique_ptr<Book> book = Book::openFile(args[1], true, status);
    if (!book) {
        err << "stonewise-cli: " << args[1] << ": " << openStatusText(status) << "\n";
        return 1;
    }
    const BookHeader& h = book->header();
    out << "Title: " << toUtf8(h.title) << "\n";
    out << "Pages: " << book->contents().desc.size() << ", game records: " << book->contents().kifu.size()
        << ", pictures: " << book->contents().image.size() << ", answer records: " << h.valueB
        << ", audio pieces: " << book->audioCount() << (book->hasAudio() ? "" : " (silent)") << "\n";
    if (!h.readsRecords()) {
        out << "(the arrays of this book are only counted)\n";
        return 0;
    }
    for (const auto& d : book->contents().desc)
        if (d) printPage(out, *book, *d);
    return 0;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && args[0] == "build") {
        const int r = build(args, out, err);
        if (r == 2) err << "Usage: stonewise-cli book build SOURCE_DIR OUT.GOBOOK [MORE_DIR...]\n";
        return r;
    }
    if (!args.empty() && args[0] == "info") {
        const int r = info(args, out, err);
        if (r == 2) err << "Usage: stonewise-cli book info FILE.GOBOOK\n";
        return r;
    }
    err << "Usage: stonewise-cli book build SOURCE_DIR OUT.GOBOOK [MORE_DIR...] | book info FILE.GOBOOK\n";
    return 2;
}

} // namespace

CliCommand bookCommand() {
    return {"book", "book build SOURCE_DIR OUT.GOBOOK [MORE_DIR...] | book info FILE.GOBOOK",
            "Writes a Go book (and its .GOADIO audio) from a source folder with a manifest \"book.txt\" (files it "
            "names are also looked for in MORE_DIR), or lists the pages of a book",
            &run};
}

} // namespace stonewise::cli
