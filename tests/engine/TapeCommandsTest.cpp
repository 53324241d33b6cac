// The Tape menu through the command table: notes, search, clearing, tape
// files and publishing, with the bad inputs a user can throw at them.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"
#include "engine/TapeCommands.h"
#include "tests/support/TestFiles.h"

using namespace zorv::engine;
namespace fs = std::filesystem;
using zorv::test::TempDir;
using zorv::test::slurp;
using zorv::test::spit;

namespace {

struct Calc {
    ScriptedFeedback fb;
    CalculatorModel m{fb};
    TapeCommands tape{m};
    std::vector<std::pair<std::size_t, std::size_t>> matches;
    Calc() {
        m.modes().financial = false;
        m.modes().formatNumbers = false;
        registerTapeCommands(m, tape);
        tape.showMatch = [this](std::size_t at, std::size_t n) { matches.emplace_back(at, n); };
    }
    Calc& keys(std::string_view script) {
        const auto ks = parseKeyScript(script);
        for (const auto& a : ks.answers) fb.answer(a);
        runKeyScript(m, ks, [](const std::string& n) { FAIL() << "unknown command " << n; });
        return *this;
    }
    const std::string& text() const { return m.tape().text(); }
};

TEST(TapeNotes, NoteIsOneLineOfItsOwn) {
    Calc c;
    c.keys("5+{Annotate Tape}[  Lunch with client  ]3=");
    EXPECT_TRUE(c.text().starts_with("5+\r\nLunch with client\r\n3=\r\n")) << c.text();
    EXPECT_EQ(c.fb.questions.at(0).title, "Annotate Tape");
    c.m.tape().clear();
    c.keys("N[cancel]n[]");  // the keyboard's N, cancelled and empty
    EXPECT_EQ(c.text(), "");
    c.keys("{Annotate Tape}[a\tb\rc]");
    EXPECT_EQ(c.text(), "a b c\r\n");
}

TEST(TapeSearch, FindsIgnoringCaseContinuesAndWraps) {
    Calc c;
    c.m.tape().setText("Rent+\r\n12=\r\nrent again\r\n");
    c.keys("{Find On Tape}[RENT]");
    ASSERT_EQ(c.matches.size(), 1u);
    EXPECT_EQ(c.matches[0], std::make_pair(std::size_t{0}, std::size_t{4}));
    c.keys("{Find Next}");
    EXPECT_EQ(c.matches.at(1).first, 12u);
    EXPECT_TRUE(c.fb.messages.empty());
    c.keys("{Find Next}");
    EXPECT_EQ(c.matches.at(2).first, 0u);
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{
                                       "The end of the tape was reached; the search continued from the top."});
    c.fb.clearRecord();
    c.keys("{Find On Tape}[rates]");
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{"\"rates\" was not found on the tape."});
    EXPECT_EQ(c.matches.size(), 3u);
}

TEST(TapeClear, AsksFirstAndOnlyWhenThereIsSomethingToLose) {
    Calc c;
    c.keys("{Clear Tape}");
    EXPECT_TRUE(c.fb.messages.empty());
    c.keys("5+{Clear Tape}");  // no answer: the default button, No
    EXPECT_EQ(c.text(), "5+\r\n");
    EXPECT_EQ(c.fb.messages.at(0).text, "Clear the tape?");
    c.keys("{Clear Tape}[no]");
    EXPECT_EQ(c.text(), "5+\r\n");
    c.keys("{Clear Tape}[yes]");
    EXPECT_EQ(c.text(), "");
}

TEST(TapeFiles, SaveAndLoadRoundTrip) {
    TempDir dir;
    const std::string path = dir / "MyTape.txt";
    Calc c;
    c.keys("5+3={Save Tape to File}[" + path + "]");
    EXPECT_EQ(c.fb.questions.at(0).defaultText, "MyTape.txt");
    EXPECT_EQ(slurp(path), c.text());
    const std::string saved = c.text();

    c.keys("{Load Saved Tape}[" + path + "][no]");
    EXPECT_EQ(c.text(), saved);
    c.keys("1+{Load Saved Tape}[" + path + "][yes]");
    EXPECT_EQ(c.text(), saved);
    // Nothing to lose: no question.
    Calc fresh;
    fresh.keys("{Load Saved Tape}[" + path + "]");
    EXPECT_EQ(fresh.text(), saved);
    EXPECT_TRUE(fresh.fb.messages.empty());
    // Saving over a file keeps its permissions.
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    c.keys("{Save Tape to File}[" + path + "]");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(TapeFiles, FailedSaveKeepsTapeAndFileAndSaysWhy) {
    TempDir dir;
    Calc c;
    c.keys("5+");
    c.keys("{Save Tape to File}[" + (dir / "missing/MyTape.txt") + "]");
    ASSERT_EQ(c.fb.messages.size(), 1u);
    EXPECT_NE(c.fb.messages[0].text.find("The tape could not be saved to"), std::string::npos);
    EXPECT_NE(c.fb.messages[0].text.find("No such file or directory"), std::string::npos);
    EXPECT_EQ(c.text(), "5+\r\n");

    c.fb.clearRecord();
    c.keys("{Save Tape to File}[" + dir.path.string() + "]");
    EXPECT_NE(c.fb.messageTexts().at(0).find("That is a folder"), std::string::npos);

    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const std::string kept = dir / "kept.txt";
    spit(kept, "old tape\r\n");
    fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
    c.fb.clearRecord();
    c.keys("{Save Tape to File}[" + kept + "]");
    EXPECT_NE(c.fb.messageTexts().at(0).find("Permission denied"), std::string::npos);
    EXPECT_EQ(slurp(kept), "old tape\r\n");
}

TEST(TapeFiles, SaveRefusesPipesDevicesAndReadOnlyFiles) {
    TempDir dir;
    Calc c;
    c.keys("1+2=");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    const std::string readOnly = dir / "ro.txt";
    spit(readOnly, "old tape\r\n");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {{dir / "fifo", "not a regular file"}, {readOnly, "read-only"}};
    for (const auto& k : cases) {
        c.fb.clearRecord();
        c.keys("{Save Tape to File}[" + k.path + "]");
        ASSERT_EQ(c.fb.messageTexts().size(), 1u) << k.path;
        EXPECT_NE(c.fb.messageTexts()[0].find(k.reason), std::string::npos) << c.fb.messageTexts()[0];
    }
    EXPECT_EQ(fs::status(dir / "fifo").type(), fs::file_type::fifo);
    EXPECT_EQ(slurp(readOnly), "old tape\r\n");
    // A name of 250 bytes still saves: the temporary file's name is short.
    const std::string longName = dir / std::string(250, 't');
    c.fb.clearRecord();
    c.keys("{Save Tape to File}[" + longName + "]");
    EXPECT_TRUE(c.fb.messageTexts().empty());
    EXPECT_EQ(slurp(longName), c.text());
}

struct BadFile {
    const char* name;
    std::string contents;
    const char* reason;
};

TEST(TapeFiles, RefusedFilesLeaveTheTape) {
    TempDir dir;
    const BadFile files[] = {
        {"binary.bin", std::string("PK\x03\x04\0\0\x08\0data", 12), "The file is not a text file."},
        {"controls.txt", std::string(40, '\x01') + std::string(100, 'a'), "The file is not a text file."},
        {"missing.txt", "", "No such file or directory"},
    };
    Calc c;
    c.keys("5+");
    for (const auto& f : files) {
        if (std::string(f.name) != "missing.txt") spit(dir / f.name, f.contents);
        c.fb.clearRecord();
        c.keys("{Load Saved Tape}[" + (dir / f.name) + "]");
        ASSERT_EQ(c.fb.messages.size(), 1u) << f.name;
        EXPECT_NE(c.fb.messages[0].text.find("The tape could not be loaded from"), std::string::npos);
        EXPECT_NE(c.fb.messages[0].text.find(f.reason), std::string::npos) << c.fb.messages[0].text;
        EXPECT_EQ(c.text(), "5+\r\n");
    }
    // 50 MB, or more than the limit: refused without being read into the tape.
    const std::string big = dir / "big.txt";
    { std::ofstream(big) << "x"; }
    fs::resize_file(big, std::max<std::uintmax_t>(50u * 1024 * 1024, tapefile::kMaxSize + 1));
    c.fb.clearRecord();
    c.keys("{Load Saved Tape}[" + big + "]");
    EXPECT_NE(c.fb.messageTexts().at(0).find(tapefile::tooLargeReason()), std::string::npos);
    EXPECT_EQ(c.text(), "5+\r\n");
    c.fb.clearRecord();
    c.keys("{Load Saved Tape}[" + dir.path.string() + "]");
    EXPECT_NE(c.fb.messageTexts().at(0).find("That is a folder"), std::string::npos);
}

TEST(TapeFiles, PipeIsRefusedWithoutWaiting) {
    ::alarm(20);  // a read that blocks ends the test run as a failure
    TempDir dir;
    const std::string pipe = dir / "fifo";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    Calc c;
    c.keys("5+{Load Saved Tape}[" + pipe + "]");
    ::alarm(0);
    ASSERT_EQ(c.fb.messages.size(), 1u);
    EXPECT_NE(c.fb.messages[0].text.find("not a regular file"), std::string::npos) << c.fb.messages[0].text;
    EXPECT_EQ(c.text(), "5+\r\n");
}

TEST(TapeFiles, SaveAndLoadAgreeOnTheLargestTape) {
    TempDir dir;
    // The largest tape that is saved loads back; one byte more is refused
    // by Save before anything is written, with Load's reason.
    std::string tape;
    const std::string line = "1234.56+\r\n";
    while (tape.size() + line.size() <= tapefile::kMaxSize) tape += line;
    tape += std::string(tapefile::kMaxSize - tape.size() - 2, '9') + "\r\n";
    ASSERT_EQ(tape.size(), tapefile::kMaxSize);
    Calc c;
    c.m.tape().setText(tape);
    c.keys("{Save Tape to File}[" + (dir / "max.txt") + "]");
    EXPECT_TRUE(c.fb.messages.empty());
    Calc loaded;
    loaded.keys("{Load Saved Tape}[" + (dir / "max.txt") + "]");
    EXPECT_TRUE(loaded.fb.messages.empty());
    EXPECT_EQ(loaded.text().size(), tapefile::kMaxSize);

    c.m.tape().setText(tape + "1\r\n");
    c.keys("{Save Tape to File}[" + (dir / "over.txt") + "]");
    ASSERT_EQ(c.fb.messages.size(), 1u);
    EXPECT_NE(c.fb.messages[0].text.find(tapefile::tooLargeReason()), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "over.txt"));
    spit(dir / "over.txt", tape + "1\r\n");
    loaded.fb.clearRecord();
    loaded.keys("{Load Saved Tape}[" + (dir / "over.txt") + "][yes]");
    EXPECT_NE(loaded.fb.messageTexts().at(0).find(tapefile::tooLargeReason()), std::string::npos);
}

TEST(TapeFiles, ForeignTextIsReadAsText) {
    TempDir dir;
    struct {
        std::string contents;
        std::string tape;
    } cases[] = {
        {"5+\n3=\n", "5+\r\n3=\r\n"},                      // LF line ends
        {"5+\r3=", "5+\r\n3=\r\n"},                         // CR line ends, no last one
        {"\xEF\xBB\xBFNote \xE2\x82\xAC", "Note \xE2\x82\xAC\r\n"},  // UTF-8 with a mark
        {"Caf\xE9 5,00\r\n", "Caf\xC3\xA9 5,00\r\n"},       // Latin-1
        {"", ""},
    };
    for (const auto& k : cases) {
        spit(dir / "t.txt", k.contents);
        const tapefile::Loaded l = tapefile::read(dir / "t.txt");
        EXPECT_EQ(l.error, "");
        EXPECT_EQ(l.text, k.tape);
    }
}

TEST(TapePublish, WritesTheFileAndHandsItToTheProgram) {
    TempDir dir;
    Calc c;
    std::string openedFile, openedWith;
    c.tape.publishSettings = [&dir] {
        return TapeCommands::PublishSettings{(dir.path / "data").string(), "/usr/bin/editor", "log"};
    };
    c.tape.openPublished = [&](const std::string& file, const std::string& program) {
        openedFile = file;
        openedWith = program;
        return std::optional<std::string>{};
    };
    c.keys("5+3={Publish Tape}");
    EXPECT_EQ(openedFile, (dir.path / "data" / "ZorvTape.log").string());
    EXPECT_EQ(openedWith, "/usr/bin/editor");
    EXPECT_EQ(slurp(openedFile), c.text());
    EXPECT_TRUE(c.fb.messages.empty());

    c.tape.openPublished = [](const std::string&, const std::string&) {
        return std::optional<std::string>("No such file or directory");
    };
    c.keys("{Publish Tape}");
    ASSERT_EQ(c.fb.messages.size(), 1u);
    EXPECT_NE(c.fb.messages[0].text.find("/usr/bin/editor could not be started"), std::string::npos);
    EXPECT_EQ(slurp(openedFile), c.text());
}

TEST(TapePublish, TheProgramGetsAnAbsolutePath) {
    TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path);
    Calc c;
    std::string openedFile;
    c.tape.publishSettings = [] { return TapeCommands::PublishSettings{"-data", "editor", "txt"}; };
    c.tape.openPublished = [&](const std::string& file, const std::string&) {
        openedFile = file;
        return std::optional<std::string>{};
    };
    c.keys("5+{Publish Tape}");
    fs::current_path(before);
    EXPECT_EQ(openedFile, (fs::canonical(dir.path) / "-data" / "ZorvTape.txt").string());
    EXPECT_EQ(slurp(openedFile), c.text());
}

TEST(TapePublish, ExtensionCannotLeaveTheFolder) {
    const std::pair<std::string, std::string> cases[] = {
        {"TXT", "TXT"}, {"", "TXT"}, {"../../.bashrc", "bashrc"}, {"a/b c", "abc"},
        {".doc", "doc"}, {"verylongextension", "verylongex"}, {"../", "TXT"}};
    for (const auto& [type, ext] : cases) EXPECT_EQ(tapefile::safeExtension(type), ext) << type;
}

}  // namespace
