#include "formats/ValueParsing.h"

namespace stonewise {

namespace {
inline bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
} // namespace

long parseLeadingInteger(std::u16string_view text, std::size_t* used) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    const std::size_t digits = i;
    long long value = 0;
    while (i < text.size() && isDigit(text[i])) {
        if (value < (1LL << 31)) value = value * 10 + (text[i] - u'0');
        ++i;
    }
    if (i == digits) {
        if (used) *used = 0;
        return 0;
    }
    if (value > (1LL << 31) - 1) value = (1LL << 31) - 1;
    if (used) *used = i;
    return static_cast<long>(negative ? -value : value);
}

double parseLeadingDecimal(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    double value = 0.0;
    int digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        if (digits < 15) value = value * 10.0 + (text[i] - u'0');
        else value *= 10.0;
        ++digits;
        ++i;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        double scale = 0.1;
        int fraction = 0;
        while (i < text.size() && isDigit(text[i])) {
            if (fraction++ < 15) value += (text[i] - u'0') * scale;
            scale *= 0.1;
            ++i;
        }
    }
    if (value > 1e9) value = 1e9;
    return negative ? -value : value;
}

GameDate parseDate(std::u16string_view text) {
    GameDate d;
    std::size_t i = 0;
    while (i < text.size() && !isDigit(text[i])) ++i;
    auto number = [&](long limit) {
        long v = 0;
        int n = 0;
        while (i < text.size() && isDigit(text[i])) {
            if (n++ < 6) v = v * 10 + (text[i] - u'0');
            ++i;
        }
        return v > limit ? limit : v;
    };
    d.year = static_cast<std::uint16_t>(number(65535));
    auto separator = [&] {
        if (i + 1 < text.size() && (text[i] == u'-' || text[i] == u'/' || text[i] == u'.') && isDigit(text[i + 1])) {
            ++i;
            return true;
        }
        return false;
    };
    if (separator()) d.month = static_cast<std::uint16_t>(number(65535));
    else return d;
    if (separator()) d.day = static_cast<std::uint8_t>(number(255));
    return d;
}

} // namespace stonewise
