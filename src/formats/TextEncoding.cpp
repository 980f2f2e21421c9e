#include "formats/TextEncoding.h"

#include "formats/CharsetDetection.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stonewise {

const char* iconvName(CodePage page) { return page == CodePage::Cp932 ? "CP932" : "WINDOWS-1252"; }

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The length of the well-formed UTF-8 sequence starting at `p` (1..4), or 0 when it is malformed.
inline int utf8SequenceLength(const unsigned char* p, const unsigned char* end, std::uint32_t& code) {
    const unsigned char b0 = p[0];
    if (b0 < 0x80) {
        code = b0;
        return 1;
    }
    auto cont = [&](int i) { return p + i < end && (p[i] & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (!cont(1)) return 0;
        code = ((b0 & 0x1Fu) << 6) | (p[1] & 0x3Fu);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (!cont(1) || !cont(2)) return 0;
        code = ((b0 & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
        if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)) return 0;
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3)) return 0;
        code = ((b0 & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
        if (code < 0x10000 || code > 0x10FFFF) return 0;
        return 4;
    }
    return 0;
}

// The iconv descriptors of this thread, opened once per pair of charsets: opening one loads the
// charset's module, which costs more than converting a small file. A failed open is kept as well.
class IconvCache {
public:
    IconvCache() = default;
    IconvCache(const IconvCache&) = delete;
    IconvCache& operator=(const IconvCache&) = delete;
    ~IconvCache() {
        for (const Entry& e : m_entries)
            if (e.cd != kFailed) iconv_close(e.cd);
    }
    // A descriptor in its initial state, or nothing when iconv knows no such conversion.
    std::optional<iconv_t> get(std::string_view to, std::string_view from) {
        for (const Entry& e : m_entries) {
            if (e.to != to || e.from != from) continue;
            if (e.cd == kFailed) return std::nullopt;
            iconv(e.cd, nullptr, nullptr, nullptr, nullptr);
            return e.cd;
        }
        const iconv_t cd = iconv_open(std::string(to).c_str(), std::string(from).c_str());
        m_entries.push_back({std::string(to), std::string(from), cd});
        if (cd == kFailed) return std::nullopt;
        return cd;
    }

private:
    static inline const iconv_t kFailed = reinterpret_cast<iconv_t>(-1);
    struct Entry {
        std::string to, from;
        iconv_t cd;
    };
    std::vector<Entry> m_entries;
};

std::optional<iconv_t> openIconv(std::string_view to, std::string_view from) {
    thread_local IconvCache cache;
    return cache.get(to, from);
}

} // namespace

bool isAscii(std::string_view bytes) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ull) return false;
    }
    for (; i < n; ++i)
        if (p[i] & 0x80) return false;
    return true;
}

bool isWellFormedUtf8(std::string_view bytes) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        std::uint32_t code = 0;
        const int len = utf8SequenceLength(p, end, code);
        if (len == 0) return false;
        p += len;
    }
    return true;
}

std::size_t appendUtf8AsUtf16(std::string_view bytes, std::u16string& out) {
    std::size_t malformed = 0;
    const std::size_t start = out.size();
    out.resize(start + bytes.size()); // never more UTF-16 units than bytes
    char16_t* o = out.data() + start;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* end = p + bytes.size();
    while (p < end) {
#if defined(__SSE2__)
        // ASCII runs, sixteen at a time: each byte widened to its UTF-16 unit.
        const __m128i zero = _mm_setzero_si128();
        while (end - p >= 16) {
            const __m128i bytes16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            if (_mm_movemask_epi8(bytes16) != 0) break;
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(bytes16, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 8), _mm_unpackhi_epi8(bytes16, zero));
            o += 16;
            p += 16;
        }
#endif
        // ASCII runs, eight at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull) break;
            for (int k = 0; k < 8; ++k) o[k] = p[k];
            o += 8;
            p += 8;
        }
        if (p >= end) break;
        if (*p < 0x80) {
            *o++ = *p++;
            continue;
        }
        std::uint32_t code = 0;
        const int len = utf8SequenceLength(p, end, code);
        if (len == 0) {
            *o++ = kReplacement;
            ++malformed;
            ++p;
            continue;
        }
        p += len;
        if (code >= 0x10000) {
            code -= 0x10000;
            *o++ = static_cast<char16_t>(0xD800 + (code >> 10));
            *o++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            *o++ = static_cast<char16_t>(code);
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return malformed;
}

void appendUtf16AsUtf8(std::u16string_view text, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + text.size() * 3);
    char* o = out.data() + start;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t c = text[i];
        if (c < 0x80) {
            *o++ = static_cast<char>(c);
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        if (c < 0x800) {
            *o++ = static_cast<char>(0xC0 | (c >> 6));
            *o++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *o++ = static_cast<char>(0xE0 | (c >> 12));
            *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *o++ = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            *o++ = static_cast<char>(0xF0 | (c >> 18));
            *o++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *o++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
}

void appendUtf16BytesAsText(std::string_view bytes, bool bigEndian, std::u16string& out) {
    const std::size_t units = bytes.size() / 2;
    const std::size_t start = out.size();
    out.resize(start + units);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned a = p[2 * i], b = p[2 * i + 1];
        out[start + i] = static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
}

void appendTextAsUtf16Le(std::u16string_view text, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + text.size() * 2);
    char* o = out.data() + start;
    for (char16_t c : text) {
        *o++ = static_cast<char>(c & 0xFF);
        *o++ = static_cast<char>(c >> 8);
    }
}

namespace {

// Charsets whose ASCII bytes are not all plain ASCII characters: the escape sequences of
// ISO-2022 and HZ, the "+" of UTF-7.
bool isStatefulCharset(std::string_view charset) {
    return charset.starts_with("ISO-2022") || charset.starts_with("UTF-7") || charset == "HZ" ||
           charset.starts_with("UTF-16") || charset.starts_with("UTF-32") || charset.starts_with("UCS");
}

void appendAscii(std::string_view bytes, std::u16string& out) {
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) out[start + i] = static_cast<unsigned char>(bytes[i]);
}

} // namespace

std::optional<std::size_t> appendCharsetAsUtf16(std::string_view bytes, const std::string& charset,
                                                std::u16string& out) {
    if (charset == "UTF-8") return appendUtf8AsUtf16(bytes, out);
    if (!isStatefulCharset(charset) && isAscii(bytes)) {
        appendAscii(bytes, out);
        return 0;
    }
    const std::optional<iconv_t> cd = openIconv("UTF-16LE", charset == "ASCII" ? "WINDOWS-1252" : charset);
    if (!cd) return std::nullopt;
    std::size_t invalid = 0;
    std::vector<char> buffer(bytes.size() * 2 + 16);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (true) {
        char* o = buffer.data();
        std::size_t outLeft = buffer.size();
        // A null input flushes what a stateful charset still holds.
        const std::size_t r =
            inLeft > 0 ? iconv(*cd, &in, &inLeft, &o, &outLeft) : iconv(*cd, nullptr, nullptr, &o, &outLeft);
        appendUtf16BytesAsText(std::string_view(buffer.data(), buffer.size() - outLeft), false, out);
        if (r != static_cast<std::size_t>(-1)) {
            if (inLeft == 0) break;
            continue;
        }
        if (errno == E2BIG) continue;
        if (inLeft == 0) break;
        // An invalid or incomplete sequence: one replacement character for one byte, then go on.
        out.push_back(kReplacement);
        ++invalid;
        ++in;
        --inLeft;
        iconv(*cd, nullptr, nullptr, nullptr, nullptr);
    }
    return invalid;
}

bool appendCodePageAsUtf16(std::string_view bytes, CodePage page, std::u16string& out) {
    return appendCharsetAsUtf16(bytes, iconvName(page), out).has_value();
}

std::optional<std::string> encodeCodePage(std::u16string_view text, CodePage page) {
    return encodeCharset(text, iconvName(page));
}

std::optional<std::string> encodeCharset(std::u16string_view text, const std::string& charset) {
    bool ascii = !isStatefulCharset(charset);
    for (char16_t c : text)
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        std::string out(text.size(), '\0');
        for (std::size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(text[i]);
        return out;
    }
    const std::optional<iconv_t> cd = openIconv(charset, "UTF-16LE");
    if (!cd) return std::nullopt;
    std::string in;
    appendTextAsUtf16Le(text, in);
    std::string out(text.size() * 8 + 16, '\0'); // room for four-byte forms and escape sequences
    char* ip = in.data();
    std::size_t inLeft = in.size();
    char* op = out.data();
    std::size_t outLeft = out.size();
    if (iconv(*cd, &ip, &inLeft, &op, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    if (iconv(*cd, nullptr, nullptr, &op, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    // iconv folds some characters into others (CP932 writes "¥" as a backslash): only an exact
    // round trip counts.
    std::u16string back;
    const std::optional<std::size_t> invalid = appendCharsetAsUtf16(out, charset, back);
    if (!invalid || *invalid > 0 || back != text) return std::nullopt;
    return out;
}

bool representableIn(std::u16string_view text, CodePage page) { return encodeCodePage(text, page).has_value(); }

namespace {

// A name folded for looking up: upper case, without "-", "_", " " and ".".
std::string foldedName(std::string_view name) {
    std::string out;
    for (char c : name) {
        if (c == '-' || c == '_' || c == ' ' || c == '.') continue;
        out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
    }
    return out;
}

struct Alias {
    std::string_view folded;
    std::string_view charset;
};

// The spellings found in real files and what they are read as.
constexpr Alias kAliases[] = {
    {"UTF8", "UTF-8"},
    {"UTF8BOM", "UTF-8"},
    {"XUTF8", "UTF-8"},
    {"UTF16", "UTF-16"},
    {"UCS2", "UTF-16"},
    {"UNICODE", "UTF-16"},
    {"UTF16LE", "UTF-16LE"},
    {"UCS2LE", "UTF-16LE"},
    {"UTF16BE", "UTF-16BE"},
    {"UCS2BE", "UTF-16BE"},
    {"ASCII", "ASCII"},
    {"USASCII", "ASCII"},
    {"ANSIX341968", "ASCII"},
    {"US", "ASCII"},
    {"SHIFTJIS", "CP932"},
    {"SJIS", "CP932"},
    {"XSJIS", "CP932"},
    {"SJISWIN", "CP932"},
    {"SJISOPEN", "CP932"},
    {"MSKANJI", "CP932"},
    {"CSSHIFTJIS", "CP932"},
    {"CP932", "CP932"},
    {"MS932", "CP932"},
    {"WINDOWS31J", "CP932"},
    {"WINDOWS932", "CP932"},
    {"XMSCP932", "CP932"},
    {"IBM943", "CP932"},
    {"SHIFTJISX0213", "SHIFT_JISX0213"},
    {"GB2312", "GB18030"},
    {"GBK", "GB18030"},
    {"CP936", "GB18030"},
    {"MS936", "GB18030"},
    {"WINDOWS936", "GB18030"},
    {"EUCCN", "GB18030"},
    {"XEUCCN", "GB18030"},
    {"XGBK", "GB18030"},
    {"GB231280", "GB18030"},
    {"CSGB2312", "GB18030"},
    {"CHINESE", "GB18030"},
    {"GB18030", "GB18030"},
    {"BIG5", "CP950"},
    {"BIG5ETEN", "CP950"},
    {"CNBIG5", "CP950"},
    {"CSBIG5", "CP950"},
    {"XXBIG5", "CP950"},
    {"CP950", "CP950"},
    {"MS950", "CP950"},
    {"WINDOWS950", "CP950"},
    {"BIG5HKSCS", "BIG5-HKSCS"},
    {"EUCKR", "CP949"},
    {"CSEUCKR", "CP949"},
    {"KSC56011987", "CP949"},
    {"KSC5601", "CP949"},
    {"KSC56011989", "CP949"},
    {"CP949", "CP949"},
    {"MS949", "CP949"},
    {"UHC", "CP949"},
    {"WINDOWS949", "CP949"},
    {"KOREAN", "CP949"},
    {"EUCJP", "EUC-JP-MS"},
    {"XEUCJP", "EUC-JP-MS"},
    {"EUCJPMS", "EUC-JP-MS"},
    {"EUCJPWIN", "EUC-JP-MS"},
    {"CSEUCPKDFMTJAPANESE", "EUC-JP-MS"},
    {"ISO2022JP", "ISO-2022-JP-2"},
    {"CSISO2022JP", "ISO-2022-JP-2"},
    {"ISO2022JP1", "ISO-2022-JP-2"},
    {"ISO2022JP2", "ISO-2022-JP-2"},
    {"JIS", "ISO-2022-JP-2"},
    {"ISO2022JP3", "ISO-2022-JP-3"},
    {"ISO2022KR", "ISO-2022-KR"},
    {"ISO2022CN", "ISO-2022-CN"},
    {"ISO88591", "WINDOWS-1252"},
    {"ISO885911987", "WINDOWS-1252"},
    {"LATIN1", "WINDOWS-1252"},
    {"L1", "WINDOWS-1252"},
    {"CP819", "WINDOWS-1252"},
    {"IBM819", "WINDOWS-1252"},
    {"ANSI", "WINDOWS-1252"},
    {"MSANSI", "WINDOWS-1252"},
    {"ISO885915", "ISO-8859-15"},
    {"LATIN9", "ISO-8859-15"},
    {"KOI8R", "KOI8-R"},
    {"KOI8U", "KOI8-U"},
};

bool iconvKnows(const std::string& charset) { return openIconv("UTF-16LE", charset).has_value(); }

} // namespace

std::optional<std::string> resolveCharsetName(std::string_view name) {
    const std::string folded = foldedName(name);
    if (folded.empty()) return std::nullopt;
    for (const Alias& a : kAliases)
        if (a.folded == folded) return std::string(a.charset);
    // Windows code pages in any spelling: "Windows-1251", "cp1251", "win1251", "x-cp1251".
    for (std::string_view prefix : {"WINDOWS", "XCP", "CP", "WIN"}) {
        if (!folded.starts_with(prefix)) continue;
        const std::string number = folded.substr(prefix.size());
        if (number.size() == 4 && number.starts_with("125") && number[3] >= '0' && number[3] <= '8')
            return "WINDOWS-" + number;
    }
    // ISO 8859 parts: "ISO8859_2", "ISO-8859-2", "iso_8859-2:1987".
    if (folded.starts_with("ISO8859")) {
        std::string part;
        for (std::size_t k = 7; k < folded.size() && folded[k] >= '0' && folded[k] <= '9'; ++k)
            part.push_back(folded[k]);
        if (!part.empty() && part != "1") {
            const std::string charset = "ISO-8859-" + part;
            if (iconvKnows(charset)) return charset;
        }
    }
    std::string upper;
    for (char c : name) upper.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
    if (iconvKnows(upper)) return upper;
    return std::nullopt;
}

std::string describeTextSource(const TextSource& source) {
    std::string why;
    switch (source.reason) {
    case CharsetReason::Mark: why = "byte-order mark"; break;
    case CharsetReason::Declared: why = "CA[" + source.declared + "]"; break;
    case CharsetReason::Detected: why = "detected"; break;
    case CharsetReason::Forced: why = "forced"; break;
    case CharsetReason::SystemCodePage: why = "system code page"; break;
    }
    if (source.declaredIgnored && !source.declared.empty()) {
        why += "; CA[" + source.declared + "] ";
        why += resolveCharsetName(source.declared) ? "does not fit the bytes" : "is not a charset this program knows";
    }
    return source.charset + " (" + why + ")";
}

namespace {

// Decodes with a known charset; "UTF-16" takes its byte order from a mark or the NUL bytes.
std::size_t decodeIn(std::string_view bytes, std::string& charset, std::u16string& out) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const bool markLe = bytes.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE;
    const bool markBe = bytes.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF;
    if (charset == "UTF-16")
        charset = markBe ? "UTF-16BE" : markLe ? "UTF-16LE" : utf16ByteOrder(bytes).value_or("UTF-16LE");
    if (charset == "UTF-16LE" || charset == "UTF-16BE") {
        const bool big = charset == "UTF-16BE";
        if ((big && markBe) || (!big && markLe)) bytes.remove_prefix(2);
        appendUtf16BytesAsText(bytes, big, out);
        return 0;
    }
    if (charset == "UTF-8" && bytes.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) bytes.remove_prefix(3);
    if (std::optional<std::size_t> invalid = appendCharsetAsUtf16(bytes, charset, out)) return *invalid;
    charset = "WINDOWS-1252";
    return appendCharsetAsUtf16(bytes, charset, out).value_or(0);
}

// Reads bytes whose CA does not fit them (or names nothing known): valid UTF-8 is UTF-8, and other
// bytes are judged among the legacy charsets.
DecodedText decodeDetected(std::string_view bytes, const DecodeOptions& options, TextSource source) {
    DecodedText out;
    source.reason = CharsetReason::Detected;
    if (isAscii(bytes)) {
        source.charset = iconvName(options.systemPage);
        source.reason = CharsetReason::SystemCodePage;
        appendAscii(bytes, out.text);
    } else if (isWellFormedUtf8(bytes)) {
        source.charset = "UTF-8";
        appendUtf8AsUtf16(bytes, out.text);
    } else {
        source.charset = detectLegacyCharset(bytes, iconvName(options.systemPage));
        decodeIn(bytes, source.charset, out.text);
    }
    out.source = std::move(source);
    return out;
}

} // namespace

DecodedText decodeGameRecordBytes(std::string_view bytes, const DecodeOptions& options) {
    DecodedText out;
    TextSource& source = out.source;
    if (!options.forcedCharset.empty()) {
        source.charset = resolveCharsetName(options.forcedCharset).value_or(options.forcedCharset);
        source.reason = CharsetReason::Forced;
        decodeIn(bytes, source.charset, out.text);
        return out;
    }
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const bool utf16Mark = bytes.size() >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF));
    const bool utf8Mark = bytes.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF;
    if (utf16Mark || utf8Mark) {
        source.charset = utf8Mark ? "UTF-8" : "UTF-16";
        source.reason = CharsetReason::Mark;
        decodeIn(bytes, source.charset, out.text);
        return out;
    }
    if (std::optional<std::string> order = utf16ByteOrder(bytes)) {
        source.charset = *order;
        source.reason = CharsetReason::Detected;
        decodeIn(bytes, source.charset, out.text);
        return out;
    }
    const std::optional<std::string> declared = findDeclaredCharset(bytes);
    if (declared) source.declared = *declared;
    std::string charset = declared ? resolveCharsetName(*declared).value_or(std::string()) : std::string();
    if (charset.starts_with("UTF-16")) charset.clear(); // 8-bit bytes: converted, CA left as it was
    if (charset == "ASCII" && !isAscii(bytes)) charset.clear();
    if (charset.empty()) {
        source.declaredIgnored = declared.has_value();
        return decodeDetected(bytes, options, std::move(source));
    }
    source.charset = charset;
    source.reason = CharsetReason::Declared;
    const std::size_t invalid = decodeIn(bytes, source.charset, out.text);
    if (invalid == 0) {
        if (source.charset == "UTF-8" || isAscii(bytes) || !isWellFormedUtf8(bytes)) return out;
        // Valid both in the declared charset and in UTF-8: UTF-8 only when it reads better (text
        // converted to UTF-8 by a program that left CA as it was).
        std::u16string utf8;
        appendUtf8AsUtf16(bytes, utf8);
        if (textPlausibility(utf8) <= textPlausibility(out.text)) return out;
        source.declaredIgnored = true;
        source.reason = CharsetReason::Detected;
        source.charset = "UTF-8";
        out.text = std::move(utf8);
        return out;
    }
    // The bytes do not fit what CA says: judge them as if there were no CA, and keep the declared
    // reading when that does not do better.
    TextSource ignored = source;
    ignored.declaredIgnored = true;
    DecodedText detected = decodeDetected(bytes, options, std::move(ignored));
    // Well-formed UTF-8 has no invalid bytes, whatever U+FFFD it holds as text.
    const auto detectedInvalid =
        detected.source.charset == "UTF-8"
            ? std::size_t{0}
            : static_cast<std::size_t>(std::count(detected.text.begin(), detected.text.end(), kReplacement));
    return detectedInvalid < invalid ? detected : out;
}

DecodedText decodeGameRecordBytes(std::string_view bytes, CodePage systemPage) {
    DecodeOptions options;
    options.systemPage = systemPage;
    return decodeGameRecordBytes(bytes, options);
}

} // namespace stonewise
