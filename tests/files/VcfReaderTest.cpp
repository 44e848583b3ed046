#include "files/VcfReader.h"

#include "car/Recalculate.h"
#include "catalogue/CarCatalogue.h"
#include "files/CarFile.h"
#include "files/ByteIO.h"
#include "files/VcfTemplate.h"
#include "files/VcfWriter.h"

#include "Testkit.h"

#include <random>
#include <string_view>
#include <utility>

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
    CarConfig c{.model = model, .engine = pick(cat::engineCount), .suspension = pick(cat::suspensionCount),
                .frontTires = pick(cat::tireCount), .rearTires = pick(cat::tireCount), .brakes = pick(cat::brakesCount)};
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
        ASSERT_FALSE(read) << "cut at " << cut;
        EXPECT_TRUE(read.error().message.starts_with("cut.vcf is ")) << read.error().message;
    }
    // The game's own layout cut right after its first EXIT looks whole, but is not.
    const Bytes stock = stockPiranha();
    VcfImport imported;
    const FileResult cut = importVehicleBytes(Bytes(stock.begin(), stock.begin() + 165), "cut.vcf", imported);
    ASSERT_FALSE(cut);
    EXPECT_EQ(cut.error().message, "cut.vcf is a damaged vehicle file: it ends at byte 165, before its last EXIT record.");
}

TEST(VcfReader, DamagedFilesAndOtherVehiclesAreRefused)
{
    // What, the damage, what is said.
    const std::tuple<const char*, std::function<void(Bytes&)>, const char*> cases[] = {
        {"a car file", [](Bytes& b) { b.assign({5, 'D', 'u', 's', 't', 'y'}); }, "is not a vehicle file"},
        {"a record longer than the file", [](Bytes& b) { putU32(b, 197, 0xFFFFFFFF); }, "damaged"},
        {"a record shorter than its head", [](Bytes& b) { putU32(b, 197, 0); }, "damaged"},
        {"a helicopter", [](Bytes& b) { std::copy_n("vuhuey.vdf", 11, b.begin() + 44); }, "no car of the catalogue"},
        {"a header shorter than its fields",
         [](Bytes& b) {
             b.resize(28); // "VCFC" declared 8 bytes long, then the trailer
             putU32(b, 24, 8);
             for (int k = 0; k < 2; ++k) b.insert(b.end(), {'E', 'X', 'I', 'T', 16, 0, 0, 0});
         },
         "stop making sense at byte 20."},
        {"one bit of a tag flipped", [](Bytes& b) { b[1] ^= 0x04; }, "stop making sense at byte 0."},
    };
    for (const auto& [what, damage, text] : cases) {
        Bytes file = buildVcfImage(testkit::dustyDesign());
        damage(file);
        VcfImport imported;
        const FileResult read = importVehicleBytes(file, "bad.vcf", imported);
        ASSERT_FALSE(read) << what;
        EXPECT_NE(read.error().message.find(text), std::string::npos) << what << ": " << read.error().message;
    }
}

TEST(VcfReader, WhatDoesNotMapIsNamedAndTheNearestSoundValueKept)
{
    const auto weaponAt = [](std::size_t record) { return 193 + 25 * record; };
    // What, the change, the warning, what is kept.
    const std::tuple<const char*, std::function<void(Bytes&)>, const char*, std::function<bool(const CarConfig&)>> cases[] = {
        {"armor not a multiple of 10", [](Bytes& b) { putU32(b, 121, 255); }, "armor front 255",
         [](const CarConfig& c) { return c.armor[Front] == 26; }},
        {"another model's tire", [](Bytes& b) { std::copy_n("wauto_9b.wdf", 13, b.begin() + 82); },
         "front tire \"wauto_9b.wdf\"", [](const CarConfig& c) { return c.frontTires == 1; }},
        {"a hardpoint the layout lacks", [&](Bytes& b) { putU32(b, weaponAt(0) + 8, 9); },
         "at hardpoint 9", [](const CarConfig& c) { return c.frontWeapons[0] == 0; }},
        {"a second weapon for one mount", [&](Bytes& b) { putU32(b, weaponAt(1) + 8, 2); },
         "no free weapon mount", [](const CarConfig& c) { return c.frontWeapons[0] == 1 && c.frontWeapons[1] == 0; }},
        {"a fourth SPEC record",
         [](Bytes& b) { b.insert(b.begin() + 193, {'S', 'P', 'E', 'C', 12, 0, 0, 0, 7, 0, 0, 0}); },
         "SPEC record 4: more than three; left out", [](const CarConfig& c) { return c.specials == std::array{1, 6, 0}; }},
        {"an engine one past the table", [](Bytes& b) { putU32(b, 70, 4); }, "engine 4: outside its table; 3 is used",
         [](const CarConfig& c) { return c.engine == 4; }},
        {"the last engine", [](Bytes& b) { putU32(b, 70, 3); }, nullptr, [](const CarConfig& c) { return c.engine == 4; }},
        {"negative points", [](Bytes& b) { putU32(b, 121, static_cast<std::uint32_t>(-15)); },
         "armor front -15: not a multiple of 10; rounded to -2", [](const CarConfig& c) { return c.armor[Front] == -2; }},
        {"a definition name in capitals", [](Bytes& b) { std::copy_n("VGOON.VDF", 10, b.begin() + 44); }, nullptr,
         [](const CarConfig& c) { return c.model == 16; }},
        {"a turret on a front mount", [&](Bytes& b) { b[weaponAt(0) + 12] = 't'; }, "a turret only fits the first top mount",
         [](const CarConfig& c) { return c.turret == 0 && c.frontWeapons[0] == 1; }},
        {"a weapon whose tag lost a bit", [&](Bytes& b) { b[weaponAt(0) + 3] ^= 0x01; },
         "record \"WEPO\" at byte 193: not a record of a vehicle file; left out",
         [](const CarConfig& c) { return c.frontWeapons[0] == 0; }},
        {"a tag that is no text", [&](Bytes& b) { b[weaponAt(0)] = 1; }, "record \"\\x01EPN\" at byte 193",
         [](const CarConfig& c) { return c.frontWeapons[0] == 0; }},
    };
    for (const auto& [what, change, warning, kept] : cases) {
        Bytes file = buildVcfImage(testkit::dustyDesign());
        change(file);
        VcfImport imported;
        ASSERT_TRUE(importVehicleBytes(file, "odd.vcf", imported)) << what;
        ASSERT_EQ(imported.warnings.size(), warning ? 1u : 0u) << what;
        if (warning) {
            EXPECT_NE(imported.warnings[0].find(warning), std::string::npos) << what << ": " << imported.warnings[0];
        }
        EXPECT_TRUE(kept(imported.config)) << what;
    }
}

TEST(VcfReader, AFileLargerThanAnyVehicleIsRefusedUnread)
{
    testkit::TempDir dir;
    // The limit itself is a vehicle file's size (this one damaged); a byte more is not.
    for (const auto& [size, said] : {std::pair{std::size_t{65535}, "damaged"}, std::pair{std::size_t{65536}, "damaged"},
                                     std::pair{std::size_t{65537}, "too large"}}) {
        Bytes bytes(size, 0);
        std::copy_n("BWD2\x08", 5, bytes.begin());
        testkit::writeBytes(dir / "big.vcf", bytes);
        VcfImport fromBytes, fromFile;
        const FileResult read = importVehicleBytes(bytes, "big.vcf", fromBytes);
        ASSERT_FALSE(read);
        EXPECT_NE(read.error().message.find(said), std::string::npos) << size << ": " << read.error().message;
        EXPECT_EQ(importVehicleFile(dir / "big.vcf", fromFile).error().message.find(said) != std::string::npos, true) << size;
    }
    // Sparse: 4 GiB of nothing, written past the end (mingw's resize_file may refuse a size it thinks the disk lacks).
    std::ofstream(dir / "huge.vcf", std::ios::binary).write("BWD2", 4).seekp((std::streamoff{4} << 30) - 1).put('\0');
    VcfImport imported;
    const FileResult read = importVehicleFile(dir / "huge.vcf", imported);
    ASSERT_FALSE(read);
    EXPECT_NE(read.error().message.find("is too large to be a vehicle file"), std::string::npos);
}

} // namespace
} // namespace rivetbay
