#include "CommandWiring.h"

#include "convert/ConversionCommands.h"
#include "convert/QuickConversions.h"
#include "engine/CalculatorModel.h"
#include "engine/ModeCommands.h"
#include "shell/SettingsStore.h"

namespace zorv::app {

namespace {

struct QtFreeWiring : CommandWiring {
    explicit QtFreeWiring(engine::CalculatorModel& model) : conversions(model) {}
    convert::QuickConversions conversions;
};

}  // namespace

std::unique_ptr<CommandWiring> wireBatchCommands(CommandContext& context) {
    auto wiring = std::make_unique<QtFreeWiring>(context.model);
    shell::SettingsStore& store = context.settings;
    auto writeStartup = [&store](const std::string& key, const std::string& value) {
        store.WriteSetting("Startup", key, value);
    };
    engine::registerModeCommands(context.model, writeStartup);
    convert::registerConversionCommands(context.model, wiring->conversions, writeStartup);
    return wiring;
}

convert::QuickConversions* conversionsOf(CommandWiring& wiring) {
    auto* w = dynamic_cast<QtFreeWiring*>(&wiring);
    return w ? &w->conversions : nullptr;
}

}  // namespace zorv::app
