#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "board/BoardPosition.h"
#include "board/OwnershipPlayouts.h"

namespace stonewise {

// Values of a counting-grid cell.
constexpr std::uint8_t kCellEmpty = 0;
constexpr std::uint8_t kCellNeutral = 9; // false eye or neutral point, counted for nobody
constexpr std::uint8_t kCellBorder = 0xFF;

// Point marks the counting leaves for the drawing.
constexpr std::uint8_t kCountMarkDead = 4;
constexpr std::uint8_t kCountMarkBlackTerritory = 9;
constexpr std::uint8_t kCountMarkWhiteTerritory = 10;
constexpr std::uint8_t kCountMarkFalseEye = 11;

// Why a stone is off the counting board: not at all, by the analysis, by the user's click.
enum class DeadState : std::uint8_t { Alive = 0, ByAnalysis = 1, ByUser = 2 };

// A connected region of the board (a chain of stones or an empty area), or a combined group of
// chains of one colour linked by diagonal contacts and one-point jumps.
struct CountRegion {
    enum Kind { Black = 1, White = 2, Empty = 3 };
    enum Status { Undecided = 0, Alive = 1, Dead = 2, Open = 3, Settled = 4, Unclassified = 7, Marked = 9 };
    int kind = Empty;
    int status = Undecided;
    int id = 0;
    int minX = 100, maxX = 0, minY = 100, maxY = 0;
    int size = 0;
    std::vector<int> neighbours; // adjacent regions (stone regions: empty and enemy; empty: stones)
    int parent = -1;             // the combined group this chain belongs to
    int eyeSpace = 0;            // a group's eye space as its evaluation found it
    std::vector<int> members;    // the chains of a combined group
    std::vector<std::pair<std::uint8_t, std::uint8_t>> points;

    bool stones() const { return kind != Empty; }
    bool combined() const { return !members.empty(); }
};

// How the rules of a game count: by territory and prisoners (Japanese, Korean), or by the area of
// living stones and territory (Chinese, AGA, Ing, New Zealand, Tromp-Taylor), where white is given
// points for black's handicap stones as the rules say.
struct CountingRules {
    bool area = false;
    int handicapCompensation = 0;
};

// The rules named by an SGF RU value ("Japanese", "Chinese", "AGA", "NZ", ...) in a game of
// `handicap` stones; territory rules for a name not known.
CountingRules countingRulesNamed(std::string_view name, int handicap);

// The figures of one count and their texts.
struct CountResult {
    int blackTerritory = 0;
    int whiteTerritory = 0;
    int blackScore = 0; // territory − black stones lost
    int whiteScore = 0;
    int boardDifference = 0; // white − black
    int blackArea = 0;       // living stones and territory, for rules that count the area
    int whiteArea = 0;
    double afterKomi = 0.0;            // komi + board difference: > 0 white wins, < 0 black wins
    std::u16string whiteTerritoryLine; // "白地　nn"
    std::u16string blackTerritoryLine; // "黒字　nn"
    std::u16string whiteLine;          // "白：%3d目"
    std::u16string blackLine;          // "黒：%3d目"
    std::u16string boardLine;          // "盤面：…"
    std::u16string resultLine;         // "勝敗：…"
};

// Territory counting of a finished position with Japanese scoring: a copy of the board in a
// bordered grid, the proposal of dead stones and false eyes, the user's corrections (dead or alive
// by click, filled neutral points, false-eye marks) and the count. The record and the position it
// was copied from are never changed; prisoners and marks live here for the display.
class CountingBoard {
public:
    static constexpr int kMaxRegions = 400;
    static constexpr int kGrid = kMaxBoardSize + 2;

    // Copies the stones and prisoners of `pos`; `totalMoves` is the number of moves played (the
    // endgame check reads it). `passedOut`: both players passed last, so the game is over whatever
    // the endgame check would make of the position. Regions and marks of an earlier count are
    // dropped.
    void start(const BoardPosition& pos, int totalMoves, bool passedOut = false);

    // Proposes dead stones and false eyes. False, with nothing proposed, when the position is not
    // in its final stage (message 11404).
    bool analyse();
    // Restores every stone the analysis made dead and removes every false-eye mark.
    void clearAnalysis();
    // Whether the proposal of the analysis is on the board now.
    bool analysed() const { return m_analysed; }

    // A click on a stone: its whole (combined) group becomes dead by the user, or alive again when
    // it was dead. False when there is no stone there.
    bool toggleGroup(int x, int y);
    // Puts a stone of `colour` on an empty, living point of the counting grid (filling a neutral
    // point). False when the point is not empty.
    bool fillPoint(int x, int y, Colour colour);
    // Sets or clears the false-eye mark of an empty point. False for a stone.
    bool toggleFalseEye(int x, int y);

    // Counts territory and the scores with `komi`; refreshes the territory marks.
    CountResult count(double komi);

    // --- what the display reads ---
    int size() const { return m_size; }
    // The colour on the counting grid: empty for dead stones, filled points with their stone.
    Colour colourAt(int x, int y) const;
    // The colour of the stone at (x, y) as the position holds it, dead or alive (filled points too).
    Colour stoneAt(int x, int y) const { return static_cast<Colour>(m_stones[index(x, y)]); }
    DeadState deadState(int x, int y) const { return static_cast<DeadState>(m_dead[index(x, y)]); }
    bool filled(int x, int y) const { return m_filled[index(x, y)] != 0; }
    // 0 or one of the kCountMark values.
    std::uint8_t mark(int x, int y) const { return m_marks[index(x, y)]; }
    // Stones captured by `capturer` during the game plus the dead stones of the other colour.
    int prisoners(Colour capturer) const { return m_prisoners[capturer == kWhite ? 1 : 0]; }
    // The dead stones, in reading order (by column, then row).
    std::vector<std::pair<int, int>> deadStones() const;
    // The regions of the last analysis (index 0 unused).
    const std::vector<CountRegion>& regions() const { return m_regions; }

private:
    static std::size_t index(int x, int y) { return static_cast<std::size_t>(pointIndex(x, y)); }
    static int cell(int x, int y) { return (x + 1) * kGrid + (y + 1); }
    std::uint8_t& grid(int x, int y) { return m_grid[static_cast<std::size_t>(cell(x, y))]; }
    std::uint8_t gridAt(int x, int y) const { return m_grid[static_cast<std::size_t>(cell(x, y))]; }
    bool on(int x, int y) const { return x >= 0 && y >= 0 && x < m_size && y < m_size; }

    // Region building and the passes of the analysis.
    void buildRegions();
    int floodRegion(int x, int y);
    void linkCombinedGroups();
    void buildNeighbours();
    int top(int id) const;
    bool ownEye(int groupId, const CountRegion& empty) const;
    void firstPass(const std::vector<int>& groups);
    void classifyEmptyRegions();
    void evaluateGroup(int groupId);
    void settleOpenGroups(const std::vector<int>& groups);
    int realEyes(int groupId) const;
    std::vector<int> emptyNeighbours(int groupId) const;
    bool hasOwnEye(int groupId) const;
    std::vector<int> libertyCells(int groupId) const;
    bool inSeki(int groupId) const;
    void setStatus(int groupId, int status);
    int sumAround(const CountRegion& empty, int kind, bool skipDead) const;
    void findFalseEyes();
    bool falseEyeAt(int x, int y, Colour own, bool inEye) const;
    bool ownArea(int x, int y, int skip, Colour own) const;
    bool shortOfLiberties(int chainId, int x, int y, int limit, Colour own) const;
    bool chainDead(const CountRegion& chain) const;
    Colour settledOwner(int x, int y) const;
    void splitOpenAreas();
    void emptyArea(int x, int y, std::array<std::uint8_t, kGrid * kGrid>& seen, std::vector<std::pair<int, int>>& area,
                   bool& black, bool& white) const;

    void setDead(int x, int y, DeadState state);
    void setAlive(int x, int y);
    std::vector<std::pair<int, int>> groupPoints(int x, int y) const;

    int m_size = 19;
    int m_totalMoves = 0;
    bool m_passedOut = false;
    bool m_analysed = false;
    std::array<std::uint8_t, kGrid * kGrid> m_grid{};
    std::array<std::uint8_t, kPointCount> m_stones{};
    std::array<std::uint8_t, kPointCount> m_dead{};
    std::array<std::uint8_t, kPointCount> m_filled{};
    std::array<std::uint8_t, kPointCount> m_marks{};
    std::array<std::uint8_t, kPointCount> m_neutral{}; // open-border points the analysis left to nobody
    std::array<int, 2> m_prisoners{};

    std::vector<CountRegion> m_regions;
    std::array<std::int16_t, kGrid * kGrid> m_regionId{};
    OwnershipPlayouts m_playouts;
    int m_deadBlack = 1;
    int m_deadWhite = 1;
};

// The texts of a count: territory lines, board result and result after komi.
void describeCount(CountResult& r, double komi);

// The count under `rules`: for area rules each side's score is its area, the board difference
// takes in the handicap compensation and the texts follow; territory rules leave `r` as it is.
CountResult scoredUnder(const CountResult& r, double komi, const CountingRules& rules);

// The result after komi as an SGF RE value: "B+3.5", "W+0.5", "0" for a draw.
std::string sgfResultOfCount(const CountResult& r);

} // namespace stonewise
