#include "BatchSession.h"

#include <QString>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

#include "app/CommandWiring.h"
#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"
#include "shell/ErrorReporter.h"
#include "engine/AtomicFile.h"
#include "shell/IniFileBackend.h"
#include "shell/ShellState.h"
#include "shell/StartupSequence.h"
#include "shell/StartupSettings.h"
#include "shell/ToolbarButtons.h"

namespace zorv::app {

namespace {

std::string oneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += " | ";
        } else {
            out += c;
        }
    }
    return out;
}

// Answers from the script's queue and reports what a person would have seen.
class BatchFeedback : public engine::ScriptedFeedback {
public:
    explicit BatchFeedback(std::ostream& err) : err_(err) {}

    engine::MessageResult showMessage(const std::string& text, const std::string& title,
                                      engine::MessageIcon icon, engine::MessageButtons buttons,
                                      std::optional<engine::MessageResult> defaultButton) override {
        const auto r = ScriptedFeedback::showMessage(text, title, icon, buttons, defaultButton);
        err_ << oneLine(title) << ": " << oneLine(text) << '\n';
        return r;
    }
    void beep() override {
        ScriptedFeedback::beep();
        err_ << "beep\n";
    }

private:
    std::ostream& err_;
};

}  // namespace

int runBatch(std::istream& in, std::ostream& out, std::ostream& err, const BatchOptions& options) {
    std::unique_ptr<shell::SettingsBackend> backend;
    shell::IniFileBackend* settingsFile = nullptr;
    if (options.settingsFile) {
        auto file = std::make_unique<shell::IniFileBackend>(*options.settingsFile);
        settingsFile = file.get();
        backend = std::move(file);
    } else {
        backend = std::make_unique<shell::MemorySettingsBackend>();
    }
    shell::SettingsStore store(std::move(backend));

    BatchFeedback feedback(err);
    // A settings file that cannot be used or saved is one message line, and
    // the run ends with a failure status.
    if (settingsFile)
        settingsFile->setProblemReporter([&feedback](const std::string& message) {
            static_cast<engine::UserFeedback&>(feedback).showMessage(message, std::string(engine::kProductName), engine::MessageIcon::Exclamation);
        });
    engine::CalculatorModel model(feedback, shell::readLocaleSymbols(store));
    shell::ShellState state;
    shell::applyStoredOptions(store, model, state);
    try {
        shell::restoreStoredMemory(store, model);
    } catch (const engine::DecimalError&) {
        // An unreadable stored memory starts the register empty.
    }

    const std::string dataFolder = options.dataDir.value_or(std::string());
    if (!dataFolder.empty()) engine::atomicfile::removeStaleTemporaries(dataFolder);
    // Without --data-dir there is no data folder, and so no debug log: batch
    // mode never writes into the user's own folders.
    shell::ErrorReporter errors(feedback, shell::debugLogPath(dataFolder));
    errors.endProgram = [](int) {};  // the run stops after the current key
    errors.install(model);

    CommandContext context{model, store, dataFolder};
    auto wiring = wireBatchCommands(context);
    shell::registerShellCommands(model, store, state, nullptr);
    if (shell::ToolbarButtons* buttons = toolbarButtonsOf(*wiring))
        buttons->reportUnbound = [&err](int index) { err << "Toolbar " << index + 1 << ": not bound\n"; };

    const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const engine::KeyScript script = engine::parseKeyScript(input);
    for (const auto& a : script.answers) feedback.answer(a);

    const auto unknown = [&err](const std::string& name) {
        err << "unknown command: {" << name << "}\n";
    };
    // One key at a time, so that an error report answered No ends the run
    // where it happened.
    for (const auto& step : script.steps) {
        if (errors.ended()) break;
        engine::KeyScript one;
        one.steps.push_back(step);
        engine::runKeyScript(model, one, unknown);
    }
    if (!errors.ended()) shell::writeShutdownSettings(store, model, dataFolder);
    else store.backend().sync();

    out << model.tape().text();
    out.flush();
    err << "readout: " << model.readout() << '\n';
    return errors.ended() || (settingsFile && settingsFile->failed()) ? 1 : 0;
}

}  // namespace zorv::app
