// Dates typed as ISO or in the locale's short form, and what the user is
// told when a date cannot be.
#include <gtest/gtest.h>

#include <string>

#include "timedate/DateFormat.h"
#include "timedate/Holidays.h"
#include "timedate/InputError.h"

using namespace zorv::timedate;

namespace {

const YearRange kRange{1500, 2400};

std::string messageFor(const DateFormat& f, const std::string& text, const YearRange& range = kRange) {
    try {
        f.parse(text, range);
    } catch (const InputError& e) {
        return e.what();
    }
    return "(accepted)";
}

}  // namespace

TEST(DateParsing, LocaleFormsAndIsoAreRead) {
    struct Case {
        const char* pattern;
        const char* text;
        const char* iso;
    };
    const Case cases[] = {
        {"d/M/yyyy", "31/1/2024", "2024-01-31"},   {"d/M/yyyy", " 3/04/2024 ", "2024-04-03"},
        {"M/d/yyyy", "1/31/2024", "2024-01-31"},   {"dd.MM.yyyy", "29.02.2024", "2024-02-29"},
        {"dd.MM.yyyy", "1.2.2024", "2024-02-01"},  {"yyyy/MM/dd", "2024/12/31", "2024-12-31"},
        {"d/M/yyyy", "2024-02-29", "2024-02-29"},  {"dd-MM-yyyy", "01-02-2024", "2024-02-01"},
        {"dd-MM-yyyy", "2024-02-01", "2024-02-01"}, {"M/d/yy", "12/25/2024", "2024-12-25"},
        {"d. M. yyyy", "1.  2. 2024", "2024-02-01"}, {"d MMM yyyy", "2024-06-01", "2024-06-01"},
        {"yyyy-MM-dd", "1500-01-01", "1500-01-01"}, {"yyyy-MM-dd", "2400-12-31", "2400-12-31"},
        {"yyyy-MM-dd", "1582-10-10", "1582-10-10"},
    };
    for (const Case& c : cases) {
        const DateFormat f(c.pattern);
        EXPECT_EQ(f.parse(c.text, kRange).isoText(), c.iso) << c.pattern << " " << c.text;
    }
}

TEST(DateParsing, WritesTheLocaleFormWithFourDigitYears) {
    const Date d = Date::fromCivil(2024, 2, 5);
    EXPECT_EQ(DateFormat("d/M/yyyy").format(d), "5/2/2024");
    EXPECT_EQ(DateFormat("dd.MM.yyyy").format(d), "05.02.2024");
    EXPECT_EQ(DateFormat("M/d/yy").format(d), "2/5/2024");
    EXPECT_EQ(DateFormat("M/d/yy").hint(), "M/d/yyyy");
    EXPECT_EQ(DateFormat("dddd, MMMM d, yyyy").format(d), "2024-02-05");  // names: ISO only
    EXPECT_FALSE(DateFormat("dddd, MMMM d, yyyy").hasLocaleForm());
    EXPECT_FALSE(DateFormat("ddMMyyyy").hasLocaleForm());  // fields run together
}

TEST(DateParsing, ImpossibleDatesSayWhatIsWrong) {
    const DateFormat f("d/M/yyyy");
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"2024-02-30", "\"2024-02-30\" is not a date: 30 February does not exist (February 2024 has 29 days)."},
        {"30/2/2023", "\"30/2/2023\" is not a date: 30 February does not exist (February 2023 has 28 days)."},
        {"29/2/1900", "\"29/2/1900\" is not a date: 29 February does not exist (February 1900 has 28 days)."},
        {"0000-01-01", "\"0000-01-01\" is not a date: there is no year 0."},
        {"1/1/0000", "\"1/1/0000\" is not a date: there is no year 0."},
        {"99999-01-01", "\"99999-01-01\": year 99999 is outside the calendar's years 1500 to 2400."},
        {"1/1/99999", "\"1/1/99999\": year 99999 is outside the calendar's years 1500 to 2400."},
        {"1499-12-31", "\"1499-12-31\": year 1499 is outside the calendar's years 1500 to 2400."},
        {"2401-01-01", "\"2401-01-01\": year 2401 is outside the calendar's years 1500 to 2400."},
        {"2024-13-01", "\"2024-13-01\" is not a date: there is no month 13."},
        {"0/1/2024", "\"0/1/2024\" is not a date: there is no day 0 (January 2024 has 31 days)."},
        {"1/2/24", "\"1/2/24\": type the year with all its digits (24 could be 1924, 2024 or 2124)."},
        {"24-02-01", "\"24-02-01\": type the year with all its digits (24 could be 1924, 2024 or 2124)."},
        {"1/2/5", "\"1/2/5\": type the year with all its digits (05 could be 1905, 2005 or 2105)."},
        {"hello", "\"hello\" is not a date: type it as YYYY-MM-DD or d/M/yyyy."},
        {"1/2/2024/5", "\"1/2/2024/5\" is not a date: type it as YYYY-MM-DD or d/M/yyyy."},
        {"2024-1-1-", "\"2024-1-1-\" is not a date: type it as YYYY-MM-DD or d/M/yyyy."},
        {"", "Type a date as YYYY-MM-DD or d/M/yyyy."},
        {"99999999999999999999-01-01",
         "\"99999999999999999999-01-01\": year 9999999999 is outside the calendar's years 1500 to 2400."},
    };
    for (const Case& c : cases) EXPECT_EQ(messageFor(f, c.text), c.message) << c.text;
}

TEST(DateParsing, TheCallersYearRangeApplies) {
    const DateFormat f;
    EXPECT_EQ(messageFor(f, "1999-12-31", {2000, 2100}),
              "\"1999-12-31\": year 1999 is outside the calendar's years 2000 to 2100.");
    EXPECT_EQ(f.parse("0100-03-01", {100, 9999}).isoText(), "0100-03-01");
    EXPECT_EQ((YearRange{2400, 1500}.sanitized().first), 1500);  // damaged settings: defaults
    EXPECT_EQ((YearRange{0, 2000}.sanitized().last), 2400);
}

TEST(DateArithmetic, ResultsOutsideTheRangeAndHugeAmountsAreMessages) {
    const YearRange r{1500, 2400};
    const Date last = Date::fromCivil(2400, 12, 31);
    auto message = [](auto f) -> std::string {
        try {
            f();
        } catch (const InputError& e) {
            return e.what();
        }
        return "(accepted)";
    };
    EXPECT_EQ(message([&] { addDays(last, 1, r); }),
              "2400-12-31 + 1 day falls outside the calendar's years 1500 to 2400.");
    EXPECT_EQ(message([&] { addMonths(Date::fromCivil(1500, 1, 31), -1, r); }),
              "1500-01-31 - 1 month falls outside the calendar's years 1500 to 2400.");
    EXPECT_EQ(message([&] { addYears(last, 999999999, r); }),
              "2400-12-31 + 999999999 years falls outside the calendar's years 1500 to 2400.");
    EXPECT_EQ(message([&] { addDays(last, -999999999999LL, r); }),
              "2400-12-31 - 999999999999 days falls outside the calendar's years 1500 to 2400.");
    EXPECT_EQ(message([&] { addWeeks(last, -999999999, r); }),
              "2400-12-31 - 999999999 weeks falls outside the calendar's years 1500 to 2400.");
    EXPECT_EQ(message([&] { addWorkdays(last, 1, HolidayList(), r); }),
              "2400-12-31 + 1 working day falls outside the calendar's years 1500 to 2400.");
    EXPECT_EQ(message([&] { addWorkdays(last, -999999999, HolidayList(), r); }),
              "2400-12-31 - 999999999 working days falls outside the calendar's years 1500 to 2400.");
}

TEST(HolidayFile, ReaderKeepsValidLinesAndReportsTheRest) {
    const HolidayList list = HolidayList::parse(
        "2024-12-25 Christmas\n#2024-01-01\n\n2024-12-25 again\n2024-1-2\n2024-06-31 x\n 2024-05-01\t\tMay Day \n",
        {1500, 2400});
    ASSERT_EQ(list.holidays().size(), 2u);
    EXPECT_EQ(list.holidays()[0].date.isoText(), "2024-05-01");
    EXPECT_EQ(list.holidays()[0].name, "May Day");
    EXPECT_TRUE(list.contains(Date::fromCivil(2024, 12, 25)));
    EXPECT_FALSE(list.contains(Date::fromCivil(2024, 1, 1)));
    EXPECT_EQ(list.skippedReport(),
              "holidays.txt: 3 lines skipped: line 4: 2024-12-25 is already listed on line 1; "
              "line 5: \"2024-1-2\" is not written YYYY-MM-DD; "
              "line 6: \"2024-06-31\" is not a date: 31 June does not exist (June 2024 has 30 days).");
}

TEST(HolidayFile, OnlyRegularFilesAreRead) {
    const YearRange r{1500, 2400};
    EXPECT_TRUE(HolidayList::readFile("/nonexistent/holidays.txt", r).holidays().empty());
    EXPECT_THROW(HolidayList::readFile("/tmp", r), InputError);
    EXPECT_THROW(HolidayList::readFile("/dev/zero", r), InputError);
}
