#include "record/SequencePath.h"

#include <algorithm>

namespace stonewise {

bool SequencePath::push(RecordSequence* s, int firstMoveNumber) {
    if (m_depth >= kMaxDepth) return false;
    ++m_depth;
    m_entries[static_cast<std::size_t>(m_depth)] = {s, firstMoveNumber};
    return true;
}

void SequencePath::pop(int count) { m_depth = std::max(0, m_depth - std::max(0, count)); }

bool SequencePath::operator==(const SequencePath& other) const {
    if (m_depth != other.m_depth) return false;
    for (int k = 1; k <= m_depth; ++k)
        if (m_entries[static_cast<std::size_t>(k)].sequence != other.m_entries[static_cast<std::size_t>(k)].sequence)
            return false;
    return true;
}

} // namespace stonewise
