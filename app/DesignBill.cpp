#include "app/DesignBill.h"

#include "car/DesignChecks.h"
#include "catalogue/CarCatalogue.h"
#include "files/TextEncoding.h"

#include <cstdio>
#include <sstream>
#include <string_view>

namespace rivetbay {

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
    for (const Side side : {Front, Rear, Left, Right})
        out << (side == Front ? "" : "  ") << sideName(side) << ' ' << values[side];
    return out.str();
}

} // namespace

std::string billText(const CarConfig& c, const RecalcResult& pass)
{
    const ModelSpec& m = cat::model(c.model);
    Lines lines;
    lines.item("Model", m.displayName, c.modelPrice);
    lines.item("Engine", cat::engineTable[c.engine].displayName, c.enginePrice);
    lines.item("Suspension", cat::suspensionNames[c.suspension], c.suspensionPrice);
    lines.item("Brakes", cat::brakesNames[c.brakes], c.brakesPrice);
    lines.item("Front tires", cat::tireTable[c.frontTires].displayName, c.frontTiresPrice);
    lines.item("Rear tires", cat::tireTable[c.rearTires].displayName, c.rearTiresPrice);
    for (const Mount mount : allMounts) {
        if (!hasMount(m, mount)) continue;
        const std::int32_t part = partAt(c, mount);
        std::string name(isDropper(mount) ? cat::dropperNames[part] : cat::weaponNames[part]);
        if (mount == Mount::Top1 && c.turret != 0) name += " (turret)";
        lines.item(mountLabel(mount), name, priceAt(c, mount));
    }
    for (int k = 0; k < 3; ++k)
        lines.item("Special " + std::to_string(k + 1), cat::specialNames[c.specials[k]],
                   c.specialPrices[k]);
    const bool painted = pass.paintSelection >= 0;
    lines.text("Paint", painted ? utf8(pass.paintSchemes[pass.paintSelection]) : "(none)");
    lines.text("Name", printable(utf8(c.name)));
    lines.text("Total", "$" + std::to_string(c.totalPrice));
    lines.text("Free points", std::to_string(c.freePoints));
    lines.text("Armor", sides(c.armor));
    lines.text("Chassis", sides(c.chassis));
    return lines.str();
}

} // namespace rivetbay
