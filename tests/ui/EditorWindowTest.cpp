// The Qt window driven as a player drives it: clicks, keys, drops, the wheel.
// What the editor then does is tested without a toolkit (tests/app); here,
// that each widget hands its event on and shows what it is told.

#include "files/VcfWriter.h"

#include "EditorFixture.h"
#include "WhenShown.h"

#include <QAccessible>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include <functional>

namespace rivetbay {
namespace {

void typeName(QComboBox* box, const QString& text)
{
    box->lineEdit()->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
}

TEST_F(WindowTest, ListsTheTurretBoxAndTheKeysHandTheirEventsOn)
{
    startEditor();
    EXPECT_EQ(editor_->windowTitle(), "  Vexillo's Rivetbay  1.9");
    auto* engines = list("engineList");
    engines->setFocus();
    QTest::keyClick(engines, Qt::Key_Return); // Enter is no default command
    QTest::keyClick(editor_.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(services_.requests.empty());
    for (const char* hidden : {"exportButton", "hackbusterButton"}) { // and nothing a screen reader offers presses them
        EXPECT_FALSE(find<QPushButton>(hidden)->isVisible());
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(find<QPushButton>(hidden));
        EXPECT_TRUE(reader && (!reader->actionInterface() || reader->actionInterface()->actionNames().isEmpty())) << hidden;
    }
    find<QPushButton>("openButton")->setFocus();
    QTest::keyClick(find<QPushButton>("openButton"), Qt::Key_Return);
    EXPECT_EQ(services_.requests.size(), 1u);
    EXPECT_FALSE(list("frontWeapon2List")->isEnabled());
    list("modelList")->setCurrentIndex(25); // Phaedra Coupe: the model-change rule
    EXPECT_EQ(text("armorLeftField"), "18");
    EXPECT_EQ(list("paintList")->itemText(2), "Red");
    list("topWeapon1List")->setCurrentIndex(1); // 30cal MG may sit in a turret
    QTest::mouseClick(find<QCheckBox>("turretBox"), Qt::LeftButton);
    EXPECT_EQ(text("topWeapon1Price"), "825"); // the click recalculated
}

// The transfer's arrows and keys point the way the points go (the sides'
// arrows and keys are driven in the tests of held keys and arrows below).
TEST_F(WindowTest, TheTransferGoesTheWayItsArrowsAndKeysPoint)
{
    startEditor(saveCar("spread.rbc", spreadCar()));
    step("transferSpin", true); // right: armor to chassis
    EXPECT_EQ(text("armorFrontField"), "40");
    EXPECT_EQ(text("chassisFrontField"), "32");
    auto* free = find<QLineEdit>("freePointsField");
    free->setFocus();
    QTest::keyClick(free, Qt::Key_Left); // chassis to armor
    EXPECT_EQ(text("armorFrontField"), "41");
    EXPECT_EQ(text("chassisFrontField"), "31");
}

// What only this toolkit's drops carry: addresses that are no local file, a
// proposed move, and a name that is not UTF-8 as its bytes, percent-encoded.
TEST_F(WindowTest, DropsTakeLocalFilesAsCopiesWhateverTheirNamesBytes)
{
    const auto a = saveCar("first.car", {.model = 9});
    startEditor(saveCar("second.rbc", {.model = 22}));
    drop({QUrl("https://example.org/car.rbc"), QUrl::fromLocalFile(qpath(a))});
    EXPECT_EQ(list("modelList")->currentIndex(), 22);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(qpath(a))});
    const auto both = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(5, 5), both, &mime, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(enter.proposedAction(), Qt::MoveAction);
    QApplication::sendEvent(editor_.get(), &enter);
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent moved(QPointF(5, 5), both, &mime, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(editor_.get(), &moved);
    EXPECT_EQ(moved.dropAction(), Qt::CopyAction);
    EXPECT_EQ(list("modelList")->currentIndex(), 9);
    EXPECT_EQ(QApplication::focusWidget(), find<QPushButton>("openButton"));
    saveCar("caf\xE9.rbc", {.model = 22});
    QMimeData latin1;
    latin1.setData("text/uri-list", "file://" + QUrl::toPercentEncoding(qpath(dir_.path()), "/") + "/caf%E9.rbc\r\n");
    drop(latin1);
    EXPECT_EQ(list("modelList")->currentIndex(), 22);
}

TEST_F(WindowTest, ACarOpenedByItsMnemonicShowsItsOwnName)
{
    const auto loaded = saveCar("loaded.rbc", {.name = "Loaded", .model = 9});
    startEditor();
    typeName(list("nameBox"), "Typed");
    answer(loaded);
    QTest::keyClick(list("nameBox")->lineEdit(), Qt::Key_O, Qt::AltModifier);
    // The button shows its pressed look, then clicks.
    ASSERT_TRUE(testkit::waitFor([&] { return !services_.requests.empty(); }));
    EXPECT_EQ(services_.requests.size(), 1u);
    EXPECT_EQ(list("nameBox")->currentText(), "Loaded");
    EXPECT_EQ(editor_->config().name, "Loaded");
}

TEST_F(WindowTest, TheNameBoxCompletesNothingAndRefusesWhatDoesNotFit)
{
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vgoon4.vcf", {.name = "Road Hog", .model = 16}));
    // A loaded name longer than the box is shown whole from its start, and is no change.
    startEditor(saveCar("long.rbc", {.name = std::string(300, 'N'), .model = 3}));
    auto* name = list("nameBox");
    EXPECT_EQ(name->lineEdit()->cursorPosition(), 0);
    EXPECT_EQ(name->currentText().size(), 300);
    list("modelList")->setCurrentIndex(5);
    editor_->editor().undo(); // an undone name too
    EXPECT_EQ(name->currentText().size(), 300);
    EXPECT_FALSE(editor_->editor().modified());

    list("modelList")->setCurrentIndex(16);
    ASSERT_EQ(name->count(), 1);
    typeName(name, "Road");
    EXPECT_EQ(name->currentText(), "Road");
    QTest::keyClick(name->lineEdit(), Qt::Key_Tab);
    EXPECT_EQ(editor_->config().name, "Road");

    // Opening its own list moves no name; leaving the box does.
    typeName(name, "Popup");
    QFocusEvent toPopup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(name, &toPopup);
    EXPECT_EQ(editor_->config().name, "Road");
    QFocusEvent away(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(name, &away);
    EXPECT_EQ(editor_->config().name, "Popup");
}

TEST_F(WindowTest, KeyRepeatsThatWaitedForASlowStepAreDropped)
{
    startEditor(saveCar("spread.rbc", spreadCar()));
    auto* field = find<QLineEdit>("armorFrontField");
    field->setFocus();
    const auto key = [&](bool repeat, ulong stamp) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), repeat);
        down.setTimestamp(stamp);
        QApplication::sendEvent(field, &down);
    };
    key(false, 50000);
    key(true, 49990); // made while the step ran, then queued behind it
    EXPECT_EQ(text("armorFrontField"), "40");
    key(true, 60000); // a repeat of its own time
    EXPECT_EQ(text("armorFrontField"), "39");
    key(true, 60100);
    EXPECT_EQ(text("armorFrontField"), "38");
    editor_->editor().undo(); // a held key is one step, as a held arrow
    EXPECT_EQ(text("armorFrontField"), "41");
}

TEST_F(WindowTest, TheWheelChangesOnlyAFocusedList)
{
    startEditor();
    auto* models = list("modelList");
    models->setCurrentIndex(5);
    // Spontaneous, as the window system delivers it.
    const auto wheel = [&] {
        const QPointF at = models->geometry().center();
        QWheelEvent event(at, editor_->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&event);
        QApplication::sendEvent(editor_->windowHandle(), &event);
    };
    find<QPushButton>("openButton")->setFocus();
    wheel();
    EXPECT_EQ(models->currentIndex(), 5);
    models->setFocus();
    wheel();
    EXPECT_EQ(models->currentIndex(), 6);
    // Under X11 the toolkit hands the focus to a control that takes it by the
    // wheel before any filter sees the event (seen under Xvfb); no list may.
    for (auto* box : editor_->findChildren<QComboBox*>())
        EXPECT_NE(box->focusPolicy() & Qt::WheelFocus, Qt::WheelFocus) << box->objectName().toStdString();
}

} // namespace
} // namespace rivetbay
