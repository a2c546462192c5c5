#include "FuzzEntries.h"

// One libFuzzer program per entry; the build names the entry in ZEPHYRA_FUZZ_ENTRY.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return zephyra::fuzz::ZEPHYRA_FUZZ_ENTRY(data, size);
}
