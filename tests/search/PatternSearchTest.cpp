// The merged database and its search over hand-made games whose hits are known by construction:
// turned and reflected boards and corners, 13-line boards, snapshots beyond the opening, record
// types, the limit of 100 games, and damaged files that must never give a wrong hit list.
#include <gtest/gtest.h>

#include <tuple>

#include "PatternGames.h"
#include "search/PatternDatabase.h"
#include "search/PatternFile.h"
#include "search/PatternTexts.h"
#include "store/FileIo.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

using test::lineOf;
using test::Pt;

struct Game {
    int group;
    int game;
    std::vector<Pt> moves;
    int symmetry = 0;
    int size = 19;
    std::uint8_t flags = 0;
    int variation = 0;
};

std::vector<std::uint8_t> patternFile(const Game& g) {
    PatternAnalyzer a;
    EXPECT_TRUE(a.analyse(lineOf(g.moves, g.size, g.symmetry), g.size, g.flags));
    PatternGameId id;
    id.recordType = recordTypeOf(g.flags);
    id.group = static_cast<std::uint16_t>(g.group);
    id.game = static_cast<std::uint16_t>(g.game);
    id.variation = static_cast<std::uint16_t>(g.variation);
    id.nodes = static_cast<std::uint16_t>(g.moves.size() + 1);
    PatternReplays replays;
    std::vector<std::uint8_t> bytes;
    encodePatternFile(a, id, std::u16string(u"対局") + static_cast<char16_t>(u'0' + g.game % 10), bytes, replays);
    return bytes;
}

// (group, game, variation, collector kind) of each result.
using Hit = std::tuple<int, int, int, int>;
using Hits = std::vector<Hit>;

Hits hitsOf(const PatternSearchOutcome& o) {
    Hits hits;
    for (const PatternResult& r : o.results) hits.emplace_back(r.group, r.game, r.variation, r.collectorKind);
    return hits;
}

// Moves 0..k-1 of `moves`, then other moves to the same length.
std::vector<Pt> divergeAfter(const std::vector<Pt>& moves, std::size_t k, unsigned seed) {
    std::vector<Pt> out(moves.begin(), moves.begin() + static_cast<long>(k));
    for (const Pt& p : test::openingOf(200, seed)) {
        if (out.size() == moves.size()) break;
        bool used = false;
        for (const Pt& q : moves) used = used || (q.x == p.x && q.y == p.y);
        for (const Pt& q : out) used = used || (q.x == p.x && q.y == p.y);
        if (!used) out.push_back(p);
    }
    return out;
}

std::vector<Pt> firstMoves(const std::vector<Pt>& moves, std::size_t n) {
    return {moves.begin(), moves.begin() + static_cast<long>(n)};
}

// A long corner sequence: the joseki, then moves that each touch an earlier one, inside 9 × 9.
std::vector<Pt> longCorner() {
    std::vector<Pt> moves = test::cornerJoseki();
    for (int y = 0; y <= 8 && moves.size() < 28; ++y)
        for (int x = 7; x >= 0 && moves.size() < 28; --x) {
            bool used = false;
            for (const Pt& q : moves) used = used || (q.x == x && q.y == y);
            if (!used && (x + y) % 3 != 0) moves.push_back({x, y});
        }
    return moves;
}

class PatternSearchTest : public ::testing::Test {
protected:
    test::TempFolder temp;

    PatternDatabase build(const std::vector<Game>& games, PatternKind kind = PatternKind::General) {
        std::vector<std::vector<std::uint8_t>> files;
        for (const Game& g : games) files.push_back(patternFile(g));
        const MergeResult merged = mergePatterns({files.begin(), files.end()}, temp.path(), kind);
        EXPECT_TRUE(merged.ok);
        EXPECT_EQ(merged.games, static_cast<int>(games.size()));
        PatternDatabase db;
        EXPECT_TRUE(db.load(temp.path(), kind));
        return db;
    }

    static PatternSearchOutcome search(const PatternDatabase& db, const std::vector<Pt>& moves, PatternSearchType type,
                                       int symmetry = 0, int size = 19) {
        PatternQuery query;
        query.prepare(lineOf(moves, size, symmetry), size);
        return db.search(query, type);
    }
};

TEST_F(PatternSearchTest, WholeBoardOpeningsAndTheirSnapshots) {
    const std::vector<Pt> opening = test::openingOf(40, 1);
    std::vector<Pt> small; // an opening on 13 lines
    for (const Pt& p : test::openingOf(300, 1))
        if (p.x < 13 && p.y < 13 && small.size() < 20) small.push_back(p);
    const PatternDatabase db = build({
        {5, 2, opening},                       // as played
        {1, 9, opening, 1},                    // mirrored left to right
        {1, 3, opening, 2},                    // top to bottom
        {4, 1, opening, 3},                    // both
        {2, 1, divergeAfter(opening, 20, 11)}, // the same 20 moves
        {2, 2, divergeAfter(opening, 16, 12)}, // the same 16 moves
        {2, 3, test::openingOf(40, 3)},        // another game
        {6, 1, small, 0, 13},                  // a 13-line board
        {6, 2, small},                         // the same moves on 19 lines
    });
    const Hits all4 = {{1, 3, 0, 1}, {1, 9, 0, 1}, {4, 1, 0, 1}, {5, 2, 0, 1}};
    struct Case {
        std::size_t moves;
        int symmetry;
        Hits hits;
    };
    const Case cases[] = {
        // 12 moves: only the opening index.
        {12, 0, {{1, 3, 0, 1}, {1, 9, 0, 1}, {2, 1, 0, 1}, {2, 2, 0, 1}, {4, 1, 0, 1}, {5, 2, 0, 1}}},
        // 20 moves: the snapshot after 16, then moves 17 to 20.
        {20, 0, {{1, 3, 0, 1}, {1, 9, 0, 1}, {2, 1, 0, 1}, {4, 1, 0, 1}, {5, 2, 0, 1}}},
        // 30 moves: the snapshots after 16 and 24, then moves 25 to 30.
        {30, 0, all4},
        {30, 3, all4},
        {40, 1, all4},
        {5, 0, {{1, 3, 0, 1}, {1, 9, 0, 1}, {2, 1, 0, 1}, {2, 2, 0, 1}, {4, 1, 0, 1}, {5, 2, 0, 1}}},
    };
    for (const Case& c : cases) {
        const PatternSearchOutcome o = search(db, firstMoves(opening, c.moves), PatternSearchType::Game, c.symmetry);
        EXPECT_EQ(o.message, 0);
        EXPECT_EQ(hitsOf(o), c.hits) << c.moves << " moves, symmetry " << c.symmetry;
    }
    // Four moves cannot be searched; the 13-line game is found only from a 13-line board.
    EXPECT_EQ(search(db, firstMoves(opening, 4), PatternSearchType::Game).message, kTextTooFewStones);
    EXPECT_EQ(hitsOf(search(db, firstMoves(small, 8), PatternSearchType::Game, 0, 13)), (Hits{{6, 1, 0, 1}}));
}

TEST_F(PatternSearchTest, CornersInAllEightPlacesAndOn13Lines) {
    const std::vector<Pt> joseki = test::cornerJoseki();
    std::vector<Game> games;
    for (int s = 0; s < 8; ++s) games.push_back({3, s + 1, joseki, s});
    std::vector<Pt> other = joseki;
    other[5] = {1, 6};
    games.push_back({3, 9, other});
    games.push_back({3, 10, joseki, 0, 13});
    games.push_back({3, 11, joseki, 6, 13});
    const PatternDatabase db = build(games);
    // The corner of each stored game: bit 0 of the symmetry mirrors x, bit 1 mirrors y.
    Hits expected;
    for (int s = 0; s < 8; ++s) expected.emplace_back(3, s + 1, 0, kUpperLeft + (s & 1) + ((s & 2) ? 2 : 0));
    for (int s = 0; s < 8; ++s) {
        const PatternSearchOutcome o = search(db, firstMoves(joseki, 8), PatternSearchType::GameCorner, s);
        EXPECT_EQ(hitsOf(o), expected) << "symmetry " << s;
        for (const PatternResult& r : o.results)
            EXPECT_EQ(r.nextMove, 0x35) << "symmetry " << s; // move 9, (5, 3) reflected
    }
    EXPECT_EQ(hitsOf(search(db, firstMoves(joseki, 8), PatternSearchType::GameCorner, 5, 13)),
              (Hits{{3, 10, 0, kUpperLeft}, {3, 11, 0, kLowerLeft}}));
    // The changed sixth move parts the games after five moves.
    EXPECT_EQ(hitsOf(search(db, firstMoves(joseki, 5), PatternSearchType::GameCorner)).size(), 9u);
}

TEST_F(PatternSearchTest, LongCornerSequencesCompareTheSnapshots) {
    const std::vector<Pt> corner = longCorner();
    ASSERT_EQ(corner.size(), 28u);
    std::vector<Pt> late = corner; // differs at move 22
    std::swap(late[21], late[27]);
    std::vector<Pt> early = corner; // differs at move 18
    std::swap(early[17], early[27]);
    const PatternDatabase db = build({{1, 1, corner}, {1, 2, corner, 7}, {1, 3, late}, {1, 4, early}});
    struct Case {
        std::size_t moves;
        Hits hits;
    };
    const Case cases[] = {
        {17, {{1, 1, 0, 2}, {1, 2, 0, 5}, {1, 3, 0, 2}, {1, 4, 0, 2}}},
        {21, {{1, 1, 0, 2}, {1, 2, 0, 5}, {1, 3, 0, 2}}},
        {22, {{1, 1, 0, 2}, {1, 2, 0, 5}}},
        {28, {{1, 1, 0, 2}, {1, 2, 0, 5}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hitsOf(search(db, firstMoves(corner, c.moves), PatternSearchType::GameCorner, 2)), c.hits) << c.moves;
}

TEST_F(PatternSearchTest, RecordTypesDecideWhichSearchFindsAGame) {
    const std::vector<Pt> opening = test::openingOf(20, 4);
    const std::vector<Pt> joseki = test::cornerJoseki();
    const Game games[] = {
        {1, 1, opening, 0, 19, 0},
        {1, 2, opening, 0, 19, kTypeFlagReference},
        {1, 3, opening, 0, 19, kTypeFlagFuseki},
        {1, 4, joseki, 1, 19, kTypeFlagJoseki}, // a joseki record is kept in the upper right
        {1, 5, joseki, 0, 19, kTypeFlagReference},
    };
    struct Case {
        PatternKind kind;
        PatternSearchType type;
        bool corner;
        std::vector<int> games;
    };
    const Case cases[] = {
        {PatternKind::General, PatternSearchType::Game, false, {1}},
        {PatternKind::Reference, PatternSearchType::Game, false, {2}},
        {PatternKind::Fuseki, PatternSearchType::Fuseki, false, {3}},
        {PatternKind::Joseki, PatternSearchType::Joseki, true, {4}},
        {PatternKind::Reference, PatternSearchType::GameCorner, true, {5}},
        {PatternKind::General, PatternSearchType::GameCorner, true, {}},
    };
    for (const Case& c : cases) {
        const PatternDatabase db = build({std::begin(games), std::end(games)}, c.kind);
        std::vector<int> found;
        for (const PatternResult& r : search(db, c.corner ? joseki : firstMoves(opening, 10), c.type).results)
            found.push_back(r.game);
        EXPECT_EQ(found, c.games) << static_cast<int>(c.kind) << " " << static_cast<int>(c.type);
    }
}

TEST_F(PatternSearchTest, AtMostAHundredGamesEachOnce) {
    const std::vector<Pt> opening = test::openingOf(12, 6);
    std::vector<Game> games;
    for (int g = 101; g >= 1; --g) games.push_back({0, g, opening});
    games.push_back({0, 50, opening, 0, 19, 0, 1}); // a variation of game 50 that matches too
    const PatternDatabase db = build(games);
    const PatternSearchOutcome o = search(db, opening, PatternSearchType::Game);
    ASSERT_EQ(o.results.size(), 100u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(o.results[static_cast<std::size_t>(i)].game, i + 1);
        EXPECT_EQ(o.results[static_cast<std::size_t>(i)].variation, 0);
    }
    EXPECT_EQ(db.name(o.results[2].name), u"対局3");
}

TEST_F(PatternSearchTest, AnEmptyDatabaseFindsNothingAndSaysSo) {
    const PatternDatabase db = build({});
    const PatternSearchOutcome o = search(db, test::openingOf(10, 1), PatternSearchType::Game);
    EXPECT_EQ(o.message, 0);
    EXPECT_TRUE(o.results.empty());
    EXPECT_EQ(resultCountLine(0), u"一致する棋譜は在りません。");
    EXPECT_EQ(resultCountLine(3), u"検索で3個の棋譜が見付かりました。");
    PatternDatabase none;
    EXPECT_FALSE(none.load(temp.path() + "missing/", PatternKind::General));
    EXPECT_EQ(none.search(PatternQuery{}, PatternSearchType::Game).message, kTextNoSearchData);
}

TEST_F(PatternSearchTest, DamagedFilesDoNotLoad) {
    const std::vector<Pt> opening = test::openingOf(40, 2);
    build({{1, 1, opening}, {1, 2, test::openingOf(40, 5)}, {1, 3, test::cornerJoseki(), 0, 19, kTypeFlagJoseki}});
    const std::string dir = temp.path();
    struct Damage {
        const char* what;
        std::string file;
        std::function<void(std::vector<std::uint8_t>&)> apply;
    };
    const Damage damages[] = {
        {"short header", "SRC0_Header.dat", [](auto& b) { b.resize(8); }},
        {"foreign magic", "SRC0_Data1.dat", [](auto& b) { b[8] ^= 1; }},
        {"count unlike its partner", "SRC0_Data2.dat", [](auto& b) { b[0] = 1, b.resize(14); }},
        {"a game beyond the header", "SRC0_Data3.dat", [](auto& b) { b[12 + 1] = 7; }},
        {"an index out of order", "SRC0_Data2.dat", [](auto& b) { std::swap(b[12], b[14]); }},
        {"a corner index twice", "SRC0_Data4.dat", [](auto& b) { b[12] = b[16]; }},
        {"game count of the snapshots", "searchData.dat", [](auto& b) { b[0] = 9; }},
        {"snapshots beyond the file", "searchData.dat", [](auto& b) { b.resize(b.size() - 1); }},
        {"a name beyond the table", "SRC0_Header.dat", [](auto& b) { b[12 + 24] = 0xFF; }},
    };
    for (const Damage& d : damages) {
        const std::vector<std::uint8_t> good = *readWholeFile(dir + d.file);
        std::vector<std::uint8_t> bad = good;
        d.apply(bad);
        ASSERT_TRUE(writeFileAtomically(dir + d.file, bad));
        PatternDatabase db;
        bool damaged = false;
        EXPECT_FALSE(db.load(dir, PatternKind::General, &damaged)) << d.what;
        EXPECT_TRUE(damaged) << d.what;
        ASSERT_TRUE(writeFileAtomically(dir + d.file, good));
    }
    // A merge cut short before its header was written: no database, and nothing called damaged.
    ASSERT_TRUE(removeFile(dir + "SRC0_Header.dat"));
    PatternDatabase db;
    bool damaged = true;
    EXPECT_FALSE(db.load(dir, PatternKind::General, &damaged));
    EXPECT_FALSE(damaged);
}

TEST_F(PatternSearchTest, ASnapshotDamagedAfterLoadingRejectsOnlyItsGame) {
    const std::vector<Pt> opening = test::openingOf(40, 8);
    const PatternDatabase db = build({{1, 1, opening}, {1, 2, opening, 1}});
    // The first game's first snapshot head, spoiled under the loaded database.
    const std::string path = temp.path() + "searchData.dat";
    std::vector<std::uint8_t> bytes = *readWholeFile(path);
    bytes[12 + 3] = 99;
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    EXPECT_EQ(hitsOf(search(db, firstMoves(opening, 30), PatternSearchType::Game)), (Hits{{1, 2, 0, 1}}));
    EXPECT_EQ(hitsOf(search(db, firstMoves(opening, 12), PatternSearchType::Game)), (Hits{{1, 1, 0, 1}, {1, 2, 0, 1}}));
}

TEST(PatternResultTexts, TypeAndNameColumns) {
    struct Case {
        std::uint8_t type;
        std::uint8_t kind;
        std::u16string label;
    };
    const Case cases[] = {
        {kRecordReference, 1, u"棋譜"},     {kRecordReference, 3, u"棋譜：右上"}, {kRecordJoseki, 4, u"定石"},
        {kRecordFuseki, 1, u"布石"},        {kRecordFuseki, 5, u"布石：右下"},    {kRecordGeneral, 1, u"一般棋譜"},
        {kRecordGeneral, 2, u"棋譜：左上"}, {kRecordGeneral, 4, u"棋譜：左下"},
    };
    for (const Case& c : cases) {
        PatternResult r;
        r.recordType = c.type;
        r.collectorKind = c.kind;
        EXPECT_EQ(resultTypeLabel(r), c.label) << int(c.type) << " " << int(c.kind);
    }
    EXPECT_EQ(resultNameLabel(u"プロ棋譜", u"第1局"), u"プロ棋譜 (第1局)");
    EXPECT_EQ(resultNameLabel(u"プロ棋譜", u""), u"プロ棋譜");
    EXPECT_EQ(resultNameLabel(u"", u""), u"棋譜名不明");
}

} // namespace
} // namespace stonewise
