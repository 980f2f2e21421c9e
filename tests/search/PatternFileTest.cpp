// The per-game pattern file byte by byte, its snapshots, and the reader's refusals.
#include <gtest/gtest.h>

#include <functional>

#include "PatternGames.h"
#include "search/PatternFile.h"

namespace stonewise {
namespace {

using test::lineOf;
using test::Pt;

// Little-endian bytes written out by hand.
struct Expected {
    std::vector<std::uint8_t> b;
    Expected& u8(std::initializer_list<int> v) {
        for (int x : v) b.push_back(static_cast<std::uint8_t>(x));
        return *this;
    }
    Expected& u16(std::initializer_list<int> v) {
        for (int x : v) u8({x & 0xFF, (x >> 8) & 0xFF});
        return *this;
    }
    Expected& u32(std::uint32_t v) { return u16({static_cast<int>(v & 0xFFFF), static_cast<int>(v >> 16)}); }
    Expected& cornerRecord(int kind, int colour) {
        u8({kind, 0, 0, 1, 0x33});
        for (int i = 0; i < 15; ++i) u8({0xFF});
        return u8({colour});
    }
};

std::vector<std::uint8_t> encode(const std::vector<LineStone>& line, int size, PatternGameId id, std::u16string name,
                                 std::uint8_t flags = 0) {
    PatternAnalyzer a;
    EXPECT_TRUE(a.analyse(line, size, flags));
    PatternReplays replays;
    std::vector<std::uint8_t> bytes;
    encodePatternFile(a, id, name, bytes, replays);
    return bytes;
}

TEST(PatternFile, AFiveMoveGameByteByByte) {
    // One stone in each corner, then a move on the middle line: each corner holds one move at its
    // 4-4 point, with the colour of its stone.
    const std::vector<Pt> moves = {{15, 3}, {3, 15}, {15, 15}, {3, 3}, {16, 9}};
    PatternGameId id;
    id.group = 3;
    id.game = 7;
    id.nodes = 6;
    id.moves = 5;
    Expected e;
    e.u32(28 + 88 + 32).u32(0).u32(0x19421019);
    e.u8({4, 0}).u16({3, 7, 0, 6, 0xFFFF, 28, 88, 0, 0}).u8({5, 6}).u16({0}).u32(0);
    e.u16({'a', 'b', 0});
    e.u8({2, 1, 24, 1, 1, 0, 0, 5});
    e.u8({15 << 3, 3 << 3 | 3, 15 << 3 | 3, 3 << 3, 0xFF});
    e.u8({16 << 3 | 2, 238, 238, 238, 0x01 | 0xFC});
    for (int g = 0; g < 2; ++g) e.u8({238, 238, 238, 238, 0xFF});
    e.u8({1, 4, 21, 17}).cornerRecord(2, 2).cornerRecord(3, 1).cornerRecord(4, 2).cornerRecord(5, 1);
    e.u32(0xFFFF0000);
    EXPECT_EQ(encode(lineOf(moves), 19, id, u"ab"), e.b);
}

TEST(PatternFile, SnapshotsEveryEightMovesBelowTheGamesEndUpTo160) {
    struct Case {
        int moves;
        int wholeSnapshots;
    };
    for (const Case c : {Case{16, 0}, Case{17, 1}, Case{24, 1}, Case{25, 2}, Case{200, 18}}) {
        const std::vector<std::uint8_t> bytes = encode(lineOf(test::openingOf(c.moves, 5)), 19, {}, u"");
        const std::optional<PatternFileView> v = readPatternFile(bytes);
        ASSERT_TRUE(v) << c.moves;
        EXPECT_EQ(readU16(v->record.data() + 16), c.wholeSnapshots * 111) << c.moves;
        if (c.wholeSnapshots > 0) {
            const std::uint8_t* last = v->snapshots.data() + (c.wholeSnapshots - 1) * 111;
            EXPECT_EQ(last[3], 16 + 8 * (c.wholeSnapshots - 1) + 1) << c.moves;
        }
    }
}

TEST(PatternFile, AJosekiRecordHasOneCornerAndNoWholeBoard) {
    const std::vector<std::uint8_t> bytes = encode(lineOf(test::cornerJoseki()), 19, {}, u"", kTypeFlagJoseki);
    const std::optional<PatternFileView> v = readPatternFile(bytes);
    ASSERT_TRUE(v);
    EXPECT_TRUE(v->opening.empty());
    ASSERT_EQ(v->cornerCount, 1);
    EXPECT_EQ(v->corners[0], kUpperRight);
}

TEST(PatternFile, TheReaderRefusesEveryDamage) {
    const std::vector<std::uint8_t> good = encode(lineOf(test::openingOf(40, 9)), 19, {}, u"名前");
    ASSERT_TRUE(readPatternFile(good));
    const std::size_t nameEnd = 40 + 6;
    const std::size_t snapshots = nameEnd + 28 + 88;
    struct Damage {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> apply;
    };
    const Damage damages[] = {
        {"one byte short", [](auto& b) { b.pop_back(); }},
        {"one byte more", [](auto& b) { b.push_back(0); }},
        {"foreign magic", [](auto& b) { b[8] ^= 1; }},
        {"total size", [](auto& b) { b[0] ^= 4; }},
        {"record type", [](auto& b) { b[12] = 9; }},
        {"name without its zero", [&](auto& b) { b[nameEnd - 2] = 'x'; }},
        {"opening head", [&](auto& b) { b[nameEnd + 2] = 23; }},
        {"corner head", [&](auto& b) { b[nameEnd + 28 + 1] = 3; }},
        {"snapshot step", [&](auto& b) { b[snapshots + 3] = 18; }},
        {"end mark", [](auto& b) { b[b.size() - 1] = 0; }},
        {"sizes beyond the file", [](auto& b) { b[12 + 16] = 0xFF; }},
    };
    for (const Damage& d : damages) {
        std::vector<std::uint8_t> bytes = good;
        d.apply(bytes);
        EXPECT_FALSE(readPatternFile(bytes)) << d.what;
    }
    EXPECT_FALSE(readPatternFile({}));
}

TEST(PatternFile, NamesAndVariations) {
    EXPECT_EQ(patternFileName(0, 1, 0), "PAT_1368304950000.dat");
    EXPECT_EQ(patternFileName(3, 7, 12), "PAT_1368004944012.dat");
    struct Case {
        std::uint8_t flags;
        std::uint8_t type;
    };
    for (const Case c : {Case{0, 4}, Case{1, 1}, Case{2, 2}, Case{4, 3}, Case{3, 2}, Case{7, 3}, Case{5, 3}})
        EXPECT_EQ(recordTypeOf(c.flags), c.type) << int(c.flags);
}

} // namespace
} // namespace stonewise
