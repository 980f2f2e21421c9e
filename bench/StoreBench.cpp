// The data store's hot paths: opening a group of 2,000 games (every list page) and reading and
// writing the file of a 300-move game.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "record/StringTable.h"
#include "store/FileIo.h"
#include "store/GameStore.h"

namespace stonewise {
namespace {

// A 300-move game with a comment every ten moves, elapsed times, and three branches.
std::unique_ptr<RecordSequence> game300() {
    auto main = RecordSequence::createMain();
    for (int n = 1; n <= 300; ++n) {
        RecordNode k = makeMoveNode(n, (n * 7) % 19, (n * 11) % 19);
        k.elapsed = static_cast<std::int16_t>(n % 90);
        main->appendNode(k);
        if (n % 10 == 0) main->setComment(main->nodeCount() - 1, u"ここは厚みを生かして打つところ。\\黒の好手。");
    }
    for (int at : {50, 120, 200}) {
        RecordSequence* branch = main->createChild(1, at + 1, kBranch);
        RecordNode link;
        link.type = NodeType::Link;
        link.childSlot = static_cast<std::uint8_t>(branch->slot());
        link.moveNumber = static_cast<std::int16_t>(at);
        link.flags = kBranch;
        main->insertNode(at, link);
        for (int n = at + 1; n <= at + 15; ++n) branch->appendNode(makeMoveNode(n, n % 19, (n * 3) % 19));
    }
    main->numberTree();
    return main;
}

GameInfo entry(int number) {
    GameInfo g;
    g.number = number;
    g.name = u"第" + std::u16string(1, static_cast<char16_t>(u'0' + number % 10)) + u"局 棋聖戦挑戦手合";
    g.blackPlayer = 1;
    g.whitePlayer = number % 50;
    g.komi = 6.5f;
    g.startDate = {2025, 1, static_cast<std::uint8_t>(number % 28 + 1), 0};
    g.winner = kBlackWins;
    g.margin = 1000;
    g.gameComment = u"解説付き";
    g.blackName = u"黒番";
    g.whiteName = u"白番";
    return g;
}

class Folder {
public:
    Folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "stonewise-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern + "/";
    }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

void openGroupOf2000Games(benchmark::State& state) {
    Folder temp;
    const DataFolder folder(temp.path);
    {
        GameStore store(folder, StringTable::japanese());
        StoreMessages m;
        store.addGroup(u"棋譜鑑賞", kGroupViewing, std::nullopt, m);
        GameList& list = store.gameList(0, m);
        for (int n = 1; n <= kMaxGameNumber; ++n) list.put(entry(n));
        if (!store.saveGameList(0, m)) state.SkipWithError("cannot write the list pages");
    }
    for (auto _ : state) {
        GameStore store(folder, StringTable::japanese());
        StoreMessages m;
        const int games = store.gameList(0, m).count();
        if (games != kMaxGameNumber) state.SkipWithError("the group does not read back");
        benchmark::DoNotOptimize(games);
    }
}
BENCHMARK(openGroupOf2000Games)->Unit(benchmark::kMillisecond);

void writeGame300(benchmark::State& state) {
    const auto record = game300();
    const GameInfo info = entry(7);
    std::size_t size = 0;
    for (auto _ : state) {
        const auto bytes = encodeGameFile(*record, &info, NodeForm::Ordinary);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(writeGame300)->Unit(benchmark::kMicrosecond);

void readGame300(benchmark::State& state) {
    const auto record = game300();
    const GameInfo info = entry(7);
    const auto bytes = encodeGameFile(*record, &info, NodeForm::Ordinary);
    for (auto _ : state) {
        const GameFileRead read = decodeGameFile(bytes);
        if (read.status != StoreReadStatus::Ok) state.SkipWithError("the game does not read back");
        benchmark::DoNotOptimize(read.main.get());
    }
}
BENCHMARK(readGame300)->Unit(benchmark::kMicrosecond);

void readGame300FromFile(benchmark::State& state) {
    Folder temp;
    const std::string path = temp.path + "Game00007.dat";
    const auto record = game300();
    const GameInfo info = entry(7);
    writeFileAtomically(path, encodeGameFile(*record, &info, NodeForm::Ordinary));
    for (auto _ : state) {
        const auto bytes = readWholeFile(path);
        const GameFileRead read = decodeGameFile(*bytes);
        benchmark::DoNotOptimize(read.main.get());
    }
}
BENCHMARK(readGame300FromFile)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace stonewise
