#include "board/MoveLegalityProbe.h"

namespace stonewise {

MoveRefusal testMove(BoardPosition& pos, int x, int y, int moveNumber) {
    if (pos.at(x, y).hasStone()) return MoveRefusal::Occupied;
    BoardPoint& p = pos.at(x, y);
    const BoardPoint saved = p;
    p.colour = colourOfMove(moveNumber);
    p.moveNumber = static_cast<std::uint16_t>(moveNumber);
    MoveRefusal refusal = MoveRefusal::None;
    const int captured = pos.captureCheck(x, y, false);
    if (captured == 0 && pos.suicideCheck(x, y)) {
        refusal = MoveRefusal::Suicide;
    } else if (captured == 1) {
        const KoRecord& prev = pos.previousKo();
        const KoRecord& now = pos.currentKo();
        if (prev.capturingMove == moveNumber - 1 && prev.capturingX == now.capturedX &&
            prev.capturingY == now.capturedY && prev.capturedX == x && prev.capturedY == y)
            refusal = MoveRefusal::Ko;
    }
    p = saved;
    return refusal;
}

bool moveLegalityProbe(BoardPosition& pos, const RecordSequence& s, int from, int to, int x, int y) {
    const auto saved = pos.points();
    const KoRecord savedCurrent = pos.currentKo();
    const KoRecord savedPrevious = pos.previousKo();
    int lastCapturing = pos.previousKo().capturingMove;
    auto play = [&](const RecordNode& n, int number) {
        if (!n.hasPoint() || !pos.onBoard(n.x, n.y)) return;
        if (pos.placeAndCapture(n.x, n.y, n.stoneColour(), number) == 1) {
            pos.keepKo();
            lastCapturing = pos.currentKo().capturingMove;
        }
    };
    for (int n = from; n <= to; ++n) {
        const RecordNode* node = s.findNode(n);
        if (node && (node->isMove() || node->isSetup())) play(*node, n);
        s.forEachSetupStone(n, [&](const RecordNode& setup) {
            if (&setup != node) play(setup, n);
        });
    }
    bool illegal = true;
    if (pos.onBoard(x, y) && !pos.at(x, y).hasStone()) {
        const int number = to + 1;
        BoardPoint& p = pos.at(x, y);
        p.colour = colourOfMove(number);
        p.moveNumber = static_cast<std::uint16_t>(number);
        const int captured = pos.captureCheck(x, y, false);
        illegal = false;
        if (captured == 0 && pos.suicideCheck(x, y)) illegal = true;
        else if (captured == 1 && lastCapturing == number - 1) {
            const KoRecord& prev = pos.previousKo();
            const KoRecord& now = pos.currentKo();
            illegal = prev.capturingX == now.capturedX && prev.capturingY == now.capturedY &&
                      prev.capturedX == x && prev.capturedY == y;
        }
    }
    pos.restorePoints(saved);
    pos.currentKo() = savedCurrent;
    pos.previousKo() = savedPrevious;
    return illegal;
}

} // namespace stonewise
