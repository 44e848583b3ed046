// Waits for a window of the given caption, prints the text it shows (a
// message box's), and closes it with its close box, as a player may answer
// a box of one button. Exits 1 when none came within two minutes.
//   answer-window.exe CAPTION

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const std::wstring& text)
{
    std::string out(static_cast<std::size_t>(text.size() * 3 + 1), '\0');
    out.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                                            out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
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
    std::fprintf(stderr, "no window \"%s\" came; these are shown:\n", utf8(argv[1]).c_str());
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
