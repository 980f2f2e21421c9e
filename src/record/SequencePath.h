#pragma once

#include <array>

namespace stonewise {

class RecordSequence;

// The way from the main record down to the sequence being shown: entry k (1..depth) is the
// sequence at depth k with its first move number. At most 256 levels.
class SequencePath {
public:
    static constexpr int kMaxDepth = 256;

    struct Entry {
        RecordSequence* sequence = nullptr;
        int firstMoveNumber = 0;
    };

    int depth() const { return m_depth; }
    // The sequence at `level` (0 = the main record, which the path does not store).
    const Entry& entry(int level) const { return m_entries[static_cast<std::size_t>(level)]; }
    // Appends a sequence one level deeper; false beyond 256 levels.
    bool push(RecordSequence* s, int firstMoveNumber);
    // Drops the deepest `count` entries.
    void pop(int count = 1);
    void clear() { m_depth = 0; }
    bool operator==(const SequencePath& other) const;

private:
    std::array<Entry, kMaxDepth + 1> m_entries{};
    int m_depth = 0;
};

} // namespace stonewise
