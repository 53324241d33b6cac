// Reading whole files: only regular files are read, nothing blocks, and a
// size limit holds before and while reading.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "engine/RegularFile.h"
#include "tests/support/TestFiles.h"

using namespace zorv::engine;
namespace fs = std::filesystem;
using zorv::test::TempDir;

namespace {

// A read that blocks would hang the test run: end it with a failure instead.
struct HangGuard {
    HangGuard() { ::alarm(20); }
    ~HangGuard() { ::alarm(0); }
};

TEST(RegularFile, ReadsOnlyRegularFilesAndSaysWhy) {
    HangGuard guard;
    TempDir dir;
    std::ofstream(dir / "text.txt", std::ios::binary) << "5+\r\n3=\r\n";
    std::ofstream(dir / "empty.txt", std::ios::binary);
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_directory(dir / "folder");
    fs::create_symlink(dir / "text.txt", dir / "link-to-text");
    fs::create_symlink(dir / "pipe", dir / "link-to-pipe");

    using F = FileRead::Failure;
    const struct {
        const char* name;
        F failure;
        const char* text;
        const char* reason;
    } cases[] = {
        {"text.txt", F::None, "5+\r\n3=\r\n", ""},
        {"empty.txt", F::None, "", ""},
        {"link-to-text", F::None, "5+\r\n3=\r\n", ""},
        {"pipe", F::NotRegular, "", kNotRegularReason},
        {"link-to-pipe", F::NotRegular, "", kNotRegularReason},
        {"folder", F::Folder, "", kFolderReason},
        {"missing", F::Missing, "", "No such file or directory"},
        {"text.txt/below", F::Missing, "", "Not a directory"},
    };
    for (const auto& c : cases) {
        const FileRead r = readRegularFile(dir / c.name, 1024);
        EXPECT_EQ(r.failure, c.failure) << c.name;
        EXPECT_EQ(r.text, c.text) << c.name;
        EXPECT_EQ(r.reason, c.reason) << c.name;
    }
}

TEST(RegularFile, LimitIsKeptFromTheSize) {
    TempDir dir;
    std::ofstream(dir / "ten", std::ios::binary) << "0123456789";
    EXPECT_TRUE(readRegularFile(dir / "ten", 10).ok());
    EXPECT_EQ(readRegularFile(dir / "ten", 9).failure, FileRead::Failure::TooLarge);
    // A sparse 2 GB file is refused at once, not read.
    { std::ofstream(dir / "huge") << "x"; }
    fs::resize_file(dir / "huge", 2ull * 1024 * 1024 * 1024);
    EXPECT_EQ(readRegularFile(dir / "huge", 1024).failure, FileRead::Failure::TooLarge);
}

TEST(RegularFile, UnreadableFileGivesTheSystemsReason) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    TempDir dir;
    std::ofstream(dir / "secret") << "x";
    fs::permissions(dir / "secret", fs::perms::none);
    const FileRead r = readRegularFile(dir / "secret", 1024);
    EXPECT_EQ(r.failure, FileRead::Failure::Unreadable);
    EXPECT_EQ(r.reason, "Permission denied");
}

}  // namespace
