#include "win32/DialogTemplate.h"

#include "win32/WideText.h"

#include <commctrl.h>

namespace rivetbay::win32 {

namespace {
constexpr WORD extendedVersion = 1;
constexpr WORD extendedSignature = 0xFFFF;
} // namespace

DialogTemplate::DialogTemplate(const std::wstring& title, DWORD style, DWORD exStyle, UnitRect at,
                               const std::wstring& font, WORD points)
{
    word(extendedVersion);
    word(extendedSignature);
    dword(0); // help id
    dword(exStyle);
    dword(style | DS_SETFONT);
    countAt_ = bytes_.size();
    word(0); // the number of controls, counted as they are added
    for (int v : {at.x, at.y, at.w, at.h}) word(static_cast<WORD>(v));
    word(0); // no menu
    word(0); // the dialog's own class
    text(title);
    word(points);
    word(FW_NORMAL);
    bytes_.push_back(FALSE);            // not italic
    bytes_.push_back(DEFAULT_CHARSET);
    text(font);
}

void DialogTemplate::add(const std::wstring& windowClass, const std::wstring& caption, DWORD style,
                         DWORD exStyle, int id, UnitRect at)
{
    align();
    dword(0); // help id
    dword(exStyle);
    dword(style | WS_CHILD);
    for (int v : {at.x, at.y, at.w, at.h}) word(static_cast<WORD>(v));
    dword(static_cast<DWORD>(id));
    text(windowClass);
    text(caption);
    word(0); // no creation data
    ++count_;
    bytes_[countAt_] = static_cast<std::uint8_t>(count_ & 0xFF);
    bytes_[countAt_ + 1] = static_cast<std::uint8_t>(count_ >> 8);
}

void DialogTemplate::word(WORD value)
{
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void DialogTemplate::dword(DWORD value)
{
    word(static_cast<WORD>(value & 0xFFFF));
    word(static_cast<WORD>(value >> 16));
}

void DialogTemplate::text(const std::wstring& value)
{
    for (wchar_t c : value) word(static_cast<WORD>(c));
    word(0);
}

void DialogTemplate::align()
{
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
}

DialogTemplate templateOf(const WindowForm& form, DWORD style, const std::wstring& text)
{
    style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | (form.resizable ? WS_THICKFRAME : DS_MODALFRAME);
    DialogTemplate made(wide(form.title), style, 0, {0, 0, form.width, form.height}, wide(form.fontName),
                        static_cast<WORD>(form.fontPoints));
    constexpr DWORD shown = WS_VISIBLE;
    for (const WindowControl& c : form.controls) {
        switch (c.kind) {
        case WindowControlKind::DefaultButton:
            made.add(L"BUTTON", wide(c.text), BS_DEFPUSHBUTTON | WS_TABSTOP | shown, 0, c.id, c.at);
            break;
        case WindowControlKind::Button:
            made.add(L"BUTTON", wide(c.text), BS_PUSHBUTTON | WS_TABSTOP | shown, 0, c.id, c.at);
            break;
        case WindowControlKind::Text:
            made.add(L"STATIC", text, SS_LEFT | WS_GROUP | shown, 0, c.id, c.at);
            break;
        case WindowControlKind::Browser: // a hidden place; the control itself takes the tab stop
            made.add(L"STATIC", L"", 0, 0, c.id, c.at);
            break;
        case WindowControlKind::HistoryArrows:
            made.add(UPDOWN_CLASSW, L"", UDS_HORZ | UDS_ARROWKEYS | shown, 0, c.id, c.at);
            break;
        case WindowControlKind::List:
            made.add(WC_LISTVIEWW, L"", LVS_REPORT | WS_BORDER | WS_TABSTOP | shown, 0, c.id, c.at);
            break;
        }
    }
    return made;
}

} // namespace rivetbay::win32
