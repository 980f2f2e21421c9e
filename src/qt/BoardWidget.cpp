#include "qt/BoardWidget.h"

#include <QEvent>
#include <QGlyphRun>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/CIgoBoard.h"
#include "book/TraceExercise.h"
#include "qt/QtText.h"
#include "record/Text.h"
#include "view/BranchMarks.h"

namespace stonewise {

namespace {

// The geometry of a picture set, from the pictures' documented sizes (nothing is decoded).
BoardGeometry pictureSetGeometry(int lines, bool large) {
    const PictureId board = lines == 13 ? (large ? PictureId::Board13Large : PictureId::Board13)
                                        : (large ? PictureId::Board19Large : PictureId::Board19);
    const PictureSize size = pictureSize(board);
    const PictureSize stone = pictureSize(large ? PictureId::BlackStoneLarge : PictureId::BlackStone);
    return BoardGeometry(lines, size.width, size.height, large, stone.width);
}

// The board picture of the normal set for a board size, to decide the picture set.
BoardGeometry normalSetGeometry(int lines) { return pictureSetGeometry(lines, false); }

// Drawn larger than this many device pixels per picture pixel, the normal set turns soft.
constexpr double kLargeSetThreshold = 1.1;

// The board's soft shadow: kShadowLayers faint rounded rectangles, each a little larger than the
// one before and a little down and to the right of the board.
constexpr int kShadowLayers = 4;
constexpr double kShadowRadius = 3;
const QColor kShadowColour(40, 24, 8, 16);

QRectF shadowLayer(const QRectF& board, int i) {
    return board.translated(1.2, 2.0).adjusted(-i * 0.6, -i * 0.4, i * 0.9, i * 0.9);
}

// How much of [p, p + 1] lies in [from, to], from 0 to 1.
double overlap(double from, double to, int p) {
    return std::clamp(std::min<double>(p + 1, to) - std::max<double>(p, from), 0.0, 1.0);
}

// How much of the pixel at (px, py) in a corner square of the rounded rectangle `r` the rounding
// leaves covered, by samples.
double cornerCoverage(const QRectF& r, int px, int py) {
    constexpr int n = 8;
    int inside = 0;
    for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
            const double x = px + (sx + 0.5) / n, y = py + (sy + 0.5) / n;
            if (x < r.left() || x > r.right() || y < r.top() || y > r.bottom()) continue;
            const double cx = std::clamp(x, r.left() + kShadowRadius, r.right() - kShadowRadius);
            const double cy = std::clamp(y, r.top() + kShadowRadius, r.bottom() - kShadowRadius);
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= kShadowRadius * kShadowRadius) ++inside;
        }
    }
    return double(inside) / (n * n);
}

// The coverage of one layer along one axis of a strip: each pixel's overlap, and whether it lies
// where the corners round off.
struct AxisCoverage {
    std::vector<double> part;
    std::vector<char> nearEnd;
    AxisCoverage(double from, double to, int start, int count) : part(count), nearEnd(count) {
        for (int i = 0; i < count; ++i) {
            part[i] = overlap(from, to, start + i);
            nearEnd[i] = start + i < from + kShadowRadius || start + i + 1 > to - kShadowRadius;
        }
    }
};

// Paints the shadow's layers where they show outside `covered` (the pixels the board covers whole)
// as four strips of computed pixels: filling the shapes costs many times more.
void paintShadowRim(QPainter& painter, const QRectF& board, const QRect& covered) {
    QRectF layers[kShadowLayers];
    for (int i = 0; i < kShadowLayers; ++i) layers[i] = shadowLayer(board, i + 1);
    const QRect outer = layers[kShadowLayers - 1].toAlignedRect();
    const QRect strips[] = {
        QRect(QPoint(outer.left(), outer.top()), QPoint(outer.right(), covered.top() - 1)),
        QRect(QPoint(outer.left(), covered.bottom() + 1), QPoint(outer.right(), outer.bottom())),
        QRect(QPoint(outer.left(), covered.top()), QPoint(covered.left() - 1, covered.bottom())),
        QRect(QPoint(covered.right() + 1, covered.top()), QPoint(outer.right(), covered.bottom())),
    };
    const double layerAlpha = kShadowColour.alphaF();
    const int red = kShadowColour.red(), green = kShadowColour.green(), blue = kShadowColour.blue();
    for (const QRect& strip : strips) {
        if (strip.isEmpty()) continue;
        std::vector<AxisCoverage> columns, rows;
        for (const QRectF& layer : layers) {
            columns.emplace_back(layer.left(), layer.right(), strip.left(), strip.width());
            rows.emplace_back(layer.top(), layer.bottom(), strip.top(), strip.height());
        }
        QImage image(strip.size(), QImage::Format_ARGB32_Premultiplied);
        const auto sameRows = [&rows](int a, int b) {
            return std::all_of(rows.begin(), rows.end(), [a, b](const AxisCoverage& r) {
                return r.part[a] == r.part[b] && !r.nearEnd[a] && !r.nearEnd[b];
            });
        };
        for (int y = 0; y < strip.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            if (y > 0 && sameRows(y, y - 1)) { // along a side, away from the corners, the rows repeat
                std::copy_n(reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)), strip.width(), line);
                continue;
            }
            for (int x = 0; x < strip.width(); ++x) {
                double clear = 1;
                for (int i = 0; i < kShadowLayers; ++i) {
                    double c = columns[i].part[x] * rows[i].part[y];
                    if (c > 0 && columns[i].nearEnd[x] && rows[i].nearEnd[y])
                        c = cornerCoverage(layers[i], strip.left() + x, strip.top() + y);
                    clear *= 1 - layerAlpha * c;
                }
                const int alpha = static_cast<int>(255 * (1 - clear) + 0.5);
                line[x] = qPremultiply(qRgba(red, green, blue, alpha));
            }
        }
        painter.drawImage(strip.topLeft(), image);
    }
}

// The coordinate labels of one font, gathered into one run of glyphs: letters and numbers need no
// shaping, so each is placed straight from the font's glyphs and advances, where drawText would
// lay out every label on its own. A label the font has no glyph for is drawn as text at once.
class StripGlyphs {
public:
    StripGlyphs(const QFont& font, const QRawFont& raw) : m_font(font), m_raw(raw) {}

    // Adds `text` aligned in `box` as drawText(box, align, text) places a single line.
    void add(QPainter& painter, const QRectF& box, int align, const QString& text) {
        const QList<quint32> glyphs = m_raw.isValid() ? m_raw.glyphIndexesForString(text) : QList<quint32>();
        if (glyphs.isEmpty() || glyphs.contains(0u)) {
            painter.setFont(m_font);
            painter.drawText(box, align, text);
            return;
        }
        const QList<QPointF> advances = m_raw.advancesForGlyphIndexes(glyphs);
        double width = 0;
        for (const QPointF& a : advances) width += a.x();
        const double height = m_raw.ascent() + m_raw.descent();
        double x = box.x() + (box.width() - width) / 2;
        double top = box.y() + (box.height() - height) / 2;
        if (align & Qt::AlignTop) top = box.y();
        else if (align & Qt::AlignBottom) top = box.bottom() - height;
        const double baseline = top + m_raw.ascent();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            m_glyphs.append(glyphs[i]);
            m_positions.append(QPointF(x, baseline));
            x += advances[i].x();
        }
    }

    void draw(QPainter& painter) const {
        if (m_glyphs.isEmpty()) return;
        QGlyphRun run;
        run.setRawFont(m_raw);
        run.setGlyphIndexes(m_glyphs);
        run.setPositions(m_positions);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }

private:
    QFont m_font;
    QRawFont m_raw;
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
};

} // namespace

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 250);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_strip = new QLabel(this);
    m_strip->setStyleSheet(QStringLiteral("background:#fff8d8; border-top:1px solid #b09050; padding:4px 8px;"));
    m_strip->setFont(QFont(QStringLiteral("IPAPGothic"), 10));
    m_strip->hide();
    // A new text may need another height.
    m_strip->installEventFilter(this);
    updateLayout();
}

BoardWidget::~BoardWidget() = default;

void BoardWidget::setBoard(CIgoBoard* board) {
    m_board = board;
    m_drawnValid = false;
    redrawAll();
}

void BoardWidget::setViewSettings(const ViewSettings& settings) {
    m_settings = settings;
    updateLayout();
    redrawAll();
}

void BoardWidget::setTraceMode(bool on) {
    m_traceMode = on;
    refresh(false);
}

void BoardWidget::setLimitNumberFont(bool on) {
    m_limitNumberFont = on;
    refresh(false);
}

void BoardWidget::setStoneAlpha(std::function<int(int x, int y)> alpha) {
    m_stoneAlpha = std::move(alpha);
    refresh(false);
}

BoardRenderer* BoardWidget::renderer() const {
    auto& slot = m_renderers[m_lines == 13 ? 1 : 0][m_large ? 1 : 0];
    if (!slot) slot = takePrefetchedRenderer(m_lines, m_large);
    if (!slot) {
        auto r = std::make_unique<BoardRenderer>();
        QString error;
        if (!r->loadCompiledIn(m_lines, m_large, &error)) {
            m_pictureError = error;
            return nullptr;
        }
        slot = std::move(r);
    }
    return slot.get();
}

const BoardGeometry& BoardWidget::boardGeometry() const { return m_geometry; }

const QImage& BoardWidget::offscreenImage() const {
    static const QImage none;
    const BoardRenderer* r = renderer();
    return r ? r->image() : none;
}

bool BoardWidget::updateLayout() {
    const int lines = m_board ? m_board->boardSize() : 19;
    // The large set when asked for, or when the normal one would be stretched on this screen.
    const BoardLayout normal = layoutBoard(width(), height(), normalSetGeometry(lines), m_settings);
    const bool large = m_settings.largeImages || normal.scale * devicePixelRatioF() > kLargeSetThreshold;
    const bool changed = lines != m_lines || large != m_large;
    m_lines = lines;
    m_large = large;
    m_geometry = pictureSetGeometry(lines, large);
    m_layout = layoutBoard(width(), height(), m_geometry, m_settings);
    if (changed) m_drawnValid = false;
    return changed;
}

ViewSettings BoardWidget::effectiveSettings() const {
    ViewSettings s = m_settings;
    if (m_board) {
        const BoardOptions& o = m_board->options();
        s.lastMoveMarkOff = s.lastMoveMarkOff || !o.lastMoveMark;
        s.diagramDisplay = s.diagramDisplay || o.diagramDisplay;
        s.commentMarks = s.commentMarks && o.commentMarks;
    }
    return s;
}

SceneState BoardWidget::sceneState() const {
    SceneState s = m_board ? m_board->sceneState() : SceneState{};
    s.numberFontPx = numberFontPx(height(), boardGeometry().drawingScale(), m_limitNumberFont);
    s.traceMode = m_traceMode;
    s.stoneAlpha = m_stoneAlpha;
    return s;
}

QRect BoardWidget::windowRect(const PixelRect& r) const {
    const LayoutRect w = m_layout.toWindow(r);
    // Smooth scaling reaches a pixel beyond the rectangle.
    return QRectF(w.x, w.y, w.width, w.height).toAlignedRect().adjusted(-2, -2, 2, 2);
}

void BoardWidget::refresh(bool all) {
    if (m_board && m_board->boardSize() != m_lines) {
        updateLayout();
        all = true;
    }
    // Before the widget is first shown nothing is drawn yet: the first paint draws everything
    // (meanwhile the pictures may still be decoding on another thread).
    if (!isVisible()) {
        m_drawnValid = false;
        return;
    }
    BoardRenderer* r = renderer();
    if (!r) {
        update();
        return;
    }
    if (!m_drawnValid) all = true;
    if (!m_board) {
        if (all) r->clear();
        m_drawn.fill(PointDrawing{});
        m_drawnValid = true;
        update();
        return;
    }
    // While the setting is on, the branch marks follow the position shown (placing them again is
    // cheap and idempotent); switched off, they are taken away once.
    if (m_settings.branchMarks || m_branchMarksShown)
        placeBranchMarks(m_board->position(), m_board->record(), m_board->shownMove(), m_settings.branchMarks);
    m_branchMarksShown = m_settings.branchMarks;

    const ViewSettings settings = effectiveSettings();
    const SceneState state = sceneState();
    const BoardScene scene(m_board->position(), r->geometry(), settings, state, r->wood());
    if (all) r->clear();
    const int lines = r->lines();
    for (int x = 0; x < lines; ++x)
        for (int y = 0; y < lines; ++y) {
            PointDrawing d = scene.describe(x, y);
            PointDrawing& old = m_drawn[static_cast<std::size_t>(pointIndex(x, y))];
            if (!all && d == old) continue;
            if (!(all && d.ops.empty())) r->paint(d);
            if (!all) update(windowRect(d.rect));
            old = std::move(d);
        }
    m_drawnValid = true;
    if (all) update();
}

void BoardWidget::settleLater() {
    if (m_settlePending) return;
    m_settlePending = true;
    QTimer::singleShot(0, this, [this] {
        m_settlePending = false;
        refresh(false);
    });
}

void BoardWidget::updateMarks() { refresh(false); }

void BoardWidget::drawPoint(int, int) {
    refresh(false);
    settleLater();
}

void BoardWidget::erasePoint(int, int) {
    refresh(false);
    settleLater();
}

void BoardWidget::redrawAll() {
    refresh(true);
    settleLater();
}

void BoardWidget::invalidateRect(int left, int top, int w, int h) { update(windowRect({left, top, w, h})); }

QPoint BoardWidget::pointAt(QPointF pos) const {
    if (!m_board) return {-1, -1};
    const BoardCoord c = m_layout.pointAt(boardGeometry(), pos.x(), pos.y());
    if (!c.valid() || c.x >= m_board->boardSize() || c.y >= m_board->boardSize()) return {-1, -1};
    return {c.x, c.y};
}

QPoint BoardWidget::pointAt(QPoint pos) const { return pointAt(QPointF(pos)); }

QPointF BoardWidget::centreOf(int x, int y) const {
    double wx = 0, wy = 0;
    m_layout.centreOf(boardGeometry(), x, y, wx, wy);
    return {wx, wy};
}

void BoardWidget::placeHintMark(QWidget& mark, const TraceHint* hint) const {
    if (!hint) {
        mark.hide();
        return;
    }
    const double spacing = centreOf(1, 0).x() - centreOf(0, 0).x();
    const QPointF c = centreOf(hint->x, hint->y) + QPointF(hint->dx * spacing, hint->dy * spacing);
    const int side = static_cast<int>(2 * spacing);
    mark.setGeometry(static_cast<int>(c.x() - spacing), static_cast<int>(c.y() - spacing), side, side);
    const bool black = hint->colour == kBlack;
    mark.setStyleSheet(QString("background: %1; border: 2px solid %2; border-radius: %3px;")
                           .arg(black ? "rgba(0,0,0,90)" : "rgba(255,255,255,150)", black ? "black" : "gray")
                           .arg(side / 2));
    mark.show();
    mark.raise();
}

void BoardWidget::resizeEvent(QResizeEvent*) {
    placeStrip();
    const bool changed = updateLayout();
    refresh(changed);
}

void BoardWidget::placeStrip() {
    const int h =
        m_strip->heightForWidth(width()) > 0 ? m_strip->heightForWidth(width()) : m_strip->sizeHint().height();
    m_strip->setGeometry(0, height() - h, width(), h);
}

bool BoardWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_strip && event->type() == QEvent::Show) placeStrip();
    return QWidget::eventFilter(watched, event);
}

void BoardWidget::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ScreenChangeInternal || e->type() == QEvent::FontChange) {
        if (updateLayout()) refresh(true);
    }
}

void BoardWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    const QPoint p = pointAt(e->position());
    if (p.x() >= 0) Q_EMIT pointClicked(p.x(), p.y());
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    if (!m_drawnValid) refresh(true);
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    const QImage& image = offscreenImage();
    if (image.isNull()) {
        painter.setPen(palette().windowText().color());
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                         qs(formatText(uiText(21110), {u16(m_pictureError)})));
        return;
    }
    const QRectF board(m_layout.board.x, m_layout.board.y, m_layout.board.width, m_layout.board.height);

    // A soft shadow under the board.
    if (event->rect().intersects(board.adjusted(-2, -2, kBoardPadding, kBoardPadding).toAlignedRect())) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        // Only the rim shows: the pixels the opaque board covers whole are a hole in each shape.
        const QRectF covered(QPointF(std::ceil(board.left()), std::ceil(board.top())),
                             QPointF(std::floor(board.right()), std::floor(board.bottom())));
        if (painter.device()->devicePixelRatio() == 1 && painter.worldTransform().type() <= QTransform::TxTranslate) {
            paintShadowRim(painter, board, covered.toRect());
        } else {
            for (int i = kShadowLayers; i >= 1; --i) {
                QPainterPath rim;
                rim.setFillRule(Qt::OddEvenFill);
                rim.addRoundedRect(shadowLayer(board, i), kShadowRadius, kShadowRadius);
                rim.addRect(covered);
                painter.fillPath(rim, kShadowColour);
            }
        }
    }

    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(board, image);

    // The coordinate strips.
    if (m_layout.coordinates && !m_layout.labels.empty()) {
        const QRectF columns(m_layout.columnStrip.x, m_layout.columnStrip.y, m_layout.columnStrip.width,
                             m_layout.columnStrip.height);
        const QRectF rows(m_layout.rowStrip.x, m_layout.rowStrip.y, m_layout.rowStrip.width, m_layout.rowStrip.height);
        if (event->rect().intersects(columns.toAlignedRect()) || event->rect().intersects(rows.toAlignedRect())) {
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.setPen(QColor((kLabelGrey >> 16) & 255, (kLabelGrey >> 8) & 255, kLabelGrey & 255));
            const QFont font = BoardRenderer::boardFont(m_layout.labelFontPx);
            const double rowHeight = boardGeometry().cellHeight() * m_layout.scale;
            const double stackedPx = std::min<double>(m_layout.labelFontPx, rowHeight / 2.1);
            const QFont stackedFont = BoardRenderer::boardFont(stackedPx);
            // The stacked size is the same face scaled, which spares looking the font up again.
            const QRawFont raw = QRawFont::fromFont(font);
            QRawFont stackedRaw = raw;
            if (stackedRaw.isValid()) stackedRaw.setPixelSize(stackedFont.pixelSize());
            StripGlyphs plain(font, raw), stacked(stackedFont, stackedRaw);
            for (const StripLabel& label : m_layout.labels) {
                const QString text = QString::fromStdU16String(label.text);
                if (label.stacked && text.size() == 2) {
                    const double h = stackedPx * 1.02;
                    stacked.add(painter, QRectF(label.x - h, label.y - h, 2 * h, h), Qt::AlignHCenter | Qt::AlignBottom,
                                text.left(1));
                    stacked.add(painter, QRectF(label.x - h, label.y, 2 * h, h), Qt::AlignHCenter | Qt::AlignTop,
                                text.mid(1));
                } else {
                    const double h = m_layout.labelFontPx * 2.5;
                    plain.add(painter, QRectF(label.x - h, label.y - h, 2 * h, 2 * h), Qt::AlignCenter, text);
                }
            }
            plain.draw(painter);
            stacked.draw(painter);
        }
    }
}

} // namespace stonewise
