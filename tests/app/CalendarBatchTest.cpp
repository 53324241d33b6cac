// The calendar, alarm and scratch pad commands in batch mode, on real files
// in a temporary data folder, and backup and restore of the two files.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/BatchSession.h"
#include "tests/support/TestFiles.h"

using zorv::app::BatchOptions;
using zorv::app::runBatch;
using zorv::test::TempDir;
using zorv::test::slurp;
using zorv::test::spit;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

struct Folder {
    TempDir dir;
    std::string ini = dir / "settings.ini";
    std::string data = dir / "data";
    Folder() { std::filesystem::create_directories(data); }

    Outcome batch(const std::string& keys, const std::string& now = "2026-12-08T09:05:20") {
        BatchOptions options;
        options.settingsFile = ini;
        options.dataDir = data;
        options.now = now;
        std::istringstream in(keys);
        std::ostringstream out, err;
        const int status = runBatch(in, out, err, options);
        // Without the last line, the readout.
        std::string messages = err.str();
        messages.erase(messages.rfind("readout: "));
        return {status, out.str(), messages};
    }
};

}  // namespace

TEST(CalendarBatch, NoteIsSetPrintedAndDeleted) {
    Folder f;
    Outcome r = f.batch("{Show Calendar}[2026-12-24][Buy the goose\nCall [Anna]]");
    EXPECT_EQ(r.status, 0);
    r = f.batch("{Show Calendar}[2026-12-24]{Show Calendar}[2026-12-25]");
    EXPECT_EQ(r.err, "note 2026-12-24: Buy the goose | Call [Anna\n"
                     "note 2026-12-25: \n"
                     )
        << r.err;
    EXPECT_NE(slurp(f.data + "/zorvcalc.2do").find("Line=Buy the goose\n"), std::string::npos);
    f.batch("{Show Calendar}[2026-12-24][]");
    EXPECT_EQ(f.batch("{Show Calendar}[2026-12-24]").err, "note 2026-12-24: \n");
}

// A reading form never takes the answers of a later command.
TEST(CalendarBatch, OptionalAnswersAreOnlyTheOnesThatFollowDirectly) {
    Folder f;
    const Outcome r = f.batch("{Show Calendar}[2026-12-24]5{Show Calendar}[2026-12-25][second]{Show Calendar}[2026-12-25]");
    EXPECT_EQ(r.err, "note 2026-12-24: \nnote 2026-12-25: second\n") << r.err;
}

TEST(CalendarBatch, BadDateIsReportedAndNothingIsWritten) {
    Folder f;
    const Outcome r = f.batch("{Show Calendar}[2026-02-30][x]");
    EXPECT_NE(r.err.find("Zorv Advanced Calculator: "), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(f.data + "/zorvcalc.2do"));
}

TEST(CalendarBatch, AlarmsDueAtTheFixedTimeFireOnceAndAlarmsOffSilencesThem) {
    Folder f;
    Outcome r = f.batch("{Set Alarms}[2026-12-08T09:06][daily][Stand-up\nRoom 4]{Set Alarms}[2026-12-08T10:00][][Later]");
    EXPECT_EQ(r.err, "") << r.err;
    EXPECT_EQ(f.batch("", "2026-12-09T09:06:30").err, "alarm: Stand-up | Room 4\n");
    EXPECT_EQ(f.batch("", "2026-12-09T09:07:00").err, "");
    EXPECT_EQ(f.batch("", "2026-12-08T10:00:00").err, "alarm: Later\n");
    // Once only: not the next day.
    EXPECT_EQ(f.batch("", "2026-12-09T10:00:00").err, "");
    f.batch("{Alarms Enabled/Disabled}");
    EXPECT_NE(slurp(f.ini).find("Alarms On=False"), std::string::npos);
    EXPECT_EQ(f.batch("", "2026-12-09T09:06:30").err, "");
}

TEST(CalendarBatch, RunAlarmKeepsArgumentsAndBadRepeatIsRefused) {
    Folder f;
    f.batch("{Set Alarms}[2026-12-08T09:05][once][go][run][/usr/bin/printf][a b][c;d]");
    const std::string file = slurp(f.data + "/calcalrm.2do");
    EXPECT_NE(file.find("Argument=a b\nArgument=c;d\n"), std::string::npos) << file;
    const Outcome r = f.batch("{Set Alarms}[2026-12-08T09:05][fortnightly][x]");
    EXPECT_NE(r.err.find("is not a repeat"), std::string::npos) << r.err;
}

TEST(CalendarBatch, ScratchPadAndTapeAppendToTheLastFile) {
    Folder f;
    const Outcome r = f.batch("5+3={Tape to Scratch Pad}{Scratch Pad}[a note]{Scratch Pad}");
    const std::string pad = f.data + "/scratchpad.txt";
    EXPECT_NE(r.err.find("Scratch Pad: " + pad + "\n"), std::string::npos) << r.err;
    EXPECT_EQ(slurp(pad), "5.00+\n3.00=\n------------------\n8.00\n******************\na note\n");
    EXPECT_NE(slurp(f.ini).find("Last File=" + pad), std::string::npos);
    // "Last File" names the pad from then on.
    const std::string other = f.dir / "mine.txt";
    spit(other, "kept");
    spit(f.ini, "[Startup]\nLast File=" + other + "\n");
    f.batch("{Scratch Pad}[more]");
    EXPECT_EQ(slurp(other), "kept\nmore\n");
}

TEST(CalendarBatch, BackupAndRestoreRoundTripBothFiles) {
    Folder f;
    f.batch("{Show Calendar}[2026-12-24][Gans \xC3\xBC \\ tab\there]{Set Alarms}[2026-12-08T09:06][weekdays][Stand-up]");
    const std::string notes = slurp(f.data + "/zorvcalc.2do");
    const std::string alarms = slurp(f.data + "/calcalrm.2do");
    const std::string usb = f.dir / "usb";
    std::filesystem::create_directories(usb);
    EXPECT_NE(f.batch("{Backup Data}[" + usb + "]").err.find("Backup succeeded!"), std::string::npos);
    std::filesystem::remove(f.data + "/zorvcalc.2do");
    spit(f.data + "/calcalrm.2do", "garbage");
    EXPECT_NE(f.batch("{Restore Data}[" + usb + "]").err.find("Restore succeeded!"), std::string::npos);
    EXPECT_EQ(slurp(f.data + "/zorvcalc.2do"), notes);
    EXPECT_EQ(slurp(f.data + "/calcalrm.2do"), alarms);
    EXPECT_EQ(f.batch("{Show Calendar}[2026-12-24]", "2026-12-09T09:06:00").err,
              "alarm: Stand-up\nnote 2026-12-24: Gans \xC3\xBC \\ tab\there\n");
}

TEST(CalendarBatch, DamagedFilesLoadWhatIsValidReportOnceAndKeepTheOldText) {
    Folder f;
    const std::string damaged = "[2026-12-24]\nLine=ok\n[2026-02-30]\nLine=lost day\nBogus=1\n";
    spit(f.data + "/zorvcalc.2do", damaged);
    Outcome r = f.batch("{Show Calendar}[2026-12-24]");
    EXPECT_NE(r.err.find("note 2026-12-24: ok\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("zorvcalc.2do"), std::string::npos) << r.err;
    // Only read: the file stays as it was.
    EXPECT_EQ(slurp(f.data + "/zorvcalc.2do"), damaged);
    f.batch("{Show Calendar}[2026-12-25][new]");
    EXPECT_EQ(slurp(f.data + "/zorvcalc.2do.unread"), damaged);
    EXPECT_NE(slurp(f.data + "/zorvcalc.2do").find("Line=new"), std::string::npos);
}

TEST(CalendarBatch, AFailedWriteKeepsTheOldFileAndSaysSo) {
    Folder f;
    f.batch("{Show Calendar}[2026-12-24][first]");
    const std::string path = f.data + "/zorvcalc.2do";
    const std::string before = slurp(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    const Outcome r = f.batch("{Show Calendar}[2026-12-24][second]");
    EXPECT_NE(r.err.find("The notes were not saved: "), std::string::npos) << r.err;
    EXPECT_EQ(slurp(path), before);
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}
