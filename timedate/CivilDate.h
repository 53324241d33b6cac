#pragma once

#include <compare>
#include <string>
#include <string_view>

namespace zorv::timedate {

// The years dates may fall in (the calendar's "Start Year" .. "End Year").
// Dates outside are refused with a message, so every count and every result
// stays within a few hundred thousand days.
struct YearRange {
    int first = 1500;
    int last = 2400;

    bool contains(int year) const { return year >= first && year <= last; }
    // A range read from settings may be damaged: years outside 1..9999 or
    // first after last give the default range.
    YearRange sanitized() const;
};

bool isLeapYear(long long year);
int daysInMonth(long long year, int month);  // month 1..12
std::string_view monthName(int month);       // "January" .. "December"

// ISO 8601 numbering: Monday is 1, Sunday 7.
enum class Weekday { Monday = 1, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday };
std::string_view weekdayName(Weekday day);

struct IsoWeek {
    int year = 0;  // the ISO year, which differs from the calendar year near 1 January
    int week = 0;  // 1..53
};

// A day of the proleptic Gregorian calendar (astronomical year numbering),
// held as the count of days since 1970-01-01. Year, month and day are
// computed from the count; the class itself takes any day, the range check
// belongs to the functions that read text or move a date.
class Date {
public:
    constexpr Date() = default;
    static constexpr Date fromDayNumber(long long days) { Date d; d.days_ = days; return d; }
    // No check: month 1..12 and day 1..daysInMonth are the caller's promise.
    static Date fromCivil(long long year, int month, int day);

    long long dayNumber() const { return days_; }
    int year() const;
    int month() const;
    int day() const;

    Weekday weekday() const;
    bool isWeekend() const { return weekday() >= Weekday::Saturday; }
    int dayOfYear() const;       // 1..366
    int daysLeftInYear() const;  // 0 on 31 December
    IsoWeek isoWeek() const;

    Date plusDays(long long n) const { return fromDayNumber(days_ + n); }
    friend long long operator-(Date a, Date b) { return a.days_ - b.days_; }
    friend auto operator<=>(Date a, Date b) = default;

    std::string isoText() const;  // "2024-02-29", four-digit year

private:
    long long days_ = 0;
};

// Checks a date typed as numbers against the calendar and the year range and
// says what is wrong with it: year 0, a year outside the range, month 13,
// 30 February. `shown` is the text as typed, quoted in the message.
Date checkedDate(long long year, long long month, long long day, const YearRange& range,
                 std::string_view shown);

// Throws InputError when `date` lies outside the range, naming what was
// being computed ("2400-12-31 + 1 day").
void requireInRange(Date date, const YearRange& range, std::string_view what);

// Calendar arithmetic. Months and years clamp to the month's last day
// (31 January + 1 month = 29 February 2024, 29 February + 1 year = 28
// February). Every result is checked against the range; a result outside,
// or an amount too large for any range, is an InputError.
Date addDays(Date date, long long days, const YearRange& range);
Date addWeeks(Date date, long long weeks, const YearRange& range);
Date addMonths(Date date, long long months, const YearRange& range);
Date addYears(Date date, long long years, const YearRange& range);

// The largest whole number of months m with addMonths(from, m) not after
// `to` (for from <= to), and the days left over: adding the months and then
// the days to `from` gives `to`. For from > to both parts are negative and
// adding them likewise leads back.
struct MonthSpan {
    long long years = 0;
    long long months = 0;  // 0..11 beside the years
    long long days = 0;
};
MonthSpan monthSpan(Date from, Date to);

}  // namespace zorv::timedate
