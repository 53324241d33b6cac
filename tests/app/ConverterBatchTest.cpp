// The unit, currency and base conversions in batch mode: answers in [...].
#include <gtest/gtest.h>

#include <sstream>

#include "app/BatchSession.h"
#include "convert/RatesImport.h"
#include "shell/SettingsKeys.h"
#include "tests/support/TestFiles.h"

using zorv::app::BatchOptions;
using zorv::app::runBatch;

namespace {

const std::string kPlain = "[Startup]\nFinancial Mode=False\nFormat Numbers=0\n";

struct Outcome {
    std::string tape;
    std::string err;
    std::string settings;
};

Outcome batch(const std::string& keys, const std::string& rates = {}, const std::string& ini = kPlain) {
    zorv::test::TempDir dir;
    BatchOptions options;
    options.settingsFile = (dir / "settings.ini");
    zorv::test::spit(*options.settingsFile, ini);
    options.dataDir = dir.path.string();
    if (!rates.empty()) zorv::test::spit((dir / "currency.rt"), rates);
    std::istringstream in(keys);
    std::ostringstream out, err;
    runBatch(in, out, err, options);
    return {out.str(), err.str(), zorv::test::slurp(*options.settingsFile)};
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ConverterBatch, UnitSystemsConvertTheReadoutExactly) {
    Outcome r = batch("3{Intra-System English Length}[mile][yard]");
    EXPECT_TRUE(has(r.err, "readout: 5280.")) << r.err;
    EXPECT_TRUE(has(r.tape, "Convert 3 mi -> 5280 yd")) << r.tape;
    EXPECT_TRUE(has(r.settings, "From Unit=6")) << r.settings;

    r = batch("1{Intra-System Computer}[GiB][byte]");
    EXPECT_TRUE(has(r.err, "readout: 1073741824.")) << r.err;

    // The result is a whole entry: an operator takes it as it stands.
    r = batch("2{Intra-System Metric}[km][m]+5=");
    EXPECT_TRUE(has(r.err, "readout: 2005.")) << r.err;
}

TEST(ConverterBatch, BadUnitsChangeNothing) {
    for (const std::string keys : {"7{Intra-System Metric}[kg][m]", "7{Intra-System Metric}[parsec][m]",
                                   "7{Intra-System Metric}[][m]", "7{Intra-System Metric}[cancel]"}) {
        const Outcome r = batch(keys);
        EXPECT_TRUE(has(r.err, "readout: 7.")) << keys << r.err;
        EXPECT_FALSE(has(r.tape, "Convert")) << keys;
    }
    EXPECT_TRUE(has(batch("7{Intra-System Metric}[kg][m]").err, "Zorv Advanced Calculator: "));
}

TEST(ConverterBatch, TroyAndImperialFollowTheCheckMarks) {
    Outcome r = batch("1{Troy Measures}{Intra-System English Weight}[troy pound][troy ounce]");
    EXPECT_TRUE(has(r.err, "readout: 12.")) << r.err;
    r = batch("1{Intra-System English Capacity}[gallon][pint]");
    EXPECT_TRUE(has(r.err, "readout: 8.")) << r.err;
}

const std::string kRates =
    "base EUR Euro\ndate 2026-12-07\nUSD 1.0810 US dollar\nJPY 162.45\nGBP 0.8550\nGBP 0.9\nXYZ -1\n";

TEST(ConverterBatch, CurrencyThroughTheBaseWithTheRatesFile) {
    Outcome r = batch("100{Currency Conversions}[USD][EUR]", kRates);
    EXPECT_TRUE(has(r.err, "readout: 92.51")) << r.err;
    EXPECT_TRUE(has(r.tape, "Convert 100.00 USD -> 92.51 EUR @ 0.925069 (rates of 2026-12-07)")) << r.tape;
    // The skipped lines are named; the file itself stays as it was.
    EXPECT_TRUE(has(r.err, "line 6")) << r.err;
    EXPECT_TRUE(has(r.err, "line 7")) << r.err;

    // A cross rate: dollars to yen, rounded once to the yen's whole units.
    r = batch("100{Currency Conversions}[usd][JPY]", kRates);
    EXPECT_TRUE(has(r.err, "readout: 15028.")) << r.err;

    r = batch("100{Currency Conversions}[USD][EUR]", kRates, kPlain + "Currency Dec=4\n");
    EXPECT_TRUE(has(r.err, "readout: 92.5069")) << r.err;
}

TEST(ConverterBatch, CurrencyRefusals) {
    Outcome r = batch("100{Currency Conversions}[USD][EUR]");  // no rates file
    EXPECT_TRUE(has(r.err, "readout: 100.")) << r.err;
    EXPECT_FALSE(has(r.tape, "Convert"));
    r = batch("100{Currency Conversions}[USD][CHF]", kRates);
    EXPECT_TRUE(has(r.err, "CHF")) << r.err;
    EXPECT_TRUE(has(r.err, "readout: 100.")) << r.err;
}

TEST(ConverterBatch, BaseConversionsInAWord) {
    Outcome r = batch("1{Change Sign}{Base Conversions}[8]");
    EXPECT_TRUE(has(r.tape, "Base -1 = FF hex = 377 oct = 1111 1111 bin")) << r.tape;
    EXPECT_TRUE(has(r.err, "readout: -1.")) << r.err;

    r = batch("255{Base Conversions}[16]");
    EXPECT_TRUE(has(r.tape, "Base 255 = FF hex = 377 oct = 1111 1111 bin")) << r.tape;

    for (const std::string keys : {"256{Base Conversions}[8]", "2.5{Base Conversions}[8]",
                                   "5{Base Conversions}[7]", "5{Base Conversions}[x]"}) {
        r = batch(keys);
        EXPECT_FALSE(has(r.tape, "Base")) << keys << r.tape;
        EXPECT_TRUE(has(r.err, "Zorv Advanced Calculator: ")) << keys << r.err;
    }
}

}  // namespace

namespace {

TEST(ConverterBatch, RatesFileSettingAndDownloadAddress) {
    // A relative "Exchange Rates File" is in the data folder.
    Outcome r = batch("100{Currency Conversions}[USD][EUR]", {}, kPlain + "Exchange Rates File=mine.rt\n");
    EXPECT_TRUE(has(r.err, "mine.rt")) << r.err;
    EXPECT_EQ(zorv::shell::key::ExchangeRatesUrl.defaultText, zorv::convert::kEcbDailyRatesUrl);
}

}  // namespace
