// Every calculator end to end: the questions asked, the report on the tape
// and the readout, for the default answers and for the edge cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "FinanceTestSupport.h"
#include "engine/KeyScript.h"

namespace zorv::finance::test {
namespace {

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
        // The answers given are the defaults offered.
        for (std::size_t i = 0, a = 0; i < calc.feedback.questions.size(); ++i, ++a) {
            while (c.answers[a] == "yes" || c.answers[a] == "no") ++a;
            EXPECT_EQ(calc.feedback.questions[i].defaultText, c.answers[a]) << calc.feedback.questions[i].title;
        }
        EXPECT_FALSE(calc.model.inputCancelled);
        EXPECT_EQ(calc.model.entryState(), engine::EntryState::AfterOperator);  // the result was taken as a total
    }
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

TEST(FinanceCalculators, ReportLinesForTheAnswersGiven) {
    struct Case {
        std::string command;
        std::vector<std::string> answers;
        std::string expected;  // consecutive whole lines of the report
    };
    const std::vector<Case> cases = {
        // Payment timing: two blanks in the FV line, one in the PV line.
        {"Future Value of Annuity", {"1000", "10000", "5.9", "60", "no"},
         "Number of  beginning-of-period payments: 60\r\nFuture value is $ 83354.73."},
        {"Present Value of Annuity", {"10000", "100000", "7.25", "36", "no"},
         "Number of beginning-of-period payments: 36\r\nPresent value is $ 127977.12."},
        {"Annuity Payments", {"10000", "0", "7.25", "36", "no"},
         "36 beginning-of-period monthly payments\r\nPayment is $ 308.05 per month."},
        // Rate answers above 1 are percentages, rounded to 4 places first.
        {"Interest for X days", {"10000", "0.5", "30", "no"}, "APR: 50%"},
        {"Interest for X days", {"10000", "5", "30", "no"}, "APR: 5%"},
        {"Interest for X days", {"10000", "1", "30", "no"}, "APR: 100%"},
        {"Interest for X days", {"10000", "0.0725", "30", "no"}, "APR: 7.25%"},
        {"Interest for X days", {"10000", "12.34567", "30", "no"}, "APR: 12.3457%"},
        {"Interest for X days", {"10000", "0.123456", "30", "no"}, "APR: 12.35%"},
        {"Interest for X days", {"10000", "7.25", "30", "no"},
         "Using Straight Interest payments\r\n$ 59.59 in gross interest for this period."},
        // A zero rate uses the limits of the formulas.
        {"Future Value of Annuity", {"1000", "10000", "0", "60", "yes"}, "Future value is $ 70000.00."},
        {"Present Value of Annuity", {"10000", "100000", "0", "36", "yes"}, "Present value is $ 260000.00."},
        {"Annuity Payments", {"9000", "0", "0", "36", "yes"}, "Payment is $ 250.00 per month."},
        {"Interest Calculator", {"10000", "0", "0", "0", "36", "yes"}, "$ 0.00 in gross interest."},
        {"Number of Payments to Pay Off Loan", {"10000", "0", "0", "0", "300", "yes"},
         "34 months to pay off this loan."},
        // 35.2 payments are 36; an exact count stays as it is.
        {"Number of Payments to Pay Off Loan", {"10000", "0", "0", "0", "284.0909", "yes"},
         "36 months to pay off this loan."},
        {"Number of Payments to Pay Off Loan", {"10000", "0", "0", "0", "500", "yes"},
         "20 months to pay off this loan."},
        // 12 payments of 1000 on 11000: 16.38 % a year, reported whole.
        {"Interest Rate per Period", {"11000", "0", "1000", "12", "yes"}, "Interest rate is 16 %."},
        // Useful life in months becomes whole years.
        {"Straight Line Depreciation", {"10000", "1000", "12"}, "Depreciation is $ 9000.00 per year."},
        {"Straight Line Depreciation", {"10000", "1000", "13"}, "Depreciation is $ 4500.00 per year."},
        {"Straight Line Depreciation", {"10000", "1000", "24"}, "Depreciation is $ 4500.00 per year."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command + ": " + c.expected);
        Calculator calc;
        calc.run(c.command, c.answers);
        EXPECT_NE(calc.tape().find("\r\n" + c.expected + "\r\n"), std::string::npos) << calc.tape();
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

TEST(FinanceCalculators, APendingOperationKeepsTheResultAsItsOperand) {
    Calculator calc;
    calc.model.pressDigit(5);
    calc.model.pressOperator(engine::OpAdd);
    const std::string before = calc.tape();
    calc.run("Straight Line Depreciation", {"10000", "1000", "60"});
    // No total block: the result waits in the readout for the pending "+".
    EXPECT_EQ(calc.tape(), before + lines({"Straight-line Depr. Calculation", hyphens(31), "Initial Cost: $ 10000",
                                           "Salvage Value: $ 1000", "Useful Life: 60 months",
                                           "Depreciation is $ 1800.00 per year.", std::string(40, '*'), ""}));
    EXPECT_EQ(calc.model.readout(), "1800.00");
    EXPECT_EQ(calc.model.entryState(), engine::EntryState::Number);
    calc.model.pressOperator(engine::OpEquals);
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
            calc.model.pressDigit(7);
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
            EXPECT_FALSE(calc.model.inputCancelled);
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
    declined.model.pressDigit(3);
    declined.run("Annuity Payments", {"10000", "", "no"});
    EXPECT_EQ(declined.tape(), "");
    EXPECT_EQ(declined.model.readout(), "3.");
    EXPECT_FALSE(declined.model.inputCancelled);
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
        EXPECT_FALSE(calc.model.inputCancelled);
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

}  // namespace
}  // namespace zorv::finance::test

namespace zorv::finance::test {
namespace {

// Answers every question with its default text and, on the first one,
// tries to start another calculator the way a tray menu click could.
class ReentrantInput : public NumericInput {
public:
    explicit ReentrantInput(engine::CalculatorModel& model) : model_(model) {}
    void Init(const std::string&, const std::string&, const std::string& defaultText) override {
        default_ = defaultText;
    }
    std::optional<std::string> run() override {
        if (!tried_) {
            tried_ = true;
            model_.runCommand("Straight Line Depreciation");
        }
        return normaliseAnswer(default_, model_.symbols());
    }

private:
    engine::CalculatorModel& model_;
    std::string default_;
    bool tried_ = false;
};

TEST(FinanceCalculators, ACalculatorCannotStartWhileAnotherAsks) {
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model(feedback);
    ReentrantInput input(model);
    registerFinanceCommands(model, input);
    feedback.answer("yes");
    model.runCommand("Annuity Payments");
    EXPECT_EQ(feedback.beeps, 1);
    EXPECT_EQ(model.tape().text().find("Depr."), std::string::npos);
    EXPECT_NE(model.tape().text().find("Payment is $ 309.92 per month."), std::string::npos);
}

}  // namespace
}  // namespace zorv::finance::test

namespace zorv::finance::test {
namespace {

TEST(FinanceCommands, MenuItemsRunRegisteredCommands) {
    Calculator calc;
    const auto menu = financeMenu();
    ASSERT_EQ(menu.size(), 14u);
    EXPECT_EQ(menu.front().caption, "&Future Value of Annuity");
    EXPECT_EQ(menu[4].caption, "&Interest Payments (Cost of Loan)");
    EXPECT_EQ(menu[4].command, "Interest Calculator");
    EXPECT_EQ(menu.back().caption, "Interest for &X days");
    for (const auto& item : menu) EXPECT_TRUE(calc.model.commands().contains(item.command)) << item.command;
    for (const char* name : {"Interest Calculator", "Interest Rate per Period", "Interest for X days",
                             "Internal Rate of Return", "Modified Internal Rate of Return",
                             "Number of Payments to Pay Off Loan", "Net Present Value of Investment",
                             "Annuity Payments", "Annuity Principle Payment", "Present Value of Annuity",
                             "Future Value of Annuity", "Straight Line Depreciation",
                             "Sum-of-Years' Digits Depreciation", "Double-Declining Balance Depreciation"})
        EXPECT_TRUE(calc.model.commands().contains(name)) << name;
}

}  // namespace
}  // namespace zorv::finance::test


namespace zorv::finance::test {
namespace {

TEST(FinanceCommands, BatchScriptRunsACalculatorWithItsAnswers) {
    Calculator calc;
    const auto script = engine::parseKeyScript("{Annuity Payments}[10000][0][7.25][36][yes]");
    for (const auto& a : script.answers) calc.feedback.answer(a);
    engine::runKeyScript(calc.model, script, [](const std::string& name) { ADD_FAILURE() << name; });
    EXPECT_NE(calc.tape().find("Payment is $ 309.92 per month.\r\n309.92=\r\n"), std::string::npos) << calc.tape();
    EXPECT_EQ(calc.model.readout(), "309.92");
}

}  // namespace
}  // namespace zorv::finance::test
