#include "Currency.h"

#include <cmath>
#include <limits>

namespace zorv::engine {

namespace {

__extension__ typedef unsigned __int128 u128;

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

// A magnitude and a sign back to units, or overflow when out of range.
std::int64_t toUnits(u128 magnitude, bool negative) {
    if (negative) {
        if (magnitude > static_cast<u128>(kMax) + 1) throw DecimalOverflow();
        return magnitude == static_cast<u128>(kMax) + 1 ? kMin : -static_cast<std::int64_t>(magnitude);
    }
    if (magnitude > static_cast<u128>(kMax)) throw DecimalOverflow();
    return static_cast<std::int64_t>(magnitude);
}

u128 magnitude(std::int64_t v) { return v < 0 ? u128(0ull - static_cast<unsigned long long>(v)) : u128(v); }

}  // namespace

Currency Currency::fromDouble(double value) {
    if (!std::isfinite(value)) throw DecimalOverflow();
    // The classic conversion multiplies in the x87's 80-bit registers and
    // stores with FISTP, which rounds half to even: 0.00005 becomes 1 unit
    // there, where a double product (exactly 0.5) would give 0. long double is
    // that 80-bit type on x86-64.
    long double scaled = static_cast<long double>(value) * 10000.0L;
    long double rounded = std::nearbyintl(scaled);
    if (!(rounded >= -9223372036854775808.0L && rounded < 9223372036854775808.0L)) throw DecimalOverflow();
    return fromUnits(static_cast<std::int64_t>(rounded));
}

Currency Currency::fromDecimal(const Decimal& value) {
    Decimal r = value.round(4, Rounding::HalfEven);
    u128 m = (u128(r.hi32()) << 64) | r.lo64();
    for (int s = r.scale(); s < 4; ++s) {
        m *= 10;
        if (m > static_cast<u128>(kMax) + 1) throw DecimalOverflow();
    }
    return fromUnits(toUnits(m, r.isNegative()));
}

Currency Currency::parse(std::string_view text, const NumberSymbols& symbols) {
    return fromDouble(Decimal::parseDouble(text, symbols));
}

double Currency::toDouble() const { return static_cast<double>(units_) / 10000.0; }

Decimal Currency::toDecimal() const {
    u128 m = magnitude(units_);
    return Decimal::fromParts(static_cast<std::uint64_t>(m), 0, 4, units_ < 0);
}

std::string Currency::toString(std::string_view decimalSymbol) const { return toDecimal().toString(decimalSymbol); }

Currency Currency::round(int places) const {
    if (places < 0) throw std::invalid_argument("Currency::round places must be 0..4");
    if (places >= 4) return *this;
    static constexpr std::int64_t kDiv[4] = {10000, 1000, 100, 10};
    const u128 div = static_cast<u128>(kDiv[places]);
    u128 m = magnitude(units_);
    u128 q = m / div, r = m % div;
    u128 rest = div - r;
    if (r > rest || (r == rest && (q & 1))) ++q;
    return fromUnits(toUnits(q * div, units_ < 0));
}

Currency operator+(Currency a, Currency b) {
    std::int64_t r;
    if (__builtin_add_overflow(a.units_, b.units_, &r)) throw DecimalOverflow();
    return Currency::fromUnits(r);
}

Currency operator-(Currency a, Currency b) {
    std::int64_t r;
    if (__builtin_sub_overflow(a.units_, b.units_, &r)) throw DecimalOverflow();
    return Currency::fromUnits(r);
}

Currency operator*(Currency a, Currency b) {
    // The exact product has eight decimals; back to four, half to even.
    u128 p = magnitude(a.units_) * magnitude(b.units_);
    u128 q = p / 10000, r = p % 10000;
    if (r > 5000 || (r == 5000 && (q & 1))) ++q;
    return Currency::fromUnits(toUnits(q, (a.units_ < 0) != (b.units_ < 0)));
}

Currency operator*(Currency a, long long b) {
    std::int64_t r;
    if (__builtin_mul_overflow(a.units_, static_cast<std::int64_t>(b), &r)) throw DecimalOverflow();
    return Currency::fromUnits(r);
}

}  // namespace zorv::engine
