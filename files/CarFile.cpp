#include "files/CarFile.h"

#include "files/PlatformFile.h"
#include "files/SafeWrite.h"
#include "files/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cerrno>

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
    if (n < CarFileLayout::longPrefix) {
        appendU8(out, static_cast<std::uint8_t>(n));
    } else if (n < CarFileLayout::wideMarker) {
        appendU8(out, CarFileLayout::longPrefix);
        appendU16(out, static_cast<std::uint16_t>(n));
    } else {
        appendU8(out, CarFileLayout::longPrefix);
        appendU16(out, CarFileLayout::hugePrefix);
        appendU32(out, static_cast<std::uint32_t>(n));
    }
}

FileError pastEnd() { return makeFileError(FileErrorKind::PastEnd, Stage::Reading, {}); }

FileResult readFailure(int status)
{
    if (status == endOfData) return pastEnd();
    return fileErrorFromErrno(status, Stage::Reading, {});
}

FileResult readName(ByteSource& source, std::string& name)
{
    bool wide = false;
    std::uint64_t length = 0;
    for (;;) {
        std::uint8_t b = 0;
        if (const int s = source.read(&b, 1); s != 0) return readFailure(s);
        if (b < CarFileLayout::longPrefix) {
            length = b;
            break;
        }
        std::array<std::uint8_t, 4> raw{};
        if (const int s = source.read(raw.data(), 2); s != 0) return readFailure(s);
        const std::uint16_t w = getU16(raw.data());
        if (w == CarFileLayout::hugePrefix) {
            if (const int s = source.read(raw.data(), 4); s != 0) return readFailure(s);
            length = getU32(raw.data());
            break;
        }
        if (w == CarFileLayout::wideMarker) {
            // A second marker inside a wide prefix is not a valid name.
            if (wide) return pastEnd();
            wide = true;
            continue;
        }
        length = w;
        break;
    }

    const std::uint64_t bytes = wide ? 2 * length : length;
    // Checked before anything is allocated, so a damaged length cannot
    // exhaust memory.
    if (bytes > source.remaining() || bytes > CarFileLayout::nameByteLimit) return pastEnd();
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
    return {};
}

// Reads a file through a 4096-byte buffer and knows its size, so that
// remaining() bounds every length before it is trusted.
class FileSource final : public ByteSource {
public:
    explicit FileSource(platform::InputFile& file) : file_(file) {}
    std::uint64_t remaining() const override { return file_.size() - position_; }
    int read(std::uint8_t* out, std::size_t count) override
    {
        if (count > remaining()) return endOfData;
        while (count > 0) {
            if (next_ == filled_) {
                next_ = 0;
                if (const int e = file_.read(buffer_.data(), buffer_.size(), filled_); e != 0)
                    return e;
                if (filled_ == 0) return endOfData; // the file shrank while it was read
            }
            const std::size_t take = std::min(count, filled_ - next_);
            std::copy_n(buffer_.data() + next_, take, out);
            next_ += take;
            out += take;
            count -= take;
            position_ += take;
        }
        return 0;
    }

private:
    platform::InputFile& file_;
    std::array<std::uint8_t, 4096> buffer_{};
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
    std::uint64_t position_ = 0;
};

// Reads the whole record into a copy, which replaces `config` only when
// complete.
FileResult loadFrom(ByteSource& source, const std::filesystem::path& shown, CarConfig& config)
{
    CarConfig loaded = config;
    if (FileResult read = readCarRecord(source, loaded); !read) {
        FileError error = read.error();
        error.path = shown;
        return error;
    }
    config = std::move(loaded);
    return {};
}

FileResult loadPath(const std::filesystem::path& path, CarConfig& config)
{
    // Whatever cannot be opened as a regular file (missing, no permission, a
    // directory, a FIFO or device) is a file that was not found.
    platform::InputFile file;
    if (const int e = path.empty() ? ENOENT : file.open(path); e != 0)
        return makeFileError(FileErrorKind::NotFound, Stage::Opening, path, e);
    FileSource source(file);
    return loadFrom(source, path, config);
}

FileResult loadBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& shown,
                     CarConfig& config)
{
    SpanSource source(bytes);
    return loadFrom(source, shown, config);
}

} // namespace

void writeCarRecord(const CarConfig& config, std::vector<std::uint8_t>& sink)
{
    writeLengthPrefix(sink, config.name.size());
    sink.insert(sink.end(), config.name.begin(), config.name.end());
    forEachInteger(config,
                   [&](const std::int32_t& v) { appendU32(sink, static_cast<std::uint32_t>(v)); });
}

FileResult readCarRecord(ByteSource& source, CarConfig& config)
{
    if (FileResult name = readName(source, config.name); !name) return name;
    FileResult result;
    forEachInteger(config, [&](std::int32_t& v) {
        if (!result) return;
        std::array<std::uint8_t, 4> raw{};
        if (const int s = source.read(raw.data(), raw.size()); s != 0) {
            result = readFailure(s);
            return;
        }
        v = static_cast<std::int32_t>(getU32(raw.data()));
    });
    return result;
}

FileResult saveCarFile(const std::filesystem::path& path, const CarConfig& config)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(7 + config.name.size() + CarFileLayout::integersSize);
    writeCarRecord(config, bytes);
    return writeFileReplacing(path, bytes);
}

FileResult readCarFile(const std::filesystem::path& path, CarConfig& config)
{
    return loadPath(path, config);
}

FileResult readCarBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& shown,
                        CarConfig& config)
{
    return loadBytes(bytes, shown, config);
}

} // namespace rivetbay
