// Toolbar buttons, catalogue item names and backup in batch mode.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/BatchSession.h"

using zorv::app::BatchOptions;
using zorv::app::runBatch;

namespace {

struct Session {
    QTemporaryDir dir;
    std::string out, err;

    std::string path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    void operator()(const std::string& keys, const std::string& ini) {
        BatchOptions options;
        std::ofstream(path("settings.ini")) << ini;
        options.settingsFile = path("settings.ini");
        std::filesystem::create_directories(path("data"));
        options.dataDir = path("data");
        std::istringstream in(keys);
        std::ostringstream o, e;
        runBatch(in, o, e, options);
        out = o.str();
        err = e.str();
    }
};

const std::string kPlain = "[Startup]\nFinancial Mode=False\nFormat Numbers=0\nCarry Result=0\n";

}  // namespace

TEST(ToolbarBatch, ToolbarNClicksTheStoredBinding) {
    Session run;
    run("5{Toolbar 2}{Toolbar 1}{Toolbar 0}{Toolbar 10}{Toolbar 3}",
        kPlain + "[Buttons]\n2Caption=Oth17\n2ToolTip=Change Sign\n3ToolTip=Nothing Known\n");
    // Button 2 changes the sign; button 1 is unbound and there is no set-up
    // window to open, which it says before it beeps; 0, 10 and the unknown
    // tool tip of button 3 only beep.
    EXPECT_EQ(run.err, "Toolbar 1: not bound\nbeep\nbeep\nbeep\nbeep\nreadout: -5.\n");
}

TEST(ToolbarBatch, UnboundButtonSaysSoApartFromAnUnknownToolTip) {
    Session run;
    run("{Toolbar 7}{Toolbar 3}{Toolbar 9}", kPlain + "[Buttons]\n3ToolTip=Nothing Known\n");
    EXPECT_EQ(run.err, "Toolbar 7: not bound\nbeep\nbeep\nToolbar 9: not bound\nbeep\nreadout: 0.\n");
}

TEST(ToolbarBatch, EveryCatalogueItemTextIsACommand) {
    Session run;
    run("{Change Sign}{Area/&Volume English to Metric Conversions}{Tape to Nowhere}", kPlain);
    EXPECT_EQ(run.err.find("unknown command: {Change Sign}"), std::string::npos);
    EXPECT_EQ(run.err.find("unknown command: {Area/&Volume"), std::string::npos);
    EXPECT_NE(run.err.find("unknown command: {Tape to Nowhere}"), std::string::npos);
    // Whatever a catalogue item does here, it is never unknown.
    Session all;
    std::string keys;
    for (const char* item : {"Insert into Previous Program", "Hide/Show Toolbar",
                             "Program Properties", "Convert to Fractions", "Billing Rate"})
        keys += std::string("{") + item + "}";
    all(keys + "[cancel][cancel][cancel][cancel][cancel]", kPlain);
    EXPECT_EQ(all.err.find("unknown command"), std::string::npos) << all.err;
}

TEST(ToolbarBatch, BackupAsksForTheFolderAsText) {
    Session run;
    std::filesystem::create_directories(run.path("usb"));
    std::filesystem::create_directories(run.path("data"));
    std::ofstream(run.path("data") + "/evalform.frm") << "a\t1+2\r\n";
    run("{Backup Data}[" + run.path("usb") + "]{Restore Data}[" + run.path("data") + "/]", kPlain);
    EXPECT_EQ(run.err,
              "Zorv Advanced Calculator: Backup succeeded!\n"
              "Zorv Advanced Calculator: Source and Destination must be different!\n"
              "readout: 0.\n");
    std::ifstream copied(run.path("usb") + "/evalform.frm");
    std::string line;
    std::getline(copied, line);
    EXPECT_EQ(line, "a\t1+2\r");
}
