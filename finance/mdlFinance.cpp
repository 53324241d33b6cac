#include "finance/mdlFinance.h"

#include <algorithm>
#include <cmath>

#include "engine/DoubleText.h"

namespace zorv::finance {

using engine::Decimal;
using engine::MessageButtons;
using engine::MessageIcon;
using engine::MessageResult;

std::optional<std::string> mdlFinance::ask(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText) {
    model_.InputCancelled = false;
    input_.Init(prompt, title, defaultText);
    auto answer = input_.run();
    if (!answer) model_.InputCancelled = true;
    return answer;
}

bool mdlFinance::offerReentry(const std::string& title, std::string_view reason) {
    std::string text = "You entered an invalid value!\n";
    if (!reason.empty()) {
        text += reason;
        text += "\n";
    }
    text += "Would you like to re-enter?";
    const auto choice = model_.feedback().showMessage(text, title, MessageIcon::Exclamation, MessageButtons::YesNo);
    if (choice == MessageResult::Yes) return true;
    model_.InputCancelled = true;
    return false;
}

Decimal mdlFinance::toDecimal(std::string_view text) const { return Decimal::parse(text, model_.symbols()); }

double mdlFinance::askUntilValid(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText, std::string_view reason,
                                 const std::function<std::optional<double>(const std::string&)>& accept) {
    if (cancelled()) return 0;
    for (;;) {
        const auto answer = ask(prompt, title, defaultText);
        if (!answer) return 0;
        if (!answer->empty()) {
            if (const auto value = accept(*answer)) return *value;
            // A check that has already told the user and ended the question.
            if (cancelled()) return 0;
        }
        if (!offerReentry(title, reason)) return 0;
    }
}

double mdlFinance::AskAmount(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    return askUntilValid(prompt, title, defaultText, {}, [this](const std::string& answer) -> std::optional<double> {
        try {
            return toDecimal(answer).toDouble();
        } catch (const engine::DecimalError&) {
            // The input already normalised the answer; should another
            // implementation not have, the answer is invalid like an empty one.
            return std::nullopt;
        }
    });
}

double mdlFinance::AskRate(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    return askUntilValid(prompt, title, defaultText, {}, [this](const std::string& answer) -> std::optional<double> {
        const std::string cleaned = model_.PurgeNumericInput(answer);
        // The purge has already said "Invalid value!" and ended the question.
        if (cancelled()) return std::nullopt;
        try {
            const Decimal value = toDecimal(cleaned);
            if (value.isNegative()) return std::nullopt;
            double fraction = engine::Currency::fromDecimal(value).toDouble();
            if (fraction > 1) fraction /= 100;
            return fraction;
        } catch (const engine::DecimalError&) {
            return std::nullopt;  // beyond the currency range: no sensible rate either
        }
    });
}

double mdlFinance::AskAssetLife(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    return askUntilValid(prompt, title, defaultText, "Asset life must be 12 or more months.",
                         [this](const std::string& answer) -> std::optional<double> {
                             try {
                                 const double months = toDecimal(answer).toDouble();
                                 if (months >= 12) return months;
                             } catch (const engine::DecimalError&) {
                             }
                             return std::nullopt;
                         });
}

void mdlFinance::AskPaymentTiming() {
    if (cancelled()) {
        timing = 0;
        return;
    }
    const auto choice = model_.feedback().showMessage("Are payments made at the end of the period?",
                                                      std::string(engine::kProductName),
                                                      MessageIcon::Question, MessageButtons::YesNo);
    if (choice == MessageResult::No) {
        timing = 1;
        TimingText = " beginning-of-period ";
    } else {
        timing = 0;
        TimingText = " end-of-period ";
    }
}

double mdlFinance::AskCashFlowCount(const std::string& title, const std::string& defaultText) {
    static const std::string prompt =
        "Number of payments to process?\nFirst payment is entered as a negative\npayment to reflect an investment.";
    if (cancelled()) return 0;
    for (;;) {
        const auto answer = ask(prompt, title, defaultText);
        if (!answer) return 0;
        if (!answer->empty()) {
            try {
                // Each cash flow is a question of its own and a line of the
                // report, so the count must be a whole, reasonable number.
                const double count = toDecimal(*answer).toDouble();
                if (count >= 1 && count <= kMaxCashFlows && count == std::floor(count)) return count;
            } catch (const engine::DecimalError&) {
            }
        }
        if (!offerReentry(title)) return 0;
    }
}

void mdlFinance::AskCashFlows() {
    if (cancelled()) return;
    const auto count = static_cast<std::size_t>(std::clamp(cashFlowCount, 0.0, double(kMaxCashFlows)));
    CashFlows.assign(count, 0.0);
    const std::string investmentDefault = withFraction("10000", "00");
    const std::string returnDefault = withFraction("5000", "00");
    for (std::size_t i = 0; i < count; ++i) {
        for (;;) {
            const auto answer = i == 0 ? ask("What is the investment amount?", "Amount Invested", investmentDefault)
                                       : ask("What is the amount of return #" + std::to_string(i) + "?",
                                             "Amount Returned", returnDefault);
            if (!answer) return;
            if (!answer->empty()) {
                const std::string cleaned = model_.PurgeNumericInput(*answer);
                if (cancelled()) return;
                try {
                    double value = toDecimal(cleaned).round(4).toDouble();
                    if (i == 0 && value > 0) value = -value;
                    CashFlows[i] = value;
                    break;
                } catch (const engine::DecimalError&) {
                }
            }
            if (!offerReentry("Internal Rate of Return Calculator")) return;
        }
    }
}

void mdlFinance::clearWorkingValues() {
    rate = downPayment = futureValue = guess = reinvestmentRate = period = cashFlowCount = payment = 0;
    principal = numberOfPayments = 0;
    timing = 0;
    financeRate = percentageResult = engine::Currency();
    TimingText.clear();
    ResultSentence.clear();
    CashFlows.clear();
}

void mdlFinance::FinishFinance() {
    const bool completed = !cancelled();
    clearWorkingValues();
    if (completed) {
        model_.setEntryState(engine::entry::Nums);
        model_.markFreshResult();
        // With no operation pending the result is taken as a total, so it
        // stands on the tape like any other result.
        if (model_.hint() == "Press F1 for Help") model_.Operator_Click(engine::OpEquals);
        model_.tape().append(std::string(40, '*') + "\r\n\r\n");
        model_.NormalizeReadout();
    }
    model_.InputCancelled = false;
}

std::string mdlFinance::plain(double value) const { return engine::plainText(value, model_.DecimalSymbol()); }

std::string mdlFinance::rounded(double value) const {
    return model_.FormatFinancial(Decimal::fromDouble(value).toString(model_.DecimalSymbol()));
}

std::string mdlFinance::rounded(const engine::Currency& value) const {
    return model_.FormatFinancial(value.toString(model_.DecimalSymbol()));
}

std::string mdlFinance::withFraction(std::string_view whole, std::string_view fraction) const {
    return std::string(whole) + model_.DecimalSymbol() + std::string(fraction);
}

std::string mdlFinance::aprLine() const { return "APR: " + plain(rate * 100) + "%"; }

void mdlFinance::appendReport(std::string_view title, std::size_t hyphens, const std::vector<std::string>& lines) {
    std::string text(title);
    text += "\r\n";
    text += std::string(hyphens, '-');
    text += "\r\n";
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    text += ResultSentence;
    text += "\r\n";
    model_.tape().append(text);
}

}  // namespace zorv::finance
