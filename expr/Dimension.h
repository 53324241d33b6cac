#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zorv::expr {

// An exact fraction of 128-bit integers, always in lowest terms with a
// positive denominator. A result that does not fit throws
// engine::DecimalOverflow, so callers report it as the evaluator reports
// an overflow.
class Rational {
public:
    Rational() = default;
    Rational(long long whole) : num_(whole) {}  // NOLINT: implicit on purpose
    Rational(__int128 num, __int128 den);

    // Digits with at most one "." (no sign, no exponent); nullopt when the
    // text is not such a number. More than 30 digits is an overflow.
    static std::optional<Rational> parseDecimal(std::string_view text);

    __int128 numerator() const { return num_; }
    __int128 denominator() const { return den_; }
    int sign() const { return num_ < 0 ? -1 : (num_ > 0 ? 1 : 0); }
    bool isInteger() const { return den_ == 1; }

    Rational operator-() const;
    friend Rational operator+(const Rational& a, const Rational& b);
    friend Rational operator-(const Rational& a, const Rational& b);
    friend Rational operator*(const Rational& a, const Rational& b);
    friend Rational operator/(const Rational& a, const Rational& b);  // throws DecimalDivideByZero
    friend bool operator==(const Rational& a, const Rational& b) = default;
    friend bool operator<(const Rational& a, const Rational& b);

    // The nearest multiple of 1/denominator, halves away from zero, as a
    // count of 1/denominator steps.
    __int128 roundTo(__int128 denominator) const;
    // Plain decimal text rounded to `places` (halves away from zero), with
    // trailing zeros removed: 125.3125, -3, 0.3333.
    std::string toDecimalText(int places) const;

private:
    __int128 num_ = 0;
    __int128 den_ = 1;
};

// The kind of a dimensioned value: the power of length it carries.
enum class Kind { Number = 0, Length = 1, Area = 2, Volume = 3 };

// "a number", "a length", "an area", "a volume".
std::string kindWithArticle(Kind kind);

// How a plain number typed where a length is expected is read.
enum class PlainUnit { Inches, Feet };

// A value with its dimension. Lengths are held in inches, areas in square
// inches and volumes in cubic inches, so that every typed length (inches,
// fractions of an inch, feet, and millimetres at exactly 5/127 inch) is
// exact.
struct Dimensioned {
    Rational value;
    Kind kind = Kind::Number;

    friend bool operator==(const Dimensioned&, const Dimensioned&) = default;
};

// The arithmetic of dimensions. Kinds that cannot be combined throw
// ArithmeticError with a message naming both ("Cannot add a length and an
// area"). In a sum or difference a number beside a length is taken as a
// length in `plain` units, so 12' + 6 is 12'6" when plain numbers are
// inches.
Dimensioned add(const Dimensioned& a, const Dimensioned& b, PlainUnit plain);
Dimensioned subtract(const Dimensioned& a, const Dimensioned& b, PlainUnit plain);
Dimensioned multiply(const Dimensioned& a, const Dimensioned& b);
Dimensioned divide(const Dimensioned& a, const Dimensioned& b);
// Whole powers while the kind stays within volume (a length squared is an
// area), and the square root (exponent 1/2) of a number or an area, which
// is exact when the root is and otherwise correct to 10^-12.
Dimensioned power(const Dimensioned& base, const Dimensioned& exponent);

// One typed dimension found in a text: its value, its length in characters
// and the way it is written back on the tape (12' 6 3/8" as 12'6-3/8").
struct ParsedDimension {
    Dimensioned value;
    std::size_t length = 0;
    std::string shown;
    bool plain = false;  // a bare number, no unit mark
};

// A dimension that is malformed (1/0", 3-/4", 5''', a denominator above
// 1024); the text says what is wrong.
class DimensionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the longest dimension that starts at `pos` of `text` (which must
// hold a digit or "." there): 12'6-3/8", 12' 6 3/8", 6-3/8", 150", 12.5',
// 3/4", 30cm, 1.5 m, 300mm, or a bare number. A bare number stays a number
// (Kind::Number, plain set). Throws DimensionError.
ParsedDimension readDimension(std::string_view text, std::size_t pos);

// A whole text that must be one length (an optional leading "-"); a bare
// number is a length in `plain` units. Throws DimensionError.
Dimensioned parseLength(std::string_view text, PlainUnit plain);

// Rounding of a length to a fraction of an inch.
enum class RoundingMark { Exact, Up, Down };

struct FeetInches {
    std::string text;  // 15'6-5/8", 6-3/8", 5/16", -2'0", 0"
    RoundingMark mark = RoundingMark::Exact;
};

// Feet, inches and a fraction of an inch rounded to the nearest
// 1/denominator inch (2..64, a power of two; halves away from zero).
// Below one foot only inches are written. `mark` says whether the written
// length is longer (Up) or shorter (Down) than the exact one.
FeetInches formatFeetInches(const Rational& inches, int denominator);
// The feet-inch text with its mark: "↑" after a length rounded up (it is
// longer than the exact value), "↓" after one rounded down.
std::string feetInchesWithMark(const Rational& inches, int denominator);

// "125.3125 sq ft" and the like; 4 decimals.
std::string formatDecimalFeet(const Rational& inches);    // 12.5313'
std::string formatDecimalInches(const Rational& inches);  // 150.375"
std::string formatMetres(const Rational& inches);         // 3.8195 m
std::string formatSquareFeet(const Rational& squareInches);
std::string formatSquareYards(const Rational& squareInches);
std::string formatSquareMetres(const Rational& squareInches);
std::string formatCubicFeet(const Rational& cubicInches);
std::string formatCubicYards(const Rational& cubicInches);
std::string formatCubicMetres(const Rational& cubicInches);

}  // namespace zorv::expr
