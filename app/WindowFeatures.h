#pragma once

#include <memory>
#include <string>

namespace zorv::engine {
class CalculatorModel;
}
namespace zorv::shell {
class SettingsStore;
}
namespace zorv::ui {
class CalculatorWindow;
class ToolbarController;
class TrayController;
}

namespace zorv::app {

struct CommandWiring;

// The main window's toolbar (buttons, set-up, hide/show), the tray icon and
// show label, backup and restore with the folder dialog, and "Insert into
// Previous Program". Destroy before the window.
struct WindowFeatures {
    virtual ~WindowFeatures() = default;
    virtual ui::ToolbarController& toolbar() = 0;
    virtual ui::TrayController& tray() = 0;
};

// `commandLine` is what is left of the command line for the window ("/NIC").
std::unique_ptr<WindowFeatures> wireWindowFeatures(ui::CalculatorWindow& window,
                                                   engine::CalculatorModel& model,
                                                   shell::SettingsStore& store,
                                                   CommandWiring& wiring,
                                                   const std::string& commandLine);

}  // namespace zorv::app
