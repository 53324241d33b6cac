// When alarms fall due: the occurrence table made with Python, the
// scheduler's per-tick check with a stepped clock, missed alarms and snooze.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "notes/AlarmScheduler.h"
#include "timedate/InputError.h"

using namespace zorv::notes;
using zorv::timedate::Date;
using zorv::timedate::Instant;

namespace {

constexpr zorv::timedate::YearRange kAllYears{1, 9999};

Alarm alarmAt(std::string_view when, Repeat repeat, std::string message = "m") {
    const AlarmWhen w = parseAlarmWhen(when, kAllYears);
    Alarm a;
    a.date = w.date;
    a.minuteOfDay = w.minuteOfDay;
    a.repeat = repeat;
    a.message = std::move(message);
    return a;
}

// "2026-12-08 09:05:30" as local seconds.
LocalSeconds local(std::string_view text) {
    const AlarmWhen w = parseAlarmWhen(text.substr(0, 16), kAllYears);
    const long long seconds = text.size() > 16 ? std::stoll(std::string(text.substr(17, 2))) : 0;
    return w.date.dayNumber() * 86400 + w.minuteOfDay * 60LL + seconds;
}

// A clock the test sets; the offset is part of the reading, as in the program.
struct TestClock {
    Instant now{};
    void setLocal(std::string_view text, int offset = 3600) { now = {local(text) - offset, offset}; }
    zorv::timedate::Clock clock() {
        return [this] { return now; };
    }
};

std::vector<std::string> messages(const std::vector<DueAlarm>& due) {
    std::vector<std::string> out;
    for (const DueAlarm& d : due) out.push_back(d.alarm.message);
    return out;
}

}  // namespace

TEST(AlarmOccurrences, MatchTheTableMadeWithPython) {
    std::ifstream in(std::string(NOTES_TEST_DATA) + "/alarm-occurrences.csv");
    ASSERT_TRUE(in) << "missing alarm-occurrences.csv";
    std::string line;
    std::getline(in, line);
    int rows = 0;
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string start, repeat, from, expected;
        std::getline(fields, start, ',');
        std::getline(fields, repeat, ',');
        std::getline(fields, from, ',');
        std::getline(fields, expected, ',');
        const Alarm alarm = alarmAt(start, *repeatFromName(repeat));
        const auto next = nextOccurrence(alarm, local(from));
        EXPECT_EQ(next ? localMinuteText(*next) : "none", expected) << line;
        ++rows;
    }
    EXPECT_GT(rows, 200);
}

TEST(AlarmOccurrences, MonthlyOn31stKeepsItsDayAfterShortMonths) {
    const Alarm a = alarmAt("2026-01-31T09:00", Repeat::Monthly);
    const auto times = occurrencesBetween(a, local("2026-01-01 00:00"), local("2027-01-01 00:00"));
    std::vector<std::string> days;
    for (LocalSeconds t : times) days.push_back(localMinuteText(t).substr(5, 5));
    EXPECT_EQ(days, (std::vector<std::string>{"01-31", "02-28", "03-31", "04-30", "05-31", "06-30", "07-31", "08-31",
                                              "09-30", "10-31", "11-30", "12-31"}));
}

TEST(AlarmOccurrences, WhenTextIsCheckedStrictly) {
    EXPECT_EQ(alarmWhenText(alarmAt("2026-12-08 09:05", Repeat::Once)), "2026-12-08T09:05");
    for (const char* bad : {"2026-12-08", "2026-12-08T9:05", "2026-12-08T24:00", "2026-12-08T09:60",
                            "2026-02-30T09:00", "26-12-08T09:00", "2026-12-08T09:05:00", "", "T"}) {
        EXPECT_THROW(parseAlarmWhen(bad, kAllYears), zorv::timedate::InputError) << bad;
    }
    EXPECT_THROW(parseAlarmWhen("2401-01-01T00:00", {1500, 2400}), zorv::timedate::InputError);
}

TEST(AlarmScheduler, FiresOnceAtItsMinuteAndMovesOn) {
    TestClock clock;
    clock.setLocal("2026-12-08 09:03:58");
    AlarmScheduler scheduler(clock.clock());
    scheduler.setAlarms({alarmAt("2026-12-08T09:05", Repeat::Daily, "daily"),
                         alarmAt("2026-12-08T09:04", Repeat::Once, "once")});
    EXPECT_EQ(scheduler.nextDue(), local("2026-12-08 09:04"));
    EXPECT_TRUE(scheduler.poll().empty());
    clock.setLocal("2026-12-08 09:04:00");
    EXPECT_EQ(messages(scheduler.poll()), std::vector<std::string>{"once"});
    clock.setLocal("2026-12-08 09:04:01");
    EXPECT_TRUE(scheduler.poll().empty());
    clock.setLocal("2026-12-08 09:05:00");
    const auto due = scheduler.poll();
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].due, local("2026-12-08 09:05"));
    EXPECT_EQ(scheduler.nextDue(0), local("2026-12-09 09:05"));
    EXPECT_EQ(scheduler.nextDue(1), std::nullopt);
    EXPECT_EQ(scheduler.nextDue(), local("2026-12-09 09:05"));
}

TEST(AlarmScheduler, SleepingThroughSeveralOccurrencesFiresOnce) {
    TestClock clock;
    clock.setLocal("2026-12-08 08:00:00");
    AlarmScheduler scheduler(clock.clock());
    scheduler.setAlarms({alarmAt("2026-12-08T09:05", Repeat::Daily, "daily"),
                         alarmAt("2026-12-09T07:00", Repeat::Once, "once")});
    clock.setLocal("2026-12-11 10:00:00");
    EXPECT_EQ(messages(scheduler.poll()), (std::vector<std::string>{"daily", "once"}));
    EXPECT_EQ(scheduler.nextDue(0), local("2026-12-12 09:05"));
}

TEST(AlarmScheduler, ClockChanges) {
    TestClock clock;
    clock.setLocal("2026-12-08 09:00:00");
    AlarmScheduler scheduler(clock.clock());
    scheduler.setAlarms({alarmAt("2026-12-08T09:30", Repeat::Daily, "daily")});
    clock.setLocal("2026-12-08 09:30:00");
    EXPECT_EQ(scheduler.poll().size(), 1u);
    // An hour back (a daylight-saving change): the 09:30 alarm does not fire again.
    clock.setLocal("2026-12-08 08:45:00", 0);
    EXPECT_TRUE(scheduler.poll().empty());
    clock.setLocal("2026-12-08 09:30:00", 0);
    EXPECT_TRUE(scheduler.poll().empty());
    // A clock that was a year ahead and is put right: alarms work again today.
    clock.setLocal("2027-12-08 10:00:00");
    EXPECT_EQ(scheduler.poll().size(), 1u);
    clock.setLocal("2026-12-09 09:00:00");
    EXPECT_TRUE(scheduler.poll().empty());
    EXPECT_EQ(scheduler.nextDue(0), local("2026-12-09 09:30"));
    clock.setLocal("2026-12-09 09:30:00");
    EXPECT_EQ(scheduler.poll().size(), 1u);
}

TEST(AlarmScheduler, AlarmsOffSilencesAndDoesNotSaveUp) {
    TestClock clock;
    clock.setLocal("2026-12-08 09:00:00");
    AlarmScheduler scheduler(clock.clock());
    Alarm disabled = alarmAt("2026-12-08T09:01", Repeat::Daily, "disabled");
    disabled.enabled = false;
    scheduler.setAlarms({alarmAt("2026-12-08T09:01", Repeat::Daily, "on"), disabled});
    scheduler.setAlarmsOn(false);
    clock.setLocal("2026-12-08 09:01:00");
    EXPECT_TRUE(scheduler.poll().empty());
    scheduler.setAlarmsOn(true);
    clock.setLocal("2026-12-08 09:02:00");
    EXPECT_TRUE(scheduler.poll().empty());
    EXPECT_TRUE(scheduler.missedSince(Instant{clock.now.utcSeconds - 86400, 3600}).size() == 1u);
    scheduler.setAlarmsOn(false);
    EXPECT_TRUE(scheduler.missedSince(Instant{clock.now.utcSeconds - 86400, 3600}).empty());
    scheduler.setAlarmsOn(true);
    clock.setLocal("2026-12-09 09:01:00");
    EXPECT_EQ(messages(scheduler.poll()), std::vector<std::string>{"on"});
}

TEST(AlarmScheduler, SnoozeBringsTheReminderBack) {
    TestClock clock;
    clock.setLocal("2026-12-08 09:00:00");
    AlarmScheduler scheduler(clock.clock());
    scheduler.setAlarms({alarmAt("2026-12-08T09:00", Repeat::Once, "tea")});
    auto due = scheduler.poll();
    ASSERT_EQ(due.size(), 1u);
    for (int minutes : {5, 10, 30}) {
        scheduler.snooze(due[0], minutes);
        EXPECT_EQ(scheduler.nextDue(), clock.now.utcSeconds + 3600 + minutes * 60);
        clock.now.utcSeconds += minutes * 60 - 1;
        EXPECT_TRUE(scheduler.poll().empty());
        clock.now.utcSeconds += 1;
        due = scheduler.poll();
        ASSERT_EQ(due.size(), 1u);
        EXPECT_TRUE(due[0].snoozed);
        EXPECT_EQ(due[0].alarm.message, "tea");
    }
    // A deleted alarm's snooze is dropped with it.
    scheduler.snooze(due[0], 5);
    scheduler.setAlarms({});
    clock.now.utcSeconds += 600;
    EXPECT_TRUE(scheduler.poll().empty());
    EXPECT_EQ(scheduler.nextDue(), std::nullopt);
}

TEST(AlarmScheduler, MissedWhileClosed) {
    TestClock clock;
    clock.setLocal("2026-12-10 12:00:00");
    AlarmScheduler scheduler(clock.clock());
    Alarm off = alarmAt("2026-12-09T10:00", Repeat::Once, "disabled");
    off.enabled = false;
    scheduler.setAlarms({alarmAt("2026-12-08T09:05", Repeat::Daily, "daily"),
                         alarmAt("2026-12-09T10:00", Repeat::Once, "once"),
                         alarmAt("2026-12-10T12:00", Repeat::Once, "now"),
                         alarmAt("2026-12-07T08:00", Repeat::Once, "before"), off});
    const Instant lastRun{local("2026-12-08 09:05:00") - 3600, 3600};
    const auto missed = scheduler.missedSince(lastRun);
    ASSERT_EQ(missed.size(), 2u);
    EXPECT_EQ(missed[0].alarm.message, "once");
    EXPECT_EQ(missed[0].count, 1u);
    EXPECT_EQ(missed[1].alarm.message, "daily");
    EXPECT_EQ(missed[1].count, 2u);  // the 9th and 10th; the 8th fired in the last run
    EXPECT_EQ(missed[1].firstDue, local("2026-12-09 09:05"));
    EXPECT_EQ(missed[1].lastDue, local("2026-12-10 09:05"));
    // The alarm due this very second fires at the first check, it is not missed.
    EXPECT_EQ(messages(scheduler.poll()), std::vector<std::string>{"now"});
    // Years closed: the count stops at 1000 but the latest is still right.
    scheduler.setAlarms({alarmAt("2020-01-01T07:00", Repeat::Daily, "old")});
    const auto longAgo = scheduler.missedSince(Instant{local("2020-01-01 00:00") - 3600, 3600});
    ASSERT_EQ(longAgo.size(), 1u);
    EXPECT_EQ(longAgo[0].count, 1000u);
    EXPECT_EQ(longAgo[0].firstDue, local("2020-01-01 07:00"));
    EXPECT_EQ(longAgo[0].lastDue, local("2026-12-10 07:00"));
}
