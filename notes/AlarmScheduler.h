#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "Alarms.h"
#include "timedate/ProjectTimer.h"

namespace zorv::notes {

// An alarm that has fallen due: which one (its place in the list and a copy,
// which stays valid when the list changes) and when.
struct DueAlarm {
    std::size_t index = 0;
    Alarm alarm;
    LocalSeconds due = 0;
    bool snoozed = false;  // a snoozed reminder coming back
};

// An alarm that fell due while the program was not running.
struct MissedAlarm {
    std::size_t index = 0;
    Alarm alarm;
    LocalSeconds firstDue = 0;
    LocalSeconds lastDue = 0;
    std::size_t count = 0;  // occurrences missed, counted up to 1000
};

// Decides when alarms fire. The program's one-second timer calls poll();
// the scheduler keeps each alarm's next due time and the earliest of them,
// so a tick with nothing due reads the clock once and compares one number,
// however many alarms there are. Times are local civil time (Alarms.h).
//
// An alarm fires once per check even when several of its occurrences have
// passed since the previous check (the computer slept through three daily
// alarms: one reminder). When the clock is set back by more than three
// hours (more than any daylight-saving change), the next due times are
// worked out again from the new time; smaller steps back keep them, so an
// alarm in the hour a daylight-saving change repeats fires only once.
class AlarmScheduler {
public:
    explicit AlarmScheduler(timedate::Clock clock);

    // Replaces the alarms; each is next due at or after the current time.
    // Snoozed reminders of alarms no longer in the list are dropped.
    void setAlarms(std::vector<Alarm> alarms);
    const std::vector<Alarm>& alarms() const { return alarms_; }

    // "Alarms On": while off, nothing fires, nothing is listed as missed and
    // occurrences that pass are not kept for later.
    void setAlarmsOn(bool on);
    bool alarmsOn() const { return on_; }

    // The timer's check: the alarms due since the previous check, up to and
    // including now, in the order they fell due.
    std::vector<DueAlarm> poll();

    // The earliest time anything is due (alarm or snoozed reminder).
    std::optional<LocalSeconds> nextDue() const { return earliest_; }
    std::optional<LocalSeconds> nextDue(std::size_t index) const;

    // Brings the reminder back `minutes` after now (the window offers 5, 10
    // and 30); 1..1440 minutes. Snoozes are not kept across runs.
    void snooze(const DueAlarm& due, int minutes);

    // Enabled alarms due in (lastRun, now): the caller keeps the instant of
    // its last check in the settings and lists these at start. Empty while
    // "Alarms On" is off.
    std::vector<MissedAlarm> missedSince(const timedate::Instant& lastRun) const;

    static constexpr LocalSeconds kClockSetBack = 3 * 3600;

private:
    LocalSeconds now() const { return localSeconds(clock_()); }
    void recompute(LocalSeconds from);
    // Moves lastCheck_ up to just before `t`, or back to it after the clock
    // was set back.
    void settleClock(LocalSeconds t);
    void updateEarliest();

    timedate::Clock clock_;
    std::vector<Alarm> alarms_;
    std::vector<std::optional<LocalSeconds>> next_;
    std::vector<DueAlarm> snoozed_;
    std::optional<LocalSeconds> earliest_;
    LocalSeconds lastCheck_ = 0;
    bool on_ = true;
};

}  // namespace zorv::notes
