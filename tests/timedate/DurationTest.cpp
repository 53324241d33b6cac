// Durations, clock times and the timesheet: exact values, the text they are
// shown in, and the messages for malformed times.
#include <gtest/gtest.h>

#include <string>

#include "timedate/Duration.h"
#include "timedate/InputError.h"

using namespace zorv::timedate;
using zorv::engine::Decimal;
using zorv::engine::NumberSymbols;

namespace {

std::string durationMessage(const std::string& text, const NumberSymbols& symbols = {}) {
    try {
        Duration::parse(text, symbols);
    } catch (const InputError& e) {
        return e.what();
    }
    return "(accepted)";
}

std::string clockMessage(const std::string& text) {
    try {
        ClockTime::parse(text);
    } catch (const InputError& e) {
        return e.what();
    }
    return "(accepted)";
}

}  // namespace

TEST(Duration, ParsesToExactSecondsAndHours) {
    struct Case {
        const char* text;
        const char* seconds;
        const char* hours;
        const char* shown;
    };
    const Case cases[] = {
        {"1:45", "6300", "1.75", "1:45"},
        {"0:20", "1200", "0.3333333333333333333333333333", "0:20"},
        {"1:45:30", "6330", "1.7583333333333333333333333333", "1:45:30"},
        {"-0:15", "-900", "-0.25", "-0:15"},
        {"+2:00", "7200", "2", "2:00"},
        {"1.75", "6300", "1.75", "1:45"},
        {"1.2345", "4444.2", "1.2345", "1:14:04.2"},
        {".5", "1800", "0.5", "0:30"},
        {"3.", "10800", "3", "3:00"},
        {"-1.5 h", "-5400", "-1.5", "-1:30"},
        {"  100:00:01 ", "360001", "100.00027777777777777777777778", "100:00:01"},
        {"0:00", "0", "0", "0:00"},
        {"-0:00", "0", "0", "0:00"},
        {"9999999:00", "35999996400", "9999999", "9999999:00"},
    };
    for (const Case& c : cases) {
        const Duration d = Duration::parse(c.text);
        EXPECT_EQ(d.seconds().toString(), c.seconds) << c.text;
        EXPECT_EQ(d.hours().toString(), c.hours) << c.text;
        EXPECT_EQ(d.text(), c.shown) << c.text;
    }
    EXPECT_EQ(Duration::parse("1:45").textWithSeconds(), "1:45:00");
    EXPECT_EQ(Duration::parse("1,75", {",", ".", "€"}).seconds(), Decimal(6300));
    EXPECT_EQ(Duration::parse("1.2345").text(","), "1:14:04,2");
}

TEST(Duration, MalformedTimesSayWhy) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"1:75", "\"1:75\": minutes must be 00 to 59."},
        {"1:30:60", "\"1:30:60\": seconds must be 00 to 59."},
        {"1:5", "\"1:5\": type the minutes with two digits (00 to 59)."},
        {"-:-", "\"-:-\" is not a time: type h:mm, h:mm:ss or decimal hours (1.75)."},
        {":30", "\":30\" is not a time: type h:mm, h:mm:ss or decimal hours (1.75)."},
        {"1:30:00:00", "\"1:30:00:00\" is not a time: type h:mm, h:mm:ss or decimal hours (1.75)."},
        {"1:3a", "\"1:3a\" is not a time: type h:mm, h:mm:ss or decimal hours (1.75)."},
        {"1.5.5", "\"1.5.5\" is not a time: type h:mm, h:mm:ss or decimal hours (1.75)."},
        {"1e3", "\"1e3\" is not a time: type h:mm, h:mm:ss or decimal hours (1.75)."},
        {"--1:00", "\"--1:00\" is not a time: type h:mm, h:mm:ss or decimal hours (1.75)."},
        {"-", "\"-\" is not a time: type h:mm, h:mm:ss or decimal hours (1.75)."},
        {"", "Type a time as h:mm, h:mm:ss or decimal hours (1.75)."},
        {"10000000:00", "A time longer than 9999999 hours is not accepted."},
        {"99999999999999999999", "A time longer than 9999999 hours is not accepted."},
        {"0.000000000000000000001", "\"0.000000000000000000001\": type at most 20 decimals of an hour."},
    };
    for (const Case& c : cases) EXPECT_EQ(durationMessage(c.text), c.message) << c.text;
    EXPECT_EQ(durationMessage("1.5", {",", ".", "$"}),
              "\"1.5\" is not a time: type h:mm, h:mm:ss or decimal hours (1,75).");
}

TEST(Duration, SumsStayExactAndStopAtTheLimit) {
    Duration total;
    for (int i = 0; i < 3; ++i) total = total + Duration::parse("0:00:01");
    EXPECT_EQ(total.seconds(), Decimal(3));
    EXPECT_EQ((Duration::parse("0.1") + Duration::parse("0.2")).hours(), Decimal::parse("0.3"));
    EXPECT_EQ((Duration::parse("1:00") - Duration::parse("1:30")).text(), "-0:30");
    const Duration big = Duration::parse("9999999:00");
    EXPECT_THROW(big + Duration::parse("1:00"), InputError);
}

TEST(ClockTime, DifferenceWrapsAroundMidnight) {
    struct Case {
        const char* from;
        const char* to;
        const char* diff;
    };
    const Case cases[] = {
        {"22:30", "01:15", "2:45"}, {"9:00", "17:30", "8:30"}, {"23:59:59", "0:00", "0:00:01"},
        {"12:00", "12:00", "0:00"}, {"00:00", "23:59", "23:59"}, {"17:00", "9:00", "16:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clockDifference(ClockTime::parse(c.from), ClockTime::parse(c.to)).text(), c.diff)
            << c.from << " " << c.to;
    EXPECT_EQ(ClockTime::parse("7:05:09").text(), "7:05:09");
}

TEST(ClockTime, MalformedClockTimesSayWhy) {
    EXPECT_EQ(clockMessage("25:00:00"), "\"25:00:00\" is not a time of day: hours go from 0 to 23.");
    EXPECT_EQ(clockMessage("24:00"), "\"24:00\" is not a time of day: hours go from 0 to 23.");
    EXPECT_EQ(clockMessage("12:60"), "\"12:60\": minutes must be 00 to 59.");
    EXPECT_EQ(clockMessage("-1:00"),
              "\"-1:00\" is not a time of day: type hh:mm or hh:mm:ss (0:00 to 23:59:59).");
    EXPECT_EQ(clockMessage("12"), "\"12\" is not a time of day: type hh:mm or hh:mm:ss (0:00 to 23:59:59).");
    EXPECT_EQ(clockMessage("-:-"), "\"-:-\" is not a time of day: type hh:mm or hh:mm:ss (0:00 to 23:59:59).");
    EXPECT_EQ(clockMessage(""), "Type a time of day as hh:mm or hh:mm:ss.");
}

TEST(Timesheet, TapeShowsEachEntryThenTheTotalBlock) {
    Timesheet sheet;
    for (const char* t : {"1:30", "2:15", "-0:15", "0.5"}) sheet.add(Duration::parse(t));
    EXPECT_EQ(sheet.tapeLines(), (std::vector<std::string>{"1:30+", "2:15+", "0:15-", "0:30+", "------------------",
                                                          "4:00", "******************"}));
    EXPECT_EQ(sheet.total().hours(), Decimal(4));

    Timesheet over;
    over.add(Duration::parse("9999999:00"));
    EXPECT_THROW(over.add(Duration::parse("1:00")), InputError);
    EXPECT_EQ(over.entries().size(), 1u);  // the refused entry left the sheet as it was
}
