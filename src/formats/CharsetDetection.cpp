#include "formats/CharsetDetection.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "formats/TextEncoding.h"

namespace stonewise {

namespace {

inline unsigned char byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

inline bool isLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
inline bool isBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Whether a property identifier names CA: old files mix lower-case letters into names
// ("CoPyright" is CP), so only the upper-case letters count when there are some; "ca" alone is CA.
bool namesCa(std::string_view ident) {
    char upper[2];
    std::size_t uppers = 0;
    for (char c : ident) {
        if (c < 'A' || c > 'Z') continue;
        if (uppers == 2) return false;
        upper[uppers++] = c;
    }
    if (uppers == 0) return ident.size() == 2 && (ident[0] | 0x20) == 'c' && (ident[1] | 0x20) == 'a';
    return uppers == 2 && upper[0] == 'C' && upper[1] == 'A';
}

// Walks the root node and returns the raw value of its CA. With `pairs`, a byte 0x81..0xFE
// followed by a byte 0x40..0xFE is one character, whatever the second byte is.
std::optional<std::string> walkRootForCa(std::string_view bytes, bool pairs, bool* sawHighByte = nullptr) {
    const std::size_t n = bytes.size();
    std::string ident;
    bool inIdent = false;
    int semicolons = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = byteAt(bytes, i);
        if (c == '[') {
            std::size_t j = i + 1;
            if (!pairs) {
                unsigned char seen = 0;
                while (j < n) {
                    const unsigned char d = byteAt(bytes, j);
                    if (d == ']') break;
                    j += d == '\\' ? 2 : 1;
                    seen |= d;
                }
                if ((seen & 0x80) && sawHighByte) *sawHighByte = true;
            } else {
                while (j < n) {
                    const unsigned char d = byteAt(bytes, j);
                    if (d == ']') break;
                    if (d == '\\') {
                        j += 2;
                        continue;
                    }
                    if (d >= 0x81 && d <= 0xFE && j + 1 < n && byteAt(bytes, j + 1) >= 0x40 &&
                        byteAt(bytes, j + 1) <= 0xFE && byteAt(bytes, j + 1) != 0x7F) {
                        j += 2;
                        continue;
                    }
                    ++j;
                }
            }
            if (namesCa(ident)) {
                std::string_view value = bytes.substr(i + 1, std::min(j, n) - (i + 1));
                while (!value.empty() && isBlank(static_cast<unsigned char>(value.front()))) value.remove_prefix(1);
                while (!value.empty() && isBlank(static_cast<unsigned char>(value.back()))) value.remove_suffix(1);
                return std::string(value);
            }
            i = j; // on the "]" (or past the end)
            inIdent = false;
            continue;
        }
        if (isLetter(c)) {
            if (!inIdent) ident.clear();
            inIdent = true;
            ident.push_back(static_cast<char>(c));
            continue;
        }
        if (isBlank(c)) continue; // a name may stand apart from its "["
        inIdent = false;
        ident.clear();
        if (c == ';' && ++semicolons >= 2) return std::nullopt;
        if ((c == '(' || c == ')') && semicolons >= 1) return std::nullopt;
    }
    return std::nullopt;
}

enum class Kind : std::uint8_t { Common, Uncommon, Rare, Invalid };

struct Tally {
    std::size_t common = 0, uncommon = 0, rare = 0, invalid = 0;
    std::size_t upperHanzi = 0; // GB18030: level-1 and level-2 hanzi beyond the hangul rows (C9..F7)
    void add(Kind k) {
        switch (k) {
        case Kind::Common: ++common; break;
        case Kind::Uncommon: ++uncommon; break;
        case Kind::Rare: ++rare; break;
        case Kind::Invalid: ++invalid; break;
        }
    }
    std::size_t total() const { return common + uncommon + rare + invalid; }
};

inline bool inRange(unsigned char c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; }

// Shift_JIS as Windows writes it.
Kind classifyCp932(std::string_view s, std::size_t& i) {
    const unsigned char b = byteAt(s, i++);
    if (inRange(b, 0xA1, 0xDF)) return Kind::Uncommon; // half-width katakana
    if (!(inRange(b, 0x81, 0x9F) || inRange(b, 0xE0, 0xFC))) return Kind::Invalid;
    if (i >= s.size()) return Kind::Invalid;
    const unsigned char t = byteAt(s, i);
    if (!(inRange(t, 0x40, 0x7E) || inRange(t, 0x80, 0xFC))) return Kind::Invalid;
    ++i;
    if (b == 0x81) return Kind::Common;                              // punctuation: 、。「」・ー　
    if (b == 0x82) return t >= 0x9F ? Kind::Common : Kind::Uncommon; // hiragana; full-width letters
    if (b == 0x83) return t <= 0x96 ? Kind::Common : Kind::Uncommon; // katakana; Greek
    if (b == 0x84 || b == 0x87) return Kind::Uncommon;               // Cyrillic, box drawing; ①, ㈱
    if (b == 0x85 || b == 0x86) return Kind::Invalid;
    if (b == 0x88) return t >= 0x9F ? Kind::Common : Kind::Invalid;
    if (inRange(b, 0x89, 0x97)) return Kind::Common; // level-1 kanji
    if (b == 0x98) return t <= 0x72 ? Kind::Common : (t >= 0x9F ? Kind::Uncommon : Kind::Invalid);
    if (inRange(b, 0x99, 0xEA)) return Kind::Uncommon;                       // level-2 kanji
    if (b == 0xED || b == 0xEE || inRange(b, 0xFA, 0xFC)) return Kind::Rare; // IBM extensions
    return Kind::Invalid;                                                    // unassigned rows, user-defined area
}

// GB2312 within GBK within GB18030.
Kind classifyGb18030(std::string_view s, std::size_t& i, Tally& tally) {
    const unsigned char b = byteAt(s, i++);
    if (!inRange(b, 0x81, 0xFE) || i >= s.size()) return Kind::Invalid;
    const unsigned char t = byteAt(s, i);
    if (inRange(t, 0x30, 0x39)) { // four bytes
        if (i + 2 < s.size() && inRange(byteAt(s, i + 1), 0x81, 0xFE) && inRange(byteAt(s, i + 2), 0x30, 0x39)) {
            i += 3;
            return Kind::Rare;
        }
        return Kind::Invalid;
    }
    if (!(inRange(t, 0x40, 0x7E) || inRange(t, 0x80, 0xFE))) return Kind::Invalid;
    ++i;
    if (t < 0xA1 || b < 0xA1) return Kind::Rare;     // GBK extensions beyond GB2312
    if (b == 0xA1 || b == 0xA3) return Kind::Common; // punctuation, full-width letters
    if (inRange(b, 0xA2, 0xA9)) return Kind::Uncommon;
    if (inRange(b, 0xAA, 0xAF) || inRange(b, 0xF8, 0xFE)) return Kind::Invalid; // user-defined
    if (inRange(b, 0xC9, 0xF7)) ++tally.upperHanzi;
    if (inRange(b, 0xB0, 0xD7)) return Kind::Common; // level-1 hanzi
    return Kind::Uncommon;                           // level-2 hanzi
}

// Big5 as Windows writes it (CP950).
Kind classifyBig5(std::string_view s, std::size_t& i) {
    const unsigned char b = byteAt(s, i++);
    if (!inRange(b, 0x81, 0xFE) || i >= s.size()) return Kind::Invalid;
    const unsigned char t = byteAt(s, i);
    if (!(inRange(t, 0x40, 0x7E) || inRange(t, 0xA1, 0xFE))) return Kind::Invalid;
    ++i;
    if (b < 0xA1 || b >= 0xFA) return Kind::Invalid; // user-defined
    if (b == 0xA1) return Kind::Common;              // punctuation
    if (b <= 0xA3) return Kind::Uncommon;
    const unsigned code = (unsigned(b) << 8) | t;
    if (code <= 0xC67E) return Kind::Common; // level-1 hanzi
    if (code < 0xC940) return Kind::Invalid;
    return Kind::Uncommon; // level-2 hanzi
}

// EUC-KR within Windows' CP949 (Unified Hangul Code).
Kind classifyCp949(std::string_view s, std::size_t& i) {
    const unsigned char b = byteAt(s, i++);
    if (!inRange(b, 0x81, 0xFE) || i >= s.size()) return Kind::Invalid;
    const unsigned char t = byteAt(s, i);
    if (inRange(b, 0xA1, 0xFE) && inRange(t, 0xA1, 0xFE)) {
        ++i;
        if (b == 0xA1 || b == 0xA3) return Kind::Common;   // punctuation, full-width letters
        if (inRange(b, 0xB0, 0xC8)) return Kind::Common;   // hangul
        if (inRange(b, 0xA2, 0xAC)) return Kind::Uncommon; // symbols, jamo, kana
        if (inRange(b, 0xCA, 0xFD)) return Kind::Uncommon; // hanja
        return Kind::Invalid;
    }
    // The extended hangul of CP949: lead 81..C6, trail A..Z, a..z, 81..FE (below A1 from A1 on).
    const bool trail = inRange(t, 0x41, 0x5A) || inRange(t, 0x61, 0x7A) || inRange(t, 0x81, 0xFE);
    if (b <= 0xC6 && trail && (b < 0xA1 || t < 0xA1)) {
        ++i;
        return Kind::Uncommon;
    }
    return Kind::Invalid;
}

// Windows-1252: accented letters stand one or two at a time between ASCII letters; long runs of
// bytes above 0x7F are the double-byte text of another charset.
Kind classifyWindows1252(std::string_view s, std::size_t& i) {
    std::size_t start = i;
    while (start > 0 && byteAt(s, start - 1) >= 0x80) --start;
    std::size_t end = i;
    while (end < s.size() && byteAt(s, end) >= 0x80) ++end;
    const unsigned char b = byteAt(s, i++);
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) return Kind::Invalid;
    if (end - start >= 3) return Kind::Rare;
    if (b >= 0xC0 && b != 0xD7 && b != 0xF7) return Kind::Common;
    switch (b) {
    case 0x80:
    case 0x85:
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x91:
    case 0x92:
    case 0x93:
    case 0x94:
    case 0x96:
    case 0x97:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F: return Kind::Uncommon;
    default: return b >= 0xA0 ? Kind::Uncommon : Kind::Rare;
    }
}

constexpr std::size_t kJudgedBytes = 256 * 1024;

enum class Candidate : std::uint8_t { Cp932, Gb18030, Big5, Cp949, Windows1252 };

Candidate candidateOf(std::string_view charset) {
    if (charset == "CP932") return Candidate::Cp932;
    if (charset == "GB18030") return Candidate::Gb18030;
    if (charset == "CP950") return Candidate::Big5;
    if (charset == "CP949") return Candidate::Cp949;
    return Candidate::Windows1252;
}

Tally tallyAs(std::string_view bytes, std::string_view charset) {
    const Candidate candidate = candidateOf(charset);
    Tally tally;
    const std::string_view s = bytes.substr(0, kJudgedBytes);
    std::size_t i = 0;
    while (i < s.size()) {
        if (byteAt(s, i) < 0x80) {
            ++i;
            continue;
        }
        switch (candidate) {
        case Candidate::Cp932: tally.add(classifyCp932(s, i)); break;
        case Candidate::Gb18030: tally.add(classifyGb18030(s, i, tally)); break;
        case Candidate::Big5: tally.add(classifyBig5(s, i)); break;
        case Candidate::Cp949: tally.add(classifyCp949(s, i)); break;
        case Candidate::Windows1252: tally.add(classifyWindows1252(s, i)); break;
        }
    }
    return tally;
}

double plausibilityOf(const Tally& t) {
    const std::size_t n = t.total();
    if (n == 0) return 1.0;
    return (static_cast<double>(t.common) + 0.3 * static_cast<double>(t.uncommon)) / static_cast<double>(n);
}

} // namespace

std::optional<std::string> findDeclaredCharset(std::string_view bytes) {
    bool sawHighByte = false;
    std::optional<std::string> single = walkRootForCa(bytes, false, &sawHighByte);
    if (!sawHighByte) return single; // no byte of the root can be read two ways
    std::optional<std::string> paired = walkRootForCa(bytes, true);
    if (single == paired || !paired) return single;
    if (!single) return paired;
    // The walks disagree: a "]" after a lead byte closed a value in one and not in the other.
    const std::optional<std::string> pairedCharset = resolveCharsetName(*paired);
    if (pairedCharset && hasAsciiTrailBytes(*pairedCharset)) return paired;
    return single;
}

std::optional<std::string> utf16ByteOrder(std::string_view bytes) {
    const std::size_t pairs = std::min<std::size_t>(bytes.size(), 4096) / 2;
    // The syntax at the start of an SGF file is ASCII: UTF-16 shows a NUL within its first bytes.
    if (pairs < 2 || !std::memchr(bytes.data(), 0, std::min<std::size_t>(pairs * 2, 64))) return std::nullopt;
    std::size_t evenZeros = 0, oddZeros = 0;
    for (std::size_t k = 0; k < pairs; ++k) {
        if (bytes[2 * k] == 0) ++evenZeros;
        if (bytes[2 * k + 1] == 0) ++oddZeros;
    }
    if (oddZeros * 4 >= pairs && evenZeros * 8 <= oddZeros) return std::string("UTF-16LE");
    if (evenZeros * 4 >= pairs && oddZeros * 8 <= evenZeros) return std::string("UTF-16BE");
    return std::nullopt;
}

bool hasAsciiTrailBytes(std::string_view charset) {
    return charset == "CP932" || charset == "GB18030" || charset == "CP950" || charset == "BIG5-HKSCS" ||
           charset == "BIG5" || charset == "GBK" || charset == "CP936" || charset.starts_with("SHIFT") ||
           charset.starts_with("SJIS") || charset == "MS_KANJI";
}

CharsetFit judgeCharset(std::string_view bytes, std::string_view charset) {
    const Tally t = tallyAs(bytes, charset);
    CharsetFit fit;
    fit.charset = std::string(charset);
    fit.characters = t.total();
    fit.invalid = t.invalid;
    fit.plausibility = plausibilityOf(t);
    return fit;
}

std::string detectLegacyCharset(std::string_view bytes, std::string_view preferred) {
    std::array<std::string_view, 5> order = {"CP932", "GB18030", "CP950", "CP949", "WINDOWS-1252"};
    if (preferred == "WINDOWS-1252") order = {"WINDOWS-1252", "CP932", "GB18030", "CP950", "CP949"};
    std::array<CharsetFit, 5> fits;
    std::size_t gbUpperHanzi = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Tally t = tallyAs(bytes, order[k]);
        fits[k] = {std::string(order[k]), t.total(), t.invalid, plausibilityOf(t)};
        if (order[k] == "GB18030") gbUpperHanzi = t.upperHanzi;
    }
    if (fits[0].fits()) return fits[0].charset;
    const CharsetFit* best = nullptr;
    for (const CharsetFit& f : fits) {
        if (!f.valid()) continue;
        if (!best || f.plausibility > best->plausibility + 1e-9) best = &f;
        // Hangul read as GB2312 is level-1 hanzi as well; Chinese text also uses the rows above.
        else if (best->charset == "GB18030" && f.charset == "CP949" && f.plausibility >= best->plausibility - 1e-9 &&
                 gbUpperHanzi == 0 && f.characters >= 4)
            best = &f;
    }
    if (best && best->fits()) return best->charset;
    if (best && best->plausibility >= 0.25 && best->charset != "WINDOWS-1252") return best->charset;
    return "WINDOWS-1252";
}

double textPlausibility(std::u16string_view text) {
    std::size_t n = 0;
    double good = 0;
    for (char16_t c : text) {
        if (c < 0x80) continue;
        ++n;
        if (c == 0xFFFD || c < 0xA0 || (c >= 0xE000 && c <= 0xF8FF) || (c >= 0xD800 && c <= 0xDFFF)) continue;
        const bool letter = (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x4FF) ||
                            (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) ||
                            (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0x3000 && c <= 0x303F) ||
                            (c >= 0xFF01 && c <= 0xFF9F);
        good += letter ? 1.0 : 0.3;
    }
    return n == 0 ? 1.0 : good / static_cast<double>(n);
}

} // namespace stonewise
