// The settings file as people write it by hand: what a change keeps, what
// earlier versions wrote, and files that are not ours to rewrite.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <filesystem>

#include "shell/IniDocument.h"
#include "shell/IniFileBackend.h"
#include "tests/support/TestFiles.h"

namespace zorv::shell {
namespace {

namespace fs = std::filesystem;

using zorv::test::slurp;
using zorv::test::spit;

const std::string kHandWritten =
    "; my calculator\n"
    "# set up by hand\n"
    "\n"
    "[Startup]\n"
    "Save Memory = True\n"
    "RPN Mode=0\n"
    "Note=foo=bar;baz\n"
    "this line means nothing to the program\n"
    "\n"
    "; the buttons\n"
    "[Buttons]\n"
    "1Caption=Tap8\n"
    "[Not Ours]\n"
    "keep=as it is\n";

TEST(IniDocument, ChangeTouchesOnlyItsValueAndAppendsNewKeysToTheirSection) {
    IniDocument doc = IniDocument::parse(kHandWritten);
    ASSERT_TRUE(doc.readsAsIni());
    EXPECT_EQ(doc.value("Startup", "Save Memory"), "True");
    EXPECT_EQ(doc.value("Startup", "Note"), "foo=bar;baz");
    EXPECT_EQ(doc.value("Not Ours", "keep"), "as it is");

    EXPECT_FALSE(doc.set("Startup", "Save Memory", "True"));  // unchanged: nothing to write
    EXPECT_EQ(doc.text(), kHandWritten);
    EXPECT_TRUE(doc.set("Startup", "RPN Mode", "1"));
    EXPECT_TRUE(doc.set("Startup", "Save Memory", "False"));
    EXPECT_TRUE(doc.set("Startup", "Memory", "42.5"));
    EXPECT_TRUE(doc.set("Intl", "sDecimal", ","));
    EXPECT_EQ(doc.text(),
              "; my calculator\n"
              "# set up by hand\n"
              "\n"
              "[Startup]\n"
              "Save Memory = False\n"
              "RPN Mode=1\n"
              "Note=foo=bar;baz\n"
              "Memory=42.5\n"
              "this line means nothing to the program\n"
              "\n"
              "; the buttons\n"
              "[Buttons]\n"
              "1Caption=Tap8\n"
              "[Not Ours]\n"
              "keep=as it is\n"
              "\n"
              "[Intl]\n"
              "sDecimal=\",\"\n");
}

TEST(IniDocument, KeepsLineEndsAndAMissingLastLineEnd) {
    IniDocument doc = IniDocument::parse("\xEF\xBB\xBF[Startup]\r\nA=1\r\nB=2");
    doc.set("Startup", "C", "3");
    doc.set("Startup", "A", "0");
    EXPECT_EQ(doc.text(), "\xEF\xBB\xBF[Startup]\r\nA=0\r\nB=2\r\nC=3\r\n");
    IniDocument empty = IniDocument::parse("");
    empty.set("Startup", "Save Memory", "True");
    EXPECT_EQ(empty.text(), "[Startup]\nSave Memory=True\n");
}

// What earlier versions of the program wrote through Qt's INI format.
TEST(IniDocument, ReadsFilesWrittenByEarlierVersions) {
    const IniDocument doc = IniDocument::parse(
        "[Startup]\n"
        "Save%20Memory=true\n"
        "Publish%20To=\"C:\\\\Program Files\\\\x.exe\"\n"
        "Font=@@Courier\n"
        "Note=\"semi;colon, and comma\"\n"
        "Latin=caf\\xe9\n"
        "Wide=\\x20ac 5\n"
        "Padded=\" x \"\n"
        "Tabbed=a\\tb\n"
        "[Intl]\n"
        "sDecimal=\",\"\n"
        "sThousand=.\n"
        "[Hand%20Named]\n"
        "Raw Path=C:\\Users\\me\n");
    const struct {
        const char* section;
        const char* key;
        std::string value;
    } cases[] = {
        {"Startup", "Save Memory", "true"},
        {"Startup", "Publish To", "C:\\Program Files\\x.exe"},
        {"Startup", "Font", "@Courier"},
        {"Startup", "Note", "semi;colon, and comma"},
        {"Startup", "Latin", "caf\xC3\xA9"},
        {"Startup", "Wide", "\xE2\x82\xAC 5"},
        {"Startup", "Padded", " x "},
        {"Startup", "Tabbed", "a\tb"},
        {"Intl", "sDecimal", ","},
        {"Intl", "sThousand", "."},
        {"Hand Named", "Raw Path", "C:\\Users\\me"},  // not an escape: kept
    };
    for (const auto& c : cases) EXPECT_EQ(doc.value(c.section, c.key), c.value) << c.key;
}

TEST(IniDocument, StoredValuesReadBackUnchanged) {
    const std::string values[] = {"",          ",",          "1,5",          " padded ",  "quote \" in",
                                  "back\\slash", "@Variant(x)", "line\r\nbreak", "semi;colon", "tab\tx",
                                  "\x01" "1",  "Zo\xC3\xAB",   "a=b",          "\\x41"};
    for (const std::string& v : values) {
        IniDocument doc = IniDocument::parse("[S]\n");
        doc.set("S", "Key With Spaces", v);
        EXPECT_EQ(IniDocument::parse(doc.text()).value("S", "Key With Spaces"), v) << doc.text();
        EXPECT_EQ(doc.text().find('\r'), std::string::npos) << "a value stays on its line";
    }
    for (const std::string name : {"Save Memory", " edge ", "a=b", "50%", "[x]", "semi;"}) {
        IniDocument doc = IniDocument::parse("");
        doc.set(name, name, "v");
        EXPECT_EQ(IniDocument::parse(doc.text()).value(name, name), "v") << doc.text();
    }
}

TEST(IniDocument, TellsAnIniFileFromSomethingElse) {
    const struct {
        std::string text;
        bool ini;
    } cases[] = {
        {"", true},
        {"; only a comment\n\n", true},
        {"[Startup]\nRPN Mode=1\n", true},
        {"junk\n[Startup]\nA=1\nB=2\n", true},
        {"root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n", false},
        {"PATH=/usr/bin\nHOME=/root\n", false},  // no section at all
        {std::string("[Startup]\nRPN Mode=1\0\n", 22), false},
        {"[a]\nwords\nmore words\nand more\n", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IniDocument::parse(c.text).readsAsIni(), c.ini) << c.text;
}

// ---- the file on the disk ----------------------------------------------------

struct SettingsFile : ::testing::Test {
    QTemporaryDir dir;
    std::string at(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    std::vector<std::string> reports;
    std::unique_ptr<IniFileBackend> open(const std::string& path) {
        auto b = std::make_unique<IniFileBackend>(path);
        b->setProblemReporter([this](const std::string& m) { reports.push_back(m); });
        return b;
    }
};

TEST_F(SettingsFile, LinkStaysAndOnlyTheChangedValueChanges) {
    fs::create_directory(at("dotfiles"));
    spit(at("dotfiles/calc.ini"), kHandWritten);
    fs::create_symlink("dotfiles/calc.ini", at("link.ini"));
    auto b = open(at("link.ini"));
    b->write("Startup", "RPN Mode", "1");
    b->write("Startup", "Save Memory", "True");  // as it was: no change
    b->sync();
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(fs::is_symlink(at("link.ini")));
    std::string expected = kHandWritten;
    expected.replace(expected.find("RPN Mode=0"), 10, "RPN Mode=1");
    EXPECT_EQ(slurp(at("dotfiles/calc.ini")), expected);
}

TEST_F(SettingsFile, ChangesGoOntoTheFileAsItIsNow) {
    spit(at("s.ini"), "[Startup]\nA=1\n");
    auto first = open(at("s.ini"));
    auto second = open(at("s.ini"));
    first->write("Startup", "A", "2");
    second->write("Startup", "B", "3");
    first->sync();
    second->sync();
    EXPECT_EQ(slurp(at("s.ini")), "[Startup]\nA=2\nB=3\n");
}

TEST_F(SettingsFile, FileThatIsNotIniIsNeverRewritten) {
    const std::string passwd =
        "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n"
        "bin:x:2:2:bin:/bin:/usr/sbin/nologin\n";
    spit(at("passwd"), passwd);
    fs::create_symlink("passwd", at("link.ini"));
    auto b = open(at("link.ini"));
    EXPECT_EQ(b->read("Startup", "RPN Mode"), std::nullopt);
    b->write("Startup", "RPN Mode", "1");
    b->sync();
    b->write("Startup", "RPN Mode", "0");
    b->sync();
    EXPECT_EQ(slurp(at("passwd")), passwd);
    EXPECT_TRUE(fs::is_symlink(at("link.ini")));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("it is not an INI file"), std::string::npos) << reports[0];
}

TEST_F(SettingsFile, WhatCannotBeSavedIsReportedOnceWithItsReason) {
    spit(at("ro.ini"), "[Startup]\nRPN Mode=0\n");
    ::chmod(at("ro.ini").c_str(), 0444);
    ASSERT_EQ(::mkfifo(at("fifo.ini").c_str(), 0644), 0);
    fs::create_directory(at("folder.ini"));
    const struct {
        std::string file;
        std::string reason;
    } cases[] = {
        {"ro.ini", "read-only"},
        {"fifo.ini", "not a regular file"},  // opened without blocking
        {"folder.ini", "That is a folder"},
        {"missing/dir/s.ini", ""},  // made when first saved
    };
    for (const auto& c : cases) {
        reports.clear();
        auto b = open(at(c.file));
        b->write("Startup", "RPN Mode", "1");
        b->sync();
        b->write("Startup", "Memory", "5");
        b->sync();
        if (c.reason.empty()) {
            EXPECT_TRUE(reports.empty()) << c.file;
            EXPECT_FALSE(b->failed());
            EXPECT_EQ(slurp(at(c.file)), "[Startup]\nRPN Mode=1\nMemory=5\n");
            continue;
        }
        ASSERT_EQ(reports.size(), 1u) << c.file;
        EXPECT_NE(reports[0].find(c.reason), std::string::npos) << reports[0];
        EXPECT_NE(reports[0].find(at(c.file)), std::string::npos) << reports[0];
        EXPECT_TRUE(b->failed());
    }
    EXPECT_EQ(slurp(at("ro.ini")), "[Startup]\nRPN Mode=0\n");
    EXPECT_TRUE(fs::is_fifo(at("fifo.ini")));
    EXPECT_TRUE(fs::is_directory(at("folder.ini")));
}

}  // namespace
}  // namespace zorv::shell
