// Member pages: any bytes read without harm; the members read write and read back the same.
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "store/MemberList.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int page = data[0] % kMemberPages;
    const MemberPageRead read = decodeMemberPage(std::span(data + 1, size - 1), page);
    for (int slot = 0; slot < kMemberSlots; ++slot)
        if (const auto& m = read.page.slots[static_cast<std::size_t>(slot)]) {
            FUZZ_CHECK(m->number == page * kMemberSlots + slot);
            FUZZ_CHECK(m->name.size() < 256 && m->address.size() < 256);
        }
    const auto bytes = encodeMemberPage(read.page, page);
    const MemberPageRead back = decodeMemberPage(bytes, page);
    FUZZ_CHECK(back.status == StoreReadStatus::Ok && !back.dropped);
    for (int slot = 0; slot < kMemberSlots; ++slot)
        FUZZ_CHECK(back.page.slots[static_cast<std::size_t>(slot)] == read.page.slots[static_cast<std::size_t>(slot)]);
    return 0;
}
