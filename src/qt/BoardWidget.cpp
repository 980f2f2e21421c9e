#include "qt/BoardWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "app/CIgoBoard.h"

namespace stonewise {

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 320);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

BoardWidget::Geometry BoardWidget::geometry() const {
    const int lines = m_board ? m_board->boardSize() : 19;
    const double side = std::min(width(), height());
    const double cell = side / (lines + 1.2);
    const QPointF topLeft((width() - side) / 2.0, (height() - side) / 2.0);
    Geometry g;
    g.board = QRectF(topLeft, QSizeF(side, side));
    g.cell = cell;
    const double margin = (side - cell * (lines - 1)) / 2.0;
    g.origin = topLeft + QPointF(margin, margin);
    return g;
}

QPointF BoardWidget::centreOf(int x, int y) const {
    const Geometry g = geometry();
    return g.origin + QPointF(x * g.cell, y * g.cell);
}

QPoint BoardWidget::pointAt(QPoint pos) const {
    if (!m_board) return {-1, -1};
    const Geometry g = geometry();
    const double fx = (pos.x() - g.origin.x()) / g.cell;
    const double fy = (pos.y() - g.origin.y()) / g.cell;
    const int x = static_cast<int>(std::lround(fx));
    const int y = static_cast<int>(std::lround(fy));
    if (x < 0 || y < 0 || x >= m_board->boardSize() || y >= m_board->boardSize()) return {-1, -1};
    const double radius = g.cell / 2.0;
    if (std::abs(fx - x) * g.cell > 0.95 * radius || std::abs(fy - y) * g.cell > 0.95 * radius) return {-1, -1};
    return {x, y};
}

void BoardWidget::drawPoint(int, int) { update(); }
void BoardWidget::erasePoint(int, int) { update(); }
void BoardWidget::redrawAll() { update(); }
void BoardWidget::invalidateRect(int left, int top, int w, int h) { update(QRect(left, top, w, h)); }

void BoardWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = pointAt(e->position().toPoint());
    if (p.x() >= 0) emit pointClicked(p.x(), p.y());
}

void BoardWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().window());
    if (!m_board) return;
    const Geometry g = geometry();
    const int lines = m_board->boardSize();

    QLinearGradient wood(g.board.topLeft(), g.board.bottomRight());
    wood.setColorAt(0.0, QColor(0xE3, 0xB5, 0x6B));
    wood.setColorAt(1.0, QColor(0xD4, 0x9E, 0x52));
    painter.fillRect(g.board, wood);

    painter.setPen(QPen(QColor(40, 28, 10), std::max(1.0, g.cell / 28.0)));
    const double far = g.cell * (lines - 1);
    for (int i = 0; i < lines; ++i) {
        painter.drawLine(g.origin + QPointF(i * g.cell, 0), g.origin + QPointF(i * g.cell, far));
        painter.drawLine(g.origin + QPointF(0, i * g.cell), g.origin + QPointF(far, i * g.cell));
    }
    painter.setBrush(QColor(40, 28, 10));
    const int stars19[] = {3, 9, 15};
    const int stars13[] = {3, 6, 9};
    const int* stars = lines == 13 ? stars13 : stars19;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            if (lines == 13 && ((i == 1) != (j == 1))) continue;
            painter.drawEllipse(centreOf(stars[i], stars[j]), g.cell / 9, g.cell / 9);
        }

    const BoardPosition& pos = m_board->position();
    const double r = g.cell * 0.48;
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(g.cell * 0.42));
    font.setBold(true);
    painter.setFont(font);
    for (int x = 0; x < lines; ++x)
        for (int y = 0; y < lines; ++y) {
            const BoardPoint& p = pos.at(x, y);
            if (!p.hasStone()) continue;
            const QPointF c = centreOf(x, y);
            const bool black = p.colour == kBlack;
            QRadialGradient shade(c - QPointF(r / 3, r / 3), r * 1.3);
            shade.setColorAt(0.0, black ? QColor(90, 90, 90) : QColor(255, 255, 255));
            shade.setColorAt(1.0, black ? QColor(10, 10, 10) : QColor(200, 200, 195));
            painter.setPen(QPen(QColor(0, 0, 0, black ? 255 : 120), 0.8));
            painter.setBrush(shade);
            painter.drawEllipse(c, r, r);
            const bool last = pos.lastMove && pos.lastMove->x == x && pos.lastMove->y == y;
            if (p.displayNumber != kNoDisplayNumber && p.displayNumber != kHiddenDisplayNumber) {
                int shown = p.displayNumber;
                if (p.depth == 0 && m_board->record().main().numberOffset() < 0) --shown;
                if (shown >= 1) {
                    painter.setPen(last ? QColor(220, 30, 30) : (black ? Qt::white : Qt::black));
                    painter.drawText(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), Qt::AlignCenter, QString::number(shown));
                    continue;
                }
            }
            if (last) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(220, 30, 30));
                painter.drawEllipse(c, r / 3, r / 3);
            }
        }
}

} // namespace stonewise
