// Transcription checks: what must hold across the rows, not copies of cells.
// Prices and codes are pinned where they are used (the pricing examples and
// the golden vehicle file).

#include "catalogue/CarCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace rivetbay {
namespace {

namespace cat = CarCatalogue;

TEST(CarCatalogue, RowZeroIsAFreeCourchelle)
{
    const ModelSpec& blank = cat::model(0);
    const ModelSpec& courchelle = cat::model(6);
    EXPECT_EQ(blank.price, 0u);
    EXPECT_EQ(std::tie(blank.variantFileCode, blank.definitionCode, blank.textureBaseName, blank.mountLayout),
              std::tie(courchelle.variantFileCode, courchelle.definitionCode, courchelle.textureBaseName,
                       courchelle.mountLayout));
    std::set<std::string_view> codes;
    for (int i = 1; i < cat::modelCount; ++i)
        EXPECT_TRUE(codes.insert(cat::model(i).variantFileCode).second) << i;
}

TEST(CarCatalogue, EveryRowIsConsistentWithItself)
{
    for (int i = 0; i < cat::modelCount; ++i) {
        const ModelSpec& m = cat::model(i);
        const std::size_t mounts = m.frontMounts + m.topMounts + m.rearMounts + m.dropperMounts;
        EXPECT_LE(mounts, 5u) << i;
        EXPECT_EQ(m.mountLayout.size(), 2 * mounts) << i;
        EXPECT_GE(m.paintCount, 1) << i;
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(m.paintSchemes[k].empty(), i == 0 || k >= m.paintCount) << i << "/" << k;
        // Only the two Warendorfs have other rear tires; only the Moth Truck
        // and the Bus number their files other than by their paint count.
        const bool warendorf = i == 31 || i == 32;
        EXPECT_EQ(m.frontTireCode != m.rearTireCode, warendorf) << i;
        const bool odd = m.displayName == "Moth Truck" || m.displayName == "Bus";
        EXPECT_EQ(m.exportBase != m.paintCount, odd) << i;
        EXPECT_EQ(m.truckTires, m.displayName.starts_with("Moth ")) << i; // the three-axle trucks
        // Every text fits a 13-byte vehicle-file field with its NUL.
        EXPECT_LE(m.definitionCode.size() + 5, 12u) << i;
        EXPECT_LE(m.textureBaseName.size() + 5, 12u) << i;
    }
}

} // namespace
} // namespace rivetbay
