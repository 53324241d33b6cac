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

// Ends a guided calculator: thrown by a question the user cancels or whose
// re-entry offer is declined, and after a result that cannot be shown. The
// command wrapper (FinanceCommands.cpp) catches it; the calculator then
// leaves the tape and the readout as they were.
struct CalculationCancelled {};

// When the payments of an annuity or loan fall: the code the financial
// functions take (0 end of period, 1 beginning) and the words the report
// uses for it.
struct PaymentTiming {
    int code = 0;
    std::string text;
};

// The questions the guided financial calculators ask, and the helpers that
// write their reports. Each question returns the value answered or throws
// CalculationCancelled; it keeps no answer, so every calculator holds its
// own inputs.
class FinanceQuestions {
public:
    FinanceQuestions(engine::CalculatorModel& model, NumericInput& input) : model_(model), input_(input) {}

    // ---- questions ---------------------------------------------------------
    double amount(const std::string& prompt, const std::string& title, const std::string& defaultText);
    // A percentage or a fraction: answers above 1 are percentages.
    double rate(const std::string& prompt, const std::string& title, const std::string& defaultText);
    // Months, at least 12.
    double assetLife(const std::string& prompt, const std::string& title, const std::string& defaultText);
    PaymentTiming paymentTiming();
    // The number of cash flows: a whole number from 1 to kMaxCashFlows.
    double cashFlowCount(const std::string& title, const std::string& defaultText);
    // `count` cash flows; element 0 is the investment, stored as a negative
    // amount.
    std::vector<double> cashFlows(double count);

    // ---- report helpers ----------------------------------------------------
    // Shortest text of a double, at most 15 significant digits.
    std::string plain(double value) const;
    // The value rounded to the financial decimal places. Throws
    // DecimalOverflow when the value is beyond the decimal type.
    std::string rounded(double value) const;
    std::string rounded(const engine::Currency& value) const;
    // A default answer with a fraction, written with the locale symbol.
    std::string withFraction(std::string_view whole, std::string_view fraction) const;
    std::string currency() const { return model_.format().currencyPrefix(); }
    // The label, the currency symbol and the amount as plain text.
    std::string moneyLine(std::string_view label, double amount) const;
    // "APR: " and the annual rate (a fraction) as a percentage.
    std::string aprLine(double annualRate) const;
    // Appends the title, a hyphen line, the lines and the result sentence to
    // the tape in one piece.
    void appendReport(std::string_view title, std::size_t hyphens, const std::vector<std::string>& lines,
                      std::string_view sentence);

    NumericInput& input() { return input_; }

    static constexpr int kMaxCashFlows = 10000;

private:
    // Shows the numeric question: the answer, empty when the box was left
    // empty.
    std::string ask(const std::string& prompt, const std::string& title, const std::string& defaultText);
    // The box offered after an invalid answer; returns when the user wants
    // to answer again.
    void offerReentry(const std::string& title, std::string_view reason = {});
    // Asks until `accept` turns a non-empty answer into a value, offering
    // re-entry after each invalid one; the offer is titled `reentryTitle`
    // when given, else like the question.
    double askUntilValid(const std::string& prompt, const std::string& title, const std::string& defaultText,
                         std::string_view reason,
                         const std::function<std::optional<double>(const std::string&)>& accept,
                         const std::string& reentryTitle = {});
    // The answer cleaned of everything but the number; throws when the model
    // found no number in it (it has said "Invalid value!" already).
    std::string purged(const std::string& answer);
    engine::Decimal toDecimal(std::string_view text) const;

    engine::CalculatorModel& model_;
    NumericInput& input_;
};

}  // namespace zorv::finance
