#include "Holidays.h"

#include <algorithm>
#include <map>

#include "DateFormat.h"
#include "InputError.h"
#include "engine/RegularFile.h"

namespace zorv::timedate {

namespace {

constexpr std::size_t kMaxFileSize = 1024 * 1024;
constexpr std::size_t kReportedLines = 5;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

long long floorDiv7(long long a) { return a >= 0 ? a / 7 : -((-a + 6) / 7); }

// Monday to Friday in [from, to), from <= to.
long long countWeekdays(Date from, Date to) {
    const long long span = to - from;
    long long count = floorDiv7(span) * 5;
    for (Date d = from.plusDays(floorDiv7(span) * 7); d < to; d = d.plusDays(1))
        if (!d.isWeekend()) ++count;
    return count;
}

}  // namespace

HolidayList::HolidayList(std::vector<Holiday> holidays) : holidays_(std::move(holidays)) {
    std::stable_sort(holidays_.begin(), holidays_.end(),
                     [](const Holiday& a, const Holiday& b) { return a.date < b.date; });
    holidays_.erase(std::unique(holidays_.begin(), holidays_.end(),
                                [](const Holiday& a, const Holiday& b) { return a.date == b.date; }),
                    holidays_.end());
}

bool HolidayList::contains(Date date) const {
    return std::binary_search(holidays_.begin(), holidays_.end(), Holiday{date, {}},
                              [](const Holiday& a, const Holiday& b) { return a.date < b.date; });
}

long long HolidayList::countWeekdayHolidays(Date from, Date to) const {
    auto less = [](const Holiday& a, const Holiday& b) { return a.date < b.date; };
    auto first = std::lower_bound(holidays_.begin(), holidays_.end(), Holiday{from, {}}, less);
    auto last = std::lower_bound(holidays_.begin(), holidays_.end(), Holiday{to, {}}, less);
    return std::count_if(first, last, [](const Holiday& h) { return !h.date.isWeekend(); });
}

std::string HolidayList::skippedReport(std::string_view fileName) const {
    if (skipped_.empty()) return {};
    std::string out = std::string(fileName) + ": " + std::to_string(skipped_.size()) +
                      (skipped_.size() == 1 ? " line" : " lines") + " skipped";
    for (std::size_t i = 0; i < skipped_.size() && i < kReportedLines; ++i)
        out += (i == 0 ? ": " : "; ") + std::string("line ") + std::to_string(skipped_[i].line) + ": " +
               skipped_[i].reason;
    if (skipped_.size() > kReportedLines) out += "; ...";
    return out + ".";
}

HolidayList HolidayList::parse(std::string_view text, const YearRange& range) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const DateFormat iso;
    std::vector<Holiday> found;
    std::vector<SkippedLine> skipped;
    std::map<long long, int> lineOf;  // day number -> line that listed it, to name duplicates
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trimBlanks(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;

        std::size_t split = 0;
        while (split < line.size() && !isBlank(line[split])) ++split;
        const std::string_view dateText = line.substr(0, split);
        try {
            const Date date = iso.parse(dateText, range);
            if (dateText.size() != 10) throw InputError("\"" + std::string(dateText) + "\" is not written YYYY-MM-DD.");
            const auto [same, added] = lineOf.emplace(date.dayNumber(), lineNumber);
            if (!added) {
                skipped.push_back({lineNumber, date.isoText() + " is already listed on line " +
                                               std::to_string(same->second)});
                continue;
            }
            found.push_back({date, std::string(trimBlanks(line.substr(split)))});
        } catch (const InputError& e) {
            std::string reason = e.what();
            if (!reason.empty() && reason.back() == '.') reason.pop_back();
            skipped.push_back({lineNumber, reason});
        }
    }
    HolidayList list(std::move(found));
    list.skipped_ = std::move(skipped);
    return list;
}

HolidayList HolidayList::readFile(const std::filesystem::path& path, const YearRange& range) {
    using engine::FileRead;
    const std::string shown = path.string();
    const FileRead file = engine::readRegularFile(shown, kMaxFileSize);
    switch (file.failure) {
    case FileRead::Failure::None: return parse(file.text, range);
    case FileRead::Failure::Missing: return {};
    case FileRead::Failure::Folder:
    case FileRead::Failure::NotRegular:
        throw InputError("The holiday file " + shown + " is not a regular file; it was not read.");
    case FileRead::Failure::TooLarge:
        throw InputError("The holiday file " + shown + " is larger than 1 MB; it was not read.");
    case FileRead::Failure::Unreadable: break;
    }
    throw InputError("Cannot read the holiday file " + shown + ": " + file.reason);
}

bool isWorkday(Date date, const HolidayList& holidays) { return !date.isWeekend() && !holidays.contains(date); }

long long countWorkdays(Date from, Date to, bool includeEnd, const HolidayList& holidays) {
    // The days counted: [from, to) forwards, (to, from] backwards, plus `to`
    // itself with includeEnd.
    Date lo = from, hi = to;
    long long sign = 1;
    if (to < from) {
        lo = to.plusDays(1);
        hi = from.plusDays(1);
        sign = -1;
        if (includeEnd) lo = to;
    } else if (includeEnd) {
        hi = to.plusDays(1);
    }
    return sign * (countWeekdays(lo, hi) - holidays.countWeekdayHolidays(lo, hi));
}

Date addWorkdays(Date date, long long n, const HolidayList& holidays, const YearRange& range) {
    const std::string what = date.isoText() + (n < 0 ? " - " : " + ") + std::to_string(n < 0 ? -n : n) +
                             (n == 1 || n == -1 ? " working day" : " working days");
    // Five working days take at least a week: an amount beyond the whole
    // range is refused before walking.
    const long long rangeDays = Date::fromCivil(range.last, 12, 31) - Date::fromCivil(range.first, 1, 1);
    if (n > rangeDays || n < -rangeDays) requireInRange(Date::fromCivil(range.last + 1, 1, 1), range, what);
    const long long step = n < 0 ? -1 : 1;
    Date d = date;
    for (long long left = n < 0 ? -n : n; left > 0;) {
        d = d.plusDays(step);
        if (!range.contains(d.year())) requireInRange(d, range, what);
        if (isWorkday(d, holidays)) --left;
    }
    return d;
}

}  // namespace zorv::timedate
