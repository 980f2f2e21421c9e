#pragma once

// The pieces of deciding a game-record file's charset from its bytes: where CA stands, whether the
// bytes are UTF-16 without a mark, and which legacy charset fits them best.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stonewise {

// The value of CA in the root node as the file writes it (blanks trimmed); nothing when the root
// has no CA. The root's properties are walked value by value, so "CA[" inside a comment or a ";"
// inside a value do not count. Whether a "]" right after a byte of 0x81..0xFE closes a value
// depends on the charset, so the root is walked both ways (single bytes, and pairs of a lead byte
// and any trail byte); when the two walks disagree, the one whose reading fits the charset it
// finds wins.
std::optional<std::string> findDeclaredCharset(std::string_view bytes);

// UTF-16 without a byte-order mark, recognised by NUL bytes in every other position (the ASCII
// syntax of SGF): "UTF-16LE" or "UTF-16BE", or nothing.
std::optional<std::string> utf16ByteOrder(std::string_view bytes);

// Whether a charset (an iconv name) has trail bytes that can be ASCII, so that a "]" or "\\" may be
// the second half of a character: CP932, GB18030, Big5.
bool hasAsciiTrailBytes(std::string_view charset);

// How well the bytes read in one legacy charset.
struct CharsetFit {
    std::string charset;        // iconv name
    std::size_t characters = 0; // non-ASCII characters read
    std::size_t invalid = 0;    // bytes that are not valid there (or map to private use)
    double plausibility = 0.0;  // 0..1: the share of the characters that are common in its script
    bool valid() const { return invalid * 200 <= characters; }
    bool fits() const { return valid() && plausibility >= 0.5; }
};

// How well the bytes read in one of the candidates ("CP932", "GB18030", "CP950", "CP949",
// "WINDOWS-1252"), judged on the first 256 KB.
CharsetFit judgeCharset(std::string_view bytes, std::string_view charset);

// The likeliest legacy charset of bytes that are neither ASCII nor UTF-8: the preferred charset
// ("CP932" or "WINDOWS-1252", the system code page) when it fits; else the candidate that fits
// best (ties in the order CP932, GB18030, Big5, EUC-KR, Windows-1252, except that text whose
// double-byte characters all lie in the hangul rows is Korean); else the valid one that fits best
// if it fits at least half as well; else Windows-1252.
std::string detectLegacyCharset(std::string_view bytes, std::string_view preferred);

// The plausibility of decoded text (0..1): the share of its non-ASCII characters that are letters
// of a script (kana of either width, CJK ideographs, hangul, Latin, Greek, Cyrillic) rather than U+FFFD, control
// or private-use characters. Used to weigh UTF-8 against a declared charset.
double textPlausibility(std::u16string_view text);

} // namespace stonewise
