// What a Windows player meets: names the ANSI code page cannot hold, either
// separator from a dialog, and files other programs hold open.

#include "app/Startup.h"
#include "files/CarFile.h"
#include "files/PlatformFile.h"
#include "files/TextEncoding.h"
#include "files/VariantListing.h"
#include "files/VcfWriter.h"

#include "Testkit.h"

#include <algorithm>
#include <thread>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace rivetbay {
namespace {

namespace fs = std::filesystem;

TEST(WindowsPaths, NamesOutsideTheCodePageRoundTrip)
{
    TempDir dir;
    const fs::path cars = dir.path() / L"Dave\u2019s Nitro";
    fs::create_directory(cars);
    ASSERT_TRUE(saveCarFile(cars / L"Prix\u20ac.rbc", testkit::dustyDesign()));
    CarConfig back;
    ASSERT_TRUE(readCarFile(cars / L"Prix\u20ac.rbc", back));
    EXPECT_EQ(back, testkit::dustyDesign());
    // A vehicle file whose own name the code page cannot hold is listed with its variant.
    ASSERT_TRUE(VcfWriter(cars / L"vgoon14\u00e9\u0416.vcf", testkit::dustyDesign()));
    EXPECT_EQ(listVariants(cars, "goon"), std::vector<std::string>{"Dusty"});
}

TEST(WindowsPaths, SettingsInAFolderNamedOutsideTheCodePage)
{
    TempDir dir;
    const fs::path start = dir.path() / L"Jos\u00e9 \u0416";
    fs::create_directory(start);
    PathSettings paths = readPathSettings(settingsFileIn(start), start);
    paths.vcfPath = start;
    ASSERT_TRUE(writePathSettings(settingsFileIn(start), paths));
    EXPECT_TRUE(fs::exists(start / "Rivetbay.ini"));
    const PathSettings back = readPathSettings(settingsFileIn(start), "elsewhere");
    EXPECT_EQ(back.vcfPath, start); // kept exactly, so the setup is not asked again
    EXPECT_TRUE(folderExists(back.vcfPath));
}

TEST(WindowsPaths, AFileHeldOpenElsewhereIsASharingViolation)
{
    TempDir dir;
    const fs::path car = dir / "held.rbc";
    ASSERT_TRUE(saveCarFile(car, testkit::dustyDesign()));
    const HANDLE held = CreateFileW(car.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const FileResult saved = saveCarFile(car, CarConfig{});
    CloseHandle(held);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().message, "A sharing violation occurred while accessing " + utf8FromPath(car) + ".");
    CarConfig back;
    ASSERT_TRUE(readCarFile(car, back));
    EXPECT_EQ(back, testkit::dustyDesign()); // the old file is kept
}

// Exports through two spellings of one folder must still take turns.
TEST(WindowsPaths, OneFolderHasOneLockHoweverItIsSpelled)
{
    TempDir dir;
    std::wstring shouted = dir.path().native();
    std::transform(shouted.begin(), shouted.end(), shouted.begin(), ::towupper);
    const fs::path spellings[] = {fs::path(L"\\\\?\\" + dir.path().native()), fs::path(shouted),
                                  dir.path() / L"." / L""};
    const platform::DirectoryLock held(dir.path());
    ASSERT_TRUE(held.held());
    for (const fs::path& other : spellings) {
        bool busy = false; // a mutex is its own thread's again: asked from another
        std::thread([&] { busy = platform::DirectoryLock(other, std::chrono::milliseconds(50)).busy(); })
            .join();
        EXPECT_TRUE(busy) << utf8FromPath(other);
    }
}

} // namespace
} // namespace rivetbay
