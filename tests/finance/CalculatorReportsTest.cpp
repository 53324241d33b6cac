// Every calculator end to end: the questions asked, the report on the tape
// and the readout, for the default answers and for the edge cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "FinanceTestSupport.h"

namespace zorv::finance::test {
namespace {

const std::string kTimingBox = "Are payments made at the end of the period?";

struct DefaultCase {
    std::string command;
    std::vector<std::string> answers;  // the default texts, then the boxes
    std::string report;
    std::string readout;
};

std::string hyphens(int n) { return std::string(n, '-'); }

const std::vector<DefaultCase>& defaultCases() {
    static const std::vector<DefaultCase> cases = {
        {"Future Value of Annuity",
         {"1000.00", "10000.00", "5.9", "60", "yes"},
         lines({"Future Value of Annuity Calculation", hyphens(35), "Monthly Payment: $ 1000",
                "Current Balance: $ 10000", "APR: 5.9%", "Number of  end-of-period payments: 60",
                "Future value is $ 83012.58."}) +
             closing("83,012.58"),
         "83012.58"},
        {"Present Value of Annuity",
         {"10000.00", "100000.00", "7.25", "36", "yes"},
         lines({"Present Value of Annuity Calculation", hyphens(36), "Future Value : $ 100000", "APR: 7.25%",
                "Number of end-of-period payments: 36", "Present value is $ 118781.94."}) +
             closing("118,781.94"),
         "118781.94"},
        {"Annuity Payments",
         {"10000.00", "0.00", "7.25", "36", "yes"},
         lines({"Annuity Payments Calculation", hyphens(28), "Principal: $ 10000", "Down Payment: $ 0", "APR: 7.25%",
                "36 end-of-period monthly payments", "Payment is $ 309.92 per month."}) +
             closing("309.92"),
         "309.92"},
        {"Annuity Principle Payment",
         {"10000.00", "0.00", "2000", "7.25", "36", "yes", "no"},
         lines({"Annuity Principal Payment Calculation", hyphens(36), "Principal: $ 10000", "Down Payment: $ 2000",
                "Future Value: $ 0", "APR: 7.25%", "36 end-of-period monthly payments",
                "Monthly payment is $ 247.93. "}) +
             closing("247.93"),
         "247.93"},
        {"Interest Calculator",
         {"10000.00", "1000.00", "0.00", "7.25", "36", "yes"},
         lines({"Interest Pay-out Calculation", hyphens(28), "Principal: $ 10000", "Down Payment: $ 0",
                "Future Value: $ 1000", "APR: 7.25%", "36 end-of-period monthly payments",
                "$ 1055.15 in gross interest."}) +
             closing("1,055.15"),
         "1055.15"},
        {"Number of Payments to Pay Off Loan",
         {"10000.00", "1000.00", "0.00", "7.25", "500.00", "yes"},
         lines({"Number of Payments Calculation", hyphens(30), "Principal: $ 10000.00", "Down Payment: $ 0.00",
                "Future Value: $ 1000.00", "APR: 7.25%", " end-of-period monthly payment: $ 500.00",
                "24 months to pay off this loan."}) +
             closing("24.00"),
         "24.00"},
        {"Interest Rate per Period",
         {"10000.00", "0.00", "500.00", "36", "yes"},
         lines({"Interest Rate per Period Calculation", hyphens(36), "Principal: $ 10000", "Future Value: $ 0",
                "36 end-of-period monthly payments of $ 500", "Interest rate is 43 %."}) +
             closing("0.43"),
         "0.43"},
        {"Internal Rate of Return",
         {"5", "10000.00", "5000.00", "5000.00", "5000.00", "5000.00"},
         lines({"Internal Rate of Return Calculation", hyphens(35), "Investment: $ 10000",
                "Return #1 amount: $ 5000.00", "Return #2 amount: $ 5000.00", "Return #3 amount: $ 5000.00",
                "Return #4 amount: $ 5000.00", "Internal rate of return for these 5 cash flows is 34.90%."}) +
             closing("0.35"),
         "0.35"},
        {"Modified Internal Rate of Return",
         {"0.189", "0.069", "5", "10000.00", "5000.00", "5000.00", "5000.00", "5000.00"},
         lines({"Modified Internal Rate of Return Calculation", hyphens(44), "Investment: $ 10000",
                "APR of Loan: 0.189", "APR of Re-investment: 0.069", "Return #1 amount: $ 5000.00",
                "Return #2 amount: $ 5000.00", "Return #3 amount: $ 5000.00", "Return #4 amount: $ 5000.00",
                "Modified internal rate of return for these 5 cash flows is 22.02%."}) +
             closing("0.22"),
         "0.22"},
        {"Net Present Value of Investment",
         {"6.25", "5", "10000.00", "5000.00", "5000.00", "5000.00", "5000.00"},
         lines({"Net Present Value of Investment Calculation", hyphens(43), "Investment: $ 10000",
                "Discount rate: 6.25%", "Return #1 amount: $ 5000.00", "Return #2 amount: $ 5000.00",
                "Return #3 amount: $ 5000.00", "Return #4 amount: $ 5000.00",
                "Net present value of this investment is 6801.70."}) +
             closing("6,801.70"),
         "6801.70"},
        {"Straight Line Depreciation",
         {"10000.00", "1000.00", "60"},
         lines({"Straight-line Depr. Calculation", hyphens(31), "Initial Cost: $ 10000", "Salvage Value: $ 1000",
                "Useful Life: 60 months", "Depreciation is $ 1800.00 per year."}) +
             closing("1,800.00"),
         "1800.00"},
        {"Sum-of-Years' Digits Depreciation",
         {"10000.00", "1000.00", "60", "1"},
         lines({"Sum-of-Years' Depr. Calculation", hyphens(31), "Initial Cost: $ 10000", "Salvage Value: $ 1000",
                "Useful Life: 60 months", "Depreciation for year 1 is $ 3000.00."}) +
             closing("3,000.00"),
         "3000.00"},
        {"Double-Declining Balance Depreciation",
         {"10000.00", "1000.00", "60", "1"},
         lines({"Dbl.-Decl. Bal. Depr. Calculation", hyphens(33), "Initial Cost: $ 10000", "Salvage Value: $ 1000",
                "Useful Life: 60 months", "Depreciation for year 1 is $ 4000.00."}) +
             closing("4,000.00"),
         "4000.00"},
        {"Interest for X days",
         {"10000.00", "7.25", "30", "yes"},
         lines({"Interest for X Days", hyphens(28), "Principal: $ 10000", "APR: 7.25%", "Days in this period: 30",
                "Using Compound Interest payments", "$ 59.76 in gross interest for this period."}) +
             closing("59.76"),
         "59.76"},
    };
    return cases;
}

TEST(FinanceCalculators, DefaultAnswersGiveTheDocumentedReports) {
    for (const auto& c : defaultCases()) {
        SCOPED_TRACE(c.command);
        Calculator calc;
        calc.run(c.command, c.answers);
        EXPECT_EQ(calc.tape(), c.report);
        EXPECT_EQ(calc.model.readout(), c.readout);
        EXPECT_TRUE(calc.feedback.answers.empty()) << "answers left over";
        EXPECT_FALSE(calc.model.InputCancelled);
        EXPECT_EQ(calc.model.EntryState(), "OPS");  // the result was taken as a total
    }
}

TEST(FinanceCalculators, QuestionsOfTheFutureValueCalculator) {
    Calculator calc;
    calc.run("Future Value of Annuity", {"1000.00", "10000.00", "5.9", "60", "yes"});
    ASSERT_EQ(calc.feedback.questions.size(), 4u);
    const auto& q = calc.feedback.questions;
    EXPECT_EQ(q[0].prompt, "How much do you plan to save each month?");
    EXPECT_EQ(q[0].title, "Monthly Payment");
    EXPECT_EQ(q[0].defaultText, "1000.00");
    EXPECT_EQ(q[1].defaultText, "10000.00");
    EXPECT_EQ(q[2].prompt, "Enter the expected interest annual percentage rate.");
    EXPECT_EQ(q[2].defaultText, "5.9");
    EXPECT_EQ(q[3].title, "Number of Payments");
    ASSERT_EQ(calc.feedback.messages.size(), 1u);
    EXPECT_EQ(calc.feedback.messages[0].text, kTimingBox);
    EXPECT_EQ(calc.feedback.messages[0].title, "Zorv Advanced Calculator");
}

TEST(FinanceCalculators, CashFlowQuestions) {
    Calculator calc;
    calc.run("Internal Rate of Return", {"3", "10000", "6000", "6000"});
    const auto& q = calc.feedback.questions;
    ASSERT_EQ(q.size(), 4u);
    EXPECT_EQ(q[0].prompt,
              "Number of payments to process?\nFirst payment is entered as a negative\npayment to reflect an investment.");
    EXPECT_EQ(q[0].defaultText, "5");
    EXPECT_EQ(q[1].prompt, "What is the investment amount?");
    EXPECT_EQ(q[1].title, "Amount Invested");
    EXPECT_EQ(q[1].defaultText, "10000.00");
    EXPECT_EQ(q[2].prompt, "What is the amount of return #1?");
    EXPECT_EQ(q[2].title, "Amount Returned");
    EXPECT_EQ(q[2].defaultText, "5000.00");
    EXPECT_EQ(q[3].prompt, "What is the amount of return #2?");
}

TEST(FinanceCalculators, DefaultsFollowTheLocaleDecimalSymbol) {
    Calculator calc(engine::NumberSymbols{",", ".", "€"});
    calc.run("Net Present Value of Investment", {"6,25", "2", "1000", "1500,5"});
    const auto& q = calc.feedback.questions;
    ASSERT_EQ(q.size(), 4u);
    EXPECT_EQ(q[0].defaultText, "6,25");
    EXPECT_EQ(q[2].defaultText, "10000,00");
    EXPECT_NE(calc.tape().find("Discount rate: 6,25%\r\n"), std::string::npos) << calc.tape();
    EXPECT_NE(calc.tape().find("Return #1 amount: € 1500,50\r\n"), std::string::npos) << calc.tape();
    // 1500.5 / 1.0625^2 - 1000 / 1.0625
    EXPECT_NE(calc.tape().find("is 387,99.\r\n"), std::string::npos) << calc.tape();
}

TEST(FinanceCalculators, BeginningOfPeriodPayments) {
    Calculator fv;
    fv.run("Future Value of Annuity", {"1000", "10000", "5.9", "60", "no"});
    EXPECT_NE(fv.tape().find("Number of  beginning-of-period payments: 60\r\n"), std::string::npos);
    EXPECT_NE(fv.tape().find("Future value is $ 83354.73.\r\n"), std::string::npos);

    Calculator pv;
    pv.run("Present Value of Annuity", {"10000", "100000", "7.25", "36", "no"});
    EXPECT_NE(pv.tape().find("Number of beginning-of-period payments: 36\r\n"), std::string::npos);
    EXPECT_NE(pv.tape().find("Present value is $ 127977.12.\r\n"), std::string::npos);

    Calculator pmt;
    pmt.run("Annuity Payments", {"10000", "0", "7.25", "36", "no"});
    EXPECT_NE(pmt.tape().find("36 beginning-of-period monthly payments\r\nPayment is $ 308.05 per month.\r\n"),
              std::string::npos);
}

TEST(FinanceCalculators, RateAnswersAboveOneArePercentages) {
    struct Case {
        std::string answer;
        std::string aprLine;
    };
    for (const auto& c : {Case{"0.5", "APR: 50%"}, Case{"5", "APR: 5%"}, Case{"1", "APR: 100%"},
                          Case{"0.0725", "APR: 7.25%"}, Case{"7.25", "APR: 7.25%"}, Case{"0", "APR: 0%"},
                          Case{"12.34567", "APR: 12.3457%"}, Case{"0.123456", "APR: 12.35%"}}) {
        SCOPED_TRACE(c.answer);
        Calculator calc;
        calc.run("Interest for X days", {"10000", c.answer, "30", "no"});
        EXPECT_NE(calc.tape().find("\r\n" + c.aprLine + "\r\n"), std::string::npos) << calc.tape();
    }
}

TEST(FinanceCalculators, ZeroRateUsesTheLimitsOfTheFormulas) {
    struct Case {
        std::string command;
        std::vector<std::string> answers;
        std::string sentence;
    };
    for (const auto& c : {
             Case{"Future Value of Annuity", {"1000", "10000", "0", "60", "yes"}, "Future value is $ 70000.00."},
             Case{"Present Value of Annuity", {"10000", "100000", "0", "36", "yes"}, "Present value is $ 260000.00."},
             Case{"Annuity Payments", {"9000", "0", "0", "36", "yes"}, "Payment is $ 250.00 per month."},
             Case{"Number of Payments to Pay Off Loan",
                  {"10000", "0", "0", "0", "300", "yes"},
                  "34 months to pay off this loan."},
             Case{"Interest Calculator", {"10000", "0", "0", "0", "36", "yes"}, "$ 0.00 in gross interest."},
         }) {
        SCOPED_TRACE(c.command);
        Calculator calc;
        calc.run(c.command, c.answers);
        EXPECT_NE(calc.tape().find("\r\n" + c.sentence + "\r\n"), std::string::npos) << calc.tape();
    }
}

TEST(FinanceCalculators, NumberOfPaymentsIsRaisedToTheNextWholeNumber) {
    // 10000 at 0 % paid off with 284.09 a month: 35.2 payments.
    Calculator calc;
    calc.run("Number of Payments to Pay Off Loan", {"10000", "0", "0", "0", "284.0909", "yes"});
    EXPECT_NE(calc.tape().find("36 months to pay off this loan.\r\n"), std::string::npos) << calc.tape();
    EXPECT_EQ(calc.model.readout(), "36.00");

    Calculator exact;
    exact.run("Number of Payments to Pay Off Loan", {"10000", "0", "0", "0", "500", "yes"});
    EXPECT_NE(exact.tape().find("20 months to pay off this loan.\r\n"), std::string::npos) << exact.tape();
}

TEST(FinanceCalculators, InterestRateIsAWholePercentage) {
    // 12 payments of 1000 on 11000: 16.38 % a year.
    Calculator calc;
    calc.run("Interest Rate per Period", {"11000", "0", "1000", "12", "yes"});
    EXPECT_NE(calc.tape().find("Interest rate is 16 %.\r\n"), std::string::npos) << calc.tape();
    EXPECT_EQ(calc.model.readout(), "0.16");
}

TEST(FinanceCalculators, AssetLifeInMonthsBecomesWholeYears) {
    struct Case {
        std::string months;
        std::string sentence;
    };
    for (const auto& c : {Case{"12", "Depreciation is $ 9000.00 per year."},
                          Case{"13", "Depreciation is $ 4500.00 per year."},
                          Case{"24", "Depreciation is $ 4500.00 per year."}}) {
        Calculator calc;
        calc.run("Straight Line Depreciation", {"10000", "1000", c.months});
        EXPECT_NE(calc.tape().find("\r\n" + c.sentence + "\r\n"), std::string::npos) << calc.tape();
    }
}

TEST(FinanceCalculators, AssetLifeUnderTwelveMonthsIsRefused) {
    Calculator calc;
    calc.run("Straight Line Depreciation", {"10000", "1000", "11", "yes", "12"});
    ASSERT_EQ(calc.feedback.messages.size(), 1u);
    EXPECT_EQ(calc.feedback.messages[0].text,
              "You entered an invalid value!\nAsset life must be 12 or more months.\nWould you like to re-enter?");
    EXPECT_EQ(calc.feedback.messages[0].title, "Useful Life");
    EXPECT_EQ(calc.feedback.messages[0].icon, engine::MessageIcon::Exclamation);
    EXPECT_NE(calc.tape().find("Useful Life: 12 months\r\n"), std::string::npos);

    Calculator declined;
    declined.run("Straight Line Depreciation", {"10000", "1000", "11", "no"});
    EXPECT_EQ(declined.tape(), "");
}

TEST(FinanceCalculators, DepreciationYearMustLieWithinTheLife) {
    Calculator calc;
    calc.run("Sum-of-Years' Digits Depreciation", {"10000", "1000", "60", "0", "6", "5"});
    const auto& q = calc.feedback.questions;
    ASSERT_EQ(q.size(), 6u);
    for (std::size_t i = 3; i < 6; ++i) {
        EXPECT_EQ(q[i].prompt, "You must enter at least 1 but not more than 5");
        EXPECT_EQ(q[i].title, "Depreciation for what year?");
        EXPECT_EQ(q[i].defaultText, "1");
    }
    EXPECT_NE(calc.tape().find("Depreciation for year 5 is $ 600.00.\r\n"), std::string::npos) << calc.tape();

    Calculator ddb;
    ddb.run("Double-Declining Balance Depreciation", {"10000", "1000", "60", "5"});
    EXPECT_EQ(ddb.feedback.questions.back().title, "Enter year for depreciation calculation.");
    // Never below salvage: the last year only takes the book value to 1000.
    EXPECT_NE(ddb.tape().find("Depreciation for year 5 is $ 296.00.\r\n"), std::string::npos) << ddb.tape();
}

TEST(FinanceCalculators, StraightInterestForXDays) {
    Calculator calc;
    calc.run("Interest for X days", {"10000", "7.25", "30", "no"});
    EXPECT_EQ(calc.feedback.messages.back().text, "Daily compound interest?");
    EXPECT_EQ(calc.feedback.messages.back().title, "Type of Interest");
    EXPECT_NE(calc.tape().find("Using Straight Interest payments\r\n$ 59.59 in gross interest for this period.\r\n"),
              std::string::npos)
        << calc.tape();
}

TEST(FinanceCalculators, APendingOperationKeepsTheResultAsItsOperand) {
    Calculator calc;
    calc.model.Number_Click(5);
    calc.model.Operator_Click(engine::OpAdd);
    const std::string before = calc.tape();
    calc.run("Straight Line Depreciation", {"10000", "1000", "60"});
    // No total block: the result waits in the readout for the pending "+".
    EXPECT_EQ(calc.tape(), before + lines({"Straight-line Depr. Calculation", hyphens(31), "Initial Cost: $ 10000",
                                           "Salvage Value: $ 1000", "Useful Life: 60 months",
                                           "Depreciation is $ 1800.00 per year.", std::string(40, '*'), ""}));
    EXPECT_EQ(calc.model.readout(), "1800.00");
    EXPECT_EQ(calc.model.EntryState(), "NUMS");
    calc.model.Operator_Click(engine::OpEquals);
    EXPECT_EQ(calc.model.readout(), "1805.00");
}

TEST(FinanceCalculators, NoCalculatorSeesAnothersInputs) {
    Calculator calc;
    calc.run("Interest Calculator", {"10000", "1000", "0", "7.25", "36", "yes"});
    calc.model.tape().clear();
    // The loan-payment calculator does not ask for a future value: it is 0.
    calc.run("Annuity Payments", {"10000.00", "0.00", "7.25", "36", "yes"});
    EXPECT_NE(calc.tape().find("Payment is $ 309.92 per month."), std::string::npos);
}

// ---------------------------------------------------------------------------
// Cancelling and re-entering

TEST(FinanceCalculators, CancellingAnyQuestionWritesNothing) {
    for (const auto& c : defaultCases()) {
        // Count the input questions of a complete run first.
        Calculator probe;
        probe.run(c.command, c.answers);
        const std::size_t questions = probe.feedback.questions.size();
        for (std::size_t k = 0; k < questions; ++k) {
            SCOPED_TRACE(c.command + ", cancel question " + std::to_string(k + 1));
            Calculator calc;
            calc.model.Number_Click(7);
            const std::string readout = calc.model.readout();
            // Answers up to the k-th input question; yes/no boxes in between
            // take their answers in order.
            std::vector<std::string> answers;
            std::size_t asked = 0;
            for (const auto& a : c.answers) {
                if (a == "yes" || a == "no") {
                    if (asked <= k) answers.push_back(a);
                    continue;
                }
                if (asked++ == k) break;
                answers.push_back(a);
            }
            answers.push_back("cancel");
            calc.run(c.command, answers);
            EXPECT_EQ(calc.tape(), "");
            EXPECT_EQ(calc.model.readout(), readout);
            EXPECT_FALSE(calc.model.InputCancelled);
            EXPECT_EQ(calc.feedback.questions.size(), k + 1);
        }
    }
}

TEST(FinanceCalculators, EmptyAnswerOffersReentry) {
    Calculator calc;
    calc.run("Annuity Payments", {"", "yes", "10000", "0", "7.25", "36", "yes"});
    ASSERT_GE(calc.feedback.messages.size(), 1u);
    const auto& box = calc.feedback.messages[0];
    EXPECT_EQ(box.text, "You entered an invalid value!\nWould you like to re-enter?");
    EXPECT_EQ(box.title, "Principal Amount");
    EXPECT_EQ(box.icon, engine::MessageIcon::Exclamation);
    EXPECT_EQ(box.buttons, engine::MessageButtons::YesNo);
    EXPECT_NE(calc.tape().find("Payment is $ 309.92 per month."), std::string::npos);

    Calculator declined;
    declined.model.Number_Click(3);
    declined.run("Annuity Payments", {"10000", "", "no"});
    EXPECT_EQ(declined.tape(), "");
    EXPECT_EQ(declined.model.readout(), "3.");
    EXPECT_FALSE(declined.model.InputCancelled);
}

TEST(FinanceCalculators, NegativeRateIsRefused) {
    Calculator calc;
    calc.run("Annuity Payments", {"10000", "0", "-5", "yes", "6", "12", "yes"});
    ASSERT_GE(calc.feedback.messages.size(), 1u);
    EXPECT_EQ(calc.feedback.messages[0].text, "You entered an invalid value!\nWould you like to re-enter?");
    EXPECT_EQ(calc.feedback.messages[0].title, "Percentage Rate");
    EXPECT_NE(calc.tape().find("APR: 6%"), std::string::npos);
}

TEST(FinanceCalculators, CashFlowReentryIsTitledForTheCalculator) {
    Calculator calc;
    calc.run("Net Present Value of Investment", {"5", "2", "", "yes", "1000", "", "no"});
    ASSERT_EQ(calc.feedback.messages.size(), 2u);
    EXPECT_EQ(calc.feedback.messages[0].title, "Internal Rate of Return Calculator");
    EXPECT_EQ(calc.feedback.messages[1].title, "Internal Rate of Return Calculator");
    EXPECT_EQ(calc.tape(), "");
}

TEST(FinanceCalculators, AnswerThatIsNotANumberSaysInvalidValueAndAsksAgain) {
    Calculator calc;
    calc.run("Straight Line Depreciation", {"1-2", "10000", "1000", "60"});
    ASSERT_GE(calc.feedback.messages.size(), 1u);
    EXPECT_EQ(calc.feedback.messages[0].text, "Invalid value!");
    EXPECT_EQ(calc.feedback.messages[0].icon, engine::MessageIcon::Information);
    EXPECT_EQ(calc.feedback.messages[0].title, "Zorv Advanced Calculator");
    EXPECT_EQ(calc.feedback.questions[0].title, calc.feedback.questions[1].title);
    EXPECT_NE(calc.tape().find("Initial Cost: $ 10000\r\n"), std::string::npos);
}

TEST(FinanceCalculators, CashFlowCountMustBeAWholeNumberWithinReason) {
    for (const std::string bad : {"0", "-3", "2.5", "10001"}) {
        SCOPED_TRACE(bad);
        Calculator calc;
        calc.run("Internal Rate of Return", {bad, "no"});
        ASSERT_EQ(calc.feedback.messages.size(), 1u);
        EXPECT_EQ(calc.feedback.messages[0].text, "You entered an invalid value!\nWould you like to re-enter?");
        EXPECT_EQ(calc.feedback.messages[0].title, "Number of Payments");
        EXPECT_EQ(calc.tape(), "");
    }
}

// ---------------------------------------------------------------------------
// Results that cannot be computed

bool hasNanOrInf(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

TEST(FinanceCalculators, NoRateFoundIsReportedAsZero) {
    Calculator irr;
    irr.run("Internal Rate of Return", {"1", "10000"});
    EXPECT_NE(irr.tape().find("Internal rate of return for these 1 cash flows is 0.00%.\r\n"), std::string::npos)
        << irr.tape();

    Calculator rate;
    rate.run("Interest Rate per Period", {"10000", "0", "-500", "36", "yes"});  // money only comes in
    EXPECT_NE(rate.tape().find("Interest rate is 0 %.\r\n"), std::string::npos) << rate.tape();

    Calculator mirr;
    mirr.run("Modified Internal Rate of Return", {"0.1", "0.1", "1", "500"});
    EXPECT_NE(mirr.tape().find("cash flows is 0.00%.\r\n"), std::string::npos) << mirr.tape();
}

TEST(FinanceCalculators, BadInputsEndWithAReportOrAMessage) {
    struct Case {
        std::string command;
        std::vector<std::string> answers;
        bool report;  // false: "Invalid value!" and nothing on the tape
    };
    const std::string huge = "79228162514264337593543950335";
    for (const auto& c : {
             Case{"Annuity Payments", {"10000", "0", "7.25", "0", "yes"}, true},
             Case{"Annuity Payments", {"10000", "0", "7.25", "-12", "yes"}, true},
             Case{"Annuity Principle Payment", {"10000", "0", "0", "7.25", "0", "yes", "yes"}, true},
             Case{"Annuity Principle Payment", {"10000", "0", "0", "7.25", "-3", "yes", "yes"}, true},
             Case{"Interest Calculator", {"10000", "0", "0", "7.25", "-36", "yes"}, true},
             Case{"Number of Payments to Pay Off Loan", {"10000", "0", "0", "7.25", "1", "yes"}, true},
             Case{"Number of Payments to Pay Off Loan", {"10000", "0", "0", "0", "0", "yes"}, true},
             Case{"Interest Rate per Period", {"10000", "0", "500", "0", "yes"}, true},
             Case{"Future Value of Annuity", {"1000", "10000", "50", "100000", "yes"}, false},
             Case{"Future Value of Annuity", {huge, huge, "0", huge, "yes"}, false},
             Case{"Present Value of Annuity", {huge, "0", "0", huge, "yes"}, false},
             Case{"Net Present Value of Investment", {"5", "2", huge, huge}, false},
             Case{"Internal Rate of Return", {"2", "1", huge}, false},
             Case{"Interest for X days", {huge, "100", huge, "yes"}, false},
             Case{"Interest for X days", {"10000", "7.25", "-30", "yes"}, true},
             Case{"Straight Line Depreciation", {huge, "0", huge}, true},
             Case{"Double-Declining Balance Depreciation", {"1000", "5000", "60", "3"}, true},
         }) {
        SCOPED_TRACE(c.command + " " + c.answers[0] + " ... " + c.answers.back());
        Calculator calc;
        calc.run(c.command, c.answers);
        EXPECT_FALSE(hasNanOrInf(calc.tape())) << calc.tape();
        EXPECT_FALSE(hasNanOrInf(calc.model.readout())) << calc.model.readout();
        if (c.report) {
            EXPECT_NE(calc.tape().find(std::string(40, '*')), std::string::npos) << calc.tape();
        } else {
            EXPECT_EQ(calc.tape(), "");
            ASSERT_FALSE(calc.feedback.messages.empty());
            EXPECT_EQ(calc.feedback.messages.back().text, "Invalid value!");
        }
        EXPECT_FALSE(calc.model.InputCancelled);
    }
}

// ---------------------------------------------------------------------------
// The amortization table

TEST(FinanceCalculators, AmortizationTableLayout) {
    Calculator calc;
    calc.run("Annuity Principle Payment", {"10000", "0", "2000", "7.25", "36", "yes", "yes"});
    const auto& box = calc.feedback.messages.back();
    EXPECT_EQ(box.text,
              "Monthly payment is $ 247.93. Would you like a breakdown of your principal and interest per period?");
    EXPECT_EQ(box.title, "Zorv Advanced Calculator");

    const std::string& tape = calc.tape();
    const std::string header = "         Month       Payment     Principal      Interest\r\n";
    const auto at = tape.find("Monthly payment is $ 247.93. \r\n" + header);
    ASSERT_NE(at, std::string::npos) << tape;
    EXPECT_NE(tape.find(header + "      1        247.93        199.60         48.33\r\n"
                                 "      2        247.93        200.80         47.13\r\n"),
              std::string::npos)
        << tape;
    EXPECT_NE(tape.find("      36        247.93        246.44          1.49\r\n247.93=\r\n"), std::string::npos)
        << tape;
}

TEST(FinanceCalculators, AmortizationTableAddsUpWithAFutureValue) {
    // With a balloon left at the end the principal and interest parts must
    // still make up the payment, and the first interest is a month on the loan.
    Calculator calc;
    calc.run("Annuity Principle Payment", {"12000", "2000", "0", "12", "12", "yes", "yes"});
    const std::string& tape = calc.tape();
    EXPECT_NE(tape.find("      1       1223.88       1103.88        120.00\r\n"), std::string::npos) << tape;
}

TEST(FinanceCalculators, AmortizationTableWithBeginningOfPeriodPayments) {
    Calculator calc;
    calc.run("Annuity Principle Payment", {"1000", "0", "0", "12", "3", "no", "yes"});
    // The first payment falls before any interest.
    EXPECT_NE(calc.tape().find("      1        336.66        336.66          0.00\r\n"), std::string::npos)
        << calc.tape();
}

TEST(FinanceCalculators, DecliningTheTableWritesNone) {
    Calculator calc;
    calc.run("Annuity Principle Payment", {"10000", "0", "2000", "7.25", "36", "yes", "no"});
    EXPECT_EQ(calc.tape().find("Month "), std::string::npos);
}

}  // namespace
}  // namespace zorv::finance::test
