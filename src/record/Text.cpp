#include "record/Text.h"

#include <cstdio>

namespace stonewise {

long long FormatArg::asInteger() const {
    if (auto* i = std::get_if<long long>(&m_value)) return *i;
    if (auto* d = std::get_if<double>(&m_value)) return static_cast<long long>(*d);
    return 0;
}

double FormatArg::asReal() const {
    if (auto* d = std::get_if<double>(&m_value)) return *d;
    if (auto* i = std::get_if<long long>(&m_value)) return static_cast<double>(*i);
    return 0.0;
}

std::u16string_view FormatArg::asText() const {
    if (auto* s = std::get_if<std::u16string_view>(&m_value)) return *s;
    return {};
}

namespace {

void appendAscii(std::u16string& out, const char* text) {
    for (; *text; ++text) out.push_back(static_cast<unsigned char>(*text));
}

void pad(std::u16string& out, std::u16string_view body, int width, bool left) {
    const int fill = width - static_cast<int>(body.size());
    if (!left && fill > 0) out.append(static_cast<std::size_t>(fill), u' ');
    out.append(body);
    if (left && fill > 0) out.append(static_cast<std::size_t>(fill), u' ');
}

} // namespace

std::u16string formatText(std::u16string_view format, std::initializer_list<FormatArg> args, std::size_t maxLength) {
    std::u16string out;
    auto next = args.begin();
    auto take = [&]() -> const FormatArg* { return next == args.end() ? nullptr : &*next++; };
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char16_t c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            out.push_back(c);
            continue;
        }
        std::string spec = "%";
        std::size_t j = i + 1;
        bool left = false;
        while (j < format.size() &&
               (format[j] == u'-' || format[j] == u'0' || format[j] == u'+' || format[j] == u' ')) {
            left |= format[j] == u'-';
            spec.push_back(static_cast<char>(format[j++]));
        }
        int width = 0;
        while (j < format.size() && format[j] >= u'0' && format[j] <= u'9') {
            width = width * 10 + (format[j] - u'0');
            spec.push_back(static_cast<char>(format[j++]));
        }
        int precision = -1;
        if (j < format.size() && format[j] == u'.') {
            spec.push_back('.');
            ++j;
            precision = 0;
            while (j < format.size() && format[j] >= u'0' && format[j] <= u'9') {
                precision = precision * 10 + (format[j] - u'0');
                spec.push_back(static_cast<char>(format[j++]));
            }
        }
        while (j < format.size() && (format[j] == u'l' || format[j] == u'h')) ++j; // length modifiers
        if (j >= format.size()) {
            out.append(format.substr(i));
            break;
        }
        const char16_t conv = format[j];
        char buffer[64];
        switch (conv) {
        case u'%': out.push_back(u'%'); break;
        case u'd':
        case u'i':
        case u'u':
        case u'x':
        case u'X': {
            const FormatArg* a = take();
            spec += "ll";
            spec.push_back(conv == u'i' ? 'd' : static_cast<char>(conv));
            std::snprintf(buffer, sizeof buffer, spec.c_str(), a ? a->asInteger() : 0LL);
            appendAscii(out, buffer);
            break;
        }
        case u'f':
        case u'g':
        case u'e': {
            const FormatArg* a = take();
            spec.push_back(static_cast<char>(conv));
            std::snprintf(buffer, sizeof buffer, spec.c_str(), a ? a->asReal() : 0.0);
            appendAscii(out, buffer);
            break;
        }
        case u'c': {
            const FormatArg* a = take();
            const char16_t ch = a ? static_cast<char16_t>(a->asInteger()) : u' ';
            pad(out, std::u16string_view(&ch, 1), width, left);
            break;
        }
        case u's': {
            const FormatArg* a = take();
            std::u16string_view text = a ? a->asText() : std::u16string_view{};
            if (precision >= 0 && text.size() > static_cast<std::size_t>(precision))
                text = text.substr(0, static_cast<std::size_t>(precision));
            pad(out, text, width, left);
            break;
        }
        default: out.append(format.substr(i, j - i + 1)); break;
        }
        i = j;
        if (out.size() >= maxLength) break;
    }
    if (out.size() > maxLength) out.resize(maxLength);
    return out;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

namespace {
// Decodes one UTF-8 sequence at `i`; returns the code point or -1 for a malformed sequence and
// advances `i` past what was consumed.
long decodeUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    long cp = 0;
    long min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        ++i;
        return -1;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return -1;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return -1;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    return cp;
}
} // namespace

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        long cp = decodeUtf8(text, i);
        if (cp < 0) cp = 0xFFFD;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size())
        if (decodeUtf8(bytes, i) < 0) return false;
    return true;
}

std::u16string toU16(long long value) {
    std::u16string out;
    appendAscii(out, std::to_string(value).c_str());
    return out;
}

} // namespace stonewise
