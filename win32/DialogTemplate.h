#pragma once

// A dialog template built in memory (DLGTEMPLATEEX), so that a dialog comes
// from a table of controls in dialog units and the dialog manager converts
// the units exactly as for a template in the resources.

#include "app/DialogRect.h"
#include "app/WindowForms.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rivetbay::win32 {

using UnitRect = DialogRect;

class DialogTemplate {
public:
    DialogTemplate(const std::wstring& title, DWORD style, DWORD exStyle, UnitRect at,
                   const std::wstring& font, WORD points);

    void add(const std::wstring& windowClass, const std::wstring& text, DWORD style, DWORD exStyle,
             int id, UnitRect at);

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void word(WORD value);
    void dword(DWORD value);
    void text(const std::wstring& value);
    void align();

    std::vector<std::uint8_t> bytes_;
    std::size_t countAt_ = 0;
    WORD count_ = 0;
};

// A small window's form as a template: `style` adds to the frame its form
// asks for, and `text` is the text control's.
DialogTemplate templateOf(const WindowForm& form, DWORD style, const std::wstring& text);

} // namespace rivetbay::win32
