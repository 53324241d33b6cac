// Construction-calculator expressions against Python's fractions module:
// mixed fractions, rounding to 1/2 .. 1/64 inch, negative lengths, areas,
// volumes, metric lengths and mismatched kinds.
// data/make_dimension_table.py made the table.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/ScriptedFeedback.h"
#include "expr/BuilderCalculation.h"

using namespace zorv;

namespace {

struct Case {
    int line = 0;
    std::string expression, denominator, plain, feetInches, x, expected, exact;
};

std::vector<Case> readCases() {
    std::ifstream in(ZORV_EXPR_TEST_DATA "/dimension-cases.tsv");
    std::vector<Case> cases;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Case c;
        c.line = number;
        for (std::string* f : {&c.expression, &c.denominator, &c.plain, &c.feetInches, &c.x, &c.expected})
            std::getline(fields, *f, '\t');
        std::getline(fields, c.exact);
        cases.push_back(std::move(c));
    }
    return cases;
}

std::string exactText(const expr::Dimensioned& d) {
    auto text = [](__int128 v) {
        const bool negative = v < 0;
        unsigned __int128 u = negative ? -static_cast<unsigned __int128>(v) : v;
        std::string s;
        do {
            s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(u % 10)));
            u /= 10;
        } while (u != 0);
        return (negative ? "-" : "") + s;
    };
    return std::to_string(static_cast<int>(d.kind)) + ":" + text(d.value.numerator()) + "/" +
           text(d.value.denominator());
}

}  // namespace

TEST(DimensionTable, EveryCaseMatchesPython) {
    const std::vector<Case> cases = readCases();
    ASSERT_GE(cases.size(), 40u);
    for (const Case& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line) + ": " + c.expression);
        expr::BuilderOptions options;
        options.denominator = std::stoi(c.denominator);
        options.plain = c.plain == "ft" ? expr::PlainUnit::Feet : expr::PlainUnit::Inches;
        options.resultFeetInches = c.feetInches == "1";
        options.variables[0] = c.x;
        engine::ScriptedFeedback feedback;
        const expr::BuilderResult r = expr::evaluateDimensions(c.expression, options, feedback);
        if (c.exact == "-") {
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.message, c.expected);
            ASSERT_EQ(feedback.messages.size(), 1u);
            EXPECT_EQ(feedback.messages[0].text, c.expected);
            EXPECT_TRUE(r.tapeLine.empty());
        } else {
            ASSERT_TRUE(r.ok) << r.message;
            EXPECT_EQ(r.resultText, c.expected);
            EXPECT_EQ(exactText(r.value), c.exact);
            EXPECT_TRUE(feedback.messages.empty());
        }
    }
}
