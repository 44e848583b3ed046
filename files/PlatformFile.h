#pragma once

// The file-system calls the core needs beyond std::filesystem, behind one
// seam: reading a file without blocking, scanning a directory, and the steps
// of a safe write. Errors are errno values, 0 meaning success.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rivetbay::platform {

// A regular file opened for reading. Anything else (a FIFO, a device, a
// directory) is refused at once, so that reading never blocks or runs on.
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // ENOENT, EACCES, ...; EISDIR or ENXIO for what is not a regular file.
    int open(const std::filesystem::path& path);
    std::uint64_t size() const { return size_; }
    // Reads up to `count` bytes; how many in `got` (0 at the end).
    int read(std::uint8_t* out, std::size_t count, std::size_t& got);
    // Reads until `count` bytes or the end; how many in `got`.
    int readFully(std::uint8_t* out, std::size_t count, std::size_t& got);

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// A directory opened once for a scan: its entries and reads of its files by
// bare name, with no path built per file. A file that cannot be read without
// blocking (a FIFO, a device) reads as nothing.
class Directory {
public:
    explicit Directory(const std::filesystem::path& path);
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;
    ~Directory();

    // 0, or why the directory could not be opened.
    int error() const { return error_; }
    // The bare names of the entries, "." and ".." left out; none when the
    // directory cannot be read.
    std::vector<std::string> entries() const;
    // Up to `count` bytes at `offset` of the entry `name`; how many were read.
    std::size_t readAt(const std::string& name, std::uint64_t offset, std::uint8_t* out,
                       std::size_t count) const;

private:
#ifdef _WIN32
    std::filesystem::path path_;
#else
    int fd_ = -1;
#endif
    int error_ = 0;
};

enum class FileType { Missing, Regular, Directory, Special, Other, Unknown };

struct FileStatus {
    FileType type = FileType::Unknown;
    int error = 0; // why the type is Unknown
    unsigned mode = 0;
    unsigned owner = 0;
    unsigned group = 0;
};

// What `path` names; with `followLinks`, what a direct open would reach.
// Special means a FIFO or a device: something written in place, never replaced.
FileStatus statusOf(const std::filesystem::path& path, bool followLinks);

// Where a symbolic link points, relative links taken from the link's own
// folder; empty when `path` is no link.
std::filesystem::path linkTarget(const std::filesystem::path& path);

// Whether this process may write to the existing file, as opening it for
// writing would tell; 0 or the errno of the refusal.
int writeAccess(const std::filesystem::path& path);

class OutputFile {
public:
    enum class Mode {
        InPlace,   // an existing FIFO or device, written as it is
        Exclusive, // a new file; fails with EEXIST, never follows a link
        Private,   // a new file only its owner may read, for a replacement's content
    };

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    int open(const std::filesystem::path& path, Mode mode);
    // Writes everything; a short write without an error gives ENOSPC.
    int write(const std::uint8_t* data, std::size_t count);
    int sync();
    int close();
    // The replaced file's permission bits, and its owner and group where the
    // process may give them.
    void keepModeAndOwner(const FileStatus& replaced);

private:
    int fd_ = -1;
};

int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);
int removeFile(const std::filesystem::path& path);

// Makes a rename inside `directory` durable; a no-op where the platform has
// no such call.
void syncDirectory(const std::filesystem::path& directory);

// Holds an exclusive lock on a directory for its lifetime, so that two
// read-modify-write passes in it do not interleave. The lock is the
// folder's, whatever path names it. A lock someone else keeps is waited for
// `patience` at most; then busy() is true. A lock that could not be made at
// all is neither held nor busy, and error() says why: the caller does not go
// on without it.
class DirectoryLock {
public:
    explicit DirectoryLock(const std::filesystem::path& directory,
                           std::chrono::milliseconds patience = std::chrono::seconds(2));
    bool held() const { return held_; }
    // Someone else kept the lock past `patience` (not: the folder cannot be read).
    bool busy() const { return busy_; }
    // Why the lock could not be made (an errno value); 0 when held or busy.
    int error() const { return error_; }
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;
    ~DirectoryLock();

private:
#ifdef _WIN32
    void* mutex_ = nullptr;
#else
    int fd_ = -1;
#endif
    bool held_ = false;
    bool busy_ = false;
    int error_ = 0;
};

#ifdef _WIN32
// The named mutex that stands in for a folder's lock there.
std::wstring directoryLockName(const std::filesystem::path& directory);
#endif

// The steps reads and writes take on the file system, in order, for a watcher to see:
// "opened" (a file for reading, with its path, its size taken),
// "created" (a new file, with its path), "flushed" (to the disk), "renamed"
// (with the path it took), "directory flushed" (with the directory), and
// "waiting for the lock" (with the directory, once a lock is found taken).
class FileEvents {
public:
    virtual ~FileEvents() = default;
    virtual void happened(std::string_view step, const std::filesystem::path& path) = 0;
};
// One watcher at a time, called from whichever thread the step is taken on;
// nullptr for none.
void watchFileEvents(FileEvents* events);

// A short random text for temporary names.
std::string randomTag();

// Between this seam's own files: each platform's one call that reads or
// writes part of a buffer (-1 with errno set), and the watcher's note.
long readSome(int fd, std::uint8_t* out, std::size_t count);
long writeSome(int fd, const std::uint8_t* data, std::size_t count);
void happened(std::string_view step, const std::filesystem::path& path = {});

} // namespace rivetbay::platform
