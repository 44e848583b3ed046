#include "files/Export.h"
#include "files/PlatformFile.h"
#include "files/VariantListing.h"
#include "files/VcfWriter.h"

#include "HearFileEvents.h"
#include "OtherUser.h"
#include "Testkit.h"

#include <atomic>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace rivetbay {
namespace {

CarConfig design(int model, std::string name) { return {.name = std::move(name), .model = model}; }

TEST(Export, WritesTheNextFreeNumberAndNeverReplacesAFile)
{
    TempDir dir;
    const auto first = exportVariant(design(16, "Dusty"), dir.path(), {});
    ASSERT_EQ(first.outcome, ExportResult::Outcome::Written);
    EXPECT_EQ(first.path, dir / "vgoon4.vcf");
    EXPECT_EQ(testkit::readBytes(first.path), buildVcfImage(design(16, "Dusty")));
    // Two files counted, but 6 exists in another letter case: 7.
    writeBytes(dir / "VGOON6.VCF", {9, 9, 9});
    const auto second = exportVariant(design(16, "Rusty"), dir.path(), listVariants(dir.path(), "goon"));
    EXPECT_EQ(second.path, dir / "vgoon7.vcf");
    EXPECT_EQ(testkit::readBytes(dir / "VGOON6.VCF"), (std::vector<std::uint8_t>{9, 9, 9}));
}

TEST(Export, RefusesEmptyAndListedNames)
{
    TempDir dir;
    const std::vector<std::string> listed{"Dusty", "Road Hog"};
    for (const char* name : {"", "dusty", "ROAD HOG", "Road Hog"}) {
        const auto r = exportVariant(design(16, name), dir.path(), listed);
        EXPECT_EQ(r.outcome, ExportResult::Outcome::Refused) << name;
        EXPECT_EQ(r.refusal, "The variant must have a unique model/name combination.");
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    // A prefix of a listed name is a different name.
    EXPECT_EQ(exportVariant(design(16, "Road"), dir.path(), listed).outcome,
              ExportResult::Outcome::Written);
    // Letter case of accented Latin letters counts as the platform folds it.
    EXPECT_EQ(exportVariant(design(16, "\xC9t\xE9"), dir.path(), {"\xE9T\xC9"}).outcome,
              ExportResult::Outcome::Refused);
}

TEST(Export, WrapsPastTakenNumbersAndRefusesWhenAllAreTaken)
{
    TempDir dir;
    for (int n = 0; n < 256; ++n)
        if (n != 2) writeBytes(dir / ("vgoon" + std::to_string(n) + ".vcf"), {});
    // 255 files: 3 + 1 + 255 wraps to 3; 3..255 and 0, 1 are taken, 2 is free.
    const auto r = exportVariant(design(16, "Last"), dir.path(), {});
    ASSERT_EQ(r.outcome, ExportResult::Outcome::Written);
    EXPECT_EQ(r.path, dir / "vgoon2.vcf");

    const auto none = exportVariant(design(16, "Another"), dir.path(), {});
    EXPECT_EQ(none.outcome, ExportResult::Outcome::Refused);
    EXPECT_EQ(none.refusal, "No free vehicle file number is left for this model.");
}

// Only the folder's lock keeps one name to one file: a lock that cannot be
// made refuses the export, with the reason, and writes nothing.
TEST(Export, AFolderThatCannotBeLockedIsNotWrittenTo)
{
    TempDir dir;
    writeBytes(dir / "vgoon4.vcf", {7});
#ifdef _WIN32
    // The lock's name taken by another kind of object, as another program's event.
    const HANDLE event = CreateEventW(nullptr, FALSE, FALSE, platform::directoryLockName(dir.path()).c_str());
    ASSERT_NE(event, nullptr);
    const ExportResult r = exportVariant(design(16, "Late"), dir.path(), {});
    CloseHandle(event);
    const bool refused = r.outcome == ExportResult::Outcome::NotWritten;
#else
    // A folder its user may write in but not open to lock (nor list).
    namespace fs = std::filesystem;
    fs::permissions(dir.path(), fs::perms::owner_write | fs::perms::owner_exec |
                                    fs::perms::others_write | fs::perms::others_exec);
    const bool refused = testkit::asOtherUser([&] {
        const ExportResult r = exportVariant(design(16, "Late"), dir.path(), {});
        return r.outcome == ExportResult::Outcome::NotWritten &&
               notWrittenText(r, dir.path()).ends_with(
                   ": The vehicle folder could not be locked for the export (Permission denied); "
                   "nothing was written.");
    });
    fs::permissions(dir.path(), fs::perms::owner_all);
#endif
    EXPECT_TRUE(refused);
    EXPECT_EQ(findVehicleFiles(dir.path(), "goon"), std::vector<std::string>{"vgoon4.vcf"});
}

TEST(Export, ExportsTakeTurnsAndLookAgainUnderTheLock)
{
    TempDir dir;
    std::vector<std::thread> exports;
    std::atomic<int> written{0}, refused{0}, ready{0};
    for (int k = 0; k < 20; ++k) // started together, each from the same empty listing
        exports.emplace_back([&] {
            for (++ready; ready < 20;) std::this_thread::yield();
            const auto r = exportVariant(design(16, "Twin"), dir.path(), {});
            ++(r.outcome == ExportResult::Outcome::Written ? written : refused);
        });
    for (auto& e : exports) e.join();
    EXPECT_EQ(written, 1);
    EXPECT_EQ(refused, 19);
    EXPECT_EQ(listVariants(dir.path(), "goon"), std::vector<std::string>{"Twin"});

    // An export waits for the one before it, then sees what that one wrote.
    std::atomic<bool> waiting{false};
    const testkit::HearFileEvents watch([&](std::string_view step, auto&) { waiting = waiting || step == "waiting for the lock"; });
    ExportResult waited;
    std::thread second;
    {
        const platform::DirectoryLock first(dir.path());
        EXPECT_TRUE(VcfWriter(dir / "vgoon8.vcf", design(16, "Solo")));
        second = std::thread([&] { waited = exportVariant(design(16, "Solo"), dir.path(), {}); });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!waiting && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
        EXPECT_TRUE(waiting) << "the second export never waited for the lock";
    }
    second.join();
    EXPECT_EQ(waited.refusal, "The variant must have a unique model/name combination.");

    // A holder that never lets go: the export gives up with nothing written,
    // since only the lock keeps one name to one file.
    {
        const platform::DirectoryLock stuck(dir.path());
        ExportResult busy; // from another thread, whose lock a held one is not
        std::thread([&] { busy = exportVariant(design(16, "Busy"), dir.path(), {}); }).join();
        EXPECT_EQ(busy.refusal, "The vehicle folder is busy; try again.");
    }
    EXPECT_EQ(findVehicleFiles(dir.path(), "goon").size(), 2u);

    // Another program added the name since the listing the export compares with.
    ASSERT_TRUE(VcfWriter(dir / "vgoon9.vcf", design(16, "Later")));
    const auto late = exportVariant(design(16, "LATER"), dir.path(), {"Twin"});
    EXPECT_EQ(late.outcome, ExportResult::Outcome::Refused);
    EXPECT_EQ(late.refusal, "The variant must have a unique model/name combination.");
}

TEST(Export, MissingDirectoryWritesNothing)
{
    TempDir dir;
    EXPECT_EQ(exportVariant(design(16, "X"), dir / "missing", {}).outcome,
              ExportResult::Outcome::NotWritten);
    EXPECT_EQ(exportVariant(design(16, "X"), {}, {}).outcome, ExportResult::Outcome::NotWritten);
    EXPECT_TRUE(listVariants(dir / "missing", "").empty());
    EXPECT_EQ(readVariantName(dir.path(), "missing.vcf"), "");
}

} // namespace
} // namespace rivetbay
