#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/CalculatorModel.h"

namespace zorv::convert {

class QuickConversions;

// One item of the Conversions menu: the caption (with its & accelerator) and
// the command it runs. An item with no caption is a separator. The two unit
// items are checkable: ask the catalogue for their check state.
struct ConversionMenuItem {
    ConversionMenuItem() = default;
    ConversionMenuItem(std::string caption, engine::CommandId id)
        : caption(std::move(caption)), id(id), command(engine::commandText(id)) {}
    std::string caption;
    engine::CommandId id = engine::CommandId::StandardCalculator;
    std::string command;  // the command's catalogue text; empty for a separator
};

const std::vector<ConversionMenuItem>& conversionsMenu();

// Registers the set choices, the two unit check marks and "Convert N" (press
// key N, N from 0 to 7) in the model's catalogue, so menus, toolbar buttons
// and batch mode reach them. Both objects must outlive the catalogue's use.
// The unit check marks are kept as soon as they are toggled: `writeSetting`
// receives ("Imperial Measures" or "Troy Measures", "True"/"False") for the
// "Startup" section.
void registerConversionCommands(
    engine::CalculatorModel& model, QuickConversions& conversions,
    std::function<void(const std::string& key, const std::string& value)> writeSetting = {});

}  // namespace zorv::convert
