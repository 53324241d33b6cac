#include <gtest/gtest.h>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "expr/ExpressionKeys.h"
#include "expr/ExpressionSession.h"

using namespace zorv;

namespace {

struct Calculator {
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    Calculator() { model.modes().financial = false; }
};

TEST(ExpressionCommands, EvalSendsTheValueToReadoutAndTape) {
    Calculator c;
    auto session = expr::registerExpressionCommands(c.model);
    ASSERT_TRUE(c.model.commands().run("Eval 2(3)"));
    EXPECT_EQ(c.model.readout(), "6.");
    EXPECT_EQ(c.model.entryState(), engine::EntryState::Number);
    ASSERT_TRUE(c.model.commands().run("Var X=4"));
    ASSERT_TRUE(c.model.commands().run("Eval 2X^2+50%"));
    EXPECT_EQ(c.model.readout(), "32.5");
    EXPECT_EQ(c.model.tape().text(), "2*(3) = 6.\r\n(2*4^2)+(50/100) = 32.5\r\n");
    EXPECT_TRUE(c.feedback.messages.empty());
}

TEST(ExpressionCommands, TapeShowsVariableTermsAsComputed) {
    Calculator c;
    expr::registerExpressionCommands(c.model);
    for (const char* line : {"Var X=3", "Var Y=4", "Eval (X^2+Y^2)^.5", "Var X=-3", "Eval X^2",
                             "Eval -X"})
        ASSERT_TRUE(c.model.commands().run(line)) << line;
    EXPECT_EQ(c.model.tape().text(),
              "((3^2)+(4^2))^.5 = 5.\r\n((-3)^2) = 9.\r\n-(-3) = 3.\r\n");
    EXPECT_TRUE(c.feedback.messages.empty());
}

TEST(ExpressionCommands, ReadoutIsFormattedAsAfterAnyResult) {
    Calculator c;
    c.model.modes().financial = true;
    expr::registerExpressionCommands(c.model);
    c.model.commands().run("Eval 1/3");
    EXPECT_EQ(c.model.readout(), "0.33");
    EXPECT_EQ(c.model.tape().text(), "1/3 = 0.33\r\n");
}

TEST(ExpressionCommands, FailureLeavesReadoutAndTapeAlone) {
    Calculator c;
    expr::registerExpressionCommands(c.model);
    c.model.setReadout("5.");
    c.model.commands().run("Eval *5");
    c.model.commands().run("Eval 1/0");
    EXPECT_EQ(c.model.readout(), "5.");
    EXPECT_EQ(c.model.tape().text(), "");
    EXPECT_EQ(c.feedback.messageTexts(),
              (std::vector<std::string>{"Error in Expression!", "Error: Division by zero [11]"}));
}

TEST(ExpressionCommands, VariablesAreCleanedAndMalformedOnesBeep) {
    Calculator c;
    auto session = expr::registerExpressionCommands(c.model);
    c.model.commands().run("Var y = 0012.50");
    EXPECT_EQ(session->evaluator().variable(1), "12.5");
    c.model.commands().run("Var z=1-2-");
    EXPECT_EQ(session->evaluator().variable(2), "0");
    EXPECT_EQ(c.feedback.messageTexts(), (std::vector<std::string>{"Invalid value!"}));
    for (const char* bad : {"Var W=1", "Var X", "Var XY=2"}) c.model.commands().run(bad);
    EXPECT_EQ(c.feedback.beeps, 3);
    EXPECT_EQ(session->evaluator().variable(0), "0");
}

TEST(ExpressionCommands, ConfirmationFromTheScript) {
    Calculator c;
    expr::registerExpressionCommands(c.model, true);
    c.feedback.answer("no");
    c.model.commands().run("Eval 2Pi");
    EXPECT_EQ(c.model.tape().text(), "");
    c.feedback.answer("yes");
    c.model.commands().run("Eval 2Pi");
    EXPECT_EQ(c.model.tape().text(), "23.14159265359 = 23.14159265359\r\n");
}

TEST(ExpressionCommands, StoredConfirmSetting) {
    for (const char* on : {"1", "-1", "True", "true", " 2 "}) EXPECT_TRUE(expr::confirmSettingValue(on)) << on;
    for (const char* off : {"0", "", "False", "yes", "1x"}) EXPECT_FALSE(expr::confirmSettingValue(off)) << off;
}

struct Key {
    const char* typed;
    expr::KeyAction action;
    const char* inserted;
};

TEST(ExpressionKeys, ExpressionAndVariableBoxes) {
    using expr::KeyAction;
    const Key expression[] = {
        {"7", KeyAction::Insert, "7"},   {".", KeyAction::Insert, ","},   {",", KeyAction::Insert, ","},
        {"(", KeyAction::Insert, "("},   {"\\", KeyAction::Insert, "\\"}, {"%", KeyAction::Insert, "%"},
        {"x", KeyAction::Insert, "X"},   {"Z", KeyAction::Insert, "Z"},
        {"p", KeyAction::Insert, "3,14159265359"},                       {"S", KeyAction::Insert, "^2"},
        {"r", KeyAction::Insert, "^,5"}, {"\b", KeyAction::Backspace, ""},
        {"\x03", KeyAction::Copy, ""},   {"\x16", KeyAction::Paste, ""},  {"a", KeyAction::Reject, ""},
        {" ", KeyAction::Reject, ""},    {"'", KeyAction::Reject, ""},    {"\xC3\xA9", KeyAction::Reject, ""},
    };
    for (const Key& k : expression) {
        const auto out = expr::expressionKey(k.typed, ",");
        EXPECT_EQ(out.action, k.action) << k.typed;
        EXPECT_EQ(out.text, k.inserted) << k.typed;
    }
    EXPECT_EQ(expr::expressionKey("'", ",", true).text, "'");

    const Key variable[] = {
        {"4", KeyAction::Insert, "4"},  {".", KeyAction::Insert, "."}, {"P", KeyAction::Insert, "3.14159265359"},
        {"-", KeyAction::Reject, ""},   {"x", KeyAction::Reject, ""},  {"\x03", KeyAction::Copy, ""},
        {"\x16", KeyAction::Paste, ""},
    };
    for (const Key& k : variable) {
        const auto out = expr::variableKey(k.typed, ".");
        EXPECT_EQ(out.action, k.action) << k.typed;
        EXPECT_EQ(out.text, k.inserted) << k.typed;
    }
}

}  // namespace
