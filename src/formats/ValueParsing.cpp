#include "formats/ValueParsing.h"

#include <vector>

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

namespace {

// Runs of digits in a text: where each starts and how long it is.
struct DigitRun {
    std::size_t at;
    std::size_t length;
    long value;
};

std::vector<DigitRun> digitRuns(std::u16string_view text) {
    std::vector<DigitRun> runs;
    for (std::size_t i = 0; i < text.size();) {
        if (!isDigit(text[i])) {
            ++i;
            continue;
        }
        DigitRun r{i, 0, 0};
        while (i < text.size() && isDigit(text[i])) {
            if (r.length++ < 6) r.value = r.value * 10 + (text[i] - u'0');
            ++i;
        }
        runs.push_back(r);
    }
    return runs;
}

// The month an English month name in the text names (its first three letters, either case); 0 for none.
int monthName(std::u16string_view text) {
    static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                          "jul", "aug", "sep", "oct", "nov", "dec"};
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        if (i > 0 && lower(text[i - 1]) >= u'a' && lower(text[i - 1]) <= u'z') continue; // a word's start only
        for (int m = 0; m < 12; ++m)
            if (lower(text[i]) == kMonths[m][0] && lower(text[i + 1]) == kMonths[m][1] &&
                lower(text[i + 2]) == kMonths[m][2])
                return m + 1;
    }
    return 0;
}

} // namespace

GameDate parseDate(std::u16string_view text) {
    GameDate d;
    const std::vector<DigitRun> runs = digitRuns(text);
    if (runs.empty()) return d;
    auto clamp = [](long v, long limit) { return v > limit ? limit : v; };
    // Year first: "2004-04-10", "1998/7", "1856.5.16", "1856年5月16日".
    if (runs[0].length >= 3 || runs.size() == 1) {
        d.year = static_cast<std::uint16_t>(clamp(runs[0].value, 65535));
        auto follows = [&](std::size_t k) {
            if (k >= runs.size()) return false;
            const std::size_t gap = runs[k].at - (runs[k - 1].at + runs[k - 1].length);
            if (gap != 1) return false;
            const char16_t c = text[runs[k].at - 1];
            return c == u'-' || c == u'/' || c == u'.' || c == u'\u5e74' || c == u'\u6708'; // 年 月
        };
        if (!follows(1)) return d;
        d.month = static_cast<std::uint16_t>(clamp(runs[1].value, 65535));
        if (follows(2)) d.day = static_cast<std::uint8_t>(clamp(runs[2].value, 255));
        return d;
    }
    // A free form with the year later ("16th of May 1856", "May 16, 1856"): the first run of four
    // digits is the year, an English month name the month, and a short number the day.
    for (const DigitRun& r : runs)
        if (r.length == 4) {
            d.year = static_cast<std::uint16_t>(r.value);
            break;
        }
    if (d.year == 0) return d;
    d.month = static_cast<std::uint16_t>(monthName(text));
    if (d.month == 0) return d;
    for (const DigitRun& r : runs)
        if (r.length <= 2 && r.value >= 1 && r.value <= 31) {
            d.day = static_cast<std::uint8_t>(r.value);
            break;
        }
    return d;
}

} // namespace stonewise
