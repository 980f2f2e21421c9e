// constructionList.dat: any bytes read without harm; what is read writes and reads back the same.
#include <cstdint>
#include <span>

#include "../store/FuzzCheck.h"
#include "search/PatternComposition.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto entries = decodeComposition(std::span(data, size));
    if (!entries) return 0;
    const auto back = decodeComposition(encodeComposition(*entries));
    FUZZ_CHECK(back && (*back == *entries || entries->size() > 0xFFFF));
    return 0;
}
