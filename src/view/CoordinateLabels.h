#pragma once

#include <string>
#include <string_view>

#include "view/ViewSettings.h"

namespace stonewise {

// The kinds of label a board edge can carry.
enum class LabelStyle { Digits, Kanji, LowerCase, UpperCase };

// The style of the column labels for the horizontal setting: 0 or 1 digits, 2 lower-case letters,
// 3 upper-case letters; any other value gives digits.
LabelStyle horizontalLabelStyle(int setting);
// The style of the row labels for the vertical setting: 0 kanji numerals, 1 digits, 2 lower-case
// letters, 3 upper-case letters; any other value gives kanji numerals.
LabelStyle verticalLabelStyle(int setting);

// Entry `index` (0..18) of a label table: "１".."１９" (Japanese) or "1".."19" for digits,
// "一".."十九", "a".."s", "A".."T" without "I". With `padded` the digit and kanji forms of one
// character get a leading blank ("　１", " 1", "　一"). Empty outside 0..18.
std::u16string labelText(LabelStyle style, int index, bool japanese, bool padded = false);

// The coordinate labels of a board as the settings ask for them: the origin decides from which
// corner the columns and rows are counted.
class CoordinateLabels {
public:
    CoordinateLabels(const ViewSettings& settings, int lines);

    LabelStyle columnStyle() const { return m_columnStyle; }
    LabelStyle rowStyle() const { return m_rowStyle; }
    // The table index of column x: x, or lines − 1 − x when counted from the right.
    int columnIndex(int x) const;
    // The table index of row y: y, or lines − 1 − y when counted from the bottom.
    int rowIndex(int y) const;
    // The label of column x and of row y (empty off the board).
    std::u16string column(int x, bool padded = false) const;
    std::u16string row(int y, bool padded = false) const;
    // Whether a row label is drawn as its two characters one above the other (kanji 11..19).
    bool rowStacked(int y) const;

private:
    int m_lines;
    int m_origin;
    bool m_japanese;
    LabelStyle m_columnStyle;
    LabelStyle m_rowStyle;
};

} // namespace stonewise
