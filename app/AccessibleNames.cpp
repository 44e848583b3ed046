#include "app/AccessibleNames.h"

#include "app/EditorForm.h"
#include "app/WindowForms.h"

#include <algorithm>
#include <span>

namespace rivetbay {

namespace {

namespace Form = EditorForm;

constexpr AccessibleName editor[] = {
    {Form::modelList, "Model"},
    {1003, "Engine"},
    {1004, "Suspension"},
    {1005, "Brakes"},
    {1006, "Front tires"},
    {1007, "Rear tires"},
    {1008, "Front weapon 1"},
    {1009, "Front weapon 2"},
    {1020, "Front weapon 3"},
    {1010, "Top weapon 1"},
    {1011, "Top weapon 2"},
    {1012, "Rear weapon 1"},
    {1013, "Rear weapon 2"},
    {1014, "Dropper 1"},
    {1015, "Dropper 2"},
    {1016, "Special 1"},
    {1017, "Special 2"},
    {1018, "Special 3"},
    {Form::paintList, "Paint scheme"},
    {Form::nameBox, "Name"},
    {Form::turretBox, "Turret"},
    {1197, "Armor front"},
    {1201, "Armor left"},
    {1199, "Armor right"},
    {1203, "Armor rear"},
    {1189, "Chassis front"},
    {1193, "Chassis left"},
    {1191, "Chassis right"},
    {1195, "Chassis rear"},
    {Form::freePoints, "Free points"},
    {1198, "Armor front points", "One point less on armor front", "One point more on armor front"},
    {1202, "Armor left points", "One point less on armor left", "One point more on armor left"},
    {1200, "Armor right points", "One point less on armor right", "One point more on armor right"},
    {1204, "Armor rear points", "One point less on armor rear", "One point more on armor rear"},
    {1190, "Chassis front points", "One point less on chassis front", "One point more on chassis front"},
    {1194, "Chassis left points", "One point less on chassis left", "One point more on chassis left"},
    {1192, "Chassis right points", "One point less on chassis right", "One point more on chassis right"},
    {1196, "Chassis rear points", "One point less on chassis rear", "One point more on chassis rear"},
    {Form::transferSpin, "Points between armor and chassis", "One point from each chassis side to armor",
     "One point from each armor side to chassis"},
    {1029, "Model price"},
    {1030, "Engine price"},
    {1031, "Suspension price"},
    {1032, "Brakes price"},
    {1033, "Front tires price"},
    {1034, "Rear tires price"},
    {1021, "Front weapon 1 price"},
    {1022, "Front weapon 2 price"},
    {1038, "Front weapon 3 price"},
    {1023, "Top weapon 1 price"},
    {1024, "Top weapon 2 price"},
    {1025, "Rear weapon 1 price"},
    {1026, "Rear weapon 2 price"},
    {1027, "Dropper 1 price"},
    {1028, "Dropper 2 price"},
    {1035, "Special 1 price"},
    {1036, "Special 2 price"},
    {1037, "Special 3 price"},
    {Form::totalPrice, "Total price"},
    {Form::openButton, "Open"},
    {Form::saveButton, "Save"},
    {Form::aboutButton, "About"},
    {Form::quitButton, "Quit"},
};

constexpr AccessibleName about[] = {
    {AboutForm::okId, "OK"},
    {AboutForm::browserId, "About Rivetbay"},
    {AboutForm::arrowsId, "Back and forward", "Back", "Forward"},
    {AboutForm::reloadId, "Reload"},
    {AboutForm::stopId, "Stop"},
};

constexpr AccessibleName hackbuster[] = {
    {HackbusterForm::okId, "OK"},
    {HackbusterForm::listId, "Hackbuster list"},
};

const AccessibleName* find(std::span<const AccessibleName> table, int id)
{
    const auto at = std::find_if(table.begin(), table.end(), [id](const AccessibleName& n) { return n.id == id; });
    return at == table.end() ? nullptr : &*at;
}

} // namespace

const AccessibleName* AccessibleNames::editorControl(int id) { return find(editor, id); }
const AccessibleName* AccessibleNames::aboutControl(int id) { return find(about, id); }
const AccessibleName* AccessibleNames::hackbusterControl(int id) { return find(hackbuster, id); }

} // namespace rivetbay
