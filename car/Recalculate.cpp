#include "car/Recalculate.h"

#include "catalogue/CarCatalogue.h"

#include <cmath>

namespace rivetbay {

namespace cat = CarCatalogue;

std::uint32_t roundHalfUp(double value)
{
    const double rounded = std::fmod(value, 1.0) < 0.5 ? std::floor(value) : std::ceil(value);
    return static_cast<std::uint32_t>(rounded);
}

std::string_view listingCode(const CarConfig& config)
{
    if (config.model <= 0 || config.model >= cat::modelCount) return {};
    return cat::model(config.model).variantFileCode;
}

namespace {

std::string trimmed(const std::string& text)
{
    constexpr std::string_view blanks = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace

RecalcResult recalculate(CarConfig& c, std::vector<std::string> variantNames)
{
    normaliseSelections(c);
    RecalcResult out;
    out.variantNames = std::move(variantNames);
    out.nameFieldText = c.name;

    const ModelSpec& m = cat::model(c.model);
    const auto fraction = [&](double factor) {
        return roundHalfUp(static_cast<double>(m.price) * factor);
    };

    c.modelPrice = m.price;
    c.enginePrice = cat::enginePrice(c.engine);
    c.suspensionPrice = fraction(cat::suspensionFactor(c.suspension));
    c.brakesPrice = fraction(cat::brakesFactor(c.brakes));
    c.frontTiresPrice = cat::tirePrice(c.frontTires);
    c.rearTiresPrice = cat::tirePrice(c.rearTires);
    std::uint32_t total = c.modelPrice + c.enginePrice + c.suspensionPrice + c.brakesPrice +
                          c.frontTiresPrice + c.rearTiresPrice;

    // Decided on top weapon 1 before the top mounts may clear it.
    out.turretEnabled = cat::isTurretCapable(c.topWeapons[0]);
    if (!out.turretEnabled) c.turret = 0;
    for (const Mount mount : allMounts) {
        std::int32_t& part = partAt(c, mount);
        std::uint32_t& price = priceAt(c, mount);
        out.mountEnabled[indexOf(mount)] = hasMount(m, mount);
        if (!hasMount(m, mount)) { // a mount the model lacks holds nothing
            part = 0;
            price = 0;
            if (mount == Mount::Top1) c.turret = 0;
            continue;
        }
        price = isDropper(mount) ? cat::dropperPrice(part) : cat::weaponPrice(part);
        if (mount == Mount::Top1 && c.turret != 0) price = roundHalfUp(static_cast<double>(price) * 1.5);
        total += price;
    }

    auto& s = c.specials;
    if (s[1] == s[0]) s[1] = 0;
    if (s[2] == s[0]) s[2] = 0;
    if (s[2] == s[1]) s[2] = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        c.specialPrices[i] = cat::specialPrice(s[i]);
        total += c.specialPrices[i];
    }
    c.totalPrice = total;

    out.paintSchemes.assign(m.paintSchemes.begin(), m.paintSchemes.begin() + m.paintCount);
    if (c.paintScheme >= 0 && c.paintScheme < m.paintCount) out.paintSelection = c.paintScheme;

    c.name = trimmed(c.name);
    return out;
}

} // namespace rivetbay
