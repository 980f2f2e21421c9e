#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace stonewise {

// The numbered texts of one interface language. The Japanese table is compiled into the program;
// another language comes from a language library.
class StringTable {
public:
    using Entry = std::pair<int, std::u16string_view>;

    // The program's own Japanese texts.
    static const StringTable& japanese();

    StringTable() = default;
    // A table of (number, text) pairs; the texts must outlive the table.
    explicit StringTable(std::vector<Entry> entries);

    // The text of a number, or nothing when the table has none.
    std::optional<std::u16string_view> find(int id) const;
    // The text of a number from `preferred` (the interface language; may be null), else from the
    // Japanese table; nothing when neither has it.
    static std::optional<std::u16string_view> lookup(const StringTable* preferred, int id);
    bool empty() const { return m_entries.empty(); }
    const std::vector<Entry>& entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;  // sorted by number
};

} // namespace stonewise
