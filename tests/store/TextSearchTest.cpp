// Searching a group's games for words: the terms, the header and comment rules, the walk through
// variations, unreadable games and the limit on hits.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "StoreTestSupport.h"
#include "formats/SgfReader.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "store/SearchTextCache.h"
#include "store/StoreStrings.h"
#include "store/TextSearch.h"

namespace stonewise {
namespace {

TEST(SearchTerms, CutAtAsciiAndIdeographicSpacesAtMostTenFromTheFirst128Characters) {
    struct Case {
        std::u16string text;
        std::vector<std::u16string> terms;
    };
    const Case cases[] = {
        {u"", {}},
        {u"   \u3000 ", {}},
        {u"定石 手筋", {u"定石", u"手筋"}},
        {u"定石\u3000手筋", {u"定石", u"手筋"}},
        {u"  a\u3000\u3000 b  ", {u"a", u"b"}},
        {u"1 2 3 4 5 6 7 8 9 10 11", {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10"}},
        {u".* [a-z]+ %s %d \\ ( $", {u".*", u"[a-z]+", u"%s", u"%d", u"\\", u"(", u"$"}},
        {u"\U00020BB7野家 ｇｏ", {u"\U00020BB7野家", u"ｇｏ"}},
        {std::u16string(127, u'x') + u" yz", {std::u16string(127, u'x')}},
        {std::u16string(300, u'x'), {std::u16string(128, u'x')}},
        {std::u16string(127, u'x') + u"\U00020BB7", {std::u16string(127, u'x')}},
    };
    for (const Case& c : cases) EXPECT_EQ(searchTerms(c.text), c.terms) << toUtf8(c.text);
}

TEST(HitExcerpt, ShowsTheTextAroundTheFirstTermWithoutSplittingAPair) {
    const std::u16string text = u"0123456789\r\nabc\U00020BB7def";
    EXPECT_EQ(hitExcerpt(text, {u"abc"}, 3), u"...9  abc\U00020BB7d...");
    EXPECT_EQ(hitExcerpt(text, {u"def"}, 1), u"...\U00020BB7def");
    EXPECT_EQ(hitExcerpt(u"short", {u"zzz"}, 100), u"short");
}

class TextSearchTest : public ::testing::Test {
protected:
    test::TempDataFolder temp;
    DataFolder folder{temp.path()};
    GameStore store{folder, StringTable::japanese()};
    StoreMessages messages;
    const int group = 3;

    void SetUp() override {
        SettingsRecord settings;
        applyDefaultA(settings);
        store.start(settings, {2026, 12, 10, 0}, messages);
    }

    int member(std::u16string name, std::u16string address = {}) {
        MemberRecord m;
        m.name = std::move(name);
        m.address = std::move(address);
        return store.members().add(m);
    }

    // Stores game `number` read from SGF text, named `name`, with members as players.
    void addGame(int number, std::u16string_view sgf, std::u16string name = {}, int black = 0, int white = 0) {
        SgfReadResult read = readSgf(sgf, GameInfo{}, {});
        ASSERT_TRUE(read.ok);
        GameInfo info = read.info;
        info.number = number;
        info.name = std::move(name);
        info.blackPlayer = black;
        info.whitePlayer = white;
        ASSERT_TRUE(store.writeGame(group, number, *read.main, &info, messages));
        store.gameList(group, messages).put(info);
        ASSERT_TRUE(store.saveGameList(group, messages));
    }

    TextSearchResult search(std::u16string_view text, TextSearchOptions options = {}) {
        return searchGroup(store, group, searchTerms(text), options);
    }
    // The same, keeping the texts of files however fresh in the group's search text cache.
    TextSearchResult searchKeeping(std::u16string_view text, TextSearchOptions options = {}) {
        return searchGroup(store, group, searchTerms(text), options, 0);
    }
    std::string cachePath() const { return folder.groupFile(group, kSearchTextCacheName); }
    std::vector<int> cachedGames() const { return SearchTextCache(cachePath(), 0).games(); }
};

// (game, move) of every hit.
std::vector<std::pair<int, int>> places(const TextSearchResult& r) {
    std::vector<std::pair<int, int>> p;
    for (const TextSearchHit& h : r.hits) p.emplace_back(h.game, h.move);
    return p;
}

using Places = std::vector<std::pair<int, int>>;

TEST_F(TextSearchTest, AnyAndAllTermsInCommentsAndTheHeader) {
    const int black = member(u"秀策");
    const int white = member(u"丈和");
    addGame(1, u"(;GM[1]SZ[19];B[pd]C[定石の手筋];W[dp]C[定石];B[pp]C[手筋])", u"一局目", black, white);
    addGame(2, u"(;GM[1]SZ[19];B[pd];W[dp]C[手筋です];B[pp])", u"定石の研究");
    addGame(3, u"(;GM[1]SZ[19];B[pd]C[何もない])", u"三局目");
    TextSearchOptions all;
    all.allTerms = true;
    struct Case {
        std::u16string text;
        TextSearchOptions options;
        Places expected;
    };
    TextSearchOptions noName;
    noName.gameName = false;
    TextSearchOptions allNoName = all;
    allNoName.gameName = false;
    const Case cases[] = {
        // Any: each commented move holding one of the words; game 2's name is a header hit, and a
        // header hit makes every commented move of the game a hit.
        {u"定石 手筋", {}, {{1, 1}, {1, 2}, {1, 3}, {2, 3}, {2, 2}}},
        // All: both in one comment, or one in the header and the other in a comment.
        {u"定石 手筋", all, {{1, 1}, {2, 2}}},
        {u"定石 手筋", allNoName, {{1, 1}}},
        {u"定石", noName, {{1, 1}, {1, 2}}},
        // Players by name.
        {u"丈和", {}, {{1, 3}, {1, 1}, {1, 2}, {1, 3}}},
        {u"なし", {}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(places(search(c.text, c.options)), c.expected) << toUtf8(c.text);
}

TEST_F(TextSearchTest, AnEmptyStringFindsEveryCommentedMoveAndWithAllEveryGame) {
    addGame(1, u"(;GM[1]SZ[19];B[pd]C[一];W[dp];B[pp]C[三])", u"a");
    addGame(2, u"(;GM[1]SZ[19];B[pd];W[dp])", u"b");
    EXPECT_EQ(places(search(u"")), (Places{{1, 1}, {1, 3}}));
    TextSearchOptions all;
    all.allTerms = true;
    EXPECT_EQ(places(search(u" \u3000", all)), (Places{{1, 3}, {1, 1}, {1, 3}, {2, 2}}));
}

TEST_F(TextSearchTest, VariationsAndReferencesAreWalkedWhenAskedWithTheirIdsAndMoves) {
    addGame(1, u"(;GM[1]SZ[19];B[pd];W[dp]C[本線 key](;B[pp]C[key main];W[dd])(;B[qq];W[cc]C[key var]))", u"v");
    const TextSearchResult r = search(u"key");
    ASSERT_EQ(r.hits.size(), 3u);
    EXPECT_EQ(r.hits[0].sequence, 0u);
    EXPECT_EQ(r.hits[1].sequence, 0u);
    EXPECT_NE(r.hits[2].sequence, 0u);
    EXPECT_EQ(r.hits[2].move, 4);
    EXPECT_EQ(r.hits[2].moveInSequence, 2);
    EXPECT_EQ(r.hits[2].comment, u"key var");
    TextSearchOptions mainOnly;
    mainOnly.branches = false;
    EXPECT_EQ(places(search(u"key", mainOnly)), (Places{{1, 2}, {1, 3}}));
}

TEST_F(TextSearchTest, AnAliasIsFoundByTheNameItStandsFor) {
    member(u"本因坊", u"honinbo@example.org");
    const int alias = member(u"秀策", u"本因坊");
    addGame(1, u"(;GM[1]SZ[19];B[pd];W[dp])", u"x", alias, 0);
    EXPECT_EQ(places(search(u"本因坊")), (Places{{1, 2}}));
    EXPECT_EQ(places(search(u"秀策")), (Places{{1, 2}}));
    // A mail address is no name.
    EXPECT_EQ(places(search(u"example")), Places{});
}

TEST_F(TextSearchTest, TermsAreLiteralWhateverTheirCharacters) {
    addGame(1, u"(;GM[1]SZ[19];B[pd]C[a.b 100% (x) [$\\] \U00020BB7 ｇｏ];W[dp]C[axb 100 x ＼ \U00020BB6 go $])", u"");
    const std::u16string found[] = {u"a.b", u"%", u"(x)", u"[$]", u"\U00020BB7", u"ｇｏ", u"100%"};
    for (const std::u16string& term : found) EXPECT_EQ(places(search(term)), (Places{{1, 1}})) << toUtf8(term);
    // Half a surrogate pair finds both characters sharing it; a long term finds nothing.
    EXPECT_EQ(places(search(std::u16string(1, u'\xD842'))), (Places{{1, 1}, {1, 2}}));
    EXPECT_EQ(places(search(std::u16string(5000, u'a'))), Places{});
}

TEST_F(TextSearchTest, AGameThatCannotBeReadIsSkipped) {
    addGame(1, u"(;GM[1]SZ[19];B[pd]C[word])", u"");
    addGame(2, u"(;GM[1]SZ[19];B[pd]C[word])", u"");
    addGame(3, u"(;GM[1]SZ[19];B[pd]C[word])", u"");
    const std::string damaged = store.gameFilePath(group, 1);
    const std::vector<std::uint8_t> bytes = readWholeFile(damaged).value();
    // Cut short after its comment: the word is there, the record cannot be read.
    ASSERT_TRUE(writeFileUnsynced(damaged, std::span(bytes).first(bytes.size() - 2)));
    std::filesystem::remove(store.gameFilePath(group, 3));
    const TextSearchResult r = search(u"word");
    EXPECT_EQ(places(r), (Places{{2, 1}}));
    EXPECT_EQ(r.skipped, 2);
}

TEST_F(TextSearchTest, TheSearchStopsAt1024Hits) {
    std::u16string sgf = u"(;GM[1]SZ[19]";
    for (int n = 0; n < 300; ++n) {
        const char16_t x = static_cast<char16_t>(u'a' + n % 19);
        const char16_t y = static_cast<char16_t>(u'a' + n / 19);
        sgf += (n % 2 ? u";W[" : u";B[") + std::u16string{x, y} + u"]C[hit]";
    }
    sgf += u")";
    for (int game = 1; game <= 4; ++game) addGame(game, sgf, u"");
    const TextSearchResult r = search(u"hit");
    EXPECT_TRUE(r.full);
    ASSERT_EQ(r.hits.size(), 1024u);
    EXPECT_EQ(r.hits.back().game, 4);
    EXPECT_EQ(r.hits.back().move, 1024 - 900);
}

TEST_F(TextSearchTest, KeptTextsGiveTheSameHitsAsTheGameFiles) {
    addGame(1, u"(;GM[1]SZ[19];B[pd];W[dp]C[本線 key](;B[pp]C[key main];W[dd])(;B[qq];W[cc]C[key var]))", u"key");
    addGame(2, u"(;GM[1]SZ[19];B[pd]C[other];W[dp])", u"b");
    // A word running from one comment into the next is in neither.
    addGame(3, u"(;GM[1]SZ[19];B[pd]C[tes];W[dp]C[uji, tesuji];B[pp]C[tesu])", u"c");
    TextSearchOptions all;
    all.allTerms = true;
    TextSearchOptions mainOnly;
    mainOnly.branches = false;
    const std::pair<std::u16string, TextSearchOptions> searches[] = {
        {u"key", {}}, {u"key var", all}, {u"key", mainOnly}, {u"", {}},
        {u"", all},   {u"other", {}},    {u"tesuji", {}},    {u"tesu uji", all}};
    for (const auto& [text, options] : searches) {
        std::filesystem::remove(cachePath());
        const TextSearchResult fromFiles = search(text, options);
        EXPECT_EQ(searchKeeping(text, options).hits, fromFiles.hits) << toUtf8(text);
        EXPECT_EQ(cachedGames(), (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(searchKeeping(text, options).hits, fromFiles.hits) << toUtf8(text);
    }
    EXPECT_EQ(places(searchKeeping(u"tesuji")), (Places{{3, 2}}));
    EXPECT_EQ(places(searchKeeping(u"jitesu")), Places{});
    EXPECT_EQ(places(searchKeeping(u"tesu uji", all)), (Places{{3, 2}}));
}

TEST_F(TextSearchTest, AGameChangedOnDiskIsFoundWithItsNewText) {
    addGame(1, u"(;GM[1]SZ[19];B[pd]C[old])", u"");
    addGame(2, u"(;GM[1]SZ[19];B[pd]C[two])", u"");
    ASSERT_EQ(places(searchKeeping(u"old")), (Places{{1, 1}}));
    // Written in place, the same size, by another program.
    addGame(3, u"(;GM[1]SZ[19];B[pd]C[new])", u"");
    const std::vector<std::uint8_t> replacement = readWholeFile(store.gameFilePath(group, 3)).value();
    std::filesystem::remove(store.gameFilePath(group, 3));
    store.gameList(group, messages).clear(3);
    {
        std::ofstream out(store.gameFilePath(group, 1), std::ios::binary | std::ios::in | std::ios::out);
        out.write(reinterpret_cast<const char*>(replacement.data()), static_cast<std::streamsize>(replacement.size()));
    }
    // The file clock can tick slower than this test runs: the write is dated unlike the first.
    const std::filesystem::path first = store.gameFilePath(group, 1);
    std::filesystem::last_write_time(first, std::filesystem::last_write_time(first) - std::chrono::hours(1));
    EXPECT_EQ(places(searchKeeping(u"old")), Places{});
    EXPECT_EQ(places(searchKeeping(u"new")), (Places{{1, 1}}));
    // Saved again by the store (a new file put in place).
    SgfReadResult read = readSgf(u"(;GM[1]SZ[19];B[pd];W[dp];B[pp]C[third])", GameInfo{}, {});
    ASSERT_TRUE(store.writeGame(group, 2, *read.main, nullptr, messages));
    EXPECT_EQ(places(searchKeeping(u"two third")), (Places{{2, 3}}));
    // Removed: skipped, and no longer kept.
    std::filesystem::remove(store.gameFilePath(group, 2));
    EXPECT_EQ(searchKeeping(u"third").skipped, 1);
    EXPECT_EQ(cachedGames(), (std::vector<int>{1}));
}

TEST_F(TextSearchTest, ADamagedCacheIsReadAsEmptyAndWrittenAgain) {
    addGame(1, u"(;GM[1]SZ[19];B[pd]C[word])", u"");
    ASSERT_EQ(places(searchKeeping(u"word")), (Places{{1, 1}}));
    const std::vector<std::uint8_t> bytes = readWholeFile(cachePath()).value();
    for (std::size_t cut : {std::size_t{3}, std::size_t{12}, bytes.size() - 1}) {
        ASSERT_TRUE(writeFileUnsynced(cachePath(), std::span(bytes).first(cut)));
        EXPECT_EQ(cachedGames(), std::vector<int>{}) << cut;
        EXPECT_EQ(places(searchKeeping(u"word")), (Places{{1, 1}})) << cut;
        EXPECT_EQ(cachedGames(), (std::vector<int>{1})) << cut;
    }
    // A comment whose text is no longer text where it is kept is read from the game's file.
    addGame(2, u"(;GM[1]SZ[19];B[pd]C[word x])", u"");
    ASSERT_EQ(places(searchKeeping(u"word")), (Places{{1, 1}, {2, 1}}));
    std::vector<std::uint8_t> damaged = readWholeFile(cachePath()).value();
    ASSERT_EQ(damaged.back(), 'x');
    damaged.back() = 0xC3;
    ASSERT_TRUE(writeFileUnsynced(cachePath(), damaged));
    const TextSearchResult r = searchKeeping(u"word");
    ASSERT_EQ(places(r), (Places{{1, 1}, {2, 1}}));
    EXPECT_EQ(r.hits[1].comment, u"word x");
}

TEST(SearchTextCache, KeepsTextsForTheFileTheyCameFromAndOnlyOnceItHasSettled) {
    test::TempDataFolder temp;
    const std::string path = temp.path() + "SearchText.dat";
    GameSearchText text{3, 4, 1, {{0, 1, 2, 0, 6}, {5, 2, 4, 6, 8}}, packSearchText(u"aé碁b\U00020BB7c")};
    const FileIdentity file{7, 100, 1'000'000'000, 1'000'000'001};
    SearchTextCache cache(path, 0);
    cache.put(12, file, text);
    ASSERT_TRUE(cache.save());
    const SearchTextCache again(path, 0);
    EXPECT_EQ(again.text(12, file), text);
    FileIdentity touched = file;
    touched.changed += 1;
    EXPECT_EQ(again.text(12, touched), std::nullopt);
    EXPECT_EQ(again.text(13, file), std::nullopt);
    // A file changed just now could change again unseen.
    SearchTextCache settling(path);
    FileIdentity fresh = file;
    fresh.changed = fileIdentity(path).value().changed;
    settling.put(12, fresh, text);
    EXPECT_EQ(settling.games(), std::vector<int>{});
}

TEST(SearchTextCache, PackedTextHoldsAPackedTermExactlyWhereTheTextHoldsIt) {
    const std::u16string lone(1, u'\xD842');
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"plain ko fight", u"ko"},
        {u"kö", u"ko"},
        {u"\u00C0", u"\u0080"},
        {u"\u0080", u"\u00C0"},
        {u"あいう", u"い"},
        {u"あいう", u"\u3082"},
        {u"\U00020BB7野家", u"\U00020BB7"},
        {u"\U00020BB7", lone},
        {u"\U00020BB6", lone},
        {u"x", lone},
        {u"ｇｏ", u"go"},
        {u"go ｇｏ", u"ｇｏ"},
    };
    for (const auto& [text, term] : cases) {
        EXPECT_EQ(unpackSearchText(packSearchText(text)), text) << toUtf8(text);
        EXPECT_EQ(packSearchText(text).find(packSearchText(term)) != std::string::npos,
                  text.find(term) != std::u16string::npos)
            << toUtf8(text) << " / " << toUtf8(term);
    }
    // A unit cut short is no packed text.
    EXPECT_EQ(unpackSearchText(packSearchText(u"碁").substr(0, 2)), std::nullopt);
}

} // namespace
} // namespace stonewise
