#include "CalendarRunner.h"

#include "timedate/InputError.h"

namespace zorv::notes {

namespace {

CalendarOutcome failed(std::string message) {
    CalendarOutcome out;
    out.message = std::move(message);
    return out;
}

}  // namespace

std::string noteLine(const NotesBook& book, Date date) {
    const std::string text = book.note(date);
    return "note " + date.isoText() + ":" + (text.empty() ? std::string() : " " + oneLine(text));
}

CalendarOutcome runShowCalendar(NotesBook& book, const std::vector<std::string>& answers,
                                const CalendarSettings& settings) {
    if (answers.empty()) return failed("Show Calendar needs a date (YYYY-MM-DD) in batch mode.");
    try {
        const Date date = settings.dateFormat.parse(trimBlanks(answers[0]), settings.years);
        CalendarOutcome out;
        out.ok = true;
        if (answers.size() >= 2)
            out.changed = book.setNote(date, answers[1]);
        else
            out.lines.push_back(noteLine(book, date));
        return out;
    } catch (const timedate::InputError& e) {
        return failed(e.what());
    }
}

CalendarOutcome runSetAlarms(std::vector<Alarm>& alarms, const std::vector<std::string>& answers,
                             const CalendarSettings& settings) {
    if (answers.empty()) return failed("Set Alarms needs a date and time (YYYY-MM-DDTHH:MM) in batch mode.");
    Alarm alarm;
    try {
        const AlarmWhen when = parseAlarmWhen(answers[0], settings.years);
        alarm.date = when.date;
        alarm.minuteOfDay = when.minuteOfDay;
    } catch (const timedate::InputError& e) {
        return failed(e.what());
    }
    if (answers.size() > 1 && !trimBlanks(answers[1]).empty()) {
        const auto repeat = repeatFromName(answers[1]);
        if (!repeat)
            return failed("\"" + escapeValue(answers[1].substr(0, 40)) +
                          "\" is not a repeat: choose once, daily, weekdays, weekly, monthly or yearly.");
        alarm.repeat = *repeat;
    }
    if (answers.size() > 2) alarm.message = answers[2];
    if (answers.size() > 3 && !trimBlanks(answers[3]).empty()) {
        const auto action = actionFromName(answers[3]);
        if (!action)
            return failed("\"" + escapeValue(answers[3].substr(0, 40)) +
                          "\" is not an action: choose reminder, sound, open or run.");
        alarm.action = *action;
    }
    if (answers.size() > 4) alarm.target = answers[4];
    if (alarm.action != AlarmAction::Reminder && alarm.target.empty())
        return failed("The alarm's action " + std::string(actionName(alarm.action)) +
                      " needs a file, address or program.");
    if (alarm.action == AlarmAction::Run)
        for (std::size_t i = 5; i < answers.size(); ++i) alarm.arguments.push_back(answers[i]);
    alarms.push_back(std::move(alarm));
    CalendarOutcome out;
    out.ok = true;
    out.changed = true;
    return out;
}

std::vector<std::string> alarmLinesDueAt(const std::vector<Alarm>& alarms, const timedate::Instant& now,
                                         bool alarmsOn) {
    std::vector<std::string> lines;
    if (!alarmsOn) return lines;
    const LocalSeconds t = localSeconds(now);
    const LocalSeconds minuteStart = t - ((t % 60) + 60) % 60;
    for (const Alarm& alarm : alarms) {
        if (!alarm.enabled) continue;
        const auto due = nextOccurrence(alarm, minuteStart);
        if (!due || *due >= minuteStart + 60) continue;
        lines.push_back("alarm: " + (alarm.message.empty() ? localMinuteText(*due) : oneLine(alarm.message)));
    }
    return lines;
}

}  // namespace zorv::notes
