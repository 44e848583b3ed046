// Waits for a window of the given caption, prints the text it shows (a
// message box's), and closes it with its close box, as a player may answer
// a box of one button. Exits 1 when none came within two minutes.
//   answer-window.exe CAPTION
// With --through, walks a wizard of that caption as a player pressing Enter
// on each page would (its Next, Agree or Install button) until a page shows
// MARKER, then prints that page's texts and ends the wizard with that
// button, its boxes unticked first (a last page's "Start ...").
//   answer-window.exe --through MARKER CAPTION

#include "win32/WideText.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using rivetbay::win32::utf8;

// Says which windows are shown, for a run that did not find its own. Returns 1.
int shownWindows()
{
    std::fprintf(stderr, "these are shown:\n");
    EnumWindows(
        [](HWND window, LPARAM) {
            wchar_t title[256] = {}, text[1024] = {};
            GetWindowTextW(window, title, 256);
            GetDlgItemTextW(window, 0xFFFF, text, 1024);
            if (IsWindowVisible(window)) std::fprintf(stderr, "  \"%s\": %s\n", utf8(title).c_str(), utf8(text).c_str());
            return TRUE;
        },
        0);
    return 1;
}

// Every text of the window and of the controls within it, a line each.
std::wstring textsOf(HWND window)
{
    std::wstring texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM all) {
            wchar_t text[1024] = {};
            if (IsWindowVisible(child) && GetWindowTextW(child, text, 1024) > 0)
                *reinterpret_cast<std::wstring*>(all) += std::wstring(text) + L"\n";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// The shown window whose caption starts with `caption` (a wizard's adds its
// page's), or none.
HWND windowCaptioned(const std::wstring& caption)
{
    for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, nullptr); w; w = FindWindowExW(nullptr, w, nullptr, nullptr)) {
        wchar_t title[256] = {};
        GetWindowTextW(w, title, 256);
        if (IsWindowVisible(w) && std::wstring(title).starts_with(caption)) return w;
    }
    return nullptr;
}

// The wizard's page: the dialog within its window.
HWND pageOf(HWND wizard) { return FindWindowExW(wizard, nullptr, L"#32770", nullptr); }

int walkWizard(const wchar_t* marker, const wchar_t* caption)
{
    HWND pressedOn = nullptr; // each page's button is pressed once
    for (const ULONGLONG deadline = GetTickCount64() + 120000; GetTickCount64() < deadline; Sleep(100)) {
        HWND wizard = windowCaptioned(caption);
        if (!wizard) continue;
        // The page as it is now: the last page can come by itself (after the
        // install) between a look at the texts and a press.
        HWND page = pageOf(wizard);
        const std::wstring texts = textsOf(wizard);
        if (!page || page != pageOf(wizard)) continue;
        if (texts.find(marker) != std::wstring::npos) {
            std::printf("%s", utf8(texts).c_str());
            // Every box unticked; a control that is no box ignores the message.
            EnumChildWindows(wizard, [](HWND child, LPARAM) { return SendMessageW(child, BM_SETCHECK, BST_UNCHECKED, 0), TRUE; }, 0);
            PostMessageW(GetDlgItem(wizard, IDOK), BM_CLICK, 0, 0);
            return 0;
        }
        HWND next = GetDlgItem(wizard, IDOK);
        wchar_t label[64] = {};
        if (next) GetWindowTextW(next, label, 64);
        // Never Finish unread: that is the marker's page, or one the marker never came to.
        if (page != pressedOn && next && IsWindowEnabled(next) && std::wstring(label).find(L"Finish") == std::wstring::npos) {
            pressedOn = page;
            PostMessageW(next, BM_CLICK, 0, 0);
        }
    }
    std::fprintf(stderr, "no page showing \"%s\" came in \"%s\"\n", utf8(marker).c_str(), utf8(caption).c_str());
    return shownWindows();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"--through") return walkWizard(argv[2], argv[3]);
    if (argc != 2) return 2;
    // The window itself is waited for, looked for every 100 ms, until a deadline of two minutes
    // by the clock: on a busy machine it comes when the program is ready.
    for (const ULONGLONG deadline = GetTickCount64() + 120000; GetTickCount64() < deadline;) {
        HWND window = FindWindowW(nullptr, argv[1]);
        if (window && IsWindowVisible(window)) { // shown: whatever came before it has been answered
            wchar_t text[1024] = {};
            GetDlgItemTextW(window, 0xFFFF, text, 1024); // a message box's text
            std::printf("%s\n", utf8(text).c_str());
            PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "no window \"%s\" came\n", utf8(argv[1]).c_str());
    return shownWindows();
}
