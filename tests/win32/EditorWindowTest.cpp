// The native Windows editor, created hidden and driven with the messages the
// controls send, as Wine runs it without a display.

#include "files/VcfWriter.h"
#include "win32/AboutWindow.h"
#include "win32/EditorWindow.h"
#include "win32/HackbusterWindow.h"
#include "win32/NamedAccessible.h"
#include "win32/WideText.h"
#include "win32/Win32Services.h"

#include "SpokenNames.h"
#include "StartFolder.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cstdlib>
#include <map>
#include <set>
#include <memory>

namespace rivetbay::win32 {
namespace {

namespace Form = EditorForm;
using testkit::FakeServices;
using testkit::idOf;

class WindowTest : public ::testing::Test, public testkit::StartFolder {
protected:
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
    std::string text(int id) { return dialog_->text(id); }
    void send(int id, int code) { SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(item(id))); }
    void choose(int id, int index)
    {
        SendMessageW(item(id), CB_SETCURSEL, index, 0);
        send(id, CBN_SELCHANGE);
    }
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

// The tips shown on this thread's windows.
int visibleTips()
{
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counted) {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW && IsWindowVisible(window)) ++*reinterpret_cast<int*>(counted);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// Sets the message time a control reads with GetMessageTime, as a key's own
// message would: a message posted and taken back sets it to its posting time.
void takeMessage(UINT id)
{
    MSG taken;
    PeekMessageW(&taken, nullptr, id, id, PM_REMOVE);
}

std::string windowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return utf8(text);
}

// A place as {left, top, width, height}: a control's in its window's client
// area, or dialog units' in the window's pixels (each converted on its own).
std::array<LONG, 4> placeOf(HWND window, HWND control)
{
    RECT at;
    GetWindowRect(control, &at);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&at), 2);
    return {at.left, at.top, at.right - at.left, at.bottom - at.top};
}
std::array<LONG, 4> pixelsOf(HWND window, DialogRect units)
{
    RECT at{units.x, units.y, units.w, units.h};
    MapDialogRect(window, &at);
    return {at.left, at.top, at.right, at.bottom};
}

// The window's caption and client size, as its form says.
void expectFrame(HWND window, const char* title, int width, int height)
{
    EXPECT_EQ(windowText(window), title);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(pixelsOf(window, {0, 0, width, height}), (std::array<LONG, 4>{0, 0, client.right, client.bottom}));
}

// A control's name as a screen reader asks for it, through oleacc.
std::string spokenName(HWND control)
{
    IAccessible* reader = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, accessibleInterfaceId, reinterpret_cast<void**>(&reader))))
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

// Each row's control, found by its form name; an arrow pair is one control here.
void expectSpoken(HWND window, std::span<const testkit::Spoken> table, int (*idOf)(std::string_view))
{
    for (const testkit::Spoken& row : table) EXPECT_EQ(spokenName(GetDlgItem(window, idOf(row.control))), row.name) << row.control;
}

int aboutId(std::string_view name) { for (const auto& c : AboutForm::form().controls) if (name == c.name) return c.id; return -1; }
int hackbusterId(std::string_view name) { for (const auto& c : HackbusterForm::form().controls) if (name == c.name) return c.id; return -1; }

TEST_F(WindowTest, AScreenReaderHearsEveryControlByItsOwnName)
{
    start();
    expectSpoken(window_, testkit::spokenEditor, &idOf);
    // Every control a player uses or reads, each named and no two alike; the
    // labels and frames speak their texts, the hidden buttons are not there.
    std::multiset<std::string> names, groups;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[32] = {};
        GetClassNameW(child, kind, 32);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (!(style & WS_VISIBLE) || std::wstring(kind) == L"Static") continue;
        const bool frame = std::wstring(kind) == L"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX;
        (frame ? groups : names).insert(spokenName(child));
    }
    EXPECT_EQ(names.size(), 62u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(groups, (std::multiset<std::string>{"Armor", "Chassis"}));

    AboutWindow about(GetModuleHandleW(nullptr), services_, "Rivetbay");
    ASSERT_NE(about.create(window_), nullptr);
    expectSpoken(about.window(), testkit::spokenAbout, &aboutId);
    EXPECT_EQ(spokenName(FindWindowExW(about.window(), nullptr, L"Shell Embedding", nullptr)), "About Rivetbay");
    DestroyWindow(about.window());
    HWND hackbuster = HackbusterWindow::open(GetModuleHandleW(nullptr), window_);
    expectSpoken(hackbuster, testkit::spokenHackbuster, &hackbusterId);
}

TEST_F(WindowTest, EveryControlStandsWhereTheFormSaysWithItsId)
{
    ASSERT_NE(start(), nullptr);
    expectFrame(window_, Form::title, Form::width, Form::height);
    HWND child = GetWindow(window_, GW_CHILD); // in creation order
    for (const FormControl& c : Form::controls()) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), c.id);
        const auto place = pixelsOf(window_, c.at), at = placeOf(window_, child);
        EXPECT_EQ(std::vector(at.begin(), at.begin() + 3), std::vector(place.begin(), place.begin() + 3));
        if (c.kind == ControlKind::List || c.kind == ControlKind::NameBox) { // its height includes the dropped part
            RECT dropped, screen;
            SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            GetWindowRect(child, &screen);
            // Wine leaves the selection field out of the dropped rectangle.
            const int field = screen.bottom - screen.top;
            EXPECT_NEAR(dropped.bottom - screen.top, place[3], field + 4);
        } else {
            EXPECT_EQ(at[3], place[3]);
        }
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

TEST_F(WindowTest, TheMainPathsThroughTheMessagesTheControlsSend)
{
    start();
    EXPECT_EQ(text(Form::totalPrice), "2600");
    EXPECT_FALSE(IsWindowEnabled(item(1009))); // no second front mount without a model
    choose(Form::modelList, 25);
    EXPECT_EQ(text(1201), "18"); // the model-change rule
    choose(1010, 1);             // a turret-capable top weapon
    CheckDlgButton(window_, Form::turretBox, BST_CHECKED);
    send(Form::turretBox, BN_CLICKED);
    EXPECT_EQ(text(1023), "825");

    spin(1198, +1); // armor front down
    EXPECT_EQ(text(1197), "17");
    EXPECT_EQ(spin(Form::transferSpin, -1).iDelta, -1); // right: armor to chassis
    EXPECT_EQ(text(1197), "16");
    for (int k = 0; k < 20; ++k) spin(Form::transferSpin, -1);
    EXPECT_EQ(spin(Form::transferSpin, -1).iDelta, 0); // a refused transfer proposes nothing
    SendMessageW(item(Form::freePoints), WM_KEYDOWN, VK_LEFT, 0); // the keys as the arrows
    EXPECT_EQ(text(1203), "7");

    SetWindowTextW(item(Form::nameBox), L"Typed");
    send(Form::nameBox, CBN_KILLFOCUS); // leaving the box takes the name
    EXPECT_EQ(dialog_->editor().config().name, "Typed");

    SendMessageW(window_, WM_HELP, 0, 0);
    SendMessageW(window_, WM_SYSCOMMAND, EditorCommands::aboutId, 0);
    send(Form::aboutButton, BN_CLICKED);
    EXPECT_EQ(abouts_, 3);
    HMENU system = GetSystemMenu(window_, FALSE);
    const int last = GetMenuItemCount(system) - 1;
    wchar_t entry[64] = {};
    GetMenuStringW(system, last, entry, 64, MF_BYPOSITION);
    EXPECT_EQ(utf8(entry), EditorCommands::entry(EditorCommand::About).text);
    EXPECT_EQ(GetMenuItemID(system, last), EditorCommands::aboutId);
    EXPECT_EQ(GetMenuState(system, last - 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));

    // Escape with changes asks; Cancel keeps the editor, Discard ends it.
    send(IDCANCEL, BN_CLICKED);
    ASSERT_EQ(services_.questions.size(), 1u);
    EXPECT_TRUE(IsWindow(window_));
    services_.closeAnswers = {CloseAnswer::Discard};
    send(IDCANCEL, BN_CLICKED);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_TRUE(dialog_->ended());
}

// The menu and every key from the command table, each key through the
// window's own loop with its modifiers held as the keyboard's state says;
// in the name box the letters are the text's own.
TEST_F(WindowTest, TheMenuAndTheKeysAreTheCommandTables)
{
    start();
    choose(Form::modelList, 16);
    choose(Form::modelList, 17);
    dialog_->editor().undo(); // at 16, with a step each way
    HMENU menu = dialog_->buildMenu();
    int at = 0;
    for (const CommandEntry& e : EditorCommands::entries()) {
        SCOPED_TRACE(e.text);
        if (e.separatorBefore) {
            EXPECT_TRUE(GetMenuState(menu, at++, MF_BYPOSITION) & MF_SEPARATOR);
        }
        wchar_t text[64] = {};
        GetMenuStringW(menu, at, text, 64, MF_BYPOSITION);
        EXPECT_EQ(utf8(text), e.text + (e.keyShown ? "\t" + EditorCommands::keyText(e.keys.front()) : ""));
        EXPECT_EQ(GetMenuItemID(menu, at), e.id);
        EXPECT_EQ(GetMenuState(menu, at++, MF_BYPOSITION) & MF_GRAYED, 0u); // each has something to do
    }
    EXPECT_EQ(GetMenuItemCount(menu), at);
    DestroyMenu(menu);

    const auto press = [&](const KeyChord& key, HWND to) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = key.control ? 0x80 : 0;
        keys[VK_SHIFT] = key.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        const WPARAM code = key.functionKey ? VK_F1 + key.functionKey - 1 : key.letter;
        MSG message{to, WM_KEYDOWN, code, 1, static_cast<DWORD>(GetMessageTime()), {}};
        // As the system posts it when a pressed F1 is taken from the queue.
        if (code == VK_F1) PostMessageW(to, 0x004D, 0, 0);
        dialog_->deliver(message);
        for (MSG posted; PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE);) dialog_->deliver(posted);
        SetKeyboardState(std::array<BYTE, 256>{}.data());
    };
    for (const CommandEntry& e : EditorCommands::entries())
        for (const KeyChord& key : e.keys) {
            SCOPED_TRACE(EditorCommands::keyText(key));
            const int abouts = abouts_;
            if (key.letter) {
                press(key, dialog_->nameEdit());
                EXPECT_EQ(dialog_->selection(Form::modelList), 16);
            } else { // a function key is the window's, in the name box too
                press(key, dialog_->nameEdit());
                EXPECT_EQ(abouts_, abouts + 1);
                --abouts_;
            }
            press(key, item(Form::openButton));
            switch (e.command) {
            case EditorCommand::Undo:
                EXPECT_EQ(dialog_->selection(Form::modelList), 0);
                dialog_->editor().redo();
                break;
            case EditorCommand::Redo:
                EXPECT_EQ(dialog_->selection(Form::modelList), 17);
                dialog_->editor().undo();
                break;
            case EditorCommand::About:
                EXPECT_EQ(abouts_, abouts + 1);
                break;
            }
        }
}

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

TEST_F(WindowTest, ADroppedFileIsLoadedTheFirstOfThemAndUndoingItAimsSaveBack)
{
    const auto a = saveCar("a.car", {.model = 9}), b = saveCar("b.rbc", {.model = 22});
    start(saveCar("mine.rbc", testkit::spreadCar()));
    spin(idOf("armorFrontSpin"), -1);
    SendMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf({a, b})), 0);
    EXPECT_EQ(dialog_->selection(Form::modelList), 9);
    EXPECT_EQ(text(1029), "3730");
    // Ctrl+Z, as its accelerator sends it; then Escape asks about the file before the drop.
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(EditorCommands::entry(EditorCommand::Undo).id, 1), 0);
    EXPECT_EQ(dialog_->selection(Form::modelList), 1);
    send(IDCANCEL, BN_CLICKED); // the fake answers Cancel
    ASSERT_EQ(services_.questions.size(), 1u);
    EXPECT_EQ(services_.questions[0], "Save changes to the design in mine.rbc before closing?");
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
    std::wstring line = L"\"" + std::wstring(self) +
                        L"\" --gtest_filter=WindowTest.TheIconsAreThoseOfTheWindowsScale:"
                        L"NativeAboutWindow.OpensAtItsOwnersCornerWhollyOnTheScreen";
    SetEnvironmentVariableW(L"RIVETBAY_SYSTEM_DPI", L"144");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child);
    DWORD status = 1;
    if (started) {
        WaitForSingleObject(child.hProcess, 120000); // a deadline only a hung child reaches
        GetExitCodeProcess(child.hProcess, &status);
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);
    }
    SetEnvironmentVariableW(L"RIVETBAY_SYSTEM_DPI", nullptr);
    had ? setScale(before) : void(RegDeleteKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels"));
    ASSERT_TRUE(started);
    EXPECT_EQ(status, 0u) << "at a system scale of 144 the icons or the About window are wrong (the run above says which)";
}

TEST_F(WindowTest, TheNameBoxKeepsItsCaretAndOnlyWhatTheGameCanStore)
{
    start();
    HWND edit = dialog_->nameEdit();
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"Speedy");
    SendMessageW(edit, EM_SETSEL, 3, 3);
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vgoon4.vcf", {.name = "Listed", .model = 16}));
    spin(Form::transferSpin, -1); // a pass that refills the list while the name is being typed
    EXPECT_EQ(SendMessageW(item(Form::nameBox), CB_GETCOUNT, 0, 0), 1);
    DWORD from = 0, to = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 3u);
    EXPECT_EQ(utf8(std::wstring(L"Speedy")), text(Form::nameBox));

    SetWindowTextW(edit, L"");
    EXPECT_EQ(visibleTips(), 0);
    SendMessageW(edit, WM_CHAR, 0x00E9, 0); // é
    EXPECT_EQ(visibleTips(), 0);
    SendMessageW(edit, WM_CHAR, 0x0141, 0); // Ł: no place in the game's set, and said so at the box
    EXPECT_EQ(visibleTips(), 1);
    EXPECT_EQ(text(Form::nameBox), "\xC3\xA9");
    SetWindowTextW(edit, L"");
    dialog_->insertIntoName(edit, std::wstring(60, L'W') + L"\x65E5");
    const std::string cut = text(Form::nameBox);
    EXPECT_GT(cut.size(), 3u); // what fits, not nothing
    EXPECT_LT(cut.size(), 60u);
    EXPECT_EQ(cut, std::string(cut.size(), 'W'));
}

TEST_F(WindowTest, KeyRepeatsQueuedBehindASlowStepAreDropped)
{
    start(saveCar("spread.rbc", testkit::spreadCar()));
    constexpr UINT early = WM_APP + 10, late = WM_APP + 11, after = WM_APP + 12;
    PostThreadMessageW(GetCurrentThreadId(), early, 0, 0);
    const DWORD earlyTime = GetTickCount();
    while (GetTickCount() - earlyTime < 20) Sleep(1); // until the clock has moved on
    PostThreadMessageW(GetCurrentThreadId(), late, 0, 0);
    const int buddy = Form::control(idOf("armorFrontSpin"))->buddy;
    HWND field = item(buddy);
    const LPARAM repeat = 1 | (1 << 30); // the key was already down
    takeMessage(late);
    SendMessageW(field, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(text(buddy), "40");
    takeMessage(early); // made before the step began: it waited behind it
    SendMessageW(field, WM_KEYDOWN, VK_DOWN, repeat);
    EXPECT_EQ(text(buddy), "40");
    PostThreadMessageW(GetCurrentThreadId(), after, 0, 0); // made once the step had ended
    takeMessage(after);
    SendMessageW(field, WM_KEYDOWN, VK_DOWN, repeat);
    EXPECT_EQ(text(buddy), "39");
}

// A held arrow is one step; each click another, the second of two quick
// ones arriving as a double click where the arrows' class takes them.
TEST_F(WindowTest, AHeldArrowIsOneStepAndEachClickAnother)
{
    start(saveCar("spread.rbc", testkit::spreadCar()));
    EXPECT_TRUE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES); // or no drop arrives
    const int arrows = idOf("armorFrontSpin"), field = Form::control(arrows)->buddy;
    RECT box;
    GetClientRect(item(arrows), &box);
    const LPARAM lower = MAKELPARAM(box.right / 2, box.bottom * 3 / 4);
    const bool doubles = GetClassLongPtrW(item(arrows), GCL_STYLE) & CS_DBLCLKS;
    const auto press = [&](UINT how, int repeats) {
        SendMessageW(item(arrows), how, MK_LBUTTON, lower);
        if (how == WM_LBUTTONDBLCLK && !doubles) spin(arrows, +1); // the step it brings
        for (int k = 0; k < repeats; ++k) spin(arrows, +1);        // held: its repeats
        SendMessageW(item(arrows), WM_LBUTTONUP, 0, lower);
    };
    press(WM_LBUTTONDOWN, 0);
    press(WM_LBUTTONDBLCLK, 0);
    press(WM_LBUTTONDOWN, 3);
    const auto undo = [&] { dialog_->editor().undo(); };
    ASSERT_EQ(text(field), "35");
    undo(); // the hold
    EXPECT_EQ(text(field), "39");
    undo(); // the double click
    EXPECT_EQ(text(field), "40");
}

TEST_F(WindowTest, TheFirstStartsDialogsBelongToTheEditor)
{
    HWND created = nullptr;
    std::size_t boxesBefore = 1;
    dialog_ = std::make_unique<EditorWindow>(GetModuleHandleW(nullptr), services_,
                                             EditorStart{dir_.path(), {}, "Rivetbay"});
    dialog_->setWindows({{}, {}, [&](HWND editor) {
                             created = editor;
                             boxesBefore = services_.messages.size();
                         }});
    window_ = dialog_->create(false); // no settings: the first start's box and dialog
    EXPECT_EQ(created, window_);
    EXPECT_EQ(boxesBefore, 0u);
    EXPECT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.requests.size(), 1u);
}

// A small window as its form says: caption, size, and each control's place and text.
void expectForm(HWND window, const WindowForm& form, const std::string& text)
{
    expectFrame(window, form.title, form.width, form.height);
    for (const WindowControl& c : form.controls) {
        SCOPED_TRACE(c.name);
        HWND control = GetDlgItem(window, c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(placeOf(window, control), pixelsOf(window, c.at));
        EXPECT_EQ(windowText(control), c.kind == WindowControlKind::Text ? text : std::string(c.text));
    }
}

TEST_F(WindowTest, HackbusterWindowsComeOneAClickAndEndWithTheEditor)
{
    start();
    // A hidden button cannot be pressed as assistive technology presses one.
    SetWindowTextW(item(Form::nameBox), L"Unseen");
    for (const int hidden : {Form::exportButton, Form::hackbusterButton}) SendMessageW(item(hidden), BM_CLICK, 0, 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir_ / "addon")); // no vehicle file written
    dialog_->editor().clicked(Form::hackbusterButton); // as the program's own code reaches it
    dialog_->editor().clicked(Form::hackbusterButton);
    std::vector<HWND> owned;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM found) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&owned));
    std::erase_if(owned, [&](HWND w) { return GetWindow(w, GW_OWNER) != window_; });
    ASSERT_EQ(owned.size(), 2u);
    expectForm(owned[0], HackbusterForm::form(), "");
    EXPECT_EQ(ListView_GetBkColor(GetDlgItem(owned[0], HackbusterWindow::listId)), HackbusterWindow::background);
    SendMessageW(owned[0], WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(owned[0]));
    EXPECT_TRUE(IsWindow(owned[1]));
    services_.closeAnswers = {CloseAnswer::Discard};
    send(IDCANCEL, BN_CLICKED);
    EXPECT_FALSE(IsWindow(owned[1]));
}

// What the platform's own dialogs and cursor are handed, from each request.
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

    EXPECT_EQ(closeAnswerFromBox(IDYES), CloseAnswer::Save);
    EXPECT_EQ(closeAnswerFromBox(IDNO), CloseAnswer::Discard);
    EXPECT_EQ(closeAnswerFromBox(IDCANCEL), CloseAnswer::Cancel); // Escape and the close box

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

// The box or dialog titled "Rivetbay", read once it shows from inside its own loop, then closed.
RECT shownBox{};
void CALLBACK readBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = FindWindowW(L"#32770", L"Rivetbay");
    if (box && GetWindowRect(box, &shownBox)) PostMessageW(box, WM_COMMAND, IDCANCEL, 0), KillTimer(nullptr, timer);
}

// A message box and a file dialog (the first start's question) stand over
// the editor's middle, not the screen's.
TEST(Win32Services, BoxesAndDialogsStandOverTheirOwner)
{
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 450, 330, 500, 380, nullptr,
                                 nullptr, nullptr, nullptr);
    Win32Services services;
    services.setOwner(owner);
    for (const bool fileDialog : {false, true}) {
        shownBox = {};
        SetTimer(nullptr, 0, 10, &readBox);
        if (fileDialog) (void)services.chooseFile({.title = "Rivetbay"});
        else services.showMessage(MessageIcon::Information, "Rivetbay", "Over it.");
        EXPECT_NEAR((shownBox.left + shownBox.right) / 2, 700, 2) << fileDialog;
        EXPECT_NEAR((shownBox.top + shownBox.bottom) / 2, 520, 2) << fileDialog;
    }
    DestroyWindow(owner);
}

// The browser as the About window drives it, noting each verb a press asks.
class NotingBrowser final : public CBrowser {
public:
    explicit NotingBrowser(std::string& verbs) : verbs_(verbs) {}
    std::string GoBack() override { return note("back ", CBrowser::GoBack()); }
    std::string GoForward() override { return note("forward ", CBrowser::GoForward()); }
    std::string Refresh() override { return note("reload ", CBrowser::Refresh()); }
    std::string Stop() override { return note("stop ", CBrowser::Stop()); }

private:
    std::string note(const char* verb, std::string refusal)
    {
        verbs_ += verb;
        return refusal;
    }
    std::string& verbs_;
};

// A press on each half of the arrows and on each button, as the controls
// receive the mouse: the left arrow goes back. Held with nowhere to go, an
// arrow repeats: one box a press, shown once its notification has returned
// (not inside it, where the repeats go on).
TEST(NativeAboutWindow, EachPressAsksItsVerbAndOneRefusalAPress)
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

    services.messages.clear();
    NMUPDOWN change{};
    change.hdr = {GetDlgItem(about.window(), AboutWindow::arrowsId), AboutWindow::arrowsId, UDN_DELTAPOS};
    change.iDelta = 1; // back, with no page before
    for (int repeat = 0; repeat < 3; ++repeat)
        SendMessageW(about.window(), WM_NOTIFY, AboutWindow::arrowsId, reinterpret_cast<LPARAM>(&change));
    EXPECT_TRUE(services.messages.empty());
    pump();
    ASSERT_EQ(services.messages.size(), 1u);
    SendMessageW(about.window(), WM_NOTIFY, AboutWindow::arrowsId, reinterpret_cast<LPARAM>(&change));
    pump();
    EXPECT_EQ(services.messages.size(), 2u); // the next press is heard
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
    expectForm(about.window(), AboutForm::form(), AboutForm::text("Native Windows build"));
}

// At its owner's corner, or moved to be wholly on the screen.
TEST(NativeAboutWindow, OpensAtItsOwnersCornerWhollyOnTheScreen)
{
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    FakeServices services;
    for (const bool atEdge : {false, true}) {
        const int x = atEdge ? work.right - 100 : work.left + 40, y = atEdge ? work.bottom - 80 : work.top + 60;
        HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, x, y, 300, 200, nullptr, nullptr, nullptr, nullptr);
        AboutWindow about(GetModuleHandleW(nullptr), services, "Rivetbay");
        ASSERT_NE(about.create(owner), nullptr);
        RECT at;
        GetWindowRect(about.window(), &at);
        EXPECT_TRUE(at.left >= work.left && at.top >= work.top && at.right <= work.right && at.bottom <= work.bottom);
        // Taller than the screen at a system scale of 144: the page view gives up the room.
        RECT client;
        GetClientRect(about.window(), &client);
        const auto page = placeOf(about.window(), GetDlgItem(about.window(), AboutForm::browserId));
        EXPECT_LE(page[1] + page[3], client.bottom);
        POINT corner{0, 0};
        ClientToScreen(about.window(), &corner);
        if (!std::getenv("RIVETBAY_SYSTEM_DPI")) { // where it fits: the client area at the owner's corner
            EXPECT_EQ(corner.x == x && corner.y == y, !atEdge);
        }
        DestroyWindow(about.window());
        DestroyWindow(owner);
    }
}

} // namespace
} // namespace rivetbay::win32
