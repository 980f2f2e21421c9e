#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "store/StoreMessage.h"

namespace stonewise {

inline constexpr const char* kHelpTextFileName = "HelpContents.txt";
inline constexpr const char* kHelpImagesFileName = "HelpImages.dat";
inline constexpr const char* kHelpIndexFileName = "HelpIndex.dat";

// The help text "HelpContents.txt": UTF-16LE beginning with U+FEFF, a first line "Stonewise Help",
// a line "Release N", then the topics. Positions into the text count UTF-16 units from the start of
// the file, the byte-order mark being unit 0.
struct HelpTextFile {
    std::u16string text; // the whole file, byte-order mark included
    int release = 0;
    std::uint64_t fileTime = 0; // the file's modification time in 100 ns units since 1601
};

// The largest help text read (in bytes); a larger file is refused as not being a help text.
inline constexpr std::size_t kMaxHelpTextSize = 16u << 20;

// Reads the help text at `path`. A missing file, a file without the byte-order mark, or one whose
// first lines are not those of a help text leaves its message (captioned "ヘルプ") and gives nothing.
std::optional<HelpTextFile> readHelpText(const std::string& path, StoreMessages& messages);
// The same for the bytes of a help text (the file time is left 0).
std::optional<HelpTextFile> parseHelpText(std::span<const std::uint8_t> bytes, StoreMessages& messages);

} // namespace stonewise
