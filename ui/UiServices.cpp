#include "ui/UiServices.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

namespace rivetbay {

std::optional<QString> QtUiServices::chooseFile(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent, request.title, request.directory, request.filter);
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An open dialog accepts a name that does not exist; the load reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.showHidden || !request.sidebarFolders.isEmpty()) {
        // Only Qt's own dialog can list hidden folders and take extra places.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (request.showHidden) dialog.setFilter(dialog.filter() | QDir::Hidden);
        QList<QUrl> places = dialog.sidebarUrls();
        for (const QString& folder : request.sidebarFolders)
            places.append(QUrl::fromLocalFile(folder));
        dialog.setSidebarUrls(places);
    }
    placeDialog(dialog, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

void QtUiServices::showMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                               const QString& text)
{
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information,
                    caption, text, QMessageBox::Ok, parent);
    placeDialog(box, parent);
    box.exec();
}

void QtUiServices::pushWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtUiServices::popWaitCursor() { QApplication::restoreOverrideCursor(); }

void placeDialog(QWidget& dialog, QWidget* owner)
{
    if (owner && owner->isVisible()) return; // the toolkit centres it over its owner
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    dialog.adjustSize();
    QRect frame(QPoint(0, 0), dialog.size());
    frame.moveCenter(screen->availableGeometry().center());
    dialog.move(frame.topLeft());
}

QString applicationName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace rivetbay
