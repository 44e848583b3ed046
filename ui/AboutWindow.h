#pragma once

// The About window: the program's About page in an HTML view, with back and
// forward arrows, "Reload" and "Stop".

#include <QDialog>

namespace rivetbay {

class CBrowser;
class UiServices;

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(UiServices& services, QWidget* owner, const QString& pageFolder);

    CBrowser* browser() const { return browser_; }

private:
    void report(const QString& error);

    UiServices& services_;
    CBrowser* browser_ = nullptr;
};

} // namespace rivetbay
