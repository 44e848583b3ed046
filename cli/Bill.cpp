#include "cli/Bill.h"

#include "car/DesignChecks.h"
#include "catalogue/CarCatalogue.h"
#include "files/TextEncoding.h"

#include <nlohmann/json.hpp>

#include <string_view>

namespace rivetbay::cli {

namespace cat = CarCatalogue;

namespace {

std::string utf8(std::string_view text) { return utf8FromWindows1252(text); }

} // namespace

namespace {

nlohmann::json sidesByName(const std::array<std::int32_t, 4>& values)
{
    nlohmann::json sides = nlohmann::json::object();
    for (const Side side : {Front, Rear, Left, Right}) sides[std::string(sideName(side))] = values[side];
    return sides;
}

template <std::size_t N, typename Table>
nlohmann::json namesOf(const std::array<std::int32_t, N>& indices, const Table& table)
{
    nlohmann::json names = nlohmann::json::array();
    for (std::int32_t i : indices) names.push_back(utf8(table[static_cast<std::size_t>(i)]));
    return names;
}

} // namespace

std::string billJson(const CarConfig& c, const RecalcResult& pass, const std::string& path,
                     const std::vector<SelectionProblem>& outOfRange,
                     const std::vector<std::string>& warnings)
{
    using nlohmann::json;
    json j;
    j["model"] = c.model;
    j["engine"] = c.engine;
    j["suspension"] = c.suspension;
    j["frontTires"] = c.frontTires;
    j["rearTires"] = c.rearTires;
    j["brakes"] = c.brakes;
    j["frontWeapons"] = c.frontWeapons;
    j["topWeapons"] = c.topWeapons;
    j["rearWeapons"] = c.rearWeapons;
    j["droppers"] = c.droppers;
    j["specials"] = c.specials;
    j["specialPrices"] = c.specialPrices;
    j["rearTiresPrice"] = c.rearTiresPrice;
    j["brakesPrice"] = c.brakesPrice;
    j["modelPrice"] = c.modelPrice;
    j["enginePrice"] = c.enginePrice;
    j["frontTiresPrice"] = c.frontTiresPrice;
    j["suspensionPrice"] = c.suspensionPrice;
    j["frontWeaponPrices"] = c.frontWeaponPrices;
    j["topWeaponPrices"] = c.topWeaponPrices;
    j["rearWeaponPrices"] = c.rearWeaponPrices;
    j["dropperPrices"] = c.dropperPrices;
    j["totalPrice"] = c.totalPrice;
    j["turret"] = c.turret;
    j["paintScheme"] = c.paintScheme;
    j["name"] = utf8(c.name);
    j["freePoints"] = c.freePoints;
    j["armor"] = c.armor;
    j["chassis"] = c.chassis;

    json paints = json::array();
    for (std::string_view p : pass.paintSchemes) paints.push_back(utf8(p));
    j["paintSchemes"] = paints;
    json variants = json::array();
    for (const std::string& v : pass.variantNames) variants.push_back(utf8(v));
    j["variants"] = variants;
    json enabled = {{"front", json::array()}, {"top", json::array()}, {"rear", json::array()},
                    {"droppers", json::array()}};
    static constexpr const char* groups[] = {"front", "top", "rear", "droppers"};
    for (const Mount mount : allMounts)
        enabled[groups[static_cast<int>(groupOf(mount))]].push_back(pass.enabled(mount));
    j["mountsEnabled"] = enabled;
    j["turretEnabled"] = pass.turretEnabled;

    j["path"] = path;
    const bool painted = pass.paintSelection >= 0;
    j["partNames"] = {
        {"model", utf8(cat::model(c.model).displayName)},
        {"engine", utf8(cat::engineTable[c.engine].displayName)},
        {"suspension", utf8(cat::suspensionNames[c.suspension])},
        {"brakes", utf8(cat::brakesNames[c.brakes])},
        {"frontTires", utf8(cat::tireTable[c.frontTires].displayName)},
        {"rearTires", utf8(cat::tireTable[c.rearTires].displayName)},
        {"frontWeapons", namesOf(c.frontWeapons, cat::weaponNames)},
        {"topWeapons", namesOf(c.topWeapons, cat::weaponNames)},
        {"rearWeapons", namesOf(c.rearWeapons, cat::weaponNames)},
        {"droppers", namesOf(c.droppers, cat::dropperNames)},
        {"specials", namesOf(c.specials, cat::specialNames)},
        {"paintScheme", painted ? utf8(pass.paintSchemes[pass.paintSelection]) : ""},
    };
    j["sides"] = {{"armor", sidesByName(c.armor)}, {"chassis", sidesByName(c.chassis)}};
    nlohmann::json problems = nlohmann::json::array();
    for (const SelectionProblem& p : outOfRange)
        problems.push_back({{"field", p.field}, {"value", p.value}});
    j["outOfRange"] = problems;
    nlohmann::json notes = nlohmann::json::array();
    for (const std::string& w : warnings) notes.push_back(utf8(w));
    j["warnings"] = notes;
    // A path that is not UTF-8 (bytes of another code page) shows U+FFFD
    // where its bad bytes stand, rather than ending the program.
    return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string jsonArray(const std::vector<std::string>& objects)
{
    nlohmann::json all = nlohmann::json::array();
    for (const std::string& object : objects) all.push_back(nlohmann::json::parse(object));
    return all.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

} // namespace rivetbay::cli
