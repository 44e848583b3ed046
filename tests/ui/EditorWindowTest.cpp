#include "ui/EditorWindow.h"

#include "files/CarFile.h"
#include "files/VcfWriter.h"
#include "ui/SpinArrows.h"

#include "FakeServices.h"
#include "TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <fstream>

namespace rivetbay {
namespace {

using testing::FakeServices;
using testing::TempDir;

std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each test starts in a working directory of its own, with a settings file
// that names an existing vehicle directory unless the test says otherwise.
class EditorTest : public ::testing::Test {
protected:
    EditorTest() : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(dir_.path());
        std::filesystem::create_directory(dir_ / "addon");
    }
    ~EditorTest() override { std::filesystem::current_path(previous_); }

    void writeSettings()
    {
        std::ofstream(dir_ / "Rivetbay.ini", std::ios::binary)
            << "[Paths]\r\nVCF_Path=" << (dir_ / "addon").string() << "\r\nRBC_Path="
            << dir_.path().string() << "\r\n";
    }

    EditorWindow& startEditor(std::string commandLine = "")
    {
        editor_ = std::make_unique<EditorWindow>(std::move(commandLine), services_);
        editor_->start();
        editor_->show();
        editor_->activateWindow();
        (void)QTest::qWaitForWindowActive(editor_.get());
        return *editor_;
    }

    template <typename T> T* find(const char* name)
    {
        T* widget = editor_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void step(const char* spin, bool up)
    {
        auto* arrows = find<SpinArrows>(spin);
        QTest::mouseClick(up ? arrows->increaseButton() : arrows->decreaseButton(), Qt::LeftButton);
    }

    TempDir dir_;
    std::filesystem::path previous_;
    FakeServices services_;
    std::unique_ptr<EditorWindow> editor_;
};

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
    ASSERT_FALSE(loadCarFile(dir_ / "cars" / "dusty.rbc", saved));
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
    ASSERT_FALSE(saveCarFile(dir_ / "cars" / "a.rbc", car));
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
    testing::writeBytes(dir_ / "cars" / "short.rbc", bytes);
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
    ASSERT_FALSE(saveCarFile(dir_ / "first.car", first));
    ASSERT_FALSE(saveCarFile(dir_ / "second.rbc", second));
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
    ASSERT_FALSE(saveCarFile(dir_ / "milk.rbc", car));
    startEditor((dir_ / "milk.rbc").string());
    EXPECT_EQ(find<QComboBox>("modelList")->currentIndex(), 22);
    EXPECT_EQ(find<QComboBox>("nameBox")->currentText(), "Milk Run");
    EXPECT_EQ(text("modelPrice"), "4740");
}

} // namespace
} // namespace rivetbay
