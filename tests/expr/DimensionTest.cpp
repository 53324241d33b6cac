// Reading single lengths, the shown lines and options of the construction
// calculator, and its behaviour on hostile input.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>

#include "engine/ScriptedFeedback.h"
#include "expr/BuilderCalculation.h"

using namespace zorv;
using expr::PlainUnit;
using expr::Rational;

TEST(DimensionReading, EveryWrittenFormOfOneLength) {
    struct Row {
        const char* text;
        PlainUnit plain;
        Rational inches;
    };
    const Row rows[] = {
        {"12'6-3/8\"", PlainUnit::Inches, Rational(1203, 8)},
        {"12' 6 3/8\"", PlainUnit::Inches, Rational(1203, 8)},
        {"  12'6-3/8\" ", PlainUnit::Inches, Rational(1203, 8)},
        {"12'-6\"", PlainUnit::Inches, Rational(150)},
        {"6-3/8\"", PlainUnit::Inches, Rational(51, 8)},
        {"150\"", PlainUnit::Inches, Rational(150)},
        {"12.5'", PlainUnit::Inches, Rational(150)},
        {"3/4\"", PlainUnit::Inches, Rational(3, 4)},
        {"-3/4\"", PlainUnit::Inches, Rational(-3, 4)},
        {"150", PlainUnit::Inches, Rational(150)},
        {"12.5", PlainUnit::Feet, Rational(150)},
        {"300 mm", PlainUnit::Feet, Rational(1500, 127)},
        {"30cm", PlainUnit::Inches, Rational(1500, 127)},
        {"1.5m", PlainUnit::Inches, Rational(7500, 127)},
        {".5\"", PlainUnit::Inches, Rational(1, 2)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const expr::Dimensioned d = expr::parseLength(row.text, row.plain);
        EXPECT_EQ(d.kind, expr::Kind::Length);
        EXPECT_EQ(d.value, row.inches);
    }
}

TEST(DimensionReading, MalformedLengthsAreRefusedWithAMessage) {
    const char* bad[] = {"1/0\"", "5'''", "3-/4\"", "1/1025\"", "1/99999999\"", "12'6-9/8\"",
                         "1.5/2\"", "1.2.3\"", "", "-", "'", "12'6\" 3", "5 feet",
                         "1234567890123456789012345678901\""};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_THROW(expr::parseLength(text, PlainUnit::Inches), expr::DimensionError);
    }
    EXPECT_EQ(expr::parseLength("1/1024\"", PlainUnit::Inches).value, Rational(1, 1024));
}

TEST(DimensionFormat, FeetInchesRoundAndMarkTheDirection) {
    struct Row {
        Rational inches;
        int denominator;
        const char* text;
    };
    const Row rows[] = {
        {Rational(1, 3), 16, "5/16\"\u2193"},   {Rational(-1, 3), 16, "-5/16\"\u2193"},
        {Rational(1, 3), 64, "21/64\"\u2193"},  {Rational(1, 128), 64, "1/64\"\u2191"},
        {Rational(1, 200), 64, "0\"\u2193"},    {Rational(-1, 200), 64, "0\"\u2193"},
        {Rational(287, 24), 2, "1'0\"\u2191"},  {Rational(0), 16, "0\""},
        {Rational(12), 16, "1'0\""},            {Rational(145, 2), 16, "6'0-1/2\""},
    };
    for (const Row& row : rows) EXPECT_EQ(expr::feetInchesWithMark(row.inches, row.denominator), row.text);
}

TEST(DimensionFormat, LinesFollowTheOptions) {
    expr::BuilderOptions o;
    const expr::Dimensioned length{Rational(1203, 8), expr::Kind::Length};
    EXPECT_EQ(expr::describeValue(length, o),
              (std::vector<std::string>{"12'6-3/8\"", "150.375\"", "12.5313'", "3.8195 m"}));
    o.resultFeetInches = false;
    o.convert = false;
    o.plain = PlainUnit::Feet;
    EXPECT_EQ(expr::describeValue(length, o),
              (std::vector<std::string>{"12.5313'", "12'6-3/8\"", "150.375\""}));

    const expr::Dimensioned area{Rational(18045), expr::Kind::Area};
    o = {};
    EXPECT_EQ(expr::describeValue(area, o), (std::vector<std::string>{"125.3125 sq ft", "11.6419 m\u00B2"}));
    o.area = true;
    o.convert = false;
    EXPECT_EQ(expr::describeValue(area, o), (std::vector<std::string>{"125.3125 sq ft", "13.9236 sq yd"}));

    // 10' x 10' x 4": the concrete order in cubic yards.
    const expr::Dimensioned slab{Rational(120 * 120 * 4), expr::Kind::Volume};
    o = {};
    o.volume = true;
    EXPECT_EQ(expr::describeValue(slab, o),
              (std::vector<std::string>{"33.3333 cu ft", "1.2346 cu yd", "0.9439 m\u00B3"}));
}

TEST(DimensionOptions, ReadFromTheSettingsKeys) {
    std::map<std::string, std::string, std::less<>> stored;
    auto read = [&](std::string_view key, std::string_view fallback) {
        const auto it = stored.find(key);
        return it == stored.end() ? std::string(fallback) : it->second;
    };
    expr::BuilderOptions o = expr::readBuilderOptions(read);
    EXPECT_FALSE(o.confirm);
    EXPECT_TRUE(o.resultFeetInches);
    EXPECT_TRUE(o.resultToReadout);
    EXPECT_TRUE(o.convert);
    EXPECT_FALSE(o.area);
    EXPECT_FALSE(o.volume);
    EXPECT_EQ(o.denominator, 16);
    EXPECT_EQ(o.plain, PlainUnit::Inches);

    stored = {{"Builder Result FtIn", "0"}, {"Builder Area", "1"}, {"Builder Denominator", "32"},
              {"Builder Plain Feet", "1"}, {"Confirm Builder", "1"}};
    o = expr::readBuilderOptions(read);
    EXPECT_FALSE(o.resultFeetInches);
    EXPECT_TRUE(o.area);
    EXPECT_TRUE(o.confirm);
    EXPECT_EQ(o.denominator, 32);
    EXPECT_EQ(o.plain, PlainUnit::Feet);
    for (const char* den : {"3", "128", "0", "-8", "x", "99999999999"}) {
        stored["Builder Denominator"] = den;
        EXPECT_EQ(expr::readBuilderOptions(read).denominator, 16) << den;
    }
}

TEST(DimensionEvaluation, TapeLineReadoutAndConfirmation) {
    engine::ScriptedFeedback feedback;
    expr::BuilderOptions o;
    expr::BuilderResult r = expr::evaluateDimensions("12'6-3/8\"+3'0-1/4\"", o, feedback);
    EXPECT_EQ(r.tapeLine, "12'6-3/8\" + 3'0-1/4\" = 15'6-5/8\"");
    EXPECT_EQ(r.readout, "186.625");

    r = expr::evaluateDimensions("12'6-3/8\"*10'", o, feedback);
    EXPECT_EQ(r.tapeLine, "12'6-3/8\" \u00D7 10' = 125.3125 sq ft");
    EXPECT_EQ(r.readout, "125.3125");

    o.plain = PlainUnit::Feet;
    o.resultToReadout = false;
    r = expr::evaluateDimensions("18\"", o, feedback);
    EXPECT_EQ(r.resultText, "1'6\"");
    EXPECT_TRUE(r.readout.empty());
    o.resultToReadout = true;
    EXPECT_EQ(expr::evaluateDimensions("18\"", o, feedback).readout, "1.5");

    // The confirmation shows dimensions as typed, never the placeholders.
    o.confirm = true;
    o.variables[0] = "2'";
    feedback.answer("no");
    r = expr::evaluateDimensions("3X+15%", o, feedback);
    EXPECT_FALSE(r.ok);
    ASSERT_FALSE(feedback.messages.empty());
    EXPECT_NE(feedback.messages.back().text.find("(3*2')+(15/100)"), std::string::npos)
        << feedback.messages.back().text;
    EXPECT_EQ(r.editRequest, zorv::expr::Evaluator::EditRequest::EditInterpreted);
    EXPECT_EQ(r.editText, "(3*2')+(15/100)");
    EXPECT_TRUE(r.message.empty());
}

TEST(DimensionEvaluation, HostileInputEndsWithAMessageQuickly) {
    const auto started = std::chrono::steady_clock::now();
    // 32,767 characters whose placeholders take more room than the text.
    std::string halves = "1\"";
    while (halves.size() + 5 <= 32767) halves += "+1/2\"";
    struct Row {
        std::string text;
        std::string message;  // empty: a value
    };
    const Row rows[] = {
        {std::string(10000, '(') + "1'" + std::string(10000, ')'), ""},
        {std::string(10000, '(') + "1'", "Missing ')'"},
        {std::string(32768, '1'), "Expression too long! (at most 32767 characters)"},
        {halves, ""},
        {"1\"" + std::string(16382, '+') + "1", ""},
        {"1\"" + std::string(16382, '*') + "1", "Error: Type mismatch [13]"},
        {"99999999999999999999'*99999999999999999999'*99999999999999999999'", "Invalid values in expression!"},
        {"1'^999999999999", "Cannot raise a length to the power of 999999999999"},
        {"2^99999", "Invalid values in expression!"},
        {"999999999999999999999999999999'", "Invalid values in expression!"},
        {"10'/0", "Error: Division by zero [11]"},
        {"(0-16)^.5", "Cannot take the square root of a negative value"},
        {"2'^.25", "Only whole powers and the square root (^0.5) can be computed exactly"},
        {"12'#", "Unexpected \"#\" in the expression"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 60));
        engine::ScriptedFeedback feedback;
        const expr::BuilderResult r = expr::evaluateDimensions(row.text, {}, feedback);
        if (row.message.empty()) {
            EXPECT_TRUE(r.ok) << r.message;
        } else {
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.message, row.message);
            EXPECT_EQ(feedback.messages.size(), 1u);
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}
