#include "app/StudyBoard.h"

#include <limits>
#include <vector>

namespace stonewise {

namespace {

// The child slot of `child` in `parent`; -1 when it is none of its children.
int slotOf(const RecordSequence& parent, const RecordSequence* child) {
    for (int slot = 1; slot <= RecordSequence::kMaxChildren; ++slot)
        if (parent.child(slot) == child) return slot;
    return -1;
}

} // namespace

void StudyBoard::copyFrom(const CIgoBoard& main) {
    const GameRecord& source = main.record();
    // The path of variations as child slots, level by level from the main record.
    std::vector<int> slots;
    const RecordSequence* parent = &source.main();
    for (int level = 1; level <= source.pathDepth(); ++level) {
        const RecordSequence* s = source.pathSequence(level);
        const int slot = s ? slotOf(*parent, s) : -1;
        if (slot < 0) break;
        slots.push_back(slot);
        parent = s;
    }
    const bool atEnd = main.displayedMove() >= main.totalMoves();
    const int shown = main.displayedMove();
    m_board.stopBusy();
    m_board.loadGame(source.copyMain(), main.gameInfo());
    RecordSequence* s = &m_board.record().main();
    for (int slot : slots) {
        RecordSequence* child = s->child(slot);
        if (!child) break;
        s = child;
    }
    m_board.showSequence(s, atEnd ? -1 : shown);
    m_board.redrawAll();
}

const RecordSequence* StudyBoard::studySequence() const {
    const RecordSequence* top = m_board.record().pathTop();
    return top && top != &m_board.record().main() ? top : nullptr;
}

std::unique_ptr<RecordSequence> StudyBoard::shownLine() const {
    const GameRecord& record = m_board.record();
    std::unique_ptr<RecordSequence> line = RecordSequence::createMain();
    line->setNumberOffset(record.main().numberOffset());
    for (int level = 0; level <= record.pathDepth(); ++level) {
        const RecordSequence* s = level == 0 ? &record.main() : record.pathSequence(level);
        if (!s) break;
        const RecordSequence* next = level < record.pathDepth() ? record.pathSequence(level + 1) : nullptr;
        // A variation's first move takes the place of the move of the same number.
        const int end = next ? next->firstMoveNumber() : std::numeric_limits<int>::max();
        for (int i = 0; i < s->nodeCount(); ++i) {
            const RecordNode& n = s->node(i);
            if (n.moveNumber >= end) break;
            if (!n.isMoveOrPass() && !n.isSetup()) continue;
            RecordNode copy = n;
            copy.comment = -1;
            copy.listItem = 0;
            copy.flags &= kTraceMoveFlag;
            const RecordNode* added = line->appendNode(copy);
            if (!added) return line; // the record's limit: the line so far
            if (n.comment >= 0) line->setComment(added->index, s->commentOf(n), Backslashes::Keep);
        }
    }
    line->updateLastMoveNumber();
    return line;
}

} // namespace stonewise
