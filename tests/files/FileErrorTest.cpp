#include "files/FileError.h"

#include "Testkit.h"

#include <cerrno>
#include <tuple>

namespace rivetbay {
namespace {

TEST(FileError, TextsByStage)
{
    const std::filesystem::path p = "/games/cars/a.rbc";
    // The texts a write's failures meet are checked where the writes fail.
    const std::tuple<FileErrorKind, Stage, const char*> cases[] = {
        {FileErrorKind::DiskFull, Stage::Flushing, "Disk full while accessing /games/cars/a.rbc."},
        {FileErrorKind::AccessDenied, Stage::Reading, "Access to an unnamed file was denied."},
        {FileErrorKind::Unknown, Stage::Writing, "An unknown error occurred while accessing /games/cars/a.rbc."},
    };
    for (const auto& [kind, stage, text] : cases) EXPECT_EQ(makeFileError(kind, stage, p).message, text);
    EXPECT_EQ(fileErrorFromErrno(ENOSPC, Stage::Flushing, p).message, "Disk full while accessing /games/cars/a.rbc.");
    EXPECT_EQ(fileErrorFromErrno(ENOENT, Stage::Opening, p).kind, FileErrorKind::NotFound);
}

} // namespace
} // namespace rivetbay
