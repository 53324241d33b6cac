// Billing rate text, amounts rounded half away from zero to cents, the
// tape line.
#include <gtest/gtest.h>

#include <string>

#include "timedate/Billing.h"
#include "timedate/InputError.h"

using namespace zorv::timedate;
using zorv::engine::Currency;
using zorv::engine::NumberSymbols;

namespace {

const NumberSymbols kComma{",", ".", "€"};

std::string rateMessage(const std::string& text, const NumberSymbols& symbols = {}) {
    try {
        parseRate(text, symbols);
    } catch (const InputError& e) {
        return e.what();
    }
    return "(accepted)";
}

}  // namespace

TEST(Billing, RatesAreReadInTheLocaleSymbols) {
    EXPECT_EQ(defaultRateText({}), "100.00");
    EXPECT_EQ(defaultRateText(kComma), "100,00");
    struct Case {
        const char* text;
        const char* shown;
    };
    const Case dot[] = {{"100", "100.00"}, {"80", "80.00"}, {" 87.125 ", "87.125"}, {"$95.5", "95.50"},
                        {"1,250.00", "1250.00"}, {"0", "0.00"}, {"12.345678", "12.3457"}};
    for (const Case& c : dot) EXPECT_EQ(rateText(parseRate(c.text, {})), c.shown) << c.text;
    EXPECT_EQ(rateText(parseRate("1.250,5", kComma), ","), "1250,50");
    EXPECT_EQ(rateText(parseRate("100 lei", {".", ",", "lei"})), "100.00");
}

TEST(Billing, BadRatesAreRefusedWithAMessage) {
    EXPECT_EQ(rateMessage(""), "The billing rate is empty: type an hourly amount such as 100.00.");
    EXPECT_EQ(rateMessage("   "), "The billing rate is empty: type an hourly amount such as 100.00.");
    EXPECT_EQ(rateMessage("-5"), "A billing rate cannot be negative: type an hourly amount such as 100.00.");
    EXPECT_EQ(rateMessage("(5)"), "A billing rate cannot be negative: type an hourly amount such as 100.00.");
    EXPECT_EQ(rateMessage("abc"), "\"abc\" is not a billing rate: type an hourly amount such as 100.00.");
    EXPECT_EQ(rateMessage("1e3"), "\"1e3\" is not a billing rate: type an hourly amount such as 100.00.");
    EXPECT_EQ(rateMessage("&H10"), "\"&H10\" is not a billing rate: type an hourly amount such as 100.00.");
    EXPECT_EQ(rateMessage("12.5", kComma), "(accepted)");  // "." groups thousands there: 125
    EXPECT_EQ(rateMessage("1,2,3", kComma), "\"1,2,3\" is not a billing rate: type an hourly amount such as 100,00.");
    EXPECT_EQ(rateMessage("99999999999999999999"), "The billing rate 99999999999999999999 is too large.");
}

TEST(Billing, ADamagedStoredRateGivesTheDefault) {
    EXPECT_EQ(rateText(rateFromSetting("87,50", kComma), ","), "87,50");
    for (const char* damaged : {"", "-3", "lots", "1e99"})
        EXPECT_EQ(rateText(rateFromSetting(damaged, {})), "100.00") << damaged;
}

TEST(Billing, AmountsRoundHalfAwayFromZeroToCents) {
    struct Case {
        const char* duration;
        const char* rate;
        const char* amount;
        const char* line;
    };
    const Case cases[] = {
        {"3:20", "100", "333.33", "Bill 3:20 @ 100.00/h = 333.33"},
        {"1:30", "80", "120.00", "Bill 1:30 @ 80.00/h = 120.00"},
        {"0:00:09", "1", "0.00", "Bill 0:00:09 @ 1.00/h = 0.00"},      // 0.0025
        {"0:00:18", "1", "0.01", "Bill 0:00:18 @ 1.00/h = 0.01"},      // 0.005: a tie goes up
        {"0:01:30", "1", "0.03", "Bill 0:01:30 @ 1.00/h = 0.03"},      // 0.025: up, not to even
        {"-0:00:18", "1", "-0.01", "Bill -0:00:18 @ 1.00/h = -0.01"},  // away from zero below zero too
        {"0:01", "0.3", "0.01", "Bill 0:01 @ 0.30/h = 0.01"},          // 0.005
        {"2:40", "87.125", "232.33", "Bill 2:40 @ 87.125/h = 232.33"},  // 232.3333...
        {"1.2345", "100", "123.45", "Bill 1:14:04.2 @ 100.00/h = 123.45"},
        {"0:00", "100", "0.00", "Bill 0:00 @ 100.00/h = 0.00"},
    };
    for (const Case& c : cases) {
        const Duration d = Duration::parse(c.duration);
        const Currency rate = parseRate(c.rate, {});
        const Currency amount = billAmount(d, rate);
        EXPECT_EQ(amountText(amount), c.amount) << c.duration << " @ " << c.rate;
        EXPECT_EQ(billTapeLine(d, rate, amount), c.line);
    }
    EXPECT_EQ(billTapeLine(Duration::parse("3:20"), parseRate("100", {}), billAmount(Duration::parse("3:20"), parseRate("100", {})), ","),
              "Bill 3:20 @ 100,00/h = 333,33");
}

TEST(Billing, AnAmountBeyondTheCurrencyTypeIsAMessage) {
    const Currency rate = parseRate("900000000000000", {});
    EXPECT_THROW(billAmount(Duration::parse("9999999:00"), rate), InputError);
}
