// Backup and restore of the four data files between the data folder and a
// chosen folder, on real files in temporary folders.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/ScriptedFeedback.h"
#include "shell/DataBackup.h"

using namespace zorv;
namespace fs = std::filesystem;

namespace {

void write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> listing(const fs::path& dir) {
    std::vector<std::string> names;
    if (!fs::exists(dir)) return names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct Folders {
    QTemporaryDir root;
    fs::path data = fs::path(root.path().toStdString()) / "data";
    fs::path other = fs::path(root.path().toStdString()) / "usb";
    engine::ScriptedFeedback fb;
    std::vector<std::string> titles;
    std::string answer;
    shell::DataBackup backup{fb, data.string(), [this](const std::string& title) {
                                 titles.push_back(title);
                                 return answer;
                             }};
    Folders() {
        fs::create_directories(data);
        fs::create_directories(other);
    }
};

}  // namespace

TEST(DataBackup, BackupCopiesTheFilesThatExistAndSkipsTheRest) {
    Folders f;
    write(f.data / "consform.frm", "Area\tL*W\r\n");
    write(f.data / "zorvcalc.2do", "");  // an empty file is still copied
    write(f.data / "notes.txt", "not part of the set");
    write(f.other / "evalform.frm", "older backup");
    f.answer = f.other.string();
    f.backup.backup();
    EXPECT_EQ(f.titles, std::vector<std::string>{"Choose Drive and Folder to Save To"});
    EXPECT_EQ(f.fb.messageTexts(), std::vector<std::string>{"Backup succeeded!"});
    EXPECT_EQ(f.fb.messages[0].icon, engine::MessageIcon::Information);
    EXPECT_EQ(f.fb.messages[0].title, "Zorv Advanced Calculator");
    EXPECT_EQ(listing(f.other), (std::vector<std::string>{"consform.frm", "evalform.frm", "zorvcalc.2do"}));
    EXPECT_EQ(read(f.other / "consform.frm"), "Area\tL*W\r\n");
    EXPECT_EQ(read(f.other / "evalform.frm"), "older backup") << "a file missing at the source is skipped";
    EXPECT_EQ(read(f.data / "consform.frm"), "Area\tL*W\r\n");
}

TEST(DataBackup, RestoreCopiesBackAndCreatesAMissingDataFolder) {
    Folders f;
    fs::remove_all(f.data);
    write(f.other / "calcalrm.2do", "alarm");
    write(f.other / "evalform.frm", "x\t1+1\r\n");
    f.answer = f.other.string();
    f.backup.restore();
    EXPECT_EQ(f.titles, std::vector<std::string>{"Choose Drive and Folder to Restore From"});
    EXPECT_EQ(f.fb.messageTexts(), std::vector<std::string>{"Restore succeeded!"});
    EXPECT_EQ(listing(f.data), (std::vector<std::string>{"calcalrm.2do", "evalform.frm"}));
    EXPECT_EQ(read(f.data / "evalform.frm"), "x\t1+1\r\n");
}

TEST(DataBackup, NothingToCopyStillSucceedsAndCancelShowsNothing) {
    Folders f;
    f.answer = f.other.string();
    f.backup.backup();
    EXPECT_EQ(f.fb.messageTexts(), std::vector<std::string>{"Backup succeeded!"});
    EXPECT_TRUE(listing(f.other).empty());

    f.fb.clearRecord();
    f.answer.clear();
    f.backup.backup();
    f.backup.restore();
    EXPECT_TRUE(f.fb.events.empty());
}

TEST(DataBackup, TheDataFolderItselfIsRefusedInAnySpelling) {
    Folders f;
    write(f.data / "evalform.frm", "keep");
    fs::create_symlink(f.data, f.other / "link");
    const std::string d = f.data.string();
    for (const std::string& chosen :
         {d, d + "/", d + "/../data", d + "/./", (f.other / "link").string()}) {
        for (bool backup : {true, false}) {
            f.fb.clearRecord();
            f.answer = chosen;
            backup ? f.backup.backup() : f.backup.restore();
            ASSERT_EQ(f.fb.messages.size(), 1u) << chosen;
            EXPECT_EQ(f.fb.messages[0].text, "Source and Destination must be different!") << chosen;
            EXPECT_EQ(f.fb.messages[0].icon, engine::MessageIcon::Exclamation);
        }
    }
    EXPECT_EQ(listing(f.data), std::vector<std::string>{"evalform.frm"});
    EXPECT_EQ(read(f.data / "evalform.frm"), "keep");
}

TEST(DataBackup, AFailedCopyStopsLeavesEarlierCopiesAndNoHalfFiles) {
    Folders f;
    for (std::string_view name : shell::kBackupFiles) write(f.data / name, "new " + std::string(name));
    // The second file of the set cannot be written over a folder of that name.
    fs::create_directories(f.other / "evalform.frm");
    write(f.other / "calcalrm.2do", "old alarms");
    f.answer = f.other.string();
    f.backup.backup();
    EXPECT_EQ(f.fb.messageTexts(), std::vector<std::string>{"Backup could not be completed!"});
    EXPECT_EQ(f.fb.messages[0].icon, engine::MessageIcon::Information);
    EXPECT_EQ(read(f.other / "consform.frm"), "new consform.frm") << "copied before the failure";
    EXPECT_EQ(read(f.other / "calcalrm.2do"), "old alarms") << "not reached after the failure";
    EXPECT_EQ(listing(f.other), (std::vector<std::string>{"calcalrm.2do", "consform.frm", "evalform.frm"}))
        << "no temporary files left behind";
    for (std::string_view name : shell::kBackupFiles)
        EXPECT_EQ(read(f.data / name), "new " + std::string(name)) << "the source is untouched";

    f.fb.clearRecord();
    f.answer = (f.other / "no" / "such" / "folder").string();
    f.backup.backup();
    EXPECT_EQ(f.fb.messageTexts(), std::vector<std::string>{"Backup could not be completed!"});

    f.fb.clearRecord();
    f.backup.restore();  // restoring from a folder that is not there
    EXPECT_EQ(f.fb.messageTexts(),
              std::vector<std::string>{"Restore could not be completed!\r\n" + f.answer +
                                       "\r\nThe folder does not exist."})
        << "a folder that is not there is a failure, not an empty success";
    for (std::string_view name : shell::kBackupFiles)
        EXPECT_EQ(read(f.data / name), "new " + std::string(name)) << "the data folder is untouched";
}

TEST(DataBackup, CopyReplacingKeepsTheTargetWhenTheSourceCannotBeRead) {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    write(root / "target", "old");
    fs::create_directories(root / "folder");
    EXPECT_EQ(shell::copyReplacing((root / "folder").string(), (root / "target").string()),
              shell::CopyOutcome::Failed);
    EXPECT_EQ(shell::copyReplacing((root / "absent").string(), (root / "target").string()),
              shell::CopyOutcome::SourceMissing);
    EXPECT_EQ(read(root / "target"), "old");
    write(root / "source", std::string(200000, 'z'));
    EXPECT_EQ(shell::copyReplacing((root / "source").string(), (root / "target").string()),
              shell::CopyOutcome::Copied);
    EXPECT_EQ(read(root / "target"), std::string(200000, 'z'));
    EXPECT_EQ(listing(root), (std::vector<std::string>{"folder", "source", "target"}));
}

TEST(DataBackup, RestoreFromAFolderThatCannotBeReadFailsAndTouchesNothing) {
    Folders f;
    write(f.data / "evalform.frm", "Keep\t1\r\n");
    write(f.other / "plain-file", "x");
    const struct {
        fs::path folder;
        const char* why;
    } cases[] = {
        {f.other / "does-not-exist", "The folder does not exist."},
        {f.other / "plain-file", "That is not a folder."},
    };
    for (const auto& c : cases) {
        f.fb.clearRecord();
        f.answer = c.folder.string();
        f.backup.restore();
        ASSERT_EQ(f.fb.messages.size(), 1u);
        EXPECT_EQ(f.fb.messages[0].text, "Restore could not be completed!\r\n" + c.folder.string() + "\r\n" + c.why);
        EXPECT_EQ(read(f.data / "evalform.frm"), "Keep\t1\r\n");
        EXPECT_EQ(listing(f.data), std::vector<std::string>{"evalform.frm"});
    }
    // A data folder that does not exist yet is not created for nothing.
    shell::DataBackup fresh{f.fb, (f.data / "new").string(), [&](const std::string&) {
                                return (f.other / "does-not-exist").string();
                            }};
    fresh.restore();
    EXPECT_FALSE(fs::exists(f.data / "new"));

    if (::geteuid() == 0) return;  // root reads any folder
    fs::create_directories(f.other / "locked");
    write(f.other / "locked" / "evalform.frm", "Other\t2\r\n");
    fs::permissions(f.other / "locked", fs::perms::none);
    f.fb.clearRecord();
    f.answer = (f.other / "locked").string();
    f.backup.restore();
    fs::permissions(f.other / "locked", fs::perms::owner_all);
    EXPECT_NE(f.fb.messageTexts().at(0).find("The folder cannot be read."), std::string::npos);
    EXPECT_EQ(read(f.data / "evalform.frm"), "Keep\t1\r\n");
}

TEST(DataBackup, APipeAmongTheFilesIsNotWaitedFor) {
    ::alarm(20);  // a read that blocks ends the test run as a failure
    Folders f;
    write(f.data / "evalform.frm", "Keep\t1\r\n");
    ASSERT_EQ(::mkfifo((f.other / "evalform.frm").c_str(), 0600), 0);
    f.answer = f.other.string();
    f.backup.restore();
    ::alarm(0);
    EXPECT_EQ(f.fb.messageTexts(), std::vector<std::string>{"Restore could not be completed!"});
    EXPECT_EQ(read(f.data / "evalform.frm"), "Keep\t1\r\n");
}
