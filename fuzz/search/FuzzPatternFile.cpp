// A per-game pattern file: any bytes read without harm, and a file the reader takes merges into a
// database that loads and can be searched.
#include <unistd.h>

#include <cstdint>
#include <span>
#include <string>

#include "../store/FuzzCheck.h"
#include "PatternFuzzSupport.h"
#include "search/PatternDatabase.h"
#include "search/PatternFile.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (!readPatternFile(bytes)) return 0;
    MergeResult merged;
    const auto files = mergedDatabaseFiles({bytes}, merged);
    FUZZ_CHECK(merged.ok && merged.games == 1);
    const std::string folder = fuzzFolder();
    for (int part = 0; part < 6; ++part)
        writeFuzzFile(folder +
                          (part == 5 ? std::string(kSearchDataFile) : databaseFileName(PatternKind::General, part)),
                      files[static_cast<std::size_t>(part)]);
    PatternDatabase db;
    FUZZ_CHECK(db.load(folder, PatternKind::General));
    FUZZ_CHECK(db.gameCount() == 1);
    searchEverything(db);
    return 0;
}
