// RPN mode: "=" enters, operators combine, every step on the tape.
#include <gtest/gtest.h>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ModeCommands.h"
#include "engine/RpnStack.h"
#include "engine/ScientificFunctions.h"
#include "engine/ScriptedFeedback.h"

using namespace zorv::engine;

namespace {

struct Calc {
    ScriptedFeedback fb;
    CalculatorModel m{fb};
    RpnStack stack{m};
    ScientificFunctions sci{m};
    Calc() {
        m.modes().financial = false;
        m.modes().formatNumbers = false;
        m.modes().carryResult = false;
        m.modes().rpn = true;
        registerModeCommands(m);
        registerScientificCommands(m, sci);
        registerRpnCommands(m, stack);
    }
    Calc& keys(std::string_view script) {
        const auto ks = parseKeyScript(script);
        for (const auto& a : ks.answers) fb.answer(a);
        runKeyScript(m, ks, [](const std::string& n) { FAIL() << "unknown command " << n; });
        return *this;
    }
    std::vector<std::string> values() const {
        std::vector<std::string> out;
        for (const auto& d : stack.values()) out.push_back(d.toString());
        return out;
    }
};

using Values = std::vector<std::string>;

struct RpnCase {
    const char* keys;
    Values stack;  // bottom first
    const char* readout;
};

class RpnKeys : public ::testing::TestWithParam<RpnCase> {};

TEST_P(RpnKeys, LeaveTheStackAndReadout) {
    Calc c;
    c.keys(GetParam().keys);
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{});
    EXPECT_EQ(c.values(), GetParam().stack);
    EXPECT_EQ(c.m.readout(), GetParam().readout);
    EXPECT_EQ(c.m.rpnDepthLabel(), std::to_string(GetParam().stack.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, RpnKeys,
    ::testing::Values(
        RpnCase{"2=", {"2"}, "2."},
        RpnCase{"2=3+", {"5"}, "5."},         // the top with the entry
        RpnCase{"2=3=+", {"5"}, "5."},        // the top two
        RpnCase{"10=4-", {"6"}, "6."},
        RpnCase{"10=4=-", {"6"}, "6."},
        RpnCase{"2=3+4X", {"20"}, "20."},     // a result takes part in the next step
        RpnCase{"1=2=3=++", {"6"}, "6."},
        RpnCase{"1=3/", {"0.3333333333333333333333333333"}, "0.3333333333333333333333333333"},
        RpnCase{"7=3+=", {"10", "10"}, "10."},  // "=" on a result enters it again
        RpnCase{"200=15%", {"200", "30"}, "30."},
        RpnCase{"200=15%+", {"230"}, "230."},
        RpnCase{"200=15=%", {"200", "30"}, "30."},
        RpnCase{"9=R+", {"12"}, "12."},       // the root of an entered number is an entry
        RpnCase{"7=9+R=", {"4"}, "4."},       // the root of a result replaces it
        RpnCase{"7=9+R=5+", {"9"}, "9."},
        RpnCase{"7=9+RR=", {"2"}, "2."},      // functions of functions of a result
        RpnCase{"7=9+4R=", {"16", "2"}, "2."},  // the root of a keyed number is pushed
        RpnCase{"7=9+4RR=", {"16", "1.4142135623730950488016887242"},
                "1.4142135623730950488016887242"},
        RpnCase{"7=9+{CE}R=", {"16", "0"}, "0."},     // a cleared entry is not the result
        RpnCase{"2=3+{Pi}X", {"15.707963267948966192313216916"},
                "15.707963267948966192313216916"},  // a constant is a new number
        RpnCase{"2=3+5", {"5"}, "5."}));      // a digit starts a new number

TEST(Rpn, EveryStepIsOnTheTape) {
    Calc c;
    c.keys("2=3+4X200=15%");
    EXPECT_EQ(c.m.tape().text(),
              "2 ENTER\r\n2 + 3 = 5\r\n5 X 4 = 20\r\n200 ENTER\r\n15% of 200 = 30\r\n");
    EXPECT_EQ(c.m.hint(), "Press F1 for Help [RPN]");
}

struct RpnErrorCase {
    const char* keys;
    const char* message;
    Values stack;
};

class RpnErrors : public ::testing::TestWithParam<RpnErrorCase> {};

TEST_P(RpnErrors, ReportAndKeepTheStack) {
    Calc c;
    c.keys(GetParam().keys);
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{GetParam().message});
    EXPECT_EQ(c.values(), GetParam().stack);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, RpnErrors,
    ::testing::Values(RpnErrorCase{"3+", "There are no numbers in the stack.", {}},
                      RpnErrorCase{"+", "There are no numbers in the stack.", {}},
                      RpnErrorCase{"5=+", "RPN Error", {"5"}},
                      RpnErrorCase{"5=0/", "Can't divide by 0.", {"5"}},
                      RpnErrorCase{"5=0=/", "Can't divide by 0.", {"5", "0"}},
                      RpnErrorCase{"79228162514264337593543950335=2X", "Invalid value!",
                                   {"79228162514264337593543950335"}}));

TEST(Rpn, ClearAndModeSwitchingEmptyTheStack) {
    Calc c;
    c.keys("2=3=");
    ASSERT_EQ(c.stack.values().size(), 2u);
    c.keys("c");
    EXPECT_TRUE(c.stack.values().empty());
    EXPECT_EQ(c.m.rpnDepthLabel(), "0");

    c.keys("2=3={RPN Mode}");
    EXPECT_FALSE(c.m.modes().rpn);
    EXPECT_TRUE(c.stack.values().empty());
    c.keys("{RPN Mode}{Adding Machine Mode}");
    EXPECT_FALSE(c.m.modes().rpn);
    EXPECT_TRUE(c.m.modes().addingMachine);
    c.keys("{RPN Mode}");
    EXPECT_FALSE(c.m.modes().addingMachine);
    // Back to the adding machine's own chain once RPN is off.
    c.keys("{RPN Mode}c5+3=");
    EXPECT_NE(c.m.tape().text().find("5+\r\n3=\r\n"), std::string::npos);
}

TEST(Rpn, ViewStackListsTopFirstAndBeepsOutsideRpnMode) {
    Calc c;
    c.keys("{View RPN Stack}");
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{"The RPN stack is empty."});
    c.fb.clearRecord();
    c.keys("2=3={View RPN Stack}");
    EXPECT_EQ(c.fb.messageTexts(),
              std::vector<std::string>{"RPN stack (top first):\r\n1: 3\r\n2: 2"});
    c.fb.clearRecord();
    c.m.modes().rpn = false;
    c.keys("{View RPN Stack}");
    EXPECT_EQ(c.fb.beeps, 1);
    EXPECT_TRUE(c.fb.messages.empty());
}

TEST(Rpn, PercentForNumberOffOnlyDividesTheEntry) {
    Calc c;
    c.m.modes().percentForNumber = false;
    c.keys("200=15%");
    EXPECT_EQ(c.m.readout(), "0.15");
    EXPECT_EQ(c.values(), Values{"200"});
}

}  // namespace
