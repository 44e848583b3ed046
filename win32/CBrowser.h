#pragma once

// The About window's HTML view: the Windows Web Browser control hosted in a
// small OLE site, each operation one call on its dispatch interface by
// dispatch id.

#include <windows.h>
#include <ole2.h>

#include <optional>
#include <string>

namespace rivetbay::win32 {

class CBrowser {
public:
    CBrowser() = default;
    virtual ~CBrowser();
    CBrowser(const CBrowser&) = delete;
    CBrowser& operator=(const CBrowser&) = delete;

    // The control in `at` of `parent`, active in place; false when it cannot be created.
    bool create(HWND parent, const RECT& at);
    bool created() const { return browser_ != nullptr; }

    // Each gives an empty text on success, else the component's refusal.
    // The buttons' verbs are virtual so a test can see which one a press asked.
    virtual std::string GoBack();
    virtual std::string GoForward();
    std::string Navigate(const std::wstring& address);
    virtual std::string Refresh();
    virtual std::string Stop();
    // The running program's folder, ending in a separator; nothing when the
    // component cannot tell.
    std::optional<std::wstring> GetPath();

private:
    class Site;
    std::string invoke(DISPID id, WORD kind, VARIANT* arguments, UINT count, VARIANT* result);

    Site* site_ = nullptr;
    IOleObject* object_ = nullptr;
    IDispatch* browser_ = nullptr;
};

} // namespace rivetbay::win32
