#include "CommandWiring.h"

#include "engine/CalculatorModel.h"
#include "shell/SettingsStore.h"

namespace zorv::app {

namespace {

struct BatchWiring : CommandWiring {};

}  // namespace

std::unique_ptr<CommandWiring> wireBatchCommands(CommandContext& context) {
    auto wiring = std::make_unique<BatchWiring>();
    (void)context;
    return wiring;
}

}  // namespace zorv::app
