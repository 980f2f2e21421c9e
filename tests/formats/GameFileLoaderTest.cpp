// Loading a file or clipboard text with the four load modes.
#include <gtest/gtest.h>

#include <map>

#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "support/TestPaths.h"

namespace stonewise {
namespace {

// The current group of a store, in memory.
class Games : public GameNameRegistry {
public:
    std::map<std::u16string, GameInfo> games;
    std::optional<GameInfo> findGame(std::u16string_view name) const override {
        auto it = games.find(std::u16string(name));
        if (it == games.end()) return std::nullopt;
        return it->second;
    }
    std::u16string uniqueName(std::u16string_view name) const override {
        std::u16string candidate(name);
        for (int n = 2; games.count(candidate); ++n) candidate = std::u16string(name) + u"(" + toDigits(n) + u")";
        return candidate;
    }
    static std::u16string toDigits(int n) {
        std::u16string s;
        for (char c : std::to_string(n)) s.push_back(static_cast<char16_t>(c));
        return s;
    }
};

const std::string kGame = "(;FF[4]GM[1]SZ[19]KM[6.5]RE[B+R]GN[Named]PB[A]PW[B];B[pd];W[dp])";

TEST(GameFileLoader, NamesFollowTheLoadMode) {
    Games games;
    GameInfo stored;
    stored.number = 7;
    stored.name = u"Named";
    stored.komi = 5.5f;
    stored.flags = 0x100;
    stored.protection = 1;
    stored.gameComment = u"kept";
    games.games[u"Named"] = stored;
    LoadSettings settings;
    settings.games = &games;
    settings.now = GameTime{2024, 1, 2, 3, 4, 5};

    // Temporary: the file's own name.
    LoadedGame temp = loadGameBytes(kGame, GameFileKind::Sgf, u"file", LoadRequest{}, settings);
    EXPECT_EQ(temp.info.name, u"Named");
    EXPECT_EQ(temp.info.flags & kInfoMoveWaiting, kInfoMoveWaiting);
    EXPECT_EQ(temp.info.waitingTime.second, 5);
    // A file that names no game is named after the file, then "無題" (no name).
    const std::string nameless = "(;B[aa])";
    EXPECT_EQ(loadGameBytes(nameless, GameFileKind::Sgf, u"file", LoadRequest{}, settings).info.name, u"file");
    EXPECT_EQ(loadClipboardText(u"junk (;B[aa])", LoadRequest{}, settings).info.name, u"無題");

    // Overwrite: the stored game is reused, its result fields cleared and filled from the file.
    LoadRequest over{LoadMode::Overwrite, u"Named", nullptr};
    LoadedGame o = loadGameBytes(kGame, GameFileKind::Sgf, u"file", over, settings);
    EXPECT_EQ(o.mode, LoadMode::Overwrite);
    EXPECT_EQ(o.info.number, 7);
    EXPECT_EQ(o.info.protection, 1);
    EXPECT_FLOAT_EQ(o.info.komi, 6.5f);
    EXPECT_EQ(o.info.flags & 0x100, 0);
    EXPECT_EQ(o.info.winner, kBlackWins);
    // ... and a name nobody has makes a new game.
    LoadRequest overMissing{LoadMode::Overwrite, u"Other", nullptr};
    EXPECT_EQ(loadGameBytes(kGame, GameFileKind::Sgf, u"file", overMissing, settings).mode, LoadMode::NewGame);

    // New game: the name is made unique.
    LoadRequest fresh{LoadMode::NewGame, {}, nullptr};
    EXPECT_EQ(loadGameBytes(kGame, GameFileKind::Sgf, u"file", fresh, settings).info.name, u"Named(2)");

    // Store load: the game keeps its identity, name, game comment and ranks; no waiting time.
    LoadRequest store{LoadMode::StoreLoad, {}, &stored};
    LoadedGame s = loadGameBytes(kGame, GameFileKind::Sgf, u"file", store, settings);
    EXPECT_EQ(s.info.number, 7);
    EXPECT_EQ(s.info.name, u"Named");
    EXPECT_EQ(s.info.gameComment, u"kept");
    EXPECT_EQ(s.info.flags & kInfoMoveWaiting, 0);
    EXPECT_FLOAT_EQ(s.info.komi, 6.5f);
}

TEST(GameFileLoader, RefusalsCarryTheirMessages) {
    LoadSettings settings;
    LoadedGame unknown = loadGameFile("/tmp/game.txt", LoadRequest{}, settings);
    EXPECT_EQ(unknown.failure, LoadFailure::UnknownFileKind);
    ASSERT_EQ(unknown.messages.size(), 1u);
    EXPECT_EQ(unknown.messages[0].id, kMsgUnknownFileKind);
    EXPECT_EQ(unknown.messages[0].text, u"ファイルは処理できない形式です。 /tmp/game.txt");
    EXPECT_EQ(loadGameFile(test::testDataDir() + "/formats/missing.sgf", LoadRequest{}, settings).failure,
              LoadFailure::CannotOpen);
    EXPECT_EQ(loadGameFile(test::testDataDir() + "/formats", LoadRequest{}, settings).failure,
              LoadFailure::UnknownFileKind);
    LoadedGame clip = loadClipboardText(u"no game", LoadRequest{}, settings);
    EXPECT_FALSE(clip.ok);
    ASSERT_EQ(clip.messages.size(), 1u);
    EXPECT_EQ(clip.messages[0].id, kMsgClipboardFailed);
    EXPECT_EQ(clip.messages[0].title, u"コピーされた棋譜データを開く");
    EXPECT_EQ(gameFileKind("A.SGF$"), GameFileKind::Sgf);
    EXPECT_EQ(gameFileKind("b.Ugi"), GameFileKind::Ugf);
}

TEST(GameFileLoader, HeaderPreRead) {
    InMemoryMembers members;
    LoadSettings settings;
    settings.members = &members;
    const HeaderPreview p = preReadGameFile(test::testDataDir() + "/formats/handicap-igs.ugf", settings);
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.proposedName, u"Kisei,Game 1");
    EXPECT_EQ(p.handicapStones, 2);
    const HeaderPreview c = preReadClipboardText(u"(;FF[4]AP[Tamarindo:Type=1,Flag=0,Tag=0,FV=0];B[aa])", settings);
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.info.type, 1);
    EXPECT_EQ(c.proposedName, u"無題");
}

} // namespace
} // namespace stonewise
