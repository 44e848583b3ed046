#include "car/Allocation.h"

#include "catalogue/CarCatalogue.h"

#include <cstdint>
#include <limits>

namespace rivetbay {

namespace {

// Points loaded from a file can sit anywhere in the 32-bit range; the sums
// are formed wide so that no step can overflow.
bool fits(std::int64_t value)
{
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

std::int64_t minimumOf(const CarConfig& config)
{
    return CarCatalogue::model(config.model).minPerSide;
}

} // namespace

void changeModel(CarConfig& c)
{
    normaliseSelections(c);
    const ModelSpec& m = CarCatalogue::model(c.model);
    c.paintScheme = 0;
    c.freePoints = 0;
    c.armor.fill(m.defaultArmor);
    c.chassis.fill(m.defaultChassis);
}

bool stepSide(CarConfig& c, Points points, Side side, int step)
{
    normaliseSelections(c);
    std::int32_t& value = points == Points::Chassis ? c.chassis[side] : c.armor[side];
    const std::int64_t pool = std::int64_t{c.freePoints} - step;
    const std::int64_t raised = std::int64_t{value} + step;
    // The minimum bounds only a lowering, so that a side loaded below it can
    // still be raised back towards it.
    const bool belowMinimum = step < 0 && raised < minimumOf(c);
    if (pool < 0 || belowMinimum || !fits(pool) || !fits(raised)) return false;
    c.freePoints = static_cast<std::int32_t>(pool);
    value = static_cast<std::int32_t>(raised);
    return true;
}

bool transferPoints(CarConfig& c, int step)
{
    normaliseSelections(c);
    if (step == 0) return false;
    const std::int64_t minimum = minimumOf(c);
    auto& losing = step > 0 ? c.armor : c.chassis;
    auto& gaining = step > 0 ? c.chassis : c.armor;
    const std::int64_t amount = step > 0 ? step : -std::int64_t{step};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::int64_t lowered = losing[i] - amount;
        if (lowered < minimum || !fits(lowered) || !fits(gaining[i] + amount)) return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        losing[i] = static_cast<std::int32_t>(losing[i] - amount);
        gaining[i] = static_cast<std::int32_t>(gaining[i] + amount);
    }
    return true;
}

std::int64_t pointBudget(const CarConfig& c)
{
    const int model = c.model >= 0 && c.model < CarCatalogue::modelCount ? c.model : 0;
    const ModelSpec& m = CarCatalogue::model(model);
    return 4 * (std::int64_t{m.defaultArmor} + m.defaultChassis);
}

std::int64_t pointsHeld(const CarConfig& c)
{
    std::int64_t sum = c.freePoints;
    for (std::int32_t v : c.armor) sum += v;
    for (std::int32_t v : c.chassis) sum += v;
    return sum;
}

} // namespace rivetbay
