// Hostile text through the rates-file reader: it loads what it can, never
// fails, and what it loaded is written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rates_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const zorv::convert::LoadedRates loaded = zorv::convert::readRates(text);
    checkRates(loaded.rates);
    zorv::convert::skippedSummary(loaded.skipped, "currency.rt");
    return 0;
}
