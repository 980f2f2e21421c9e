#pragma once

#include <functional>
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
    // The text of a number from `preferred` (null: the interface language), else from the Japanese
    // table; nothing when neither has it.
    static std::optional<std::u16string_view> lookup(const StringTable* preferred, int id);

    // The interface language chosen at start-up (null: the program's own Japanese). The table must
    // stay alive while it is the interface language; every text the user sees is looked up in it.
    static void setInterface(const StringTable* table);
    static const StringTable& interface();
    // Changes whenever the interface language changes, so that a cache of looked-up texts knows
    // when to build itself again.
    static unsigned interfaceGeneration();
    bool empty() const { return m_entries.empty(); }
    const std::vector<Entry>& entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries; // sorted by number
};

// The text of a number in the interface language (the Japanese text when the language lacks it);
// empty for a number no table has.
std::u16string_view uiText(int id);

// A value made from texts of the interface language (menus, button layouts, choice lists), made
// again when the language changes. References to the value stay valid until then.
template <class T>
class LanguageCache {
public:
    explicit LanguageCache(std::function<T()> build) : m_build(std::move(build)) {}
    const T& get() {
        const unsigned generation = StringTable::interfaceGeneration();
        if (!m_value || m_generation != generation) {
            m_value = m_build();
            m_generation = generation;
        }
        return *m_value;
    }

private:
    std::function<T()> m_build;
    std::optional<T> m_value;
    unsigned m_generation = 0;
};

} // namespace stonewise
