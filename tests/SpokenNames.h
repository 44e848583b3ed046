#pragma once

// What a screen reader says for each kind of control of the three windows,
// as a player hears it; both toolkits' tests read it. An arrow pair names its
// arrows `less` and `more` where each arrow is a control of its own.

namespace rivetbay::testkit {

struct Spoken {
    const char* control; // the form's name for it
    const char* name;
    const char* less = nullptr;
    const char* more = nullptr;
};

inline constexpr Spoken spokenEditor[] = {
    {"modelList", "Model"},
    {"frontTiresList", "Front tires"},
    {"frontWeapon3List", "Front weapon 3"},
    {"dropper2List", "Dropper 2"},
    {"special1List", "Special 1"},
    {"paintList", "Paint scheme"},
    {"nameBox", "Name"},
    {"turretBox", "Turret"},
    {"armorFrontField", "Armor front"},
    {"chassisRightField", "Chassis right"},
    {"freePointsField", "Free points"},
    {"armorFrontSpin", "Armor front points", "One point less on armor front", "One point more on armor front"},
    {"chassisRearSpin", "Chassis rear points", "One point less on chassis rear", "One point more on chassis rear"},
    {"transferSpin", "Points between armor and chassis", "One point from each chassis side to armor",
     "One point from each armor side to chassis"},
    {"enginePrice", "Engine price"},
    {"special3Price", "Special 3 price"},
    {"totalPrice", "Total price"},
    {"openButton", "Open"},
    {"quitButton", "Quit"},
};

inline constexpr Spoken spokenAbout[] = {
    {"okButton", "OK"},
    {"browser", "About Rivetbay"},
    {"historyArrows", "Back and forward", "Back", "Forward"},
    {"reloadButton", "Reload"},
    {"stopButton", "Stop"},
};

inline constexpr Spoken spokenHackbuster[] = {{"okButton", "OK"}, {"list", "Hackbuster list"}};

} // namespace rivetbay::testkit
