#include "view/BranchMarks.h"

#include <algorithm>

#include "record/GameRecord.h"
#include "view/MarkCodes.h"

namespace stonewise {

namespace {

// The first move of a child sequence (a black or white move with a point), or null.
const RecordNode* firstStoneOf(const RecordSequence& s) {
    const int index = s.findNodeIndex(s.firstMoveNumber());
    if (index < 0) return nullptr;
    const RecordNode& n = s.node(index);
    return n.isMove() && n.hasPoint() ? &n : nullptr;
}

// Calls `f` with every link node that follows the node of move n in `s`, up to the next move.
template <typename F>
void forEachLinkAfter(const RecordSequence& s, int moveNumber, F f) {
    const int index = s.findNodeIndex(moveNumber);
    if (index < 0) return;
    for (int i = index + 1; i < s.nodeCount(); ++i) {
        const RecordNode& n = s.node(i);
        if (n.isMoveOrPass()) break;
        if (n.isLink()) f(n);
    }
}

} // namespace

std::vector<BoardCoord> placeBranchMarks(BoardPosition& position, const GameRecord& record, int shown, bool enabled) {
    std::vector<BoardCoord> changed;
    const int lines = position.size();
    for (int x = 0; x < lines; ++x)
        for (int y = 0; y < lines; ++y) {
            const BoardPoint& p = position.at(x, y);
            if (p.hasStone() || !isBranchMarkCode(p.markFlags & 0x3F)) continue;
            position.markEmptyPoint(x, y, 0, kNoDisplayNumber, 0);
            changed.push_back({x, y});
        }
    if (!enabled) return changed;

    auto mark = [&](const RecordSequence& child, bool full, int number) {
        const RecordNode* first = firstStoneOf(child);
        if (!first || !position.onBoard(first->x, first->y)) return;
        const BoardPoint& p = position.at(first->x, first->y);
        if (p.hasStone() || isBranchMarkCode(p.markFlags & 0x3F)) return;
        const bool black = first->stoneColour() == kBlack;
        const std::uint8_t code = full ? (black ? kCodeBranchBlack : kCodeBranchWhite)
                                       : (black ? kCodeSmallBranchBlack : kCodeSmallBranchWhite);
        position.markEmptyPoint(first->x, first->y, code, static_cast<std::uint16_t>(number),
                                static_cast<std::uint8_t>(child.depth()));
        const BoardCoord at{first->x, first->y};
        if (std::find(changed.begin(), changed.end(), at) == changed.end()) changed.push_back(at);
    };

    // At the head of the branch or reference sequence shown: its first stone.
    if (record.pathDepth() > 0) {
        const RecordSequence* top = record.pathTop();
        if (top && shown == top->firstMoveNumber() - 1) mark(*top, true, top->branchNumber());
    }
    if (shown >= 1) {
        // Reference sequences of the move shown.
        if (const RecordSequence* s = record.sequenceForMove(shown))
            forEachLinkAfter(*s, shown, [&](const RecordNode& link) {
                const RecordSequence* child = s->child(link.childSlot);
                if (child && link.linkKind() == kReference) mark(*child, false, link.branchNumber);
            });
    }
    if (shown >= 2) {
        // Branches after the move before it: the other continuations at this move.
        if (const RecordSequence* s = record.sequenceForMove(shown - 1))
            forEachLinkAfter(*s, shown - 1, [&](const RecordNode& link) {
                const RecordSequence* child = s->child(link.childSlot);
                if (child && link.linkKind() == kBranch) mark(*child, false, link.branchNumber);
            });
    }
    return changed;
}

MarkedBranch findMarkedBranch(const BoardPosition& position, const GameRecord& record, int x, int y) {
    if (!position.onBoard(x, y)) return {};
    const BoardPoint& p = position.at(x, y);
    const int code = p.markFlags & 0x3F;
    if (p.hasStone() || !isBranchMarkCode(code)) return {};
    if (code == kCodeBranchBlack || code == kCodeBranchWhite) {
        RecordSequence* top = record.pathTop();
        if (record.pathDepth() > 0 && top && top->depth() == p.depth) return {top, true};
        return {};
    }
    if (p.depth < 1 || p.depth - 1 > record.pathDepth()) return {};
    RecordSequence* parent = record.pathSequence(p.depth - 1);
    if (!parent) return {};
    for (const RecordNode& n : parent->nodes())
        if (n.isLink() && n.branchNumber == p.displayNumber) return {parent->child(n.childSlot), false};
    return {};
}

} // namespace stonewise
