#pragma once

// The editor speaks UTF-8; the Windows API, UTF-16.

#include <string>
#include <string_view>

namespace rivetbay::win32 {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);

} // namespace rivetbay::win32
