#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "app/BoardCanvas.h"

class QTimer;

namespace stonewise {

class BoardRenderer;
class CReferBoard;

// The Go book player's reference board on screen: the whole board picture painted from the view
// model like the main board, of which the part the diagram's corner code names is stretched
// smoothly over the widget. A played diagram steps on the widget's own 25 ms tick.
class ReferBoardWidget final : public QWidget, public BoardCanvas {
    Q_OBJECT
public:
    explicit ReferBoardWidget(QWidget* parent = nullptr);
    ~ReferBoardWidget() override;

    // The reference board shown; null shows nothing.
    void setBoard(CReferBoard* board);
    // The board picture with the diagram, before the part is taken (null before the first paint).
    const QImage& boardPicture() const { return m_picture; }
    // The part of the board picture the widget shows, in picture pixels.
    QRectF shownPart() const;

    void drawPoint(int x, int y) override;
    void erasePoint(int x, int y) override;
    void redrawAll() override;
    void invalidateRect(int left, int top, int width, int height) override;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }
    QSize sizeHint() const override { return {220, 220}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void paintBoard();

    CReferBoard* m_board = nullptr;
    std::unique_ptr<BoardRenderer> m_renderer;
    QImage m_picture;
    bool m_dirty = true;
    QTimer* m_tick = nullptr;
};

} // namespace stonewise
