#include "qt/MoveListIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <vector>

namespace stonewise {

namespace {

void drawStone(QPainter& p, qreal s, bool black) {
    const QRectF r(s * 0.08, s * 0.08, s * 0.84, s * 0.84);
    QRadialGradient g(r.center() - QPointF(s * 0.15, s * 0.15), s * 0.6);
    if (black) {
        g.setColorAt(0, QColor(110, 110, 110));
        g.setColorAt(1, QColor(10, 10, 10));
        p.setPen(QPen(QColor(0, 0, 0), s / 16.0));
    } else {
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(1, QColor(200, 200, 195));
        p.setPen(QPen(QColor(90, 90, 90), s / 16.0));
    }
    p.setBrush(g);
    p.drawEllipse(r);
}

void drawBranch(QPainter& p, qreal s, QColor colour) {
    p.setPen(QPen(colour, s / 8.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(s * 0.2, s * 0.85);
    path.lineTo(s * 0.2, s * 0.15);
    path.moveTo(s * 0.2, s * 0.55);
    path.cubicTo(s * 0.2, s * 0.35, s * 0.5, s * 0.3, s * 0.8, s * 0.3);
    p.drawPath(path);
    p.setBrush(colour);
    p.drawEllipse(QPointF(s * 0.8, s * 0.3), s * 0.1, s * 0.1);
}

void drawReference(QPainter& p, qreal s) {
    const QColor blue(40, 90, 180);
    p.setPen(QPen(blue, s / 12.0));
    p.setBrush(QColor(225, 235, 250));
    p.drawRoundedRect(QRectF(s * 0.12, s * 0.1, s * 0.76, s * 0.8), s * 0.08, s * 0.08);
    p.setPen(QPen(blue, s / 12.0, Qt::SolidLine, Qt::RoundCap));
    for (qreal y : {0.32, 0.5, 0.68}) p.drawLine(QPointF(s * 0.27, s * y), QPointF(s * 0.73, s * y));
}

void drawMainRecord(QPainter& p, qreal s) {
    const QColor brown(120, 70, 20);
    p.setPen(QPen(brown, s / 12.0));
    p.setBrush(QColor(235, 190, 120));
    p.drawRect(QRectF(s * 0.12, s * 0.12, s * 0.76, s * 0.76));
    p.setPen(QPen(brown, s / 20.0));
    for (qreal v : {0.37, 0.63}) {
        p.drawLine(QPointF(s * 0.12, s * v), QPointF(s * 0.88, s * v));
        p.drawLine(QPointF(s * v, s * 0.12), QPointF(s * v, s * 0.88));
    }
}

void drawMark(QPainter& p, qreal s, MoveListIcon icon) {
    const QColor red(210, 30, 30);
    p.setPen(QPen(red, s / 9.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const qreal a = s * 0.2;
    const qreal b = s * 0.8;
    switch (icon) {
    case MoveListIcon::Circle: p.drawEllipse(QRectF(a, a, b - a, b - a)); break;
    case MoveListIcon::Square: p.drawRect(QRectF(a, a, b - a, b - a)); break;
    case MoveListIcon::Triangle: {
        const QPointF pts[] = {{s * 0.5, s * 0.15}, {s * 0.85, s * 0.8}, {s * 0.15, s * 0.8}};
        p.drawPolygon(pts, 3);
        break;
    }
    case MoveListIcon::Cross:
        p.drawLine(QPointF(a, a), QPointF(b, b));
        p.drawLine(QPointF(a, b), QPointF(b, a));
        break;
    default: {
        QFont f(QStringLiteral("IPAPGothic"));
        f.setPixelSize(static_cast<int>(s * 0.8));
        f.setBold(true);
        p.setFont(f);
        p.setPen(red);
        p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, QStringLiteral("A"));
        break;
    }
    }
}

QPixmap drawIcon(MoveListIcon icon, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal s = size;
    switch (icon) {
    case MoveListIcon::BlackStone: drawStone(p, s, true); break;
    case MoveListIcon::WhiteStone: drawStone(p, s, false); break;
    case MoveListIcon::Branch: drawBranch(p, s, QColor(30, 130, 60)); break;
    case MoveListIcon::Reference: drawReference(p, s); break;
    case MoveListIcon::MainRecord: drawMainRecord(p, s); break;
    default: drawMark(p, s, icon); break;
    }
    return pixmap;
}

} // namespace

namespace {

// Draws an icon at the size a line asks for, once per size.
class MoveListIconEngine final : public QIconEngine {
public:
    explicit MoveListIconEngine(MoveListIcon icon) : m_icon(icon) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::max(1, std::min(size.width(), size.height()));
        for (const QPixmap& p : m_drawn)
            if (p.width() == side) return p;
        m_drawn.push_back(drawIcon(m_icon, side));
        return m_drawn.back();
    }
    QIconEngine* clone() const override { return new MoveListIconEngine(m_icon); }

private:
    MoveListIcon m_icon;
    std::vector<QPixmap> m_drawn;
};

} // namespace

std::array<QIcon, kMoveListIconCount> makeMoveListIcons() {
    std::array<QIcon, kMoveListIconCount> icons;
    for (int i = 0; i < kMoveListIconCount; ++i)
        icons[static_cast<std::size_t>(i)] = QIcon(new MoveListIconEngine(static_cast<MoveListIcon>(i)));
    return icons;
}

} // namespace stonewise
