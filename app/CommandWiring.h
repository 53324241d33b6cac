#pragma once

#include <memory>
#include <string>

#include "convert/QuickConversions.h"
#include "engine/CommandCatalogue.h"
#include "engine/RpnStack.h"
#include "engine/ScientificFunctions.h"
#include "engine/TapeCommands.h"
#include "expr/ExpressionSession.h"
#include "finance/FeedbackNumericInput.h"
#include "notes/CalendarCommands.h"
#include "shell/DataBackup.h"
#include "shell/ToolbarButtons.h"
#include "timedate/ProjectTimer.h"
#include "timedate/TimeDateCommands.h"

namespace zorv::engine {
class CalculatorModel;
}
namespace zorv::shell {
class SettingsStore;
}
namespace zorv::expr {
class BuilderSession;
}

namespace zorv::app {

struct CommandContext {
    engine::CalculatorModel& model;
    shell::SettingsStore& settings;
    std::string dataDir;
    // Where the project timer, today's date and alarms read the time.
    timedate::Clock clock = timedate::systemNow;
};

// The program's clock: fixed at `now` (--now), else at the ZORV_NOW
// environment variable, else the system clock. Throws timedate::InputError
// for a text that is not a date and time.
timedate::Clock programClock(const std::optional<std::string>& now);

// What the registered commands work on, kept alive as long as they may run:
// the conversion keys' state, the numeric input of guided calculations, the
// toolbar bindings, backup, the scientific functions, the RPN stack and the
// tape commands. The window reaches them here for its own views.
struct CommandWiring {
    explicit CommandWiring(engine::CalculatorModel& model) : conversions(model), numericInput(model) {}
    convert::QuickConversions conversions;
    // Guided calculations ask their numbers through the feedback's input box
    // until the window routes them to its numeric input window.
    finance::NumericInputRoute numericInput;
    std::unique_ptr<shell::ToolbarButtons> toolbar;
    std::unique_ptr<shell::DataBackup> backup;
    std::unique_ptr<engine::ScientificFunctions> scientific;
    std::unique_ptr<engine::RpnStack> rpn;
    std::unique_ptr<engine::TapeCommands> tape;
    // What {Eval} and {Var} work on; the evaluator window shares it.
    std::shared_ptr<expr::ExpressionSession> expression;
    std::unique_ptr<notes::CalendarService> calendar;  // notes, alarms, scratch pad
    std::unique_ptr<timedate::TimeDateService> timeDate;
};

// The construction calculator's state, its options in the store's
// "Startup" section; the batch command and the window each make one.
std::shared_ptr<expr::BuilderSession> makeBuilderSession(engine::CalculatorModel& model,
                                                         shell::SettingsStore& store);

// Registers the Qt-free commands of the program in the model's catalogue,
// each once. For the window, the commands it answers with windows of its
// own (conversion windows, construction calculator, calendar, alarms,
// scratch pad, time and date calculator, RPN stack, export, Paste Column)
// are left to the window's installers, and so is how a published tape is
// opened.
std::unique_ptr<CommandWiring> wireCommands(CommandContext& context, engine::Front front);

// Every command as batch mode runs it.
inline std::unique_ptr<CommandWiring> wireBatchCommands(CommandContext& context) {
    return wireCommands(context, engine::Front::Batch);
}

}  // namespace zorv::app
