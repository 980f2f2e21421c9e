#include "app/NoticeBoard.h"

#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

int NoticeBoard::show(int seconds, std::u16string_view title, std::u16string_view text) {
    closeAll();
    if (text.empty()) return -1;
    for (int slot = 0; slot < kSlots; ++slot) {
        Notice& n = m_notices[static_cast<std::size_t>(slot)];
        if (n.open) continue;
        n.open = true;
        n.title = std::u16string(title);
        n.text = std::u16string(text.substr(0, kMaxText));
        n.secondsLeft = seconds > 0 ? seconds : 0;
        return slot;
    }
    return -1;
}

bool NoticeBoard::tickSecond() {
    bool changed = false;
    for (Notice& n : m_notices) {
        if (!n.open || n.secondsLeft <= 0) continue;
        changed = true;
        if (--n.secondsLeft == 0) n = {};
    }
    return changed;
}

void NoticeBoard::close(int slot) {
    if (slot >= 0 && slot < kSlots) m_notices[static_cast<std::size_t>(slot)] = {};
}

void NoticeBoard::closeAll() {
    for (Notice& n : m_notices) n = {};
}

std::u16string NoticeBoard::countdownText(int seconds) {
    if (seconds <= 0) return {};
    if (seconds % 60 == 0) return formatText(uiText(20415), {seconds / 60});
    return formatText(uiText(20416), {seconds});
}

void AlarmMarks::show(int slot) {
    if (slot < 0 || slot >= kSlots) return;
    m_marks[static_cast<std::size_t>(slot)] = {true, true, 2};
}

void AlarmMarks::tick(int slot) {
    if (slot < 0 || slot >= kSlots) return;
    Mark& m = m_marks[static_cast<std::size_t>(slot)];
    if (!m.exists) return;
    m.visible = !m.visible;
    if (--m.count < 1) m = {};
}

bool AuxWindowList::show(const void* window) {
    if (contains(window)) return true;
    if (m_count >= kMaxWindows) return false;
    m_windows[static_cast<std::size_t>(m_count++)] = window;
    return true;
}

void AuxWindowList::hide(const void* window) {
    for (int i = 0; i < m_count; ++i) {
        if (m_windows[static_cast<std::size_t>(i)] != window) continue;
        for (int j = i + 1; j < m_count; ++j)
            m_windows[static_cast<std::size_t>(j - 1)] = m_windows[static_cast<std::size_t>(j)];
        --m_count;
        return;
    }
}

bool AuxWindowList::contains(const void* window) const {
    for (int i = 0; i < m_count; ++i)
        if (m_windows[static_cast<std::size_t>(i)] == window) return true;
    return false;
}

} // namespace stonewise
