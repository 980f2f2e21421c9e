#include "qt/ReferBoardWidget.h"

#include <QPainter>
#include <QTimer>

#include "app/CReferBoard.h"
#include "qt/BoardRenderer.h"

namespace stonewise {

ReferBoardWidget::ReferBoardWidget(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    m_tick = new QTimer(this);
    m_tick->setInterval(25);
    connect(m_tick, &QTimer::timeout, this, [this] {
        if (!m_board || !m_board->playing()) m_tick->stop();
        else m_board->tick();
    });
}

ReferBoardWidget::~ReferBoardWidget() {
    if (m_board) m_board->setCanvas(nullptr);
}

void ReferBoardWidget::setBoard(CReferBoard* board) {
    if (m_board) m_board->setCanvas(nullptr);
    m_board = board;
    if (m_board) m_board->setCanvas(this);
    redrawAll();
}

void ReferBoardWidget::drawPoint(int, int) { redrawAll(); }
void ReferBoardWidget::erasePoint(int, int) { redrawAll(); }
void ReferBoardWidget::invalidateRect(int, int, int, int) { redrawAll(); }

void ReferBoardWidget::redrawAll() {
    m_dirty = true;
    if (m_board && m_board->playing() && !m_tick->isActive()) m_tick->start();
    update();
}

QRectF ReferBoardWidget::shownPart() const {
    if (!m_renderer) return {};
    const ReferView v = referView(m_board ? m_board->corner() : 0, m_renderer->geometry());
    return {v.left, v.top, v.width, v.height};
}

// The whole board as the main board would draw it, into the off-screen picture.
void ReferBoardWidget::paintBoard() {
    const int lines = m_board ? m_board->boardSize() : 19;
    if (!m_renderer || m_renderer->lines() != lines) {
        m_renderer = std::make_unique<BoardRenderer>();
        if (!m_renderer->loadCompiledIn(lines, false)) {
            m_renderer.reset();
            return;
        }
    }
    m_renderer->clear();
    if (m_board && m_board->hasDiagram()) {
        ViewSettings settings;
        settings.commentMarks = false; // the diagram's comments are the page's text
        SceneState state = m_board->sceneState();
        // The part is shown small: the numbers fill most of a stone to stay legible.
        state.numberFontPx = m_renderer->geometry().stoneDiameter() * 3 / 5;
        const BoardScene scene(m_board->position(), m_renderer->geometry(), settings, state, m_renderer->wood());
        for (int x = 0; x < lines; ++x)
            for (int y = 0; y < lines; ++y) m_renderer->paint(scene.describe(x, y));
    }
    m_picture = m_renderer->image();
    m_dirty = false;
}

void ReferBoardWidget::paintEvent(QPaintEvent*) {
    if (m_dirty) paintBoard();
    QPainter painter(this);
    if (m_picture.isNull() || !m_board || !m_board->hasDiagram()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    // The part keeps its shape, centred in the widget.
    const QRectF part = shownPart();
    const double scale = std::min(width() / part.width(), height() / part.height());
    const QSizeF size(part.width() * scale, part.height() * scale);
    const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.fillRect(rect(), palette().window());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture, part);
}

} // namespace stonewise
