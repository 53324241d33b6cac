// Batch runs read the whole --settings file and write changes back to it.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "app/BatchSession.h"
#include "shell/QSettingsBackend.h"
#include "shell/SettingsKeys.h"

namespace zorv::shell {
namespace {

struct BatchRun : ::testing::Test {
    int run(const std::string& keys) {
        app::BatchOptions options;
        options.settingsFile = ini;
        options.dataDir = dir.path().toStdString() + "/data";
        std::istringstream in(keys);
        out.str("");
        err.str("");
        return app::runBatch(in, out, err, options);
    }
    std::string value(const std::string& key) {
        SettingsStore store(std::make_unique<QSettingsBackend>(QString::fromStdString(ini)));
        return store.ReadSetting("Startup", key, "<absent>");
    }
    void write(const std::string& text) { std::ofstream(ini) << text; }

    QTemporaryDir dir;
    std::string ini = dir.path().toStdString() + "/settings.ini";
    std::ostringstream out, err;
};

TEST_F(BatchRun, AToggledSettingIsWrittenBackAndKeepsTheRest) {
    write("[Startup]\nRepeat Subtraction=False\nFont=Liberation Mono\n[Buttons]\n2Caption=Tap1\n");
    EXPECT_EQ(run("{Repeat Subtraction}{Exit Button Minimizes}"), 0);
    EXPECT_EQ(value("Repeat Subtraction"), "True");
    EXPECT_EQ(value("Exit Button Minimize"), "True");
    EXPECT_EQ(value("Font"), "Liberation Mono");
    SettingsStore store(std::make_unique<QSettingsBackend>(QString::fromStdString(ini)));
    EXPECT_EQ(store.ReadSetting("Buttons", "2Caption", ""), "Tap1");
}

TEST_F(BatchRun, MemorySurvivesBetweenRunsWithSaveMemory) {
    write("[Startup]\nSave Memory=True\nFinancial Mode=False\n");
    run("42.5{MS}");
    EXPECT_EQ(value("Memory"), "42.5");
    EXPECT_EQ(value("Path"), dir.path().toStdString() + "/data");
    run("{MR}+1=");
    EXPECT_NE(out.str().find("43.5"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace zorv::shell
