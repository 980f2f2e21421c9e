#include "help/HelpText.h"

#include <sys/stat.h>

#include "help/HelpStrings.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/FileIo.h"

namespace stonewise {

namespace {

constexpr std::u16string_view kFirstLine = u"Stonewise Help";
constexpr std::u16string_view kReleaseWord = u"Release";
// 100 ns units from 1601-01-01 to 1970-01-01.
constexpr std::uint64_t kEpochOffset = 116444736000000000ull;

void say(StoreMessages& messages, std::u16string text) {
    messages.push_back({std::move(text), std::u16string(uiText(kStrHelpTitle))});
}

bool isLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// The release number after the first line: line breaks, "Release", blanks, digits.
std::optional<int> releaseAfterFirstLine(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && !isLineBreak(text[i])) ++i;
    while (i < text.size() && isLineBreak(text[i])) ++i;
    if (text.substr(i, kReleaseWord.size()) != kReleaseWord) return std::nullopt;
    i += kReleaseWord.size();
    const std::size_t blanks = i;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    if (i == blanks || i >= text.size() || text[i] < u'0' || text[i] > u'9') return std::nullopt;
    long long release = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9' && release < 1000000; ++i)
        release = release * 10 + (text[i] - u'0');
    return static_cast<int>(release);
}

std::uint64_t modificationTime(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0;
    const std::uint64_t seconds = static_cast<std::uint64_t>(st.st_mtim.tv_sec);
    return kEpochOffset + seconds * 10000000ull + static_cast<std::uint64_t>(st.st_mtim.tv_nsec) / 100;
}

} // namespace

std::optional<HelpTextFile> parseHelpText(std::span<const std::uint8_t> bytes, StoreMessages& messages) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) {
        say(messages, std::u16string(uiText(kStrHelpNotUnicode)));
        return std::nullopt;
    }
    HelpTextFile file;
    file.text.resize(bytes.size() / 2);
    for (std::size_t i = 0; i < file.text.size(); ++i)
        file.text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    const std::u16string_view afterMark = std::u16string_view(file.text).substr(1);
    const std::optional<int> release =
        afterMark.starts_with(kFirstLine) ? releaseAfterFirstLine(afterMark) : std::optional<int>();
    if (!release) {
        say(messages, std::u16string(uiText(kStrHelpBadHeader)));
        return std::nullopt;
    }
    file.release = *release;
    return file;
}

std::optional<HelpTextFile> readHelpText(const std::string& path, StoreMessages& messages) {
    const auto bytes = readWholeFile(path, kMaxHelpTextSize);
    if (!bytes) {
        say(messages, formatText(uiText(kStrHelpFileMissing), {fromUtf8(path)}));
        return std::nullopt;
    }
    auto file = parseHelpText(*bytes, messages);
    if (file) file->fileTime = modificationTime(path);
    return file;
}

} // namespace stonewise
