#pragma once

// Explicit little-endian reads and writes, and a bounded byte source that
// always knows how much is left.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace rivetbay {

inline void appendU8(std::vector<std::uint8_t>& out, std::uint8_t v) { out.push_back(v); }

inline void appendU16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

constexpr void putU32(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t v)
{
    for (std::size_t k = 0; k < 4; ++k) out[offset + k] = static_cast<std::uint8_t>(v >> (8 * k));
}

// A text field of `width` bytes: the text and a NUL when there is room; the
// bytes after the NUL keep what the image held there.
constexpr void putText(std::span<std::uint8_t> out, std::size_t offset, std::size_t width,
                       std::string_view text)
{
    const std::size_t n = text.size() < width ? text.size() : width;
    for (std::size_t i = 0; i < n; ++i) out[offset + i] = static_cast<std::uint8_t>(text[i]);
    if (n < width) out[offset + n] = 0;
}

// A record's four-character tag, NUL-padded.
constexpr void putTag(std::span<std::uint8_t> out, std::size_t offset, std::string_view tag)
{
    for (std::size_t i = 0; i < 4; ++i)
        out[offset + i] = i < tag.size() ? static_cast<std::uint8_t>(tag[i]) : 0;
}

inline std::uint16_t getU16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t getU32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

// What a read from a ByteSource gives back: 0 on success, endOfData when
// fewer bytes remain than asked for, otherwise the platform's errno value.
inline constexpr int endOfData = -1;

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t remaining() const = 0;
    virtual int read(std::uint8_t* out, std::size_t count) = 0;
};

class SpanSource final : public ByteSource {
public:
    explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t remaining() const override { return bytes_.size() - position_; }
    int read(std::uint8_t* out, std::size_t count) override;

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

inline int SpanSource::read(std::uint8_t* out, std::size_t count)
{
    if (count > remaining()) return endOfData;
    for (std::size_t i = 0; i < count; ++i) out[i] = bytes_[position_ + i];
    position_ += count;
    return 0;
}

} // namespace rivetbay
