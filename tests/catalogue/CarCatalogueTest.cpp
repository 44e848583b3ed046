#include "catalogue/CarCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace rivetbay {
namespace {

namespace cat = CarCatalogue;

int indexOf(std::string_view name)
{
    for (int i = 0; i < cat::modelCount; ++i)
        if (cat::model(i).displayName == name) return i;
    return -1;
}

TEST(CarCatalogue, RowZeroRepeatsTheCourchelleButIsFree)
{
    const ModelSpec& blank = cat::model(0);
    const ModelSpec& courchelle = cat::model(6);
    EXPECT_EQ(courchelle.displayName, "Courcheval Courchelle");
    EXPECT_EQ(blank.displayName, "");
    EXPECT_EQ(blank.price, 0u);
    EXPECT_EQ(blank.variantFileCode, courchelle.variantFileCode);
    EXPECT_EQ(blank.definitionCode, courchelle.definitionCode);
    EXPECT_EQ(blank.textureBaseName, courchelle.textureBaseName);
    EXPECT_EQ(blank.mountLayout, courchelle.mountLayout);
    EXPECT_EQ(blank.frontTireCode, courchelle.frontTireCode);
    EXPECT_EQ(blank.rearTireCode, courchelle.rearTireCode);
    EXPECT_EQ(blank.minPerSide, 15);
    EXPECT_EQ(blank.defaultArmor, 60);
    EXPECT_EQ(blank.defaultChassis, 60);
    EXPECT_EQ(blank.exportBase, courchelle.exportBase);
    EXPECT_EQ(blank.paintCount, 3);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(blank.paintSchemes[k], "");
    EXPECT_EQ(blank.frontMounts + blank.topMounts + blank.rearMounts + blank.dropperMounts, 4);
    EXPECT_EQ(blank.frontMounts, 1);
}

TEST(CarCatalogue, OnlyRowsZeroAndSixShareAVariantCode)
{
    std::set<std::string_view> seen;
    for (int i = 1; i < cat::modelCount; ++i)
        EXPECT_TRUE(seen.insert(cat::model(i).variantFileCode).second) << i;
    EXPECT_EQ(cat::model(0).variantFileCode, "cgcour");
}

TEST(CarCatalogue, OnlyTheWarendorfsHaveDifferentTireCodes)
{
    for (int i = 0; i < cat::modelCount; ++i) {
        const ModelSpec& m = cat::model(i);
        const bool warendorf = i == 31 || i == 32;
        EXPECT_EQ(m.frontTireCode != m.rearTireCode, warendorf) << m.displayName;
        if (warendorf) {
            EXPECT_EQ(m.frontTireCode, "a");
            EXPECT_EQ(m.rearTireCode, "7");
        }
    }
}

TEST(CarCatalogue, DefaultsDifferForFourModels)
{
    struct Expected {
        std::string_view name;
        int armor, chassis;
    };
    const Expected odd[] = {{"ABX AMZ", 42, 38},
                            {"Courcheval Cop Car", 65, 55},
                            {"Phaedra Coupe", 18, 22},
                            {"Phaedra Rattler", 18, 22}};
    int differing = 0;
    for (const ModelSpec& m : cat::modelTable)
        if (m.defaultArmor != m.defaultChassis) ++differing;
    EXPECT_EQ(differing, 4);
    for (const Expected& e : odd) {
        const ModelSpec& m = cat::model(indexOf(e.name));
        EXPECT_EQ(m.defaultArmor, e.armor) << e.name;
        EXPECT_EQ(m.defaultChassis, e.chassis) << e.name;
    }
}

TEST(CarCatalogue, ExportBaseMatchesPaintCountExceptMothTruckAndBus)
{
    for (int i = 0; i < cat::modelCount; ++i) {
        const ModelSpec& m = cat::model(i);
        const bool odd = m.displayName == "Moth Truck" || m.displayName == "Bus";
        EXPECT_EQ(m.exportBase != m.paintCount, odd) << m.displayName;
    }
    EXPECT_EQ(cat::model(indexOf("Moth Truck")).exportBase, 3);
    EXPECT_EQ(cat::model(indexOf("Bus")).exportBase, 2);
}

TEST(CarCatalogue, EveryModelIsConsistentWithItsLayout)
{
    for (int i = 0; i < cat::modelCount; ++i) {
        const ModelSpec& m = cat::model(i);
        EXPECT_LE(m.frontMounts + m.topMounts + m.rearMounts + m.dropperMounts, 5) << i;
        EXPECT_EQ(m.mountLayout.size() % 2, 0u) << i;
        EXPECT_EQ(m.mountLayout.size() / 2,
                  std::size_t(m.frontMounts + m.topMounts + m.rearMounts + m.dropperMounts))
            << m.displayName;
        EXPECT_GE(m.paintCount, 1);
        EXPECT_LE(m.paintCount, 4);
        for (int k = 0; k < m.paintCount && i > 0; ++k) EXPECT_NE(m.paintSchemes[k], "") << i;
        for (int k = m.paintCount; k < 4; ++k) EXPECT_EQ(m.paintSchemes[k], "") << i;
        // Every catalogue text must fit a 13-byte vehicle-file field with its NUL.
        EXPECT_LE(m.definitionCode.size() + 5, 12u) << i;
        EXPECT_LE(m.textureBaseName.size() + 5, 12u) << i;
    }
}

TEST(CarCatalogue, MantaLayoutHasNoF1AndNoT2)
{
    const ModelSpec& manta = cat::model(8);
    EXPECT_EQ(manta.displayName, "Courcheval Manta");
    EXPECT_EQ(manta.mountLayout, "d1t1t1f2f3");
    EXPECT_EQ(manta.frontMounts, 2);
    EXPECT_EQ(manta.topMounts, 2);
}

TEST(CarCatalogue, SpotValues)
{
    const ModelSpec& coupe = cat::model(25);
    EXPECT_EQ(coupe.displayName, "Phaedra Coupe");
    EXPECT_EQ(coupe.variantFileCode, "fcoupe");
    EXPECT_EQ(coupe.price, 1360u);
    EXPECT_EQ(coupe.paintSchemes[2], "Red");
    EXPECT_EQ(cat::model(37).displayName, "Van");
    EXPECT_EQ(cat::model(37).paintSchemes[3], "Ice Cream");
    EXPECT_EQ(cat::model(14).paintSchemes[2], "Black, Checker Stripe");
    EXPECT_EQ(cat::model(22).variantFileCode, "xmilk");
    EXPECT_EQ(cat::model(16).definitionCode, "goon");

    EXPECT_EQ(cat::engineTable[3].displayName, "SHO-V8");
    EXPECT_EQ(cat::enginePrice(4), 6000u);
    EXPECT_EQ(cat::tireTable[4].displayName, "16\" Billets");
    EXPECT_EQ(cat::tirePrice(3), 200u);
    EXPECT_DOUBLE_EQ(cat::suspensionFactor(4), 0.7);
    EXPECT_DOUBLE_EQ(cat::brakesFactor(3), 0.35);
    EXPECT_EQ(cat::suspensionFactor(1), 0.0);
    EXPECT_EQ(cat::brakesFactor(1), 0.0);

    EXPECT_EQ(cat::weaponNames[10], "FuN Missile");
    EXPECT_EQ(cat::weaponPrice(17), 5500u);
    EXPECT_EQ(cat::weaponFileCode(1), "mlight");
    EXPECT_EQ(cat::weaponFileCode(19), "chem");
    EXPECT_EQ(cat::weaponFileCode(8), "sheat");
    EXPECT_EQ(cat::dropperFileCode(1), "oilslck");
    EXPECT_EQ(cat::dropperFileCode(5), "blox");
    EXPECT_EQ(cat::dropperPrice(2), 1100u);
    EXPECT_EQ(cat::dropperPrice(5), 100u);
    EXPECT_EQ(cat::specialNames[11], "Tire Covers");
    EXPECT_EQ(cat::specialPrice(3), 800u);
    EXPECT_EQ(cat::specialPrice(11), 200u);
}

TEST(CarCatalogue, TurretCapableWeapons)
{
    for (int w = 0; w < cat::weaponCount; ++w) {
        const bool expected = (w >= 1 && w <= 9) || (w >= 11 && w <= 14);
        EXPECT_EQ(cat::isTurretCapable(w), expected) << w;
    }
}

TEST(CarCatalogue, BlankEntriesCostNothing)
{
    EXPECT_EQ(cat::enginePrice(0), 0u);
    EXPECT_EQ(cat::tirePrice(0), 0u);
    EXPECT_EQ(cat::weaponPrice(0), 0u);
    EXPECT_EQ(cat::dropperPrice(0), 0u);
    EXPECT_EQ(cat::specialPrice(0), 0u);
    EXPECT_EQ(cat::fileCodeTable[0], "");
}

} // namespace
} // namespace rivetbay
