// Throughput of the SGF/UGF readers and the SGF writer over the corpus of real game records:
// bytes per second and games per second.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "formats/FileAccess.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/SgfScanner.h"
#include "formats/SgfWriter.h"
#include "formats/TextEncoding.h"

namespace {

using namespace stonewise;

struct CorpusFile {
    std::string bytes;
    GameFileKind kind;
};

const std::vector<CorpusFile>& corpus() {
    static const std::vector<CorpusFile> files = [] {
        std::vector<CorpusFile> out;
        namespace fs = std::filesystem;
        // STONEWISE_BENCH_CORPUS names another folder (a part of the corpus, such as plain games).
        const char* other = std::getenv("STONEWISE_BENCH_CORPUS");
        const fs::path folder = other && *other ? fs::path(other) : fs::path(STONEWISE_CORPUS_DIR);
        if (!fs::is_directory(folder)) return out;
        for (const auto& e : fs::recursive_directory_iterator(folder)) {
            if (!e.is_regular_file()) continue;
            const GameFileKind kind = gameFileKind(e.path().string());
            if (kind == GameFileKind::Unknown) continue;
            if (auto bytes = readFileBytes(e.path().string())) out.push_back({std::move(*bytes), kind});
        }
        return out;
    }();
    return files;
}

struct ReadGame {
    std::unique_ptr<RecordSequence> main;
    GameInfo info;
};

const std::vector<ReadGame>& readCorpus() {
    static const std::vector<ReadGame> games = [] {
        std::vector<ReadGame> out;
        for (const CorpusFile& f : corpus()) {
            LoadedGame g = loadGameBytes(f.bytes, f.kind, u"bench", LoadRequest{}, LoadSettings{});
            if (g.ok) out.push_back({std::move(g.main), std::move(g.info)});
        }
        return out;
    }();
    return games;
}

// Reads every file of the corpus from its bytes into a record; with an argument of 1 only the SGF
// files (what bench/sgf-read-vs-sabaki.sh compares with another program's parser).
void BM_ReadCorpus(benchmark::State& state) {
    const auto& all = corpus();
    if (all.empty()) {
        state.SkipWithError("the corpus is missing");
        return;
    }
    std::vector<const CorpusFile*> files;
    for (const CorpusFile& f : all)
        if (state.range(0) == 0 || f.kind == GameFileKind::Sgf) files.push_back(&f);
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const CorpusFile* file : files) {
            const CorpusFile& f = *file;
            InMemoryMembers members;
            LoadSettings settings;
            settings.members = &members;
            LoadedGame g = loadGameBytes(f.bytes, f.kind, u"bench", LoadRequest{}, settings);
            benchmark::DoNotOptimize(g.main.get());
            bytes += f.bytes.size();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * files.size()));
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * files.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadCorpus)->Arg(0)->Arg(1)->ArgName("sgfOnly")->Unit(benchmark::kMillisecond);

// The record's own share of reading a joseki dictionary, without any file: 14,000 variations of
// four moves and a comment each, in a tree of four variations to a sequence, built and freed. (The
// largest dictionary of the corpus holds 13,967 variations and 62,864 nodes in 1.2 MB.)
void BM_BuildShortVariations(benchmark::State& state) {
    constexpr int kVariations = 14000;
    for (auto _ : state) {
        auto main = RecordSequence::createMain();
        std::vector<RecordSequence*> all{main.get()};
        all.reserve(kVariations + 1);
        for (int i = 0; i < kVariations; ++i) {
            RecordSequence* parent = all[static_cast<std::size_t>(i / 4)];
            RecordSequence* c = parent->createChild(parent->depth() + 1, parent->firstMoveNumber() + 1, kBranch);
            RecordNode link;
            link.type = NodeType::Link;
            link.moveNumber = static_cast<std::int16_t>(parent->firstMoveNumber());
            link.childSlot = static_cast<std::uint8_t>(c->slot());
            parent->appendNode(link);
            for (int k = 0; k < 4; ++k) c->appendNode(makeMoveNode(c->firstMoveNumber() + k, k, k));
            c->setComment(0, u"Black takes the corner; White settles on the side.", Backslashes::Keep);
            all.push_back(c);
        }
        benchmark::DoNotOptimize(main.get());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kVariations);
}
BENCHMARK(BM_BuildShortVariations)->Unit(benchmark::kMillisecond);

// Decoding alone: the bytes of every file turned into text (marks, CA, detection, conversion).
void BM_DecodeCorpus(benchmark::State& state) {
    const auto& files = corpus();
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const CorpusFile& f : files) {
            const DecodedText text = decodeGameRecordBytes(f.bytes, CodePage::Cp932);
            benchmark::DoNotOptimize(text.text.data());
            bytes += f.bytes.size();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_DecodeCorpus)->Unit(benchmark::kMillisecond);

// Decoding and tokenising alone, without building records: what the reader costs before the
// record takes its share.
void BM_ScanCorpus(benchmark::State& state) {
    const auto& files = corpus();
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const CorpusFile& f : files) {
            const DecodedText text = decodeGameRecordBytes(f.bytes, CodePage::Cp932);
            SgfScanner scanner(text.text);
            int tokens = 0;
            while (scanner.next() != kSgfEnd) ++tokens;
            benchmark::DoNotOptimize(tokens);
            bytes += f.bytes.size();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_ScanCorpus)->Unit(benchmark::kMillisecond);

void BM_WriteCorpus(benchmark::State& state) {
    const auto& games = readCorpus();
    if (games.empty()) {
        state.SkipWithError("the corpus is missing");
        return;
    }
    SgfWriteOptions options;
    options.encoding = static_cast<SgfEncoding>(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const ReadGame& g : games) {
            SgfWriteResult out = writeSgf(*g.main, g.info, options);
            bytes += out.bytes.size();
            benchmark::DoNotOptimize(out.bytes.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * games.size()), benchmark::Counter::kIsRate);
}
// 0 Shift_JIS, 1 UTF-8, 2 UTF-16.
BENCHMARK(BM_WriteCorpus)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
