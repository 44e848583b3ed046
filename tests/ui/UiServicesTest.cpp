#include "ui/UiServices.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

namespace rivetbay {
namespace {

// Where the real message box appears for an owner that is not shown yet.
QRect messageBoxFrameFor(QWidget* owner)
{
    QRect seen;
    QTimer::singleShot(50, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            seen = box->geometry();
            box->close();
        }
    });
    QtUiServices services;
    services.setOwner(owner);
    services.showMessage(MessageIcon::Information, "Caption", "Before the editor shows.");
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

} // namespace
} // namespace rivetbay
