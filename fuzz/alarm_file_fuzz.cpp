// Hostile alarm files: the reader never fails on content; loaded alarms are
// sound (time of day in range, a target for every action that needs one,
// arguments only for programs), survive a round trip, and every repeat
// yields an occurrence that is not before the moment asked about.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "notes/Alarms.h"

using namespace zorv::notes;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const AlarmsLoad load = parseAlarms(text);
    if (load.complete() != load.report().empty()) std::abort();
    for (const Alarm& a : load.alarms) {
        if (a.minuteOfDay < 0 || a.minuteOfDay >= 24 * 60) std::abort();
        if (a.action != AlarmAction::Reminder && a.target.empty()) std::abort();
        if (a.action != AlarmAction::Run && !a.arguments.empty()) std::abort();
        const LocalSeconds start = a.date.dayNumber() * 86400 + a.minuteOfDay * 60LL;
        for (LocalSeconds from : {start - 1, start + 1, start + 40 * 86400 + 7}) {
            const auto next = nextOccurrence(a, from);
            if (next && *next < from) std::abort();
            if (a.repeat == Repeat::Daily && a.date.year() < 9999 && from < start + 86400 && !next) std::abort();
        }
    }
    const AlarmsLoad again = parseAlarms(alarmsToText(load.alarms));
    if (!again.complete() || again.alarms != load.alarms) std::abort();
    return 0;
}
