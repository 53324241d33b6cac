#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/CalculatorModel.h"
#include "finance/FinanceQuestions.h"
#include "finance/NumericInput.h"

namespace zorv::finance {

// The fourteen guided calculators of the Fin menu. Each asks its questions
// through the NumericInput, writes its report on the tape and puts the
// rounded result on the readout. Cancelling any question throws
// CalculationCancelled, so the calculator ends with nothing written; the
// command wrapper catches it and closes a completed calculation.
class FinancialCalculators {
public:
    FinancialCalculators(engine::CalculatorModel& model, NumericInput& input);

    void futureValueOfAnnuity();
    void presentValueOfAnnuity();
    void annuityPayment();
    void annuityPrincipalPayment();
    void interestPayments();
    void numberOfPayments();
    void interestRatePerPeriod();
    void internalRateOfReturn();
    void modifiedInternalRateOfReturn();
    void netPresentValue();
    void straightLineDepreciation();
    void sumOfYearsDigitsDepreciation();
    void doubleDecliningBalanceDepreciation();
    void interestForDays();

    // The principal/interest breakdown is only offered up to this many
    // payments: beyond it the table would be too long to be of use.
    static constexpr double kMaxAmortizationRows = 100000;

    // The amortization table of a loan, as appended to the tape.
    std::string amortizationTable(double monthlyRate, double payments, double loan, double futureValue,
                                  int timing, double payment) const;

private:
    struct Report {
        std::string title;
        std::size_t hyphens = 0;
        std::vector<std::string> lines;
        std::string sentence;
        std::string readout;
    };
    // What a loan calculator asks first: the amount borrowed, the future
    // value (0 when not asked) and the down payment.
    struct Loan {
        double principal = 0;
        double futureValue = 0;
        double downPayment = 0;
        double financed() const { return principal - downPayment; }
    };
    struct Asset {
        double cost = 0;
        double salvage = 0;
        double months = 0;
    };

    // Computes and writes the report. A result beyond what the decimal
    // type can hold is reported with "Invalid value!" and ends the
    // calculator without a report.
    void deliver(const std::function<Report()>& build);
    void settle();

    // The loan questions, in the order the calculators ask them.
    double borrowed();
    double futureValueAfterLoan(std::string_view whole);
    // The amount borrowed, the future value when `futureValueWhole` (the
    // whole part of its default) is given, and the down payment: by default
    // none, or a fifth of the amount borrowed.
    Loan askLoan(std::optional<std::string_view> futureValueWhole, bool fifthDown = false);
    double loanRate();
    double monthlyPaymentCount();
    // The report lines of a loan: principal, down payment, future value,
    // rate and the payments.
    std::vector<std::string> loanLines(const Loan& loan, bool withFutureValue, double rate, double payments,
                                       const PaymentTiming& timing) const;

    Asset askAsset();
    // The year of a depreciation, from 1 to `years`.
    double askDepreciationYear(const std::string& title, double years);
    std::vector<std::string> assetLines(const Asset& asset) const;
    // A depreciation for one year of the asset's life: the asset, the year
    // (asked under `yearTitle`) and the report of `method`'s result.
    void yearDepreciation(const std::string& yearTitle, const char* reportTitle, std::size_t hyphens,
                          double (*method)(const Asset& asset, double years, double year));
    // The investment and return lines of a cash flow report; `middle` goes
    // between the investment and the returns.
    std::vector<std::string> cashFlowLines(const std::vector<double>& flows,
                                           std::vector<std::string> middle = {}) const;

    engine::CalculatorModel& model_;
    FinanceQuestions ask_;
};

}  // namespace zorv::finance
