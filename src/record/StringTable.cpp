#include "record/StringTable.h"

#include <algorithm>

namespace stonewise {

std::vector<StringTable::Entry> japaneseStringEntries();

StringTable::StringTable(std::vector<Entry> entries) : m_entries(std::move(entries)) {
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) { return a.first < b.first; });
}

const StringTable& StringTable::japanese() {
    static const StringTable table(japaneseStringEntries());
    return table;
}

std::optional<std::u16string_view> StringTable::find(int id) const {
    auto it =
        std::lower_bound(m_entries.begin(), m_entries.end(), id, [](const Entry& e, int key) { return e.first < key; });
    if (it == m_entries.end() || it->first != id) return std::nullopt;
    return it->second;
}

namespace {
const StringTable* g_interface = nullptr;
unsigned g_generation = 0;
} // namespace

void StringTable::setInterface(const StringTable* table) {
    g_interface = table;
    ++g_generation;
}

const StringTable& StringTable::interface() { return g_interface ? *g_interface : japanese(); }

unsigned StringTable::interfaceGeneration() { return g_generation; }

std::optional<std::u16string_view> StringTable::lookup(const StringTable* preferred, int id) {
    if (!preferred) preferred = g_interface;
    if (preferred)
        if (auto text = preferred->find(id)) return text;
    return japanese().find(id);
}

std::u16string_view uiText(int id) { return StringTable::lookup(nullptr, id).value_or(std::u16string_view{}); }

} // namespace stonewise
