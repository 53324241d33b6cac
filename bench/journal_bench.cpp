// The kept tape's cost: keys typed with and without the journal recording
// them (the difference per key is what the journal adds), and the start-up
// restore of a 100,000-line tape (read, check, put on the tape, rewrite).
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/AtomicFile.h"
#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"
#include "journal/CorrectEntry.h"
#include "journal/TapeJournal.h"

using namespace zorv::engine;
using namespace zorv::journal;

namespace {

std::string tempFolder() {
    std::string t = (std::filesystem::temp_directory_path() / "zorv-bench-XXXXXX").string();
    return ::mkdtemp(t.data());
}

std::string keyColumn(std::size_t keys) {
    static const char* amounts[] = {"1234.56", "78.9", "10000", "0.05", "315.25", "42"};
    std::string s;
    std::size_t i = 0;
    while (s.size() < keys) {
        s += amounts[i % 6];
        s += (i % 10 == 9) ? "=" : "+";
        ++i;
    }
    s.resize(keys);
    return s;
}

void typeKeys(benchmark::State& state, bool withJournal) {
    constexpr std::size_t kKeys = 20000;
    const KeyScript script = parseKeyScript(keyColumn(kKeys));
    const std::string folder = tempFolder();
    for (auto _ : state) {
        ScriptedFeedback feedback;
        CalculatorModel model(feedback);
        std::unique_ptr<TapeJournal> journal;
        if (withJournal) {
            journal = std::make_unique<TapeJournal>(model, TapeJournal::Options{folder});
            journal->start();
        }
        runKeyScript(model, script, nullptr);
        if (journal) journal->flush();
        benchmark::DoNotOptimize(model.tape().size());
        state.PauseTiming();
        journal.reset();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kKeys));
    std::filesystem::remove_all(folder);
}

void BM_KeysWithoutJournal(benchmark::State& state) { typeKeys(state, false); }
void BM_KeysWithJournal(benchmark::State& state) { typeKeys(state, true); }

// A tape of 100,000 lines as the journal keeps it after a working day: the
// lines added one record each.
void BM_RestoreTape100kLines(benchmark::State& state) {
    const std::string folder = tempFolder();
    std::string journal = journalHeader();
    std::size_t lines = 0;
    int item = 0;
    while (lines < 100000) {
        const std::string line = std::to_string(1000 + lines % 9000) + ".25+\r\n";
        journal += journalRecord('A', {{}, ++item, false}, line);
        ++lines;
    }
    atomicfile::write(journalPath(folder), journal);
    std::size_t tapeBytes = 0;
    for (auto _ : state) {
        ScriptedFeedback feedback;
        CalculatorModel model(feedback);
        TapeJournal j(model, TapeJournal::Options{folder});
        j.start();
        tapeBytes = model.tape().size();
        benchmark::DoNotOptimize(tapeBytes);
    }
    state.counters["tape_bytes"] = static_cast<double>(tapeBytes);
    std::filesystem::remove_all(folder);
}

// The same 100,000 lines as operator entries: each A record followed by
// the E record of its entry, as the journal now writes them.
void BM_RestoreTape100kEntries(benchmark::State& state) {
    const std::string folder = tempFolder();
    std::string journal = journalHeader();
    int item = 0;
    Decimal total;
    for (std::size_t line = 0; line < 100000; ++line) {
        const Decimal amount = Decimal::parse(std::to_string(1000 + line % 9000) + ".25");
        total = total + amount;
        const TapeState after({}, ++item, false);
        journal += journalRecord('A', after, std::to_string(1000 + line % 9000) + ".25+\r\n");
        TapeEntry e;
        e.amount = amount;
        e.total = total;
        e.item = item;
        e.line = line;
        e.chain = 1;
        journal += journalRecord('E', after, entryPayload(e));
    }
    atomicfile::write(journalPath(folder), journal);
    std::size_t entries = 0;
    for (auto _ : state) {
        ScriptedFeedback feedback;
        CalculatorModel model(feedback);
        TapeJournal j(model, TapeJournal::Options{folder});
        j.start();
        entries = model.tape().entries().size();
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = static_cast<double>(entries);
    std::filesystem::remove_all(folder);
}

// Re-footing a calculation of 10,000 entries after its first is changed,
// from the record beside the text.
void BM_Refoot10kEntriesFromRecord(benchmark::State& state) {
    ScriptedFeedback feedback;
    CalculatorModel model(feedback);
    std::string keys;
    for (int i = 0; i < 10000; ++i) keys += std::to_string(100 + i % 900) + ".25" + (i == 9999 ? "=" : "+");
    runKeyScript(model, parseKeyScript(keys), nullptr);
    for (auto _ : state) {
        const CorrectionResult r = correctLastCalculation(model, model.tape(), {1, Decimal(5), std::nullopt});
        benchmark::DoNotOptimize(r.text.size());
    }
}

// Re-footing a calculation of 10,000 entries after its first is changed,
// reading the tape's text.
void BM_Refoot10kEntries(benchmark::State& state) {
    ScriptedFeedback feedback;
    CalculatorModel model(feedback);
    std::string keys;
    for (int i = 0; i < 10000; ++i) keys += std::to_string(100 + i % 900) + ".25" + (i == 9999 ? "=" : "+");
    runKeyScript(model, parseKeyScript(keys), nullptr);
    const std::string tape = model.tape().text();
    for (auto _ : state) {
        const CorrectionResult r = correctLastCalculation(model, tape, {1, Decimal(5), std::nullopt});
        benchmark::DoNotOptimize(r.text.size());
    }
}

}  // namespace

BENCHMARK(BM_Refoot10kEntries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Refoot10kEntriesFromRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RestoreTape100kEntries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeysWithoutJournal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeysWithJournal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RestoreTape100kLines)->Unit(benchmark::kMillisecond);
