// Rebuilding positions and checking captures: the work done on every navigation step and click.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>

// Every allocation of the process is counted, so the benchmarks can show that a rebuild and a
// capture check allocate nothing. (GCC takes the replaced operators' free for a mismatch with
// the standard operator new.)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<long> g_allocations{0};
}
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

#include "board/MoveLegalityProbe.h"
#include "board/PositionRebuild.h"

namespace stonewise {
namespace {

// A legal 300-move game on 19 lines with captures, played at random with a fixed seed.
GameRecord& game300() {
    static GameRecord record;
    static bool built = false;
    if (built) return record;
    built = true;
    BoardPosition pos;
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coordinate(0, 18);
    int n = 1;
    while (n <= 300) {
        const int x = coordinate(rng);
        const int y = coordinate(rng);
        if (!pos.legal(x, y, n)) continue;
        record.main().appendNode(makeMoveNode(n, x, y));
        pos.play({x, y, colourOfMove(n), n});
        ++n;
    }
    return record;
}

void BM_RebuildEveryMoveOf300(benchmark::State& state) {
    GameRecord& record = game300();
    BoardPosition pos;
    BoardNavigation nav;
    nav.showEndOf(300);
    RebuildOptions options;
    rebuildPosition(pos, nav, record, options);
    const long before = g_allocations;
    for (auto _ : state) {
        for (int n = 1; n <= 300; ++n) {
            nav.show(n);
            benchmark::DoNotOptimize(rebuildPosition(pos, nav, record, options));
        }
    }
    state.counters["allocations"] = static_cast<double>(g_allocations - before);
    state.SetItemsProcessed(state.iterations() * 300);
}
BENCHMARK(BM_RebuildEveryMoveOf300)->Unit(benchmark::kMillisecond);

void BM_RebuildFull300(benchmark::State& state) {
    GameRecord& record = game300();
    BoardPosition pos;
    BoardNavigation nav;
    nav.showEndOf(300);
    RebuildOptions options;
    for (auto _ : state) benchmark::DoNotOptimize(rebuildPosition(pos, nav, record, options));
}
BENCHMARK(BM_RebuildFull300)->Unit(benchmark::kMicrosecond);

void BM_CaptureCheck(benchmark::State& state) {
    GameRecord& record = game300();
    BoardPosition pos;
    BoardNavigation nav;
    nav.showEndOf(300);
    rebuildPosition(pos, nav, record, {});
    // Test every empty point of the final position in turn, as clicks would.
    std::vector<std::pair<int, int>> empty;
    for (int x = 0; x < 19; ++x)
        for (int y = 0; y < 19; ++y)
            if (!pos.at(x, y).hasStone()) empty.push_back({x, y});
    std::size_t i = 0;
    const long before = g_allocations;
    for (auto _ : state) {
        const auto [x, y] = empty[i++ % empty.size()];
        benchmark::DoNotOptimize(pos.refusal(x, y, 301));
    }
    state.counters["allocations"] = static_cast<double>(g_allocations - before);
}
BENCHMARK(BM_CaptureCheck);

} // namespace
} // namespace stonewise
