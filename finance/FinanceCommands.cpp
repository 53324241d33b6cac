#include "finance/FinanceCommands.h"

#include <memory>

#include "finance/FinancialCalculators.h"

namespace zorv::finance {

namespace {

using Handler = void (FinancialCalculators::*)();

struct Entry {
    const char* caption;
    engine::CommandId command;
    Handler handler;
};

// Menu order.
const Entry kEntries[] = {
    {"&Future Value of Annuity", engine::CommandId::FutureValueOfAnnuity, &FinancialCalculators::mnuFV_Click},
    {"Present &Value of Annuity", engine::CommandId::PresentValueOfAnnuity, &FinancialCalculators::mnuPV_Click},
    {"&Annuity Payments (i.e. Mortgage)", engine::CommandId::AnnuityPayments, &FinancialCalculators::mnuPmt_Click},
    {"Ann&uity Principle Payment (i.e. Mortgage)", engine::CommandId::AnnuityPrinciplePayment, &FinancialCalculators::mnuPPmt_Click},
    {"&Interest Payments (Cost of Loan)", engine::CommandId::InterestCalculator, &FinancialCalculators::mnuIPmt_Click},
    {"&Number of Payments to Pay Off Loan", engine::CommandId::PaymentsToPayOffLoan, &FinancialCalculators::mnuNPer_Click},
    {"In&terest Rate per Period", engine::CommandId::InterestRatePerPeriod, &FinancialCalculators::mnuRate_Click},
    {"Internal &Rate of Return", engine::CommandId::InternalRateOfReturn, &FinancialCalculators::mnuIRR_Click},
    {"&Modified Internal Rate of Return", engine::CommandId::ModifiedInternalRateOfReturn, &FinancialCalculators::mnuMIRR_Click},
    {"Net &Present Value of Investment", engine::CommandId::NetPresentValue, &FinancialCalculators::mnuNPV_Click},
    {"Straight &Line Depreciation", engine::CommandId::StraightLineDepreciation, &FinancialCalculators::mnuSLN_Click},
    {"Sum-of-&Years' Digits Depreciation", engine::CommandId::SumOfYearsDigitsDepreciation, &FinancialCalculators::mnuSYD_Click},
    {"&Double-Declining Balance Depreciation", engine::CommandId::DoubleDecliningDepreciation,
     &FinancialCalculators::mnuDDB_Click},
    {"Interest for &X days", engine::CommandId::InterestForDays, &FinancialCalculators::mnuInterestForXdays_Click},
};

}  // namespace

std::vector<FinanceMenuItem> financeMenu() {
    std::vector<FinanceMenuItem> items;
    for (const auto& e : kEntries) items.push_back({e.caption, e.command, std::string(engine::commandText(e.command))});
    return items;
}

void registerFinanceCommands(engine::CalculatorModel& model, NumericInput& input) {
    // The commands share one set of calculators, kept alive by the catalogue.
    // A calculator asked for while another is waiting for an answer (from
    // the tray menu, say) would share its questions and working values, so
    // it is refused with a beep.
    struct Shared {
        FinancialCalculators calculators;
        bool running = false;
    };
    auto shared = std::make_shared<Shared>(Shared{FinancialCalculators(model, input)});
    for (const auto& e : kEntries) {
        model.commands().add(e.command, [shared, &model, handler = e.handler] {
            if (shared->running) {
                model.feedback().beep();
                return;
            }
            shared->running = true;
            struct Reset {
                bool& flag;
                ~Reset() { flag = false; }
            } reset{shared->running};
            (shared->calculators.*handler)();
        });
    }
}

}  // namespace zorv::finance
