#include "car/CarConfig.h"

#include "catalogue/CarCatalogue.h"

#include <string>

namespace rivetbay {

namespace {

// Every selection with its name and the size of its table.
template <typename Config, typename Visit> void forEachSelection(Config& c, Visit visit)
{
    namespace cat = CarCatalogue;
    visit("model", c.model, cat::modelCount);
    visit("engine", c.engine, cat::engineCount);
    visit("suspension", c.suspension, cat::suspensionCount);
    visit("frontTires", c.frontTires, cat::tireCount);
    visit("rearTires", c.rearTires, cat::tireCount);
    visit("brakes", c.brakes, cat::brakesCount);
    const auto each = [&](const char* name, auto& values, int count) {
        for (std::size_t k = 0; k < values.size(); ++k)
            visit(std::string(name) + "[" + std::to_string(k) + "]", values[k], count);
    };
    each("frontWeapons", c.frontWeapons, cat::weaponCount);
    each("topWeapons", c.topWeapons, cat::weaponCount);
    each("rearWeapons", c.rearWeapons, cat::weaponCount);
    each("droppers", c.droppers, cat::dropperCount);
    each("specials", c.specials, cat::specialCount);
}

bool outside(std::int32_t index, int count) { return index < 0 || index >= count; }

} // namespace

namespace {

// The record with every derived field cleared.
CarConfig designOf(CarConfig c)
{
    c.totalPrice = c.rearTiresPrice = c.brakesPrice = c.modelPrice = c.enginePrice = 0;
    c.frontTiresPrice = c.suspensionPrice = 0;
    c.specialPrices = {};
    c.frontWeaponPrices = {};
    c.topWeaponPrices = {};
    c.rearWeaponPrices = {};
    c.dropperPrices = {};
    return c;
}

} // namespace

std::string_view nameTheGameReads(const CarConfig& config)
{
    const std::string_view name = config.name;
    return name.substr(0, name.find('\0'));
}

bool sameDesign(const CarConfig& a, const CarConfig& b) { return designOf(a) == designOf(b); }

void normaliseSelections(CarConfig& c)
{
    forEachSelection(c, [](const auto&, std::int32_t& index, int count) {
        if (outside(index, count)) index = 0;
    });
    if (c.turret != 0) c.turret = 1;
}

std::vector<SelectionProblem> selectionsOutsideTables(const CarConfig& c)
{
    std::vector<SelectionProblem> problems;
    forEachSelection(c, [&](const auto& name, const std::int32_t& index, int count) {
        if (outside(index, count)) problems.push_back({std::string(name), index, count});
    });
    if (c.turret != 0 && c.turret != 1) problems.push_back({"turret", c.turret, 2});
    return problems;
}

std::string describe(const SelectionProblem& p)
{
    return p.field + " is " + std::to_string(p.value) + ", outside its table (0 to " +
           std::to_string(p.tableSize - 1) + ")";
}

} // namespace rivetbay
