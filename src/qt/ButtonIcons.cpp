#include "qt/ButtonIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QResource>
#include <QtEndian>
#include <cstring>
#include <map>
#include <set>

#include "app/ButtonLayouts.h"
#include "app/CommandIds.h"

namespace stonewise {

namespace {

const QColor kInk(0x2b, 0x2b, 0x2b);
const QColor kAccent(0x1f, 0x6f, 0xb5);
const QColor kWood(0xd9, 0xa5, 0x5b);

// Draws a black or white stone of radius r at c.
void stone(QPainter& p, QPointF c, double r, bool black) {
    QRadialGradient g(c - QPointF(r / 3, r / 3), r * 1.4);
    g.setColorAt(0, black ? QColor(110, 110, 110) : Qt::white);
    g.setColorAt(1, black ? QColor(10, 10, 10) : QColor(190, 190, 185));
    p.setPen(QPen(QColor(0, 0, 0, black ? 255 : 140), 0.6));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void triangle(QPainter& p, double x, double y, double w, double h, bool right) {
    QPainterPath path;
    if (right) {
        path.moveTo(x, y);
        path.lineTo(x + w, y + h / 2);
        path.lineTo(x, y + h);
    } else {
        path.moveTo(x + w, y);
        path.lineTo(x, y + h / 2);
        path.lineTo(x + w, y + h);
    }
    path.closeSubpath();
    p.fillPath(path, kInk);
}

// A letter drawn with strokes, `height` high around `centre`: '?', 'i', '1' or '2'. (A bar
// picture loads no font: a font engine costs more than every stroke of the bars.)
void glyph(QPainter& p, char letter, QPointF centre, double height, const QColor& colour) {
    const double pen = height * 0.17;
    const double top = centre.y() - height / 2;
    const double bottom = centre.y() + height / 2;
    const double x = centre.x();
    const QRectF hook(x - height * 0.27, top, height * 0.54, height * 0.5);
    QPainterPath path;
    QPointF dot(-1, -1);
    switch (letter) {
    case '?':
        path.arcMoveTo(hook, 160);
        path.arcTo(hook, 160, -250);
        path.lineTo(x, top + height * 0.68);
        dot = {x, bottom - pen * 0.6};
        break;
    case 'i':
        path.moveTo(x, top + height * 0.38);
        path.lineTo(x, bottom);
        dot = {x, top + pen * 0.6};
        break;
    case '1':
        path.moveTo(x - height * 0.2, top + height * 0.2);
        path.lineTo(x + height * 0.03, top);
        path.lineTo(x + height * 0.03, bottom);
        break;
    case '2':
        path.arcMoveTo(hook, 160);
        path.arcTo(hook, 160, -200);
        path.lineTo(x - height * 0.28, bottom);
        path.lineTo(x + height * 0.3, bottom);
        break;
    default: break;
    }
    p.save();
    p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    if (dot.x() >= 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(dot, pen * 0.7, pen * 0.7);
    }
    p.restore();
}

// Every picture is drawn on a 24 × 24 grid.
void paintPicture(QPainter& p, int picture) {
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(kInk, 1.6);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (picture) {
    case kCmdModeMailGo: // Mail Go: an envelope with a stone
        p.drawRect(QRectF(3, 6, 18, 12));
        p.drawPolyline(QPolygonF({QPointF(3, 6), QPointF(12, 13), QPointF(21, 6)}));
        stone(p, {18, 17}, 4, true);
        break;
    case kCmdModePlayAndRecord: // play and record: two stones on a board corner
        p.fillRect(QRectF(3, 3, 18, 18), kWood);
        p.setPen(QPen(kInk, 0.8));
        for (int i = 0; i < 3; ++i) {
            p.drawLine(QPointF(6 + 6 * i, 3), QPointF(6 + 6 * i, 21));
            p.drawLine(QPointF(3, 6 + 6 * i), QPointF(21, 6 + 6 * i));
        }
        stone(p, {12, 12}, 3.6, true);
        stone(p, {18, 6}, 3.6, false);
        break;
    case kCmdModeViewing: // viewing: an open record book
        p.drawLine(QPointF(12, 6), QPointF(12, 20));
        p.drawPolyline(QPolygonF({QPointF(12, 6), QPointF(3, 4), QPointF(3, 18), QPointF(12, 20), QPointF(21, 18),
                                  QPointF(21, 4), QPointF(12, 6)}));
        stone(p, {7.5, 11}, 2.5, true);
        stone(p, {16.5, 11}, 2.5, false);
        break;
    case kCmdModeProblems: // problems: a question over a stone
        stone(p, {8, 16}, 5, true);
        glyph(p, '?', {17, 8.5}, 12, kAccent);
        break;
    case kCmdModeBook: // Go book
        p.setBrush(QColor(0xb5, 0x3a, 0x2a));
        p.drawRoundedRect(QRectF(5, 3, 14, 18), 1.5, 1.5);
        p.setBrush(Qt::NoBrush);
        stone(p, {12, 12}, 3.5, false);
        break;
    case kCtlFirstFileButton: // open a file: a folder
    case kCmdOpenFiles:
        p.setBrush(QColor(0xf0, 0xc8, 0x50));
        p.drawPolygon(
            QPolygonF({QPointF(3, 7), QPointF(9, 7), QPointF(11, 9), QPointF(21, 9), QPointF(21, 19), QPointF(3, 19)}));
        break;
    case kCmdReceiveMoves: // take in moves: arrow into a tray
        p.drawPolyline(QPolygonF({QPointF(4, 14), QPointF(4, 20), QPointF(20, 20), QPointF(20, 14)}));
        p.drawLine(QPointF(12, 3), QPointF(12, 15));
        p.drawPolyline(QPolygonF({QPointF(8, 11), QPointF(12, 15), QPointF(16, 11)}));
        break;
    case kCmdSendMoves: // send moves: arrow out of a tray
        p.drawPolyline(QPolygonF({QPointF(4, 14), QPointF(4, 20), QPointF(20, 20), QPointF(20, 14)}));
        p.drawLine(QPointF(12, 15), QPointF(12, 3));
        p.drawPolyline(QPolygonF({QPointF(8, 7), QPointF(12, 3), QPointF(16, 7)}));
        break;
    case kCtlSecondFileButton: // clipboard
    case kCmdOpenClipboard:
        p.drawRoundedRect(QRectF(5, 5, 14, 16), 1.5, 1.5);
        p.setBrush(kInk);
        p.drawRect(QRectF(9, 3, 6, 4));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(8, 11), QPointF(16, 11));
        p.drawLine(QPointF(8, 15), QPointF(16, 15));
        break;
    case kCmdNewGame: // new game: a sheet with a plus
        p.drawRect(QRectF(4, 3, 13, 17));
        p.setPen(QPen(kAccent, 2));
        p.drawLine(QPointF(17, 14), QPointF(17, 22));
        p.drawLine(QPointF(13, 18), QPointF(21, 18));
        break;
    case kCmdEditGameInfo: // game information
        p.setPen(QPen(kAccent, 1.6));
        p.drawEllipse(QPointF(12, 12), 9, 9);
        glyph(p, 'i', {12, 12}, 10, kAccent);
        break;
    case kCmdOtherPopup: // other: three dots
        p.setBrush(kInk);
        for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(6 + 6 * i, 12), 1.8, 1.8);
        break;
    case kCmdFinishedPopup: // finished games: a flag
    case kCmdChooseFinishedGame:
        p.drawLine(QPointF(6, 3), QPointF(6, 21));
        p.setBrush(QColor(0xc0, 0x30, 0x30));
        p.drawPolygon(QPolygonF({QPointF(6, 4), QPointF(19, 8), QPointF(6, 12)}));
        break;
    case kCmdFilePopup: // file operations: a disk
        p.drawRoundedRect(QRectF(4, 4, 16, 16), 2, 2);
        p.fillRect(QRectF(8, 4, 8, 6), kInk);
        p.drawRect(QRectF(7, 13, 10, 7));
        break;
    case kCmdPrint: // print
        p.drawRect(QRectF(7, 3, 10, 6));
        p.drawRoundedRect(QRectF(3, 9, 18, 8), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 14, 10, 7));
        break;
    case kCmdGroupsPopup: // groups and members: two people
        p.drawEllipse(QPointF(8, 8), 3, 3);
        p.drawEllipse(QPointF(16, 8), 3, 3);
        p.drawArc(QRectF(3, 13, 10, 10), 0, 180 * 16);
        p.drawArc(QRectF(11, 13, 10, 10), 0, 180 * 16);
        break;
    case kCmdFunctionSettings: { // function settings: a gear
        p.drawEllipse(QPointF(12, 12), 3, 3);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(12, 12);
            p.rotate(45.0 * i);
            p.drawLine(QPointF(0, 5), QPointF(0, 8.5));
            p.restore();
        }
        p.drawEllipse(QPointF(12, 12), 6, 6);
        break;
    }
    case kCmdDisplaySettings: // display settings: a screen
        p.drawRoundedRect(QRectF(3, 4, 18, 13), 1.5, 1.5);
        p.drawLine(QPointF(9, 21), QPointF(15, 21));
        p.drawLine(QPointF(12, 17), QPointF(12, 21));
        stone(p, {12, 10.5}, 3, true);
        break;
    case kCmdHelpButtonOrDemo: // help
        p.setPen(QPen(kAccent, 1.6));
        p.drawEllipse(QPointF(12, 12), 9, 9);
        glyph(p, '?', {12, 12}, 10.5, kAccent);
        break;
    case kCmdModePatternSearch: // pattern search: a magnifier over stones
        stone(p, {8, 8}, 3, true);
        stone(p, {13, 8}, 3, false);
        p.setPen(QPen(kInk, 2));
        p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
        p.drawLine(QPointF(15, 15), QPointF(21, 21));
        break;
    case kCmdFlashDisplay: { // flash display: a lightning bolt
        QPainterPath bolt;
        bolt.moveTo(14, 2);
        bolt.lineTo(6, 13);
        bolt.lineTo(11, 13);
        bolt.lineTo(9, 22);
        bolt.lineTo(18, 10);
        bolt.lineTo(13, 10);
        bolt.closeSubpath();
        p.fillPath(bolt, QColor(0xe8, 0xa8, 0x10));
        break;
    }
    case kCmdGameList: // game list
        for (int i = 0; i < 4; ++i) {
            p.drawLine(QPointF(8, 5 + 5 * i), QPointF(21, 5 + 5 * i));
            stone(p, {4.5, 5.0 + 5 * i}, 1.8, i % 2 == 0);
        }
        break;
    case kCmdShowNumbers: // move numbers
        stone(p, {12, 12}, 9, true);
        glyph(p, '1', {9.2, 12}, 8, Qt::white);
        glyph(p, '2', {14.6, 12}, 8, Qt::white);
        break;
    case kCmdBranchNumbersFromOne: // branch moves from 1
        stone(p, {12, 12}, 9, false);
        glyph(p, '1', {12, 12}, 10, kAccent);
        break;
    case kCmdToStart: // to the start
        p.fillRect(QRectF(4, 5, 2.2, 14), kInk);
        triangle(p, 6.5, 5, 7, 14, false);
        triangle(p, 13.5, 5, 7, 14, false);
        break;
    case kCmdBack: // back
        triangle(p, 7, 5, 9, 14, false);
        break;
    case kCmdForward: // forward
        triangle(p, 8, 5, 9, 14, true);
        break;
    case kCmdToEnd: // to the end
        triangle(p, 3.5, 5, 7, 14, true);
        triangle(p, 10.5, 5, 7, 14, true);
        p.fillRect(QRectF(17.8, 5, 2.2, 14), kInk);
        break;
    case kCmdAnimate: // animation: play and pause
        triangle(p, 4, 5, 8, 14, true);
        p.fillRect(QRectF(14, 5, 2.5, 14), kInk);
        p.fillRect(QRectF(18.5, 5, 2.5, 14), kInk);
        break;
    case kPictureAnimationRunning: // animation running: a press pauses it
        p.fillRect(QRectF(6.5, 4, 4, 16), kAccent);
        p.fillRect(QRectF(13.5, 4, 4, 16), kAccent);
        break;
    case kPictureAnimationPaused: { // animation paused: a press resumes it
        QPainterPath play;
        play.moveTo(6, 4);
        play.lineTo(20, 12);
        play.lineTo(6, 20);
        play.closeSubpath();
        p.fillPath(play, kAccent);
        break;
    }
    case kCmdStopAnimation: // stop the animation
        p.fillRect(QRectF(6, 6, 12, 12), kInk);
        break;
    default: stone(p, {12, 12}, 7, true); break;
    }
}

void paintIcon(QPainter& painter, const QRect& rect, QIcon::Mode mode, int picture) {
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / 24.0, rect.height() / 24.0);
    if (mode == QIcon::Disabled) painter.setOpacity(0.35);
    paintPicture(painter, picture);
    painter.restore();
}

// The pictures the build drew at the usual size, by id: records of a 32-bit id followed by the
// picture's premultiplied pixels.
const std::map<int, const uchar*>& drawnAhead() {
    static const std::map<int, const uchar*> pictures = [] {
        std::map<int, const uchar*> found;
        const QResource file(QStringLiteral(":/bar-pixels/bar-pictures"));
        if (!file.isValid() || file.compressionAlgorithm() != QResource::NoCompression) return found;
        constexpr qint64 record = 4 + kDrawnAheadBytes;
        const uchar* data = file.data();
        for (qint64 at = 0; at + record <= file.size(); at += record) {
            found.emplace(qFromLittleEndian<qint32>(data + at), data + at + 4);
        }
        return found;
    }();
    return pictures;
}

// An icon engine that draws the picture at the size and density asked.
class PictureEngine final : public QIconEngine {
public:
    explicit PictureEngine(int picture) : m_picture(picture) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        paintIcon(*painter, rect, mode, m_picture);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const std::pair key{size.width() * 65536 + size.height(), static_cast<int>(mode)};
        if (auto it = m_drawn.find(key); it != m_drawn.end()) return it->second;
        QImage image;
        const auto& ahead = drawnAhead();
        if (const auto it = ahead.find(m_picture);
            it != ahead.end() && size == QSize(kDrawnAheadSize, kDrawnAheadSize) && mode != QIcon::Disabled) {
            image = QImage(size, QImage::Format_ARGB32_Premultiplied);
            std::memcpy(image.bits(), it->second, kDrawnAheadBytes);
        } else {
            image = drawButtonPicture(m_picture, size, mode);
        }
        const QPixmap pm = QPixmap::fromImage(std::move(image));
        m_drawn.emplace(key, pm);
        return pm;
    }
    QIconEngine* clone() const override { return new PictureEngine(m_picture); }

private:
    int m_picture;
    std::map<std::pair<int, int>, QPixmap> m_drawn; // by size and mode
};

} // namespace

QIcon buttonIcon(int picture) { return QIcon(new PictureEngine(picture)); }

QImage drawButtonPicture(int picture, QSize size, QIcon::Mode mode) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintIcon(p, QRect(QPoint(0, 0), size), mode, picture);
    return image;
}

std::vector<int> barPictures() {
    std::set<int> pictures{kPictureAnimationRunning, kPictureAnimationPaused};
    for (int layout = static_cast<int>(BarLayout::None); layout <= static_cast<int>(BarLayout::SearchAndOthers);
         ++layout)
        for (const auto* bar :
             {&mainBarButtons(static_cast<BarLayout>(layout)), &secondaryBarButtons(static_cast<BarLayout>(layout))})
            for (const ButtonEntry& e : *bar)
                if (e.kind == ButtonKind::Picture) pictures.insert(e.picture);
    return {pictures.begin(), pictures.end()};
}

} // namespace stonewise
