// The decimal type against the reference behaviour of OLE VT_DECIMAL
// (shared/decimal-facts.md): representation, arithmetic rounding and scale,
// overflow, text in both directions and the double conversions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/Decimal.h"

namespace zorv::engine {
namespace {

__extension__ typedef unsigned __int128 u128;

Decimal D(std::string_view text) { return Decimal::parse(text); }

// An exact decimal from its mantissa digits, scale and sign.
Decimal M(std::string_view mantissa, int scale, bool negative = false) {
    u128 v = 0;
    for (char c : mantissa) v = v * 10 + static_cast<unsigned>(c - '0');
    return Decimal::fromParts(static_cast<std::uint64_t>(v), static_cast<std::uint32_t>(v >> 64), scale, negative);
}

std::string mantissaOf(const Decimal& d) {
    u128 v = (u128(d.hi32()) << 64) | d.lo64();
    if (v == 0) return "0";
    std::string s;
    while (v) {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    }
    return s;
}

constexpr const char* kMax = "79228162514264337593543950335";

// ---------------------------------------------------------------------------
// Representation

TEST(DecimalRepresentation, MaxValueAndSmallestNonZero) {
    EXPECT_EQ(Decimal::maxValue().toString(), kMax);
    EXPECT_EQ(Decimal::maxValue().scale(), 0);
    EXPECT_EQ(M("1", 28).toString(), "0.0000000000000000000000000001");
    EXPECT_EQ(D("1E-28"), M("1", 28));
    EXPECT_EQ((-Decimal::maxValue()).toString(), std::string("-") + kMax);
}

TEST(DecimalRepresentation, ScaleAbove28IsInvalid) {
    EXPECT_THROW(Decimal::fromParts(1, 0, 29, false), std::invalid_argument);
    EXPECT_THROW(Decimal::fromParts(1, 0, -1, false), std::invalid_argument);
    EXPECT_NO_THROW(Decimal::fromParts(1, 0, 28, false));
}

TEST(DecimalRepresentation, NegativeZeroExistsButNeverPrints) {
    Decimal nz = -Decimal(0);
    EXPECT_TRUE(nz.signBit());
    EXPECT_FALSE(nz.isNegative());
    EXPECT_TRUE(nz.isZero());
    EXPECT_EQ(nz.toString(), "0");
    EXPECT_EQ(nz, Decimal(0));
    EXPECT_EQ(M("0", 3, true).toString(), "0");
    EXPECT_EQ((Decimal(0) * Decimal(-1)).toString(), "0");
}

TEST(DecimalRepresentation, IntegerConstructors) {
    EXPECT_EQ(Decimal(0).toString(), "0");
    EXPECT_EQ(Decimal(-42).toString(), "-42");
    EXPECT_EQ(Decimal(std::numeric_limits<long long>::min()).toString(), "-9223372036854775808");
    EXPECT_EQ(Decimal(std::numeric_limits<unsigned long long>::max()).toString(), "18446744073709551615");
    EXPECT_EQ(Decimal(std::int64_t{-5}).toString(), "-5");
    EXPECT_EQ(Decimal(std::uint64_t{7}).toString(), "7");
    EXPECT_EQ(Decimal(std::size_t{9}).toString(), "9");
    EXPECT_EQ(Decimal(3u).toString(), "3");
}

// ---------------------------------------------------------------------------
// Arithmetic: exact results keep their scale, inexact ones round half to even

struct ArithCase {
    const char* name;
    Decimal a;
    char op;
    Decimal b;
    const char* mantissa;  // expected mantissa digits
    int scale;             // expected scale
    bool negative;
};

Decimal apply(const Decimal& a, char op, const Decimal& b) {
    switch (op) {
        case '+': return a + b;
        case '-': return a - b;
        case '*': return a * b;
        default: return a / b;
    }
}

TEST(DecimalArithmetic, ExactAndRoundedResults) {
    const std::vector<ArithCase> cases = {
        // Add/sub: exact sum at the larger scale, not normalised.
        {"1.00+1 = 2.00", M("100", 2), '+', Decimal(1), "200", 2, false},
        {"1.5-1.5 keeps scale", M("15", 1), '-', M("15", 1), "0", 1, false},
        {"0.1+0.2", D("0.1"), '+', D("0.2"), "3", 1, false},
        {"-1.25+0.25", D("-1.25"), '+', D("0.25"), "100", 2, true},
        {"2-3.5", Decimal(2), '-', D("3.5"), "15", 1, true},
        // Dropping digits: half to even on the whole dropped part.
        {"5e27.5 + 5e27 (half even)", M("50000000000000000000000000005", 1), '+',
         M("5000000000000000000000000000", 0), "10000000000000000000000000000", 0, false},
        {"5e27.5 + 5e27+1 (half even up)", M("50000000000000000000000000005", 1), '+',
         M("5000000000000000000000000001", 0), "10000000000000000000000000002", 0, false},
        {"sticky beyond the half", M("5000000000000000000000000001", 28), '+',
         M("10000000000000000000000000000", 0), "10000000000000000000000000001", 0, false},
        {"below the half", M("4999999999999999999999999999", 28), '+', M("10000000000000000000000000001", 0),
         "10000000000000000000000000001", 0, false},
        {"1/3 + 1 keeps 28 digits", M("3333333333333333333333333333", 28), '+', Decimal(1),
         "13333333333333333333333333333", 28, false},
        {"1/3 + 10 drops one digit", M("3333333333333333333333333333", 28), '+', Decimal(10),
         "10333333333333333333333333333", 27, false},
        {"2/3 + 10 rounds up", M("6666666666666666666666666667", 28), '+', Decimal(10),
         "10666666666666666666666666667", 27, false},
        // Mul: exact product at s1+s2, not normalised.
        {"0.0005*0.002", M("5", 4), '*', M("2", 3), "10", 7, false},
        {"1.50*2 = 3.00", M("150", 2), '*', Decimal(2), "300", 2, false},
        {"-1.5*1.5", D("-1.5"), '*', D("1.5"), "225", 2, true},
        {"scale over 28, tie to even down", M("25", 21), '*', M("1", 8), "2", 28, false},
        {"scale over 28, tie to even up", M("35", 21), '*', M("1", 8), "4", 28, false},
        {"scale 28 exactly is kept", M("1", 20), '*', M("15", 8), "15", 28, false},
        {"1E-28 * 1E-28 underflows to 0", M("1", 28), '*', M("1", 28), "0", 28, false},
        {"(1/3)*(1/3)", M("3333333333333333333333333333", 28), '*', M("3333333333333333333333333333", 28),
         "1111111111111111111111111111", 28, false},
        {"MAX*0.5 rounds half to even", Decimal::maxValue(), '*', D("0.5"), "39614081257132168796771975168", 0,
         false},
        // Div: exact at the natural scale is returned as is.
        {"4.5/0.9 = 5", D("4.5"), '/', D("0.9"), "5", 0, false},
        {"45/0.9 = 50", Decimal(45), '/', D("0.9"), "50", 0, false},
        {"1.00/2 = 0.50", M("100", 2), '/', Decimal(2), "50", 2, false},
        {"6/-2", Decimal(6), '/', Decimal(-2), "3", 0, true},
        // Otherwise as many digits as fit, half even, trailing zeros stripped.
        {"1/3", Decimal(1), '/', Decimal(3), "3333333333333333333333333333", 28, false},
        {"2/3", Decimal(2), '/', Decimal(3), "6666666666666666666666666667", 28, false},
        {"100/3", Decimal(100), '/', Decimal(3), "33333333333333333333333333333", 27, false},
        {"1/0.3", Decimal(1), '/', D("0.3"), "33333333333333333333333333333", 28, false},
        {"1/4 = 0.25", Decimal(1), '/', Decimal(4), "25", 2, false},
        {"-1/8", Decimal(-1), '/', Decimal(8), "125", 3, true},
        {"MAX/2 ties to even", Decimal::maxValue(), '/', Decimal(2), "39614081257132168796771975168", 0, false},
        {"1/MAX is below 1E-28", Decimal(1), '/', Decimal::maxValue(), "0", 0, false},
        {"10/MAX", Decimal(10), '/', Decimal::maxValue(), "1", 28, false},
        {"too small becomes 0", D("0.9214206543486529434634231456"), '/', Decimal::maxValue(), "0", 0, false},
        // Divisors wider than 64 bits.
        {"1/7.92...", Decimal(1), '/', M(kMax, 28), "1262177448353618888658765704", 28, false},
        {"MAX/(MAX-1)", Decimal::maxValue(), '/', M("79228162514264337593543950334", 0), "1", 0, false},
        {"29 digits / 23 digits", M("12345678901234567890123456789", 0), '/', M("98765432109876543210987", 0),
         "12499999886093750001423910937", 23, false},
        {"by 2^64+1", M("12345678901234567890123456789", 5, true), '/', M("18446744073709551617", 3),
         "66926059427634869173046680398", 22, true},
        {"MAX/2^64", Decimal::maxValue(), '/', M("18446744073709551616", 0), "42949672959999999999999999999", 19,
         false},
        {"1/(2^64+1)", Decimal(1), '/', M("18446744073709551617", 0), "542101086", 28, false},
        {"7/1E-10 exact above scale 0", D("0.7"), '/', D("0.0000000001"), "7000000000", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Decimal r = apply(c.a, c.op, c.b);
        EXPECT_EQ(mantissaOf(r), c.mantissa);
        EXPECT_EQ(r.scale(), c.scale);
        EXPECT_EQ(r.isNegative(), c.negative);
    }
}

TEST(DecimalArithmetic, QuotientTexts) {
    EXPECT_EQ((Decimal(1) / Decimal(3)).toString(), "0.3333333333333333333333333333");
    EXPECT_EQ((Decimal(2) / Decimal(3)).toString(), "0.6666666666666666666666666667");
    EXPECT_EQ((Decimal(100) / Decimal(3)).toString(), "33.333333333333333333333333333");
    EXPECT_EQ((Decimal(1) / D("0.3")).toString(), "3.3333333333333333333333333333");
    EXPECT_EQ((Decimal(1) / Decimal(4)).toString(), "0.25");
    EXPECT_EQ((M("100", 2) / Decimal(2)).toString(), "0.5");
}

TEST(DecimalArithmetic, CompoundAssignment) {
    Decimal x = D("10");
    x += D("2.5");
    x -= D("0.5");
    x *= D("3");
    x /= D("4");
    EXPECT_EQ(x.toString(), "9");
}

struct OverflowCase {
    const char* name;
    Decimal a;
    char op;
    Decimal b;
};

TEST(DecimalArithmetic, OverflowOnlyWhenTheWholePartCannotFit) {
    const std::vector<OverflowCase> cases = {
        {"MAX+1", Decimal::maxValue(), '+', Decimal(1)},
        {"79228162514264337593543950335 + 1", D(kMax), '+', Decimal(1)},
        {"1.23456+MAX", D("1.23456"), '+', Decimal::maxValue()},
        {"MAX/0.1", Decimal::maxValue(), '/', D("0.1")},
        {"-MAX-1", -Decimal::maxValue(), '-', Decimal(1)},
        {"MAX*1.1", Decimal::maxValue(), '*', D("1.1")},
        {"MAX/0.3", Decimal::maxValue(), '/', D("0.3")},
        {"1E28*10", D("1E28"), '*', Decimal(10)},
        {"MAX+0.5 rounds past the limit", Decimal::maxValue(), '+', D("0.5")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(apply(c.a, c.op, c.b), DecimalOverflow);
    }
    // Lost fraction digits are silent.
    EXPECT_EQ((Decimal::maxValue() + D("0.4")).toString(), kMax);
    EXPECT_EQ((Decimal::maxValue() - D("0.5")).toString(), "79228162514264337593543950334");
    EXPECT_EQ((Decimal::maxValue() * D("1.0")).toString(), kMax);
}

TEST(DecimalArithmetic, DivisionByZero) {
    EXPECT_THROW(Decimal(1) / Decimal(0), DecimalDivideByZero);
    EXPECT_THROW(Decimal(0) / M("0", 5), DecimalDivideByZero);
    EXPECT_THROW(Decimal(1) / -Decimal(0), DecimalDivideByZero);
}

TEST(DecimalArithmetic, ErrorNumbers) {
    EXPECT_EQ(DecimalOverflow().errorNumber(), 6);
    EXPECT_EQ(DecimalTypeMismatch().errorNumber(), 13);
    EXPECT_EQ(DecimalDivideByZero().errorNumber(), 11);
}

// ---------------------------------------------------------------------------
// Round

struct RoundCase {
    const char* value;
    int places;
    const char* halfEven;
    const char* awayFromZero;
};

TEST(DecimalRound, HalfEvenAndHalfAwayFromZero) {
    const std::vector<RoundCase> cases = {
        {"0.5", 0, "0", "1"},          {"1.5", 0, "2", "2"},         {"2.5", 0, "2", "3"},
        {"-0.5", 0, "0", "-1"},        {"-1.5", 0, "-2", "-2"},      {"-2.5", 0, "-2", "-3"},
        {"2.51", 0, "3", "3"},         {"2.49", 0, "2", "2"},        {"1.2345", 3, "1.234", "1.235"},
        {"1.2355", 3, "1.236", "1.236"}, {"0.125", 2, "0.12", "0.13"}, {"7", 2, "7", "7"},
        {"0.3333333333333333333333333333", 10, "0.3333333333", "0.3333333333"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " to " + std::to_string(c.places));
        EXPECT_EQ(D(c.value).round(c.places).toString(), c.halfEven);
        EXPECT_EQ(D(c.value).round(c.places, Rounding::HalfAwayFromZero).toString(), c.awayFromZero);
    }
}

TEST(DecimalRound, ResultScaleIsThePlaces) {
    EXPECT_EQ(M("12345", 4).round(2).scale(), 2);
    EXPECT_EQ(mantissaOf(M("12345", 4).round(2)), "123");
    EXPECT_EQ(M("12000", 4).round(2).scale(), 2);   // 1.20, not normalised
    EXPECT_EQ(M("15", 1).round(3).scale(), 1);      // fewer decimals already
    EXPECT_EQ(M("95", 1).round(0).toString(), "10");
    EXPECT_EQ(Decimal::maxValue().round(0), Decimal::maxValue());
    EXPECT_THROW(Decimal(1).round(-1), std::invalid_argument);
}

// ---------------------------------------------------------------------------
// Comparison

TEST(DecimalCompare, ByValue) {
    EXPECT_EQ(D("1.0"), D("1.00"));
    EXPECT_EQ(M("10", 1), M("100", 2));
    EXPECT_EQ(-Decimal(0), Decimal(0));
    EXPECT_EQ(M("0", 5, true), M("0", 0));
    EXPECT_LT(D("1.5"), D("2"));
    EXPECT_LT(D("-2"), D("-1.5"));
    EXPECT_LT(D("-0.0000000000000000000000000001"), Decimal(0));
    EXPECT_GT(Decimal::maxValue(), M("79228162514264337593543950334", 0));
    EXPECT_GT(Decimal::maxValue(), M("1", 28));
    EXPECT_LT(M(kMax, 28), Decimal(8));  // alignment by 10^28 in 192 bits
    EXPECT_GT(M(kMax, 28), M("7922816251426433759354395033", 27));
    EXPECT_NE(D("1"), D("1.0000000000000000000000000001"));
    EXPECT_TRUE((D("3") <=> D("3.000")) == 0);
}

// ---------------------------------------------------------------------------
// Text to decimal

struct ParseCase {
    const char* text;
    const char* expected;  // toString of the result
    int scale;
};

TEST(DecimalParse, AcceptedForms) {
    const std::vector<ParseCase> cases = {
        {"12", "12", 0},
        {"  12  ", "12", 0},
        {"\t12\r\n", "12", 0},
        {"+12", "12", 0},
        {"-12", "-12", 0},
        {"- 12", "-12", 0},
        {"12-", "-12", 0},
        {"12+", "12", 0},
        {"12 -", "-12", 0},
        {"(12)", "-12", 0},
        {"( 12 )", "-12", 0},
        {"$12", "12", 0},
        {"-$12", "-12", 0},
        {"$-12", "-12", 0},
        {"12$", "12", 0},
        {"12$$", "12", 0},
        {"($1,234.50)", "-1234.5", 1},
        {"1.5e20", "150000000000000000000", 0},
        {"1.5E+2", "150", 0},
        {"15e-1", "1.5", 1},
        {"1e-28", "0.0000000000000000000000000001", 28},
        {"1.", "1", 0},
        {".5", "0.5", 1},
        {"-.5", "-0.5", 1},
        {"0012.", "12", 0},
        {"1,234.5", "1234.5", 1},
        {"1,234,567", "1234567", 0},
        {"1,2,3,4", "1234", 0},
        {"1,,234", "1234", 0},
        {"1234,", "1234", 0},
        {"1,234.5,6", "1234.56", 2},
        {"0,5", "5", 0},
        {"00,05", "5", 0},
        {"0.10", "0.1", 1},
        {"4294967296.0", "4294967296", 0},
        {"1.500", "1.5", 1},
        {"100", "100", 0},
        {"0", "0", 0},
        {"000", "0", 0},
        {"0.000", "0", 0},
        {"-0", "0", 0},
        {"0e99999999", "0", 0},
        {"1e-40", "0", 0},
        {kMax, kMax, 0},
        {"&HFF", "255", 0},
        {"&hff", "255", 0},
        {"&H0", "0", 0},
        {"&HFFFFFFFFFFFFFFFF", "18446744073709551615", 0},
        {"&O17", "15", 0},
        {"-&H10", "-16", 0},
        {"1\xC2\xA0", "1", 0},  // a no-break space counts as a blank
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Decimal d = D(c.text);
        EXPECT_EQ(d.toString(), c.expected);
        EXPECT_EQ(d.scale(), c.scale);
    }
}

TEST(DecimalParse, MinusZeroIsPositiveZero) {
    EXPECT_FALSE(D("-0").signBit());
    EXPECT_FALSE(D("-0.000").signBit());
    EXPECT_FALSE(D("(0)").signBit());
}

TEST(DecimalParse, TypeMismatch) {
    const char* bad[] = {
        "",      "   ",    "-",      "+",     ".",      "$",     "()",    "1-2",   "--1",   "++1",
        "+-1",   "-12-",   "1..1",   "1.1.",  "..1",    "1 2",   "1x",    "x1",    "(12",   "12)",
        "((12))", "$$12",  ",5",     ",",     "1e",     "1e+",   "1e5.5", "$1e5",  "e5",    "abc",
        "1,2.3.4", "&H",   "&O8",    "&HFG",  "&H1.5",  "12 $ x", "Infinity", "NaN", "0x10",  "1_000",
        "12--",  "12-+",   "1e5e5",  "1.2e3,4", "\xC2\xA0", "1 2 3",
    };
    for (const char* t : bad) {
        SCOPED_TRACE(t);
        EXPECT_THROW(D(t), DecimalTypeMismatch);
    }
}

TEST(DecimalParse, ThousandsSymbolNeverBeforeTheFirstDigit) {
    NumberSymbols fr{",", " ", "\xE2\x82\xAC"};
    EXPECT_EQ(Decimal::parse("1 00 0  ", fr).toString(), "1000");
    EXPECT_EQ(Decimal::parse("1 234,5", fr).toString(), "1234.5");
    EXPECT_THROW(Decimal::parse(" 1 000", fr), DecimalTypeMismatch);
    EXPECT_EQ(Decimal::parse("12\xE2\x82\xAC", fr).toString(), "12");
    EXPECT_EQ(Decimal::parse("\xE2\x82\xAC" "12,5", fr).toString(), "12.5");
    EXPECT_THROW(Decimal::parse("1.5", fr), DecimalTypeMismatch);
}

TEST(DecimalParse, NoBreakSpaceThousandsAlsoTakePlainBlanks) {
    NumberSymbols sym{",", "\xC2\xA0", "kr"};
    EXPECT_EQ(Decimal::parse("1\xC2\xA0" "234,5", sym).toString(), "1234.5");
    EXPECT_EQ(Decimal::parse("1 234,5", sym).toString(), "1234.5");
    EXPECT_EQ(Decimal::parse("12 kr", sym).toString(), "12");
    EXPECT_EQ(Decimal::parse("kr12", sym).toString(), "12");
}

TEST(DecimalParse, LocaleSymbols) {
    NumberSymbols de{",", ".", "EUR"};
    EXPECT_EQ(Decimal::parse("1.234,56", de).toString(), "1234.56");
    EXPECT_EQ(Decimal::parse("-0,5", de).toString(), "-0.5");
    EXPECT_EQ(Decimal::parse("12EUR", de).toString(), "12");
    EXPECT_EQ(Decimal::parse("12 EUR", de).toString(), "12");
    EXPECT_EQ(Decimal::parse("1,5e2", de).toString(), "150");
    EXPECT_THROW(Decimal::parse(".5", de), DecimalTypeMismatch);  // a thousands symbol before any digit

    // Multi-character symbols.
    NumberSymbols multi{"<>", "''", "US$"};
    EXPECT_EQ(Decimal::parse("US$1''234<>5", multi).toString(), "1234.5");
    EXPECT_EQ(Decimal::parse("<>25", multi).toString(), "0.25");
    EXPECT_THROW(Decimal::parse("1<>2<>3", multi), DecimalTypeMismatch);
    EXPECT_THROW(Decimal::parse("1<2", multi), DecimalTypeMismatch);

    // The decimal symbol masks an equal thousands symbol.
    NumberSymbols same{",", ",", "$"};
    EXPECT_EQ(Decimal::parse("1,5", same).toString(), "1.5");
    EXPECT_THROW(Decimal::parse("1,000,5", same), DecimalTypeMismatch);

    // An empty decimal symbol falls back to ".".
    NumberSymbols none{"", "", ""};
    EXPECT_EQ(Decimal::parse("2.5", none).toString(), "2.5");
}

TEST(DecimalParse, TooManyDigitsRoundHalfToEvenAtTheLimit) {
    EXPECT_EQ(D("0.66666666666666666666666666665000").toString(), "0.6666666666666666666666666666");
    EXPECT_EQ(D("0.66666666666666666666666666675").toString(), "0.6666666666666666666666666668");
    EXPECT_EQ(D("0.666666666666666666666666666650001").toString(), "0.6666666666666666666666666667");
    EXPECT_EQ(D("1.23456789012345678901234567890123456789").toString(), "1.2345678901234567890123456789");
    EXPECT_EQ(D("79228162514264337593543950335.4").toString(), kMax);
    EXPECT_EQ(D("7922816251426433759354395033.45").toString(), "7922816251426433759354395033.4");
    // Rounding up reaches 2^96: one decimal fewer.
    EXPECT_EQ(D("7922816251426433759354395033.55").toString(), "7922816251426433759354395034");
    EXPECT_EQ(D("0.99999999999999999999999999999").toString(), "1");
    EXPECT_EQ(D("0.00000000000000000000000000005").toString(), "0");
    EXPECT_EQ(D("0.000000000000000000000000000051").toString(), "0.0000000000000000000000000001");
    std::string longText = "1." + std::string(10000, '3');
    EXPECT_EQ(D(longText).toString(), "1.3333333333333333333333333333");
}

TEST(DecimalParse, Overflow) {
    EXPECT_THROW(D("79228162514264337593543950336"), DecimalOverflow);
    EXPECT_THROW(D("79228162514264337593543950335.5"), DecimalOverflow);
    EXPECT_THROW(D("100000000000000000000000000000"), DecimalOverflow);
    EXPECT_THROW(D("1e29"), DecimalOverflow);
    EXPECT_THROW(D("-1e99999999999"), DecimalOverflow);
    EXPECT_THROW(D("&H10000000000000000"), DecimalOverflow);
    // A text that is not a number at all is a type mismatch even when long.
    EXPECT_THROW(D("1e99999 x"), DecimalTypeMismatch);
}

TEST(DecimalParse, RoundTripOfToString) {
    const char* texts[] = {"0", "1", "-1", "0.0009", "123.456", kMax, "-0.0000000000000000000000000001",
                           "3.3333333333333333333333333333"};
    for (const char* t : texts) {
        SCOPED_TRACE(t);
        Decimal d = D(t);
        EXPECT_EQ(D(d.toString()), d);
        EXPECT_EQ(d.toString(), t);
    }
}

// ---------------------------------------------------------------------------
// Decimal to text

TEST(DecimalToString, PlainDigits) {
    EXPECT_EQ(M("1500", 3).toString(), "1.5");
    EXPECT_EQ(M("1000", 3).toString(), "1");
    EXPECT_EQ(M("9", 4).toString(), "0.0009");
    EXPECT_EQ(M("9", 4, true).toString(), "-0.0009");
    EXPECT_EQ(M("123456", 2).toString(), "1234.56");
    EXPECT_EQ(M("123456", 2).toString(","), "1234,56");
    EXPECT_EQ(M("123456", 2).toString("<>"), "1234<>56");
    EXPECT_EQ(M("100", 0).toString(), "100");
    EXPECT_EQ(M("1", 28).toString(","), "0,0000000000000000000000000001");
    EXPECT_EQ(M("10000000000000000000000000000", 28).toString(), "1");
    EXPECT_EQ(D("1E28").toString(), "10000000000000000000000000000");  // never an exponent
    EXPECT_EQ(M("0", 2).toString(), "0");
}

// ---------------------------------------------------------------------------
// Double to decimal and back

struct FromDoubleCase {
    double value;
    const char* expected;
};

TEST(DecimalFromDouble, FifteenSignificantDigits) {
    const std::vector<FromDoubleCase> cases = {
        {0.1 + 0.2, "0.3"},
        {2.0123456789123456, "2.01234567891235"},
        {100000000000000.1, "100000000000000"},
        {0.1, "0.1"},
        {-0.1, "-0.1"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345678.0, "123456789012346000"},
        {1e28, "10000000000000000000000000000"},
        {7.9e28, "79000000000000000000000000000"},
        {1234567890123455.0, "1234567890123460"},  // exact tie, 5 is odd: up
        {1234567890123445.0, "1234567890123440"},  // exact tie, 4 is even: down
        {0.5, "0.5"},
        {1e-28, "0.0000000000000000000000000001"},
        {1.23456789012345e-20, "0.0000000000000000000123456789"},  // at most 28 decimals
        {0.0, "0"},
        {-0.0, "0"},
        {0x1p-96, "0"},
        {999999999999999.9, "1000000000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Decimal::fromDouble(c.value).toString(), c.expected);
    }
    EXPECT_EQ(Decimal::fromDouble(0.1 + 0.2).scale(), 1);
    EXPECT_FALSE(Decimal::fromDouble(-0.0).signBit());
    EXPECT_FALSE(Decimal::fromDouble(-0x1p-100).signBit());
}

TEST(DecimalFromDouble, Overflow) {
    EXPECT_THROW(Decimal::fromDouble(std::numeric_limits<double>::infinity()), DecimalOverflow);
    EXPECT_THROW(Decimal::fromDouble(-std::numeric_limits<double>::infinity()), DecimalOverflow);
    EXPECT_THROW(Decimal::fromDouble(std::numeric_limits<double>::quiet_NaN()), DecimalOverflow);
    EXPECT_THROW(Decimal::fromDouble(0x1p96), DecimalOverflow);
    EXPECT_THROW(Decimal::fromDouble(-0x1p96), DecimalOverflow);
    EXPECT_THROW(Decimal::fromDouble(1e300), DecimalOverflow);
    EXPECT_NO_THROW(Decimal::fromDouble(std::nextafter(0x1p96, 0.0)));
}

TEST(DecimalToDouble, TwoRoundings) {
    EXPECT_EQ(D("0.1").toDouble(), 0.1);
    EXPECT_EQ(D("-2.5").toDouble(), -2.5);
    EXPECT_EQ(Decimal::maxValue().toDouble(), 0x1p96);
    const Decimal m = M(kMax, 28);
    const double expected =
        (static_cast<double>(m.lo64()) + static_cast<double>(m.hi32()) * 18446744073709551616.0) / 1e28;
    EXPECT_EQ(m.toDouble(), expected);
    EXPECT_EQ((Decimal(1) / Decimal(3)).toDouble(),
              (static_cast<double>((Decimal(1) / Decimal(3)).lo64()) +
               static_cast<double>((Decimal(1) / Decimal(3)).hi32()) * 18446744073709551616.0) /
                  1e28);
    EXPECT_EQ(Decimal(0).toDouble(), 0.0);
}

TEST(DecimalParseDouble, SameGrammarIntoADouble) {
    EXPECT_EQ(Decimal::parseDouble("1,234.5"), 1234.5);
    EXPECT_EQ(Decimal::parseDouble("(0.1)"), -0.1);
    EXPECT_EQ(Decimal::parseDouble("1e300"), 1e300);
    EXPECT_EQ(Decimal::parseDouble("1e-400"), 0.0);
    EXPECT_EQ(Decimal::parseDouble("&HFF"), 255.0);
    EXPECT_EQ(Decimal::parseDouble("0.1000000000000000055511151231257827021181583404541015625"), 0.1);
    EXPECT_THROW(Decimal::parseDouble("1e400"), DecimalOverflow);
    EXPECT_THROW(Decimal::parseDouble("1..2"), DecimalTypeMismatch);
}

}  // namespace
}  // namespace zorv::engine
