#include "board/MoveLegalityProbe.h"

namespace stonewise {

bool moveLegalityProbe(const BoardPosition& pos, const RecordSequence& s, int from, int to, int x, int y) {
    // The moves are played on a copy: fixed arrays only, nothing allocated.
    BoardPosition trial = pos;
    auto place = [&](const RecordNode& n, int number) {
        if (!n.hasPoint() || !trial.onBoard(n.x, n.y) || trial.at(n.x, n.y).hasStone()) return;
        PlacedStone stone;
        stone.x = n.x;
        stone.y = n.y;
        stone.colour = n.stoneColour();
        stone.moveNumber = number;
        trial.play(stone);
    };
    for (int n = from; n <= to; ++n) {
        const RecordNode* node = s.findNode(n);
        if (node && (node->isMove() || node->isSetup())) place(*node, n);
        s.forEachSetupStone(n, [&](const RecordNode& setup) {
            if (&setup != node) place(setup, n);
        });
    }
    return !trial.legal(x, y, to + 1);
}

} // namespace stonewise
