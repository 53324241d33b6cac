// The operation runner as batch mode drives it: an operation name and its
// answers in, tape lines, the readout value and messages out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "timedate/Billing.h"
#include "timedate/TimeDateRunner.h"

using namespace zorv::timedate;
using zorv::engine::Decimal;

namespace {

using Lines = std::vector<std::string>;

TimeDateSettings defaults() { return {}; }

}  // namespace

TEST(TimeDateRunner, OperationsGiveTapeLinesAndReadout) {
    struct Case {
        const char* operation;
        Lines answers;
        Lines tape;
        const char* readout;  // "" when the operation leaves none
        const char* result;
    };
    const Case cases[] = {
        {"difference", {"2024-01-01", "2024-12-31"},
         {"2024-01-01 to 2024-12-31 = 365 days = 52 weeks 1 day = 11 months 30 days",
          "End date excluded: counted up to the day before the end date."},
         "365", "365"},
        {"Difference", {"2024-12-31", "2024-01-01"},
         {"2024-12-31 to 2024-01-01 = -365 days = -52 weeks 1 day = -11 months 30 days",
          "End date excluded: counted up to the day before the end date."},
         "-365", "-365"},
        {"difference", {"2024-02-29", "2024-02-29"},
         {"2024-02-29 to 2024-02-29 = 0 days = 0 weeks = 0 days",
          "End date excluded: counted up to the day before the end date."},
         "0", "0"},
        {"workdays", {"2024-01-01", "2024-01-08"},
         {"Working days 2024-01-01 to 2024-01-08 = 5", "End date excluded: counted up to the day before the end date."},
         "5", "5"},
        {"add", {"2024-01-31", "1 month"}, {"2024-01-31 + 1 month = 2024-02-29 Thursday"}, "", "2024-02-29"},
        {"add", {"2023-01-31", "1 month"}, {"2023-01-31 + 1 month = 2023-02-28 Tuesday"}, "", "2023-02-28"},
        {"add", {"2024-02-29", "1 year"}, {"2024-02-29 + 1 year = 2025-02-28 Friday"}, "", "2025-02-28"},
        {"add", {"2024-01-01", "-3 days"}, {"2024-01-01 - 3 days = 2023-12-29 Friday"}, "", "2023-12-29"},
        {"add", {"2024-01-01", "10"}, {"2024-01-01 + 10 days = 2024-01-11 Thursday"}, "", "2024-01-11"},
        {"add", {"2024-01-01", "2 Weeks"}, {"2024-01-01 + 2 weeks = 2024-01-15 Monday"}, "", "2024-01-15"},
        {"subtract", {"2024-03-31", "1 month"}, {"2024-03-31 - 1 month = 2024-02-29 Thursday"}, "", "2024-02-29"},
        {"add", {"1:30", "0:45"}, {"1:30 + 0:45 = 2:15"}, "2.25", "2:15"},
        {"subtract", {"1:00", "1:30"}, {"1:00 - 1:30 = -0:30"}, "-0.5", "-0:30"},
        {"addworkdays", {"2024-01-05", "1"}, {"2024-01-05 + 1 working day = 2024-01-08 Monday"}, "", "2024-01-08"},
        {"addworkdays", {"2024-01-08", "-6"}, {"2024-01-08 - 6 working days = 2023-12-29 Friday"}, "", "2023-12-29"},
        {"info", {"2024-12-30"},
         {"2024-12-30 Monday", "Day 365 of 366, ISO week 1 of 2025, 1 day left in the year"}, "", "Monday"},
        {"hours", {"1:45"}, {"1:45 = 1.75 h"}, "1.75", "1.75"},
        {"hms", {"1.75"}, {"1.75 h = 1:45:00"}, "", "1:45:00"},
        {"sum", {"1:30", "2:15", "-0:15", ""},
         {"1:30+", "2:15+", "0:15-", "------------------", "3:30", "******************"}, "3.5", "3:30"},
        {"sum", {"0:20", "0:40"}, {"0:20+", "0:40+", "------------------", "1:00", "******************"}, "1", "1:00"},
        {"clockdiff", {"22:30", "01:15"}, {"22:30 to 1:15 = 2:45"}, "2.75", "2:45"},
        {"bill", {"1:30"}, {"Bill 1:30 @ 100.00/h = 150.00"}, "150", "150.00"},
    };
    for (const Case& c : cases) {
        const TimeDateOutcome out = runTimeDateOperation(defaults(), c.operation, c.answers);
        SCOPED_TRACE(std::string(c.operation) + " " + (c.answers.empty() ? "" : c.answers[0]));
        EXPECT_TRUE(out.ok) << out.message;
        EXPECT_EQ(out.tapeLines, c.tape);
        EXPECT_EQ(out.readout ? out.readout->toString() : "", c.readout);
        EXPECT_EQ(out.resultText, c.result);
    }
}

TEST(TimeDateRunner, SettingsShapeTheResults) {
    TimeDateSettings s;
    s.rate = parseRate("80", {});
    auto bill = runTimeDateOperation(s, "bill", Lines{"1:30"});
    EXPECT_EQ(bill.tapeLines, Lines{"Bill 1:30 @ 80.00/h = 120.00"});
    EXPECT_EQ(bill.resultText, "120.00");
    EXPECT_EQ(*bill.readout, Decimal(120));

    s.defaultDuration = "2.5";  // the readout's value when no duration is given
    EXPECT_EQ(runTimeDateOperation(s, "bill", Lines{}).resultText, "200.00");

    s.includeEndDate = true;
    auto diff = runTimeDateOperation(s, "difference", Lines{"2024-01-01", "2024-12-31"});
    EXPECT_EQ(*diff.readout, Decimal(366));
    EXPECT_EQ(diff.tapeLines[0], "2024-01-01 to 2024-12-31 = 366 days = 52 weeks 2 days = 1 year");
    EXPECT_EQ(diff.tapeLines[1], "End date included: both dates count.");
    EXPECT_EQ(*runTimeDateOperation(s, "difference", Lines{"2024-12-31", "2024-01-01"}).readout, Decimal(-366));

    s.holidays = HolidayList::parse("2024-01-01 New Year\n", s.years);  // the end date is still included
    auto work = runTimeDateOperation(s, "workdays", Lines{"2024-01-01", "2024-01-08"});
    EXPECT_EQ(work.tapeLines[0], "Working days 2024-01-01 to 2024-01-08 = 5 (1 holiday left out)");
    s.includeEndDate = false;
    work = runTimeDateOperation(s, "workdays", Lines{"2024-01-02", "2024-01-01"});
    EXPECT_EQ(work.tapeLines[0], "Working days 2024-01-02 to 2024-01-01 = -1 (0 holidays left out)");

    s.dateFormat = DateFormat("d/M/yyyy");
    s.symbols = {",", ".", "€"};
    auto add = runTimeDateOperation(s, "add", Lines{"31/1/2024", "1 month"});
    EXPECT_EQ(add.resultText, "29/2/2024");  // answered in the form it was typed
    EXPECT_EQ(runTimeDateOperation(s, "add", Lines{"2024-01-31", "1 month"}).resultText, "2024-02-29");
    EXPECT_EQ(runTimeDateOperation(s, "hours", Lines{"1:45"}).tapeLines, Lines{"1:45 = 1,75 h"});
}

TEST(TimeDateRunner, BadAnswersAreMessagesAndCancelIsQuiet) {
    struct Case {
        const char* operation;
        Lines answers;
        const char* message;
    };
    const Case cases[] = {
        {"difference", {"2024-02-30", "2024-03-01"},
         "\"2024-02-30\" is not a date: 30 February does not exist (February 2024 has 29 days)."},
        {"add", {"2400-12-31", "1 day"}, "2400-12-31 + 1 day falls outside the calendar's years 1500 to 2400."},
        {"add", {"2024-01-01", "1 fortnight"},
         "\"1 fortnight\" is not an amount: type a whole number and days, weeks, months or years (\"1 month\")."},
        {"add", {"2024-01-01", "99999999999 days"}, "\"99999999999 days\" is too large an amount."},
        {"add", {"hello", "1"}, "\"hello\" is not a date: type it as YYYY-MM-DD."},
        {"add", {"1:75", "1:00"}, "\"1:75\": minutes must be 00 to 59."},
        {"addworkdays", {"2024-01-01", "2 weeks"},
         "Type the number of working days as a whole number (\"10\" or \"-10\")."},
        {"clockdiff", {"25:00:00", "1:00"}, "\"25:00:00\" is not a time of day: hours go from 0 to 23."},
        {"sum", {"1:00", "-:-"}, "Time 2: \"-:-\" is not a time: type h:mm, h:mm:ss or decimal hours (1.75)."},
        {"bill", {"abc"}, "\"abc\" is not a time: type h:mm, h:mm:ss or decimal hours (1.75)."},
        {"calendar", {},
         "\"calendar\" is not a time or date calculation: choose one of difference, workdays, add, subtract, "
         "addworkdays, info, hours, hms, sum, clockdiff, bill."},
    };
    for (const Case& c : cases) {
        const TimeDateOutcome out = runTimeDateOperation(defaults(), c.operation, c.answers);
        EXPECT_FALSE(out.ok) << c.operation;
        EXPECT_EQ(out.message, c.message) << c.operation;
        EXPECT_TRUE(out.tapeLines.empty());
        EXPECT_FALSE(out.readout.has_value());
    }
    // A question left unanswered cancels without a message.
    for (const char* op : {"difference", "bill", "sum", "info"}) {
        const TimeDateOutcome out = runTimeDateOperation(defaults(), op, Lines{});
        EXPECT_FALSE(out.ok) << op;
        EXPECT_EQ(out.message, "") << op;
    }
}

TEST(TimeDateRunner, AsksQuestionsInOrderWithTheirDefaults) {
    TimeDateSettings s;
    s.defaultDuration = "0:30";
    std::vector<std::string> prompts, defaultsSeen;
    const AskFunction ask = [&](const std::string& prompt, const std::string& def) -> std::optional<std::string> {
        prompts.push_back(prompt);
        defaultsSeen.push_back(def);
        return def;
    };
    const auto out = runTimeDateOperation(s, "bill", ask);
    EXPECT_EQ(out.resultText, "50.00");
    EXPECT_EQ(prompts, Lines{"Time to bill at 100.00/h (h:mm or decimal hours)"});
    EXPECT_EQ(defaultsSeen, Lines{"0:30"});
}
