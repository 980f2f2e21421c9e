// Importing 2,000 game-record files into one group, the command line's way: each file read and
// parsed, stored as a new game with its list entry (1,999 fill the group; the last is refused),
// the list pages written, then the group opened again from its pages as the game list shows it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "app/Importer.h"
#include "formats/MemberDirectory.h"
#include "record/StringTable.h"
#include "store/GameListPage.h"
#include "store/GameStore.h"
#include "store/StoreMemberDirectory.h"

namespace stonewise {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 2000;

// A 150-move game between two of twenty players, with a comment every twenty moves.
std::string sgfGame(int n) {
    std::string s = "(;GM[1]FF[4]CA[UTF-8]SZ[19]KM[6.5]GN[第" + std::to_string(n) + "局]PB[棋士" +
                    std::to_string(n % 20) + "]PW[棋士" + std::to_string((n + 7) % 20) + "]DT[2026-12-10]RE[B+R]\n";
    for (int m = 0; m < 150; ++m) {
        const int at = (m * 37 + n * 11) % 361;
        s += m % 2 == 0 ? ";B[" : ";W[";
        s += static_cast<char>('a' + at % 19);
        s += static_cast<char>('a' + at / 19);
        s += ']';
        if (m % 20 == 0) s += "C[ここは厚みを生かして打つところ。]";
    }
    return s + ")\n";
}

class Quiet final : public ImportFrontEnd {
public:
    ImportDialogResult askImport(const ImportDialogRequest&) override { return {}; }
    void showMessage(std::u16string_view, std::u16string_view) override { ++messages; }
    bool takeTemporary(LoadedGame&) override { return false; }
    int messages = 0;
};

// state.range(0): 0 = the data folder on the system's temporary folder (a disk), 1 = in memory
// (/dev/shm), which leaves the program's own share of the work.
void BM_Import2000GamesIntoOneGroup(benchmark::State& state) {
    const fs::path base =
        state.range(0) == 1 && fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path root = base / ("stonewise-import-bench-" + std::to_string(::getpid()));
    fs::create_directories(root / "files");
    std::vector<std::string> paths;
    for (int n = 1; n <= kFiles; ++n) {
        const fs::path p = root / "files" / ("game" + std::to_string(n) + ".sgf");
        std::ofstream(p, std::ios::binary) << sgfGame(n);
        paths.push_back(p.string());
    }
    int round = 0;
    for (auto _ : state) {
        const std::string data = (root / ("data" + std::to_string(round++))).string();
        GameStore store{DataFolder(data), StringTable::japanese()};
        StoreMessages messages;
        store.start(SettingsRecord{}, GameDate{2026, 12, 10, 0}, messages);
        StoreMemberDirectory members(store.members(), GameDate{2026, 12, 10, 0});
        Quiet front;
        Importer importer(store, StringTable::japanese(), front);
        ImportOptions options;
        options.defaultGroup = 3;
        options.askDialog = false;
        options.preset.choice = ImportChoice::NewGame;
        options.settings.members = &members;
        const ImportSummary summary = importer.run(paths, options);
        // The list as the game list panel pages through it, from a store opened afresh.
        GameStore again{DataFolder(data), StringTable::japanese()};
        again.readGroupList(messages);
        const int listed = again.gameList(3, messages).count();
        // A group holds game numbers 1 to 1,999: the last file is refused as the group is full.
        if (summary.stored != kMaxGameNumber || listed != kMaxGameNumber || summary.refused != 1) {
            std::fprintf(stderr, "stored %d, listed %d, refused %d\n", summary.stored, listed, summary.refused);
            state.SkipWithError("the group did not take its 1,999 games");
            break;
        }
        state.PauseTiming();
        fs::remove_all(data);
        state.ResumeTiming();
    }
    fs::remove_all(root);
    state.counters["games/s"] = benchmark::Counter(
        static_cast<double>(kMaxGameNumber) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Import2000GamesIntoOneGroup)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
} // namespace stonewise
