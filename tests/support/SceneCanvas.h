#pragma once

#include <string>

#include "app/BoardCanvas.h"
#include "view/ViewSettings.h"

namespace stonewise {
class CIgoBoard;
}

namespace stonewise::test {

// A canvas that counts what the board asked to be painted, and that draws the board the way the
// board widget does when it settles: branch marks placed, then every point described.
class SceneCanvas : public BoardCanvas {
public:
    void drawPoint(int, int) override { ++draws; }
    void erasePoint(int, int) override { ++erases; }
    void redrawAll() override { ++redraws; }
    void invalidateRect(int, int, int, int) override {}

    // The drawn board, one line per point that shows anything: "x,y: step step ...".
    static std::string scene(CIgoBoard& board, const ViewSettings& settings = {});

    int draws = 0;
    int erases = 0;
    int redraws = 0;
};

} // namespace stonewise::test
