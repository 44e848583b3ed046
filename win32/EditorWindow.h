#pragma once

// The editor's native Windows window: a dialog built from the form table,
// each notification handed to the Editor, and the controls shown as the
// Editor tells. Controls carry the form's ids, so tools find them.

#include "app/Editor.h"
#include "app/EditorView.h"
#include "app/KeyRepeatGate.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>

namespace rivetbay::win32 {

// The windows the editor opens over itself; tests give their own.
struct EditorWindows {
    std::function<void(HWND owner)> about;
    std::function<void(HWND owner)> hackbuster;
    // The editor's window as soon as it exists, before the start-up's dialogs,
    // so that they have it as their owner.
    std::function<void(HWND editor)> created;
};

class EditorWindow final : public EditorView {
public:
    EditorWindow(HINSTANCE instance, UiServices& services, EditorStart start);
    ~EditorWindow() override;
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    void setWindows(EditorWindows windows) { windows_ = std::move(windows); }
    // Creates the dialog, which runs the start-up as its initialisation;
    // hidden for tests and the benchmark.
    HWND create(bool visible);
    // The messages of the editor and its Hackbuster windows until the editor ends.
    int run();
    // One message as the loop hands it on: the window's keys first, then the dialogs'.
    void deliver(MSG& message);

    HWND window() const { return window_; }
    Editor& editor() { return editor_; }
    bool ended() const { return ended_; }

    int selection(int id) const override;
    void setSelection(int id, int index) override;
    bool checked(int id) const override;
    void setChecked(int id, bool checked) override;
    std::string text(int id) const override;
    void setText(int id, const std::string& text) override;
    void enable(int id, bool enabled) override;
    void fillList(int id, const std::vector<std::string>& entries) override;
    void focus(int id) override;
    void showAbout() override;
    void showHackbuster() override;
    void closeEditor() override;

    // A paste into the name box: what the game can store, cut where typing
    // would stop.
    void insertIntoName(HWND edit, const std::wstring& typed);
    // A beep and a tip at the name box: what was typed or pasted lost characters.
    void nameCharactersDropped();
    void hideNameTip();
    HWND nameEdit() const { return nameEdit_; }

    // The window's own menu as it stands now, for the caller to destroy.
    HMENU buildMenu() const;

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProcedure(HWND control, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void initialise();
    void command(int id, int code);
    bool spinStep(NMUPDOWN& change);
    void contextMenu(int x, int y);
    void paintIcon();
    // The icons for a window drawn at `dpi`, set on the window.
    void loadIcons(UINT dpi);
    LRESULT control(HWND control, UINT message, WPARAM wParam, LPARAM lParam, int id);
    void pasteName(HWND edit);
    HWND item(int id) const { return GetDlgItem(window_, id); }

    HINSTANCE instance_;
    EditorStart start_;
    Editor editor_;
    EditorWindows windows_;
    HWND window_ = nullptr;
    HWND nameEdit_ = nullptr;
    HWND nameTip_ = nullptr;
    static constexpr UINT_PTR hideNameTipTimer = 1;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    int iconSize_ = 0; // the big icon's width and height
    HACCEL keys_ = nullptr;
    bool ended_ = false;
    bool running_ = false; // in run(): its end ends the message loop
    std::map<int, bool> freshPress_; // a spin pressed or keyed anew, not yet stepped
    KeyRepeatGate keyRepeats_;
};

} // namespace rivetbay::win32
