// The alarm file: round trips, damaged files, and the program check a Run
// alarm makes before it fires.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "notes/Alarms.h"

using namespace zorv::notes;
using zorv::timedate::Date;

TEST(AlarmFile, EveryKindRoundTrips) {
    std::vector<Alarm> alarms(4);
    alarms[0] = {Date::fromCivil(2026, 12, 8), 9 * 60 + 5, Repeat::Daily, "Stand-up\nRoom 4 \\ east", AlarmAction::Reminder,
                 "", {}, true};
    alarms[1] = {Date::fromCivil(2024, 2, 29), 0, Repeat::Yearly, "", AlarmAction::PlaySound, "/home/a/bell [1].wav", {}, false};
    alarms[2] = {Date::fromCivil(2026, 1, 31), 23 * 60 + 59, Repeat::Monthly, "=x", AlarmAction::Open,
                 "https://example.org/?a=1&b=2", {}, true};
    alarms[3] = {Date::fromCivil(2026, 12, 5), 7 * 60, Repeat::Weekdays, std::string("n\0l", 3), AlarmAction::Run,
                 "notify-send", {"two words", "", "$(rm -rf ~); echo \"x\"", "line\nbreak", "\xFF"}, true};
    const std::string text = alarmsToText(alarms);
    const AlarmsLoad back = parseAlarms(text);
    EXPECT_TRUE(back.complete()) << back.report();
    EXPECT_EQ(back.alarms, alarms) << text;
    EXPECT_EQ(alarmsToText(back.alarms), text);
    EXPECT_NE(text.find("[Alarm 4]\nWhen=2026-12-05T07:00\nRepeat=weekdays\n"), std::string::npos) << text;
    EXPECT_TRUE(parseAlarms(alarmsToText({})).alarms.empty());
}

TEST(AlarmFile, DamagedAlarmsLoadWhatIsValid) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> messages;  // of the alarms loaded
        std::vector<int> skippedLines;
        std::vector<bool> enabled = {};
    };
    const std::vector<Case> cases = {
        {"minimal", "[Alarm]\nWhen=2026-12-08T09:05\n", {""}, {}},
        {"defaults and crlf", "\xEF\xBB\xBF[alarm 7]\r\nwhen = 2026-12-08 09:05\r\nMESSAGE=a\r\n", {"a"}, {}},
        {"no when", "[Alarm]\nMessage=a\n[Alarm]\nWhen=2026-12-08T09:05\nMessage=b\n", {"b"}, {1}},
        {"impossible date", "[Alarm]\nWhen=2026-02-29T09:00\nMessage=a\n", {}, {2}},
        {"bad time", "[Alarm]\nWhen=2026-02-28T25:00\n", {}, {2}},
        {"unknown repeat", "[Alarm]\nWhen=2026-02-28T09:00\nRepeat=hourly\n", {}, {3}},
        {"unknown action", "[Alarm]\nWhen=2026-02-28T09:00\nAction=format disk\n", {}, {3}},
        {"run without target", "[Alarm]\nWhen=2026-02-28T09:00\nAction=run\n", {}, {1}},
        {"unknown key kept alarm", "[Alarm]\nWhen=2026-02-28T09:00\nColour=red\nMessage=a\n", {"a"}, {3}},
        {"second single key", "[Alarm]\nWhen=2026-02-28T09:00\nMessage=a\nMessage=b\n", {"a"}, {4}},
        {"damaged enabled loads disabled", "[Alarm]\nWhen=2026-02-28T09:00\nEnabled=maybe\n", {""}, {3}, {false}},
        {"enabled words", "[Alarm]\nWhen=2026-02-28T09:00\nEnabled=no\n[Alarm]\nWhen=2026-02-28T09:00\nEnabled=1\n",
         {"", ""}, {}, {false, true}},
        {"unknown section skipped whole", "[Clock]\nWhen=2026-02-28T09:00\n[Alarm]\nWhen=2026-02-28T09:00\n", {""}, {1}},
        {"[Alarms] is not an alarm", "[Alarms]\nWhen=2026-02-28T09:00\n", {}, {1}},
        {"outside any alarm", "When=2026-02-28T09:00\n", {}, {1}},
        {"no equals", "[Alarm]\nWhen=2026-02-28T09:00\ngarbage\n", {""}, {3}},
        {"binary", std::string("\0\0\0\x7F" "ELF\x02\x01\n\xFF\xD8", 11), {}, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AlarmsLoad load = parseAlarms(c.text);
        std::vector<std::string> messages;
        std::vector<bool> enabled;
        for (const Alarm& a : load.alarms) {
            messages.push_back(a.message);
            enabled.push_back(a.enabled);
        }
        EXPECT_EQ(messages, c.messages);
        std::vector<int> lines;
        for (const SkippedLine& s : load.skipped) lines.push_back(s.line);
        EXPECT_EQ(lines, c.skippedLines) << load.report();
        if (!c.enabled.empty()) {
            EXPECT_EQ(enabled, c.enabled);
        }
        EXPECT_EQ(load.complete(), c.skippedLines.empty());
    }
}

TEST(AlarmFile, ArgumentsOnlyForRunAndReportsNameTheProblem) {
    const AlarmsLoad load = parseAlarms(
        "[Alarm]\nWhen=2026-02-28T09:00\nAction=open\nTarget=/tmp/x.pdf\nArgument=ignored\n"
        "[Alarm]\nWhen=2026-02-30T09:00\n");
    ASSERT_EQ(load.alarms.size(), 1u);
    EXPECT_TRUE(load.alarms[0].arguments.empty());
    EXPECT_EQ(load.report(), "calcalrm.2do: 1 line skipped: line 7: \"2026-02-30\" is not a date: 30 February does "
                             "not exist (February 2026 has 28 days); it is not loaded.");
}

TEST(AlarmFile, FilesOnDisk) {
    const auto dir = std::filesystem::temp_directory_path() / ("zorv-alarms-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(readAlarmsFile(dir / "none.2do").complete());
    EXPECT_NE(readAlarmsFile(dir).report().find("not a regular file"), std::string::npos);
    const auto big = dir / "big.2do";
    { std::ofstream(big) << "[Alarm]\n"; }
    std::filesystem::resize_file(big, 10 * 1024 * 1024);
    const AlarmsLoad huge = readAlarmsFile(big);
    EXPECT_FALSE(huge.complete());
    EXPECT_TRUE(huge.alarms.empty());
    EXPECT_NE(huge.report().find("larger than 4 MB"), std::string::npos) << huge.report();
    std::filesystem::remove_all(dir);
}

TEST(AlarmProgram, CheckedBeforeItRuns) {
    EXPECT_EQ(checkProgram("sh", "/nonexistent::/bin").problem, "");
    EXPECT_EQ(checkProgram("sh", "/nonexistent::/bin").program, "/bin/sh");
    EXPECT_EQ(checkProgram("/bin/sh", "").problem, "");
    EXPECT_EQ(checkProgram("/no/such/program", "/bin").problem, "The alarm's program \"/no/such/program\" does not exist.");
    EXPECT_EQ(checkProgram("/etc/passwd", "/bin").problem,
              "The alarm's program \"/etc/passwd\" is not a program that can be run.");
    EXPECT_EQ(checkProgram("/bin", "").problem, "The alarm's program \"/bin\" is not a program that can be run.");
    EXPECT_EQ(checkProgram("no-such-program-zorv", "/bin:/usr/bin").problem,
              "The alarm's program \"no-such-program-zorv\" was not found.");
    EXPECT_EQ(checkProgram("", "/bin").problem, "The alarm names no program to run.");
}
