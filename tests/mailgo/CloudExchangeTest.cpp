#include "mailgo/CloudExchange.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "mailgo/CloudTexts.h"
#include "record/GameInfo.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(CloudExchange, SavingWritesUtf16WithAMarkAndRecordsOnlyTheNextMoveFilesTime) {
    test::TempFolder dir;
    CloudRegistry registry;
    const CloudFileId id = registry.registerFile(fromUtf8(dir.path() + "game.nextmove")).id;
    const struct {
        CloudFileKind kind;
        bool alsoMail;
        const char* file;
        int status, message;
    } cases[] = {
        {CloudFileKind::NextMove, false, "game.nextmove", kStrCloudNextMoveSaved, 0},
        {CloudFileKind::BlackStudy, true, "game-B012.nextmove", kStrCloudStudySaved, kStrStudySent},
        {CloudFileKind::WhiteStudy, false, "game-W012.nextmove", kStrCloudStudySaved, kStrStudySent},
    };
    for (const auto& c : cases) {
        const CloudSave save = saveToCloud(registry, id, c.kind, 12,
                                           u"\xFEFF"
                                           u"白\n",
                                           c.alsoMail);
        EXPECT_TRUE(save.written);
        EXPECT_EQ(save.path, dir.path() + c.file);
        EXPECT_EQ(save.statusText, c.status);
        EXPECT_EQ(save.messageText, c.message);
        EXPECT_EQ(save.makeMail, c.alsoMail);
        EXPECT_EQ(readWholeFile(save.path), (Bytes{0xFF, 0xFE, 0x7D, 0x76, 0x0A, 0x00})) << c.file;
    }
    // The program's own next move is not news to it; nothing but the written files is left behind.
    EXPECT_FALSE(registry.hasFileChanged(id));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 3);
}

TEST(CloudExchange, AFileThatCannotBeWrittenTurnsIntoMail) {
    CloudRegistry registry;
    const CloudFileId id = registry.registerFile(u"/no/such/folder/game.nextmove").id;
    for (CloudFileId which : {id, id + 1, kNoCloudFile}) {
        const CloudSave save = saveToCloud(registry, which, CloudFileKind::NextMove, 0, u"text", false);
        EXPECT_FALSE(save.written);
        EXPECT_EQ(save.statusText, kStrCloudWriteFailed);
        EXPECT_TRUE(save.makeMail);
    }
}

TEST(CloudExchange, AGameUsesTheCloudWithItsFlagAndAFile) {
    GameInfo info;
    EXPECT_FALSE(usesCloud(info));
    info.versionBytes[0] = kCloudFlagUsesCloud;
    EXPECT_FALSE(usesCloud(info)); // no file yet
    info.carriedValue = 0x10000;
    EXPECT_TRUE(usesCloud(info));
    EXPECT_EQ(cloudFileOf(info), 0x10000u);
    EXPECT_FALSE(alsoMailsCloudMoves(info));
    info.versionBytes[0] |= kCloudFlagAlsoMail;
    EXPECT_TRUE(alsoMailsCloudMoves(info));
}

} // namespace
} // namespace stonewise
