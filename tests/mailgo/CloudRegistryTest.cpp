#include "mailgo/CloudRegistry.h"

#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include "CloudTestFiles.h"
#include "record/Text.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

TEST(CloudRegistry, IdentifiersCountFoldersFromOneSlotsByFourAndMatchOnlyTheirOwnGeneration) {
    CloudRegistry r;
    const auto a = r.registerFile(u"/cloud/one/a.nextmove");
    const auto b = r.registerFile(u"/cloud/one/b.nextmove");
    const auto c = r.registerFile(u"/cloud/two/c.nextmove");
    EXPECT_EQ(a.id, 0x10000u);
    EXPECT_EQ(b.id, 0x10004u);
    EXPECT_EQ(c.id, 0x20000u);
    EXPECT_TRUE(a.created);
    EXPECT_EQ(r.changes(), 5); // two folders, three files

    // Folders and files are found again ignoring case and a closing "/".
    EXPECT_EQ(r.findFolder(u"/CLOUD/One/"), 1);
    const auto again = r.registerFile(u"/Cloud/ONE/B.NextMove");
    EXPECT_EQ(again.id, b.id);
    EXPECT_FALSE(again.created);

    for (CloudFileId nothing : {0u, 0x10001u, 0x10008u, 0x30000u, 0x0004u, 0xFFFF0000u})
        EXPECT_EQ(r.entry(nothing), nullptr) << std::hex << nothing;
    EXPECT_EQ(r.path(b.id), u"/cloud/one/b.nextmove");
    EXPECT_EQ(r.path(0x10001u), std::nullopt);

    // A dropped entry refers to nothing; its slot comes back with the next generation, and the
    // old identifier stays dead.
    ASSERT_TRUE(r.dropFile(b.id));
    EXPECT_EQ(r.entry(b.id), nullptr);
    EXPECT_FALSE(r.dropFile(b.id));
    const auto reused = r.registerFile(u"/cloud/one/d.nextmove");
    EXPECT_EQ(reused.id, 0x10005u);
    EXPECT_EQ(r.entry(b.id), nullptr);
    EXPECT_EQ(r.path(reused.id), u"/cloud/one/d.nextmove");

    for (std::u16string_view bad : {u"", u"name-without-folder", u"/cloud/one/"})
        EXPECT_EQ(r.registerFile(bad).id, kNoCloudFile) << toUtf8(bad);
}

TEST(CloudRegistry, BaseNamesAndStudyFileNames) {
    const struct {
        std::u16string_view path, base;
    } cases[] = {
        {u"/c/game.nextmove", u"/c/game"},
        {u"/c/a.b.nextmove", u"/c/a.b"},
        {u"/c.d/game", u"/c.d/game"}, // a dot of the folder is not the name's
        {u"/c/game", u"/c/game"},
    };
    for (const auto& c : cases) EXPECT_EQ(cloudBaseName(c.path), c.base) << toUtf8(c.path);
    EXPECT_EQ(cloudStudyFileName(u"/c/game.nextmove", u'B', 7), u"/c/game-B007.nextmove");
    EXPECT_EQ(cloudStudyFileName(u"/c/game.nextmove", u'W', 123), u"/c/game-W123.nextmove");
}

TEST(CloudRegistry, AStudyFileIsTheFirstByNameOfTheGivenLetter) {
    test::TempFolder dir;
    for (const char* name : {"game-W002.nextmove", "game-W001.NEXTMOVE", "game-B001.nextmove", "game-Wx.txt",
                             "other-W000.nextmove", "game.nextmove"})
        std::ofstream(dir.path() + name) << "x";
    const std::u16string game = fromUtf8(dir.path() + "game.nextmove");
    EXPECT_EQ(findCloudStudyFile(game, u'W'), dir.path() + "game-W001.NEXTMOVE");
    EXPECT_EQ(findCloudStudyFile(game, u'B'), dir.path() + "game-B001.nextmove");
    EXPECT_EQ(findCloudStudyFile(fromUtf8(dir.path() + "other.nextmove"), u'B'), std::nullopt);
    EXPECT_EQ(findCloudStudyFile(u"/no/such/folder/game.nextmove", u'W'), std::nullopt);
}

TEST(CloudRegistry, AFileHasChangedOnlyWhenWrittenLaterThanItsRecordedTime) {
    test::TempFolder dir;
    const std::string file = dir.path() + "game.nextmove";
    std::ofstream(file) << "x";
    CloudRegistry r;
    const CloudFileId id = r.registerFile(fromUtf8(file)).id;
    const std::int64_t t0 = 1'800'000'000;

    struct Step {
        std::int64_t writeTime; // -1: the file is removed
        bool record;            // the time is recorded after the question
        bool changed;
    };
    const Step steps[] = {
        {t0, false, true},         // never seen: news once, and its time is kept
        {t0, false, false},        // the same write time is not read again
        {t0 + 1, false, true},     // a second later
        {t0 + 1, true, true},      // still news until recorded
        {t0 + 1, false, false},    //
        {t0 - 3600, false, false}, // an older file is no news
        {-1, false, false},        // a file that cannot be read counts as unchanged
        {t0 + 60, false, true},    // written again
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        if (steps[i].writeTime < 0) ::unlink(file.c_str());
        else test::writeFileAt(file, "x", steps[i].writeTime);
        EXPECT_EQ(r.hasFileChanged(id), steps[i].changed) << "step " << i;
        if (steps[i].record) {
            EXPECT_TRUE(r.recordFileTime(id));
        }
    }
    EXPECT_FALSE(r.hasFileChanged(0x10004u));
    EXPECT_EQ(r.time(r.entry(id)->timeSlot), cloudTimeFromSeconds(t0 + 1));

    // Dropping the entry clears its record, and the record goes to the next file that needs one.
    const int slot = r.entry(id)->timeSlot;
    ASSERT_TRUE(r.dropFile(id));
    EXPECT_TRUE(r.time(slot).empty());
    const std::string other = dir.path() + "other.nextmove";
    test::writeFileAt(other, "x", t0);
    const CloudFileId next = r.registerFile(fromUtf8(other)).id;
    ASSERT_TRUE(r.recordFileTime(next));
    EXPECT_EQ(r.entry(next)->timeSlot, slot);
    EXPECT_EQ(r.timeCount(), 1);
}

TEST(CloudRegistry, AnEmptyTimeRecordIsFilledAndCountsAsNewsOnce) {
    // The record was lost (a time file that could not be read): the file is read once more rather
    // than never again.
    test::TempFolder dir;
    test::writeFileAt(dir.path() + "game.nextmove", "x", 1'800'000'000);
    CloudFolder f{1, fromUtf8(dir.path().substr(0, dir.path().size() - 1)), {}};
    f.files.push_back({1, 0, 0, 0, 0, 0, u"game.nextmove"});
    CloudRegistry r({f}, {CloudTime{}});
    EXPECT_TRUE(r.hasFileChanged(0x10000));
    EXPECT_FALSE(r.hasFileChanged(0x10000));
    EXPECT_EQ(r.time(0), cloudTimeFromSeconds(1'800'000'000));
}

TEST(CloudRegistry, CalendarTimesInUtc) {
    const struct {
        std::int64_t seconds;
        CloudTime time;
    } cases[] = {
        {0, {1970, 1, 1, 0, 0, 0}},
        {951782400, {2000, 2, 29, 0, 0, 0}},
        {1798761599, {2026, 12, 31, 23, 59, 59}},
        {4102444800, {2100, 1, 1, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cloudTimeFromSeconds(c.seconds), c.time) << c.seconds;
        EXPECT_EQ(secondsFromCloudTime(c.time), c.seconds);
    }
    // Field-by-field order: a later second of an earlier minute is still earlier.
    EXPECT_LT((CloudTime{2026, 1, 1, 10, 0, 59}), (CloudTime{2026, 1, 1, 10, 1, 0}));
}

} // namespace
} // namespace stonewise
