// Any bytes as a vehicle file: the listed name is at most 15 bytes with no NUL.

#include "files/VariantListing.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path dir = [] {
        auto d =
            std::filesystem::temp_directory_path() / ("rivetbay-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    const std::string file = "vgoon4.vcf";
    std::FILE* out = std::fopen((dir / file).c_str(), "wb");
    if (!out) return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    const std::string name = rivetbay::readVariantName(dir, file);
    if (name.size() > rivetbay::variantNameLimit || name.find('\0') != std::string::npos)
        std::abort();
    if (size <= 28 && !name.empty()) std::abort();
    return 0;
}
