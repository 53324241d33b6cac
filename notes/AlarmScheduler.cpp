#include "AlarmScheduler.h"

#include <algorithm>

namespace zorv::notes {

// lastCheck_: every occurrence up to and including it has been dealt with.
AlarmScheduler::AlarmScheduler(timedate::Clock clock) : clock_(std::move(clock)) { lastCheck_ = now() - 1; }

void AlarmScheduler::setAlarms(std::vector<Alarm> alarms) {
    alarms_ = std::move(alarms);
    std::erase_if(snoozed_, [&](const DueAlarm& s) {
        return std::find(alarms_.begin(), alarms_.end(), s.alarm) == alarms_.end();
    });
    for (DueAlarm& s : snoozed_)
        s.index = static_cast<std::size_t>(std::find(alarms_.begin(), alarms_.end(), s.alarm) - alarms_.begin());
    settleClock(now());
    recompute(lastCheck_ + 1);
}

void AlarmScheduler::settleClock(LocalSeconds t) {
    if (t < lastCheck_ - kClockSetBack) lastCheck_ = t - 1;
    else lastCheck_ = std::max(lastCheck_, t - 1);
}

void AlarmScheduler::recompute(LocalSeconds from) {
    next_.assign(alarms_.size(), std::nullopt);
    for (std::size_t i = 0; i < alarms_.size(); ++i)
        if (alarms_[i].enabled) next_[i] = nextOccurrence(alarms_[i], from);
    updateEarliest();
}

void AlarmScheduler::updateEarliest() {
    earliest_.reset();
    const auto consider = [&](LocalSeconds t) { if (!earliest_ || t < *earliest_) earliest_ = t; };
    for (const auto& n : next_)
        if (n) consider(*n);
    for (const DueAlarm& s : snoozed_) consider(s.due);
}

void AlarmScheduler::setAlarmsOn(bool on) {
    if (on == on_) return;
    on_ = on;
    if (on) {
        // What passed while silenced stays silent.
        snoozed_.clear();
        settleClock(now());
        recompute(lastCheck_ + 1);
    }
}

std::optional<LocalSeconds> AlarmScheduler::nextDue(std::size_t index) const {
    return index < next_.size() ? next_[index] : std::nullopt;
}

std::vector<DueAlarm> AlarmScheduler::poll() {
    const LocalSeconds t = now();
    if (t < lastCheck_ - kClockSetBack) {
        lastCheck_ = t - 1;
        recompute(t);
    }
    lastCheck_ = std::max(lastCheck_, t);
    if (!earliest_ || t < *earliest_) return {};

    std::vector<DueAlarm> due;
    for (std::size_t i = 0; i < alarms_.size(); ++i) {
        if (!next_[i] || *next_[i] > t) continue;
        due.push_back({i, alarms_[i], *next_[i], false});
        next_[i] = nextOccurrence(alarms_[i], t + 1);
    }
    for (auto it = snoozed_.begin(); it != snoozed_.end();) {
        if (it->due <= t) {
            due.push_back(*it);
            it = snoozed_.erase(it);
        } else {
            ++it;
        }
    }
    updateEarliest();
    if (!on_) return {};
    std::stable_sort(due.begin(), due.end(), [](const DueAlarm& a, const DueAlarm& b) { return a.due < b.due; });
    return due;
}

void AlarmScheduler::snooze(const DueAlarm& due, int minutes) {
    if (!on_) return;
    DueAlarm again = due;
    again.due = now() + std::clamp(minutes, 1, 24 * 60) * 60LL;
    again.snoozed = true;
    snoozed_.push_back(std::move(again));
    updateEarliest();
}

std::vector<MissedAlarm> AlarmScheduler::missedSince(const timedate::Instant& lastRun) const {
    std::vector<MissedAlarm> missed;
    if (!on_) return missed;
    const LocalSeconds from = localSeconds(lastRun) + 1, to = now();
    if (from >= to) return missed;
    for (std::size_t i = 0; i < alarms_.size(); ++i) {
        if (!alarms_[i].enabled) continue;
        const std::vector<LocalSeconds> times = occurrencesBetween(alarms_[i], from, to);
        if (times.empty()) continue;
        LocalSeconds last = times.back();
        // Past the counting limit, the latest one still comes from the end.
        if (times.size() == 1000)
            for (auto n = nextOccurrence(alarms_[i], to - 366 * 86400LL); n && *n < to; n = nextOccurrence(alarms_[i], *n + 1))
                last = std::max(last, *n);
        missed.push_back({i, alarms_[i], times.front(), last, times.size()});
    }
    std::stable_sort(missed.begin(), missed.end(),
                     [](const MissedAlarm& a, const MissedAlarm& b) { return a.lastDue < b.lastDue; });
    return missed;
}

}  // namespace zorv::notes
