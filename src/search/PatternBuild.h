#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "search/PatternCodes.h"
#include "search/PatternComposition.h"

namespace stonewise {

class GameStore;
class RecordSequence;

// What a build run tells as it goes, and how it is stopped.
class PatternBuildWatcher {
public:
    virtual ~PatternBuildWatcher() = default;
    // Called before each composed input with the inputs done so far, their total and the text
    // "解析中：%s" with the input's name; returning false stops the build.
    virtual bool progress(int done, int total, std::u16string_view text) = 0;
    // A message for the user (a record that cannot be analysed, a file that cannot be written).
    virtual void message(std::u16string_view text, std::u16string_view title) = 0;
};

// Where the records of Go books come from (group numbers 1000 and above). Without one, book
// entries of a composition are named as not readable and left out.
class PatternBookSource {
public:
    virtual ~PatternBookSource() = default;
    // Calls `take` for every record of book `book` whose entry kind suits `kind`: the record, its
    // board size, its type flags, its entry number and name.
    virtual bool forEachRecord(int book, PatternKind kind,
                               const std::function<void(const RecordSequence&, int boardSize, std::uint8_t typeFlags,
                                                        int entry, std::u16string_view name)>& take) = 0;
};

struct PatternBuildOptions {
    PatternKind kind = PatternKind::General;
    bool variations = false; // "分岐パターンも組み込む": variations of variations too
};

struct PatternBuildResult {
    enum class Status { Built, Stopped, Failed };
    Status status = Status::Failed;
    int composed = 0;    // composition entries
    int patterns = 0;    // games (lines) merged into the database
    std::u16string text; // the closing message
};

// Builds the database of `options.kind` from `composition`: every game's line and its variations
// are analysed into pattern files (kept in memory: writing and removing one small file per line
// costs more than the analysis), which are merged into the database files; then the composition
// is written. A build that is stopped, or that fails, leaves the database that was there before
// unchanged; one cut short by a crash leaves either that database or no database (the header file
// goes last), never one that searches wrongly.
PatternBuildResult buildPatternDatabase(GameStore& store, const std::vector<CompositionEntry>& composition,
                                        const PatternBuildOptions& options, PatternBuildWatcher& watcher,
                                        PatternBookSource* books = nullptr);

} // namespace stonewise
