#include "finance/FinanceCommands.h"

#include <memory>

#include "finance/FinancialCalculators.h"

namespace zorv::finance {

namespace {

using Calculator = void (FinancialCalculators::*)();

struct Entry {
    const char* caption;
    engine::CommandId command;
    Calculator calculator;
};

// Menu order.
const Entry kEntries[] = {
    {"&Future Value of Annuity", engine::CommandId::FutureValueOfAnnuity, &FinancialCalculators::futureValueOfAnnuity},
    {"Present &Value of Annuity", engine::CommandId::PresentValueOfAnnuity,
     &FinancialCalculators::presentValueOfAnnuity},
    {"&Annuity Payments (i.e. Mortgage)", engine::CommandId::AnnuityPayments, &FinancialCalculators::annuityPayment},
    {"Ann&uity Principle Payment (i.e. Mortgage)", engine::CommandId::AnnuityPrinciplePayment,
     &FinancialCalculators::annuityPrincipalPayment},
    {"&Interest Payments (Cost of Loan)", engine::CommandId::InterestCalculator,
     &FinancialCalculators::interestPayments},
    {"&Number of Payments to Pay Off Loan", engine::CommandId::PaymentsToPayOffLoan,
     &FinancialCalculators::numberOfPayments},
    {"In&terest Rate per Period", engine::CommandId::InterestRatePerPeriod,
     &FinancialCalculators::interestRatePerPeriod},
    {"Internal &Rate of Return", engine::CommandId::InternalRateOfReturn, &FinancialCalculators::internalRateOfReturn},
    {"&Modified Internal Rate of Return", engine::CommandId::ModifiedInternalRateOfReturn,
     &FinancialCalculators::modifiedInternalRateOfReturn},
    {"Net &Present Value of Investment", engine::CommandId::NetPresentValue, &FinancialCalculators::netPresentValue},
    {"Straight &Line Depreciation", engine::CommandId::StraightLineDepreciation,
     &FinancialCalculators::straightLineDepreciation},
    {"Sum-of-&Years' Digits Depreciation", engine::CommandId::SumOfYearsDigitsDepreciation,
     &FinancialCalculators::sumOfYearsDigitsDepreciation},
    {"&Double-Declining Balance Depreciation", engine::CommandId::DoubleDecliningDepreciation,
     &FinancialCalculators::doubleDecliningBalanceDepreciation},
    {"Interest for &X days", engine::CommandId::InterestForDays, &FinancialCalculators::interestForDays},
};

// Closes a completed calculation: its result becomes a fresh result of the
// calculator and the report ends with a line of asterisks.
void closeCalculation(engine::CalculatorModel& model) {
    model.setEntryState(engine::EntryState::Number);
    model.markFreshResult();
    // With no operation pending the result is taken as a total, so it
    // stands on the tape like any other result.
    if (model.hint() == "Press F1 for Help") model.pressOperator(engine::OpEquals);
    model.tape().append(std::string(40, '*') + "\r\n\r\n");
    model.normalizeReadout();
}

}  // namespace

std::vector<FinanceMenuItem> financeMenu() {
    std::vector<FinanceMenuItem> items;
    for (const auto& e : kEntries) items.push_back({e.caption, e.command, std::string(engine::commandText(e.command))});
    return items;
}

void registerFinanceCommands(engine::CalculatorModel& model, NumericInput& input) {
    // The calculators keep no state between questions, but they share the
    // one question window and the tape: a calculator asked for while
    // another is waiting for an answer (from the tray menu, say) would
    // reopen that window and write its report into the middle of the
    // other's, so it is refused with a beep.
    struct Shared {
        FinancialCalculators calculators;
        bool running = false;
    };
    auto shared = std::make_shared<Shared>(Shared{FinancialCalculators(model, input)});
    for (const auto& e : kEntries) {
        model.commands().add(e.command, [shared, &model, calculator = e.calculator] {
            if (shared->running) {
                model.feedback().beep();
                return;
            }
            shared->running = true;
            struct Finished {
                bool& running;
                ~Finished() { running = false; }
            } finished{shared->running};
            try {
                (shared->calculators.*calculator)();
                closeCalculation(model);
            } catch (const CalculationCancelled&) {
                // Cancelled, or the result could not be shown: nothing more
                // is written.
            }
            // A cancelled question leaves no trace for the next reader of
            // the model's flag.
            model.inputCancelled = false;
        });
    }
}

}  // namespace zorv::finance
