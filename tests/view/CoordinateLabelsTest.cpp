#include <gtest/gtest.h>

#include "record/Text.h"
#include "view/CoordinateLabels.h"

namespace stonewise {
namespace {

struct LabelCase {
    int origin;
    int horizontal;
    int vertical;
    bool japanese;
    int lines;
    int x;
    int y;
    const char* column;
    const char* row;
};

TEST(CoordinateLabels, OriginsAndStyles) {
    const LabelCase cases[] = {
        // Top left: columns from the left, rows from the top; digits and kanji by default.
        {0, 1, 0, true, 19, 0, 0, "１", "一"},
        {0, 1, 0, true, 19, 18, 10, "１９", "十一"},
        {0, 0, 1, false, 19, 9, 9, "10", "10"},
        {0, 2, 2, true, 19, 18, 18, "s", "s"},
        // Upper-case letters skip I: the ninth column is J.
        {0, 3, 3, true, 19, 8, 7, "J", "H"},
        {0, 3, 3, true, 19, 18, 18, "T", "T"},
        // Bottom left: rows from the bottom.
        {1, 1, 0, true, 19, 0, 0, "１", "十九"},
        {1, 1, 1, false, 13, 2, 12, "3", "1"},
        {1, 3, 2, true, 13, 12, 0, "N", "m"},
        // Bottom right: both counted from the bottom right corner.
        {2, 1, 0, true, 19, 0, 0, "１９", "十九"},
        {2, 1, 0, true, 19, 18, 18, "１", "一"},
        {2, 2, 3, false, 13, 0, 0, "m", "N"},
        // Unknown setting values fall back to digits and kanji.
        {0, 7, 9, true, 19, 2, 2, "３", "三"},
    };
    for (const LabelCase& c : cases) {
        ViewSettings s;
        s.coordinateOrigin = c.origin;
        s.horizontalLabels = c.horizontal;
        s.verticalLabels = c.vertical;
        s.japanese = c.japanese;
        const CoordinateLabels labels(s, c.lines);
        SCOPED_TRACE(testing::Message() << "origin " << c.origin << " styles " << c.horizontal << "/" << c.vertical
                                        << " point " << c.x << "," << c.y);
        EXPECT_EQ(toUtf8(labels.column(c.x)), c.column);
        EXPECT_EQ(toUtf8(labels.row(c.y)), c.row);
    }
}

TEST(CoordinateLabels, PaddedFormsAndStackedKanji) {
    EXPECT_EQ(toUtf8(labelText(LabelStyle::Digits, 0, true, true)), "　１");
    EXPECT_EQ(toUtf8(labelText(LabelStyle::Digits, 9, true, true)), "１０");
    EXPECT_EQ(toUtf8(labelText(LabelStyle::Digits, 8, false, true)), " 9");
    EXPECT_EQ(toUtf8(labelText(LabelStyle::Kanji, 9, true, true)), "　十");
    EXPECT_EQ(toUtf8(labelText(LabelStyle::Kanji, 18, true, true)), "十九");
    EXPECT_EQ(labelText(LabelStyle::Digits, 19, true), u"");
    EXPECT_EQ(labelText(LabelStyle::UpperCase, -1, true), u"");

    ViewSettings s;
    const CoordinateLabels top(s, 19);
    EXPECT_FALSE(top.rowStacked(9)); // 十
    EXPECT_TRUE(top.rowStacked(10)); // 十一
    s.coordinateOrigin = 1;
    const CoordinateLabels bottom(s, 19);
    EXPECT_TRUE(bottom.rowStacked(0)); // 十九 at the top row
    EXPECT_FALSE(bottom.rowStacked(18));
    s.verticalLabels = 1;
    EXPECT_FALSE(CoordinateLabels(s, 19).rowStacked(0));
}

} // namespace
} // namespace stonewise
