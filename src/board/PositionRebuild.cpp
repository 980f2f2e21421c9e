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
        pos.placeSetupStone(n.x, n.y, n.stoneColour(), s.depth());
    });
}

// The stone of move n on the path, when it stands on the board.
const RecordNode* stoneOnBoard(const BoardPosition& pos, const GameRecord& record, int moveNumber) {
    if (moveNumber < 1) return nullptr;
    const RecordNode* n = record.sequenceForMove(moveNumber)->findNode(moveNumber);
    if (!n || !n->isMove() || !n->hasPoint() || !pos.onBoard(n->x, n->y)) return nullptr;
    const BoardPoint& p = pos.at(n->x, n->y);
    return p.hasStone() && p.moveNumber == static_cast<std::uint16_t>(moveNumber) ? n : nullptr;
}

// playRecordedMove with the sequence shown (the path's deepest) already looked up.
int playMove(BoardPosition& pos, const GameRecord& record, const RecordSequence& current, const RecordSequence& from,
             const RecordNode& node, const RebuildOptions& options) {
    const int n = node.moveNumber;
    PlacedStone stone;
    stone.x = node.x;
    stone.y = node.y;
    stone.colour = node.stoneColour();
    stone.moveNumber = n;
    stone.depth = static_cast<std::uint8_t>(from.depth());
    const int display = displayNumberFor(node, from, current, options);
    stone.displayNumber = static_cast<std::uint16_t>(display);
    if (node.comment >= 0 && options.commentMarks) stone.markFlags |= kMarkFlagComment;
    if (node.flags & kTraceMoveFlag) stone.markFlags |= kMarkFlagNodeFlagged;
    // The first stone of a nested sequence numbered from 1 hides the number it branched from.
    if (display == 1 && from.depth() > 0 && n == from.firstMoveNumber())
        if (const RecordNode* before = stoneOnBoard(pos, record, n - 1)) {
            BoardPoint hidden = pos.at(before->x, before->y);
            hidden.displayNumber = kHiddenDisplayNumber;
            pos.setPoint(hidden);
        }
    return pos.play(stone);
}

// Writes the marks and labels of move n of the path into the point marks.
void placeMarksOfMove(BoardPosition& pos, const GameRecord& record, int moveNumber) {
    const RecordSequence& s = *record.sequenceForMove(moveNumber);
    if (moveNumber == 0 && s.leadingSetupCount() == 0) return;
    s.forEachMark(moveNumber, [&](const RecordNode& m) {
        if (!m.hasPoint() || !pos.onBoard(m.x, m.y)) return;
        pos.setMark(m.x, m.y, {static_cast<std::uint16_t>(m.moveNumber), m.data1, m.data2});
    });
    for (int i = 0; i < s.labelCount(); ++i) {
        const LabelEntry& e = s.label(i);
        if (e.moveNumber != moveNumber || !pos.onBoard(e.x, e.y)) continue;
        const std::uint8_t kind = e.small ? kMarkSmallLabel : kMarkLabel;
        pos.setMark(e.x, e.y, {e.moveNumber, kind, static_cast<std::uint8_t>('@' + i)});
    }
}

} // namespace

int playRecordedMove(BoardPosition& pos, const GameRecord& record, const RecordSequence& from, const RecordNode& node,
                     const RebuildOptions& options) {
    return playMove(pos, record, *record.pathTop(), from, node, options);
}

void showMarksOfMove(BoardPosition& pos, const GameRecord& record, int moveNumber) {
    pos.clearMarks();
    placeMarksOfMove(pos, record, moveNumber);
}

RebuildResult rebuildPosition(BoardPosition& pos, BoardNavigation& nav, const GameRecord& record,
                              const RebuildOptions& options) {
    RebuildResult result;
    pos.clear(options.keepMarks);
    nav.clearOverlaps();
    nav.setLastMove(nullptr);
    const RecordSequence& main = record.main();
    const int handicap = main.handicapCount();
    const int target = nav.shownMove();
    const RecordSequence& current = *record.pathTop();

    // Starting stones: handicap stones, or the leading setup stones of the main record.
    if (handicap >= 2) {
        int placed = 0;
        for (int i = 0; i < main.nodeCount() && placed < handicap; ++i) {
            const RecordNode& n = main.node(i);
            if (!n.isMove() || n.moveNumber != 1) continue;
            ++placed;
            if (!n.hasPoint() || !pos.onBoard(n.x, n.y)) continue;
            pos.placeStartingStone(n.x, n.y, n.stoneColour(), options.withNumbers ? n.moveNumber : kNoDisplayNumber);
        }
    } else {
        for (int i = 0; i < main.leadingSetupCount() && i < main.nodeCount(); ++i) {
            const RecordNode& n = main.node(i);
            if (!n.hasPoint() || !pos.onBoard(n.x, n.y)) continue;
            pos.placeStartingStone(n.x, n.y, n.type == NodeType::BlackSetup ? kBlack : kWhite, 0);
        }
    }

    if (target != 0) {
        int first = 1;
        if (handicap >= 2) {
            placeSetupStones(pos, main, 1);
            first = 2;
        }
        for (int n = first; n <= target; ++n) {
            const RecordSequence& s = *record.sequenceForMove(n);
            const RecordNode* node = s.findNode(n);
            if (!node) continue;
            if (node->type == NodeType::Pass) {
                nav.setLastMove(nullptr);
                placeSetupStones(pos, s, n);
                continue;
            }
            if (!node->isMove() || !node->hasPoint() || !pos.onBoard(node->x, node->y)) {
                placeSetupStones(pos, s, n);
                continue;
            }
            if (pos.at(node->x, node->y).hasStone()) {
                if (pos.diagramDisplay()) {
                    nav.addOverlap({n, node->x, node->y});
                    continue;
                }
                result = {false, n, node->x, node->y};
                break;
            }
            playMove(pos, record, current, s, *node, options);
            nav.setLastMove(node);
            placeSetupStones(pos, s, n);
        }
    }
    pos.keepKo();

    // Marks and labels of the move shown (the marks were cleared with the points).
    if (!options.keepMarks) placeMarksOfMove(pos, record, target);

    const auto& last = nav.lastMove();
    if (last && options.lastMoveMark) pos.showLastMoveMark(last->x, last->y, (last->flags & 3) != 0);
    return result;
}

bool passedOutAt(const GameRecord& record, int moveNumber) {
    if (moveNumber < 2) return false;
    for (int n = moveNumber - 1; n <= moveNumber; ++n) {
        const RecordSequence* s = record.sequenceForMove(n);
        const RecordNode* node = s ? s->findNode(n) : nullptr;
        if (!node || node->type != NodeType::Pass) return false;
    }
    return true;
}

} // namespace stonewise
