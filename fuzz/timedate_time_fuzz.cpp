// Hostile text through the time readers: durations, clock times, ISO
// instants and billing rates. Each either refuses the text with a message
// or gives a value whose own text reads back as the same value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "timedate/Billing.h"
#include "timedate/Duration.h"
#include "timedate/InputError.h"
#include "timedate/ProjectTimer.h"

using namespace zorv::timedate;
using zorv::engine::NumberSymbols;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const NumberSymbols symbols = size % 2 ? NumberSymbols{",", ".", "€"} : NumberSymbols{};

    try {
        const Duration d = Duration::parse(text, symbols);
        const std::string shown = d.text(symbols.decimal);
        if (shown.find(symbols.decimal) == std::string::npos && Duration::parse(shown, symbols) != d) std::abort();
        (void)d.hours();
        (void)billAmount(d, parseRate("100", {}));
    } catch (const InputError&) {
    }

    try {
        const ClockTime t = ClockTime::parse(text);
        if (t.secondsSinceMidnight() < 0 || t.secondsSinceMidnight() >= 86400) std::abort();
        if (ClockTime::parse(t.text()).secondsSinceMidnight() != t.secondsSinceMidnight()) std::abort();
    } catch (const InputError&) {
    }

    try {
        const Instant i = parseIsoInstant(text);
        if (!(parseIsoInstant(isoInstantText(i)) == i)) std::abort();
    } catch (const InputError&) {
    }

    try {
        const auto rate = parseRate(text, symbols);
        if (rate.units() < 0) std::abort();
        if (parseRate(rateText(rate, symbols.decimal), symbols) != rate) std::abort();
    } catch (const InputError&) {
    }
    return 0;
}
