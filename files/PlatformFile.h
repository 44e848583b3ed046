#pragma once

// The few file-system calls the core needs beyond std::filesystem: creating a
// file exclusively, flushing it to disk and replacing one file by another.
// Errors are errno values, 0 meaning success.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace rivetbay::platform {

std::FILE* openForReading(const std::filesystem::path& path);

// A directory opened once for a scan: its entries and reads of its files by
// bare name, with no path built per file. A file that cannot be read without
// blocking (a FIFO, a device) reads as nothing.
class Directory {
public:
    explicit Directory(const std::filesystem::path& path);
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;
    ~Directory();

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
};

class OutputFile {
public:
    enum class Mode { Truncate, Exclusive };

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    int open(const std::filesystem::path& path, Mode mode);
    // Writes everything; a short write without an error gives ENOSPC.
    int write(const std::uint8_t* data, std::size_t count);
    int sync();
    int close();
    // Gives the new file the permission bits of an existing one.
    void copyPermissionsFrom(const std::filesystem::path& existing);

private:
    int fd_ = -1;
};

int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Makes a rename inside `directory` durable; a no-op where the platform has
// no such call.
void syncDirectory(const std::filesystem::path& directory);

} // namespace rivetbay::platform
