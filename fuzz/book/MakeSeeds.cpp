// Writes a first corpus for each book fuzz target: files as the book tool and the answer and
// package lists write them.
#include <fstream>
#include <string>

#include "book/AnswerData.h"
#include "book/BookArrays.h"
#include "book/BookWriter.h"
#include "book/InstallerList.h"

using namespace stonewise;

namespace {

void write(const std::string& path, const std::vector<std::uint8_t>& bytes, int prefix = -1) {
    std::ofstream out(path, std::ios::binary);
    if (prefix >= 0) out.put(static_cast<char>(prefix));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string out = std::string(argv[1]) + "/";
    BookSource source;
    source.title = u"種";
    for (int n = 0; n < 3; ++n) {
        BookSourceEntry e;
        e.title = u"頁";
        e.text = u"本文です。";
        e.picture = {'B', 'M', 0, 0, 0, 0};
        e.gameName = u"棋譜";
        e.gameBlock = {0x54, 0x63, 0x72, 0x81, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0};
        e.audio = {0xFF, 0xFB, 0x90, 0x00};
        e.audio.resize(417 * 2, 0);
        e.audio[417] = 0xFF, e.audio[418] = 0xFB, e.audio[419] = 0x90;
        e.kind = static_cast<std::uint16_t>(n);
        source.entries.push_back(e);
    }
    const BookFiles files = writeBook(source);
    write(out + "book_file/seed", files.book);
    write(out + "mp3/seed", files.audio);
    BookTable<BookIndexRecord> index = {BookIndexRecord{0, 0, -3, 1, u"題", 4, 0, 8, 9, 0, 2}, std::nullopt};
    write(out + "arrays/index", writeIndexArray(index), 0);
    write(out + "arrays/desc", writeDescArray({BookDescRecord{}}), 1);
    write(out + "arrays/pieces", writePieceArray({BookPieceRecord{0, 4, 5}}), 2);
    write(out + "arrays/kifu", writeKifuArray({BookKifuRecord{0, u"名", 1, 2, 3}}), 3);
    AnswerTable answers(3);
    answers.record(1, AnswerResult::Correct, AnswerTime{2026, 12, 11, 1, 2});
    write(out + "answer_data/seed", answers.encode());
    InstallerList list;
    list.packages.push_back(InstalledPackage{});
    list.packages[0].texts[0] = u"パッケージ";
    write(out + "installer_list/seed", list.encode());
    return 0;
}
