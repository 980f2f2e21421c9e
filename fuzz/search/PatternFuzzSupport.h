#pragma once

#include <unistd.h>

#include <cstdio>
#include <set>
#include <span>
#include <string>
#include <utility>

#include "../store/FuzzCheck.h"
#include "search/PatternDatabase.h"
#include "search/PatternQuery.h"

namespace stonewise {

// A folder of this process for the files of one input.
inline std::string fuzzFolder() {
    static const std::string folder = [] {
        char path[] = "/tmp/stonewise-pattern-fuzz-XXXXXX";
        FUZZ_CHECK(::mkdtemp(path) != nullptr);
        return std::string(path) + "/";
    }();
    return folder;
}

inline void writeFuzzFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(f != nullptr);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// Every search type from a few positions: an opening played out past the snapshots and a corner.
inline void searchEverything(const PatternDatabase& db) {
    static const std::vector<std::vector<LineStone>> lines = [] {
        std::vector<std::vector<LineStone>> l(3);
        const int corner[][2] = {{3, 3}, {5, 2}, {2, 5}, {2, 2}, {3, 2}, {2, 3}, {4, 2}, {6, 2}, {5, 3}, {6, 3}};
        for (int i = 0; i < 10; ++i)
            l[0].push_back({static_cast<std::uint16_t>(i + 1), static_cast<std::uint8_t>(1 + i % 2),
                            static_cast<std::uint8_t>(corner[i][0]), static_cast<std::uint8_t>(corner[i][1]), false});
        for (int i = 0; i < 60; ++i)
            l[1].push_back({static_cast<std::uint16_t>(i + 1), static_cast<std::uint8_t>(1 + i % 2),
                            static_cast<std::uint8_t>((i * 7 + 15) % 19), static_cast<std::uint8_t>((i * 11 + 3) % 19),
                            false});
        for (int i = 0; i < 30; ++i)
            l[2].push_back({static_cast<std::uint16_t>(i + 1), static_cast<std::uint8_t>(1 + i % 2),
                            static_cast<std::uint8_t>(i % 9), static_cast<std::uint8_t>((i / 9) * 2), false});
        return l;
    }();
    for (const auto& line : lines)
        for (const int size : {19, 13}) {
            PatternQuery query;
            query.prepare(line, size);
            for (const auto type : {PatternSearchType::Joseki, PatternSearchType::Fuseki, PatternSearchType::Game,
                                    PatternSearchType::GameCorner}) {
                const PatternSearchOutcome o = db.search(query, type);
                FUZZ_CHECK(o.results.size() <= 100);
                std::set<std::pair<int, int>> games;
                for (const PatternResult& r : o.results) {
                    FUZZ_CHECK(games.insert({r.group, r.game}).second);
                    (void)db.name(r.name);
                }
            }
        }
}

} // namespace stonewise
