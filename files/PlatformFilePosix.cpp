#include "files/PlatformFile.h"

#include <cerrno>
#include <thread>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// The file steps through POSIX calls.

namespace rivetbay::platform {

namespace fs = std::filesystem;

InputFile::~InputFile()
{
    if (fd_ < 0) return;
    ::close(fd_);
}

int InputFile::open(const fs::path& path)
{
    // Non-blocking, so that a FIFO opens at once and is then turned away.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return errno;
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return errno;
    if (!S_ISREG(info.st_mode)) return S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
    size_ = static_cast<std::uint64_t>(info.st_size);
    happened("opened", path);
    return 0;
}

long readSome(int fd, std::uint8_t* out, std::size_t count) { return ::read(fd, out, count); }

Directory::Directory(const std::filesystem::path& path)
{
    fd_ = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) error_ = path.empty() ? ENOENT : errno;
}

Directory::~Directory()
{
    if (fd_ >= 0) ::close(fd_);
}

std::vector<std::string> Directory::entries() const
{
    std::vector<std::string> names;
    if (fd_ < 0) return names;
    // fdopendir takes the descriptor it is given; the scan gets its own.
    const int scanFd = ::dup(fd_);
    DIR* dir = scanFd >= 0 ? ::fdopendir(scanFd) : nullptr;
    if (!dir) {
        if (scanFd >= 0) ::close(scanFd);
        return names;
    }
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

std::size_t Directory::readAt(const std::string& name, std::uint64_t offset, std::uint8_t* out,
                              std::size_t count) const
{
    if (fd_ < 0) return 0;
    // Opened relative to the directory: no path resolved per file. Never
    // waits: a FIFO opens at once and cannot be read at an offset.
    const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return 0;
    ssize_t got;
    do {
        got = ::pread(fd, out, count, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    ::close(fd);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

FileStatus statusOf(const fs::path& path, bool followLinks)
{
    FileStatus status;
    struct stat info {};
    const int result = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    if (result != 0) {
        status.error = errno;
        status.type = errno == ENOENT ? FileType::Missing : FileType::Unknown;
        return status;
    }
    if (S_ISREG(info.st_mode))
        status.type = FileType::Regular;
    else if (S_ISDIR(info.st_mode))
        status.type = FileType::Directory;
    else if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        status.type = FileType::Special;
    else
        status.type = FileType::Other; // a socket, or the link itself
    status.mode = info.st_mode & 07777;
    status.owner = info.st_uid;
    status.group = info.st_gid;
    return status;
}

int writeAccess(const fs::path& path)
{
    // Opening for writing without truncating changes nothing, and asks the
    // kernel exactly what a direct write would ask: mode bits, ACLs, a
    // read-only mount, a running program.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
}

int OutputFile::open(const fs::path& path, Mode mode)
{
    int flags = O_WRONLY | O_NOCTTY | O_CLOEXEC;
    if (mode != Mode::InPlace) flags |= O_CREAT | O_EXCL | O_NOFOLLOW;
    fd_ = ::open(path.c_str(), flags, mode == Mode::Private ? 0600 : 0666);
    if (fd_ < 0) return errno;
    if (mode != Mode::InPlace) happened("created", path);
    return 0;
}

long writeSome(int fd, const std::uint8_t* data, std::size_t count) { return ::write(fd, data, count); }

int OutputFile::sync()
{
    if (::fsync(fd_) != 0) return errno;
    happened("flushed");
    return 0;
}

int OutputFile::close()
{
    if (fd_ < 0) return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

void OutputFile::keepModeAndOwner(const FileStatus& replaced)
{
    // The owner first: giving a file away may clear its set-id bits.
    if (::fchown(fd_, replaced.owner, replaced.group) != 0 &&
        ::fchown(fd_, static_cast<uid_t>(-1), replaced.group) != 0) {
        // Not ours to give away: the new file keeps this process's owner.
    }
    ::fchmod(fd_, replaced.mode & 07777);
}

int replaceFile(const fs::path& from, const fs::path& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0) return errno;
    happened("renamed", to);
    return 0;
}

void syncDirectory(const fs::path& directory)
{
    const int fd =
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    happened("directory flushed", directory);
}

DirectoryLock::DirectoryLock(const fs::path& directory, std::chrono::milliseconds patience)
{
    const fs::path folder = directory.empty() ? fs::path(".") : directory;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) error_ = errno;
    bool waiting = false;
    while (fd_ >= 0 && !held_) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
        } else if (errno != EINTR) {
            if (errno != EWOULDBLOCK) {
                error_ = errno;
                break;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                busy_ = true;
                break;
            }
            if (!std::exchange(waiting, true)) happened("waiting for the lock", folder);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
}

DirectoryLock::~DirectoryLock()
{
    if (fd_ >= 0) ::close(fd_); // closing releases the lock
}

} // namespace rivetbay::platform
