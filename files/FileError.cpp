#include "files/FileError.h"

#include "files/TextEncoding.h"

#include <cerrno>
#include <cstring>

namespace rivetbay {

namespace {

const char* templateFor(FileErrorKind kind)
{
    switch (kind) {
    case FileErrorKind::NotFound:
        return "%1 was not found.";
    case FileErrorKind::PastEnd:
        return "An attempt was made to access %1 past its end.";
    case FileErrorKind::DiskFull:
        return "Disk full while accessing %1.";
    case FileErrorKind::AccessDenied:
        return "Access to %1 was denied.";
    case FileErrorKind::SharingViolation:
        return "A sharing violation occurred while accessing %1.";
    case FileErrorKind::LockingViolation:
        return "A locking violation occurred while accessing %1.";
    case FileErrorKind::HardwareError:
        return "A hardware I/O error was reported while accessing %1.";
    case FileErrorKind::Unknown:
        break;
    }
    return "An unknown error occurred while accessing %1.";
}

} // namespace

FileError makeFileError(FileErrorKind kind, Stage stage, const std::filesystem::path& path,
                        int systemError)
{
    const bool named = kind == FileErrorKind::DiskFull ||
                       (stage == Stage::Writing && kind != FileErrorKind::NotFound &&
                        kind != FileErrorKind::PastEnd);
    const std::string what = named ? utf8FromPath(path) : "an unnamed file";
    std::string text = templateFor(kind);
    text.replace(text.find("%1"), 2, what);
    return {kind, stage, path, std::move(text), {}, systemError};
}

FileError noFileNameError()
{
    FileError error = makeFileError(FileErrorKind::NotFound, Stage::Opening, {});
    error.message = "No file name was given.";
    return error;
}

FileError fileErrorFromErrno(int error, Stage stage, const std::filesystem::path& path)
{
    FileErrorKind kind = FileErrorKind::Unknown;
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        kind = FileErrorKind::DiskFull;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        kind = FileErrorKind::AccessDenied;
        break;
    case EBUSY:
    case ETXTBSY:
        kind = FileErrorKind::SharingViolation;
        break;
    case ENOLCK:
    case EDEADLK:
        kind = FileErrorKind::LockingViolation;
        break;
    case EIO:
        kind = FileErrorKind::HardwareError;
        break;
    case ENOENT:
    case ENOTDIR:
        if (stage == Stage::Opening) kind = FileErrorKind::NotFound;
        break;
    default:
        break;
    }
    return makeFileError(kind, stage, path, error);
}

std::string systemReason(int error) { return error > 0 ? std::strerror(error) : std::string(); }

} // namespace rivetbay
