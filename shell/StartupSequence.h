#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/CalculatorModel.h"
#include "shell/MainWindowControl.h"
#include "shell/SettingsStore.h"
#include "shell/ShellState.h"

namespace zorv::shell {

inline constexpr const char* kExitMinimizesToolTip = "Minimize Zorv Calculator";
inline constexpr const char* kExitEndsToolTip = "Exit Zorv Calculator";

// Everything the start of the main window reads from the store, each value
// already converted (or its default when it does not convert).
struct StartupValues {
    TapeFont tapeFont;
    bool tapeHide = false;
    double tapeSize = 1;
    bool exitButtonMinimize = false;
    bool dontHideEval = false;
    bool alarmsOn = true;
    int startYear = 1500;
    int endYear = 2400;
    bool saveMemory = false;
    std::string memory = "0";
    bool hideToolbar = false;
    bool startOnTop = false;
    bool calcOnTop = false;
    bool startMinimized = false;
    std::optional<int> calcTop;
    std::optional<int> calcLeft;
    std::array<std::string, 9> toolbarCaptions;
    std::array<std::string, 9> toolbarToolTips;
};

StartupValues readStartupValues(const SettingsStore& store);
TapeFont readTapeFont(const SettingsStore& store);

// The stored calculation modes and the shell's options (exit button,
// evaluator and alarm marks, calendar years), with or without a window.
void applyStoredOptions(const SettingsStore& store, engine::CalculatorModel& model, ShellState& state);

struct StartupContext {
    engine::CalculatorModel& model;
    SettingsStore& store;
    ShellState& state;
    MainWindowControl& window;
};

enum class StartupResult { Started, Refused };

// The main window's start before it is first shown, in order: modes and
// menus, tape font and hiding, toolbar captions, the minimized/maximized
// check, the tape layout, the memory register, toolbar hiding and
// "Calc On Top", the position and "Start Minimized". A failing step that is
// a type mismatch is skipped; any other failure shows "Error # N" and the
// start is refused, as it is when the window is minimized or maximized.
StartupResult runStartup(StartupContext& context);

// What can wait until the window has been painted: the notification-area
// icon (unless the window starts with its show label) and the show label
// for "Start On Top". Each runs only when its command exists.
void runDeferredStartup(StartupContext& context, bool trayAvailable);

// The memory register from "Memory" when "Save Memory" is on; a value that
// is not 0 switches the memory display on.
void restoreStoredMemory(const SettingsStore& store, engine::CalculatorModel& model);

// At exit, with "Save Memory" on: "Memory" and "Path" (the data folder).
// Then the store is flushed to its file.
void writeShutdownSettings(SettingsStore& store, const engine::CalculatorModel& model,
                           const std::string& programFolder);

// The exit button's tool tip for the "Exit Button Minimizes" state.
const char* exitButtonToolTip(bool minimizes);

// The shell's catalogue commands: "Exit Button Minimizes" (checkable,
// written to "Exit Button Minimize") everywhere; with a window also
// "Exit Button" (minimizes or ends by that flag) and "Calc On Top".
void registerShellCommands(engine::CalculatorModel& model, SettingsStore& store,
                           ShellState& state, MainWindowControl* window);

}  // namespace zorv::shell
