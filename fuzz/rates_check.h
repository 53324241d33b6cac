// What every reader of exchange rates promises, whatever its input: codes
// of three capital letters, rates above zero, the base at 1, and text that
// reads back into the same rates without a skipped line.
#pragma once

#include <cstdlib>
#include <string>

#include "convert/RatesImport.h"

inline void checkRates(const zorv::convert::ExchangeRates& rates) {
    using zorv::engine::Decimal;
    for (const auto& c : rates.currencies()) {
        if (c.code.size() != 3) std::abort();
        for (char ch : c.code)
            if (ch < 'A' || ch > 'Z') std::abort();
        if (c.rate.isNegative() || c.rate.isZero()) std::abort();
        if (c.code == rates.base() && c.rate != Decimal(1)) std::abort();
        if (c.name.size() > zorv::convert::kMaxCurrencyNameLength) std::abort();
    }
    const std::string text = rates.toText();
    const zorv::convert::LoadedRates again = zorv::convert::readRates(text);
    if (!rates.base().empty() && !again.skipped.empty()) std::abort();
    if (again.rates.toText() != text) std::abort();
}
