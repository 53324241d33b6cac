#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TextEscape.h"
#include "timedate/CivilDate.h"
#include "timedate/ProjectTimer.h"

namespace zorv::notes {

using timedate::Date;

// Alarms are kept and compared in local civil time: "09:05 every day" means
// 09:05 on the wall clock, whatever the offset from UTC is that day. A time
// is a count of local seconds since 1970-01-01 00:00 (the instant's UTC
// seconds plus its offset), so no time zone rules are needed. Across a
// daylight-saving change an alarm in the skipped hour fires at the first
// check after it (at 03:00 when 02:00..03:00 does not exist), and one in the
// repeated hour fires once, the first time the clock passes it.
using LocalSeconds = long long;

LocalSeconds localSeconds(const timedate::Instant& instant);
// "2026-12-08 09:05"
std::string localMinuteText(LocalSeconds when);

enum class Repeat { Once, Daily, Weekdays, Weekly, Monthly, Yearly };
enum class AlarmAction { Reminder, PlaySound, Open, Run };

// "once", "daily", "weekdays", "weekly", "monthly", "yearly"
std::string_view repeatName(Repeat repeat);
std::optional<Repeat> repeatFromName(std::string_view name);  // ignores case and blanks
// "reminder", "sound", "open", "run"
std::string_view actionName(AlarmAction action);
std::optional<AlarmAction> actionFromName(std::string_view name);

struct Alarm {
    Date date;             // the first time it is due...
    int minuteOfDay = 0;   // ...at this local time, 0..1439
    Repeat repeat = Repeat::Once;
    std::string message;   // may have several lines
    // The reminder is always shown; besides it the alarm plays the sound
    // file `target`, opens the file or URL `target` with the desktop's
    // program, or runs the program `target` with `arguments` as separate
    // arguments (never through a shell: no quoting, no expansion).
    AlarmAction action = AlarmAction::Reminder;
    std::string target;
    std::vector<std::string> arguments;
    bool enabled = true;

    friend bool operator==(const Alarm&, const Alarm&) = default;
};

// "2026-12-08T09:05"
std::string alarmWhenText(const Alarm& alarm);
struct AlarmWhen {
    Date date;
    int minuteOfDay = 0;
};
// Reads "YYYY-MM-DDTHH:MM" (a blank instead of the T is fine), the date
// within `range`, 00:00..23:59. Throws timedate::InputError.
AlarmWhen parseAlarmWhen(std::string_view text, const timedate::YearRange& range);

// When the alarm is due at or after `from`, whether or not it is enabled;
// nothing once a one-time alarm has passed or a repeat would run beyond year
// 9999. Repeats count from the alarm's date and time:
//   daily     every day
//   weekdays  Monday to Friday (from a Saturday or Sunday start, the next Monday)
//   weekly    every 7 days
//   monthly   on the date's day of the month; in shorter months on the last
//             day (31 January: 28/29 February, 31 March, 30 April, ...), the
//             day is never lost by passing a short month
//   yearly    on the same day; 29 February falls on 28 February in years
//             that are not leap years, and on 29 February again in leap years
std::optional<LocalSeconds> nextOccurrence(const Alarm& alarm, LocalSeconds from);

// Occurrences in [from, to), at most `limit`.
std::vector<LocalSeconds> occurrencesBetween(const Alarm& alarm, LocalSeconds from, LocalSeconds to,
                                             std::size_t limit = 1000);

// For a Run alarm: where the program is, or why it cannot be run ("the
// program \"x\" does not exist"), so that a fired alarm gives a clear message
// instead of failing silently. A name without '/' is looked up on `pathList`
// (the PATH variable's value).
struct ProgramCheck {
    std::filesystem::path program;
    std::string problem;  // empty when it can be run
};
ProgramCheck checkProgram(std::string_view target, std::string_view pathList);

// The alarm file "calcalrm.2do" in the data folder: UTF-8 text in INI form,
// one section per alarm, values escaped as TextEscape.h describes:
//
//     # Zorv Advanced Calculator alarms
//     [Alarm 1]
//     When=2026-12-08T09:05
//     Repeat=daily
//     Message=Stand-up\nRoom 4
//     Action=run
//     Target=/usr/bin/notify-send
//     Argument=Stand-up
//     Argument=Room 4 at once
//     Enabled=true
//
// Sections are "[Alarm]" or "[Alarm N]" (N is only for people; order is the
// file's). When= is required; Repeat= defaults to once, Action= to reminder,
// Message= and Target= to empty, Enabled= to true. Argument= may appear any
// number of times, in order; it is only written for Run. Sound, open and
// run need a Target=.
//
// Reading: comments, blank lines, CR LF, byte order mark and keys as in the
// notes file. An alarm whose When=, Repeat= or Action= cannot be read, or
// that lacks a needed When= or Target=, is not loaded; an unknown key, a
// line outside an alarm or a repeated single key is skipped; an Enabled=
// that is neither true/false, yes/no nor 1/0 loads the alarm disabled,
// because a damaged file must not start programs. All of it is reported.
inline constexpr std::string_view kAlarmFileName = "calcalrm.2do";
inline constexpr std::size_t kMaxAlarmFileBytes = 4 * 1024 * 1024;

std::string alarmsToText(const std::vector<Alarm>& alarms);

struct AlarmsLoad {
    std::vector<Alarm> alarms;
    std::vector<SkippedLine> skipped;
    std::string error;
    bool complete() const { return skipped.empty() && error.empty(); }
    std::string report(std::string_view fileName = kAlarmFileName) const;
};

AlarmsLoad parseAlarms(std::string_view text);
AlarmsLoad readAlarmsFile(const std::filesystem::path& path);

}  // namespace zorv::notes
