// The questions of the guided calculators on their own: each returns the
// value answered or throws CalculationCancelled, and keeps nothing.
#include <gtest/gtest.h>

#include "FinanceTestSupport.h"
#include "finance/FinanceQuestions.h"

namespace zorv::finance::test {
namespace {

struct Questions {
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    FeedbackNumericInput input{model};
    FinanceQuestions ask{model, input};

    Questions& answers(std::initializer_list<std::string> list) {
        for (const auto& a : list) feedback.answer(a);
        return *this;
    }
};

TEST(FinanceQuestions, AnswersComeBackAsValues) {
    Questions q;
    q.answers({"1234.5", "7.25", "0.5", "", "yes", "24", "no"});
    EXPECT_DOUBLE_EQ(q.ask.amount("How much?", "Amount", "1"), 1234.5);
    EXPECT_DOUBLE_EQ(q.ask.rate("Rate?", "Rate", "5"), 0.0725);  // above 1: a percentage
    EXPECT_DOUBLE_EQ(q.ask.rate("Rate?", "Rate", "5"), 0.5);
    // An empty answer offers re-entry before the asset life is taken.
    EXPECT_DOUBLE_EQ(q.ask.assetLife("Life?", "Useful Life", "60"), 24);
    const PaymentTiming timing = q.ask.paymentTiming();
    EXPECT_EQ(timing.code, 1);
    EXPECT_EQ(timing.text, " beginning-of-period ");
    EXPECT_EQ(q.feedback.messages.size(), 2u);  // the re-entry offer and the timing
}

TEST(FinanceQuestions, CancelOrDeclinedReentryThrows) {
    Questions cancelled;
    cancelled.answers({"cancel"});
    EXPECT_THROW(cancelled.ask.amount("How much?", "Amount", "1"), CalculationCancelled);

    Questions declined;
    declined.answers({"6", "no"});
    EXPECT_THROW(declined.ask.assetLife("Life?", "Useful Life", "60"), CalculationCancelled);
    ASSERT_EQ(declined.feedback.messages.size(), 1u);
    EXPECT_EQ(declined.feedback.messages[0].text,
              "You entered an invalid value!\nAsset life must be 12 or more months.\nWould you like to re-enter?");

    Questions count;
    count.answers({"2.5", "yes", "0", "no"});
    EXPECT_THROW(count.ask.cashFlowCount("Number of Payments", "5"), CalculationCancelled);
    EXPECT_EQ(count.feedback.questions.size(), 2u);
}

TEST(FinanceQuestions, CashFlowsStartWithTheInvestmentAsANegativeAmount) {
    Questions q;
    q.answers({"1000", "-200", "", "yes", "300.123456"});
    const auto flows = q.ask.cashFlows(3);
    ASSERT_EQ(flows.size(), 3u);
    EXPECT_DOUBLE_EQ(flows[0], -1000);
    EXPECT_DOUBLE_EQ(flows[1], -200);  // a return keeps its sign
    EXPECT_DOUBLE_EQ(flows[2], 300.1235);
    ASSERT_EQ(q.feedback.messages.size(), 1u);
    EXPECT_EQ(q.feedback.messages[0].title, "Internal Rate of Return Calculator");
}

TEST(FinanceQuestions, ACancelledCalculatorLetsTheNextOneRun) {
    Calculator calc;
    calc.run("Straight Line Depreciation", {"10000", "cancel"});
    calc.run("Straight Line Depreciation", {"10000", "1000", "60"});
    EXPECT_EQ(calc.feedback.beeps, 0);
    EXPECT_NE(calc.tape().find("Depreciation is $ 1800.00 per year."), std::string::npos) << calc.tape();
    EXPECT_FALSE(calc.model.inputCancelled);
}

}  // namespace
}  // namespace zorv::finance::test
