#include "finance/FinanceQuestions.h"

#include <algorithm>
#include <cmath>

#include "engine/DoubleText.h"

namespace zorv::finance {

using engine::Decimal;
using engine::MessageButtons;
using engine::MessageIcon;
using engine::MessageResult;

std::string FinanceQuestions::ask(const std::string& prompt, const std::string& title,
                                  const std::string& defaultText) {
    input_.Init(prompt, title, defaultText);
    auto answer = input_.run();
    if (!answer) throw CalculationCancelled{};
    return std::move(*answer);
}

void FinanceQuestions::offerReentry(const std::string& title, std::string_view reason) {
    std::string text = "You entered an invalid value!\n";
    if (!reason.empty()) {
        text += reason;
        text += "\n";
    }
    text += "Would you like to re-enter?";
    const auto choice = model_.feedback().showMessage(text, title, MessageIcon::Exclamation, MessageButtons::YesNo);
    if (choice != MessageResult::Yes) throw CalculationCancelled{};
}

std::string FinanceQuestions::purged(const std::string& answer) {
    std::string cleaned = model_.purgeNumericInput(answer);
    if (model_.inputCancelled) throw CalculationCancelled{};
    return cleaned;
}

Decimal FinanceQuestions::toDecimal(std::string_view text) const { return Decimal::parse(text, model_.symbols()); }

double FinanceQuestions::askUntilValid(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText, std::string_view reason,
                                       const std::function<std::optional<double>(const std::string&)>& accept,
                                       const std::string& reentryTitle) {
    for (;;) {
        const std::string answer = ask(prompt, title, defaultText);
        if (!answer.empty())
            if (const auto value = accept(answer)) return *value;
        offerReentry(reentryTitle.empty() ? title : reentryTitle, reason);
    }
}

double FinanceQuestions::amount(const std::string& prompt, const std::string& title, const std::string& defaultText) {
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

double FinanceQuestions::rate(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    return askUntilValid(prompt, title, defaultText, {}, [this](const std::string& answer) -> std::optional<double> {
        const std::string cleaned = purged(answer);
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

double FinanceQuestions::assetLife(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) {
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

PaymentTiming FinanceQuestions::paymentTiming() {
    const auto choice = model_.feedback().showMessage("Are payments made at the end of the period?",
                                                      std::string(engine::kProductName),
                                                      MessageIcon::Question, MessageButtons::YesNo);
    if (choice == MessageResult::No) return {1, " beginning-of-period "};
    return {0, " end-of-period "};
}

double FinanceQuestions::cashFlowCount(const std::string& title, const std::string& defaultText) {
    static const std::string prompt =
        "Number of payments to process?\nFirst payment is entered as a negative\npayment to reflect an investment.";
    return askUntilValid(prompt, title, defaultText, {}, [this](const std::string& answer) -> std::optional<double> {
        try {
            // Each cash flow is a question of its own and a line of the
            // report, so the count must be a whole, reasonable number.
            const double count = toDecimal(answer).toDouble();
            if (count >= 1 && count <= kMaxCashFlows && count == std::floor(count)) return count;
        } catch (const engine::DecimalError&) {
        }
        return std::nullopt;
    });
}

std::vector<double> FinanceQuestions::cashFlows(double count) {
    std::vector<double> flows(static_cast<std::size_t>(std::clamp(count, 0.0, double(kMaxCashFlows))), 0.0);
    const std::string investmentDefault = withFraction("10000", "00");
    const std::string returnDefault = withFraction("5000", "00");
    for (std::size_t i = 0; i < flows.size(); ++i) {
        const bool investment = i == 0;
        const std::string prompt = investment ? std::string("What is the investment amount?")
                                              : "What is the amount of return #" + std::to_string(i) + "?";
        flows[i] = askUntilValid(prompt, investment ? "Amount Invested" : "Amount Returned",
                                 investment ? investmentDefault : returnDefault, {},
                                 [&](const std::string& answer) -> std::optional<double> {
                                     const std::string cleaned = purged(answer);
                                     try {
                                         const double value = toDecimal(cleaned).round(4).toDouble();
                                         return investment && value > 0 ? -value : value;
                                     } catch (const engine::DecimalError&) {
                                         return std::nullopt;
                                     }
                                 },
                                 "Internal Rate of Return Calculator");
    }
    return flows;
}

std::string FinanceQuestions::plain(double value) const { return engine::plainText(value, model_.decimalSymbol()); }

std::string FinanceQuestions::rounded(double value) const {
    return model_.format().financial(Decimal::fromDouble(value).toString(model_.decimalSymbol()));
}

std::string FinanceQuestions::rounded(const engine::Currency& value) const {
    return model_.format().financial(value.toString(model_.decimalSymbol()));
}

std::string FinanceQuestions::withFraction(std::string_view whole, std::string_view fraction) const {
    return std::string(whole) + model_.decimalSymbol() + std::string(fraction);
}

std::string FinanceQuestions::moneyLine(std::string_view label, double amount) const {
    return std::string(label) + currency() + plain(amount);
}

std::string FinanceQuestions::aprLine(double annualRate) const { return "APR: " + plain(annualRate * 100) + "%"; }

void FinanceQuestions::appendReport(std::string_view title, std::size_t hyphens,
                                    const std::vector<std::string>& lines, std::string_view sentence) {
    std::string text(title);
    text += "\r\n";
    text += std::string(hyphens, '-');
    text += "\r\n";
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    text += sentence;
    text += "\r\n";
    model_.tape().append(text);
}

}  // namespace zorv::finance
