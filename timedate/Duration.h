#pragma once

#include <compare>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Decimal.h"
#include "engine/NumberSymbols.h"

namespace zorv::timedate {

// A signed span of time held exactly as decimal seconds: h:mm:ss input is a
// whole number of seconds, decimal hours (1.2345 h = 4444.2 s) stay exact as
// well, so sums and conversions never drift.
class Duration {
public:
    // Longer spans are refused as typing mistakes; the limit keeps every
    // product with a billing rate far inside the decimal type.
    static constexpr long long kMaxHours = 9'999'999;

    Duration() = default;
    // Throws InputError beyond kMaxHours.
    static Duration fromSeconds(const engine::Decimal& seconds);
    static Duration fromHours(const engine::Decimal& hours);

    // "1:45", "1:45:30", "-0:15", "1.75" (decimal hours with the locale's
    // decimal symbol, optionally followed by "h"). Minutes and seconds are
    // two digits 00..59. Throws InputError with a message naming the fault.
    static Duration parse(std::string_view text, const engine::NumberSymbols& symbols = {});

    const engine::Decimal& seconds() const { return seconds_; }
    // Decimal hours: exact when the seconds allow it (1:45 = 1.75), else
    // the decimal type's 28 decimals (0:00:01 = 0.0002777...778).
    engine::Decimal hours() const;
    bool isNegative() const { return seconds_.isNegative(); }

    // "1:45" for whole minutes, "1:45:30" otherwise, "-0:15" below zero,
    // fractions of a second after the seconds ("0:00:03.6").
    std::string text(std::string_view decimalSymbol = ".") const;
    // Always with seconds: "1:45:00".
    std::string textWithSeconds(std::string_view decimalSymbol = ".") const;

    Duration operator-() const;
    friend Duration operator+(const Duration& a, const Duration& b);  // InputError beyond the limit
    friend Duration operator-(const Duration& a, const Duration& b);
    friend bool operator==(const Duration& a, const Duration& b) { return a.seconds_ == b.seconds_; }
    friend auto operator<=>(const Duration& a, const Duration& b) { return a.seconds_ <=> b.seconds_; }

private:
    std::string format(bool alwaysSeconds, std::string_view decimalSymbol) const;
    engine::Decimal seconds_;
};

// A time of day, 0:00:00 .. 23:59:59, typed "22:30" or "22:30:15".
class ClockTime {
public:
    static ClockTime parse(std::string_view text);  // throws InputError
    int secondsSinceMidnight() const { return seconds_; }
    std::string text() const;  // "22:30", "22:30:15"

private:
    int seconds_ = 0;
};

// From `from` to `to`, across midnight when `to` is earlier:
// 22:30 to 1:15 is 2:45. Equal times are 0:00.
Duration clockDifference(ClockTime from, ClockTime to);

// A column of times summed like the adding machine sums numbers: each entry
// a tape line ("1:30+", "0:15-"), then the rule, the total and the closing
// rule.
class Timesheet {
public:
    void add(const Duration& entry);  // InputError when the total grows too long
    const std::vector<Duration>& entries() const { return entries_; }
    const Duration& total() const { return total_; }
    std::vector<std::string> tapeLines(std::string_view decimalSymbol = ".") const;

private:
    std::vector<Duration> entries_;
    Duration total_;
};

}  // namespace zorv::timedate
