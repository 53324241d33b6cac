// Hostile replies through the reader of the central bank's daily rates: it
// never fails, and its rates can always be saved, merged and read back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rates_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zorv::convert;
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    const LoadedRates loaded = readEcbXml(xml);
    if (loaded.rates.base() != "EUR") std::abort();
    checkRates(loaded.rates);
    ExchangeRates file = readRates("base USD\nXAG 2\n").rates;
    mergeImported(file, loaded.rates);
    checkRates(file);
    return 0;
}
