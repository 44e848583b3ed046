#include "car/Recalculate.h"
#include "catalogue/CarCatalogue.h"

#include <gtest/gtest.h>

#include <tuple>

namespace rivetbay {
namespace {

namespace cat = CarCatalogue;

TEST(Recalculate, FreshRecordAndThePhaedraCoupe)
{
    CarConfig c;
    const RecalcResult r = recalculate(c, {"Alpha", "Beta"});
    // The blank row is a Courchelle: one mount of each group, the first.
    EXPECT_EQ(r.mountEnabled, (std::array<bool, mountCount>{true, false, false, true, false, true, false, true, false}));
    EXPECT_EQ(r.variantNames, (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(r.paintSchemes, (std::vector<std::string_view>{"", "", ""}));
    EXPECT_EQ(listingCode(c), ""); // no model: every model's variants

    c.model = 25;
    const RecalcResult coupe = recalculate(c, {});
    EXPECT_EQ(c.totalPrice, 1360u + 2500 + 50 + 50);
    EXPECT_EQ(coupe.paintSchemes, (std::vector<std::string_view>{"Blue", "Black", "Red"}));
    EXPECT_FALSE(coupe.enabled(Mount::Rear1) || coupe.enabled(Mount::Rear2));
    EXPECT_EQ(listingCode(c), "fcoupe");
}

TEST(RoundHalfUp, DecidesOnTheDoubleProduct)
{
    const std::tuple<int, int, int, std::uint32_t, std::uint32_t> cases[] = { // model, suspension, brakes, their prices
        {2, 4, 1, 987, 0},   // Grappler, Ether-X: 986.9999999999999 rounds up
        {2, 1, 4, 0, 635},   // Grappler, Aircraft: 634.5
        {6, 2, 2, 1372, 686}, // 1372.0 and 686.0 exactly
    };
    for (const auto& [model, suspension, brakes, suspensionPrice, brakesPrice] : cases) {
        CarConfig c{.model = model, .suspension = suspension, .brakes = brakes};
        recalculate(c, {});
        EXPECT_EQ(c.suspensionPrice, suspensionPrice) << model << "/" << suspension;
        EXPECT_EQ(c.brakesPrice, brakesPrice) << model << "/" << brakes;
    }
}

TEST(Recalculate, TurretRuleOnEveryWeapon)
{
    for (int w = 0; w < cat::weaponCount; ++w) {
        CarConfig c{.model = 25, .topWeapons = {w, 0}, .turret = 1}; // one top mount
        const RecalcResult r = recalculate(c, {});
        const bool capable = (w >= 1 && w <= 9) || (w >= 11 && w <= 14);
        EXPECT_EQ(r.turretEnabled, capable) << w;
        EXPECT_EQ(c.turret, capable ? 1 : 0) << w;
        const std::uint32_t plain = cat::weaponPrice(w);
        EXPECT_EQ(c.topWeaponPrices[0], capable ? roundHalfUp(plain * 1.5) : plain) << w;
    }
}

TEST(Recalculate, MountsTheModelLacksAreCleared)
{
    CarConfig c{.model = 9, .topWeapons = {1, 2}, .turret = 1}; // Courcheval Royale
    const RecalcResult r = recalculate(c, {});
    EXPECT_EQ(c.topWeapons, (std::array<std::int32_t, 2>{0, 0}));
    EXPECT_EQ(c.turret, 0);
    EXPECT_FALSE(r.enabled(Mount::Top1) || r.enabled(Mount::Top2));
    // The box was decided on the weapon before the mount was cleared.
    EXPECT_TRUE(r.turretEnabled);
    EXPECT_FALSE(recalculate(c, {}).turretEnabled);

    c.model = 16; // three front mounts, two droppers, then one front and none
    c.frontWeapons = {1, 4, 6};
    c.droppers = {3, 5};
    recalculate(c, {});
    c.model = 25;
    const RecalcResult coupe = recalculate(c, {});
    EXPECT_EQ(c.frontWeaponPrices, (std::array<std::uint32_t, 3>{550, 0, 0}));
    EXPECT_EQ(c.droppers, (std::array<std::int32_t, 2>{0, 0}));
    EXPECT_FALSE(coupe.enabled(Mount::Dropper1) || coupe.enabled(Mount::Dropper2));
}

TEST(Recalculate, DuplicateSpecials)
{
    using Specials = std::array<std::int32_t, 3>;
    const std::pair<Specials, Specials> cases[] = {{{3, 3, 3}, {3, 0, 0}}, {{0, 4, 4}, {0, 4, 0}}, {{2, 1, 2}, {2, 1, 0}}};
    for (const auto& [in, out] : cases) {
        CarConfig c{.specials = in};
        recalculate(c, {});
        EXPECT_EQ(c.specials, out);
        EXPECT_EQ(c.totalPrice, 2600u + cat::specialPrice(out[0]) + cat::specialPrice(out[1]) + cat::specialPrice(out[2]));
    }
}

TEST(Recalculate, PaintPositionAndNameAsTheWindowShowsThem)
{
    // One scheme: a position beyond it leaves the list unselected and is kept.
    CarConfig c{.paintScheme = 1, .model = 2};
    EXPECT_EQ(recalculate(c, {}).paintSelection, -1);
    EXPECT_EQ(c.paintScheme, 1);
    c.name = " \t Dusty \r\n"; // the field's text is taken before the name is trimmed
    const RecalcResult first = recalculate(c, {});
    EXPECT_EQ(first.nameFieldText, " \t Dusty \r\n");
    EXPECT_EQ(c.name, "Dusty");
    EXPECT_EQ(recalculate(c, {}).nameFieldText, "Dusty");
    c.name = " \v\f ";
    recalculate(c, {});
    EXPECT_EQ(c.name, "");
}

TEST(Recalculate, TotalIsTheSumOfEveryPrice)
{
    // A Clydesdale: 1 front, 2 top, 1 rear and 1 dropper mount.
    CarConfig c{.model = 24, .engine = 4, .suspension = 3, .frontTires = 4, .rearTires = 2, .brakes = 4,
                .frontWeapons = {6, 0, 0}, .topWeapons = {8, 17}, .rearWeapons = {15, 0}, .droppers = {2, 0},
                .specials = {3, 5, 11}, .turret = 1};
    recalculate(c, {});
    EXPECT_EQ(c.topWeaponPrices[0], 3750u); // 2500 x 1.5
    EXPECT_EQ(c.suspensionPrice, 2964u);    // 4940 x 0.6
    EXPECT_EQ(c.totalPrice, 4940u + 6000 + 2964 + 2223 + 400 + 100 + 2800 + 3750 + 5500 + 2750 +
                                1100 + 800 + 600 + 200);
}

TEST(NormaliseSelections, OutOfRangeBecomesNoneAndIsNamedFirst)
{
    CarConfig c{.paintScheme = 77, .model = 38, .engine = -1, .frontWeapons = {20, -1, 19}, .rearWeapons = {-2147483647 - 1, 0},
                .droppers = {6, 5}, .specials = {12, 11, 0}, .turret = -3};
    std::vector<std::string> named;
    for (const SelectionProblem& p : selectionsOutsideTables(c)) named.push_back(p.field);
    EXPECT_EQ(named, (std::vector<std::string>{"model", "engine", "frontWeapons[0]", "frontWeapons[1]",
                                               "rearWeapons[0]", "droppers[0]", "specials[0]", "turret"}));
    normaliseSelections(c);
    EXPECT_TRUE(selectionsOutsideTables(c).empty());
    EXPECT_EQ(c.frontWeapons, (std::array<std::int32_t, 3>{0, 0, 19}));
    EXPECT_EQ(c.droppers, (std::array<std::int32_t, 2>{0, 5}));
    EXPECT_EQ(c.turret, 1);
    EXPECT_EQ(c.paintScheme, 77); // a list position, not a table index
}

} // namespace
} // namespace rivetbay
