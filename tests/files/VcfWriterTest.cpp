#include "files/VcfWriter.h"
#include "files/ByteIO.h"
#include "files/VcfTemplate.h"

#include "SampleCars.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

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

std::vector<std::uint8_t> field(const std::vector<std::uint8_t>& image, std::size_t offset,
                                std::size_t width)
{
    return {image.begin() + offset, image.begin() + offset + width};
}

CarConfig dusty() { return testkit::dustyDesign(); }

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
    EXPECT_EQ(buildVcfImage(dusty()), expected);

    testkit::TempDir dir;
    ASSERT_TRUE(VcfWriter(dir / "vgoon4.vcf", dusty()));
    EXPECT_EQ(testkit::readBytes(dir / "vgoon4.vcf"), expected);
}

TEST(VcfWriter, TemplateHoldsTheFixedHeader)
{
    const auto& t = VcfLayout::vcfTemplate();
    const std::vector<std::uint8_t> image(t.begin(), t.end());
    EXPECT_EQ(field(image, 0, 20), hex("42 57 44 32 08 00 00 00 52 45 56 00 0C 00 00 00 03 00 00 00"));
    EXPECT_EQ(field(image, 28, 16), hex("55 6E 6E 61 6D 65 64 00 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(textAt(image, 44, 13), "vcgcour.vdf");
    EXPECT_EQ(textAt(image, 57, 13), "corchel2.vtf");
    EXPECT_EQ(textAt(image, 82, 13), "wauto_4a.wdf");
    EXPECT_EQ(field(image, 95, 13), hex("6E 75 6C 6C 00 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(textAt(image, 108, 13), "wauto_4a.wdf");
}

TEST(VcfWriter, FileSizeFollowsTheFittedMounts)
{
    CarConfig none;
    none.model = 16;
    auto image = buildVcfImage(none);
    ASSERT_EQ(image.size(), 209u);
    EXPECT_EQ(textAt(image, 193, 4), "EXIT");

    CarConfig five;
    five.model = 16; // d1d2f1f2f3
    five.frontWeapons = {1, 2, 3};
    five.droppers = {1, 2};
    image = buildVcfImage(five);
    ASSERT_EQ(image.size(), 334u);
    EXPECT_EQ(textAt(image, 318, 4), "EXIT");
    EXPECT_EQ(getU32(&image[322]), 16u);
    EXPECT_EQ(getU32(&image[330]), 16u);

    // Mounts the model does not have never reach the file.
    CarConfig extra = five;
    extra.topWeapons = {1, 1};
    extra.rearWeapons = {1, 1};
    EXPECT_EQ(buildVcfImage(extra).size(), 334u);
}

TEST(VcfWriter, PartIndicesAreOneLess)
{
    for (int engine : {0, 1}) {
        CarConfig c;
        c.engine = engine;
        c.suspension = engine;
        c.brakes = engine;
        const auto image = buildVcfImage(c);
        EXPECT_EQ(getU32(&image[70]), 0u);
        EXPECT_EQ(getU32(&image[74]), 0u);
        EXPECT_EQ(getU32(&image[78]), 0u);
    }
    CarConfig c;
    c.engine = 4;
    c.suspension = 3;
    c.brakes = 2;
    const auto image = buildVcfImage(c);
    EXPECT_EQ(getU32(&image[70]), 3u);
    EXPECT_EQ(getU32(&image[74]), 2u);
    EXPECT_EQ(getU32(&image[78]), 1u);
}

TEST(VcfWriter, TireFiles)
{
    struct Case {
        int model, front, rear;
        const char *frontFile, *middleFile, *rearFile;
    };
    const Case cases[] = {
        {1, 2, 3, "wauto_1b.wdf", "null", "wauto_1c.wdf"},
        {1, 0, 1, "wauto_1a.wdf", "null", "wauto_1a.wdf"},
        {20, 1, 1, "wftck_1a.wdf", "wftck_1a.wdf", "wftck_1a.wdf"},
        {23, 4, 2, "wftck_1d.wdf", "wftck_1b.wdf", "wftck_1b.wdf"},
        {19, 1, 1, "wauto_6a.wdf", "null", "wauto_6a.wdf"},
        {24, 3, 3, "wauto_3c.wdf", "null", "wauto_3c.wdf"},
        {31, 1, 4, "wauto_aa.wdf", "null", "wauto_7d.wdf"},
    };
    for (const Case& k : cases) {
        CarConfig c;
        c.model = k.model;
        c.frontTires = k.front;
        c.rearTires = k.rear;
        const auto image = buildVcfImage(c);
        EXPECT_EQ(textAt(image, 82, 13), k.frontFile) << k.model;
        EXPECT_EQ(textAt(image, 95, 13), k.middleFile) << k.model;
        EXPECT_EQ(textAt(image, 108, 13), k.rearFile) << k.model;
    }
}

TEST(VcfWriter, NameField)
{
    struct Case {
        std::string name;
        std::string field;
    };
    const Case cases[] = {
        {"", std::string("Unnamed\0\0\0\0\0\0\0\0\0", 16)},
        {"Dusty", std::string("Dusty\0d\0\0\0\0\0\0\0\0\0", 16)},
        {"A", std::string("A\0named\0\0\0\0\0\0\0\0\0", 16)},
        {"100% Steel", std::string("100% Steel\0\0\0\0\0\0", 16)},
        {"Fifteen chars!!", std::string("Fifteen chars!!\0", 16)},
        {"Sixteen chars!!!", "Sixteen chars!!!"},
        {"Much longer than sixteen", "Much longer than"},
    };
    for (const Case& k : cases) {
        CarConfig c;
        c.model = 16;
        c.name = k.name;
        const auto image = buildVcfImage(c);
        const auto got = field(image, 28, 16);
        EXPECT_EQ(std::string(got.begin(), got.end()), k.field) << k.name;
        EXPECT_EQ(textAt(image, 44, 13), "vgoon.vdf") << k.name;
    }
}

TEST(VcfWriter, DefinitionAndTextureFilesKeepTheTemplateTail)
{
    CarConfig c;
    c.model = 16;
    auto image = buildVcfImage(c);
    EXPECT_EQ(field(image, 44, 13), hex("76 67 6F 6F 6E 2E 76 64 66 00 66 00 00"));
    c.model = 1;
    c.paintScheme = 1;
    image = buildVcfImage(c);
    EXPECT_EQ(textAt(image, 57, 13), "ambamz2.vtf");
    EXPECT_EQ(textAt(image, 44, 13), "vazamz.vdf");
}

TEST(VcfWriter, HardpointsAndWeaponFiles)
{
    CarConfig manta;
    manta.model = 8; // d1t1t1f2f3
    manta.frontWeapons = {1, 2, 0};
    manta.topWeapons = {8, 3};
    manta.turret = 1;
    manta.droppers = {1, 0};
    const auto image = buildVcfImage(manta);
    struct Record {
        std::uint32_t hardpoint;
        const char* file;
    };
    const Record expected[] = {
        {0, "gmlight.gdf"},  // f1 is missing from the layout
        {3, "gmmedium.gdf"}, // f2
        {1, "tsheat.gdf"},   // t1 in its turret
        {0, "gmheavy.gdf"},  // t2 is missing; never a turret file
        {0, "goilslck.gdf"}, // d1
    };
    ASSERT_EQ(image.size(), 209u + 5 * 25);
    for (std::size_t k = 0; k < 5; ++k) {
        const std::size_t at = 193 + 25 * k;
        EXPECT_EQ(textAt(image, at, 4), "WEPN");
        EXPECT_EQ(getU32(&image[at + 4]), 25u);
        EXPECT_EQ(getU32(&image[at + 8]), expected[k].hardpoint) << k;
        EXPECT_EQ(textAt(image, at + 12, 13), expected[k].file) << k;
        for (std::size_t i = 12 + std::string(expected[k].file).size(); i < 25; ++i)
            EXPECT_EQ(image[at + i], 0) << k;
    }
}

TEST(VcfWriter, TurretFlagWithoutATopWeaponLeavesNoTrace)
{
    CarConfig c;
    c.model = 26; // t1t2
    c.topWeapons = {0, 5};
    CarConfig flagged = c;
    flagged.turret = 1;
    EXPECT_EQ(buildVcfImage(c), buildVcfImage(flagged));
    EXPECT_EQ(textAt(buildVcfImage(flagged), 193 + 12, 13), "gcmedium.gdf");
}

TEST(VcfWriter, ArmorAndChassisAreTenfoldInFileOrder)
{
    CarConfig c;
    c.armor = {1, 2, 3, -4};
    c.chassis = {5, 6, 7, 214748365};
    const auto image = buildVcfImage(c);
    EXPECT_EQ(getU32(&image[121]), 10u);
    EXPECT_EQ(getU32(&image[125]), 30u);
    EXPECT_EQ(static_cast<std::int32_t>(getU32(&image[129])), -40);
    EXPECT_EQ(getU32(&image[133]), 20u);
    EXPECT_EQ(getU32(&image[137]), 50u);
    EXPECT_EQ(getU32(&image[149]), 60u);
    EXPECT_EQ(getU32(&image[145]), 2147483650u); // wraps, unchecked as the game stores it
    EXPECT_EQ(getU32(&image[153]), 0u);
}

TEST(VcfWriter, ReplacesAnExistingFileWhole)
{
    testkit::TempDir dir;
    testkit::writeBytes(dir / "v.vcf", std::vector<std::uint8_t>(1000, 0xAA));
    CarConfig c;
    ASSERT_TRUE(VcfWriter(dir / "v.vcf", c));
    EXPECT_EQ(testkit::readBytes(dir / "v.vcf"), buildVcfImage(c));
    EXPECT_FALSE(VcfWriter({}, c));
    EXPECT_FALSE(VcfWriter(dir / "missing" / "v.vcf", c));
}

} // namespace
} // namespace rivetbay
