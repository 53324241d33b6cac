// reportError: the overflow message, the debug log line and the question,
// and what Yes and No do.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "shell/ErrorReporter.h"

namespace zorv::shell {
namespace {

std::vector<std::string> lines(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::vector<std::string> out;
    for (std::string line; std::getline(f, line);) out.push_back(line);
    return out;
}

struct Reporting : ::testing::Test {
    Reporting() : log(dir.path().toStdString() + "/sub/zorvcalc.deb"), errors(feedback, log) {
        errors.now = [] { return std::make_pair(std::string("2024-06-01"), std::string("13:14:15")); };
        errors.endProgram = [this](int status) { endedWith = status; };
        errors.install(model);
    }
    QTemporaryDir dir;
    std::string log;
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    ErrorReporter errors;
    int endedWith = -1;
};

TEST_F(Reporting, OverflowIsOnlyTold) {
    model.reportError("Calculator [Operator_Click] ", 6, "Overflow", "zorvcalc");
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_EQ(feedback.messages[0].text, "Error!!!\rThe Number is too large!");
    EXPECT_EQ(feedback.messages[0].icon, engine::MessageIcon::Exclamation);
    EXPECT_EQ(feedback.messages[0].title, "Zorv Advanced Calculator");
    EXPECT_TRUE(lines(log).empty());
    EXPECT_FALSE(errors.ended());
}

TEST_F(Reporting, YesLeavesTheProgramRunningAndTheLogOneLineLonger) {
    feedback.answer("yes");
    model.reportError("Calculator [mnuProperties_Click] ", 5, "Invalid procedure call", "Zorv Advanced Calculator");
    ASSERT_EQ(lines(log).size(), 1u);
    EXPECT_EQ(lines(log)[0],
              "\"2024-06-01\",\"13:14:15\",\"Calculator [mnuProperties_Click] \",\"5\","
              "\"Invalid procedure call\",\"Zorv Advanced Calculator\",\"1.0.0\"\r");
    ASSERT_EQ(feedback.messages.size(), 1u);
    const auto& m = feedback.messages[0];
    EXPECT_EQ(m.text,
              "Date:            2024-06-01\r"
              "Time:            13:14:15\r"
              "Form:            Calculator [mnuProperties_Click] \r"
              "Error #:         5\r"
              "Error Message:   Invalid procedure call\r"
              "Source of Error: Zorv Advanced Calculator\r"
              "\r"
              "Do you want to Ignore this error?");
    EXPECT_EQ(m.icon, engine::MessageIcon::Critical);
    EXPECT_EQ(m.buttons, engine::MessageButtons::YesNo);
    EXPECT_FALSE(errors.ended());
    EXPECT_EQ(endedWith, -1);

    feedback.answer("yes");
    model.reportError("x", 7, "Out of memory", "y");
    EXPECT_EQ(lines(log).size(), 2u);
}

TEST_F(Reporting, NoClosesUpAndEndsTheProgram) {
    std::vector<std::string> steps;
    errors.beforeEnd.push_back([&steps] { steps.push_back("tray removed"); });
    errors.restoreCursor = [&steps] { steps.push_back("cursor"); };
    feedback.answer("no");
    model.reportError("Calculator [Operator_Click] ", 5, "bad", "src");
    EXPECT_EQ(steps, (std::vector<std::string>{"cursor", "tray removed"}));
    EXPECT_TRUE(errors.ended());
    EXPECT_EQ(endedWith, 1);
}

TEST_F(Reporting, NoAnswerMeansNoWhichIsTheDefault) {
    model.reportError("l", 5, "d", "s");
    EXPECT_TRUE(errors.ended());
}

TEST_F(Reporting, AnUnwritableLogDoesNotStopTheReport) {
    ErrorReporter broken(feedback, "/proc/definitely/not/here/zorvcalc.deb");
    broken.endProgram = [](int) {};
    feedback.answer("yes");
    broken.reportError("l", 5, "d", "s");
    EXPECT_EQ(feedback.messages.size(), 1u);
    EXPECT_FALSE(broken.ended());
    ErrorReporter none(feedback, "");
    feedback.answer("yes");
    none.reportError("l", 5, "d", "s");
    EXPECT_EQ(feedback.messages.size(), 2u);
}

TEST(ErrorLog, OneReportStaysOneLine) {
    EXPECT_EQ(ErrorReporter::logLine("d", "t", "say \"hi\"", 13, "two\r\nlines", "s", "1.2.3"),
              "\"d\",\"t\",\"say \"\"hi\"\"\",\"13\",\"two  lines\",\"s\",\"1.2.3\"");
}

}  // namespace
}  // namespace zorv::shell
