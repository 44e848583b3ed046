#include "car/Allocation.h"
#include "catalogue/CarCatalogue.h"

#include "Testkit.h"

#include <limits>

namespace rivetbay {
namespace {

constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();

CarConfig withModel(int model)
{
    CarConfig c{.paintScheme = 2, .model = model, .freePoints = 9};
    changeModel(c);
    return c;
}

// Each step from the ABX AMZ's defaults (armor 42, chassis 38, minimum 10).
TEST(Allocation, StepsAndTransfersKeepTheBudget)
{
    // What, the step, taken, what holds after.
    const std::tuple<const char*, std::function<bool(CarConfig&)>, bool, std::function<bool(const CarConfig&)>> steps[] = {
        {"raise with an empty pool", [](CarConfig& c) { return stepSide(c, Points::Armor, Left, +1); }, false,
         [](const CarConfig& c) { return c == withModel(1); }},
        {"lower armor front", [](CarConfig& c) { return stepSide(c, Points::Armor, Front, -1); }, true,
         [](const CarConfig& c) { return c.armor[Front] == 41 && c.freePoints == 1; }},
        {"raise chassis left", [](CarConfig& c) { return stepSide(c, Points::Chassis, Left, +1); }, true,
         [](const CarConfig& c) { return c.chassis[Left] == 39 && c.freePoints == 0; }},
        {"armor to chassis", [](CarConfig& c) { return transferPoints(c, +1); }, true,
         [](const CarConfig& c) { return c.armor[Rear] == 41 && c.chassis[Rear] == 39; }},
        {"a zero transfer", [](CarConfig& c) { return transferPoints(c, 0); }, false, nullptr},
        {"chassis to armor until the minimum",
         [](CarConfig& c) {
             while (transferPoints(c, -1)) {
             }
             return true;
         },
         true, [](const CarConfig& c) { return c.chassis[Rear] == 10 && c.armor[Rear] == 70 && c.chassis[Left] == 11; }},
    };
    CarConfig c = withModel(1);
    for (const auto& [what, rule, accepted, after] : steps) {
        const CarConfig before = c;
        EXPECT_EQ(rule(c), accepted) << what;
        if (!accepted) {
            EXPECT_EQ(c, before) << what;
        }
        if (after) {
            EXPECT_TRUE(after(c)) << what;
        }
        EXPECT_EQ(pointsHeld(c), pointBudget(c)) << what;
    }
}

TEST(Allocation, TheMinimumBoundsEveryLoweringSide)
{
    for (int side = 0; side < 4; ++side) {
        CarConfig c = withModel(1);
        int lowered = 0;
        while (stepSide(c, Points::Armor, Side(side), -1)) ++lowered;
        EXPECT_EQ(lowered, 32) << side;
        const CarConfig before = c;
        EXPECT_FALSE(transferPoints(c, +1)) << side; // that side would lose
        EXPECT_EQ(c, before);
        EXPECT_TRUE(transferPoints(c, -1)) << side;  // the other way only chassis sides lose
    }
    // A side loaded below the minimum can be raised, never lowered further.
    CarConfig low{.model = 5, .freePoints = 5, .armor = {1, 2, 3, 4}};
    EXPECT_FALSE(stepSide(low, Points::Armor, Front, -1));
    EXPECT_TRUE(stepSide(low, Points::Armor, Front, +1));
}

TEST(Allocation, LoadedExtremesNeverOverflow)
{
    // What, the design loaded, the step refused.
    const std::tuple<const char*, std::function<void(CarConfig&)>, std::function<bool(CarConfig&)>> cases[] = {
        {"a full side raised", [](CarConfig& c) { c.freePoints = most; c.armor[Rear] = most; },
         [](CarConfig& c) { return stepSide(c, Points::Armor, Rear, +1); }},
        {"a full pool filled", [](CarConfig& c) { c.freePoints = most; c.armor[Rear] = 50; },
         [](CarConfig& c) { return stepSide(c, Points::Armor, Rear, -1); }},
        {"a full chassis side gaining", [](CarConfig& c) { c.armor.fill(50); c.chassis = {most, 50, 50, 50}; },
         [](CarConfig& c) { return transferPoints(c, +1); }},
        {"a full armor side gaining", [](CarConfig& c) { c.chassis.fill(50); c.armor = {50, 50, 50, most}; },
         [](CarConfig& c) { return transferPoints(c, -1); }},
    };
    for (const auto& [what, load, rule] : cases) {
        CarConfig c{.model = 2};
        load(c);
        const CarConfig before = c;
        EXPECT_FALSE(rule(c)) << what;
        EXPECT_EQ(c, before) << what;
    }
}

} // namespace
} // namespace rivetbay
