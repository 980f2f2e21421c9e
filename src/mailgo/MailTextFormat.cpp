#include "mailgo/MailTextFormat.h"

#include <vector>

namespace stonewise {

namespace {

constexpr std::u16string_view kFullWidthDigits = u"０１２３４５６７８９";
constexpr std::u16string_view kKanjiDigits = u"〇一二三四五六七八九";
constexpr char16_t kKanjiTen = u'十';

std::u16string digitsIn(int number, int maxDigits, NumberStyle style) {
    if (number < 0 || decimalDigits(number) > maxDigits) return {};
    std::u16string text;
    for (char c : std::to_string(number))
        text += style == NumberStyle::Japanese ? kFullWidthDigits[static_cast<std::size_t>(c - '0')]
                                               : static_cast<char16_t>(c);
    return text;
}

bool isWildcard(char16_t c) { return c == u'*' || c == u'＊'; }

} // namespace

int decimalDigits(int number) {
    int digits = 1;
    for (; number >= 10; number /= 10) ++digits;
    return digits;
}

std::u16string mailMoveNumber(int number, NumberStyle style) { return digitsIn(number, 3, style); }

std::u16string kanjiRow(int row) {
    if (row < 0 || row > 99) return {};
    const auto digit = [](int d) { return kKanjiDigits[static_cast<std::size_t>(d)]; };
    if (row < 10) return std::u16string(1, digit(row));
    std::u16string text;
    if (row >= 20) text += digit(row / 10);
    text += kKanjiTen;
    if (row % 10 != 0) text += digit(row % 10);
    return text;
}

std::u16string mailPoint(int x, int y, NumberStyle style) {
    if (style == NumberStyle::Ascii) return digitsIn(x + 1, 2, style) + u"," + digitsIn(y + 1, 2, style);
    return digitsIn(x + 1, 2, style) + u"、" + kanjiRow(y + 1);
}

std::u16string mailPadding(int pointDigits, NumberStyle style) {
    const int count = std::max(0, std::min(7, 5 - pointDigits));
    return std::u16string(static_cast<std::size_t>(count), style == NumberStyle::Japanese ? u'\u3000' : u' ');
}

bool matchesTitlePattern(std::u16string_view line, std::u16string_view pattern) {
    constexpr std::size_t kLongest = 1000;
    if (pattern.empty() || line.size() > kLongest || pattern.size() > kLongest) return false;
    bool literal = false;
    for (char16_t c : pattern) literal = literal || !isWildcard(c);
    if (!literal) return false;
    // can[j]: the first i characters of the pattern match the first j of the line.
    std::vector<char> can(line.size() + 1, 0), next(line.size() + 1, 0);
    can[0] = 1;
    for (char16_t p : pattern) {
        std::fill(next.begin(), next.end(), 0);
        if (isWildcard(p)) {
            bool reachable = false; // some shorter prefix matched: one or more characters follow
            for (std::size_t j = 1; j <= line.size(); ++j) {
                reachable = reachable || can[j - 1];
                next[j] = reachable;
            }
        } else {
            for (std::size_t j = 1; j <= line.size(); ++j) next[j] = can[j - 1] && line[j - 1] == p;
        }
        can.swap(next);
    }
    return can[line.size()] != 0;
}

std::optional<int> mailDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'０' && c <= u'９') return c - u'０';
    if (c == kKanjiTen) return 1;
    const auto kanji = kKanjiDigits.find(c);
    if (kanji != std::u16string_view::npos) return static_cast<int>(kanji);
    return std::nullopt;
}

std::optional<int> readMailNumber(std::u16string_view text, std::size_t& used) {
    used = 0;
    long value = 0;
    bool lastIsTen = false;
    while (used < text.size()) {
        const auto digit = mailDigitValue(text[used]);
        if (!digit) break;
        value = value * 10 + *digit;
        if (value > 100000) return std::nullopt;
        lastIsTen = text[used] == kKanjiTen;
        ++used;
    }
    if (used == 0) return std::nullopt;
    if (lastIsTen) value *= 10;
    return static_cast<int>(value);
}

} // namespace stonewise
