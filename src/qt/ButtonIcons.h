#pragma once

#include <QIcon>

namespace stonewise {

// The picture of a tool button, drawn for any screen density; the disabled look comes from the icon.
QIcon buttonIcon(int picture);

// Starts drawing the pictures of every bar at their usual size on another thread (called once,
// early in start-up, after the application object exists).
void prefetchButtonIcons();
// Stops that drawing after the picture in hand, waits for it and lets its pictures go; called
// before the application object goes, since the drawing uses it. Icons drawn later draw themselves.
void endButtonIconPrefetch();

} // namespace stonewise
