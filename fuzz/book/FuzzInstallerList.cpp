// installerList.dat: any bytes read without harm; a list that reads writes and reads back the same.
#include <cstdint>
#include <span>

#include "../store/FuzzCheck.h"
#include "book/InstallerList.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const InstallerList list = InstallerList::decode(std::span(data, size));
    FUZZ_CHECK(InstallerList::decode(list.encode()) == list);
    return 0;
}
