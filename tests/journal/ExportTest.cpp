// Export of the tape for a spreadsheet, and pasted columns of numbers.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>

#include "app/BatchSession.h"
#include "engine/Decimal.h"
#include "journal/TapeExport.h"
#include "support/TestFiles.h"

using namespace zorv;
using namespace zorv::journal;

namespace {

struct Batch {
    std::string out, err;
};

Batch batch(const std::string& keys) {
    app::BatchOptions options;
    std::istringstream in(keys);
    std::ostringstream out, err;
    app::runBatch(in, out, err, options);
    return {out.str(), err.str()};
}

std::vector<std::vector<std::string>> csvRows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') field += csv[++i];
            else if (c == '"') quoted = false;
            else field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
        } else if (c == '\r') {
        } else if (c == '\n') {
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    return rows;
}

}  // namespace

TEST(TapeExportTest, CsvRowsCarryEntriesNotesAndRunningTotalsThatMatchTheTape) {
    test::TempDir dir;
    const std::string path = (dir.path / "t.csv").string();
    const Batch b = batch("1234.5+7.25-{Annotate Tape}[rent, \"march\"]2X3=10+20+30={Export Tape CSV}[" + path + "]");
    const auto rows = csvRows(test::slurp(path));
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"item", "amount", "operator", "running total", "note"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "1234.5", "+", "1234.5", ""}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"", "", "", "", "rent, \"march\""}));
    EXPECT_EQ(rows[5], (std::vector<std::string>{"4", "3", "=", "3719.25", ""}));
    // Summing the "+" and "-" amounts of the second calculation gives its
    // total row, and the tape's printed totals are the "=" rows' totals.
    engine::Decimal sum;
    for (std::size_t i = 6; i <= 8; ++i) sum = sum + engine::Decimal::parse(rows[i][1]);
    EXPECT_EQ(sum.toString(), rows[8][3]);
    EXPECT_NE(b.out.find("3,719.25\r\n"), std::string::npos);
    EXPECT_NE(b.out.find("60.00\r\n"), std::string::npos);
}

TEST(TapeExportTest, ItemMarksNotesAndTsv) {
    const std::string tape = "5+ >1<\r\n=cmd|calc\r\n2,000.50= >2<\r\n------------------\r\n2,005.50\r\n******************\r\n";
    const auto rows = tapeRows(tape, {});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].item, "1");
    EXPECT_EQ(rows[1].note, "=cmd|calc");
    EXPECT_EQ(rows[2].amount, "2000.5");
    EXPECT_EQ(rows[2].total, "2005.5");
    const std::string tsv = exportTape(tape, {}, ExportFormat::Tsv);
    // A note that a spreadsheet would run as a formula is written as text.
    EXPECT_NE(tsv.find("\t'=cmd|calc\n"), std::string::npos);
    EXPECT_EQ(exportTape(tape, {}, ExportFormat::Text), tape);
    // Comma as decimal symbol.
    const auto eu = tapeRows("1.234,50+\r\n", {",", ".", "EUR"});
    ASSERT_EQ(eu.size(), 1u);
    EXPECT_EQ(eu[0].amount, "1234.5");
}

TEST(TapeExportTest, NeverWritesOverANonRegularFile) {
    test::TempDir dir;
    const std::string fifo = (dir.path / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(writeExport(fifo, "x").has_value());
    EXPECT_TRUE(writeExport(dir.path.string(), "x").has_value());
    const Batch b = batch("1+{Export Tape CSV}[/dev/null]");
    EXPECT_NE(b.err.find("could not be exported"), std::string::npos);
}

TEST(PasteColumnTest, StatementFormsAreReadAndAWrongLineIsNamed) {
    const PastedColumn ok = readPastedColumn("$1,234.50\r\n(20.00)\n\n\xE2\x82\xAC 3\n4.5-\n 1 000 \n", {});
    EXPECT_EQ(ok.error, "Line 6 is not a number: 1 000");
    const PastedColumn good = readPastedColumn("$1,234.50\r\n(20.00)\n\n\xE2\x82\xAC 3\n4.5-\n", {});
    EXPECT_EQ(good.error, "");
    EXPECT_EQ(good.values, (std::vector<std::string>{"1234.5", "-20", "3", "-4.5"}));
    EXPECT_EQ(good.sum, "1213");
    const PastedColumn eu = readPastedColumn("1.234,50\n2,5\n", {",", ".", "EUR"});
    EXPECT_EQ(eu.sum, "1237");
    for (const char* bad : {"12\nabc\n", "1e5", "&HFF", "1,2,3.4.5", "()"}) {
        const PastedColumn r = readPastedColumn(bad, {});
        EXPECT_FALSE(r.error.empty()) << bad;
        EXPECT_TRUE(r.values.empty()) << bad;
    }
    EXPECT_FALSE(readPastedColumn("\n \n", {}).error.empty());
}

TEST(PasteColumnTest, BatchPostsAfterTheQuestionOrNothing) {
    const Batch yes = batch("{Paste Column}[10\n(2.5)\n$1,000][yes]=");
    EXPECT_NE(yes.err.find("Post 3 numbers with the sum 1,007.50 to the tape?"), std::string::npos);
    EXPECT_EQ(yes.out.substr(0, 27), "10.00+\r\n-2.50+\r\n1,000.00+\r\n");
    // The same as keying the amounts in.
    EXPECT_EQ(yes.out, batch("10+2.5{Change Sign}+1000+=").out);
    EXPECT_EQ(batch("{Paste Column}[10\n2][no]").out, "");
    const Batch bad = batch("{Paste Column}[10\nten\n2]");
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("Line 2 is not a number: ten"), std::string::npos);
}
