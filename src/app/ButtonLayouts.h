#pragma once

#include <string_view>
#include <vector>

#include "app/FunctionModes.h"

namespace stonewise {

// How a tool button looks.
enum class ButtonKind { Hidden = 0, Picture = 1, Text = 2, Template = 3 };

// One button of a tool-button bar.
struct ButtonEntry {
    ButtonKind kind = ButtonKind::Picture;
    int control = 0;             // the button's id in its bar
    int command = 0;             // sent when pressed (the control id when the layout names none)
    std::u16string_view text;    // the caption of a text or template button
    std::u16string_view tooltip; // empty: asked for when shown
    int picture = 0;             // the picture's id (the control id of the button it was made for)
};

// The animation button's pictures while an animation runs and while it is paused (its idle
// picture is its own control id, like every button's).
constexpr int kPictureAnimationRunning = 42789;
constexpr int kPictureAnimationPaused = 42790;

// The buttons of the main bar and of the secondary bar for a layout, in order.
const std::vector<ButtonEntry>& mainBarButtons(BarLayout layout);
const std::vector<ButtonEntry>& secondaryBarButtons(BarLayout layout);

} // namespace stonewise
