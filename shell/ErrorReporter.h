#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/CalculatorModel.h"
#include "engine/UserFeedback.h"

namespace zorv::shell {

// The classic error number of a failure: the decimal errors carry theirs,
// running out of memory is 7, anything else 5 (invalid call or argument).
int errorNumberOf(const std::exception& e);

// The debug log in the data folder.
std::string debugLogPath(const std::string& dataFolder);

// Where every handler's unexpected failure ends up. An overflow (error 6) is
// only told to the user. Any other error is appended as one line to the
// debug log and the user is asked whether to ignore it: Yes returns to the
// handler, No closes what is open and ends the program.
class ErrorReporter {
public:
    ErrorReporter(engine::UserFeedback& feedback, std::string logPath);

    void reportError(const std::string& label, int number, const std::string& description,
                     const std::string& source);
    // Adds one line to the debug log and asks nothing: for what was put
    // right without the user's help (a setting that could not be used).
    void logNote(const std::string& label, const std::string& description);
    // Makes this the model's reportError.
    void install(engine::CalculatorModel& model);

    // The log line: seven fields in double quotes, separated by commas.
    // Quotes inside a field are doubled and line breaks become blanks, so one
    // report stays one line.
    static std::string logLine(const std::string& date, const std::string& time,
                               const std::string& label, int number,
                               const std::string& description, const std::string& source,
                               const std::string& version);

    // Puts the mouse pointer back to the default (the window sets it).
    std::function<void()> restoreCursor;
    // Run before the program ends on No: flush files, remove the tray icon.
    std::vector<std::function<void()>> beforeEnd;
    // Ends the program; by default flushes the standard streams and exits
    // with status 1 at once.
    std::function<void(int status)> endProgram;
    // Today's date and the time of day as shown and logged.
    std::function<std::pair<std::string, std::string>()> now;
    std::string version;

    bool ended() const { return ended_; }
    const std::string& logPath() const { return logPath_; }

private:
    void appendToLog(const std::string& line) noexcept;

    engine::UserFeedback& feedback_;
    std::string logPath_;
    bool ended_ = false;
};

}  // namespace zorv::shell
