#include "files/CarFile.h"
#include "files/SafeWrite.h"

#include "SampleCars.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace rivetbay {
namespace {

using testkit::readBytes;
using testkit::TempDir;
using testkit::writeBytes;

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
    CarConfig c;
    c.name = "Rat";
    c.model = 5;
    c.brakes = 4;
    c.frontTires = 2;
    c.rearTires = 3;
    c.turret = 1;
    c.paintScheme = 2;
    c.armor = {1, 2, 3, -4};
    const auto bytes = encoded(c);
    ASSERT_EQ(bytes.size(), 120u);
    const std::vector<std::uint8_t> head{0x03, 'R', 'a', 't', 5, 0, 0, 0, 1, 0, 0, 0,
                                         1,    0,   0,   0,   2, 0, 0, 0, 3, 0, 0, 0,
                                         4,    0,   0,   0};
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + head.size()), head);
    const std::size_t n = 4;
    EXPECT_EQ(bytes[n + 72], 1);  // turret
    EXPECT_EQ(bytes[n + 76], 2);  // paint position
    EXPECT_EQ(bytes[n + 84], 1);  // armor front
    EXPECT_EQ(bytes[n + 96], 0xFC); // armor right, -4
    EXPECT_EQ(bytes[n + 99], 0xFF);
}

TEST(CarRecord, LengthPrefixForms)
{
    struct Case {
        std::size_t length;
        std::vector<std::uint8_t> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& k : cases) {
        const CarConfig c = sampleCar(std::string(k.length, 'x'));
        const auto bytes = encoded(c);
        EXPECT_EQ(bytes.size(), k.prefix.size() + k.length + 116) << k.length;
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + k.prefix.size()),
                  k.prefix)
            << k.length;
        CarConfig back;
        EXPECT_TRUE(decode(bytes, back)) << k.length;
        EXPECT_EQ(back, c) << k.length;
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

TEST(CarRecord, ExtraBytesAreIgnored)
{
    auto bytes = encoded(sampleCar("Dusty"));
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    CarConfig back;
    EXPECT_TRUE(decode(bytes, back));
    EXPECT_EQ(back, sampleCar("Dusty"));
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

    // The wide form with the 3-byte and 7-byte lengths.
    std::vector<std::uint8_t> longer{0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01};
    for (int i = 0; i < 256; ++i) longer.insert(longer.end(), {'w', 0});
    longer.insert(longer.end(), integers.begin() + 1, integers.end());
    EXPECT_TRUE(decode(longer, back));
    EXPECT_EQ(back.name, std::string(256, 'w'));
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
        twice,
        {0xFF, 0x10},
        {0xFF},
    };
    for (const auto& bytes : damaged) {
        CarConfig into;
        const auto failure = decode(bytes, into);
        ASSERT_FALSE(failure);
        EXPECT_EQ(failure.error().kind, FileErrorKind::PastEnd);
    }
}

TEST(CarFile, SaveAndLoadRoundTrip)
{
    TempDir dir;
    const auto path = dir / "car.rbc";
    CarConfig c = sampleCar("");
    ASSERT_TRUE(saveCarFile(path, c));
    EXPECT_EQ(readBytes(path).size(), 117u);
    EXPECT_EQ(readBytes(path)[0], 0x00);

    c.name = std::string(255, 'q');
    ASSERT_TRUE(saveCarFile(path, c));
    EXPECT_EQ(readBytes(path).size(), 374u);
    CarConfig back;
    ASSERT_TRUE(loadCarFile(path, back));
    EXPECT_EQ(back, c);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(CarFile, FailedLoadLeavesTheRecordAsItWas)
{
    TempDir dir;
    auto bytes = encoded(sampleCar("Other"));
    bytes.pop_back();
    writeBytes(dir / "short.rbc", bytes);
    const CarConfig before = sampleCar("Before");
    CarConfig c = before;
    const auto failure = loadCarFile(dir / "short.rbc", c);
    ASSERT_FALSE(failure);
    EXPECT_EQ(failure.error().message, "An attempt was made to access an unnamed file past its end.");
    EXPECT_EQ(c, before);
}

TEST(CarFile, MissingFilesAndDirectoriesAreNotFound)
{
    TempDir dir;
    CarConfig c;
    for (const auto& path : {dir / "missing.rbc", dir.path(), dir / "no/such/dir.rbc",
                             std::filesystem::path()}) {
        const auto failure = loadCarFile(path, c);
        ASSERT_FALSE(failure) << path;
        EXPECT_EQ(failure.error().message, "an unnamed file was not found.");
    }
}

TEST(CarFile, LoadNormalisesOutOfRangeSelections)
{
    TempDir dir;
    CarConfig c = sampleCar("X");
    c.model = 99;
    c.frontWeapons[1] = -1;
    c.turret = 7;
    c.paintScheme = 9;
    ASSERT_TRUE(saveCarFile(dir / "odd.rbc", c));
    CarConfig back;
    ASSERT_TRUE(loadCarFile(dir / "odd.rbc", back));
    EXPECT_EQ(back.model, 0);
    EXPECT_EQ(back.frontWeapons[1], 0);
    EXPECT_EQ(back.turret, 1);
    EXPECT_EQ(back.paintScheme, 9);
}

TEST(CarFile, AHugeDeclaredNameFailsAtOnce)
{
    // A sparse file of 5 GiB whose name claims nearly 4 GiB of it.
    TempDir dir;
    writeBytes(dir / "sparse.rbc", {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xF0});
    std::filesystem::resize_file(dir / "sparse.rbc", std::uint64_t{5} << 30);
    CarConfig c;
    const FileResult failure = loadCarFile(dir / "sparse.rbc", c);
    ASSERT_FALSE(failure);
    EXPECT_EQ(failure.error().kind, FileErrorKind::PastEnd);
}

TEST(FileError, TextsByStage)
{
    const std::filesystem::path p = "/games/cars/a.rbc";
    struct Case {
        FileErrorKind kind;
        Stage stage;
        const char* text;
    };
    const Case cases[] = {
        {FileErrorKind::DiskFull, Stage::Writing, "Disk full while accessing /games/cars/a.rbc."},
        {FileErrorKind::DiskFull, Stage::Flushing, "Disk full while accessing /games/cars/a.rbc."},
        {FileErrorKind::AccessDenied, Stage::Writing, "Access to /games/cars/a.rbc was denied."},
        {FileErrorKind::AccessDenied, Stage::Reading, "Access to an unnamed file was denied."},
        {FileErrorKind::HardwareError, Stage::Flushing,
         "A hardware I/O error was reported while accessing an unnamed file."},
        {FileErrorKind::Unknown, Stage::Writing,
         "An unknown error occurred while accessing /games/cars/a.rbc."},
        {FileErrorKind::NotFound, Stage::Writing, "an unnamed file was not found."},
    };
    for (const Case& k : cases) EXPECT_EQ(makeFileError(k.kind, k.stage, p).message, k.text);
    EXPECT_EQ(fileErrorFromErrno(ENOSPC, Stage::Flushing, p).message, "Disk full while accessing /games/cars/a.rbc.");
    EXPECT_EQ(fileErrorFromErrno(ENOENT, Stage::Opening, p).kind, FileErrorKind::NotFound);
}

} // namespace
} // namespace rivetbay
