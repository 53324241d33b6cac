#include "DateFormat.h"

#include <cstdio>
#include <optional>

#include "InputError.h"

namespace zorv::timedate {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// A run of digits read with its length; values beyond any year are capped
// so that a long run cannot overflow and still reads as "too big".
struct Number {
    long long value = 0;
    std::size_t digits = 0;
};

Number readDigits(std::string_view s, std::size_t& pos) {
    Number n;
    while (pos < s.size() && isDigit(s[pos])) {
        if (n.value < 1'000'000'000) n.value = n.value * 10 + (s[pos] - '0');
        ++n.digits;
        ++pos;
    }
    return n;
}

std::string twoDigitYearMessage(std::string_view text, long long year) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "\"%.*s\": type the year with all its digits (%02lld could be 19%02lld, 20%02lld or 21%02lld).",
                  static_cast<int>(std::min<std::size_t>(text.size(), 60)), text.data(), year, year, year, year);
    return buf;
}

// "2024-01-31": a year of three or more digits first marks ISO order. A year
// of one or two digits gets the two-digit-year message.
std::optional<Date> parseIso(std::string_view text, const YearRange& range) {
    std::size_t pos = 0;
    const Number y = readDigits(text, pos);
    if (y.digits == 0 || pos >= text.size() || text[pos] != '-') return std::nullopt;
    ++pos;
    const Number m = readDigits(text, pos);
    if (m.digits == 0 || m.digits > 2 || pos >= text.size() || text[pos] != '-') return std::nullopt;
    ++pos;
    const Number d = readDigits(text, pos);
    if (d.digits == 0 || d.digits > 2 || pos != text.size()) return std::nullopt;
    if (y.digits < 3) return std::nullopt;
    return checkedDate(y.value, m.value, d.value, range, text);
}

}  // namespace

DateFormat::DateFormat(std::string_view pattern) {
    bool usable = true;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == 'd' || c == 'M' || c == 'y') {
            std::size_t run = 1;
            while (i + run < pattern.size() && pattern[i + run] == c) ++run;
            const Field f = c == 'd' ? Field::Day : c == 'M' ? Field::Month : Field::Year;
            if ((f != Field::Year && run > 2) || run > 4 || run == 3) usable = false;
            for (Field seen : fields_)
                if (seen == f) usable = false;
            fields_.push_back(f);
            tokens_.push_back({true, f, {}, static_cast<int>(run)});
            i += run;
        } else if (c == '\'' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            usable = false;  // quoted text, weekday or era letters
            ++i;
        } else {
            if (!tokens_.empty() && !tokens_.back().isField) tokens_.back().literal += c;
            else tokens_.push_back({false, Field::Day, std::string(1, c), 0});
            ++i;
        }
    }
    // Two fields with nothing between them cannot be told apart when typed.
    for (std::size_t t = 1; t < tokens_.size(); ++t)
        if (tokens_[t].isField && tokens_[t - 1].isField) usable = false;
    // A locale whose short form is ISO itself needs no second form.
    const bool isIsoOrder = fields_.size() == 3 && tokens_.size() == 5 && fields_[0] == Field::Year &&
                            fields_[1] == Field::Month && tokens_[1].literal == "-" && tokens_[3].literal == "-";
    if (!usable || fields_.size() != 3 || isIsoOrder) {
        tokens_.clear();
        fields_.clear();
    }
}

std::string DateFormat::hint() const {
    if (!hasLocaleForm()) return "yyyy-MM-dd";
    std::string out;
    for (const Token& t : tokens_) {
        if (!t.isField) out += t.literal;
        else if (t.field == Field::Year) out += "yyyy";
        else out += std::string(static_cast<std::size_t>(t.width), t.field == Field::Day ? 'd' : 'M');
    }
    return out;
}

Date DateFormat::parse(std::string_view typed, const YearRange& range, bool* typedIso) const {
    const std::string_view text = trimmed(typed);
    if (typedIso) *typedIso = true;
    if (auto iso = parseIso(text, range)) return *iso;
    if (typedIso) *typedIso = false;

    if (hasLocaleForm()) {
        std::size_t pos = 0;
        Number values[3];
        bool matched = true;
        for (const Token& t : tokens_) {
            if (!t.isField) {
                // A blank in the pattern matches one or more blanks.
                for (char c : t.literal) {
                    if (pos >= text.size() || text[pos] != c) { matched = false; break; }
                    ++pos;
                    if (c == ' ')
                        while (pos < text.size() && text[pos] == ' ') ++pos;
                }
            } else {
                const Number n = readDigits(text, pos);
                if (n.digits == 0 || (t.field != Field::Year && n.digits > 2)) matched = false;
                values[static_cast<int>(t.field)] = n;
            }
            if (!matched) break;
        }
        if (matched && pos == text.size()) {
            const Number& y = values[static_cast<int>(Field::Year)];
            if (y.digits <= 2) throw InputError(twoDigitYearMessage(text, y.value));
            return checkedDate(y.value, values[static_cast<int>(Field::Month)].value,
                               values[static_cast<int>(Field::Day)].value, range, text);
        }
    }

    // Digits-digits-digits with a short first part: ISO order with a
    // two-digit year is ambiguous too.
    {
        std::size_t pos = 0;
        const Number y = readDigits(text, pos);
        if (y.digits >= 1 && y.digits <= 2 && pos < text.size() && text[pos] == '-') {
            ++pos;
            const Number m = readDigits(text, pos);
            if (m.digits > 0 && pos < text.size() && text[pos] == '-') {
                ++pos;
                const Number d = readDigits(text, pos);
                if (d.digits > 0 && d.digits <= 2 && pos == text.size())
                    throw InputError(twoDigitYearMessage(text, y.value));
            }
        }
    }

    const std::string shown = text.size() > 60 ? std::string(text.substr(0, 60)) + "..." : std::string(text);
    if (text.empty()) throw InputError("Type a date as YYYY-MM-DD" + (hasLocaleForm() ? " or " + hint() : std::string()) + ".");
    throw InputError("\"" + shown + "\" is not a date: type it as YYYY-MM-DD" +
                     (hasLocaleForm() ? " or " + hint() : std::string()) + ".");
}

std::string DateFormat::format(Date date) const {
    if (!hasLocaleForm()) return date.isoText();
    std::string out;
    char buf[24];
    for (const Token& t : tokens_) {
        if (!t.isField) { out += t.literal; continue; }
        switch (t.field) {
        case Field::Day: std::snprintf(buf, sizeof buf, t.width == 2 ? "%02d" : "%d", date.day()); break;
        case Field::Month: std::snprintf(buf, sizeof buf, t.width == 2 ? "%02d" : "%d", date.month()); break;
        case Field::Year: std::snprintf(buf, sizeof buf, "%04d", date.year()); break;
        }
        out += buf;
    }
    return out;
}

}  // namespace zorv::timedate
