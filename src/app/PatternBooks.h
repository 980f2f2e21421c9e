#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "book/BookLibrary.h"
#include "search/PatternBuild.h"

namespace stonewise {

struct BookDescRecord;
class DataFolder;

// The type flags a book page's record is analysed with: a joseki or fuseki page by its category,
// any other page as a reference record (a book's records are reference material, never general).
std::uint8_t bookPageTypeFlags(const BookDescRecord& page);

// One page's record of an installed book.
struct BookPageRecord {
    std::unique_ptr<RecordSequence> main;
    int boardSize = 19;
    std::u16string name; // the record's name, else the page's title
};

// The installed Go books as records for the pattern databases: book n is the n-th of the book
// list (group number 1000 + n); a record's entry number is its page. A page whose record another
// page showed already is taken once.
class PatternBooks final : public PatternBookSource {
public:
    explicit PatternBooks(const DataFolder& data);

    const std::vector<BookListEntry>& books() const { return m_library.entries(); }
    // The title of book n; empty when there is no such book.
    std::u16string title(int book) const;
    // The record of a page; no record when the book or the page cannot be read.
    BookPageRecord record(int book, int page) const;

    bool forEachRecord(int book, PatternKind kind,
                       const std::function<void(const RecordSequence&, int boardSize, std::uint8_t typeFlags, int entry,
                                                std::u16string_view name)>& take) override;

private:
    BookLibrary m_library;
};

} // namespace stonewise
