#pragma once

#include <string>

#include "board/CountingBoard.h"

namespace stonewise {

class CIgoBoard;
class Clock;
class Ui;

// Commands of the counting panel.
enum CountingCommandId : int {
    kCmdTerritoryCount = 32842, // "地合いの計算": start counting, or end it while counting
    kCmdCountAgain = 32843,     // "再計算"
    kCmdCountSetResult = 32844, // "結果を対局情報へ設定"
    kCmdCountDetect = 32845,    // detect or clear dead stones and false eyes
};

// What a click on an empty point does while counting.
enum class CountingTool { BlackStone, WhiteStone, FalseEye };

// Counting mode of a board window: the counting board on a copy of the position shown, its
// proposal, the user's clicks and the panel's texts; its marks and filled stones are shown on the
// window's position, which is rebuilt unchanged when counting ends. The record is never changed;
// only setting the result writes the game information.
class TerritoryCounting {
public:
    TerritoryCounting(CIgoBoard& board, Ui& ui, const Clock& clock) : m_board(board), m_ui(ui), m_clock(clock) {}

    bool active() const { return m_active; }
    // Runs one of the counting commands; false for any other id. "地合いの計算" starts counting
    // (the proposal and a count; 11404 when the position is not in its final stage) or ends it.
    bool command(int id);
    void start();
    void end();
    // A click on the board while counting: a stone's group dead or alive, an empty point filled or
    // its false-eye mark switched by the tool. `rightButton` with "右ボタンで別の石を置く" places
    // the other colour.
    void click(int x, int y, bool rightButton = false);

    // --- the panel's controls ---
    CountingTool tool() const { return m_tool; }
    void setTool(CountingTool tool) { m_tool = tool; }
    bool rightButtonOther() const { return m_rightOther; }
    void setRightButtonOther(bool on) { m_rightOther = on; }
    bool alternate() const { return m_alternate; }
    void setAlternate(bool on) { m_alternate = on; }
    // The detect button's text: 11017 while the proposal is shown, else 11018.
    std::u16string detectButtonText() const;
    const CountResult& result() const { return m_result; }
    const CountingBoard& counting() const { return m_counting; }

private:
    void recount();
    void detectOrClear();
    void setResult();
    // Shows the counting board's marks and filled stones on the window's position.
    void showOnBoard();

    CIgoBoard& m_board;
    Ui& m_ui;
    const Clock& m_clock;
    CountingBoard m_counting;
    CountResult m_result;
    bool m_active = false;
    CountingTool m_tool = CountingTool::BlackStone;
    bool m_rightOther = false;
    bool m_alternate = false;
    Colour m_nextAlternate = kBlack;
};

} // namespace stonewise
