#include "files/PlatformFile.h"

#include "files/TextEncoding.h"

#include <cerrno>
#include <cwctype>
#include <functional>
#include <system_error>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

// The file steps through the Windows API and its C runtime.

namespace rivetbay::platform {

namespace fs = std::filesystem;

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

InputFile::~InputFile()
{
    if (fd_ < 0) return;
    _close(fd_);
}

int InputFile::open(const fs::path& path)
{
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
}

// The C runtime reads and writes at most INT_MAX bytes a call.
long readSome(int fd, std::uint8_t* out, std::size_t count)
{
    return _read(fd, out, static_cast<unsigned>(count > 0x40000000 ? 0x40000000 : count));
}

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

FileStatus statusOf(const fs::path& path, bool followLinks)
{
    FileStatus status;
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
    return status;
}

int writeAccess(const fs::path& path)
{
    int fd = -1;
    if (const int e = openThroughSystem(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        OPEN_EXISTING, _O_WRONLY | _O_BINARY, fd);
        e != 0)
        return e;
    _close(fd);
    return 0;
}

int OutputFile::open(const fs::path& path, Mode mode)
{
    const DWORD disposition = mode == Mode::InPlace ? OPEN_EXISTING : CREATE_NEW;
    if (const int e = openThroughSystem(path, GENERIC_WRITE, FILE_SHARE_READ, disposition,
                                        _O_WRONLY | _O_BINARY, fd_);
        e != 0)
        return e;
    if (fd_ < 0) return errno;
    if (mode != Mode::InPlace) happened("created", path);
    return 0;
}

long writeSome(int fd, const std::uint8_t* data, std::size_t count)
{
    return _write(fd, data, static_cast<unsigned>(count > 0x40000000 ? 0x40000000 : count));
}

int OutputFile::sync()
{
    if (_commit(fd_) != 0) return errno;
    happened("flushed");
    return 0;
}

int OutputFile::close()
{
    if (fd_ < 0) return 0;
    const int result = _close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

void OutputFile::keepModeAndOwner(const FileStatus& replaced)
{
    (void)replaced;
}

int replaceFile(const fs::path& from, const fs::path& to)
{
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return errnoFromWindows(GetLastError());
    happened("renamed", to);
    return 0;
}

void syncDirectory(const fs::path& directory)
{
    happened("directory flushed", directory);
}

// One name per folder however it is spelled (a drive letter, a mapped drive,
// a \\?\ prefix, letter case): the volume and the folder's file number.
std::wstring directoryLockName(const fs::path& directory)
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

DirectoryLock::DirectoryLock(const fs::path& directory, std::chrono::milliseconds patience)
{
    const fs::path folder = directory.empty() ? fs::path(".") : directory;
    // A directory cannot be locked there: a mutex named after it stands in.
    // Fails when the name is taken by another kind of object (another
    // program's event, say).
    mutex_ = CreateMutexW(nullptr, FALSE, directoryLockName(folder).c_str());
    if (!mutex_) error_ = errnoFromWindows(GetLastError());
    if (mutex_) {
        DWORD waited = WaitForSingleObject(mutex_, 0);
        if (waited == WAIT_TIMEOUT) {
            happened("waiting for the lock", folder);
            waited = WaitForSingleObject(mutex_, static_cast<DWORD>(patience.count()));
        }
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        busy_ = waited == WAIT_TIMEOUT;
        if (!held_ && !busy_) error_ = errnoFromWindows(GetLastError());
    }
}

DirectoryLock::~DirectoryLock()
{
    if (mutex_) {
        if (held_) ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}

} // namespace rivetbay::platform
