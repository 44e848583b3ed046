// Any bytes as a car file: either a record or the program's own error.

#include "files/CarFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    rivetbay::CarConfig config;
    rivetbay::SpanSource source({data, size});
    if (const auto read = rivetbay::readCarRecord(source, config); !read) {
        if (read.error().message.empty()) std::abort();
    } else if (config.name.size() > size) {
        std::abort(); // a name can never be longer than its file
    }
    return 0;
}
