#include "support/SceneCanvas.h"

#include "app/CIgoBoard.h"
#include "record/Text.h"
#include "view/BoardScene.h"
#include "view/BranchMarks.h"

namespace stonewise::test {

namespace {

std::string stepName(const DrawOp& op) {
    switch (op.kind) {
    case DrawOp::Kind::Picture: {
        static const char* const names[] = {"black", "white", "last", "last+", "mail"};
        std::string s = names[static_cast<int>(op.picture)];
        if (op.alpha != 255) s += "@" + std::to_string(op.alpha);
        return s + "/" + std::to_string(static_cast<int>(op.w));
    }
    case DrawOp::Kind::Line: return "line";
    case DrawOp::Kind::Circle: return op.colour == kMarkRed ? "circle" : "ring";
    case DrawOp::Kind::Disc: return "clear";
    case DrawOp::Kind::Text: return "'" + toUtf8(op.text) + "'";
    }
    return "?";
}

} // namespace

SceneCanvas::Scene SceneCanvas::drawing(CIgoBoard& board, const ViewSettings& settings) {
    placeBranchMarks(board.position(), board.record(), board.shownMove(), settings.branchMarks);
    const SceneState state = board.sceneState();
    const BoardGeometry geometry(board.boardSize(), 856, 920, false, 45);
    const BoardScene scene(board.position(), geometry, settings, state);
    Scene out;
    for (int y = 0; y < board.boardSize(); ++y)
        for (int x = 0; x < board.boardSize(); ++x) {
            const PointDrawing d = scene.describe(x, y);
            if (d.ops.empty()) continue;
            std::string& steps = out[{x, y}];
            for (const DrawOp& op : d.ops) steps += (steps.empty() ? "" : " ") + stepName(op);
        }
    return out;
}

std::string SceneCanvas::scene(CIgoBoard& board, const ViewSettings& settings) {
    std::string out;
    for (const auto& [point, steps] : drawing(board, settings))
        out += std::to_string(point.first) + "," + std::to_string(point.second) + ": " + steps + "\n";
    return out;
}

} // namespace stonewise::test
