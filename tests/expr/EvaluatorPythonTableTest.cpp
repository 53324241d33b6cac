// The evaluator against Python's evaluation of the same expressions:
// brackets, variables, signs and powers, written where both languages give
// the operators the same precedence. data/make_python_table.py made the table.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/ScriptedFeedback.h"
#include "expr/Evaluator.h"

using zorv::engine::ScriptedFeedback;
using zorv::expr::Evaluator;

namespace {

struct Row {
    int line = 0;
    std::string expression;
    std::string variables[3];
    std::string expected;  // a number, or the message the evaluation must show
};

std::vector<Row> readTable() {
    std::ifstream in(ZORV_EXPR_TEST_DATA "/python-evaluations.tsv");
    std::vector<Row> rows;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Row row;
        row.line = number;
        std::getline(fields, row.expression, '\t');
        for (std::string& v : row.variables) std::getline(fields, v, '\t');
        std::getline(fields, row.expected);
        rows.push_back(std::move(row));
    }
    return rows;
}

bool isNumber(const std::string& text) {
    return !text.empty() && (text[0] == '-' || (text[0] >= '0' && text[0] <= '9'));
}

TEST(EvaluatorAgainstPython, EveryExpressionOfTheTable) {
    const std::vector<Row> rows = readTable();
    ASSERT_GE(rows.size(), 400u);
    int numbers = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE("line " + std::to_string(row.line) + ": " + row.expression);
        ScriptedFeedback feedback;
        Evaluator ev(feedback);
        for (int i = 0; i < 3; ++i) ev.setVariable(i, row.variables[i]);
        const std::string result = ev.evaluate(row.expression);
        if (!isNumber(row.expected)) {
            EXPECT_EQ(result, "");
            EXPECT_EQ(feedback.messageTexts(), std::vector<std::string>{row.expected});
            continue;
        }
        ++numbers;
        if (result.empty()) {
            ADD_FAILURE() << "no value; messages: " << ::testing::PrintToString(feedback.messageTexts());
            continue;
        }
        EXPECT_TRUE(feedback.messages.empty());
        const double expected = std::stod(row.expected);
        const double value = std::stod(result);
        EXPECT_LE(std::fabs(value - expected), 1e-9 * std::fabs(expected))
            << result << " against " << row.expected;
    }
    EXPECT_GE(numbers, 300);
}

}  // namespace
