#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

#include "StoreTestSupport.h"
#include "record/StringTable.h"
#include "store/FileIo.h"
#include "store/SettingsFile.h"

namespace stonewise {
namespace {

using test::Bytes;

// Settings.dat written out field by field in the writer's order, with a distinct value per field.
Bytes storedSettings() {
    Bytes b;
    b.header(0, 244, 1);
    b.head(4, 1, 16).i32(400).i32(32).i32(1000).i32(768); // main window placement
    b.head(4, 2, 4).u32(0x00100003);                      // last view: mode 16, group 3
    b.head(2, 3, 4).u16(301).u16(302);                    // spare pair
    b.head(4, 5, 16).i32(-5).i32(6).i32(500).i32(400);    // study window placement
    b.head(2, 6, 4).u16(1).u16(1);                        // view flags
    b.head(2, 7, 2).u16(0);                               // study board independent
    b.head(2, 8, 2).u16(1);                               // komi as integer
    b.head(2, 9, 2).u16(7);                               // numbers before last move
    b.fieldText(10, u"第*局");                            // Mail Go title pattern
    b.head(3, 11, 2).u16(1);
    b.head(3, 12, 2).u16(2);
    b.head(3, 13, 2).u16(20); // moves per mail
    b.head(3, 15, 2).u16(1);
    b.head(3, 16, 2).u16(24); // unreceived warning hours
    b.head(3, 17, 2).u16(0);
    b.head(4, 18, 16).i32(10).i32(20).i32(640).i32(480); // help window
    b.head(3, 19, 2).u16(1);
    b.head(3, 20, 2).u16(0);
    b.head(3, 21, 2).u16(3); // print size
    b.head(3, 22, 2).u16(2);
    b.head(3, 23, 2).u16(1);
    b.head(3, 24, 2).u16(1);
    b.head(3, 25, 2).u16(1);
    b.head(3, 26, 2).u16(33);
    b.head(3, 27, 2).u16(20);
    b.head(4, 28, 16).i32(30).i32(40).i32(200).i32(150); // help picture window
    b.head(3, 30, 2).u16(25);                            // animation speed
    b.head(3, 31, 2).u16(131);
    b.head(3, 32, 2).u16(1); // origin bottom-left
    b.head(3, 33, 2).u16(3);
    b.head(3, 34, 2).u16(2);
    b.head(3, 35, 2).u16(1);
    b.head(3, 36, 2).u16(1);
    b.head(3, 40, 2).u16(140);
    b.head(3, 41, 2).u16(1);
    b.head(3, 42, 2).u16(30);  // flash speed
    b.head(3, 43, 2).u16(150); // flash afterimage
    b.head(3, 50, 2).u16(0);
    b.head(3, 51, 2).u16(0);
    b.head(3, 52, 2).u16(0);
    b.head(4, 53, 32).u32(1).u32(2).u32(3).u32(4).u32(5).u32(6).u32(7).u32(8);
    b.head(3, 54, 2).u16(1); // SGF in UTF-8
    b.head(4, 55, 32).i32(0).i32(4).i32(1).i32(5).i32(2).i32(3).i32(-1).i32(-1);
    b.head(3, 60, 2).u16(0);
    b.head(3, 61, 2).u16(1);
    b.fieldText(70, u"/home/user/books");
    b.fieldText(71, u"IPAPGothic");
    b.head(3, 72, 2).u16(12);
    b.head(3, 73, 2).u16(1);
    b.head(3, 74, 2).u16(0);
    b.end();
    return b;
}

SettingsRecord expectedSettings() {
    SettingsRecord s;
    s.mainWindow = {400, 32, 1000, 768};
    s.lastView = 0x00100003;
    s.sparePair = {301, 302};
    s.studyWindow = {-5, 6, 500, 400};
    s.viewFlags = {1, 1};
    s.studyBoardIndependent = 0;
    s.komiAsInteger = 1;
    s.numbersBeforeLastMove = 7;
    s.mailGoTitlePattern = u"第*局";
    s.automaticMailCreation = 1;
    s.mailBodyForm = 2;
    s.movesPerMail = 20;
    s.automaticMailFetch = 1;
    s.unreceivedWarningHours = 24;
    s.omitComments = 0;
    s.helpWindow = {10, 20, 640, 480};
    s.elapsedInMoveList = 1;
    s.commentMarks = 0;
    s.printSize = 3;
    s.printNumberSize = 2;
    s.sendAtOnce = 1;
    s.confirmReviewSending = 1;
    s.unsentWarningOff = 1;
    s.bookTextValue1 = 33;
    s.bookTextValue2 = 20;
    s.helpPictureWindow = {30, 40, 200, 150};
    s.animationSpeed = 25;
    s.spareDisplayValue = 131;
    s.coordinateOrigin = 1;
    s.horizontalLabels = 3;
    s.verticalLabels = 2;
    s.layoutSwitch = 1;
    s.coordinatesHidden = 1;
    s.drawingValue = 140;
    s.branchMarks = 1;
    s.flashSpeed = 30;
    s.flashAfterimage = 150;
    s.noSaveConfirmation = 0;
    s.externalRecordMode = 0;
    s.saveSgfToo = 0;
    s.spareBlock = {1, 2, 3, 4, 5, 6, 7, 8};
    s.sgfOutputEncoding = 1;
    s.modeGroups = {0, 4, 1, 5, 2, 3, -1, -1};
    s.listOption1 = 0;
    s.listOption2 = 1;
    s.bookPath = u"/home/user/books";
    s.bookTextFont = u"IPAPGothic";
    s.bookTextFontSize = 12;
    s.bookAutomatic = 1;
    s.bookContinuous = 0;
    s.mailOption = 1; // not stored: Default A gives it
    return s;
}

TEST(SettingsFile, ReadsEveryFieldOfTheLayoutAndWritesTheSameBytes) {
    const Bytes stored = storedSettings();
    SettingsRecord s;
    ASSERT_EQ(decodeSettings(stored, s), SettingsReadStatus::Loaded);
    EXPECT_EQ(s, expectedSettings());
    EXPECT_EQ(encodeSettings(s), stored.bytes());
}

TEST(SettingsFile, WriteReadWriteKeepsEveryValue) {
    SettingsRecord s = expectedSettings();
    s.mailGoTitlePattern.reset(); // written as a head of length 0
    s.bookPath.reset();           // not written at all
    s.bookTextFont = u"";
    const auto first = encodeSettings(s);
    SettingsRecord back;
    ASSERT_EQ(decodeSettings(first, back), SettingsReadStatus::Loaded);
    EXPECT_EQ(back, s);
    EXPECT_EQ(encodeSettings(back), first);
}

TEST(SettingsFile, UnknownFieldsOfAnyLengthAreSkipped) {
    Bytes b;
    b.header(0, 244, 1);
    b.head(2, 4, 3).u8(1).u8(2).u8(3);                        // skipped id, odd length
    b.head(7, 80, 40).chars(std::u16string(39, u'x')).u16(0); // unknown text of 40 characters
    b.head(4, 0, 4).u32(99);                                  // id 0
    b.head(3, 13, 2).u16(50);
    b.head(3, 200, 0); // unknown, empty
    b.head(3, 30, 2).u16(35);
    b.end();
    SettingsRecord s;
    ASSERT_EQ(decodeSettings(b, s), SettingsReadStatus::Loaded);
    EXPECT_EQ(s.movesPerMail, 50);
    EXPECT_EQ(s.animationSpeed, 35);
    EXPECT_EQ(s.flashAfterimage, 50); // Default A for what the file does not hold
}

TEST(SettingsFile, EveryLoadForcesTheLayoutSwitchTheViewFlagAndTheExternalMode) {
    Bytes b;
    b.header(0, 244, 1);
    b.head(2, 6, 4).u16(0).u16(7);
    b.head(3, 35, 2).u16(0);
    b.head(3, 51, 2).u16(1);
    b.end();
    SettingsRecord s;
    ASSERT_EQ(decodeSettings(b, s), SettingsReadStatus::Loaded);
    EXPECT_EQ(s.layoutSwitch, 1);
    EXPECT_EQ(s.viewFlags[0], 1);
    EXPECT_EQ(s.viewFlags[1], 7);
    EXPECT_EQ(s.externalRecordMode, 0);
}

TEST(SettingsFile, OverlongTextsAndBlocksStayInsideTheirBuffers) {
    Bytes b;
    b.header(0, 244, 1);
    b.head(7, 70, 301).chars(std::u16string(300, u'p')).u16(0); // 300 characters
    b.head(4, 55, 40);                                          // 8 values and 8 bytes more
    for (int i = 0; i < 10; ++i) b.i32(i);
    b.head(3, 54, 6).u16(2).u16(0xAAAA).u16(0xBBBB);
    b.head(3, 72, 2).u16(9);
    b.end();
    SettingsRecord s;
    ASSERT_EQ(decodeSettings(b, s), SettingsReadStatus::Loaded);
    EXPECT_EQ(s.bookPath, std::u16string(255, u'p'));
    EXPECT_EQ(s.modeGroups, (std::array<std::int32_t, 8>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(s.sgfOutputEncoding, 2);
    EXPECT_EQ(s.bookTextFontSize, 9);

    // The writer cuts a long text the same way.
    SettingsRecord longText;
    longText.mailGoTitlePattern = std::u16string(400, u'q');
    SettingsRecord back;
    ASSERT_EQ(decodeSettings(encodeSettings(longText), back), SettingsReadStatus::Loaded);
    EXPECT_EQ(back.mailGoTitlePattern, std::u16string(255, u'q'));
}

TEST(SettingsFile, HeaderFailures) {
    SettingsRecord s;
    const Bytes stored = storedSettings();
    EXPECT_EQ(decodeSettings(std::span(stored.bytes()).first(15), s), SettingsReadStatus::ShortHeader);
    Bytes wrong;
    wrong.header(0, 244, 1, 2).head(3, 13, 2).u16(50).end();
    s = SettingsRecord{};
    EXPECT_EQ(decodeSettings(wrong, s), SettingsReadStatus::BadVersion);
    EXPECT_EQ(s, SettingsRecord{}); // nothing applied
}

class SettingsFolder : public ::testing::Test {
protected:
    test::TempDataFolder temp;
    DataFolder folder{temp.path()};
    const StringTable& strings = StringTable::japanese();
};

TEST_F(SettingsFolder, AFileCutInHalfKeepsWhatItDeliveredAndTakesDefaultBForTheRest) {
    const Bytes stored = storedSettings();
    // Cut in the middle of the help window placement (field 18): the fields up to 17 are complete.
    const std::uint8_t field18[] = {4, 18, 16, 0};
    const auto at = std::search(stored.bytes().begin(), stored.bytes().end(), std::begin(field18), std::end(field18));
    ASSERT_NE(at, stored.bytes().end());
    const std::size_t cut = static_cast<std::size_t>(at - stored.bytes().begin()) + 4 + 8;
    test::writeTestFile(folder.file("Settings.dat"), std::span(stored.bytes()).first(cut));
    SettingsRecord s;
    const SettingsLoadResult result = startUpSettings(folder, s, strings, true);
    EXPECT_EQ(result.status, SettingsReadStatus::Truncated);
    EXPECT_TRUE(result.messages.empty());
    // Kept: fields that Default B does not name.
    EXPECT_EQ(s.sparePair, (std::array<std::uint16_t, 2>{301, 302}));
    EXPECT_EQ(s.unreceivedWarningHours, 24);
    EXPECT_EQ(s.automaticMailCreation, 1);
    // Default B over the fields it names, delivered or not.
    EXPECT_EQ(s.mainWindow, WindowPlacement{});
    EXPECT_EQ(s.movesPerMail, 5);
    EXPECT_EQ(s.mailGoTitlePattern, u"第*局");
    EXPECT_EQ(s.printSize, 2);
    EXPECT_EQ(s.flashAfterimage, 100);
    EXPECT_EQ(s.modeGroups, (std::array<std::int32_t, 8>{-1, -1, -1, -1, -1, -1, -1, -1}));
    // Fields of the lost half that Default B does not name stay as zero-filled.
    EXPECT_EQ(s.drawingValue, 0);
    EXPECT_EQ(s.bookPath, std::nullopt);
}

TEST_F(SettingsFolder, NoFileGivesDefaultBAndTheStartUpRepairs) {
    SettingsRecord s;
    const SettingsLoadResult result = startUpSettings(folder, s, strings, false);
    EXPECT_EQ(result.status, SettingsReadStatus::NoFile);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(s.verticalLabels, 2); // not a Japanese interface
    EXPECT_EQ(s.layoutSwitch, 1);
    EXPECT_EQ(s.movesPerMail, 5);
    EXPECT_EQ(s.animationSpeed, 15);

    Bytes zero;
    zero.header(0, 244, 1).head(3, 13, 2).u16(0).head(3, 30, 2).u16(0).end();
    test::writeTestFile(folder.file("Settings.dat"), zero);
    ASSERT_TRUE(startUpSettings(folder, s, strings, true).ok());
    EXPECT_EQ(s.movesPerMail, 10);
    EXPECT_EQ(s.animationSpeed, 15);
}

TEST_F(SettingsFolder, AWrongVersionIsReportedAndDefaultBApplies) {
    Bytes wrong;
    wrong.header(0, 244, 1, 3).end();
    test::writeTestFile(folder.file("Settings.dat"), wrong);
    SettingsRecord s;
    const SettingsLoadResult result = startUpSettings(folder, s, strings, true);
    EXPECT_EQ(result.status, SettingsReadStatus::BadVersion);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text,
              u"設定情報ファイルの読み込みが失敗しました。\r\n互換性の無いバージョンのファイルです。");
    EXPECT_EQ(result.messages[0].title, u"ファイル読み込み");
    EXPECT_EQ(s.flashAfterimage, 100);
}

TEST_F(SettingsFolder, SavingKeepsThePreviousGenerationWhichLoadingFallsBackTo) {
    SettingsRecord first = expectedSettings();
    first.movesPerMail = 30;
    SettingsRecord second = expectedSettings();
    second.movesPerMail = 40;
    ASSERT_TRUE(saveSettings(folder, first));
    ASSERT_TRUE(saveSettings(folder, second));
    EXPECT_EQ(test::readTestFile(folder.file("Settings_$.dat")), encodeSettings(first));
    EXPECT_EQ(test::readTestFile(folder.file("Settings.dat")), encodeSettings(second));

    ASSERT_TRUE(removeFile(folder.file("Settings.dat")));
    SettingsRecord loaded;
    ASSERT_TRUE(loadSettings(folder, loaded, strings).ok());
    EXPECT_EQ(loaded.movesPerMail, 30);
}

TEST_F(SettingsFolder, ASaveThatCannotWriteLeavesTheStoredSettings) {
    ASSERT_TRUE(saveSettings(folder, expectedSettings()));
    const auto before = test::readTestFile(folder.file("Settings.dat"));
    DataFolder missing(temp.path() + "no/such/deep/");
    ASSERT_TRUE(makeFolders(missing.path()));
    ASSERT_EQ(::chmod(missing.path().c_str(), 0500), 0); // a folder that cannot be written
    if (::access(missing.path().c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore permissions";
    EXPECT_FALSE(saveSettings(missing, expectedSettings()));
    ::chmod(missing.path().c_str(), 0700);
    EXPECT_EQ(test::readTestFile(folder.file("Settings.dat")), before);
}

TEST(SettingsRecord, LastViewAndChoiceTexts) {
    SettingsRecord s;
    setLastView(s, 4, 32);
    EXPECT_EQ(lastViewGroup(s), 4);
    EXPECT_EQ(lastViewMode(s), 16);
    setLastView(s, 106, 1);
    EXPECT_EQ(lastViewGroup(s), -1);
    EXPECT_EQ(secondsChoiceText(15, 10), u"　1.5秒");
    EXPECT_EQ(secondsChoiceText(50, 100), u"　0.5秒");
}

} // namespace
} // namespace stonewise
