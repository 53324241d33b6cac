// Batch mode's calendar and alarm commands.
#include <gtest/gtest.h>

#include "notes/CalendarRunner.h"

using namespace zorv::notes;
using zorv::timedate::Date;
using zorv::timedate::Instant;

namespace {

Instant localInstant(int y, int m, int d, int hour, int minute, int second, int offset = 3600) {
    const long long local = Date::fromCivil(y, m, d).dayNumber() * 86400 + hour * 3600 + minute * 60 + second;
    return {local - offset, offset};
}

}  // namespace

TEST(CalendarRunner, ShowCalendarSetsShowsAndDeletes) {
    NotesBook book;
    const CalendarSettings settings{{1500, 2400}, zorv::timedate::DateFormat("dd.MM.yyyy")};
    auto out = runShowCalendar(book, {"2026-12-24", "Buy the goose\nand \\ wine\r\n"}, settings);
    EXPECT_TRUE(out.ok);
    EXPECT_TRUE(out.changed);
    EXPECT_TRUE(out.lines.empty());
    out = runShowCalendar(book, {"24.12.2026"}, settings);
    EXPECT_EQ(out.lines, std::vector<std::string>{"note 2026-12-24: Buy the goose | and \\ wine | "});
    EXPECT_FALSE(out.changed);
    out = runShowCalendar(book, {"2026-12-24", "Buy the goose\nand \\ wine\r\n"}, settings);
    EXPECT_FALSE(out.changed);
    out = runShowCalendar(book, {"2026-12-24", ""}, settings);
    EXPECT_TRUE(out.changed);
    EXPECT_FALSE(book.hasNote(Date::fromCivil(2026, 12, 24)));
    EXPECT_EQ(runShowCalendar(book, {"2026-12-24"}, settings).lines, std::vector<std::string>{"note 2026-12-24:"});

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {}, {"2026-12-32"}, {"2401-01-01", "x"}, {"yesterday"}}) {
        out = runShowCalendar(book, bad, settings);
        EXPECT_FALSE(out.ok);
        EXPECT_FALSE(out.changed);
        EXPECT_FALSE(out.message.empty());
    }
    EXPECT_TRUE(book.empty());
}

TEST(CalendarRunner, SetAlarmsAddsAndDueAlarmsPrint) {
    std::vector<Alarm> alarms;
    const CalendarSettings settings;
    EXPECT_TRUE(runSetAlarms(alarms, {"2026-12-08T09:05", "daily", "Stand-up\nRoom 4"}, settings).changed);
    EXPECT_TRUE(runSetAlarms(alarms, {"2026-12-08 09:05"}, settings).ok);
    EXPECT_TRUE(runSetAlarms(alarms, {"2026-12-09T09:05", "ONCE", "", "run", "notify-send", "a b", "c"}, settings).ok);
    ASSERT_EQ(alarms.size(), 3u);
    EXPECT_EQ(alarms[0].repeat, Repeat::Daily);
    EXPECT_EQ(alarms[1].repeat, Repeat::Once);
    EXPECT_EQ(alarms[2].action, AlarmAction::Run);
    EXPECT_EQ(alarms[2].arguments, (std::vector<std::string>{"a b", "c"}));

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {}, {"2026-12-08T25:00"}, {"2026-12-08T09:05", "hourly"}, {"2026-12-08T09:05", "daily", "m", "beep"},
             {"2026-12-08T09:05", "daily", "m", "run"}}) {
        const auto out = runSetAlarms(alarms, bad, settings);
        EXPECT_FALSE(out.ok);
        EXPECT_FALSE(out.message.empty());
    }
    EXPECT_EQ(alarms.size(), 3u);

    EXPECT_EQ(alarmLinesDueAt(alarms, localInstant(2026, 12, 8, 9, 5, 30), true),
              (std::vector<std::string>{"alarm: Stand-up | Room 4", "alarm: 2026-12-08 09:05"}));
    EXPECT_EQ(alarmLinesDueAt(alarms, localInstant(2026, 12, 9, 9, 5, 0), true),
              (std::vector<std::string>{"alarm: Stand-up | Room 4", "alarm: 2026-12-09 09:05"}));
    EXPECT_TRUE(alarmLinesDueAt(alarms, localInstant(2026, 12, 9, 9, 4, 59), true).empty());
    EXPECT_TRUE(alarmLinesDueAt(alarms, localInstant(2026, 12, 9, 9, 6, 0), true).empty());
    EXPECT_TRUE(alarmLinesDueAt(alarms, localInstant(2026, 12, 8, 9, 5, 0), false).empty());
    alarms[0].enabled = false;
    EXPECT_EQ(alarmLinesDueAt(alarms, localInstant(2026, 12, 10, 9, 5, 0, -18000), true).size(), 0u);
}
