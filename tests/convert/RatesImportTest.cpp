#include <gtest/gtest.h>

#include <string>

#include "convert/RatesImport.h"

namespace {

using namespace zorv::convert;
using zorv::engine::Decimal;

// The shape of the central bank's daily file.
constexpr const char* kDaily = R"(<?xml version="1.0" encoding="UTF-8"?>
<gesmes:Envelope xmlns:gesmes="http://www.gesmes.org/xml/2002-08-01" xmlns="http://www.ecb.int/vocabulary/2002-08-01/eurofxref">
	<gesmes:subject>Reference rates</gesmes:subject>
	<gesmes:Sender>
		<gesmes:name>European Central Bank</gesmes:name>
	</gesmes:Sender>
	<Cube>
		<Cube time='2026-12-07'>
			<Cube currency='USD' rate='1.0812'/>
			<Cube currency='JPY' rate='162.45'/>
			<!-- <Cube currency='XXX' rate='9'/> -->
			<Cube rate="0.8571" currency="GBP" />
			<Cube currency='HUF' rate='0'/>
			<Cube currency='USD' rate='1.5'/>
			<Cube currency='ISK' rate='abc'/>
			<Cube currency='US$' rate='1'/>
		</Cube>
	</Cube>
</gesmes:Envelope>
)";

std::string reasonsOf(const LoadedRates& loaded) {
    std::string out;
    for (const SkippedLine& s : loaded.skipped) out += std::to_string(s.line) + ": " + s.reason + "\n";
    return out;
}

TEST(EcbImport, ReadsDateAndRatesAgainstTheEuro) {
    const LoadedRates loaded = readEcbXml(kDaily);
    EXPECT_EQ(loaded.rates.base(), "EUR");
    ASSERT_TRUE(loaded.rates.date());
    EXPECT_EQ(isoDate(*loaded.rates.date()), "2026-12-07");
    EXPECT_EQ(loaded.rates.size(), 4u);
    EXPECT_EQ(loaded.rates.find("USD")->rate, Decimal::parse("1.0812"));
    EXPECT_EQ(loaded.rates.find("GBP")->rate, Decimal::parse("0.8571"));
    EXPECT_EQ(loaded.rates.find("JPY")->name, "Japanese yen");
    EXPECT_EQ(reasonsOf(loaded),
              "13: HUF: the rate must be above zero\n"
              "14: USD is already on line 9\n"
              "15: ISK: the rate \"abc\" is not a plain number\n"
              "16: \"US$\" is not a three-letter currency code\n");
}

TEST(EcbImport, SeveralDaysReadOnlyTheNewest) {
    const LoadedRates loaded = readEcbXml(
        "<Cube><Cube time=\"2026-12-07\"><Cube currency=\"USD\" rate=\"1.08\"/></Cube>"
        "<Cube time=\"2026-12-04\"><Cube currency=\"USD\" rate=\"1.07\"/><Cube currency=\"CHF\" rate=\"0.9\"/>"
        "</Cube></Cube>");
    EXPECT_EQ(isoDate(*loaded.rates.date()), "2026-12-07");
    EXPECT_EQ(loaded.rates.size(), 2u);
    EXPECT_EQ(loaded.rates.find("USD")->rate, Decimal::parse("1.08"));
}

TEST(EcbImport, AnythingElseGivesNoRatesAndSaysSo) {
    for (const char* text : {"", "not xml at all", "<html><body>Service unavailable</body></html>",
                             "<Cube currency='USD' rate='1.08'", "<Cube currency='USD' rate='1.0",
                             "<Cube time='x'><!-- unterminated",
                             "<<<<>>>>'\"", "<Cube currency=USD rate="}) {
        SCOPED_TRACE(text);
        const LoadedRates loaded = readEcbXml(text);
        EXPECT_FALSE(loaded.skipped.empty());
        EXPECT_EQ(loaded.skipped.back().reason, "the file holds no exchange rates");
    }
    // Unquoted values and an unterminated last element still give what they can.
    EXPECT_EQ(readEcbXml("<Cube currency=USD rate=1.08>").rates.size(), 2u);
}

TEST(CsvImport, CodeAndRateAgainstTheGivenBase) {
    const LoadedRates loaded = readRatesCsv(
        "\xEF\xBB\xBF" "code,rate\n"
        "USD,1.0812\n"
        "\"JPY\", \"162.45\"\n"
        "GBP;0,8571\n"
        "CHF\t0.9423\tSwiss franc\n"
        "SEK,11.2,Swedish krona, extra\n"
        "NOK,\n"
        "XX,1\n"
        "USD,1.09\n"
        "EUR,1\n"
        "EUR,1.1\n",
        "EUR");
    EXPECT_EQ(reasonsOf(loaded),
              "7: NOK: the rate is missing\n"
              "8: \"XX\" is not a three-letter currency code\n"
              "9: USD is already on line 2\n"
              "11: EUR is already on line 10\n");
    const ExchangeRates& r = loaded.rates;
    EXPECT_EQ(r.base(), "EUR");
    EXPECT_EQ(r.size(), 6u);
    EXPECT_EQ(r.find("GBP")->rate, Decimal::parse("0.8571"));
    EXPECT_EQ(r.find("CHF")->name, "Swiss franc");
    EXPECT_EQ(r.find("SEK")->name, "Swedish krona, extra");
    EXPECT_EQ(r.find("USD")->name, "US dollar");
    EXPECT_EQ(reasonsOf(readRatesCsv("EUR,1.1\n", "EUR")), "1: EUR is the base currency; its rate is always 1.\n");
    EXPECT_EQ(reasonsOf(readRatesCsv("USD,1\n", "E")), "0: \"E\" is not a three-letter currency code.\n");
}

TEST(MergeImport, SameBaseUpdatesRatesKeepsNamesAndOthers) {
    ExchangeRates file = readRates("base EUR\ndate 2026-11-30\nUSD 1.05 Greenback\nXAU 0.0004 Gold\n").rates;
    const ExchangeRates ecb = readEcbXml(kDaily).rates;
    const MergeReport report = mergeImported(file, ecb);
    EXPECT_EQ(report.added, 2);    // JPY, GBP
    EXPECT_EQ(report.changed, 1);  // USD
    EXPECT_TRUE(report.dropped.empty());
    EXPECT_EQ(isoDate(*file.date()), "2026-12-07");
    EXPECT_EQ(file.find("USD")->rate, Decimal::parse("1.0812"));
    EXPECT_EQ(file.find("USD")->name, "US dollar");
    EXPECT_EQ(file.find("XAU")->rate, Decimal::parse("0.0004"));
}

TEST(MergeImport, AnotherBaseCarriesTheFilesOwnCurrenciesOverExactly) {
    // One euro is 1.0812 dollars, so 2 XAG per dollar are 2.1624 per euro.
    ExchangeRates file = readRates("base USD US dollar\nXAG 2 Silver\nJPY 150\n").rates;
    const MergeReport report = mergeImported(file, readEcbXml(kDaily).rates);
    EXPECT_EQ(file.base(), "EUR");
    EXPECT_EQ(file.find("XAG")->rate.toString(), "2.1624");
    EXPECT_EQ(file.find("XAG")->name, "Silver");
    EXPECT_EQ(file.find("JPY")->rate, Decimal::parse("162.45"));
    EXPECT_EQ(file.find("USD")->name, "US dollar");
    EXPECT_TRUE(report.dropped.empty());

    // A product too large for the decimal type cannot be carried over.
    ExchangeRates huge = readRates("base USD\nXAG 50000000000000000000000000000\nXAU 3\n").rates;
    EXPECT_EQ(mergeImported(huge, readRates("base EUR\nUSD 2\n").rates).dropped,
              std::vector<std::string>({"XAG"}));
    EXPECT_EQ(huge.find("XAU")->rate, Decimal(6));

    ExchangeRates chf = readRates("base CHF\nXAG 2\n").rates;
    const MergeReport lost = mergeImported(chf, readEcbXml(kDaily).rates);
    EXPECT_EQ(lost.dropped, std::vector<std::string>({"CHF", "XAG"}));
    EXPECT_EQ(chf.base(), "EUR");
}

}  // namespace
