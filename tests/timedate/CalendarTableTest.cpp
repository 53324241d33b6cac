// Date arithmetic checked against calendar-cases.csv, whose expected values
// were computed with Python's datetime (see data/README.md).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "timedate/CivilDate.h"
#include "timedate/DateFormat.h"
#include "timedate/Holidays.h"

using namespace zorv::timedate;

namespace {

const YearRange kRange{1500, 2400};

std::vector<std::vector<std::string>> readCases() {
    std::ifstream in(std::string(TIMEDATE_TEST_DATA) + "/calendar-cases.csv");
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, ',')) cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

Date iso(const std::string& text) { return DateFormat().parse(text, kRange); }
long long num(const std::string& text) { return std::stoll(text); }

HolidayList sampleHolidays() {
    return HolidayList::readFile(std::string(TIMEDATE_TEST_DATA) + "/holidays-sample.txt", kRange);
}

}  // namespace

TEST(CalendarTable, EveryCaseMatchesPython) {
    const auto rows = readCases();
    ASSERT_GE(rows.size(), 40u);
    const HolidayList holidays = sampleHolidays();
    int checked = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(r[0] + " " + r[1] + " " + r[2]);
        const Date a = iso(r[1]);
        if (r[0] == "diff") {
            const Date b = iso(r[2]);
            EXPECT_EQ(b - a, num(r[3]));
            const MonthSpan s = monthSpan(a, b);
            EXPECT_EQ(s.years, num(r[4]));
            EXPECT_EQ(s.months, num(r[5]));
            EXPECT_EQ(s.days, num(r[6]));
        } else if (r[0] == "addmonths") {
            EXPECT_EQ(addMonths(a, num(r[2]), kRange).isoText(), r[3]);
        } else if (r[0] == "addyears") {
            EXPECT_EQ(addYears(a, num(r[2]), kRange).isoText(), r[3]);
        } else if (r[0] == "adddays") {
            EXPECT_EQ(addDays(a, num(r[2]), kRange).isoText(), r[3]);
        } else if (r[0] == "info") {
            EXPECT_EQ(static_cast<int>(a.weekday()), num(r[2]));
            EXPECT_EQ(a.dayOfYear(), num(r[3]));
            EXPECT_EQ(a.isoWeek().year, num(r[4]));
            EXPECT_EQ(a.isoWeek().week, num(r[5]));
            EXPECT_EQ(a.daysLeftInYear(), num(r[6]));
        } else if (r[0] == "workdays") {
            const Date b = iso(r[2]);
            EXPECT_EQ(countWorkdays(a, b, false, holidays), num(r[3]));
            EXPECT_EQ(countWorkdays(a, b, true, holidays), num(r[4]));
        } else if (r[0] == "addworkdays") {
            EXPECT_EQ(addWorkdays(a, num(r[2]), holidays, kRange).isoText(), r[3]);
        } else {
            ADD_FAILURE() << "unknown kind";
            continue;
        }
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(rows.size()));
}

TEST(CalendarTable, SpanAddedBackGivesTheEndDate) {
    for (const auto& r : readCases()) {
        if (r[0] != "diff") continue;
        const Date a = iso(r[1]), b = iso(r[2]);
        const MonthSpan s = monthSpan(a, b);
        const YearRange wide{1, 9999};
        EXPECT_EQ(addDays(addMonths(a, s.years * 12 + s.months, wide), s.days, wide), b) << r[1] << " " << r[2];
    }
}

TEST(CalendarTable, SampleHolidayFileSkipsExactlyTheDamagedLines) {
    const HolidayList list = sampleHolidays();
    EXPECT_EQ(list.holidays().size(), 9u);
    std::vector<int> lines;
    for (const auto& s : list.skipped()) lines.push_back(s.line);
    EXPECT_EQ(lines, (std::vector<int>{10, 11, 13, 14, 15}));
    EXPECT_EQ(list.holidays().front().name, "New Year's Day");
    EXPECT_EQ(list.holidays()[1].name, "Good Friday");    // after a tab
    EXPECT_EQ(list.holidays()[2].name, "Easter Monday");  // leading blanks
    EXPECT_EQ(list.holidays()[4].name, "Christmas Day");  // CR LF line end
}

// Walking the day numbers through the whole default range: the day after
// each date is the next calendar day, weekdays cycle, and converting back
// and forth agrees everywhere.
TEST(CalendarTable, EveryDayOfTheRangeRoundTrips) {
    Date d = Date::fromCivil(1500, 1, 1);
    const Date end = Date::fromCivil(2400, 12, 31);
    int weekday = static_cast<int>(d.weekday());
    for (; d <= end; d = d.plusDays(1)) {
        const int y = d.year(), m = d.month(), day = d.day();
        ASSERT_EQ(Date::fromCivil(y, m, day), d);
        ASSERT_GE(day, 1);
        ASSERT_LE(day, daysInMonth(y, m));
        ASSERT_EQ(static_cast<int>(d.weekday()), weekday);
        weekday = weekday % 7 + 1;
    }
}
