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

TEST_F(WindowTest, DropsLoadTheFirstLocalFile)
{
    const auto a = saveCar("first.car", {.model = 9}), b = saveCar("second.rbc", {.model = 22});
    startEditor(b);
    EXPECT_EQ(text("modelPrice"), "4740");
    drop({QUrl("https://example.org/car.rbc"), QUrl::fromLocalFile(qpath(a))});
    EXPECT_EQ(list("modelList")->currentIndex(), 22); // an address that is no local file
    drop({QUrl::fromLocalFile(qpath(a)), QUrl::fromLocalFile(qpath(b))});
    EXPECT_EQ(list("modelList")->currentIndex(), 9); // only the first
    EXPECT_EQ(QApplication::focusWidget(), find<QPushButton>("openButton"));
    // A source that proposes a move (Shift held) gets a copy: the file is only read.
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(qpath(b))});
    const auto both = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(5, 5), both, &mime, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(enter.proposedAction(), Qt::MoveAction);
    QApplication::sendEvent(editor_.get(), &enter);
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent moved(QPointF(5, 5), both, &mime, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(editor_.get(), &moved);
    EXPECT_TRUE(moved.isAccepted());
    EXPECT_EQ(moved.dropAction(), Qt::CopyAction);
    EXPECT_EQ(list("modelList")->currentIndex(), 22);
}

// A file manager drops a name that is not UTF-8 as its bytes, percent-encoded;
// undoing the load aims the close question at the file before it again.
TEST_F(WindowTest, ADroppedLatin1NameLoadsAndUndoingItAimsSaveBack)
{
    startEditor(saveCar("a.rbc", spreadCar()));
    saveCar("caf\xE9.rbc", {.model = 22});
    step("armorFrontSpin", true);
    QMimeData mime;
    mime.setData("text/uri-list", "file://" + QUrl::toPercentEncoding(qpath(dir_.path()), "/") + "/caf%E9.rbc\r\n");
    drop(mime);
    EXPECT_EQ(list("modelList")->currentIndex(), 22);
    auto* open = find<QPushButton>("openButton");
    QTest::keyClick(open, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(list("modelList")->currentIndex(), 1);
    QTest::keyClick(open, Qt::Key_Escape); // the fake answers Cancel
    ASSERT_EQ(services_.questions.size(), 1u);
    EXPECT_EQ(services_.questions[0], "Save changes to the design in a.rbc before closing?");
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

TEST_F(WindowTest, AHeldArrowIsOneStepToUndoAndEachClickAnother)
{
    startEditor(saveCar("spread.rbc", spreadCar()));
    QToolButton* down = find<SpinArrows>("armorFrontSpin")->decreaseButton();
    // Two quick clicks: the second arrives as a double click, and is a click.
    QTest::mouseClick(down, Qt::LeftButton);
    const QPointF middle = QRectF(down->rect()).center();
    QMouseEvent twice(QEvent::MouseButtonDblClick, middle, down->mapToGlobal(middle), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(down, &twice);
    QTest::mouseRelease(down, Qt::LeftButton);
    ASSERT_EQ(text("armorFrontField"), "39");
    editor_->editor().undo();
    EXPECT_EQ(text("armorFrontField"), "40");
    editor_->editor().undo();
    ASSERT_EQ(text("armorFrontField"), "41");

    QTest::mousePress(down, Qt::LeftButton);
    // Held until it has repeated twice, then released (the release steps once more).
    ASSERT_TRUE(testkit::waitFor([&] { return text("armorFrontField").toInt() <= 39; }));
    QTest::mouseRelease(down, Qt::LeftButton);
    step("armorFrontSpin", false);                  // a second press
    const int afterHold = text("armorFrontField").toInt() + 1;
    editor_->editor().undo();
    EXPECT_EQ(text("armorFrontField").toInt(), afterHold);
    editor_->editor().undo();
    EXPECT_EQ(text("armorFrontField"), "41");
}

TEST_F(WindowTest, EscapeWithChangesAsksAndCtrlZTakesTheChangeBack)
{
    startEditor();
    list("modelList")->setCurrentIndex(16);
    QTest::keyClick(editor_.get(), Qt::Key_Escape); // the fake answers Cancel
    ASSERT_EQ(services_.questions.size(), 1u);
    EXPECT_TRUE(editor_->isVisible());
    auto* field = find<QLineEdit>("armorFrontField");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(list("modelList")->currentIndex(), 0);
    QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(list("modelList")->currentIndex(), 16);
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // redo too
    EXPECT_EQ(list("modelList")->currentIndex(), 16);
    // The window's menu is the command table's, greyed where there is nothing to take;
    // a name being typed is taken before it opens.
    typeName(list("nameBox"), "Typed");
    QStringList offered, table;
    const testkit::WhenShown read(testkit::activePopup, [&](QWidget* menu) {
        for (QAction* action : menu->actions())
            offered << (action->isSeparator() ? "-" : action->text() + " " + action->shortcut().toString() +
                                                          (action->isEnabled() ? "" : " (grey)"));
        menu->close();
    });
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), editor_->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(editor_.get(), &menu);
    for (const CommandEntry& e : EditorCommands::entries()) {
        if (e.separatorBefore) table << "-";
        table << QString(e.text) + " " + (e.keyShown ? EditorCommands::keyText(e.keys.front()).c_str() : "") +
                     (editor_->editor().enabled(e.command) ? "" : " (grey)");
    }
    EXPECT_EQ(offered, table);
    EXPECT_TRUE(table.join("").contains("(grey)")); // redo, with nothing undone
    EXPECT_EQ(list("nameBox")->currentText(), "Typed");
    EXPECT_EQ(editor_->config().name, "Typed");
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

TEST_F(WindowTest, TheNameBoxKeepsItsCaretAndOnlyWhatTheGameCanStore)
{
    startEditor();
    QLineEdit* edit = list("nameBox")->lineEdit();
    typeName(list("nameBox"), "Speedy");
    edit->setCursorPosition(3);
    step("transferSpin", false); // a pass while the name is being typed
    QTest::keyClicks(edit, "Go");
    EXPECT_EQ(edit->text(), "SpeGoedy");
    // A paste longer than the box keeps what fits; one the game cannot store, what it can.
    edit->clear();
    edit->insert(QString(60, 'W'));
    EXPECT_GT(edit->text().size(), 3);
    EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()), edit->contentsRect().width());
    edit->clear();
    edit->insert(QString::fromUtf8("\xC5\x81\xC3\xB3" "d\xC5\xBA \xE2\x82\xAC"));
    EXPECT_EQ(edit->text(), QString::fromUtf8("\xC3\xB3" "d \xE2\x82\xAC"));
    // Said where the player looks, and only when something was left out.
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), EditorForm::nameCharactersTip);
    QToolTip::hideText();
    ASSERT_TRUE(testkit::waitFor([] { return !QToolTip::isVisible(); }));
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xE6\x97\xA5"));
    QApplication::sendEvent(edit, &typed); // typed: refused
    EXPECT_EQ(edit->text(), QString::fromUtf8("\xC3\xB3" "d \xE2\x82\xAC"));
    EXPECT_TRUE(QToolTip::isVisible());
    QToolTip::hideText();
    ASSERT_TRUE(testkit::waitFor([] { return !QToolTip::isVisible(); }));
    QTest::keyClicks(edit, "x");
    EXPECT_FALSE(QToolTip::isVisible());
    // Alt with a letter that is no mnemonic types nothing.
    for (const Qt::Key key : {Qt::Key_E, Qt::Key_H, Qt::Key_X}) // to the box, as the window system sends them
        QTest::keyClick(list("nameBox"), key, Qt::AltModifier);
    EXPECT_EQ(edit->text(), QString::fromUtf8("\xC3\xB3" "d \xE2\x82\xACx"));
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
