// Time and date calculations, the billing rate and the project timer in
// batch mode, as the README shows them: the exact tape, the messages and the
// readout, and a timer started in one run and stopped in a later one.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "app/BatchSession.h"

using zorv::app::BatchOptions;
using zorv::app::runBatch;

namespace {

const std::string kPlain = "[Startup]\nFinancial Mode=False\nFormat Numbers=0\nCarry Result=0\n";

struct Batch {
    QTemporaryDir dir;
    std::string out, err;
    std::string path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
    Batch() { std::ofstream(path("settings.ini")) << kPlain; }
    // Runs a script on the same settings file each time, as separate runs of
    // the program would.
    Batch& run(const std::string& keys, std::optional<std::string> now = {}) {
        BatchOptions options;
        options.settingsFile = path("settings.ini");
        options.dataDir = path("data");
        options.now = std::move(now);
        std::istringstream in(keys);
        std::ostringstream o, e;
        runBatch(in, o, e, options);
        out = o.str();
        err = e.str();
        return *this;
    }
};

}  // namespace

TEST(TimeDateBatch, TheReadmeExamples) {
    Batch b;
    b.run("{Time/Date Calculations}[difference][2024-01-01][2024-12-31]");
    EXPECT_EQ(b.out,
              "2024-01-01 to 2024-12-31 = 365 days = 52 weeks 1 day = 11 months 30 days\r\n"
              "End date excluded: counted up to the day before the end date.\r\n");
    EXPECT_EQ(b.err, "readout: 365.\n");

    b.run("{Time/Date Calculations}[add][2024-01-31][1 month]");
    EXPECT_EQ(b.out, "2024-01-31 + 1 month = 2024-02-29 Thursday\r\n");

    b.run("{Time/Date Calculations}[hours][1:45]");
    EXPECT_EQ(b.out, "1:45 = 1.75 h\r\n");
    EXPECT_EQ(b.err, "readout: 1.75\n");

    b.run("{Billing Rate}[80]1:30{Time/Date Calculations}[bill]");
    EXPECT_EQ(b.out, "Bill 1:30 @ 80.00/h = 120.00\r\n");
    EXPECT_EQ(b.err, "readout: 120.\n");
    // The rate is kept for the next run.
    b.run("{Time/Date Calculations}[bill][1:30]");
    EXPECT_EQ(b.out, "Bill 1:30 @ 80.00/h = 120.00\r\n");

    b.run("{Time/Date Calculations}[sum][1:30][0:45][-0:15][]{Time/Date Calculations}[clockdiff][22:30][1:15]");
    EXPECT_EQ(b.out, "1:30+\r\n0:45+\r\n0:15-\r\n------------------\r\n2:00\r\n******************\r\n"
                     "22:30 to 1:15 = 2:45\r\n");
    EXPECT_EQ(b.err, "readout: 2.75\n");
}

TEST(TimeDateBatch, BadInputIsAMessageAndChangesNothing) {
    Batch b;
    b.run("7{Time/Date Calculations}[difference][2023-02-29][2024-01-01]"
          "{Time/Date Calculations}[add][2400-12-31][1 day]"
          "{Time/Date Calculations}[clockdiff][25:00][1:00]"
          "{Time/Date Calculations}[hours][-:-]"
          "{Time/Date Calculations}[weekday][2024-01-01]"
          "{Billing Rate}[abc]");
    EXPECT_EQ(b.out, "");
    std::istringstream lines(b.err);
    std::string line;
    int messages = 0;
    while (std::getline(lines, line)) {
        if (line.rfind("readout:", 0) == 0) {
            EXPECT_EQ(line, "readout: 7.");
        } else {
            ++messages;
            EXPECT_TRUE(line.rfind("Time/Date Calculations: ", 0) == 0 || line.rfind("Billing Rate: ", 0) == 0)
                << line;
        }
    }
    EXPECT_EQ(messages, 6);
    EXPECT_NE(b.err.find("29 February"), std::string::npos);
    EXPECT_NE(b.err.find("The rate stays 100.00."), std::string::npos);
}

TEST(TimeDateBatch, ATimerStartedInOneRunIsBilledWhenStoppedInALaterOne) {
    Batch b;
    b.run("{Billing Rate}[60]{Start/Stop Project Timer}", "2026-12-08T09:00:00");
    EXPECT_EQ(b.out, "");
    b.run("{Start/Stop Project Timer}", "2026-12-08T11:45:30");
    EXPECT_EQ(b.out, "Timer 2026-12-08 09:00:00 to 2026-12-08 11:45:30 = 2:45:30 @ 60.00/h = 165.50\r\n");
    EXPECT_EQ(b.err, "readout: 165.5\n");
    // Stopped: the next toggle starts afresh.
    b.run("{Start/Stop Project Timer}", "2026-12-09T08:00:00");
    b.run("{Start/Stop Project Timer}", "2026-12-09T08:00:10");
    EXPECT_EQ(b.out, "Timer 2026-12-09 08:00:00 to 2026-12-09 08:00:10 = 0:00:10 @ 60.00/h = 0.17\r\n");
}
