// Where every control stands and how the window shows what it holds.

#include "ui/DialogUnits.h"
#include "ui/FrameBox.h"
#include "ui/NumberField.h"

#include "EditorFixture.h"

#include <QCheckBox>
#include <QImage>
#include <QStyle>
#include <QStyleFactory>

namespace rivetbay {
namespace {

// The check box is as tall as its text needs, centred on its row; a list's
// closed field no taller than a row.
TEST_F(WindowTest, TheCheckBoxAndTheListsClosedFieldsFitTheirRows)
{
    startEditor();
    const DialogUnits du(editor_->font());
    EXPECT_LE(find<QComboBox>("modelList")->height(), du.y(14));
    const QRect turret = find<QCheckBox>("turretBox")->geometry();
    EXPECT_EQ(turret.x(), du.x(200));
    EXPECT_NEAR(turret.center().y(), du.y(62) + du.y(8) / 2, 1);
}

TEST_F(WindowTest, PointFramesHoldTheirCrossUnderTheTitle)
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
        // The frame's line runs through the middle of its title in every style.
        for (const char* styleName : {"Fusion", "Windows"}) {
            std::unique_ptr<QStyle> style(QStyleFactory::create(styleName));
            ASSERT_NE(style, nullptr) << styleName;
            frame->setStyle(style.get());
            const QImage image = frame->grab().toImage();
            const QRect t = frame->titleRect();
            const int x = box == "armor" ? t.right() + 4 : t.left() - 4; // beside the title
            const QRgb background = image.pixel(x, 0); // above the line
            int line = 0;
            while (line < image.height() && image.pixel(x, line) == background) ++line;
            EXPECT_NEAR(line, t.center().y(), 1) << box << " in " << styleName;
        }
        frame->setStyle(nullptr);
    }
}

TEST_F(WindowTest, ANumberTooWideShowsItsStartVisiblyCut)
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

TEST_F(WindowTest, DisabledMountListsLookDisabled)
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
