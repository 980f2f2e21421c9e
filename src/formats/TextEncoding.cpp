#include "formats/TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace stonewise {

const char* iconvName(CodePage page) { return page == CodePage::Cp932 ? "CP932" : "WINDOWS-1252"; }

std::string_view textSourceName(TextSource source, CodePage page) {
    switch (source) {
    case TextSource::Utf16LittleEndian: return "UTF-16LE";
    case TextSource::Utf16BigEndian: return "UTF-16BE";
    case TextSource::Utf8WithMark: return "UTF-8 with mark";
    case TextSource::Utf8Declared: return "UTF-8 (CA)";
    case TextSource::Utf8Detected: return "UTF-8";
    case TextSource::CodePage: return page == CodePage::Cp932 ? "CP932" : "Windows-1252";
    }
    return "?";
}

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

// An iconv descriptor that closes itself.
class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

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

void appendUtf8AsUtf16(std::string_view bytes, std::u16string& out) {
    const std::size_t start = out.size();
    out.resize(start + bytes.size());  // never more UTF-16 units than bytes
    char16_t* o = out.data() + start;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* end = p + bytes.size();
    while (p < end) {
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

bool appendCodePageAsUtf16(std::string_view bytes, CodePage page, std::u16string& out) {
    if (isAscii(bytes)) {
        const std::size_t start = out.size();
        out.resize(start + bytes.size());
        for (std::size_t i = 0; i < bytes.size(); ++i) out[start + i] = static_cast<unsigned char>(bytes[i]);
        return true;
    }
    Iconv cd("UTF-16LE", iconvName(page));
    if (!cd.ok()) return false;
    std::vector<char> buffer(bytes.size() * 2 + 16);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* o = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t r = iconv(cd.get(), &in, &inLeft, &o, &outLeft);
        appendUtf16BytesAsText(std::string_view(buffer.data(), buffer.size() - outLeft), false, out);
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // An invalid or incomplete sequence: one replacement character for one byte, then go on.
        out.push_back(kReplacement);
        ++in;
        --inLeft;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return true;
}

std::optional<std::string> encodeCodePage(std::u16string_view text, CodePage page) {
    bool ascii = true;
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
    Iconv cd(iconvName(page), "UTF-16LE");
    if (!cd.ok()) return std::nullopt;
    std::string in;
    appendTextAsUtf16Le(text, in);
    std::string out(text.size() * 2 + 16, '\0');
    char* ip = in.data();
    std::size_t inLeft = in.size();
    char* op = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd.get(), &ip, &inLeft, &op, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    if (iconv(cd.get(), nullptr, nullptr, &op, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    // iconv folds some characters into others (CP932 writes "¥" as a backslash): only an exact
    // round trip counts.
    std::u16string back;
    if (!appendCodePageAsUtf16(out, page, back) || back != text) return std::nullopt;
    return out;
}

bool representableIn(std::u16string_view text, CodePage page) { return encodeCodePage(text, page).has_value(); }

namespace {

inline bool isBlankByte(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

enum class Declared { None, Utf8, Other };

// Looks for CA[...] in the root node: "CA[" (either case) after ";", "]" or a blank, before the
// second ";".
Declared declaredCharset(std::string_view bytes) {
    int semicolons = 0;
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == ';') {
            if (++semicolons >= 2) return Declared::None;
            continue;
        }
        if ((c | 0x20) != 'c' || i + 2 >= n || (bytes[i + 1] | 0x20) != 'a' || bytes[i + 2] != '[') continue;
        if (i > 0) {
            const unsigned char before = static_cast<unsigned char>(bytes[i - 1]);
            if (before != ';' && before != ']' && !isBlankByte(before)) continue;
        } else {
            continue;
        }
        std::string_view value = bytes.substr(i + 3, 8);
        auto folded = [&](std::string_view expect) {
            if (value.size() < expect.size()) return false;
            for (std::size_t k = 0; k < expect.size(); ++k) {
                char a = value[k];
                if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
                if (a != expect[k]) return false;
            }
            return true;
        };
        return folded("UTF-8") || folded("UTF8") ? Declared::Utf8 : Declared::Other;
    }
    return Declared::None;
}

} // namespace

DecodedText decodeGameRecordBytes(std::string_view bytes, CodePage systemPage) {
    DecodedText out;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        out.source = TextSource::Utf16LittleEndian;
        appendUtf16BytesAsText(bytes.substr(2), false, out.text);
        return out;
    }
    if (bytes.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        out.source = TextSource::Utf16BigEndian;
        appendUtf16BytesAsText(bytes.substr(2), true, out.text);
        return out;
    }
    if (bytes.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        out.source = TextSource::Utf8WithMark;
        appendUtf8AsUtf16(bytes.substr(3), out.text);
        return out;
    }
    const Declared declared = declaredCharset(bytes);
    if (declared == Declared::Utf8) {
        out.source = TextSource::Utf8Declared;
        appendUtf8AsUtf16(bytes, out.text);
        return out;
    }
    if (isAscii(bytes)) {
        out.source = TextSource::CodePage;
        appendCodePageAsUtf16(bytes, systemPage, out.text);
        return out;
    }
    if (declared == Declared::None && isWellFormedUtf8(bytes)) {
        out.source = TextSource::Utf8Detected;
        appendUtf8AsUtf16(bytes, out.text);
        return out;
    }
    out.source = TextSource::CodePage;
    if (!appendCodePageAsUtf16(bytes, systemPage, out.text)) appendUtf8AsUtf16(bytes, out.text);
    return out;
}

} // namespace stonewise
