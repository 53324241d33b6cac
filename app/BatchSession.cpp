#include "BatchSession.h"

#include <QString>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "app/CommandWiring.h"
#include "notes/CalendarCommands.h"
#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"
#include "app/JournalSettings.h"
#include "journal/TapeJournal.h"
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

// Text from the script as it may go to a terminal: control characters
// (C0, DEL, C1) and bytes that are not UTF-8 shown as \xNN, and the
// backslash doubled, so that a name cannot move the cursor, recolour or
// retitle the terminal.
std::string escaped(const std::string& text) {
    std::string out;
    const auto hex = [&out](unsigned char c) {
        static const char digits[] = "0123456789ABCDEF";
        out += "\\x";
        out += digits[c >> 4];
        out += digits[c & 15];
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\') {
            out += "\\\\";
            ++i;
            continue;
        }
        if (c < 0x20 || c == 0x7F) {
            hex(c);
            ++i;
            continue;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        std::size_t len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        bool valid = len > 0 && i + len <= text.size() && c >= 0xC2 && c <= 0xF4;
        for (std::size_t k = 1; valid && k < len; ++k)
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        // U+0080..U+009F are the C1 controls.
        if (valid && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) valid = false;
        if (!valid) {
            hex(c);
            ++i;
            continue;
        }
        out.append(text, i, len);
        i += len;
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
    const std::string dataFolder = options.dataDir.value_or(std::string());
    if (!dataFolder.empty()) engine::atomicfile::removeStaleTemporaries(dataFolder);
    // Without --data-dir there is no data folder, and so no debug log: batch
    // mode never writes into the user's own folders.
    shell::ErrorReporter errors(feedback, shell::debugLogPath(dataFolder));
    errors.endProgram = [](int) {};  // the run stops after the current key

    // A settings file that cannot be used or saved is one message line, and
    // the run ends with a failure status.
    if (settingsFile)
        settingsFile->setProblemReporter([&feedback](const std::string& message) {
            static_cast<engine::UserFeedback&>(feedback).showMessage(message, std::string(engine::kProductName), engine::MessageIcon::Exclamation);
        });
    std::vector<std::string> rejected;
    engine::CalculatorModel model(feedback, shell::readLocaleSymbols(store, {}, &rejected));
    for (const auto& line : rejected) errors.logNote("Settings [Intl]", line);
    shell::ShellState state;
    shell::applyStoredOptions(store, model, state);
    try {
        shell::restoreStoredMemory(store, model);
    } catch (const engine::DecimalError&) {
        // An unreadable stored memory starts the register empty.
    }

    errors.install(model);

    CommandContext context{model, store, dataFolder, programClock(options.now)};
    auto wiring = wireBatchCommands(context);
    shell::registerShellCommands(model, store, state, nullptr);
    notes::printDueAlarms(feedback, *wiring->calendar);
    wiring->toolbar->reportUnbound = [&err](int index) { err << "Toolbar " << index + 1 << ": not bound\n"; };

    std::unique_ptr<journal::TapeJournal> tapeJournal;
    if (options.journalDir) {
        journal::TapeJournal::Options o;
        o.folder = *options.journalDir;
        o.historyLimit = journal::historyLimitBytes(journalSettings(store));
        tapeJournal = std::make_unique<journal::TapeJournal>(model, o);
        tapeJournal->reportProblem = [&err](const std::string& text) { err << "Kept tape: " << oneLine(text) << '\n'; };
        for (const auto& note : tapeJournal->start()) err << "Kept tape: " << note << '\n';
    }

    // The script is read as it runs: answers are looked for ahead of the
    // keys only when a question wants one.
    engine::KeyScriptReader script(in);
    feedback.moreAnswers = [&script] { return script.takeAnswer(); };
    feedback.nextIsAnswer = [&script] { return script.answerIsNext(); };

    const auto unknown = [&err](const std::string& name) {
        err << "unknown command: {" << escaped(name) << "}\n";
    };
    // One key at a time, so that an error report answered No ends the run
    // where it happened.
    while (!errors.ended()) {
        const auto step = script.nextStep();
        if (!step) break;
        engine::runKeyStep(model, *step, unknown);
    }
    if (!errors.ended()) shell::writeShutdownSettings(store, model, dataFolder);
    else store.backend().sync();

    if (tapeJournal) tapeJournal->flush();
    out << model.tape().text();
    out.flush();
    err << "readout: " << model.readout() << '\n';
    return errors.ended() || (settingsFile && settingsFile->failed()) ? 1 : 0;
}

}  // namespace zorv::app
