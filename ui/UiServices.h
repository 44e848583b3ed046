#pragma once

// File dialogs, message boxes and the wait cursor, behind one interface so
// that tests replace them and never block on a modal dialog.

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace rivetbay {

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString title;
    QString filter;        // e.g. "Rivetbay Car (*.rbc)"
    QString defaultSuffix; // without the dot
    QString directory;
    bool showHidden = false;    // hidden folders listed too (Wine prefixes are)
    QStringList sidebarFolders; // offered beside the platform's own places
};

enum class MessageIcon { Information, Stop };

class UiServices {
public:
    virtual ~UiServices() = default;
    virtual std::optional<QString> chooseFile(QWidget* parent,
                                              const FileDialogRequest& request) = 0;
    virtual void showMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                             const QString& text) = 0;
    virtual void pushWaitCursor() = 0;
    virtual void popWaitCursor() = 0;
};

// The real dialogs and cursors.
class QtUiServices final : public UiServices {
public:
    std::optional<QString> chooseFile(QWidget* parent, const FileDialogRequest& request) override;
    void showMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                     const QString& text) override;
    void pushWaitCursor() override;
    void popWaitCursor() override;
};

// Answers every dialog with "cancel" and shows nothing: for the programs that
// drive the window without a person (the screenshot maker, the benchmark).
class SilentServices final : public UiServices {
public:
    std::optional<QString> chooseFile(QWidget*, const FileDialogRequest&) override { return {}; }
    void showMessage(QWidget*, MessageIcon, const QString&, const QString&) override {}
    void pushWaitCursor() override {}
    void popWaitCursor() override {}
};

// Shows the wait cursor for its lifetime, and always restores it.
class WaitCursor {
public:
    explicit WaitCursor(UiServices& services) : services_(services) { services_.pushWaitCursor(); }
    ~WaitCursor() { services_.popWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UiServices& services_;
};

// Places a dialog over its owner, or in the middle of the screen while the
// owner is not shown yet (before the editor appears).
void placeDialog(QWidget& dialog, QWidget* owner);

// The application's name: the executable's file name without its extension.
QString applicationName();

} // namespace rivetbay
