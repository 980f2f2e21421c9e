#include "store/GameListPage.h"

#include <algorithm>
#include <cstdio>

#include "store/GameListEntry.h"

namespace stonewise {

namespace {
constexpr std::uint32_t kGameListThirdWord = 0x000C0003;
constexpr std::uint16_t kGameListRecordSize = 84;
} // namespace

std::string gameListPageFileName(int page) {
    char name[40];
    std::snprintf(name, sizeof name, "GameIdList%05d.dat", page);
    return name;
}

GameListPageRead decodeGameListPage(std::span<const std::uint8_t> bytes, int page) {
    GameListPageRead out;
    TaggedRecordReader r(bytes);
    TaggedHeader header;
    out.status = r.readCheckedHeader(header);
    if (out.status == StoreReadStatus::Damaged) out.damagedSlot = 0;
    if (out.status != StoreReadStatus::Ok) return out;
    const int count = std::min<int>(header.count, kGamesPerPage);
    for (int slot = 0; slot < count; ++slot) {
        TaggedHead head;
        if (!r.readHead(head)) {
            out.status = StoreReadStatus::Damaged;
            out.damagedSlot = slot;
            break;
        }
        if (head.mark() == kMarkEnd) break;
        if (head.mark() != kMarkElement || head.count() < 0) {
            out.status = StoreReadStatus::Damaged;
            out.damagedSlot = slot;
            break;
        }
        if (head.count() == 0) continue;
        GameInfo info;
        if (!readGameListEntry(r, head.count(), info)) {
            out.status = StoreReadStatus::Damaged;
            out.damagedSlot = slot;
            break;
        }
        info.number = page * kGamesPerPage + slot;
        out.entries[static_cast<std::size_t>(slot)] = std::move(info);
        out.used = slot + 1;
    }
    return out;
}

std::vector<std::uint8_t> encodeGameListPage(const GameListSlots& entries) {
    TaggedRecordWriter w;
    w.header(kGameListThirdWord, kGameListRecordSize, kGamesPerPage);
    for (int slot = 0; slot < kGamesPerPage; ++slot) {
        const auto& e = entries[static_cast<std::size_t>(slot)];
        if (e) writeGameListEntry(w, *e, static_cast<std::uint8_t>(slot), false);
        else w.element(kMarkElement, static_cast<std::uint8_t>(slot), 0);
    }
    w.end();
    return w.take();
}

} // namespace stonewise
