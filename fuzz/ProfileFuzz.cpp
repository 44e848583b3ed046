// Any text as a settings file: reading never fails, and a write leaves the
// value readable and every other key as it was.

#include "files/ProfileFile.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string before = rivetbay::profileStringIn(text, "Paths", "RBC_Path", "none");
    (void)rivetbay::profileStringIn(text, "Paths", "VCF_Path", "");
    const std::string written = rivetbay::withProfileString(text, "Paths", "VCF_Path", "C:\\Nitro");
    if (rivetbay::profileStringIn(written, "paths", "vcf_path", "") != "C:\\Nitro") std::abort();
    if (rivetbay::profileStringIn(written, "Paths", "RBC_Path", "none") != before) std::abort();
    return 0;
}
