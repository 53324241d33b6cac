#pragma once

#include <optional>
#include <string>

class QApplication;

namespace zorv::app {

struct GuiOptions {
    std::optional<std::string> settingsFile;
    std::optional<std::string> dataDir;
    std::optional<std::string> now;  // a fixed clock reading (--now)
    std::string commandLine;  // e.g. "/NIC"
};

// Builds the settings store, the model and the main window, wires the
// commands, shows the window and runs the event loop.
int runGui(QApplication& app, const GuiOptions& options);

}  // namespace zorv::app
