#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "search/PatternAnalyzer.h"
#include "search/PatternPacking.h"

namespace stonewise {

// Which game (and line of it) a pattern file is made from.
struct PatternGameId {
    std::uint8_t recordType = kRecordGeneral;
    std::uint16_t group = 0;          // the store's group, or 1000 + the book's number
    std::uint16_t game = 0;           // the game's number in its group, or the book entry's record
    std::uint16_t variation = 0;      // 0 for the main line
    std::uint16_t nodes = 0;          // the line's last move number + 1
    std::uint16_t bookEntry = 0xFFFF; // the Go book entry, 0xFFFF for a game of the store
    std::uint8_t moves = 0;           // the game's moves, low 8 bits
};

// The record type a record's type flags give: reference, joseki, fuseki in rising order, the
// later winning; general without any.
std::uint8_t recordTypeOf(std::uint8_t typeFlags);

// "PAT_%05d%05d%03d.dat": the group XOR 0x3573, the game XOR 0x1357 and the variation.
std::string patternFileName(int group, int game, int variation);

// The bytes of the pattern file of the last analysis of `analyzer`: header, game record, name
// (cut to 126 characters), the opening records, the snapshots and the end mark. `out` is
// overwritten and keeps its capacity; `replays` is working space, one board per collector.
using PatternReplays = std::array<PatternReplay, 5>;
void encodePatternFile(const PatternAnalyzer& analyzer, const PatternGameId& id, std::u16string_view name,
                       std::vector<std::uint8_t>& out, PatternReplays& replays);

// The parts of a pattern file, as views into its bytes.
struct PatternFileView {
    std::span<const std::uint8_t> record;    // the 28-byte game record
    std::span<const std::uint8_t> name;      // UTF-16LE with its terminating zero (may be empty)
    std::span<const std::uint8_t> opening;   // the 24-byte whole-board opening record, or empty
    std::span<const std::uint8_t> corners;   // the 21-byte corner records, one after another
    std::span<const std::uint8_t> snapshots; // sections C and D with their heads, as stored
    int cornerCount = 0;
};

// Reads a pattern file, checking every size and head against the layout; nothing when anything
// disagrees.
std::optional<PatternFileView> readPatternFile(std::span<const std::uint8_t> bytes);

// Checks the snapshot sections of one game (as searchData.dat holds them): `sizeC` bytes of
// whole-board snapshots then `sizeD` bytes of corner snapshots of `corners` corners each.
bool snapshotsWellFormed(std::span<const std::uint8_t> bytes, int sizeC, int sizeD, int corners);

// Little-endian reads used by the readers of the pattern files.
inline std::uint16_t readU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void writeU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void writeU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace stonewise
