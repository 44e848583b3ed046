#include "win32/EditorWindow.h"

#include "app/AccessibleNames.h"
#include "app/EditorForm.h"
#include "win32/DialogTemplate.h"
#include "win32/NamedAccessible.h"
#include "win32/ResourceIds.h"
#include "win32/WideText.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

namespace rivetbay::win32 {

namespace Form = EditorForm;
using K = ControlKind;

namespace {

constexpr int appIconResource = RIVETBAY_APP_ICON;
constexpr int aboutTextResource = RIVETBAY_ABOUT_TEXT;
// WM_SYSCOMMAND: Windows keeps the low four bits of its command for itself.
constexpr WPARAM systemCommandMask = 0xFFF0;

struct ControlClass {
    const wchar_t* name;
    DWORD style;
};

// Each kind of the form as the dialog toolkit has it.
ControlClass classOf(const FormControl& c)
{
    constexpr DWORD shown = WS_VISIBLE;
    constexpr DWORD number = ES_READONLY | ES_NUMBER | shown;
    switch (c.kind) {
    case K::List:
        return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | shown};
    case K::NameBox: // no sideways scrolling: typing stops where the box is full
        return {L"COMBOBOX", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP | shown};
    case K::Points:
        return {L"EDIT", ES_RIGHT | WS_BORDER | WS_TABSTOP | number};
    case K::FreePoints:
        return {L"EDIT", ES_CENTER | WS_BORDER | WS_TABSTOP | number};
    case K::Price:
        return {L"EDIT", ES_RIGHT | number};
    case K::Total:
        return {L"EDIT", ES_CENTER | number};
    case K::SideSpin: // the field made just before it is its buddy
        return {UPDOWN_CLASSW, UDS_ARROWKEYS | UDS_AUTOBUDDY | shown};
    case K::TransferSpin:
        return {UPDOWN_CLASSW, UDS_HORZ | UDS_ARROWKEYS | UDS_AUTOBUDDY | shown};
    case K::Check:
        return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | shown};
    case K::Button:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | shown};
    case K::HiddenButton:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case K::Label:
        if (c.text && std::string_view(c.text) == "$")
            return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | shown};
        return {L"STATIC", SS_LEFT | shown};
    case K::ArmorFrame:
        return {L"BUTTON", BS_GROUPBOX | shown};
    case K::ChassisFrame:
        return {L"BUTTON", BS_GROUPBOX | BS_RIGHT | shown};
    }
    return {L"STATIC", shown};
}

DialogTemplate editorTemplate(bool visible)
{
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME |
                        DS_CENTER | (visible ? WS_VISIBLE : 0);
    DialogTemplate form(wide(Form::title), style, WS_EX_APPWINDOW | WS_EX_ACCEPTFILES,
                        {0, 0, Form::width, Form::height}, wide(Form::fontName),
                        static_cast<WORD>(Form::fontPoints));
    for (const FormControl& c : Form::controls()) {
        const ControlClass kind = classOf(c);
        form.add(kind.name, c.text ? wide(c.text) : std::wstring(), kind.style, 0, c.id,
                 {c.at.x, c.at.y, c.at.w, c.at.h});
    }
    return form;
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool isSpin(const FormControl* c)
{
    return c && (c->kind == K::SideSpin || c->kind == K::TransferSpin);
}

// The spin whose arrow keys work in the field `id`; 0 for none.
int spinOfBuddy(int id)
{
    for (const FormControl& c : Form::controls())
        if (isSpin(&c) && c.buddy == id) return c.id;
    return 0;
}

// Calls of Windows 10 and later, looked up so that the program still starts
// on older Windows, which is aware of the system's scale alone.
template <typename Call> Call user32Call(const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

// The scale `window` is drawn at: its monitor's for a per-monitor-aware program.
UINT dpiOf(HWND window)
{
    static const auto forWindow = user32Call<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = forWindow && window ? forWindow(window) : 0;
    return dpi ? dpi : systemDpi();
}

// A system metric at `dpi`. GetSystemMetrics answers at the system's scale
// whatever the monitor's, so only where the call for a scale is missing is it
// scaled in proportion.
int metricAt(int metric, UINT dpi)
{
    static const auto forDpi = user32Call<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(metric, dpi);
    return MulDiv(GetSystemMetrics(metric), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

constexpr UINT_PTR subclassId = 1;

} // namespace

EditorWindow::EditorWindow(HINSTANCE instance, UiServices& services, EditorStart start)
    : instance_(instance), start_(std::move(start)), editor_(*this, services)
{
    std::vector<ACCEL> keys;
    for (const CommandEntry& entry : EditorCommands::entries())
        for (const KeyChord& key : entry.keys)
            keys.push_back({static_cast<BYTE>(FVIRTKEY | (key.control ? FCONTROL : 0) | (key.shift ? FSHIFT : 0)),
                            static_cast<WORD>(key.functionKey ? VK_F1 + key.functionKey - 1 : key.letter),
                            static_cast<WORD>(entry.id)});
    keys_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

EditorWindow::~EditorWindow()
{
    if (window_ && IsWindow(window_)) {
        ended_ = true;
        DestroyWindow(window_);
    }
    if (keys_) DestroyAcceleratorTable(keys_);
    if (icon_) DestroyIcon(icon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

HWND EditorWindow::create(bool visible)
{
    const DialogTemplate form = editorTemplate(visible);
    CreateDialogIndirectParamW(instance_, form.get(), nullptr, &EditorWindow::procedure,
                               reinterpret_cast<LPARAM>(this));
    return window_;
}

int EditorWindow::run()
{
    running_ = true;
    MSG message;
    while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) deliver(message);
    return 0;
}

void EditorWindow::deliver(MSG& message)
{
    // Ctrl+Z in the name box is the text field's own; F1 there is the window's.
    const bool functionKey = message.wParam >= VK_F1 && message.wParam <= VK_F24;
    const bool textOwn = message.hwnd == nameEdit_ && !functionKey;
    if (!textOwn && GetAncestor(message.hwnd, GA_ROOT) == window_ &&
        TranslateAcceleratorW(window_, keys_, &message))
        return;
    // Keys of every dialog of ours: the editor's and each Hackbuster's.
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    wchar_t kind[16] = {};
    if (root && GetClassNameW(root, kind, 16) && std::wstring_view(kind) == L"#32770" &&
        IsDialogMessageW(root, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

INT_PTR CALLBACK EditorWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<EditorWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
    }
    auto* self = reinterpret_cast<EditorWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->handle(message, wParam, lParam) : FALSE;
}

void EditorWindow::initialise()
{
    loadIcons(dpiOf(window_));
    wchar_t about[64] = {};
    if (LoadStringW(instance_, aboutTextResource, about, ARRAYSIZE(about)) > 0) {
        HMENU system = GetSystemMenu(window_, FALSE);
        AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(system, MF_STRING, EditorCommands::aboutId, about);
    }
    UDACCEL steady{0, 1}; // holding an arrow never speeds up to larger steps
    for (const FormControl& c : Form::controls()) {
        if (const AccessibleName* spoken = AccessibleNames::editorControl(c.id))
            nameForScreenReaders(item(c.id), spoken->name); // an arrow pair is one control here
        if (isSpin(&c)) {
            SendMessageW(item(c.id), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&steady));
            SetWindowSubclass(item(c.id), &EditorWindow::controlProcedure, subclassId,
                              reinterpret_cast<DWORD_PTR>(this));
        }
        if (c.kind == K::Points || c.kind == K::FreePoints)
            SetWindowSubclass(item(c.id), &EditorWindow::controlProcedure, subclassId,
                              reinterpret_cast<DWORD_PTR>(this));
    }
    COMBOBOXINFO name{};
    name.cbSize = sizeof name;
    if (GetComboBoxInfo(item(Form::nameBox), &name)) {
        nameEdit_ = name.hwndItem;
        SetWindowSubclass(nameEdit_, &EditorWindow::controlProcedure, subclassId,
                          reinterpret_cast<DWORD_PTR>(this));
    }
    if (windows_.created) windows_.created(window_);
    editor_.start(start_);
}

INT_PTR EditorWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        initialise();
        return FALSE; // the editor placed the focus on OPEN
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code != UDN_DELTAPOS) return FALSE;
        spinStep(*reinterpret_cast<NMUPDOWN*>(lParam));
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, FALSE); // always allowed
        return TRUE;
    }
    case WM_CONTEXTMENU:
        contextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return TRUE;
    case WM_DPICHANGED:
        // Moved to a monitor of another scale: the dialog manager rescales
        // the window, its controls and their font; the icons are the program's.
        loadIcons(HIWORD(wParam));
        return FALSE;
    case WM_HELP:
        editor_.choose(EditorCommand::About);
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & systemCommandMask) != EditorCommands::aboutId) return FALSE;
        editor_.choose(EditorCommand::About);
        return TRUE;
    case WM_DROPFILES: {
        auto* drop = reinterpret_cast<HDROP>(wParam);
        std::wstring path;
        if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
            // The whole of the first path, however long.
            path.resize(DragQueryFileW(drop, 0, nullptr, 0) + 1);
            path.resize(DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
        }
        DragFinish(drop);
        if (!path.empty()) editor_.fileDropped(std::filesystem::path(path));
        return TRUE;
    }
    case WM_PAINT:
        if (!IsIconic(window_)) return FALSE;
        paintIcon();
        return TRUE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(icon_);
    case WM_TIMER:
        if (wParam != hideNameTipTimer) return FALSE;
        hideNameTip();
        return TRUE;
    case WM_DESTROY:
        ended_ = true;
        window_ = nullptr;
        if (running_) PostQuitMessage(0);
        return FALSE;
    default:
        return FALSE;
    }
}

void EditorWindow::command(int id, int code)
{
    if (const CommandEntry* entry = EditorCommands::entry(static_cast<unsigned>(id))) {
        editor_.choose(entry->command);
        return;
    }
    switch (id) {
    case IDOK: // Enter with no button focused: no default command
        return;
    case IDCANCEL: // QUIT, Escape, the close box
        if (code == BN_CLICKED) editor_.clicked(Form::quitButton);
        return;
    default:
        break;
    }
    const FormControl* c = Form::control(id);
    if (!c) return;
    if (c->kind == K::NameBox && code == CBN_KILLFOCUS) {
        editor_.nameBoxLeft();
    } else if (code == CBN_SELCHANGE) {
        editor_.selectionChanged(id);
    } else if (code == BN_CLICKED && c->kind != K::HiddenButton) {
        // A press of a button nobody sees (BM_CLICK, as assistive technology
        // presses one) is no player's: the program reaches those through the editor.
        editor_.clicked(id);
    }
}

bool EditorWindow::spinStep(NMUPDOWN& change)
{
    const int id = static_cast<int>(change.hdr.idFrom);
    if (change.iDelta == 0) return true;
    // The up or right arrow proposes -1 in the default backward range: one
    // step of exactly 1 whatever the proposal.
    const int step = change.iDelta < 0 ? +1 : -1;
    const bool repeat = !freshPress_[id];
    freshPress_[id] = false;
    const bool accepted = editor_.stepped(id, step, repeat);
    if (!accepted && id == Form::transferSpin) change.iDelta = 0;
    return accepted;
}

void EditorWindow::contextMenu(int x, int y)
{
    editor_.takePendingName();
    HMENU menu = buildMenu();
    if (x == -1 && y == -1) { // from the keyboard: at the window's corner
        POINT corner{0, 0};
        ClientToScreen(window_, &corner);
        x = corner.x;
        y = corner.y;
    }
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, window_,
                                      nullptr);
    DestroyMenu(menu);
    if (chosen) command(chosen, 0);
}

HMENU EditorWindow::buildMenu() const
{
    HMENU menu = CreatePopupMenu();
    for (const CommandEntry& entry : EditorCommands::entries()) {
        if (entry.separatorBefore) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        std::wstring text = wide(entry.text);
        if (entry.keyShown) text += L"\t" + wide(EditorCommands::keyText(entry.keys.front()));
        AppendMenuW(menu, MF_STRING | (editor_.enabled(entry.command) ? 0 : MF_GRAYED), entry.id, text.c_str());
    }
    return menu;
}

void EditorWindow::loadIcons(UINT dpi)
{
    // The system's sizes at the window's own scale (20 and 40 pixels at 125%,
    // 24 and 48 at 150%), whatever the system's scale is.
    const auto load = [&](int size, int& loaded) {
        loaded = size;
        return static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(appIconResource), IMAGE_ICON, size, size, 0));
    };
    int smallSize = 0;
    HICON big = load(metricAt(SM_CXICON, dpi), iconSize_);
    HICON small = load(metricAt(SM_CXSMICON, dpi), smallSize);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    if (icon_) DestroyIcon(icon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    icon_ = big;
    smallIcon_ = small;
}

void EditorWindow::paintIcon()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    SendMessageW(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(window_, &client);
    DrawIconEx(dc, (client.right - iconSize_ + 1) / 2, (client.bottom - iconSize_ + 1) / 2, icon_, iconSize_,
               iconSize_, 0, nullptr, DI_NORMAL);
    EndPaint(window_, &paint);
}

LRESULT CALLBACK EditorWindow::controlProcedure(HWND control, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    return reinterpret_cast<EditorWindow*>(self)->control(control, message, wParam, lParam,
                                                          GetDlgCtrlID(control));
}

LRESULT EditorWindow::control(HWND control, UINT message, WPARAM wParam, LPARAM lParam, int id)
{
    if (control == nameEdit_) {
        if (message == WM_CHAR && wParam >= 0x20 &&
            nameCharactersKept(utf8(std::wstring(1, static_cast<wchar_t>(wParam)))).empty()) {
            nameCharactersDropped(); // no place in the game's character set
            return 0;
        }
        if (message == WM_PASTE) {
            pasteName(control);
            return 0;
        }
    } else if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) &&
               isSpin(Form::control(id))) {
        freshPress_[id] = true; // the second of two quick clicks comes as a double click
    } else if (message == WM_KEYDOWN) {
        const bool firstOfPress = (lParam & (1 << 30)) == 0;
        const bool transfer = id == Form::freePoints && (wParam == VK_LEFT || wParam == VK_RIGHT);
        const int spin = spinOfBuddy(id);
        if (transfer || (spin && (wParam == VK_UP || wParam == VK_DOWN))) {
            const auto stamp = static_cast<std::uint32_t>(GetMessageTime());
            if (!keyRepeats_.admits(!firstOfPress, stamp)) return 0; // queued while a step ran
            const auto begun = std::chrono::steady_clock::now();
            LRESULT result = 0;
            if (transfer) // as the transfer arrows point: Left chassis to armor, Right the other way
                editor_.stepped(Form::transferSpin, wParam == VK_RIGHT ? +1 : -1, !firstOfPress);
            else {
                if (firstOfPress) freshPress_[spin] = true;
                result = DefSubclassProc(control, message, wParam, lParam); // the arrows' own step
            }
            keyRepeats_.stepped(stamp, std::chrono::steady_clock::now() - begun);
            return result;
        }
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void EditorWindow::pasteName(HWND edit)
{
    std::wstring pasted;
    if (OpenClipboard(window_)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
            if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                pasted = text;
                GlobalUnlock(data);
            }
        CloseClipboard();
    }
    insertIntoName(edit, pasted);
}

void EditorWindow::nameCharactersDropped()
{
    MessageBeep(MB_ICONWARNING);
    // A balloon of our own below the box: the edit control's own balloon is
    // not there on every system.
    static const std::wstring text = wide(Form::nameCharactersTip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(nameEdit_);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    if (!nameTip_) {
        nameTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_BALLOON, 0, 0, 0, 0, window_,
                                   nullptr, instance_, nullptr);
        SendMessageW(nameTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    RECT box;
    GetWindowRect(nameEdit_, &box);
    SendMessageW(nameTip_, TTM_TRACKPOSITION, 0, MAKELPARAM(box.left + 8, box.bottom));
    SendMessageW(nameTip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(window_, hideNameTipTimer, 4000, nullptr); // a tip, not a box to close
}

void EditorWindow::hideNameTip()
{
    KillTimer(window_, hideNameTipTimer);
    if (!nameTip_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(nameEdit_);
    SendMessageW(nameTip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void EditorWindow::insertIntoName(HWND edit, const std::wstring& typed)
{
    const std::wstring kept = wide(nameCharactersKept(utf8(typed)));
    if (kept != typed) nameCharactersDropped();
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = windowText(edit);
    RECT room;
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    HDC dc = GetDC(edit);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    // As much of the paste as fits, cut where typing would stop.
    std::size_t fits = kept.size();
    for (; fits > 0; --fits) {
        const std::wstring candidate = text.substr(0, start) + kept.substr(0, fits) + text.substr(end);
        SIZE extent{};
        GetTextExtentPoint32W(dc, candidate.c_str(), static_cast<int>(candidate.size()), &extent);
        if (extent.cx <= room.right - room.left) break;
    }
    SelectObject(dc, previous);
    ReleaseDC(edit, dc);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.substr(0, fits).c_str()));
}

int EditorWindow::selection(int id) const { return static_cast<int>(SendMessageW(item(id), CB_GETCURSEL, 0, 0)); }

// A place the list lacks clears its selection.
void EditorWindow::setSelection(int id, int index) { SendMessageW(item(id), CB_SETCURSEL, index, 0); }

bool EditorWindow::checked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }

void EditorWindow::setChecked(int id, bool on) { CheckDlgButton(window_, id, on ? BST_CHECKED : BST_UNCHECKED); }

std::string EditorWindow::text(int id) const { return utf8(windowText(item(id))); }

void EditorWindow::setText(int id, const std::string& text)
{
    SetWindowTextW(item(id), wide(text).c_str());
    if (id == Form::nameBox) SendMessageW(item(id), CB_SETEDITSEL, 0, MAKELPARAM(0, 0)); // its start
}

void EditorWindow::enable(int id, bool enabled) { EnableWindow(item(id), enabled); }

void EditorWindow::fillList(int id, const std::vector<std::string>& entries)
{
    HWND list = item(id);
    const bool name = id == Form::nameBox;
    // Emptying an editable list empties its text; what the player sees stays.
    const std::wstring kept = name ? windowText(list) : std::wstring();
    const LRESULT selected = name ? SendMessageW(list, CB_GETEDITSEL, 0, 0) : 0;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    std::size_t bytes = 0;
    for (const std::string& entry : entries) bytes += (entry.size() + 1) * sizeof(wchar_t);
    SendMessageW(list, CB_INITSTORAGE, entries.size(), static_cast<LPARAM>(bytes));
    for (const std::string& entry : entries)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(entry).c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    if (name) {
        SetWindowTextW(list, kept.c_str());
        SendMessageW(list, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(selected), HIWORD(selected)));
    }
}

void EditorWindow::focus(int id) { SetFocus(item(id)); }

void EditorWindow::showAbout()
{
    if (windows_.about) windows_.about(window_);
}

void EditorWindow::showHackbuster()
{
    if (windows_.hackbuster) windows_.hackbuster(window_);
}

void EditorWindow::closeEditor()
{
    ended_ = true;
    DestroyWindow(window_); // and with it every Hackbuster window it owns
}

} // namespace rivetbay::win32
