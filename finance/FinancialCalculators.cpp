#include "finance/FinancialCalculators.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/Currency.h"
#include "finance/FinancialFunctions.h"

namespace zorv::finance {

using engine::Currency;
using engine::Decimal;

namespace {

// Runs one financial function; a function without an answer leaves 0, as
// the report then says. ResultOutOfRange passes on to deliver().
template <class F>
double orZero(F&& f) {
    try {
        return f();
    } catch (const NoSolution&) {
        return 0;
    }
}

// Years of a useful life given in months; a part year counts as a year.
double lifeInYears(double months) { return std::ceil(months / 12); }

std::string padLeft(const std::string& text, std::size_t width) {
    std::size_t length = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++length;
    return length >= width ? text : std::string(width - length, ' ') + text;
}

}  // namespace

FinancialCalculators::FinancialCalculators(engine::CalculatorModel& model, NumericInput& input)
    : model_(model), fin_(model, input) {}

bool FinancialCalculators::stopped() {
    if (!fin_.cancelled()) return false;
    fin_.FinishFinance();
    return true;
}

void FinancialCalculators::settle() {
    for (int i = 0; i < 3; ++i) fin_.input().processPendingEvents();
}

bool FinancialCalculators::deliver(const std::function<Report()>& build) {
    settle();
    std::optional<Report> report;
    try {
        report = build();
    } catch (const ResultOutOfRange&) {
    } catch (const engine::DecimalError&) {
    }
    settle();
    if (!report) {
        model_.feedback().showMessage("Invalid value!", std::string(engine::kProductName),
                                      engine::MessageIcon::Information);
        model_.InputCancelled = true;
        fin_.FinishFinance();
        return false;
    }
    fin_.appendReport(report->title, report->hyphens, report->lines);
    model_.setReadout(report->readout);
    return true;
}

// ---------------------------------------------------------------------------
// Annuities and loans

void FinancialCalculators::mnuFV_Click() {
    auto& f = fin_;
    f.payment = f.AskAmount("How much do you plan to save each month?", "Monthly Payment",
                            f.withFraction("1000", "00"));
    if (stopped()) return;
    f.principal = f.AskAmount("How much is in this savings account now?", "Current Balance",
                              f.withFraction("10000", "00"));
    if (stopped()) return;
    f.rate = f.AskRate("Enter the expected interest annual percentage rate.", "Interest Rate",
                       f.withFraction("5", "9"));
    if (stopped()) return;
    f.numberOfPayments = f.AskAmount("For how many months do you expect to save?", "Number of Payments", "60");
    if (stopped()) return;
    f.AskPaymentTiming();
    if (stopped()) return;

    if (!deliver([&] {
            const double result =
                orZero([&] { return FV(f.rate / 12, f.numberOfPayments, -f.payment, -f.principal, f.timing); });
            f.ResultSentence = "Future value is " + f.currency() + f.rounded(result) + ".";
            return Report{"Future Value of Annuity Calculation",
                          35,
                          {"Monthly Payment: " + f.currency() + f.plain(f.payment),
                           "Current Balance: " + f.currency() + f.plain(f.principal), f.aprLine(),
                           "Number of " + f.TimingText + "payments: " + f.plain(f.numberOfPayments)},
                          f.rounded(result)};
        }))
        return;
    f.FinishFinance();
}

void FinancialCalculators::mnuPV_Click() {
    auto& f = fin_;
    f.payment = f.AskAmount("How much does the annuity pay out?", "Annual Payments", f.withFraction("10000", "00"));
    if (stopped()) return;
    f.futureValue = f.AskAmount("Future value of annuity?", "Future Value", f.withFraction("100000", "00"));
    if (stopped()) return;
    f.rate = f.AskRate("What is the annual percentage rate?", "Percentage Rate", f.withFraction("7", "25"));
    if (stopped()) return;
    f.numberOfPayments = f.AskAmount("How many payments?", "Number of Payments", "36");
    if (stopped()) return;
    f.AskPaymentTiming();
    if (stopped()) return;

    if (!deliver([&] {
            // The payments are annual, so the annual rate is used as it is.
            const double result =
                orZero([&] { return PV(f.rate, f.numberOfPayments, -f.payment, f.futureValue, f.timing); });
            f.ResultSentence = "Present value is " + f.currency() + f.rounded(result) + ".";
            return Report{"Present Value of Annuity Calculation",
                          36,
                          {"Future Value : " + f.currency() + f.plain(f.futureValue), f.aprLine(),
                           "Number of" + f.TimingText + "payments: " + f.plain(f.numberOfPayments)},
                          f.rounded(result)};
        }))
        return;
    f.FinishFinance();
}

void FinancialCalculators::mnuPmt_Click() {
    auto& f = fin_;
    f.principal = f.AskAmount("How much do you want to borrow?", "Principal Amount", f.withFraction("10000", "00"));
    if (stopped()) return;
    f.downPayment = f.AskAmount("How much are you putting down?", "Down Payment", f.withFraction("0", "00"));
    if (stopped()) return;
    f.rate = f.AskRate("What is the annual percentage rate of your loan?", "Percentage Rate",
                       f.withFraction("7", "25"));
    if (stopped()) return;
    f.numberOfPayments = f.AskAmount("How many monthly payments?", "Number of Payments", "36");
    if (stopped()) return;
    f.AskPaymentTiming();
    if (stopped()) return;

    if (!deliver([&] {
            f.payment = orZero([&] {
                return Pmt(f.rate / 12, f.numberOfPayments, -(f.principal - f.downPayment), f.futureValue, f.timing);
            });
            f.ResultSentence = "Payment is " + f.currency() + f.rounded(f.payment) + " per month.";
            return Report{"Annuity Payments Calculation",
                          28,
                          {"Principal: " + f.currency() + f.plain(f.principal),
                           "Down Payment: " + f.currency() + f.plain(f.downPayment), f.aprLine(),
                           f.plain(f.numberOfPayments) + f.TimingText + "monthly payments"},
                          f.rounded(f.payment)};
        }))
        return;
    f.FinishFinance();
}

void FinancialCalculators::mnuPPmt_Click() {
    auto& f = fin_;
    f.principal = f.AskAmount("How much do you want to borrow?", "Principal Amount", f.withFraction("10000", "00"));
    if (stopped()) return;
    f.futureValue = f.AskAmount("Future value after loan is paid?", "Future Value", f.withFraction("0", "00"));
    if (stopped()) return;
    f.downPayment = f.AskAmount("How much are you putting down?", "Down Payment", f.plain(f.principal / 5));
    if (stopped()) return;
    f.rate = f.AskRate("What is the annual percentage rate of your loan?", "Percentage Rate",
                       f.withFraction("7", "25"));
    if (stopped()) return;
    f.numberOfPayments = f.AskAmount("How many monthly payments?", "Number of Payments", "36");
    if (stopped()) return;
    f.AskPaymentTiming();
    if (stopped()) return;

    const double loan = f.principal - f.downPayment;
    if (!deliver([&] {
            f.payment = std::abs(
                orZero([&] { return Pmt(f.rate / 12, f.numberOfPayments, loan, f.futureValue, f.timing); }));
            f.ResultSentence = "Monthly payment is " + f.currency() + f.rounded(f.payment) + ". ";
            return Report{"Annuity Principal Payment Calculation",
                          36,
                          {"Principal: " + f.currency() + f.plain(f.principal),
                           "Down Payment: " + f.currency() + f.plain(f.downPayment),
                           "Future Value: " + f.currency() + f.plain(f.futureValue), f.aprLine(),
                           f.plain(f.numberOfPayments) + f.TimingText + "monthly payments"},
                          f.rounded(f.payment)};
        }))
        return;

    if (std::floor(f.numberOfPayments) <= kMaxAmortizationRows) {
        const auto choice = model_.feedback().showMessage(
            f.ResultSentence + "Would you like a breakdown of your principal and interest per period?",
            std::string(engine::kProductName), engine::MessageIcon::Question, engine::MessageButtons::YesNo);
        if (choice == engine::MessageResult::Yes)
            model_.tape().append(
                amortizationTable(f.rate / 12, f.numberOfPayments, loan, f.futureValue, f.timing, f.payment));
    }
    f.FinishFinance();
}

std::string FinancialCalculators::amortizationTable(double monthlyRate, double payments, double loan,
                                                    double futureValue, int timing, double payment) const {
    const auto cell = [&](double value) {
        try {
            return padLeft(fin_.rounded(value), 14);
        } catch (const engine::DecimalError&) {
            return padLeft(fin_.rounded(0.0), 14);
        }
    };
    std::string table = std::string(9, ' ') + "Month" + std::string(7, ' ') + "Payment" + std::string(5, ' ') +
                        "Principal" + std::string(6, ' ') + "Interest\r\n";
    const std::string paymentCell = cell(payment);
    // The interest cell is the payment cell less the principal cell, so that
    // every row adds up on the tape as printed.
    std::optional<Decimal> shownPayment;
    try {
        shownPayment = model_.toDecimal(fin_.rounded(payment));
    } catch (const engine::DecimalError&) {
    }
    const auto interestCell = [&](double principalPart) {
        try {
            if (shownPayment)
                return padLeft(model_.FormatFinancial(model_.toText(
                                   *shownPayment - model_.toDecimal(fin_.rounded(principalPart)))),
                               14);
        } catch (const engine::DecimalError&) {
        }
        return cell(payment - principalPart);
    };
    const double rows = std::min(std::floor(payments), kMaxAmortizationRows);
    table.reserve(table.size() + static_cast<std::size_t>(std::max(rows, 0.0)) * 56);
    for (double p = 1; p <= rows; ++p) {
        // The principal part is taken with the signs the payment itself was
        // computed with.
        double principalPart = 0;
        try {
            principalPart = -PPmt(monthlyRate, p, payments, loan, futureValue, timing);
        } catch (const std::runtime_error&) {
        }
        table += "      ";
        table += fin_.plain(p);
        table += paymentCell;
        table += cell(principalPart);
        table += interestCell(principalPart);
        table += "\r\n";
    }
    return table;
}

void FinancialCalculators::mnuIPmt_Click() {
    auto& f = fin_;
    f.principal = f.AskAmount("How much do you want to borrow?", "Principal Amount", f.withFraction("10000", "00"));
    if (stopped()) return;
    f.futureValue = f.AskAmount("Future value after loan is paid?", "Future Value", f.withFraction("1000", "00"));
    if (stopped()) return;
    f.downPayment = f.AskAmount("How much are you putting down?", "Down Payment", f.withFraction("0", "00"));
    if (stopped()) return;
    f.rate = f.AskRate("What is the annual percentage rate of your loan?", "Percentage Rate",
                       f.withFraction("7", "25"));
    if (stopped()) return;
    f.numberOfPayments = f.AskAmount("How many monthly payments?", "Number of Payments", "36");
    if (stopped()) return;
    f.AskPaymentTiming();
    if (stopped()) return;

    if (!deliver([&] {
            const double total = std::abs(orZero([&] {
                return totalInterest(f.rate / 12, f.numberOfPayments, f.principal - f.downPayment, f.futureValue,
                                     f.timing);
            }));
            f.ResultSentence = f.currency() + f.rounded(total) + " in gross interest.";
            return Report{"Interest Pay-out Calculation",
                          28,
                          {"Principal: " + f.currency() + f.plain(f.principal),
                           "Down Payment: " + f.currency() + f.plain(f.downPayment),
                           "Future Value: " + f.currency() + f.plain(f.futureValue), f.aprLine(),
                           f.plain(f.numberOfPayments) + f.TimingText + "monthly payments"},
                          f.rounded(total)};
        }))
        return;
    f.FinishFinance();
}

void FinancialCalculators::mnuNPer_Click() {
    auto& f = fin_;
    f.principal = f.AskAmount("How much do you want to borrow?", "Principal Amount", f.withFraction("10000", "00"));
    if (stopped()) return;
    f.futureValue = f.AskAmount("Future value after loan is paid?", "Future Value", f.withFraction("1000", "00"));
    if (stopped()) return;
    f.downPayment = f.AskAmount("How much are you putting down?", "Down Payment", f.withFraction("0", "00"));
    if (stopped()) return;
    f.rate = f.AskRate("What is the annual percentage rate of your loan?", "Percentage Rate",
                       f.withFraction("7", "25"));
    if (stopped()) return;
    f.payment = f.AskAmount("How much do you want to pay each month?", "Monthly Payment", f.withFraction("500", "00"));
    if (stopped()) return;
    f.AskPaymentTiming();
    if (stopped()) return;

    if (!deliver([&] {
            double n = orZero([&] {
                return NPer(f.rate / 12, -f.payment, f.principal - f.downPayment, f.futureValue, f.timing);
            });
            // A part payment still has to be made; a result a rounding error
            // away from a whole number is that whole number.
            const double whole = std::round(n);
            n = std::abs(n - whole) <= 1e-9 * std::max(1.0, std::abs(n)) ? whole : std::ceil(n);
            f.numberOfPayments = n;
            f.ResultSentence = f.plain(n) + " months to pay off this loan.";
            return Report{"Number of Payments Calculation",
                          30,
                          {"Principal: " + f.currency() + f.rounded(f.principal),
                           "Down Payment: " + f.currency() + f.rounded(f.downPayment),
                           "Future Value: " + f.currency() + f.rounded(f.futureValue), f.aprLine(),
                           f.TimingText + "monthly payment: " + f.currency() + f.rounded(f.payment)},
                          f.plain(n)};
        }))
        return;
    f.FinishFinance();
}

void FinancialCalculators::mnuRate_Click() {
    auto& f = fin_;
    f.principal = f.AskAmount("How much did you borrow?", "Principal Amount", f.withFraction("10000", "00"));
    if (stopped()) return;
    f.futureValue = f.AskAmount("Future value after loan is paid?", "Future Value", f.withFraction("0", "00"));
    if (stopped()) return;
    f.payment = f.AskAmount("What's your monthly payment?", "Monthly Payment", f.withFraction("500", "00"));
    if (stopped()) return;
    f.numberOfPayments = f.AskAmount("How many monthly payments?", "Number of Payments", "36");
    if (stopped()) return;
    f.AskPaymentTiming();
    if (stopped()) return;

    f.guess = 0.1;
    if (!deliver([&] {
            const double monthly = orZero(
                [&] { return Rate(f.numberOfPayments, -f.payment, f.principal, f.futureValue, f.timing, f.guess); });
            // A whole percentage, ties to the even one.
            const double percent = std::nearbyint(monthly * 12 * 100);
            if (!std::isfinite(percent)) throw ResultOutOfRange();
            f.rate = percent / 100;
            f.ResultSentence = "Interest rate is " + f.plain(percent) + " %.";
            return Report{"Interest Rate per Period Calculation",
                          36,
                          {"Principal: " + f.currency() + f.plain(f.principal),
                           "Future Value: " + f.currency() + f.plain(f.futureValue),
                           f.plain(f.numberOfPayments) + f.TimingText + "monthly payments of " + f.currency() +
                               f.plain(f.payment)},
                          f.rounded(f.rate)};
        }))
        return;
    f.FinishFinance();
}

// ---------------------------------------------------------------------------
// Cash flows

std::vector<std::string> FinancialCalculators::returnLines() const {
    const auto& f = fin_;
    std::vector<std::string> lines;
    lines.reserve(f.CashFlows.size());
    for (std::size_t i = 1; i < f.CashFlows.size(); ++i)
        lines.push_back("Return #" + std::to_string(i) + " amount: " + f.currency() + f.rounded(f.CashFlows[i]));
    return lines;
}

void FinancialCalculators::mnuIRR_Click() {
    auto& f = fin_;
    f.cashFlowCount = f.AskCashFlowCount("Number of Payments", "5");
    if (stopped()) return;
    f.AskCashFlows();
    if (stopped()) return;

    f.guess = 0.1;
    if (!deliver([&] {
            const double irr = orZero([&] { return IRR(f.CashFlows, f.guess); });
            f.percentageResult = Currency::fromDouble(irr * 100);
            f.ResultSentence = "Internal rate of return for these " + f.plain(f.cashFlowCount) +
                               " cash flows is " + f.rounded(f.percentageResult) + "%.";
            std::vector<std::string> lines{"Investment: " + f.currency() + f.plain(std::abs(f.CashFlows[0]))};
            for (auto& line : returnLines()) lines.push_back(std::move(line));
            const Decimal fraction = f.percentageResult.toDecimal() / Decimal(100);
            return Report{"Internal Rate of Return Calculation", 35, std::move(lines),
                          f.model().FormatFinancial(fraction.toString(f.model().DecimalSymbol()))};
        }))
        return;
    f.FinishFinance();
}

void FinancialCalculators::mnuMIRR_Click() {
    auto& f = fin_;
    const double loanRate = f.AskRate("What is the APR of the loan?", "Loan Rate", f.withFraction("0", "189"));
    if (stopped()) return;
    try {
        f.financeRate = Currency::fromDouble(loanRate);
    } catch (const engine::DecimalError&) {
        // AskRate keeps rates within the currency range.
    }
    f.reinvestmentRate =
        f.AskRate("What is the APR of the Reinvestment?", "Reinvestment Rate", f.withFraction("0", "069"));
    if (stopped()) return;
    f.cashFlowCount = f.AskCashFlowCount("Number of Payments", "5");
    if (stopped()) return;
    f.AskCashFlows();
    if (stopped()) return;

    if (!deliver([&] {
            f.percentageResult = Currency::fromDouble(
                orZero([&] { return MIRR(f.CashFlows, f.financeRate.toDouble(), f.reinvestmentRate); }));
            f.ResultSentence = "Modified internal rate of return for these " + f.plain(f.cashFlowCount) +
                               " cash flows is " + f.rounded(f.percentageResult * 100LL) + "%.";
            std::vector<std::string> lines{
                "Investment: " + f.currency() + f.plain(std::abs(f.CashFlows[0])),
                "APR of Loan: " + f.financeRate.toString(f.model().DecimalSymbol()),
                "APR of Re-investment: " + f.plain(f.reinvestmentRate)};
            for (auto& line : returnLines()) lines.push_back(std::move(line));
            return Report{"Modified Internal Rate of Return Calculation", 44, std::move(lines),
                          f.rounded(f.percentageResult)};
        }))
        return;
    f.FinishFinance();
}

void FinancialCalculators::mnuNPV_Click() {
    auto& f = fin_;
    const double answer =
        f.AskRate("What is the fixed internal rate of return?", "Return Rate", f.withFraction("6", "25"));
    if (stopped()) return;
    Currency returnRate;
    try {
        returnRate = Currency::fromDouble(answer);
    } catch (const engine::DecimalError&) {
    }
    f.rate = returnRate.toDouble();
    f.cashFlowCount = f.AskCashFlowCount("Number of Payments", "5");
    if (stopped()) return;
    f.AskCashFlows();
    if (stopped()) return;

    if (!deliver([&] {
            f.percentageResult = Currency::fromDouble(orZero([&] { return NPV(f.rate, f.CashFlows); }));
            f.ResultSentence = "Net present value of this investment is " + f.rounded(f.percentageResult) + ".";
            std::vector<std::string> lines{
                "Investment: " + f.currency() + f.plain(std::abs(f.CashFlows[0])),
                "Discount rate: " + (returnRate * 100LL).toString(f.model().DecimalSymbol()) + "%"};
            for (auto& line : returnLines()) lines.push_back(std::move(line));
            return Report{"Net Present Value of Investment Calculation", 43, std::move(lines),
                          f.rounded(f.percentageResult)};
        }))
        return;
    f.FinishFinance();
}

// ---------------------------------------------------------------------------
// Depreciation

bool FinancialCalculators::askAsset(double& cost, double& salvage, double& months) {
    auto& f = fin_;
    cost = f.AskAmount("What's the initial cost of the asset?", "Initial Cost", f.withFraction("10000", "00"));
    if (stopped()) return false;
    salvage = f.AskAmount("What's the asset's value at the end of its useful life?", "Salvage Value",
                          f.withFraction("1000", "00"));
    if (stopped()) return false;
    months = f.AskAssetLife("What's the asset's useful life in months?", "Useful Life", "60");
    return !stopped();
}

double FinancialCalculators::askDepreciationYear(const std::string& title, double years) {
    auto& f = fin_;
    for (;;) {
        const double year = f.AskAmount("You must enter at least 1 but not more than " + f.plain(years), title, "1");
        if (f.cancelled()) return 0;
        if (year >= 1 && year <= years) return year;
    }
}

std::vector<std::string> FinancialCalculators::assetLines(double cost, double salvage, double months) const {
    const auto& f = fin_;
    return {"Initial Cost: " + f.currency() + f.plain(cost), "Salvage Value: " + f.currency() + f.plain(salvage),
            "Useful Life: " + f.plain(months) + " months"};
}

void FinancialCalculators::mnuSLN_Click() {
    double cost = 0, salvage = 0, months = 0;
    if (!askAsset(cost, salvage, months)) return;
    auto& f = fin_;
    if (!deliver([&] {
            const double depreciation = orZero([&] { return SLN(cost, salvage, lifeInYears(months)); });
            f.ResultSentence = "Depreciation is " + f.currency() + f.rounded(depreciation) + " per year.";
            return Report{"Straight-line Depr. Calculation", 31, assetLines(cost, salvage, months),
                          f.rounded(depreciation)};
        }))
        return;
    f.FinishFinance();
}

void FinancialCalculators::mnuSYD_Click() {
    double cost = 0, salvage = 0, months = 0;
    if (!askAsset(cost, salvage, months)) return;
    auto& f = fin_;
    const double years = lifeInYears(months);
    f.period = askDepreciationYear("Depreciation for what year?", years);
    if (stopped()) return;
    if (!deliver([&] {
            const double depreciation = orZero([&] { return SYD(cost, salvage, years, f.period); });
            f.ResultSentence = "Depreciation for year " + f.plain(f.period) + " is " + f.currency() +
                               f.rounded(depreciation) + ".";
            return Report{"Sum-of-Years' Depr. Calculation", 31, assetLines(cost, salvage, months),
                          f.rounded(depreciation)};
        }))
        return;
    f.FinishFinance();
}

void FinancialCalculators::mnuDDB_Click() {
    double cost = 0, salvage = 0, months = 0;
    if (!askAsset(cost, salvage, months)) return;
    auto& f = fin_;
    const double years = lifeInYears(months);
    f.period = askDepreciationYear("Enter year for depreciation calculation.", years);
    if (stopped()) return;
    if (!deliver([&] {
            const double depreciation = orZero([&] { return DDB(cost, salvage, years, f.period, 2); });
            f.ResultSentence = "Depreciation for year " + f.plain(f.period) + " is " + f.currency() +
                               f.rounded(depreciation) + ".";
            return Report{"Dbl.-Decl. Bal. Depr. Calculation", 33, assetLines(cost, salvage, months),
                          f.rounded(depreciation)};
        }))
        return;
    f.FinishFinance();
}

// ---------------------------------------------------------------------------
// Interest for a number of days

void FinancialCalculators::mnuInterestForXdays_Click() {
    auto& f = fin_;
    f.principal = f.AskAmount("What is your principal amount?", "Principal Amount", f.withFraction("10000", "00"));
    if (stopped()) return;
    f.rate = f.AskRate("What is the annual percentage rate of your loan?", "Percentage Rate",
                       f.withFraction("7", "25"));
    if (stopped()) return;
    const double days = f.AskAmount("How many days are in this period?", "Days in Period", "30");
    if (stopped()) return;
    const bool compound =
        model_.feedback().showMessage("Daily compound interest?", "Type of Interest", engine::MessageIcon::Question,
                                      engine::MessageButtons::YesNo) == engine::MessageResult::Yes;

    if (!deliver([&] {
            const double interest = orZero([&] {
                return compound ? compoundDailyInterest(f.principal, f.rate, days)
                                : straightDailyInterest(f.principal, f.rate, days);
            });
            f.ResultSentence = f.currency() + f.rounded(interest) + " in gross interest for this period.";
            return Report{"Interest for X Days",
                          28,
                          {"Principal: " + f.currency() + f.plain(f.principal), f.aprLine(),
                           "Days in this period: " + f.plain(days),
                           std::string("Using") + (compound ? " Compound Interest " : " Straight Interest ") +
                               "payments"},
                          f.rounded(interest)};
        }))
        return;
    f.FinishFinance();
}

}  // namespace zorv::finance
