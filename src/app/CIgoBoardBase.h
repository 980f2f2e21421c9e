#pragma once

#include "app/BoardCanvas.h"
#include "board/BoardPosition.h"

namespace stonewise {

// A board window's position and its drawing: the stones as they stand after the displayed move,
// and the calls that tell the canvas which points to paint again. Base of every board window.
class CIgoBoardBase {
public:
    explicit CIgoBoardBase(BoardCanvas* canvas = nullptr) : m_canvas(canvas) {}
    virtual ~CIgoBoardBase() = default;
    CIgoBoardBase(const CIgoBoardBase&) = delete;
    CIgoBoardBase& operator=(const CIgoBoardBase&) = delete;

    const BoardPosition& position() const { return m_position; }
    BoardPosition& position() { return m_position; }
    int boardSize() const { return m_position.size(); }
    void setCanvas(BoardCanvas* canvas) { m_canvas = canvas; }

protected:
    void drawPoint(int x, int y) {
        if (m_canvas) m_canvas->drawPoint(x, y);
    }
    void erasePoint(int x, int y) {
        if (m_canvas) m_canvas->erasePoint(x, y);
    }
    void redrawAll() {
        if (m_canvas) m_canvas->redrawAll();
    }

    BoardPosition m_position;
    BoardCanvas* m_canvas = nullptr;
};

} // namespace stonewise
