#pragma once

// rivetbay-cli's words parsed and its command run: the whole program but for
// the platform's arguments and the last flush of standard output.

#include <string>
#include <vector>

namespace rivetbay::cli {

// `arguments` begin with the program's name. Returns the exit status: 0, 1
// when the command failed, 2 for bad usage.
int run(const std::vector<std::string>& arguments);

} // namespace rivetbay::cli
