#include "store/GroupGameNames.h"

#include "record/Text.h"
#include "store/GameList.h"

namespace stonewise {

namespace {
constexpr std::size_t kMaxStoredName = 255;
} // namespace

std::u16string storableName(std::u16string_view name, std::size_t limit) {
    name = name.substr(0, name.find(u'\0'));
    if (name.size() > limit) {
        name = name.substr(0, limit);
        if (!name.empty() && name.back() >= 0xD800 && name.back() <= 0xDBFF) name.remove_suffix(1);
    }
    return std::u16string(name);
}

GroupGameNames::GroupGameNames(const GameList& list) : m_list(list) {
    for (const GameInfo* e : list.entries()) m_numbers.emplace(e->name, e->number);
}

std::optional<GameInfo> GroupGameNames::findGame(std::u16string_view name) const {
    const auto it = m_numbers.find(std::u16string(name));
    if (it == m_numbers.end()) return std::nullopt;
    const GameInfo* e = m_list.find(it->second);
    if (!e || e->name != name) return std::nullopt;
    return *e;
}

std::u16string GroupGameNames::uniqueName(std::u16string_view name) const {
    // The name as the list keeps it, so that the name read back is the one made unique here.
    std::u16string candidate = storableName(name, kMaxStoredName);
    for (int n = 1; m_numbers.count(candidate) != 0; ++n) {
        std::u16string number(1, u'(');
        number += fromUtf8(std::to_string(n));
        number += u')';
        candidate = storableName(name, kMaxStoredName - number.size());
        candidate += number;
    }
    return candidate;
}

void GroupGameNames::add(const std::u16string& name, int number) {
    auto [it, added] = m_numbers.emplace(name, number);
    if (!added && !m_list.find(it->second)) it->second = number;
}

} // namespace stonewise
