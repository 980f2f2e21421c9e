#include "store/LanguageList.h"

#include <array>
#include <string_view>

#include "record/Text.h"

namespace stonewise {

namespace {

constexpr std::size_t kMaxLibraryName = 128;

// Windows-1252 characters 0x80..0x9F (0 where the code page has none).
constexpr std::array<char16_t, 32> kCp1252High{0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::u16string decodeText(std::span<const std::uint8_t> bytes) {
    std::u16string out;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            out.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
        return out;
    }
    std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (raw.starts_with("\xEF\xBB\xBF")) raw.remove_prefix(3);
    if (isValidUtf8(raw)) return fromUtf8(raw);
    for (unsigned char c : raw) {
        const char16_t high = c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : 0;
        out.push_back(high ? high : static_cast<char16_t>(c));
    }
    return out;
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

void skipBlanks(std::u16string_view line, std::size_t& i) {
    while (i < line.size() && isBlank(line[i])) ++i;
}

// A decimal number, or hexadecimal after "0x" / "0X"; nothing when no digit follows.
std::optional<long> readNumber(std::u16string_view line, std::size_t& i) {
    int base = 10;
    if (i + 1 < line.size() && line[i] == u'0' && (line[i + 1] == u'x' || line[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    long value = 0;
    std::size_t digits = 0;
    for (; i < line.size(); ++i, ++digits) {
        const char16_t c = line[i];
        int d;
        if (c >= u'0' && c <= u'9') d = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f') d = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F') d = c - u'A' + 10;
        else break;
        if (value < (1L << 40)) value = value * base + d;
    }
    if (digits == 0) return std::nullopt;
    return value;
}

std::optional<LanguageListEntry> parseLine(std::u16string_view line) {
    std::size_t i = 0;
    skipBlanks(line, i);
    if (i >= line.size() || line[i] == u';') return std::nullopt;
    LanguageListEntry entry;
    const std::size_t nameStart = i;
    while (i < line.size() && line[i] != u':' && !isBlank(line[i])) ++i;
    entry.library = std::u16string(line.substr(nameStart, std::min(i - nameStart, kMaxLibraryName)));
    if (entry.library.empty()) return std::nullopt;
    skipBlanks(line, i);
    if (i >= line.size() || line[i] != u':') return std::nullopt;
    ++i;
    for (;;) {
        while (i < line.size() && (isBlank(line[i]) || line[i] == u',')) ++i;
        if (i >= line.size() || line[i] == u';') break;
        const std::optional<long> n = readNumber(line, i);
        if (!n) break;
        entry.numbers.push_back(*n);
    }
    return entry;
}

} // namespace

std::vector<LanguageListEntry> parseLanguageList(std::span<const std::uint8_t> bytes) {
    const std::u16string text = decodeText(bytes);
    std::vector<LanguageListEntry> entries;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        std::u16string_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        if (auto entry = parseLine(line)) entries.push_back(std::move(*entry));
        start = end + 1;
    }
    return entries;
}

std::optional<std::u16string> chooseLanguageLibrary(const std::vector<LanguageListEntry>& entries,
                                                    long languageNumber) {
    const long language = languageNumber & 0xFF;
    for (const LanguageListEntry& e : entries)
        for (long n : e.numbers)
            if (n == language || n == 0) return e.library;
    return std::nullopt;
}

} // namespace stonewise
