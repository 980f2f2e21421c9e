#include <gtest/gtest.h>

#include "record/Text.h"

namespace stonewise {
namespace {

TEST(Text, FormatsLikePrintf) {
    EXPECT_EQ(formatText(u"%s%3d手", {u"黒", 7}), u"黒  7手");
    EXPECT_EQ(formatText(u"%s%0.1f目勝ち", {u"白", 3.5}), u"白3.5目勝ち");
    EXPECT_EQ(formatText(u"%4d/%2d/%2d %d:%02d", {2026, 1, 5, 9, 7}), u"2026/ 1/ 5 9:07");
    EXPECT_EQ(formatText(u"100%% %d", {}), u"100% 0");
    EXPECT_EQ(formatText(u"%d", {42}, 1), u"4");
}

TEST(Text, Utf8RoundTripAndValidation) {
    const std::u16string text = u"碁 Go 😀 ①";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_FALSE(isValidUtf8("\x82\xa0")); // Shift_JIS bytes
    EXPECT_FALSE(isValidUtf8("\xe3\x81")); // cut short
    EXPECT_EQ(fromUtf8("a\xff"), u"a\uFFFD");
}

} // namespace
} // namespace stonewise
