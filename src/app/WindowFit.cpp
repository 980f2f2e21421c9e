#include "app/WindowFit.h"

namespace stonewise {

WindowRect placeMainWindow(const WindowRect& stored, const WindowRect& desktop) {
    WindowRect r{400, 32, 1000, 768};
    if (stored.left > -1600 && stored.width > 0) r = stored;
    const int right = desktop.left + desktop.width;
    const int bottom = desktop.top + desktop.height;
    if (r.left + r.width > right) {
        r.left = right - r.width;
        if (r.left < desktop.left) {
            r.left = desktop.left;
            r.width = desktop.width;
        }
    }
    if (r.top + r.height > bottom) {
        r.top = bottom - r.height - 32;
        if (r.top < desktop.top) {
            r.top = desktop.top;
            r.height = desktop.height - 32;
        }
    }
    return r;
}

WindowRect largeMainWindow(const WindowRect& fitted) { return {fitted.left, fitted.top, 1280, 960}; }

} // namespace stonewise
