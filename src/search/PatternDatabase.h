#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "search/PatternCodes.h"
#include "search/PatternQuery.h"

namespace stonewise {

// The database files of one kind, in the kind's folder: "SRC%d_Header.dat", "SRC%d_Data1.dat" ..
// "SRC%d_Data4.dat" (%d is 0 for the general records, 1 for the other kinds), "searchData.dat".
std::string patternFolder(const std::string& dataFolder, PatternKind kind);
std::string databaseFileName(PatternKind kind, int part); // part 0 the header, 1..4 the data files
constexpr const char* kSearchDataFile = "searchData.dat";
constexpr const char* kCompositionFile = "constructionList.dat";

// What a merge made.
struct MergeResult {
    bool ok = false;
    int games = 0;   // games merged
    int skipped = 0; // pattern files that could not be read (left out)
};

// The bytes of one pattern file each.
using PatternFiles = std::vector<std::span<const std::uint8_t>>;

// Merges pattern files into the database files of `kind` in `folder`. The header file is removed
// first and written last, each file replaced atomically, so a merge cut short leaves a database
// that does not load rather than one that searches wrongly. At most kMaxPatternGames files are
// taken; an unreadable one is left out.
MergeResult mergePatterns(const PatternFiles& files, const std::string& folder, PatternKind kind);
// The bytes of the six database files (header, Data1..Data4, searchData) for the given pattern
// files, in that order.
std::array<std::vector<std::uint8_t>, 6> mergedDatabaseFiles(const PatternFiles& files, MergeResult& result);

// Which search the panel runs.
enum class PatternSearchType : std::uint8_t { Joseki = 2, Fuseki = 3, Game = 5, GameCorner = 6 };

// One game found.
struct PatternResult {
    std::uint16_t group = 0;
    std::uint16_t game = 0;
    std::uint16_t variation = 0;
    std::uint16_t bookEntry = 0xFFFF;
    std::uint8_t recordType = 0;
    std::uint8_t collectorKind = 0; // 1 the whole board, 2..5 the corner of the match
    std::uint8_t matchedMoves = 0;
    std::uint8_t nextMove = kNoMoveByte; // corners: the move that followed, (x << 4) | y
    std::uint32_t name = 0;              // index into the name table, 0 for none

    bool operator==(const PatternResult&) const = default;
};

// How a search ended.
struct PatternSearchOutcome {
    std::vector<PatternResult> results; // sorted by group, game and variation
    int message = 0;                    // a text number when the search could not run
};

// One loaded database: the game records, the name table and the sorted opening and corner
// indexes in memory; the snapshots stay in searchData.dat and are read by position.
class PatternDatabase {
public:
    PatternDatabase() = default;
    ~PatternDatabase();
    PatternDatabase(const PatternDatabase&) = delete;
    PatternDatabase& operator=(const PatternDatabase&) = delete;
    PatternDatabase(PatternDatabase&& other) noexcept;
    PatternDatabase& operator=(PatternDatabase&& other) noexcept;

    // Reads the database of `kind` from `folder`, checking every count against its partner, every
    // index and position against what it points to, and the order of the sorted indexes. False
    // (and not ready) when a file is missing or anything disagrees; `damaged` then tells whether
    // files were there but wrong.
    bool load(const std::string& folder, PatternKind kind, bool* damaged = nullptr);
    bool ready() const { return m_ready; }
    PatternKind kind() const { return m_kind; }
    int gameCount() const { return static_cast<int>(m_games.size()); }
    bool hasOpenings() const { return !m_openings.empty(); }
    bool hasCorners() const { return !m_corners.empty(); }

    // Searches for the position of `query`; results (at most 100 games, each once) in the order
    // of group, game and variation.
    PatternSearchOutcome search(const PatternQuery& query, PatternSearchType type) const;

    // The name of a result (empty when it has none).
    std::u16string name(std::uint32_t index) const;

private:
    struct Game {
        std::uint8_t recordType = 0;
        std::uint16_t group = 0;
        std::uint16_t game = 0;
        std::uint16_t variation = 0;
        std::uint16_t nodes = 0;
        std::uint16_t bookEntry = 0;
        std::uint32_t dataPos = 0;
        std::uint16_t sizeC = 0;
        std::uint16_t sizeD = 0;
        std::uint32_t name = 0;
        std::uint8_t corners = 0;
    };
    struct Opening {
        std::array<std::uint16_t, kOpeningMoves> codes{};
        std::uint32_t game = 0;
        std::uint8_t kind = 0;
        std::uint8_t present = 0;
    };
    struct Corner {
        std::array<std::uint8_t, kOpeningMoves> bytes{};
        std::uint32_t game = 0;
        std::uint8_t kind = 0;
        std::uint8_t present = 0;
    };

    void searchWholeBoard(const PatternQuery& query, std::uint8_t accepted, PatternSearchOutcome& out) const;
    void searchCorner(const PatternQuery& query, std::uint8_t accepted, PatternSearchOutcome& out) const;
    bool readSnapshots(const Game& g, std::vector<std::uint8_t>& buffer) const;
    // Adds a result unless 100 exist or its game was listed already.
    void addResult(const Game& g, std::uint8_t kind, int matched, std::uint8_t next, PatternSearchOutcome& out) const;
    void clear();

    bool m_ready = false;
    PatternKind m_kind = PatternKind::General;
    std::vector<Game> m_games;
    std::u16string m_names;
    std::vector<Opening> m_openings; // in the order of the sorted index
    std::vector<Corner> m_corners;   // in the order of the sorted index
    int m_searchData = -1;           // the open searchData.dat
    std::uint64_t m_searchDataSize = 0;
};

} // namespace stonewise
