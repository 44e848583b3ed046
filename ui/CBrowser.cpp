#include "ui/CBrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace rivetbay {

CBrowser::CBrowser(QWidget* parent, QString folder)
    : QTextBrowser(parent), folder_(std::move(folder))
{
    setOpenLinks(true);
    setOpenExternalLinks(true);
}

QString CBrowser::programFolder() { return pageFolderFor(QCoreApplication::applicationDirPath()); }

QString CBrowser::pageFolderFor(const QString& programDirectory)
{
    const QDir program(programDirectory);
    const QString installed = program.absoluteFilePath("../share/rivetbay");
    const bool besideProgram = QFileInfo::exists(program.filePath("Rivetbay.html"));
    const QString folder = !besideProgram && QFileInfo::exists(installed + "/Rivetbay.html")
                               ? QDir::cleanPath(installed)
                               : program.absolutePath();
    return QDir::toNativeSeparators(folder + "/");
}

QString CBrowser::GoBack()
{
    if (!isBackwardAvailable()) return "There is no page to go back to.";
    backward();
    return {};
}

QString CBrowser::GoForward()
{
    if (!isForwardAvailable()) return "There is no page to go forward to.";
    forward();
    return {};
}

void CBrowser::Navigate(const QString& address)
{
    if (!QFileInfo(address).isReadable()) {
        // Shown in place of the page, as a browser shows a page it cannot load.
        setPlainText(
            QString("The page %1 could not be loaded.").arg(QDir::toNativeSeparators(address)));
        return;
    }
    setSource(QUrl::fromLocalFile(address));
}

void CBrowser::Refresh() { reload(); }

} // namespace rivetbay
