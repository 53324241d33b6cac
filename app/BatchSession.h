#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace zorv::app {

struct BatchOptions {
    std::optional<std::string> settingsFile;  // INI file used as the settings store
    std::optional<std::string> dataDir;       // the program folder for data files
    std::optional<std::string> now;           // a fixed clock reading (--now)
    // The folder of a kept tape (--journal): the run starts from that tape,
    // prints it before the new lines and keeps the result there.
    std::optional<std::string> journalDir;
};

// Batch mode: reads the whole key script from `in`, runs it with no window,
// writes the tape to `out` exactly as held and, to `err`, one line per
// message box ("TITLE: TEXT", line breaks shown as " | "), one "beep" per
// beep ("Toolbar N: not bound" before that of an unbound toolbar button),
// unknown command names, and last "readout: TEXT". Returns the exit status.
int runBatch(std::istream& in, std::ostream& out, std::ostream& err, const BatchOptions& options);

}  // namespace zorv::app
