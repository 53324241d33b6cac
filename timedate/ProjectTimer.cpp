#include "ProjectTimer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "Billing.h"
#include "CivilDate.h"
#include "InputError.h"

namespace zorv::timedate {

namespace {

long long floorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Fixed-width digits at `pos`; -1 when they are not there.
int fixedDigits(std::string_view s, std::size_t pos, std::size_t count) {
    if (pos + count > s.size()) return -1;
    int v = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = s[pos + i];
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

struct LocalFields {
    Date date;
    long long secondOfDay;
};

LocalFields localFields(const Instant& instant) {
    const long long local = instant.utcSeconds + instant.offsetSeconds;
    const long long day = floorDiv(local, 86400);
    return {Date::fromDayNumber(day), local - day * 86400};
}

}  // namespace

std::string isoInstantText(const Instant& instant) {
    const LocalFields f = localFields(instant);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%sT%02lld:%02lld:%02lld", f.date.isoText().c_str(), f.secondOfDay / 3600,
                  f.secondOfDay / 60 % 60, f.secondOfDay % 60);
    std::string out = buf;
    if (instant.offsetSeconds == 0) return out + "Z";
    const int off = std::abs(instant.offsetSeconds);
    std::snprintf(buf, sizeof buf, "%c%02d:%02d", instant.offsetSeconds < 0 ? '-' : '+', off / 3600, off / 60 % 60);
    return out + buf;
}

std::string localText(const Instant& instant) {
    std::string s = isoInstantText(instant).substr(0, 19);
    s[10] = ' ';
    return s;
}

Instant parseIsoInstant(std::string_view text, int defaultOffsetSeconds) {
    const std::string shown = "\"" + std::string(text.substr(0, 40)) + "\"";
    const std::string bad = shown + " is not a date and time: write it as 2026-12-08T09:00:00.";
    const int year = fixedDigits(text, 0, 4), month = fixedDigits(text, 5, 2), day = fixedDigits(text, 8, 2);
    const int hour = fixedDigits(text, 11, 2), minute = fixedDigits(text, 14, 2), second = fixedDigits(text, 17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0 || text[4] != '-' ||
        text[7] != '-' || (text[10] != 'T' && text[10] != 't' && text[10] != ' ') || text[13] != ':' ||
        text[16] != ':')
        throw InputError(bad);
    if (hour > 23 || minute > 59 || second > 59) throw InputError(bad);
    const Date date = checkedDate(year, month, day, YearRange{1, 9999}, text.substr(0, 10));

    int offset = defaultOffsetSeconds;
    const std::string_view zone = text.substr(19);
    if (zone == "Z" || zone == "z") {
        offset = 0;
    } else if (!zone.empty()) {
        const char sign = zone[0];
        const int hh = fixedDigits(zone, 1, 2);
        int mm = 0;
        if ((sign != '+' && sign != '-') || hh < 0) throw InputError(bad);
        if (zone.size() == 6 && zone[3] == ':') mm = fixedDigits(zone, 4, 2);
        else if (zone.size() == 5) mm = fixedDigits(zone, 3, 2);
        else if (zone.size() != 3) throw InputError(bad);
        if (mm < 0 || mm > 59 || hh > 18) throw InputError(bad);
        offset = (sign == '-' ? -1 : 1) * (hh * 3600 + mm * 60);
    }
    const long long local = date.dayNumber() * 86400 + hour * 3600 + minute * 60 + second;
    return {local - offset, offset};
}

Instant systemNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return {static_cast<long long>(now), static_cast<int>(local.tm_gmtoff)};
}

Instant parseLocalIsoInstant(std::string_view text) {
    // Read as UTC first, then again with the local offset of that moment
    // (one correction is enough except in the hour a clock change repeats).
    const Instant guess = parseIsoInstant(text, 0);
    const std::time_t t = static_cast<std::time_t>(guess.utcSeconds);
    std::tm local{};
    localtime_r(&t, &local);
    const Instant local0 = parseIsoInstant(text, static_cast<int>(local.tm_gmtoff));
    if (local0.utcSeconds == guess.utcSeconds) return local0;
    const std::time_t t2 = static_cast<std::time_t>(local0.utcSeconds);
    localtime_r(&t2, &local);
    return parseIsoInstant(text, static_cast<int>(local.tm_gmtoff));
}

ProjectTimer::ProjectTimer(Clock clock) : clock_(std::move(clock)) {}

std::string ProjectTimer::settingText() const { return start_ ? isoInstantText(*start_) : std::string(); }

void ProjectTimer::restore(std::string_view text) {
    start_.reset();
    std::string_view t = text;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    if (t.empty()) return;
    try {
        start_ = parseIsoInstant(t);
    } catch (const InputError&) {
        throw InputError("The project timer's kept start \"" + std::string(t.substr(0, 40)) +
                         "\" cannot be read; the timer is stopped.");
    }
}

void ProjectTimer::startNow() {
    if (!start_) start_ = clock_();
}

void ProjectTimer::discard() { start_.reset(); }

Duration ProjectTimer::elapsed() const {
    if (!start_) return {};
    const long long seconds = clock_().utcSeconds - start_->utcSeconds;
    return Duration::fromSeconds(engine::Decimal(seconds > 0 ? seconds : 0));
}

ProjectTimer::StopRecord ProjectTimer::stop(const engine::Currency& rate, std::string_view ds) {
    if (!start_) throw InputError("The project timer is not running.");
    const Instant now = clock_();
    const long long seconds = now.utcSeconds - start_->utcSeconds;
    if (seconds < 0)
        throw InputError("The clock reads " + localText(now) + ", before the timer's start at " +
                         localText(*start_) + "; the timer keeps running.");
    StopRecord r;
    r.start = *start_;
    r.stop = now;
    r.elapsed = Duration::fromSeconds(engine::Decimal(seconds));  // throws beyond the limit, timer kept
    r.amount = billAmount(r.elapsed, rate);
    r.overADay = seconds > kDaySeconds;
    r.tapeLine = "Timer " + localText(r.start) + " to " + localText(r.stop) + " = " + r.elapsed.textWithSeconds(ds) +
                 " @ " + rateText(rate, ds) + "/h = " + amountText(r.amount, ds);
    start_.reset();
    return r;
}

}  // namespace zorv::timedate
