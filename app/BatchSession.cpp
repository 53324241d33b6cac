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
#include "shell/QSettingsBackend.h"
#include "shell/StartupSettings.h"

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
    if (options.settingsFile)
        backend = std::make_unique<shell::QSettingsBackend>(QString::fromStdString(*options.settingsFile));
    else
        backend = std::make_unique<shell::MemorySettingsBackend>();
    shell::SettingsStore store(std::move(backend));

    BatchFeedback feedback(err);
    engine::CalculatorModel model(feedback, shell::readLocaleSymbols(store));
    shell::applyModeSettings(store, model.modes());

    CommandContext context{model, store, options.dataDir.value_or(std::string())};
    auto wiring = wireBatchCommands(context);

    const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const engine::KeyScript script = engine::parseKeyScript(input);
    for (const auto& a : script.answers) feedback.answer(a);

    engine::runKeyScript(model, script, [&err](const std::string& name) {
        err << "unknown command: {" << name << "}\n";
    });

    out << model.tape().text();
    out.flush();
    err << "readout: " << model.readout() << '\n';
    return 0;
}

}  // namespace zorv::app
