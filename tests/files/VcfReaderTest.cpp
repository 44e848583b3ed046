#include "files/VcfReader.h"

#include "car/Recalculate.h"
#include "catalogue/CarCatalogue.h"
#include "files/ByteIO.h"
#include "files/VcfTemplate.h"
#include "files/VcfWriter.h"

#include "SampleCars.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>

namespace rivetbay {
namespace {

namespace cat = CarCatalogue;
using Bytes = std::vector<std::uint8_t>;

// A stock DPC Piranha as the game's own garage writes it: an EXIT of length
// 8 right after the header, no SPEC without specials, weapons in hardpoint
// order, one EXIT at the end, and leftovers after the NUL of text fields.
Bytes stockPiranha() { return testkit::readBytes(RIVETBAY_TEST_DATA "/piranha-stock.vcf"); }

TEST(VcfReader, TheGamesStockPiranha)
{
    const Bytes file = stockPiranha();
    ASSERT_EQ(file.size(), 273u);
    VcfImport imported;
    ASSERT_TRUE(importVehicleBytes(file, "piranha.vcf", imported));
    EXPECT_TRUE(imported.warnings.empty()) << imported.warnings.front();
    // V10, Coil Overs, Disc and Drum; 50cal MG and 25mm Cannon on top, a Gas Launcher at
    // the rear and an Oil Slick at hardpoint 0, "d1" of "d1r1t1t2".
    const CarConfig expected{.name = "432", .model = 14, .engine = 4, .suspension = 3, .brakes = 2,
                             .topWeapons = {2, 5}, .rearWeapons = {12, 0}, .droppers = {1, 0},
                             .armor = {40, 40, 40, 40}, .chassis = {36, 36, 36, 36}};
    EXPECT_EQ(imported.config, expected);
}

// A design as the editor leaves it: every index in its table, then the
// pass that clears mounts the model lacks and applies the turret rule.
CarConfig randomDesign(std::mt19937& random, int model)
{
    const auto pick = [&](int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); };
    CarConfig c;
    c.model = model;
    c.engine = pick(cat::engineCount);
    c.suspension = pick(cat::suspensionCount);
    c.brakes = pick(cat::brakesCount);
    c.frontTires = pick(cat::tireCount);
    c.rearTires = pick(cat::tireCount);
    for (auto& w : c.frontWeapons) w = pick(cat::weaponCount);
    for (auto& w : c.topWeapons) w = pick(cat::weaponCount);
    for (auto& w : c.rearWeapons) w = pick(cat::weaponCount);
    for (auto& d : c.droppers) d = pick(cat::dropperCount);
    for (auto& s : c.specials) s = pick(cat::specialCount);
    c.turret = pick(2);
    c.paintScheme = pick(std::max<int>(1, cat::model(model).paintCount));
    const int length = pick(20);
    for (int i = 0; i < length; ++i) c.name += static_cast<char>(32 + pick(224)); // any but control bytes
    for (auto& a : c.armor) a = pick(200);
    for (auto& a : c.chassis) a = pick(200);
    c.freePoints = pick(50);
    recalculate(c, {});
    return c;
}

TEST(VcfReader, EveryFileThisProgramWritesComesBackByteForByte)
{
    std::mt19937 random(76);
    for (int model = 0; model < cat::modelCount; ++model) {
        for (int round = 0; round < 60; ++round) {
            const CarConfig design = randomDesign(random, model);
            const Bytes written = buildVcfImage(design);
            VcfImport imported;
            const FileResult read = importVehicleBytes(written, "x.vcf", imported);
            ASSERT_TRUE(read) << "model " << model << ": " << read.error().message;
            EXPECT_TRUE(imported.warnings.empty()) << "model " << model << ": " << imported.warnings.front();
            ASSERT_EQ(buildVcfImage(imported.config), written) << "model " << model << " round " << round;
        }
    }
    // The blank row carries the Courchelle's codes: its file is the Courchelle's.
    VcfImport imported;
    ASSERT_TRUE(importVehicleBytes(buildVcfImage(CarConfig{}), "x.vcf", imported));
    EXPECT_EQ(imported.config.model, 6);
}

TEST(VcfReader, EveryTruncationIsRefusedCleanly)
{
    CarConfig full = testkit::dustyDesign();
    full.frontWeapons = {1, 2, 3};
    const Bytes file = buildVcfImage(full); // five weapon records
    ASSERT_EQ(file.size(), 334u);
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        VcfImport imported;
        const FileResult read = importVehicleBytes(Bytes(file.begin(), file.begin() + cut), "cut.vcf", imported);
        if (cut == file.size() - 8) { // ends after the first EXIT: a whole file of the game's layout
            ASSERT_TRUE(read);
            EXPECT_EQ(buildVcfImage(imported.config), file);
            continue;
        }
        ASSERT_FALSE(read) << "cut at " << cut;
        EXPECT_TRUE(read.error().message.starts_with("cut.vcf is ")) << read.error().message;
    }
}

TEST(VcfReader, DamagedFilesAndOtherVehiclesAreRefused)
{
    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
        const char* text;
    };
    const Case cases[] = {
        {"a car file", [](Bytes& b) { b.assign({5, 'D', 'u', 's', 't', 'y'}); }, "is not a vehicle file"},
        {"a record longer than the file", [](Bytes& b) { putU32(b, 197, 0xFFFFFFFF); }, "damaged"},
        {"a record shorter than its head", [](Bytes& b) { putU32(b, 197, 0); }, "damaged"},
        {"a helicopter", [](Bytes& b) { std::copy_n("vuhuey.vdf", 11, b.begin() + 44); }, "no car of the catalogue"},
    };
    for (const Case& c : cases) {
        Bytes file = buildVcfImage(testkit::dustyDesign());
        c.damage(file);
        VcfImport imported;
        const FileResult read = importVehicleBytes(file, "bad.vcf", imported);
        ASSERT_FALSE(read) << c.what;
        EXPECT_NE(read.error().message.find(c.text), std::string::npos) << c.what << ": " << read.error().message;
    }
}

TEST(VcfReader, WhatDoesNotMapIsNamedAndTheNearestSoundValueKept)
{
    struct Case {
        const char* what;
        std::function<void(Bytes&)> change;
        const char* warning;
        std::function<bool(const CarConfig&)> kept;
    };
    const auto weaponAt = [](std::size_t record) { return 193 + 25 * record; };
    const Case cases[] = {
        {"armor not a multiple of 10", [](Bytes& b) { putU32(b, 121, 255); }, "armor front 255",
         [](const CarConfig& c) { return c.armor[Front] == 26; }},
        {"armor whose points would not fit the file again", [](Bytes& b) { putU32(b, 125, 0x7FFFFFFF); },
         "armor left 2147483647", [](const CarConfig& c) { return c.armor[Left] == 214748364; }},
        {"another model's tire", [](Bytes& b) { std::copy_n("wauto_9b.wdf", 13, b.begin() + 82); },
         "front tire \"wauto_9b.wdf\"", [](const CarConfig& c) { return c.frontTires == 1; }},
        {"a hardpoint the layout lacks", [&](Bytes& b) { putU32(b, weaponAt(0) + 8, 9); },
         "at hardpoint 9", [](const CarConfig& c) { return c.frontWeapons[0] == 0; }},
        {"a second weapon for one mount", [&](Bytes& b) { putU32(b, weaponAt(1) + 8, 2); },
         "no free weapon mount", [](const CarConfig& c) { return c.frontWeapons[0] == 1 && c.frontWeapons[1] == 0; }},
    };
    for (const Case& c : cases) {
        Bytes file = buildVcfImage(testkit::dustyDesign());
        c.change(file);
        VcfImport imported;
        ASSERT_TRUE(importVehicleBytes(file, "odd.vcf", imported)) << c.what;
        ASSERT_EQ(imported.warnings.size(), 1u) << c.what;
        EXPECT_NE(imported.warnings[0].find(c.warning), std::string::npos) << c.what << ": " << imported.warnings[0];
        EXPECT_TRUE(c.kept(imported.config)) << c.what;
    }
}

} // namespace
} // namespace rivetbay
