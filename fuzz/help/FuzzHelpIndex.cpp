// "HelpIndex.dat" and "HelpImages.dat": any bytes read without harm. An index that is accepted
// keeps every body inside the text and reads back the same from what it writes; a picture given is a BMP
// file no longer than the bytes it came from and its headers.
#include <cstdint>
#include <span>
#include <vector>

#include "../store/FuzzCheck.h"
#include "help/HelpImages.h"
#include "help/HelpIndex.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (size >= 4) {
        const int release = data[2] | (data[3] << 8);
        const std::uint64_t time =
            size >= 12
                ? (data[4] | (data[5] << 8) | (data[6] << 16) | (static_cast<std::uint64_t>(data[7]) << 24) |
                   (static_cast<std::uint64_t>(data[8] | (data[9] << 8) | (data[10] << 16) | (data[11] << 24)) << 32))
                : 0;
        if (const auto index = HelpIndex::read(bytes, release, time, 5000)) {
            for (const HelpIndexEntry& e : index->entries()) {
                FUZZ_CHECK(e.body + e.bodyLength <= 5000);
                (void)index->heading(e);
            }
            // The unused bytes of an entry are written as 0; what was read reads back the same.
            const auto again = HelpIndex::read(index->write(release, time), release, time, 5000);
            FUZZ_CHECK(again && again->entries() == index->entries());
        }
    }
    const HelpImages images = HelpImages::parse(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    for (int i = -1; i <= images.count(); ++i)
        if (const auto bmp = images.bitmapFile(i)) FUZZ_CHECK(bmp->size() <= size + 14);
    return 0;
}
