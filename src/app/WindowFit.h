#pragma once

namespace stonewise {

// A window's place on the desktop.
struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const WindowRect&) const = default;
};

// The main window's place at start-up: the stored one when its left is above -1600 and its width
// positive, else 400, 32, 1000 × 768; then fitted to the desktop (moved in from the right and the
// bottom, shrunk to the desktop when still too large). Left and top are the outer corner of the
// window's frame; width and height its inside. This is what the settings keep.
WindowRect placeMainWindow(const WindowRect& stored, const WindowRect& desktop);

// The large window of "MOVIE": 1280 × 960 at the fitted place, for one run.
WindowRect largeMainWindow(const WindowRect& fitted);

} // namespace stonewise
