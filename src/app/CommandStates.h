#pragma once

#include <array>
#include <cstdint>

#include "app/ButtonLayouts.h"
#include "view/AnimationTarget.h"

namespace stonewise {

class CIgoBoard;
class FunctionModes;

// Where a command of the state table appears.
enum CommandPlace : std::uint16_t {
    kInMainMenu = 1,
    kInToolbar = 2,
    kOnPanelButton = 4,
    kOnMainBar = 8,
    kOnSecondaryBar = 16,
};

// The enabled and checked state of the commands whose state is kept (the 60 the program has always
// carried, and "元のモードに戻る", which only returns from the finished-games view), recomputed from
// the board, the mode and the clipboard after every operation that may change them. A command not
// in the table is always enabled and never checked.
class CommandStates {
public:
    static constexpr int kCount = 61;

    struct Entry {
        int command = 0;
        std::uint16_t places = 0;
        bool checked = false;
        bool enabled = true;
    };

    CommandStates();

    // Recomputes every entry; returns true when any state changed.
    bool refresh(const CIgoBoard& board, const FunctionModes* modes, bool clipboardHasText, bool mainBoard = true);
    bool enabled(int command) const;
    bool checked(int command) const;
    // Whether an entry of the board's right-click menu can be chosen at point (x, y) (-1, -1: the
    // menu was opened off the board): the table's state with what the point allows.
    bool enabledAtPoint(int command, const CIgoBoard& board, int x, int y) const;
    const Entry* find(int command) const;
    // Whether an animation runs, is paused or none runs, as of the last refresh.
    AnimationState animation() const { return m_animation; }
    // The picture a button shows now: the animation button's running or paused picture while an
    // animation runs or is paused, else the button's own.
    int picture(const ButtonEntry& button) const;
    const std::array<Entry, kCount>& entries() const { return m_entries; }
    // Whether the study board is on the screen (its sequence can be taken over).
    void setStudyBoardOpen(bool open) { m_studyBoardOpen = open; }

private:
    std::array<Entry, kCount> m_entries{};
    AnimationState m_animation = AnimationState::Idle;
    bool m_studyBoardOpen = false;
};

} // namespace stonewise
