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

// The bare names of a directory's entries, "." and ".." left out; none when
// it cannot be read.
std::vector<std::string> directoryEntries(const std::filesystem::path& directory);

// Reads up to `count` bytes at `offset` of an existing file into `out` and
// closes it again; returns how many were read (0 when it cannot be opened).
std::size_t readAt(const std::filesystem::path::value_type* path, std::uint64_t offset,
                   std::uint8_t* out, std::size_t count);

// The separator that joins a directory and a file name in a native path.
inline constexpr char pathSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

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
