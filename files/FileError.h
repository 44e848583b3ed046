#pragma once

// What a file operation gives back: success, or the failure with the text the
// user sees, the file it concerns and the system's own reason.

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

// Where the operation failed. It decides whether the text names the file:
// writing does, opening, reading and flushing do not (a full disk always does).
enum class Stage { Opening, Reading, Writing, Flushing };

struct FileError {
    FileErrorKind kind = FileErrorKind::Unknown;
    Stage stage = Stage::Opening;
    std::filesystem::path path; // the file the operation was about
    std::string message; // the program's text; a path in it is UTF-8 on Windows, bytes elsewhere
    // The same without the file's name, where the message begins with it: for
    // a caller that names the file itself. Empty: use message.
    std::string reason;
    int systemError = 0; // the platform's error number; 0 when there is none
};

FileError makeFileError(FileErrorKind kind, Stage stage, const std::filesystem::path& path,
                        int systemError = 0);

// A write or read given an empty name: nothing to open.
FileError noFileNameError();

// An errno value met at `stage`.
FileError fileErrorFromErrno(int error, Stage stage, const std::filesystem::path& path);

// The system's own words for an error number.
std::string systemReason(int error);

// True on success; otherwise it holds the failure.
class [[nodiscard]] FileResult {
public:
    FileResult() = default;
    FileResult(FileError error) : error_(std::move(error)) {} // NOLINT: a failure converts
    explicit operator bool() const { return !error_; }
    const FileError& error() const { return *error_; }

private:
    std::optional<FileError> error_;
};

} // namespace rivetbay
