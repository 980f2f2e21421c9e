#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/BoardCanvas.h"
#include "board/BoardPoint.h"
#include "qt/BoardRenderer.h"
#include "view/BoardLayout.h"
#include "view/BoardScene.h"
#include "view/ViewSettings.h"

class QLabel;

namespace stonewise {

class CIgoBoard;
struct TraceHint;

// The board on screen: paints the position of a board window from the view model into an
// off-screen picture of the board picture's size, repaints only the points whose drawing changed,
// shows the picture scaled to the widget (aspect kept, sharp on high-density screens through the
// large picture set) with the coordinate strips, and turns clicks into points.
class BoardWidget final : public QWidget, public BoardCanvas {
    Q_OBJECT
public:
    explicit BoardWidget(QWidget* parent = nullptr);
    ~BoardWidget() override;

    // The board window shown; null shows an empty board.
    void setBoard(CIgoBoard* board);
    CIgoBoard* board() const { return m_board; }

    // The display settings; everything is drawn again.
    void setViewSettings(const ViewSettings& settings);
    const ViewSettings& viewSettings() const { return m_settings; }
    // The trace exercise of a Go book shows no last-move mark.
    void setTraceMode(bool on);
    // Keeps the move numbers at their middle size when the window is very small.
    void setLimitNumberFont(bool on);
    // Where the opacity of a stone fading in comes from (0..255 for the point); none: all opaque.
    // The fade's ticks call drawPoint() and the stone is repainted with the new opacity.
    void setStoneAlpha(std::function<int(int x, int y)> alpha);

    // Draws again what changed in the board window's state besides its points (the move list's
    // selection, numbering): only the points whose drawing differs are repainted.
    void updateMarks();

    void drawPoint(int x, int y) override;
    void erasePoint(int x, int y) override;
    void redrawAll() override;
    void invalidateRect(int left, int top, int width, int height) override;

    // The point under a widget position, or (-1, -1) when the position is not on a point.
    QPoint pointAt(QPoint pos) const;
    QPoint pointAt(QPointF pos) const;
    // The centre of a point in widget coordinates.
    QPointF centreOf(int x, int y) const;
    // Places `mark` (a child of this widget), a round window two grid spacings wide, near the point
    // that a trace's hint expects, in the colour of the side to move; without a hint it is hidden.
    void placeHintMark(QWidget& mark, const TraceHint* hint) const;
    // The off-screen picture of the board (board-picture pixels).
    const QImage& offscreenImage() const;
    const BoardLayout& boardLayout() const { return m_layout; }
    const BoardGeometry& boardGeometry() const;
    // The reason the pictures could not be loaded; empty when they were.
    const QString& pictureError() const { return m_pictureError; }

    // The board's message strip: a line laid over the bottom of the board, hidden until a message
    // shows; it moves and shrinks nothing.
    QLabel* messageStrip() const { return m_strip; }

    QSize sizeHint() const override { return {760, 800}; }
    QSize minimumSizeHint() const override { return {240, 250}; }

Q_SIGNALS:
    void pointClicked(int x, int y);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void changeEvent(QEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Chooses the picture set for the widget's size and screen and lays the board out; true when
    // the set changed.
    bool updateLayout();
    BoardRenderer* renderer() const;
    SceneState sceneState() const;
    ViewSettings effectiveSettings() const;
    // Brings the off-screen picture up to date: every point (all) or the points whose drawing
    // changed, and schedules the matching parts of the widget for painting.
    void refresh(bool all);
    QRect windowRect(const PixelRect& r) const;
    // One more pass once the current action is over, for state the board window changes after it
    // has drawn its points (the selection of the move just played).
    void settleLater();

    // Lays the message strip over the bottom edge.
    void placeStrip();

    CIgoBoard* m_board = nullptr;
    QLabel* m_strip = nullptr;
    ViewSettings m_settings;
    bool m_traceMode = false;
    bool m_limitNumberFont = false;
    std::function<int(int x, int y)> m_stoneAlpha;
    bool m_branchMarksShown = false;
    bool m_large = false;
    int m_lines = 19;
    BoardGeometry m_geometry;
    BoardLayout m_layout;
    // Renderers by [13 lines][large set], loaded when first needed.
    mutable std::array<std::array<std::unique_ptr<BoardRenderer>, 2>, 2> m_renderers;
    std::array<PointDrawing, kPointCount> m_drawn;
    bool m_drawnValid = false;
    bool m_settlePending = false;
    mutable QString m_pictureError;
};

} // namespace stonewise
