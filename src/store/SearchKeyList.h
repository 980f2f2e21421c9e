#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "store/TaggedRecordFile.h"

namespace stonewise {

// What reading "SearchKeyList.dat" gave; on damage the texts read up to that point are kept.
struct SearchKeysRead {
    StoreReadStatus status = StoreReadStatus::Missing;
    std::vector<std::u16string> keys;
};

// Reads the bytes of "SearchKeyList.dat": one element per text whose count is the text's length
// with its terminator, followed directly by the text. Texts are cut to 255 characters.
SearchKeysRead decodeSearchKeys(std::span<const std::uint8_t> bytes);

// The bytes of "SearchKeyList.dat" for `keys` (each cut to 255 characters).
std::vector<std::uint8_t> encodeSearchKeys(const std::vector<std::u16string>& keys);

inline constexpr const char* kSearchKeysFileName = "SearchKeyList.dat";

} // namespace stonewise
