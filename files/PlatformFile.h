#pragma once

// The few file-system calls the core needs beyond std::filesystem: creating a
// file exclusively, flushing it to disk and replacing one file by another.
// Errors are errno values, 0 meaning success.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace rivetbay::platform {

std::FILE* openForReading(const std::filesystem::path& path);

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
