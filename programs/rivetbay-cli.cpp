// rivetbay-cli: the editor's rules without a window.

#include "cli/Commands.h"
#include "cli/Run.h"
#include "files/TextEncoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

// Output that never arrived (a full disk, a closed stream) is a failure,
// not a success with nothing said. A broken pipe ends the program quietly
// by its signal, as Unix tools end.
int finish(int status)
{
    errno = 0;
    std::cout.flush();
    const int flushing = errno;
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout.good();
    if (written || status != 0) return status; // a failed command has said why
    const int reason = errno ? errno : flushing;
    std::fprintf(stderr, "%s: standard output: %s\n", rivetbay::cli::programName,
                 reason ? std::strerror(reason) : "it could not be written");
    return 1;
}

} // namespace

#ifdef _WIN32
// Arguments arrive as UTF-16 and the core takes UTF-8; the console is told
// that UTF-8 comes, and the standard streams carry bytes as they are.
int wmain(int argc, wchar_t** wideArguments)
{
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY); // one line ending, as on every other platform
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        const std::wstring_view wide(wideArguments[i]);
        arguments.push_back(rivetbay::utf8FromUtf16(std::u16string(wide.begin(), wide.end())));
    }
    return finish(rivetbay::cli::run(arguments));
}
#else
int main(int argc, char** argv)
{
    return finish(rivetbay::cli::run(std::vector<std::string>(argv, argv + argc)));
}
#endif
