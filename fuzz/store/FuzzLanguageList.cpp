// LanguageList.txt: any bytes read without harm; every entry names a library of at most 128
// characters.
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "store/LanguageList.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto entries = parseLanguageList(std::span(data, size));
    for (const auto& e : entries) FUZZ_CHECK(!e.library.empty() && e.library.size() <= 128);
    for (long language : {0x0409L, 0x0411L, 0x0407L}) {
        const auto library = chooseLanguageLibrary(entries, language);
        FUZZ_CHECK(!library || !library->empty());
    }
    return 0;
}
