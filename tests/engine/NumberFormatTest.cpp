// Number text in and out: grouping, financial rounding, cleaning typed text
// and the forms numbers take on the tape, with the default and with other
// locale symbols.
#include <gtest/gtest.h>

#include "engine/NumberFormat.h"

using namespace zorv::engine;

namespace {

struct Fmt {
    Modes modes;
    NumberFormat f;
    explicit Fmt(NumberSymbols s = {}) : f(std::move(s), modes) {}
};

NumberSymbols commaDecimal() { return {",", ".", "\xE2\x82\xAC"}; }

}  // namespace

TEST(NumberFormat, GroupedGroupsTheWholePart) {
    Fmt t;
    const std::pair<const char*, const char*> cases[] = {
        {"1234567.", "1,234,567."}, {"-1234.5", "-1,234.5"}, {"123.", "123."},
        {"-123.", "-123."},         {"1234", "1234"},        {"1000.25", "1,000.25"}};
    for (auto [in, out] : cases) EXPECT_EQ(t.f.grouped(in), out) << in;
    t.modes.formatNumbers = false;  // read on every call
    EXPECT_EQ(t.f.grouped("1234567."), "1234567.");
}

TEST(NumberFormat, FinancialRoundsHalfAwayAndPadsDecimals) {
    Fmt t;
    const std::pair<const char*, const char*> cases[] = {
        {"8", "8.00"}, {"8.", "8.00"}, {"0.125", "0.13"}, {"-0.125", "-0.13"},
        {"2.5", "2.50"}, {"-0.001", "0.00"}, {"1234.5678", "1234.57"}};
    for (auto [in, out] : cases) EXPECT_EQ(t.f.financial(in), out) << in;
    t.modes.decimalPlaces = 4;
    EXPECT_EQ(t.f.financial("1.5"), "1.5000");
    EXPECT_EQ(t.f.financial("abc"), "abc");
}

TEST(NumberFormat, FinancialFollowsTheResultRounding) {
    using R = Modes::ResultRounding;
    struct Case {
        R rounding;
        const char* in;
        const char* out;
    };
    const Case cases[] = {{R::HalfEven, "0.125", "0.12"}, {R::HalfEven, "0.135", "0.14"},
                          {R::Up, "0.121", "0.13"},       {R::Up, "-0.121", "-0.13"},
                          {R::Down, "0.129", "0.12"},     {R::Down, "-0.129", "-0.12"}};
    for (const Case& c : cases) {
        Fmt t;
        t.modes.rounding = c.rounding;
        EXPECT_EQ(t.f.financial(c.in), c.out) << c.in;
    }
}

TEST(NumberFormat, OtherLocaleSymbols) {
    Fmt t(commaDecimal());
    EXPECT_EQ(t.f.grouped("-1234567,5"), "-1.234.567,5");
    EXPECT_EQ(t.f.financial("2,345"), "2,35");
    EXPECT_EQ(t.f.withDecimalSymbol("7"), "7,");
    EXPECT_EQ(t.f.currencyPrefix(), "\xE2\x82\xAC ");
    EXPECT_EQ(t.f.purge("\xE2\x82\xAC 1.234,50", false), "1234,5");
    EXPECT_EQ(t.f.toText(t.f.toDecimal("0,25")), "0,25");
    // A symbol of more than one byte is kept whole by the cleaner.
    Fmt wide({"\xC2\xB7", "'", "$"});
    EXPECT_EQ(wide.f.purge("1'000\xC2\xB7" "5", false), "1000\xC2\xB7" "5");
}

TEST(NumberFormat, EmptySymbolFallsBackToThePoint) {
    Fmt t({"", ",", "$"});
    EXPECT_EQ(t.f.decimalSymbol(), ".");
    EXPECT_EQ(t.f.canonical("3.50"), "3.5");
}

TEST(NumberFormat, PurgeAndCanonical) {
    Fmt t;
    EXPECT_EQ(t.f.purge("0012.", false), "12");
    EXPECT_EQ(t.f.purge("  ", false), "");
    EXPECT_EQ(t.f.purge("1-2", false), std::nullopt);
    EXPECT_EQ(t.f.purge("5' 3\" x", true), "5'3\"");
    EXPECT_EQ(t.f.purge("5' 3\" x", false), "53");
    EXPECT_EQ(t.f.canonical("12.50"), "12.5");
    EXPECT_EQ(t.f.canonical("x"), std::nullopt);
    EXPECT_EQ(t.f.canonical("79228162514264337593543950336"), std::nullopt);  // overflow
}

// What the operator keys and "=" write on the tape in the main mode
// combinations.
TEST(NumberFormat, TapeEntryAndTotalLines) {
    struct Case {
        bool financial, autoDecimal, formatNumbers;
        const char* in;
        const char* entry;
        const char* total;
    };
    const Case cases[] = {
        {true, false, true, "1234.5", "1,234.50", "1,234.50"},
        {true, false, true, " 7 ", "7.00", "7.00"},
        {false, false, true, "1234", "1,234", "1,234."},
        {false, false, false, "1234", "1234", "1234."},
        {false, true, true, "1234.567", "1,234.57", "1,234.567"},
        {false, false, true, "-1234.5", "-1,234.5", "-1,234.5"},
    };
    for (const Case& c : cases) {
        Fmt t;
        t.modes.financial = c.financial;
        t.modes.autoDecimal = c.autoDecimal;
        t.modes.formatNumbers = c.formatNumbers;
        EXPECT_EQ(t.f.entryNumber(c.in), c.entry) << c.in;
        EXPECT_EQ(t.f.totalLine(c.in), c.total) << c.in;
    }
    Fmt t;
    EXPECT_EQ(t.f.entryNumber(Decimal::parse("-0.5")), "-0.50");
}
