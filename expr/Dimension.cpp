#include "expr/Dimension.h"

#include "engine/Decimal.h"
#include "expr/Evaluator.h"

namespace zorv::expr {

namespace {

using Int = __int128;
using UInt = unsigned __int128;

Int absolute(Int v) {
    if (v < 0 && -(v + 1) == static_cast<Int>((~UInt(0)) >> 1)) throw engine::DecimalOverflow();
    return v < 0 ? -v : v;
}

Int gcd(Int a, Int b) {
    a = absolute(a);
    b = absolute(b);
    while (b != 0) {
        const Int t = a % b;
        a = b;
        b = t;
    }
    return a;
}

Int checkedMul(Int a, Int b) {
    Int r;
    if (__builtin_mul_overflow(a, b, &r)) throw engine::DecimalOverflow();
    return r;
}

Int checkedAdd(Int a, Int b) {
    Int r;
    if (__builtin_add_overflow(a, b, &r)) throw engine::DecimalOverflow();
    return r;
}

Int power10(int n) {
    Int r = 1;
    for (int i = 0; i < n; ++i) r = checkedMul(r, 10);
    return r;
}

std::string digits(UInt v) {
    if (v == 0) return "0";
    std::string s;
    while (v != 0) {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    }
    return s;
}

UInt isqrt(UInt n) {
    if (n < 2) return n;
    UInt x = n;
    UInt y = (x + 1) / 2;
    while (y < x) {
        x = y;
        y = (x + n / x) / 2;
    }
    return x;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::Number: return "number";
    case Kind::Length: return "length";
    case Kind::Area: return "area";
    case Kind::Volume: return "volume";
    }
    return "number";
}

}  // namespace

// ---- Rational ---------------------------------------------------------------

Rational::Rational(__int128 num, __int128 den) {
    if (den == 0) throw engine::DecimalDivideByZero();
    const Int g = gcd(num, den);
    num_ = num / g;
    den_ = den / g;
    if (den_ < 0) {
        num_ = -num_;
        den_ = -den_;
    }
}

std::optional<Rational> Rational::parseDecimal(std::string_view text) {
    Int num = 0;
    Int den = 1;
    int count = 0;
    bool point = false;
    for (char c : text) {
        if (c == '.') {
            if (point) return std::nullopt;
            point = true;
        } else if (isDigit(c)) {
            if (++count > 30) throw engine::DecimalOverflow();
            num = num * 10 + (c - '0');
            if (point) den *= 10;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0) return std::nullopt;
    return Rational(num, den);
}

Rational Rational::operator-() const { return Rational(checkedMul(num_, -1), den_); }

Rational operator+(const Rational& a, const Rational& b) {
    const Int g = gcd(a.den_, b.den_);
    const Int num = checkedAdd(checkedMul(a.num_, b.den_ / g), checkedMul(b.num_, a.den_ / g));
    return Rational(num, checkedMul(a.den_, b.den_ / g));
}

Rational operator-(const Rational& a, const Rational& b) { return a + (-b); }

Rational operator*(const Rational& a, const Rational& b) {
    const Int g1 = gcd(a.num_, b.den_);
    const Int g2 = gcd(b.num_, a.den_);
    const Int n1 = g1 == 0 ? a.num_ : a.num_ / g1;
    const Int d2 = g1 == 0 ? b.den_ : b.den_ / g1;
    const Int n2 = g2 == 0 ? b.num_ : b.num_ / g2;
    const Int d1 = g2 == 0 ? a.den_ : a.den_ / g2;
    return Rational(checkedMul(n1, n2), checkedMul(d1, d2));
}

Rational operator/(const Rational& a, const Rational& b) {
    if (b.num_ == 0) throw engine::DecimalDivideByZero();
    return a * Rational(b.den_, b.num_);
}

bool operator<(const Rational& a, const Rational& b) { return (a - b).sign() < 0; }

__int128 Rational::roundTo(__int128 denominator) const {
    const Int scaled = checkedMul(absolute(num_), denominator);
    Int q = scaled / den_;
    const Int r = scaled % den_;
    if (r >= den_ - r) ++q;
    return num_ < 0 ? -q : q;
}

std::string Rational::toDecimalText(int places) const {
    const Int units = roundTo(power10(places));
    std::string s = digits(static_cast<UInt>(absolute(units)));
    if (places > 0) {
        if (s.size() <= static_cast<std::size_t>(places))
            s.insert(0, static_cast<std::size_t>(places) + 1 - s.size(), '0');
        s.insert(s.size() - static_cast<std::size_t>(places), 1, '.');
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return (units < 0 ? "-" : "") + s;
}

// ---- arithmetic -----------------------------------------------------------

std::string kindWithArticle(Kind kind) {
    return std::string(kind == Kind::Area ? "an " : "a ") + kindName(kind);
}

namespace {

Rational plainAsLength(const Rational& v, PlainUnit plain) {
    return plain == PlainUnit::Feet ? v * Rational(12) : v;
}

// Lines a number up with a length for a sum; false when the kinds differ.
bool alignKinds(Dimensioned& a, Dimensioned& b, PlainUnit plain) {
    if (a.kind == b.kind) return true;
    if (a.kind == Kind::Number && b.kind == Kind::Length) {
        a = {plainAsLength(a.value, plain), Kind::Length};
        return true;
    }
    if (a.kind == Kind::Length && b.kind == Kind::Number) {
        b = {plainAsLength(b.value, plain), Kind::Length};
        return true;
    }
    return false;
}

}  // namespace

Dimensioned add(const Dimensioned& a, const Dimensioned& b, PlainUnit plain) {
    Dimensioned x = a;
    Dimensioned y = b;
    if (!alignKinds(x, y, plain))
        throw ArithmeticError("Cannot add " + kindWithArticle(a.kind) + " and " + kindWithArticle(b.kind));
    return {x.value + y.value, x.kind};
}

Dimensioned subtract(const Dimensioned& a, const Dimensioned& b, PlainUnit plain) {
    Dimensioned x = a;
    Dimensioned y = b;
    if (!alignKinds(x, y, plain))
        throw ArithmeticError("Cannot subtract " + kindWithArticle(b.kind) + " from " +
                              kindWithArticle(a.kind));
    return {x.value - y.value, x.kind};
}

Dimensioned multiply(const Dimensioned& a, const Dimensioned& b) {
    const int kind = static_cast<int>(a.kind) + static_cast<int>(b.kind);
    if (kind > static_cast<int>(Kind::Volume))
        throw ArithmeticError("Cannot multiply " + kindWithArticle(a.kind) + " by " +
                              kindWithArticle(b.kind));
    return {a.value * b.value, static_cast<Kind>(kind)};
}

Dimensioned divide(const Dimensioned& a, const Dimensioned& b) {
    const int kind = static_cast<int>(a.kind) - static_cast<int>(b.kind);
    if (kind < 0)
        throw ArithmeticError("Cannot divide " + kindWithArticle(a.kind) + " by " + kindWithArticle(b.kind));
    return {a.value / b.value, static_cast<Kind>(kind)};
}

namespace {

Rational wholePower(Rational base, Int n) {
    const bool invert = n < 0;
    if (invert) n = -n;
    Rational result(1);
    while (n > 0) {
        if (n & 1) result = result * base;
        n >>= 1;
        if (n > 0) base = base * base;
    }
    return invert ? Rational(1) / result : result;
}

Rational squareRoot(const Rational& v) {
    if (v.sign() < 0)
        throw ArithmeticError("Cannot take the square root of a negative value");
    const UInt rn = isqrt(static_cast<UInt>(v.numerator()));
    const UInt rd = isqrt(static_cast<UInt>(v.denominator()));
    if (rn * rn == static_cast<UInt>(v.numerator()) && rd * rd == static_cast<UInt>(v.denominator()))
        return Rational(static_cast<Int>(rn), static_cast<Int>(rd));
    // Correct to 10^-places: floor(sqrt(v * 10^(2 places))) / 10^places, with
    // as many places (up to 12) as the 128-bit range allows.
    for (int places = 12; places >= 0; --places) {
        try {
            const Rational scaled = v * Rational(power10(2 * places));
            const Int floorValue = scaled.numerator() / scaled.denominator();
            return Rational(static_cast<Int>(isqrt(static_cast<UInt>(floorValue))), power10(places));
        } catch (const engine::DecimalOverflow&) {
        }
    }
    throw engine::DecimalOverflow();
}

}  // namespace

Dimensioned power(const Dimensioned& base, const Dimensioned& exponent) {
    if (exponent.kind != Kind::Number)
        throw ArithmeticError("Cannot raise " + kindWithArticle(base.kind) + " to the power of " +
                              kindWithArticle(exponent.kind));
    const Rational& e = exponent.value;
    if (e == Rational(1, 2)) {
        if (base.kind == Kind::Number) return {squareRoot(base.value), Kind::Number};
        if (base.kind == Kind::Area) return {squareRoot(base.value), Kind::Length};
        throw ArithmeticError("Cannot take the square root of " + kindWithArticle(base.kind));
    }
    if (!e.isInteger())
        throw ArithmeticError("Only whole powers and the square root (^0.5) can be computed exactly");
    const Int n = e.numerator();
    if (base.kind == Kind::Number) {
        if (n > 512 || n < -512) {
            // Only 0, 1 and -1 keep such a power in range.
            if (base.value == Rational(0) || base.value == Rational(1)) return base;
            if (base.value == Rational(-1)) return {Rational(n % 2 == 0 ? 1 : -1), Kind::Number};
            throw engine::DecimalOverflow();
        }
        return {wholePower(base.value, n), Kind::Number};
    }
    const Int kind = static_cast<Int>(base.kind) * n;
    if (n < 1 || kind > static_cast<Int>(Kind::Volume))
        throw ArithmeticError("Cannot raise " + kindWithArticle(base.kind) + " to the power of " +
                              digits(static_cast<UInt>(absolute(n))) + (n < 0 ? " below zero" : ""));
    return {wholePower(base.value, n), static_cast<Kind>(kind)};
}

// ---- reading dimensions -----------------------------------------------------

namespace {

struct Number {
    std::size_t end = 0;
    std::string text;
    bool point = false;
};

std::optional<Number> scanNumber(std::string_view s, std::size_t pos) {
    Number n;
    std::size_t i = pos;
    int count = 0;
    for (; i < s.size() && (isDigit(s[i]) || s[i] == '.'); ++i) {
        if (s[i] == '.') {
            if (n.point) {
                std::size_t end = i;
                while (end < s.size() && (isDigit(s[end]) || s[end] == '.')) ++end;
                throw DimensionError("Malformed number " + std::string(s.substr(pos, end - pos)) +
                                     ": two decimal points");
            }
            n.point = true;
        } else {
            ++count;
        }
    }
    if (count == 0) return std::nullopt;
    if (count > 30) throw DimensionError("Too many digits in " + std::string(s.substr(pos, i - pos)));
    n.end = i;
    n.text = std::string(s.substr(pos, i - pos));
    return n;
}

Rational valueOf(const Number& n) { return *Rational::parseDecimal(n.text); }

struct Fraction {
    Rational value;
    std::size_t end = 0;  // just after the inch mark
    std::string text;     // n/d
};

std::size_t skipBlanks(std::string_view s, std::size_t i) {
    while (i < s.size() && s[i] == ' ') ++i;
    return i;
}

// A "/" at `slash` after the numerator `num`, then the denominator and the
// inch mark; nullopt when the text there is not written so (a division).
std::optional<Fraction> fractionAfter(std::string_view s, std::size_t begin, const Number& num,
                                      std::size_t slash) {
    if (slash >= s.size() || s[slash] != '/') return std::nullopt;
    std::size_t i = slash + 1;
    while (i < s.size() && isDigit(s[i])) ++i;
    if (i == slash + 1 || i >= s.size() || s[i] != '"') return std::nullopt;
    const std::string written(s.substr(begin, i + 1 - begin));
    const std::string denText(s.substr(slash + 1, i - slash - 1));
    if (num.point)
        throw DimensionError("A fraction of an inch is written with whole numbers: " + written);
    if (denText.size() > 5 || std::stoi(denText) > 1024)
        throw DimensionError("Denominator above 1024 in " + written);
    const int den = std::stoi(denText);
    if (den == 0) throw DimensionError("Zero denominator in " + written);
    if (num.text.size() > 9) throw DimensionError("Too many digits in " + written);
    return Fraction{Rational(std::stoll(num.text), den), i + 1, num.text + "/" + denText};
}

// Whole inches, a separator (blanks or one "-") and a fraction with its
// inch mark: 6-3/8", 6 3/8". nullopt when not written so.
std::optional<Fraction> mixedAfter(std::string_view s, std::size_t begin, const Number& whole) {
    std::size_t i = whole.end;
    if (i < s.size() && s[i] == '-') {
        ++i;
    } else {
        const std::size_t j = skipBlanks(s, i);
        if (j == i) return std::nullopt;
        i = j;
    }
    const auto num = scanNumber(s, i);
    if (!num || num->point) return std::nullopt;
    auto fraction = fractionAfter(s, i, *num, num->end);
    if (!fraction) return std::nullopt;
    const std::string written(s.substr(begin, fraction->end - begin));
    if (whole.point) throw DimensionError("A whole number of inches goes before a fraction: " + written);
    if (!(fraction->value < Rational(1)))
        throw DimensionError("The fraction after the whole inches must be below 1: " + written);
    fraction->value = valueOf(whole) + fraction->value;
    fraction->text = whole.text + "-" + fraction->text;
    return fraction;
}

// The inches after a foot mark: 6-3/8", 6 3/8", 6", 6, 3/8", 6.5".
// Without an inch mark only a bare number counts (12'6), so that 12'-3
// stays a subtraction.
std::optional<Fraction> inchesAfterFeet(std::string_view s, std::size_t pos) {
    std::size_t i = skipBlanks(s, pos);
    bool hyphen = false;
    // 12'-6" is twelve feet six inches; 12' - 6" with blanks is a difference.
    if (i == pos && i < s.size() && s[i] == '-') {
        hyphen = true;
        ++i;
    }
    const auto num = scanNumber(s, i);
    if (!num) return std::nullopt;
    if (auto f = fractionAfter(s, i, *num, num->end)) return f;
    if (auto m = mixedAfter(s, i, *num)) return m;
    if (num->end < s.size() && s[num->end] == '"')
        return Fraction{valueOf(*num), num->end + 1, num->text};
    if (hyphen) return std::nullopt;
    if (num->end < s.size() && (s[num->end] == '\'' || s[num->end] == '/' || isLetter(s[num->end])))
        return std::nullopt;
    return Fraction{valueOf(*num), num->end, num->text};
}

}  // namespace

ParsedDimension readDimension(std::string_view s, std::size_t pos) {
    const auto n = scanNumber(s, pos);
    if (!n) throw DimensionError("A number is missing at " + std::string(s.substr(pos, 12)));
    const std::size_t i = n->end;
    ParsedDimension d;
    auto finish = [&](const Rational& inches, std::size_t end, std::string shown) {
        d.value = {inches, Kind::Length};
        d.length = end - pos;
        d.shown = std::move(shown);
        return d;
    };
    if (auto f = fractionAfter(s, pos, *n, i)) return finish(f->value, f->end, f->text + "\"");
    if (auto m = mixedAfter(s, pos, *n)) return finish(m->value, m->end, m->text + "\"");
    if (i < s.size() && s[i] == '"') return finish(valueOf(*n), i + 1, n->text + "\"");
    if (i < s.size() && s[i] == '\'') {
        const Rational feet = valueOf(*n) * Rational(12);
        if (auto inches = inchesAfterFeet(s, i + 1))
            return finish(feet + inches->value, inches->end, n->text + "'" + inches->text + "\"");
        return finish(feet, i + 1, n->text + "'");
    }
    // Metric: mm, cm or m, blanks allowed before the unit, no letter after it.
    const std::size_t u = skipBlanks(s, i);
    struct Unit {
        std::string_view name;
        Rational inches;
    };
    const Unit units[] = {{"mm", Rational(5, 127)}, {"cm", Rational(50, 127)}, {"m", Rational(5000, 127)}};
    for (const Unit& unit : units) {
        const std::size_t end = u + unit.name.size();
        if (s.substr(u, unit.name.size()) == unit.name && (end >= s.size() || !isLetter(s[end])))
            return finish(valueOf(*n) * unit.inches, end, n->text + std::string(unit.name));
    }
    d.value = {valueOf(*n), Kind::Number};
    d.length = i - pos;
    d.shown = n->text;
    d.plain = true;
    return d;
}

Dimensioned parseLength(std::string_view text, PlainUnit plain) {
    std::size_t b = skipBlanks(text, 0);
    std::size_t e = text.size();
    while (e > b && text[e - 1] == ' ') --e;
    text = text.substr(b, e - b);
    if (text.size() > Evaluator::kMaxLength) throw DimensionError("Length too long");
    const bool negative = !text.empty() && text[0] == '-';
    const std::size_t start = negative ? 1 : 0;
    if (start >= text.size() || !(isDigit(text[start]) || text[start] == '.'))
        throw DimensionError("Not a length: " + std::string(text));
    const ParsedDimension d = readDimension(text, start);
    if (start + d.length != text.size()) throw DimensionError("Not a length: " + std::string(text));
    Rational inches = d.plain ? plainAsLength(d.value.value, plain) : d.value.value;
    return {negative ? -inches : inches, Kind::Length};
}

// ---- formatting -------------------------------------------------------------

FeetInches formatFeetInches(const Rational& inches, int denominator) {
    const Int units = inches.roundTo(denominator);
    const Rational shown(units, denominator);
    FeetInches out;
    if (!(shown == inches)) {
        const Rational exact = inches.sign() < 0 ? -inches : inches;
        out.mark = exact < Rational(absolute(units), denominator) ? RoundingMark::Up : RoundingMark::Down;
    }
    const Int steps = absolute(units);
    const Int wholeInches = steps / denominator;
    Int num = steps % denominator;
    Int den = denominator;
    const Int g = gcd(num, den);
    if (num != 0) {
        num /= g;
        den /= g;
    }
    const Int feet = wholeInches / 12;
    const Int rest = wholeInches % 12;
    std::string text = units < 0 ? "-" : "";
    if (feet > 0) text += digits(static_cast<UInt>(feet)) + "'";
    if (num == 0) {
        text += digits(static_cast<UInt>(rest));
    } else {
        if (feet > 0 || rest > 0) text += digits(static_cast<UInt>(rest)) + "-";
        text += digits(static_cast<UInt>(num)) + "/" + digits(static_cast<UInt>(den));
    }
    out.text = text + "\"";
    return out;
}

std::string feetInchesWithMark(const Rational& inches, int denominator) {
    const FeetInches f = formatFeetInches(inches, denominator);
    switch (f.mark) {
    case RoundingMark::Up: return f.text + "\u2191";
    case RoundingMark::Down: return f.text + "\u2193";
    case RoundingMark::Exact: break;
    }
    return f.text;
}

namespace {

constexpr int kPlaces = 4;
// One inch is exactly 0.0254 m.
const Rational kMetresPerInch(127, 5000);

}  // namespace

std::string formatDecimalFeet(const Rational& inches) {
    return (inches / Rational(12)).toDecimalText(kPlaces) + "'";
}
std::string formatDecimalInches(const Rational& inches) { return inches.toDecimalText(kPlaces) + "\""; }
std::string formatMetres(const Rational& inches) {
    return (inches * kMetresPerInch).toDecimalText(kPlaces) + " m";
}
std::string formatSquareFeet(const Rational& sq) { return (sq / Rational(144)).toDecimalText(kPlaces) + " sq ft"; }
std::string formatSquareYards(const Rational& sq) {
    return (sq / Rational(1296)).toDecimalText(kPlaces) + " sq yd";
}
std::string formatSquareMetres(const Rational& sq) {
    return (sq * kMetresPerInch * kMetresPerInch).toDecimalText(kPlaces) + " m\u00B2";
}
std::string formatCubicFeet(const Rational& cu) { return (cu / Rational(1728)).toDecimalText(kPlaces) + " cu ft"; }
std::string formatCubicYards(const Rational& cu) {
    return (cu / Rational(46656)).toDecimalText(kPlaces) + " cu yd";
}
std::string formatCubicMetres(const Rational& cu) {
    return (cu * kMetresPerInch * kMetresPerInch * kMetresPerInch).toDecimalText(kPlaces) + " m\u00B3";
}

}  // namespace zorv::expr
