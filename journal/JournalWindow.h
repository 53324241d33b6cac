#pragma once

#include <functional>
#include <optional>
#include <string>

#include "journal/JournalCommands.h"

class QWidget;

namespace zorv::engine {
class CalculatorModel;
class UserFeedback;
}  // namespace zorv::engine

namespace zorv::journal {

class TapeJournal;

struct JournalWindowOptions {
    std::string dataFolder;
    SettingsAccess settings;
    QWidget* parent = nullptr;  // the main window: owns the journal and the history window
    // The 0-based line of the tape text holding the tape view's cursor (or
    // the start of its selection); nullopt when none. Correct Entry acts
    // on that line when it is an entry of the last calculation.
    std::function<std::optional<int>()> tapeCursorLine;
};

// Puts the kept tape back on the window's tape (or moves it to the history
// when Properties says not to keep it), keeps recording every change with a
// timer for the once-a-second writes, and replaces the history command with
// the one opening the history window. Says in a message what of the kept
// tape could not be read. Correct Entry opens a dialog for the entry under
// the tape's cursor (or asks which entry when the cursor is on none).
// The journal lives as long as `parent`. Its file is rewritten as one
// snapshot only at the journal's compact(), which the caller runs once the
// window has been painted.
TapeJournal* installTapeJournal(engine::CalculatorModel& model, JournalWindowOptions options);

}  // namespace zorv::journal
