#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "CivilDate.h"

namespace zorv::timedate {

// The holiday file, kept by the user in the data folder as "holidays.txt":
// plain UTF-8 text, one holiday per line.
//
//     # Public holidays 2025          <- a comment: '#' first on the line
//     2025-01-01 New Year's Day      <- an ISO date, then an optional name
//     2025-12-25                     <- a date alone
//
// Blank lines and comments are ignored; blanks and tabs around the parts and
// CR LF line ends are fine, and a UTF-8 byte order mark at the start is
// skipped. Dates are always ISO (YYYY-MM-DD), whatever the locale, so the
// file means the same everywhere. A line that is not a date, a date outside
// the calendar's years or a date listed twice is skipped and reported; every
// valid line is still used. Holidays on a Saturday or Sunday change nothing.
inline constexpr std::string_view kHolidayFileName = "holidays.txt";

struct Holiday {
    Date date;
    std::string name;
};

struct SkippedLine {
    int line = 0;  // 1-based
    std::string reason;
};

class HolidayList {
public:
    HolidayList() = default;
    explicit HolidayList(std::vector<Holiday> holidays);  // sorts; later duplicates dropped

    const std::vector<Holiday>& holidays() const { return holidays_; }
    const std::vector<SkippedLine>& skipped() const { return skipped_; }
    bool contains(Date date) const;
    // Holidays on weekdays within [from, to).
    long long countWeekdayHolidays(Date from, Date to) const;

    // "holidays.txt: 2 lines skipped: line 3: ...; line 7: ..." (empty when
    // nothing was skipped), at most a few lines spelt out.
    std::string skippedReport(std::string_view fileName = kHolidayFileName) const;

    static HolidayList parse(std::string_view text, const YearRange& range);
    // Reads the file: only a regular file, opened without blocking, at most
    // 1 MB. A missing file is an empty list; a file that cannot be read
    // throws InputError.
    static HolidayList readFile(const std::filesystem::path& path, const YearRange& range);

private:
    std::vector<Holiday> holidays_;
    std::vector<SkippedLine> skipped_;
};

// Monday to Friday and not a holiday.
bool isWorkday(Date date, const HolidayList& holidays);

// Working days among the days a day count covers: from `from` up to the day
// before `to`, or up to `to` itself with includeEnd. Counted from a later
// `from` backwards, the result is negative, mirroring the day count.
long long countWorkdays(Date from, Date to, bool includeEnd, const HolidayList& holidays);

// The n-th working day after `date` (before it for negative n); n = 0 gives
// the date itself. Results outside the range throw InputError.
Date addWorkdays(Date date, long long n, const HolidayList& holidays, const YearRange& range);

}  // namespace zorv::timedate
