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

// Why the text of a game-record file was read in its charset.
enum class CharsetReason : std::uint8_t {
    Mark,           // a byte-order mark (UTF-8, UTF-16 in either byte order)
    Declared,       // CA in the root node
    Detected,       // chosen from the bytes: no mark and no CA, or a CA that does not fit the bytes
    Forced,         // the caller named the charset
    SystemCodePage, // plain ASCII without mark or CA: the system code page
};

// The charset a file was read in and why.
struct TextSource {
    std::string charset = "CP932"; // the iconv name used: "UTF-8", "UTF-16LE", "CP932", "GB18030", ...
    CharsetReason reason = CharsetReason::SystemCodePage;
    std::string declared;         // the value of CA as the file writes it; empty when it has none
    bool declaredIgnored = false; // CA names a charset that is unknown or does not fit the bytes
};

// A short English account of a text source for diagnostics: "GB18030 (CA[GB2312])",
// "CP932 (detected)", "UTF-8 (detected; CA[Shift_JIS] does not fit the bytes)".
std::string describeTextSource(const TextSource& source);

// The iconv name a charset is read in, from a name as files and users write it ("Shift_JIS",
// "SJIS", "x-sjis", "cp936", "UTF8", "ISO8859_1", "ks_c_5601-1987" ...): Shift_JIS in any spelling
// is CP932, GB2312 and GBK are read as their superset GB18030, EUC-KR as CP949, Big5 as CP950,
// ISO-8859-1 as Windows-1252, any other name that iconv opens as it stands. "UTF-16" (byte order
// decided from the bytes) and "ASCII" are kept as they are. Nothing when iconv knows no such charset.
std::optional<std::string> resolveCharsetName(std::string_view name);

// --- conversions -------------------------------------------------------------------------------

// UTF-8 bytes to UTF-16; malformed sequences become U+FFFD. Appends to `out`; returns the number of
// malformed sequences.
std::size_t appendUtf8AsUtf16(std::string_view bytes, std::u16string& out);
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

// Bytes in a charset (an iconv name, see resolveCharsetName) to text; bytes that are not valid in
// it become U+FFFD, one per byte. Pure ASCII takes a fast path where the charset allows it.
// Appends to `out`; returns the number of invalid bytes, or nothing when iconv cannot open the
// conversion at all.
std::optional<std::size_t> appendCharsetAsUtf16(std::string_view bytes, const std::string& charset,
                                                std::u16string& out);

// Text in a code page; nothing when some character cannot be represented there exactly (the
// conversion is checked by converting back, so "¥", which CP932 folds into a backslash, counts as
// not representable).
std::optional<std::string> encodeCodePage(std::u16string_view text, CodePage page);

// Text in any charset iconv knows (an iconv name), checked the same way.
std::optional<std::string> encodeCharset(std::u16string_view text, const std::string& charset);

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
    TextSource source;
};

// How to decode: the system code page, and a charset that overrides whatever the file says.
struct DecodeOptions {
    CodePage systemPage = CodePage::Cp932;
    std::string forcedCharset; // a name resolveCharsetName knows; empty: decide from the file
};

// Decodes the bytes of an SGF or UGF file, in this order:
// - a forced charset (a byte-order mark of the same family is skipped);
// - a byte-order mark: UTF-16 in either byte order, UTF-8 (whatever CA says);
// - UTF-16 without a mark, recognised by its pattern of NUL bytes;
// - CA in the root node, found by walking the root's properties so that a value cannot hide or
//   fake it; honoured when iconv knows the charset and the bytes fit it. Bytes that are valid
//   UTF-8 win over a CA they do not fit (text that was converted without updating CA);
// - otherwise plain ASCII is read in the system code page, valid UTF-8 is UTF-8, and anything else
//   is read in the likeliest of CP932, GB18030, Big5, EUC-KR and Windows-1252, judged from the
//   bytes: first whether they are valid in the charset, then how much of the text falls in the
//   common letters of its script (kana and level-1 kanji, level-1 hanzi, hangul, accented letters
//   inside words). CP932 (or Windows-1252 when that is the system code page) is taken first when
//   it fits. When no double-byte charset fits, Windows-1252 is taken, which cannot join a "]" or
//   "\" to the byte before it.
// The whole file is decoded before any "]" is looked for. A mark is not part of the text.
DecodedText decodeGameRecordBytes(std::string_view bytes, const DecodeOptions& options);
DecodedText decodeGameRecordBytes(std::string_view bytes, CodePage systemPage);

} // namespace stonewise
