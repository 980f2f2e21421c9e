#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stonewise {

// One input composed into a pattern database: a game of the store's group, or (group 1000 and
// above) a Go book, with the name the composition dialog shows.
struct CompositionEntry {
    std::uint16_t group = 0;
    std::uint16_t game = 0;
    std::u16string name;

    bool isBook() const { return group >= 1000; }
    bool operator==(const CompositionEntry&) const = default;
};

// The bytes of "constructionList.dat": a tagged record file (magic 0x20130214, version 1, third
// word 1, record size 28), one element per entry with the u16 group and game (field 1) and the
// name (field 2).
std::vector<std::uint8_t> encodeComposition(const std::vector<CompositionEntry>& entries);
// Reads those bytes; nothing when they are damaged or of another kind.
std::optional<std::vector<CompositionEntry>> decodeComposition(std::span<const std::uint8_t> bytes);

// Reads the composition file at `path`: an empty list when there is none, nothing (with
// `damaged` set) when it cannot be read.
std::optional<std::vector<CompositionEntry>> readComposition(const std::string& path, bool& damaged);
// Writes it atomically; false when it could not be written.
bool writeComposition(const std::string& path, const std::vector<CompositionEntry>& entries);

} // namespace stonewise
