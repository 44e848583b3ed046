#include "files/SafeWrite.h"

#include "files/PlatformFile.h"

#include <cerrno>
#include <system_error>

namespace rivetbay {

namespace fs = std::filesystem;

fs::path temporaryPathFor(const fs::path& target)
{
    fs::path temporary = target;
    temporary += ".rbtmp";
    return temporary;
}

namespace {

// Writing through a link replaces the file it points to, not the link.
fs::path resolvedTarget(const fs::path& target)
{
    std::error_code ec;
    if (!fs::is_symlink(target, ec)) return target;
    const fs::path resolved = fs::weakly_canonical(target, ec);
    return ec ? target : resolved;
}

} // namespace

FileResult writeFileReplacing(const fs::path& requested, std::span<const std::uint8_t> bytes)
{
    const fs::path target = resolvedTarget(requested);
    const fs::path temporary = temporaryPathFor(target);
    platform::OutputFile file;
    if (file.open(temporary, platform::OutputFile::Mode::Truncate) != 0)
        return makeFileError(FileErrorKind::NotFound, Direction::Writing, requested);

    std::error_code ec;
    if (fs::exists(target, ec)) file.copyPermissionsFrom(target);

    const auto fail = [&](FileError error) -> FileResult {
        file.close();
        fs::remove(temporary, ec);
        return error;
    };
    if (const int e = file.write(bytes.data(), bytes.size()); e != 0)
        return fail(fileErrorFromErrno(e, Direction::Writing, requested));
    if (const int e = file.sync(); e != 0)
        return fail(fileErrorFromErrno(e, Direction::Reading, requested));
    if (const int e = file.close(); e != 0)
        return fail(fileErrorFromErrno(e, Direction::Reading, requested));
    if (const int e = platform::replaceFile(temporary, target); e != 0)
        return fail(fileErrorFromErrno(e, Direction::Writing, requested));
    platform::syncDirectory(target.parent_path());
    return std::nullopt;
}

CreateOutcome writeNewFile(const fs::path& path, std::span<const std::uint8_t> bytes)
{
    platform::OutputFile file;
    if (const int e = file.open(path, platform::OutputFile::Mode::Exclusive); e != 0)
        return e == EEXIST ? CreateOutcome::AlreadyExists : CreateOutcome::Failed;
    if (file.write(bytes.data(), bytes.size()) != 0 || file.close() != 0) {
        // The file is ours and incomplete; leave nothing half-written behind.
        std::error_code ec;
        fs::remove(path, ec);
        return CreateOutcome::Failed;
    }
    return CreateOutcome::Created;
}

} // namespace rivetbay
