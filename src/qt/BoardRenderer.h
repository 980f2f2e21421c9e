#pragma once

#include <memory>

#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>
#include <optional>

#include "view/BoardGeometry.h"
#include "view/BoardPictures.h"
#include "view/BoardScene.h"

namespace stonewise {

// The pictures of the board compiled into the program (PNG files under ":/pictures").
PictureReader resourcePictureReader();

// A core picture as a Qt image (premultiplied ARGB).
QImage toQImage(const Image& image);
// An opaque core picture (a board) as a Qt image without alpha.
QImage toOpaqueQImage(const Image& image);

// The off-screen picture of one board: the clean board picture and a working copy of the same size
// into which points are painted from their drawings. Pictures are loaded once per board size and
// picture set; fonts and scaled stones are kept per size.
class BoardRenderer {
public:
    // Loads the pictures for `lines` (19 or 13) in the normal or large set and paints the clean
    // board; false (and the reason in `error`) when a picture cannot be loaded.
    bool load(const PictureReader& reader, int lines, bool large, QString* error = nullptr);
    // The same from the pictures compiled into the program; the usual boards are shown straight
    // from the program file without decoding.
    bool loadCompiledIn(int lines, bool large, QString* error = nullptr);
    bool loaded() const { return !m_image.isNull(); }
    int lines() const { return m_geometry.lines(); }
    bool large() const { return m_geometry.large(); }
    const BoardGeometry& geometry() const { return m_geometry; }
    // The average colour of the wood, for clearing lines under text.
    Rgb wood() const { return m_wood; }
    // The off-screen picture.
    const QImage& image() const { return m_image; }

    // Copies the clean board over the whole off-screen picture.
    void clear();
    // Repaints one point: its rectangle from the clean board, then the drawing, clipped to the
    // rectangle.
    void paint(const PointDrawing& drawing);

    // The bold board font ("IPAPGothic") at a pixel height.
    static QFont boardFont(double pixelHeight);

private:
    void take(const BoardPictureSet& set, QImage board, std::uint32_t woodRgb);
    const QImage& picture(ScenePicture p) const;
    const QImage& scaledPicture(ScenePicture p, int w, int h);
    void paintText(class QPainter& painter, const DrawOp& op);

    BoardGeometry m_geometry;
    Rgb m_wood;
    QImage m_board;
    QImage m_image;
    QImage m_pictures[5];
    QHash<quint64, QImage> m_scaled;
};

// Starts loading the pictures of the 19-line board into a renderer on another thread, so that they
// are ready when the first board window asks for them (called once, early in start-up).
void prefetchBoardPictures();
// The prefetched renderer for `lines` and `large`, given out once; null when none matches.
std::unique_ptr<BoardRenderer> takePrefetchedRenderer(int lines, bool large);
// Waits for a prefetch nobody took and lets it go (before the application object goes).
void endBoardPicturePrefetch();

} // namespace stonewise
