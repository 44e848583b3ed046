#pragma once

// The editor's dialogs and wait cursor as Qt shows them.

#include "app/UiServices.h"

#include <QRect>
#include <QString>

class QWidget;

namespace rivetbay {

class QtUiServices final : public UiServices {
public:
    // Boxes and dialogs belong to the window on top, or else to `owner`.
    void setOwner(QWidget* owner) { owner_ = owner; }

    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest& request) override;
    void showMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override;
    CloseAnswer askToSave(const std::string& caption, const std::string& text) override;
    void pushWaitCursor() override;
    void popWaitCursor() override;

private:
    QWidget* parent() const;

    QWidget* owner_ = nullptr;
};

// Places a dialog over its owner, or in the middle of the screen while the
// owner is not shown yet (before the editor appears).
void placeDialog(QWidget& dialog, QWidget* owner);

// Where a window of `size` goes: centred in `available` where it fits, and
// never with its top-left corner outside it.
QPoint placeOnScreen(const QRect& available, const QSize& size);

// Qt's own file dialog keeps its history and places in the player's
// QtProject.conf. Each call points the toolkit's settings at a new empty
// folder of its own, removed with the next call or at exit: nothing is
// written outside the program's files, and no dialog inherits another's places.
void keepToolkitSettingsAway();

// The application's name: the executable's file name without its extension.
QString applicationName();

// Paths reach the core as made from UTF-16, never through a narrow code page.
std::filesystem::path pathFromQString(const QString& path);
QString qStringFromPath(const std::filesystem::path& path);

} // namespace rivetbay
