#include "app/FirstRun.h"

#include "Testkit.h"
#include "files/TextEncoding.h"

#include <algorithm>

namespace rivetbay {
namespace {

#ifdef _WIN32
TEST(FirstRun, TheChosenGameWithEitherSeparator)
{
    TempDir dir;
    const std::string root = utf8FromPath(dir.path());
    std::string forward = root + "/Nitro.exe";
    std::replace(forward.begin(), forward.end(), '\\', '/');
    EXPECT_EQ(vcfPathFromChosenFile(forward), root + "\\addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "\\NITRO.EXE"), root + "\\addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "/readme.txt"), root);
}
#else
TEST(FirstRun, TheVehicleFolderFromTheChosenFile)
{
    TempDir dir;
    const std::string root = dir.path().string();
    EXPECT_EQ(vcfPathFromChosenFile(root + "/readme.txt"), root);
    EXPECT_EQ(vcfPathFromChosenFile(root + "/Nitro.exe"), root + "/addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "/NITRO.EXE.bak"), root + "/addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "/notnitro.exe"), root);
    std::filesystem::create_directory(dir / "Addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "/nitro.exe"), root + "/Addon");
}
#endif

} // namespace
} // namespace rivetbay
