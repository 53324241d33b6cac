#include "TimeDateRunner.h"

#include <algorithm>
#include <cctype>

#include "Billing.h"
#include "Duration.h"
#include "InputError.h"

namespace zorv::timedate {

using engine::Decimal;

namespace {

// Thrown when a question is cancelled: the operation ends quietly.
struct Cancelled {};

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string plural(long long n, std::string_view unit) {
    return std::to_string(n) + " " + std::string(unit) + (n == 1 || n == -1 ? "" : "s");
}

class Operation {
public:
    Operation(const TimeDateSettings& s, const AskFunction& ask) : s_(s), ask_(ask) {}

    TimeDateOutcome run(std::string_view name) {
        const std::string op = lower(trimmed(name));
        if (op == "difference") return difference();
        if (op == "workdays") return workdays();
        if (op == "add") return addOrSubtract(false);
        if (op == "subtract") return addOrSubtract(true);
        if (op == "addworkdays") return addWorkdaysOp();
        if (op == "info") return info();
        if (op == "hours") return hours();
        if (op == "hms") return hms();
        if (op == "sum") return sum();
        if (op == "clockdiff") return clockDiff();
        if (op == "bill") return bill();
        std::string names;
        for (std::string_view n : timeDateOperationNames()) names += (names.empty() ? "" : ", ") + std::string(n);
        throw InputError("\"" + std::string(trimmed(name).substr(0, 40)) + "\" is not a time or date calculation: " +
                         "choose one of " + names + ".");
    }

private:
    std::string askText(const std::string& prompt, const std::string& defaultText = {}) {
        std::optional<std::string> answer = ask_(prompt, defaultText);
        if (!answer) throw Cancelled{};
        return *answer;
    }

    std::string datePrompt(std::string_view what) const {
        return std::string(what) + " (YYYY-MM-DD" +
               (s_.dateFormat.hasLocaleForm() ? " or " + s_.dateFormat.hint() : std::string()) + ")";
    }

    // A date and the form to answer in: ISO when it was typed ISO.
    Date askDate(std::string_view what, bool* typedIso = nullptr) {
        return s_.dateFormat.parse(askText(datePrompt(what)), s_.years, typedIso);
    }

    std::string shown(Date d, bool iso) const { return iso ? d.isoText() : s_.dateFormat.format(d); }

    Duration askDuration(const std::string& prompt, const std::string& defaultText = {}) {
        return Duration::parse(askText(prompt, defaultText), s_.symbols);
    }

    std::string hoursText(const Decimal& h) const { return h.toString(s_.symbols.decimal); }

    TimeDateOutcome difference() {
        bool isoA = true, isoB = true;
        const Date a = askDate("From date", &isoA);
        const Date b = askDate("To date", &isoB);
        // With the end date included the count covers one day more, in the
        // direction of the span.
        const Date end = !s_.includeEndDate ? b : b.plusDays(b < a ? -1 : 1);
        const long long days = end - a;
        const long long magnitude = days < 0 ? -days : days;
        const MonthSpan span = monthSpan(a, end);
        const std::string sign = days < 0 ? "-" : "";
        std::string ymd;
        auto part = [&](long long n, std::string_view unit) {
            if (n != 0) ymd += (ymd.empty() ? "" : " ") + plural(n < 0 ? -n : n, unit);
        };
        part(span.years, "year");
        part(span.months, "month");
        part(span.days, "day");
        if (ymd.empty()) ymd = "0 days";
        std::string weeks = plural(magnitude / 7, "week");
        if (magnitude % 7 != 0) weeks += " " + plural(magnitude % 7, "day");

        TimeDateOutcome out;
        out.ok = true;
        out.tapeLines.push_back(shown(a, isoA && isoB) + " to " + shown(b, isoA && isoB) + " = " + sign +
                                plural(magnitude, "day") + " = " + sign + weeks + " = " + sign + ymd);
        out.tapeLines.emplace_back(endDateWording(s_.includeEndDate));
        out.readout = Decimal(days);
        out.resultText = std::to_string(days);
        return out;
    }

    TimeDateOutcome workdays() {
        bool isoA = true, isoB = true;
        const Date a = askDate("From date", &isoA);
        const Date b = askDate("To date", &isoB);
        const long long count = countWorkdays(a, b, s_.includeEndDate, s_.holidays);
        // The holidays among the days counted, as countWorkdays takes them.
        const bool forwards = a <= b;
        const Date lo = forwards ? a : (s_.includeEndDate ? b : b.plusDays(1));
        const Date hi = forwards ? (s_.includeEndDate ? b.plusDays(1) : b) : a.plusDays(1);
        const long long holidays = s_.holidays.countWeekdayHolidays(lo, hi);
        TimeDateOutcome out;
        out.ok = true;
        std::string line = "Working days " + shown(a, isoA && isoB) + " to " + shown(b, isoA && isoB) + " = " +
                           std::to_string(count);
        if (!s_.holidays.holidays().empty())
            line += " (" + plural(holidays, "holiday") + " left out)";
        out.tapeLines.push_back(line);
        out.tapeLines.emplace_back(endDateWording(s_.includeEndDate));
        out.readout = Decimal(count);
        out.resultText = std::to_string(count);
        return out;
    }

    // "3", "3 days", "-2 weeks", "1 month", "10 years": a whole number and
    // an optional unit (days when left out).
    enum class Unit { Day, Week, Month, Year };
    struct Amount {
        long long n;
        Unit unit;
    };

    static Amount parseAmount(std::string_view typed) {
        const std::string_view text = trimmed(typed);
        const std::string bad = "\"" + std::string(text.substr(0, 40)) +
                                "\" is not an amount: type a whole number and days, weeks, months or years (\"1 month\").";
        std::size_t i = 0;
        bool negative = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
        while (i < text.size() && text[i] == ' ') ++i;
        long long n = 0;
        std::size_t digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (++digits > 9) throw InputError("\"" + std::string(text.substr(0, 40)) + "\" is too large an amount.");
            n = n * 10 + (text[i++] - '0');
        }
        if (digits == 0) throw InputError(bad);
        const std::string unit = lower(trimmed(text.substr(i)));
        Amount a{negative ? -n : n, Unit::Day};
        if (unit.empty() || unit == "d" || unit == "day" || unit == "days") a.unit = Unit::Day;
        else if (unit == "w" || unit == "week" || unit == "weeks") a.unit = Unit::Week;
        else if (unit == "month" || unit == "months") a.unit = Unit::Month;
        else if (unit == "y" || unit == "year" || unit == "years") a.unit = Unit::Year;
        else throw InputError(bad);
        return a;
    }

    // Text that can only be meant as a time: a colon, or a bare decimal
    // number of hours.
    static bool looksLikeDuration(std::string_view text) {
        std::string_view t = trimmed(text);
        if (t.find(':') != std::string_view::npos) return true;
        if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
        bool digit = false;
        for (char c : t) {
            if (c >= '0' && c <= '9') digit = true;
            else if (c != '.' && c != ',' && c != ' ' && c != 'h' && c != 'H') return false;
        }
        return digit;
    }

    TimeDateOutcome addOrSubtract(bool subtract) {
        const std::string first = askText("Date or time (YYYY-MM-DD" +
                                          (s_.dateFormat.hasLocaleForm() ? " or " + s_.dateFormat.hint() : std::string()) +
                                          ", or h:mm)");
        bool iso = true;
        Date date;
        try {
            date = s_.dateFormat.parse(first, s_.years, &iso);
        } catch (const InputError&) {
            if (!looksLikeDuration(first)) throw;
            return addDurations(Duration::parse(first, s_.symbols), subtract);
        }
        Amount amount = parseAmount(askText(std::string(subtract ? "Subtract" : "Add") +
                                            " how much (days, weeks, months or years)", "1 day"));
        if (subtract) amount.n = -amount.n;
        Date result;
        std::string unit;
        switch (amount.unit) {
        case Unit::Day: result = addDays(date, amount.n, s_.years); unit = "day"; break;
        case Unit::Week: result = addWeeks(date, amount.n, s_.years); unit = "week"; break;
        case Unit::Month: result = addMonths(date, amount.n, s_.years); unit = "month"; break;
        case Unit::Year: result = addYears(date, amount.n, s_.years); unit = "year"; break;
        }
        TimeDateOutcome out;
        out.ok = true;
        out.resultText = shown(result, iso);
        out.tapeLines.push_back(shown(date, iso) + (amount.n < 0 ? " - " : " + ") +
                                plural(amount.n < 0 ? -amount.n : amount.n, unit) + " = " + out.resultText + " " +
                                std::string(weekdayName(result.weekday())));
        return out;
    }

    TimeDateOutcome addDurations(const Duration& a, bool subtract) {
        const Duration b = askDuration(subtract ? "Time to subtract (h:mm)" : "Time to add (h:mm)");
        const Duration result = subtract ? a - b : a + b;
        const std::string& ds = s_.symbols.decimal;
        TimeDateOutcome out;
        out.ok = true;
        out.resultText = result.text(ds);
        out.tapeLines.push_back(a.text(ds) + (subtract ? " - " : " + ") + b.text(ds) + " = " + out.resultText);
        out.readout = result.hours();
        return out;
    }

    TimeDateOutcome addWorkdaysOp() {
        bool iso = true;
        const Date date = askDate("Date", &iso);
        const std::string countText = askText("Working days to add (negative to go back)", "1");
        const Amount amount = parseAmount(countText);
        if (amount.unit != Unit::Day)
            throw InputError("Type the number of working days as a whole number (\"10\" or \"-10\").");
        const Date result = addWorkdays(date, amount.n, s_.holidays, s_.years);
        TimeDateOutcome out;
        out.ok = true;
        out.resultText = shown(result, iso);
        const long long m = amount.n < 0 ? -amount.n : amount.n;
        out.tapeLines.push_back(shown(date, iso) + (amount.n < 0 ? " - " : " + ") +
                                (m == 1 ? std::string("1 working day") : std::to_string(m) + " working days") + " = " +
                                out.resultText + " " + std::string(weekdayName(result.weekday())));
        return out;
    }

    TimeDateOutcome info() {
        bool iso = true;
        const Date date = askDate("Date", &iso);
        const IsoWeek week = date.isoWeek();
        TimeDateOutcome out;
        out.ok = true;
        out.resultText = std::string(weekdayName(date.weekday()));
        out.tapeLines.push_back(shown(date, iso) + " " + out.resultText);
        out.tapeLines.push_back("Day " + std::to_string(date.dayOfYear()) + " of " +
                                std::to_string(isLeapYear(date.year()) ? 366 : 365) + ", ISO week " +
                                std::to_string(week.week) + " of " + std::to_string(week.year) + ", " +
                                plural(date.daysLeftInYear(), "day") + " left in the year");
        return out;
    }

    TimeDateOutcome hours() {
        const Duration d = askDuration("Time (h:mm or h:mm:ss)", s_.defaultDuration);
        TimeDateOutcome out;
        out.ok = true;
        out.readout = d.hours();
        out.resultText = hoursText(*out.readout);
        out.tapeLines.push_back(d.text(s_.symbols.decimal) + " = " + out.resultText + " h");
        return out;
    }

    TimeDateOutcome hms() {
        const Duration d = askDuration("Time (decimal hours or h:mm)", s_.defaultDuration);
        TimeDateOutcome out;
        out.ok = true;
        out.resultText = d.textWithSeconds(s_.symbols.decimal);
        out.tapeLines.push_back(hoursText(d.hours()) + " h = " + out.resultText);
        return out;
    }

    TimeDateOutcome sum() {
        static constexpr int kMaxEntries = 100'000;
        Timesheet sheet;
        for (int n = 1; n <= kMaxEntries; ++n) {
            std::optional<std::string> answer =
                ask_("Time " + std::to_string(n) + " (h:mm; an empty answer ends the column)", {});
            if (!answer || trimmed(*answer).empty()) break;
            try {
                sheet.add(Duration::parse(*answer, s_.symbols));
            } catch (const InputError& e) {
                throw InputError("Time " + std::to_string(n) + ": " + e.what());
            }
        }
        if (sheet.entries().empty()) throw Cancelled{};
        TimeDateOutcome out;
        out.ok = true;
        out.tapeLines = sheet.tapeLines(s_.symbols.decimal);
        out.readout = sheet.total().hours();
        out.resultText = sheet.total().text(s_.symbols.decimal);
        return out;
    }

    TimeDateOutcome clockDiff() {
        const ClockTime from = ClockTime::parse(askText("From time of day (hh:mm)"));
        const ClockTime to = ClockTime::parse(askText("To time of day (hh:mm)"));
        const Duration d = clockDifference(from, to);
        TimeDateOutcome out;
        out.ok = true;
        out.resultText = d.text(s_.symbols.decimal);
        out.readout = d.hours();
        out.tapeLines.push_back(from.text() + " to " + to.text() + " = " + out.resultText);
        return out;
    }

    TimeDateOutcome bill() {
        const std::string& ds = s_.symbols.decimal;
        const Duration d = askDuration("Time to bill at " + rateText(s_.rate, ds) + "/h (h:mm or decimal hours)",
                                       s_.defaultDuration);
        const engine::Currency amount = billAmount(d, s_.rate);
        TimeDateOutcome out;
        out.ok = true;
        out.resultText = amountText(amount, ds);
        out.readout = amount.toDecimal().round(2, engine::Rounding::HalfAwayFromZero);
        out.tapeLines.push_back(billTapeLine(d, s_.rate, amount, ds));
        return out;
    }

    const TimeDateSettings& s_;
    const AskFunction& ask_;
};

}  // namespace

TimeDateOutcome runTimeDateOperation(const TimeDateSettings& settings, std::string_view operation,
                                     const AskFunction& ask) {
    TimeDateSettings checked = settings;
    checked.years = settings.years.sanitized();
    try {
        return Operation(checked, ask).run(operation);
    } catch (const Cancelled&) {
        return {};
    } catch (const InputError& e) {
        TimeDateOutcome out;
        out.message = e.what();
        return out;
    }
}

TimeDateOutcome runTimeDateOperation(const TimeDateSettings& settings, std::string_view operation,
                                     const std::vector<std::string>& answers) {
    std::size_t next = 0;
    const AskFunction ask = [&](const std::string&, const std::string& defaultText) -> std::optional<std::string> {
        if (next < answers.size()) return answers[next++];
        if (!defaultText.empty()) return defaultText;
        return std::nullopt;
    };
    return runTimeDateOperation(settings, operation, ask);
}

const std::vector<std::string_view>& timeDateOperationNames() {
    static const std::vector<std::string_view> names = {"difference", "workdays", "add",  "subtract",
                                                        "addworkdays", "info",    "hours", "hms",
                                                        "sum",         "clockdiff", "bill"};
    return names;
}

std::string_view endDateWording(bool includeEndDate) {
    return includeEndDate ? "End date included: both dates count."
                          : "End date excluded: counted up to the day before the end date.";
}

}  // namespace zorv::timedate
