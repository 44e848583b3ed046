#pragma once

// A control's name for screen readers, served by the program. Windows' own
// proxy names a control from the label created before it, and every label
// here comes after its control (the form's order), while Wine's names a list
// by its current item; so each control answers WM_GETOBJECT itself, with the
// standard object Windows makes for it and the table's name in place of its own.

#include <windows.h>

#include <guiddef.h>

namespace rivetbay::win32 {

// The IAccessible interface's id. Defined here: mingw-w64's import library
// resolves its own to an import thunk, and every call then fails.
inline constexpr GUID accessibleInterfaceId = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// Until the control is destroyed; nothing for a null name.
void nameForScreenReaders(HWND control, const char* name);

} // namespace rivetbay::win32
