#include "store/StoreMemberDirectory.h"

#include "store/TaggedRecordFile.h"

namespace stonewise {

int StoreMemberDirectory::findOrCreate(std::u16string_view name) {
    const std::u16string_view stored = storedText(name);
    if (stored.empty()) return -1;
    const int found = m_members.findByName(stored);
    if (found >= 0) return found;
    MemberRecord m;
    m.kind = kMemberGeneral;
    m.name = std::u16string(stored);
    m.registered = {m_today.year, m_today.month, m_today.day, 0};
    const int number = m_members.add(std::move(m));
    if (number >= 0) m_added.push_back(number);
    return number;
}

std::u16string StoreMemberDirectory::nameOf(int number) const {
    const MemberRecord* m = m_members.find(number);
    return m ? m->name : std::u16string();
}

} // namespace stonewise
