#include "qt/BoardRenderer.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QResource>
#include <cmath>
#include <cstring>
#include <future>

namespace stonewise {

PictureReader resourcePictureReader() {
    return [](std::string_view name) -> std::optional<std::string> {
        // The plain pixels of a picture when they are compiled in, else its PNG file.
        const QString file = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        QResource pixels(QStringLiteral(":/pixels/") + file);
        if (pixels.isValid() && pixels.compressionAlgorithm() == QResource::NoCompression)
            return std::string(reinterpret_cast<const char*>(pixels.data()), static_cast<std::size_t>(pixels.size()));
        QFile picture(QStringLiteral(":/pictures/") + file);
        if (!picture.open(QIODevice::ReadOnly)) return std::nullopt;
        const QByteArray bytes = picture.readAll();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    };
}

QImage toQImage(const Image& image) {
    if (image.isNull()) return {};
    const QImage view(image.bytes().data(), image.width(), image.height(), image.width() * 4,
                      QImage::Format_RGBA8888_Premultiplied);
    return view.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage toOpaqueQImage(const Image& image) {
    if (image.isNull()) return {};
    QImage out(image.width(), image.height(), QImage::Format_RGB32);
    // Red, green, blue, alpha bytes read as one little-endian word: red and blue change places.
    const std::uint8_t* from = image.bytes().data();
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y, from += 4 * static_cast<std::size_t>(width)) {
        auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        std::memcpy(row, from, 4 * static_cast<std::size_t>(width));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = row[x];
            row[x] = 0xFF000000u | (v & 0x0000FF00u) | ((v & 0xFFu) << 16) | ((v >> 16) & 0xFFu);
        }
    }
    return out;
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
        if (!renderer->loadCompiledIn(19, false)) renderer.reset();
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
    take(*set, toOpaqueQImage(set->board), set->woodRgb);
    return true;
}

bool BoardRenderer::loadCompiledIn(int lines, bool large, QString* error) {
    const PictureId boardId = boardPictureId(lines == 13 ? 13 : 19, large);
    const QResource pixels(QStringLiteral(":/pixels/") + QString::fromUtf8(pictureFileName(boardId)));
    std::optional<PlainPixels> plain;
    if (pixels.isValid() && pixels.compressionAlgorithm() == QResource::NoCompression)
        plain =
            plainPixelsView({reinterpret_cast<const char*>(pixels.data()), static_cast<std::size_t>(pixels.size())});
    const PictureSize size = pictureSize(boardId);
    if (!plain || plain->width != size.width || plain->height != size.height)
        return load(resourcePictureReader(), lines, large, error);
    std::string why;
    const std::optional<BoardPictureSet> pieces = loadBoardPieces(resourcePictureReader(), lines, large, &why);
    if (!pieces) {
        if (error) *error = QString::fromStdString(why);
        return false;
    }
    // The board is shown straight from the program file; only the wood sample is copied out.
    const QImage board(reinterpret_cast<const uchar*>(plain->words), plain->width, plain->height, plain->width * 4,
                       QImage::Format_RGB32);
    const WoodSample wood = woodSample(large);
    const Image sample = imageFromWords(plain->words + static_cast<std::size_t>(wood.y) * plain->width + wood.x,
                                        wood.width, wood.height, plain->width);
    take(*pieces, board, sample.averageRgb(0, 0, wood.width, wood.height));
    return true;
}

void BoardRenderer::take(const BoardPictureSet& set, QImage board, std::uint32_t woodRgb) {
    m_geometry = BoardGeometry(set.lines, board.width(), board.height(), set.large, set.blackStone.width());
    m_wood = {static_cast<std::uint8_t>(woodRgb >> 16), static_cast<std::uint8_t>(woodRgb >> 8),
              static_cast<std::uint8_t>(woodRgb)};
    m_board = std::move(board);
    m_pictures[static_cast<int>(ScenePicture::BlackStone)] = toQImage(set.blackStone);
    m_pictures[static_cast<int>(ScenePicture::WhiteStone)] = toQImage(set.whiteStone);
    m_pictures[static_cast<int>(ScenePicture::LastMove)] = toQImage(set.lastMove);
    m_pictures[static_cast<int>(ScenePicture::LastMoveBranches)] = toQImage(set.lastMoveBranches);
    m_pictures[static_cast<int>(ScenePicture::MailGoMarker)] = toQImage(set.mailGoMarker);
    m_scaled.clear();
    m_image = m_board; // shared until a point is painted into it
}

void BoardRenderer::clear() {
    // Shared until a point is painted into it.
    if (!m_board.isNull()) m_image = m_board;
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
