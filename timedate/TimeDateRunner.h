#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CivilDate.h"
#include "DateFormat.h"
#include "Holidays.h"
#include "engine/Currency.h"
#include "engine/Decimal.h"
#include "engine/NumberSymbols.h"

namespace zorv::timedate {

// One entry point for every time and date calculation, shared by the window
// and batch mode: an operation name and its answers as texts, in the order
// the questions are asked. In batch mode `{Time/Date Calculations}` takes the
// operation as its first answer and the rest as the answers below.
//
//   operation    answers                      result
//   difference   from date, to date           days; weeks and days; years, months and
//                                             days (readout: days)
//   workdays     from date, to date           Monday-Friday days less holidays (readout: count)
//   add          date, amount                 date + amount; amount is "3", "3 days",
//                                             "2 weeks", "1 month", "5 years", "-3 days"
//                duration, duration           h:mm + h:mm (readout: decimal hours)
//   subtract     as add                       date - amount, or duration - duration
//   addworkdays  date, count                  the count-th working day after the date
//                                             (before it for a negative count)
//   info         date                         day of the week, day of the year, ISO week
//                                             and ISO year, days left in the year
//   hours        duration (default: readout)  decimal hours (readout), "1:45 = 1.75 h"
//   hms          duration or decimal hours    h:mm:ss ("1.75 h = 1:45:00")
//                (default: the readout)
//   sum          durations..., then an empty  timesheet tape block (readout: total in
//                answer or none left          decimal hours)
//   clockdiff    from time, to time           time between two clock times, across
//                                             midnight (readout: decimal hours)
//   bill         duration (default: the       "Bill 3:20 @ 100.00/h = 333.33"
//                readout)                     (readout: the amount)
//
// Dates are ISO (YYYY-MM-DD) or the locale's short form; durations h:mm,
// h:mm:ss or decimal hours with the locale's decimal symbol. The difference
// and workday counts follow `includeEndDate`; their tape line says which
// applies. Names are matched without regard to case.
struct TimeDateSettings {
    YearRange years;
    DateFormat dateFormat;
    engine::NumberSymbols symbols;
    bool includeEndDate = false;
    HolidayList holidays;
    engine::Currency rate = engine::Currency::fromUnits(100'0000);
    // What "bill", "hours" and "hms" offer when no duration is given: the
    // readout's text.
    std::string defaultDuration;
};

struct TimeDateOutcome {
    bool ok = false;
    std::vector<std::string> tapeLines;
    std::optional<engine::Decimal> readout;  // the value for the readout, as a whole entry
    std::string resultText;                  // the result as the window shows it ("2024-02-29")
    std::string message;                     // why it failed, for a message box
};

// Asks one question: prompt and default in, the answer out, or nothing when
// cancelled (batch mode: no answer left).
using AskFunction = std::function<std::optional<std::string>(const std::string& prompt, const std::string& defaultText)>;

TimeDateOutcome runTimeDateOperation(const TimeDateSettings& settings, std::string_view operation,
                                     const AskFunction& ask);
// The same with the answers given up front; missing answers take the
// question's default, or cancel the operation when it has none.
TimeDateOutcome runTimeDateOperation(const TimeDateSettings& settings, std::string_view operation,
                                     const std::vector<std::string>& answers);

const std::vector<std::string_view>& timeDateOperationNames();

// How the screen states the end-date choice.
std::string_view endDateWording(bool includeEndDate);

}  // namespace zorv::timedate
