#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/StoreMessage.h"

namespace stonewise {

// One topic of the help text. Levels: 0 a chapter, 1-6 a section of the last chapter, 7-9 a
// subsection of the last section.
struct HelpIndexEntry {
    std::uint16_t number = 0; // the entry's place in the index
    std::uint8_t level = 0;
    std::int32_t topic = 0;    // the topic number of its topic line
    std::uint32_t heading = 0; // position in the heading table; 0 when it has none
    std::uint32_t body = 0;    // position of the body in the help text
    std::uint32_t bodyLength = 0;

    bool operator==(const HelpIndexEntry&) const = default;
};

// The topics of the help text that count for this program (edition letters "C" and "A"), in the
// order of the text, with their headings. Cached in "HelpIndex.dat" as a 20-byte header, 24-byte
// entries and the heading table.
class HelpIndex {
public:
    static constexpr std::size_t kMaxEntries = 2000;
    static constexpr std::size_t kHeadingCapacity = 128000;
    static constexpr std::uint16_t kFileMark = 0x1023;

    HelpIndex() : m_headings(1, u'\0') {}

    // The index of a help text (the whole file's text, byte-order mark at 0). A malformed topic line
    // leaves a message and is skipped; a full table or heading table leaves its message and ends the
    // building.
    static HelpIndex build(std::u16string_view text, StoreMessages& messages);
    // The index kept in "HelpIndex.dat" for the help text of `release` and `fileTime` that is
    // `textLength` units long; nothing when the file is for another text or damaged.
    static std::optional<HelpIndex> read(std::span<const std::uint8_t> bytes, int release, std::uint64_t fileTime,
                                         std::size_t textLength);
    // The bytes of "HelpIndex.dat" for this index.
    std::vector<std::uint8_t> write(int release, std::uint64_t fileTime) const;

    const std::vector<HelpIndexEntry>& entries() const { return m_entries; }
    std::u16string_view heading(const HelpIndexEntry& entry) const;

    // The topic shown for (topic, sub-topic, sub-sub-topic): the chapter numbered `topic` when `sub`
    // is negative, else its section numbered `sub` (any section when `topic` is negative), else that
    // section's subsection numbered `subSub`. A chapter number that no chapter has finds the first
    // topic of that number at any level. Nothing when none matches.
    std::optional<std::size_t> find(int topic, int sub = -1, int subSub = -1) const;
    // The first topic numbered `topic`, at any level.
    std::optional<std::size_t> findNumber(int topic) const;
    // The first topic whose heading is `heading`.
    std::optional<std::size_t> findHeading(std::u16string_view heading) const;

private:
    std::vector<HelpIndexEntry> m_entries;
    std::u16string m_headings; // headings ended by U+0000, back to back from position 1
};

} // namespace stonewise
