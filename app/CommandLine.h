#pragma once

// What the editor takes from its command line.

#include <string>
#include <vector>

namespace rivetbay {

// The first argument that is not a switch. A switch begins with "-", and on
// Windows also with "/" (elsewhere "/" begins an absolute path).
std::string commandLineFile(const std::vector<std::string>& arguments);

} // namespace rivetbay
