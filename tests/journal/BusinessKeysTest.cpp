// The business keys against the worked examples table (whose figures
// check_business_examples.py recomputes with Python's decimal), and their
// tape lines.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/BatchSession.h"
#include "journal/TapeExport.h"
#include "support/TestFiles.h"

using namespace zorv;

namespace {

struct Batch {
    std::string out, err;
    std::string readout() const {
        const auto at = err.rfind("readout: ");
        return at == std::string::npos ? "" : err.substr(at + 9, err.size() - at - 10);
    }
};

Batch batch(const std::string& keys, const std::string& ini = {}) {
    test::TempDir dir;
    app::BatchOptions options;
    const std::string path = (dir.path / "s.ini").string();
    test::spit(path, "[Startup]\n" + ini);
    options.settingsFile = path;
    std::istringstream in(keys);
    std::ostringstream out, err;
    app::runBatch(in, out, err, options);
    return {out.str(), err.str()};
}

std::string keysFor(const std::string& kind, const std::string& a, const std::string& b) {
    auto num = [](const std::string& v) { return v.starts_with("-") ? v.substr(1) + "{Change Sign}" : v; };
    if (kind == "TAX+" || kind == "TAX-") return num(a) + "{" + kind + "}";
    if (kind == "COST/MARGIN") return num(a) + "{COST}" + num(b) + "{MARGIN}";
    if (kind == "SELL/MARGIN") return num(a) + "{SELL}" + num(b) + "{MARGIN}";
    if (kind == "COST/SELL") return num(a) + "{COST}" + num(b) + "{SELL}";
    if (kind == "GT") return num(a) + "+0=" + num(b) + "+0={GT}";
    return num(a) + "/" + num(b) + "=";
}

}  // namespace

TEST(BusinessKeysTest, WorkedExamplesOfPrintingCalculators) {
    std::ifstream table(std::string(ZORV_JOURNAL_TEST_DATA) + "/business_examples.tsv");
    std::string line;
    int rows = 0;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        std::string kind, a, b, rate, rounding, readout;
        std::getline(f, kind, '\t');
        std::getline(f, a, '\t');
        std::getline(f, b, '\t');
        std::getline(f, rate, '\t');
        std::getline(f, rounding, '\t');
        std::getline(f, readout, '\t');
        const Batch r = batch(keysFor(kind, a, b), "Tax Rate=" + rate + "\nRounding=" + rounding + "\n");
        EXPECT_EQ(r.readout(), readout) << line << "\n" << r.out << r.err;
        ++rows;
    }
    EXPECT_GE(rows, 20);
}

TEST(BusinessKeysTest, TapeLinesCarryTheirMarksAndExportReadsThem) {
    const Batch r = batch("100{TAX+}+50{COST}25{MARGIN}", "Tax Rate=7.25\n");
    EXPECT_EQ(r.out,
              "100.00 NET\r\n7.25 TAX 7.25%\r\n107.25 TAX+\r\n107.25+\r\n50.00 COST\r\n25.00 MARGIN%\r\n"
              "66.67 SELL\r\n16.67 PROFIT\r\n");
    const auto rows = journal::tapeRows(r.out, {});
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[2].op, "TAX+");
    EXPECT_EQ(rows[2].amount, "107.25");
    EXPECT_EQ(rows[6].op, "SELL");
    // The tax result is an entry the next operator takes.
    EXPECT_EQ(rows[3].op, "+");
}

TEST(BusinessKeysTest, GrandTotalKeepsTheTotalsSinceTheLastClear) {
    const Batch r = batch("1+2=3+4={GT}C5+5={GT}");
    EXPECT_NE(r.out.find("10.00 GT\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("10.00 GT\r\n******************\r\n"), std::string::npos);
    EXPECT_EQ(r.readout(), "10.00");
    const auto second = r.out.rfind(" GT");
    EXPECT_EQ(r.out.substr(second - 5, 8), "10.00 GT");  // 5+5 after C
}

// A corrected total counts in the grand total as corrected; one from before
// the last C does not.
TEST(BusinessKeysTest, GrandTotalFollowsACorrectedTotal) {
    const Batch r = batch("1+2=3+4={Correct Entry 1}[5]{GT}");  // 3 + (5 + 4)
    EXPECT_NE(r.out.find("9.00 corrected\r\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("12.00 GT\r\n"), std::string::npos) << r.out;
    const Batch twice = batch("2+2={Correct Entry 2}[3]{Correct Entry 2}[void]{GT}");  // 2
    EXPECT_NE(twice.out.find("2.00 GT\r\n"), std::string::npos) << twice.out;
    const Batch cleared = batch("1+2=C{Correct Entry 2}[5]7+1={GT}");
    EXPECT_NE(cleared.out.find("8.00 GT\r\n"), std::string::npos) << cleared.out;
}

TEST(BusinessKeysTest, ImpossibleMarginSaysSoAndRoundingIsKeptAndMarked) {
    const Batch r = batch("100{COST}100{MARGIN}");
    EXPECT_NE(r.err.find("give no price"), std::string::npos);
    test::TempDir dir;
    const std::string ini = (dir.path / "s.ini").string();
    test::spit(ini, "[Startup]\n");
    {
        app::BatchOptions o;
        o.settingsFile = ini;
        std::istringstream in("{Round Down}2/3=");
        std::ostringstream out, err;
        app::runBatch(in, out, err, o);
        EXPECT_EQ(out.str().substr(0, 12), "ROUND DOWN\r\n");
        EXPECT_NE(out.str().find("0.66\r\n"), std::string::npos);
    }
    EXPECT_NE(test::slurp(ini).find("Rounding=Down"), std::string::npos);
}
