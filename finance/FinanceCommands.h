#pragma once

#include <string>
#include <vector>

#include "engine/CalculatorModel.h"
#include "finance/NumericInput.h"

namespace zorv::finance {

// One item of the Fin menu: its caption (with the & of its access key) and
// the command it runs, with that command's catalogue text.
struct FinanceMenuItem {
    std::string caption;
    engine::CommandId id;
    std::string command;
};

// The Fin menu, in menu order.
std::vector<FinanceMenuItem> financeMenu();

// Registers the fourteen calculators in the model's command catalogue. The numeric
// questions are asked through `input`, which must outlive the model.
void registerFinanceCommands(engine::CalculatorModel& model, NumericInput& input);

}  // namespace zorv::finance
