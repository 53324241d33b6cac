#include "Alarms.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "timedate/DateFormat.h"
#include "timedate/InputError.h"

namespace zorv::notes {

namespace {

constexpr LocalSeconds kDay = 86400;
constexpr timedate::YearRange kFileYears{1, 9999};
constexpr int kLastYear = 9999;

LocalSeconds floorDiv(LocalSeconds a, LocalSeconds b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

LocalSeconds dueOn(Date date, int minuteOfDay) { return date.dayNumber() * kDay + minuteOfDay * 60LL; }

// The alarm's day in month number `monthIndex` (year * 12 + month - 1),
// clamped to the month's length.
Date dayInMonth(long long monthIndex, int anchorDay) {
    const long long year = floorDiv(monthIndex, 12);
    const int month = static_cast<int>(monthIndex - year * 12) + 1;
    return Date::fromCivil(year, month, std::min(anchorDay, timedate::daysInMonth(year, month)));
}

std::string lower(std::string_view s) {
    std::string out(trimBlanks(s));
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int twoDigits(std::string_view s, std::size_t at) {
    if (at + 2 > s.size() || !std::isdigit(static_cast<unsigned char>(s[at])) ||
        !std::isdigit(static_cast<unsigned char>(s[at + 1])))
        return -1;
    return (s[at] - '0') * 10 + (s[at + 1] - '0');
}


}  // namespace

LocalSeconds localSeconds(const timedate::Instant& instant) { return instant.utcSeconds + instant.offsetSeconds; }

std::string localMinuteText(LocalSeconds when) {
    const Date date = Date::fromDayNumber(floorDiv(when, kDay));
    const LocalSeconds secondOfDay = when - date.dayNumber() * kDay;
    const int hour = static_cast<int>(secondOfDay / 3600), minute = static_cast<int>(secondOfDay / 60 % 60);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", hour, minute);
    return date.isoText() + " " + time;
}

std::string_view repeatName(Repeat repeat) {
    switch (repeat) {
    case Repeat::Once: return "once";
    case Repeat::Daily: return "daily";
    case Repeat::Weekdays: return "weekdays";
    case Repeat::Weekly: return "weekly";
    case Repeat::Monthly: return "monthly";
    case Repeat::Yearly: return "yearly";
    }
    return "once";
}

std::optional<Repeat> repeatFromName(std::string_view name) {
    const std::string n = lower(name);
    for (Repeat r : {Repeat::Once, Repeat::Daily, Repeat::Weekdays, Repeat::Weekly, Repeat::Monthly, Repeat::Yearly})
        if (n == repeatName(r)) return r;
    return std::nullopt;
}

std::string_view actionName(AlarmAction action) {
    switch (action) {
    case AlarmAction::Reminder: return "reminder";
    case AlarmAction::PlaySound: return "sound";
    case AlarmAction::Open: return "open";
    case AlarmAction::Run: return "run";
    }
    return "reminder";
}

std::optional<AlarmAction> actionFromName(std::string_view name) {
    const std::string n = lower(name);
    for (AlarmAction a : {AlarmAction::Reminder, AlarmAction::PlaySound, AlarmAction::Open, AlarmAction::Run})
        if (n == actionName(a)) return a;
    return std::nullopt;
}

std::string alarmWhenText(const Alarm& alarm) {
    const int minute = std::clamp(alarm.minuteOfDay, 0, 24 * 60 - 1);  // as nextOccurrence reads it
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", minute / 60, minute % 60);
    return alarm.date.isoText() + "T" + time;
}

AlarmWhen parseAlarmWhen(std::string_view text, const timedate::YearRange& range) {
    const std::string_view t = trimBlanks(text);
    const std::string quoted = "\"" + escapeValue(t.substr(0, 40)) + "\"";
    const std::size_t split = t.find_first_of("Tt ");
    if (split == std::string_view::npos)
        throw timedate::InputError(quoted + " is not a date and time: write YYYY-MM-DDTHH:MM.");
    const std::string_view datePart = t.substr(0, split);
    const std::string_view timePart = trimBlanks(t.substr(split + 1));
    const Date date = timedate::DateFormat().parse(datePart, range);
    if (datePart.size() != 10)
        throw timedate::InputError(quoted + " is not a date and time: write YYYY-MM-DDTHH:MM.");
    const int hour = twoDigits(timePart, 0), minute = twoDigits(timePart, 3);
    if (timePart.size() != 5 || timePart[2] != ':' || hour < 0 || minute < 0)
        throw timedate::InputError(quoted + " is not a date and time: write YYYY-MM-DDTHH:MM.");
    if (hour > 23 || minute > 59)
        throw timedate::InputError(quoted + ": there is no time " + std::string(timePart) + " (00:00 to 23:59).");
    return {date, hour * 60 + minute};
}

std::optional<LocalSeconds> nextOccurrence(const Alarm& alarm, LocalSeconds from) {
    const int minute = std::clamp(alarm.minuteOfDay, 0, 24 * 60 - 1);
    LocalSeconds first = dueOn(alarm.date, minute);
    if (alarm.repeat == Repeat::Weekdays) {
        Date d = alarm.date;
        while (d.isWeekend()) d = d.plusDays(1);
        first = dueOn(d, minute);
    }
    std::optional<LocalSeconds> due;
    if (from <= first) {
        due = first;
    } else {
        switch (alarm.repeat) {
        case Repeat::Once: return std::nullopt;
        case Repeat::Daily:
        case Repeat::Weekdays: {
            Date d = Date::fromDayNumber(floorDiv(from - minute * 60LL, kDay));
            if (dueOn(d, minute) < from) d = d.plusDays(1);
            if (alarm.repeat == Repeat::Weekdays)
                while (d.isWeekend()) d = d.plusDays(1);
            due = dueOn(d, minute);
            break;
        }
        case Repeat::Weekly: {
            const LocalSeconds week = 7 * kDay;
            due = first + floorDiv(from - first + week - 1, week) * week;
            break;
        }
        case Repeat::Monthly:
        case Repeat::Yearly: {
            const long long step = alarm.repeat == Repeat::Monthly ? 1 : 12;
            const long long startIndex = alarm.date.year() * 12LL + alarm.date.month() - 1;
            const Date fromDate = Date::fromDayNumber(floorDiv(from, kDay));
            long long index = fromDate.year() * 12LL + fromDate.month() - 1;
            // Round up to a whole number of steps from the start.
            index = startIndex + floorDiv(index - startIndex + step - 1, step) * step;
            if (dueOn(dayInMonth(index, alarm.date.day()), minute) < from) index += step;
            if (floorDiv(index, 12) > kLastYear) return std::nullopt;
            due = dueOn(dayInMonth(index, alarm.date.day()), minute);
            break;
        }
        }
    }
    if (!due || Date::fromDayNumber(floorDiv(*due, kDay)).year() > kLastYear) return std::nullopt;
    return due;
}

std::vector<LocalSeconds> occurrencesBetween(const Alarm& alarm, LocalSeconds from, LocalSeconds to,
                                             std::size_t limit) {
    std::vector<LocalSeconds> out;
    for (std::optional<LocalSeconds> due = nextOccurrence(alarm, from); due && *due < to && out.size() < limit;
         due = nextOccurrence(alarm, *due + 1))
        out.push_back(*due);
    return out;
}

ProgramCheck checkProgram(std::string_view target, std::string_view pathList) {
    ProgramCheck check;
    const std::string name(target);
    if (name.empty()) {
        check.problem = "The alarm names no program to run.";
        return check;
    }
    const auto runnable = [](const std::filesystem::path& p) {
        struct stat info {};
        return ::stat(p.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(p.c_str(), X_OK) == 0;
    };
    if (name.find('/') != std::string::npos) {
        check.program = name;
        struct stat info {};
        if (::stat(name.c_str(), &info) != 0)
            check.problem = "The alarm's program \"" + name + "\" does not exist.";
        else if (!runnable(name))
            check.problem = "The alarm's program \"" + name + "\" is not a program that can be run.";
        return check;
    }
    std::size_t start = 0;
    while (start <= pathList.size()) {
        std::size_t end = pathList.find(':', start);
        if (end == std::string_view::npos) end = pathList.size();
        const std::string_view dir = pathList.substr(start, end - start);
        if (!dir.empty()) {  // an empty entry would mean the current folder: not searched
            const std::filesystem::path candidate = std::filesystem::path(std::string(dir)) / name;
            if (runnable(candidate)) {
                check.program = candidate;
                return check;
            }
        }
        start = end + 1;
    }
    check.problem = "The alarm's program \"" + name + "\" was not found.";
    return check;
}

std::string alarmsToText(const std::vector<Alarm>& alarms) {
    std::string out = "# Zorv Advanced Calculator alarms: one [Alarm] section each\n"
                      "# (values escaped: \\n \\r \\t \\0 \\\\ \\xHH).\n";
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        const Alarm& a = alarms[i];
        out += "[Alarm " + std::to_string(i + 1) + "]\n";
        out += "When=" + alarmWhenText(a) + "\n";
        out += "Repeat=" + std::string(repeatName(a.repeat)) + "\n";
        out += "Message=" + escapeValue(a.message) + "\n";
        out += "Action=" + std::string(actionName(a.action)) + "\n";
        if (a.action != AlarmAction::Reminder || !a.target.empty()) out += "Target=" + escapeValue(a.target) + "\n";
        if (a.action == AlarmAction::Run)
            for (const std::string& arg : a.arguments) out += "Argument=" + escapeValue(arg) + "\n";
        out += std::string("Enabled=") + (a.enabled ? "true" : "false") + "\n";
    }
    return out;
}

std::string AlarmsLoad::report(std::string_view fileName) const { return loadReport(error, fileName, skipped); }

AlarmsLoad parseAlarms(std::string_view text) {
    AlarmsLoad load;
    const std::vector<std::string_view> lines = fileLines(text);

    struct Pending {
        int headerLine = 0;
        Alarm alarm;
        bool hasWhen = false;
        bool hasTarget = false;
        std::string fatal;  // why the alarm is not loaded
        int fatalLine = 0;
        std::vector<std::string> seen;  // single keys already given
    };
    std::optional<Pending> pending;
    bool skippingSection = false;
    const auto skip = [&](int line, std::string reason) { load.skipped.push_back({line, std::move(reason)}); };
    const auto finish = [&] {
        if (!pending) return;
        Pending& p = *pending;
        if (p.fatal.empty() && !p.hasWhen) {
            p.fatal = "the alarm has no When=";
            p.fatalLine = p.headerLine;
        }
        if (p.fatal.empty() && p.alarm.action != AlarmAction::Reminder && p.alarm.target.empty()) {
            p.fatal = "the alarm's action " + std::string(actionName(p.alarm.action)) + " has no Target=";
            p.fatalLine = p.headerLine;
        }
        if (p.fatal.empty()) {
            if (p.alarm.action != AlarmAction::Run) p.alarm.arguments.clear();
            load.alarms.push_back(std::move(p.alarm));
        } else {
            skip(p.fatalLine, p.fatal + "; it is not loaded");
        }
        pending.reset();
    };

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::string_view line = lines[i];
        const FileLine kind = classifyLine(line);
        if (kind.kind == FileLine::Kind::Nothing) continue;
        if (kind.kind == FileLine::Kind::Section) {
            finish();
            const std::string_view name = kind.sectionName;
            const std::string_view word = name.substr(0, std::min<std::size_t>(5, name.size()));
            std::string_view rest = name.substr(word.size());
            bool numbered = !rest.empty() && (rest.front() == ' ' || rest.front() == '\t');
            rest = trimBlanks(rest);
            numbered = numbered && !rest.empty() &&
                       std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (equalsIgnoringCase(word, "Alarm") && (rest.empty() || numbered)) {
                pending.emplace();
                pending->headerLine = lineNumber;
                skippingSection = false;
            } else {
                skip(lineNumber, "unknown section [" + escapeValue(name.substr(0, 30)) + "]; it is not read");
                skippingSection = true;
            }
            continue;
        }
        if (skippingSection) continue;
        if (!pending) {
            skip(lineNumber, "outside any [Alarm] section");
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            skip(lineNumber, "not a Key=value line");
            continue;
        }
        Pending& p = *pending;
        const std::string key = lower(line.substr(0, eq));
        bool damaged = false;
        std::string value = unescapeValue(line.substr(eq + 1), &damaged);
        if (damaged) skip(lineNumber, "a backslash not followed by n, r, t, 0, \\ or xHH was kept as it is");
        const auto fail = [&](std::string reason) {
            if (p.fatal.empty()) {
                p.fatal = std::move(reason);
                p.fatalLine = lineNumber;
            }
        };
        if (key != "argument") {
            if (std::find(p.seen.begin(), p.seen.end(), key) != p.seen.end()) {
                skip(lineNumber, "a second " + std::string(trimBlanks(line.substr(0, eq))) + "= in the alarm");
                continue;
            }
            p.seen.push_back(key);
        }
        if (key == "when") {
            try {
                const AlarmWhen when = parseAlarmWhen(value, kFileYears);
                p.alarm.date = when.date;
                p.alarm.minuteOfDay = when.minuteOfDay;
                p.hasWhen = true;
            } catch (const timedate::InputError& e) {
                fail(withoutFinalStop(e.what()));
            }
        } else if (key == "repeat") {
            if (const auto r = repeatFromName(value)) p.alarm.repeat = *r;
            else fail("\"" + escapeValue(value.substr(0, 30)) + "\" is not a repeat (once, daily, weekdays, "
                      "weekly, monthly, yearly)");
        } else if (key == "action") {
            if (const auto a = actionFromName(value)) p.alarm.action = *a;
            else fail("\"" + escapeValue(value.substr(0, 30)) + "\" is not an action (reminder, sound, open, run)");
        } else if (key == "message") {
            p.alarm.message = std::move(value);
        } else if (key == "target") {
            p.alarm.target = std::move(value);
        } else if (key == "argument") {
            p.alarm.arguments.push_back(std::move(value));
        } else if (key == "enabled") {
            const std::string v = lower(value);
            if (v == "true" || v == "yes" || v == "1") {
                p.alarm.enabled = true;
            } else if (v == "false" || v == "no" || v == "0") {
                p.alarm.enabled = false;
            } else {
                p.alarm.enabled = false;
                skip(lineNumber, "Enabled= is neither true nor false; the alarm is loaded disabled");
            }
        } else {
            skip(lineNumber, "unknown key \"" + escapeValue(trimBlanks(line.substr(0, std::min<std::size_t>(eq, 30)))) +
                                 "\"");
        }
    }
    finish();
    std::stable_sort(load.skipped.begin(), load.skipped.end(),
                     [](const SkippedLine& a, const SkippedLine& b) { return a.line < b.line; });
    return load;
}

AlarmsLoad readAlarmsFile(const std::filesystem::path& path) {
    return readFileWith(path, kMaxAlarmFileBytes, "The alarms were not loaded: ", parseAlarms);
}

}  // namespace zorv::notes
