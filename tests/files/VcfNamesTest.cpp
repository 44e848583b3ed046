#include "files/VcfNames.h"

#include "Testkit.h"

#include <cctype>
#include <climits>
#include <tuple>

namespace rivetbay {
namespace {

namespace names = VcfNames;

// The game finds a file whatever its letter case, so the reader is fed capitals.
std::string upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A model as the player picks it, by its shown name.
const ModelSpec& model(std::string_view shown, int* row = nullptr)
{
    for (int r = 0; r < CarCatalogue::modelCount; ++r)
        if (CarCatalogue::model(r).displayName == shown) {
            if (row) *row = r;
            return CarCatalogue::model(r);
        }
    throw std::invalid_argument(std::string(shown));
}

TEST(VcfNames, ModelPaintAndTireNamesRoundTrip)
{
    for (const auto& [shown, definition, paint, texture, size, tire] :
         {std::tuple{"Glenn Bushmaster", "vgoon.vdf", 0, "goon1.vtf", 1, "wauto_3a.wdf"},
          std::tuple{"DPC Piranha", "vppirnha.vdf", 3, "piranha4.vtf", 4, "wauto_1d.wdf"},
          std::tuple{"Moth Cargo Truck", "vmcargo.vdf", 2, "mcargo3.vtf", 2, "wftck_1b.wdf"}}) {
        int row = 0;
        const ModelSpec& m = model(shown, &row);
        EXPECT_EQ(names::definitionFile(m), definition);
        EXPECT_EQ(names::modelOfDefinition(upper(definition)), row) << definition;
        EXPECT_EQ(names::textureFile(m, paint), texture);
        EXPECT_EQ(names::paintOfTexture(m, upper(texture)), paint) << texture;
        EXPECT_EQ(names::tireFile(m, m.frontTireCode, size), tire);
        EXPECT_EQ(names::tireSizeOf(m, m.frontTireCode, upper(tire)), size) << tire;
    }
    const ModelSpec& bushmaster = model("Glenn Bushmaster"); // three paints, tire code "3"
    for (const char* stranger : {"goon0.vtf", "goon4.vtf", "goon.vtf", "goon1x.vtf", "goon1.vtfx"})
        EXPECT_FALSE(names::paintOfTexture(bushmaster, stranger)) << stranger;
    for (const char* stranger : {"wauto_3e.wdf", "wftck_3a.wdf", "wauto_3aa.wdf", "wauto_3a.wdx"})
        EXPECT_FALSE(names::tireSizeOf(bushmaster, "3", stranger)) << stranger;
    EXPECT_FALSE(names::modelOfDefinition("vnothing.vdf"));
}

TEST(VcfNames, WeaponFilesHardpointsAndNumbersRoundTrip)
{
    for (const auto& [code, turret, file] : {std::tuple{"mg", false, "gmg.gdf"}, std::tuple{"30cal", true, "t30cal.gdf"}}) {
        EXPECT_EQ(names::weaponFile(code, turret), file);
        const std::string read = upper(file);
        const auto parsed = names::parseWeaponFile(read);
        ASSERT_TRUE(parsed) << file;
        EXPECT_EQ(parsed->code, upper(code));
        EXPECT_EQ(parsed->turret, turret);
    }
    for (const char* stranger : {"xmg.gdf", "g.gdf", "gmg.gdx"}) EXPECT_FALSE(names::parseWeaponFile(stranger)) << stranger;

    for (const auto& [token, hardpoint] : {std::pair{"d1", 0}, std::pair{"f1", 2}, std::pair{"f3", 4}}) {
        EXPECT_EQ(names::hardpoint("d1d2f1f2f3", token), hardpoint) << token;
        EXPECT_TRUE(names::writtenAt("d1d2f1f2f3", token, hardpoint)) << token;
    }
    EXPECT_EQ(names::hardpoint("d1d2f1f2f3", "t1"), 0); // a mount the model lacks

    EXPECT_EQ(names::partIndex(4), 3);
    for (const int selection : {1, 4})
        EXPECT_EQ(names::selectionOf(names::partIndex(selection)), selection);
    EXPECT_EQ(names::partIndex(0), 0);

    EXPECT_EQ(names::pointsField(-3), 0xFFFFFFE2u);
    for (const int points : {7, 0, -3})
        EXPECT_EQ(names::pointsOf(static_cast<std::int32_t>(names::pointsField(points))), points);
    for (const auto& [field, points] : {std::pair{74, 7}, std::pair{75, 8}, std::pair{-75, -8}, std::pair{INT_MAX, 214748364}})
        EXPECT_EQ(names::pointsOf(field), points) << field;

    EXPECT_EQ(names::exportFileName(model("Glenn Bushmaster"), 27), "vgoon27.vcf");
    EXPECT_TRUE(names::isVariantFileOf("VGOON27.VCF", "goon"));
    for (const char* stranger : {"vgoo.vcf", "vgoon27.vcfx", "goon27.vcf"}) EXPECT_FALSE(names::isVariantFileOf(stranger, "goon")) << stranger;
}

} // namespace
} // namespace rivetbay
