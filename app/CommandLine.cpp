#include "app/CommandLine.h"

#include "files/PlatformRules.h"

namespace rivetbay {

std::string commandLineFile(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument.empty()) continue;
        if (argument[0] == '-' || (platform::slashStartsSwitch && argument[0] == '/')) continue;
        return argument;
    }
    return {};
}

} // namespace rivetbay
