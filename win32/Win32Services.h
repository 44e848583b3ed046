#pragma once

// The editor's dialogs and wait cursor as Windows shows them: the common
// file dialogs, message boxes, a task dialog for the question on closing.

#include "app/UiServices.h"

#include <windows.h>

namespace rivetbay::win32 {

class Win32Services final : public UiServices {
public:
    // Boxes and dialogs belong to the active window of this thread, or else to `owner`.
    void setOwner(HWND owner) { owner_ = owner; }

    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest& request) override;
    void showMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override;
    CloseAnswer askToSave(const std::string& caption, const std::string& text) override;
    void pushWaitCursor() override;
    void popWaitCursor() override;

private:
    HWND parent() const;

    HWND owner_ = nullptr;
    int waiting_ = 0;
};

} // namespace rivetbay::win32
