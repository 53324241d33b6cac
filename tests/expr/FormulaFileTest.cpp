#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "expr/FormulaFile.h"

namespace fs = std::filesystem;
using zorv::expr::FormulaFile;
using zorv::expr::FormulaFileError;

namespace {

class FormulaFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zorv_formula_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path path() const { return dir_ / "evalform.frm"; }
    void write(const std::string& bytes) const {
        std::ofstream(path(), std::ios::binary) << bytes;
    }
    std::string read() const {
        std::ifstream in(path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

TEST_F(FormulaFileTest, HandWrittenFileLoadsAndRoundTripsUnchanged) {
    const std::string original =
        "Circle area\t3.14159265359*X^2\r\n Volume \t X*Y*Z \r\nNo tab here\r\nTax\t15%\r\n";
    write(original);
    FormulaFile file(path());
    EXPECT_EQ(file.names(), (std::vector<std::string>{"Circle area", "Volume", "", "Tax"}));
    EXPECT_EQ(file.find("circle AREA"), "3.14159265359*X^2");
    EXPECT_EQ(file.find("  volume "), "X*Y*Z");
    EXPECT_EQ(file.find(""), "No tab here");  // the nameless line holds its whole text
    EXPECT_EQ(file.find("Missing"), std::nullopt);

    // Replacing a line with itself writes the same bytes back.
    file.replace(0, "Circle area", "3.14159265359*X^2");
    EXPECT_EQ(read(), original);
}

TEST_F(FormulaFileTest, PipeOrFolderIsNotReadAndNotReplaced) {
    ::alarm(20);  // a read that blocks ends the test run as a failure
    ASSERT_EQ(::mkfifo(path().c_str(), 0600), 0);
    FormulaFile file(path());
    const auto loaded = file.load();
    EXPECT_TRUE(loaded.lines.empty());
    EXPECT_NE(loaded.error.find("not a regular file"), std::string::npos) << loaded.error;
    EXPECT_THROW(file.add("Name", "1+1"), FormulaFileError);
    ::alarm(0);
    EXPECT_TRUE(fs::is_fifo(path()));

    fs::remove(path());
    fs::create_directory(path());
    EXPECT_NE(file.load().error.find("folder"), std::string::npos);
}

TEST_F(FormulaFileTest, UnreadableFileIsNotReplacedByOneLine) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    write("Keep\t1\r\n");
    fs::permissions(path(), fs::perms::owner_write);
    EXPECT_THROW(FormulaFile(path()).add("New", "2"), FormulaFileError);
    fs::permissions(path(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(read(), "Keep\t1\r\n");
}

TEST_F(FormulaFileTest, LastMatchingLineWins) {
    write("Rate\t1\r\nOther\t2\r\nRATE\t3\r\n");
    EXPECT_EQ(FormulaFile(path()).find("rate"), "3");
}

TEST_F(FormulaFileTest, MissingFileIsCreatedEmpty) {
    FormulaFile file(dir_ / "sub" / "evalform.frm");
    EXPECT_TRUE(file.names().empty());
    EXPECT_TRUE(fs::exists(file.path()));
    EXPECT_EQ(fs::file_size(file.path()), 0u);
}

TEST_F(FormulaFileTest, AddReplaceRemove) {
    write("A\t1\r\nB\t2");  // the last line has no line end
    FormulaFile file(path());
    file.add("C", "3");
    EXPECT_EQ(read(), "A\t1\r\nB\t2\r\nC\t3\r\n");
    file.replace(1, "Bee", "2*2");
    EXPECT_EQ(read(), "A\t1\r\nBee\t2*2\r\nC\t3\r\n");
    file.remove(0);
    EXPECT_EQ(read(), "Bee\t2*2\r\nC\t3\r\n");
    EXPECT_THROW(file.remove(5), FormulaFileError);
    EXPECT_FALSE(fs::exists(dir_ / "calctemp.frm"));

    // What would break the line format cannot get in.
    file.add("Two\tparts", "1+\r\n2");
    EXPECT_EQ(file.lines().back().raw, "Two parts\t1+  2");
}

TEST_F(FormulaFileTest, NamesAreTakenIgnoringCaseAndBlanks) {
    write("Area\t1\r\nSpeed\t2\r\n");
    FormulaFile file(path());
    EXPECT_TRUE(file.nameTaken(" AREA "));
    EXPECT_FALSE(file.nameTaken("Volume"));
    EXPECT_FALSE(file.nameTaken("area", 0));  // the line being edited may keep its name
    EXPECT_TRUE(file.nameTaken("area", 1));
}

TEST_F(FormulaFileTest, FailedRewriteKeepsTheOldFile) {
    const std::string original = "A\t1\r\nB\t2\r\n";
    write(original);
    // A read-only formula file is not rewritten, even by the superuser.
    fs::permissions(path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    FormulaFile file(path());
    EXPECT_THROW(file.replace(0, "A", "5"), FormulaFileError);
    EXPECT_THROW(file.remove(1), FormulaFileError);
    EXPECT_THROW(file.add("C", "3"), FormulaFileError);
    EXPECT_EQ(read(), original);
}

TEST_F(FormulaFileTest, LinkedFileStaysALink) {
    // A formula file that is a link stays a link; its file gets the change.
    write("A\t1\r\n");
    fs::rename(path(), dir_ / "real.frm");
    fs::create_symlink("real.frm", path());
    FormulaFile file(path());
    file.add("B", "2");
    EXPECT_TRUE(fs::is_symlink(path()));
    EXPECT_EQ(read(), "A\t1\r\nB\t2\r\n");
}

TEST_F(FormulaFileTest, HostileFilesLoad) {
    struct Case { std::string bytes; std::size_t lines; };
    const Case cases[] = {
        {std::string(2'000'000, 'x') + "\t1\r\n", 1},
        {"Lone\tCR\rNext\t2\r\n", 2},
        {"Unix\t1\nlines\t2\n", 2},
        {std::string("bin\0ary\t\xff\xfe\x01\r\n\r\n", 15), 2},
        {"\t\t\t", 1},
        {"", 0},
    };
    for (const Case& c : cases) {
        write(c.bytes);
        FormulaFile file(path());
        EXPECT_EQ(file.lines().size(), c.lines);
        EXPECT_EQ(file.names().size(), c.lines);
        file.find("anything");
    }
    write("Lone\tCR\rNext\t2\r\n");
    EXPECT_EQ(FormulaFile(path()).find("next"), "2");
}

}  // namespace
