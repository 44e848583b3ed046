#pragma once

// The About window's HTML view: Qt's QTextBrowser behind the operations the
// window drives (back, forward, navigate, reload, stop, path).

#include <QString>
#include <QTextBrowser>

namespace rivetbay {

class CBrowser : public QTextBrowser {
    Q_OBJECT
public:
    // `folder` is what GetPath() reports; by default the program's own.
    explicit CBrowser(QWidget* parent, QString folder = programFolder());

    // Each returns an empty text on success, or why the view refused.
    QString GoBack();
    QString GoForward();
    // A page that cannot be loaded is shown as a page saying so.
    void Navigate(const QString& address);
    void Refresh();
    // The view loads synchronously, so there is never a load to cancel.
    void Stop() {}
    // The folder of the running program, ending in a separator.
    QString GetPath() const { return folder_; }

    // Beside the executable; an installed program keeps its pages in
    // ../share/rivetbay/ instead.
    static QString programFolder();
    static QString pageFolderFor(const QString& programDirectory);

private:
    QString folder_;
};

} // namespace rivetbay
