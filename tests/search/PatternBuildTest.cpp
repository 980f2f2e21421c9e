// The build run over games of the store: composition, progress, stopping, variations, the
// composition file, and what a stopped or failed build leaves behind.
#include <gtest/gtest.h>

#include "PatternGames.h"
#include "formats/SgfReader.h"
#include "search/PatternBuild.h"
#include "search/PatternDatabase.h"
#include "search/PatternTexts.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

using test::Pt;

// A watcher that records what it is told and stops the build at a given input.
struct RecordingWatcher final : PatternBuildWatcher {
    int stopAt = -1;
    std::vector<std::u16string> progressTexts;
    std::vector<std::u16string> messages;
    bool progress(int done, int, std::u16string_view text) override {
        progressTexts.emplace_back(text);
        return done != stopAt;
    }
    void message(std::u16string_view text, std::u16string_view) override { messages.emplace_back(text); }
};

class PatternBuildTest : public ::testing::Test {
protected:
    test::TempFolder temp;
    GameStore store{DataFolder(temp.path()), StringTable::japanese()};
    StoreMessages messages;
    const int group = 2;

    void SetUp() override {
        SettingsRecord settings;
        applyDefaultA(settings);
        store.start(settings, {2026, 12, 11, 0}, messages);
    }

    void addGame(int number, const std::u16string& sgf, std::u16string name) {
        SgfReadResult read = readSgf(sgf, GameInfo{}, {});
        ASSERT_TRUE(read.ok);
        GameInfo info = read.info;
        info.number = number;
        info.name = std::move(name);
        ASSERT_TRUE(store.writeGame(group, number, *read.main, &info, messages));
        store.gameList(group, messages).put(info);
        ASSERT_TRUE(store.saveGameList(group, messages));
    }

    std::vector<CompositionEntry> composition(std::initializer_list<int> games) {
        std::vector<CompositionEntry> entries;
        for (const int g : games)
            entries.push_back({static_cast<std::uint16_t>(group), static_cast<std::uint16_t>(g), u"g"});
        return entries;
    }

    std::vector<std::pair<int, int>> found(const std::vector<Pt>& moves, PatternSearchType type) {
        PatternDatabase db;
        EXPECT_TRUE(db.load(patternFolder(temp.path(), PatternKind::General), PatternKind::General));
        PatternQuery query;
        query.prepare(test::lineOf(moves), 19);
        std::vector<std::pair<int, int>> games;
        for (const PatternResult& r : db.search(query, type).results) games.emplace_back(r.game, r.variation);
        return games;
    }
};

TEST_F(PatternBuildTest, BuildsFromTheStoresGamesWithTheirVariations) {
    const std::vector<Pt> opening = test::openingOf(24, 3);
    const std::vector<Pt> other = test::openingOf(24, 4);
    // Game 2 holds a variation from move 3.
    addGame(1, test::sgfOf(opening), u"一局目");
    addGame(2, u"(;GM[1]FF[4]SZ[19];B[pd];W[dp](;B[pp];W[dd];B[qj])(;B[dd];W[pp];B[jq]))", u"二局目");
    addGame(3, test::sgfOf(other, 19, 1), u"三局目");
    RecordingWatcher watcher;
    const PatternBuildResult r = buildPatternDatabase(store, composition({1, 2, 3}), {}, watcher);
    EXPECT_EQ(r.status, PatternBuildResult::Status::Built);
    EXPECT_EQ(r.patterns, 4); // three main lines and the variation of game 2
    EXPECT_EQ(r.text, u"構築完了しました。 構成済みの棋譜は3個、パターン数は4個です。");
    EXPECT_EQ(watcher.progressTexts.front(), u"解析中：g");
    EXPECT_EQ(found(opening, PatternSearchType::Game), (std::vector<std::pair<int, int>>{{1, 0}}));
    EXPECT_EQ(found(other, PatternSearchType::Game), (std::vector<std::pair<int, int>>{{3, 0}}));
    // Game 2's variation: black 4-4 points in opposite corners, white in the other two.
    const std::vector<Pt> variation = {{15, 3}, {3, 15}, {3, 3}, {15, 15}, {9, 16}};
    EXPECT_EQ(found(variation, PatternSearchType::Game), (std::vector<std::pair<int, int>>{{2, 1}}));

    bool damaged = true;
    const auto kept = readComposition(patternFolder(temp.path(), PatternKind::General) + kCompositionFile, damaged);
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, composition({1, 2, 3}));
}

TEST_F(PatternBuildTest, AStoppedBuildLeavesThePreviousDatabase) {
    const std::vector<Pt> opening = test::openingOf(24, 3);
    addGame(1, test::sgfOf(opening), u"一局目");
    addGame(2, test::sgfOf(opening, 19, 2), u"二局目");
    RecordingWatcher first;
    ASSERT_EQ(buildPatternDatabase(store, composition({1}), {}, first).status, PatternBuildResult::Status::Built);
    RecordingWatcher stopping;
    stopping.stopAt = 1;
    const PatternBuildResult r = buildPatternDatabase(store, composition({1, 2}), {}, stopping);
    EXPECT_EQ(r.status, PatternBuildResult::Status::Stopped);
    EXPECT_EQ(r.text, u"構築を中止しました。前の検索データはそのままです。");
    EXPECT_EQ(found(opening, PatternSearchType::Game), (std::vector<std::pair<int, int>>{{1, 0}}));
}

TEST_F(PatternBuildTest, MissingGamesAndBooksAreLeftOut) {
    const std::vector<Pt> opening = test::openingOf(24, 3);
    addGame(1, test::sgfOf(opening), u"一局目");
    RecordingWatcher watcher;
    std::vector<CompositionEntry> entries = composition({1, 5});
    entries.push_back({1003, 0, u"本"});
    const PatternBuildResult r = buildPatternDatabase(store, entries, {}, watcher);
    EXPECT_EQ(r.status, PatternBuildResult::Status::Built);
    EXPECT_EQ(r.composed, 3);
    EXPECT_EQ(r.patterns, 1);
    EXPECT_NE(std::find(watcher.messages.begin(), watcher.messages.end(), u"碁ブック(3)の棋譜を読み込めません。"),
              watcher.messages.end());
    EXPECT_EQ(found(opening, PatternSearchType::Game), (std::vector<std::pair<int, int>>{{1, 0}}));
}

TEST(PatternComposition, RoundTripAndDamage) {
    const std::vector<CompositionEntry> entries = {{0, 1, u"一般"}, {1002, 0, u"碁ブック"}, {5, 1999, u""}};
    const std::vector<std::uint8_t> bytes = encodeComposition(entries);
    // Header: magic, version, third word, record size 28, count.
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 16),
              (std::vector<std::uint8_t>{0x14, 0x02, 0x13, 0x20, 1, 0, 0, 0, 1, 0, 0, 0, 28, 0, 3, 0}));
    ASSERT_TRUE(decodeComposition(bytes));
    EXPECT_EQ(*decodeComposition(bytes), entries);
    for (std::size_t cut : {std::size_t{0}, std::size_t{15}, std::size_t{20}, bytes.size() - 1}) {
        EXPECT_FALSE(decodeComposition(std::span(bytes).first(cut))) << cut;
    }
    std::vector<std::uint8_t> foreign = bytes;
    foreign[0] = 0x54;
    EXPECT_FALSE(decodeComposition(foreign));
}

} // namespace
} // namespace stonewise
