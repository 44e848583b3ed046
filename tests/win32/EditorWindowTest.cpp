// The native Windows editor, created hidden and driven with the messages the
// controls send, as Wine runs it without a display.

#include "files/VcfWriter.h"
#include "win32/AboutWindow.h"
#include "win32/EditorWindow.h"
#include "win32/HackbusterWindow.h"
#include "win32/WideText.h"
#include "win32/Win32Services.h"

#include "StartFolder.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cstdlib>
#include <process.h>
#include <map>
#include <memory>

namespace rivetbay::win32 {
namespace {

namespace Form = EditorForm;
using testkit::FakeServices;
using testkit::idOf;

struct WindowTest : ::testing::Test, testkit::StartFolder {
    HWND start(const std::filesystem::path& commandLine = {})
    {
        writeSettings();
        dialog_ = std::make_unique<EditorWindow>(GetModuleHandleW(nullptr), services_,
                                                 EditorStart{dir_.path(), commandLine, "Rivetbay"});
        // An About window, modal as the real one: its loop takes what the key left queued.
        dialog_->setWindows({[this](HWND) { ++abouts_; for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m); },
                             [](HWND owner) { HackbusterWindow::open(GetModuleHandleW(nullptr), owner); },
                             {}});
        return window_ = dialog_->create(false);
    }
    HWND item(int id) { return GetDlgItem(window_, id); }
    // One step of an arrow as the control reports it: the up or right one proposes -1.
    NMUPDOWN spin(int id, int delta)
    {
        NMUPDOWN change{};
        change.hdr = {item(id), static_cast<UINT_PTR>(id), UDN_DELTAPOS};
        change.iDelta = delta;
        SendMessageW(window_, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&change));
        return change;
    }
    std::unique_ptr<EditorWindow> dialog_;
    HWND window_ = nullptr;
    int abouts_ = 0;
};

// Made in the form's order, which is the Tab order, each with its id.
TEST_F(WindowTest, EveryControlIsMadeInTheFormsOrderWithItsId)
{
    ASSERT_NE(start(), nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES); // or no drop arrives
    HWND child = GetWindow(window_, GW_CHILD); // in creation order
    for (const FormControl& c : Form::controls()) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), c.id);
        const bool hidden = c.kind == ControlKind::HiddenButton;
        EXPECT_EQ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) == 0, hidden);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
    // Each side's arrows work on the field made just before them.
    for (const FormControl& c : Form::controls()) {
        if (!c.buddy || c.kind == ControlKind::Label) continue; // a label's is its list
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(item(c.id), UDM_GETBUDDY, 0, 0)), item(c.buddy)) << c.name;
    }
}

// What only this toolkit's controls and menus send.
TEST_F(WindowTest, TheNativeMessagesReachTheEditor)
{
    start();
    for (int k = 0; k < 40; ++k) spin(Form::transferSpin, -1);
    EXPECT_EQ(spin(Form::transferSpin, -1).iDelta, 0); // a refused transfer proposes nothing
    SetWindowTextW(item(Form::nameBox), L"Typed");
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(Form::nameBox, CBN_KILLFOCUS), 0); // leaving the box takes the name
    EXPECT_EQ(dialog_->editor().config().name, "Typed");
    SendMessageW(window_, WM_SYSCOMMAND, EditorCommands::aboutId, 0); // the system menu's (F1 and the button: the scenarios)
    EXPECT_EQ(abouts_, 1);
    HMENU system = GetSystemMenu(window_, FALSE);
    const int last = GetMenuItemCount(system) - 1;
    wchar_t entry[64] = {};
    GetMenuStringW(system, last, entry, 64, MF_BYPOSITION);
    EXPECT_EQ(utf8(entry), "&About Rivetbay");
    EXPECT_EQ(GetMenuItemID(system, last), 16u);
    EXPECT_EQ(GetMenuState(system, last - 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    // A hidden button cannot be pressed as assistive technology presses one.
    for (const int hidden : {Form::exportButton, Form::hackbusterButton}) SendMessageW(item(hidden), BM_CLICK, 0, 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir_ / "addon")); // no vehicle file written
    EXPECT_EQ(FindWindowW(nullptr, L"  Rivetbay  :  Hackbuster"), nullptr);
    // Escape closes an About window and a Hackbuster window, through their own dialog keys.
    AboutWindow about(GetModuleHandleW(nullptr), services_, "Rivetbay");
    for (HWND shown : {about.create(window_), HackbusterWindow::open(GetModuleHandleW(nullptr), window_)}) {
        MSG escape{GetDlgItem(shown, IDOK), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
        dialog_->deliver(escape);
        EXPECT_FALSE(IsWindow(shown));
    }
}

// The {big, small} icon the window holds, in pixels.
std::pair<int, int> iconsOf(HWND window)
{
    const auto width = [&](WPARAM which) {
        ICONINFO info{};
        if (!GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)), &info)) return 0L;
        BITMAP mask{}; // as wide as the icon
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        DeleteObject(info.hbmColor), DeleteObject(info.hbmMask);
        return mask.bmWidth;
    };
    return {width(ICON_BIG), width(ICON_SMALL)};
}

// The icons are those of the window's scale: at the start the system's, after
// a move to a monitor of another scale that monitor's, whatever the system's.
TEST_F(WindowTest, TheIconsAreThoseOfTheWindowsScale)
{
    const std::map<UINT, std::pair<int, int>> sizes{{96, {32, 16}}, {120, {40, 20}}, {144, {48, 24}}, {192, {64, 32}}};
    HDC screen = GetDC(nullptr);
    const auto system = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    const char* wanted = std::getenv("RIVETBAY_SYSTEM_DPI"); // the second process's scale
    ASSERT_TRUE(!wanted || system == std::stoul(wanted)) << system;
    start();
    EXPECT_EQ(iconsOf(window_), sizes.at(system));
    for (const auto& [dpi, icons] : sizes) {
        RECT at;
        GetWindowRect(window_, &at);
        SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&at));
        EXPECT_EQ(iconsOf(window_), icons) << dpi;
    }
}

// The same, and the About window on the screen, at a system scale of 144
// dots per inch (where it is taller than the screen): Wine reads the scale once
// as a process starts, so a second process of this program is started with it.
// Alone in the run (see the build), since the scale is the whole prefix's.
TEST(NativeScale, AtASystemScaleOf144TheIconsAndTheAboutWindowFitTheWindowsScale)
{
    const wchar_t* desktop = L"Control Panel\\Desktop";
    DWORD before = 0, size = sizeof before;
    const bool had = RegGetValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &before, &size) == ERROR_SUCCESS;
    const auto setScale = [&](DWORD dpi) { RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &dpi, sizeof dpi); };
    setScale(144);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    SetEnvironmentVariableW(L"RIVETBAY_SYSTEM_DPI", L"144");
    const auto child = reinterpret_cast<HANDLE>(_wspawnl(_P_NOWAIT, self, L"win32_tests", L"--gtest_filter=WindowTest.TheIconsAreThoseOf"
                                                         L"TheWindowsScale:EditorScenario.TheAboutWindowOpensAtTheEditorsCornerWhollyOnTheScreen", nullptr));
    const bool started = child != INVALID_HANDLE_VALUE;
    DWORD status = 1;
    if (started && WaitForSingleObject(child, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(child, &status); // a deadline only a hung child reaches
    if (started) CloseHandle(child);
    SetEnvironmentVariableW(L"RIVETBAY_SYSTEM_DPI", nullptr);
    had ? setScale(before) : void(RegDeleteKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels"));
    ASSERT_TRUE(started);
    EXPECT_EQ(status, 0u) << "at a system scale of 144 the icons or the About window are wrong (the run above says which)";
}

TEST_F(WindowTest, TheFirstStartsDialogsBelongToTheEditor)
{
    HWND created = nullptr;
    std::size_t boxesBefore = 1;
    dialog_ = std::make_unique<EditorWindow>(GetModuleHandleW(nullptr), services_,
                                             EditorStart{dir_.path(), {}, "Rivetbay"});
    dialog_->setWindows({{}, {}, [&](HWND editor) { created = editor, boxesBefore = services_.messages.size(); }});
    window_ = dialog_->create(false); // no settings: the first start's box and dialog
    EXPECT_EQ(created, window_);
    EXPECT_EQ(boxesBefore, 0u);
    EXPECT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.requests.size(), 1u);
}

TEST(Win32Services, TheDialogsOptionsTheQuestionsAnswersAndTheCursor)
{
    FileDialogRequest request{.kind = FileDialogRequest::Kind::Save, .filters = {{"Rivetbay Car (*.rbc)", "*.rbc"}},
                              .directory = L"C:\\Cars", .fileName = "Road Hog.rbc"};
    FileDialogSetup save;
    setUpFileDialog(request, nullptr, save);
    EXPECT_TRUE(save.dialog.Flags & OFN_OVERWRITEPROMPT); // asks before replacing
    EXPECT_EQ(std::wstring(save.dialog.lpstrFile), L"Road Hog.rbc");
    EXPECT_EQ(std::wstring(save.dialog.lpstrInitialDir), L"C:\\Cars");
    EXPECT_EQ(std::wstring(save.dialog.lpstrFilter, save.filter.size()),
              std::wstring(L"Rivetbay Car (*.rbc)\0*.rbc\0\0", 28));
    request.kind = FileDialogRequest::Kind::Open;
    FileDialogSetup open;
    setUpFileDialog(request, nullptr, open);
    EXPECT_TRUE(open.dialog.Flags & OFN_PATHMUSTEXIST); // a name in a missing folder is refused
    EXPECT_FALSE(open.dialog.Flags & OFN_FILEMUSTEXIST); // the load says a file is missing
    EXPECT_TRUE(save.dialog.Flags & open.dialog.Flags & OFN_NOCHANGEDIR); // the working folder holds the settings
    // A folder of MAX_PATH characters or more is never handed over: the nearest shorter one above.
    const std::wstring deep = L"C:\\" + std::wstring(200, 'a') + L"\\" + std::wstring(55, 'b'); // 259
    for (const auto& [given, started] : {std::pair{deep, deep}, std::pair{deep + L"c", deep.substr(0, 203)},
                                         std::pair{deep + L"\\" + std::wstring(300, 'd'), deep},
                                         std::pair{L"C:\\" + std::wstring(300, 'e'), std::wstring(L"C:\\")}}) {
        request.directory = given;
        setUpFileDialog(request, nullptr, open);
        EXPECT_EQ(std::wstring(open.dialog.lpstrInitialDir ? open.dialog.lpstrInitialDir : L""), started);
    }

    for (const auto& [box, answer] : {std::pair{IDYES, CloseAnswer::Save}, {IDNO, CloseAnswer::Discard},
                                      {IDCANCEL, CloseAnswer::Cancel}}) // the last: Escape and the close box
        EXPECT_EQ(closeAnswerFromBox(box), answer);

    Win32Services services;
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW), wait = LoadCursorW(nullptr, IDC_WAIT);
    SetCursor(arrow);
    services.pushWaitCursor();
    services.pushWaitCursor();
    services.popWaitCursor();
    EXPECT_EQ(GetCursor(), wait); // still inside the outer wait
    services.popWaitCursor();
    EXPECT_EQ(GetCursor(), arrow);
}

// The browser as the About window drives it, noting each verb a press asks.
struct NotingBrowser final : CBrowser {
    explicit NotingBrowser(std::string& verbs) : verbs(verbs) {}
    std::string GoBack() override { return verbs += "back ", CBrowser::GoBack(); }
    std::string GoForward() override { return verbs += "forward ", CBrowser::GoForward(); }
    std::string Refresh() override { return verbs += "reload ", CBrowser::Refresh(); }
    std::string Stop() override { return verbs += "stop ", CBrowser::Stop(); }
    std::string& verbs;
};

// A press on each half of the arrows and on each button, as the controls
// receive the mouse: the left arrow goes back.
TEST(NativeAboutWindow, EachPressAsksItsOwnVerb)
{
    FakeServices services;
    std::string verbs;
    AboutWindow about(GetModuleHandleW(nullptr), services, "Rivetbay", std::make_unique<NotingBrowser>(verbs));
    ASSERT_NE(about.create(nullptr), nullptr);
    const auto pump = [&] {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
    };
    const auto press = [&](int id, bool leftHalf) {
        HWND control = GetDlgItem(about.window(), id);
        RECT box;
        GetClientRect(control, &box);
        const LPARAM at = MAKELPARAM(leftHalf ? box.right / 4 : box.right * 3 / 4, box.bottom / 2);
        SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(control, WM_LBUTTONUP, 0, at);
        pump();
    };
    press(AboutWindow::arrowsId, true);
    press(AboutWindow::arrowsId, false);
    press(AboutWindow::reloadId, true);
    press(AboutWindow::stopId, true);
    EXPECT_EQ(verbs, "back forward reload stop ");
}

TEST(NativeAboutWindow, HostsTheBrowserAndNavigatesToThePageBesideTheProgram)
{
    FakeServices services;
    AboutWindow about(GetModuleHandleW(nullptr), services, "Rivetbay");
    ASSERT_NE(about.create(nullptr), nullptr) << "the web-browser control could not be created";
    std::wstring program(MAX_PATH, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    const std::wstring expected = program.substr(0, program.find_last_of(L'\\') + 1) + L"Rivetbay.html";
    EXPECT_EQ(about.pageAddress(), expected);
}

} // namespace
} // namespace rivetbay::win32
