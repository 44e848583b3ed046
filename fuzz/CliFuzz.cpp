// Any words and any file for rivetbay-cli, run in-process with its output
// caught: it answers with a status of its own, never a crash or a hang.
// The input is the words, one a line, then a NUL, then the content of the
// file "in"; words naming another folder or a standard stream are left out,
// so that everything it writes stays in its own scratch folder.

#include "cli/Run.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path& scratch()
{
    static const fs::path folder = [] {
        const fs::path made =
            fs::temp_directory_path() / ("rivetbay-fuzz-cli-" + std::to_string(::getpid()));
        fs::create_directories(made);
        return made;
    }();
    return folder;
}

// In the scratch folder for one run only: between runs the fuzzer reads and
// writes its corpus by the relative paths it was given.
class InScratch {
public:
    InScratch() : kept_(fs::current_path()) { fs::current_path(scratch()); }
    InScratch(const InScratch&) = delete;
    InScratch& operator=(const InScratch&) = delete;
    ~InScratch() { fs::current_path(kept_); }

private:
    fs::path kept_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const InScratch here;
    const fs::path& folder = scratch();
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    std::vector<std::string> arguments{"rivetbay-cli"};
    std::istringstream words(input.substr(0, split));
    for (std::string word; std::getline(words, word) && arguments.size() < 10;)
        if (word != "-" && word.find_first_of("/\\") == std::string::npos && word != "..")
            arguments.push_back(word);
    std::ofstream(folder / "in", std::ios::binary)
        << (split < input.size() ? input.substr(split + 1) : std::string());

    std::ostringstream out, err;
    auto* keptOut = std::cout.rdbuf(out.rdbuf());
    auto* keptErr = std::cerr.rdbuf(err.rdbuf());
    const int status = rivetbay::cli::run(arguments);
    std::cout.rdbuf(keptOut);
    std::cerr.rdbuf(keptErr);
    if (status < 0 || status > 2) std::abort();
    if (status == 1 && err.str().empty()) std::abort(); // a failure always says why

    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().filename() != "in") fs::remove_all(entry.path(), ec);
    return 0;
}
