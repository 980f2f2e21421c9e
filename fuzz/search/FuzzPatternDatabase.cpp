// The merged database files: six files (header, Data1..Data4, searchData.dat), each given as a u32
// length and its bytes. Any bytes are loaded without harm, and a database that loads is searched
// without harm and never lists more than 100 games or a game twice.
#include <cstdint>
#include <span>
#include <string>

#include "../store/FuzzCheck.h"
#include "PatternFuzzSupport.h"
#include "search/PatternDatabase.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = fuzzFolder();
    std::span<const std::uint8_t> rest(data, size);
    for (int part = 0; part < 6; ++part) {
        std::size_t length = 0;
        if (rest.size() >= 4) {
            length = rest[0] | (rest[1] << 8) | (rest[2] << 16) | (static_cast<std::size_t>(rest[3]) << 24);
            rest = rest.subspan(4);
        }
        length = std::min(length, rest.size());
        const std::string name =
            part == 5 ? std::string(kSearchDataFile) : databaseFileName(PatternKind::General, part);
        writeFuzzFile(folder + name, rest.first(length));
        rest = rest.subspan(length);
    }
    PatternDatabase db;
    if (db.load(folder, PatternKind::General)) searchEverything(db);
    return 0;
}
