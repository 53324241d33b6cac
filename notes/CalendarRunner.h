#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Alarms.h"
#include "NotesBook.h"
#include "timedate/DateFormat.h"
#include "timedate/ProjectTimer.h"

namespace zorv::notes {

// What batch mode does for the calendar and alarm commands, with the
// answers given up front (the way the time and date runner takes them). The
// caller loads the files, runs these, writes a file back (atomically) only
// when `changed` says so, and prints `lines` on standard error.
struct CalendarSettings {
    timedate::YearRange years;
    timedate::DateFormat dateFormat;  // the locale's short form; ISO is always read
};

struct CalendarOutcome {
    bool ok = false;
    bool changed = false;            // the book or the alarm list changed
    std::vector<std::string> lines;  // to print
    std::string message;             // why it failed
};

// {Show Calendar}[date][text]: sets the day's note (an empty text deletes
// it). {Show Calendar}[date]: the line "note 2026-12-24: TEXT", the note on
// one line with each line break shown as " | " ("note 2026-12-24:" for a
// day without a note).
CalendarOutcome runShowCalendar(NotesBook& book, const std::vector<std::string>& answers,
                                const CalendarSettings& settings);

// {Set Alarms}[2026-12-08T09:05][repeat][message][action][target][argument]...
// adds an alarm. Repeat defaults to once, the message to empty, the action
// to reminder; sound, open and run need a target; arguments only for run.
CalendarOutcome runSetAlarms(std::vector<Alarm>& alarms, const std::vector<std::string>& answers,
                             const CalendarSettings& settings);

// The alarms that fall due in the minute of `now` (alarms have whole
// minutes), as "alarm: message" lines, the message on one line (the alarm's
// time when it has none); batch mode prints them instead of acting. Nothing
// when `alarmsOn` is false.
std::vector<std::string> alarmLinesDueAt(const std::vector<Alarm>& alarms, const timedate::Instant& now,
                                         bool alarmsOn);

// "note 2026-12-24: first line | second line"
std::string noteLine(const NotesBook& book, Date date);

}  // namespace zorv::notes
