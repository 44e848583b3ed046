// Attacks on the one step that replaces a file: whatever stands at or
// beside the target, nothing of the user's is lost and nothing hangs.

#include "files/CarFile.h"
#include "files/Export.h"
#include "files/PlatformFile.h"
#include "files/SafeWrite.h"

#include "HearFileEvents.h"
#include "OtherUser.h"
#include "Testkit.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <string>
#include <thread>

namespace rivetbay {
namespace {

namespace fs = std::filesystem;
using testkit::asOtherUser;
using testkit::runningAsRoot;

const std::vector<std::uint8_t> fresh{'n', 'e', 'w'};
const std::vector<std::uint8_t> old{'o', 'l', 'd', '!'};

FileResult write(const fs::path& target, const std::vector<std::uint8_t>& bytes = fresh)
{
    return writeFileReplacing(target, bytes);
}

// No temporary file is ever left behind, whatever happened.
bool noTemporaryIn(const fs::path& directory)
{
    for (const auto& entry : fs::directory_iterator(directory))
        if (entry.path().filename().string().starts_with(".rivetbay-")) return false;
    return true;
}

bool isType(const fs::path& path, mode_t type)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

void makeSocket(const fs::path& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.string().size(), sizeof address.sun_path);
    path.string().copy(address.sun_path, path.string().size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

TEST(ReplaceStep, AttacksAtAndBesideTheTarget)
{
    using Dir = const TempDir&;
    const std::string longName = std::string(251, 'n') + ".rbc";
    // What, the plant, the target, whether the save succeeds, what must hold after.
    const std::tuple<const char*, std::function<void(Dir)>, std::string, bool, std::function<bool(Dir, const FileResult&)>> attacks[] = {
        {"a file at the old temporary name survives",
         [](Dir d) { writeBytes(d / "car.rbc", old), writeBytes(d / "car.rbc.rbtmp", old); }, "car.rbc", true,
         [](Dir d, auto&) { return readBytes(d / "car.rbc.rbtmp") == old; }},
        {"a link at the old temporary name does not redirect the save",
         [](Dir d) { writeBytes(d / "victim", old), fs::create_symlink(d / "victim", d / "car.rbc.rbtmp"); },
         "car.rbc", true, [](Dir d, auto&) { return readBytes(d / "victim") == old && readBytes(d / "car.rbc") == fresh; }},
        {"a FIFO at the old temporary name does not hang the save",
         [](Dir d) { ASSERT_EQ(::mkfifo((d / "car.rbc.rbtmp").c_str(), 0600), 0); }, "car.rbc", true,
         [](Dir d, auto&) { return isType(d / "car.rbc.rbtmp", S_IFIFO); }},
        {"a directory is refused and kept", [](Dir d) { fs::create_directories(d / "car.rbc" / "in"); }, "car.rbc", false,
         [](Dir d, const FileResult& r) {
             return r.error().message == "Access to " + (d / "car.rbc").string() + " was denied." &&
                    fs::is_directory(d / "car.rbc" / "in");
         }},
        {"a socket is refused and kept", [](Dir d) { makeSocket(d / "car.rbc"); }, "car.rbc", false,
         [](Dir d, auto&) { return isType(d / "car.rbc", S_IFSOCK); }},
        {"a dangling link creates the file it points to", [](Dir d) { fs::create_symlink("made.rbc", d / "car.rbc"); },
         "car.rbc", true, [](Dir d, auto&) { return fs::is_symlink(d / "car.rbc") && readBytes(d / "made.rbc") == fresh; }},
        {"a link loop is refused", [](Dir d) { fs::create_symlink("b", d / "car.rbc"), fs::create_symlink("car.rbc", d / "b"); },
         "car.rbc", false, [](Dir d, auto&) { return fs::is_symlink(d / "car.rbc"); }},
        {"a link to a file replaces the file, not the link",
         [](Dir d) {
             fs::create_directory(d / "real");
             writeBytes(d / "real" / "car.rbc", old);
             fs::create_symlink(d / "real" / "car.rbc", d / "car.rbc");
         },
         "car.rbc", true, [](Dir d, auto&) {
             return fs::is_symlink(d / "car.rbc") && readBytes(d / "real" / "car.rbc") == fresh && noTemporaryIn(d / "real");
         }},
        {"a replaced file keeps its mode, set-id and sticky bits too, and owner",
         [](Dir d) {
             writeBytes(d / "car.rbc", old);
             if (runningAsRoot()) { // before the mode: giving a file away clears its set-id bits
                 EXPECT_EQ(::chown((d / "car.rbc").c_str(), testkit::nobody, testkit::nobody), 0);
             }
             ::chmod((d / "car.rbc").c_str(), 07650);
         },
         "car.rbc", true, [](Dir d, auto&) {
             struct stat info {};
             return ::stat((d / "car.rbc").c_str(), &info) == 0 && (info.st_mode & 07777) == 07650u &&
                    info.st_uid == (runningAsRoot() ? testkit::nobody : ::getuid());
         }},
        {"a name that fills the file system's limit still saves", [](Dir) {}, longName, true,
         [&](Dir d, auto&) { return readBytes(d / longName) == fresh; }},
        {"a missing folder is not found", [](Dir) {}, "gone/car.rbc", false,
         [](Dir, const FileResult& r) { return r.error().message == "an unnamed file was not found."; }},
    };
    for (const auto& [what, plant, target, succeeds, kept] : attacks) {
        TempDir dir;
        plant(dir);
        const FileResult result = write(dir / target);
        EXPECT_EQ(static_cast<bool>(result), succeeds) << what;
        EXPECT_TRUE(kept(dir, result)) << what;
        EXPECT_TRUE(noTemporaryIn(dir.path())) << what;
    }
}

TEST(ReplaceStep, DevicesAndFifosAreWrittenInPlace)
{
    TempDir dir;
    // A reader on a FIFO target gets the bytes; the FIFO stays a FIFO.
    ASSERT_EQ(::mkfifo((dir / "pipe.vcf").c_str(), 0600), 0);
    const int reader = ::open((dir / "pipe.vcf").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(write(dir / "pipe.vcf"));
    std::uint8_t got[16];
    const auto n = ::read(reader, got, sizeof got);
    ::close(reader);
    EXPECT_EQ(std::vector<std::uint8_t>(got, got + std::max<ssize_t>(n, 0)), fresh);
    EXPECT_TRUE(isType(dir / "pipe.vcf", S_IFIFO));

    if (!runningAsRoot()) GTEST_SKIP() << "making device nodes needs root";
    // The machine's null and full devices, made in the scratch folder.
    ASSERT_EQ(::mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    ASSERT_EQ(::mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    fs::create_symlink(dir / "null", dir / "to-null");
    EXPECT_TRUE(write(dir / "to-null") && isType(dir / "null", S_IFCHR) && fs::is_symlink(dir / "to-null"));
    const FileResult full = write(dir / "full");
    ASSERT_FALSE(full);
    EXPECT_EQ(full.error().message, "Disk full while accessing " + (dir / "full").string() + ".");
    EXPECT_TRUE(isType(dir / "full", S_IFCHR));
}

TEST(ReplaceStep, RefusesWhatADirectWriteWouldRefuse)
{
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::all); // a shared folder anyone may write in
    writeBytes(dir / "theirs.rbc", old);
    fs::permissions(dir / "theirs.rbc", fs::perms::owner_read | fs::perms::owner_write |
                                           fs::perms::group_read | fs::perms::others_read);
    fs::create_directory(dir / "closed");
    writeBytes(dir / "closed" / "open.rbc", old);
    fs::permissions(dir / "closed" / "open.rbc", fs::perms::all); // in a folder its writer may not write
    const auto theirsBefore = fs::status(dir / "theirs.rbc").permissions();
    if (!runningAsRoot()) fs::permissions(dir / "theirs.rbc", fs::perms::owner_read);
    if (!runningAsRoot()) fs::permissions(dir / "closed", fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_TRUE(asOtherUser([&] {
        const FileResult theirs = write(dir / "theirs.rbc");
        const FileResult closed = write(dir / "closed" / "new.rbc");
        const FileResult open = write(dir / "closed" / "open.rbc");
        const std::string folderDenied = "Access to " + (dir / "closed").string() + " was denied.";
        return !theirs &&
               theirs.error().message == "Access to " + (dir / "theirs.rbc").string() + " was denied." &&
               !closed && closed.error().message == folderDenied && !open &&
               open.error().message == folderDenied;
    }));
    EXPECT_EQ(readBytes(dir / "theirs.rbc"), old);
    EXPECT_EQ(readBytes(dir / "closed" / "open.rbc"), old);
    EXPECT_TRUE(noTemporaryIn(dir.path()));
    if (runningAsRoot()) {
        EXPECT_EQ(fs::status(dir / "theirs.rbc").permissions(), theirsBefore);
    }
    fs::permissions(dir / "closed", fs::perms::owner_all);
}

TEST(ReplaceStep, ConcurrentWritersLeaveOneWholeFile)
{
    TempDir dir;
    const std::vector<std::uint8_t> a(3000, 'a'), b(5000, 'b');
    for (int round = 0; round < 30; ++round) {
        std::thread first([&] { EXPECT_TRUE(write(dir / "car.rbc", a)); });
        std::thread second([&] { EXPECT_TRUE(write(dir / "car.rbc", b)); });
        first.join();
        second.join();
        const auto now = readBytes(dir / "car.rbc");
        ASSERT_TRUE(now == a || now == b) << "round " << round;
    }
}

// A write that fails once the temporary file exists (the file-size limit of
// a child: EFBIG) leaves the old file whole and nothing of its own behind;
// so does an export.
TEST(ReplaceStep, AWriteThatFailsMidwayLeavesTheOldFileWhole)
{
    TempDir dir;
    writeBytes(dir / "car.rbc", old);
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the child
        const rlimit oneByte{1, 1};
        ::setrlimit(RLIMIT_FSIZE, &oneByte);
        const bool replaced = !write(dir / "car.rbc");
        const bool exported =
            exportVariant({.name = "Big", .model = 16}, dir.path(), {}).outcome ==
            ExportResult::Outcome::NotWritten;
        ::_exit(replaced && exported ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "both writes were meant to fail";
    EXPECT_EQ(readBytes(dir / "car.rbc"), old);
    EXPECT_TRUE(noTemporaryIn(dir.path()));
    EXPECT_FALSE(fs::exists(dir / "vgoon4.vcf")); // no half-written vehicle file
}

TEST(ReplaceStep, FlushesBeforeTheRenameAndTheFolderAfterItAndStartsPrivate)
{
    TempDir dir;
    writeBytes(dir / "car.rbc", old);
    fs::permissions(dir / "car.rbc", fs::perms(0644));
    const mode_t kept = ::umask(0);
    std::vector<std::string> seen; // what the replace step does on the file system, in order
    fs::perms createdMode{};
    const testkit::HearFileEvents steps([&](std::string_view step, const fs::path& path) {
        seen.push_back(std::string(step) + (path.empty() ? "" : " " + path.filename().string()));
        if (step == "created") createdMode = fs::status(path).permissions();
    });
    ASSERT_TRUE(write(dir / "car.rbc"));
    ::umask(kept);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_TRUE(seen[0].starts_with("created .rivetbay-")) << seen[0];
    EXPECT_EQ(std::vector(seen.begin() + 1, seen.end()),
              (std::vector<std::string>{"flushed", "renamed car.rbc", "directory flushed " + dir.path().filename().string()}));
    EXPECT_EQ(createdMode, fs::perms(0600)); // private until it takes the old file's mode
    EXPECT_EQ(fs::status(dir / "car.rbc").permissions(), fs::perms(0644));
}

// A file that holds less than its size said when it was opened is read to
// its end, not waited on.
TEST(ReplaceStep, AFileShorterThanItsSizeIsReadToItsEnd)
{
    TempDir dir;
    writeBytes(dir / "shrinking.rbc", std::vector<std::uint8_t>(4096, 7));
    platform::InputFile file;
    ASSERT_EQ(file.open(dir / "shrinking.rbc"), 0);
    ASSERT_EQ(file.size(), 4096u);
    fs::resize_file(dir / "shrinking.rbc", 100);
    std::vector<std::uint8_t> bytes(file.size());
    std::size_t got = 0;
    EXPECT_EQ(file.readFully(bytes.data(), bytes.size(), got), 0);
    EXPECT_EQ(got, 100u);

    // The car file's own reader too: cut once opened, it ends past the end, not in a loop.
    ASSERT_TRUE(saveCarFile(dir / "cut.rbc", {.name = std::string(200, 'n')}));
    const testkit::HearFileEvents cut([](std::string_view step, const fs::path& path) {
        if (step == "opened") fs::resize_file(path, 10);
    });
    CarConfig loaded;
    const FileResult read = readCarFile(dir / "cut.rbc", loaded);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().kind, FileErrorKind::PastEnd);
}

} // namespace
} // namespace rivetbay
