#include "Duration.h"

#include <cstdio>

#include "InputError.h"
#include "engine/TapeNumber.h"

namespace zorv::timedate {

using engine::Decimal;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string quoted(std::string_view text) {
    return "\"" + (text.size() > 40 ? std::string(text.substr(0, 40)) + "..." : std::string(text)) + "\"";
}

const Decimal& secondsPerHour() {
    static const Decimal value(3600);
    return value;
}

// Splits "h:mm" / "h:mm:ss" into numbers; the caller says which ranges apply.
struct ColonParts {
    std::string_view parts[3];
    int count = 0;
};

ColonParts splitColons(std::string_view s) {
    ColonParts out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = s.find(':', start);
        if (out.count == 3) { out.count = 4; return out; }
        out.parts[out.count++] = s.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start);
        if (colon == std::string_view::npos) return out;
        start = colon + 1;
    }
}

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!isDigit(c)) return false;
    return true;
}

// Minutes or seconds: exactly two digits, 00..59.
int readSixty(std::string_view part, std::string_view text, const char* what) {
    if (!allDigits(part))
        throw InputError(quoted(text) + " is not a time: type h:mm, h:mm:ss or decimal hours (1.75).");
    if (part.size() != 2)
        throw InputError(quoted(text) + ": type the " + what + " with two digits (00 to 59).");
    const int value = (part[0] - '0') * 10 + (part[1] - '0');
    if (value > 59) throw InputError(quoted(text) + ": " + what + " must be 00 to 59.");
    return value;
}

}  // namespace

Duration Duration::fromSeconds(const Decimal& seconds) {
    static const Decimal limit = Decimal(kMaxHours) * 3600;
    if (seconds > limit || seconds < -limit)
        throw InputError("A time longer than " + std::to_string(kMaxHours) + " hours is not accepted.");
    Duration d;
    d.seconds_ = seconds.isZero() ? Decimal() : seconds;
    return d;
}

Duration Duration::fromHours(const Decimal& hours) {
    if (hours > Decimal(kMaxHours) || hours < -Decimal(kMaxHours))
        throw InputError("A time longer than " + std::to_string(kMaxHours) + " hours is not accepted.");
    return fromSeconds(hours * 3600);
}

Duration Duration::parse(std::string_view typed, const engine::NumberSymbols& symbols) {
    const std::string_view text = trimmed(typed);
    if (text.empty()) throw InputError("Type a time as h:mm, h:mm:ss or decimal hours (1.75).");
    std::string_view body = text;
    bool negative = false;
    if (body.front() == '-' || body.front() == '+') {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }

    if (body.find(':') != std::string_view::npos) {
        const ColonParts p = splitColons(body);
        if (p.count > 3 || !allDigits(p.parts[0]))
            throw InputError(quoted(text) + " is not a time: type h:mm, h:mm:ss or decimal hours (1.75).");
        if (p.parts[0].size() > 7)
            throw InputError("A time longer than " + std::to_string(kMaxHours) + " hours is not accepted.");
        long long hours = 0;
        for (char c : p.parts[0]) hours = hours * 10 + (c - '0');
        const int minutes = readSixty(p.parts[1], text, "minutes");
        const int seconds = p.count == 3 ? readSixty(p.parts[2], text, "seconds") : 0;
        const long long total = hours * 3600 + minutes * 60 + seconds;
        return fromSeconds(Decimal(negative ? -total : total));
    }

    // Decimal hours: digits, the decimal symbol, digits; an "h" may follow.
    if (body.ends_with("h") || body.ends_with("H")) body = trimmed(body.substr(0, body.size() - 1));
    const std::string& ds = symbols.decimal.empty() ? std::string(".") : symbols.decimal;
    std::string plain;
    std::size_t i = 0;
    std::size_t wholeDigits = 0, fractionDigits = 0;
    while (i < body.size() && isDigit(body[i])) plain += body[i++], ++wholeDigits;
    if (body.substr(i).starts_with(ds)) {
        i += ds.size();
        plain += '.';
        while (i < body.size() && isDigit(body[i])) plain += body[i++], ++fractionDigits;
    }
    if (i != body.size() || wholeDigits + fractionDigits == 0)
        throw InputError(quoted(text) + " is not a time: type h:mm, h:mm:ss or decimal hours (1" + ds + "75).");
    if (wholeDigits > 7)
        throw InputError("A time longer than " + std::to_string(kMaxHours) + " hours is not accepted.");
    if (fractionDigits > 20)
        throw InputError(quoted(text) + ": type at most 20 decimals of an hour.");
    const Decimal hours = Decimal::parse(plain);
    return fromHours(negative ? -hours : hours);
}

Decimal Duration::hours() const { return seconds_ / secondsPerHour(); }

std::string Duration::format(bool alwaysSeconds, std::string_view ds) const {
    const bool negative = seconds_.isNegative();
    const Decimal magnitude = negative ? -seconds_ : seconds_;
    // Whole seconds by truncation: Decimal rounds half to even, so take the
    // fraction off by subtracting it.
    Decimal whole = magnitude.round(0);
    if (whole > magnitude) whole -= 1;
    const Decimal fraction = magnitude - whole;
    const long long total = std::stoll(whole.toString());
    const long long h = total / 3600, m = total / 60 % 60, s = total % 60;
    char buf[64];
    std::string out = negative ? "-" : "";
    if (!alwaysSeconds && s == 0 && fraction.isZero()) {
        std::snprintf(buf, sizeof buf, "%lld:%02lld", h, m);
        return out + buf;
    }
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", h, m, s);
    out += buf;
    if (!fraction.isZero()) {
        const std::string f = fraction.toString(".");  // "0.6"
        out += std::string(ds) + f.substr(2);
    }
    return out;
}

std::string Duration::text(std::string_view ds) const { return format(false, ds); }
std::string Duration::textWithSeconds(std::string_view ds) const { return format(true, ds); }

Duration Duration::operator-() const {
    Duration d;
    d.seconds_ = seconds_.isZero() ? Decimal() : -seconds_;
    return d;
}

Duration operator+(const Duration& a, const Duration& b) { return Duration::fromSeconds(a.seconds_ + b.seconds_); }
Duration operator-(const Duration& a, const Duration& b) { return Duration::fromSeconds(a.seconds_ - b.seconds_); }

ClockTime ClockTime::parse(std::string_view typed) {
    const std::string_view text = trimmed(typed);
    if (text.empty()) throw InputError("Type a time of day as hh:mm or hh:mm:ss.");
    const ColonParts p = splitColons(text);
    if (p.count < 2 || p.count > 3 || !allDigits(p.parts[0]) || p.parts[0].size() > 2)
        throw InputError(quoted(text) + " is not a time of day: type hh:mm or hh:mm:ss (0:00 to 23:59:59).");
    const int hours = p.parts[0].size() == 1 ? p.parts[0][0] - '0' : (p.parts[0][0] - '0') * 10 + (p.parts[0][1] - '0');
    const int minutes = readSixty(p.parts[1], text, "minutes");
    const int seconds = p.count == 3 ? readSixty(p.parts[2], text, "seconds") : 0;
    if (hours > 23) throw InputError(quoted(text) + " is not a time of day: hours go from 0 to 23.");
    ClockTime t;
    t.seconds_ = hours * 3600 + minutes * 60 + seconds;
    return t;
}

std::string ClockTime::text() const {
    char buf[32];
    if (seconds_ % 60 == 0) std::snprintf(buf, sizeof buf, "%d:%02d", seconds_ / 3600, seconds_ / 60 % 60);
    else std::snprintf(buf, sizeof buf, "%d:%02d:%02d", seconds_ / 3600, seconds_ / 60 % 60, seconds_ % 60);
    return buf;
}

Duration clockDifference(ClockTime from, ClockTime to) {
    int diff = to.secondsSinceMidnight() - from.secondsSinceMidnight();
    if (diff < 0) diff += 24 * 3600;
    return Duration::fromSeconds(Decimal(diff));
}

void Timesheet::add(const Duration& entry) {
    total_ = total_ + entry;  // throws before anything changes
    entries_.push_back(entry);
}

std::vector<std::string> Timesheet::tapeLines(std::string_view ds) const {
    std::vector<std::string> lines;
    lines.reserve(entries_.size() + 3);
    for (const Duration& e : entries_)
        lines.push_back(e.isNegative() ? (-e).text(ds) + "-" : e.text(ds) + "+");
    lines.emplace_back(engine::kTotalRule);
    lines.push_back(total_.text(ds));
    lines.emplace_back(engine::kTotalEnd);
    return lines;
}

}  // namespace zorv::timedate
