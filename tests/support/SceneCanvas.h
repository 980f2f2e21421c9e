#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

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
    void drawPoint(int x, int y) override { told.insert({x, y}); }
    void erasePoint(int x, int y) override { told.insert({x, y}); }
    void redrawAll() override { ++redraws; }
    void invalidateRect(int, int, int, int) override {}

    // The drawing of every point that shows anything, as "step step ...".
    using Scene = std::map<std::pair<int, int>, std::string>;
    static Scene drawing(CIgoBoard& board, const ViewSettings& settings = {});
    // The drawn board, one line per point that shows anything: "x,y: step step ...".
    static std::string scene(CIgoBoard& board, const ViewSettings& settings = {});

    // Points the board said it changed, and the times it asked for everything.
    std::set<std::pair<int, int>> told;
    int redraws = 0;
};

} // namespace stonewise::test
