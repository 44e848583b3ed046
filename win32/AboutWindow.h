#pragma once

// The About window: the program's About page in the web-browser control,
// with back and forward arrows, "Reload" and "Stop".

#include "app/UiServices.h"
#include "app/WindowForms.h"
#include "win32/CBrowser.h"

#include <windows.h>

#include <memory>
#include <string>

namespace rivetbay::win32 {

class AboutWindow {
public:
    AboutWindow(HINSTANCE instance, UiServices& services, std::string applicationName,
                std::unique_ptr<CBrowser> browser = std::make_unique<CBrowser>());
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Modal over `owner` until its default button, Escape or the close box; -1 when the
    // browser control could not be created.
    INT_PTR run(HWND owner);
    // The same window hidden and modeless, for tests.
    HWND create(HWND owner);

    HWND window() const { return window_; }
    CBrowser& browser() { return *browser_; }
    // What the opening navigated to: the page beside the program.
    const std::wstring& pageAddress() const { return pageAddress_; }

    static constexpr int browserId = AboutForm::browserId;
    static constexpr int arrowsId = AboutForm::arrowsId;
    static constexpr int reloadId = AboutForm::reloadId;
    static constexpr int stopId = AboutForm::stopId;

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool initialise();
    void report(const std::string& refusal);
    void showPendingRefusal();

    static constexpr UINT showRefusal = WM_APP + 1;
    void end(INT_PTR result);

    HINSTANCE instance_;
    UiServices& services_;
    std::string applicationName_;
    std::unique_ptr<CBrowser> browser_;
    HWND window_ = nullptr;
    bool modal_ = false;
    std::wstring pageAddress_;
    std::string refusal_; // posted, not yet shown
};

} // namespace rivetbay::win32
