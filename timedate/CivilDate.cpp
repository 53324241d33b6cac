#include "CivilDate.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "InputError.h"

namespace zorv::timedate {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

// Beyond any calendar range this system allows (years 1..9999 span about
// 3.7 million days); amounts above this are refused before any arithmetic,
// so nothing below can overflow.
constexpr long long kMaxAmountDays = 10'000'000;
constexpr long long kMaxAmountMonths = 200'000;

long long floorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1970-01-01 of a proleptic Gregorian date. The year is shifted
// to start in March so that the leap day is the last day of the shifted year;
// then 400-year eras of 146097 days repeat exactly.
long long daysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = floorDiv(y, 400);
    const long long yearOfEra = y - era * 400;                                  // 0..399
    const long long dayOfShiftedYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;  // 0..365
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfShiftedYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Civil {
    long long year;
    int month;
    int day;
};

Civil civilFromDays(long long z) {
    z += 719468;
    const long long era = floorDiv(z, 146097);
    const long long dayOfEra = z - era * 146097;  // 0..146096
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // 0..399
    const long long dayOfShiftedYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfShiftedYear + 2) / 153;  // 0 = March
    const int day = static_cast<int>(dayOfShiftedYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2), month, day};
}

std::string rangeText(const YearRange& r) {
    return "the calendar's years " + std::to_string(r.first) + " to " + std::to_string(r.last);
}

}  // namespace

YearRange YearRange::sanitized() const {
    if (first < 1 || last > 9999 || first > last) return {};
    return *this;
}

bool isLeapYear(long long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(long long year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

std::string_view monthName(int month) { return kMonthNames[static_cast<std::size_t>(month - 1)]; }

std::string_view weekdayName(Weekday day) { return kWeekdayNames[static_cast<std::size_t>(day) - 1]; }

Date Date::fromCivil(long long year, int month, int day) { return fromDayNumber(daysFromCivil(year, month, day)); }

int Date::year() const { return static_cast<int>(civilFromDays(days_).year); }
int Date::month() const { return civilFromDays(days_).month; }
int Date::day() const { return civilFromDays(days_).day; }

Weekday Date::weekday() const {
    // 1970-01-01 was a Thursday.
    const long long fromMonday = days_ + 3 - floorDiv(days_ + 3, 7) * 7;
    return static_cast<Weekday>(fromMonday + 1);
}

int Date::dayOfYear() const { return static_cast<int>(days_ - daysFromCivil(year(), 1, 1)) + 1; }

int Date::daysLeftInYear() const { return static_cast<int>(daysFromCivil(year(), 12, 31) - days_); }

IsoWeek Date::isoWeek() const {
    // The ISO week belongs to the year that holds its Thursday.
    const Date thursday = plusDays(4 - static_cast<int>(weekday()));
    return {thursday.year(), (thursday.dayOfYear() - 1) / 7 + 1};
}

std::string Date::isoText() const {
    const Civil c = civilFromDays(days_);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04lld-%02d-%02d", c.year, c.month, c.day);
    return buf;
}

Date checkedDate(long long year, long long month, long long day, const YearRange& range,
                 std::string_view shown) {
    const std::string quoted = "\"" + std::string(shown) + "\"";
    if (year == 0) throw InputError(quoted + " is not a date: there is no year 0.");
    if (year < range.first || year > range.last)
        throw InputError(quoted + ": year " + std::to_string(year) + " is outside " + rangeText(range) + ".");
    if (month < 1 || month > 12)
        throw InputError(quoted + " is not a date: there is no month " + std::to_string(month) + ".");
    const int m = static_cast<int>(month);
    const int last = daysInMonth(year, m);
    if (day < 1 || day > last) {
        std::string name = std::string(monthName(m)) + " " + std::to_string(year);
        throw InputError(quoted + " is not a date: " + (day < 1 ? "there is no day 0" :
                         std::to_string(day) + " " + std::string(monthName(m)) + " does not exist") +
                         " (" + name + " has " + std::to_string(last) + " days).");
    }
    return Date::fromCivil(year, m, static_cast<int>(day));
}

void requireInRange(Date date, const YearRange& range, std::string_view what) {
    if (!range.contains(date.year()))
        throw InputError(std::string(what) + " falls outside " + rangeText(range) + ".");
}

namespace {

std::string amountText(long long n, std::string_view unit) {
    std::string s = (n < 0 ? "- " : "+ ") + std::to_string(n < 0 ? -n : n) + " " + std::string(unit);
    if (n != 1 && n != -1) s += "s";
    return s;
}

void requireAmount(long long n, long long limit, Date date, std::string_view unit, const YearRange& range) {
    if (n > limit || n < -limit)
        throw InputError(date.isoText() + " " + amountText(n, unit) + " falls outside " + rangeText(range) + ".");
}

}  // namespace

Date addDays(Date date, long long days, const YearRange& range) {
    requireAmount(days, kMaxAmountDays, date, "day", range);
    const Date result = date.plusDays(days);
    requireInRange(result, range, date.isoText() + " " + amountText(days, "day"));
    return result;
}

Date addWeeks(Date date, long long weeks, const YearRange& range) {
    requireAmount(weeks, kMaxAmountDays / 7, date, "week", range);
    const Date result = date.plusDays(weeks * 7);
    requireInRange(result, range, date.isoText() + " " + amountText(weeks, "week"));
    return result;
}

Date addMonths(Date date, long long months, const YearRange& range) {
    requireAmount(months, kMaxAmountMonths, date, "month", range);
    const long long index = static_cast<long long>(date.year()) * 12 + (date.month() - 1) + months;
    const long long year = floorDiv(index, 12);
    const int month = static_cast<int>(index - year * 12) + 1;
    const int day = std::min(date.day(), daysInMonth(year, month));
    const Date result = Date::fromCivil(year, month, day);
    requireInRange(result, range, date.isoText() + " " + amountText(months, "month"));
    return result;
}

Date addYears(Date date, long long years, const YearRange& range) {
    requireAmount(years, kMaxAmountMonths / 12, date, "year", range);
    try {
        return addMonths(date, years * 12, range);
    } catch (const InputError&) {
        throw InputError(date.isoText() + " " + amountText(years, "year") + " falls outside " +
                         rangeText(range) + ".");
    }
}

MonthSpan monthSpan(Date from, Date to) {
    auto shifted = [&](long long m) {
        const long long index = static_cast<long long>(from.year()) * 12 + (from.month() - 1) + m;
        const long long y = floorDiv(index, 12);
        const int month = static_cast<int>(index - y * 12) + 1;
        return Date::fromCivil(y, month, std::min(from.day(), daysInMonth(y, month)));
    };
    long long months = (static_cast<long long>(to.year()) - from.year()) * 12 + (to.month() - from.month());
    // The raw month difference overshoots by at most one when the day of
    // the month has not been reached yet.
    if (from <= to) {
        while (months > 0 && shifted(months) > to) --months;
    } else {
        while (months < 0 && shifted(months) < to) ++months;
    }
    return {months / 12, months % 12, to - shifted(months)};
}

}  // namespace zorv::timedate
