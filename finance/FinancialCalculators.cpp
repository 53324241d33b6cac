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

// The first guess of the iterative rate functions.
constexpr double kRateGuess = 0.1;

}  // namespace

FinancialCalculators::FinancialCalculators(engine::CalculatorModel& model, NumericInput& input)
    : model_(model), ask_(model, input) {}

void FinancialCalculators::settle() {
    for (int i = 0; i < 3; ++i) ask_.input().processPendingEvents();
}

void FinancialCalculators::deliver(const std::function<Report()>& build) {
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
        throw CalculationCancelled{};
    }
    ask_.appendReport(report->title, report->hyphens, report->lines, report->sentence);
    model_.setReadout(report->readout);
}

// ---------------------------------------------------------------------------
// Annuities and loans

double FinancialCalculators::borrowed() {
    return ask_.amount("How much do you want to borrow?", "Principal Amount", ask_.withFraction("10000", "00"));
}

double FinancialCalculators::futureValueAfterLoan(std::string_view whole) {
    return ask_.amount("Future value after loan is paid?", "Future Value", ask_.withFraction(whole, "00"));
}

FinancialCalculators::Loan FinancialCalculators::askLoan(std::optional<std::string_view> futureValueWhole,
                                                         bool fifthDown) {
    Loan loan;
    loan.principal = borrowed();
    if (futureValueWhole) loan.futureValue = futureValueAfterLoan(*futureValueWhole);
    loan.downPayment = ask_.amount("How much are you putting down?", "Down Payment",
                                   fifthDown ? ask_.plain(loan.principal / 5) : ask_.withFraction("0", "00"));
    return loan;
}

double FinancialCalculators::loanRate() {
    return ask_.rate("What is the annual percentage rate of your loan?", "Percentage Rate",
                     ask_.withFraction("7", "25"));
}

double FinancialCalculators::monthlyPaymentCount() {
    return ask_.amount("How many monthly payments?", "Number of Payments", "36");
}

std::vector<std::string> FinancialCalculators::loanLines(const Loan& loan, bool withFutureValue, double rate,
                                                         double payments, const PaymentTiming& timing) const {
    std::vector<std::string> lines{ask_.moneyLine("Principal: ", loan.principal),
                                   ask_.moneyLine("Down Payment: ", loan.downPayment)};
    if (withFutureValue) lines.push_back(ask_.moneyLine("Future Value: ", loan.futureValue));
    lines.push_back(ask_.aprLine(rate));
    lines.push_back(ask_.plain(payments) + timing.text + "monthly payments");
    return lines;
}

void FinancialCalculators::futureValueOfAnnuity() {
    const double payment = ask_.amount("How much do you plan to save each month?", "Monthly Payment",
                                       ask_.withFraction("1000", "00"));
    const double balance = ask_.amount("How much is in this savings account now?", "Current Balance",
                                       ask_.withFraction("10000", "00"));
    const double rate = ask_.rate("Enter the expected interest annual percentage rate.", "Interest Rate",
                                  ask_.withFraction("5", "9"));
    const double payments = ask_.amount("For how many months do you expect to save?", "Number of Payments", "60");
    const PaymentTiming timing = ask_.paymentTiming();

    deliver([&] {
        const double result = orZero([&] { return FV(rate / 12, payments, -payment, -balance, timing.code); });
        return Report{"Future Value of Annuity Calculation",
                      35,
                      {ask_.moneyLine("Monthly Payment: ", payment), ask_.moneyLine("Current Balance: ", balance),
                       ask_.aprLine(rate), "Number of " + timing.text + "payments: " + ask_.plain(payments)},
                      "Future value is " + ask_.currency() + ask_.rounded(result) + ".",
                      ask_.rounded(result)};
    });
}

void FinancialCalculators::presentValueOfAnnuity() {
    const double payment =
        ask_.amount("How much does the annuity pay out?", "Annual Payments", ask_.withFraction("10000", "00"));
    const double futureValue =
        ask_.amount("Future value of annuity?", "Future Value", ask_.withFraction("100000", "00"));
    const double rate =
        ask_.rate("What is the annual percentage rate?", "Percentage Rate", ask_.withFraction("7", "25"));
    const double payments = ask_.amount("How many payments?", "Number of Payments", "36");
    const PaymentTiming timing = ask_.paymentTiming();

    deliver([&] {
        // The payments are annual, so the annual rate is used as it is.
        const double result = orZero([&] { return PV(rate, payments, -payment, futureValue, timing.code); });
        return Report{"Present Value of Annuity Calculation",
                      36,
                      {ask_.moneyLine("Future Value : ", futureValue), ask_.aprLine(rate),
                       "Number of" + timing.text + "payments: " + ask_.plain(payments)},
                      "Present value is " + ask_.currency() + ask_.rounded(result) + ".",
                      ask_.rounded(result)};
    });
}

void FinancialCalculators::annuityPayment() {
    const Loan loan = askLoan(std::nullopt);
    const double rate = loanRate();
    const double payments = monthlyPaymentCount();
    const PaymentTiming timing = ask_.paymentTiming();

    deliver([&] {
        const double payment =
            orZero([&] { return Pmt(rate / 12, payments, -loan.financed(), loan.futureValue, timing.code); });
        return Report{"Annuity Payments Calculation", 28, loanLines(loan, false, rate, payments, timing),
                      "Payment is " + ask_.currency() + ask_.rounded(payment) + " per month.", ask_.rounded(payment)};
    });
}

void FinancialCalculators::annuityPrincipalPayment() {
    const Loan loan = askLoan("0", true);
    const double rate = loanRate();
    const double payments = monthlyPaymentCount();
    const PaymentTiming timing = ask_.paymentTiming();

    double payment = 0;
    std::string sentence;
    deliver([&] {
        payment = std::abs(
            orZero([&] { return Pmt(rate / 12, payments, loan.financed(), loan.futureValue, timing.code); }));
        sentence = "Monthly payment is " + ask_.currency() + ask_.rounded(payment) + ". ";
        return Report{"Annuity Principal Payment Calculation", 36, loanLines(loan, true, rate, payments, timing),
                      sentence, ask_.rounded(payment)};
    });

    if (std::floor(payments) <= kMaxAmortizationRows) {
        const auto choice = model_.feedback().showMessage(
            sentence + "Would you like a breakdown of your principal and interest per period?",
            std::string(engine::kProductName), engine::MessageIcon::Question, engine::MessageButtons::YesNo);
        if (choice == engine::MessageResult::Yes)
            model_.tape().append(
                amortizationTable(rate / 12, payments, loan.financed(), loan.futureValue, timing.code, payment));
    }
}

std::string FinancialCalculators::amortizationTable(double monthlyRate, double payments, double loan,
                                                    double futureValue, int timing, double payment) const {
    const auto cell = [&](double value) {
        try {
            return padLeft(ask_.rounded(value), 14);
        } catch (const engine::DecimalError&) {
            return padLeft(ask_.rounded(0.0), 14);
        }
    };
    std::string table = std::string(9, ' ') + "Month" + std::string(7, ' ') + "Payment" + std::string(5, ' ') +
                        "Principal" + std::string(6, ' ') + "Interest\r\n";
    const std::string paymentCell = cell(payment);
    // The interest cell is the payment cell less the principal cell, so that
    // every row adds up on the tape as printed.
    std::optional<Decimal> shownPayment;
    try {
        shownPayment = model_.toDecimal(ask_.rounded(payment));
    } catch (const engine::DecimalError&) {
    }
    const auto interestCell = [&](double principalPart) {
        try {
            if (shownPayment)
                return padLeft(model_.format().financial(model_.toText(
                                   *shownPayment - model_.toDecimal(ask_.rounded(principalPart)))),
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
        table += ask_.plain(p);
        table += paymentCell;
        table += cell(principalPart);
        table += interestCell(principalPart);
        table += "\r\n";
    }
    return table;
}

void FinancialCalculators::interestPayments() {
    const Loan loan = askLoan("1000");
    const double rate = loanRate();
    const double payments = monthlyPaymentCount();
    const PaymentTiming timing = ask_.paymentTiming();

    deliver([&] {
        const double total = std::abs(orZero([&] {
            return totalInterest(rate / 12, payments, loan.financed(), loan.futureValue,
                                 timing.code);
        }));
        return Report{"Interest Pay-out Calculation", 28, loanLines(loan, true, rate, payments, timing),
                      ask_.currency() + ask_.rounded(total) + " in gross interest.", ask_.rounded(total)};
    });
}

void FinancialCalculators::numberOfPayments() {
    const Loan loan = askLoan("1000");
    const double rate = loanRate();
    const double payment = ask_.amount("How much do you want to pay each month?", "Monthly Payment",
                                       ask_.withFraction("500", "00"));
    const PaymentTiming timing = ask_.paymentTiming();

    deliver([&] {
        double n = orZero([&] {
            return NPer(rate / 12, -payment, loan.financed(), loan.futureValue, timing.code);
        });
        // A part payment still has to be made; a result a rounding error
        // away from a whole number is that whole number.
        const double whole = std::round(n);
        n = std::abs(n - whole) <= 1e-9 * std::max(1.0, std::abs(n)) ? whole : std::ceil(n);
        const std::string money = ask_.currency();
        return Report{"Number of Payments Calculation",
                      30,
                      {"Principal: " + money + ask_.rounded(loan.principal),
                       "Down Payment: " + money + ask_.rounded(loan.downPayment),
                       "Future Value: " + money + ask_.rounded(loan.futureValue), ask_.aprLine(rate),
                       timing.text + "monthly payment: " + money + ask_.rounded(payment)},
                      ask_.plain(n) + " months to pay off this loan.",
                      ask_.plain(n)};
    });
}

void FinancialCalculators::interestRatePerPeriod() {
    const double principal =
        ask_.amount("How much did you borrow?", "Principal Amount", ask_.withFraction("10000", "00"));
    const double futureValue = futureValueAfterLoan("0");
    const double payment =
        ask_.amount("What's your monthly payment?", "Monthly Payment", ask_.withFraction("500", "00"));
    const double payments = monthlyPaymentCount();
    const PaymentTiming timing = ask_.paymentTiming();

    deliver([&] {
        const double monthly =
            orZero([&] { return Rate(payments, -payment, principal, futureValue, timing.code, kRateGuess); });
        // A whole percentage, ties to the even one.
        const double percent = std::nearbyint(monthly * 12 * 100);
        if (!std::isfinite(percent)) throw ResultOutOfRange();
        return Report{"Interest Rate per Period Calculation",
                      36,
                      {ask_.moneyLine("Principal: ", principal), ask_.moneyLine("Future Value: ", futureValue),
                       ask_.plain(payments) + timing.text + "monthly payments of " + ask_.currency() +
                           ask_.plain(payment)},
                      "Interest rate is " + ask_.plain(percent) + " %.",
                      ask_.rounded(percent / 100)};
    });
}

// ---------------------------------------------------------------------------
// Cash flows

std::vector<std::string> FinancialCalculators::cashFlowLines(const std::vector<double>& flows,
                                                             std::vector<std::string> middle) const {
    std::vector<std::string> lines{ask_.moneyLine("Investment: ", std::abs(flows[0]))};
    lines.reserve(flows.size() + middle.size());
    for (auto& line : middle) lines.push_back(std::move(line));
    for (std::size_t i = 1; i < flows.size(); ++i)
        lines.push_back("Return #" + std::to_string(i) + " amount: " + ask_.currency() + ask_.rounded(flows[i]));
    return lines;
}

void FinancialCalculators::internalRateOfReturn() {
    const double count = ask_.cashFlowCount("Number of Payments", "5");
    const std::vector<double> flows = ask_.cashFlows(count);

    deliver([&] {
        const Currency percent = Currency::fromDouble(orZero([&] { return IRR(flows, kRateGuess); }) * 100);
        const Decimal fraction = percent.toDecimal() / Decimal(100);
        return Report{"Internal Rate of Return Calculation", 35, cashFlowLines(flows),
                      "Internal rate of return for these " + ask_.plain(count) + " cash flows is " +
                          ask_.rounded(percent) + "%.",
                      model_.format().financial(fraction.toString(model_.decimalSymbol()))};
    });
}

void FinancialCalculators::modifiedInternalRateOfReturn() {
    const double loanApr = ask_.rate("What is the APR of the loan?", "Loan Rate", ask_.withFraction("0", "189"));
    Currency financeRate;
    try {
        financeRate = Currency::fromDouble(loanApr);
    } catch (const engine::DecimalError&) {
        // rate() keeps rates within the currency range.
    }
    const double reinvestmentRate =
        ask_.rate("What is the APR of the Reinvestment?", "Reinvestment Rate", ask_.withFraction("0", "069"));
    const double count = ask_.cashFlowCount("Number of Payments", "5");
    const std::vector<double> flows = ask_.cashFlows(count);

    deliver([&] {
        const Currency result =
            Currency::fromDouble(orZero([&] { return MIRR(flows, financeRate.toDouble(), reinvestmentRate); }));
        return Report{"Modified Internal Rate of Return Calculation", 44,
                      cashFlowLines(flows, {"APR of Loan: " + financeRate.toString(model_.decimalSymbol()),
                                            "APR of Re-investment: " + ask_.plain(reinvestmentRate)}),
                      "Modified internal rate of return for these " + ask_.plain(count) + " cash flows is " +
                          ask_.rounded(result * 100LL) + "%.",
                      ask_.rounded(result)};
    });
}

void FinancialCalculators::netPresentValue() {
    const double answer =
        ask_.rate("What is the fixed internal rate of return?", "Return Rate", ask_.withFraction("6", "25"));
    Currency returnRate;
    try {
        returnRate = Currency::fromDouble(answer);
    } catch (const engine::DecimalError&) {
    }
    const double count = ask_.cashFlowCount("Number of Payments", "5");
    const std::vector<double> flows = ask_.cashFlows(count);

    deliver([&] {
        const Currency result = Currency::fromDouble(orZero([&] { return NPV(returnRate.toDouble(), flows); }));
        return Report{"Net Present Value of Investment Calculation", 43,
                      cashFlowLines(flows, {"Discount rate: " +
                                            (returnRate * 100LL).toString(model_.decimalSymbol()) + "%"}),
                      "Net present value of this investment is " + ask_.rounded(result) + ".",
                      ask_.rounded(result)};
    });
}

// ---------------------------------------------------------------------------
// Depreciation

FinancialCalculators::Asset FinancialCalculators::askAsset() {
    Asset asset;
    asset.cost =
        ask_.amount("What's the initial cost of the asset?", "Initial Cost", ask_.withFraction("10000", "00"));
    asset.salvage = ask_.amount("What's the asset's value at the end of its useful life?", "Salvage Value",
                                ask_.withFraction("1000", "00"));
    asset.months = ask_.assetLife("What's the asset's useful life in months?", "Useful Life", "60");
    return asset;
}

double FinancialCalculators::askDepreciationYear(const std::string& title, double years) {
    for (;;) {
        const double year = ask_.amount("You must enter at least 1 but not more than " + ask_.plain(years), title, "1");
        if (year >= 1 && year <= years) return year;
    }
}

std::vector<std::string> FinancialCalculators::assetLines(const Asset& asset) const {
    return {ask_.moneyLine("Initial Cost: ", asset.cost), ask_.moneyLine("Salvage Value: ", asset.salvage),
            "Useful Life: " + ask_.plain(asset.months) + " months"};
}

void FinancialCalculators::straightLineDepreciation() {
    const Asset asset = askAsset();

    deliver([&] {
        const double depreciation =
            orZero([&] { return SLN(asset.cost, asset.salvage, lifeInYears(asset.months)); });
        return Report{"Straight-line Depr. Calculation", 31, assetLines(asset),
                      "Depreciation is " + ask_.currency() + ask_.rounded(depreciation) + " per year.",
                      ask_.rounded(depreciation)};
    });
}

void FinancialCalculators::yearDepreciation(const std::string& yearTitle, const char* reportTitle,
                                            std::size_t hyphens, double (*method)(const Asset&, double, double)) {
    const Asset asset = askAsset();
    const double years = lifeInYears(asset.months);
    const double year = askDepreciationYear(yearTitle, years);

    deliver([&] {
        const double depreciation = orZero([&] { return method(asset, years, year); });
        return Report{reportTitle, hyphens, assetLines(asset),
                      "Depreciation for year " + ask_.plain(year) + " is " + ask_.currency() +
                          ask_.rounded(depreciation) + ".",
                      ask_.rounded(depreciation)};
    });
}

void FinancialCalculators::sumOfYearsDigitsDepreciation() {
    yearDepreciation("Depreciation for what year?", "Sum-of-Years' Depr. Calculation", 31,
                     [](const Asset& a, double years, double year) { return SYD(a.cost, a.salvage, years, year); });
}

void FinancialCalculators::doubleDecliningBalanceDepreciation() {
    yearDepreciation("Enter year for depreciation calculation.", "Dbl.-Decl. Bal. Depr. Calculation", 33,
                     [](const Asset& a, double years, double year) { return DDB(a.cost, a.salvage, years, year, 2); });
}

// ---------------------------------------------------------------------------
// Interest for a number of days

void FinancialCalculators::interestForDays() {
    const double principal =
        ask_.amount("What is your principal amount?", "Principal Amount", ask_.withFraction("10000", "00"));
    const double rate = loanRate();
    const double days = ask_.amount("How many days are in this period?", "Days in Period", "30");
    const bool compound =
        model_.feedback().showMessage("Daily compound interest?", "Type of Interest", engine::MessageIcon::Question,
                                      engine::MessageButtons::YesNo) == engine::MessageResult::Yes;

    deliver([&] {
        const double interest = orZero([&] {
            return compound ? compoundDailyInterest(principal, rate, days)
                            : straightDailyInterest(principal, rate, days);
        });
        return Report{"Interest for X Days",
                      28,
                      {ask_.moneyLine("Principal: ", principal), ask_.aprLine(rate),
                       "Days in this period: " + ask_.plain(days),
                       std::string("Using") + (compound ? " Compound Interest " : " Straight Interest ") + "payments"},
                      ask_.currency() + ask_.rounded(interest) + " in gross interest for this period.",
                      ask_.rounded(interest)};
    });
}

}  // namespace zorv::finance
