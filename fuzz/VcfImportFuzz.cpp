// Any bytes as a vehicle file: refused with a text, or imported to a sound
// design that writes a file which imports to the same design again.

#include "files/VcfReader.h"
#include "files/VcfWriter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    rivetbay::VcfImport imported;
    const rivetbay::FileResult read =
        rivetbay::importVehicleBytes({data, size}, "fuzz.vcf", imported);
    if (!read) {
        if (read.error().message.empty()) std::abort();
        return 0;
    }
    if (!rivetbay::selectionsOutsideTables(imported.config).empty()) std::abort();
    const auto written = rivetbay::buildVcfImage(imported.config);
    rivetbay::VcfImport again;
    if (!rivetbay::importVehicleBytes(written, "again.vcf", again)) std::abort();
    if (rivetbay::buildVcfImage(again.config) != written) std::abort();
    return 0;
}
