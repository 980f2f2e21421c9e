#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "record/GameInfo.h"
#include "store/TaggedRecordFile.h"

namespace stonewise {

// Kinds of member.
enum MemberKind : std::uint16_t { kMemberGeneral = 0, kMemberSelf = 1, kMemberOpponent = 2 };

constexpr int kMemberPages = 128;
constexpr int kMemberSlots = 256; // per page; member number = page × 256 + slot
constexpr int kMaxMembers = kMemberPages * kMemberSlots;

// A player known to the library.
struct MemberRecord {
    std::uint16_t number = 0;
    std::uint16_t kind = kMemberGeneral; // MemberKind
    std::u16string name;
    std::u16string address;   // mail address, or the name of the member it is an alias of
    GameDate registered;      // year, month, day
    GameDate secondDate;      // zero when unset
    std::uint16_t value1 = 0; // kept with the member
    std::uint16_t value2 = 0;

    bool operator==(const MemberRecord& other) const;
};

// One page of 256 member slots.
struct MemberPage {
    std::array<std::optional<MemberRecord>, kMemberSlots> slots{};
    bool changed = false; // changed since the last save
};

// What reading one member page gave.
struct MemberPageRead {
    StoreReadStatus status = StoreReadStatus::Missing;
    MemberPage page;
    int elements = 0;     // member elements read
    bool dropped = false; // a member whose number did not match its slot was dropped
};

// Reads the bytes of member page `page`. On damage the members read up to that point are kept.
MemberPageRead decodeMemberPage(std::span<const std::uint8_t> bytes, int page);

// The bytes of member page `page` (count = highest used slot + 1, at least 1).
std::vector<std::uint8_t> encodeMemberPage(const MemberPage& members, int page);

// The file name of a member page: "MemberIdList.dat" for page 0, else "MemberIdList%03d.dat".
std::string memberPageFileName(int page);

// Every member, in pages of 256 that exist from the first member stored in them.
class MemberList {
public:
    // The member of a number, or null.
    const MemberRecord* find(int number) const;
    // The number of the first member named `name`, or -1.
    int findByName(std::u16string_view name) const;
    // Adds a member in the first free slot (of an existing page, else a new page) and marks its
    // page changed; the member's number is set. -1 when all 32,768 numbers are taken.
    int add(MemberRecord member);
    // Puts a member under its own number (a page is created when needed) and marks the page changed.
    // False for a number outside 0..32767.
    bool put(const MemberRecord& member);
    // Removes a member; false when there is none.
    bool remove(int number);

    MemberPage* page(int index);
    const MemberPage* page(int index) const;
    // Creates page `index` when missing, and every missing page before it.
    MemberPage& ensurePage(int index);
    // Takes a page read from a file (not marked changed).
    void setPage(int index, MemberPage page);
    // Members in every page.
    int size() const;
    bool empty() const { return size() == 0; }
    // The highest member number + 1 (0 with no members).
    int nextNumber() const;

private:
    std::array<std::unique_ptr<MemberPage>, kMemberPages> m_pages;
};

} // namespace stonewise
