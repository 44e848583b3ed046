#include "ui/UiServices.h"

#include <QAbstractItemView>
#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

namespace rivetbay {

namespace {

// A message box that places itself once its size is final: its text wraps
// only as it is shown, so a place computed before would stand off centre.
class PlacedMessageBox final : public QMessageBox {
public:
    PlacedMessageBox(Icon icon, const QString& caption, const QString& text, StandardButtons buttons,
                     QWidget* owner)
        : QMessageBox(icon, caption, text, buttons, owner), owner_(owner)
    {
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event); // lays the text out
        placeDialog(*this, owner_);
    }

private:
    QWidget* owner_;
};

// The places' own names in Qt's dialog sidebar, which otherwise shows each
// folder's name ("drive_c" three times for three Wine prefixes).
void namePlaces(QFileDialog& dialog, const std::vector<FilePlace>& places)
{
    auto* sidebar = dialog.findChild<QAbstractItemView*>("sidebar");
    if (!sidebar || !sidebar->model()) return;
    QAbstractItemModel* model = sidebar->model();
    const auto rename = [model, places] {
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, 0);
            const QUrl url = index.data(Qt::UserRole + 1).toUrl(); // the sidebar's address role
            for (const FilePlace& place : places)
                if (url == QUrl::fromLocalFile(qStringFromPath(place.folder)) &&
                    index.data().toString() != QString::fromStdString(place.label))
                    model->setData(index, QString::fromStdString(place.label));
        }
    };
    rename();
    // The sidebar names a place afresh whenever its folder's details arrive.
    QObject::connect(model, &QAbstractItemModel::dataChanged, &dialog, rename);
    // Wide enough for the names.
    int widest = 0;
    for (const FilePlace& place : places)
        widest = std::max(widest, sidebar->fontMetrics().horizontalAdvance(
                                      QString::fromStdString(place.label)));
    if (widest == 0) return;
    const int icon = sidebar->iconSize().isValid() ? sidebar->iconSize().width()
                                                   : sidebar->style()->pixelMetric(QStyle::PM_SmallIconSize);
    const int side = widest + 3 * icon; // the icon, and room around it and the name
    sidebar->setMinimumWidth(side); // splitter sizes alone give way as the dialog is laid out
    if (auto* splitter = dialog.findChild<QSplitter*>("splitter"))
        splitter->setSizes({side, std::max(side, dialog.width() - side)});
}

// Opening refuses a name in a folder that does not exist, as the platform's
// own dialogs do with their path-must-exist option; the file itself need not
// exist, since the load reports that.
class CarFileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (acceptMode() == AcceptOpen && !chosen.isEmpty()) {
            const QFileInfo file(chosen.first());
            if (!file.isDir() && !file.absoluteDir().exists()) {
                QMessageBox::warning(this, windowTitle(),
                                     "The folder " + QDir::toNativeSeparators(file.absolutePath()) +
                                         " does not exist.");
                return;
            }
        }
        QFileDialog::accept();
    }
};

QString filterText(const FileFilter& filter)
{
    const QString label = QString::fromStdString(filter.label);
    if (label.contains('(')) return label; // the toolkit reads the patterns from the label
    return label + " (" + QString::fromStdString(filter.patterns).replace(';', ' ') + ")";
}

} // namespace

// A path is the file system's bytes, as the toolkit names them (the Qt
// windows are Linux's; Windows has its native ones).
std::filesystem::path pathFromQString(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}
QString qStringFromPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

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
    keepToolkitSettingsAway();
    CarFileDialog dialog(owner, QString::fromStdString(request.title),
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
        namePlaces(dialog, request.places);
    }
    placeDialog(dialog, owner);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return pathFromQString(dialog.selectedFiles().first());
}

void QtUiServices::showMessage(MessageIcon icon, const std::string& caption,
                               const std::string& text)
{
    QWidget* owner = parent();
    PlacedMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical
                                                   : QMessageBox::Information,
                         QString::fromStdString(caption), QString::fromStdString(text),
                         QMessageBox::Ok, owner);
    box.exec();
}

CloseAnswer QtUiServices::askToSave(const std::string& caption, const std::string& text)
{
    QWidget* owner = parent();
    PlacedMessageBox box(QMessageBox::Question, QString::fromStdString(caption),
                         QString::fromStdString(text),
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    // Alt+S and Alt+D, as the Windows question has them.
    box.button(QMessageBox::Save)->setText("&Save");
    box.button(QMessageBox::Discard)->setText("&Discard");
    box.button(QMessageBox::Cancel)->setText("Cancel");
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
    if (!dialog.isVisible()) dialog.adjustSize();
    dialog.move(placeOnScreen(screen->availableGeometry(), dialog.size()));
}

QPoint placeOnScreen(const QRect& available, const QSize& size)
{
    // A window larger than the screen starts at its top-left corner, so that
    // its title bar, which the window manager puts above this point, shows.
    return {available.x() + std::max(0, (available.width() - size.width()) / 2),
            available.y() + std::max(0, (available.height() - size.height()) / 2)};
}

void keepToolkitSettingsAway()
{
    static std::unique_ptr<QTemporaryDir> away;
    auto fresh = std::make_unique<QTemporaryDir>();
    if (!fresh->isValid()) return; // the previous folder, if any, stays in use
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, fresh->path());
    away = std::move(fresh);
}

QString applicationName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace rivetbay
