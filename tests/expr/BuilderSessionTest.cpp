// The construction calculator as the calculator uses it: stored options,
// the tape line and the readout entry, the shipped formulas, and the keys
// its boxes take.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "expr/BuilderSession.h"
#include "expr/ExpressionKeys.h"
#include "expr/FormulaFile.h"
#include "tests/support/TestFiles.h"

using namespace zorv;

namespace {

struct Fixture {
    explicit Fixture(engine::NumberSymbols symbols = {}) : model(feedback, symbols) {
        model.modes().financial = false;
        session = std::make_shared<expr::BuilderSession>(
            model,
            [this](std::string_view key, std::string_view fallback) {
                const auto it = stored.find(std::string(key));
                return it == stored.end() ? std::string(fallback) : it->second;
            },
            [this](std::string_view key, std::string_view value) { stored[std::string(key)] = value; });
    }
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model;
    std::map<std::string, std::string> stored;
    std::shared_ptr<expr::BuilderSession> session;
};

}  // namespace

TEST(BuilderSession, ResultGoesToTapeAndReadoutInTheChosenUnit) {
    Fixture f;
    ASSERT_TRUE(f.session->evaluate("12'6-3/8\"+3'0-1/4\"").ok);
    EXPECT_EQ(f.model.tape().text(), "12'6-3/8\" + 3'0-1/4\" = 15'6-5/8\"\r\n");
    EXPECT_EQ(f.model.readout(), "186.625");  // plain numbers are inches

    f.stored["Builder Plain Feet"] = "1";
    ASSERT_TRUE(f.session->evaluate("12'6-3/8\" * 10'").ok);
    EXPECT_EQ(f.model.readout(), "125.3125");  // square feet
    ASSERT_TRUE(f.session->evaluate("18'").ok);
    EXPECT_EQ(f.model.readout(), "18.");  // feet, a whole entry
    ASSERT_TRUE(f.session->evaluate("20'*30'*4\"").ok);
    EXPECT_EQ(f.model.readout(), "200.");  // cubic feet
    EXPECT_TRUE(f.feedback.messages.empty());
}

TEST(BuilderSession, OptionsChooseTheLinesAndWhetherTheReadoutChanges) {
    Fixture f;
    f.model.setReadout("42.");
    f.stored = {{"Builder Result to Readout", "0"}, {"Builder Result FtIn", "0"}, {"Builder Convert", "0"},
                {"Builder Area", "1"}, {"Builder Denominator", "32"}};
    const expr::BuilderResult length = f.session->evaluate("1/3\"");
    ASSERT_TRUE(length.ok);
    EXPECT_EQ(length.lines, (std::vector<std::string>{"0.3333\"", "11/32\"\u2191", "0.0278'"}));
    EXPECT_EQ(f.model.readout(), "42.");
    const expr::BuilderResult area = f.session->evaluate("9'*3'");
    EXPECT_EQ(area.lines, (std::vector<std::string>{"27 sq ft", "3 sq yd"}));
    EXPECT_EQ(f.model.tape().text(), "1/3\" = 0.3333\"\r\n9' \u00D7 3' = 27 sq ft\r\n");
}

TEST(BuilderSession, FailuresWriteNoTapeLineAndKeepTheReadout) {
    Fixture f;
    f.model.setReadout("7.");
    for (const char* bad : {"12'+10'*10'", "1/0\"", "5'''", "3-/4\"", "1/2048\"", "(((", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(f.session->evaluate(bad).ok);
    }
    EXPECT_EQ(f.model.tape().text(), "");
    EXPECT_EQ(f.model.readout(), "7.");
    EXPECT_EQ(f.feedback.messageTexts().front(), "Cannot add a length and an area");
}

TEST(BuilderSession, HostileSizesGiveMessagesNotHangs) {
    Fixture f;
    EXPECT_FALSE(f.session->evaluate(std::string(32768, '1')).ok);
    EXPECT_FALSE(f.session->evaluate(std::string(10000, '(') + "1\"").ok);
    EXPECT_FALSE(f.session->evaluate(std::string(5000, '9') + "'").ok);
    EXPECT_EQ(f.feedback.messages.size(), 3u);
    EXPECT_TRUE(f.model.tape().text().empty());
    // Deep but balanced brackets are an expression like any other.
    const auto deep = f.session->evaluate(std::string(10000, '(') + "1\"" + std::string(10000, ')'));
    EXPECT_TRUE(deep.ok);
    EXPECT_EQ(deep.resultText, "1\"");
}

TEST(BuilderSession, ReadoutUsesTheLocaleDecimalSymbolAndHugeValuesAreRefused) {
    Fixture f(engine::NumberSymbols{",", ".", "\u20AC"});
    ASSERT_TRUE(f.session->evaluate("1'1-1/2\"").ok);
    EXPECT_EQ(f.model.readout(), "13,5");
    // A length beyond what the result lines can write is a message, and
    // neither the tape nor the readout changes.
    const auto huge = f.session->evaluate("10000000000000000000000000000'");
    EXPECT_FALSE(huge.ok);
    EXPECT_EQ(f.model.readout(), "13,5");
    EXPECT_EQ(f.feedback.messageTexts(), std::vector<std::string>{"Invalid values in expression!"});
    EXPECT_EQ(f.model.tape().text(), "1'1-1/2\" = 1'1-1/2\"\r\n");
}

TEST(BuilderSession, VariablesHoldLengths) {
    Fixture f;
    f.session->setVariable(0, "12'6\"");
    f.session->setVariable(1, " ");
    EXPECT_EQ(f.session->variable(1), "0");
    const auto r = f.session->evaluate("2X+1\"");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.resultText, "25'1\"");
}

TEST(BuilderFormulas, ShippedWhenAbsentAndEachWorks) {
    test::TempDir dir;
    const std::string path = dir / std::string(expr::FormulaFile::kConstructionFile);
    EXPECT_FALSE(expr::seedConstructionFormulas(path).has_value());
    const auto lines = expr::FormulaFile(path).lines();
    ASSERT_EQ(lines.size(), expr::defaultConstructionFormulas().size());

    Fixture f;
    auto run = [&](std::string_view name, const char* x, const char* y, const char* z) {
        f.session->setVariable(0, x);
        f.session->setVariable(1, y);
        f.session->setVariable(2, z);
        const auto text = expr::FormulaFile(path).find(name);
        EXPECT_TRUE(text.has_value()) << name;
        return f.session->evaluate(text.value_or("")).resultText;
    };
    EXPECT_EQ(run("Rectangle area (X by Y)", "12'", "10'6\"", "0"), "126 sq ft");
    EXPECT_EQ(run("Perimeter (X by Y)", "12'", "10'6\"", "0"), "45'0\"");
    EXPECT_EQ(run("Slab volume (X by Y, Z thick)", "20'", "30'", "4\""), "200 cu ft");
    EXPECT_EQ(run("Rafter length (X run, Y rise)", "12'", "5'", "0"), "13'0\"");
    EXPECT_EQ(run("Stair risers (X total rise, Y riser)", "105\"", "7-1/2\"", "0"), "14");
    EXPECT_EQ(run("Stair riser height (X total rise, Y risers)", "105\"", "14", "0"), "7-1/2\"");
    EXPECT_EQ(run("Circle area (X across)", "2'", "0", "0"), "3.1416 sq ft");

    // A file that is there, even emptied by the user, stays as it is.
    test::spit(path, "");
    EXPECT_FALSE(expr::seedConstructionFormulas(path).has_value());
    EXPECT_EQ(test::slurp(path), "");
}

TEST(BuilderKeys, MarksBlanksMetricLettersAndTheDecimalPoint) {
    using expr::KeyAction;
    const struct {
        const char* typed;
        KeyAction action;
        const char* text;
    } cases[] = {
        {"'", KeyAction::Insert, "'"},   {"\"", KeyAction::Insert, "\""}, {" ", KeyAction::Insert, " "},
        {"m", KeyAction::Insert, "m"},   {"C", KeyAction::Insert, "c"},   {",", KeyAction::Insert, "."},
        {".", KeyAction::Insert, "."},   {"/", KeyAction::Insert, "/"},   {"x", KeyAction::Insert, "X"},
        {"\u00D7", KeyAction::Insert, "*"}, {"s", KeyAction::Insert, "^2"}, {"r", KeyAction::Insert, "^.5"},
        {"\b", KeyAction::Backspace, ""}, {"q", KeyAction::Reject, ""},   {"$", KeyAction::Reject, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const expr::KeyOutcome o = expr::builderKey(c.typed, ",");
        EXPECT_EQ(o.action, c.action);
        EXPECT_EQ(o.text, c.text);
    }
    // The construction formula box takes both marks; the expression one neither.
    EXPECT_EQ(expr::expressionKey("\"", ".", true).text, "\"");
    EXPECT_EQ(expr::expressionKey("\"", ".", false).action, KeyAction::Reject);
}
