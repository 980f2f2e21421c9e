// CloudTime%02d.dat: any bytes read without harm; a block that reads writes and reads back the same.
#include <cstdint>
#include <span>

#include "../store/FuzzCheck.h"
#include "mailgo/CloudRegistryFile.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CloudTimeRead read = decodeCloudTimeBlock(std::span(data, size));
    if (read.status != StoreReadStatus::Ok) {
        FUZZ_CHECK(read.records.empty() && read.count == 0);
        return 0;
    }
    FUZZ_CHECK(read.records.size() <= kCloudTimeBlock && read.count >= 0 && read.count <= kCloudTimeLimit);
    const auto bytes = encodeCloudTimeBlock(read.records, read.count);
    FUZZ_CHECK(bytes.size() == 16 + kCloudTimeBlock * 16 + 4);
    const CloudTimeRead back = decodeCloudTimeBlock(bytes);
    FUZZ_CHECK(back.status == StoreReadStatus::Ok && back.count == read.count &&
               back.records.size() == kCloudTimeBlock);
    for (std::size_t i = 0; i < back.records.size(); ++i)
        FUZZ_CHECK(back.records[i] == (i < read.records.size() ? read.records[i] : CloudTime{}));
    return 0;
}
