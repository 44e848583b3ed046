#include "files/PlatformFile.h"

#include "files/TextEncoding.h"

#include <cerrno>
#include <cwctype>
#include <functional>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rivetbay::platform {

namespace fs = std::filesystem;

namespace {
FileEvents* watcher = nullptr;
void happened(std::string_view step, const fs::path& path = {})
{
    if (watcher) watcher->happened(step, path);
}
} // namespace

void watchFileEvents(FileEvents* events) { watcher = events; }

#ifdef _WIN32
namespace {

// The C runtime folds sharing and locking violations into "access denied";
// the system's own error tells them apart, as the messages do.
int errnoFromWindows(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_SHARING_VIOLATION:
        return EBUSY;
    case ERROR_LOCK_VIOLATION:
        return ENOLCK;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_CRC:
    case ERROR_GEN_FAILURE:
        return EIO;
    default:
        return EINVAL;
    }
}

// A C runtime descriptor on a file opened through the system, so that its
// refusals keep their reason.
int openThroughSystem(const fs::path& path, DWORD access, DWORD share, DWORD disposition, int flags,
                      int& fd)
{
    const HANDLE handle = CreateFileW(path.c_str(), access, share, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return errnoFromWindows(GetLastError());
    fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
    if (fd < 0) {
        CloseHandle(handle);
        return EMFILE;
    }
    return 0;
}

} // namespace
#endif

InputFile::~InputFile()
{
    if (fd_ < 0) return;
#ifdef _WIN32
    _close(fd_);
#else
    ::close(fd_);
#endif
}

int InputFile::open(const fs::path& path)
{
#ifdef _WIN32
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return ENOENT;
    if (!fs::is_regular_file(status)) return fs::is_directory(status) ? EISDIR : ENXIO;
    if (const int e = openThroughSystem(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        OPEN_EXISTING, _O_RDONLY | _O_BINARY, fd_);
        e != 0)
        return e;
    size_ = fs::file_size(path, ec);
    happened("opened", path);
    return 0;
#else
    // Non-blocking, so that a FIFO opens at once and is then turned away.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return errno;
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return errno;
    if (!S_ISREG(info.st_mode)) return S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
    size_ = static_cast<std::uint64_t>(info.st_size);
    happened("opened", path);
    return 0;
#endif
}

int InputFile::read(std::uint8_t* out, std::size_t count, std::size_t& got)
{
    got = 0;
    for (;;) {
#ifdef _WIN32
        const int chunk = count > 0x40000000 ? 0x40000000 : static_cast<int>(count);
        const auto n = _read(fd_, out, static_cast<unsigned>(chunk));
#else
        const auto n = ::read(fd_, out, count);
#endif
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return 0;
        }
        if (errno != EINTR) return errno;
    }
}

int InputFile::readFully(std::uint8_t* out, std::size_t count, std::size_t& got)
{
    got = 0;
    for (std::size_t part = 1; got < count && part > 0; got += part)
        if (const int e = read(out + got, count - got, part); e != 0) return e;
    return 0;
}

#ifdef _WIN32
Directory::Directory(const std::filesystem::path& path) : path_(path)
{
    std::error_code ec;
    if (path.empty() || !fs::is_directory(path, ec))
        error_ = path.empty() || !ec ? ENOENT : ec.value();
}
Directory::~Directory() = default;

std::vector<std::string> Directory::entries() const
{
    // UTF-8, so that a name the ANSI code page cannot hold survives.
    std::vector<std::string> names;
    if (error_ != 0) return names;
    std::error_code ec;
    for (fs::directory_iterator it(path_, ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        names.push_back(utf8FromPath(it->path().filename()));
    return names;
}

std::size_t Directory::readAt(const std::string& name, std::uint64_t offset, std::uint8_t* out,
                              std::size_t count) const
{
    // Joined as a path, so that a drive-relative folder ("Z:") stays relative.
    std::FILE* file = _wfopen((path_ / pathFromUtf8(name)).c_str(), L"rb");
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
#endif

FileStatus statusOf(const fs::path& path, bool followLinks)
{
    FileStatus status;
#ifdef _WIN32
    std::error_code ec;
    const auto s = followLinks ? fs::status(path, ec) : fs::symlink_status(path, ec);
    if (ec || s.type() == fs::file_type::not_found) {
        status.type = s.type() == fs::file_type::not_found ? FileType::Missing : FileType::Unknown;
        status.error = ec.value();
        return status;
    }
    status.type = fs::is_regular_file(s) ? FileType::Regular
                  : fs::is_directory(s)  ? FileType::Directory
                  : fs::is_symlink(s)    ? FileType::Other
                                         : FileType::Special;
    status.mode = static_cast<unsigned>(s.permissions());
#else
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
#endif
    return status;
}

fs::path linkTarget(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return {};
    const fs::path target = fs::read_symlink(path, ec);
    if (ec) return {};
    return target.is_absolute() ? target : path.parent_path() / target;
}

int writeAccess(const fs::path& path)
{
#ifdef _WIN32
    int fd = -1;
    if (const int e = openThroughSystem(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        OPEN_EXISTING, _O_WRONLY | _O_BINARY, fd);
        e != 0)
        return e;
    _close(fd);
#else
    // Opening for writing without truncating changes nothing, and asks the
    // kernel exactly what a direct write would ask: mode bits, ACLs, a
    // read-only mount, a running program.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    ::close(fd);
#endif
    return 0;
}

OutputFile::~OutputFile() { close(); }

int OutputFile::open(const fs::path& path, Mode mode)
{
#ifdef _WIN32
    const DWORD disposition = mode == Mode::InPlace ? OPEN_EXISTING : CREATE_NEW;
    if (const int e = openThroughSystem(path, GENERIC_WRITE, FILE_SHARE_READ, disposition,
                                        _O_WRONLY | _O_BINARY, fd_);
        e != 0)
        return e;
#else
    int flags = O_WRONLY | O_NOCTTY | O_CLOEXEC;
    if (mode != Mode::InPlace) flags |= O_CREAT | O_EXCL | O_NOFOLLOW;
    fd_ = ::open(path.c_str(), flags, mode == Mode::Private ? 0600 : 0666);
#endif
    if (fd_ < 0) return errno;
    if (mode != Mode::InPlace) happened("created", path);
    return 0;
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
    if (_commit(fd_) != 0) return errno;
#else
    if (::fsync(fd_) != 0) return errno;
#endif
    happened("flushed");
    return 0;
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

void OutputFile::keepModeAndOwner(const FileStatus& replaced)
{
#ifndef _WIN32
    // The owner first: giving a file away may clear its set-id bits.
    if (::fchown(fd_, replaced.owner, replaced.group) != 0 &&
        ::fchown(fd_, static_cast<uid_t>(-1), replaced.group) != 0) {
        // Not ours to give away: the new file keeps this process's owner.
    }
    ::fchmod(fd_, replaced.mode & 07777);
#else
    (void)replaced;
#endif
}

int replaceFile(const fs::path& from, const fs::path& to)
{
#ifdef _WIN32
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return errnoFromWindows(GetLastError());
#else
    if (::rename(from.c_str(), to.c_str()) != 0) return errno;
#endif
    happened("renamed", to);
    return 0;
}

int removeFile(const fs::path& path)
{
    std::error_code ec;
    fs::remove(path, ec);
    return ec.value();
}

void syncDirectory(const fs::path& directory)
{
#ifndef _WIN32
    const int fd =
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
    happened("directory flushed", directory);
}

#ifdef _WIN32
namespace {
// One name per folder however it is spelled (a drive letter, a mapped drive,
// a \\?\ prefix, letter case): the volume and the folder's file number.
std::wstring lockNameOf(const fs::path& directory)
{
    const HANDLE handle = CreateFileW(directory.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info);
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    if (known)
        return L"Local\\rivetbay-" + std::to_wstring(info.dwVolumeSerialNumber) + L"-" +
               std::to_wstring((std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow);
    // A folder that cannot be opened is not written to either; its name will do.
    std::error_code ec;
    std::wstring name = fs::weakly_canonical(directory, ec).native();
    for (wchar_t& c : name) c = static_cast<wchar_t>(towlower(c));
    return L"Local\\rivetbay-" + std::to_wstring(std::hash<std::wstring>{}(name));
}
} // namespace
#endif

DirectoryLock::DirectoryLock(const fs::path& directory, std::chrono::milliseconds patience)
{
    const fs::path folder = directory.empty() ? fs::path(".") : directory;
#ifndef _WIN32
    const auto deadline = std::chrono::steady_clock::now() + patience;
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    bool waiting = false;
    while (fd_ >= 0 && !held_) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
        } else if (errno != EINTR) {
            if (errno != EWOULDBLOCK) break;
            if (std::chrono::steady_clock::now() >= deadline) {
                busy_ = true;
                break;
            }
            if (!std::exchange(waiting, true)) happened("waiting for the lock", folder);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
#else
    // A directory cannot be locked there: a mutex named after it stands in.
    mutex_ = CreateMutexW(nullptr, FALSE, lockNameOf(folder).c_str());
    if (mutex_) {
        DWORD waited = WaitForSingleObject(mutex_, 0);
        if (waited == WAIT_TIMEOUT) {
            happened("waiting for the lock", folder);
            waited = WaitForSingleObject(mutex_, static_cast<DWORD>(patience.count()));
        }
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        busy_ = waited == WAIT_TIMEOUT;
    }
#endif
}

DirectoryLock::~DirectoryLock()
{
#ifndef _WIN32
    if (fd_ >= 0) ::close(fd_); // closing releases the lock
#else
    if (mutex_) {
        if (held_) ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
#endif
}

std::string randomTag()
{
    thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string tag(10, '0');
    for (char& c : tag) c = digits[generator() % 36];
    return tag;
}

} // namespace rivetbay::platform
