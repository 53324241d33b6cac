// The three commands on a model with scripted answers, settings in a map and
// a clock the test moves: the billing rate's refusals, the project timer
// across a close and reopen, the over-a-day question, and times typed on the
// keypad with ":".
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "engine/ScriptedFeedback.h"
#include "timedate/TimeDateCommands.h"

using namespace zorv;
using namespace zorv::timedate;

namespace {

struct Bench {
    std::map<std::string, std::string> settings;
    Instant now = parseIsoInstant("2026-12-08T09:00:00Z");

    TimeDateEnvironment environment() {
        TimeDateEnvironment env;
        env.readSetting = [this](const std::string& key, const std::string& def) {
            auto it = settings.find(key);
            return it == settings.end() ? def : it->second;
        };
        env.writeSetting = [this](const std::string& key, const std::string& value) { settings[key] = value; };
        env.clock = [this] { return now; };
        return env;
    }
};

// One run of the program: a model, its feedback and the service.
struct Session {
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    TimeDateService service;
    explicit Session(Bench& bench) : service(model, bench.environment()) {
        model.modes().financial = false;
        registerTimeDateCommands(model, service);
    }
    void keys(std::string_view typed) {
        for (char c : typed) model.typeKey(std::string(1, c));
    }
    void command(engine::CommandId id) { model.commands().run(id); }
};

}  // namespace

TEST(BillingRateCommand, RefusedRatesKeepTheOldOneAndSayWhy) {
    Bench bench;
    Session run(bench);
    run.feedback.answer("80");
    run.command(engine::CommandId::BillingRate);
    EXPECT_EQ(bench.settings["Billing Rate"], "80.00");
    EXPECT_EQ(run.feedback.questions.back().defaultText, "100.00");  // the current rate is offered

    for (const char* bad : {"-5", "", "ten", "1e3"}) {
        run.feedback.clearRecord();
        run.feedback.answer(bad);
        run.command(engine::CommandId::BillingRate);
        ASSERT_EQ(run.feedback.messages.size(), 1u) << bad;
        EXPECT_NE(run.feedback.messageTexts()[0].find("The rate stays 80.00."), std::string::npos) << bad;
        EXPECT_EQ(bench.settings["Billing Rate"], "80.00") << bad;
    }
    // Cancelling changes nothing and says nothing.
    run.feedback.clearRecord();
    run.command(engine::CommandId::BillingRate);
    EXPECT_TRUE(run.feedback.messages.empty());
    EXPECT_EQ(bench.settings["Billing Rate"], "80.00");
}

TEST(ProjectTimerCommand, StartCloseReopenStopBillsTheWholeInterval) {
    Bench bench;
    bench.settings["Billing Rate"] = "90";
    {
        Session first(bench);
        first.command(engine::CommandId::ProjectTimer);
        EXPECT_EQ(first.model.commands().checked(engine::CommandId::ProjectTimer), true);
        EXPECT_EQ(bench.settings["Project Timer Start"], "2026-12-08T09:00:00Z");
        EXPECT_EQ(first.model.tape().text(), "");
    }
    bench.now.utcSeconds += 3 * 3600 + 20 * 60;  // the program was closed meanwhile
    Session second(bench);
    EXPECT_TRUE(second.service.timerRunning());
    EXPECT_EQ(second.service.timerElapsed().text(), "3:20");
    second.command(engine::CommandId::ProjectTimer);
    EXPECT_EQ(second.model.tape().text(),
              "Timer 2026-12-08 09:00:00 to 2026-12-08 12:20:00 = 3:20:00 @ 90.00/h = 300.00\r\n");
    EXPECT_EQ(second.model.readout(), "300.");
    EXPECT_EQ(bench.settings["Project Timer Start"], "");
    EXPECT_EQ(second.model.commands().checked(engine::CommandId::ProjectTimer), false);
}

TEST(ProjectTimerCommand, OverADayAsksWhetherToKeepTheTime) {
    Bench bench;
    bench.settings["Project Timer Start"] = "2026-12-06T09:00:00Z";
    {
        Session run(bench);
        run.feedback.answer("cancel");  // keeps running, nothing written
        run.command(engine::CommandId::ProjectTimer);
        EXPECT_TRUE(run.service.timerRunning());
        EXPECT_EQ(bench.settings["Project Timer Start"], "2026-12-06T09:00:00Z");
        EXPECT_EQ(run.model.tape().text(), "");
        ASSERT_EQ(run.feedback.messages.size(), 1u);
        EXPECT_NE(run.feedback.messageTexts()[0].find("48:00:00"), std::string::npos);

        run.feedback.answer("no");  // stopped, nothing billed
        run.command(engine::CommandId::ProjectTimer);
        EXPECT_FALSE(run.service.timerRunning());
        EXPECT_EQ(bench.settings["Project Timer Start"], "");
        EXPECT_EQ(run.model.tape().text(),
                  "Timer 2026-12-06 09:00:00 to 2026-12-08 09:00:00 discarded, not billed\r\n");
        EXPECT_EQ(run.model.readout(), "0.");
    }
    bench.settings["Project Timer Start"] = "2026-12-06T09:00:00Z";
    Session run(bench);
    run.feedback.answer("yes");
    run.command(engine::CommandId::ProjectTimer);
    EXPECT_EQ(run.model.tape().text(),
              "Timer 2026-12-06 09:00:00 to 2026-12-08 09:00:00 = 48:00:00 @ 100.00/h = 4800.00\r\n");
}

TEST(ProjectTimerCommand, DamagedStartOrAClockSetBackBillsNothing) {
    Bench bench;
    bench.settings["Project Timer Start"] = "yesterday-ish";
    {
        Session run(bench);
        EXPECT_FALSE(run.service.timerRunning());
        ASSERT_EQ(run.feedback.messages.size(), 1u);
        EXPECT_NE(run.feedback.messageTexts()[0].find("cannot be read"), std::string::npos);
        EXPECT_EQ(bench.settings["Project Timer Start"], "");
    }
    bench.settings["Project Timer Start"] = "2026-12-08T10:00:00Z";  // an hour ahead of the clock
    Session run(bench);
    run.command(engine::CommandId::ProjectTimer);
    EXPECT_TRUE(run.service.timerRunning());
    EXPECT_EQ(bench.settings["Project Timer Start"], "2026-12-08T10:00:00Z");
    EXPECT_EQ(run.model.tape().text(), "");
    EXPECT_EQ(run.feedback.messages.size(), 1u);
}

TEST(ProjectTimerCommand, AStopMadeElsewhereIsSeenBeforeToggling) {
    Bench bench;
    Session run(bench);
    run.command(engine::CommandId::ProjectTimer);
    bench.settings["Project Timer Start"] = "";  // another copy (a batch run) stopped it
    run.command(engine::CommandId::ProjectTimer);
    // Toggling a stopped timer starts it again instead of billing twice.
    EXPECT_TRUE(run.service.timerRunning());
    EXPECT_EQ(run.model.tape().text(), "");
}

TEST(TimeOnTheKeypad, ColonMarksHoursAndMinutesUntilSomethingElseHappens) {
    Bench bench;
    struct Case {
        const char* keys;
        const char* duration;
    };
    const Case cases[] = {
        {"1:30", "1:30"},     {"0:45", "0:45"},       {"0:05", "0:05"},  {"12:07:09", "12:07:09"},
        {"0:05:07", "0:05:07"}, {"1:5", "1:5"},       {"1:", "1:"},      {"130", "130"},
        {"1.5", "1.5"},       {"1:+30", "30"},        {"2:30C45", "45"}, {"5+1:30", "1:30"},
    };
    for (const auto& c : cases) {
        Session run(bench);
        run.keys(c.keys);
        EXPECT_EQ(run.service.readoutDuration(), c.duration) << c.keys;
    }
    // ":" with no whole number being typed beeps and marks nothing.
    Session run(bench);
    run.keys("1.5:");
    EXPECT_EQ(run.feedback.beeps, 1);
    run.keys("5");
    EXPECT_EQ(run.service.readoutDuration(), "1.55");
}

TEST(TimeDateCalculationsCommand, BillsTheTypedTimeAndPutsResultsOnTapeAndReadout) {
    Bench bench;
    bench.settings["Billing Rate"] = "80";
    Session run(bench);
    run.keys("1:30");
    run.feedback.answer("bill");
    run.command(engine::CommandId::TimeDateCalculations);
    EXPECT_EQ(run.model.tape().text(), "Bill 1:30 @ 80.00/h = 120.00\r\n");
    EXPECT_EQ(run.model.readout(), "120.");
    // A date result goes to the tape and leaves the readout as it was.
    run.feedback.answer("info");
    run.feedback.answer("2024-12-30");
    run.command(engine::CommandId::TimeDateCalculations);
    EXPECT_EQ(run.model.readout(), "120.");
    EXPECT_NE(run.model.tape().text().find("ISO week 1 of 2025"), std::string::npos);
    // A bad date is a message; tape and readout stay.
    const std::string tape = run.model.tape().text();
    run.feedback.answer("difference");
    run.feedback.answer("0000-01-01");
    run.feedback.answer("2024-01-01");
    run.command(engine::CommandId::TimeDateCalculations);
    EXPECT_EQ(run.model.tape().text(), tape);
    ASSERT_FALSE(run.feedback.messages.empty());
    EXPECT_NE(run.feedback.messageTexts().back().find("0000-01-01"), std::string::npos);
}

TEST(TimeDateCalculationsCommand, YearsComeFromTheSettings) {
    Bench bench;
    bench.settings["Start Year"] = "1900";
    bench.settings["End Year"] = "2100";
    Session run(bench);
    EXPECT_EQ(run.service.settings().years.first, 1900);
    EXPECT_EQ(run.service.settings().years.last, 2100);
    run.feedback.answer("add");
    run.feedback.answer("2100-12-31");
    run.feedback.answer("1 day");
    run.command(engine::CommandId::TimeDateCalculations);
    EXPECT_EQ(run.model.tape().text(), "");
    ASSERT_EQ(run.feedback.messages.size(), 1u);
    // Damaged years fall back to the default range.
    bench.settings["Start Year"] = "soon";
    bench.settings["End Year"] = "0";
    EXPECT_EQ(run.service.settings().years.first, 1500);
    EXPECT_EQ(run.service.settings().years.last, 2400);
}

TEST(TodayOnTheClock, UsesTheLocalDate) {
    Instant late = parseIsoInstant("2026-12-08T23:30:00-02:00");  // 01:30 UTC on the 9th
    EXPECT_EQ(todayOn([late] { return late; }).isoText(), "2026-12-08");
    Instant early = parseIsoInstant("1969-12-31T23:59:59Z");
    EXPECT_EQ(todayOn([early] { return early; }).isoText(), "1969-12-31");
}
