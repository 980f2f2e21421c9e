#include "formats/SgfText.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stonewise {

namespace {

// The end of the run of plain characters at `i`: the index of the first control character or
// backslash at or after it, or `n`.
inline std::size_t plainRunEnd(const char16_t* t, std::size_t i, std::size_t n) {
#if defined(__SSE2__)
    // Eight characters at a time. The compare is signed: with the top bit flipped, the units below
    // U+0020 are the ones below 0x8020.
    const __m128i flip = _mm_set1_epi16(static_cast<short>(0x8000));
    const __m128i limit = _mm_set1_epi16(static_cast<short>(0x8020));
    const __m128i backslash = _mm_set1_epi16(u'\\');
    while (i + 8 <= n) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        const __m128i control = _mm_cmplt_epi16(_mm_xor_si128(chars, flip), limit);
        const int hits = _mm_movemask_epi8(_mm_or_si128(control, _mm_cmpeq_epi16(chars, backslash)));
        if (hits != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(hits)) / 2);
        i += 8;
    }
#endif
    while (i < n && t[i] >= u' ' && t[i] != u'\\') ++i;
    return i;
}

inline bool isLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// The length of the line break starting at `i` (CR LF and LF CR count as one), 0 when none.
inline std::size_t lineBreakLength(std::u16string_view s, std::size_t i) {
    if (!isLineBreak(s[i])) return 0;
    if (i + 1 < s.size() && isLineBreak(s[i + 1]) && s[i + 1] != s[i]) return 2;
    return 1;
}

} // namespace

void appendCommentText(std::u16string_view raw, SgfTextRules rules, std::u16string& out) {
    const std::size_t n = raw.size();
    out.reserve(out.size() + n);
    const bool family = rules == SgfTextRules::Family;
    bool nextIsCr = true;
    auto lineBreakChar = [&] {
        out.push_back(nextIsCr ? u'\r' : u'\n');
        nextIsCr = !nextIsCr;
    };
    for (std::size_t i = 0; i < n;) {
        // Plain characters are copied a run at a time.
        const std::size_t j = plainRunEnd(raw.data(), i, n);
        out.append(raw.data() + i, j - i);
        if (j >= n) break;
        i = j;
        const char16_t c = raw[i];
        if (family) {
            if (c == u'\\') {
                const char16_t after = i + 1 < n ? raw[i + 1] : 0;
                if (after == u'\\') {
                    lineBreakChar();
                    lineBreakChar();
                    i += 2;
                } else if (after == u']') {
                    out.push_back(u']');
                    i += 2;
                } else if (after == u'/') {
                    out.push_back(u'\\');
                    i += 2;
                } else {
                    lineBreakChar();
                    ++i;
                }
                continue;
            }
            if (!isLineBreak(c)) out.push_back(c);
            ++i;
            continue;
        }
        if (c == u'\\') {
            if (i + 1 >= n) break;
            if (const std::size_t len = lineBreakLength(raw, i + 1)) {
                i += 1 + len; // a soft line break
                continue;
            }
            out.push_back(raw[i + 1] < u' ' ? u' ' : raw[i + 1]); // an escaped control character is a blank too
            i += 2;
            continue;
        }
        if (const std::size_t len = lineBreakLength(raw, i)) {
            out.append(u"\r\n");
            i += len;
            continue;
        }
        out.push_back(u' ');
        ++i;
    }
}

void appendSimpleText(std::u16string_view raw, SgfTextRules rules, std::u16string& out) {
    const std::size_t n = raw.size();
    out.reserve(out.size() + n);
    for (std::size_t i = 0; i < n; ++i) {
        // Plain characters are copied a run at a time.
        const std::size_t j = plainRunEnd(raw.data(), i, n);
        out.append(raw.data() + i, j - i);
        if (j >= n) break;
        i = j;
        const char16_t c = raw[i];
        if (c == u'\\' && i + 1 < n) {
            const char16_t after = raw[i + 1];
            if (rules == SgfTextRules::Family) {
                if (after == u']' || after == u'\\') {
                    out.push_back(after);
                    ++i;
                } else {
                    out.push_back(c);
                }
                continue;
            }
            if (const std::size_t len = lineBreakLength(raw, i + 1)) {
                i += len;
                continue;
            }
            out.push_back(after < u' ' ? u' ' : after);
            ++i;
            continue;
        }
        if (c == u'\\') {
            if (rules == SgfTextRules::Family) out.push_back(c);
            continue;
        }
        if (const std::size_t len = lineBreakLength(raw, i)) {
            if (rules == SgfTextRules::Standard) out.push_back(u' ');
            i += len - 1;
            continue;
        }
        out.push_back(c < u' ' ? u' ' : c);
    }
}

void appendEscapedComment(std::u16string_view text, std::u16string& out) {
    out.reserve(out.size() + text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out.append(u"\\\\");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            continue;
        }
        if (c == u']') {
            out.append(u"\\]");
            continue;
        }
        if (c == u'\\') {
            out.append(u"\\/");
            continue;
        }
        out.push_back(c);
    }
}

void appendStandardComment(std::u16string_view text, std::u16string& out) {
    out.reserve(out.size() + text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out.append(u"\r\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            continue;
        }
        if (c == u']' || c == u'\\') out.push_back(u'\\');
        out.push_back(c);
    }
}

void appendEscapedSimpleText(std::u16string_view text, std::u16string& out) {
    out.reserve(out.size() + text.size() + 4);
    for (char16_t c : text) {
        if (c == u']' || c == u'\\') out.push_back(u'\\');
        out.push_back(c);
    }
}

std::u16string_view trimTrailingBlanks(std::u16string_view text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\u3000')) text.remove_suffix(1);
    return text;
}

} // namespace stonewise
