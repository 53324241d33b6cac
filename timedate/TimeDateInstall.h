#pragma once

#include <memory>
#include <string>

#include "timedate/TimeDateCommands.h"

class QWidget;

namespace zorv::engine {
class CalculatorModel;
}
namespace zorv::shell {
class SettingsStore;
}
namespace zorv::ui {
class CalculatorWindow;
}

namespace zorv::timedate {

// Batch mode and the window alike: the service on the "Startup" settings,
// the data folder (empty: the default one) and the clock, with its commands
// registered for `front` (see registerTimeDateCommands).
std::unique_ptr<TimeDateService> installTimeDateCommands(engine::CalculatorModel& model,
                                                         shell::SettingsStore& settings,
                                                         const std::string& dataDir, Clock clock,
                                                         engine::Front front);

// The window's side: "Time/Date Calculations" opens the calculator window,
// dates are also read in the locale's short form, and the main window shows
// the running project timer's elapsed time, updated each second only while
// it runs, with the menu item checked.
void installTimeDateWindow(engine::CalculatorModel& model, TimeDateService& service, ui::CalculatorWindow& window);

}  // namespace zorv::timedate
