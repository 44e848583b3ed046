#pragma once

// The editor's dialogs and wait cursor as Windows shows them: the common
// file dialogs, message boxes, a task dialog for the question on closing.

#include "app/UiServices.h"

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

namespace rivetbay::win32 {

// What a request hands the common file dialog: title, filter, the proposed
// name in `file` (which the dialog fills with the choice), the folder, and the
// options: a save asks before replacing a file, an open needs its folder to exist.
struct FileDialogSetup {
    std::wstring title, filter, suffix, directory;
    std::vector<wchar_t> file;
    OPENFILENAMEW dialog{};
};
void setUpFileDialog(const FileDialogRequest& request, HWND owner, FileDialogSetup& setup);

// The answer of the Yes/No/Cancel box that stands in where the task dialog is missing.
CloseAnswer closeAnswerFromBox(int pressed);

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
