#include "formats/SgfText.h"

namespace stonewise {

namespace {

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
        std::size_t j = i;
        while (j < n && raw[j] >= u' ' && raw[j] != u'\\') ++j;
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
