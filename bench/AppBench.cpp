// What a change costs for the recovery file: encoding a 300-move game and replacing the file
// atomically (written, flushed to disk and renamed).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "app/GameSession.h"
#include "store/FileIo.h"

namespace stonewise {
namespace {

std::unique_ptr<RecordSequence> game300() {
    auto main = RecordSequence::createMain();
    for (int n = 1; n <= 300; ++n) {
        main->appendNode(makeMoveNode(n, (n * 7) % 19, (n * 11) % 19));
        if (n % 10 == 0) main->setComment(main->nodeCount() - 1, u"ここは厚みを生かして打つところ。");
    }
    main->numberTree();
    return main;
}

void encodeRecovery300(benchmark::State& state) {
    const auto record = game300();
    GameInfo info;
    info.name = u"recovery";
    for (auto _ : state) {
        const auto bytes = encodeRecoveryFile(3, 12, true, *record, info);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(encodeRecovery300)->Unit(benchmark::kMicrosecond);

// As the game session writes it after every change: atomically, not flushed to the disk.
void writeRecovery300(benchmark::State& state) {
    const auto record = game300();
    GameInfo info;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "stonewise-bench-recovery";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "Recovery.dat").string();
    for (auto _ : state) {
        const auto bytes = encodeRecoveryFile(3, 12, true, *record, info);
        if (!writeFileAtomically(path, bytes, Durability::Process)) state.SkipWithError("cannot write");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(writeRecovery300)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace stonewise
