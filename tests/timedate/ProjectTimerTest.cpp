// The project timer with a clock the test sets: start, close (settings
// text), reopen, stop; the tape line and the over-a-day flag.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "timedate/Billing.h"
#include "timedate/InputError.h"
#include "timedate/ProjectTimer.h"

using namespace zorv::timedate;

namespace {

struct FakeClock {
    Instant now = parseIsoInstant("2026-12-08T09:00:00+01:00");
    Clock clock() {
        return [this] { return now; };
    }
    void advance(long long seconds) { now.utcSeconds += seconds; }
};

}  // namespace

TEST(IsoInstant, ReadsAndWritesOffsets) {
    struct Case {
        const char* text;
        long long utc;
        const char* written;
    };
    const Case cases[] = {
        {"1970-01-01T00:00:00Z", 0, "1970-01-01T00:00:00Z"},
        {"2026-12-08T09:00:00", 1796720400, "2026-12-08T09:00:00Z"},
        {"2026-12-08 10:00:00+01:00", 1796720400, "2026-12-08T10:00:00+01:00"},
        {"2026-12-08T04:30:00-0430", 1796720400, "2026-12-08T04:30:00-04:30"},
        {"2026-12-08T19:00:00+10", 1796720400, "2026-12-08T19:00:00+10:00"},
        {"1969-12-31T23:59:59Z", -1, "1969-12-31T23:59:59Z"},
    };
    for (const Case& c : cases) {
        const Instant i = parseIsoInstant(c.text);
        EXPECT_EQ(i.utcSeconds, c.utc) << c.text;
        EXPECT_EQ(isoInstantText(i), c.written) << c.text;
    }
    EXPECT_EQ(parseIsoInstant("2026-12-08T09:00:00", 3600).utcSeconds, 1796720400 - 3600);
    for (const char* bad : {"", "2026-12-08", "2026-12-08T25:00:00", "2026-02-30T09:00:00", "2026-12-08T09:00:00+",
                            "2026-12-08T09:00:00+1:00", "2026-12-08T09:00:00 Z", "0000-01-01T00:00:00",
                            "2026-12-08T09:00:60", "2026/12/08T09:00:00"})
        EXPECT_THROW(parseIsoInstant(bad), InputError) << bad;
}

TEST(IsoInstant, SystemClockReadsNowWithAPlausibleOffset) {
    const Instant now = systemNow();
    EXPECT_LE(std::abs(now.utcSeconds - static_cast<long long>(std::time(nullptr))), 2);
    EXPECT_LE(std::abs(now.offsetSeconds), 18 * 3600);
    EXPECT_EQ(parseIsoInstant(isoInstantText(now)), now);
}

// --now without a zone is the local time of that moment, on both sides of
// a clock change; with a zone it is that zone.
TEST(IsoInstant, LocalReadingUsesTheOffsetInEffectAtThatMoment) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    // A POSIX rule, so no time zone database is needed.
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    const Instant winter = parseLocalIsoInstant("2026-12-08T09:00:00");
    const Instant summer = parseLocalIsoInstant("2026-07-01T09:00:00");
    const Instant zoned = parseLocalIsoInstant("2026-07-01T09:00:00Z");
    if (old) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
    tzset();
    EXPECT_EQ(winter.offsetSeconds, 3600);
    EXPECT_EQ(winter.utcSeconds, 1796720400 - 3600);
    EXPECT_EQ(summer.offsetSeconds, 7200);
    EXPECT_EQ(isoInstantText(summer), "2026-07-01T09:00:00+02:00");
    EXPECT_EQ(zoned.offsetSeconds, 0);
}

TEST(ProjectTimer, SurvivesClosingAndReopeningAndBillsTheWholeInterval) {
    FakeClock clock;
    std::string kept;
    {
        ProjectTimer timer(clock.clock());
        EXPECT_FALSE(timer.running());
        EXPECT_EQ(timer.settingText(), "");
        timer.startNow();
        kept = timer.settingText();
    }
    EXPECT_EQ(kept, "2026-12-08T09:00:00+01:00");

    clock.advance(2 * 3600 + 30 * 60 + 15);
    ProjectTimer reopened(clock.clock());
    reopened.restore(kept);
    ASSERT_TRUE(reopened.running());
    EXPECT_EQ(reopened.elapsed().textWithSeconds(), "2:30:15");
    reopened.startNow();  // already running: the start stays
    EXPECT_EQ(reopened.settingText(), kept);

    const auto record = reopened.stop(parseRate("100", {}));
    EXPECT_FALSE(reopened.running());
    EXPECT_EQ(reopened.settingText(), "");
    EXPECT_FALSE(record.overADay);
    EXPECT_EQ(amountText(record.amount), "250.42");  // 2.504166... h
    EXPECT_EQ(record.tapeLine,
              "Timer 2026-12-08 09:00:00 to 2026-12-08 11:30:15 = 2:30:15 @ 100.00/h = 250.42");
}

TEST(ProjectTimer, FlagsTimesOverADay) {
    FakeClock clock;
    ProjectTimer timer(clock.clock());
    timer.startNow();
    clock.advance(ProjectTimer::kDaySeconds);
    EXPECT_FALSE(ProjectTimer(timer).stop(parseRate("10", {})).overADay);  // exactly a day
    clock.advance(1);
    const auto record = timer.stop(parseRate("10", {}));
    EXPECT_TRUE(record.overADay);
    EXPECT_EQ(record.elapsed.textWithSeconds(), "24:00:01");
    EXPECT_EQ(amountText(record.amount), "240.00");
}

TEST(ProjectTimer, AClockSetBackKeepsTheTimerRunning) {
    FakeClock clock;
    ProjectTimer timer(clock.clock());
    timer.startNow();
    clock.advance(-60);
    EXPECT_EQ(timer.elapsed().seconds(), zorv::engine::Decimal(0));
    try {
        timer.stop(parseRate("100", {}));
        ADD_FAILURE() << "stopped before its start";
    } catch (const InputError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The clock reads 2026-12-08 08:59:00, before the timer's start at 2026-12-08 09:00:00; "
                  "the timer keeps running.");
    }
    EXPECT_TRUE(timer.running());
    timer.discard();
    EXPECT_FALSE(timer.running());
}

TEST(ProjectTimer, DamagedKeptStartLeavesTheTimerStoppedWithAMessage) {
    FakeClock clock;
    ProjectTimer timer(clock.clock());
    timer.startNow();
    EXPECT_THROW(timer.restore("yesterday"), InputError);
    EXPECT_FALSE(timer.running());
    timer.restore("  ");
    EXPECT_FALSE(timer.running());
    EXPECT_THROW(timer.stop(parseRate("1", {})), InputError);
}
