// The native editor window behind the shared window scenarios, created hidden
// and driven with the messages the controls and the keyboard send.

#include "win32/AboutWindow.h"
#include "win32/EditorWindow.h"
#include "win32/HackbusterWindow.h"
#include "win32/NamedAccessible.h"
#include "win32/WideText.h"
#include "win32/Win32Services.h"

#include "window/WindowProbe.h"
#include "StartFolder.h"

#include <oleacc.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <functional>
#include <map>

namespace rivetbay::testkit {
namespace {

using win32::utf8;
using win32::wide;

// Files dropped as the shell drops them: a DROPFILES block of wide paths.
HDROP dropOf(const std::vector<std::filesystem::path>& paths)
{
    std::wstring list;
    for (const auto& p : paths) list += p.native() + L'\0';
    list += L'\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(block));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t*>(files + 1));
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

std::wstring kindOf(HWND window)
{
    wchar_t kind[64] = {};
    return GetClassNameW(window, kind, 64), kind;
}

std::array<int, 4> rectOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

void pump()
{
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
}

// Acts on the window `find` returns once it shows, from inside the loop that
// shows it, or on none at a deadline only a failing test meets; `show` opens it.
void whenShown(const std::function<HWND()>& find, const std::function<void(HWND)>& act, const std::function<void()>& show)
{
    static std::function<void(UINT_PTR)> tick;
    int ticks = 0;
    tick = [&](UINT_PTR timer) {
        HWND shown = find();
        if (!shown && ++ticks < 3000) return;
        KillTimer(nullptr, timer);
        act(shown);
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) { tick(id); });
    show();
    KillTimer(nullptr, timer), tick = nullptr;
}

class NativeProbe final : public WindowProbe {
public:
    NativeProbe(FakeServices& services, const std::filesystem::path& folder, const std::filesystem::path& car)
        : services_(services), dir_(folder), dialog_(GetModuleHandleW(nullptr), services, EditorStart{folder, car, "Rivetbay"})
    {
        // An About window, modal as the real one: its loop takes what the key left queued.
        dialog_.setWindows({[this](HWND) { ++abouts_, pump(); },
                            [](HWND owner) { win32::HackbusterWindow::open(GetModuleHandleW(nullptr), owner); },
                            {}});
        window_ = dialog_.create(false);
    }

    Editor& editor() override { return dialog_.editor(); }

    bool shown() override { return IsWindow(window_); }
    bool enabled(const char* control) override { return IsWindowEnabled(item(control)); }
    std::string text(const char* control) override { return dialog_.text(idOf(control)); }
    int selection(const char* list) override { return dialog_.selection(idOf(list)); }
    int caret(const char*) override { return LOWORD(SendMessageW(dialog_.nameEdit(), EM_GETSEL, 0, 0)); }
    bool tipShown() override
    {
        for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));)
            if (IsWindowVisible(tip)) return true;
        return false;
    }
    std::vector<std::string> menu() override
    {
        std::vector<std::string> lines;
        whenShown([] { return FindWindowW(L"#32768", nullptr); }, [&](HWND open) {
            HMENU menu = open ? reinterpret_cast<HMENU>(SendMessageW(open, 0x01E1 /* MN_GETHMENU */, 0, 0)) : nullptr;
            for (int at = 0; menu && at < GetMenuItemCount(menu); ++at) {
                wchar_t text[64] = {};
                GetMenuStringW(menu, at, text, 64, MF_BYPOSITION);
                const UINT state = GetMenuState(menu, at, MF_BYPOSITION);
                lines.push_back(state & MF_SEPARATOR ? "-" : utf8(text) + (state & MF_GRAYED ? " (grey)" : ""));
            }
            EndMenu();
        }, [&] { SendMessageW(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), MAKELPARAM(-1, -1)); }); // from the keyboard
        return lines;
    }
    int aboutsShown() override { return abouts_; }

    std::vector<std::string> spoken(Window window, const char* control) override
    {
        HWND found = window == Window::About && std::string_view(control) == "browser" // the page: the browser's own window
                         ? FindWindowExW(in(window), nullptr, L"Shell Embedding", nullptr)
                         : item(window, control);
        return found ? std::vector<std::string>{name(found)} : std::vector<std::string>{};
    }
    std::vector<std::string> spokenControls() override
    {
        std::vector<std::string> names;
        for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) && kindOf(child) != L"Static") names.push_back(name(child));
        }
        return names;
    }

    std::string shownText(Window window, const char* control) override
    {
        return windowText(control ? item(window, control) : in(window));
    }
    std::string alignment(const char* control) override
    {
        const LONG style = GetWindowLongW(item(control), GWL_STYLE) & (ES_RIGHT | ES_CENTER);
        return style == ES_RIGHT ? "right" : style == ES_CENTER ? "centre" : "left";
    }
    std::array<int, 3> background(Window window, const char* control) override
    {
        const COLORREF c = ListView_GetBkColor(item(window, control));
        return {GetRValue(c), GetGValue(c), GetBValue(c)};
    }
    std::array<int, 4> place(Window window, const char* control) override
    {
        RECT at;
        if (!control) return GetClientRect(in(window), &at), std::array<int, 4>{0, 0, at.right, at.bottom};
        HWND shown = item(window, control);
        GetWindowRect(shown, &at);
        if (kindOf(shown) == L"ComboBox") {
            RECT dropped{}; // on the screen, as the window's own place
            SendMessageW(shown, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            at.bottom = dropped.bottom;
        }
        MapWindowPoints(nullptr, in(window), reinterpret_cast<POINT*>(&at), 2);
        return rectOf(at);
    }
    std::array<int, 4> pixels(Window window, DialogRect units) override
    {
        RECT at{units.x, units.y, units.w, units.h};
        MapDialogRect(in(window), &at);
        return {at.left, at.top, at.right, at.bottom};
    }
    int hackbusters() override { return static_cast<int>(hackbusterWindows().size()); }
    void closeFirstHackbuster() override { SendMessageW(hackbusterWindows().at(0), WM_COMMAND, IDOK, 0); }

    Placed aboutOpened(bool atEdge) override
    {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT work = monitor.rcWork;
        SetWindowPos(window_, nullptr, atEdge ? work.right - 100 : work.left + 40, atEdge ? work.bottom - 80 : work.top + 60,
                     0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        about_.reset(); // a fresh one, over the editor where it now stands
        HWND about = in(Window::About);
        RECT frame;
        GetWindowRect(about, &frame);
        POINT inside{0, 0}, editor{0, 0};
        ClientToScreen(about, &inside), ClientToScreen(window_, &editor);
        return {rectOf(frame), rectOf(work), {inside.x, inside.y}, {editor.x, editor.y}};
    }
    std::array<std::array<int, 4>, 2> dialogOverEditor(bool fileDialog) override
    {
        SetWindowPos(window_, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW); // off the middle
        win32::Win32Services real;
        real.setOwner(window_);
        RECT box{}, editor;
        whenShown([] { return FindWindowW(L"#32770", L"Rivetbay"); },
                  [&](HWND shown) { if (shown) GetWindowRect(shown, &box), PostMessageW(shown, WM_COMMAND, IDCANCEL, 0); },
                  [&] {
                      if (fileDialog) (void)real.chooseFile({.title = "Rivetbay", .directory = dir_});
                      else real.showMessage(MessageIcon::Information, "Rivetbay", "A box over the editor.");
                  });
        GetWindowRect(window_, &editor);
        return {rectOf(box), rectOf(editor)};
    }

    void choose(const char* list, int index) override
    {
        SendMessageW(item(list), CB_SETCURSEL, index, 0);
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(idOf(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(item(list)));
    }
    void click(const char* control) override { SendMessageW(item(control), BM_CLICK, 0, 0); }
    void arrow(const char* arrows, bool more, Press how) override
    {
        HWND pair = item(arrows);
        const bool across = GetWindowLongW(pair, GWL_STYLE) & UDS_HORZ;
        RECT box;
        GetClientRect(pair, &box);
        const LPARAM at = across ? MAKELPARAM(more ? box.right * 3 / 4 : box.right / 4, box.bottom / 2)
                                 : MAKELPARAM(box.right / 2, more ? box.bottom / 4 : box.bottom * 3 / 4);
        const bool doubles = GetClassLongPtrW(pair, GCL_STYLE) & CS_DBLCLKS;
        SendMessageW(pair, how == Press::DoubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at);
        // The steps the control would report: a double click where its class
        // takes none, and a held press's repeats. The up or right one proposes -1.
        const int repeats = (how == Press::DoubleClick && !doubles) + (how == Press::Hold ? 2 : 0);
        for (int k = 0; k < repeats; ++k) {
            NMUPDOWN change{};
            change.hdr = {pair, static_cast<UINT_PTR>(GetDlgCtrlID(pair)), UDN_DELTAPOS};
            change.iDelta = more ? -1 : 1;
            SendMessageW(GetParent(pair), WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
        }
        SendMessageW(pair, WM_LBUTTONUP, 0, at);
        pump(); // what the press left to show once it was over
    }
    void key(const char* control, Chord chord) override
    {
        HWND to = edit(control);
        SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(to), TRUE); // a window's keys go to its focus
        std::array<BYTE, 256> keys{};
        keys[VK_CONTROL] = chord.control ? 0x80 : 0;
        keys[VK_SHIFT] = chord.shift ? 0x80 : 0;
        keys[VK_MENU] = chord.alt ? 0x80 : 0;
        SetKeyboardState(keys.data());
        const WPARAM code = virtualKey(chord.key);
        const bool system = chord.alt && !chord.control; // Alt alone makes a system key
        MSG message{to, static_cast<UINT>(system ? WM_SYSKEYDOWN : WM_KEYDOWN), code, 1 | (chord.alt ? 1 << 29 : 0),
                    static_cast<DWORD>(GetMessageTime()), {}};
        if (code == VK_F1) PostMessageW(to, 0x004D, 0, 0); // as the system posts it when F1 is taken
        dialog_.deliver(message);
        if (chord.typed) // what an AltGr layout's translation would post
            for (const wchar_t unit : wide(chord.typed)) PostMessageW(to, WM_CHAR, unit, 1);
        for (MSG posted; PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE);) dialog_.deliver(posted);
        SetKeyboardState(std::array<BYTE, 256>{}.data());
    }
    void heldKey(const char* field, int key, Repeat which) override
    {
        // A key message's time is that of the message taken last: one posted
        // before the step began stands for a repeat that waited behind it.
        constexpr UINT early = WM_APP + 10, now = WM_APP + 11;
        if (which == Repeat::First) {
            PostThreadMessageW(GetCurrentThreadId(), early, 0, 0);
            for (const DWORD posted = GetTickCount(); GetTickCount() == posted;) Sleep(1); // the clock moved on: stamps differ
        }
        if (which != Repeat::QueuedBehindTheStep) PostThreadMessageW(GetCurrentThreadId(), now, 0, 0);
        const UINT stamp = which == Repeat::QueuedBehindTheStep ? early : now;
        MSG taken;
        PeekMessageW(&taken, nullptr, stamp, stamp, PM_REMOVE);
        const LPARAM repeat = which == Repeat::First ? 1 : 1 | (1 << 30); // the key was already down
        SendMessageW(item(field), WM_KEYDOWN, virtualKey(key), repeat);
    }
    void type(const char* control, const std::string& text) override
    {
        for (const wchar_t unit : wide(text)) SendMessageW(edit(control), WM_CHAR, unit, 1);
    }
    void paste(const char* control, const std::string& text) override { dialog_.insertIntoName(edit(control), wide(text)); }
    void setText(const char* control, const std::string& text, int caret) override
    {
        SetWindowTextW(edit(control), wide(text).c_str());
        SendMessageW(edit(control), EM_SETSEL, caret, caret);
        dialog_.hideNameTip();
    }
    void drop(const std::vector<std::filesystem::path>& files) override
    {
        SendMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(files)), 0);
    }

private:
    std::vector<HWND> hackbusterWindows()
    {
        std::vector<HWND> found;
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr));)
            if (GetWindow(w, GW_OWNER) == window_ && GetDlgItem(w, HackbusterForm::listId)) found.push_back(w);
        return found;
    }
    HWND in(Window window)
    {
        if (window == Window::About && !about_) {
            about_ = std::make_unique<win32::AboutWindow>(GetModuleHandleW(nullptr), services_, "Rivetbay");
            about_->create(window_);
        }
        if (window == Window::Hackbuster) return hackbusterWindows().empty() ? nullptr : hackbusterWindows()[0];
        return window == Window::About ? about_->window() : window_;
    }
    HWND item(Window window, const char* control)
    {
        if (window == Window::Editor) return item(control);
        for (const WindowControl& c : (window == Window::About ? AboutForm::form() : HackbusterForm::form()).controls)
            if (std::string_view(control) == c.name) return GetDlgItem(in(window), c.id);
        return nullptr;
    }
    static std::string windowText(HWND window)
    {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        return utf8(text);
    }
    // Through oleacc, as a screen reader asks.
    static std::string name(HWND control)
    {
        IAccessible* reader = nullptr;
        if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, win32::accessibleInterfaceId, reinterpret_cast<void**>(&reader))))
            return "(no object)";
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        const bool named = reader->get_accName(self, &name) == S_OK && name;
        reader->Release();
        const std::string text = named ? utf8(name) : "(no name)";
        SysFreeString(name);
        return text;
    }
    static WPARAM virtualKey(int key)
    {
        static const std::map<int, WPARAM> keys{{F1, VK_F1}, {Escape, VK_ESCAPE}, {Left, VK_LEFT},
                                                {Up, VK_UP}, {Right, VK_RIGHT}, {Down, VK_DOWN}, {Return, VK_RETURN}};
        return keys.count(key) ? keys.at(key) : static_cast<WPARAM>(key);
    }
    HWND item(const char* control) // the editor's, or else an About window's
    {
        for (const FormControl& c : EditorForm::controls())
            if (c.name == std::string_view(control)) return GetDlgItem(window_, c.id);
        return item(Window::About, control);
    }
    HWND edit(const char* control)
    {
        return std::string_view(control) == "nameBox" ? dialog_.nameEdit() : item(control);
    }

    FakeServices& services_;
    std::filesystem::path dir_;
    win32::EditorWindow dialog_;
    std::unique_ptr<win32::AboutWindow> about_;
    HWND window_ = nullptr;
    int abouts_ = 0;
};

} // namespace

std::unique_ptr<WindowProbe> startWindow(FakeServices& services, const std::filesystem::path& folder,
                                         const std::filesystem::path& commandLine)
{
    return std::make_unique<NativeProbe>(services, folder, commandLine);
}

} // namespace rivetbay::testkit
