// The rates file, cross rates and the currency tape line. Expected results
// of the conversions were computed with Python's fractions module (amount ×
// rate(to) ÷ rate(from), rounded half up at the currency's decimals).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "convert/ExchangeRates.h"

namespace {

using namespace zorv::convert;
using zorv::engine::Decimal;
using namespace std::chrono_literals;

constexpr const char* kRates =
    "# test rates\n"
    "base EUR Euro\n"
    "date 2026-12-07\n"
    "USD 1.0812 US dollar\n"
    "JPY 162.45\n"
    "GBP\t0.8571\tPound sterling\r\n"
    "kwd 0.3321\n"
    "CHF 0.9423 Swiss franc\n";

ExchangeRates sampleRates() { return readRates(kRates).rates; }

std::string reasonsOf(const LoadedRates& loaded) {
    std::string out;
    for (const SkippedLine& s : loaded.skipped) out += std::to_string(s.line) + ": " + s.reason + "\n";
    return out;
}

TEST(RatesFile, ReadsBaseDateRatesAndNames) {
    const LoadedRates loaded = readRates(kRates);
    EXPECT_TRUE(loaded.skipped.empty()) << reasonsOf(loaded);
    const ExchangeRates& r = loaded.rates;
    EXPECT_EQ(r.base(), "EUR");
    ASSERT_TRUE(r.date());
    EXPECT_EQ(isoDate(*r.date()), "2026-12-07");
    EXPECT_EQ(r.size(), 6u);
    EXPECT_EQ(r.find("usd")->rate, Decimal::parse("1.0812"));
    EXPECT_EQ(r.find("USD")->name, "US dollar");
    EXPECT_EQ(r.find("GBP")->name, "Pound sterling");
    EXPECT_EQ(r.find("KWD")->rate, Decimal::parse("0.3321"));
    EXPECT_EQ(r.find("EUR")->rate, Decimal(1));
    EXPECT_EQ(r.currencies().front().code, "EUR");
    EXPECT_FALSE(r.find("XYZ"));
}

// Each damaged line is left out with its number and reason; the valid lines
// around it still load.
TEST(RatesFile, SkipsDamagedLinesAndSaysWhy) {
    const std::string text = std::string("base EUR\n") +  // 1
                             "USD 1.08\n" +                // 2
                             "USD 1.09\n" +                // 3 duplicate
                             "JPY 0\n" +                   // 4 zero
                             "CHF -0.94\n" +               // 5 negative
                             "GBP 0,85\n" +                // 6 not plain
                             "NOK\n" +                     // 7 missing
                             "DOLLAR 1\n" +                // 8 not a code
                             "SEK 11\x01\n" +              // 9 control char
                             "DKK 7.46 \xC3\x28\n" +       // 10 invalid UTF-8
                             std::string(2000, 'A') + "\n" +  // 11 too long
                             "base USD\n" +                // 12 second base
                             "date 2026-02-30\n" +         // 13 no such day
                             "PLN 4.3 Polish zloty\n" +    // 14
                             "EUR 2\n" +                   // 15 base with rate 2
                             "ISK 1e3\n";                  // 16 exponent
    const LoadedRates loaded = readRates(text);
    EXPECT_EQ(reasonsOf(loaded),
              "3: USD is already on line 2\n"
              "4: JPY: the rate must be above zero\n"
              "5: CHF: the rate must be above zero\n"
              "6: GBP: the rate \"0,85\" is not a plain number\n"
              "7: NOK: the rate is missing\n"
              "8: \"DOLLAR\" is neither a three-letter currency code nor base or date\n"
              "9: the line is not text\n"
              "10: the line is not text\n"
              "11: the line is longer than 1024 characters\n"
              "12: a second base line (the base is EUR from line 1)\n"
              "13: \"2026-02-30\" is not a date like 2026-12-07\n"
              "15: EUR is the base currency; its rate must be 1\n"
              "16: ISK: the rate \"1e3\" is not a plain number\n");
    EXPECT_EQ(loaded.rates.size(), 3u);  // EUR, USD 1.08, PLN
    EXPECT_EQ(loaded.rates.find("USD")->rate, Decimal::parse("1.08"));
    EXPECT_FALSE(loaded.rates.date());
    EXPECT_EQ(skippedSummary(loaded.skipped, "currency.rt", 2),
              "13 lines of currency.rt were skipped: line 3 (USD is already on line 2); line 4 (JPY: "
              "the rate must be above zero); and 11 more.");
}

TEST(RatesFile, EmptyBinaryOrBaselessFilesLoadNothingAndSaySo) {
    struct Case {
        std::string text;
        const char* reasons;
    };
    const Case cases[] = {
        {"", "0: the file is empty\n"},
        {"\n\r\n  \n", "0: the file is empty\n"},
        {"USD 1.08\n", "0: there is no \"base\" line naming the base currency, so no rate can be used\n"},
        {std::string("\x7F" "ELF\x02\x01\x01\0\0\0", 10) + "\n",
         "0: there is no \"base\" line naming the base currency, so no rate can be used\n"
         "1: the line is not text\n"},
    };
    for (const Case& c : cases) {
        const LoadedRates loaded = readRates(c.text);
        EXPECT_EQ(reasonsOf(loaded), c.reasons);
        EXPECT_EQ(loaded.rates.size(), 0u);
    }
}

TEST(RatesFile, TextRoundTripsAndIsReadableAgain) {
    ExchangeRates r = sampleRates();
    r.setRate("NZD", Decimal::parse("1.8123"), "New Zealand\tdollar\n");
    r.setRate("USD", Decimal::parse("1.0900"));  // keeps its name
    EXPECT_TRUE(r.remove("chf"));
    EXPECT_FALSE(r.remove("EUR"));
    const std::string text = r.toText();
    EXPECT_NE(text.find("\nbase EUR Euro\ndate 2026-12-07\nGBP 0.8571 Pound sterling\nJPY 162.45\n"
                        "KWD 0.3321\nNZD 1.8123 New Zealand dollar\nUSD 1.09 US dollar\n"),
              std::string::npos)
        << text;
    const LoadedRates again = readRates(text);
    EXPECT_TRUE(again.skipped.empty()) << reasonsOf(again);
    EXPECT_EQ(again.rates.toText(), text);
}

TEST(RatesFile, EditsRefuseWhatTheFileCouldNotHold) {
    ExchangeRates r = sampleRates();
    EXPECT_THROW(r.setRate("US", 1), RatesError);
    EXPECT_THROW(r.setRate("USD", 0), RatesError);
    EXPECT_THROW(r.setRate("USD", -2), RatesError);
    EXPECT_THROW(r.setRate("EUR", 2), RatesError);
    EXPECT_NO_THROW(r.setRate("EUR", 1, "Euro"));
    EXPECT_EQ(r.find("USD")->rate, Decimal::parse("1.0812"));
    r.setBase("USD");
    EXPECT_EQ(r.size(), 1u);  // rates against the old base are gone
}

TEST(RatesFile, LoadsOnlyRegularFiles) {
    const std::string dir = ::testing::TempDir();
    const std::string path = dir + "/rates-test.rt";
    {
        std::ofstream f(path, std::ios::binary);
        f << kRates;
    }
    const LoadedRates loaded = loadRatesFile(path);
    EXPECT_TRUE(loaded.skipped.empty()) << reasonsOf(loaded);
    EXPECT_EQ(loaded.rates.size(), 6u);
    std::remove(path.c_str());

    EXPECT_EQ(reasonsOf(loadRatesFile(path)), "0: the rates file " + path + " does not exist\n");
    EXPECT_EQ(reasonsOf(loadRatesFile(dir)), "0: " + dir + " is not a regular file\n");
    // A FIFO with no writer would block an ordinary open.
    const std::string fifo = dir + "/rates-test.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(reasonsOf(loadRatesFile(fifo)), "0: " + fifo + " is not a regular file\n");
    std::remove(fifo.c_str());
}

struct CrossCase {
    const char* amount;
    const char* from;
    const char* to;
    int currencyDec;
    const char* result;
    const char* shownRate;
};

class CrossRates : public ::testing::TestWithParam<CrossCase> {};

TEST_P(CrossRates, ThroughTheBaseRoundedOnceAtTheTargetsDecimals) {
    const CrossCase& c = GetParam();
    const CurrencyConversion conv =
        convertCurrency(sampleRates(), Decimal::parse(c.amount), c.from, c.to, c.currencyDec);
    EXPECT_EQ(fixedText(conv.result, conv.toDecimals), c.result);
    EXPECT_EQ(conv.shownRate.toString(), c.shownRate);
}

INSTANTIATE_TEST_SUITE_P(
    Python, CrossRates,
    ::testing::Values(CrossCase{"100", "USD", "EUR", -1, "92.49", "0.924898"},
                      CrossCase{"100", "EUR", "USD", -1, "108.12", "1.0812"},
                      CrossCase{"100", "USD", "JPY", -1, "15025", "150.25"},
                      CrossCase{"12345.67", "JPY", "KWD", -1, "25.239", "0.00204432"},
                      CrossCase{"1", "GBP", "CHF", -1, "1.10", "1.0994"},
                      CrossCase{"0.01", "USD", "KWD", -1, "0.003", "0.307159"},
                      CrossCase{"-250", "CHF", "GBP", -1, "-227.40", "0.909583"},
                      CrossCase{"100", "USD", "EUR", 4, "92.4898", "0.924898"},
                      CrossCase{"100", "USD", "JPY", 2, "15024.97", "150.25"},
                      CrossCase{"1000000", "KWD", "JPY", 0, "489159892", "489.16"},
                      CrossCase{"5", "EUR", "EUR", -1, "5.00", "1"},
                      CrossCase{"79228162514264", "JPY", "USD", -1, "527309875718.20", "0.00665559"},
                      // Outside -1..6 "Currency Dec" falls back to the minor units.
                      CrossCase{"100", "USD", "JPY", 9, "15025", "150.25"}));

TEST(CurrencyConversion, TapeLine) {
    ExchangeRates usd = readRates("base USD\ndate 2026-12-07\nEUR 0.9251\n").rates;
    EXPECT_EQ(currencyTapeLine(convertCurrency(usd, 100, "USD", "EUR", -1)),
              "Convert 100.00 USD -> 92.51 EUR @ 0.9251 (rates of 2026-12-07)");
    EXPECT_EQ(currencyTapeLine(convertCurrency(usd, Decimal::parse("100.125"), "usd", "eur", -1), ","),
              "Convert 100,125 USD -> 92,63 EUR @ 0,9251 (rates of 2026-12-07)");
    usd.setDate(std::nullopt);
    EXPECT_EQ(currencyTapeLine(convertCurrency(usd, 2, "EUR", "USD", 0)),
              "Convert 2 EUR -> 2 USD @ 1.08096");
}

TEST(CurrencyConversion, UnknownCurrencyOrNoBaseIsAClearError) {
    try {
        convertCurrency(sampleRates(), 1, "USD", "XYZ", -1);
        FAIL();
    } catch (const RatesError& e) {
        EXPECT_STREQ(e.what(), "There is no rate for \"XYZ\" in the rates file.");
    }
    EXPECT_THROW(convertCurrency(readRates("USD 1\n").rates, 1, "USD", "USD", -1), RatesError);
}

TEST(Currencies, MinorUnitsNamesAndDecimals) {
    EXPECT_EQ(minorUnits("JPY"), 0);
    EXPECT_EQ(minorUnits("KWD"), 3);
    EXPECT_EQ(minorUnits("bhd"), 3);
    EXPECT_EQ(minorUnits("EUR"), 2);
    EXPECT_EQ(minorUnits("CLF"), 4);
    EXPECT_EQ(minorUnits("QQQ"), 2);
    EXPECT_EQ(currencyName("usd"), "US dollar");
    EXPECT_EQ(currencyName("QQQ"), "");
    EXPECT_EQ(currencyDecimals("JPY", -1), 0);
    EXPECT_EQ(currencyDecimals("JPY", 3), 3);
    EXPECT_EQ(currencyDecimals("KWD", 0), 0);
    EXPECT_EQ(fixedText(Decimal::parse("2.5"), 0), "3");
    EXPECT_EQ(fixedText(Decimal::parse("-2.5"), 0), "-3");
    EXPECT_EQ(fixedText(Decimal(7), 3, ","), "7,000");
}

TEST(Currencies, AgeOfTheRatesInDays) {
    ExchangeRates r = sampleRates();
    using std::chrono::year_month_day;
    EXPECT_EQ(ratesAgeDays(r, year_month_day{2026y, std::chrono::December, 8d}), 1);
    EXPECT_EQ(ratesAgeDays(r, year_month_day{2027y, std::chrono::January, 7d}), 31);
    EXPECT_EQ(ratesAgeDays(r, year_month_day{2026y, std::chrono::December, 1d}), -6);
    r.setDate(std::nullopt);
    EXPECT_FALSE(ratesAgeDays(r, year_month_day{2026y, std::chrono::December, 8d}));
    EXPECT_FALSE(parseIsoDate("2026-13-01"));
    EXPECT_FALSE(parseIsoDate("2026-1-01"));
    EXPECT_TRUE(parseIsoDate("2024-02-29"));
    EXPECT_FALSE(parseIsoDate("2026-02-29"));
}

}  // namespace
