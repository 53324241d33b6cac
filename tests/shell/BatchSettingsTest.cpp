// Batch runs read the whole --settings file and write changes back to it.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/BatchSession.h"
#include "shell/IniFileBackend.h"
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
        SettingsStore store(std::make_unique<IniFileBackend>(ini));
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
    SettingsStore store(std::make_unique<IniFileBackend>(ini));
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

TEST_F(BatchRun, HandWrittenSettingsKeepEverythingButTheChangedValue) {
    const std::string before =
        "; settings kept by hand\n"
        "\n"
        "[Startup]\n"
        "Repeat Subtraction = False\n"
        "Save Memory=False\n"
        "Note=foo=bar;baz\n"
        "\n"
        "# buttons\n"
        "[Buttons]\n"
        "2Caption=Tap1\n";
    write(before);
    EXPECT_EQ(run("{Repeat Subtraction}5+3="), 0);
    std::string expected = before;
    expected.replace(expected.find("Repeat Subtraction = False"), 26, "Repeat Subtraction = True");
    std::ifstream in(ini, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), expected);
    EXPECT_EQ(err.str(), "readout: 8.00\n");
}

// Settings that cannot be used or saved: one line on standard error, a
// failure status, and the file as it was. None of them may hang the run.
TEST_F(BatchRun, SettingsThatCannotBeSavedFailTheRunAndSayWhy) {
    const std::string dirPath = dir.path().toStdString();
    const std::string passwd = "root:x:0:0:root:/root:/bin/bash\nbin:x:2:2:bin:/bin:/usr/sbin/nologin\n";
    std::ofstream(dirPath + "/passwd") << passwd;
    std::filesystem::create_symlink(dirPath + "/passwd", dirPath + "/link.ini");
    std::ofstream(dirPath + "/ro.ini") << "[Startup]\nRepeat Subtraction=False\n";
    std::filesystem::permissions(dirPath + "/ro.ini", std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::group_read |
                                                          std::filesystem::perms::others_read);
    ASSERT_EQ(::mkfifo((dirPath + "/fifo.ini").c_str(), 0644), 0);
    std::filesystem::create_directory(dirPath + "/folder.ini");
    std::vector<std::pair<std::string, std::string>> cases = {
        {"link.ini", "it is not an INI file"},
        {"ro.ini", "the file is read-only"},
        {"fifo.ini", "not a regular file"},
        {"folder.ini", "That is a folder, not a regular file."},
    };
    if (::geteuid() == 0) {
        ASSERT_EQ(::mknod((dirPath + "/null.ini").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        cases.emplace_back("null.ini", "not a regular file");
    }
    for (const auto& [file, reason] : cases) {
        ini = dirPath + "/" + file;
        EXPECT_EQ(run("{Repeat Subtraction}1+1="), 1) << file;
        const std::string e = err.str();
        EXPECT_TRUE(e.starts_with("Zorv Advanced Calculator: ")) << e;
        EXPECT_NE(e.find(reason), std::string::npos) << e;
        EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 2) << "one line, then the readout: " << e;
        EXPECT_NE(out.str().find("2."), std::string::npos) << "the run itself went on";
    }
    EXPECT_EQ(value("Repeat Subtraction"), "<absent>");  // the last file: nothing written there
    std::ifstream in(dirPath + "/passwd");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), passwd);
    std::ifstream ro(dirPath + "/ro.ini");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(ro), std::istreambuf_iterator<char>()),
              "[Startup]\nRepeat Subtraction=False\n");
    EXPECT_TRUE(std::filesystem::is_fifo(dirPath + "/fifo.ini"));
    // A run that changes nothing has nothing to save and does not fail.
    ini = dirPath + "/ro.ini";
    EXPECT_EQ(run("1+1="), 0);
    EXPECT_EQ(err.str(), "readout: 2.00\n");
}

}  // namespace
}  // namespace zorv::shell
