#include "support/MailGoPlayer.h"

#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "mailgo/CloudExchange.h"
#include "mailgo/CloudRegistryFile.h"
#include "store/GameStore.h"

namespace stonewise::test {

MailGoPlayer::MailGoPlayer(const std::string& folder, std::u16string self, std::u16string opponent, bool black,
                           std::int16_t handicap, std::uint16_t flags, const std::string& cloudFile)
    : TestProgram(folder) {
    commands.run(kCmdModeMailGo);
    GameStore& store = *app.store();
    group = store.currentGroup();
    MemberRecord me;
    me.name = std::move(self);
    me.kind = kMemberSelf;
    MemberRecord other;
    other.name = std::move(opponent);
    other.kind = kMemberOpponent;
    other.address = other.name + u"@example.org";
    const int meNumber = store.members().add(me);
    const int otherNumber = store.members().add(other);
    GameInfo info;
    info.number = 1;
    info.name = kMailGoGameName;
    info.type = kGameMailGo;
    info.handicap = handicap;
    info.flags = flags;
    info.blackPlayer = black ? meNumber : otherNumber;
    info.whitePlayer = black ? otherNumber : meNumber;
    StoreMessages messages;
    if (!cloudFile.empty()) {
        // The game's file in the shared folder, registered as the cloud dialog would.
        CloudRegistry registry = loadCloudRegistry(app.folder(), app.strings(), messages);
        info.carriedValue = registry.registerFile(fromUtf8(cloudFile)).id;
        info.versionBytes[0] |= kCloudFlagUsesCloud;
        EXPECT_TRUE(saveCloudRegistry(registry, app.folder(), app.strings(), messages));
    }
    board.newGame(info); // the record with the handicap stones
    store.gameList(group, messages).put(info);
    EXPECT_TRUE(store.writeGame(group, 1, board.record().main(), &info, messages));
    EXPECT_TRUE(store.saveGameList(group, messages));
    EXPECT_TRUE(store.writeMembers(messages));
    EXPECT_TRUE(app.session()->openGame(group, 1));
    app.settings().automaticMailFetch = 1;
}

void MailGoPlayer::play(int x, int y) {
    const int before = board.totalMoves();
    commands.clickPoint(x, y);
    ASSERT_EQ(board.totalMoves(), before + 1) << "move at (" << x << ", " << y << ") was not played";
}

} // namespace stonewise::test
