#include "qt/BoardRenderer.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <future>
#include <cmath>

namespace stonewise {

PictureReader resourcePictureReader() {
    return [](std::string_view name) -> std::optional<std::string> {
        QFile file(QStringLiteral(":/pictures/") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        const QByteArray bytes = file.readAll();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    };
}

QImage toQImage(const Image& image) {
    if (image.isNull()) return {};
    const QImage view(image.bytes().data(), image.width(), image.height(), image.width() * 4,
                      QImage::Format_RGBA8888_Premultiplied);
    return view.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QFont BoardRenderer::boardFont(double pixelHeight) {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelHeight))));
    font.setWeight(QFont::Bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

namespace {
std::future<std::unique_ptr<BoardRenderer>> g_prefetch;
} // namespace

void prefetchBoardPictures() {
    if (g_prefetch.valid()) return;
    g_prefetch = std::async(std::launch::async, [] {
        auto renderer = std::make_unique<BoardRenderer>();
        if (!renderer->load(resourcePictureReader(), 19, false)) renderer.reset();
        return renderer;
    });
}

std::unique_ptr<BoardRenderer> takePrefetchedRenderer(int lines, bool large) {
    if (!g_prefetch.valid() || lines != 19 || large) return nullptr;
    return g_prefetch.get();
}

void endBoardPicturePrefetch() {
    if (g_prefetch.valid()) g_prefetch.get();
}

bool BoardRenderer::load(const PictureReader& reader, int lines, bool large, QString* error) {
    std::string why;
    const std::optional<BoardPictureSet> set = loadBoardPictures(reader, lines, large, &why);
    if (!set) {
        if (error) *error = QString::fromStdString(why);
        return false;
    }
    m_geometry = BoardGeometry(set->lines, set->board.width(), set->board.height(), large, set->blackStone.width());
    m_wood = {static_cast<std::uint8_t>(set->woodRgb >> 16), static_cast<std::uint8_t>(set->woodRgb >> 8),
              static_cast<std::uint8_t>(set->woodRgb)};
    m_board = toQImage(set->board).convertToFormat(QImage::Format_RGB32);
    m_pictures[static_cast<int>(ScenePicture::BlackStone)] = toQImage(set->blackStone);
    m_pictures[static_cast<int>(ScenePicture::WhiteStone)] = toQImage(set->whiteStone);
    m_pictures[static_cast<int>(ScenePicture::LastMove)] = toQImage(set->lastMove);
    m_pictures[static_cast<int>(ScenePicture::LastMoveBranches)] = toQImage(set->lastMoveBranches);
    m_pictures[static_cast<int>(ScenePicture::MailGoMarker)] = toQImage(set->mailGoMarker);
    m_scaled.clear();
    m_image = m_board.copy();
    return true;
}

void BoardRenderer::clear() {
    if (!m_board.isNull()) m_image = m_board.copy();
}

const QImage& BoardRenderer::picture(ScenePicture p) const { return m_pictures[static_cast<int>(p)]; }

const QImage& BoardRenderer::scaledPicture(ScenePicture p, int w, int h) {
    const QImage& original = picture(p);
    if (original.width() == w && original.height() == h) return original;
    const quint64 key = (static_cast<quint64>(p) << 40) | (static_cast<quint64>(w) << 20) | static_cast<quint64>(h);
    auto it = m_scaled.find(key);
    if (it == m_scaled.end())
        it = m_scaled.insert(key, original.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return *it;
}

void BoardRenderer::paintText(QPainter& painter, const DrawOp& op) {
    const QString text = QString::fromStdU16String(op.text);
    double px = op.fontPx;
    QFont font = boardFont(px);
    QFontMetricsF metrics(font);
    double width = metrics.horizontalAdvance(text);
    if (op.textKind == SceneText::Label) {
        // Labels first take a smaller font, down to about half, before they are condensed.
        const double smallest = std::max(8.0, op.fontPx * 0.5);
        while (width > op.fitWidth && px > smallest) {
            px = std::max(smallest, px - 1);
            font = boardFont(px);
            metrics = QFontMetricsF(font);
            width = metrics.horizontalAdvance(text);
        }
    }
    const QRectF ink = metrics.tightBoundingRect(text);
    const double squeeze = width > op.fitWidth && width > 0 ? op.fitWidth / width : 1.0;
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(op.colour.r, op.colour.g, op.colour.b));
    painter.translate(op.x + op.w / 2.0, op.y + op.h / 2.0);
    painter.scale(squeeze, 1.0);
    // Centre the ink of the text, not its line box: digits then sit in the middle of the stone.
    painter.drawText(QPointF(-ink.center().x(), -ink.center().y()), text);
    painter.restore();
}

void BoardRenderer::paint(const PointDrawing& drawing) {
    if (m_image.isNull() || drawing.rect.width <= 0) return;
    QPainter painter(&m_image);
    const QRect rect(drawing.rect.x, drawing.rect.y, drawing.rect.width, drawing.rect.height);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(rect.topLeft(), m_board, rect);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (drawing.ops.empty()) return;
    painter.setClipRect(rect);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const DrawOp& op : drawing.ops) {
        switch (op.kind) {
        case DrawOp::Kind::Picture: {
            const int x = static_cast<int>(std::lround(op.x));
            const int y = static_cast<int>(std::lround(op.y));
            const int w = std::max(1, static_cast<int>(std::lround(op.w)));
            const int h = std::max(1, static_cast<int>(std::lround(op.h)));
            if (picture(op.picture).isNull()) break;
            painter.setOpacity(op.alpha / 255.0);
            painter.drawImage(QPoint(x, y), scaledPicture(op.picture, w, h));
            painter.setOpacity(1.0);
            break;
        }
        case DrawOp::Kind::Line:
            painter.setPen(QPen(QColor(op.colour.r, op.colour.g, op.colour.b), op.width, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(op.x, op.y), QPointF(op.x2, op.y2));
            break;
        case DrawOp::Kind::Circle:
            painter.setPen(QPen(QColor(op.colour.r, op.colour.g, op.colour.b), op.width));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(op.x, op.y), op.radius, op.radius);
            break;
        case DrawOp::Kind::Disc:
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(op.colour.r, op.colour.g, op.colour.b));
            painter.drawEllipse(QPointF(op.x, op.y), op.radius, op.radius);
            painter.setBrush(Qt::NoBrush);
            break;
        case DrawOp::Kind::Text: paintText(painter, op); break;
        }
    }
}

} // namespace stonewise
