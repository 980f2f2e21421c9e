#include "view/MoveListRegistry.h"

#include <algorithm>

namespace stonewise {

bool MoveListRegistry::add(const void* list) {
    if (!list) return false;
    if (contains(list)) return true;
    if (count() >= kMaxLists) return false;
    m_lists.push_back(list);
    return true;
}

void MoveListRegistry::remove(const void* list) {
    m_lists.erase(std::remove(m_lists.begin(), m_lists.end(), list), m_lists.end());
}

bool MoveListRegistry::contains(const void* list) const {
    return std::find(m_lists.begin(), m_lists.end(), list) != m_lists.end();
}

} // namespace stonewise
