// Writes a first corpus for the pattern fuzz targets: pattern files of a few hand-made lines, the
// database merged from them (as the database target reads it), and a composition.
//   make-seeds OUT   (OUT/pattern_file, OUT/pattern_database, OUT/composition)
#include <cstdio>
#include <string>
#include <vector>

#include "search/PatternComposition.h"
#include "search/PatternDatabase.h"
#include "search/PatternFile.h"

using namespace stonewise;

namespace {

void write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

std::vector<LineStone> line(int moves, int step, int size) {
    std::vector<LineStone> l;
    for (int i = 0; i < moves; ++i)
        l.push_back({static_cast<std::uint16_t>(i + 1), static_cast<std::uint8_t>(1 + i % 2),
                     static_cast<std::uint8_t>((3 + i * step) % size), static_cast<std::uint8_t>((3 + i * 5) % size),
                     false});
    return l;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string out = argv[1];
    PatternAnalyzer analyzer;
    PatternReplays replays;
    std::vector<std::vector<std::uint8_t>> files;
    struct Line {
        int moves, step, size;
        std::uint8_t flags;
    };
    for (const Line l : {Line{8, 1, 19, 0}, Line{60, 7, 19, 0}, Line{40, 3, 13, 0}, Line{20, 1, 19, kTypeFlagJoseki}}) {
        analyzer.analyse(line(l.moves, l.step, l.size), l.size, l.flags);
        PatternGameId id;
        id.game = static_cast<std::uint16_t>(files.size() + 1);
        id.recordType = recordTypeOf(l.flags);
        std::vector<std::uint8_t> bytes;
        encodePatternFile(analyzer, id, u"seed", bytes, replays);
        write(out + "/pattern_file/seed" + std::to_string(files.size()), bytes);
        files.push_back(std::move(bytes));
    }
    MergeResult merged;
    const auto database = mergedDatabaseFiles({files.begin(), files.end()}, merged);
    std::vector<std::uint8_t> blob;
    for (const auto& f : database) {
        for (int i = 0; i < 4; ++i) blob.push_back(static_cast<std::uint8_t>(f.size() >> (8 * i)));
        blob.insert(blob.end(), f.begin(), f.end());
    }
    write(out + "/pattern_database/seed0", blob);
    write(out + "/composition/seed0", encodeComposition({{0, 1, u"一般"}, {1002, 3, u"碁ブック"}}));
    return 0;
}
