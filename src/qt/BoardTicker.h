#pragma once

#include <functional>
#include <memory>

class QTimer;

namespace stonewise {

class BoardTimer;

// Runs one board window's 25 ms tick: a QTimer whose every timeout calls BoardTimer::tick(),
// after the filter (the main window's mail-fetch countdown) has had its say.
class BoardTicker {
public:
    // `timer` must outlive the ticker.
    explicit BoardTicker(BoardTimer& timer);
    ~BoardTicker();
    BoardTicker(const BoardTicker&) = delete;
    BoardTicker& operator=(const BoardTicker&) = delete;

    void start();
    void stop();
    bool active() const;
    // Runs before each tick; when it returns true it took the tick and the board does not see it.
    void setTickFilter(std::function<bool()> filter) { m_filter = std::move(filter); }

private:
    BoardTimer& m_board;
    std::unique_ptr<QTimer> m_timer;
    std::function<bool()> m_filter;
};

} // namespace stonewise
