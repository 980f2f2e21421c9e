#include "PatternGames.h"

#include <gtest/gtest.h>

#include "formats/SgfReader.h"

namespace stonewise::test {

Pt turned(Pt p, int symmetry, int size) {
    if (symmetry & 4) std::swap(p.x, p.y);
    if (symmetry & 1) p.x = size - 1 - p.x;
    if (symmetry & 2) p.y = size - 1 - p.y;
    return p;
}

std::u16string sgfOf(const std::vector<Pt>& moves, int size, int symmetry) {
    std::u16string s = u"(;GM[1]FF[4]SZ[" + std::u16string(size == 13 ? u"13" : u"19") + u"]";
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const Pt p = turned(moves[i], symmetry, size);
        s += i % 2 == 0 ? u";B[" : u";W[";
        s += static_cast<char16_t>(u'a' + p.x);
        s += static_cast<char16_t>(u'a' + p.y);
        s += u"]";
    }
    return s + u")";
}

std::unique_ptr<RecordSequence> recordOf(const std::u16string& sgf) {
    SgfReadResult read = readSgf(sgf, GameInfo{}, {});
    EXPECT_TRUE(read.ok);
    return std::move(read.main);
}

std::vector<LineStone> lineOf(const std::vector<Pt>& moves, int size, int symmetry) {
    std::vector<LineStone> line;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const Pt p = turned(moves[i], symmetry, size);
        line.push_back({static_cast<std::uint16_t>(i + 1), static_cast<std::uint8_t>(i % 2 == 0 ? 1 : 2),
                        static_cast<std::uint8_t>(p.x), static_cast<std::uint8_t>(p.y), false});
    }
    return line;
}

std::vector<Pt> openingOf(int count, unsigned seed) {
    std::vector<Pt> moves{{15, 3}};
    unsigned state = seed * 2654435761u + 12345u;
    bool used[19][19] = {};
    used[15][3] = true;
    while (static_cast<int>(moves.size()) < count) {
        state = state * 1103515245u + 12345u;
        const int x = static_cast<int>((state >> 8) % 19);
        const int y = static_cast<int>((state >> 16) % 19);
        if (x == 9 || y == 9 || used[x][y]) continue;
        used[x][y] = true;
        moves.push_back({x, y});
    }
    return moves;
}

std::vector<Pt> cornerJoseki() {
    // 4-4 point, approach, knight's move answer, slide, and so on: every move near the last ones.
    return {{3, 3}, {5, 2}, {2, 5}, {2, 2}, {3, 2}, {2, 3}, {4, 2}, {6, 2}, {5, 3}, {6, 3}, {4, 4}, {6, 4}};
}

} // namespace stonewise::test
