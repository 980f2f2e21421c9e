#include "app/PatternBooks.h"

#include <set>

#include "book/Book.h"
#include "book/ProblemCategory.h"
#include "store/GameFile.h"

namespace stonewise {

namespace {

std::unique_ptr<Book> openListed(const BookLibrary& library, int book) {
    if (book < 0 || book >= static_cast<int>(library.entries().size())) return nullptr;
    BookOpenStatus status = BookOpenStatus::Missing;
    std::unique_ptr<Book> b =
        Book::openFile(library.bookPath(library.entries()[static_cast<std::size_t>(book)]), true, status);
    return status == BookOpenStatus::Ok ? std::move(b) : nullptr;
}

const BookDescRecord* pageOf(const Book& book, int page) {
    const auto& desc = book.contents().desc;
    if (page < 0 || page >= static_cast<int>(desc.size()) || !desc[static_cast<std::size_t>(page)]) return nullptr;
    return &*desc[static_cast<std::size_t>(page)];
}

// The record a page shows, with the board size its game file gives and its name.
BookPageRecord readPage(const Book& book, const BookDescRecord& page) {
    BookPageRecord out;
    if (page.gameNumber == kBookNone) return out;
    std::optional<std::vector<std::uint8_t>> block = book.gameBlock(page.gameNumber);
    if (!block) return out;
    GameFileRead read = decodeGameFile(*block);
    if (read.status != StoreReadStatus::Ok || !read.main) return out;
    out.main = std::move(read.main);
    if (read.entry) out.boardSize = read.entry->boardSize();
    const auto& kifu = book.contents().kifu;
    if (page.gameNumber < kifu.size() && kifu[page.gameNumber]) out.name = kifu[page.gameNumber]->name;
    const auto& index = book.contents().index;
    if (out.name.empty() && page.indexEntry < index.size() && index[page.indexEntry])
        out.name = index[page.indexEntry]->title;
    return out;
}

std::uint8_t kindFlags(PatternKind kind) {
    switch (kind) {
    case PatternKind::Reference: return kTypeFlagReference;
    case PatternKind::Joseki: return kTypeFlagJoseki;
    case PatternKind::Fuseki: return kTypeFlagFuseki;
    case PatternKind::General: break;
    }
    return 0;
}

} // namespace

std::uint8_t bookPageTypeFlags(const BookDescRecord& page) {
    if (page.category == kJoseki) return kTypeFlagJoseki;
    if (page.category == kFuseki) return kTypeFlagFuseki;
    return kTypeFlagReference;
}

PatternBooks::PatternBooks(const DataFolder& data) : m_library(data) { m_library.list(); }

std::u16string PatternBooks::title(int book) const {
    if (book < 0 || book >= static_cast<int>(books().size())) return {};
    return books()[static_cast<std::size_t>(book)].title;
}

BookPageRecord PatternBooks::record(int book, int page) const {
    const std::unique_ptr<Book> b = openListed(m_library, book);
    const BookDescRecord* d = b ? pageOf(*b, page) : nullptr;
    return d ? readPage(*b, *d) : BookPageRecord{};
}

bool PatternBooks::forEachRecord(
    int book, PatternKind kind,
    const std::function<void(const RecordSequence&, int, std::uint8_t, int, std::u16string_view)>& take) {
    const std::unique_ptr<Book> b = openListed(m_library, book);
    if (!b) return false;
    const std::uint8_t wanted = kindFlags(kind);
    std::set<std::uint32_t> taken;
    const int pages = static_cast<int>(b->contents().desc.size());
    for (int page = 0; page < pages; ++page) {
        const BookDescRecord* d = pageOf(*b, page);
        if (!d || d->gameNumber == kBookNone || wanted == 0 || bookPageTypeFlags(*d) != wanted) continue;
        if (!taken.insert(d->gameNumber).second) continue;
        const BookPageRecord r = readPage(*b, *d);
        if (r.main) take(*r.main, r.boardSize, wanted, page, r.name);
    }
    return true;
}

} // namespace stonewise
