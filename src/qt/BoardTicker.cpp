#include "qt/BoardTicker.h"

#include <QTimer>

#include "view/BoardTimer.h"

namespace stonewise {

BoardTicker::BoardTicker(BoardTimer& timer) : m_board(timer), m_timer(std::make_unique<QTimer>()) {
    m_timer->setInterval(kBoardTickMs);
    m_timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] {
        if (m_filter && m_filter()) return;
        m_board.tick();
    });
}

BoardTicker::~BoardTicker() { m_timer->stop(); }

void BoardTicker::start() { m_timer->start(); }

void BoardTicker::stop() { m_timer->stop(); }

bool BoardTicker::active() const { return m_timer->isActive(); }

} // namespace stonewise
