#include "search/PatternLine.h"

#include <array>

#include "record/RecordSequence.h"

namespace stonewise {

void collectLine(const RecordSequence& leaf, std::vector<LineStone>& out, int lastMove) {
    out.clear();
    std::array<const RecordSequence*, 258> chain{};
    int depth = 0;
    for (const RecordSequence* s = &leaf; s && depth < static_cast<int>(chain.size()); s = s->parent())
        chain[static_cast<std::size_t>(depth++)] = s;
    const bool handicap = chain[static_cast<std::size_t>(depth - 1)]->handicapCount() >= 2;
    for (int level = depth - 1; level >= 0; --level) {
        const RecordSequence& s = *chain[static_cast<std::size_t>(level)];
        // A sequence gives the moves before the first move of the one below it.
        int limit = level > 0 ? chain[static_cast<std::size_t>(level - 1)]->firstMoveNumber() : 1 << 20;
        if (lastMove >= 0 && lastMove + 1 < limit) limit = lastMove + 1;
        for (const RecordNode& n : s.nodes()) {
            if (n.moveNumber >= limit) continue;
            if (!n.isMoveOrPass() && !n.isSetup()) continue;
            LineStone stone;
            stone.sequence = static_cast<std::uint16_t>(n.moveNumber);
            stone.setup = n.isSetup() || (handicap && level == depth - 1 && n.moveNumber == 1 && n.isMove());
            stone.colour = n.type == NodeType::Pass ? static_cast<std::uint8_t>(n.passColour())
                                                    : static_cast<std::uint8_t>(n.stoneColour());
            if (n.isMove() || n.isSetup()) {
                stone.x = n.x;
                stone.y = n.y;
            }
            out.push_back(stone);
        }
    }
}

void forEachVariation(const RecordSequence& sequence, bool recursive,
                      const std::function<void(const RecordSequence&)>& f) {
    for (const RecordNode& n : sequence.nodes()) {
        if (!n.isLink()) continue;
        const RecordSequence* child = sequence.child(n.childSlot);
        if (!child || child->lastMoveNumber() > kMaxVariationMoves) continue;
        f(*child);
        if (recursive) forEachVariation(*child, true, f);
    }
}

int stonesOnBoard(const std::vector<LineStone>& line) {
    int stones = 0;
    for (const LineStone& s : line)
        if (s.x < 19 && s.y < 19) ++stones;
    return stones;
}

} // namespace stonewise
