#include "ui/UiServices.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

namespace rivetbay {

namespace {

QString filterText(const FileFilter& filter)
{
    const QString label = QString::fromStdString(filter.label);
    if (label.contains('(')) return label; // the toolkit reads the patterns from the label
    return label + " (" + QString::fromStdString(filter.patterns).replace(';', ' ') + ")";
}

} // namespace

#ifdef Q_OS_WIN
std::filesystem::path pathFromQString(const QString& path)
{
    return std::filesystem::path(path.toStdWString());
}
QString qStringFromPath(const std::filesystem::path& path)
{
    return QString::fromStdWString(path.native());
}
#else
// Elsewhere a path is the file system's bytes, as the toolkit names them.
std::filesystem::path pathFromQString(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}
QString qStringFromPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}
#endif

QWidget* QtUiServices::parent() const
{
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return owner_;
}

std::optional<std::filesystem::path> QtUiServices::chooseFile(const FileDialogRequest& request)
{
    QStringList filters;
    for (const FileFilter& filter : request.filters) filters.append(filterText(filter));
    QWidget* owner = parent();
    QFileDialog dialog(owner, QString::fromStdString(request.title),
                       qStringFromPath(request.directory), filters.join(";;"));
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An open dialog accepts a name that does not exist; the load reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
    if (request.showHidden || !request.places.empty()) {
        // Only Qt's own dialog can list hidden folders and take extra places.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (request.showHidden) dialog.setFilter(dialog.filter() | QDir::Hidden);
        QList<QUrl> places = dialog.sidebarUrls();
        for (const FilePlace& place : request.places)
            places.append(QUrl::fromLocalFile(qStringFromPath(place.folder)));
        dialog.setSidebarUrls(places);
    }
    placeDialog(dialog, owner);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return pathFromQString(dialog.selectedFiles().first());
}

void QtUiServices::showMessage(MessageIcon icon, const std::string& caption,
                               const std::string& text)
{
    QWidget* owner = parent();
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    owner);
    placeDialog(box, owner);
    box.exec();
}

CloseAnswer QtUiServices::askToSave(const std::string& caption, const std::string& text)
{
    QWidget* owner = parent();
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption),
                    QString::fromStdString(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    placeDialog(box, owner);
    switch (box.exec()) {
    case QMessageBox::Save:
        return CloseAnswer::Save;
    case QMessageBox::Discard:
        return CloseAnswer::Discard;
    default:
        return CloseAnswer::Cancel;
    }
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
