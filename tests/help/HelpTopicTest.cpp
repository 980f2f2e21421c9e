// A topic's directives, the help's pictures and the situation stacks.
#include <gtest/gtest.h>

#include <algorithm>

#include "help/HelpImages.h"
#include "help/HelpIndex.h"
#include "help/HelpStrings.h"
#include "help/HelpTopic.h"
#include "help/SituationStacks.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {
namespace {

// An index of three topics: 40000 "概要", 40001 "メール碁", 7 "盤面".
HelpIndex sampleIndex() {
    StoreMessages messages;
    return HelpIndex::build(u"\uFEFFStonewise Help\r\nRelease 1\r\n[C-0-40000] 概要\r\n[C-0-40001] メール碁\r\n"
                            u"[C-1-7] 盤面\r\n",
                            messages);
}

TEST(HelpTopicTest, TextEndsAtTheFirstDirective) {
    StoreMessages messages;
    const HelpTopicPage page =
        readHelpTopic(u"一行目\r\n\r\n二行目\r\n\r\n?:3, 盤の画面\r\n本文ではない\r\n?>$APL/help/mode.html\r\n",
                      sampleIndex(), messages);
    EXPECT_EQ(page.text, u"一行目\r\n\r\n二行目");
    ASSERT_TRUE(page.picture);
    EXPECT_EQ(*page.picture, 3);
    EXPECT_EQ(page.pictureCaption, u"盤の画面");
    EXPECT_EQ(page.support, HelpSupportLink::Detailed);
    EXPECT_EQ(helpSupportAddress(page.supportToken),
              "https://stonewise.example.org/support/help/stonewise/help/mode.html");
    EXPECT_TRUE(page.commands.empty());
    EXPECT_TRUE(messages.empty());

    const HelpTopicPage plain = readHelpTopic(u"説明だけ\n", sampleIndex(), messages);
    EXPECT_EQ(plain.text, u"説明だけ");
    EXPECT_EQ(plain.support, HelpSupportLink::None);
    EXPECT_FALSE(plain.picture);
    EXPECT_EQ(readHelpTopic(u"?=a b\r\n", sampleIndex(), messages).support, HelpSupportLink::Explanation);
    EXPECT_EQ(helpSupportAddress(u"a b\"%"), "https://stonewise.example.org/support/help/a%20b%22%25");
}

TEST(HelpTopicTest, CommandButtons) {
    struct Case {
        std::u16string_view line;
        std::vector<HelpCommandButton> buttons;
        int message; // 0: none
    };
    const std::vector<Case> cases = {
        {u"<? 概要へ=40000, 開く=32772 >", {{u"概要へ", 0, 0}, {u"開く", 32772, std::nullopt}}, 0},
        {u"<?盤=#盤面, メール=#メール碁>", {{u"盤", 0, 2}, {u"メール", 0, 1}}, 0},
        // Only three buttons.
        {u"<?a=40000,b=40001,c=#盤面,d=32772>", {{u"a", 0, 0}, {u"b", 0, 1}, {u"c", 0, 2}}, 0},
        // Faults stop the line at the faulty item.
        {u"<?a=40000, b 40001>", {{u"a", 0, 0}}, kStrHelpBadCommand},
        {u"<?a=12x>", {}, kStrHelpBadCommand},
        {u"<?a=32772", {}, kStrHelpBadCommand},
        {u"<?a=0>", {}, kStrHelpBadCommand},
        {u"<?a=>", {}, kStrHelpBadCommand},
        {u"<?a=#無い見出し>", {}, kStrHelpBadLink},
        {u"<?a=49999>", {}, kStrHelpBadLink},
    };
    const HelpIndex index = sampleIndex();
    for (const Case& c : cases) {
        StoreMessages messages;
        const HelpTopicPage page = readHelpTopic(u"本文\r\n" + std::u16string(c.line) + u"\r\n", index, messages);
        EXPECT_EQ(page.text, u"本文");
        EXPECT_EQ(page.commands, c.buttons) << toUtf8(c.line);
        if (c.message == 0) {
            EXPECT_TRUE(messages.empty()) << toUtf8(c.line);
        } else {
            ASSERT_EQ(messages.size(), 1u) << toUtf8(c.line);
            EXPECT_EQ(messages[0].text, formatText(uiText(c.message), {c.line}));
            EXPECT_EQ(messages[0].title, u"ヘルプ");
        }
    }
}

// A device-independent bitmap of w × h pixels, 24 bits.
std::vector<std::uint8_t> bitmap(int w, int h) {
    std::vector<std::uint8_t> b(40 + static_cast<std::size_t>((w * 3 + 3) / 4 * 4 * h), 0x80);
    std::fill(b.begin(), b.begin() + 40, 0);
    auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(0, 40);
    put(4, static_cast<std::uint32_t>(w));
    put(8, static_cast<std::uint32_t>(h));
    b[12] = 1;
    b[14] = 24;
    return b;
}

TEST(HelpImagesTest, PicturesByNumber) {
    const std::vector<std::vector<std::uint8_t>> pictures = {bitmap(2, 2), {}, bitmap(5, 1), {1, 2, 3}};
    const std::vector<std::uint8_t> file = HelpImages::write(pictures);
    const HelpImages images = HelpImages::parse(file);
    ASSERT_EQ(images.count(), 4);
    const auto first = images.bitmapFile(0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size(), 14 + pictures[0].size());
    EXPECT_EQ((std::vector<std::uint8_t>(first->begin(), first->begin() + 2)), (std::vector<std::uint8_t>{'B', 'M'}));
    EXPECT_EQ((*first)[10], 54) << "pixels after both headers";
    EXPECT_TRUE(images.bitmapFile(2));
    EXPECT_FALSE(images.bitmapFile(1)) << "no picture";
    EXPECT_FALSE(images.bitmapFile(3)) << "not a bitmap";
    EXPECT_FALSE(images.bitmapFile(4));
    EXPECT_FALSE(images.bitmapFile(-1));

    // Damage: a count past the file, an entry past the data, a bitmap cut short.
    std::vector<std::uint8_t> b = file;
    b[12] = 200;
    EXPECT_EQ(HelpImages::parse(b).count(), 0);
    b = file;
    b[20 + 12 * 2 + 4] = 0xFF;
    b[20 + 12 * 2 + 7] = 0xFF;
    EXPECT_FALSE(HelpImages::parse(b).bitmapFile(2));
    b = file;
    b.resize(b.size() - 3 - 2);
    EXPECT_FALSE(HelpImages::parse(b).bitmapFile(2));
    EXPECT_TRUE(HelpImages::parse(b).bitmapFile(0));
    EXPECT_EQ(HelpImages::parse({1, 2, 3}).count(), 0);
}

TEST(SituationStacksTest, FiveDeepAndPoppedFromTheTop) {
    SituationStacks stacks;
    StoreMessages messages;
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(stacks.push(HelpBoard::Main, {100 + i, -1, true}, messages));
    EXPECT_FALSE(stacks.push(HelpBoard::Main, {200, -1, true}, messages));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, u"動作状態(1)の保管制限を超過しました。");
    EXPECT_EQ(messages[0].title, u"動作状態");
    EXPECT_EQ(stacks.top(HelpBoard::Main)->topic, 104);
    EXPECT_TRUE(stacks.push(HelpBoard::Study, {300, 2, false}, messages)) << "the study board's own stack";

    EXPECT_FALSE(stacks.pop(HelpBoard::Main, 103)) << "not on top";
    EXPECT_EQ(stacks.depth(HelpBoard::Main), 5u);
    EXPECT_EQ(stacks.pop(HelpBoard::Main, 104), (HelpSituation{104, -1, true}));
    EXPECT_EQ(stacks.top(HelpBoard::Main)->topic, 103);
    EXPECT_EQ(stacks.pop(HelpBoard::Study, 300), (HelpSituation{300, 2, false}));
    EXPECT_FALSE(stacks.top(HelpBoard::Study));
    EXPECT_FALSE(stacks.pop(HelpBoard::Study, 300));

    for (int i = 0; i < 5; ++i) stacks.push(HelpBoard::Study, {i, -1, true}, messages);
    EXPECT_FALSE(stacks.push(HelpBoard::Study, {9, -1, true}, messages));
    EXPECT_EQ(messages.back().text, u"動作状態(0)の保管制限を超過しました。");
}

} // namespace
} // namespace stonewise
