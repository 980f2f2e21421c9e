#include "qt/FlashTicker.h"

#include <QGuiApplication>
#include <QTimer>

#include "view/FlashTimerSlots.h"

namespace stonewise {

FlashTicker::FlashTicker(FlashTimerSlots& timerSlots) : m_slots(timerSlots), m_timer(std::make_unique<QTimer>()) {
    m_timer->setInterval(FlashTimerSlots::kTickMs);
    m_timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] {
        m_slots.setRightButtonDown(QGuiApplication::mouseButtons() & Qt::RightButton);
        m_slots.tick();
    });
    m_slots.setRunningListener([this](bool running) {
        if (running) {
            m_timer->start();
        } else {
            m_timer->stop();
        }
    });
    if (m_slots.anyRunning()) m_timer->start();
}

FlashTicker::~FlashTicker() {
    m_slots.setRunningListener({});
    m_timer->stop();
}

bool FlashTicker::active() const { return m_timer->isActive(); }

} // namespace stonewise
