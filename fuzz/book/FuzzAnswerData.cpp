// answerData.dat: any bytes read without harm; what reads writes the same bytes after one round.
#include <cstdint>
#include <span>

#include "../store/FuzzCheck.h"
#include "book/AnswerData.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const AnswerTable t = AnswerTable::decode(std::span(data, size));
    FUZZ_CHECK(t.size() <= 0xFFFF);
    const std::vector<std::uint8_t> once = t.encode();
    const AnswerTable back = AnswerTable::decode(once);
    FUZZ_CHECK(back.size() == t.size());
    FUZZ_CHECK(back.encode() == once);
    return 0;
}
