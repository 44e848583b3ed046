#include "win32/AboutWindow.h"

#include "app/AccessibleNames.h"
#include "app/WindowPlacement.h"
#include "win32/DialogTemplate.h"
#include "win32/NamedAccessible.h"
#include "win32/WideText.h"

#include <commctrl.h>

namespace rivetbay::win32 {

namespace {

// Placed at the editor's client corner, as the template's 0, 0 means.
DialogTemplate aboutTemplate()
{
    return templateOf(AboutForm::form(), 0, wide(AboutForm::text("Native Windows build")));
}

// The folder of the running program, ending in a separator.
std::wstring programFolder()
{
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

} // namespace

AboutWindow::AboutWindow(HINSTANCE instance, UiServices& services, std::string applicationName,
                         std::unique_ptr<CBrowser> browser)
    : instance_(instance), services_(services), applicationName_(std::move(applicationName)),
      browser_(std::move(browser))
{
}

AboutWindow::~AboutWindow()
{
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

INT_PTR AboutWindow::run(HWND owner)
{
    modal_ = true;
    const DialogTemplate form = aboutTemplate();
    return DialogBoxIndirectParamW(instance_, form.get(), owner, &AboutWindow::procedure,
                                   reinterpret_cast<LPARAM>(this));
}

HWND AboutWindow::create(HWND owner)
{
    const DialogTemplate form = aboutTemplate();
    CreateDialogIndirectParamW(instance_, form.get(), owner, &AboutWindow::procedure,
                               reinterpret_cast<LPARAM>(this));
    return browser_->created() ? window_ : nullptr;
}

INT_PTR CALLBACK AboutWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<AboutWindow*>(lParam)->window_ = window;
    }
    auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->handle(message, wParam, lParam) : FALSE;
}

bool AboutWindow::initialise()
{
    // At the editor's corner (the template's 0, 0), moved as little as keeps
    // it wholly on the screen and never larger than the work area: at a large
    // scale it is taller than the screen. The page view gives up what is lost.
    RECT outer;
    GetWindowRect(window_, &outer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& w = monitor.rcWork;
    const ScreenRect placed = keepOnScreen({w.left, w.top, w.right - w.left, w.bottom - w.top},
                                           {outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top});
    SetWindowPos(window_, nullptr, placed.x, placed.y, placed.width, placed.height, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND place = GetDlgItem(window_, browserId);
    RECT at;
    GetWindowRect(place, &at);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&at), 2);
    at.right -= (outer.right - outer.left) - placed.width;
    at.bottom -= (outer.bottom - outer.top) - placed.height;
    MoveWindow(place, at.left, at.top, at.right - at.left, at.bottom - at.top, FALSE);
    if (!browser_->create(window_, at)) return false;
    for (const WindowControl& c : AboutForm::form().controls)
        if (const AccessibleName* spoken = AccessibleNames::aboutControl(c.id))
            nameForScreenReaders(GetDlgItem(window_, c.id), spoken->name);
    // The page is the browser's own window, which takes the place's tab stop.
    nameForScreenReaders(FindWindowExW(window_, nullptr, L"Shell Embedding", nullptr),
                         AccessibleNames::aboutControl(browserId)->name);
    // The component names the program's folder; where it cannot (Wine), the
    // folder is found the platform's way.
    pageAddress_ = browser_->GetPath().value_or(programFolder()) + wide(AboutForm::page);
    report(browser_->Navigate(pageAddress_));
    return true;
}

INT_PTR AboutWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        if (!initialise()) end(-1); // no window, nothing reported
        return TRUE;                // the platform puts the focus on the default button
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            end(IDOK);
            break;
        case reloadId:
            report(browser_->Refresh());
            break;
        case stopId:
            report(browser_->Stop());
            break;
        }
        return TRUE;
    case showRefusal:
        showPendingRefusal();
        return TRUE;
    case WM_NOTIFY: {
        auto* change = reinterpret_cast<NMUPDOWN*>(lParam);
        if (change->hdr.idFrom != arrowsId || change->hdr.code != UDN_DELTAPOS) return FALSE;
        // The pair's backward default range: its left arrow proposes +1.
        if (change->iDelta == 1) report(browser_->GoBack());
        else if (change->iDelta == -1) report(browser_->GoForward());
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, 0);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void AboutWindow::report(const std::string& refusal)
{
    // Shown once the notification that brought it has returned: a box
    // opened inside the arrows' own notification lets them go on repeating
    // in its loop, one box over another. One refusal at a time.
    if (refusal.empty() || !refusal_.empty()) return;
    refusal_ = refusal;
    PostMessageW(window_, showRefusal, 0, 0);
}

void AboutWindow::showPendingRefusal()
{
    if (refusal_.empty()) return;
    services_.showMessage(MessageIcon::Stop, applicationName_, refusal_);
    refusal_.clear();
}

void AboutWindow::end(INT_PTR result)
{
    if (modal_) {
        EndDialog(window_, result);
    } else {
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

} // namespace rivetbay::win32
