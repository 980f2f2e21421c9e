#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "record/RecordNode.h"

namespace stonewise {

// What the animation tool button shows.
enum class AnimationState : std::uint8_t { Idle, Running, Paused };

// One move shown by an animation step.
struct AnimatedMove {
    bool stone = false; // a stone was placed (false for a pass)
    int x = 0;
    int y = 0;
    Colour colour = kEmpty;
    int captured = 0; // stones the move took off the board
};

// The board window as an animation sees it: the displayed move, the moves of the variation shown,
// drawing and the window's texts. A board window implements it; the animation owns no record.
class AnimationTarget {
public:
    virtual ~AnimationTarget() = default;

    // The displayed-move setting: the move the position is shown up to, -1 for the end of the path.
    virtual int displayedMove() const = 0;
    // The last move number of the variation being shown.
    virtual int totalMoves() const = 0;
    // Shows move n of the variation being shown as the next step of a playback: places its stone
    // with its captures (its display number counted from the start of its variation when branch
    // numbering is on), makes n the displayed move, updates the last-move mark, the counters and
    // the move list, and draws the changed points. Nothing when the path has no move n.
    virtual std::optional<AnimatedMove> showAnimatedMove(int moveNumber) = 0;
    // Sets the displayed-move setting back to `setting` (-1: the end) and rebuilds the position.
    virtual void restoreDisplayedMove(int setting) = 0;

    // The point (x, y) needs painting again (a fading stone).
    virtual void drawPoint(int x, int y) = 0;
    // The whole board needs painting again.
    virtual void redrawAll() = 0;
    // The move list and the information panels show the window's state again.
    virtual void refreshPanels() = 0;
    // The window's busy flag: while it is set, most commands only stop the playback.
    virtual void setBusy(bool busy) = 0;
    // The window's status text.
    virtual void setStatusText(std::u16string_view text) = 0;
    // The standard information beep.
    virtual void beep() = 0;
    // A numbered text of the interface language.
    virtual std::u16string text(int id) const = 0;
    // The animation tool button shows its idle, running or paused picture.
    virtual void showAnimationState(AnimationState state) = 0;
};

} // namespace stonewise
