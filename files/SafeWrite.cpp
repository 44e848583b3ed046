#include "files/SafeWrite.h"

#include "files/PlatformFile.h"

#include <cerrno>

namespace rivetbay {

namespace fs = std::filesystem;
using platform::FileType;

namespace {

constexpr int linkHops = 40; // as many as the kernel follows before it calls it a loop

// The file a write through `path` would create: the end of a chain of links
// whose last one points nowhere yet. Empty when the chain loops.
fs::path endOfLinks(fs::path path)
{
    for (int hop = 0; hop < linkHops; ++hop) {
        const fs::path next = platform::linkTarget(path);
        if (next.empty()) return path;
        path = next;
    }
    return {};
}

// Writes the whole content to an open file and closes it; a file on disk is
// first flushed there (a pipe or a terminal has nothing to flush).
FileResult writeAndClose(platform::OutputFile& file, std::span<const std::uint8_t> bytes,
                         const fs::path& shown, bool onDisk = true)
{
    if (const int e = file.write(bytes.data(), bytes.size()); e != 0)
        return fileErrorFromErrno(e, Stage::Writing, shown);
    if (const int e = onDisk ? file.sync() : 0; e != 0)
        return fileErrorFromErrno(e, Stage::Flushing, shown);
    if (const int e = file.close(); e != 0) return fileErrorFromErrno(e, Stage::Flushing, shown);
    return {};
}

FileResult writeInPlace(const fs::path& target, std::span<const std::uint8_t> bytes)
{
    platform::OutputFile file;
    if (const int e = file.open(target, platform::OutputFile::Mode::InPlace); e != 0)
        return fileErrorFromErrno(e, e == ENOENT ? Stage::Opening : Stage::Writing, target);
    return writeAndClose(file, bytes, target, false);
}

// A fresh name that no one else uses, short enough for any directory: the
// target's own name may already fill the file system's limit.
FileResult createTemporary(platform::OutputFile& file, platform::OutputFile::Mode mode,
                           const fs::path& directory, const fs::path& shown, fs::path& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = directory / (".rivetbay-" + platform::randomTag() + ".tmp");
        const int e = file.open(temporary, mode);
        if (e == 0) return {};
        // A folder that may not be written names itself: the file there may
        // well be writable, but it is replaced through a new file beside it.
        const bool folderDenied = e == EACCES || e == EPERM || e == EROFS;
        if (e != EEXIST)
            return fileErrorFromErrno(e, e == ENOENT ? Stage::Opening : Stage::Writing,
                                      folderDenied ? directory : shown);
    }
    return fileErrorFromErrno(EEXIST, Stage::Writing, shown);
}

} // namespace

FileResult writeFileReplacing(const fs::path& requested, std::span<const std::uint8_t> bytes)
{
    if (requested.empty()) return noFileNameError();
    const platform::FileStatus reached = platform::statusOf(requested, true);
    fs::path target = requested;
    switch (reached.type) {
    case FileType::Special:
        return writeInPlace(requested, bytes);
    case FileType::Directory:
    case FileType::Other:
        return fileErrorFromErrno(EACCES, Stage::Writing, requested);
    case FileType::Unknown:
        return fileErrorFromErrno(reached.error, Stage::Writing, requested);
    case FileType::Regular: {
        if (const int e = platform::writeAccess(requested); e != 0)
            return fileErrorFromErrno(e, Stage::Writing, requested);
        std::error_code ec;
        target = fs::canonical(requested, ec); // the file behind any links
        if (ec) return fileErrorFromErrno(ec.value(), Stage::Writing, requested);
        break;
    }
    case FileType::Missing:
        target = endOfLinks(requested);
        if (target.empty()) return fileErrorFromErrno(ELOOP, Stage::Writing, requested);
        break;
    }

    fs::path directory = target.parent_path();
    if (directory.empty()) directory = ".";
    // A replacement starts private and takes the old file's mode and owner; a
    // new file gets the usual mode for new files.
    const bool replacing = reached.type == FileType::Regular;
    const auto mode =
        replacing ? platform::OutputFile::Mode::Private : platform::OutputFile::Mode::Exclusive;
    platform::OutputFile file;
    fs::path temporary;
    if (FileResult created = createTemporary(file, mode, directory, requested, temporary); !created)
        return created;
    if (replacing) file.keepModeAndOwner(reached);

    FileResult written = writeAndClose(file, bytes, requested);
    if (written) {
        if (const int e = platform::replaceFile(temporary, target); e != 0)
            written = fileErrorFromErrno(e, Stage::Writing, requested);
    }
    if (!written) {
        file.close();
        platform::removeFile(temporary);
        return written;
    }
    platform::syncDirectory(directory);
    return {};
}

FileResult writeNewFile(const fs::path& path, std::span<const std::uint8_t> bytes)
{
    if (path.empty()) return noFileNameError();
    platform::OutputFile file;
    if (const int e = file.open(path, platform::OutputFile::Mode::Exclusive); e != 0)
        return fileErrorFromErrno(e, e == ENOENT ? Stage::Opening : Stage::Writing, path);
    FileResult written = writeAndClose(file, bytes, path);
    if (!written) {
        // The file is ours and incomplete; leave nothing half-written behind.
        file.close();
        platform::removeFile(path);
        return written;
    }
    platform::syncDirectory(path.parent_path());
    return {};
}

} // namespace rivetbay
