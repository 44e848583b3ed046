#include "files/VcfWriter.h"
#include "files/ByteIO.h"
#include "files/VcfTemplate.h"

#include "Testkit.h"

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace rivetbay {
namespace {

std::vector<std::uint8_t> hex(const std::string& text)
{
    std::vector<std::uint8_t> bytes;
    std::istringstream in(text);
    unsigned value = 0;
    while (in >> std::hex >> value) bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

std::string textAt(const std::vector<std::uint8_t>& image, std::size_t offset, std::size_t width)
{
    std::string s;
    for (std::size_t i = 0; i < width && image[offset + i] != 0; ++i) s += char(image[offset + i]);
    return s;
}

TEST(VcfWriter, WorkedExampleByteForByte)
{
    const auto expected = hex(R"(
        42 57 44 32 08 00 00 00 52 45 56 00 0C 00 00 00
        03 00 00 00 56 43 46 43 89 00 00 00 44 75 73 74
        79 00 64 00 00 00 00 00 00 00 00 00 76 67 6F 6F
        6E 2E 76 64 66 00 66 00 00 67 6F 6F 6E 31 2E 76
        74 66 00 74 66 00 02 00 00 00 00 00 00 00 03 00
        00 00 77 61 75 74 6F 5F 33 61 2E 77 64 66 00 6E
        75 6C 6C 00 00 00 00 00 00 00 00 00 77 61 75 74
        6F 5F 33 64 2E 77 64 66 00 FA 00 00 00 C8 00 00
        00 96 00 00 00 C8 00 00 00 C8 00 00 00 FA 00 00
        00 C8 00 00 00 96 00 00 00 00 00 00 00 53 50 45
        43 0C 00 00 00 01 00 00 00 53 50 45 43 0C 00 00
        00 06 00 00 00 53 50 45 43 0C 00 00 00 00 00 00
        00 57 45 50 4E 19 00 00 00 02 00 00 00 67 6D 6C
        69 67 68 74 2E 67 64 66 00 00 57 45 50 4E 19 00
        00 00 03 00 00 00 67 63 6C 69 67 68 74 2E 67 64
        66 00 00 57 45 50 4E 19 00 00 00 00 00 00 00 67
        63 61 6C 74 72 6F 70 2E 67 64 66 00 57 45 50 4E
        19 00 00 00 01 00 00 00 67 62 6C 6F 78 2E 67 64
        66 00 00 00 00 45 58 49 54 10 00 00 00 45 58 49
        54 10 00 00 00)");
    ASSERT_EQ(expected.size(), 309u);
    EXPECT_EQ(buildVcfImage(testkit::dustyDesign()), expected);

    testkit::TempDir dir;
    ASSERT_TRUE(VcfWriter(dir / "vgoon4.vcf", testkit::dustyDesign()));
    EXPECT_EQ(testkit::readBytes(dir / "vgoon4.vcf"), expected);
}

// One field of the image for a design that differs from a plain Glenn
// Bushmaster in one way.
TEST(VcfWriter, FieldsByRule)
{
    using namespace std::string_literals;
    const auto u32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    // What, the change, where, how wide, the field exactly (NULs and template tail included).
    const std::tuple<const char*, std::function<void(CarConfig&)>, std::size_t, std::size_t, std::string> cases[] = {
        {"no name keeps Unnamed", [](CarConfig&) {}, 28, 16, "Unnamed\0\0\0\0\0\0\0\0\0"s},
        {"fifteen characters end in a NUL", [](CarConfig& c) { c.name = "Fifteen chars!!"; }, 28, 17,
         "Fifteen chars!!\0v"s},
        {"a longer name is cut at sixteen", [](CarConfig& c) { c.name = "Much longer than sixteen"; }, 28, 17,
         "Much longer thanv"},
        {"a Moth repeats its rear tire", [](CarConfig& c) { c.model = 23; c.frontTires = 4; c.rearTires = 0; },
         82, 39, "wftck_1d.wdf\0wftck_1a.wdf\0wftck_1a.wdf\0"s},
        {"the Warendorf's own rear tire", [](CarConfig& c) { c.model = 31; }, 82, 39,
         "wauto_aa.wdf\0null\0\0\0\0\0\0\0\0\0wauto_7a.wdf\0"s},
        {"points tenfold, front left right rear, unchecked",
         [](CarConfig& c) { c.armor = {1, 2, 3, -4}; c.chassis = {5, 6, 7, 214748365}; }, 121, 36,
         u32(10) + u32(30) + u32(static_cast<std::uint32_t>(-40)) + u32(20) + u32(50) + u32(70) +
             u32(2147483650u) + u32(60) + u32(0)},
        {"a turret flag with no first top weapon leaves no trace",
         [](CarConfig& c) { c.model = 26; c.topWeapons = {0, 5}; c.turret = 1; }, 193, 25,
         "WEPN"s + u32(25) + u32(1) + "gcmedium.gdf\0"s},
    };
    for (const auto& [what, change, offset, width, bytes] : cases) {
        CarConfig c{.model = 16};
        change(c);
        const auto image = buildVcfImage(c);
        ASSERT_GE(image.size(), offset + width) << what;
        EXPECT_EQ(std::string(image.begin() + offset, image.begin() + offset + width), bytes) << what;
    }
}

// Each mount's token takes the hardpoint the model's layout gives it, in the
// order the records are written, and only fitted mounts the model has get one.
TEST(VcfWriter, OnlyFittedMountsTheModelHasGetRecords)
{
    // The Manta is "d1t1t1f2f3", the Ransom Marshal "r1t1r2f1", the Moth Tanker
    // "t1r2r1f1f2", the Bus "d1d2r1t1f1".
    using Records = std::vector<std::pair<std::uint32_t, std::string>>;
    const std::tuple<const char*, CarConfig, Records> layouts[] = {
        {"Manta: no f1 nor t2", {.model = 8, .frontWeapons = {1, 2, 3}, .topWeapons = {8, 3}, .rearWeapons = {4, 4},
                                 .droppers = {1, 2}, .turret = 1},
         {{0, "gmlight.gdf"}, {3, "gmmedium.gdf"}, {1, "tsheat.gdf"}, {0, "gmheavy.gdf"}, {0, "goilslck.gdf"}}},
        {"Marshal", {.model = 29, .frontWeapons = {1, 0, 0}, .topWeapons = {2, 0}, .rearWeapons = {4, 5}},
         {{3, "gmlight.gdf"}, {1, "gmmedium.gdf"}, {0, "gclight.gdf"}, {2, "gcmedium.gdf"}}},
        {"Tanker", {.model = 22, .frontWeapons = {1, 2, 0}, .topWeapons = {3, 0}, .rearWeapons = {4, 5}},
         {{3, "gmlight.gdf"}, {4, "gmmedium.gdf"}, {0, "gmheavy.gdf"}, {2, "gclight.gdf"}, {1, "gcmedium.gdf"}}},
        {"Bus", {.model = 35, .frontWeapons = {1, 0, 0}, .topWeapons = {2, 0}, .rearWeapons = {3, 0}, .droppers = {1, 2}},
         {{4, "gmlight.gdf"}, {3, "gmmedium.gdf"}, {2, "gmheavy.gdf"}, {0, "goilslck.gdf"}, {1, "gfirdrop.gdf"}}},
    };
    for (const auto& [what, car, records] : layouts) {
        const auto written = buildVcfImage(car);
        Records got;
        std::size_t at = 193;
        for (; textAt(written, at, 4) == "WEPN"; at += 25) got.emplace_back(getU32(&written[at + 8]), textAt(written, at + 12, 13));
        EXPECT_EQ(got, records) << what;
        EXPECT_EQ(textAt(written, at, 4), "EXIT") << what;
        EXPECT_EQ(written.size(), at + 16) << what; // the two EXIT records, and nothing else
    }
}

} // namespace
} // namespace rivetbay
