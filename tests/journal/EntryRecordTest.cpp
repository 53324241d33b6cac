// The record of entries beside the tape text: how the tape numbers its
// calculations, how the journal keeps the record and the calculation under
// way, and what comes back after a restart.
#include <gtest/gtest.h>

#include <sstream>

#include "app/BatchSession.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "journal/CorrectEntry.h"
#include "journal/TapeJournal.h"
#include "support/TestFiles.h"

using namespace zorv;
using namespace zorv::journal;
using zorv::test::slurp;
using zorv::test::spit;
using zorv::test::TempDir;

namespace {

void keys(engine::CalculatorModel& model, const std::string& text) {
    for (char c : text) model.typeKey(std::string(1, c));
}

std::string batch(const std::string& keys, const std::string& journalDir, std::string* err = nullptr) {
    app::BatchOptions options;
    options.journalDir = journalDir;
    std::istringstream in(keys);
    std::ostringstream out, errors;
    app::runBatch(in, out, errors, options);
    if (err) *err = errors.str();
    return out.str();
}

}  // namespace

TEST(TapeRecord, EntriesKnowTheirLineAndCalculation) {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    keys(model, "1+2=5X");
    model.postToTape("a note");
    keys(model, "3+");
    const auto& e = model.tape().entries();
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].line, 0u);
    EXPECT_EQ(e[1].line, 1u);
    EXPECT_EQ(e[2].line, 5u);  // after the total block
    EXPECT_EQ(e[3].line, 7u);  // after the note
    EXPECT_EQ(e[0].chain, e[1].chain);
    EXPECT_EQ(e[2].chain, e[1].chain + 1);  // "=" closes a calculation
    EXPECT_EQ(e[3].chain, e[2].chain);      // a note between is no matter
    EXPECT_EQ(e[1].op, '=');
    EXPECT_EQ(e[1].total, engine::Decimal(3));
    EXPECT_EQ(e[3].amount, engine::Decimal(3));
    EXPECT_EQ(e[3].total, engine::Decimal(15));
    EXPECT_EQ(model.tape().lineCount(), 8u);
    EXPECT_TRUE(model.tape().chainOpen());
    model.clearAll();  // C starts the item count again: a new calculation
    keys(model, "4+");
    EXPECT_EQ(e[4].chain, e[3].chain + 1);
    model.tape().clear();
    EXPECT_TRUE(model.tape().entries().empty());
    EXPECT_EQ(model.tape().lineCount(), 0u);
}

TEST(TapeRecord, JournalPayloadsReadBack) {
    engine::TapeEntry e;
    e.amount = engine::Decimal::parse("-1234.505");
    e.op = '/';
    e.item = 12;
    e.itemShown = true;
    e.total = engine::Decimal::parse("0.000001");
    e.line = 40;
    e.chain = 3;
    e.voided = true;
    e.was = "1,234.51X >12<";
    const auto back = parseEntryPayload(entryPayload(e));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->amount, e.amount);
    EXPECT_EQ(back->op, e.op);
    EXPECT_EQ(back->item, 12);
    EXPECT_TRUE(back->itemShown);
    EXPECT_EQ(back->total, e.total);
    EXPECT_EQ(back->line, 40u);
    EXPECT_EQ(back->chain, 3);
    EXPECT_TRUE(back->voided);
    EXPECT_EQ(back->was, e.was);
    for (const char* bad : {"", "1 2 3", "1 1 1 0 ? 5 5", "1 1 1 9 + 5 5", "x 1 1 0 + 5 5", "1 1 1 0 + five 5"})
        EXPECT_FALSE(parseEntryPayload(bad)) << bad;

    engine::CalculatorModel::ChainState c{"3,50", "OPS", " ", 1, engine::Decimal::parse("3.5"), "2"};
    EXPECT_EQ(parseChainPayload(chainPayload(c)), c);
    c.opFlag = "X";
    c.entryState = "NUMS";
    EXPECT_EQ(parseChainPayload(chainPayload(c)), c);
    for (const char* bad : {"", "1 OPS + 3\n3.00", "7 OPS + 3\n3.00\n", "1 WHAT + 3\n3.00\n", "1 OPS ? 3\n3.00\n",
                            "1 OPS + x\n3.00\n", "1 OPS + 3\n\n"})
        EXPECT_FALSE(parseChainPayload(bad)) << bad;
}

TEST(TapeRecord, JournalKeepsTheRecordAndDropsOneThatDoesNotFit) {
    TapeState s("1.00+\r\n2.00+\r\n", 2, false);
    engine::TapeEntry a;
    a.amount = engine::Decimal(1);
    a.total = engine::Decimal(1);
    a.chain = 1;
    engine::TapeEntry b = a;
    b.amount = engine::Decimal(2);
    b.total = engine::Decimal(3);
    b.line = 1;
    s.entries = {a, b};
    s.chainOpen = true;
    JournalRead r = readJournal(journalSnapshot(s));
    EXPECT_TRUE(r.skipped.empty());
    ASSERT_EQ(r.state.entries.size(), 2u);
    EXPECT_TRUE(r.state.chainOpen);
    // A snapshot of a broken chain says so.
    s.chainOpen = false;
    EXPECT_FALSE(readJournal(journalSnapshot(s)).state.chainOpen);
    // An entry standing past the text's end: the record goes, the text stays.
    s.entries[1].line = 9;
    r = readJournal(journalSnapshot(s));
    EXPECT_EQ(r.state.text, s.text);
    EXPECT_TRUE(r.state.entries.empty());
    ASSERT_EQ(r.skipped.size(), 1u);
    EXPECT_NE(r.skipped[0].find("record of entries"), std::string::npos);
    // A damaged entry record, likewise.
    s.entries[1].line = 1;
    std::string bytes = journalSnapshot(s) + journalRecord('E', s, "garbage");
    r = readJournal(bytes);
    EXPECT_TRUE(r.state.entries.empty());
    EXPECT_EQ(r.state.text, s.text);
}

TEST(TapeRecord, AnOpenChainGoesOnAfterARestart) {
    TempDir dir;
    const std::string folder = dir.path.string();
    engine::ScriptedFeedback fb;
    {
        engine::CalculatorModel model(fb);
        TapeJournal journal(model, {folder});
        journal.start();
        keys(model, "1+2+");
    }
    {
        engine::CalculatorModel model(fb);
        TapeJournal journal(model, {folder});
        EXPECT_TRUE(journal.start().empty());
        EXPECT_EQ(model.readout(), "3.00");
        EXPECT_EQ(model.hint(), "Press F1 for Help [Adding]");
        EXPECT_EQ(model.tape().entries().size(), 2u);
        EXPECT_TRUE(journal::lastCalculation(model, model.tape()).fromRecord);
        keys(model, "3=");
        EXPECT_NE(model.tape().text().find("------------------\r\n6.00\r\n"), std::string::npos) << model.tape().text();
        // A correction after the restart goes through the record too.
        ASSERT_TRUE(journal::correctEntry(model, {1, engine::Decimal(11), std::nullopt}));
        keys(model, "+1=");  // the corrected total carries on
    }
    engine::CalculatorModel model(fb);
    TapeJournal journal(model, {folder});
    EXPECT_TRUE(journal.start().empty());
    EXPECT_NE(model.tape().text().find("11.00+ corrected, was 1.00\r\n"), std::string::npos);
    EXPECT_NE(model.tape().text().find("\r\n16.00 corrected\r\n"), std::string::npos);
    EXPECT_NE(model.tape().text().find("\r\n16.00+\r\n1.00=\r\n------------------\r\n17.00\r\n"), std::string::npos)
        << model.tape().text();
    // The record comes back for the last calculation, the one corrections reach.
    ASSERT_EQ(model.tape().entries().size(), 2u);
    EXPECT_EQ(model.tape().entries()[0].amount, engine::Decimal(16));
    EXPECT_EQ(model.tape().entries()[1].line, 7u);
    EXPECT_TRUE(journal::lastCalculation(model, model.tape()).fromRecord);
}

// What is in the file at once, without the once-a-second tick or the
// flush at exit: what a kill would leave.
TEST(TapeRecord, TotalsAndClearWriteTheCalculationStateAtOnce) {
    TempDir dir;
    const std::string folder = dir.path.string();
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    int grandTotalClears = 0;
    model.onClear = [&grandTotalClears] { ++grandTotalClears; };  // as the business keys hook it
    TapeJournal journal(model, {folder});
    journal.start();
    keys(model, "1+2=");
    auto kept = readJournal(slurp(journalPath(folder))).state;
    ASSERT_TRUE(kept.chain);
    EXPECT_EQ(kept.chain->opFlag, "=");
    EXPECT_EQ(kept.chain->readout, "3.00");
    keys(model, "4+5+");
    model.clearAll();
    EXPECT_EQ(grandTotalClears, 1);
    kept = readJournal(slurp(journalPath(folder))).state;
    ASSERT_TRUE(kept.chain);
    EXPECT_EQ(kept.chain->numOps, 0);
    EXPECT_EQ(kept.chain->entryState, "NONE");
    EXPECT_EQ(kept.chain->runningTotal, engine::Decimal());
}

TEST(TapeRecord, BatchRunsWithAKeptTapeGoOnWhereTheLastStopped) {
    TempDir dir;
    const std::string kept = (dir.path / "kept").string();
    batch("1+2+", kept);
    const std::string out = batch("3=", kept);
    EXPECT_EQ(out, "1.00+\r\n2.00+\r\n3.00=\r\n------------------\r\n6.00\r\n******************\r\n");
    // Half a number keyed is kept too.
    batch("C5+4", kept);
    EXPECT_NE(batch("=", kept).find("4.00=\r\n------------------\r\n9.00\r\n"), std::string::npos);
    // C ends the calculation for good.
    batch("7+8+C", kept);
    EXPECT_NE(batch("3=", kept).find(" Clear\r\n******************\r\n\r\n3.00=\r\n------------------\r\n3.00\r\n"),
              std::string::npos);
    // Correcting across runs.
    batch("C10+20+", kept);
    std::string err;
    const std::string corrected = batch("{Correct Entry 2}[5-]4=", kept, &err);
    EXPECT_NE(corrected.find("5.00- corrected, was 20.00+\r\n4.00=\r\n------------------\r\n11.00\r\n"),
              std::string::npos)
        << corrected << err;
}
