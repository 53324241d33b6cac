#pragma once

#include <memory>
#include <optional>
#include <string>

class QApplication;

namespace zorv::engine {
class CalculatorModel;
}
namespace zorv::ui {
class CalculatorWindow;
}

namespace zorv::app {

struct GuiOptions {
    std::optional<std::string> settingsFile;
    std::optional<std::string> dataDir;
    std::optional<std::string> now;  // a fixed clock reading (--now)
    std::string commandLine;  // e.g. "/NIC"
};

// The window's session in one composition step: the settings store, the
// model, the main window, and every command and window feature wired to
// them, each command registered once.
class GuiComposition {
public:
    explicit GuiComposition(const GuiOptions& options);
    ~GuiComposition();
    GuiComposition(const GuiComposition&) = delete;
    GuiComposition& operator=(const GuiComposition&) = delete;

    engine::CalculatorModel& model();
    ui::CalculatorWindow& window();

    // Applies the stored start-up settings and shows the window; the rest of
    // the start-up follows its first paint, and the settings kept at the end
    // are written as the application quits. False when start-up refused.
    bool start();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// Checks for a copy already running, composes the session, shows the window
// and runs the event loop.
int runGui(QApplication& app, const GuiOptions& options);

}  // namespace zorv::app
