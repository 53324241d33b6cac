#pragma once

#include <functional>
#include <string>

#include "CalculatorModel.h"

namespace zorv::engine {

// Registers the mode check items of the mode table (Financial, Auto-Decimal,
// Adding Machine, RPN, Show Percentages, % for Number, Magic Number, Repeat
// Subtraction, Carry Result, Format Numbers, Number Tape Items) as checkable
// catalogue commands. Adding Machine and RPN exclude each other. Modes whose
// check mark is kept as soon as it is toggled are written through
// `writeSetting` (section "Startup", key, "True"/"False").
void registerModeCommands(
    CalculatorModel& model,
    std::function<void(const std::string& key, const std::string& value)> writeSetting = {});

}  // namespace zorv::engine
