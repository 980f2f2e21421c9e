// The answer records of a book ("answerData.dat") and the list of installed packages.
#include <gtest/gtest.h>

#include "book/AnswerData.h"
#include "book/BookFixture.h"
#include "book/InstallerList.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

using test::hexBytes;

// Three problems: the first answered twice, the second never, the third once.
const char* const kAnswerFile = "42 36 27 18 02 00 00 00 0E 00 00 00 1E 00 03 00 "
                                "0A 00 05 00 "
                                "08 00 06 00 01 1A 0C 0B 09 1E "
                                "08 01 06 00 03 1A 0C 0B 0A 00 "
                                "08 02 06 00 00 00 00 00 00 00 "
                                "08 03 06 00 00 00 00 00 00 00 "
                                "08 04 06 00 00 00 00 00 00 00 "
                                "0A 01 00 00 "
                                "0A 02 05 00 "
                                "08 00 06 00 04 1B 01 02 03 04 "
                                "08 01 06 00 00 00 00 00 00 00 "
                                "08 02 06 00 00 00 00 00 00 00 "
                                "08 03 06 00 00 00 00 00 00 00 "
                                "08 04 06 00 00 00 00 00 00 00 "
                                "FF 00 00 00";

TEST(AnswerData, HandWrittenFileReadsAndWritesBackTheSame) {
    const std::vector<std::uint8_t> bytes = hexBytes(kAnswerFile);
    const AnswerTable t = AnswerTable::decode(bytes);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t.at(0)->slots[0], (AnswerSlot{1, 26, 12, 11, 9, 30}));
    EXPECT_EQ(t.at(0)->latest(), AnswerResult::Failure);
    EXPECT_TRUE(t.at(1)->empty());
    EXPECT_EQ(t.at(2)->latest(), AnswerResult::Abandoned);
    EXPECT_EQ(t.encode(), bytes);
}

TEST(AnswerData, DamagedFilesGiveWhatCanBeRead) {
    const std::vector<std::uint8_t> whole = hexBytes(kAnswerFile);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::size_t records;
        bool firstAnswered;
    };
    std::vector<std::uint8_t> wrongVersion = whole;
    wrongVersion[4] = 1;
    const Case cases[] = {
        {"shorter than its header", std::vector<std::uint8_t>(whole.begin(), whole.begin() + 15), 0, false},
        {"wrong version", wrongVersion, 0, false},
        {"elements end early", std::vector<std::uint8_t>(whole.begin(), whole.begin() + 90), 3, true},
        {"ends inside the first element", std::vector<std::uint8_t>(whole.begin(), whole.begin() + 40), 3, false},
    };
    for (const Case& c : cases) {
        const AnswerTable t = AnswerTable::decode(c.bytes);
        EXPECT_EQ(t.size(), c.records) << c.what;
        if (t.size()) {
            EXPECT_EQ(!t.at(0)->empty(), c.firstAnswered) << c.what;
            EXPECT_TRUE(t.at(2)->empty()) << c.what << ": the problems after the end stay zeroed";
        }
    }
}

TEST(AnswerData, SixthAnswerDropsTheOldest) {
    AnswerRecord r;
    const AnswerResult results[] = {AnswerResult::Correct,   AnswerResult::Variation, AnswerResult::Failure,
                                    AnswerResult::Abandoned, AnswerResult::Correct,   AnswerResult::Failure};
    for (int i = 0; i < 6; ++i) r.record(results[i], AnswerTime{2026, 12, 11, 2, i});
    EXPECT_EQ(r.slots[0].result, 2);
    EXPECT_EQ(r.slots[4].result, 3);
    EXPECT_EQ(r.slots[4].minute, 5);
    EXPECT_EQ(r.slots[4].year, 26);
}

TEST(AnswerData, RecordingSurvivesSaveAndLoad) {
    test::TempFolder folder;
    const std::string path = folder.path() + kAnswerFileName;
    AnswerTable t = AnswerTable::load(path);
    EXPECT_EQ(t.size(), 0u) << "a missing file is an empty table";
    t.record(4, AnswerResult::Correct, AnswerTime{2027, 1, 2, 3, 4});
    EXPECT_TRUE(t.changed());
    ASSERT_TRUE(t.save(path));
    const AnswerTable back = AnswerTable::load(path);
    ASSERT_EQ(back.size(), 5u);
    EXPECT_EQ(back.at(4)->slots[0], (AnswerSlot{1, 27, 1, 2, 3, 4}));
    EXPECT_TRUE(back.at(3)->empty());
}

TEST(InstallerList, HandWrittenFileAndRoundTrip) {
    // One package: ids 1-4 of widths 4, 2, 1, 4, three texts, ids 8 and 9.
    const std::vector<std::uint8_t> bytes = hexBytes("54 63 72 81 01 00 00 00 00 00 00 00 1C 00 01 00 "
                                                     "0A 00 09 00 "
                                                     "04 01 04 00 01 00 00 00 "
                                                     "02 02 02 00 34 12 "
                                                     "01 03 01 00 07 "
                                                     "04 04 04 00 FF FF FF FF "
                                                     "07 05 02 00 81 78 00 00 "
                                                     "07 06 00 00 "
                                                     "07 07 02 00 41 00 00 00 "
                                                     "04 08 04 00 08 00 00 00 "
                                                     "04 09 04 00 09 00 00 00 "
                                                     "FF 00 00 00");
    const InstallerList list = InstallerList::decode(bytes);
    ASSERT_EQ(list.packages.size(), 1u);
    const InstalledPackage& p = list.packages[0];
    EXPECT_EQ(p.numbers[1].value, 0x1234u);
    EXPECT_EQ(p.numbers[2].value, 7u);
    EXPECT_EQ(p.numbers[3].value, 0xFFFFFFFFu);
    EXPECT_EQ(p.numbers[5].value, 9u);
    EXPECT_EQ(p.texts[0], u"碁");
    EXPECT_EQ(p.texts[1], u"");
    EXPECT_EQ(p.texts[2], u"A");
    EXPECT_EQ(InstallerList::decode(list.encode()), list);
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + 50);
    EXPECT_TRUE(InstallerList::decode(cut).packages.empty());
}

} // namespace
} // namespace stonewise
