#pragma once

// Where a window the editor opens goes on the screen, the same for every
// toolkit: rectangles in the screen's pixels, frames included.

namespace rivetbay {

struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// A window of `wanted` size and place (the editor's corner, say) moved as
// little as keeps it wholly inside `work`, the screen's work area, and made
// no larger than it: at a large scale a window may be taller than the
// screen, and its bottom, with its buttons, would never be seen. The caller
// gives what it lost to the part that may shrink.
ScreenRect keepOnScreen(const ScreenRect& work, const ScreenRect& wanted);

} // namespace rivetbay
