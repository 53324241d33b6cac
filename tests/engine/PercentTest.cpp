// The percent key and its modes: keys in, readout and tape out.
#include <gtest/gtest.h>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"

using namespace zorv::engine;

namespace {

struct Calc {
    ScriptedFeedback fb;
    CalculatorModel m{fb};
    Calc() {
        m.modes().financial = false;
        m.modes().formatNumbers = false;
        m.modes().carryResult = false;
    }
    Calc& keys(std::string_view script) {
        runKeyScript(m, parseKeyScript(script), [](const std::string& n) { FAIL() << n; });
        return *this;
    }
    const std::string& tape() const { return m.tape().text(); }
};

constexpr const char* kRule = "------------------";
constexpr const char* kEnd = "******************";

std::string block(const std::string& lines, const std::string& total) {
    return lines + kRule + "\r\n" + total + "\r\n" + kEnd + "\r\n";
}

struct PercentCase {
    const char* keys;
    const char* readout;
    std::string tape;
};

class PercentOfPendingOperation : public ::testing::TestWithParam<PercentCase> {};

TEST_P(PercentOfPendingOperation, CompletesTheChain) {
    Calc c;
    c.keys(GetParam().keys);
    EXPECT_EQ(c.m.readout(), GetParam().readout);
    EXPECT_EQ(c.tape(), GetParam().tape);
    EXPECT_EQ(c.m.hint(), "Press F1 for Help [Percent]");
    EXPECT_EQ(c.m.numOps(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PercentOfPendingOperation,
    ::testing::Values(
        PercentCase{"200X15%", "30.", block("200X\r\n15%\r\n", "30.")},
        // Show Percentages writes the add-on and the discount as their own line.
        PercentCase{"200+15%", "230.", block("200+\r\n15%\r\n30\r\n", "230.")},
        PercentCase{"200-15%", "170.", block("200-\r\n15%\r\n-30\r\n", "170.")},
        PercentCase{"30/200%", "15.", block("30/\r\n200%\r\n", "15%")},
        PercentCase{"1/3%", "33.33333333333333333333333333",
                    block("1/\r\n3%\r\n", "33.33333333333333333333333333%")},
        // The percentage of a running chain applies to its total so far.
        PercentCase{"100+100X10%", "20.", block("100+\r\n100X\r\n10%\r\n", "20.")}));

TEST(Percent, WithoutPendingOperationDividesByAHundred) {
    Calc c;
    c.keys("15%");
    EXPECT_EQ(c.m.readout(), "0.15");
    EXPECT_EQ(c.tape(), "");
    // The result counts as keyed: the next operator takes it.
    c.keys("X200=");
    EXPECT_EQ(c.tape(), block("0.15X\r\n200=\r\n", "30."));
}

TEST(Percent, PercentForNumberOffOnlyDividesTheEntry) {
    Calc c;
    c.m.modes().percentForNumber = false;
    c.keys("200X15%");
    EXPECT_EQ(c.m.readout(), "0.15");
    EXPECT_EQ(c.tape(), "200X\r\n");
    c.keys("=");
    EXPECT_EQ(c.tape(), block("200X\r\n0.15=\r\n", "30."));
}

TEST(Percent, ShowPercentagesOffLeavesOutTheAmount) {
    Calc c;
    c.m.modes().showPercentages = false;
    c.keys("200+15%");
    EXPECT_EQ(c.tape(), block("200+\r\n15%\r\n", "230."));
}

TEST(Percent, ResultIsAFreshEntry) {
    Calc c;
    c.keys("200+15%+10=");
    EXPECT_NE(c.tape().find(block("230+\r\n10=\r\n", "240.")), std::string::npos) << c.tape();
    c.keys("c200X15%5");
    EXPECT_EQ(c.m.readout(), "5.");  // a digit starts a new number
    c.keys("c200X15%.5");
    EXPECT_EQ(c.m.readout(), "0.5");
    c.keys("c200X15%\b");
    EXPECT_EQ(c.m.readout(), "30.");  // nothing keyed to take back
    EXPECT_EQ(c.fb.beeps, 1);
}

TEST(Percent, MagicNumberAppliesEachRateToTheFirstNumber) {
    Calc c;
    c.m.modes().magicNumber = true;
    c.keys("200X15%");
    EXPECT_EQ(c.m.readout(), "30.");
    c.keys("20%");
    EXPECT_EQ(c.m.readout(), "40.");
    c.keys("c200-10%");
    EXPECT_EQ(c.m.readout(), "180.");
    c.keys("25%");
    EXPECT_EQ(c.m.readout(), "150.");
}

TEST(Percent, DivisionByZeroClearsLikeTheDivideKey) {
    Calc c;
    c.keys("30/0%");
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{"Can't divide by zero"});
    EXPECT_EQ(c.m.readout(), "0.");
    EXPECT_EQ(c.m.numOps(), 0);
}

TEST(Percent, LoneSignBeepsAndOverflowClears) {
    Calc c;
    c.keys("5+-%");
    EXPECT_EQ(c.fb.beeps, 1);
    EXPECT_EQ(c.m.readout(), "-");
    c.keys("c79228162514264337593543950335X200%");
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{"Invalid value!"});
    EXPECT_EQ(c.m.readout(), "0.");
}

TEST(Percent, FinancialModeTapeItemsAndGrouping) {
    Calc c;
    c.m.modes().financial = true;
    c.m.modes().formatNumbers = true;
    c.m.modes().numberTapeItems = true;
    c.keys("2000+15%");
    EXPECT_EQ(c.tape(), block("2,000.00+ >1<\r\n15.00% >2<\r\n300.00\r\n", "2,300.00"));
    EXPECT_EQ(c.m.readout(), "2300.00");
    EXPECT_EQ(c.m.tapeItem(), 0);
}

TEST(Percent, RpnModeHandsTheKeyToTheStack) {
    Calc c;
    c.m.modes().rpn = true;
    std::string seen;
    c.m.rpnOperation = [&seen](std::string_view op, std::string_view text) {
        seen = std::string(op) + " " + std::string(text);
    };
    c.keys("15%");
    EXPECT_EQ(seen, "% 15.");
    c.m.rpnOperation = nullptr;
    c.keys("%");
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{"RPN Error"});
}

}  // namespace
