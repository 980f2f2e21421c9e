#pragma once

#include <array>
#include <cstdint>

namespace stonewise {

// Per-point arrays hold 19 × 19 points, indexed x × 19 + y, also on the 13-line board.
constexpr int kMaxBoardSize = 19;
constexpr int kPointCount = kMaxBoardSize * kMaxBoardSize;

constexpr int pointIndex(int x, int y) { return x * kMaxBoardSize + y; }

// Display number of a stone without a number, and of a stone whose number is hidden.
constexpr std::uint16_t kNoDisplayNumber = 0xFFFF;
constexpr std::uint16_t kHiddenDisplayNumber = 0;

// Mark flag bits and values of a point, read by the drawing.
constexpr std::uint8_t kMarkFlagComment = 0x40;        // the move has a comment
constexpr std::uint8_t kMarkFlagLastMove = 13;         // last move
constexpr std::uint8_t kMarkFlagLastMoveBranches = 14; // last move, branches start after it
constexpr std::uint8_t kMarkFlagNodeFlagged = 22;      // stone flagged by its node ('@')

// One point of the board as a board window keeps it.
struct BoardPoint {
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint16_t moveNumber = 0; // 0 for setup stones, 1 for handicap stones
    std::uint8_t colour = 0;      // a Colour; other values read as empty
    std::uint8_t captured = 0;    // stones this move captured
    std::uint16_t displayNumber = kNoDisplayNumber;
    std::uint8_t markFlags = 0;
    std::uint8_t depth = 0; // nesting depth of the sequence that placed the stone

    bool hasStone() const { return colour == 1 || colour == 2; }
    bool operator==(const BoardPoint&) const = default;
};

// A mark shown on a point, filled from the record's marks and labels.
struct PointMark {
    std::uint16_t moveNumber = 0;
    std::uint8_t kind = 0;      // a MarkKind, 0 for none
    std::uint8_t character = 0; // letter, or '@' + label entry
};

// Where the last single-stone capture happened; x fields are -1 when the last check did not
// capture exactly one stone.
struct KoRecord {
    std::int32_t capturedX = -1;
    std::int32_t capturedY = -1;
    std::int32_t capturingX = -1;
    std::int32_t capturingY = -1;
    std::int32_t capturingMove = 0;
};

// One stone taken off the board by a capture check.
struct CaptureLogEntry {
    std::uint8_t kind = 2;
    std::uint16_t capturedMove = 0;
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint16_t capturingMove = 0;
};

// The stones removed by the last capture check: the first 100 are kept, the count stays exact.
class CaptureLog {
public:
    static constexpr int kCapacity = 100;

    void reset() { m_total = 0; }
    void add(const CaptureLogEntry& e) {
        if (m_total < kCapacity) m_entries[static_cast<std::size_t>(m_total)] = e;
        ++m_total;
    }
    // Stones captured, including those beyond the kept entries.
    int total() const { return m_total; }
    // Entries kept (at most 100).
    int size() const { return m_total < kCapacity ? m_total : kCapacity; }
    const CaptureLogEntry& operator[](int i) const { return m_entries[static_cast<std::size_t>(i)]; }

private:
    std::array<CaptureLogEntry, kCapacity> m_entries{};
    int m_total = 0;
};

} // namespace stonewise
