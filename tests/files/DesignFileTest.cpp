#include "files/DesignFile.h"

#include "files/CarFile.h"
#include "files/PlatformFile.h"
#include "files/VcfWriter.h"

#include "HearFileEvents.h"
#include "Testkit.h"

#include <utility>

namespace rivetbay {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A damaged vehicle file is never read as a car file, and bytes that are
// neither are refused rather than shown as a blank design.
TEST(DesignFile, WhatIsNoCarFileIsNotOpenedAsOne)
{
    const auto vehicle = [](const std::function<void(Bytes&)>& change) {
        Bytes b = buildVcfImage(testkit::dustyDesign());
        return change(b), b;
    };
    std::mt19937 random(1976);
    Bytes noise(1000);
    for (auto& b : noise) b = static_cast<std::uint8_t>(random());
    noise[0] = 20; // a name that fits, then numbers of nothing
    const std::pair<Bytes, const char*> cases[] = {
        {vehicle([](Bytes& b) { b.insert(b.begin(), {'E', 'X', 'I', 'T', 16, 0, 0, 0}); }), // a record before the header
         "It is a damaged vehicle file"},
        {vehicle([](Bytes& b) { b.insert(b.begin(), 40, 'x'); }), // 40 bytes of something else first
         "It is a damaged vehicle file: its records stop making sense at byte 0."},
        {vehicle([](Bytes& b) { b[22] ^= 0x01; }), // "VCFC" no more
         "It is a damaged vehicle file: its records stop making sense at byte 20."},
        {noise, "It is neither a Rivetbay car file nor a vehicle file of the game."},
    };
    testkit::TempDir dir;
    for (const auto& [bytes, text] : cases) {
        testkit::writeBytes(dir / "x.rbc", bytes);
        for (const bool fromFile : {false, true}) {
            OpenedDesign design{testkit::dustyDesign()};
            const FileResult read = fromFile ? openDesign(dir / "x.rbc", design)
                                             : openDesignBytes(bytes, "x.rbc", design);
            ASSERT_FALSE(read) << text;
            EXPECT_EQ(read.error().reason.rfind(text, 0), 0u) << fromFile << ": " << read.error().message;
            EXPECT_EQ(design.config, testkit::dustyDesign()); // the design on screen stays
        }
    }
}

// Names that put the game's tags where a vehicle file has them: "BWD2" and
// the model 8 after it, "VCFC" and 0x89 (‰) with the model 0 after it, a
// name past a vehicle file's size limit with "VCFC" and its length in it;
// each also with bytes after the record, which a car file ignores.
TEST(DesignFile, EveryCarFileSaveWritesOpensAgain)
{
    testkit::TempDir dir;
    const CarConfig cars[] = {{.name = "Team BWD2", .model = 8},
                              {.name = "Fan VCFC\x89", .model = 0},
                              {.name = std::string("VCFC\x89\0\0\0", 8) + std::string(70000, 'x')}};
    for (const CarConfig& car : cars) {
        for (const std::string after : {"", "BWD2\x08\0\0\0 and more of anything"}) {
            ASSERT_TRUE(saveCarFile(dir / "car.rbc", car));
            std::ofstream(dir / "car.rbc", std::ios::binary | std::ios::app) << after;
            OpenedDesign back{.kind = DesignKind::VehicleFile};
            const FileResult read = openDesign(dir / "car.rbc", back);
            ASSERT_TRUE(read) << car.name.substr(0, 12) << ": " << read.error().message;
            EXPECT_EQ(back.kind, DesignKind::CarFile);
            EXPECT_EQ(back.config, car);
            EXPECT_EQ(designKindOf(dir / "car.rbc"), DesignKind::CarFile);
        }
    }
    ASSERT_TRUE(VcfWriter(dir / "v.vcf", testkit::dustyDesign()));
    EXPECT_EQ(designKindOf(dir / "v.vcf"), DesignKind::VehicleFile);
    EXPECT_EQ(designKindOf(dir / "missing.rbc"), std::nullopt);
    testkit::writeBytes(dir / "neither.rbc", Bytes(3, 'x'));
    EXPECT_EQ(designKindOf(dir / "neither.rbc"), std::nullopt);
}

// Nine selections outside their tables are a car file that says so; ten are
// bytes of something else, with a vehicle file's tags in them or not.
TEST(DesignFile, TenSelectionsOutsideTheTablesAreNoCarFile)
{
    testkit::TempDir dir;
    for (const auto& [name, topWeapon, said] : {std::tuple{"Odd", 0, ""}, {"Odd", 99, "It is neither"},
                                                {"Team BWD2", 0, ""}, {"Team BWD2", 99, "It is a damag"}}) {
        ASSERT_TRUE(saveCarFile(dir / "odd.rbc", {.name = name, .model = 8, .engine = 99, .suspension = 99,
                                                  .frontTires = 99, .rearTires = 99, .brakes = 99,
                                                  .frontWeapons = {99, 99, 99}, .topWeapons = {99, topWeapon}}));
        OpenedDesign design;
        const FileResult read = openDesign(dir / "odd.rbc", design);
        EXPECT_EQ(read ? std::to_string(design.outOfRange.size()) : read.error().reason.substr(0, 13),
                  *said ? said : "9") << name << " " << topWeapon;
    }
}

// A file replaced while it is opened is read as the one file it was.
TEST(DesignFile, AFileReplacedWhileOpenedIsReadWhole)
{
    testkit::TempDir dir;
    ASSERT_TRUE(saveCarFile(dir / "car.rbc", testkit::dustyDesign()));
    ASSERT_TRUE(VcfWriter(dir / "v.vcf", {.name = "Other", .model = 9}));
    std::filesystem::path with = dir / "v.vcf";
    const testkit::HearFileEvents swap([&](std::string_view step, const std::filesystem::path& path) {
        std::error_code ec; // Windows refuses to replace an open file: nothing to prove there
        if (step == "opened" && !with.empty()) std::filesystem::rename(std::exchange(with, {}), path, ec);
    });
    OpenedDesign design;
    const FileResult read = openDesign(dir / "car.rbc", design);
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_EQ(design.config.name, testkit::dustyDesign().name);
}

} // namespace
} // namespace rivetbay
