// Batch mode from outside: key scripts in, tape and messages out.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/BatchSession.h"

using zorv::app::BatchOptions;
using zorv::app::runBatch;

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result batch(const std::string& keys, const std::string& ini = {}) {
    QTemporaryDir dir;
    BatchOptions options;
    if (!ini.empty()) {
        const std::string path = dir.path().toStdString() + "/settings.ini";
        std::ofstream(path) << ini;
        options.settingsFile = path;
    }
    std::istringstream in(keys);
    std::ostringstream out, err;
    const int status = runBatch(in, out, err, options);
    return {status, out.str(), err.str()};
}

const std::string kPlain = "[Startup]\nFinancial Mode=False\nFormat Numbers=0\nCarry Result=0\n";

TEST(Batch, PlainAddingMachineTape) {
    const Result r = batch("5+3=", kPlain);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "5+\r\n3=\r\n------------------\r\n8.\r\n******************\r\n");
    EXPECT_EQ(r.err, "readout: 0.\n");
}

TEST(Batch, EmptyStoreUsesTheDefaultModes) {
    const Result r = batch("1234+3=");
    EXPECT_EQ(r.out, "1,234.00+\r\n3.00=\r\n------------------\r\n1,237.00\r\n******************\r\n");
    EXPECT_EQ(r.err, "readout: 1237.00\n");
}

TEST(Batch, SignAfterOperatorAndEnterAsLineFeed) {
    const Result r = batch("5+-3\n", kPlain);
    EXPECT_NE(r.out.find("\r\n2.\r\n"), std::string::npos) << r.out;
}

TEST(Batch, NamedKeysUnknownNamesAndMessages) {
    const Result r = batch("12{+/-}{MS}{C}{MR}{Nonsense}8/0=", kPlain);
    EXPECT_EQ(r.err,
              "unknown command: {Nonsense}\n"
              "Zorv Advanced Calculator: Can't divide by zero\n"
              "readout: 0.\n");
}

TEST(Batch, DigitsBeyondTheLimitBeep) {
    const Result r = batch(std::string(40, '9'), kPlain);
    EXPECT_NE(r.err.find("beep\nbeep\n"), std::string::npos);
}

TEST(Batch, IntlSectionSetsTheLocaleSymbols) {
    const Result r = batch("1,5+1.25=", kPlain + "[Intl]\nsDecimal=\",\"\nsThousand=.\n");
    EXPECT_EQ(r.out, "1,5+\r\n1,25=\r\n------------------\r\n2,75\r\n******************\r\n");
}

TEST(Batch, UnquotedCommaInIntlIsNotLost) {
    const Result r = batch("1,5=", kPlain + "[Intl]\nsDecimal=,\nsThousand=.\n");
    EXPECT_NE(r.out.find("1,5="), std::string::npos) << r.out;
}

TEST(Batch, StoredFlagsFollowTheirReadingRules) {
    // "RPN Mode" reads as a number: "True" leaves it off, "1" turns it on.
    EXPECT_EQ(batch("5+", kPlain + "RPN Mode=True\n").out, "5+\r\n");
    const Result on = batch("5+", kPlain + "RPN Mode=1\n");
    EXPECT_EQ(on.out, "");
    EXPECT_NE(on.err.find("There are no numbers in the stack."), std::string::npos);
    // A value that does not convert falls back to the default (carry on).
    EXPECT_EQ(batch("2+2=", "[Startup]\nCarry Result=maybe\nFinancial Mode=0\n").err,
              "readout: 4.\n");
}

TEST(Batch, AnswersAreReadAheadOfTheKeys) {
    // No question is asked by these keys, so the answers are simply unused.
    const Result r = batch("[yes][12]2+2=", kPlain);
    EXPECT_EQ(r.err, "readout: 0.\n");
}

}  // namespace

namespace {

TEST(Batch, ImpossibleDecimalSymbolIsReplacedAndLogged) {
    QTemporaryDir dir;
    const std::string ini = dir.path().toStdString() + "/settings.ini";
    std::ofstream(ini) << kPlain << "[Intl]\nsDecimal=1\n";
    BatchOptions options;
    options.settingsFile = ini;
    options.dataDir = dir.path().toStdString() + "/data";
    std::istringstream in("12.5+1.25=");
    std::ostringstream out, err;
    EXPECT_EQ(runBatch(in, out, err, options), 0);
    EXPECT_EQ(out.str(), "12.5+\r\n1.25=\r\n------------------\r\n13.75\r\n******************\r\n");
    std::ifstream log(*options.dataDir + "/zorvcalc.deb", std::ios::binary);
    std::stringstream logged;
    logged << log.rdbuf();
    const std::string text = logged.str();
    EXPECT_NE(text.find("sDecimal=\"\"1\"\" is not used because it is a digit"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
}

}  // namespace

namespace {

TEST(Batch, UnknownNamesReachTheTerminalEscaped) {
    const struct {
        std::string name;
        std::string shown;
    } cases[] = {
        {"Nonsense", "Nonsense"},
        {"Red\x1b[31mText\x07", "Red\\x1B[31mText\\x07"},
        {"tab\there\r\nDEL\x7f", "tab\\x09here\\x0D\\x0ADEL\\x7F"},
        {"C1\xc2\x9b" "2J", "C1\\xC2\\x9B2J"},
        {"caf\xc3\xa9 \xff", "caf\xc3\xa9 \\xFF"},
        {"back\\slash", "back\\\\slash"},
    };
    for (const auto& c : cases) {
        const Result r = batch("{" + c.name + "}", kPlain);
        EXPECT_EQ(r.err, "unknown command: {" + c.shown + "}\nreadout: 0.\n") << c.shown;
    }
}

}  // namespace
