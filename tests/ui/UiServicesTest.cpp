#include "app/ExportToGame.h"
#include "app/Startup.h"
#include "files/CarFile.h"
#include "ui/UiServices.h"

#include "Testkit.h"
#include "WhenShown.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>

#include <cstdlib>

namespace rivetbay {
namespace {

TEST(UiServices, AWindowLargerThanTheScreenStartsAtItsCorner)
{
    const QRect screen(100, 50, 640, 450);
    EXPECT_EQ(placeOnScreen(screen, {440, 350}), QPoint(200, 100));
    EXPECT_EQ(placeOnScreen(screen, {966, 744}), QPoint(100, 50)); // twice the scale
    EXPECT_EQ(placeOnScreen(screen, {600, 744}), QPoint(120, 50));
}

TEST(UiServices, WinePlacesAreShownByTheirOwnNames)
{
    testkit::TempDir a, b;
    std::filesystem::create_directory(a / "drive_c");
    std::filesystem::create_directory(b / "drive_c");
    const FileDialogRequest request{.showHidden = true,
                                    .places = {{"Wine (~/.wine)", a / "drive_c"}, {"Steam 12345", b / "drive_c"}}};
    QStringList shown;
    int room = 0, needed = 0;
    const testkit::WhenShown read(testkit::activeModal, [&](QWidget* dialog) {
        if (auto* sidebar = dialog->findChild<QAbstractItemView*>("sidebar")) {
            for (int row = 0; row < sidebar->model()->rowCount(); ++row)
                shown << sidebar->model()->index(row, 0).data().toString();
            room = sidebar->viewport()->width();
            needed = sidebar->fontMetrics().horizontalAdvance("Wine (~/.wine)") +
                     sidebar->style()->pixelMetric(QStyle::PM_SmallIconSize);
        }
        dialog->close();
    });
    QtUiServices services;
    EXPECT_FALSE(services.chooseFile(request));
    EXPECT_TRUE(shown.contains("Wine (~/.wine)")) << shown.join(", ").toStdString();
    EXPECT_TRUE(shown.contains("Steam 12345")) << shown.join(", ").toStdString();
    EXPECT_GE(room, needed); // the names whole
    // The toolkit's own memory of the dialog stays out of the player's folders.
    const QString kept = QSettings(QSettings::UserScope, "QtProject").fileName();
    EXPECT_FALSE(kept.startsWith(QDir::homePath())) << kept.toStdString();
    EXPECT_FALSE(kept.startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
}

TEST(UiServices, TheQuestionTheSaveDialogAndTheCursorAsThePlayerMeetsThem)
{
    QtUiServices services;
    // Escape is Cancel, never Discard; Save is the button Enter presses.
    QString defaultButton;
    const auto escape = testkit::whenModal<QMessageBox>([&](QMessageBox* box) {
        defaultButton = box->defaultButton() ? box->defaultButton()->text() : "";
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(services.askToSave("Rivetbay", "Save changes to the design before closing?"), CloseAnswer::Cancel);
    EXPECT_EQ(defaultButton, "&Save");
    // The buttons as a player reads them, and Alt with a letter presses one.
    QStringList buttons;
    const auto discard = testkit::whenModal<QMessageBox>([&](QMessageBox* box) {
        for (QAbstractButton* b : box->buttons()) buttons << b->text();
        QTest::keyClick(box, Qt::Key_D, Qt::AltModifier);
    });
    EXPECT_EQ(services.askToSave("Rivetbay", "Save changes to the design before closing?"), CloseAnswer::Discard);
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"&Discard", "&Save", "Cancel"}));

    // The save dialog proposes the name it is given and asks before replacing a file.
    testkit::TempDir dir;
    QString proposed;
    bool confirms = false;
    const auto read = testkit::whenModal<QFileDialog>([&](QFileDialog* files) {
        if (auto* name = files->findChild<QLineEdit*>("fileNameEdit")) proposed = name->text();
        confirms = !files->testOption(QFileDialog::DontConfirmOverwrite);
        files->reject();
    });
    EXPECT_FALSE(services.chooseFile(
        {.kind = FileDialogRequest::Kind::Save, .directory = dir.path(), .fileName = "Road Hog.rbc"}));
    EXPECT_EQ(proposed, "Road Hog.rbc");
    EXPECT_TRUE(confirms);

    services.pushWaitCursor();
    services.pushWaitCursor();
    services.popWaitCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    services.popWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The file manager's "Export to I'76 Nitro" as its desktop entry runs it,
// against a scratch home: one real box, answered as a player does.
TEST(UiServices, AnExportFromTheFileManagerSaysHowItWentInOneBox)
{
    testkit::TempDir home;
    const QByteArray kept = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.path().string()));
    const EditorLaunch launch =
        launchFrom({"--settings-at-home", "--export", "dusty.rbc"}, home.path(), std::getenv("HOME"));
    qputenv("HOME", kept);
    ASSERT_EQ(launch.startDirectory, home.path());
    std::filesystem::create_directory(home / "addon");
    std::ofstream(home / "Rivetbay.ini") << "[Paths]\nVCF_Path=addon\n";
    ASSERT_TRUE(saveCarFile(home / "dusty.rbc", testkit::dustyDesign()));
    QString text;
    const auto answer = testkit::whenModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QtUiServices services;
    EXPECT_EQ(exportToGame(launch.file, launch.startDirectory, services, "Rivetbay"), 0);
    EXPECT_TRUE(text.startsWith("\"Dusty\" is in the game now, as vgoon4.vcf")) << text.toStdString();
    EXPECT_TRUE(std::filesystem::exists(home / "addon" / "vgoon4.vcf"));
}

TEST(UiServices, OpeningRefusesANameInAFolderThatDoesNotExist)
{
    testkit::TempDir dir;
    const QString missing = QString::fromStdString((dir / "missing" / "x.rbc").string());
    QString warned;
    bool stayed = false;
    const auto box = testkit::whenModal<QMessageBox>([&](QMessageBox* shown) { warned = shown->text(), shown->close(); });
    const auto dialog = testkit::whenModal<QFileDialog>([&](QFileDialog* files) {
        files->findChild<QLineEdit*>("fileNameEdit")->setText(missing); // as typed
        static_cast<QDialog*>(files)->accept(); // the box, answered above
        stayed = files->isVisible();
        files->reject();
    });
    QtUiServices services;
    const QString working = QDir::currentPath(); // where the settings are: never changed
    EXPECT_FALSE(services.chooseFile({.directory = dir.path()}));
    EXPECT_EQ(QDir::currentPath(), working);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(warned, "The folder " + QDir::toNativeSeparators(QFileInfo(missing).absolutePath()) +
                          " does not exist.");
}

} // namespace
} // namespace rivetbay
