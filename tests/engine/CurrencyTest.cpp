// The fixed-point currency value (OLE CURRENCY): 1/10000 units in 64 bits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/Currency.h"

namespace zorv::engine {
namespace {

constexpr std::int64_t kMinUnits = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMaxUnits = std::numeric_limits<std::int64_t>::max();

TEST(CurrencyRange, TextOfTheLimits) {
    EXPECT_EQ(Currency::fromUnits(kMaxUnits).toString(), "922337203685477.5807");
    EXPECT_EQ(Currency::fromUnits(kMinUnits).toString(), "-922337203685477.5808");
    EXPECT_EQ(Currency::fromUnits(kMinUnits).toDecimal().toString(), "-922337203685477.5808");
}

struct FromDoubleCase {
    double value;
    std::int64_t units;
};

TEST(CurrencyFromDouble, TimesTenThousandRoundedHalfToEven) {
    const std::vector<FromDoubleCase> cases = {
        {0.0, 0},
        {1.0, 10000},
        {-1.0, -10000},
        {1.23456, 12346},
        // The 80-bit product is exact (53 + 14 bits), so these keep the
        // binary error of the double: 0.00015 is a little below 1.5 units,
        // 0.00025 a little above 2.5. A double product would give 2 for both.
        {0.00015, 1},
        {0.00025, 3},
        {-0.00025, -3},
        {0.0001 * 3, 3},
        {0.5, 5000},
        {123456.78901, 1234567890},
        {922337203685477.5, 9223372036854775000},
        // x87 80-bit product: 0.00005 is a little above 5E-05 and stays so.
        {0.00005, 1},
        {-0.00005, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Currency::fromDouble(c.value).units(), c.units);
    }
}

TEST(CurrencyFromDouble, Overflow) {
    EXPECT_THROW(Currency::fromDouble(1e15), DecimalOverflow);
    EXPECT_THROW(Currency::fromDouble(-1e15), DecimalOverflow);
    EXPECT_THROW(Currency::fromDouble(922337203685477.625), DecimalOverflow);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::infinity()), DecimalOverflow);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()), DecimalOverflow);
}

TEST(CurrencyFromDecimal, HalfEvenToFourPlaces) {
    EXPECT_EQ(Currency::fromDecimal(Decimal::parse("1.23455")).units(), 12346);
    EXPECT_EQ(Currency::fromDecimal(Decimal::parse("1.23445")).units(), 12344);
    EXPECT_EQ(Currency::fromDecimal(Decimal::parse("0.00005")).units(), 0);
    EXPECT_EQ(Currency::fromDecimal(Decimal::parse("0.00015")).units(), 2);
    EXPECT_EQ(Currency::fromDecimal(Decimal::parse("-0.00015")).units(), -2);
    EXPECT_EQ(Currency::fromDecimal(Decimal::parse("0.000050000000000001")).units(), 1);
    EXPECT_EQ(Currency::fromDecimal(Decimal::parse("12")).units(), 120000);
    EXPECT_EQ(Currency::fromDecimal(Decimal::parse("922337203685477.5807")).units(), kMaxUnits);
    EXPECT_EQ(Currency::fromDecimal(Decimal::parse("-922337203685477.5808")).units(), kMinUnits);
    EXPECT_THROW(Currency::fromDecimal(Decimal::parse("922337203685477.5808")), DecimalOverflow);
    EXPECT_THROW(Currency::fromDecimal(Decimal::parse("-922337203685477.5809")), DecimalOverflow);
    EXPECT_THROW(Currency::fromDecimal(Decimal::maxValue()), DecimalOverflow);
}

TEST(CurrencyConversions, ToDoubleAndDecimal) {
    EXPECT_EQ(Currency::fromUnits(12345).toDouble(), 12345 / 10000.0);
    EXPECT_EQ(Currency::fromUnits(-5).toDouble(), -0.0005);
    EXPECT_EQ(Currency::fromUnits(15000).toDecimal(), Decimal::parse("1.5"));
    EXPECT_EQ(Currency::fromUnits(15000).toDecimal().scale(), 4);
}

TEST(CurrencyText, LikeDecimalText) {
    EXPECT_EQ(Currency::fromUnits(15000).toString(), "1.5");
    EXPECT_EQ(Currency::fromUnits(10000).toString(), "1");
    EXPECT_EQ(Currency::fromUnits(-1).toString(), "-0.0001");
    EXPECT_EQ(Currency::fromUnits(0).toString(), "0");
    EXPECT_EQ(Currency::fromUnits(12345678).toString(","), "1234,5678");
}

TEST(CurrencyParse, DigitsThroughDouble) {
    EXPECT_EQ(Currency::parse("1.23456").units(), 12346);
    EXPECT_EQ(Currency::parse("$1,234.50").units(), 12345000);
    EXPECT_EQ(Currency::parse("(2.5)").units(), -25000);
    EXPECT_EQ(Currency::parse("0.00005").units(), 1);  // via the double, as VarCyFromStr does
    EXPECT_EQ(Currency::parse("1,5", NumberSymbols{",", ".", "EUR"}).units(), 15000);
    EXPECT_EQ(Currency::parse("1e-30").units(), 0);
    EXPECT_THROW(Currency::parse("1e15"), DecimalOverflow);
    EXPECT_THROW(Currency::parse("1e400"), DecimalOverflow);
    EXPECT_THROW(Currency::parse("abc"), DecimalTypeMismatch);
    EXPECT_THROW(Currency::parse(""), DecimalTypeMismatch);
}

TEST(CurrencyRound, HalfToEven) {
    EXPECT_EQ(Currency::fromUnits(5000).round(0).units(), 0);       // 0.5 -> 0
    EXPECT_EQ(Currency::fromUnits(15000).round(0).units(), 20000);  // 1.5 -> 2
    EXPECT_EQ(Currency::fromUnits(25000).round(0).units(), 20000);
    EXPECT_EQ(Currency::fromUnits(-15000).round(0).units(), -20000);
    EXPECT_EQ(Currency::fromUnits(12345).round(2).units(), 12300);
    EXPECT_EQ(Currency::fromUnits(12350).round(2).units(), 12400);
    EXPECT_EQ(Currency::fromUnits(12345).round(4).units(), 12345);
    EXPECT_EQ(Currency::fromUnits(12345).round(9).units(), 12345);
    EXPECT_THROW(Currency::fromUnits(kMaxUnits).round(0), DecimalOverflow);
    EXPECT_THROW(Currency::fromUnits(1).round(-1), std::invalid_argument);
}

TEST(CurrencyArithmetic, ExactWithOverflowChecks) {
    const Currency a = Currency::fromUnits(12345), b = Currency::fromUnits(-2);
    EXPECT_EQ((a + b).units(), 12343);
    EXPECT_EQ((a - b).units(), 12347);
    EXPECT_EQ((a * 3LL).units(), 37035);
    // 1.2345 * 2.5 = 3.08625 -> 3.0862 (half even)
    EXPECT_EQ((a * Currency::fromUnits(25000)).units(), 30862);
    // 0.0001 * 0.5 = 0.00005 -> 0; 0.0003 * 0.5 = 0.00015 -> 0.0002
    EXPECT_EQ((Currency::fromUnits(1) * Currency::fromUnits(5000)).units(), 0);
    EXPECT_EQ((Currency::fromUnits(3) * Currency::fromUnits(5000)).units(), 2);
    EXPECT_EQ((Currency::fromUnits(-3) * Currency::fromUnits(5000)).units(), -2);
    EXPECT_EQ((Currency::fromUnits(kMinUnits) * Currency::fromUnits(10000)).units(), kMinUnits);
    EXPECT_THROW(Currency::fromUnits(kMaxUnits) + Currency::fromUnits(1), DecimalOverflow);
    EXPECT_THROW(Currency::fromUnits(kMinUnits) - Currency::fromUnits(1), DecimalOverflow);
    EXPECT_THROW(Currency::fromUnits(kMaxUnits) * 2LL, DecimalOverflow);
    EXPECT_THROW(Currency::fromUnits(kMaxUnits) * Currency::fromUnits(20000), DecimalOverflow);
    EXPECT_THROW(Currency::fromUnits(kMinUnits) * Currency::fromUnits(-10000), DecimalOverflow);
    EXPECT_LT(b, a);
    EXPECT_EQ(Currency::fromUnits(7), Currency::fromUnits(7));
}

}  // namespace
}  // namespace zorv::engine
