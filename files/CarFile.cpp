#include "files/CarFile.h"

#include "files/PlatformFile.h"
#include "files/SafeWrite.h"
#include "files/Windows1252.h"

#include <array>
#include <cerrno>
#include <memory>
#include <system_error>

namespace rivetbay {

namespace {

// The 29 integers in file order. Tires come before brakes, and the turret
// and paint position sit between the specials and the points.
template <typename Config, typename Visit> void forEachInteger(Config& c, Visit visit)
{
    visit(c.model);
    visit(c.engine);
    visit(c.suspension);
    visit(c.frontTires);
    visit(c.rearTires);
    visit(c.brakes);
    for (auto& v : c.frontWeapons) visit(v);
    for (auto& v : c.topWeapons) visit(v);
    for (auto& v : c.rearWeapons) visit(v);
    for (auto& v : c.droppers) visit(v);
    for (auto& v : c.specials) visit(v);
    visit(c.turret);
    visit(c.paintScheme);
    visit(c.freePoints);
    for (auto& v : c.armor) visit(v);
    for (auto& v : c.chassis) visit(v);
}

void writeLengthPrefix(std::vector<std::uint8_t>& out, std::uint64_t n)
{
    if (n < carfile::longPrefix) {
        appendU8(out, static_cast<std::uint8_t>(n));
    } else if (n < carfile::wideMarker) {
        appendU8(out, carfile::longPrefix);
        appendU16(out, static_cast<std::uint16_t>(n));
    } else {
        appendU8(out, carfile::longPrefix);
        appendU16(out, carfile::hugePrefix);
        appendU32(out, static_cast<std::uint32_t>(n));
    }
}

FileResult readFailure(int status)
{
    if (status == endOfData) return makeFileError(FileErrorKind::PastEnd, Direction::Reading, {});
    return fileErrorFromErrno(status, Direction::Reading, {});
}

FileResult readName(ByteSource& source, std::string& name)
{
    bool wide = false;
    std::uint64_t length = 0;
    for (;;) {
        std::uint8_t b = 0;
        if (const int s = source.read(&b, 1); s != 0) return readFailure(s);
        if (b < carfile::longPrefix) {
            length = b;
            break;
        }
        std::array<std::uint8_t, 4> raw{};
        if (const int s = source.read(raw.data(), 2); s != 0) return readFailure(s);
        const std::uint16_t w = getU16(raw.data());
        if (w == carfile::hugePrefix) {
            if (const int s = source.read(raw.data(), 4); s != 0) return readFailure(s);
            length = getU32(raw.data());
            break;
        }
        if (w == carfile::wideMarker) {
            // A second marker inside a wide prefix is not a valid name.
            if (wide) return makeFileError(FileErrorKind::PastEnd, Direction::Reading, {});
            wide = true;
            continue;
        }
        length = w;
        break;
    }

    const std::uint64_t bytes = wide ? 2 * length : length;
    // Checked before anything is allocated, so a damaged length cannot
    // exhaust memory.
    if (bytes > source.remaining())
        return makeFileError(FileErrorKind::PastEnd, Direction::Reading, {});
    std::vector<std::uint8_t> raw(static_cast<std::size_t>(bytes));
    if (bytes > 0)
        if (const int s = source.read(raw.data(), raw.size()); s != 0) return readFailure(s);

    if (wide) {
        std::u16string text(static_cast<std::size_t>(length), u'\0');
        for (std::size_t i = 0; i < text.size(); ++i) text[i] = getU16(&raw[2 * i]);
        name = windows1252FromUtf16(text);
    } else {
        name.assign(raw.begin(), raw.end());
    }
    return std::nullopt;
}

// Reads a file through a 4096-byte buffer and knows its size, so that
// remaining() bounds every length before it is trusted.
class FileSource final : public ByteSource {
public:
    FileSource(std::FILE* file, std::uint64_t size) : file_(file), size_(size)
    {
        std::setvbuf(file_, nullptr, _IOFBF, 4096);
    }
    std::uint64_t remaining() const override { return size_ - position_; }
    int read(std::uint8_t* out, std::size_t count) override
    {
        if (count > remaining()) return endOfData;
        errno = 0;
        const std::size_t got = std::fread(out, 1, count, file_);
        position_ += got;
        if (got == count) return 0;
        if (std::ferror(file_)) return errno != 0 ? errno : EIO;
        return endOfData; // the file shrank while it was read
    }

private:
    std::FILE* file_;
    std::uint64_t size_;
    std::uint64_t position_ = 0;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

void writeCarRecord(const CarConfig& config, std::vector<std::uint8_t>& sink)
{
    writeLengthPrefix(sink, config.name.size());
    sink.insert(sink.end(), config.name.begin(), config.name.end());
    forEachInteger(config, [&](const std::int32_t& v) {
        appendU32(sink, static_cast<std::uint32_t>(v));
    });
}

FileResult readCarRecord(ByteSource& source, CarConfig& config)
{
    if (auto failure = readName(source, config.name)) return failure;
    FileResult failure;
    forEachInteger(config, [&](std::int32_t& v) {
        if (failure) return;
        std::array<std::uint8_t, 4> raw{};
        if (const int s = source.read(raw.data(), raw.size()); s != 0) {
            failure = readFailure(s);
            return;
        }
        v = static_cast<std::int32_t>(getU32(raw.data()));
    });
    return failure;
}

FileResult saveCarFile(const std::filesystem::path& path, const CarConfig& config)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(7 + config.name.size() + carfile::integersSize);
    writeCarRecord(config, bytes);
    return writeFileReplacing(path, bytes);
}

FileResult loadCarFile(const std::filesystem::path& path, CarConfig& config)
{
    const FileError notFound = makeFileError(FileErrorKind::NotFound, Direction::Reading, path);
    std::error_code ec;
    // A directory or device cannot hold a car; it counts as a file that
    // cannot be opened.
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return notFound;
    const std::uint64_t size = std::filesystem::file_size(path, ec);
    if (ec) return notFound;
    std::unique_ptr<std::FILE, FileCloser> file(platform::openForReading(path));
    if (!file) return notFound;

    FileSource source(file.get(), size);
    CarConfig loaded = config;
    if (auto failure = readCarRecord(source, loaded)) return failure;
    normaliseSelections(loaded);
    config = std::move(loaded);
    return std::nullopt;
}

} // namespace rivetbay
