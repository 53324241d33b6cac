#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Duration.h"
#include "engine/Currency.h"

namespace zorv::timedate {

// A moment on the wall clock: seconds since 1970-01-01 00:00:00 UTC, and the
// local offset from UTC in effect then (for showing it).
struct Instant {
    long long utcSeconds = 0;
    int offsetSeconds = 0;

    friend bool operator==(const Instant&, const Instant&) = default;
};

// ISO 8601 with the offset: "2026-12-08T09:00:00+01:00", "...Z" for UTC.
std::string isoInstantText(const Instant& instant);
// Reads "YYYY-MM-DDTHH:MM:SS" (a blank instead of the T is fine) with an
// optional "Z", "+hh:mm", "-hhmm" or "+hh". Without a zone the time is local
// time at `defaultOffsetSeconds`. Years 1..9999. Throws InputError.
Instant parseIsoInstant(std::string_view text, int defaultOffsetSeconds = 0);
// "2026-12-08 09:00:00", in the instant's own local time.
std::string localText(const Instant& instant);

// The system's wall clock with the local offset in effect now.
Instant systemNow();
// parseIsoInstant, with a text without a zone read as the system's local
// time (the offset in effect at that moment). Throws InputError.
Instant parseLocalIsoInstant(std::string_view text);

// Where the timer reads the time: the system clock in the program, a fixed
// or stepped value in tests and reproducible batch runs.
using Clock = std::function<Instant()>;

// Start/stop project timer. Its only state is the start instant, kept as a
// settings text so that the timer survives closing the program; elapsed time
// is wall-clock time (the difference of two clock readings), so time spent
// asleep counts and nothing has to tick.
class ProjectTimer {
public:
    explicit ProjectTimer(Clock clock);

    bool running() const { return start_.has_value(); }
    const std::optional<Instant>& start() const { return start_; }

    // The text to keep in the settings: the ISO start, empty when stopped.
    std::string settingText() const;
    // Takes the kept text back. Empty text means stopped. Damaged text
    // leaves the timer stopped and throws InputError naming it, so the
    // caller can say the timer was lost instead of billing garbage.
    void restore(std::string_view settingText);

    void startNow();   // no effect while running
    void discard();    // stops without a record

    // Time since the start (zero while stopped, and while the clock reads
    // earlier than the start).
    Duration elapsed() const;

    struct StopRecord {
        Instant start;
        Instant stop;
        Duration elapsed;
        engine::Currency amount;
        bool overADay = false;  // the caller asks whether to keep such a time
        std::string tapeLine;   // "Timer 2026-12-08 09:00:00 to 2026-12-08 11:30:00 = 2:30:00 @ 100.00/h = 250.00"
    };
    // Stops the timer and bills the elapsed time at `rate`. Throws InputError
    // and keeps running when the clock reads earlier than the start (clock
    // set back): nothing is billed and nothing is lost.
    StopRecord stop(const engine::Currency& rate, std::string_view decimalSymbol = ".");

    static constexpr long long kDaySeconds = 24 * 3600;

private:
    Clock clock_;
    std::optional<Instant> start_;
};

}  // namespace zorv::timedate
