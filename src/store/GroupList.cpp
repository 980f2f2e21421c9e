#include "store/GroupList.h"

#include <algorithm>

namespace stonewise {

namespace {
constexpr std::uint32_t kGroupListThirdWord = 1;
constexpr std::uint16_t kGroupRecordSize = 28;
constexpr std::int16_t kGroupFieldCount = 8;
} // namespace

GroupListRead decodeGroupList(std::span<const std::uint8_t> bytes) {
    GroupListRead out;
    TaggedRecordReader r(bytes);
    TaggedHeader header;
    auto damaged = [&out] {
        out = GroupListRead{};
        out.status = StoreReadStatus::Damaged;
        return out;
    };
    switch (r.readCheckedHeader(header)) {
    case StoreReadStatus::Damaged: return damaged();
    case StoreReadStatus::BadVersion: out.status = StoreReadStatus::BadVersion; return out;
    default: break;
    }
    const int count = std::min<int>(header.count, kGroupSlots);
    for (int slot = 0; slot < count; ++slot) {
        TaggedHead head;
        if (!r.readHead(head)) return damaged();
        if (head.mark() == kMarkEnd) break;
        if (head.mark() != kMarkElement || head.count() < 0) return damaged();
        out.slots = slot + 1;
        if (head.count() == 0) continue;
        GroupRecord g;
        for (int i = 0; i < head.count(); ++i) {
            TaggedField f;
            if (!r.readField(f)) return damaged();
            switch (f.id()) {
            case 1: break; // the number is the slot
            case 2: break; // the name's length follows from the name
            case 3: g.name = f.text(kGroupNameBuffer).value_or(std::u16string()); break;
            case 4: g.valueA = f.u32(); break;
            case 5: g.valueB = f.u32(); break;
            case 6: g.type = f.u32(); break;
            case 7: g.gameCount = f.i32(); break;
            case 8: g.externalFolder = f.text(kGroupNameBuffer); break;
            default: break;
            }
        }
        g.number = static_cast<std::uint16_t>(slot);
        out.groups[static_cast<std::size_t>(slot)] = std::move(g);
    }
    out.status = StoreReadStatus::Ok;
    return out;
}

std::vector<std::uint8_t> encodeGroupList(const GroupTable& groups, int slotCount) {
    slotCount = std::clamp(slotCount, 0, kGroupSlots);
    TaggedRecordWriter w;
    w.header(kGroupListThirdWord, kGroupRecordSize, static_cast<std::uint16_t>(slotCount));
    writeSlots(w, groups, slotCount, kGroupFieldCount, [&w](int slot, const GroupRecord& g) {
        const std::u16string_view name = storedText(g.name, kGroupNameBuffer);
        w.fieldU16(1, {static_cast<std::uint16_t>(slot)});
        w.fieldU16(2, {static_cast<std::uint16_t>(name.size())});
        w.fieldText(3, name.empty() ? std::nullopt : std::optional<std::u16string_view>(name), kGroupNameBuffer);
        w.fieldU32(4, {g.valueA});
        w.fieldU32(5, {g.valueB});
        w.fieldU32(6, {g.type});
        w.fieldU32(7, {static_cast<std::uint32_t>(g.gameCount)});
        if (g.externalFolder) w.fieldText(8, std::u16string_view(*g.externalFolder), kGroupNameBuffer);
        else w.fieldText(8, std::nullopt);
    });
    w.end();
    return w.take();
}

int usedGroupSlots(const GroupTable& groups) { return usedSlots(groups); }

} // namespace stonewise
