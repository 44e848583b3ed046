#include "ui/EditorWindow.h"

#include "files/CarFile.h"
#include "files/VcfWriter.h"
#include "ui/SpinArrows.h"

#include "EditorFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QToolButton>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace rivetbay {
namespace {

using testkit::FakeServices;
using testkit::TempDir;

TEST_F(EditorTest, FreshStartShowsTheFreshRecordPriced)
{
    writeSettings();
    CarConfig other;
    other.model = 25;
    other.name = "Zippy";
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vfcoupe4.vcf", other));
    startEditor();
    EXPECT_EQ(text("totalPrice"), "2600");
    EXPECT_EQ(text("armorFrontField"), "0");
    EXPECT_EQ(text("freePointsField"), "0");
    EXPECT_EQ(find<QComboBox>("modelList")->count(), 38);
    EXPECT_EQ(find<QComboBox>("frontWeapon1List")->count(), 20);
    EXPECT_EQ(find<QComboBox>("special3List")->count(), 12);
    EXPECT_EQ(find<QComboBox>("paintList")->count(), 3);
    EXPECT_EQ(find<QComboBox>("nameBox")->count(), 1);
    EXPECT_EQ(find<QComboBox>("nameBox")->itemText(0), "Zippy");
    EXPECT_TRUE(find<QComboBox>("frontWeapon1List")->isEnabled());
    EXPECT_FALSE(find<QComboBox>("frontWeapon2List")->isEnabled());
    EXPECT_FALSE(find<QCheckBox>("turretBox")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), find<QPushButton>("openButton"));
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(services_.waitDepth, 0);
    EXPECT_EQ(editor_->windowTitle(), "  Vexillo's Rivetbay  1.9");
}

TEST_F(EditorTest, ModelChangeResetsPointsAndPaintList)
{
    writeSettings();
    startEditor();
    find<QComboBox>("modelList")->setCurrentIndex(1); // ABX AMZ
    EXPECT_EQ(text("armorFrontField"), "42");
    EXPECT_EQ(text("chassisRearField"), "38");
    EXPECT_EQ(text("freePointsField"), "0");
    auto* paint = find<QComboBox>("paintList");
    ASSERT_EQ(paint->count(), 3);
    EXPECT_EQ(paint->itemText(1), "Red/White/Blue");
    paint->setCurrentIndex(2);
    EXPECT_EQ(editor_->config().paintScheme, 2);
    find<QComboBox>("modelList")->setCurrentIndex(25); // Phaedra Coupe
    EXPECT_EQ(paint->currentIndex(), 0);
    EXPECT_EQ(paint->itemText(0), "Blue");
    EXPECT_EQ(text("armorLeftField"), "18");
    EXPECT_EQ(text("modelPrice"), "1360");
    EXPECT_FALSE(find<QComboBox>("rearWeapon1List")->isEnabled());
}

TEST_F(EditorTest, SpinsStepAndRefuseSilently)
{
    writeSettings();
    startEditor();
    find<QComboBox>("modelList")->setCurrentIndex(1);
    step("armorFrontSpin", true); // the pool is empty
    EXPECT_EQ(text("armorFrontField"), "42");
    step("armorFrontSpin", false);
    EXPECT_EQ(text("armorFrontField"), "41");
    EXPECT_EQ(text("freePointsField"), "1");
    step("chassisLeftSpin", true);
    EXPECT_EQ(text("chassisLeftField"), "39");
    EXPECT_EQ(text("freePointsField"), "0");
    // The up and down keys step while the field has the focus.
    auto* field = find<QLineEdit>("armorRearField");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(text("armorRearField"), "40");
    EXPECT_EQ(text("freePointsField"), "2");
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(EditorTest, HoldingAnArrowRepeatsSingleSteps)
{
    writeSettings();
    startEditor();
    find<QComboBox>("modelList")->setCurrentIndex(1);
    auto* spin = find<SpinArrows>("armorFrontSpin");
    std::vector<int> steps;
    QObject::connect(spin, &SpinArrows::stepped, [&](int s) { steps.push_back(s); });
    QTest::mousePress(spin->decreaseButton(), Qt::LeftButton);
    QTest::qWait(1200);
    QTest::mouseRelease(spin->decreaseButton(), Qt::LeftButton);
    ASSERT_GE(steps.size(), 5u); // it repeated
    for (int s : steps) EXPECT_EQ(s, -1);
    EXPECT_EQ(text("armorFrontField").toInt(), 42 - static_cast<int>(steps.size()));
    EXPECT_EQ(spin->decreaseButton()->autoRepeatInterval(),
              spin->increaseButton()->autoRepeatInterval());
}

TEST_F(EditorTest, TransferSpin)
{
    writeSettings();
    startEditor();
    find<QComboBox>("modelList")->setCurrentIndex(1);
    step("transferSpin", true);
    EXPECT_EQ(text("armorFrontField"), "41");
    EXPECT_EQ(text("chassisFrontField"), "39");
    step("transferSpin", false);
    step("transferSpin", false);
    EXPECT_EQ(text("armorRightField"), "43");
    EXPECT_EQ(text("chassisRightField"), "37");
}

TEST_F(EditorTest, TypedNameIsSavedBySave)
{
    writeSettings();
    startEditor();
    find<QComboBox>("modelList")->setCurrentIndex(16);
    auto* name = find<QComboBox>("nameBox");
    name->lineEdit()->setFocus();
    QTest::keyClicks(name->lineEdit(), "  Dusty ");
    services_.answers.push_back(QString::fromStdString((dir_ / "cars" / "dusty.rbc").string()));
    std::filesystem::create_directory(dir_ / "cars");
    click("saveButton");
    ASSERT_EQ(services_.requests.size(), 1u);
    EXPECT_EQ(services_.requests[0].title, "Save Rivetbay Car");
    EXPECT_EQ(services_.requests[0].filter, "Rivetbay Car (*.rbc)");
    EXPECT_EQ(services_.requests[0].defaultSuffix, "rbc");
    EXPECT_EQ(services_.requests[0].directory, QString::fromStdString(dir_.path().string()));
    CarConfig saved;
    ASSERT_TRUE(loadCarFile(dir_ / "cars" / "dusty.rbc", saved));
    EXPECT_EQ(saved.name, "Dusty");
    EXPECT_EQ(saved.model, 16);
    EXPECT_NE(readText(dir_ / "Rivetbay.ini").find("RBC_Path=" + (dir_ / "cars").string()),
              std::string::npos);
}

TEST_F(EditorTest, OpenLoadsAndRemembersTheDirectory)
{
    writeSettings();
    std::filesystem::create_directory(dir_ / "cars");
    CarConfig car;
    car.model = 5;
    car.name = "Loaded";
    car.armor = {1, 2, 3, 4};
    car.topWeapons = {1, 0};
    car.turret = 1;
    ASSERT_TRUE(saveCarFile(dir_ / "cars" / "a.rbc", car));
    startEditor();
    services_.answers.push_back(QString::fromStdString((dir_ / "cars" / "a.rbc").string()));
    click("openButton");
    EXPECT_EQ(services_.requests.at(0).title, "Open Rivetbay Car");
    EXPECT_EQ(find<QComboBox>("modelList")->currentIndex(), 5);
    EXPECT_EQ(text("armorFrontField"), "1");
    EXPECT_EQ(text("armorRightField"), "4");
    EXPECT_EQ(text("topWeapon1Price"), "825");
    EXPECT_TRUE(find<QCheckBox>("turretBox")->isChecked());
    EXPECT_EQ(find<QComboBox>("nameBox")->currentText(), "Loaded");
    EXPECT_EQ(editor_->paths().rbcPath, (dir_ / "cars").string());
    EXPECT_EQ(services_.waitDepth, 0);
}

TEST_F(EditorTest, FailedOpenKeepsTheDesignAndStillRemembersTheDirectory)
{
    writeSettings();
    std::filesystem::create_directory(dir_ / "cars");
    auto bytes = std::vector<std::uint8_t>{2, 'a', 'b', 9, 0, 0};
    testkit::writeBytes(dir_ / "cars" / "short.rbc", bytes);
    startEditor();
    find<QComboBox>("modelList")->setCurrentIndex(1);
    const CarConfig before = editor_->config();

    services_.answers.push_back(QString::fromStdString((dir_ / "cars" / "short.rbc").string()));
    click("openButton");
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(services_.messages[0].caption, applicationName());
    EXPECT_EQ(services_.messages[0].text,
              "An attempt was made to access an unnamed file past its end.");
    EXPECT_EQ(editor_->config(), before);
    EXPECT_EQ(text("armorFrontField"), "42");

    services_.answers.push_back(QString::fromStdString((dir_ / "cars" / "none.rbc").string()));
    click("openButton");
    EXPECT_EQ(services_.messages.at(1).text, "an unnamed file was not found.");
    EXPECT_NE(readText(dir_ / "Rivetbay.ini").find("RBC_Path=" + (dir_ / "cars").string()),
              std::string::npos);
    EXPECT_EQ(services_.waitDepth, 0);
}

TEST_F(EditorTest, DropLoadsOnlyTheFirstFile)
{
    writeSettings();
    CarConfig first, second;
    first.model = 9;
    second.model = 12;
    ASSERT_TRUE(saveCarFile(dir_ / "first.car", first));
    ASSERT_TRUE(saveCarFile(dir_ / "second.rbc", second));
    startEditor();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString((dir_ / "first.car").string())),
                  QUrl::fromLocalFile(QString::fromStdString((dir_ / "second.rbc").string())),
                  QUrl::fromLocalFile("/nonexistent.rbc")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor_.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor_.get(), &drop);
    EXPECT_EQ(find<QComboBox>("modelList")->currentIndex(), 9);
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(editor_->paths().rbcPath, dir_.path().string()); // a drop changes no setting
}

TEST_F(EditorTest, EnterOnAListDoesNothingAndEscapeEnds)
{
    writeSettings();
    startEditor();
    auto* list = find<QComboBox>("engineList");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(services_.requests.empty());
    EXPECT_TRUE(editor_->isVisible());
    // On OPEN, Enter opens the dialog.
    find<QPushButton>("openButton")->setFocus();
    QTest::keyClick(find<QPushButton>("openButton"), Qt::Key_Return);
    EXPECT_EQ(services_.requests.size(), 1u);
    QTest::keyClick(editor_.get(), Qt::Key_Escape);
    EXPECT_FALSE(editor_->isVisible());
    EXPECT_EQ(editor_->result(), QDialog::Rejected);
}

TEST_F(EditorTest, HiddenButtonsStayHidden)
{
    writeSettings();
    startEditor();
    find<QComboBox>("modelList")->setCurrentIndex(3);
    step("armorFrontSpin", false);
    QTest::keyClick(editor_.get(), Qt::Key_E, Qt::AltModifier);
    QTest::keyClick(editor_.get(), Qt::Key_Tab);
    EXPECT_FALSE(find<QPushButton>("exportButton")->isVisible());
    EXPECT_FALSE(find<QPushButton>("hackbusterButton")->isVisible());
    EXPECT_TRUE(std::filesystem::is_empty(dir_ / "addon"));
}

TEST_F(EditorTest, ResizingMovesNoControl)
{
    writeSettings();
    startEditor();
    const QRect before = find<QPushButton>("quitButton")->geometry();
    editor_->resize(editor_->width() + 200, editor_->height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(find<QPushButton>("quitButton")->geometry(), before);
}

TEST_F(EditorTest, FirstRunChoosingTheGame)
{
    std::filesystem::create_directories(dir_ / "Games" / "Nitro");
    services_.answers.push_back(QString::fromStdString((dir_ / "Games" / "Nitro" / "Nitro.exe").string()));
    startEditor();
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(services_.messages[0].caption, " Vexillo's Rivetbay :  Setup");
    EXPECT_TRUE(services_.messages[0].text.startsWith(
        "Rivetbay needs to know where to locate I'76 Nitro cars.\n\nNext, you will be asked"));
    EXPECT_EQ(services_.messages[0].text.count("\n\n"), 4);
    ASSERT_EQ(services_.requests.size(), 1u);
    EXPECT_EQ(services_.requests[0].title, "Rivetbay: Locate \"Nitro.exe\" in the I'76 Nitro directory");
    EXPECT_EQ(services_.requests[0].filter, "Any (*)");
    EXPECT_EQ(services_.requests[0].defaultSuffix, "exe");
    const std::string ini = readText(dir_ / "Rivetbay.ini");
    EXPECT_NE(ini.find("VCF_Path=" + (dir_ / "Games" / "Nitro" / "addon").string() + "\r\n"),
              std::string::npos)
        << ini;
    EXPECT_NE(ini.find("RBC_Path=" + dir_.path().string() + "\r\n"), std::string::npos) << ini;
}

TEST_F(EditorTest, FirstRunChoosingAnyFileOrCancelling)
{
    services_.answers.push_back(QString::fromStdString((dir_ / "addon" / "readme.txt").string()));
    startEditor();
    EXPECT_EQ(editor_->paths().vcfPath, (dir_ / "addon").string());
    editor_.reset();

    std::filesystem::remove(dir_ / "Rivetbay.ini");
    services_ = FakeServices{};
    startEditor(); // cancelled
    EXPECT_EQ(editor_->paths().vcfPath, ".");
    EXPECT_NE(readText(dir_ / "Rivetbay.ini").find("VCF_Path=.\r\n"), std::string::npos);
    editor_.reset();

    services_ = FakeServices{};
    startEditor(); // "." exists: nothing is asked
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_TRUE(services_.requests.empty());
}

TEST_F(EditorTest, CommandLineCarThatFailsStillEndsStartUpPriced)
{
    writeSettings();
    startEditor((dir_ / "missing.rbc").string());
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].text, "an unnamed file was not found.");
    EXPECT_EQ(text("totalPrice"), "2600");
    EXPECT_EQ(find<QComboBox>("paintList")->count(), 3);
    EXPECT_EQ(QApplication::focusWidget(), find<QPushButton>("openButton"));
}

TEST_F(EditorTest, CommandLineCarLoads)
{
    writeSettings();
    CarConfig car;
    car.model = 22;
    car.name = "Milk Run";
    ASSERT_TRUE(saveCarFile(dir_ / "milk.rbc", car));
    startEditor((dir_ / "milk.rbc").string());
    EXPECT_EQ(find<QComboBox>("modelList")->currentIndex(), 22);
    EXPECT_EQ(find<QComboBox>("nameBox")->currentText(), "Milk Run");
    EXPECT_EQ(text("modelPrice"), "4740");
}

} // namespace
} // namespace rivetbay

namespace rivetbay {
namespace {

void typeName(QComboBox* box, const QString& text)
{
    box->lineEdit()->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
}

TEST_F(EditorTest, WhatStartsARuleTakesTheTypedNameFirst)
{
    writeSettings();
    struct Trigger {
        const char* what;
        std::function<void(EditorTest&)> run;
    };
    const Trigger triggers[] = {
        {"point arrow", [](EditorTest& t) { t.step("transferSpin", true); }},
        {"context menu", // its popup takes the focus without the name rule
         [](EditorTest& t) {
             QTimer::singleShot(50, [] {
                 if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
             });
             QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    t.editor_->mapToGlobal(QPoint(5, 5)));
             QApplication::sendEvent(t.editor_.get(), &menu);
         }},
        {"drop",
         [](EditorTest& t) {
             QMimeData mime;
             mime.setUrls({QUrl::fromLocalFile(t.qpath(t.dir_ / "none.rbc"))});
             QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(t.editor_.get(), &enter);
             QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(t.editor_.get(), &drop);
         }},
    };
    for (const Trigger& trigger : triggers) {
        SCOPED_TRACE(trigger.what);
        startEditor();
        find<QComboBox>("modelList")->setCurrentIndex(16);
        auto* name = find<QComboBox>("nameBox");
        typeName(name, "Typed");
        trigger.run(*this);
        EXPECT_EQ(name->currentText(), "Typed");
        EXPECT_EQ(editor_->config().name, "Typed");
    }
}

TEST_F(EditorTest, TheNameBoxCompletesNothingAndRefusesWhatDoesNotFit)
{
    writeSettings();
    CarConfig hog;
    hog.model = 16;
    hog.name = "Road Hog";
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vgoon4.vcf", hog));
    startEditor();
    find<QComboBox>("modelList")->setCurrentIndex(16);
    auto* name = find<QComboBox>("nameBox");
    ASSERT_EQ(name->count(), 1);
    typeName(name, "Road");
    EXPECT_EQ(name->currentText(), "Road");
    QTest::keyClick(name->lineEdit(), Qt::Key_Tab);
    EXPECT_EQ(editor_->config().name, "Road");

    typeName(name, QString(60, 'W'));
    const int fitted = name->currentText().size();
    EXPECT_GT(fitted, 3);
    EXPECT_LT(fitted, 60);
    EXPECT_LE(name->lineEdit()->fontMetrics().horizontalAdvance(name->currentText()),
              name->lineEdit()->contentsRect().width());

    // Opening its own list moves no name; leaving the box does.
    typeName(name, "Popup");
    QFocusEvent toPopup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(name, &toPopup);
    EXPECT_EQ(editor_->config().name, "Road");
    QFocusEvent away(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(name, &away);
    EXPECT_EQ(editor_->config().name, "Popup");
}

TEST_F(EditorTest, ALongNameShowsItsStart)
{
    writeSettings();
    CarConfig car;
    car.name = "Long Name Variant X";
    ASSERT_TRUE(saveCarFile(dir_ / "long.rbc", car));
    startEditor((dir_ / "long.rbc").string());
    auto* name = find<QComboBox>("nameBox");
    EXPECT_EQ(name->currentText(), "Long Name Variant X");
    EXPECT_EQ(name->lineEdit()->cursorPosition(), 0);
}

TEST_F(EditorTest, TheWheelChangesOnlyAFocusedList)
{
    writeSettings();
    startEditor();
    auto* models = find<QComboBox>("modelList");
    models->setCurrentIndex(5);
    // Spontaneous, as the window system delivers it: that path first gives
    // the focus to a control that takes it by the wheel.
    const auto wheel = [&] {
        const QPointF at = models->geometry().center();
        QWheelEvent event(at, editor_->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&event);
        QApplication::sendEvent(editor_->windowHandle(), &event);
    };
    QApplication::setActiveWindow(editor_.get());
    find<QPushButton>("openButton")->setFocus();
    wheel();
    EXPECT_EQ(models->currentIndex(), 5);
    models->setFocus();
    wheel();
    EXPECT_EQ(models->currentIndex(), 6);
    // Under X11 the toolkit hands the focus to a control that takes it by the
    // wheel before any filter sees the event (seen under Xvfb); no list may.
    for (auto* list : editor_->findChildren<QComboBox*>())
        EXPECT_NE(list->focusPolicy() & Qt::WheelFocus, Qt::WheelFocus) << list->objectName().toStdString();
}

// A design whose eight sides all differ, with points in the pool.
CarConfig spreadCar()
{
    CarConfig car;
    car.model = 1;
    car.freePoints = 10;
    car.armor = {41, 40, 39, 38};   // front, rear, left, right
    car.chassis = {31, 30, 29, 28};
    return car;
}

TEST_F(EditorTest, EachSideArrowStepsItsOwnSide)
{
    writeSettings();
    ASSERT_TRUE(saveCarFile(dir_ / "spread.rbc", spreadCar()));
    struct Row {
        const char* spin;
        const char* field;
        int before;
    };
    const Row rows[] = {
        {"armorFrontSpin", "armorFrontField", 41},     {"armorRearSpin", "armorRearField", 40},
        {"armorLeftSpin", "armorLeftField", 39},       {"armorRightSpin", "armorRightField", 38},
        {"chassisFrontSpin", "chassisFrontField", 31}, {"chassisRearSpin", "chassisRearField", 30},
        {"chassisLeftSpin", "chassisLeftField", 29},   {"chassisRightSpin", "chassisRightField", 28},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.spin);
        startEditor((dir_ / "spread.rbc").string());
        ASSERT_EQ(text(row.field).toInt(), row.before);
        step(row.spin, true);
        for (const Row& other : rows)
            EXPECT_EQ(text(other.field).toInt(), other.before + (&other == &row ? 1 : 0)) << other.field;
        EXPECT_EQ(text("freePointsField"), "9");
        // The field's own arrow keys step the same side.
        auto* field = find<QLineEdit>(row.field);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Down);
        EXPECT_EQ(text(row.field).toInt(), row.before);
    }
}

TEST_F(EditorTest, TickingTheTurretRecalculates)
{
    writeSettings();
    CarConfig car;
    car.model = 24; // Phaedra Clydesdale: two top mounts
    car.topWeapons = {8, 0};
    ASSERT_TRUE(saveCarFile(dir_ / "trt.rbc", car));
    startEditor((dir_ / "trt.rbc").string());
    auto* turret = find<QCheckBox>("turretBox");
    ASSERT_TRUE(turret->isEnabled());
    const QString untouched = text("topWeapon1Price");
    QTest::mouseClick(turret, Qt::LeftButton);
    EXPECT_TRUE(turret->isChecked());
    EXPECT_NE(text("topWeapon1Price"), untouched);
    EXPECT_EQ(editor_->config().turret, 1);
}

TEST_F(EditorTest, FileWorkShowsTheWaitCursorAndAlwaysRestoresIt)
{
    writeSettings();
    CarConfig car;
    car.model = 16;
    car.name = "Waiting";
    ASSERT_TRUE(saveCarFile(dir_ / "w.rbc", car));
    startEditor();
    struct Action {
        const char* what;
        std::function<void()> run;
        int shows; // the action's own, plus the listing of its recalculation
    };
    const Action actions[] = {
        {"open", [&] { services_.answers.push_back(qpath(dir_ / "w.rbc")); click("openButton"); }, 2},
        {"failed open", [&] { services_.answers.push_back(qpath(dir_ / "no.rbc")); click("openButton"); }, 1},
        {"save", [&] { services_.answers.push_back(qpath(dir_ / "s.rbc")); click("saveButton"); }, 1},
        {"listing", [&] { find<QComboBox>("engineList")->setCurrentIndex(2); }, 1},
        {"export", [&] { find<QPushButton>("exportButton")->click(); }, 2},
    };
    for (const Action& action : actions) {
        const int before = services_.waitCount;
        action.run();
        EXPECT_EQ(services_.waitCount - before, action.shows) << action.what;
        EXPECT_EQ(services_.waitDepth, 0) << action.what;
    }
}

TEST_F(EditorTest, TheHiddenExportComparesWithTheListedNames)
{
    writeSettings();
    CarConfig listed;
    listed.model = 16;
    listed.name = "Dusty";
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vgoon4.vcf", listed));
    CarConfig car = listed;
    car.name = "DUSTY";
    ASSERT_TRUE(saveCarFile(dir_ / "d.rbc", car));
    startEditor((dir_ / "d.rbc").string());
    auto* names = find<QComboBox>("nameBox");
    ASSERT_EQ(names->count(), 1);

    find<QPushButton>("exportButton")->click();
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].caption, "Rivetbay : Can't export to VCF");
    EXPECT_EQ(services_.messages[0].text, "The variant must have a unique model/name combination.");
    EXPECT_EQ(services_.messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "addon" / "vgoon5.vcf"));
    EXPECT_EQ(names->count(), 1);

    // A new name is written and listed at once by the recalculation after it.
    typeName(names, "Other");
    QTest::keyClick(names->lineEdit(), Qt::Key_Tab);
    find<QPushButton>("exportButton")->click();
    EXPECT_EQ(services_.messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "addon" / "vgoon5.vcf"));
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->itemText(1), "Other");
    EXPECT_EQ(names->currentText(), "Other");
}

TEST_F(EditorTest, StartWritesTheSettingsAndReplacesAVanishedCarFolderInMemoryOnly)
{
    std::ofstream(dir_ / "Rivetbay.ini", std::ios::binary)
        << "[Paths]\r\nVCF_Path=" << (dir_ / "addon").string() << "\r\nRBC_Path="
        << (dir_ / "gone").string() << "\r\n";
    startEditor();
    EXPECT_EQ(editor_->paths().rbcPath, dir_.path().string());
    const std::string ini = readText(dir_ / "Rivetbay.ini");
    EXPECT_NE(ini.find("RBC_Path=" + (dir_ / "gone").string()), std::string::npos);
    editor_.reset();

    // A first start writes both keys at once, before anything is chosen.
    std::filesystem::remove(dir_ / "Rivetbay.ini");
    services_ = FakeServices{};
    services_.answers.push_back(std::nullopt);
    startEditor();
    const std::string fresh = readText(dir_ / "Rivetbay.ini");
    EXPECT_NE(fresh.find("RBC_Path=" + dir_.path().string()), std::string::npos) << fresh;
    EXPECT_NE(fresh.find("VCF_Path=."), std::string::npos) << fresh;
}

TEST_F(EditorTest, ADroppedAddressThatIsNoLocalFileIsIgnored)
{
    writeSettings();
    startEditor();
    find<QComboBox>("modelList")->setCurrentIndex(7);
    QMimeData mime;
    mime.setUrls({QUrl("https://example.org/car.rbc")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor_.get(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor_.get(), &drop);
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(find<QComboBox>("modelList")->currentIndex(), 7);
}

TEST_F(EditorTest, AVehicleFileGivenAsACarIsImported)
{
    writeSettings();
    CarConfig piranha;
    piranha.model = 14;
    piranha.name = "432";
    piranha.topWeapons = {2, 5};
    piranha.armor = {40, 40, 40, 40};
    ASSERT_TRUE(VcfWriter(dir_ / "ppirna5.vcf", piranha));
    std::vector<std::uint8_t> odd = testkit::readBytes(dir_ / "ppirna5.vcf");
    odd[121] = 0x95; // armor front 405: not a multiple of 10
    testkit::writeBytes(dir_ / "odd.vcf", odd);
    odd.resize(150);
    testkit::writeBytes(dir_ / "cut.rbc", odd);

    startEditor((dir_ / "ppirna5.vcf").string());
    EXPECT_EQ(find<QComboBox>("modelList")->currentIndex(), 14);
    EXPECT_EQ(find<QComboBox>("nameBox")->currentText(), "432");
    EXPECT_EQ(find<QComboBox>("topWeapon2List")->currentIndex(), 5);
    EXPECT_EQ(text("armorLeftField"), "40");
    EXPECT_TRUE(services_.messages.empty());

    services_.answers.push_back(qpath(dir_ / "odd.vcf"));
    click("openButton");
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(services_.messages[0].text.contains("armor front 405")) << services_.messages[0].text.toStdString();
    EXPECT_EQ(text("armorFrontField"), "41");
    EXPECT_EQ(editor_->paths().rbcPath, dir_.path().string());

    // A damaged one is refused whole, whatever its name says.
    const CarConfig before = editor_->config();
    services_.answers.push_back(qpath(dir_ / "cut.rbc"));
    click("openButton");
    ASSERT_EQ(services_.messages.size(), 2u);
    EXPECT_EQ(services_.messages[1].icon, MessageIcon::Stop);
    EXPECT_TRUE(services_.messages[1].text.contains("damaged vehicle file")) << services_.messages[1].text.toStdString();
    EXPECT_EQ(editor_->config(), before);
    EXPECT_EQ(services_.waitDepth, 0);
}

TEST_F(EditorTest, FirstRunOffersTheWinePrefixes)
{
    TempDir prefix;
    std::filesystem::create_directories(prefix / "drive_c");
    const QByteArray previous = qgetenv("WINEPREFIX");
    qputenv("WINEPREFIX", QByteArray::fromStdString(prefix.path().string()));
    startEditor();
    qputenv("WINEPREFIX", previous);
    ASSERT_EQ(services_.requests.size(), 1u);
    EXPECT_TRUE(services_.requests[0].showHidden);
    EXPECT_TRUE(services_.requests[0].sidebarFolders.contains(qpath(prefix / "drive_c")));
    EXPECT_EQ(services_.requests[0].directory, ".");
}

} // namespace
} // namespace rivetbay
