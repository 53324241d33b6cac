#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "CivilDate.h"

namespace zorv::timedate {

// Reads and writes dates in the locale's short numeric form, given as a
// pattern such as "d/M/yyyy", "M/d/yyyy", "dd.MM.yyyy" or "yyyy/MM/dd" (d and
// dd: day, M and MM: month, y, yy and yyyy: year; any other character is a
// separator typed as it is). ISO "YYYY-MM-DD" is always accepted besides the
// locale form.
//
// A year must be typed with at least three digits: "1/2/24" could mean 1924,
// 2024 or 2124 and is refused with a message, even where the locale's own
// pattern has a two-digit year. Dates are written with the four-digit year
// for the same reason. A pattern with month or day names (MMM, ddd) cannot be
// typed reliably; such a locale falls back to ISO only.
class DateFormat {
public:
    DateFormat() : DateFormat("yyyy-MM-dd") {}  // ISO only
    explicit DateFormat(std::string_view pattern);

    bool hasLocaleForm() const { return !fields_.empty(); }
    // The form to show in prompts: "d/M/yyyy" (two-digit years widened).
    std::string hint() const;

    // Throws InputError with a message saying what is wrong: not a date,
    // a two-digit year, year 0, month 13, 30 February, a year outside range.
    // `typedIso`, when given, tells whether the text was ISO, so that a
    // result can be answered in the form the date was typed in.
    Date parse(std::string_view text, const YearRange& range, bool* typedIso = nullptr) const;
    std::string format(Date date) const;

private:
    enum class Field { Day, Month, Year };
    struct Token {
        bool isField;
        Field field;
        std::string literal;
        int width;  // of the field in the pattern (dd: 2)
    };
    std::vector<Token> tokens_;
    std::vector<Field> fields_;  // empty when the pattern is unusable
};

}  // namespace zorv::timedate
