#include "app/EditorForm.h"

#include "catalogue/CarCatalogue.h"

#include <algorithm>
#include <array>

namespace rivetbay {

namespace {

namespace cat = CarCatalogue;
using C = CarConfig;
using K = ControlKind;

// A table's display names in index order: the entries of its list.
template <std::size_t N>
constexpr std::array<std::string_view, N> namesOf(const std::array<PricedItem, N>& table)
{
    std::array<std::string_view, N> names{};
    for (std::size_t i = 0; i < N; ++i) names[i] = table[i].displayName;
    return names;
}

const std::array<std::string_view, cat::modelCount> modelNames = [] {
    std::array<std::string_view, cat::modelCount> names{};
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = cat::modelTable[i].displayName;
    return names;
}();
const auto engineNames = namesOf(cat::engineTable);
const auto tireNames = namesOf(cat::tireTable);

// Accessors for the bound fields.
template <auto member> auto& field(C& c) { return c.*member; }
template <auto member, std::size_t index> auto& element(C& c) { return (c.*member)[index]; }

FormControl list(int id, const char* name, DialogRect at, std::span<const std::string_view> entries,
                 std::int32_t& (*bound)(C&), ControlAction action = ControlAction::Recalculate,
                 std::optional<Mount> mount = std::nullopt)
{
    return {id, K::List, name, at, nullptr, entries, bound, nullptr, action, mount};
}
FormControl points(int id, K kind, const char* name, DialogRect at, std::int32_t& (*bound)(C&))
{
    return {id, kind, name, at, nullptr, {}, bound};
}
FormControl price(int id, K kind, const char* name, DialogRect at, std::uint32_t& (*bound)(C&))
{
    return {id, kind, name, at, nullptr, {}, nullptr, bound};
}
FormControl captioned(int id, K kind, const char* name, DialogRect at, const char* text,
                      ControlAction action = ControlAction::None)
{
    return {id, kind, name, at, text, {}, nullptr, nullptr, action};
}
FormControl sideSpin(int id, const char* name, DialogRect at, Points which, Side side)
{
    FormControl c = captioned(id, K::SideSpin, name, at, nullptr);
    c.action = ControlAction::StepSide;
    c.points = which;
    c.side = side;
    c.buddy = id - 1; // the field made just before it
    return c;
}
// Its Left and Right keys work in the free-points field.
FormControl transferSpin(int id, const char* name, DialogRect at)
{
    FormControl c = captioned(id, K::TransferSpin, name, at, nullptr, ControlAction::Transfer);
    c.buddy = EditorForm::freePoints;
    return c;
}
// `serves`: the one list it names, for a screen reader; 0 when it heads several.
FormControl label(const char* name, DialogRect at, const char* text, int serves = 0)
{
    FormControl c = captioned(EditorForm::noControlId, K::Label, name, at, text);
    c.buddy = serves;
    return c;
}

const std::vector<FormControl>& table()
{
    const auto weapons = std::span<const std::string_view>(cat::weaponNames);
    const auto droppers = std::span<const std::string_view>(cat::dropperNames);
    const auto specials = std::span<const std::string_view>(cat::specialNames);
    const auto tires = std::span<const std::string_view>(tireNames);
    constexpr int none = EditorForm::noControlId;
    static const std::vector<FormControl> rows = {
        list(1002, "modelList", {2, 12, 98, 216}, modelNames, &field<&C::model>,
             ControlAction::ChangeModel),
        list(1003, "engineList", {2, 41, 98, 187}, engineNames, &field<&C::engine>),
        list(1004, "suspensionList", {2, 68, 98, 160}, cat::suspensionNames,
             &field<&C::suspension>),
        list(1005, "brakesList", {2, 96, 98, 132}, cat::brakesNames, &field<&C::brakes>),
        list(1006, "frontTiresList", {2, 124, 98, 104}, tires, &field<&C::frontTires>),
        list(1007, "rearTiresList", {2, 140, 98, 88}, tires, &field<&C::rearTires>),
        list(1016, "special1List", {225, 12, 74, 224}, specials, &element<&C::specials, 0>),
        list(1017, "special2List", {225, 28, 74, 208}, specials, &element<&C::specials, 1>),
        list(1018, "special3List", {225, 44, 74, 192}, specials, &element<&C::specials, 2>),
        list(1008, "frontWeapon1List", {124, 12, 78, 216}, weapons, &element<&C::frontWeapons, 0>,
             ControlAction::Recalculate, Mount::Front1),
        list(1009, "frontWeapon2List", {124, 28, 78, 200}, weapons, &element<&C::frontWeapons, 1>,
             ControlAction::Recalculate, Mount::Front2),
        list(1020, "frontWeapon3List", {124, 44, 78, 184}, weapons, &element<&C::frontWeapons, 2>,
             ControlAction::Recalculate, Mount::Front3),
        list(1010, "topWeapon1List", {124, 72, 78, 156}, weapons, &element<&C::topWeapons, 0>,
             ControlAction::Recalculate, Mount::Top1),
        list(1011, "topWeapon2List", {124, 88, 78, 140}, weapons, &element<&C::topWeapons, 1>,
             ControlAction::Recalculate, Mount::Top2),
        list(1012, "rearWeapon1List", {124, 116, 78, 112}, weapons, &element<&C::rearWeapons, 0>,
             ControlAction::Recalculate, Mount::Rear1),
        list(1013, "rearWeapon2List", {124, 132, 78, 96}, weapons, &element<&C::rearWeapons, 1>,
             ControlAction::Recalculate, Mount::Rear2),
        list(1014, "dropper1List", {124, 159, 78, 69}, droppers, &element<&C::droppers, 0>,
             ControlAction::Recalculate, Mount::Dropper1),
        list(1015, "dropper2List", {124, 175, 78, 53}, droppers, &element<&C::droppers, 1>,
             ControlAction::Recalculate, Mount::Dropper2),
        list(1039, "paintList", {124, 206, 98, 68}, {}, nullptr, ControlAction::Paint),
        captioned(none, K::ArmorFrame, "armorGroup", {2, 160, 60, 60}, "Armor"),
        captioned(none, K::ChassisFrame, "chassisGroup", {61, 160, 60, 60}, "Chassis"),
        points(1197, K::Points, "armorFrontField", {23, 170, 16, 14}, &element<&C::armor, Front>),
        sideSpin(1198, "armorFrontSpin", {39, 168, 9, 16}, Points::Armor, Front),
        points(1201, K::Points, "armorLeftField", {14, 186, 16, 14}, &element<&C::armor, Left>),
        sideSpin(1202, "armorLeftSpin", {6, 186, 9, 16}, Points::Armor, Left),
        points(1199, K::Points, "armorRightField", {32, 186, 16, 14}, &element<&C::armor, Right>),
        sideSpin(1200, "armorRightSpin", {48, 185, 9, 16}, Points::Armor, Right),
        points(1203, K::Points, "armorRearField", {23, 202, 16, 14}, &element<&C::armor, Rear>),
        sideSpin(1204, "armorRearSpin", {15, 202, 9, 16}, Points::Armor, Rear),
        points(1189, K::Points, "chassisFrontField", {83, 169, 16, 14},
               &element<&C::chassis, Front>),
        sideSpin(1190, "chassisFrontSpin", {99, 168, 9, 16}, Points::Chassis, Front),
        points(1193, K::Points, "chassisLeftField", {74, 185, 16, 14}, &element<&C::chassis, Left>),
        sideSpin(1194, "chassisLeftSpin", {66, 185, 9, 16}, Points::Chassis, Left),
        points(1191, K::Points, "chassisRightField", {92, 185, 16, 14},
               &element<&C::chassis, Right>),
        sideSpin(1192, "chassisRightSpin", {108, 185, 9, 16}, Points::Chassis, Right),
        points(1195, K::Points, "chassisRearField", {83, 201, 16, 14}, &element<&C::chassis, Rear>),
        sideSpin(1196, "chassisRearSpin", {75, 201, 9, 16}, Points::Chassis, Rear),
        points(1126, K::FreePoints, "freePointsField", {50, 156, 22, 16}, &field<&C::freePoints>),
        transferSpin(1128, "transferSpin", {52, 208, 20, 12}),
        price(1029, K::Price, "modelPrice", {101, 12, 19, 13}, &field<&C::modelPrice>),
        price(1030, K::Price, "enginePrice", {101, 41, 19, 13}, &field<&C::enginePrice>),
        price(1031, K::Price, "suspensionPrice", {101, 68, 19, 13}, &field<&C::suspensionPrice>),
        price(1032, K::Price, "brakesPrice", {101, 96, 19, 13}, &field<&C::brakesPrice>),
        price(1033, K::Price, "frontTiresPrice", {101, 124, 19, 13}, &field<&C::frontTiresPrice>),
        price(1034, K::Price, "rearTiresPrice", {101, 140, 19, 13}, &field<&C::rearTiresPrice>),
        price(1021, K::Price, "frontWeapon1Price", {203, 12, 19, 13},
              &element<&C::frontWeaponPrices, 0>),
        price(1022, K::Price, "frontWeapon2Price", {203, 28, 19, 13},
              &element<&C::frontWeaponPrices, 1>),
        price(1038, K::Price, "frontWeapon3Price", {203, 44, 19, 13},
              &element<&C::frontWeaponPrices, 2>),
        price(1023, K::Price, "topWeapon1Price", {203, 72, 19, 13},
              &element<&C::topWeaponPrices, 0>),
        price(1024, K::Price, "topWeapon2Price", {203, 88, 19, 13},
              &element<&C::topWeaponPrices, 1>),
        price(1025, K::Price, "rearWeapon1Price", {203, 116, 19, 13},
              &element<&C::rearWeaponPrices, 0>),
        price(1026, K::Price, "rearWeapon2Price", {203, 132, 19, 13},
              &element<&C::rearWeaponPrices, 1>),
        price(1027, K::Price, "dropper1Price", {203, 159, 19, 13}, &element<&C::dropperPrices, 0>),
        price(1028, K::Price, "dropper2Price", {203, 175, 19, 13}, &element<&C::dropperPrices, 1>),
        price(1035, K::Price, "special1Price", {300, 12, 19, 13}, &element<&C::specialPrices, 0>),
        price(1036, K::Price, "special2Price", {300, 28, 19, 13}, &element<&C::specialPrices, 1>),
        price(1037, K::Price, "special3Price", {300, 44, 19, 13}, &element<&C::specialPrices, 2>),
        captioned(2, K::Button, "quitButton", {272, 200, 48, 20}, "&QUIT", ControlAction::Quit),
        captioned(1048, K::Button, "aboutButton", {276, 180, 43, 16}, "&ABOUT", ControlAction::About),
        captioned(1136, K::HiddenButton, "exportButton", {276, 160, 43, 16}, "&EXPORT",
                  ControlAction::Export),
        captioned(1060, K::Button, "openButton", {228, 160, 43, 16}, "&OPEN", ControlAction::Open),
        captioned(1061, K::Button, "saveButton", {228, 180, 43, 16}, "&SAVE", ControlAction::Save),
        label("modelLabel", {2, 4, 98, 8}, "Model", 1002),
        label("engineLabel", {2, 32, 98, 8}, "Engine", 1003),
        label("suspensionLabel", {2, 60, 98, 8}, "Suspension", 1004),
        label("brakesLabel", {2, 88, 98, 8}, "Brakes", 1005),
        label("tiresLabel", {2, 116, 98, 8}, "Tires"),
        label("frontWeaponsLabel", {124, 4, 78, 8}, "Front Weapons"),
        label("topWeaponsLabel", {124, 64, 78, 8}, "Top Weapons"),
        captioned(1019, K::Check, "turretBox", {200, 62, 22, 8}, "TRT", ControlAction::Recalculate),
        label("rearWeaponsLabel", {124, 107, 78, 8}, "Rear Weapons"),
        label("droppersLabel", {124, 151, 78, 8}, "Droppers"),
        label("specialsLabel", {225, 4, 68, 8}, "Specials"),
        label("paintSchemeLabel", {124, 198, 98, 8}, "Paint Scheme", 1039),
        label("dollarLabel", {224, 209, 8, 8}, "$"),
        price(1001, K::Total, "totalPrice", {228, 204, 42, 16}, &field<&C::totalPrice>),
        captioned(1040, K::NameBox, "nameBox", {228, 88, 74, 136}, nullptr),
        label("nameLabel", {228, 80, 72, 8}, "Name", 1040),
        captioned(1138, K::HiddenButton, "hackbusterButton", {228, 116, 92, 28}, "Hackbuster",
                  ControlAction::Hackbuster),
    };
    return rows;
}

} // namespace

std::span<const FormControl> EditorForm::controls() { return table(); }

const FormControl* EditorForm::control(int id)
{
    if (id == noControlId) return nullptr;
    const auto& rows = table();
    const auto found =
        std::find_if(rows.begin(), rows.end(), [id](const FormControl& c) { return c.id == id; });
    return found == rows.end() ? nullptr : &*found;
}

} // namespace rivetbay
