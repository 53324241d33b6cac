#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CalculatorModel.h"
#include "engine/Currency.h"
#include "finance/NumericInput.h"

namespace zorv::finance {

// The working values and question routines the guided financial
// calculators share. One calculator runs at a time; FinishFinance clears
// every value at its end, so no calculator sees another's inputs.
//
// A question that the user cancels, or whose re-entry offer is declined,
// sets the model's InputCancelled flag; every routine returns 0 at once
// while that flag is set, so a calculator can ask its questions in a row
// and check the flag after each.
class mdlFinance {
public:
    mdlFinance(engine::CalculatorModel& model, NumericInput& input) : model_(model), input_(input) {}

    // ---- working values ----------------------------------------------------
    double rate = 0;  // annual rate as a fraction
    double downPayment = 0;
    double futureValue = 0;
    double guess = 0;
    engine::Currency financeRate;
    double reinvestmentRate = 0;
    double period = 0;
    double cashFlowCount = 0;
    double payment = 0;
    int timing = 0;  // 0 end of period, 1 beginning
    double principal = 0;
    engine::Currency percentageResult;
    std::string TimingText;
    double numberOfPayments = 0;
    std::string ResultSentence;
    std::vector<double> CashFlows;

    // ---- questions ---------------------------------------------------------
    double AskAmount(const std::string& prompt, const std::string& title, const std::string& defaultText);
    // A percentage or a fraction: answers above 1 are percentages.
    double AskRate(const std::string& prompt, const std::string& title, const std::string& defaultText);
    // Months, at least 12.
    double AskAssetLife(const std::string& prompt, const std::string& title, const std::string& defaultText);
    void AskPaymentTiming();
    // The number of cash flows: a whole number from 1 to kMaxCashFlows.
    double AskCashFlowCount(const std::string& title, const std::string& defaultText);
    // Fills CashFlows with cashFlowCount values; element 0 is the investment,
    // stored as a negative amount.
    void AskCashFlows();
    void FinishFinance();

    bool cancelled() const { return model_.InputCancelled; }

    // ---- report helpers ----------------------------------------------------
    // Shortest text of a double, at most 15 significant digits.
    std::string plain(double value) const;
    // The value rounded to the financial decimal places. Throws
    // DecimalOverflow when the value is beyond the decimal type.
    std::string rounded(double value) const;
    std::string rounded(const engine::Currency& value) const;
    // A default answer with a fraction, written with the locale symbol.
    std::string withFraction(std::string_view whole, std::string_view fraction) const;
    std::string currency() const { return model_.CurrencySymbol(); }
    // "APR: " and the rate as a percentage.
    std::string aprLine() const;
    // Appends the title, a hyphen line, the lines and ResultSentence to the
    // tape in one piece.
    void appendReport(std::string_view title, std::size_t hyphens, const std::vector<std::string>& lines);

    engine::CalculatorModel& model() { return model_; }
    NumericInput& input() { return input_; }

    static constexpr int kMaxCashFlows = 10000;

private:
    // Shows the numeric question; std::nullopt (and InputCancelled) when
    // the user cancelled.
    std::optional<std::string> ask(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText);
    // The box offered after an invalid answer; false (and InputCancelled)
    // when the user declines.
    bool offerReentry(const std::string& title, std::string_view reason = {});
    // Asks until `accept` turns a non-empty answer into a value, offering
    // re-entry after each invalid one; 0 once the question is cancelled or
    // re-entry is declined.
    double askUntilValid(const std::string& prompt, const std::string& title, const std::string& defaultText,
                         std::string_view reason,
                         const std::function<std::optional<double>(const std::string&)>& accept);
    engine::Decimal toDecimal(std::string_view text) const;
    void clearWorkingValues();

    engine::CalculatorModel& model_;
    NumericInput& input_;
};

}  // namespace zorv::finance
