#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stonewise {

// The legacy code page a machine uses for text files without a byte-order mark: Shift_JIS in the
// Windows flavour (iconv's "CP932") when the interface is Japanese, Windows-1252 otherwise.
enum class CodePage : std::uint8_t { Cp932, Windows1252 };

// The system code page for an interface language.
constexpr CodePage systemCodePage(bool japaneseInterface) {
    return japaneseInterface ? CodePage::Cp932 : CodePage::Windows1252;
}

// The iconv name of a code page ("CP932", "WINDOWS-1252").
const char* iconvName(CodePage page);

// How the bytes of a game-record file were turned into text.
enum class TextSource : std::uint8_t {
    Utf16LittleEndian,  // byte-order mark FF FE
    Utf16BigEndian,     // byte-order mark FE FF
    Utf8WithMark,       // EF BB BF
    Utf8Declared,       // CA[UTF-8] in the root node
    Utf8Detected,       // no mark, no CA, bytes valid UTF-8 with some non-ASCII text
    CodePage,           // the system code page (also for pure ASCII)
};

// A short English name of a text source, for diagnostics ("UTF-16LE", "CP932", ...).
std::string_view textSourceName(TextSource source, CodePage page);

// --- conversions -------------------------------------------------------------------------------

// UTF-8 bytes to UTF-16; malformed sequences become U+FFFD. Appends to `out`.
void appendUtf8AsUtf16(std::string_view bytes, std::u16string& out);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD. Appends to `out`.
void appendUtf16AsUtf8(std::u16string_view text, std::string& out);
// UTF-16 bytes (without mark) to text; a trailing odd byte is dropped. Appends to `out`.
void appendUtf16BytesAsText(std::string_view bytes, bool bigEndian, std::u16string& out);
// Text to UTF-16 little-endian bytes. Appends to `out`.
void appendTextAsUtf16Le(std::u16string_view text, std::string& out);

// Bytes of a code page to text through iconv; bytes that are not valid in the code page become
// U+FFFD, one per byte. Pure ASCII takes a fast path. Appends to `out`; false only when iconv
// cannot open the conversion at all.
bool appendCodePageAsUtf16(std::string_view bytes, CodePage page, std::u16string& out);

// Text in a code page; nothing when some character cannot be represented there exactly (the
// conversion is checked by converting back, so "¥", which CP932 folds into a backslash, counts as
// not representable).
std::optional<std::string> encodeCodePage(std::u16string_view text, CodePage page);

// Whether every character of the text survives a round trip through the code page.
bool representableIn(std::u16string_view text, CodePage page);

// Whether all bytes are below 0x80.
bool isAscii(std::string_view bytes);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool isWellFormedUtf8(std::string_view bytes);

// --- game-record files --------------------------------------------------------------------------

// Decoded text of a game-record file and how it was decoded.
struct DecodedText {
    std::u16string text;
    TextSource source = TextSource::CodePage;
};

// Decodes the bytes of an SGF or UGF file: a UTF-16 mark (either byte order) or the UTF-8 mark
// decides first; then CA[UTF-8] in the root node (the search for "CA[" gives up at the second
// ";"); a file with neither mark nor CA whose bytes are valid UTF-8 with some non-ASCII text is
// UTF-8; everything else is read in the system code page. The mark itself is not part of the text.
DecodedText decodeGameRecordBytes(std::string_view bytes, CodePage systemPage);

} // namespace stonewise
