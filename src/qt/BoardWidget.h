#pragma once

#include <QWidget>
#include <functional>

#include "app/BoardCanvas.h"

namespace stonewise {

class CIgoBoard;

// The board on screen: paints the position of a board window and turns clicks into points.
class BoardWidget final : public QWidget, public BoardCanvas {
    Q_OBJECT
public:
    explicit BoardWidget(QWidget* parent = nullptr);
    void setBoard(CIgoBoard* board) { m_board = board; update(); }

    void drawPoint(int x, int y) override;
    void erasePoint(int x, int y) override;
    void redrawAll() override;
    void invalidateRect(int left, int top, int width, int height) override;

    // The point under a widget position, or (-1, -1) when the position is not on a point.
    QPoint pointAt(QPoint pos) const;
    // The centre of a point in widget coordinates.
    QPointF centreOf(int x, int y) const;

    QSize sizeHint() const override { return {720, 720}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override { return w; }

signals:
    void pointClicked(int x, int y);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    struct Geometry {
        QRectF board;   // the wooden square
        double cell;    // distance between lines
        QPointF origin; // centre of point (0, 0)
    };
    Geometry geometry() const;

    CIgoBoard* m_board = nullptr;
};

} // namespace stonewise
