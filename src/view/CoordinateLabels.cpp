#include "view/CoordinateLabels.h"

namespace stonewise {

namespace {
constexpr std::u16string_view kKanjiDigits = u"一二三四五六七八九";
constexpr std::u16string_view kFullWidthDigits = u"０１２３４５６７８９";
} // namespace

LabelStyle horizontalLabelStyle(int setting) {
    switch (setting) {
    case 2: return LabelStyle::LowerCase;
    case 3: return LabelStyle::UpperCase;
    default: return LabelStyle::Digits;
    }
}

LabelStyle verticalLabelStyle(int setting) {
    switch (setting) {
    case 1: return LabelStyle::Digits;
    case 2: return LabelStyle::LowerCase;
    case 3: return LabelStyle::UpperCase;
    default: return LabelStyle::Kanji;
    }
}

std::u16string labelText(LabelStyle style, int index, bool japanese, bool padded) {
    if (index < 0 || index > 18) return {};
    const int n = index + 1;
    switch (style) {
    case LabelStyle::Digits: {
        std::u16string text;
        if (japanese) {
            if (n >= 10) text += kFullWidthDigits[static_cast<std::size_t>(n / 10)];
            else if (padded) text += u'　';
            text += kFullWidthDigits[static_cast<std::size_t>(n % 10)];
        } else {
            if (n >= 10) text += static_cast<char16_t>(u'0' + n / 10);
            else if (padded) text += u' ';
            text += static_cast<char16_t>(u'0' + n % 10);
        }
        return text;
    }
    case LabelStyle::Kanji: {
        std::u16string text;
        if (n > 10) text += u'十';
        else if (padded) text += u'　';
        if (n == 10) text += u'十';
        else text += kKanjiDigits[static_cast<std::size_t>(n % 10 - 1)];
        return text;
    }
    case LabelStyle::LowerCase: return std::u16string(1, static_cast<char16_t>(u'a' + index));
    case LabelStyle::UpperCase: return std::u16string(1, static_cast<char16_t>(u'A' + index + (index >= 8 ? 1 : 0)));
    }
    return {};
}

CoordinateLabels::CoordinateLabels(const ViewSettings& settings, int lines)
    : m_lines(lines == 13 ? 13 : 19), m_origin(settings.coordinateOrigin), m_japanese(settings.japanese),
      m_columnStyle(horizontalLabelStyle(settings.horizontalLabels)),
      m_rowStyle(verticalLabelStyle(settings.verticalLabels)) {}

int CoordinateLabels::columnIndex(int x) const { return m_origin == 2 ? m_lines - 1 - x : x; }

int CoordinateLabels::rowIndex(int y) const { return (m_origin == 1 || m_origin == 2) ? m_lines - 1 - y : y; }

std::u16string CoordinateLabels::column(int x, bool padded) const {
    if (x < 0 || x >= m_lines) return {};
    return labelText(m_columnStyle, columnIndex(x), m_japanese, padded);
}

std::u16string CoordinateLabels::row(int y, bool padded) const {
    if (y < 0 || y >= m_lines) return {};
    return labelText(m_rowStyle, rowIndex(y), m_japanese, padded);
}

bool CoordinateLabels::rowStacked(int y) const {
    return m_rowStyle == LabelStyle::Kanji && y >= 0 && y < m_lines && rowIndex(y) >= 10;
}

} // namespace stonewise
