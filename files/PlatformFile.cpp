#include "files/PlatformFile.h"

#include <cerrno>
#include <random>
#include <system_error>

// What the file steps share on every platform; each platform's own calls are
// in PlatformFilePosix.cpp or PlatformFileWindows.cpp, which the build chooses.

namespace rivetbay::platform {

namespace fs = std::filesystem;

namespace {
FileEvents* watcher = nullptr;
} // namespace

void watchFileEvents(FileEvents* events) { watcher = events; }

void happened(std::string_view step, const fs::path& path)
{
    if (watcher) watcher->happened(step, path);
}

int InputFile::read(std::uint8_t* out, std::size_t count, std::size_t& got)
{
    got = 0;
    for (;;) {
        const long n = readSome(fd_, out, count);
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

fs::path linkTarget(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return {};
    const fs::path target = fs::read_symlink(path, ec);
    if (ec) return {};
    return target.is_absolute() ? target : path.parent_path() / target;
}

OutputFile::~OutputFile() { close(); }

int OutputFile::write(const std::uint8_t* data, std::size_t count)
{
    while (count > 0) {
        const long written = writeSome(fd_, data, count);
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

int removeFile(const fs::path& path)
{
    std::error_code ec;
    fs::remove(path, ec);
    return ec.value();
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
