#include "book/BookHeader.h"

#include "book/ByteOrder.h"

namespace stonewise {

namespace {

constexpr std::size_t directoryOffset(BookArray a) {
    return a == BookArray::Appendix ? kHeaderAppendix : kHeaderDirectory + 8 * static_cast<std::size_t>(a);
}

} // namespace

bool isBookMagic(std::uint32_t magic) { return magic == kBookMagicRecords || magic == kBookMagicCounts; }

std::optional<BookHeader> decodeBookHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kBookHeaderSize) return std::nullopt;
    BookHeader h;
    h.magic = getU32(bytes, 0);
    if (!isBookMagic(h.magic)) return std::nullopt;
    for (std::size_t i = 0; i < kBookTitleChars; ++i) {
        const char16_t c = static_cast<char16_t>(getU16(bytes, kHeaderTitle + 2 * i));
        if (c == 0) break;
        h.title.push_back(c);
    }
    for (int a = 0; a < kBookArrayCount; ++a) {
        const std::size_t at = directoryOffset(static_cast<BookArray>(a));
        h.arrays[static_cast<std::size_t>(a)] = {getU32(bytes, at), getU32(bytes, at + 4)};
    }
    h.valueA = getU32(bytes, kHeaderValueA);
    h.valueB = getU32(bytes, kHeaderValueB);
    h.valueC = getU32(bytes, kHeaderValueC);
    h.speed = getU16(bytes, kHeaderSpeed);
    h.enciphered = bytes[kHeaderEnciphered];
    h.flags = bytes[kHeaderFlags];
    h.dataBase = getU32(bytes, kHeaderDataBase);
    h.check = getU32(bytes, kHeaderCheck);
    return h;
}

std::vector<std::uint8_t> encodeBookHeader(const BookHeader& h) {
    std::vector<std::uint8_t> out(kBookHeaderSize, 0);
    putU32(out, 0, h.magic);
    for (std::size_t i = 0; i < h.title.size() && i < kBookTitleChars; ++i)
        putU16(out, kHeaderTitle + 2 * i, h.title[i]);
    for (int a = 0; a < kBookArrayCount; ++a) {
        const std::size_t at = directoryOffset(static_cast<BookArray>(a));
        putU32(out, at, h.arrays[static_cast<std::size_t>(a)].offset);
        putU32(out, at + 4, h.arrays[static_cast<std::size_t>(a)].count);
    }
    putU32(out, kHeaderValueA, h.valueA);
    putU32(out, kHeaderValueB, h.valueB);
    putU32(out, kHeaderValueC, h.valueC);
    putU16(out, kHeaderSpeed, h.speed);
    out[kHeaderEnciphered] = h.enciphered;
    out[kHeaderFlags] = h.flags;
    putU32(out, kHeaderDataBase, h.dataBase);
    putU32(out, kHeaderCheck, h.check);
    return out;
}

} // namespace stonewise
