#pragma once

// The Hackbuster window: an empty list on a dark background and "OK". Each
// one is modeless, owns itself and goes with the editor that owns it.

#include "app/WindowForms.h"

#include <windows.h>

namespace rivetbay::win32 {

class HackbusterWindow {
public:
    static constexpr int listId = HackbusterForm::listId;
    static constexpr COLORREF background =
        RGB(HackbusterForm::background.red, HackbusterForm::background.green, HackbusterForm::background.blue);

    // One more window over `owner`, shown at once.
    static HWND open(HINSTANCE instance, HWND owner);

private:
    HackbusterWindow() = default;
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace rivetbay::win32
