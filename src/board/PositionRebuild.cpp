#include "board/PositionRebuild.h"

namespace stonewise {

int displayNumberFor(const RecordNode& move, const RecordSequence& from, const RecordSequence& current,
                     const RebuildOptions& options) {
    if (!options.withNumbers || move.moveNumber < current.firstMoveNumber()) return kNoDisplayNumber;
    const bool fromOne = (options.branchNumbersFromOne && from.depth() > 0) || from.firstMoveNumber() < 1;
    if (!fromOne) return move.moveNumber;
    const int number = move.moveNumber - from.numberOffset() - from.firstMoveNumber() + 1;
    return number < 0 ? kHiddenDisplayNumber : number;
}

namespace {

void placeSetupStones(BoardPosition& pos, const RecordSequence& s, int moveNumber) {
    s.forEachSetupStone(moveNumber, [&](const RecordNode& n) {
        if (!n.hasPoint() || !pos.onBoard(n.x, n.y)) return;
        BoardPoint& p = pos.at(n.x, n.y);
        p.displayNumber = kNoDisplayNumber;
        p.depth = static_cast<std::uint8_t>(s.depth());
        pos.placeAndCapture(n.x, n.y, n.stoneColour(), 0);
    });
}

void placeLabels(BoardPosition& pos, GameRecord& record) {
    for (int level = 0; level <= record.pathDepth(); ++level) {
        const RecordSequence* s = record.pathSequence(level);
        for (int i = 0; i < s->labelCount(); ++i) {
            const LabelEntry& e = s->label(i);
            if (pos.displayedMove != -1 && e.moveNumber > pos.displayedMove) continue;
            if (!pos.onBoard(e.x, e.y)) continue;
            PointMark& m = pos.mark(e.x, e.y);
            m.moveNumber = e.moveNumber;
            m.kind = e.small ? kMarkSmallLabel : kMarkLabel;
            m.character = static_cast<std::uint8_t>('@' + i);
        }
    }
}

} // namespace

RebuildResult rebuildPosition(BoardPosition& pos, GameRecord& record, const RebuildOptions& options) {
    RebuildResult result;
    pos.clear(options.keepMarks);
    const RecordSequence& main = record.main();
    const RecordSequence& current = *record.pathTop();
    pos.sequenceFirstMove = current.firstMoveNumber();
    const int handicap = pos.handicapCount;
    const int target = pos.displayedMove == -1 ? pos.totalMoves : pos.displayedMove;

    // Starting stones: handicap stones, or the leading setup stones of the main record.
    if (handicap >= 2) {
        int placed = 0;
        for (int i = 0; i < main.nodeCount() && placed < handicap; ++i) {
            const RecordNode& n = main.node(i);
            if (!n.isMove() || n.moveNumber != 1) continue;
            ++placed;
            if (!n.hasPoint() || !pos.onBoard(n.x, n.y)) continue;
            BoardPoint& p = pos.at(n.x, n.y);
            p.colour = n.stoneColour();
            p.moveNumber = options.withNumbers ? n.moveNumber : kNoDisplayNumber;
            p.displayNumber = kNoDisplayNumber;
        }
    } else {
        for (int i = 0; i < main.leadingSetupCount() && i < main.nodeCount(); ++i) {
            const RecordNode& n = main.node(i);
            if (!n.hasPoint() || !pos.onBoard(n.x, n.y)) continue;
            BoardPoint& p = pos.at(n.x, n.y);
            p.colour = n.type == NodeType::BlackSetup ? kBlack : kWhite;
            p.moveNumber = 0;
            p.displayNumber = kNoDisplayNumber;
        }
    }

    placeLabels(pos, record);
    pos.lastMove.reset();

    if (target != 0) {
        int first = 1;
        if (handicap >= 2) {
            placeSetupStones(pos, main, 1);
            first = 2;
        }
        const RecordNode* previousStone = nullptr;
        for (int n = first; n <= target; ++n) {
            RecordSequence* s = record.sequenceForMove(n);
            const int index = s->findNodeIndex(n);
            if (index < 0) continue;
            const RecordNode& node = s->node(index);
            if (node.type == NodeType::Pass) {
                pos.lastMove.reset();
                placeSetupStones(pos, *s, n);
                continue;
            }
            if (!node.isMove() || !node.hasPoint() || !pos.onBoard(node.x, node.y)) {
                placeSetupStones(pos, *s, n);
                continue;
            }
            BoardPoint& p = pos.at(node.x, node.y);
            if (p.hasStone()) {
                if (pos.diagramDisplay()) {
                    if (static_cast<int>(pos.overlaps.size()) < BoardPosition::kMaxOverlaps)
                        pos.overlaps.push_back({n, node.x, node.y});
                    continue;
                }
                result = {false, n, node.x, node.y};
                break;
            }
            pos.setFirstMoveAt(node.x, node.y, n);
            p.depth = static_cast<std::uint8_t>(s->depth());
            int display = displayNumberFor(node, *s, current, options);
            // The first stone of a nested sequence numbered from 1 hides the number it branched from.
            if (display == 1 && s->depth() > 0 && n == s->firstMoveNumber() && previousStone &&
                pos.at(previousStone->x, previousStone->y).colour != kEmpty)
                pos.at(previousStone->x, previousStone->y).displayNumber = kHiddenDisplayNumber;
            p.displayNumber = static_cast<std::uint16_t>(display);
            p.markFlags = 0;
            const int captured = pos.placeAndCapture(node.x, node.y, node.stoneColour(), n);
            RecordNode& stored = s->node(index);
            stored.data1 = static_cast<std::uint8_t>(captured > 255 ? 255 : captured);
            const Colour mover = colourOfMove(n);
            pos.addPrisoners(mover, captured);
            if (captured == 1) pos.keepKo();
            const int total = pos.prisoners(mover);
            stored.data2 = static_cast<std::uint8_t>(total > 255 ? 255 : total);
            if (node.comment >= 0 && options.commentMarks) p.markFlags |= kMarkFlagComment;
            pos.lastMove = node;
            previousStone = &node;
            placeSetupStones(pos, *s, n);
        }
    }
    pos.keepKo();

    // Marks of the displayed move.
    const RecordNode* shown = target > 0 || main.leadingSetupCount() > 0 ? record.nodeAtMove(target) : nullptr;
    if (shown && !options.keepMarks) {
        RecordSequence* s = record.currentSequence();
        s->forEachMark(target, [&](const RecordNode& m) {
            if (!m.hasPoint() || !pos.onBoard(m.x, m.y)) return;
            PointMark& pm = pos.mark(m.x, m.y);
            pm.moveNumber = static_cast<std::uint16_t>(m.moveNumber);
            pm.kind = m.data1;
            pm.character = m.data2;
        });
    }

    if (pos.lastMove && options.lastMoveMark) {
        BoardPoint& p = pos.at(pos.lastMove->x, pos.lastMove->y);
        p.markFlags |= (pos.lastMove->flags & 3) ? kMarkFlagLastMoveBranches : kMarkFlagLastMove;
    }
    return result;
}

} // namespace stonewise
