#include "files/VcfReader.h"

#include "car/Recalculate.h"
#include "catalogue/CarCatalogue.h"
#include "files/ByteIO.h"
#include "files/VcfTemplate.h"
#include "files/VcfWriter.h"

#include "SampleCars.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>

namespace rivetbay {
namespace {

namespace cat = CarCatalogue;
using Bytes = std::vector<std::uint8_t>;

void putTag(Bytes& out, std::string_view tag, std::uint32_t length)
{
    for (std::size_t i = 0; i < 4; ++i) out.push_back(i < tag.size() ? static_cast<std::uint8_t>(tag[i]) : 0);
    appendU32(out, length);
}

void putField(Bytes& out, std::string_view text, std::size_t width, char filler)
{
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(static_cast<std::uint8_t>(i < text.size() ? text[i] : i == text.size() ? '\0' : filler));
}

// A vehicle file as the game's own garage writes it: an EXIT of length 8
// right after the header, no SPEC without specials, weapons in hardpoint
// order, one EXIT at the end, and leftovers after the NUL of text fields.
Bytes gameFile(std::string_view name, std::string_view vdf, std::string_view vtf,
               std::array<std::int32_t, 3> parts, std::string_view front, std::string_view rear,
               std::int32_t armor, std::int32_t chassis,
               const std::vector<std::pair<std::int32_t, std::string_view>>& weapons)
{
    Bytes out;
    putTag(out, "BWD2", 8);
    putTag(out, "REV", 12);
    appendU32(out, 3);
    putTag(out, "VCFC", 137);
    putField(out, name, 16, 'x');
    putField(out, vdf, 13, 'y');
    putField(out, vtf, 13, 'z');
    for (std::int32_t p : parts) appendU32(out, static_cast<std::uint32_t>(p));
    putField(out, front, 13, 'q');
    putField(out, "null", 13, 'q');
    putField(out, rear, 13, 'q');
    for (int k = 0; k < 4; ++k) appendU32(out, static_cast<std::uint32_t>(armor));
    for (int k = 0; k < 4; ++k) appendU32(out, static_cast<std::uint32_t>(chassis));
    appendU32(out, 0);
    putTag(out, "EXIT", 8);
    for (const auto& [hardpoint, file] : weapons) {
        putTag(out, "WEPN", 25);
        appendU32(out, static_cast<std::uint32_t>(hardpoint));
        putField(out, file, 13, '\0');
    }
    putTag(out, "EXIT", 8);
    return out;
}

Bytes stockPiranha()
{
    return gameFile("432", "vppirnha.vdf", "piranha1.vtf", {3, 2, 1}, "wauto_1a.wdf", "wauto_1a.wdf",
                    400, 360,
                    {{0, "goilslck.gdf"}, {1, "gfmedium.gdf"}, {2, "gmmedium.gdf"}, {3, "gcmedium.gdf"}});
}

TEST(VcfReader, TheGamesStockPiranha)
{
    const Bytes file = stockPiranha();
    ASSERT_EQ(file.size(), 273u);
    VcfImport imported;
    ASSERT_TRUE(importVehicleBytes(file, "piranha.vcf", imported));
    EXPECT_TRUE(imported.warnings.empty()) << imported.warnings.front();
    CarConfig expected;
    expected.model = 14;
    expected.name = "432";
    expected.engine = 4;       // V10
    expected.suspension = 3;   // Coil Overs
    expected.brakes = 2;       // Disc and Drum
    expected.armor = {40, 40, 40, 40};
    expected.chassis = {36, 36, 36, 36};
    expected.droppers = {1, 0};    // Oil Slick at hardpoint 0, "d1" of "d1r1t1t2"
    expected.rearWeapons = {12, 0}; // Gas Launcher
    expected.topWeapons = {2, 5};  // 50cal MG and 25mm Cannon
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
        {"a short header", [](Bytes& b) { putU32(b, 24, 100); }, "damaged"},
        {"a helicopter", [](Bytes& b) { std::copy_n("vuhuey.vdf", 11, b.begin() + 44); }, "no car of the catalogue"},
        {"bytes after the end", [](Bytes& b) { b.push_back(0); }, "damaged"},
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
        {"no weapon of the catalogue", [&](Bytes& b) { std::copy_n("gnuke.gdf", 10, b.begin() + weaponAt(0) + 12); },
         "\"gnuke.gdf\"", [](const CarConfig& c) { return c.frontWeapons[0] == 0; }},
        {"a paint the model lacks", [](Bytes& b) { std::copy_n("goon7.vtf", 10, b.begin() + 57); },
         "paint texture \"goon7.vtf\"", [](const CarConfig& c) { return c.paintScheme == 0; }},
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
