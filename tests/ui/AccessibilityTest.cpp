// The three windows as a screen reader reads them, through the toolkit's
// accessibility interfaces.

#include "ui/AboutWindow.h"
#include "ui/HackbusterWindow.h"

#include "EditorFixture.h"
#include "SpokenNames.h"

#include <QAccessible>
#include <QLabel>

#include <set>

namespace rivetbay {
namespace {

QString spokenName(QObject* object)
{
    QAccessibleInterface* reader = object ? QAccessible::queryAccessibleInterface(object) : nullptr;
    return reader ? reader->text(QAccessible::Name) : QString("(no interface)");
}

void expectSpoken(const QWidget& window, std::span<const testkit::Spoken> table)
{
    for (const testkit::Spoken& row : table) {
        auto* control = window.findChild<QWidget*>(row.control);
        EXPECT_EQ(spokenName(control), row.name) << row.control;
        if (auto* arrows = qobject_cast<SpinArrows*>(control); arrows && row.less) {
            EXPECT_EQ(spokenName(arrows->decreaseButton()), row.less);
            EXPECT_EQ(spokenName(arrows->increaseButton()), row.more);
        }
    }
}

TEST_F(WindowTest, AScreenReaderHearsEveryControlByItsOwnName)
{
    startEditor();
    expectSpoken(*editor_, testkit::spokenEditor);
    // Every control a player uses or reads, each named and no two alike: the
    // lists and name box, the turret box, the points, the arrows, the prices
    // and total, the buttons. The hidden buttons are not among them.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(editor_.get());
    std::multiset<QString> names, groups;
    for (int k = 0; k < window->childCount(); ++k) {
        QAccessibleInterface* child = window->child(k);
        if (child->state().invisible || child->role() == QAccessible::StaticText) continue;
        if (child->role() == QAccessible::Grouping) {
            groups.insert(child->text(QAccessible::Name));
            continue;
        }
        const bool arrows = qobject_cast<SpinArrows*>(child->object());
        for (int a = 0; a < (arrows ? child->childCount() : 1); ++a)
            names.insert((arrows ? child->child(a) : child)->text(QAccessible::Name));
    }
    EXPECT_EQ(names.size(), 71u);
    EXPECT_EQ(std::set<QString>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(names.count(""), 0u);
    EXPECT_EQ(groups, (std::multiset<QString>{"Armor", "Chassis"}));
    // A list whose label names it alone is labelled by it.
    for (const auto& [list, label] : {std::pair{"modelList", "Model"}, std::pair{"paintList", "Paint Scheme"},
                                      std::pair{"nameBox", "Name"}}) {
        const auto relations = QAccessible::queryAccessibleInterface(find<QWidget>(list))->relations(QAccessible::Label);
        ASSERT_EQ(relations.size(), 1) << list;
        EXPECT_EQ(relations[0].first->text(QAccessible::Name), label);
    }
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(list("frontWeapon1List"))->relations(QAccessible::Label).isEmpty());
}

TEST_F(WindowTest, TheAboutAndHackbusterWindowsAreReadByName)
{
    startEditor();
    AboutWindow about(services_, editor_.get(), qpath(dir_.path()) + "/");
    expectSpoken(about, testkit::spokenAbout);
    HackbusterWindow hackbuster(editor_.get());
    expectSpoken(hackbuster, testkit::spokenHackbuster);
}

} // namespace
} // namespace rivetbay
