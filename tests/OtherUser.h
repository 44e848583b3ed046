#pragma once

// Runs a check as a user who owns none of the test's files: as root, in a
// child process that gives up root; otherwise in this process, where the
// test's own files already behave as another's would after a chmod.

#include <functional>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace rivetbay::testkit {

inline constexpr unsigned nobody = 65534;

// True when `check` returned true.
inline bool asOtherUser(const std::function<bool()>& check)
{
#ifdef _WIN32
    return check();
#else
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}

inline bool runningAsRoot()
{
#ifdef _WIN32
    return false;
#else
    return ::geteuid() == 0;
#endif
}

} // namespace rivetbay::testkit
