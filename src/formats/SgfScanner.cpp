#include "formats/SgfScanner.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stonewise {

namespace {

constexpr bool isUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
constexpr bool isLower(char16_t c) { return c >= u'a' && c <= u'z'; }
constexpr bool isLetter(char16_t c) { return isUpper(c) || isLower(c); }
constexpr char16_t upper(char16_t c) { return isLower(c) ? static_cast<char16_t>(c - 32) : c; }
constexpr bool isBlank(char16_t c) { return c <= u' '; }

// The index of the first "]" or "\\" at or after `i`, or `n`. Otherwise four characters at a time:
// "]" and "\\" differ only in their lowest bit, so one test of a 16-bit lane finds either.
inline std::size_t nextBracketOrBackslash(const char16_t* t, std::size_t i, std::size_t n) {
#if defined(__SSE2__)
    // Eight characters at a time where the processor can compare them at once.
    const __m128i bracket = _mm_set1_epi16(u']');
    const __m128i backslash = _mm_set1_epi16(u'\\');
    while (i + 8 <= n) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        const int hits =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(chars, bracket), _mm_cmpeq_epi16(chars, backslash)));
        if (hits != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(hits)) / 2);
        i += 8;
    }
#endif
    constexpr std::uint64_t kOnes = 0x0001000100010001ull;
    constexpr std::uint64_t kHigh = 0x8000800080008000ull;
    constexpr std::uint64_t kBracket = 0x005D005D005D005Dull;
    while (i + 4 <= n) {
        std::uint64_t word;
        std::memcpy(&word, t + i, 8);
        const std::uint64_t v = (word | kOnes) ^ kBracket;
        if (((v - kOnes) & ~v & kHigh) != 0) break;
        i += 4;
    }
    while (i < n && t[i] != u']' && t[i] != u'\\') ++i;
    return i;
}

// Whether the value opening with the "[" at `p` is two characters, neither "]" nor "\\" (which
// differ only in their lowest bit), and its "]": most values are points.
inline bool shortValueAt(const char16_t* t, std::size_t p, std::size_t n) {
    return p + 3 < n && t[p + 3] == u']' && (t[p + 1] | 1) != u']' && (t[p + 2] | 1) != u']';
}

// The properties the program reads, by their one or two capitals.
struct PropertyName {
    char a;
    char b; // 0 for a one-letter identifier
    SgfToken token;
};
constexpr PropertyName kPropertyNames[] = {
    {'F', 'F', kSgfFF}, {'G', 'M', kSgfGM}, {'S', 'Z', kSgfSZ}, {'H', 'A', kSgfHA}, {'K', 'M', kSgfKM},
    {'R', 'E', kSgfRE}, {'A', 'P', kSgfAP}, {'A', 'B', kSgfAB}, {'A', 'W', kSgfAW}, {'W', 0, kSgfW},
    {'B', 0, kSgfB},    {'C', 0, kSgfC},    {'N', 0, kSgfN},    {'E', 'V', kSgfEV}, {'G', 'C', kSgfGC},
    {'G', 'N', kSgfGN}, {'P', 'B', kSgfPB}, {'P', 'W', kSgfPW}, {'D', 'T', kSgfDT}, {'R', 'O', kSgfRO},
    {'B', 'R', kSgfBR}, {'W', 'R', kSgfWR}, {'P', 'C', kSgfPC}, {'P', 'L', kSgfPL}, {'A', 'E', kSgfAE},
    {'M', 'A', kSgfMA}, {'T', 'R', kSgfTR}, {'C', 'R', kSgfCR}, {'S', 'Q', kSgfSQ}, {'L', 'B', kSgfLB},
    {'A', 'N', kSgfAN}, {'B', 'T', kSgfBT}, {'C', 'P', kSgfCP}, {'O', 'N', kSgfON}, {'O', 'T', kSgfOT},
    {'R', 'U', kSgfRU}, {'S', 'O', kSgfSO}, {'T', 'M', kSgfTM}, {'U', 'S', kSgfUS}, {'W', 'T', kSgfWT},
};

// A table of every identifier of one or two capitals: the first letter times 27, plus the second
// (0 for none, 1..26 for A..Z).
constexpr int kIdentifiers = 26 * 27;
constexpr int identifierIndex(char16_t a, char16_t b) { return (a - u'A') * 27 + (b == 0 ? 0 : b - u'A' + 1); }
constexpr std::array<SgfToken, kIdentifiers> kTokenOfIdentifier = [] {
    std::array<SgfToken, kIdentifiers> table{};
    table.fill(kSgfUnknown);
    for (const PropertyName& p : kPropertyNames) table[static_cast<std::size_t>(identifierIndex(p.a, p.b))] = p.token;
    return table;
}();

// The token of an identifier of one or two capitals (`b` 0 for one letter).
SgfToken capitalsToken(char16_t a, char16_t b) {
    return kTokenOfIdentifier[static_cast<std::size_t>(identifierIndex(a, b))];
}

// The token of an identifier (`b` 0 for one letter).
SgfToken propertyToken(char16_t a, char16_t b) {
    if (!isUpper(a) || (b != 0 && !isUpper(b))) return kSgfUnknown;
    return capitalsToken(a, b);
}

} // namespace

const char16_t* keptRootPropertyId(SgfToken token) {
    switch (token) {
    case kSgfPL: return u"PL";
    case kSgfAE: return u"AE";
    case kSgfAN: return u"AN";
    case kSgfBT: return u"BT";
    case kSgfCP: return u"CP";
    case kSgfON: return u"ON";
    case kSgfOT: return u"OT";
    case kSgfRU: return u"RU";
    case kSgfSO: return u"SO";
    case kSgfTM: return u"TM";
    case kSgfUS: return u"US";
    case kSgfWT: return u"WT";
    default: return nullptr;
    }
}

std::size_t findGameStart(std::u16string_view text) {
    std::size_t firstOpen = std::u16string_view::npos;
    std::size_t withProperty = std::u16string_view::npos;
    for (std::size_t i = text.find(u'('); i != std::u16string_view::npos; i = text.find(u'(', i + 1)) {
        if (firstOpen == std::u16string_view::npos) firstOpen = i;
        std::size_t j = i + 1;
        while (j < text.size() && isBlank(text[j])) ++j;
        if (j < text.size() && text[j] == u';') return i;
        if (withProperty == std::u16string_view::npos && j + 1 < text.size() && isUpper(text[j]) &&
            (text[j + 1] == u'[' || (isUpper(text[j + 1]) && j + 2 < text.size() && text[j + 2] == u'[')))
            withProperty = i;
    }
    return withProperty != std::u16string_view::npos ? withProperty : firstOpen;
}

SgfScanner::SgfScanner(std::u16string_view text, std::size_t start) : m_text(text), m_pos(start) {
    m_values.reserve(64);
}

void SgfScanner::startValues() {
    if (!m_hold) m_values.clear();
    m_firstValue = m_values.size();
}

SgfScanner::ValueRead SgfScanner::readValues() {
    startValues();
    const std::size_t n = m_text.size();
    const char16_t* t = m_text.data();
    for (;;) {
        std::size_t p = m_pos;
        while (p < n && isBlank(t[p])) ++p;
        if (p >= n || t[p] != u'[') return m_values.size() == m_firstValue ? ValueRead::None : ValueRead::Values;
        std::size_t i = p + 1;
        const bool point = shortValueAt(t, p, n);
        if (point) i = p + 3;
        while (!point) {
            i = nextBracketOrBackslash(t, i, n);
            if (i >= n) {
                m_pos = n;
                return ValueRead::Unterminated; // no closing bracket: the text ends here
            }
            if (t[i] == u'\\') {
                i += 2;
                if (i >= n) {
                    m_pos = n;
                    return ValueRead::Unterminated;
                }
                continue;
            }
            break;
        }
        m_values.push_back({static_cast<std::uint32_t>(p + 1), static_cast<std::uint32_t>(i)});
        m_pos = i + 1;
    }
}

SgfToken SgfScanner::next() {
    const std::size_t n = m_text.size();
    const char16_t* t = m_text.data();
    m_openTag = 0;
    while (m_pos < n) {
        const char16_t c = t[m_pos];
        // Most tokens are a property of one or two capitals with the value right after them, or a ";".
        if (isUpper(c) && m_pos + 2 < n) {
            const char16_t c1 = t[m_pos + 1];
            const bool one = c1 == u'[';
            if (one || (isUpper(c1) && t[m_pos + 2] == u'[')) {
                m_pos += one ? 1 : 2;
                // Most of these are a move or a mark: one point, and then no further value.
                const std::size_t p = m_pos;
                if (p + 4 < n && shortValueAt(t, p, n) && !isBlank(t[p + 4]) && t[p + 4] != u'[') {
                    startValues();
                    m_values.push_back({static_cast<std::uint32_t>(p + 1), static_cast<std::uint32_t>(p + 3)});
                    m_pos = p + 4;
                    return capitalsToken(c, one ? 0 : c1);
                }
                if (readValues() == ValueRead::Unterminated) {
                    releaseValues(m_firstValue);
                    return kSgfEnd;
                }
                return capitalsToken(c, one ? 0 : c1);
            }
        }
        if (c == u';') {
            ++m_pos;
            return kSgfSemicolon;
        }
        if (isBlank(c)) {
            ++m_pos;
            continue;
        }
        if (c == u'(') {
            ++m_pos;
            // A tag character directly before the node's ";" (the family's old files).
            std::size_t j = m_pos;
            while (j < n && isBlank(t[j])) ++j;
            if (j < n && t[j] != u';' && t[j] != u'(' && t[j] != u')' && t[j] != u'[') {
                std::size_t k = j + 1;
                while (k < n && isBlank(t[k])) ++k;
                if (k < n && t[k] == u';') {
                    m_openTag = t[j];
                    m_pos = k;
                }
            }
            return kSgfOpen;
        }
        if (c == u')') {
            ++m_pos;
            return kSgfClose;
        }
        if (c == u'[') {
            // A value without a property (a further value of a property that takes one): skipped.
            const ValueRead read = readValues();
            releaseValues(m_firstValue);
            if (read == ValueRead::Unterminated) return kSgfEnd;
            continue;
        }
        if (!isLetter(c)) {
            ++m_pos;
            continue;
        }
        const std::size_t start = m_pos;
        bool anyUpper = false, anyLower = false;
        while (m_pos < n && isLetter(t[m_pos])) {
            anyUpper |= isUpper(t[m_pos]);
            anyLower |= isLower(t[m_pos]);
            ++m_pos;
        }
        const std::size_t length = m_pos - start;
        char16_t id[2] = {0, 0};
        int idLength = 0;
        bool tooLong = false;
        const bool capitalsOnly = length > 2 && anyUpper && anyLower;
        for (std::size_t i = start; i < m_pos; ++i) {
            if (capitalsOnly && !isUpper(t[i])) continue;
            if (idLength == 2) {
                tooLong = true;
                break;
            }
            id[idLength++] = upper(t[i]);
        }
        const ValueRead read = readValues();
        if (read == ValueRead::Unterminated || read == ValueRead::None || tooLong) {
            releaseValues(m_firstValue);
            if (read == ValueRead::Unterminated) return kSgfEnd;
            continue; // letters without a value are not a property
        }
        return propertyToken(id[0], id[1]);
    }
    return kSgfEnd;
}

} // namespace stonewise
