// Pattern searches over a database built from the bench games (bench/pattern-bench.sh builds it):
// whole-board and corner searches from each position file, the analysis of the position
// included, as the search panel runs them.
//   PATTERN_BENCH_DATA=DIR PATTERN_BENCH_POSITIONS=DIR bench_pattern
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "search/PatternDatabase.h"

namespace {

using namespace stonewise;

struct Position {
    std::string name;
    std::unique_ptr<RecordSequence> record;
    int size = 19;
};

void search(benchmark::State& state, const PatternDatabase& db, const Position& p, PatternSearchType type) {
    PatternQuery query;
    std::size_t hits = 0;
    for (auto _ : state) {
        query.prepare(*p.record, -1, p.size);
        const PatternSearchOutcome outcome = db.search(query, type);
        hits = outcome.results.size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const char* data = std::getenv("PATTERN_BENCH_DATA");
    const char* positions = std::getenv("PATTERN_BENCH_POSITIONS");
    if (!data || !positions) {
        std::cerr
            << "bench_pattern: set PATTERN_BENCH_DATA and PATTERN_BENCH_POSITIONS (bench/pattern-bench.sh does)\n";
        return 2;
    }
    static PatternDatabase db;
    if (!db.load(patternFolder(data, PatternKind::General), PatternKind::General)) {
        std::cerr << "bench_pattern: no pattern database in " << data << "\n";
        return 1;
    }
    static std::vector<Position> loaded;
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(positions)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    InMemoryMembers members;
    LoadSettings settings;
    settings.members = &members;
    for (const auto& f : files) {
        LoadedGame g = loadGameFile(f.string(), LoadRequest{}, settings);
        if (g.ok) loaded.push_back({f.stem().string(), std::move(g.main), g.info.boardSize()});
    }
    benchmark::RegisterBenchmark("load_database", [&](benchmark::State& state) {
        for (auto _ : state) {
            PatternDatabase again;
            benchmark::DoNotOptimize(again.load(patternFolder(data, PatternKind::General), PatternKind::General));
        }
        state.counters["hits"] = 0; // every row has the same columns
    })->Unit(benchmark::kMillisecond);
    for (const Position& p : loaded) {
        benchmark::RegisterBenchmark(("whole/" + p.name).c_str(), [&p](benchmark::State& s) {
            search(s, db, p, PatternSearchType::Game);
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("corner/" + p.name).c_str(), [&p](benchmark::State& s) {
            search(s, db, p, PatternSearchType::GameCorner);
        })->Unit(benchmark::kMicrosecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
