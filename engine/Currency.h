#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Decimal.h"

namespace zorv::engine {

// The fixed-point currency value: a 64-bit count of 1/10000 units, range
// -922337203685477.5808 .. 922337203685477.5807. Conversions that do not fit
// throw DecimalOverflow; text that is not a number throws DecimalTypeMismatch.
class Currency {
public:
    constexpr Currency() = default;
    static constexpr Currency fromUnits(std::int64_t units) { Currency c; c.units_ = units; return c; }

    static Currency fromDouble(double value);          // x * 10000 rounded half to even
    static Currency fromDecimal(const Decimal& value);  // rounded half to even to 4 places
    static Currency parse(std::string_view text, const NumberSymbols& symbols = {});  // via double

    std::int64_t units() const { return units_; }
    double toDouble() const;
    Decimal toDecimal() const;
    std::string toString(std::string_view decimalSymbol = ".") const;  // like Decimal::toString

    // VarCyRound: half to even to `places` decimals (0..4; 4 and more leave
    // the value as it is). Throws std::invalid_argument for negative places.
    Currency round(int places) const;

    friend Currency operator+(Currency a, Currency b);
    friend Currency operator-(Currency a, Currency b);
    friend Currency operator*(Currency a, Currency b);  // exact product rounded half to even
    friend Currency operator*(Currency a, long long b);
    friend auto operator<=>(Currency a, Currency b) = default;

private:
    std::int64_t units_ = 0;
};

}  // namespace zorv::engine
