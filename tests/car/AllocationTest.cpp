#include "car/Allocation.h"
#include "catalogue/CarCatalogue.h"

#include <gtest/gtest.h>

#include <limits>
#include <numeric>

namespace rivetbay {
namespace {

std::int64_t pointSum(const CarConfig& c)
{
    return std::int64_t{c.freePoints} + std::accumulate(c.armor.begin(), c.armor.end(), 0ll) +
           std::accumulate(c.chassis.begin(), c.chassis.end(), 0ll);
}

CarConfig withModel(int model)
{
    CarConfig c;
    c.model = model;
    c.paintScheme = 2;
    c.freePoints = 9;
    changeModel(c);
    return c;
}

TEST(ChangeModel, ResetsToTheModelDefaults)
{
    const CarConfig c = withModel(1);
    EXPECT_EQ(c.armor, (std::array<std::int32_t, 4>{42, 42, 42, 42}));
    EXPECT_EQ(c.chassis, (std::array<std::int32_t, 4>{38, 38, 38, 38}));
    EXPECT_EQ(c.freePoints, 0);
    EXPECT_EQ(c.paintScheme, 0);
    EXPECT_EQ(pointSum(c), 320);
}

TEST(ChangeModel, ThrowsAwayTheSpreadEvenForTheSameDefaults)
{
    CarConfig c = withModel(6);
    ASSERT_TRUE(stepSide(c, Points::Armor, Front, -1));
    c.model = 7; // same defaults 60/60
    changeModel(c);
    EXPECT_EQ(c.armor[Front], 60);
    EXPECT_EQ(c.freePoints, 0);
}

TEST(ChangeModel, EveryModelConservesFourTimesItsDefaults)
{
    for (int m = 0; m < CarCatalogue::modelCount; ++m) {
        const CarConfig c = withModel(m);
        const ModelSpec& spec = CarCatalogue::model(m);
        EXPECT_EQ(pointSum(c), 4 * (spec.defaultArmor + spec.defaultChassis)) << m;
    }
}

TEST(StepSide, AmzExample)
{
    CarConfig c = withModel(1);
    for (int s = 0; s < 4; ++s) {
        EXPECT_FALSE(stepSide(c, Points::Armor, Side(s), +1));
        EXPECT_FALSE(stepSide(c, Points::Chassis, Side(s), +1));
    }
    EXPECT_EQ(c, withModel(1));
    EXPECT_TRUE(stepSide(c, Points::Armor, Front, -1));
    EXPECT_EQ(c.armor[Front], 41);
    EXPECT_EQ(c.freePoints, 1);
    EXPECT_TRUE(stepSide(c, Points::Chassis, Left, +1));
    EXPECT_EQ(c.chassis[Left], 39);
    EXPECT_EQ(c.freePoints, 0);
    EXPECT_EQ(pointSum(c), 320);
}

TEST(StepSide, StopsAtTheMinimum)
{
    CarConfig c = withModel(1); // minimum 10
    for (int i = 0; i < 32; ++i) ASSERT_TRUE(stepSide(c, Points::Armor, Front, -1)) << i;
    EXPECT_EQ(c.armor[Front], 10);
    const CarConfig before = c;
    EXPECT_FALSE(stepSide(c, Points::Armor, Front, -1));
    EXPECT_EQ(c, before);
    EXPECT_EQ(c.freePoints, 32);
    EXPECT_EQ(pointSum(c), 320);
}

TEST(StepSide, NoModelAndZeroPointsRefusesEverything)
{
    CarConfig c;
    const CarConfig before = c;
    for (int s = 0; s < 4; ++s)
        for (int step : {-1, +1}) {
            EXPECT_FALSE(stepSide(c, Points::Armor, Side(s), step));
            EXPECT_FALSE(stepSide(c, Points::Chassis, Side(s), step));
        }
    EXPECT_FALSE(transferPoints(c, +1));
    EXPECT_FALSE(transferPoints(c, -1));
    EXPECT_EQ(c, before);
}

TEST(StepSide, ValuesBelowTheMinimumCanBeRaisedButNotLowered)
{
    CarConfig c;
    c.model = 5; // minimum 10
    c.armor = {1, 2, 3, 4};
    c.freePoints = 5;
    EXPECT_FALSE(stepSide(c, Points::Armor, Front, -1));
    EXPECT_TRUE(stepSide(c, Points::Armor, Front, +1));
    EXPECT_EQ(c.armor[Front], 2);
    EXPECT_EQ(c.freePoints, 4);
}

TEST(StepSide, ExtremeLoadedValuesNeverOverflow)
{
    CarConfig c;
    c.model = 2;
    c.freePoints = std::numeric_limits<std::int32_t>::max();
    c.armor[Rear] = std::numeric_limits<std::int32_t>::max();
    EXPECT_FALSE(stepSide(c, Points::Armor, Rear, +1));
    EXPECT_EQ(c.armor[Rear], std::numeric_limits<std::int32_t>::max());
    c.freePoints = std::numeric_limits<std::int32_t>::max();
    c.armor[Rear] = 50;
    EXPECT_FALSE(stepSide(c, Points::Armor, Rear, -1)); // the pool would overflow
    EXPECT_EQ(c.armor[Rear], 50);
}

TEST(TransferPoints, AmzTowardsChassisAndBack)
{
    CarConfig c = withModel(1);
    EXPECT_TRUE(transferPoints(c, +1));
    EXPECT_EQ(c.armor, (std::array<std::int32_t, 4>{41, 41, 41, 41}));
    EXPECT_EQ(c.chassis, (std::array<std::int32_t, 4>{39, 39, 39, 39}));
    EXPECT_TRUE(transferPoints(c, -1));
    EXPECT_EQ(c, withModel(1));
    EXPECT_FALSE(transferPoints(c, 0));
    EXPECT_EQ(c, withModel(1));
}

TEST(TransferPoints, RefusedWhenAnyLosingSideIsAtTheMinimum)
{
    for (int side = 0; side < 4; ++side) {
        CarConfig c = withModel(1);
        while (stepSide(c, Points::Armor, Side(side), -1)) {
        }
        ASSERT_EQ(c.armor[side], 10);
        const CarConfig before = c;
        EXPECT_FALSE(transferPoints(c, +1)) << side;
        EXPECT_EQ(c, before);
        // The other direction only tests the chassis sides.
        EXPECT_TRUE(transferPoints(c, -1)) << side;
    }
    CarConfig c = withModel(1);
    int moved = 0;
    while (transferPoints(c, -1)) ++moved;
    EXPECT_EQ(moved, 28); // chassis 38 down to 10
    EXPECT_EQ(c.chassis[Rear], 10);
    EXPECT_EQ(c.armor[Rear], 70);
    EXPECT_EQ(pointSum(c), 320);
}

} // namespace
} // namespace rivetbay
