#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "engine/ScriptedFeedback.h"
#include "expr/Evaluator.h"

using zorv::engine::MessageButtons;
using zorv::engine::MessageIcon;
using zorv::engine::NumberSymbols;
using zorv::engine::ScriptedFeedback;
using zorv::expr::Evaluator;

namespace {

struct Case {
    const char* expression;
    const char* result;
    const char* x = "0";
};

class EvaluatorResults : public ::testing::TestWithParam<Case> {};

TEST_P(EvaluatorResults, GivesTheValueWithoutAnyMessage) {
    const Case& c = GetParam();
    ScriptedFeedback feedback;
    Evaluator ev(feedback);
    ev.setVariable(0, c.x);
    ev.setVariable(1, "2");
    ev.setVariable(2, "3");
    EXPECT_EQ(ev.evaluate(c.expression), c.result) << c.expression;
    EXPECT_FALSE(ev.EvalAborted);
    EXPECT_TRUE(feedback.messages.empty()) << feedback.messageTexts().front();
}

INSTANTIATE_TEST_SUITE_P(
    Examples, EvaluatorResults,
    ::testing::Values(Case{"2(3)", "6"}, Case{"(2)(3)", "6"}, Case{"2Pi", "23.14159265359"},
                      Case{"2pI", "23.14159265359"}, Case{"50%", "0.5"}, Case{"200*15%", "30"},
                      Case{"10%5", "0.5"}, Case{"7\\2", "1"}, Case{"7.5\\2", "0"},
                      Case{"-7\\2", "-1"}, Case{"2^3^2", "64"}, Case{"2*-3^2", "-18"},
                      Case{"1-2-3", "-4"}, Case{"5--3", "8"}, Case{"((2+3))", "5"},
                      Case{"2*((3))", "6"}, Case{"2X^2", "32", "4"}, Case{"2x^2", "32", "4"},
                      Case{"X+Y*Z", "10", "4"}, Case{"XY", "8", "4"}, Case{"1E+3", "1000"},
                      Case{"2(3+4)^2-15%", "97.85"}, Case{"-5", "-5"}, Case{"007", "7"},
                      Case{"2^-1", "0.5"}, Case{"1/3", "0.333333333333333"},
                      Case{"0.1+0.2", "0.3"}, Case{"2^.5", "1.4142135623731"},
                      Case{"2(3)4(5)6(7)", "5040"}, Case{"", ""}));

// A sign is never lost: in front of a power it stays in front of its value,
// and a "-" after a number is always a subtraction.
INSTANTIATE_TEST_SUITE_P(
    SignsKept, EvaluatorResults,
    ::testing::Values(Case{"-2^3", "-8"}, Case{"-3^2", "-9"}, Case{"X^2", "9", "-3"},
                      Case{"1--2^2", "5"}, Case{"1-2-3*4", "-13"}, Case{"10-2-3/3", "7"},
                      Case{"1+-2*-3", "7"}, Case{"-2*-3", "6"}));

// A value that comes from a bracket or a variable is one whole base, sign
// included; only a sign typed in front of a number stays outside the power.
INSTANTIATE_TEST_SUITE_P(
    NegativeBases, EvaluatorResults,
    ::testing::Values(Case{"(1-3)^2", "4"}, Case{"(-2)^2", "4"}, Case{"(-2)^3", "-8"},
                      Case{"10-(1-3)^2", "6"}, Case{"2*(-3)^2", "18"}, Case{"-(1-3)^2", "-4"},
                      Case{"-(-2)^2", "-4"}, Case{"10--(1-3)^2", "14"}, Case{"((1-3))^2", "4"},
                      Case{"(-2)^3^2", "64"}, Case{"(0-2)^(0-1)", "-0.5"}, Case{"2^(0-1)", "0.5"},
                      Case{"-X^2", "-9", "-3"}, Case{"X^3", "-27", "-3"}, Case{"2X^2", "18", "-3"},
                      Case{"(1-3)^2(2)", "8"}));

// Minus a negative value is a sum, and a sign before a negative value
// negates it, however the negative value came about.
INSTANTIATE_TEST_SUITE_P(
    SignBeforeNegativeValue, EvaluatorResults,
    ::testing::Values(Case{"--5", "5"}, Case{"---5", "-5"}, Case{"-(2-5)", "3"},
                      Case{"2*-(1-4)", "6"}, Case{"181/(-(2-5)*4)", "15.0833333333333"},
                      Case{"-(-(2))", "2"}, Case{"-X", "3", "-3"}, Case{"5-X", "8", "-3"},
                      Case{"2*-X", "6", "-3"}, Case{"2*--3", "6"}, Case{"1-+2", "-1"},
                      Case{"+5", "5"}, Case{"-+5", "-5"}, Case{"2^--1", "2"},
                      Case{"2^-(1-3)", "4"}, Case{"(2-5)*-(1-3)", "-6"}));

// Brackets around a variable's term are put where its own term ends: before
// an operator, or before the ")" of the bracket it stands in.
INSTANTIATE_TEST_SUITE_P(
    VariableTermsInBrackets, EvaluatorResults,
    ::testing::Values(Case{"(X^2+Y^2)^.5", "2.5", "1.5"}, Case{"(X^2)*2", "18", "3"},
                      Case{"(1+X^2)^2", "100", "3"}, Case{"((X^2))^2", "81", "3"},
                      Case{"X^(1+1)", "9", "3"}, Case{"X^-1", "0.5", "2"},
                      Case{"X^(Y)", "9", "3"}, Case{"X^1E+1", "1024", "2"},
                      Case{"(2X^2)/4", "2", "2"}, Case{"X%", "0.5", "50"},
                      Case{"(5+3)%", "0.08"}, Case{"2*(1+1)%", "0.04"}));

// Numbers in exponent form are one operand in every step.
INSTANTIATE_TEST_SUITE_P(ExponentForm, EvaluatorResults,
                         ::testing::Values(Case{"1E+3+1", "1001"}, Case{"2*1E+3", "2000"},
                                           Case{"1E+3*2", "2000"}, Case{"1E-3+1", "1.001"},
                                           Case{"2^1E+1", "1024"}, Case{"1e2", "100"}));

struct Failure {
    const char* expression;
    const char* message;
    const char* title;
    MessageIcon icon;
};

class EvaluatorFailures : public ::testing::TestWithParam<Failure> {};

TEST_P(EvaluatorFailures, ShowOneMessageAndGiveNothing) {
    const Failure& f = GetParam();
    ScriptedFeedback feedback;
    Evaluator ev(feedback);
    EXPECT_EQ(ev.evaluate(f.expression), "") << f.expression;
    EXPECT_TRUE(ev.EvalAborted);
    ASSERT_EQ(feedback.messages.size(), 1u) << f.expression;
    EXPECT_EQ(feedback.messages[0].text, f.message);
    EXPECT_EQ(feedback.messages[0].title, f.title);
    EXPECT_EQ(feedback.messages[0].icon, f.icon);
    EXPECT_EQ(feedback.messages[0].buttons, MessageButtons::Ok);
}

constexpr const char* kProduct = "Zorv Advanced Calculator";
constexpr const char* kEval = "Evaluate Expression";
constexpr MessageIcon kInfo = MessageIcon::Information;

INSTANTIATE_TEST_SUITE_P(
    Table, EvaluatorFailures,
    ::testing::Values(
        Failure{"*5", "Error in Expression!", kProduct, MessageIcon::None},
        Failure{"/5*3", "Error in Expression!", kProduct, MessageIcon::None},
        Failure{"^5", "Error in Expression!", kProduct, MessageIcon::None},
        Failure{"(2+3", "Missing ')'", kEval, kInfo},
        Failure{"2+3)", "Missing '('", kEval, kInfo},
        Failure{")2(", "Missing ')'", kEval, kInfo},
        Failure{"9^99", "Invalid values in expression!", kEval, kInfo},
        Failure{"0^-1", "Invalid values in expression!", kEval, kInfo},
        Failure{"(-8)^0.5", "Invalid values in expression!", kEval, kInfo},
        Failure{"(-8)^(1/3)", "Invalid values in expression!", kEval, kInfo},
        Failure{"(1-3)^.5", "Invalid values in expression!", kEval, kInfo},
        Failure{"-(-8)^.5", "Invalid values in expression!", kEval, kInfo},
        Failure{"79228162514264337593543950335*2", "Invalid values in expression!", kEval, kInfo},
        Failure{"79228162514264337593543950335+79228162514264337593543950335",
                "Invalid values in expression!", kEval, kInfo},
        Failure{"99999999999999999999999999999+1", "Invalid values in expression!", kEval, kInfo},
        Failure{"1/0", "Error: Division by zero [11]", kEval, kInfo},
        Failure{"5\\0.4", "Error: Division by zero [11]", kEval, kInfo},
        Failure{"2*", "Error: Type mismatch [13]", kEval, kInfo},
        Failure{"2()", "Error: Type mismatch [13]", kEval, kInfo},
        Failure{"2+", "Error:Type mismatch [13]", kEval, kInfo},
        Failure{"2^", "Error:Type mismatch [13]", kEval, kInfo},
        Failure{"1.2.3+1", "Error:Type mismatch [13]", kEval, kInfo},
        Failure{"abc", "Error: Type mismatch [13]", kEval, kInfo},
        Failure{".", "Error: Type mismatch [13]", kEval, kInfo},
        Failure{"-\x1E" "5", "Error: Type mismatch [13]", kEval, kInfo},
        Failure{"(2-3)^\x1E" "1", "Error: Type mismatch [13]", kEval, kInfo}));

TEST(Evaluator, RewritesBeforeEvaluatingAndKeepsTheInterpretedText) {
    ScriptedFeedback feedback;
    Evaluator ev(feedback);
    ev.setVariable(0, "4");
    EXPECT_EQ(ev.evaluate("3X^2+1"), "49");
    EXPECT_EQ(ev.InterpretedText, "(3*4^2)+1");
    ev.evaluate("200*15%+2Pi");
    EXPECT_EQ(ev.InterpretedText, "200*(15/100)+23.14159265359");
    ev.evaluate("10%5");
    EXPECT_EQ(ev.InterpretedText, "(10/100)*5");
}

TEST(Evaluator, InterpretedTextShowsWhatIsComputed) {
    struct Row { const char* x; const char* y; const char* expression; const char* result;
                 const char* interpreted; };
    const Row rows[] = {
        {"3", "4", "(X^2+Y^2)^.5", "5", "((3^2)+(4^2))^.5"},
        {"3", "4", "(X^2*Y)", "36", "((3^2)*(4))"},
        {"3", "4", "X^(Y-2)", "9", "(3^((4)-2))"},
        {"3", "4", "X^-1+1", "1.33333333333333", "(3^-1)+1"},
        {"-3", "4", "X^2", "9", "((-3)^2)"},
        {"-3", "4", "-X^2+Y", "-5", "-((-3)^2)+(4)"},
        {"-3", "-2", "3X^Y", "0.333333333333333", "(3*(-3)^(-2))"},
        {"-3", "4", "-X", "3", "-(-3)"},
        {"50", "4", "X%", "0.5", "((50)/100)"},
        {"3", "4", "(X+1)%", "0.04", "(((3)+1)/100)"},
    };
    for (const Row& r : rows) {
        ScriptedFeedback feedback;
        Evaluator ev(feedback);
        ev.setVariable(0, r.x);
        ev.setVariable(1, r.y);
        EXPECT_EQ(ev.evaluate(r.expression), r.result) << r.expression;
        EXPECT_EQ(ev.InterpretedText, r.interpreted) << r.expression;
        EXPECT_TRUE(feedback.messages.empty()) << r.expression;
    }
    // A negative variable under a fractional power is refused, not computed
    // without its sign.
    ScriptedFeedback feedback;
    Evaluator ev(feedback);
    ev.setVariable(0, "-3");
    EXPECT_EQ(ev.evaluate("X^.5"), "");
    EXPECT_EQ(feedback.messageTexts(), std::vector<std::string>{"Invalid values in expression!"});
}

TEST(Evaluator, RecordsEveryGroupOuterFirst) {
    ScriptedFeedback feedback;
    Evaluator ev(feedback);
    ASSERT_EQ(ev.evaluate("(2)+((2))"), "4");
    const auto& g = ev.groups();
    ASSERT_EQ(g.size(), 4u);
    struct Expected { int start, end; const char* text; const char* result; };
    const Expected expected[] = {{1, 9, "(2)+((2))", "4"}, {1, 3, "2", "2"}, {3, 7, "(2)", "2"},
                                 {3, 5, "2", "2"}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(g[i].StartPos, expected[i].start) << i;
        EXPECT_EQ(g[i].EndPos, expected[i].end) << i;
        EXPECT_EQ(g[i].Text, expected[i].text) << i;
        EXPECT_EQ(g[i].Result, expected[i].result) << i;
    }
}

TEST(Evaluator, TextRoutines) {
    ScriptedFeedback feedback;
    Evaluator ev(feedback);
    EXPECT_EQ(ev.FindOperandStart(""), 0);
    EXPECT_EQ(ev.FindOperandStart("12*3"), 4);
    EXPECT_EQ(ev.FindOperandStart("-3"), 1);
    EXPECT_EQ(ev.FindOperandStart("2*-3"), 4);
    EXPECT_EQ(ev.FindOperandStart("1-2-3"), 5);
    EXPECT_EQ(ev.FindOperandStart("2*1E-3"), 3);
    EXPECT_EQ(ev.FindOperandEnd("3+4"), 2);
    EXPECT_EQ(ev.FindOperandEnd("-3+4"), 3);
    EXPECT_EQ(ev.FindOperandEnd("-3"), 0);
    EXPECT_EQ(ev.FindOperandEnd("3\\4"), 2);
    EXPECT_EQ(ev.FindOperandEnd("1E+3*2"), 5);
    EXPECT_EQ(Evaluator::FindClosingParen("(2+(3))", 2), 7);
    EXPECT_EQ(Evaluator::FindClosingParen("(2+(3)", 2), -1);
    EXPECT_TRUE(Evaluator::HasParens("2)"));
    EXPECT_FALSE(Evaluator::HasParens("2+3"));
    for (char c : std::string("*/\\+-^%")) EXPECT_TRUE(Evaluator::IsOperatorChar(c)) << c;
    EXPECT_FALSE(Evaluator::IsOperatorChar('('));

    // One pass walks only as far as the text's length when it began; the
    // second pass of the rewriting catches what was pushed beyond it.
    ev.EvalText = "2(3)4(5)6(7)";
    ev.InsertImplicitProducts();
    EXPECT_EQ(ev.EvalText, "2*(3)*4*(5)*6(7)");
    ev.EvalText = "x(1)(2)y";
    ev.InsertImplicitProducts();
    EXPECT_EQ(ev.EvalText, "x*(1)*(2)y");
}

TEST(Evaluator, VariableWhoseTextHoldsItsLetterEnds) {
    ScriptedFeedback feedback;
    Evaluator ev(feedback);
    ev.setVariable(0, "x");
    EXPECT_EQ(ev.evaluate("X+1"), "");
    EXPECT_EQ(feedback.messages.size(), 1u);
}

TEST(Evaluator, UsesTheLocaleDecimalSymbol) {
    ScriptedFeedback feedback;
    Evaluator comma(feedback, NumberSymbols{",", ".", "$"});
    EXPECT_EQ(comma.evaluate("1,5*3"), "4,5");
    EXPECT_EQ(comma.evaluate("2Pi"), "23,14159265359");
    EXPECT_EQ(comma.evaluate("2^,5"), "1,4142135623731");
    // A decimal symbol of more than one byte works like any other.
    Evaluator arabic(feedback, NumberSymbols{"\xD9\xAB", ",", "$"});
    EXPECT_EQ(arabic.evaluate("1\xD9\xAB" "5*3"), "4\xD9\xAB" "5");
    EXPECT_EQ(arabic.InterpretedText, "1\xD9\xAB" "5*3");
    EXPECT_TRUE(feedback.messages.empty());
}

TEST(Evaluator, ConfirmationAnswers) {
    const std::string question =
        "Your expression was interpreted as: \r\r23.14159265359\r\rIs this acceptable?\r"
        "Y=Process, N=Edit Interpreted, C=Edit Original";
    struct Answer { const char* answer; const char* result; Evaluator::EditRequest edit; };
    for (const Answer& a : {Answer{"yes", "23.14159265359", Evaluator::EditRequest::None},
                            Answer{"no", "", Evaluator::EditRequest::EditInterpreted},
                            Answer{"cancel", "", Evaluator::EditRequest::EditOriginal}}) {
        ScriptedFeedback feedback;
        feedback.answer(a.answer);
        Evaluator ev(feedback);
        ev.setConfirm(true);
        EXPECT_EQ(ev.evaluate("2Pi"), a.result) << a.answer;
        EXPECT_EQ(ev.EvalAborted, std::string(a.result).empty()) << a.answer;
        EXPECT_EQ(ev.editRequest(), a.edit) << a.answer;
        EXPECT_EQ(ev.InterpretedText, "23.14159265359");
        ASSERT_EQ(feedback.messages.size(), 1u);
        EXPECT_EQ(feedback.messages[0].text, question);
        EXPECT_EQ(feedback.messages[0].title, "Expression Interpreter");
        EXPECT_EQ(feedback.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(feedback.messages[0].buttons, MessageButtons::YesNoCancel);
    }
    // Nothing to confirm when nothing was interpreted, or when not asked to.
    ScriptedFeedback feedback;
    Evaluator ev(feedback);
    ev.setConfirm(true);
    EXPECT_EQ(ev.evaluate("2(3)"), "6");
    ev.setConfirm(false);
    EXPECT_EQ(ev.evaluate("2Pi"), "23.14159265359");
    EXPECT_TRUE(feedback.messages.empty());
}

TEST(Evaluator, LongExpressions) {
    ScriptedFeedback feedback;
    Evaluator ev(feedback);
    std::string sum = "1";
    while (sum.size() + 2 <= Evaluator::kMaxLength) sum += "+1";
    ASSERT_EQ(sum.size(), Evaluator::kMaxLength);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ev.evaluate(sum), "16384");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(20));  // generous: sanitizer builds are slow

    std::string nested(16000, '(');
    nested += "1";
    nested += std::string(16000, ')');
    EXPECT_EQ(ev.evaluate(nested), "1");

    std::string tooLong(40000, '1');
    EXPECT_EQ(ev.evaluate(tooLong), "");
    // Growing past the limit while rewriting is refused the same way.
    std::string pis;
    for (int i = 0; i < 3000; ++i) pis += "pi";
    EXPECT_EQ(ev.evaluate(pis), "");
    ASSERT_EQ(feedback.messages.size(), 2u);
    EXPECT_EQ(feedback.messages[0].text, "Expression too long! (at most 32767 characters)");
    EXPECT_EQ(feedback.messages[1].text, feedback.messages[0].text);
}

}  // namespace
