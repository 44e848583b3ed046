// Where every control stands and how the window shows what it holds.

#include "ui/DialogUnits.h"
#include "ui/FrameBox.h"
#include "ui/NumberField.h"

#include "EditorFixture.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QScrollBar>

namespace rivetbay {
namespace {

struct Placement {
    const char* name;
    int x, y, w, h; // dialog units; a list's h is its dropped-down height
};

// The layout table, one row per control.
const Placement layout[] = {
    {"modelList", 2, 12, 98, 216},          {"engineList", 2, 41, 98, 187},
    {"suspensionList", 2, 68, 98, 160},     {"brakesList", 2, 96, 98, 132},
    {"frontTiresList", 2, 124, 98, 104},    {"rearTiresList", 2, 140, 98, 88},
    {"special1List", 225, 12, 74, 224},     {"special2List", 225, 28, 74, 208},
    {"special3List", 225, 44, 74, 192},     {"frontWeapon1List", 124, 12, 78, 216},
    {"frontWeapon2List", 124, 28, 78, 200}, {"frontWeapon3List", 124, 44, 78, 184},
    {"topWeapon1List", 124, 72, 78, 156},   {"topWeapon2List", 124, 88, 78, 140},
    {"rearWeapon1List", 124, 116, 78, 112}, {"rearWeapon2List", 124, 132, 78, 96},
    {"dropper1List", 124, 159, 78, 69},     {"dropper2List", 124, 175, 78, 53},
    {"paintList", 124, 206, 98, 68},        {"nameBox", 228, 88, 74, 136},
    {"armorGroup", 2, 160, 60, 60},         {"chassisGroup", 61, 160, 60, 60},
    {"armorFrontField", 23, 170, 16, 14},   {"armorFrontSpin", 39, 168, 9, 16},
    {"armorLeftField", 14, 186, 16, 14},    {"armorLeftSpin", 6, 186, 9, 16},
    {"armorRightField", 32, 186, 16, 14},   {"armorRightSpin", 48, 185, 9, 16},
    {"armorRearField", 23, 202, 16, 14},    {"armorRearSpin", 15, 202, 9, 16},
    {"chassisFrontField", 83, 169, 16, 14}, {"chassisFrontSpin", 99, 168, 9, 16},
    {"chassisLeftField", 74, 185, 16, 14},  {"chassisLeftSpin", 66, 185, 9, 16},
    {"chassisRightField", 92, 185, 16, 14}, {"chassisRightSpin", 108, 185, 9, 16},
    {"chassisRearField", 83, 201, 16, 14},  {"chassisRearSpin", 75, 201, 9, 16},
    {"freePointsField", 50, 156, 22, 16},   {"transferSpin", 52, 208, 20, 12},
    {"modelPrice", 101, 12, 19, 13},        {"enginePrice", 101, 41, 19, 13},
    {"suspensionPrice", 101, 68, 19, 13},   {"brakesPrice", 101, 96, 19, 13},
    {"frontTiresPrice", 101, 124, 19, 13},  {"rearTiresPrice", 101, 140, 19, 13},
    {"frontWeapon1Price", 203, 12, 19, 13}, {"frontWeapon2Price", 203, 28, 19, 13},
    {"frontWeapon3Price", 203, 44, 19, 13}, {"topWeapon1Price", 203, 72, 19, 13},
    {"topWeapon2Price", 203, 88, 19, 13},   {"rearWeapon1Price", 203, 116, 19, 13},
    {"rearWeapon2Price", 203, 132, 19, 13}, {"dropper1Price", 203, 159, 19, 13},
    {"dropper2Price", 203, 175, 19, 13},    {"special1Price", 300, 12, 19, 13},
    {"special2Price", 300, 28, 19, 13},     {"special3Price", 300, 44, 19, 13},
    {"quitButton", 272, 200, 48, 20},       {"aboutButton", 276, 180, 43, 16},
    {"exportButton", 276, 160, 43, 16},     {"openButton", 228, 160, 43, 16},
    {"saveButton", 228, 180, 43, 16},       {"modelLabel", 2, 4, 98, 8},
    {"engineLabel", 2, 32, 98, 8},          {"suspensionLabel", 2, 60, 98, 8},
    {"brakesLabel", 2, 88, 98, 8},          {"tiresLabel", 2, 116, 98, 8},
    {"frontWeaponsLabel", 124, 4, 78, 8},   {"topWeaponsLabel", 124, 64, 78, 8},
    {"rearWeaponsLabel", 124, 107, 78, 8},  {"droppersLabel", 124, 151, 78, 8},
    {"specialsLabel", 225, 4, 68, 8},       {"paintSchemeLabel", 124, 198, 98, 8},
    {"dollarLabel", 224, 209, 8, 8},        {"totalPrice", 228, 204, 42, 16},
    {"nameLabel", 228, 80, 72, 8},          {"hackbusterButton", 228, 116, 92, 28},
};

TEST_F(EditorTest, EveryControlStandsWhereTheLayoutPutsIt)
{
    startEditor();
    const DialogUnits du(editor_->font());
    for (const Placement& p : layout) {
        SCOPED_TRACE(p.name);
        auto* control = find<QWidget>(p.name);
        ASSERT_NE(control, nullptr);
        const QRect at = control->geometry();
        EXPECT_EQ(at.topLeft(), QPoint(du.x(p.x), du.y(p.y)));
        EXPECT_EQ(at.width(), du.x(p.w));
        if (qobject_cast<QComboBox*>(control)) EXPECT_LE(at.height(), du.y(14));
        else EXPECT_EQ(at.height(), du.y(p.h));
    }
    // The check box is as tall as its text needs, centred on its row.
    const QRect turret = find<QCheckBox>("turretBox")->geometry();
    EXPECT_EQ(turret.x(), du.x(200));
    EXPECT_NEAR(turret.center().y(), du.y(62) + du.y(8) / 2, 1);
}

TEST_F(EditorTest, DroppedDownListsKeepToTheirHeight)
{
    startEditor();
    const DialogUnits du(editor_->font());
    for (const Placement& p : layout) {
        auto* list = editor_->findChild<QComboBox*>(p.name);
        if (!list || list->objectName() == "nameBox" || list->count() == 0) continue;
        SCOPED_TRACE(p.name);
        list->showPopup();
        QWidget* popup = list->view()->window();
        EXPECT_LE(popup->height(), du.y(p.h) - list->height() + 4);
        EXPECT_GE(popup->y(), list->mapToGlobal(QPoint(0, 0)).y()); // below, not over the screen
        const bool scrolls = list->view()->verticalScrollBar()->maximum() > 0;
        EXPECT_TRUE(scrolls || p.name != std::string("modelList")); // 38 models: a scroll bar
        list->hidePopup();
    }
}

TEST_F(EditorTest, PointFramesHoldTheirCrossUnderTheTitle)
{
    startEditor();
    for (const std::string box : {"armor", "chassis"}) {
        auto* frame = find<FrameBox>((box + "Group").c_str());
        const QRect inside = frame->frameRect().translated(frame->pos());
        const QRect title = frame->titleRect().translated(frame->pos());
        EXPECT_EQ(box == "armor", title.center().x() < inside.center().x()); // left, or right
        EXPECT_LT(title.top(), inside.top()); // the title sits in the border line
        for (const char* side : {"Front", "Left", "Right", "Rear"})
            for (const char* part : {"Field", "Spin"}) {
                const QRect control = find<QWidget>((box + side + part).c_str())->geometry();
                EXPECT_TRUE(inside.contains(control) && control.top() > inside.top()) << box << side << part;
                EXPECT_FALSE(control.intersects(title)) << box << side << part;
            }
    }
}

TEST_F(EditorTest, ANumberTooWideShowsItsStartVisiblyCut)
{
    startEditor();
    for (const char* name : {"armorFrontField", "modelPrice", "freePointsField"}) {
        auto* field = find<NumberField>(name);
        field->setText("-1234567");
        const QString shown = field->shownText();
        EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << name << " " << shown.toStdString();
        EXPECT_GE(shown.size(), 3) << name; // at least two characters of the start
        EXPECT_TRUE(field->text().startsWith(shown.chopped(1))) << name;
    }
    find<NumberField>("totalPrice")->setText("2600");
    EXPECT_EQ(find<NumberField>("totalPrice")->shownText(), "2600");
}

// The mean lightness of a control's inside, away from its border and arrow.
int meanLightness(QWidget* control)
{
    const QImage image = control->grab().toImage();
    long sum = 0, count = 0;
    for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y)
        for (int x = 4; x < image.width() / 2; ++x, ++count) sum += QColor(image.pixel(x, y)).lightness();
    return count ? static_cast<int>(sum / count) : 0;
}

TEST_F(EditorTest, DisabledMountListsLookDisabled)
{
    startEditor();
    find<QComboBox>("modelList")->setCurrentIndex(25); // one front mount
    auto* usable = find<QComboBox>("frontWeapon1List");
    auto* unusable = find<QComboBox>("frontWeapon2List");
    ASSERT_TRUE(usable->isEnabled());
    ASSERT_FALSE(unusable->isEnabled());
    EXPECT_GE(meanLightness(usable) - meanLightness(unusable), 8);
}

} // namespace
} // namespace rivetbay
