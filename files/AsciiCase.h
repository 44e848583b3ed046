#pragma once

// Letter case as file names, settings names and patterns compare it: the
// ASCII letters only.

#include <string>
#include <string_view>

namespace rivetbay {

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

inline std::string asciiLowered(std::string text)
{
    for (char& c : text) c = asciiLower(c);
    return text;
}

inline bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

} // namespace rivetbay
