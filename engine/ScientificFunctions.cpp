#include "ScientificFunctions.h"

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

const ScientificFunctions::Function* trigFunction(int index);
const ScientificFunctions::Function* inverseFunction(int index);
const ScientificFunctions::Function* hyperbolicFunction(int index);
const ScientificFunctions::Function* inverseHyperbolicFunction(int index);

}  // namespace

// ---------------------------------------------------------------------------

const char* ScientificFunctions::angleUnit() const {
    return model_.modes().SciRadians ? " rad" : " deg";
}

// Completes the entry and reads the readout value; false (after saying why)
// when there is no number to work on.
bool ScientificFunctions::takeReadout(Decimal& value) {
    if (!hasDigit(model_.readout())) {
        model_.feedback().beep();
        return false;
    }
    model_.setReadout(model_.ValidValue(model_.readout()));
    model_.NormalizeReadout();
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
    model_.PostToTape(call + " = " + tapeNumber(model_, result) + unit);
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
    const bool radians = model_.modes().SciRadians;
    const char* unit = angleUnit();
    const char* inUnit = f.angle == Function::In ? unit : "";
    const char* outUnit = f.angle == Function::Out ? unit : "";
    const char* inWords = f.angle == Function::In ? (radians ? " radians" : " degrees") : "";

    const double r = f.eval(x.toDouble(), radians);
    if (std::isnan(r)) {
        notDefined(f.name, x, inWords);
        return;
    }
    Decimal result;
    try {
        result = Decimal::fromDouble(r);
    } catch (const DecimalError&) {
        tooLarge(f.name, x, inWords);
        return;
    }
    finish(std::string(f.shortName) + "(" + tapeNumber(model_, x) + inUnit + ")", result, outUnit);
}

void ScientificFunctions::cmdSqr_Click() {
    Decimal x;
    if (!takeReadout(x)) return;
    Decimal result;
    try {
        result = x * x;
    } catch (const DecimalError&) {
        tooLarge("Square", x);
        return;
    }
    finish("sqr(" + tapeNumber(model_, x) + ")", result);
}

void ScientificFunctions::cmdSqrRt_Click() {
    Decimal x;
    if (!takeReadout(x)) return;
    if (x.isNegative()) {
        notDefined("Square Root", x);
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

void ScientificFunctions::mnuTrig_Click(int index) {
    if (index == 10) {
        Decimal x;
        if (!takeReadout(x)) return;
        const auto answer = model_.feedback().askText("Logarithm to which base?",
                                                      "Logarithm to Base N", "10");
        if (!answer || text::trim(*answer).empty()) return;
        Decimal base;
        try {
            base = model_.toDecimal(text::trim(*answer));
        } catch (const DecimalError&) {
            model_.feedback().showMessage("Invalid value!", std::string(kProductName),
                                          MessageIcon::Information);
            return;
        }
        const std::string name = "Logarithm to Base " + tapeNumber(model_, base);
        if (!base.isNegative() && !base.isZero() && base != Decimal(1) && !x.isNegative() &&
            !x.isZero()) {
            const double b = base.toDouble();
            const double v = x.toDouble();
            const double r = b == 10 ? std::log10(v) : b == 2 ? std::log2(v) : std::log(v) / std::log(b);
            finish("log_" + tapeNumber(model_, base) + "(" + tapeNumber(model_, x) + ")",
                   Decimal::fromDouble(r));
        } else {
            notDefined(name, x);
        }
        return;
    }
    if (const Function* f = trigFunction(index)) applyDouble(*f);
}

void ScientificFunctions::mnuTringInverse_Click(int index) {
    if (const Function* f = inverseFunction(index)) applyDouble(*f);
}

void ScientificFunctions::mnuTringHyperbolic_Click(int index) {
    if (const Function* f = hyperbolicFunction(index)) applyDouble(*f);
}

void ScientificFunctions::mnuTrigInverseHyperbolic_Click(int index) {
    if (const Function* f = inverseHyperbolicFunction(index)) applyDouble(*f);
}

void ScientificFunctions::mnuReciprocal_Click() {
    Decimal x;
    if (!takeReadout(x)) return;
    if (x.isZero()) {
        notDefined("Reciprocal", x);
        return;
    }
    Decimal result;
    try {
        result = Decimal(1) / x;
    } catch (const DecimalError&) {
        tooLarge("Reciprocal", x);
        return;
    }
    finish("1/(" + tapeNumber(model_, x) + ")", result);
}

void ScientificFunctions::mnuSciInput_Click(int index) {
    if (index != 1 && index != 2) return;
    model_.modes().SciRadians = index == 2;
    model_.notify();
}

void ScientificFunctions::mnuSciValues_Click(int index) {
    static const char* const names[] = {"Pi", "e", "Golden Cut"};
    // 29 significant digits: as many as the readout's decimal type holds.
    static const char* const values[] = {"3.1415926535897932384626433833",
                                         "2.7182818284590452353602874714",
                                         "1.6180339887498948482045868344"};
    if (index < 0 || index > 2) return;
    const Decimal value = Decimal::parse(values[index]);
    model_.setHint("Press F1 for Help [Scientific]");
    model_.showResult(value, false);
    model_.PostToTape(std::string(names[index]) + " = " + tapeNumber(model_, value));
}

void ScientificFunctions::mnuFractions_Click() {
    Decimal x;
    if (!takeReadout(x)) return;
    bool approximate = false;
    const std::string fraction = fractionText(x, approximate);
    model_.PostToTape(tapeNumber(model_, x) + (approximate ? " \xE2\x89\x88 " : " = ") + fraction);
}

// ---------------------------------------------------------------------------

namespace {

using F = ScientificFunctions::Function;

const F kTrig[] = {
    {"Sine", "sin", F::In, sine},
    {"Cosine", "cos", F::In, cosine},
    {"Tangent", "tan", F::In, tangent},
    {"Arctangent", "atan", F::Out, arctangent},
    {"Natural Logarithm", "ln", F::None, naturalLog},
    {"Exp (Base of Natural Log)", "exp", F::None, exponential},
    {nullptr, nullptr, F::None, nullptr},  // index 6 is a menu separator
    {"Secant", "sec", F::In, secant},
    {"Cosecant", "csc", F::In, cosecant},
    {"Cotangent", "cot", F::In, cotangent},
};

const F kInverse[] = {
    {"Inverse Sine", "asin", F::Out, inverseSine},
    {"Inverse Cosine", "acos", F::Out, inverseCosine},
    {"Inverse Secant", "asec", F::Out, inverseSecant},
    {"Inverse Cosecant", "acsc", F::Out, inverseCosecant},
    {"Inverse Cotangent", "acot", F::Out, inverseCotangent},
};

const F kHyperbolic[] = {
    {"Hyperbolic Sine", "sinh", F::None, hypSine},
    {"Hyperbolic Cosine", "cosh", F::None, hypCosine},
    {"Hyperbolic Tangent", "tanh", F::None, hypTangent},
    {"Hyperbolic Secant", "sech", F::None, hypSecant},
    {"Hyperbolic Cosecant", "csch", F::None, hypCosecant},
    {"Hyperbolic Cotangent", "coth", F::None, hypCotangent},
};

const F kInverseHyperbolic[] = {
    {"Inverse Hyperbolic Sine", "asinh", F::None, invHypSine},
    {"Inverse Hyperbolic Cosine", "acosh", F::None, invHypCosine},
    {"Inverse Hyperbolic Tangent", "atanh", F::None, invHypTangent},
    {"Inverse Hyperbolic Secant", "asech", F::None, invHypSecant},
    {"Inverse Hyperbolic Cosecant", "acsch", F::None, invHypCosecant},
    {"Inverse Hyperbolic Cotangent", "acoth", F::None, invHypCotangent},
};

template <std::size_t N>
const ScientificFunctions::Function* pick(const ScientificFunctions::Function (&table)[N], int i) {
    if (i < 0 || i >= static_cast<int>(N) || !table[i].eval) return nullptr;
    return &table[i];
}

const ScientificFunctions::Function* trigFunction(int index) { return pick(kTrig, index); }
const ScientificFunctions::Function* inverseFunction(int index) { return pick(kInverse, index - 1); }
const ScientificFunctions::Function* hyperbolicFunction(int index) {
    return pick(kHyperbolic, index - 1);
}
const ScientificFunctions::Function* inverseHyperbolicFunction(int index) {
    return pick(kInverseHyperbolic, index - 1);
}

}  // namespace

void registerScientificCommands(CalculatorModel& model, ScientificFunctions& f) {
    auto& c = model.commands();
    c.add(CommandId::Square, [&f] { f.cmdSqr_Click(); });
    c.add(CommandId::SquareRoot, [&f] { f.cmdSqrRt_Click(); });

    using C = CommandId;
    // The function numbers the trigonometric handler takes; 6 is unused.
    const std::pair<C, int> trig[] = {{C::Sine, 0},      {C::Cosine, 1},           {C::Tangent, 2},
                                      {C::Arctangent, 3}, {C::NaturalLogarithm, 4}, {C::Exponential, 5},
                                      {C::Secant, 7},    {C::Cosecant, 8},          {C::Cotangent, 9},
                                      {C::LogarithmToBase, 10}};
    for (const auto& [id, i] : trig) c.add(id, [&f, i = i] { f.mnuTrig_Click(i); });

    const C inverse[] = {C::InverseSine, C::InverseCosine, C::InverseSecant, C::InverseCosecant,
                         C::InverseCotangent};
    for (int i = 1; i <= 5; ++i) c.add(inverse[i - 1], [&f, i] { f.mnuTringInverse_Click(i); });

    const C hyperbolic[] = {C::HyperbolicSine,    C::HyperbolicCosine,   C::HyperbolicTangent,
                            C::HyperbolicSecant,  C::HyperbolicCosecant, C::HyperbolicCotangent};
    const C inverseHyperbolic[] = {C::InverseHyperbolicSine,    C::InverseHyperbolicCosine,
                                   C::InverseHyperbolicTangent, C::InverseHyperbolicSecant,
                                   C::InverseHyperbolicCosecant, C::InverseHyperbolicCotangent};
    for (int i = 1; i <= 6; ++i) {
        c.add(hyperbolic[i - 1], [&f, i] { f.mnuTringHyperbolic_Click(i); });
        c.add(inverseHyperbolic[i - 1], [&f, i] { f.mnuTrigInverseHyperbolic_Click(i); });
    }

    c.add(CommandId::Reciprocal, [&f] { f.mnuReciprocal_Click(); });
    Modes& m = model.modes();
    c.add(CommandId::Degrees, [&f] { f.mnuSciInput_Click(1); }, [&m] { return !m.SciRadians; });
    c.add(CommandId::Radians, [&f] { f.mnuSciInput_Click(2); }, [&m] { return m.SciRadians; });
    c.add(CommandId::Pi, [&f] { f.mnuSciValues_Click(0); });
    c.add(CommandId::EConstant, [&f] { f.mnuSciValues_Click(1); });
    c.add(CommandId::GoldenCut, [&f] { f.mnuSciValues_Click(2); });
    c.add(CommandId::ConvertToFractions, [&f] { f.mnuFractions_Click(); });
}

}  // namespace zorv::engine
