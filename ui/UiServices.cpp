#include "ui/UiServices.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace rivetbay {

std::optional<QString> QtUiServices::chooseFile(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent, request.title, request.directory, request.filter);
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An open dialog accepts a name that does not exist; the load reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

void QtUiServices::showMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                               const QString& text)
{
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information,
                    caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtUiServices::pushWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtUiServices::popWaitCursor() { QApplication::restoreOverrideCursor(); }

QString applicationName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace rivetbay
