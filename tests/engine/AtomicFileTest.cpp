// The atomic file writer: what it replaces, what it refuses and what it
// leaves behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "engine/AtomicFile.h"
#include "tests/support/TestFiles.h"

namespace atomicfile = zorv::engine::atomicfile;
namespace fs = std::filesystem;

namespace {

using zorv::test::slurp;
using zorv::test::spit;
using zorv::test::TempDir;

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode;
}

void ageFile(const std::string& path, int seconds) {
    const timespec when[2] = {{std::time(nullptr) - seconds, 0}, {std::time(nullptr) - seconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), when, 0);
}

}  // namespace

TEST(AtomicFile, WritesNewAndReplacesKeepingPermissions) {
    TempDir d;
    const std::string file = d / "t.txt";
    EXPECT_EQ(atomicfile::write(file, "one\r\n"), std::nullopt);
    EXPECT_EQ(slurp(file), "one\r\n");
    ::chmod(file.c_str(), 0640);
    EXPECT_EQ(atomicfile::write(file, "two\r\n"), std::nullopt);
    EXPECT_EQ(slurp(file), "two\r\n");
    EXPECT_EQ(modeOf(file) & 07777, 0640u);
    EXPECT_EQ(d.names(), std::vector<std::string>{"t.txt"});  // no temporary file left
}

TEST(AtomicFile, SymlinkStaysAndItsFileIsReplaced) {
    TempDir d;
    fs::create_directory(d.path / "real");
    spit(d / "real/settings.ini", "old");
    fs::create_symlink("real/settings.ini", d.path / "link.ini");
    fs::create_symlink("link.ini", d.path / "link2.ini");  // a chain of links
    EXPECT_EQ(atomicfile::write(d / "link2.ini", "new"), std::nullopt);
    EXPECT_TRUE(S_ISLNK(modeOf(d / "link.ini")));
    EXPECT_TRUE(S_ISLNK(modeOf(d / "link2.ini")));
    EXPECT_EQ(slurp(d / "real/settings.ini"), "new");
    // A link to a file not yet there creates the file.
    fs::create_symlink("real/later.ini", d.path / "dangling.ini");
    EXPECT_EQ(atomicfile::write(d / "dangling.ini", "x"), std::nullopt);
    EXPECT_EQ(slurp(d / "real/later.ini"), "x");
    // A loop of links is a reason, not a hang.
    fs::create_symlink("loop2", d.path / "loop1");
    fs::create_symlink("loop1", d.path / "loop2");
    EXPECT_NE(atomicfile::write(d / "loop1", "x"), std::nullopt);
}

TEST(AtomicFile, RefusesWhatIsNotARegularFileAndLeavesItAlone) {
    TempDir d;
    ASSERT_EQ(::mkfifo((d / "fifo").c_str(), 0644), 0);
    fs::create_directory(d.path / "folder");
    fs::create_symlink("fifo", d.path / "fifo-link");
    std::vector<std::string> targets{"fifo", "folder", "fifo-link"};
    // Device nodes can only be made by the superuser.
    if (::geteuid() == 0) {
        ASSERT_EQ(::mknod((d / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        targets.push_back("null");
    }
    for (const auto& name : targets) {
        const mode_t before = modeOf(d / name);
        const std::string expected = name == "folder" ? "That is a folder, not a regular file."
                                                      : std::string(atomicfile::kNotRegularFile);
        EXPECT_EQ(atomicfile::write(d / name, "data"), expected) << name;
        EXPECT_EQ(atomicfile::append(d / name, "data"), expected) << name;
        EXPECT_EQ(modeOf(d / name), before) << name;
    }
    EXPECT_TRUE(S_ISFIFO(modeOf(d / "fifo")));
}

TEST(AtomicFile, RefusesReadOnlyFileEvenForTheSuperuser) {
    TempDir d;
    const std::string file = d / "ro.txt";
    spit(file, "keep");
    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(atomicfile::write(file, "lost"), std::string(atomicfile::kReadOnlyFile));
    EXPECT_EQ(atomicfile::checkTarget(file), std::string(atomicfile::kReadOnlyFile));
    EXPECT_EQ(slurp(file), "keep");
    EXPECT_EQ(modeOf(file) & 07777, 0444u);
}

TEST(AtomicFile, FailuresGiveTheirReason) {
    TempDir d;
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {d / "missing/t.txt", "No such file or directory"},
        {"", "No file name was given."},
        {d / "dir/", "No file name was given."},
    };
    for (const auto& c : cases) EXPECT_EQ(atomicfile::write(c.path, "x"), c.reason) << c.path;
}

TEST(AtomicFile, LongestFileNameCanBeSaved) {
    TempDir d;
    for (std::size_t length : {248u, 250u, 255u}) {
        const std::string file = d / std::string(length, 'n');
        EXPECT_EQ(atomicfile::write(file, "long"), std::nullopt) << length;
        EXPECT_EQ(slurp(file), "long") << length;
    }
}

TEST(AtomicFile, AppendKeepsWhatIsThere) {
    TempDir d;
    const std::string file = d / "log";
    EXPECT_EQ(atomicfile::append(file, "a\n"), std::nullopt);
    EXPECT_EQ(atomicfile::append(file, "b\n"), std::nullopt);
    EXPECT_EQ(slurp(file), "a\nb\n");
}

TEST(AtomicFile, RemovesOnlyStaleTemporariesOfOurOwn) {
    TempDir d;
    const std::string prefix(atomicfile::kTemporaryPrefix);
    for (const char* suffix : {"aaaaaa", "bbbbbb", "cccccc"}) spit(d / (prefix + suffix), "left over");
    spit(d / ".t.txt.abcdef", "another program's");
    spit(d / (prefix + "toolongname"), "not ours");
    ageFile(d / (prefix + "aaaaaa"), 3600);  // killed long ago
    ageFile(d / (prefix + "bbbbbb"), 3600);  // old, but its writer is alive
    ageFile(d / ".t.txt.abcdef", 3600);
    ageFile(d / (prefix + "toolongname"), 3600);
    // prefix + "cccccc" is new: its writer may be about to lock it.
    const int held = ::open((d / (prefix + "bbbbbb")).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_EQ(atomicfile::removeStaleTemporaries(d.path.string()), 1);
    ::close(held);
    const std::vector<std::string> left{".t.txt.abcdef", prefix + "bbbbbb", prefix + "cccccc",
                                        prefix + "toolongname"};
    EXPECT_EQ(d.names(), left);
    // A save in the folder cleans up as well.
    ageFile(d / (prefix + "cccccc"), 3600);
    EXPECT_EQ(atomicfile::write(d / "t.txt", "x"), std::nullopt);
    EXPECT_FALSE(fs::exists(d.path / (prefix + "cccccc")));
}
