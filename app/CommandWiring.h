#pragma once

#include <memory>
#include <string>

namespace zorv::engine {
class CalculatorModel;
class RpnStack;
class TapeCommands;
}
namespace zorv::shell {
class DataBackup;
class SettingsStore;
class ToolbarButtons;
}
namespace zorv::convert {
class QuickConversions;
}

namespace zorv::app {

struct CommandContext {
    engine::CalculatorModel& model;
    shell::SettingsStore& settings;
    std::string dataDir;
};

// Keeps alive whatever the registered commands work on (conversion state,
// the numeric input of guided calculations, ...).
struct CommandWiring {
    virtual ~CommandWiring() = default;
};

// Registers every Qt-free command of the program in the model's catalogue,
// as batch mode runs them.
std::unique_ptr<CommandWiring> wireBatchCommands(CommandContext& context);

// The conversion keys' state that the wiring keeps, for the window.
convert::QuickConversions* conversionsOf(CommandWiring& wiring);
// The toolbar buttons' bindings and the backup commands' state, for the window.
shell::ToolbarButtons* toolbarButtonsOf(CommandWiring& wiring);
shell::DataBackup* dataBackupOf(CommandWiring& wiring);
// The RPN stack and the tape commands, for the window's stack view, file
// dialogs, search highlighting and tape editing.
engine::RpnStack* rpnStackOf(CommandWiring& wiring);
engine::TapeCommands* tapeCommandsOf(CommandWiring& wiring);

}  // namespace zorv::app
