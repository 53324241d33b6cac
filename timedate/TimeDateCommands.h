#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ProjectTimer.h"
#include "engine/CommandCatalogue.h"
#include "TimeDateRunner.h"

namespace zorv::engine {
class CalculatorModel;
}

namespace zorv::timedate {

// Where the time and date commands keep what outlives a run: the "Startup"
// section of the settings ("Billing Rate", "Start Year", "End Year" and the
// running timer's start under kTimerStartKey), the data folder with the
// holiday file, and the clock.
struct TimeDateEnvironment {
    std::function<std::string(const std::string& key, const std::string& defaultValue)> readSetting;
    std::function<void(const std::string& key, const std::string& value)> writeSetting;
    std::string dataFolder;
    Clock clock = systemNow;
    // The locale's short date pattern ("d/M/yyyy"); empty: ISO only.
    std::string datePattern;
};

// The running timer's start, ISO 8601 with the offset; empty while stopped.
inline constexpr std::string_view kTimerStartKey = "Project Timer Start";
inline constexpr std::string_view kBillingRateKey = "Billing Rate";

// The three commands' state and actions, shared by batch mode and the window:
// the window computes with settings() and hands a result to sendToCalculator.
class TimeDateService {
public:
    TimeDateService(engine::CalculatorModel& model, TimeDateEnvironment environment);

    // Everything an operation needs, read afresh: the rate, the years, the
    // holidays from the data folder. A holiday file that cannot be read, or
    // with lines skipped, is described in `holidayNote`.
    TimeDateSettings settings(bool includeEndDate = false, std::string* holidayNote = nullptr) const;
    engine::Currency rate() const;

    // Puts a result on the tape, line by line, and its value (when it has
    // one) on the readout as a freshly entered number.
    void sendToCalculator(const TimeDateOutcome& outcome);

    // {Time/Date Calculations} without a window: asks the operation, then its
    // questions, through the model's feedback.
    void runAsked();
    // {Billing Rate}: asks with the current rate as default; a refused text
    // keeps the old rate and says why.
    void askBillingRate();
    // Sets the rate from text; the message when refused.
    std::optional<std::string> setBillingRate(std::string_view text);

    // {Start/Stop Project Timer}. Stopping a timer that ran more than a day
    // asks whether to keep that time (No: stopped, nothing billed; Cancel:
    // keeps running).
    void toggleTimer();
    bool timerRunning() const { return timer_.running(); }
    Duration timerElapsed() const { return timer_.elapsed(); }
    std::optional<Instant> timerStart() const { return timer_.start(); }
    const Clock& clock() const { return env_.clock; }
    const TimeDateEnvironment& environment() const { return env_; }
    void setDatePattern(std::string pattern) { env_.datePattern = std::move(pattern); }

    // The readout as a time to bill or convert. A time typed on the keypad
    // with ":" ("1:30", which the readout shows as 130) is read as typed while
    // nothing else has happened since; otherwise the readout is decimal hours.
    std::string readoutDuration() const;
    // The ":" key: marks where the hours (then the minutes) end in the number
    // being typed. Elsewhere it beeps.
    bool typedColon();

    // Called after the timer starts or stops (the window updates its display).
    std::function<void()> onTimerChanged;

private:
    void restoreTimer();
    // Where ":" was typed: the digits before it, and the state that must
    // not have changed for the mark to still apply.
    struct TimeMark {
        std::string hours;
        std::optional<std::string> minutes;
        int numOps = 0;
        std::size_t tapeSize = 0;
    };
    bool markApplies(const std::string& digits) const;
    std::optional<TimeMark> mark_;

    void report(const std::string& message) const;

    engine::CalculatorModel& model_;
    TimeDateEnvironment env_;
    ProjectTimer timer_;
};

// Registers "Billing Rate" and "Start/Stop Project Timer" (checked while the
// timer runs), and for batch mode "Time/Date Calculations" with its
// questions asked as text (the window opens its own calculator instead).
void registerTimeDateCommands(engine::CalculatorModel& model, TimeDateService& service,
                              engine::Front front = engine::Front::Batch);

// Today's date on the given clock, in its local time.
Date todayOn(const Clock& clock);

}  // namespace zorv::timedate
