#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "CalculatorModel.h"
#include "CommandTable.h"

namespace zorv::engine {

// One calculation mode: the Modes menu item that toggles it, its flag, the
// "Startup" key it is restored from at start-up, whether the toggle writes
// that key at once, and its letters in the mode label.
struct ModeSpec {
    std::optional<CommandId> command;  // none: switched elsewhere (Degrees/Radiants)
    bool Modes::*flag;
    std::string_view settingKey;  // empty: not kept between runs
    bool keptOnToggle;            // written ("True"/"False") as soon as it is toggled
    std::string_view letters;     // empty: not shown in the mode label
};

// Every mode, the ones with label letters first in the label's order.
std::span<const ModeSpec> modeTable();

}  // namespace zorv::engine
