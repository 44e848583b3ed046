#pragma once

// Failures of the car-file operations, with the texts the user sees.

#include <filesystem>
#include <optional>
#include <string>

namespace rivetbay {

enum class FileErrorKind {
    NotFound,
    PastEnd,
    DiskFull,
    AccessDenied,
    SharingViolation,
    LockingViolation,
    HardwareError,
    Unknown,
};

struct FileError {
    FileErrorKind kind;
    std::string message; // in the platform's narrow encoding
};

// Where "%1" stands for the file's path; everywhere else it is "an unnamed file".
enum class Direction { Reading, Writing };

FileError makeFileError(FileErrorKind kind, Direction direction,
                        const std::filesystem::path& path);

// An errno value met while reading, positioning, flushing or writing.
FileError fileErrorFromErrno(int error, Direction direction, const std::filesystem::path& path);

using FileResult = std::optional<FileError>; // empty on success

} // namespace rivetbay
