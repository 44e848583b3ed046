#include "car/CarConfig.h"

#include "catalogue/CarCatalogue.h"

namespace rivetbay {

namespace {
void clampIndex(std::int32_t& index, int count)
{
    if (index < 0 || index >= count) index = 0;
}
} // namespace

void normaliseSelections(CarConfig& c)
{
    namespace cat = CarCatalogue;
    clampIndex(c.model, cat::modelCount);
    clampIndex(c.engine, cat::engineCount);
    clampIndex(c.suspension, cat::suspensionCount);
    clampIndex(c.frontTires, cat::tireCount);
    clampIndex(c.rearTires, cat::tireCount);
    clampIndex(c.brakes, cat::brakesCount);
    for (auto& w : c.frontWeapons) clampIndex(w, cat::weaponCount);
    for (auto& w : c.topWeapons) clampIndex(w, cat::weaponCount);
    for (auto& w : c.rearWeapons) clampIndex(w, cat::weaponCount);
    for (auto& d : c.droppers) clampIndex(d, cat::dropperCount);
    for (auto& s : c.specials) clampIndex(s, cat::specialCount);
    if (c.turret != 0) c.turret = 1;
}

} // namespace rivetbay
