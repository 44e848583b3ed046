#include "files/VariantListing.h"
#include "files/Export.h"
#include "files/VcfWriter.h"

#include "Testkit.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace rivetbay {
namespace {

CarConfig design(int model, std::string name) { return {.name = std::move(name), .model = model}; }

void writeVariant(const TempDir& dir, const std::string& file, const std::string& name, int model = 16)
{
    ASSERT_TRUE(VcfWriter(dir / file, design(model, name)));
}

TEST(VariantListing, MatchesWithoutLetterCaseInNameOrder)
{
    TempDir dir;
    writeVariant(dir, "vgoon5.vcf", "Five");
    writeVariant(dir, "VGOON4.VCF", "Four");
    writeVariant(dir, "vGoon10.Vcf", "Ten");
    writeVariant(dir, "vfcoupe4.vcf", "Coupe", 25);
    writeVariant(dir, "vcgcour4.vcf", "Cour", 6);
    writeBytes(dir / "vgoon4.txt", {1, 2, 3});
    writeBytes(dir / "goon4.vcf", {1, 2, 3});
    writeVariant(dir, "vgoon.vcf", "Bare"); // "*" matches no characters too
    writeBytes(dir / "vgoo.vcf", {1, 2, 3});
    EXPECT_EQ(findVehicleFiles(dir.path(), "GOON"),
              (std::vector<std::string>{"vgoon.vcf", "vGoon10.Vcf", "VGOON4.VCF", "vgoon5.vcf"}));
    EXPECT_EQ(listVariants(dir.path(), "goon"), (std::vector<std::string>{"Bare", "Ten", "Four", "Five"}));
    EXPECT_EQ(nextExportNumber(dir.path(), 16), 4 + 4); // counted for the numbering as well
    EXPECT_EQ(listVariants(dir.path(), ""),
              (std::vector<std::string>{"Cour", "Coupe", "", "Bare", "Ten", "Four", "Five"})); // "vgoo.vcf" too
    EXPECT_EQ(nextExportNumber(dir.path(), 0), 5); // the blank row numbers by the Courchelle's code
    EXPECT_EQ(listVariants(dir.path(), "fcoupe"), (std::vector<std::string>{"Coupe"}));
}

TEST(VariantListing, NamesAreCutAtFifteenAndAtTheFileEnd)
{
    TempDir dir;
    writeVariant(dir, "vgoon4.vcf", "Sixteen chars!!!");
    std::vector<std::uint8_t> shortFile(28, 'x');
    writeBytes(dir / "vgoon5.vcf", shortFile);
    shortFile.insert(shortFile.end(), {'A', 'b'});
    writeBytes(dir / "vgoon6.vcf", shortFile);
    writeBytes(dir / "vgoon7.vcf", {});
    // A backup that merely matches the pattern is listed with whatever it holds.
    std::vector<std::uint8_t> backup(40, 'z');
    backup[28] = 'B';
    backup[29] = 0;
    writeBytes(dir / "vgoon8.bak.vcf", backup);
    std::filesystem::create_directory(dir / "vgoon9.vcf");
    EXPECT_EQ(listVariants(dir.path(), "goon"),
              (std::vector<std::string>{"Sixteen chars!!", "", "Ab", "", "B", ""}));
}

#ifndef _WIN32
TEST(VariantListing, AFifoAmongTheFilesIsListedEmptyWithoutWaiting)
{
    TempDir dir;
    writeVariant(dir, "vgoon4.vcf", "Four");
    ASSERT_EQ(::mkfifo((dir / "vgoon5.vcf").c_str(), 0600), 0);
    EXPECT_EQ(listVariants(dir.path(), "goon"), (std::vector<std::string>{"Four", ""}));
}
#endif

} // namespace
} // namespace rivetbay
