#include "win32/HackbusterDialog.h"

#include "win32/DialogTemplate.h"

#include <commctrl.h>

namespace rivetbay::win32 {

HWND HackbusterDialog::open(HINSTANCE instance, HWND owner)
{
    // Resizable, its controls keep their places; at the editor's client corner.
    DialogTemplate form(L"  Rivetbay  :  Hackbuster",
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE, 0,
                        {0, 0, 205, 129}, L"Lucida Console", 14);
    form.add(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 0, IDOK,
             {158, 108, 44, 16});
    form.add(WC_LISTVIEWW, L"", LVS_REPORT | WS_BORDER | WS_TABSTOP | WS_VISIBLE, 0, listId,
             {4, 4, 198, 100});
    return CreateDialogIndirectParamW(instance, form.get(), owner, &HackbusterDialog::procedure, 0);
}

INT_PTR CALLBACK HackbusterDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ListView_SetBkColor(GetDlgItem(window, listId), background);
        return TRUE; // the focus on "OK"
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) DestroyWindow(window);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace rivetbay::win32
