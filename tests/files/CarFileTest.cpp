#include "files/CarFile.h"
#include "files/SafeWrite.h"

#include "Testkit.h"

namespace rivetbay {
namespace {

// The worked example with every integer field away from its default.
CarConfig sampleCar(std::string name)
{
    CarConfig c = testkit::dustyDesign();
    c.name = std::move(name);
    c.suspension = 2;
    c.paintScheme = 2;
    c.freePoints = 7;
    return c;
}

std::vector<std::uint8_t> encoded(const CarConfig& c)
{
    std::vector<std::uint8_t> bytes;
    writeCarRecord(c, bytes);
    return bytes;
}

FileResult decode(const std::vector<std::uint8_t>& bytes, CarConfig& into)
{
    SpanSource source(bytes);
    return readCarRecord(source, into);
}

TEST(CarRecord, GoldenBytesOfAThreeLetterName)
{
    CarConfig c = testkit::dustyDesign();
    c.name = "Rat";
    c.turret = 1;
    c.paintScheme = 2;
    c.armor[Right] = -4;
    std::vector<std::uint8_t> expected{3, 'R', 'a', 't'};
    // model, engine, suspension, front and rear tires, brakes, 3 front, 2 top, 2 rear, 2
    // droppers, 3 specials, turret, paint, free points, armor and chassis front rear left right
    for (std::int32_t v : {16, 3, 1, 1, 4, 4, 1, 4, 0, 0, 0, 0, 0, 3, 5, 1, 6, 0, 1, 2, 0, 25, 20, 20, -4,
                           20, 15, 25, 20})
        appendU32(expected, static_cast<std::uint32_t>(v));
    TempDir dir; // as a save writes it: the record, and nothing more
    ASSERT_TRUE(saveCarFile(dir / "rat.rbc", c));
    EXPECT_EQ(readBytes(dir / "rat.rbc"), expected);
}

TEST(CarRecord, LengthPrefixForms)
{
    const std::pair<std::size_t, std::vector<std::uint8_t>> cases[] = { // name length, its prefix
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& [length, prefix] : cases) {
        const CarConfig c = sampleCar(std::string(length, 'x'));
        const auto bytes = encoded(c);
        EXPECT_EQ(bytes.size(), prefix.size() + length + 116) << length;
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + prefix.size()), prefix) << length;
        CarConfig back;
        EXPECT_TRUE(decode(bytes, back)) << length;
        EXPECT_EQ(back, c) << length;
    }
}

TEST(CarRecord, EveryTruncationFailsPastTheEnd)
{
    for (const std::string& name : {std::string(), std::string("Dusty"), std::string(300, 'n')}) {
        const auto bytes = encoded(sampleCar(name));
        for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
            CarConfig into;
            const auto failure =
                decode(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut), into);
            ASSERT_FALSE(failure) << name.size() << " cut at " << cut;
            EXPECT_EQ(failure.error().message, "An attempt was made to access an unnamed file past its end.");
        }
    }
}

TEST(CarRecord, WideNamesBecome8BitText)
{
    // FF FE FF, length 4, "Zoë€" in UTF-16LE, then a non-Latin character.
    std::vector<std::uint8_t> bytes{0xFF, 0xFE, 0xFF, 0x05, 'Z', 0, 'o', 0, 0xEB, 0,
                                    0xAC, 0x20, 0x16, 0x04};
    const auto integers = encoded(sampleCar(""));
    bytes.insert(bytes.end(), integers.begin() + 1, integers.end());
    CarConfig back;
    EXPECT_TRUE(decode(bytes, back));
    EXPECT_EQ(back.name, "Zo\xEB\x80?");
    EXPECT_EQ(back.chassis, sampleCar("").chassis);
}

TEST(CarRecord, DamagedLengthsFailBeforeAllocating)
{
    // A second wide marker, followed by what would otherwise read as a whole record.
    std::vector<std::uint8_t> twice{0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 'a', 0};
    const auto integers = encoded(sampleCar(""));
    twice.insert(twice.end(), integers.begin() + 1, integers.end());
    const std::vector<std::vector<std::uint8_t>> damaged{
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3},    // 4 GiB name
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, // 8 GiB wide name
        twice, {0xFF, 0x10}, {0xFF},
    };
    for (const auto& bytes : damaged) {
        CarConfig into;
        const auto failure = decode(bytes, into);
        ASSERT_FALSE(failure);
        EXPECT_EQ(failure.error().kind, FileErrorKind::PastEnd);
    }
}

TEST(CarFile, FailedLoadsLeaveTheRecordAsItWas)
{
    TempDir dir;
    auto bytes = encoded(sampleCar("Other"));
    bytes.pop_back();
    writeBytes(dir / "short.rbc", bytes);
    const CarConfig before = sampleCar("Before");
    CarConfig c = before;
    const std::pair<std::filesystem::path, const char*> cases[] = {
        {dir / "short.rbc", "An attempt was made to access an unnamed file past its end."},
        {dir / "missing.rbc", "an unnamed file was not found."},
        {dir.path(), "an unnamed file was not found."}, // a directory cannot hold a car
        {{}, "an unnamed file was not found."},
    };
    for (const auto& [path, text] : cases) {
        const FileResult failure = readCarFile(path, c);
        ASSERT_FALSE(failure) << path;
        EXPECT_EQ(failure.error().message, text);
        EXPECT_EQ(c, before);
    }
}

#ifndef _WIN32 // a sparse file there may take its whole size on disk
TEST(CarFile, AHugeDeclaredNameFailsAtOnce)
{
    // A sparse file of 5 GiB whose name claims nearly 4 GiB of it.
    TempDir dir;
    writeBytes(dir / "sparse.rbc", {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xF0});
    std::filesystem::resize_file(dir / "sparse.rbc", std::uint64_t{5} << 30);
    CarConfig c;
    const FileResult failure = readCarFile(dir / "sparse.rbc", c);
    ASSERT_FALSE(failure);
    EXPECT_EQ(failure.error().kind, FileErrorKind::PastEnd);
}
#endif

} // namespace
} // namespace rivetbay
