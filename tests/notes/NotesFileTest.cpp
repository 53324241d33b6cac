// The daily notes file: exact round trips of any text, damaged files loading
// what is valid, and the book's calendar queries and search.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "notes/NotesBook.h"

using namespace zorv::notes;
using zorv::timedate::Date;

namespace {

Date day(int y, int m, int d) { return Date::fromCivil(y, m, d); }

class NotesFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zorv-notes-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }
    std::filesystem::path dir_;
};

}  // namespace

TEST(NotesFile, AnyNoteRoundTripsExactly) {
    const std::vector<std::string> notes = {
        "plain",
        "two\nlines",
        "ends with a break\n",
        "\n\nstarts with breaks",
        "[2026-12-25]\n[not a date]\n#comment\n;comment\nLine=x",
        "back\\slash \\n not a break \\x41",
        std::string("nul\0byte", 8),
        "cr\r\nlf and lone\rcr",
        "tab\tand trailing blanks   ",
        "   leading blanks",
        "unicode: äöü ß € 日本 🙂",
        "invalid utf-8: \xC3\x28 \xFF\xFE \xED\xA0\x80 \xC0\xAF",
        "\x01\x1F\x7F control",
        "=starts with equals",
        "\xEF\xBB\xBF" "byte order mark inside",
    };
    NotesBook book;
    for (std::size_t i = 0; i < notes.size(); ++i) book.setNote(day(2026, 1, 1).plusDays(i), notes[i]);
    const NotesLoad back = parseNotes(book.toText());
    EXPECT_TRUE(back.complete()) << back.report();
    for (std::size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(back.book.note(day(2026, 1, 1).plusDays(i)), notes[i]) << i;
    EXPECT_EQ(back.book, book);
}

TEST(NotesFile, RandomNotesRoundTrip) {
    std::mt19937 rng(18);
    const std::string alphabet = std::string("ab \\[]=#;\n\r\t\x01\x7F", 14) + std::string(1, '\0') + "\xC3\xA4\xFF\xE2\x82\xAC";
    for (int round = 0; round < 200; ++round) {
        NotesBook book;
        const int count = 1 + static_cast<int>(rng() % 8);
        for (int n = 0; n < count; ++n) {
            std::string text;
            const int length = static_cast<int>(rng() % 40);
            for (int k = 0; k < length; ++k) text += alphabet[rng() % alphabet.size()];
            book.setNote(Date::fromDayNumber(static_cast<long long>(rng() % 200000) - 100000), text);
        }
        const NotesLoad back = parseNotes(book.toText());
        ASSERT_TRUE(back.complete()) << back.report();
        ASSERT_EQ(back.book, book) << book.toText();
        ASSERT_EQ(back.book.toText(), book.toText());
    }
}

TEST(NotesFile, DamagedTextLoadsWhatIsValid) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::pair<Date, std::string>> notes;
        std::vector<int> skippedLines;
    };
    const std::vector<Case> cases = {
        {"empty", "", {}, {}},
        {"comments and blanks only", "# a\n\n; b\n   \n", {}, {}},
        {"crlf and bom", "\xEF\xBB\xBF[2026-12-24]\r\nLine=goose\r\nLine=\r\n", {{day(2026, 12, 24), "goose\n"}}, {}},
        {"impossible date skips its section",
         "[2026-02-30]\nLine=lost\n[2026-03-01]\nLine=kept\n", {{day(2026, 3, 1), "kept"}}, {1}},
        {"year zero and words", "[0000-01-01]\nLine=a\n[tomorrow]\nLine=b\n", {}, {1, 3}},
        {"short form date", "[2026-3-1]\nLine=a\n", {}, {1}},
        {"second section for a day",
         "[2026-03-01]\nLine=first\n[2026-03-01]\nLine=second\n", {{day(2026, 3, 1), "first"}}, {3}},
        {"unknown key and bare line",
         "[2026-03-01]\nLine=a\nColour=red\njust text\n Line = b\n", {{day(2026, 3, 1), "a\n b"}}, {3, 4}},
        {"line before any section", "Line=orphan\n[2026-03-01]\nLine=a\n", {{day(2026, 3, 1), "a"}}, {1}},
        {"bad escape is kept", "[2026-03-01]\nLine=a\\qb\\x4\n", {{day(2026, 3, 1), "a\\qb\\x4"}}, {2}},
        {"value keeps blanks and equals", "[2026-03-01]\nLine= x = y \n", {{day(2026, 3, 1), " x = y "}}, {}},
        {"section without lines", "[2026-03-01]\n[2026-03-02]\nLine=b\n", {{day(2026, 3, 2), "b"}}, {}},
        {"binary", std::string("\x00\x01\x02[\xFF]\n\x89PNG\r\n", 12), {}, {1, 2}},
        {"no final line break", "[2026-03-01]\nLine=a", {{day(2026, 3, 1), "a"}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const NotesLoad load = parseNotes(c.text);
        NotesBook expected;
        for (const auto& [date, text] : c.notes) expected.setNote(date, text);
        EXPECT_EQ(load.book, expected) << load.book.toText();
        std::vector<int> lines;
        for (const SkippedLine& s : load.skipped) lines.push_back(s.line);
        EXPECT_EQ(lines, c.skippedLines) << load.report();
        EXPECT_EQ(load.complete(), c.skippedLines.empty());
        EXPECT_EQ(load.report().empty(), c.skippedLines.empty());
    }
}

TEST(NotesFile, ReportNamesTheFileAndTheFirstLinesOnce) {
    std::string text = "[2026-03-01]\n";
    for (int i = 0; i < 8; ++i) text += "Bad=" + std::to_string(i) + "\n";
    const NotesLoad load = parseNotes(text);
    EXPECT_EQ(load.skipped.size(), 8u);
    EXPECT_EQ(load.report(), "zorvcalc.2do: 8 lines skipped: line 2: unknown key \"Bad\"; line 3: unknown key \"Bad\"; "
                             "line 4: unknown key \"Bad\"; line 5: unknown key \"Bad\"; line 6: unknown key \"Bad\"; and 3 more.");
    EXPECT_NE(parseNotes("[2026-02-30]\n").report().find("30 February does not exist"), std::string::npos);
}

TEST(NotesFile, DatesOutsideTheCalendarYearsAreKept) {
    NotesBook book;
    book.setNote(day(1, 1, 1), "first");
    book.setNote(day(9999, 12, 31), "last");
    EXPECT_EQ(parseNotes(book.toText()).book, book);
}

TEST_F(NotesFileOnDisk, FilesOnDisk) {
    NotesBook book;
    book.setNote(day(2026, 12, 24), "goose\nand \\ more");
    const NotesLoad good = readNotesFile(write("zorvcalc.2do", book.toText()));
    EXPECT_TRUE(good.complete());
    EXPECT_EQ(good.book, book);

    const NotesLoad missing = readNotesFile(dir_ / "absent.2do");
    EXPECT_TRUE(missing.complete());
    EXPECT_TRUE(missing.book.empty());

    const NotesLoad empty = readNotesFile(write("empty.2do", ""));
    EXPECT_TRUE(empty.complete());

    const NotesLoad folder = readNotesFile(dir_);
    EXPECT_FALSE(folder.complete());
    EXPECT_NE(folder.report().find("not a regular file"), std::string::npos) << folder.report();

    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
    const NotesLoad fifo = readNotesFile(dir_ / "fifo");  // must not block
    EXPECT_NE(fifo.report().find("not a regular file"), std::string::npos);
}

TEST_F(NotesFileOnDisk, HugeFiles) {
    // 10 MB of notes is read (a long diary); beyond the limit nothing is
    // read and the caller is told, so it keeps the old file.
    NotesBook big;
    const std::string text(2000, 'x');
    for (int i = 0; i < 5200; ++i) big.setNote(day(2000, 1, 1).plusDays(i), text);
    const std::string bytes = big.toText();
    ASSERT_GT(bytes.size(), 10u * 1024 * 1024);
    const NotesLoad load = readNotesFile(write("big.2do", bytes));
    EXPECT_TRUE(load.complete()) << load.report();
    EXPECT_EQ(load.book.size(), 5200u);

    const auto sparse = dir_ / "sparse.2do";
    { std::ofstream(sparse, std::ios::binary) << "[2026-01-01]\nLine=a\n"; }
    std::filesystem::resize_file(sparse, kMaxNotesFileBytes + 1);
    const NotesLoad tooBig = readNotesFile(sparse);
    EXPECT_EQ(unreadCopyPath(sparse), dir_ / "sparse.2do.unread");
    EXPECT_FALSE(tooBig.complete());
    EXPECT_TRUE(tooBig.book.empty());
    EXPECT_NE(tooBig.report().find("larger than 32 MB"), std::string::npos) << tooBig.report();
}

TEST(NotesBook, SetGetDeleteReportChanges) {
    NotesBook book;
    EXPECT_FALSE(book.setNote(day(2026, 12, 24), ""));
    EXPECT_TRUE(book.setNote(day(2026, 12, 24), "a"));
    EXPECT_FALSE(book.setNote(day(2026, 12, 24), "a"));
    EXPECT_TRUE(book.setNote(day(2026, 12, 24), " "));
    EXPECT_EQ(book.note(day(2026, 12, 24)), " ");
    EXPECT_TRUE(book.removeNote(day(2026, 12, 24)));
    EXPECT_FALSE(book.hasNote(day(2026, 12, 24)));
    EXPECT_TRUE(book.empty());
}

TEST(NotesBook, MonthDaysAndNeighbours) {
    NotesBook book;
    for (Date d : {day(2024, 1, 31), day(2024, 2, 1), day(2024, 2, 29), day(2024, 3, 1), day(2025, 2, 28)})
        book.setNote(d, "n");
    EXPECT_EQ(book.daysWithNotes(2024, 2), (std::vector<int>{1, 29}));
    EXPECT_EQ(book.daysWithNotes(2025, 2), (std::vector<int>{28}));
    EXPECT_TRUE(book.daysWithNotes(2023, 2).empty());
    EXPECT_TRUE(book.daysWithNotes(2024, 13).empty());
    EXPECT_EQ(book.nextNote(day(2024, 2, 1)), day(2024, 2, 29));
    EXPECT_EQ(book.nextNote(day(2024, 2, 2)), day(2024, 2, 29));
    EXPECT_EQ(book.previousNote(day(2024, 2, 29)), day(2024, 2, 1));
    EXPECT_EQ(book.previousNote(day(2024, 1, 31)), std::nullopt);
    EXPECT_EQ(book.nextNote(day(2025, 2, 28)), std::nullopt);
    EXPECT_EQ(book.previousNote(day(2030, 1, 1)), day(2025, 2, 28));
}

TEST(NotesBook, SearchIgnoresCaseAndGivesOneLineSnippets) {
    NotesBook book;
    book.setNote(day(2026, 12, 24), "Buy the GOOSE\nthen call Ärzte");
    book.setNote(day(2026, 12, 1), "goose liver? no");
    book.setNote(day(2026, 11, 1), "Москва and ΑΘΗΝΑ");
    book.setNote(day(2026, 10, 1), std::string(100, 'a') + "needle" + std::string(100, 'b'));
    const auto hits = book.search("goose");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].date, day(2026, 12, 1));
    EXPECT_EQ(hits[1].date, day(2026, 12, 24));
    EXPECT_EQ(hits[1].snippet, "Buy the GOOSE | then call Ärzte");
    EXPECT_EQ(book.search("ärzte").size(), 1u);
    EXPECT_EQ(book.search("МОСКВА").size(), 1u);
    EXPECT_EQ(book.search("αθηνα").size(), 1u);
    EXPECT_TRUE(book.search("").empty());
    EXPECT_TRUE(book.search("swan").empty());
    const auto far = book.search("NEEDLE");
    ASSERT_EQ(far.size(), 1u);
    EXPECT_EQ(far[0].snippet, "..." + std::string(30, 'a') + "needle" + std::string(50, 'b') + "...");
    EXPECT_EQ(book.search("a", 2).size(), 2u);
}

TEST(NotesText, FoldCaseKeepsLengthAndOneLineJoins) {
    for (std::string s : {"ÀÉÎÕÜ ÆØ", "ĀĄĆĹŁŃ", "ЁЖЯ", "ΑΩ", "\xC3\x28\xFF"})
        EXPECT_EQ(foldCase(s).size(), s.size()) << s;
    EXPECT_EQ(foldCase("ÀÉÎÕÜ ÆØ ×"), "àéîõü æø ×");
    EXPECT_EQ(foldCase("ĀĄĆŁŃ"), "āąćłń");
    EXPECT_EQ(foldCase("ЁЖЯ"), "ёжя");
    EXPECT_EQ(oneLine("a\nb\r\nc\rd\n"), "a | b | c | d | ");
}
