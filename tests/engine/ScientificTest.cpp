// Square, square root and the Sci menu through the command table: readout
// value in, result and tape line out; domain errors leave the readout.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ModeLabel.h"
#include "engine/ScientificFunctions.h"
#include "engine/ScriptedFeedback.h"

using namespace zorv::engine;

namespace {

struct Calc {
    ScriptedFeedback fb;
    CalculatorModel m{fb};
    ScientificFunctions sci{m};
    Calc() {
        m.modes().financial = false;
        m.modes().formatNumbers = false;
        m.modes().carryResult = false;
        registerScientificCommands(m, sci);
    }
    Calc& keys(std::string_view script) {
        const auto ks = parseKeyScript(script);
        for (const auto& a : ks.answers) fb.answer(a);
        runKeyScript(m, ks, [](const std::string& n) { FAIL() << "unknown command " << n; });
        return *this;
    }
    const std::string& tape() const { return m.tape().text(); }
};

struct FunctionCase {
    const char* keys;
    const char* readout;
    const char* tapeLine;
};

class Functions : public ::testing::TestWithParam<FunctionCase> {};

TEST_P(Functions, ResultInReadoutAndOneTapeLine) {
    Calc c;
    c.keys(GetParam().keys);
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{});
    EXPECT_EQ(c.m.readout(), GetParam().readout);
    EXPECT_EQ(c.tape(), std::string(GetParam().tapeLine) + "\r\n");
    EXPECT_EQ(c.m.entryState(), EntryState::Number);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Functions,
    ::testing::Values(
        FunctionCase{"9R", "3.", "sqrt(9) = 3"},
        FunctionCase{"2r", "1.4142135623730950488016887242", "sqrt(2) = 1.4142135623730950488016887242"},
        FunctionCase{"12345678987654321{Square Root}", "111111111.", "sqrt(12345678987654321) = 111111111"},
        FunctionCase{"12S", "144.", "sqr(12) = 144"},
        FunctionCase{"30{Sine}", "0.5", "sin(30 deg) = 0.5"},
        FunctionCase{"180{Sine}", "0.", "sin(180 deg) = 0"},
        FunctionCase{"60{Cosine}", "0.5", "cos(60 deg) = 0.5"},
        FunctionCase{"450{Cosine}", "0.", "cos(450 deg) = 0"},
        FunctionCase{"45{Tangent}", "1.", "tan(45 deg) = 1"},
        FunctionCase{"1{Arctangent}", "45.", "atan(1) = 45 deg"},
        FunctionCase{"1{Natural Logarithm}", "0.", "ln(1) = 0"},
        FunctionCase{"1{Exp (Base of Natural Log)}", "2.71828182845905", "exp(1) = 2.71828182845905"},
        FunctionCase{"60{Secant}", "2.", "sec(60 deg) = 2"},
        FunctionCase{"30{Cosecant}", "2.", "csc(30 deg) = 2"},
        FunctionCase{"45{Cotangent}", "1.", "cot(45 deg) = 1"},
        FunctionCase{"90{Cotangent}", "0.", "cot(90 deg) = 0"},
        FunctionCase{"8{Logarithm to Base N}[2]", "3.", "log_2(8) = 3"},
        FunctionCase{"0.5{Inverse Sine}", "30.", "asin(0.5) = 30 deg"},
        FunctionCase{"0.5{Inverse Cosine}", "60.", "acos(0.5) = 60 deg"},
        FunctionCase{"2{Inverse Secant}", "60.", "asec(2) = 60 deg"},
        FunctionCase{"2{Inverse Cosecant}", "30.", "acsc(2) = 30 deg"},
        FunctionCase{"0{Inverse Cotangent}", "90.", "acot(0) = 90 deg"},
        FunctionCase{"-1{Inverse Cotangent}", "135.", "acot(-1) = 135 deg"},
        FunctionCase{"1{Hyperbolic Sine}", "1.1752011936438", "sinh(1) = 1.1752011936438"},
        FunctionCase{"0{Hyperbolic Cosine}", "1.", "cosh(0) = 1"},
        FunctionCase{"1{Hyperbolic Tangent}", "0.761594155955765", "tanh(1) = 0.761594155955765"},
        FunctionCase{"0{Hyperbolic Secant}", "1.", "sech(0) = 1"},
        FunctionCase{"1{Hyperbolic Cosecant}", "0.850918128239322", "csch(1) = 0.850918128239322"},
        FunctionCase{"1{Hyperbolic Cotangent}", "1.31303528549933", "coth(1) = 1.31303528549933"},
        FunctionCase{"1{Inverse Hyperbolic Sine}", "0.881373587019543", "asinh(1) = 0.881373587019543"},
        FunctionCase{"1{Inverse Hyperbolic Cosine}", "0.", "acosh(1) = 0"},
        FunctionCase{"0.5{Inverse Hyperbolic Tangent}", "0.549306144334055",
                     "atanh(0.5) = 0.549306144334055"},
        FunctionCase{"1{Inverse Hyperbolic Secant}", "0.", "asech(1) = 0"},
        FunctionCase{"1{Inverse Hyperbolic Cosecant}", "0.881373587019543",
                     "acsch(1) = 0.881373587019543"},
        FunctionCase{"2{Inverse Hyperbolic Cotangent}", "0.549306144334055",
                     "acoth(2) = 0.549306144334055"},
        FunctionCase{"4{Reciprocal}", "0.25", "1/(4) = 0.25"},
        FunctionCase{"{Pi}", "3.1415926535897932384626433833", "Pi = 3.1415926535897932384626433833"},
        FunctionCase{"{e constant}", "2.7182818284590452353602874714", "e = 2.7182818284590452353602874714"},
        FunctionCase{"{Golden Cut}", "1.6180339887498948482045868344",
                     "Golden Cut = 1.6180339887498948482045868344"}));

struct DomainCase {
    const char* keys;
    const char* readout;  // as it was before the function
    const char* message;
};

class DomainErrors : public ::testing::TestWithParam<DomainCase> {};

TEST_P(DomainErrors, ExplainAndLeaveTheReadout) {
    Calc c;
    c.keys(GetParam().keys);
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{GetParam().message});
    EXPECT_EQ(c.m.readout(), GetParam().readout);
    EXPECT_EQ(c.tape(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DomainErrors,
    ::testing::Values(
        DomainCase{"4{+/-}R", "-4.", "Square Root of -4 is not defined."},
        DomainCase{"90{Tangent}", "90.", "Tangent of 90 degrees is not defined."},
        DomainCase{"90{Secant}", "90.", "Secant of 90 degrees is not defined."},
        DomainCase{"180{Cosecant}", "180.", "Cosecant of 180 degrees is not defined."},
        DomainCase{"0{Cotangent}", "0.", "Cotangent of 0 degrees is not defined."},
        DomainCase{"0{Natural Logarithm}", "0.", "Natural Logarithm of 0 is not defined."},
        DomainCase{"0{Logarithm to Base N}[10]", "0.", "Logarithm to Base 10 of 0 is not defined."},
        DomainCase{"8{Logarithm to Base N}[1]", "8.", "Logarithm to Base 1 of 8 is not defined."},
        DomainCase{"8{Logarithm to Base N}[x]", "8.", "Invalid value!"},
        DomainCase{"2{Inverse Sine}", "2.", "Inverse Sine of 2 is not defined."},
        DomainCase{"1.5{Inverse Cosine}", "1.5", "Inverse Cosine of 1.5 is not defined."},
        DomainCase{"0.5{Inverse Secant}", "0.5", "Inverse Secant of 0.5 is not defined."},
        DomainCase{"0{Hyperbolic Cosecant}", "0.", "Hyperbolic Cosecant of 0 is not defined."},
        DomainCase{"0.5{Inverse Hyperbolic Cosine}", "0.5",
                   "Inverse Hyperbolic Cosine of 0.5 is not defined."},
        DomainCase{"1{Inverse Hyperbolic Tangent}", "1.",
                   "Inverse Hyperbolic Tangent of 1 is not defined."},
        DomainCase{"2{Inverse Hyperbolic Secant}", "2.",
                   "Inverse Hyperbolic Secant of 2 is not defined."},
        DomainCase{"0{Inverse Hyperbolic Cosecant}", "0.",
                   "Inverse Hyperbolic Cosecant of 0 is not defined."},
        DomainCase{"1{Inverse Hyperbolic Cotangent}", "1.",
                   "Inverse Hyperbolic Cotangent of 1 is not defined."},
        DomainCase{"0{Reciprocal}", "0.", "Reciprocal of 0 is not defined."},
        DomainCase{"100{Exp (Base of Natural Log)}", "100.",
                   "The Exp (Base of Natural Log) of 100 is too large for the calculator."},
        DomainCase{"100{Hyperbolic Cosine}", "100.",
                   "The Hyperbolic Cosine of 100 is too large for the calculator."},
        DomainCase{"99999999999999999S", "99999999999999999.",
                   "The Square of 99999999999999999 is too large for the calculator."}));

TEST(Scientific, RadiansAreChosenFromTheMenuAndShownInTheModeLabel) {
    Calc c;
    c.m.modes().carryResult = true;
    EXPECT_EQ(c.m.commands().checked("Degrees"), true);
    c.keys("{Radiants}");
    EXPECT_EQ(c.m.commands().checked("Radiants"), true);
    EXPECT_EQ(c.m.commands().checked("Degrees"), false);
    EXPECT_NE(modeLabel(c.m.modes()).find("RAD"), std::string::npos);
    c.keys("{Pi}{Sine}");
    EXPECT_EQ(c.m.readout(), "0.");
    c.keys("{Pi}{Cosine}");
    EXPECT_EQ(c.m.readout(), "-1.");
    c.keys("1{Arctangent}");
    EXPECT_EQ(c.m.readout(), "0.785398163397448");
    EXPECT_NE(c.tape().find("sin(3.1415926535897932384626433833 rad) = 0\r\n"), std::string::npos);
    // A right angle in radians is as undefined for the tangent as 90 degrees.
    c.fb.clearRecord();
    c.keys("{Pi}/2={Tangent}");
    EXPECT_EQ(c.fb.messageTexts().size(), 1u);
    EXPECT_NE(c.fb.messageTexts()[0].find("radians is not defined"), std::string::npos);
    c.keys("{Degrees}");
    EXPECT_EQ(modeLabel(c.m.modes()).find("RAD"), std::string::npos);
}

TEST(Scientific, ResultIsAFreshEntryForTheNextKey) {
    Calc c;
    c.keys("9R+1=");
    EXPECT_EQ(c.tape(), "sqrt(9) = 3\r\n3+\r\n1=\r\n------------------\r\n4.\r\n******************\r\n");
    c.keys("9R5");
    EXPECT_EQ(c.m.readout(), "5.");
    // Functions chain on a result, and a pending operation takes it.
    c.keys("c2+16RR=");
    EXPECT_NE(c.tape().find("\r\n4.\r\n"), std::string::npos) << c.tape();
}

TEST(Scientific, FinancialModeRoundsReadoutAndTapeAlike) {
    Calc c;
    c.m.modes().financial = true;
    c.keys("2R");
    EXPECT_EQ(c.m.readout(), "1.41");
    EXPECT_EQ(c.tape(), "sqrt(2.00) = 1.41\r\n");
}

TEST(Scientific, LoneSignBeeps) {
    Calc c;
    c.keys("5+-{Sine}");
    EXPECT_EQ(c.fb.beeps, 1);
    EXPECT_EQ(c.m.readout(), "-");
}

TEST(Scientific, ConvertToFractionsWritesTheTapeAndKeepsTheReadout) {
    Calc c;
    c.keys("1.75{Convert to Fractions}");
    EXPECT_EQ(c.tape(), "1.75 = 1 3/4\r\n");
    EXPECT_EQ(c.m.readout(), "1.75");
    c.keys("{Pi}{Convert to Fractions}");
    EXPECT_NE(c.tape().find("3.1415926535897932384626433833 \xE2\x89\x88 3 16/113\r\n"),
              std::string::npos)
        << c.tape();
}

struct FractionCase {
    Decimal value;
    const char* text;
    bool approximate;
};

TEST(Scientific, FractionText) {
    const FractionCase cases[] = {
        {Decimal::parse("0.75"), "3/4", false},
        {Decimal::parse("-2.25"), "-2 1/4", false},
        {Decimal::parse("5"), "5", false},
        {Decimal(), "0", false},
        {Decimal::parse("0.12345"), "2469/20000", false},
        {Decimal(1) / Decimal(3), "1/3", false},
        {Decimal(-22) / Decimal(7), "-3 1/7", false},
        {Decimal::parse("0.142857142857143"), "1/7", false},  // a 15-digit result
        {Decimal::parse("0.841470984807897"), "6773/8049", true},
    };
    for (const auto& c : cases) {
        bool approximate = false;
        EXPECT_EQ(fractionText(c.value, approximate), c.text) << c.value.toString();
        EXPECT_EQ(approximate, c.approximate) << c.value.toString();
    }
}

TEST(Scientific, NothingButNumbersEverReachesTheReadout) {
    // Arguments near the edges of every function's domain and range.
    const char* args[] = {"0", "1", "-1", "0.5", "90", "-90", "1E-20", "700", "-700",
                          "79228162514264337593543950335", "-79228162514264337593543950335"};
    Calc c;
    for (const auto& name : c.m.commands().names()) {
        if (name.size() < 4 || name == "Degrees" || name == "Radiants") continue;
        for (const char* a : args) {
            c.m.setEntryState(EntryState::Number);
            c.m.setReadout(a);
            try {
                c.m.runCommand(name);
            } catch (const std::exception& e) {
                ADD_FAILURE() << name << " " << a << ": " << e.what();
            }
            for (const std::string& text : {c.m.readout(), c.tape()}) {
                EXPECT_EQ(text.find("nan"), std::string::npos) << name << " " << a;
                EXPECT_EQ(text.find("inf"), std::string::npos) << name << " " << a;
                EXPECT_EQ(text.find("e+"), std::string::npos) << name << " " << a;
            }
        }
    }
}

}  // namespace
