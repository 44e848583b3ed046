#include "app/ProfileFile.h"
#include "app/Startup.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace rivetbay {
namespace {

using testing::TempDir;

// As Windows writes it, with a comment, another section and odd spacing.
const std::string windowsFile = "; Rivetbay settings\r\n"
                                "[Other]\r\n"
                                "VCF_Path=wrong\r\n"
                                "\r\n"
                                "[ paths ]\r\n"
                                "  vcf_path =  C:\\Games\\I'76 Nitro\\addon  \r\n"
                                ";RBC_Path=commented\r\n"
                                "RBC_Path=\"C:\\Cars\"\r\n"
                                "\r\n"
                                "[Last]\r\n"
                                "x=1\r\n";

TEST(ProfileFile, ReadsAsWindowsDoes)
{
    struct Case {
        const char *section, *key, *expected;
    };
    const Case cases[] = {
        {"Paths", "VCF_Path", "C:\\Games\\I'76 Nitro\\addon"},
        {"PATHS", "rbc_path", "C:\\Cars"},
        {"Other", "VCF_Path", "wrong"},
        {"Paths", "Missing", "fallback"},
        {"Nowhere", "VCF_Path", "fallback"},
        {"Last", "x", "1"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(profileStringIn(windowsFile, k.section, k.key, "fallback"), k.expected)
            << k.section << "/" << k.key;
    EXPECT_EQ(profileStringIn("[Paths]\nVCF_Path=\n", "Paths", "VCF_Path", "d"), "");
    EXPECT_EQ(profileStringIn("[Paths]\nVCF_Path=" + std::string(5000, 'a'), "Paths", "VCF_Path",
                              ""),
              std::string(4095, 'a'));
}

TEST(ProfileFile, WriteReplacesOnlyItsLine)
{
    const std::string updated = withProfileString(windowsFile, "Paths", "VCF_Path", "D:\\New");
    std::string expected = windowsFile;
    expected.replace(expected.find("  vcf_path"), std::string("  vcf_path =  C:\\Games\\I'76 Nitro\\addon  ").size(),
                     "VCF_Path=D:\\New");
    EXPECT_EQ(updated, expected);
    EXPECT_EQ(profileStringIn(updated, "paths", "vcf_path", ""), "D:\\New");
    EXPECT_EQ(profileStringIn(updated, "Other", "VCF_Path", ""), "wrong");
}

TEST(ProfileFile, WriteAddsKeysAndSections)
{
    struct Case {
        std::string before, after;
    };
    const Case cases[] = {
        {"", "[Paths]\r\nVCF_Path=.\r\n"},
        {"[Paths]\r\nRBC_Path=C:\\\r\n\r\n[Next]\r\n",
         "[Paths]\r\nRBC_Path=C:\\\r\nVCF_Path=.\r\n\r\n[Next]\r\n"},
        {"[Paths]\nRBC_Path=/home", "[Paths]\nRBC_Path=/home\nVCF_Path=.\n"},
        {"[Other]\r\na=b", "[Other]\r\na=b\r\n[Paths]\r\nVCF_Path=.\r\n"},
        {"[paths]\n", "[paths]\nVCF_Path=.\n"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(withProfileString(k.before, "Paths", "VCF_Path", "."), k.after) << k.before;
}

TEST(ProfileFile, FileRoundTrip)
{
    TempDir dir;
    const auto file = dir / "Rivetbay.ini";
    EXPECT_EQ(readProfileString(file, "Paths", "RBC_Path", "start"), "start");
    ASSERT_TRUE(writeProfileString(file, "Paths", "VCF_Path", "C:\\Games\\Nitro\\addon"));
    ASSERT_TRUE(writeProfileString(file, "Paths", "RBC_Path", "C:\\Cars"));
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[Paths]\r\nVCF_Path=C:\\Games\\Nitro\\addon\r\nRBC_Path=C:\\Cars\r\n");
    EXPECT_FALSE(writeProfileString(dir / "no" / "x.ini", "Paths", "VCF_Path", "v"));
}

TEST(Startup, CommandLineFile)
{
    struct Case {
        std::vector<std::string> args;
        std::string file;
    };
    const Case cases[] = {
        {{}, ""},
        {{"-x", "car.rbc"}, "car.rbc"},
        {{"first.rbc", "second.rbc"}, "first.rbc"},
        {{"--verbose"}, ""},
        {{"my car.rbc"}, "my car.rbc"},
#ifndef _WIN32
        {{"/home/me/car.rbc"}, "/home/me/car.rbc"},
#endif
    };
    for (const Case& k : cases) EXPECT_EQ(commandLineFile(k.args), k.file);
}

TEST(Startup, VcfPathFromTheChosenFile)
{
    TempDir dir;
    const std::string root = dir.path().string();
    EXPECT_EQ(vcfPathFromChosenFile(root + "/readme.txt"), root);
    EXPECT_EQ(vcfPathFromChosenFile(root + "/Nitro.exe"), root + "/addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "/NITRO.EXE.bak"), root + "/addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "/notnitro.exe"), root);
    std::filesystem::create_directory(dir / "Addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "/nitro.exe"), root + "/Addon");
}

TEST(Startup, PathSettingsAndExistence)
{
    TempDir dir;
    const auto file = settingsFileIn(dir.path().string());
    EXPECT_EQ(file.filename(), "Rivetbay.ini");
    PathSettings s = readPathSettings(file, "/start");
    EXPECT_EQ(s.vcfPath, "");
    EXPECT_EQ(s.rbcPath, "/start");
    s.vcfPath = ".";
    ASSERT_TRUE(writePathSettings(file, s));
    const PathSettings back = readPathSettings(file, "/elsewhere");
    EXPECT_EQ(back.vcfPath, ".");
    EXPECT_EQ(back.rbcPath, "/start");
    EXPECT_TRUE(pathExists("."));
    EXPECT_FALSE(pathExists(""));
    EXPECT_FALSE(pathExists((dir / "gone").string()));
    EXPECT_EQ(directoryOf("/cars/dusty.rbc"), "/cars");
    EXPECT_EQ(directoryOf("dusty.rbc"), "");
}

} // namespace
} // namespace rivetbay
