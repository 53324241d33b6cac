#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "NumberSymbols.h"

namespace zorv::engine {

// The two ways a decimal computation or conversion can fail, plus division by
// zero. Callers map them to the user-facing messages.
class DecimalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    virtual int errorNumber() const = 0;  // the classic run-time error number
};

class DecimalOverflow : public DecimalError {
public:
    DecimalOverflow() : DecimalError("Overflow") {}
    int errorNumber() const override { return 6; }
};

class DecimalTypeMismatch : public DecimalError {
public:
    DecimalTypeMismatch() : DecimalError("Type mismatch") {}
    int errorNumber() const override { return 13; }
};

class DecimalDivideByZero : public DecimalError {
public:
    DecimalDivideByZero() : DecimalError("Division by zero") {}
    int errorNumber() const override { return 11; }
};

enum class Rounding { HalfEven, HalfAwayFromZero };

// A 96-bit unsigned mantissa with a power-of-ten scale 0..28 and a sign:
// value = (-1)^sign * mantissa / 10^scale. Arithmetic is exact while the
// result fits and otherwise rounds half to even on the exact dropped part;
// a whole part that cannot fit is an overflow.
class Decimal {
public:
    static constexpr int kMaxScale = 28;

    constexpr Decimal() = default;
    Decimal(int value) : Decimal(static_cast<long long>(value)) {}  // NOLINT: implicit on purpose
    Decimal(long long value);                                      // NOLINT
    Decimal(unsigned long long value);                             // NOLINT
    // So that std::int64_t, std::uint64_t, std::size_t and unsigned convert
    // without an ambiguity on platforms where they are long or unsigned long.
    Decimal(unsigned value) : Decimal(static_cast<unsigned long long>(value)) {}       // NOLINT
    Decimal(long value) : Decimal(static_cast<long long>(value)) {}                    // NOLINT
    Decimal(unsigned long value) : Decimal(static_cast<unsigned long long>(value)) {}  // NOLINT

    // Throws std::invalid_argument when scale > 28.
    static Decimal fromParts(std::uint64_t lo64, std::uint32_t hi32, int scale, bool negative);
    static Decimal maxValue();  // 79228162514264337593543950335

    // Text to decimal with the locale symbols: blanks around the number, one
    // sign in front or behind, "(...)" for negative, the currency symbol,
    // thousands symbols after the first digit, one decimal symbol, an
    // exponent, &H/&O. The result carries no trailing zeros ("0.10" has
    // scale 1) and a zero is +0 of scale 0 ("-0" too). Digits beyond what
    // fits in 96 bits at scale 28 round half to even. Symbols may be several
    // characters long; a thousands symbol equal to the decimal symbol is
    // ignored; with a no-break space as thousands symbol plain blanks group
    // too. Throws DecimalTypeMismatch or DecimalOverflow (whole part too big,
    // &H/&O beyond 64 bits).
    static Decimal parse(std::string_view text, const NumberSymbols& symbols = {});

    // The same text grammar read into a double (correctly rounded from the
    // digits), the way the classic currency conversion reads text before
    // VarCyFromR8. Throws DecimalTypeMismatch, or DecimalOverflow when the
    // value is beyond the double range or an &H/&O value beyond 64 bits.
    static double parseDouble(std::string_view text, const NumberSymbols& symbols = {});

    // Rounds to 15 significant digits, as the classic double conversion does
    // (half to even on the exact binary value, at most 28 decimals, trailing
    // zeros stripped; below 2^-95 gives 0). Throws DecimalOverflow for inf,
    // NaN and magnitudes of 2^96 and more.
    static Decimal fromDouble(double value);

    // Plain digits, "-" when negative and non-zero, no grouping, no exponent;
    // trailing zeros and a bare decimal symbol are dropped.
    std::string toString(std::string_view decimalSymbol = ".") const;
    double toDouble() const;

    // + and - give the exact result at the larger scale when it fits, *
    // the exact product at scale s1+s2 (not normalised); / gives a quotient
    // that is exact at the natural scale sL-sR as it is (1.00/2 = 0.50), and
    // otherwise as many digits as fit (at most 28 decimals) with trailing
    // zeros stripped (1/4 = 0.25). A result too small for 28 decimals is 0.
    // Negation flips the sign bit, so -0 exists (it prints as "0").
    Decimal operator-() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    friend Decimal operator/(const Decimal& a, const Decimal& b);  // throws DecimalDivideByZero
    Decimal& operator+=(const Decimal& o) { return *this = *this + o; }
    Decimal& operator-=(const Decimal& o) { return *this = *this - o; }
    Decimal& operator*=(const Decimal& o) { return *this = *this * o; }
    Decimal& operator/=(const Decimal& o) { return *this = *this / o; }

    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b);

    // Rounds to `places` decimals (0..28); the result's scale is `places`
    // unless the value already had fewer decimals.
    Decimal round(int places, Rounding mode = Rounding::HalfEven) const;

    bool isZero() const { return lo64_ == 0 && hi32_ == 0; }
    bool isNegative() const { return negative_ && !isZero(); }
    bool signBit() const { return negative_; }
    int scale() const { return scale_; }
    std::uint64_t lo64() const { return lo64_; }
    std::uint32_t hi32() const { return hi32_; }

private:
    __extension__ typedef unsigned __int128 Mantissa;
    Mantissa mantissa() const { return (Mantissa(hi32_) << 64) | lo64_; }
    static Decimal make(Mantissa mantissa, int scale, bool negative);
    static Decimal fromWide(const void* wideValue, int scale, bool negative);
    static Decimal addMagnitudes(const Decimal& a, const Decimal& b, bool bNegative);

    std::uint64_t lo64_ = 0;
    std::uint32_t hi32_ = 0;
    std::uint8_t scale_ = 0;
    bool negative_ = false;
};

}  // namespace zorv::engine
