#include "formats/MemberDirectory.h"

#include "record/StringTable.h"

namespace stonewise {

InMemoryMembers::InMemoryMembers() {
    m_names.push_back(std::u16string(uiText(12400)));
    m_byName.emplace(m_names.back(), 0);
}

int InMemoryMembers::findOrCreate(std::u16string_view name) {
    if (name.empty()) return -1;
    const std::u16string key(name);
    if (auto it = m_byName.find(key); it != m_byName.end()) return it->second;
    if (count() >= kMaxMembers) return -1;
    const int number = count();
    m_names.push_back(key);
    m_byName.emplace(key, number);
    return number;
}

std::u16string InMemoryMembers::nameOf(int number) const {
    if (number < 0 || number >= count()) return {};
    return m_names[static_cast<std::size_t>(number)];
}

} // namespace stonewise
