#include "win32/HackbusterWindow.h"

#include "app/AccessibleNames.h"
#include "win32/DialogTemplate.h"
#include "win32/NamedAccessible.h"

#include <commctrl.h>

namespace rivetbay::win32 {

HWND HackbusterWindow::open(HINSTANCE instance, HWND owner)
{
    // At the editor's client corner, shown at once.
    const DialogTemplate form = templateOf(HackbusterForm::form(), WS_VISIBLE, L"");
    return CreateDialogIndirectParamW(instance, form.get(), owner, &HackbusterWindow::procedure, 0);
}

INT_PTR CALLBACK HackbusterWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ListView_SetBkColor(GetDlgItem(window, listId), background);
        for (const WindowControl& c : HackbusterForm::form().controls)
            if (const AccessibleName* spoken = AccessibleNames::hackbusterControl(c.id))
                nameForScreenReaders(GetDlgItem(window, c.id), spoken->name);
        return TRUE; // the focus on "OK"
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) DestroyWindow(window);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace rivetbay::win32
