// SearchKeyList.dat: any bytes read without harm; the keys read write and read back the same.
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "store/SearchKeyList.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const SearchKeysRead read = decodeSearchKeys(std::span(data, size));
    for (const auto& key : read.keys) FUZZ_CHECK(key.size() < 256);
    const SearchKeysRead back = decodeSearchKeys(encodeSearchKeys(read.keys));
    FUZZ_CHECK(back.status == StoreReadStatus::Ok && back.keys == read.keys);
    return 0;
}
