// GameResultGroup.dat: any bytes read without harm; what reads writes, and reads back to the same bytes.
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "store/GameResultFile.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ResultGroupRead read = decodeResultGroups(std::span(data, size));
    FUZZ_CHECK(read.slots >= 0 && read.slots <= kResultGroupSlots);
    for (const auto& g : read.groups)
        if (g) FUZZ_CHECK(g->name.size() < kGroupNameBuffer);
    const auto bytes = encodeResultGroups(read.groups, read.slots);
    const ResultGroupRead back = decodeResultGroups(bytes);
    FUZZ_CHECK(back.status == StoreReadStatus::Ok && back.slots == read.slots && back.groups == read.groups);
    return 0;
}
