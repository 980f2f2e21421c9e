#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stonewise {

// One entry of "LanguageList.txt": a language library and the language numbers it serves.
struct LanguageListEntry {
    std::u16string library;    // at most 128 characters
    std::vector<long> numbers; // 0 serves every language

    bool operator==(const LanguageListEntry&) const = default;
};

// The entries of "LanguageList.txt". The text is UTF-16LE when it begins with the byte-order mark,
// else UTF-8 when it is valid UTF-8, else Windows-1252. Each line is blank, a comment (first
// non-blank ";") or an entry: a library name ended by ":" or a blank, blanks, ":", then numbers
// (decimal, or hexadecimal after "0x") separated by "," or blanks, ended by ";" or the line's end.
// A line that is none of these is skipped.
std::vector<LanguageListEntry> parseLanguageList(std::span<const std::uint8_t> bytes);

// The library of the first entry that lists the low 8 bits of `languageNumber`, or 0; nothing
// when no entry does.
std::optional<std::u16string> chooseLanguageLibrary(const std::vector<LanguageListEntry>& entries, long languageNumber);

inline constexpr const char* kLanguageListFileName = "LanguageList.txt";

} // namespace stonewise
