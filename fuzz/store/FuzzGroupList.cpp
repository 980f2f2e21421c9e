// GroupIdList.dat: any bytes read without harm; a list that reads writes and reads back the same.
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "store/GroupList.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const GroupListRead read = decodeGroupList(std::span(data, size));
    if (read.status != StoreReadStatus::Ok) {
        FUZZ_CHECK(read.slots == 0);
        return 0;
    }
    FUZZ_CHECK(read.slots >= 0 && read.slots <= kGroupSlots);
    for (int n = 0; n < kGroupSlots; ++n)
        if (const auto& g = read.groups[static_cast<std::size_t>(n)]) {
            FUZZ_CHECK(g->number == n);
            FUZZ_CHECK(g->name.size() < kGroupNameBuffer);
        }
    const auto bytes = encodeGroupList(read.groups, read.slots);
    const GroupListRead back = decodeGroupList(bytes);
    FUZZ_CHECK(back.status == StoreReadStatus::Ok && back.slots == read.slots && back.groups == read.groups);
    return 0;
}
