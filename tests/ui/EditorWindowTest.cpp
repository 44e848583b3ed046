// The Qt window driven as a player drives it: clicks, keys, drops, the wheel.
// What the editor then does is tested without a toolkit (tests/app); here,
// that each widget hands its event on and shows what it is told.

#include "files/VcfWriter.h"

#include "EditorFixture.h"
#include "WhenShown.h"

#include <QAccessible>
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

// What a reader learns only from this toolkit: a list labelled by the label
// that names it alone, and no action on a hidden button.
TEST_F(WindowTest, AReaderFindsLabelsAndNoHiddenButtonToPress)
{
    startEditor();
    for (const auto& [list, label] : {std::pair{"modelList", "Model"}, {"paintList", "Paint Scheme"}, {"nameBox", "Name"},
                                      {"frontWeapon1List", ""}}) {
        const auto relations = QAccessible::queryAccessibleInterface(find<QWidget>(list))->relations(QAccessible::Label);
        EXPECT_EQ(relations.isEmpty() ? "" : relations[0].first->text(QAccessible::Name).toStdString(), label);
    }
    for (const char* hidden : {"exportButton", "hackbusterButton"}) {
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(find<QPushButton>(hidden));
        EXPECT_TRUE(reader && (!reader->actionInterface() || reader->actionInterface()->actionNames().isEmpty())) << hidden;
    }
}

// What only this toolkit's drops carry: addresses that are no local file, a
// proposed move, and a name that is not UTF-8 as its bytes, percent-encoded.
TEST_F(WindowTest, DropsTakeLocalFilesAsCopiesWhateverTheirNamesBytes)
{
    const auto a = saveCar("first.car", {.model = 9});
    startEditor(saveCar("second.rbc", {.model = 22}));
    QMimeData mime;
    mime.setUrls({QUrl("https://example.org/car.rbc"), QUrl::fromLocalFile(qpath(a))});
    dropOn(editor_.get(), mime);
    EXPECT_EQ(list("modelList")->currentIndex(), 22); // an address that is no local file
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
    dropOn(editor_.get(), latin1);
    EXPECT_EQ(list("modelList")->currentIndex(), 22);
}

TEST_F(WindowTest, TheNameBoxCompletesNothingAndTakesANameAsItIsLeft)
{
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vgoon4.vcf", {.name = "Road Hog", .model = 16}));
    startEditor();
    auto* name = list("nameBox");
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
