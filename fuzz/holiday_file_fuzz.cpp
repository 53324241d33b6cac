// Hostile holiday files: the reader never fails on content, keeps what is
// valid (sorted, each date once, all within range) and reports the rest by
// line number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "timedate/Holidays.h"

using namespace zorv::timedate;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const YearRange range{1500, 2400};
    const HolidayList list = HolidayList::parse(text, range);

    for (std::size_t i = 0; i < list.holidays().size(); ++i) {
        const Date d = list.holidays()[i].date;
        if (!range.contains(d.year()) || !list.contains(d)) std::abort();
        if (i > 0 && !(list.holidays()[i - 1].date < d)) std::abort();
    }
    int previous = 0;
    for (const SkippedLine& s : list.skipped()) {
        if (s.line <= previous || s.reason.empty()) std::abort();
        previous = s.line;
    }
    if (!list.skipped().empty() && list.skippedReport().empty()) std::abort();

    if (!list.holidays().empty()) {
        const Date first = list.holidays().front().date;
        const long long within = countWorkdays(first, first.plusDays(30), true, list);
        if (within < 0 || within > 31) std::abort();
    }
    return 0;
}
