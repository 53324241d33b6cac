#include "CommandWiring.h"

#include "convert/ConversionCommands.h"
#include "convert/QuickConversions.h"
#include "engine/CalculatorModel.h"
#include "engine/ModeCommands.h"
#include "engine/TextUtil.h"
#include "engine/ToolbarCatalogue.h"
#include "shell/DataBackup.h"
#include "shell/SettingsStore.h"
#include "shell/ToolbarButtons.h"

namespace zorv::app {

namespace {

struct QtFreeWiring : CommandWiring {
    explicit QtFreeWiring(engine::CalculatorModel& model) : conversions(model) {}
    convert::QuickConversions conversions;
    std::unique_ptr<shell::ToolbarButtons> toolbar;
    std::unique_ptr<shell::DataBackup> backup;
};

// Toolbar buttons, the commands a button may run, and backup and restore.
// Without a window the folder for backup and restore is asked for as text.
void wireToolbarAndBackup(QtFreeWiring& wiring, CommandContext& context) {
    engine::CalculatorModel& model = context.model;
    engine::offerToolbarCatalogue(model);
    wiring.toolbar = std::make_unique<shell::ToolbarButtons>(model, context.settings);
    wiring.toolbar->load();
    shell::ToolbarButtons& toolbar = *wiring.toolbar;
    model.comToolbar_Click = [&toolbar](int index) { toolbar.comToolbar_Click(index); };
    model.commands().addWithArgument("Toolbar", [&model, &toolbar](std::string_view argument) {
        const std::string n = engine::text::trim(argument);
        if (n.size() != 1 || n[0] < '1' || n[0] > '9') {
            model.feedback().beep();
            return;
        }
        toolbar.comToolbar_Click(n[0] - '1');
    });

    const std::string folder = context.dataDir.empty() ? shell::defaultDataFolder() : context.dataDir;
    wiring.backup = std::make_unique<shell::DataBackup>(
        model.feedback(), folder, [&model](const std::string& title) {
            return model.feedback().askText(title, std::string(engine::kProductName), "").value_or("");
        });
    shell::DataBackup& backup = *wiring.backup;
    model.commands().add("Backup Data", [&backup] { backup.mnuBackup_Click(); });
    model.commands().add("Restore Data", [&backup] { backup.mnuRestore_Click(); });
}

}  // namespace

std::unique_ptr<CommandWiring> wireBatchCommands(CommandContext& context) {
    auto wiring = std::make_unique<QtFreeWiring>(context.model);
    shell::SettingsStore& store = context.settings;
    auto writeStartup = [&store](const std::string& key, const std::string& value) {
        store.WriteSetting("Startup", key, value);
    };
    engine::registerModeCommands(context.model, writeStartup);
    convert::registerConversionCommands(context.model, wiring->conversions, writeStartup);
    wireToolbarAndBackup(*wiring, context);
    return wiring;
}

convert::QuickConversions* conversionsOf(CommandWiring& wiring) {
    auto* w = dynamic_cast<QtFreeWiring*>(&wiring);
    return w ? &w->conversions : nullptr;
}

shell::ToolbarButtons* toolbarButtonsOf(CommandWiring& wiring) {
    auto* w = dynamic_cast<QtFreeWiring*>(&wiring);
    return w ? w->toolbar.get() : nullptr;
}

shell::DataBackup* dataBackupOf(CommandWiring& wiring) {
    auto* w = dynamic_cast<QtFreeWiring*>(&wiring);
    return w ? w->backup.get() : nullptr;
}

}  // namespace zorv::app
