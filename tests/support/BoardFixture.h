#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "app/CIgoBoard.h"
#include "support/SceneCanvas.h"
#include "support/ScriptedUi.h"

namespace stonewise {
class GameStore;
}

namespace stonewise::test {

// A board window with a scripted desktop, as a test drives it.
struct TestBoard {
    ScriptedUi ui;
    RecordingPanels panels;
    SceneCanvas canvas;
    CIgoBoard board;

    explicit TestBoard(int lines = 19, int handicap = 0);

    // Clicks each point in turn; fails the test when a click is not taken into the record.
    void play(std::initializer_list<std::pair<int, int>> moves);
    // Loads an SGF text as the game shown.
    void load(std::u16string_view sgf);
    // The board as the widget draws it (see SceneCanvas).
    std::string scene(const ViewSettings& settings = {}) { return SceneCanvas::scene(board, settings); }
    // The board as rows of 'X' (black), 'O' (white) and '.' (empty), top row first.
    std::string diagram() const;
};

// Stores a game named "game N" of `moves` moves (move n at (n, number)) under `number` in `group`,
// with its list entry; fails the test when it cannot be written.
void storeSampleGame(GameStore& store, int group, int number, int moves);
// Stores the game of `sgf` under `number` in `group`, named `name`, with its list entry; false when
// it cannot be read or written.
bool storeSgfGame(GameStore& store, int group, int number, std::u16string_view sgf, std::u16string name);

} // namespace stonewise::test
