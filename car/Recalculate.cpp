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

// Prices the first `available` mounts and clears the rest; returns the sum.
template <std::size_t N, typename PriceOf>
std::uint32_t priceMounts(std::array<std::int32_t, N>& selections,
                          std::array<std::uint32_t, N>& prices, std::array<bool, N>& enabled,
                          int available, PriceOf priceOf)
{
    std::uint32_t sum = 0;
    for (std::size_t k = 0; k < N; ++k) {
        enabled[k] = static_cast<int>(k) < available;
        if (enabled[k]) {
            prices[k] = priceOf(selections[k]);
            sum += prices[k];
        } else {
            selections[k] = 0;
            prices[k] = 0;
        }
    }
    return sum;
}

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

    total += priceMounts(c.frontWeapons, c.frontWeaponPrices, out.frontEnabled, m.frontMounts,
                         cat::weaponPrice);

    // Decided on top weapon 1 before the top mounts may clear it.
    out.turretEnabled = cat::isTurretCapable(c.topWeapons[0]);
    if (!out.turretEnabled) c.turret = 0;

    out.topEnabled[0] = m.topMounts >= 1;
    if (out.topEnabled[0]) {
        const double surcharge = c.turret != 0 ? 1.5 : 1.0;
        c.topWeaponPrices[0] =
            roundHalfUp(static_cast<double>(cat::weaponPrice(c.topWeapons[0])) * surcharge);
        total += c.topWeaponPrices[0];
    } else {
        c.turret = 0;
        c.topWeapons[0] = 0;
        c.topWeaponPrices[0] = 0;
    }
    out.topEnabled[1] = m.topMounts >= 2;
    if (out.topEnabled[1]) {
        c.topWeaponPrices[1] = cat::weaponPrice(c.topWeapons[1]);
        total += c.topWeaponPrices[1];
    } else {
        c.topWeapons[1] = 0;
        c.topWeaponPrices[1] = 0;
    }

    total += priceMounts(c.rearWeapons, c.rearWeaponPrices, out.rearEnabled, m.rearMounts,
                         cat::weaponPrice);
    total += priceMounts(c.droppers, c.dropperPrices, out.droppersEnabled, m.dropperMounts,
                         cat::dropperPrice);

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
