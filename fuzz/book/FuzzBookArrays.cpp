// One array of a book, read by each array reader: any bytes without harm; what reads writes and
// reads back the same. The first byte picks the reader.
#include <cstdint>
#include <span>

#include "../store/FuzzCheck.h"
#include "book/BookArrays.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    switch (data[0] % 5) {
    case 0: {
        const auto t = readIndexArray(bytes);
        FUZZ_CHECK(readIndexArray(writeIndexArray(t)) == t);
        break;
    }
    case 1: {
        const auto t = readDescArray(bytes);
        FUZZ_CHECK(readDescArray(writeDescArray(t)) == t);
        break;
    }
    case 2: {
        const auto t = readPieceArray(bytes);
        FUZZ_CHECK(readPieceArray(writePieceArray(t)) == t);
        break;
    }
    case 3: {
        const auto t = readKifuArray(bytes);
        FUZZ_CHECK(readKifuArray(writeKifuArray(t)) == t);
        break;
    }
    default: {
        const auto t = readAppendixArray(bytes);
        FUZZ_CHECK(static_cast<int>(t.size()) == countArrayElements(bytes));
        break;
    }
    }
    return 0;
}
