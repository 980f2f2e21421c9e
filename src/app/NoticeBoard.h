#pragma once

#include <array>
#include <string>
#include <string_view>

namespace stonewise {

// The auto-closing notices: up to 10 at once, each in a slot. A new notice closes the open ones;
// one with a time counts down every second and closes itself at 0.
class NoticeBoard {
public:
    static constexpr int kSlots = 10;
    static constexpr std::size_t kMaxText = 400;

    struct Notice {
        bool open = false;
        std::u16string title;
        std::u16string text;
        int secondsLeft = 0; // 0: stays until closed
    };

    // Opens a notice; returns its slot, or -1 when the text is empty or no slot is free.
    int show(int seconds, std::u16string_view title, std::u16string_view text);
    // One second passed: counts every timed notice down; returns true when something changed.
    bool tickSecond();
    void close(int slot);
    void closeAll();

    const Notice& notice(int slot) const { return m_notices[static_cast<std::size_t>(slot)]; }
    // Text 20415 "%d 分後に自動的に閉じます。" for whole minutes, else 20416 "%d 秒後に自動的に閉じます。";
    // empty without a time.
    static std::u16string countdownText(int seconds);
    // How far a notice in `slot` is moved right and down from its default place, in pixels.
    static int offset(int slot) { return (slot * 5 - (slot >= 5 ? 50 : 0)) * 4; }

private:
    std::array<Notice, kSlots> m_notices{};
};

// The blinking alarm mark over a window: two slots; each mark blinks on a 250 ms timer that counts
// down from 2 and goes when the count falls below 1, or at a click.
class AlarmMarks {
public:
    static constexpr int kSlots = 2;
    static constexpr int kTickMilliseconds = 250;

    struct Mark {
        bool exists = false;
        bool visible = false;
        int count = 0;
    };

    // Shows a mark in `slot` (0 or 1), replacing the one there.
    void show(int slot);
    // One 250 ms tick for `slot`: toggles the mark; it goes when its count falls below 1.
    void tick(int slot);
    // A click on the mark removes it.
    void click(int slot) { m_marks[static_cast<std::size_t>(slot)] = {}; }
    const Mark& mark(int slot) const { return m_marks[static_cast<std::size_t>(slot)]; }

private:
    std::array<Mark, kSlots> m_marks{};
};

// The board's auxiliary windows (panels and pop-ups it shows): at most 4 at once.
class AuxWindowList {
public:
    static constexpr int kMaxWindows = 4;

    // Lists a window as shown; false (and nothing listed) when 4 are already listed. A window that is
    // already listed stays as it is (true).
    bool show(const void* window);
    void hide(const void* window);
    void hideAll() { m_count = 0; }
    int count() const { return m_count; }
    bool contains(const void* window) const;

    // Numbers of the message shown when a fifth window is asked for, and of its title.
    static constexpr int kLimitMessage = 20417;
    static constexpr int kLimitTitle = 20418;

private:
    std::array<const void*, kMaxWindows> m_windows{};
    int m_count = 0;
};

} // namespace stonewise
