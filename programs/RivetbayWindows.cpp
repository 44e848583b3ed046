// Rivetbay: the editor for I'76 Nitro cars, as a native Windows program.

#include "app/CommandLine.h"
#include "app/ExportToGame.h"
#include "files/TextEncoding.h"
#include "win32/AboutWindow.h"
#include "win32/EditorWindow.h"
#include "win32/HackbusterWindow.h"
#include "win32/Win32Services.h"
#include "win32/WideText.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace rivetbay;

namespace {

// The executable's file name without its extension: the caption of the error boxes.
std::string applicationName()
{
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return utf8FromPath(std::filesystem::path(path).stem());
}

// The arguments as the platform splits them, in UTF-8 for the core.
std::vector<std::string> arguments()
{
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 1; i < count; ++i) out.push_back(win32::utf8(split[i]));
    LocalFree(split);
    return out;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // The common controls and the three-dimensional look, and embedded
    // controls for the About window's web view.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);

    const std::string name = applicationName();
    // The file type's commands name the settings' folder the Start-menu
    // shortcut starts in: a car opened from Explorer leaves no settings beside it.
    std::error_code ec;
    const EditorLaunch launch = launchFrom(arguments(), std::filesystem::current_path(ec), {});
    if (launch.moves) std::filesystem::current_path(launch.startDirectory, ec); // "." in the settings means there
    win32::Win32Services services;
    if (launch.exportToGame) {
        const int status = exportToGame(launch.file, launch.startDirectory, services, name);
        OleUninitialize();
        return status;
    }
    win32::EditorWindow editor(instance, services, {launch.startDirectory, launch.file, name});
    editor.setWindows({
        [&](HWND owner) { win32::AboutWindow(instance, services, name).run(owner); },
        [&](HWND owner) { win32::HackbusterWindow::open(instance, owner); },
        [&](HWND window) { services.setOwner(window); }, // the first start's dialogs are its own
    });
    if (!editor.create(true)) return 1;
    const int code = editor.run();
    OleUninitialize();
    return code;
}
