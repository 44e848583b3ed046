#pragma once

namespace rivetbay {

// A place in dialog units: a quarter of the dialog font's average character
// width across, an eighth of its height down.
struct DialogRect {
    int x, y, w, h; // a list's h includes its dropped-down part
};

} // namespace rivetbay
