// The kept tape: the journal format, its reader on damaged files, the
// restore at start, the history and batch mode's --journal.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/BatchSession.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "journal/TapeHistory.h"
#include "journal/TapeJournal.h"
#include "support/TestFiles.h"

using namespace zorv;
using namespace zorv::journal;
using zorv::test::slurp;
using zorv::test::spit;
using zorv::test::TempDir;

namespace {

std::string journalOf(std::initializer_list<std::pair<char, std::string>> records, int item = 0) {
    std::string out = journalHeader();
    for (const auto& [kind, text] : records) out += journalRecord(kind, {{}, item, false}, text);
    return out;
}

struct Batch {
    std::string out, err;
};

Batch batch(const std::string& keys, const std::string& journalDir) {
    app::BatchOptions options;
    options.journalDir = journalDir;
    std::istringstream in(keys);
    std::ostringstream out, err;
    app::runBatch(in, out, err, options);
    return {out.str(), err.str()};
}

}  // namespace

TEST(JournalFormat, RecordsReadBackExactly) {
    TapeState s{"1.00+\r\n", 7, true};
    std::string bytes = journalSnapshot(s);
    bytes += journalRecord('A', {{}, 8, true}, "2.00+\r\n");
    bytes += journalRecord('L', {{}, 8, false}, "");
    const JournalRead r = readJournal(bytes);
    EXPECT_TRUE(r.skipped.empty());
    EXPECT_EQ(r.state.text, "1.00+\r\n2.00+\r\n");
    EXPECT_EQ(r.state.item, 8);
    EXPECT_FALSE(r.state.unlocked);
    // Payloads holding line feeds and header-like text are taken by length.
    const std::string tricky = "A 1 0 3\nxyz\r\n\n";
    EXPECT_EQ(readJournal(journalOf({{'S', tricky}})).state.text, tricky);
}

TEST(JournalFormat, DamagedJournalsLoadWhatTheyCanAndSaySo) {
    const std::string good = journalOf({{'S', "1+\r\n"}, {'A', "2+\r\n"}}, 2);
    // Cut anywhere inside the last record: the records before it stay.
    const std::string last = journalRecord('A', {{}, 3, false}, "3=\r\n");
    for (std::size_t cut = 1; cut < last.size(); ++cut) {
        const JournalRead r = readJournal(good + last.substr(0, cut));
        EXPECT_EQ(r.state.text, "1+\r\n2+\r\n") << cut;
        EXPECT_EQ(r.state.item, 2) << cut;
        ASSERT_EQ(r.skipped.size(), 1u) << cut;
        EXPECT_NE(r.skipped[0].find("cut short"), std::string::npos);
    }
    // Garbage between records is skipped and counted.
    const JournalRead g = readJournal(journalOf({{'S', "1+\r\n"}}) + "\x01\x02 rubbish\n" + last);
    EXPECT_EQ(g.state.text, "1+\r\n3=\r\n");
    ASSERT_EQ(g.skipped.size(), 1u);
    EXPECT_NE(g.skipped[0].find("unreadable"), std::string::npos);
    // No header at all: said, and the records are still read.
    EXPECT_EQ(readJournal(last).state.text, "3=\r\n");
    EXPECT_FALSE(readJournal(last).skipped.empty());
    // A length beyond the file, a huge number, an empty file.
    EXPECT_EQ(readJournal(journalHeader() + "A 1 0 99999999999999\nx\n").state.text, "");
    EXPECT_TRUE(readJournal("").skipped.empty());
}

TEST(JournalFormat, NewerVersionKeepsWhatItKnows) {
    std::string bytes = "ZORV-TAPE-JOURNAL 7\n";
    bytes += journalRecord('S', {{}, 1, false}, "5+\r\n");
    bytes += journalRecord('Q', {{}, 9, false}, "future things");
    bytes += journalRecord('A', {{}, 2, false}, "6+\r\n");
    const JournalRead r = readJournal(bytes);
    EXPECT_TRUE(r.newerVersion);
    EXPECT_EQ(r.state.text, "5+\r\n6+\r\n");
    EXPECT_EQ(r.state.item, 2);
    EXPECT_EQ(r.skipped.size(), 2u);  // newer version, one unknown record
}

TEST(TapeJournalTest, TapeComesBackWithItemNumbersAndLock) {
    TempDir dir;
    const std::string folder = dir.path.string();
    engine::ScriptedFeedback fb;
    {
        engine::CalculatorModel model(fb);
        model.modes().numberTapeItems = true;
        TapeJournal journal(model, {folder});
        EXPECT_TRUE(journal.start().empty());
        for (char c : std::string("12+3+")) model.typeKey(std::string(1, c));
        model.tapeUnlocked = true;
        journal.tick();  // notes the lock
        model.tapeUnlocked = false;
    }
    engine::CalculatorModel model(fb);
    model.modes().numberTapeItems = true;
    TapeJournal journal(model, {folder});
    EXPECT_TRUE(journal.start().empty());
    EXPECT_EQ(model.tape().text(), "12.00+ >1<\r\n3.00+ >2<\r\n");
    EXPECT_EQ(model.tapeItem(), 2);
    // Locked again only at the end: the last state counts.
    EXPECT_FALSE(journal.restoredUnlocked());
    model.typeKey("4");
    model.typeKey("+");
    EXPECT_NE(model.tape().text().find("4.00+ >3<"), std::string::npos);
}

TEST(TapeJournalTest, TotalsReachTheFileAtOnceOtherLinesWithinASecond) {
    TempDir dir;
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    TapeJournal journal(model, {dir.path.string()});
    journal.start();
    const std::string path = journalPath(dir.path.string());
    model.typeKey("1");
    model.typeKey("+");
    EXPECT_EQ(readJournal(slurp(path)).state.text, "");  // still in memory
    model.typeKey("=");
    EXPECT_EQ(readJournal(slurp(path)).state.text, model.tape().text());
}

// The journal and another listener of the tape (the window) come and go in
// either order: each is told of the tape while it is there and never after.
TEST(TapeJournalTest, ListensBesideOtherListenersOfTheTapeInAnyOrder) {
    TempDir dir;
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    std::string shown;
    const int window = model.tape().addListener([&shown](std::string_view text, bool replaced) {
        if (replaced) shown.clear();
        shown += text;
    });
    {
        TapeJournal journal(model, {dir.path.string()});
        journal.start();
        model.typeKey("1");
        model.typeKey("=");
        EXPECT_EQ(shown, model.tape().text());
        EXPECT_EQ(readJournal(slurp(journalPath(dir.path.string()))).state.text, model.tape().text());
        // The window goes first: the journal goes on keeping the tape, and
        // its own end must not hand the tape back to the window.
        model.tape().removeListener(window);
        model.typeKey("2");
        model.typeKey("=");
        EXPECT_EQ(readJournal(slurp(journalPath(dir.path.string()))).state.text, model.tape().text());
    }
    const std::string before = shown;
    model.typeKey("3");
    model.typeKey("=");
    EXPECT_EQ(shown, before);
}

TEST(TapeJournalTest, ClearingKeepsTheOldTapeInTheHistory) {
    TempDir dir;
    const std::string folder = dir.path.string();
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    TapeJournal journal(model, {folder});
    journal.start();
    for (char c : std::string("7+8=")) model.typeKey(std::string(1, c));
    const std::string old = model.tape().text();
    model.tape().clear();
    const auto entries = history::list(historyFolder(folder));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(history::read(entries[0].path).value_or(""), old);
    EXPECT_EQ(entries[0].firstLine, "7.00+");
    EXPECT_EQ(entries[0].lastLine, "******************");
    EXPECT_EQ(readJournal(slurp(journalPath(folder))).state.text, "");
}

TEST(TapeJournalTest, NotKeptBetweenRunsMovesTheTapeToTheHistory) {
    TempDir dir;
    const std::string folder = dir.path.string();
    spit(journalPath(folder), journalOf({{'S', "1.00+\r\n"}}));
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    TapeJournal::Options o{folder};
    o.keepBetweenRuns = false;
    TapeJournal journal(model, o);
    journal.start();
    EXPECT_EQ(model.tape().text(), "");
    ASSERT_EQ(history::list(historyFolder(folder)).size(), 1u);
}

TEST(TapeJournalTest, DamagedJournalIsKeptBesideAndNeverStopsTheStart) {
    TempDir dir;
    const std::string folder = dir.path.string();
    const std::string damaged = journalOf({{'S', "1.00+\r\n"}}) + "A 2 0 50\n2.0";
    spit(journalPath(folder), damaged);
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    TapeJournal journal(model, {folder});
    EXPECT_EQ(journal.start().size(), 1u);
    EXPECT_EQ(model.tape().text(), "1.00+\r\n");
    EXPECT_EQ(slurp(journalPath(folder) + ".damaged"), damaged);
    EXPECT_TRUE(readJournal(slurp(journalPath(folder))).skipped.empty());
}

// The window starts with the rewrite postponed: the kept journal, with the
// records of the last run, stays as it is and takes the new records after
// them until compact() makes it one snapshot. A journal that can't take
// records (damaged, another version, a tape not kept) is replaced at once.
// The snapshot a journal rewrite leaves for the model as it stands: text,
// numbering, record of entries and the calculation under way.
std::string snapshotOf(const engine::CalculatorModel& model) {
    TapeState s{model.tape().text(), model.tapeItem(), false};
    s.entries = model.tape().entries();
    s.chainOpen = model.tape().chainOpen();
    s.chain = model.chainState();
    return journalSnapshot(s);
}

TEST(TapeJournalTest, CompactLaterKeepsAWholeJournalUntilCompact) {
    TempDir dir;
    const std::string folder = dir.path.string();
    const std::string path = journalPath(folder);
    const std::string kept = journalOf({{'S', "1.00+\r\n"}, {'A', "2.00+\r\n"}});
    spit(path, kept);
    engine::ScriptedFeedback fb;
    {
        engine::CalculatorModel model(fb);
        TapeJournal::Options o{folder};
        o.compactLater = true;
        TapeJournal journal(model, o);
        EXPECT_TRUE(journal.start().empty());
        EXPECT_EQ(model.tape().text(), "1.00+\r\n2.00+\r\n");
        EXPECT_EQ(slurp(path), kept);  // not rewritten
        for (char c : std::string("3+=")) model.typeKey(std::string(1, c));
        // The total went to the file, after the old records.
        EXPECT_TRUE(slurp(path).starts_with(kept));
        EXPECT_EQ(readJournal(slurp(path)).state.text, model.tape().text());
        model.typeKey("4");
        model.typeKey("+");  // pending, not yet written
        journal.compact();
        const std::string compacted = slurp(path);
        EXPECT_EQ(compacted, snapshotOf(model));
        journal.compact();  // once only
        EXPECT_EQ(slurp(path), compacted);
    }
    engine::CalculatorModel again(fb);
    TapeJournal journal(again, {folder});
    journal.start();
    EXPECT_NE(again.tape().text().find("4.00+"), std::string::npos);

    // Files that can't take records are replaced at start, postponed or not.
    const std::vector<std::string> unfit = {kept + "A 2 0 50\n2.0", "ZORV-TAPE-JOURNAL 7\n" + kept.substr(kept.find('\n') + 1)};
    for (const std::string& bytes : unfit) {
        spit(path, bytes);
        engine::CalculatorModel model(fb);
        TapeJournal::Options o{folder};
        o.compactLater = true;
        TapeJournal j(model, o);
        EXPECT_FALSE(j.start().empty());
        EXPECT_EQ(slurp(path), snapshotOf(model)) << bytes;
    }
    spit(path, kept);
    engine::CalculatorModel model(fb);
    TapeJournal::Options o{folder};
    o.compactLater = true;
    o.keepBetweenRuns = false;
    TapeJournal j(model, o);
    j.start();
    EXPECT_EQ(model.tape().text(), "");
    EXPECT_EQ(readJournal(slurp(path)).state.text, "");
}

TEST(TapeHistoryTest, PruneRemovesOldestFirstAndSearchFindsLines) {
    TempDir dir;
    const std::string folder = dir.path.string();
    const auto t0 = std::chrono::system_clock::now();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(history::save(folder, std::string(1000, 'a' + i) + "\r\nTotal " + std::to_string(i) + "\r\n",
                                  t0 + std::chrono::hours(i)));
    EXPECT_EQ(history::prune(folder, 2500), 2);
    const auto left = history::list(folder);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].lastLine, "Total 3");  // newest first
    EXPECT_EQ(left[1].lastLine, "Total 2");
    const auto hits = history::search(folder, "total 2");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].line, 2u);
    // The newest is kept even over the limit.
    EXPECT_EQ(history::prune(folder, 0), 1);
    EXPECT_EQ(history::list(folder).size(), 1u);
}

TEST(BatchJournal, SecondRunPrintsTheKeptTapeFirst) {
    TempDir dir;
    const std::string kept = (dir.path / "kept").string();
    const Batch first = batch("1+2=", kept);
    const Batch again = batch("", kept);
    EXPECT_EQ(again.out, first.out);
    const Batch more = batch("4+", kept);
    EXPECT_EQ(more.out, first.out + "4.00+\r\n");
    EXPECT_EQ(batch("", kept).out, more.out);
}

TEST(BatchJournal, GarbageJournalIsReportedAndTheRunGoesOn) {
    TempDir dir;
    const std::string kept = (dir.path / "kept").string();
    std::filesystem::create_directories(kept);
    spit(journalPath(kept), std::string("\xff\xfe garbage\n\0\0\0", 14));
    const Batch r = batch("5+", kept);
    EXPECT_EQ(r.out, "5.00+\r\n");
    EXPECT_NE(r.err.find("Kept tape: "), std::string::npos);
}
