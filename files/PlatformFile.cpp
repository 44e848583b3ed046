#include "files/PlatformFile.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rivetbay::platform {

std::FILE* openForReading(const std::filesystem::path& path)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

#ifdef _WIN32
Directory::Directory(const std::filesystem::path& path) : path_(path) {}
Directory::~Directory() = default;

std::vector<std::string> Directory::entries() const
{
    std::vector<std::string> names;
    if (path_.empty()) return names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(path_, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        names.push_back(it->path().filename().string());
    return names;
}

std::size_t Directory::readAt(const std::string& name, std::uint64_t offset, std::uint8_t* out,
                              std::size_t count) const
{
    std::FILE* file = _wfopen((path_ / name).c_str(), L"rb");
    if (!file) return 0;
    std::size_t got = 0;
    if (_fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0)
        got = std::fread(out, 1, count, file);
    std::fclose(file);
    return got;
}
#else
Directory::Directory(const std::filesystem::path& path)
{
    if (!path.empty()) fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
#endif

OutputFile::~OutputFile() { close(); }

int OutputFile::open(const std::filesystem::path& path, Mode mode)
{
    const int disposition = mode == Mode::Exclusive ? O_EXCL : O_TRUNC;
#ifdef _WIN32
    fd_ = _wopen(path.c_str(), _O_WRONLY | _O_BINARY | _O_CREAT | disposition,
                 _S_IREAD | _S_IWRITE);
#else
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | disposition, 0666);
#endif
    return fd_ >= 0 ? 0 : errno;
}

int OutputFile::write(const std::uint8_t* data, std::size_t count)
{
    while (count > 0) {
#ifdef _WIN32
        const int chunk = count > 0x40000000 ? 0x40000000 : static_cast<int>(count);
        const auto written = _write(fd_, data, chunk);
#else
        const auto written = ::write(fd_, data, count);
#endif
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return ENOSPC;
        data += written;
        count -= static_cast<std::size_t>(written);
    }
    return 0;
}

int OutputFile::sync()
{
#ifdef _WIN32
    return _commit(fd_) == 0 ? 0 : errno;
#else
    return ::fsync(fd_) == 0 ? 0 : errno;
#endif
}

int OutputFile::close()
{
    if (fd_ < 0) return 0;
#ifdef _WIN32
    const int result = _close(fd_);
#else
    const int result = ::close(fd_);
#endif
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

void OutputFile::copyPermissionsFrom(const std::filesystem::path& existing)
{
#ifndef _WIN32
    struct stat info {};
    if (::stat(existing.c_str(), &info) == 0) ::fchmod(fd_, info.st_mode & 07777);
#else
    (void)existing;
#endif
}

int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    return ec ? ec.value() : 0;
}

void syncDirectory(const std::filesystem::path& directory)
{
#ifndef _WIN32
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    (void)directory;
#endif
}

} // namespace rivetbay::platform
