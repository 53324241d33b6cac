// The alarm timer's per-tick check with 100 alarms set: the one-second timer
// calls AlarmScheduler::poll(), which with nothing due compares the clock
// reading with the earliest due time. Measured with a fixed clock (the
// check itself) and with the system clock (what a tick costs in the program).
#include <benchmark/benchmark.h>

#include "notes/AlarmScheduler.h"

using namespace zorv::notes;

namespace {

std::vector<Alarm> hundredAlarms(zorv::timedate::Instant now) {
    std::vector<Alarm> alarms;
    const zorv::timedate::Date today = zorv::timedate::Date::fromDayNumber(localSeconds(now) / 86400);
    for (int i = 0; i < 100; ++i) {
        Alarm a;
        a.date = today.plusDays(1 + i % 30);
        a.minuteOfDay = (i * 37) % (24 * 60);
        a.repeat = static_cast<Repeat>(i % 6);
        a.message = "alarm " + std::to_string(i);
        alarms.push_back(std::move(a));
    }
    return alarms;
}

void BM_AlarmTickFixedClock(benchmark::State& state) {
    zorv::timedate::Instant now = zorv::timedate::systemNow();
    AlarmScheduler scheduler([&now] { return now; });
    scheduler.setAlarms(hundredAlarms(now));
    for (auto _ : state) {
        ++now.utcSeconds;  // one second per tick; the alarms are a day or more away
        benchmark::DoNotOptimize(scheduler.poll());
    }
}
BENCHMARK(BM_AlarmTickFixedClock);

void BM_AlarmTickSystemClock(benchmark::State& state) {
    AlarmScheduler scheduler(zorv::timedate::systemNow);
    scheduler.setAlarms(hundredAlarms(zorv::timedate::systemNow()));
    for (auto _ : state) benchmark::DoNotOptimize(scheduler.poll());
}
BENCHMARK(BM_AlarmTickSystemClock);

// What the tick would cost if it scanned every alarm's next occurrence each
// second, for comparison.
void BM_AlarmScanAllHundred(benchmark::State& state) {
    const zorv::timedate::Instant now = zorv::timedate::systemNow();
    const std::vector<Alarm> alarms = hundredAlarms(now);
    LocalSeconds t = localSeconds(now);
    for (auto _ : state) {
        ++t;
        std::size_t due = 0;
        for (const Alarm& a : alarms)
            if (auto n = nextOccurrence(a, t); n && *n <= t) ++due;
        benchmark::DoNotOptimize(due);
    }
}
BENCHMARK(BM_AlarmScanAllHundred);

}  // namespace
