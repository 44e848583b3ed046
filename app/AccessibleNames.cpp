#include "app/AccessibleNames.h"

#include "app/EditorForm.h"
#include "app/WindowForms.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <utility>

namespace rivetbay {

namespace {

namespace Form = EditorForm;

// By the form's names for its controls.
constexpr std::pair<std::string_view, AccessibleName> editor[] = {
    {"modelList", {"Model"}},
    {"engineList", {"Engine"}},
    {"suspensionList", {"Suspension"}},
    {"brakesList", {"Brakes"}},
    {"frontTiresList", {"Front tires"}},
    {"rearTiresList", {"Rear tires"}},
    {"frontWeapon1List", {"Front weapon 1"}},
    {"frontWeapon2List", {"Front weapon 2"}},
    {"frontWeapon3List", {"Front weapon 3"}},
    {"topWeapon1List", {"Top weapon 1"}},
    {"topWeapon2List", {"Top weapon 2"}},
    {"rearWeapon1List", {"Rear weapon 1"}},
    {"rearWeapon2List", {"Rear weapon 2"}},
    {"dropper1List", {"Dropper 1"}},
    {"dropper2List", {"Dropper 2"}},
    {"special1List", {"Special 1"}},
    {"special2List", {"Special 2"}},
    {"special3List", {"Special 3"}},
    {"paintList", {"Paint scheme"}},
    {"nameBox", {"Name"}},
    {"turretBox", {"Turret"}},
    {"armorFrontField", {"Armor front"}},
    {"armorLeftField", {"Armor left"}},
    {"armorRightField", {"Armor right"}},
    {"armorRearField", {"Armor rear"}},
    {"chassisFrontField", {"Chassis front"}},
    {"chassisLeftField", {"Chassis left"}},
    {"chassisRightField", {"Chassis right"}},
    {"chassisRearField", {"Chassis rear"}},
    {"freePointsField", {"Free points"}},
    {"armorFrontSpin", {"Armor front points", "One point less on armor front", "One point more on armor front"}},
    {"armorLeftSpin", {"Armor left points", "One point less on armor left", "One point more on armor left"}},
    {"armorRightSpin", {"Armor right points", "One point less on armor right", "One point more on armor right"}},
    {"armorRearSpin", {"Armor rear points", "One point less on armor rear", "One point more on armor rear"}},
    {"chassisFrontSpin", {"Chassis front points", "One point less on chassis front", "One point more on chassis front"}},
    {"chassisLeftSpin", {"Chassis left points", "One point less on chassis left", "One point more on chassis left"}},
    {"chassisRightSpin", {"Chassis right points", "One point less on chassis right", "One point more on chassis right"}},
    {"chassisRearSpin", {"Chassis rear points", "One point less on chassis rear", "One point more on chassis rear"}},
    {"transferSpin", {"Points between armor and chassis", "One point from each chassis side to armor",
     "One point from each armor side to chassis"}},
    {"modelPrice", {"Model price"}},
    {"enginePrice", {"Engine price"}},
    {"suspensionPrice", {"Suspension price"}},
    {"brakesPrice", {"Brakes price"}},
    {"frontTiresPrice", {"Front tires price"}},
    {"rearTiresPrice", {"Rear tires price"}},
    {"frontWeapon1Price", {"Front weapon 1 price"}},
    {"frontWeapon2Price", {"Front weapon 2 price"}},
    {"frontWeapon3Price", {"Front weapon 3 price"}},
    {"topWeapon1Price", {"Top weapon 1 price"}},
    {"topWeapon2Price", {"Top weapon 2 price"}},
    {"rearWeapon1Price", {"Rear weapon 1 price"}},
    {"rearWeapon2Price", {"Rear weapon 2 price"}},
    {"dropper1Price", {"Dropper 1 price"}},
    {"dropper2Price", {"Dropper 2 price"}},
    {"special1Price", {"Special 1 price"}},
    {"special2Price", {"Special 2 price"}},
    {"special3Price", {"Special 3 price"}},
    {"totalPrice", {"Total price"}},
    {"openButton", {"Open"}},
    {"saveButton", {"Save"}},
    {"aboutButton", {"About"}},
    {"quitButton", {"Quit"}},
};

// By the forms' ids.
constexpr std::pair<int, AccessibleName> about[] = {
    {AboutForm::okId, {"OK"}},
    {AboutForm::browserId, {"About Rivetbay"}},
    {AboutForm::arrowsId, {"Back and forward", "Back", "Forward"}},
    {AboutForm::reloadId, {"Reload"}},
    {AboutForm::stopId, {"Stop"}},
};

constexpr std::pair<int, AccessibleName> hackbuster[] = {
    {HackbusterForm::okId, {"OK"}},
    {HackbusterForm::listId, {"Hackbuster list"}},
};

template <typename Key> const AccessibleName* find(std::span<const std::pair<Key, AccessibleName>> table, Key key)
{
    const auto at = std::find_if(table.begin(), table.end(), [&](const auto& row) { return row.first == key; });
    return at == table.end() ? nullptr : &at->second;
}

} // namespace

const AccessibleName* AccessibleNames::editorControl(int id)
{
    const FormControl* c = Form::control(id);
    return c ? find<std::string_view>(editor, c->name) : nullptr;
}
const AccessibleName* AccessibleNames::aboutControl(int id) { return find<int>(about, id); }
const AccessibleName* AccessibleNames::hackbusterControl(int id) { return find<int>(hackbuster, id); }

} // namespace rivetbay
