#pragma once

#include "app/CommandWiring.h"
#include "convert/ConverterCommands.h"

namespace zorv::app {

// The unit, currency and base conversions' view of the settings store
// (section "Startup"), the data folder and the program's clock.
convert::ConverterSettings converterSettings(CommandContext& context);

}  // namespace zorv::app
