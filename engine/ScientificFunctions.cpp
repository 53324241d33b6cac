#include "ScientificFunctions.h"

#include <span>

#include <cmath>
#include <numbers>
#include <optional>

#include "TapeNumber.h"

namespace zorv::engine {

namespace {

constexpr double kPi = std::numbers::pi;
// Results this close to zero from radian arguments are rounding noise of an
// argument that is itself only good to about 15 digits (sin of pi).
constexpr double kNoise = 1e-15;

__extension__ typedef unsigned __int128 u128;

bool hasDigit(const std::string& s) {
    for (char c : s)
        if (c >= '0' && c <= '9') return true;
    return false;
}

u128 magnitudeOf(const Decimal& d) { return (u128(d.hi32()) << 64) | d.lo64(); }

u128 pow10(int n) {
    u128 p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

u128 gcd(u128 a, u128 b) {
    while (b != 0) {
        const u128 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

std::string toDigits(u128 v) {
    if (v == 0) return "0";
    std::string s;
    while (v != 0) {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    }
    return s;
}

std::string fractionOf(bool negative, u128 p, u128 q) {
    std::string out = negative && p != 0 ? "-" : "";
    const u128 whole = p / q;
    const u128 rest = p % q;
    if (rest == 0) return out + toDigits(whole);
    if (whole != 0) out += toDigits(whole) + " ";
    return out + toDigits(rest) + "/" + toDigits(q);
}

}  // namespace

std::string fractionText(const Decimal& value, bool& approximate) {
    approximate = false;
    const bool negative = value.isNegative();
    const u128 m = magnitudeOf(value);
    const u128 d = pow10(value.scale());
    const u128 g = gcd(m, d);
    // A short decimal is taken as exact: 0.12345 is 2469/20000.
    if (value.scale() < 12 || d / g <= 10000) return fractionOf(negative, m / g, d / g);

    // A long one is most likely a rounded result (1/3 to 28 places). The
    // convergents of the continued fraction of m/d are its best rational
    // approximations; the first one within half a unit of the last digit
    // is the value itself to every digit it has.
    u128 h0 = 0, h1 = 1, k0 = 1, k1 = 0;  // h/k: previous two convergents
    u128 num = m, den = d;
    std::optional<std::pair<u128, u128>> bestSmall;
    while (den != 0) {
        const u128 a = num / den;
        const u128 h2 = a * h1 + h0;
        const u128 k2 = a * k1 + k0;
        if (k2 > 1000000) break;
        h0 = h1;
        h1 = h2;
        k0 = k1;
        k1 = k2;
        const u128 r = num % den;
        num = den;
        den = r;
        // |m/d - h/k| <= 1/(2d)  <=>  2 |m k - h d| <= k
        const u128 mk = m * k1;
        const u128 hd = h1 * d;
        const u128 diff = mk > hd ? mk - hd : hd - mk;
        if (2 * diff <= k1) return fractionOf(negative, h1, k1);
        if (k1 <= 10000) bestSmall = {h1, k1};
    }
    approximate = true;
    if (!bestSmall) return fractionOf(negative, m, d);  // unreachable: k = 1 always fits
    return fractionOf(negative, bestSmall->first, bestSmall->second);
}

namespace {

// sin and cos of an angle; in degrees the quarter turns are exact.
void sinCos(double x, bool radians, double& s, double& c) {
    if (radians) {
        s = std::sin(x);
        c = std::cos(x);
        if (std::fabs(s) < kNoise) s = 0;
        if (std::fabs(c) < kNoise) c = 0;
        return;
    }
    double r = std::fmod(x, 360.0);
    if (r < 0) r += 360.0;
    if (r == 0) s = 0, c = 1;
    else if (r == 90) s = 1, c = 0;
    else if (r == 180) s = 0, c = -1;
    else if (r == 270) s = -1, c = 0;
    else {
        s = std::sin(r * kPi / 180.0);
        c = std::cos(r * kPi / 180.0);
    }
}

double quotient(double a, double b) { return b == 0 ? NAN : a / b; }

double angleOut(double rad, bool radians) { return radians ? rad : rad * 180.0 / kPi; }

// The functions of the menus, each NaN outside its domain.
double sine(double x, bool r) { double s, c; sinCos(x, r, s, c); return s; }
double cosine(double x, bool r) { double s, c; sinCos(x, r, s, c); return c; }
double tangent(double x, bool r) { double s, c; sinCos(x, r, s, c); return quotient(s, c); }
double secant(double x, bool r) { double s, c; sinCos(x, r, s, c); return quotient(1, c); }
double cosecant(double x, bool r) { double s, c; sinCos(x, r, s, c); return quotient(1, s); }
double cotangent(double x, bool r) { double s, c; sinCos(x, r, s, c); return quotient(c, s); }
double arctangent(double x, bool r) { return angleOut(std::atan(x), r); }
double naturalLog(double x, bool) { return x > 0 ? std::log(x) : NAN; }
double exponential(double x, bool) { return std::exp(x); }

double inverseSine(double x, bool r) { return std::fabs(x) <= 1 ? angleOut(std::asin(x), r) : NAN; }
double inverseCosine(double x, bool r) { return std::fabs(x) <= 1 ? angleOut(std::acos(x), r) : NAN; }
double inverseSecant(double x, bool r) {
    return std::fabs(x) >= 1 ? angleOut(std::acos(1 / x), r) : NAN;
}
double inverseCosecant(double x, bool r) {
    return std::fabs(x) >= 1 ? angleOut(std::asin(1 / x), r) : NAN;
}
// Values from 0 to a half turn, continuous through 0 (acot 0 = 90 degrees).
double inverseCotangent(double x, bool r) { return angleOut(kPi / 2 - std::atan(x), r); }

double hypSine(double x, bool) { return std::sinh(x); }
double hypCosine(double x, bool) { return std::cosh(x); }
double hypTangent(double x, bool) { return std::tanh(x); }
double hypSecant(double x, bool) { return 1 / std::cosh(x); }
double hypCosecant(double x, bool) { return x != 0 ? 1 / std::sinh(x) : NAN; }
double hypCotangent(double x, bool) { return x != 0 ? 1 / std::tanh(x) : NAN; }

double invHypSine(double x, bool) { return std::asinh(x); }
double invHypCosine(double x, bool) { return x >= 1 ? std::acosh(x) : NAN; }
double invHypTangent(double x, bool) { return std::fabs(x) < 1 ? std::atanh(x) : NAN; }
double invHypSecant(double x, bool) { return x > 0 && x <= 1 ? std::acosh(1 / x) : NAN; }
double invHypCosecant(double x, bool) { return x != 0 ? std::asinh(1 / x) : NAN; }
double invHypCotangent(double x, bool) { return std::fabs(x) > 1 ? std::atanh(1 / x) : NAN; }

}  // namespace

namespace {

const ScientificFunctions::Function* functionFor(CommandId id);

}  // namespace

// ---------------------------------------------------------------------------

const char* ScientificFunctions::angleUnit() const {
    return model_.modes().radians ? " rad" : " deg";
}

// Completes the entry and reads the readout value; false (after saying why)
// when there is no number to work on.
bool ScientificFunctions::takeReadout(Decimal& value) {
    if (!hasDigit(model_.readout())) {
        model_.feedback().beep();
        return false;
    }
    model_.setReadout(model_.validValue(model_.readout()));
    model_.normalizeReadout();
    try {
        value = model_.toDecimal(model_.readout());
    } catch (const DecimalError&) {
        model_.feedback().showMessage("Invalid value!", std::string(kProductName),
                                      MessageIcon::Information);
        return false;
    }
    model_.setHint("Press F1 for Help [Scientific]");
    return true;
}

void ScientificFunctions::finish(const std::string& call, const Decimal& result, const char* unit) {
    model_.showResult(result);
    model_.postToTape(call + " = " + tapeNumber(model_, result) + unit);
}

void ScientificFunctions::notDefined(const std::string& name, const Decimal& arg, const char* unit) {
    model_.feedback().showMessage(name + " of " + tapeNumber(model_, arg) + unit + " is not defined.",
                                  std::string(kProductName), MessageIcon::Exclamation);
}

void ScientificFunctions::tooLarge(const std::string& name, const Decimal& arg, const char* unit) {
    model_.feedback().showMessage(
        "The " + name + " of " + tapeNumber(model_, arg) + unit + " is too large for the calculator.",
        std::string(kProductName), MessageIcon::Exclamation);
}

void ScientificFunctions::applyDouble(const Function& f) {
    Decimal x;
    if (!takeReadout(x)) return;
    const bool radians = model_.modes().radians;
    const char* unit = angleUnit();
    const char* inUnit = f.angle == Function::In ? unit : "";
    const char* outUnit = f.angle == Function::Out ? unit : "";
    const char* inWords = f.angle == Function::In ? (radians ? " radians" : " degrees") : "";

    const double r = f.eval(x.toDouble(), radians);
    if (std::isnan(r)) {
        notDefined(std::string(commandText(f.id)), x, inWords);
        return;
    }
    Decimal result;
    try {
        result = Decimal::fromDouble(r);
    } catch (const DecimalError&) {
        tooLarge(std::string(commandText(f.id)), x, inWords);
        return;
    }
    finish(std::string(f.shortName) + "(" + tapeNumber(model_, x) + inUnit + ")", result, outUnit);
}

void ScientificFunctions::square() {
    Decimal x;
    if (!takeReadout(x)) return;
    Decimal result;
    try {
        result = x * x;
    } catch (const DecimalError&) {
        tooLarge(std::string(commandText(CommandId::Square)), x);
        return;
    }
    finish("sqr(" + tapeNumber(model_, x) + ")", result);
}

void ScientificFunctions::squareRoot() {
    Decimal x;
    if (!takeReadout(x)) return;
    if (x.isNegative()) {
        notDefined(std::string(commandText(CommandId::SquareRoot)), x);
        return;
    }
    Decimal y;
    if (!x.isZero()) {
        // A double start refined in decimal arithmetic gives the root to
        // the full precision of the readout (and exact roots exactly).
        y = Decimal::fromDouble(std::sqrt(x.toDouble()));
        for (int i = 0; i < 3 && !y.isZero(); ++i) y = (y + x / y) / Decimal(2);
        // An exact root loses its last-digit noise (sqrt 16 is 4, not 3.99...).
        try {
            const Decimal rounded = y.round(0);
            if (rounded * rounded == x) y = rounded;
        } catch (const DecimalError&) {
            // the square of the rounded root overflows: the root stays as it is
        }
    }
    finish("sqrt(" + tapeNumber(model_, x) + ")", y);
}

void ScientificFunctions::logarithmToBase() {
    Decimal x;
    if (!takeReadout(x)) return;
    const auto answer = model_.feedback().askText("Logarithm to which base?",
                                                  std::string(commandText(CommandId::LogarithmToBase)), "10");
    if (!answer || text::trim(*answer).empty()) return;
    Decimal base;
    try {
        base = model_.toDecimal(text::trim(*answer));
    } catch (const DecimalError&) {
        model_.feedback().showMessage("Invalid value!", std::string(kProductName), MessageIcon::Information);
        return;
    }
    if (base.isNegative() || base.isZero() || base == Decimal(1) || x.isNegative() || x.isZero()) {
        notDefined("Logarithm to Base " + tapeNumber(model_, base), x);
        return;
    }
    const double b = base.toDouble();
    const double v = x.toDouble();
    const double r = b == 10 ? std::log10(v) : b == 2 ? std::log2(v) : std::log(v) / std::log(b);
    finish("log_" + tapeNumber(model_, base) + "(" + tapeNumber(model_, x) + ")", Decimal::fromDouble(r));
}

void ScientificFunctions::apply(CommandId id) {
    if (const Function* f = functionFor(id)) applyDouble(*f);
}

void ScientificFunctions::reciprocal() {
    Decimal x;
    if (!takeReadout(x)) return;
    if (x.isZero()) {
        notDefined(std::string(commandText(CommandId::Reciprocal)), x);
        return;
    }
    Decimal result;
    try {
        result = Decimal(1) / x;
    } catch (const DecimalError&) {
        tooLarge(std::string(commandText(CommandId::Reciprocal)), x);
        return;
    }
    finish("1/(" + tapeNumber(model_, x) + ")", result);
}

void ScientificFunctions::setRadians(bool radians) {
    model_.modes().radians = radians;
    model_.notify();
}

void ScientificFunctions::enterConstant(int index) {
    static const char* const names[] = {"Pi", "e", "Golden Cut"};
    // 29 significant digits: as many as the readout's decimal type holds.
    static const char* const values[] = {"3.1415926535897932384626433833",
                                         "2.7182818284590452353602874714",
                                         "1.6180339887498948482045868344"};
    if (index < 0 || index > 2) return;
    const Decimal value = Decimal::parse(values[index]);
    model_.setHint("Press F1 for Help [Scientific]");
    model_.showResult(value, false);
    model_.postToTape(std::string(names[index]) + " = " + tapeNumber(model_, value));
}

void ScientificFunctions::convertToFractions() {
    Decimal x;
    if (!takeReadout(x)) return;
    bool approximate = false;
    const std::string fraction = fractionText(x, approximate);
    model_.postToTape(tapeNumber(model_, x) + (approximate ? " \xE2\x89\x88 " : " = ") + fraction);
}

// ---------------------------------------------------------------------------

namespace {

using F = ScientificFunctions::Function;
using C = CommandId;

const F kTrig[] = {
    {C::Sine, "sin", F::In, sine},
    {C::Cosine, "cos", F::In, cosine},
    {C::Tangent, "tan", F::In, tangent},
    {C::Arctangent, "atan", F::Out, arctangent},
    {C::NaturalLogarithm, "ln", F::None, naturalLog},
    {C::Exponential, "exp", F::None, exponential},
    {C::Secant, "sec", F::In, secant},
    {C::Cosecant, "csc", F::In, cosecant},
    {C::Cotangent, "cot", F::In, cotangent},
};

const F kInverse[] = {
    {C::InverseSine, "asin", F::Out, inverseSine},
    {C::InverseCosine, "acos", F::Out, inverseCosine},
    {C::InverseSecant, "asec", F::Out, inverseSecant},
    {C::InverseCosecant, "acsc", F::Out, inverseCosecant},
    {C::InverseCotangent, "acot", F::Out, inverseCotangent},
};

const F kHyperbolic[] = {
    {C::HyperbolicSine, "sinh", F::None, hypSine},
    {C::HyperbolicCosine, "cosh", F::None, hypCosine},
    {C::HyperbolicTangent, "tanh", F::None, hypTangent},
    {C::HyperbolicSecant, "sech", F::None, hypSecant},
    {C::HyperbolicCosecant, "csch", F::None, hypCosecant},
    {C::HyperbolicCotangent, "coth", F::None, hypCotangent},
};

const F kInverseHyperbolic[] = {
    {C::InverseHyperbolicSine, "asinh", F::None, invHypSine},
    {C::InverseHyperbolicCosine, "acosh", F::None, invHypCosine},
    {C::InverseHyperbolicTangent, "atanh", F::None, invHypTangent},
    {C::InverseHyperbolicSecant, "asech", F::None, invHypSecant},
    {C::InverseHyperbolicCosecant, "acsch", F::None, invHypCosecant},
    {C::InverseHyperbolicCotangent, "acoth", F::None, invHypCotangent},
};

const std::span<const F> kTables[] = {kTrig, kInverse, kHyperbolic, kInverseHyperbolic};

const ScientificFunctions::Function* functionFor(CommandId id) {
    for (std::span<const F> table : kTables)
        for (const F& f : table)
            if (f.id == id) return &f;
    return nullptr;
}

}  // namespace

void registerScientificCommands(CalculatorModel& model, ScientificFunctions& f) {
    auto& c = model.commands();
    c.add(CommandId::Square, [&f] { f.square(); });
    c.add(CommandId::SquareRoot, [&f] { f.squareRoot(); });
    for (std::span<const F> table : kTables)
        for (const F& fn : table) c.add(fn.id, [&f, id = fn.id] { f.apply(id); });
    c.add(CommandId::LogarithmToBase, [&f] { f.logarithmToBase(); });
    c.add(CommandId::Reciprocal, [&f] { f.reciprocal(); });
    Modes& m = model.modes();
    c.add(CommandId::Degrees, [&f] { f.setRadians(false); }, [&m] { return !m.radians; });
    c.add(CommandId::Radians, [&f] { f.setRadians(true); }, [&m] { return m.radians; });
    c.add(CommandId::Pi, [&f] { f.enterConstant(0); });
    c.add(CommandId::EConstant, [&f] { f.enterConstant(1); });
    c.add(CommandId::GoldenCut, [&f] { f.enterConstant(2); });
    c.add(CommandId::ConvertToFractions, [&f] { f.convertToFractions(); });
}

}  // namespace zorv::engine
