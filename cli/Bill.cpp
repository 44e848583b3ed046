#include "cli/Bill.h"

#include "catalogue/CarCatalogue.h"
#include "cli/Commands.h"
#include "files/TextEncoding.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <sstream>
#include <string_view>

namespace rivetbay::cli {

namespace cat = CarCatalogue;

namespace {

std::string utf8(std::string_view text) { return utf8FromWindows1252(text); }

// Column widths count characters, not UTF-8 bytes.
std::string padded(const std::string& text, std::size_t width)
{
    std::size_t chars = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++chars;
    return chars >= width ? text + " " : text + std::string(width - chars, ' ');
}

class Lines {
public:
    void item(const std::string& label, std::string_view name, std::uint32_t price)
    {
        char number[16];
        std::snprintf(number, sizeof number, "%8u", price);
        out_ << padded(label, 14) << padded(name.empty() ? "-" : utf8(name), 28) << number << '\n';
    }
    void text(const std::string& label, const std::string& value)
    {
        out_ << padded(label, 14) << value << '\n';
    }
    std::string str() const { return out_.str(); }

private:
    std::ostringstream out_;
};

std::string sides(const std::array<std::int32_t, 4>& values)
{
    std::ostringstream out;
    out << "front " << values[Front] << "  rear " << values[Rear] << "  left " << values[Left]
        << "  right " << values[Right];
    return out.str();
}

} // namespace

std::string billText(const CarConfig& c, const RecalcResult& view)
{
    const ModelSpec& m = cat::model(c.model);
    Lines lines;
    lines.item("Model", m.displayName, c.modelPrice);
    lines.item("Engine", cat::engineTable[c.engine].displayName, c.enginePrice);
    lines.item("Suspension", cat::suspensionNames[c.suspension], c.suspensionPrice);
    lines.item("Brakes", cat::brakesNames[c.brakes], c.brakesPrice);
    lines.item("Front tires", cat::tireTable[c.frontTires].displayName, c.frontTiresPrice);
    lines.item("Rear tires", cat::tireTable[c.rearTires].displayName, c.rearTiresPrice);
    for (int k = 0; k < m.frontMounts; ++k)
        lines.item("Front " + std::to_string(k + 1), cat::weaponNames[c.frontWeapons[k]],
                   c.frontWeaponPrices[k]);
    for (int k = 0; k < m.topMounts; ++k) {
        std::string name(cat::weaponNames[c.topWeapons[k]]);
        if (k == 0 && c.turret != 0) name += " (turret)";
        lines.item("Top " + std::to_string(k + 1), name, c.topWeaponPrices[k]);
    }
    for (int k = 0; k < m.rearMounts; ++k)
        lines.item("Rear " + std::to_string(k + 1), cat::weaponNames[c.rearWeapons[k]],
                   c.rearWeaponPrices[k]);
    for (int k = 0; k < m.dropperMounts; ++k)
        lines.item("Dropper " + std::to_string(k + 1), cat::dropperNames[c.droppers[k]],
                   c.dropperPrices[k]);
    for (int k = 0; k < 3; ++k)
        lines.item("Special " + std::to_string(k + 1), cat::specialNames[c.specials[k]],
                   c.specialPrices[k]);
    const bool painted = view.paintSelection >= 0;
    lines.text("Paint", painted ? utf8(view.paintSchemes[view.paintSelection]) : "(none)");
    lines.text("Name", printable(utf8(c.name)));
    lines.text("Total", "$" + std::to_string(c.totalPrice));
    lines.text("Free points", std::to_string(c.freePoints));
    lines.text("Armor", sides(c.armor));
    lines.text("Chassis", sides(c.chassis));
    return lines.str();
}

namespace {

nlohmann::json sidesByName(const std::array<std::int32_t, 4>& values)
{
    return {{"front", values[Front]},
            {"rear", values[Rear]},
            {"left", values[Left]},
            {"right", values[Right]}};
}

template <std::size_t N, typename Table>
nlohmann::json namesOf(const std::array<std::int32_t, N>& indices, const Table& table)
{
    nlohmann::json names = nlohmann::json::array();
    for (std::int32_t i : indices) names.push_back(utf8(table[static_cast<std::size_t>(i)]));
    return names;
}

} // namespace

std::string billJson(const CarConfig& c, const RecalcResult& view, const std::string& path,
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
    for (std::string_view p : view.paintSchemes) paints.push_back(utf8(p));
    j["paintSchemes"] = paints;
    json variants = json::array();
    for (const std::string& v : view.variantNames) variants.push_back(utf8(v));
    j["variants"] = variants;
    j["mountsEnabled"] = {{"front", view.frontEnabled},
                          {"top", view.topEnabled},
                          {"rear", view.rearEnabled},
                          {"droppers", view.droppersEnabled}};
    j["turretEnabled"] = view.turretEnabled;

    j["path"] = path;
    const bool painted = view.paintSelection >= 0;
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
        {"paintScheme", painted ? utf8(view.paintSchemes[view.paintSelection]) : ""},
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
