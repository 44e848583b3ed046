#include "app/Settings.h"

#include "Testkit.h"

#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

// Another process holding the folder's lock; Windows has no fork.
namespace rivetbay {
namespace {

TEST(Settings, ALockNobodyReleasesIsWaitedForOnlyAWhile)
{
    TempDir start;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) { // holds the lock until it is killed
        const int folder = ::open(start.path().c_str(), O_RDONLY | O_DIRECTORY);
        ::flock(folder, LOCK_EX);
        (void)!::write(ready[1], "x", 1);
        for (;;) ::pause();
    }
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    auto work = std::async(std::launch::async, [&] { // as a start, OPEN and SAVE read and write
        EXPECT_TRUE(writePathSettings(start / "Rivetbay.ini", {".", "first"}));
        EXPECT_TRUE(writePathSettings(start / "Rivetbay.ini", {".", "after"}));
        return readPathSettings(start / "Rivetbay.ini", "");
    });
    // All of it done while the holder still holds the lock; a deadline, not a hang.
    const bool done = work.wait_for(std::chrono::seconds(120)) == std::future_status::ready;
    ::kill(holder, SIGKILL); // lets a writer that waits for ever go on, so the test can end
    ::waitpid(holder, nullptr, 0);
    ASSERT_TRUE(done) << "the settings writes waited for a lock that is never released";
    EXPECT_EQ(work.get().rbcPath, "after");
}

} // namespace
} // namespace rivetbay
