#include "finance/FinanceCommands.h"

#include <memory>

#include "finance/FinancialCalculators.h"

namespace zorv::finance {

namespace {

using Handler = void (FinancialCalculators::*)();

struct Entry {
    const char* caption;
    const char* command;
    Handler handler;
};

// Menu order; the command names are the toolbar catalogue's item texts.
const Entry kEntries[] = {
    {"&Future Value of Annuity", "Future Value of Annuity", &FinancialCalculators::mnuFV_Click},
    {"Present &Value of Annuity", "Present Value of Annuity", &FinancialCalculators::mnuPV_Click},
    {"&Annuity Payments (i.e. Mortgage)", "Annuity Payments", &FinancialCalculators::mnuPmt_Click},
    {"Ann&uity Principle Payment (i.e. Mortgage)", "Annuity Principle Payment", &FinancialCalculators::mnuPPmt_Click},
    {"&Interest Payments (Cost of Loan)", "Interest Calculator", &FinancialCalculators::mnuIPmt_Click},
    {"&Number of Payments to Pay Off Loan", "Number of Payments to Pay Off Loan", &FinancialCalculators::mnuNPer_Click},
    {"In&terest Rate per Period", "Interest Rate per Period", &FinancialCalculators::mnuRate_Click},
    {"Internal &Rate of Return", "Internal Rate of Return", &FinancialCalculators::mnuIRR_Click},
    {"&Modified Internal Rate of Return", "Modified Internal Rate of Return", &FinancialCalculators::mnuMIRR_Click},
    {"Net &Present Value of Investment", "Net Present Value of Investment", &FinancialCalculators::mnuNPV_Click},
    {"Straight &Line Depreciation", "Straight Line Depreciation", &FinancialCalculators::mnuSLN_Click},
    {"Sum-of-&Years' Digits Depreciation", "Sum-of-Years' Digits Depreciation", &FinancialCalculators::mnuSYD_Click},
    {"&Double-Declining Balance Depreciation", "Double-Declining Balance Depreciation",
     &FinancialCalculators::mnuDDB_Click},
    {"Interest for &X days", "Interest for X days", &FinancialCalculators::mnuInterestForXdays_Click},
};

}  // namespace

std::vector<FinanceMenuItem> financeMenu() {
    std::vector<FinanceMenuItem> items;
    for (const auto& e : kEntries) items.push_back({e.caption, e.command});
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
