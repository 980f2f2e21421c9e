#include "qt/PatternDiagramView.h"

#include <QPainter>
#include <algorithm>

namespace stonewise {

namespace {

bool starPoint(int x, int y, int lines) {
    if (lines == 13) return (x == 3 || x == 9 || x == 6) && (y == 3 || y == 9 || y == 6) && (x == 6) == (y == 6);
    return (x == 3 || x == 9 || x == 15) && (y == 3 || y == 9 || y == 15);
}

} // namespace

PatternDiagramView::PatternDiagramView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PatternDiagramView::setDiagram(const PatternDiagram& diagram) {
    m_diagram = diagram;
    update();
}

double PatternDiagramView::cell() const {
    const int columns = std::max(1, m_diagram.right - m_diagram.left + 1);
    const int rows = std::max(1, m_diagram.bottom - m_diagram.top + 1);
    return std::min(width() / (columns + 0.6), height() / (rows + 0.6));
}

QPointF PatternDiagramView::pointCentre(int x, int y) const {
    const double c = cell();
    const double ox = (width() - c * (m_diagram.right - m_diagram.left)) / 2;
    const double oy = (height() - c * (m_diagram.bottom - m_diagram.top)) / 2;
    return {ox + (x - m_diagram.left) * c, oy + (y - m_diagram.top) * c};
}

void PatternDiagramView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().window());
    const PatternDiagram& d = m_diagram;
    if (d.right < d.left || d.bottom < d.top) return;
    const double cell = this->cell();
    const double boardW = cell * (d.right - d.left);
    const double boardH = cell * (d.bottom - d.top);
    const double ox = pointCentre(d.left, d.top).x();
    const double oy = pointCentre(d.left, d.top).y();
    auto px = [&](int x) { return pointCentre(x, 0).x(); };
    auto py = [&](int y) { return pointCentre(0, y).y(); };

    p.fillRect(QRectF(ox - cell * 0.3, oy - cell * 0.3, boardW + cell * 0.6, boardH + cell * 0.6),
               QColor(220, 176, 112));
    // Lines that go on beyond the part shown run out to its margin.
    const double half = cell * 0.3;
    for (int x = d.left; x <= d.right; ++x) {
        const double top = py(d.top) - (d.top > 0 ? half : 0);
        const double bottom = py(d.bottom) + (d.bottom < d.lines - 1 ? half : 0);
        p.setPen(QPen(Qt::black, x == 0 || x == d.lines - 1 ? 1.6 : 0.8));
        p.drawLine(QPointF(px(x), top), QPointF(px(x), bottom));
    }
    for (int y = d.top; y <= d.bottom; ++y) {
        const double left = px(d.left) - (d.left > 0 ? half : 0);
        const double right = px(d.right) + (d.right < d.lines - 1 ? half : 0);
        p.setPen(QPen(Qt::black, y == 0 || y == d.lines - 1 ? 1.6 : 0.8));
        p.drawLine(QPointF(left, py(y)), QPointF(right, py(y)));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (int x = d.left; x <= d.right; ++x)
        for (int y = d.top; y <= d.bottom; ++y)
            if (starPoint(x, y, d.lines)) p.drawEllipse(QPointF(px(x), py(y)), cell * 0.09, cell * 0.09);

    QFont font = p.font();
    font.setBold(true);
    for (const PrintStone& s : d.stones) {
        if (s.x < d.left || s.x > d.right || s.y < d.top || s.y > d.bottom) continue;
        const bool black = s.colour == kBlack;
        const QPointF c(px(s.x), py(s.y));
        p.setPen(QPen(Qt::black, 0.9));
        p.setBrush(black ? QColor(20, 20, 20) : QColor(250, 250, 246));
        p.drawEllipse(c, cell * 0.47, cell * 0.47);
        const QColor ink = black ? Qt::white : Qt::black;
        if (s.number > 0) {
            font.setPixelSize(std::max(6, static_cast<int>(cell * (s.number >= 10 ? 0.46 : 0.56))));
            p.setFont(font);
            p.setPen(ink);
            p.drawText(QRectF(c.x() - cell / 2, c.y() - cell / 2, cell, cell), Qt::AlignCenter,
                       QString::number(s.number));
        } else if (s.x == d.markX && s.y == d.markY) {
            p.setPen(QPen(QColor(220, 24, 24), std::max(1.2, cell * 0.08)));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, cell * 0.22, cell * 0.22);
        }
    }
}

} // namespace stonewise
