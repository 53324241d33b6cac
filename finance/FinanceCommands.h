#pragma once

#include <string>
#include <vector>

#include "engine/CalculatorModel.h"
#include "finance/NumericInput.h"

namespace zorv::finance {

// One item of the Fin menu: its caption (with the & of its access key) and
// the catalogue command it runs.
struct FinanceMenuItem {
    std::string caption;
    std::string command;
};

// The Fin menu, in menu order.
std::vector<FinanceMenuItem> financeMenu();

// Registers the fourteen calculators in the model's command catalogue under
// their catalogue item texts ("Future Value of Annuity", ...). The numeric
// questions are asked through `input`, which must outlive the model.
void registerFinanceCommands(engine::CalculatorModel& model, NumericInput& input);

}  // namespace zorv::finance
