// The editor window driven as a player drives it: clicks, keys, drops.

#include "files/VcfWriter.h"

#include "EditorFixture.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QTimer>
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

TEST_F(EditorTest, FreshStartShowsTheFreshRecordPriced)
{
    CarConfig other;
    other.model = 25;
    other.name = "Zippy";
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vfcoupe4.vcf", other));
    startEditor();
    EXPECT_EQ(text("totalPrice"), "2600");
    EXPECT_EQ(list("nameBox")->count(), 1); // every model's variants while there is no model
    EXPECT_FALSE(list("frontWeapon2List")->isEnabled());
    EXPECT_FALSE(find<QCheckBox>("turretBox")->isEnabled());
    EXPECT_EQ(editor_->windowTitle(), "  Vexillo's Rivetbay  1.9");
    list("modelList")->setCurrentIndex(25); // Phaedra Coupe: the model-change rule and its paint list
    EXPECT_EQ(text("armorLeftField"), "18");
    list("paintList")->setCurrentIndex(2);
    EXPECT_EQ(editor_->config().paintScheme, 2);
    list("topWeapon1List")->setCurrentIndex(1); // 30cal MG may sit in a turret
    QTest::mouseClick(find<QCheckBox>("turretBox"), Qt::LeftButton);
    EXPECT_EQ(text("topWeapon1Price"), "825"); // the click recalculated
}

// A design whose eight sides all differ, with points in the pool.
CarConfig spreadCar()
{
    // front, rear, left, right
    return {.model = 1, .freePoints = 10, .armor = {41, 40, 39, 38}, .chassis = {31, 30, 29, 28}};
}

TEST_F(EditorTest, EachArrowStepsItsOwnSide)
{
    const auto spread = saveCar("spread.rbc", spreadCar());
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
        startEditor(spread.string());
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
    step("transferSpin", true);
    EXPECT_EQ(text("armorFrontField"), "40");
    EXPECT_EQ(text("chassisRightField"), "29");
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(EditorTest, SaveAndOpenThroughTheDialogs)
{
    std::filesystem::create_directory(dir_ / "cars");
    startEditor();
    list("modelList")->setCurrentIndex(16);
    typeName(list("nameBox"), "  Dusty ");
    answer(dir_ / "cars" / "dusty.rbc");
    click("saveButton"); // the click takes the typed name first
    ASSERT_EQ(services_.requests.size(), 1u);
    EXPECT_EQ(services_.requests[0].title, "Save Rivetbay Car");
    EXPECT_EQ(services_.requests[0].filter, "Rivetbay Car (*.rbc)");
    EXPECT_EQ(services_.requests[0].defaultSuffix, "rbc");
    EXPECT_EQ(services_.requests[0].directory, qpath(dir_.path()));
    CarConfig saved;
    ASSERT_TRUE(loadCarFile(dir_ / "cars" / "dusty.rbc", saved));
    EXPECT_EQ(saved.name, "Dusty");
    EXPECT_EQ(saved.model, 16);

    saveCar("cars/a.rbc", {.name = "Loaded", .model = 5, .topWeapons = {1, 0}, .turret = 1, .armor = {1, 2, 3, 4}});
    answer(dir_ / "cars" / "a.rbc");
    click("openButton");
    EXPECT_EQ(services_.requests.at(1).title, "Open Rivetbay Car");
    EXPECT_EQ(services_.requests.at(1).directory, qpath(dir_ / "cars")); // remembered
    EXPECT_EQ(list("modelList")->currentIndex(), 5);
    EXPECT_EQ(text("armorRightField"), "4"); // as stored: no model-change rule
    EXPECT_EQ(text("topWeapon1Price"), "825");
    EXPECT_EQ(list("nameBox")->currentText(), "Loaded");
    EXPECT_NE(testkit::readText(dir_ / "Rivetbay.ini").find("RBC_Path=" + (dir_ / "cars").string()),
              std::string::npos);

    // A failed open keeps the design on screen and still remembers the folder.
    testkit::writeBytes(dir_ / "short.rbc", {2, 'a', 'b', 9, 0, 0});
    const CarConfig before = editor_->config();
    answer(dir_ / "short.rbc");
    click("openButton");
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(services_.messages[0].caption, applicationName());
    EXPECT_EQ(services_.messages[0].text, "An attempt was made to access an unnamed file past its end.");
    EXPECT_EQ(editor_->config(), before);
    EXPECT_EQ(editor_->paths().rbcPath, dir_.path().string());
}

TEST_F(EditorTest, TheCommandLineAndDropsLoadCars)
{
    CarConfig first, second;
    first.model = 9;
    second.model = 22;
    const auto a = saveCar("first.car", first), b = saveCar("second.rbc", second);
    startEditor(b.string());
    EXPECT_EQ(text("modelPrice"), "4740");
    drop({QUrl("https://example.org/car.rbc"), QUrl::fromLocalFile(qpath(a))});
    EXPECT_EQ(list("modelList")->currentIndex(), 22); // an address that is no local file
    drop({QUrl::fromLocalFile(qpath(a)), QUrl::fromLocalFile(qpath(b))});
    EXPECT_EQ(list("modelList")->currentIndex(), 9); // only the first, whatever its extension
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(editor_->paths().rbcPath, dir_.path().string()); // a drop changes no setting

    startEditor((dir_ / "missing.rbc").string());
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].text, "an unnamed file was not found.");
    EXPECT_EQ(text("totalPrice"), "2600"); // start-up still recalculates
    EXPECT_EQ(QApplication::focusWidget(), find<QPushButton>("openButton"));
}

TEST_F(EditorTest, KeysAndHiddenButtons)
{
    startEditor();
    auto* engines = list("engineList");
    engines->setFocus();
    QTest::keyClick(engines, Qt::Key_Return); // Enter is no default command
    QTest::keyClick(editor_.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(services_.requests.empty());
    EXPECT_FALSE(find<QPushButton>("exportButton")->isVisible());
    EXPECT_FALSE(find<QPushButton>("hackbusterButton")->isVisible());
    find<QPushButton>("openButton")->setFocus();
    QTest::keyClick(find<QPushButton>("openButton"), Qt::Key_Return);
    EXPECT_EQ(services_.requests.size(), 1u);
    QTest::keyClick(editor_.get(), Qt::Key_Escape);
    EXPECT_FALSE(editor_->isVisible());
}

TEST_F(EditorTest, FirstRunAsksWithItsOwnWords)
{
    TempDir prefix;
    std::filesystem::create_directories(prefix / "drive_c");
    const QByteArray previous = qgetenv("WINEPREFIX");
    qputenv("WINEPREFIX", QByteArray::fromStdString(prefix.path().string()));
    std::filesystem::create_directories(dir_ / "Games" / "Nitro");
    answer(dir_ / "Games" / "Nitro" / "Nitro.exe");
    startEditor("", true);
    qputenv("WINEPREFIX", previous);
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(services_.messages[0].caption, " Vexillo's Rivetbay :  Setup");
    EXPECT_TRUE(services_.messages[0].text.startsWith("Rivetbay needs to know where to locate I'76 Nitro cars."));
    ASSERT_EQ(services_.requests.size(), 1u);
    const FileDialogRequest& request = services_.requests[0];
    EXPECT_EQ(request.title, "Rivetbay: Locate \"Nitro.exe\" in the I'76 Nitro directory");
    EXPECT_EQ(request.filter, "Any (*)");
    EXPECT_EQ(request.defaultSuffix, "exe");
    EXPECT_EQ(request.directory, ".");
    // The game usually sits in a Wine prefix, a hidden folder.
    EXPECT_TRUE(request.showHidden);
    EXPECT_TRUE(request.sidebarFolders.contains(qpath(prefix / "drive_c")));
}

TEST_F(EditorTest, WhatStartsARuleTakesTheTypedNameFirst)
{
    const std::pair<const char*, std::function<void(EditorTest&)>> triggers[] = {
        {"point arrow", [](EditorTest& t) { t.step("transferSpin", true); }},
        {"context menu", // its popup takes the focus without the name rule
         [](EditorTest& t) {
             QTimer::singleShot(50, [] {
                 if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
             });
             QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), t.editor_->mapToGlobal(QPoint(5, 5)));
             QApplication::sendEvent(t.editor_.get(), &menu);
         }},
        {"drop", [](EditorTest& t) { t.drop({QUrl::fromLocalFile(t.qpath(t.dir_ / "none.rbc"))}); }},
    };
    for (const auto& [what, trigger] : triggers) {
        SCOPED_TRACE(what);
        startEditor();
        list("modelList")->setCurrentIndex(16);
        typeName(list("nameBox"), "Typed");
        trigger(*this);
        EXPECT_EQ(list("nameBox")->currentText(), "Typed");
        EXPECT_EQ(editor_->config().name, "Typed");
    }
}

TEST_F(EditorTest, TheNameBoxCompletesNothingAndRefusesWhatDoesNotFit)
{
    CarConfig hog;
    hog.model = 16;
    hog.name = "Road Hog";
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vgoon4.vcf", hog));
    CarConfig longName;
    longName.name = "Long Name Variant X";
    startEditor(saveCar("long.rbc", longName).string());
    auto* name = list("nameBox");
    EXPECT_EQ(name->lineEdit()->cursorPosition(), 0); // a long name shows its start

    list("modelList")->setCurrentIndex(16);
    ASSERT_EQ(name->count(), 1);
    typeName(name, "Road");
    EXPECT_EQ(name->currentText(), "Road");
    QTest::keyClick(name->lineEdit(), Qt::Key_Tab);
    EXPECT_EQ(editor_->config().name, "Road");

    typeName(name, QString(60, 'W'));
    EXPECT_GT(name->currentText().size(), 3);
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

TEST_F(EditorTest, TheWheelChangesOnlyAFocusedList)
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

TEST_F(EditorTest, FileWorkShowsTheWaitCursorAndAlwaysRestoresIt)
{
    const auto file = saveCar("w.rbc", {.name = "Waiting", .model = 16});
    startEditor();
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"open", [&] { answer(file); click("openButton"); }},
        {"failed open", [&] { answer(dir_ / "no.rbc"); click("openButton"); }},
        {"save", [&] { answer(dir_ / "s.rbc"); click("saveButton"); }},
        {"listing", [&] { list("engineList")->setCurrentIndex(2); }},
        {"export", [&] { find<QPushButton>("exportButton")->click(); }},
    };
    const int shows[] = {2, 1, 1, 1, 2}; // the action's own, and the listing of its pass
    for (std::size_t k = 0; k < std::size(actions); ++k) {
        const int before = services_.waitCount;
        actions[k].second();
        EXPECT_EQ(services_.waitCount - before, shows[k]) << actions[k].first;
        EXPECT_EQ(services_.waitDepth, 0) << actions[k].first;
    }
}

TEST_F(EditorTest, TheHiddenExportComparesWithTheListedNames)
{
    CarConfig listed;
    listed.model = 16;
    listed.name = "Dusty";
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vgoon4.vcf", listed));
    CarConfig car = listed;
    car.name = "DUSTY";
    startEditor(saveCar("d.rbc", car).string());
    auto* names = list("nameBox");
    find<QPushButton>("exportButton")->click();
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].caption, "Rivetbay : Can't export to VCF");
    EXPECT_EQ(services_.messages[0].text, "The variant must have a unique model/name combination.");

    // A new name is written and listed at once by the pass after it.
    typeName(names, "Other");
    QTest::keyClick(names->lineEdit(), Qt::Key_Tab);
    find<QPushButton>("exportButton")->click();
    EXPECT_EQ(services_.messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "addon" / "vgoon5.vcf"));
    ASSERT_EQ(names->count(), 2);
    EXPECT_EQ(names->itemText(1), "Other");
}

TEST_F(EditorTest, AVehicleFileGivenAsACarIsImported)
{
    const CarConfig piranha{.name = "432", .model = 14, .topWeapons = {2, 5}, .armor = {40, 40, 40, 40}};
    ASSERT_TRUE(VcfWriter(dir_ / "ppirna5.vcf", piranha));
    std::vector<std::uint8_t> odd = testkit::readBytes(dir_ / "ppirna5.vcf");
    odd[121] = 0x95; // armor front 405: not a multiple of 10
    testkit::writeBytes(dir_ / "odd.vcf", odd);
    odd.resize(150);
    testkit::writeBytes(dir_ / "cut.rbc", odd);

    startEditor((dir_ / "ppirna5.vcf").string());
    EXPECT_EQ(list("modelList")->currentIndex(), 14);
    EXPECT_EQ(list("nameBox")->currentText(), "432");
    EXPECT_EQ(list("topWeapon2List")->currentIndex(), 5);
    EXPECT_TRUE(services_.messages.empty());

    answer(dir_ / "odd.vcf");
    click("openButton");
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(services_.messages[0].text.contains("armor front 405")) << services_.messages[0].text.toStdString();
    EXPECT_EQ(text("armorFrontField"), "41");

    // A damaged one is refused whole, whatever its name says.
    const CarConfig before = editor_->config();
    answer(dir_ / "cut.rbc");
    click("openButton");
    ASSERT_EQ(services_.messages.size(), 2u);
    EXPECT_TRUE(services_.messages[1].text.contains("damaged vehicle file"));
    EXPECT_EQ(editor_->config(), before);
}

} // namespace
} // namespace rivetbay
