#include "store/MemberList.h"

#include <algorithm>
#include <cstdio>

#include "store/StoredDate.h"

namespace stonewise {

namespace {

constexpr std::uint32_t kMemberThirdWord = 2;
constexpr std::uint16_t kMemberRecordSize = 28;
constexpr std::int16_t kMemberFieldCount = 8;

bool sameDate(const GameDate& a, const GameDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour;
}

} // namespace

bool MemberRecord::operator==(const MemberRecord& o) const {
    return number == o.number && kind == o.kind && name == o.name && address == o.address &&
           sameDate(registered, o.registered) && sameDate(secondDate, o.secondDate) && value1 == o.value1 &&
           value2 == o.value2;
}

std::string memberPageFileName(int page) {
    if (page == 0) return "MemberIdList.dat";
    char name[40];
    std::snprintf(name, sizeof name, "MemberIdList%03d.dat", page);
    return name;
}

MemberPageRead decodeMemberPage(std::span<const std::uint8_t> bytes, int page) {
    MemberPageRead out;
    TaggedRecordReader r(bytes);
    TaggedHeader header;
    out.status = r.readCheckedHeader(header);
    if (out.status != StoreReadStatus::Ok) return out;
    const int count = std::min<int>(header.count, kMemberSlots);
    for (int slot = 0; slot < count; ++slot) {
        TaggedHead head;
        if (!r.readHead(head)) {
            out.status = StoreReadStatus::Damaged;
            break;
        }
        if (head.mark() == kMarkEnd) break;
        if (head.mark() != kMarkElement || head.count() < 0) {
            out.status = StoreReadStatus::Damaged;
            break;
        }
        if (head.count() == 0) continue;
        MemberRecord m;
        bool complete = true;
        for (int i = 0; i < head.count(); ++i) {
            TaggedField f;
            if (!r.readField(f)) {
                complete = false;
                break;
            }
            switch (f.id()) {
            case 1: m.number = f.u16(); break;
            case 2: m.kind = f.u16(); break;
            case 3: m.name = f.text().value_or(std::u16string()); break;
            case 4: m.address = f.text().value_or(std::u16string()); break;
            case 5: m.registered = readStoredDay(f); break;
            case 6: m.secondDate = readStoredDay(f); break;
            case 7: m.value1 = f.u16(); break;
            case 8: m.value2 = 0; break; // an old field: it leaves the second value cleared
            case 9: m.value2 = f.u16(); break;
            default: break;
            }
        }
        if (!complete) {
            out.status = StoreReadStatus::Damaged;
            break;
        }
        ++out.elements;
        if (m.number != page * kMemberSlots + slot) {
            out.dropped = true;
            continue;
        }
        out.page.slots[static_cast<std::size_t>(slot)] = std::move(m);
    }
    return out;
}

std::vector<std::uint8_t> encodeMemberPage(const MemberPage& members, int page) {
    int count = 1;
    for (int slot = 0; slot < kMemberSlots; ++slot)
        if (members.slots[static_cast<std::size_t>(slot)]) count = slot + 1;
    TaggedRecordWriter w;
    w.header(kMemberThirdWord, kMemberRecordSize, static_cast<std::uint16_t>(count));
    for (int slot = 0; slot < count; ++slot) {
        const auto& m = members.slots[static_cast<std::size_t>(slot)];
        if (!m) {
            w.element(kMarkElement, static_cast<std::uint8_t>(slot), 0);
            continue;
        }
        w.element(kMarkElement, static_cast<std::uint8_t>(slot), kMemberFieldCount);
        w.fieldU16(1, {static_cast<std::uint16_t>(page * kMemberSlots + slot)});
        w.fieldU16(2, {m->kind});
        w.fieldText(3, m->name.empty() ? std::nullopt : std::optional<std::u16string_view>(m->name));
        w.fieldText(4, m->address.empty() ? std::nullopt : std::optional<std::u16string_view>(m->address));
        writeStoredDay(w, 5, m->registered);
        writeStoredDay(w, 6, m->secondDate);
        w.fieldU16(7, {m->value1});
        w.fieldU16(9, {m->value2});
    }
    w.end();
    return w.take();
}

// --- the list ---------------------------------------------------------------------------------

MemberPage* MemberList::page(int index) {
    if (index < 0 || index >= kMemberPages) return nullptr;
    return m_pages[static_cast<std::size_t>(index)].get();
}

const MemberPage* MemberList::page(int index) const { return const_cast<MemberList*>(this)->page(index); }

MemberPage& MemberList::ensurePage(int index) {
    index = std::clamp(index, 0, kMemberPages - 1);
    // Pages stay contiguous from page 0: the files are read, and written, up to the first gap.
    for (int i = 0; i < index; ++i)
        if (!m_pages[static_cast<std::size_t>(i)]) {
            m_pages[static_cast<std::size_t>(i)] = std::make_unique<MemberPage>();
            m_pages[static_cast<std::size_t>(i)]->changed = true;
        }
    auto& p = m_pages[static_cast<std::size_t>(index)];
    if (!p) p = std::make_unique<MemberPage>();
    return *p;
}

void MemberList::setPage(int index, MemberPage page) {
    if (index < 0 || index >= kMemberPages) return;
    m_pages[static_cast<std::size_t>(index)] = std::make_unique<MemberPage>(std::move(page));
}

const MemberRecord* MemberList::find(int number) const {
    if (number < 0 || number >= kMaxMembers) return nullptr;
    const MemberPage* p = page(number / kMemberSlots);
    if (!p) return nullptr;
    const auto& m = p->slots[static_cast<std::size_t>(number % kMemberSlots)];
    return m ? &*m : nullptr;
}

int MemberList::findByName(std::u16string_view name) const {
    for (int pg = 0; pg < kMemberPages; ++pg) {
        const MemberPage* p = page(pg);
        if (!p) continue;
        for (const auto& m : p->slots)
            if (m && m->name == name) return m->number;
    }
    return -1;
}

int MemberList::add(MemberRecord member) {
    // The first free slot of the pages that exist, else the next new number.
    for (int pg = 0; pg < kMemberPages; ++pg) {
        MemberPage* p = page(pg);
        if (!p) continue;
        for (int slot = 0; slot < kMemberSlots; ++slot) {
            if (p->slots[static_cast<std::size_t>(slot)]) continue;
            member.number = static_cast<std::uint16_t>(pg * kMemberSlots + slot);
            p->slots[static_cast<std::size_t>(slot)] = member;
            p->changed = true;
            return member.number;
        }
    }
    const int number = nextNumber();
    if (number >= kMaxMembers) return -1;
    member.number = static_cast<std::uint16_t>(number);
    return put(member) ? number : -1;
}

bool MemberList::put(const MemberRecord& member) {
    if (member.number >= kMaxMembers) return false;
    MemberPage& p = ensurePage(member.number / kMemberSlots);
    p.slots[member.number % kMemberSlots] = member;
    p.changed = true;
    return true;
}

bool MemberList::remove(int number) {
    if (!find(number)) return false;
    MemberPage* p = page(number / kMemberSlots);
    p->slots[static_cast<std::size_t>(number % kMemberSlots)].reset();
    p->changed = true;
    return true;
}

int MemberList::size() const {
    int n = 0;
    for (const auto& p : m_pages)
        if (p)
            for (const auto& m : p->slots) n += m.has_value();
    return n;
}

int MemberList::nextNumber() const {
    for (int pg = kMemberPages - 1; pg >= 0; --pg) {
        const MemberPage* p = page(pg);
        if (!p) continue;
        for (int slot = kMemberSlots - 1; slot >= 0; --slot)
            if (p->slots[static_cast<std::size_t>(slot)]) return pg * kMemberSlots + slot + 1;
    }
    return 0;
}

} // namespace stonewise
