// {Construction Calculator (ft/in)} in batch mode: the expression is its
// answer, the options come from the settings file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/BatchSession.h"
#include "tests/support/TestFiles.h"

using zorv::app::BatchOptions;
using zorv::app::runBatch;

namespace {

const std::string kPlain = "[Startup]\nFinancial Mode=False\nFormat Numbers=0\nCarry Result=0\n";

struct BuilderRun {
    std::string out, err;
};

BuilderRun batch(const std::string& keys, const std::string& ini = kPlain) {
    zorv::test::TempDir dir;
    BatchOptions options;
    options.settingsFile = dir / "settings.ini";
    zorv::test::spit(*options.settingsFile, ini);
    options.dataDir = dir / "data";
    std::istringstream in(keys);
    std::ostringstream out, err;
    runBatch(in, out, err, options);
    return {out.str(), err.str()};
}

const std::string kCommand = "{Construction Calculator (ft/in)}";

}  // namespace

TEST(BuilderBatch, SumAndAreaFromTheIssueExamples) {
    const BuilderRun r = batch(kCommand + "[12'6-3/8\"+3'0-1/4\"]" + kCommand + "[12'6-3/8\"*10']");
    EXPECT_EQ(r.out,
              "12'6-3/8\" + 3'0-1/4\" = 15'6-5/8\"\r\n"
              "12'6-3/8\" \u00D7 10' = 125.3125 sq ft\r\n");
    // The last value went to the readout as a whole entry, in square feet.
    EXPECT_EQ(r.err, "readout: 125.3125\n");
}

TEST(BuilderBatch, TheResultIsAnEntryTheCalculatorGoesOnWith) {
    const BuilderRun r = batch(kCommand + "[1'6\"]+2=");
    EXPECT_EQ(r.out, "1'6\" = 1'6\"\r\n18+\r\n2=\r\n------------------\r\n20.\r\n******************\r\n");
}

TEST(BuilderBatch, OptionsComeFromTheSettingsFile) {
    const BuilderRun r = batch(kCommand + "[1/3\"]" + kCommand + "[20'*30'*4\"]" + kCommand + "[2X][no]",
                        kPlain +
                            "Builder Result FtIn=0\nBuilder Plain Feet=1\nBuilder Result to Readout=0\n"
                            "Builder Volume=1\nConfirm Builder=1\nBuilder Denominator=32\n");
    EXPECT_EQ(r.out, "1/3\" = 0.0278'\r\n20' \u00D7 30' \u00D7 4\" = 200 cu ft\r\n");
    // Confirmation was asked for the implicit product and refused; the
    // readout kept its value.
    EXPECT_NE(r.err.find("Your expression was interpreted as:"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.substr(r.err.rfind("readout:")), "readout: 0.\n");
}

TEST(BuilderBatch, MalformedDimensionsAreMessages) {
    const BuilderRun r = batch(kCommand + "[1/0\"]" + kCommand + "[5''']" + kCommand + "[3-/4\"]" + kCommand +
                        "[1/2048\"]" + kCommand + "[12'+10'*10']");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Evaluate Expression: Zero denominator in 1/0\"\n"
              "Evaluate Expression: Malformed dimension \"5'''\": a foot or inch mark must follow a number\n"
              "Evaluate Expression: Malformed dimension \"3-/4\"\": the fraction has no numerator\n"
              "Evaluate Expression: Denominator above 1024 in 1/2048\"\n"
              "Evaluate Expression: Cannot add a length and an area\n"
              "readout: 0.\n");
}
