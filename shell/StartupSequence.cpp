#include "StartupSequence.h"

#include <exception>
#include <functional>

#include "shell/ErrorReporter.h"
#include "shell/SettingsKeys.h"
#include "shell/StartupSettings.h"

namespace zorv::shell {

using engine::CommandId;

using engine::CalculatorModel;

namespace {

bool usableFontName(const std::string& name) {
    if (name.empty() || name.size() > 200) return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f) return false;
    return true;
}

std::optional<int> position(const SettingsStore& store, const SettingKey& k) {
    const auto v = readOptionalNumber(store, k);
    if (!v) return std::nullopt;
    return static_cast<int>(*v);
}

}  // namespace

TapeFont readTapeFont(const SettingsStore& store) {
    TapeFont f;
    const std::string name = readText(store, key::Font);
    // A name the font system cannot take keeps the default family.
    if (usableFontName(name)) f.name = name;
    f.size = readNumber(store, key::FontSize);
    f.colour = static_cast<std::uint32_t>(readInt(store, key::FontColor));
    f.bold = readFlag(store, key::FontBold);
    f.italic = readFlag(store, key::FontItalic);
    return f;
}

StartupValues readStartupValues(const SettingsStore& store) {
    StartupValues v;
    v.tapeFont = readTapeFont(store);
    v.tapeHide = readFlag(store, key::TapeHide);
    v.tapeSize = readNumber(store, key::TapeSize);
    v.exitButtonMinimize = readFlag(store, key::ExitButtonMinimize);
    v.dontHideEval = readFlag(store, key::DontHideEval);
    v.alarmsOn = readFlag(store, key::AlarmsOn);
    v.startYear = readInt(store, key::StartYear);
    v.endYear = readInt(store, key::EndYear);
    if (v.startYear >= v.endYear) {
        // A range that is empty or reversed is no range: both take their defaults.
        v.startYear = StartupValues{}.startYear;
        v.endYear = StartupValues{}.endYear;
    }
    v.saveMemory = readFlag(store, key::SaveMemory);
    v.memory = readText(store, key::Memory);
    v.hideToolbar = readFlag(store, key::HideToolbar);
    v.startOnTop = readFlag(store, key::StartOnTop);
    v.calcOnTop = readFlag(store, key::CalcOnTop);
    v.startMinimized = readFlag(store, key::StartMinimized);
    v.calcTop = position(store, key::CalcTop);
    v.calcLeft = position(store, key::CalcLeft);
    for (int n = 1; n <= 9; ++n) {
        v.toolbarCaptions[n - 1] =
            store.ReadSetting(kButtonsSection, toolbarCaptionKey(n), toolbarCaptionDefault(n));
        v.toolbarToolTips[n - 1] =
            store.ReadSetting(kButtonsSection, toolbarToolTipKey(n), kToolbarToolTipDefault);
    }
    return v;
}

void applyStoredOptions(const SettingsStore& store, CalculatorModel& model, ShellState& state) {
    applyModeSettings(store, model.modes());
    const StartupValues v = readStartupValues(store);
    state.mnuExitMin = v.exitButtonMinimize;
    state.mnuDontHideEval = v.dontHideEval;
    state.mnuAlarmsOn = v.alarmsOn;
    state.StartYear = v.startYear;
    state.EndYear = v.endYear;
    model.notify();
}

const char* exitButtonToolTip(bool minimizes) {
    return minimizes ? kExitMinimizesToolTip : kExitEndsToolTip;
}

void restoreStoredMemory(const SettingsStore& store, CalculatorModel& model) {
    if (!readFlag(store, key::SaveMemory)) return;
    // Written in the C form by writeShutdownSettings, whatever the locale.
    const engine::Decimal value = engine::Decimal::parse(readText(store, key::Memory));
    if (!value.isZero()) model.restoreMemory(value);
}

void writeShutdownSettings(SettingsStore& store, const CalculatorModel& model,
                           const std::string& programFolder) {
    if (readFlag(store, key::SaveMemory)) {
        writeText(store, key::Memory, model.memory().value().toString("."));
        if (!programFolder.empty()) writeText(store, key::Path, programFolder);
    }
    store.backend().sync();
}

StartupResult runStartup(StartupContext& c) {
    engine::UserFeedback& feedback = c.model.feedback();
    bool refused = false;
    // Runs one step: a type mismatch skips it; any other failure is reported
    // and ends the start.
    auto step = [&](const std::function<void()>& body) {
        if (refused) return;
        try {
            body();
        } catch (const engine::DecimalTypeMismatch&) {
        } catch (const std::exception& e) {
            feedback.showMessage("Error # " + std::to_string(errorNumberOf(e)) + "\n" + e.what(),
                                 std::string(engine::kProductName), engine::MessageIcon::Critical);
            refused = true;
        }
    };

    StartupValues v;
    step([&] { v = readStartupValues(c.store); });
    step([&] { c.window.recordFullTapeHeight(); });
    step([&] { c.window.setTapeFont(v.tapeFont); });
    step([&] {
        if (v.tapeHide) c.window.setTapeHidden(true);
    });
    step([&] {
        applyStoredOptions(c.store, c.model, c.state);
        c.window.setExitButtonToolTip(exitButtonToolTip(c.state.mnuExitMin));
    });
    step([&] {
        for (int i = 0; i < 9; ++i)
            c.window.setToolbarButton(i, v.toolbarCaptions[i], v.toolbarToolTips[i]);
    });
    if (refused) return StartupResult::Refused;

    if (c.window.minimizedOrMaximized()) {
        feedback.showMessage(
            "Zorv Advanced Calculator CAN NOT start\nMinimized or Maximized!\n"
            "Please start it up in a Normal window and use F4\nto set the Start Up mode.",
            std::string(engine::kProductName), engine::MessageIcon::Critical);
        return StartupResult::Refused;
    }

    step([&] { c.window.layoutTape(v.tapeSize); });
    step([&] { restoreStoredMemory(c.store, c.model); });
    step([&] {
        if (v.hideToolbar) c.window.setToolbarHidden(true);
    });
    step([&] {
        if (v.calcOnTop && !c.state.mnuCalcOnTop && c.model.commands().contains(CommandId::CalcOnTop))
            c.model.runCommand(CommandId::CalcOnTop);
    });
    step([&] { c.window.place(v.calcTop, v.calcLeft); });
    step([&] {
        if (v.startMinimized) c.window.minimize();
    });
    return refused ? StartupResult::Refused : StartupResult::Started;
}

void runDeferredStartup(StartupContext& c, bool trayAvailable) {
    auto& commands = c.model.commands();
    if (readFlag(c.store, key::StartOnTop)) {
        // The show label replaces the tray icon, so the icon is not put up first.
        if (commands.contains(CommandId::StayOnTop) && !commands.checked(CommandId::StayOnTop).value_or(false))
            c.model.runCommand(CommandId::StayOnTop);
    } else if (trayAvailable && commands.contains(CommandId::ShowInTray) &&
               !commands.checked(CommandId::ShowInTray).value_or(false)) {
        c.model.runCommand(CommandId::ShowInTray);
    }
}

void registerShellCommands(CalculatorModel& model, SettingsStore& store, ShellState& state,
                           MainWindowControl* window) {
    auto& commands = model.commands();
    commands.add(
        CommandId::ExitButtonMinimizes,
        [&store, &state, window] {
            state.mnuExitMin = !state.mnuExitMin;
            writeFlag(store, key::ExitButtonMinimize, state.mnuExitMin);
            if (window) window->setExitButtonToolTip(exitButtonToolTip(state.mnuExitMin));
        },
        [&state] { return state.mnuExitMin; });
    if (!window) return;
    commands.add(CommandId::ExitButton, [&state, window] {
        if (state.mnuExitMin) window->minimize();
        else window->close();
    });
    commands.add(
        CommandId::CalcOnTop,
        [&state, window] {
            state.mnuCalcOnTop = !state.mnuCalcOnTop;
            window->setStaysOnTop(state.mnuCalcOnTop);
        },
        [&state] { return state.mnuCalcOnTop; });
}

}  // namespace zorv::shell
