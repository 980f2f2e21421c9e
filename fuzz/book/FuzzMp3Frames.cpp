// The audio file's pieces: the MP3 frame walk that times a page reads any bytes without harm.
#include <cstdint>
#include <vector>

#include "../store/FuzzCheck.h"
#include "book/BookWriter.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    // The shortest frame is 24 bytes of at most 1152 samples at 8 kHz: 0.144 s each.
    FUZZ_CHECK(mp3DurationTicks(bytes) <= size / 24 * 2 + 2);
    return 0;
}
