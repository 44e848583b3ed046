#include "app/Startup.h"
#include "ui/UiServices.h"

#include "TempDir.h"
#include "WhenShown.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QScreen>

#include <gtest/gtest.h>

namespace rivetbay {
namespace {

// Where the real message box appears for an owner that is not shown yet.
QRect messageBoxFrameFor(QWidget* owner)
{
    QRect seen;
    const testkit::WhenShown read(testkit::activeModal, [&](QWidget* box) {
        seen = box->geometry();
        box->close();
    });
    QtUiServices services;
    services.setOwner(owner);
    services.showMessage(MessageIcon::Information, firstRunCaption, firstRunText); // wraps
    return seen;
}

TEST(UiServices, BoxesBeforeTheEditorIsShownAreCentredOnTheScreen)
{
    QDialog hiddenEditor;
    hiddenEditor.resize(600, 400);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect box = messageBoxFrameFor(&hiddenEditor);
    ASSERT_FALSE(box.isNull());
    EXPECT_NEAR(box.center().x(), screen.center().x(), 2);
    EXPECT_NEAR(box.center().y(), screen.center().y(), 2);
}

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
    FileDialogRequest request;
    request.showHidden = true;
    request.places = {{"Wine (~/.wine)", a / "drive_c"}, {"Steam 12345", b / "drive_c"}};
    QStringList shown;
    const testkit::WhenShown read(testkit::activeModal, [&](QWidget* dialog) {
        if (auto* sidebar = dialog->findChild<QAbstractItemView*>("sidebar"))
            for (int row = 0; row < sidebar->model()->rowCount(); ++row)
                shown << sidebar->model()->index(row, 0).data().toString();
        dialog->close();
    });
    QtUiServices services;
    EXPECT_FALSE(services.chooseFile(request));
    EXPECT_TRUE(shown.contains("Wine (~/.wine)")) << shown.join(", ").toStdString();
    EXPECT_TRUE(shown.contains("Steam 12345")) << shown.join(", ").toStdString();
}

} // namespace
} // namespace rivetbay
