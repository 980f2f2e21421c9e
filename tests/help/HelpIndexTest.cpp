// The help text's reader, the index of its topics and its cache "HelpIndex.dat".
#include <gtest/gtest.h>

#include <functional>

#include <utime.h>

#include "help/HelpContents.h"
#include "help/HelpIndex.h"
#include "help/HelpStrings.h"
#include "help/HelpText.h"
#include "help/HelpTextBytes.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

using test::utf16File;

HelpTextFile helpText(std::u16string_view topics, int release = 3) {
    StoreMessages messages;
    auto file = parseHelpText(
        utf16File(u"Stonewise Help\r\nRelease " + std::u16string(toU16(release)) + u"\r\n" + std::u16string(topics)),
        messages);
    EXPECT_TRUE(file) << "the help text's first lines";
    return file ? *file : HelpTextFile{};
}

// One line per entry: level, topic, heading, body.
std::vector<std::u16string> dump(const HelpTextFile& file, const HelpIndex& index) {
    std::vector<std::u16string> lines;
    for (const HelpIndexEntry& e : index.entries())
        lines.push_back(toU16(e.level) + u" " + toU16(e.topic) + u" " + std::u16string(index.heading(e)) + u"|" +
                        file.text.substr(e.body, e.bodyLength));
    return lines;
}

TEST(HelpTextTest, FirstLinesAreChecked) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        int message; // 0: read
        int release;
    };
    const std::vector<Case> cases = {
        {utf16File(u"Stonewise Help\r\nRelease 12\r\n[C-0-1] a\r\n"), 0, 12},
        {utf16File(u"Stonewise Help ja\n\n\nRelease\t\t7\n"), 0, 7},
        {{'S', 0, 't', 0}, kStrHelpNotUnicode, 0},
        {{}, kStrHelpNotUnicode, 0},
        {{0xFF}, kStrHelpNotUnicode, 0},
        {utf16File(u"Other Help\r\nRelease 12\r\n"), kStrHelpBadHeader, 0},
        {utf16File(u"Stonewise Help\r\nRelease\r\n"), kStrHelpBadHeader, 0},
        {utf16File(u"Stonewise Help\r\nRelease12\r\n"), kStrHelpBadHeader, 0},
        {utf16File(u"Stonewise Help\r\n[C-0-1] a\r\nRelease 1\r\n"), kStrHelpBadHeader, 0},
    };
    for (const Case& c : cases) {
        StoreMessages messages;
        const auto file = parseHelpText(c.bytes, messages);
        if (c.message == 0) {
            ASSERT_TRUE(file);
            EXPECT_EQ(file->release, c.release);
            EXPECT_TRUE(messages.empty());
        } else {
            EXPECT_FALSE(file);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, uiText(c.message));
            EXPECT_EQ(messages[0].title, u"ヘルプ");
        }
    }
}

TEST(HelpTextTest, MissingFileNamesThePath) {
    test::TempFolder folder;
    StoreMessages messages;
    EXPECT_FALSE(HelpContents::open(folder.path(), folder.path() + kHelpIndexFileName, messages));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              u"ヘルプデータファイルが見つかりません。\r\n" + fromUtf8(folder.path()) + u"HelpContents.txt");
}

TEST(HelpIndexTest, TopicsOfThisEditionWithTheirBodies) {
    const HelpTextFile file = helpText(u"[C-0-20] 始めに\r\n\r\n本文1\r\n二行目\r\n"
                                       u"// a comment ends the body\r\nnot in any body\r\n"
                                       u"[P-0-21] other edition\r\nskipped\r\n"
                                       u"[A-1-40000]\u3000\t概要\r\n本文2\r\n?=token\r\n"
                                       u"[M-1-22] edition two\r\n[B-1-23] edition three\r\n"
                                       u"[A.7.5]小節\n本文3\n"
                                       u"[C-0-30]\r\n");
    StoreMessages messages;
    const HelpIndex index = HelpIndex::build(file.text, messages);
    EXPECT_TRUE(messages.empty());
    const std::vector<std::u16string> expected = {
        u"0 20 始めに|本文1\r\n二行目\r\n",
        u"1 40000 概要|本文2\r\n?=token\r\n",
        u"7 5 小節|本文3\n",
        u"0 30 |",
    };
    EXPECT_EQ(dump(file, index), expected);
    EXPECT_EQ(index.entries()[2].number, 2);
    EXPECT_EQ(index.entries()[3].heading, 0u) << "no heading";
}

TEST(HelpIndexTest, OnlyOtherEditionsGiveAnEmptyIndex) {
    const HelpTextFile file = helpText(u"[P-0-1] a\r\nx\r\n[P-1-2] b\r\n[M-0-3] c\r\n");
    StoreMessages messages;
    EXPECT_TRUE(HelpIndex::build(file.text, messages).entries().empty());
    EXPECT_TRUE(messages.empty());
}

TEST(HelpIndexTest, MalformedTopicLinesAreSaidAndSkipped) {
    const std::u16string topics = u"[C-0-x1] no number\r\nbody\r\n[C-0-] empty\r\n[C-0-12 unclosed\r\n"
                                  u"[C-X-1] no level\r\n[C] short\r\n[C-0-7] good\r\nkept\r\n";
    const HelpTextFile file = helpText(topics);
    StoreMessages messages;
    const HelpIndex index = HelpIndex::build(file.text, messages);
    EXPECT_EQ(dump(file, index), std::vector<std::u16string>{u"0 7 good|kept\r\n"});
    const std::size_t at = file.text.find(u"[C-0-]");
    const std::vector<std::u16string> said = {
        u"シンボルが見付からない。x1\n",
        u"makeHelpIndexTableFromHelpData: ID記号が見付からない。" + toU16(static_cast<int>(at)) + u"\n",
        u"makeHelpIndexTableFromHelpData: ID記号が見付からない。" +
            toU16(static_cast<int>(file.text.find(u"[C-0-12"))) + u"\n",
        u"makeHelpIndexTableFromHelpData: ID記号が見付からない。" + toU16(static_cast<int>(file.text.find(u"[C-X"))) +
            u"\n",
        u"makeHelpIndexTableFromHelpData: ID記号が見付からない。" + toU16(static_cast<int>(file.text.find(u"[C]"))) +
            u"\n",
    };
    ASSERT_EQ(messages.size(), said.size());
    for (std::size_t i = 0; i < said.size(); ++i) EXPECT_EQ(messages[i].text, said[i]);
}

TEST(HelpIndexTest, FullTablesEndTheBuilding) {
    std::u16string many;
    for (int i = 0; i < 2005; ++i) many += u"[C-1-" + toU16(i) + u"] h\r\n";
    std::u16string long_headings;
    for (int i = 0; i < 1200; ++i) long_headings += u"[C-1-" + toU16(i) + u"] " + std::u16string(200, u'見') + u"\r\n";
    struct Case {
        std::u16string topics;
        std::size_t entries;
        std::u16string_view message;
    };
    const std::vector<Case> cases = {
        {many, 2000, u"makeHelpIndexTableFromHelpData: テーブルが満杯になった。"},
        // Headings are kept to 127 characters: 127 + 1 per topic until fewer than 128 are left.
        {long_headings, (128000 - 1) / 128, u"makeHelpIndexTableFromHelpData: 見出しバッファが不足。\n"},
    };
    for (const Case& c : cases) {
        const HelpTextFile file = helpText(c.topics);
        StoreMessages messages;
        const HelpIndex index = HelpIndex::build(file.text, messages);
        EXPECT_EQ(index.entries().size(), c.entries);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].text.starts_with(c.message));
        EXPECT_LE(index.heading(index.entries().back()).size(), 127u);
    }
}

TEST(HelpIndexTest, FindingTopics) {
    const HelpTextFile file = helpText(u"[C-0-1] chapter 1\r\n[C-1-10] s10\r\n[C-7-100] ss100\r\n[C-7-101] ss101\r\n"
                                       u"[C-0-2] chapter 2\r\n[C-1-10] s10 of 2\r\n[C-7-100] ss100 of 2\r\n"
                                       u"[C-1-12345] flash\r\n[A-1-40000] overview\r\n");
    StoreMessages messages;
    const HelpIndex index = HelpIndex::build(file.text, messages);
    struct Case {
        int topic, sub, subSub;
        std::u16string_view heading; // empty: nothing found
    };
    const std::vector<Case> cases = {
        {1, -1, -1, u"chapter 1"}, {2, -1, -1, u"chapter 2"},    {1, 10, -1, u"s10"},
        {2, 10, -1, u"s10 of 2"},  {1, 10, 101, u"ss101"},       {2, 10, 100, u"ss100 of 2"},
        {2, 10, 101, u""},         {1, 12345, -1, u""},          {-1, 12345, -1, u"flash"},
        {-1, 10, -1, u"s10"},      {40000, -1, -1, u"overview"}, {3, -1, -1, u""},
        {-1, -1, -1, u""},
    };
    for (const Case& c : cases) {
        const auto found = index.find(c.topic, c.sub, c.subSub);
        const std::u16string_view heading = found ? index.heading(index.entries()[*found]) : std::u16string_view();
        EXPECT_EQ(heading, c.heading) << c.topic << " " << c.sub << " " << c.subSub;
    }
    EXPECT_EQ(index.findHeading(u"ss100 of 2"), 6u);
    EXPECT_FALSE(index.findHeading(u"ss100 of"));
}

TEST(HelpIndexTest, CacheFileRoundTripAndStaleness) {
    const HelpTextFile file = helpText(u"[C-0-1] 一\r\nbody\r\n[A-1-2] 二\r\n[C-7-3]\r\n", 5);
    StoreMessages messages;
    const HelpIndex index = HelpIndex::build(file.text, messages);
    const std::uint64_t time = 0x0123456789ABCDEFull;
    const std::vector<std::uint8_t> bytes = index.write(5, time);
    // Header, three entries, the heading table ("\0一\0二\0").
    ASSERT_EQ(bytes.size(), 20u + 3 * 24 + 5 * 2);
    const std::vector<std::uint8_t> header(bytes.begin(), bytes.begin() + 20);
    EXPECT_EQ(header, (std::vector<std::uint8_t>{0x23, 0x10, 5, 0, 0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45,
                                                 0x23, 0x01, 3, 0, 0,    0,    5,    0,    0,    0}));
    const std::vector<std::uint8_t> second(bytes.begin() + 44, bytes.begin() + 68);
    EXPECT_EQ(second, (std::vector<std::uint8_t>{
                          1, 0, 1, 0, 2, 0, 0, 0, 3, 0, 0, 0, static_cast<std::uint8_t>(index.entries()[1].body),
                          0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    const auto back = HelpIndex::read(bytes, 5, time, file.text.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->entries(), index.entries());
    EXPECT_EQ(back->heading(back->entries()[1]), u"二");
    EXPECT_EQ(back->write(5, time), bytes);

    EXPECT_FALSE(HelpIndex::read(bytes, 6, time, file.text.size())) << "another release";
    EXPECT_FALSE(HelpIndex::read(bytes, 5, time + 1, file.text.size())) << "another file time";
    EXPECT_FALSE(HelpIndex::read(bytes, 5, time, 10)) << "bodies past the text";
    auto damaged = [&](auto change) {
        std::vector<std::uint8_t> b = bytes;
        change(b);
        return HelpIndex::read(b, 5, time, file.text.size()).has_value();
    };
    EXPECT_FALSE(damaged([](auto& b) { b.pop_back(); }));
    EXPECT_FALSE(damaged([](auto& b) { b[0] = 0; }));
    EXPECT_FALSE(damaged([](auto& b) { b[12] = 200; }));
    EXPECT_FALSE(damaged([](auto& b) { b[20 + 8] = 9; }));         // a heading past its table
    EXPECT_FALSE(damaged([](auto& b) { b.back() = 'x'; }));        // the last heading unended
    EXPECT_FALSE(damaged([](auto& b) { b[20 + 16 + 3] = 0x7F; })); // a body past the text
}

// Sets a file's modification time to `seconds` since 1970.
void setTime(const std::string& path, long seconds) {
    const utimbuf times{seconds, seconds};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
}

TEST(HelpIndexTest, TheCacheIsUsedUntilTheTextChanges) {
    test::TempFolder folder;
    const std::string text = folder.path() + kHelpTextFileName;
    const std::string cache = folder.path() + "data/HelpIndex.dat";
    ASSERT_TRUE(makeFolder(folder.path() + "data"));
    auto write = [&](std::u16string_view content, long seconds) {
        ASSERT_TRUE(writeFileAtomically(text, utf16File(content)));
        setTime(text, seconds);
    };
    write(u"Stonewise Help\r\nRelease 1\r\n[C-0-1] one\r\n", 1000000);
    struct Step {
        std::function<void()> change;
        bool built;
        std::u16string_view heading;
    };
    const std::vector<Step> steps = {
        {[] {}, true, u"one"},
        {[] {}, false, u"one"},
        {[&] { write(u"Stonewise Help\r\nRelease 2\r\n[C-0-1] two\r\n", 1000000); }, true, u"two"},
        {[] {}, false, u"two"},
        {[&] { write(u"Stonewise Help\r\nRelease 2\r\n[C-0-1] three\r\n", 2000000); }, true, u"three"},
        {[&] {
             ASSERT_TRUE(writeFileAtomically(cache, std::vector<std::uint8_t>{0x23, 0x10, 2}));
         },
         true, u"three"},
        {[] {}, false, u"three"},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].change();
        StoreMessages messages;
        const auto help = HelpContents::open(folder.path(), cache, messages);
        ASSERT_TRUE(help);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(help->indexBuilt(), steps[i].built) << "step " << i;
        EXPECT_EQ(help->heading(0), steps[i].heading) << "step " << i;
        EXPECT_TRUE(pathExists(cache));
    }
}

} // namespace
} // namespace stonewise
