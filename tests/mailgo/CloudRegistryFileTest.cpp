#include "mailgo/CloudRegistryFile.h"

#include <gtest/gtest.h>

#include "CloudTestFiles.h"
#include "mailgo/CloudTexts.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/DataFolder.h"
#include "store/FileIo.h"
#include "store/StoreStrings.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One used folder "/c" with a live file "a" (time record 0, fifth value 7) and a deleted nameless
// file of generation 1, then an empty folder slot.
CloudFolders fixtureFolders() {
    CloudFolder f{1, u"/c", {}};
    f.files.push_back({1, 0, 0, 0, 7, 0, u"a"});
    f.files.push_back({1, 4, 1, -1, 0, -1, std::nullopt});
    return {f, std::nullopt};
}

const Bytes kFixture = {
    0x54, 0x63, 0x72, 0x81, 0x01, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00, 0x1C, 0x00, 0x02, 0x00, // header
    0x0A, 0x00, 0x04, 0x00,                                                                         // folder slot 0
    0x02, 0x01, 0x02, 0x00, 0x01, 0x00,                                                             // folder number
    0x02, 0x02, 0x02, 0x00, 0x02, 0x00,                                                             // file count
    0x07, 0x03, 0x03, 0x00, 0x2F, 0x00, 0x63, 0x00, 0x00, 0x00,                                     // "/c"
    0x08, 0x04, 0x00, 0x00,                                                                         // the file list
    0x09, 0x00, 0x07, 0x00,                                                                         // file slot 0
    0x02, 0x0B, 0x02, 0x00, 0x01, 0x00,                                                             // folder number
    0x02, 0x0C, 0x02, 0x00, 0x00, 0x00,                                                             // slot key
    0x02, 0x0D, 0x02, 0x00, 0x00, 0x00,                                                             // generation
    0x02, 0x0E, 0x02, 0x00, 0x00, 0x00,                                                             // state
    0x02, 0x0F, 0x02, 0x00, 0x07, 0x00,                                                             // fifth value
    0x04, 0x10, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00,                                                 // time slot 0
    0x07, 0x11, 0x02, 0x00, 0x61, 0x00, 0x00, 0x00,                                                 // "a"
    0x09, 0x01, 0x07, 0x00,                                                                         // file slot 1
    0x02, 0x0B, 0x02, 0x00, 0x01, 0x00,                                                             //
    0x02, 0x0C, 0x02, 0x00, 0x04, 0x00,                                                             //
    0x02, 0x0D, 0x02, 0x00, 0x01, 0x00,                                                             //
    0x02, 0x0E, 0x02, 0x00, 0xFF, 0xFF,                                                             // deleted
    0x02, 0x0F, 0x02, 0x00, 0x00, 0x00,                                                             //
    0x04, 0x10, 0x04, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,                                                 // no time slot
    0x07, 0x11, 0x00, 0x00,                                                                         // no name
    0xFF, 0x00, 0x00, 0x00, // end of the file list
    0x0A, 0x01, 0x00, 0x00, // folder slot 1: empty
    0xFF, 0x00, 0x00, 0x00, // end
};

TEST(CloudRegistryFile, CloudDataIsWrittenByteForByteAsLaidOutAndReadsBack) {
    EXPECT_EQ(encodeCloudData(fixtureFolders()), kFixture);
    const CloudDataRead read = decodeCloudData(kFixture);
    EXPECT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.folders, fixtureFolders());
}

TEST(CloudRegistryFile, ATimeBlockHoldsAThousandRecordsIndexedByTheirLowEightBits) {
    const std::vector<CloudTime> records{{2026, 12, 10, 23, 59, 58}, {}, {2001, 2, 3, 4, 5, 6}};
    const Bytes bytes = encodeCloudTimeBlock(records, 1003);
    ASSERT_EQ(bytes.size(), 16u + 1000 * 16 + 4);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 16),
              (Bytes{0x54, 0x63, 0x72, 0x81, 1, 0, 0, 0, 0x15, 0, 0, 0, 8, 0, 0xEB, 0x03}));
    EXPECT_EQ(Bytes(bytes.begin() + 16, bytes.begin() + 32),
              (Bytes{0x0A, 0, 1, 0, 0x08, 0x01, 8, 0, 0xEA, 0x07, 12, 10, 23, 59, 58, 0}));
    const std::size_t element256 = 16 + 256 * 16;
    EXPECT_EQ(Bytes(bytes.begin() + element256, bytes.begin() + element256 + 4), (Bytes{0x0A, 0x00, 1, 0}));
    EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), (Bytes{0xFF, 0, 0, 0}));

    const CloudTimeRead read = decodeCloudTimeBlock(bytes);
    EXPECT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.count, 1003);
    ASSERT_EQ(read.records.size(), 1000u);
    EXPECT_EQ(read.records[0], records[0]);
    EXPECT_EQ(read.records[2], records[2]);
    EXPECT_TRUE(read.records[999].empty());
}

// A registry whose one folder has files with time records 999, 1000 and 1499 of 1,500.
struct StoredRegistry {
    test::TempFolder dir;
    DataFolder data{dir.path()};

    static CloudTime recordTime(int i) { return cloudTimeFromSeconds(1'700'000'000 + std::int64_t{i} * 61); }

    StoredRegistry() {
        CloudFolder f{1, u"/c", {}};
        f.files.push_back({1, 0, 0, 0, 0, 999, u"a.nextmove"});
        f.files.push_back({1, 4, 0, 0, 0, 1000, u"b.nextmove"});
        f.files.push_back({1, 8, 0, 0, 0, 1499, u"c.nextmove"});
        writeFileAtomically(data.file(kCloudDataFileName), encodeCloudData({f}));
        std::vector<CloudTime> times;
        for (int i = 0; i < 1500; ++i) times.push_back(recordTime(i));
        writeFileAtomically(data.file("CloudTime00.dat"), encodeCloudTimeBlock(std::span(times).first(1000), 1500));
        writeFileAtomically(data.file("CloudTime01.dat"), encodeCloudTimeBlock(std::span(times).subspan(1000), 1500));
    }
    CloudRegistry load(StoreMessages& messages) const {
        return loadCloudRegistry(data, StringTable::japanese(), messages);
    }
    Bytes file(const std::string& name) const { return readWholeFile(data.file(name)).value_or(Bytes{}); }
};

TEST(CloudRegistryFile, TimeFilesHoldAThousandRecordsEachAndOnlyChangedBlocksAreWritten) {
    StoredRegistry stored;
    StoreMessages messages;
    CloudRegistry r = stored.load(messages);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(r.timeCount(), 1500);
    EXPECT_EQ(r.time(r.entry(0x10000)->timeSlot), StoredRegistry::recordTime(999));
    EXPECT_EQ(r.time(r.entry(0x10004)->timeSlot), StoredRegistry::recordTime(1000));
    EXPECT_EQ(r.time(1499), StoredRegistry::recordTime(1499));

    // Dropping the file of record 1000 changes the second time file only.
    const Bytes first = stored.file("CloudTime00.dat");
    ASSERT_TRUE(r.dropFile(0x10004));
    EXPECT_EQ(r.changedTimeBlocks(), std::vector<int>{1});
    ASSERT_TRUE(saveCloudRegistry(r, stored.data, StringTable::japanese(), messages));
    EXPECT_EQ(stored.file("CloudTime00.dat"), first);
    EXPECT_TRUE(r.changedTimeBlocks().empty());
    EXPECT_EQ(r.changes(), 0);

    CloudRegistry back = stored.load(messages);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(back.entry(0x10004), nullptr);
    EXPECT_TRUE(back.time(1000).empty());
    EXPECT_EQ(back.time(1001), StoredRegistry::recordTime(1001));
    EXPECT_EQ(back.folders(), r.folders());
}

TEST(CloudRegistryFile, ARecordThatOpensANewBlockAlsoRewritesTheCountOfTheFirstFile) {
    test::TempFolder dir;
    DataFolder data(dir.path());
    std::vector<CloudTime> full(1000, CloudTime{2020, 1, 1, 0, 0, 0});
    CloudFolder f{1, fromUtf8(dir.path() + "cloud"), {}};
    for (int i = 0; i < 1000; ++i) f.files.push_back({1, static_cast<std::uint16_t>(i * 4), 0, 0, 0, i, u"x"});
    CloudRegistry r({f}, full);
    makeFolder(dir.path() + "cloud");
    const std::string file = dir.path() + "cloud/new.nextmove";
    test::writeFileAt(file, "x", 1'800'000'000);
    const CloudFileId id = r.registerFile(fromUtf8(file)).id;
    ASSERT_TRUE(r.recordFileTime(id));
    EXPECT_EQ(r.entry(id)->timeSlot, 1000);
    EXPECT_EQ(r.changedTimeBlocks(), (std::vector<int>{0, 1}));

    StoreMessages messages;
    ASSERT_TRUE(saveCloudRegistry(r, data, StringTable::japanese(), messages));
    CloudRegistry back = loadCloudRegistry(data, StringTable::japanese(), messages);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(back.timeCount(), 1001);
    EXPECT_EQ(back.time(back.entry(id)->timeSlot), cloudTimeFromSeconds(1'800'000'000));
}

TEST(CloudRegistryFile, DamagedOrForeignFilesGiveTheirMessageAnEmptyRegistryAndStayAsTheyAre) {
    const StringTable& strings = StringTable::japanese();
    const StoreMessage version{storeText(strings, kStrCloudDataVersion), u"ファイル読み込み"};
    const StoreMessage damaged{u"エラーが発生しました。保存されたデータが異常です。", u"クラウド情報の読み込み"};
    EXPECT_EQ(version.text,
              u"クラウド情報ファイルの読み込みが失敗しました。\r\n互換性の無いバージョンのファイルです。");

    auto with = [](Bytes b, std::size_t at, std::uint8_t value) {
        b[at] = value;
        return b;
    };
    auto cut = [](const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + static_cast<long>(n)); };
    const Bytes times = encodeCloudTimeBlock(std::vector<CloudTime>{{2026, 1, 1, 0, 0, 0}}, 1);
    const struct {
        const char* what;
        Bytes data;
        std::optional<Bytes> time;
        std::optional<StoreMessage> message;
    } cases[] = {
        {"version 2", with(kFixture, 4, 2), times, version},
        {"a short header", cut(kFixture, 15), times, damaged},
        {"cut inside the folder path", cut(kFixture, 40), times, damaged},
        {"cut inside the file list", cut(kFixture, 100), times, damaged},
        {"no end of the file list", cut(kFixture, kFixture.size() - 12), times, damaged},
        {"a file head with mark 10", with(kFixture, 46, 10), times, damaged},
        {"a folder head with mark 9", with(kFixture, 16, 9), times, damaged},
        {"a time file of version 3", kFixture, with(times, 4, 3), version},
        {"a cut time file", kFixture, cut(times, 1000), damaged},
        {"a time record with mark 7", kFixture, with(times, 16 + 16 * 5, 7), damaged},
        {"a second time file missing", kFixture, with(with(times, 14, 0xE9), 15, 0x03) /* 1001 records */, damaged},
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        DataFolder data(dir.path());
        writeFileAtomically(data.file(kCloudDataFileName), c.data);
        if (c.time) writeFileAtomically(data.file("CloudTime00.dat"), *c.time);
        StoreMessages messages;
        CloudRegistry r = loadCloudRegistry(data, strings, messages);
        EXPECT_TRUE(r.folders().empty()) << c.what;
        EXPECT_EQ(messages, StoreMessages{*c.message}) << c.what;
        // Nothing changed: closing the program writes nothing over the files.
        ASSERT_TRUE(saveCloudRegistry(r, data, strings, messages));
        EXPECT_EQ(readWholeFile(data.file(kCloudDataFileName)), c.data) << c.what;
        EXPECT_EQ(readWholeFile(data.file("CloudTime00.dat")), c.time) << c.what;
    }

    // No files at all: an empty registry, silently.
    test::TempFolder empty;
    StoreMessages messages;
    EXPECT_TRUE(loadCloudRegistry(DataFolder(empty.path()), strings, messages).folders().empty());
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace stonewise
