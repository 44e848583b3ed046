#include "win32/Win32Services.h"

#include "app/WindowPlacement.h"
#include "win32/WideText.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace rivetbay::win32 {

namespace {

// "label\0patterns\0...\0\0", as the common dialogs take a filter.
std::wstring filterText(const std::vector<FileFilter>& filters)
{
    std::wstring text;
    for (const FileFilter& filter : filters) {
        text += wide(filter.label);
        text += L'\0';
        text += wide(filter.patterns);
        text += L'\0';
    }
    text += L'\0';
    return text;
}

enum ButtonId { saveButton = 100, discardButton = 101 };

// Windows puts a message box, and a file dialog, in the middle of the
// screen; the player is looking at the editor. While one lives, the first
// window its owner gets activated is moved over the owner's middle (kept
// wholly on the owner's screen).
class OverTheOwner {
public:
    explicit OverTheOwner(HWND owner) : owner_(owner), outer_(active)
    {
        if (owner_) hook_ = SetWindowsHookExW(WH_CBT, &activating, nullptr, GetCurrentThreadId());
        active = this;
    }
    ~OverTheOwner()
    {
        if (hook_) UnhookWindowsHookEx(hook_);
        active = outer_;
    }
    OverTheOwner(const OverTheOwner&) = delete;
    OverTheOwner& operator=(const OverTheOwner&) = delete;

private:
    static LRESULT CALLBACK activating(int code, WPARAM wParam, LPARAM lParam)
    {
        auto* shown = reinterpret_cast<HWND>(wParam);
        OverTheOwner* self = active;
        if (code == HCBT_ACTIVATE && self && self->hook_ && GetWindow(shown, GW_OWNER) == self->owner_) {
            RECT owner, box;
            GetWindowRect(self->owner_, &owner);
            GetWindowRect(shown, &box);
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            GetMonitorInfoW(MonitorFromWindow(self->owner_, MONITOR_DEFAULTTONEAREST), &monitor);
            const RECT& w = monitor.rcWork;
            const int width = box.right - box.left, height = box.bottom - box.top;
            const ScreenRect placed = keepOnScreen({w.left, w.top, w.right - w.left, w.bottom - w.top},
                                                   {(owner.left + owner.right - width) / 2,
                                                    (owner.top + owner.bottom - height) / 2, width, height});
            SetWindowPos(shown, nullptr, placed.x, placed.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            UnhookWindowsHookEx(self->hook_);
            self->hook_ = nullptr;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline OverTheOwner* active = nullptr; // on the one thread that shows dialogs
    HWND owner_;
    OverTheOwner* outer_;
    HHOOK hook_ = nullptr;
};

// The common dialogs fail on an initial folder of MAX_PATH characters or
// more (Wine's crashes): the nearest shorter folder above it, or none.
std::wstring initialFolder(std::filesystem::path folder)
{
    while (folder.native().size() >= MAX_PATH) {
        std::filesystem::path above = folder.parent_path();
        if (above == folder) return {};
        folder = std::move(above);
    }
    return folder.native();
}

} // namespace

HWND Win32Services::parent() const
{
    HWND active = GetActiveWindow();
    return active ? active : owner_;
}

void setUpFileDialog(const FileDialogRequest& request, HWND owner, FileDialogSetup& setup)
{
    setup.title = wide(request.title);
    setup.filter = filterText(request.filters);
    setup.suffix = wide(request.defaultSuffix);
    setup.directory = initialFolder(request.directory);
    setup.file.assign(32768, L'\0'); // long paths as well
    const std::wstring proposed = wide(request.fileName);
    proposed.copy(setup.file.data(), std::min(proposed.size(), setup.file.size() - 1));

    OPENFILENAMEW& dialog = setup.dialog;
    dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = setup.filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = setup.file.data();
    dialog.nMaxFile = static_cast<DWORD>(setup.file.size());
    dialog.lpstrInitialDir = setup.directory.empty() ? nullptr : setup.directory.c_str();
    dialog.lpstrTitle = setup.title.c_str();
    dialog.lpstrDefExt = setup.suffix.empty() ? nullptr : setup.suffix.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    // Open: the folder must exist, the file need not (the load reports it);
    // its read-only box is shown and ignored.
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    dialog.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_PATHMUSTEXIST;
}

CloseAnswer closeAnswerFromBox(int pressed)
{
    switch (pressed) {
    case IDYES:
        return CloseAnswer::Save;
    case IDNO:
        return CloseAnswer::Discard;
    default:
        return CloseAnswer::Cancel;
    }
}

std::optional<std::filesystem::path> Win32Services::chooseFile(const FileDialogRequest& request)
{
    FileDialogSetup setup;
    setUpFileDialog(request, parent(), setup);
    const OverTheOwner centred(setup.dialog.hwndOwner);
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    const BOOL chosen = save ? GetSaveFileNameW(&setup.dialog) : GetOpenFileNameW(&setup.dialog);
    if (!chosen) return std::nullopt;
    return std::filesystem::path(setup.file.data());
}

void Win32Services::showMessage(MessageIcon icon, const std::string& caption,
                                const std::string& text)
{
    const UINT kind = icon == MessageIcon::Stop ? MB_ICONSTOP : MB_ICONINFORMATION;
    const OverTheOwner centred(parent());
    MessageBoxW(parent(), wide(text).c_str(), wide(caption).c_str(), MB_OK | kind);
}

CloseAnswer Win32Services::askToSave(const std::string& caption, const std::string& text)
{
    const std::wstring title = wide(caption), question = wide(text);
    const TASKDIALOG_BUTTON buttons[] = {{saveButton, L"&Save"}, {discardButton, L"&Discard"}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = parent();
    // Escape and the close box: Cancel; over the editor, not the screen's middle.
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = TD_WARNING_ICON;
    config.pszContent = question.c_str();
    config.cButtons = ARRAYSIZE(buttons);
    config.pButtons = buttons;
    config.nDefaultButton = saveButton;
    int pressed = IDCANCEL;
    if (SUCCEEDED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) {
        if (pressed == saveButton) return CloseAnswer::Save;
        if (pressed == discardButton) return CloseAnswer::Discard;
        return CloseAnswer::Cancel;
    }
    // Without the task dialog: the same question with Yes, No and Cancel.
    const OverTheOwner centred(config.hwndParent);
    return closeAnswerFromBox(MessageBoxW(parent(),
                                          (question + L"\n\nYes saves, No discards the changes.").c_str(),
                                          title.c_str(), MB_YESNOCANCEL | MB_ICONWARNING));
}

void Win32Services::pushWaitCursor()
{
    if (waiting_++ == 0) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void Win32Services::popWaitCursor()
{
    if (--waiting_ == 0) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

} // namespace rivetbay::win32
