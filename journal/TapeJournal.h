#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CalculatorModel.h"
#include "engine/Tape.h"

namespace zorv::journal {

// The kept tape: what is needed to put it back exactly as it was.
struct TapeState {
    TapeState() = default;
    TapeState(std::string text, int item, bool unlocked) : text(std::move(text)), item(item), unlocked(unlocked) {}

    std::string text;       // the tape text, CR LF lines
    int item = 0;           // the item number the next entry follows
    bool unlocked = false;  // the tape was unlocked for editing
    // The record of entries beside the text, and whether the next entry
    // carries on its last calculation.
    std::vector<engine::TapeEntry> entries;
    bool chainOpen = false;
    // The calculation under way when the record was written.
    std::optional<engine::CalculatorModel::ChainState> chain;
};

// The journal file: a first line "ZORV-TAPE-JOURNAL <version>" and then
// records, each a header line "<kind> <item> <unlocked> <length>" followed
// by <length> bytes and a line feed. Kind S puts the whole text, A adds to
// its end, L only changes the lock state. Every record carries the item
// number and lock state as they stand after it, so the last good record
// tells both. Records are only ever added at the end of the file while the
// calculator runs; the file is rewritten (through the atomic writer) as one
// S record when the tape is replaced or cleared.
// From version 2 the record of entries and the calculation under way are
// kept too: E adds an entry to the record ("<line> <chain> <item> <flags>
// <op> <amount> <total>[ <was>]", flags 1 item shown, 2 void; it follows
// the A record of its line), B says the last calculation is closed (in a
// snapshot), K holds the calculation under way ("<operations>
// <entry state> <pending operator> <running total>", then the readout and
// the constant on lines of their own). S drops the record; a snapshot
// writes it again after its S. Reading keeps the entries of the last
// calculation only (the ones a correction can reach), so a restart with a
// long record stays quick.
inline constexpr std::string_view kJournalMagic = "ZORV-TAPE-JOURNAL";
inline constexpr int kJournalVersion = 2;
inline constexpr std::string_view kJournalFileName = "tape-journal.zjt";
inline constexpr std::string_view kHistoryFolderName = "Tape History";

struct JournalRead {
    TapeState state;
    // One line per part that was skipped: a cut record, garbage, records of
    // a kind this version does not know. Empty when all of it was read.
    std::vector<std::string> skipped;
    bool newerVersion = false;
};

// Reads journal bytes; never fails: what cannot be read is skipped and
// said in `skipped`.
JournalRead readJournal(std::string_view bytes);

std::string journalHeader();
std::string journalRecord(char kind, const TapeState& after, std::string_view payload);
// The payloads of E and K records, and back.
std::string entryPayload(const engine::TapeEntry& entry);
std::optional<engine::TapeEntry> parseEntryPayload(std::string_view payload);
std::string chainPayload(const engine::CalculatorModel::ChainState& chain);
std::optional<engine::CalculatorModel::ChainState> parseChainPayload(std::string_view payload);
// The whole journal of one tape state: header and one S record.
std::string journalSnapshot(const TapeState& state);

// Appends records to the journal file through a descriptor kept open in
// append mode. Records collect in memory and go to the file at flush(),
// which the owner calls at each total and at most a second after the
// oldest record not yet written; there is no fsync per key, so the system
// keeps what was written even when the program is killed.
class JournalWriter {
public:
    explicit JournalWriter(std::string path) : path_(std::move(path)) {}
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    const std::string& path() const { return path_; }
    // Replaces the file with `contents` through the atomic writer and opens
    // it again for appending. Returns the reason when it failed.
    std::optional<std::string> rewrite(std::string_view contents);
    void add(std::string_view record) { pending_.append(record); }
    bool hasPending() const { return !pending_.empty(); }
    // Writes what is pending; returns the reason when it failed (the
    // records are then kept and tried again at the next flush).
    std::optional<std::string> flush();

private:
    bool open();
    void close();

    std::string path_;
    std::string pending_;
    int fd_ = -1;
};

// Where the journal and the history live in a data folder.
std::string journalPath(const std::string& folder);
std::string historyFolder(const std::string& folder);

// Keeps the model's tape in the journal of `folder`: every change of the
// tape becomes a record, a cleared tape goes to the history first.
class TapeJournal {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    struct Options {
        std::string folder;             // the data folder
        bool keepBetweenRuns = true;    // restore the kept tape at start
        std::uint64_t historyLimit = 50ull * 1024 * 1024;  // bytes of old tapes kept
        Clock now = [] { return std::chrono::system_clock::now(); };
        // At start a journal that reads back whole is kept as it is and new
        // records go after it; the synced rewrite to one snapshot waits for
        // compact(). The window starts so: the rewrite would otherwise delay
        // its first paint. Without it the rewrite is done at start.
        bool compactLater = false;
    };

    TapeJournal(engine::CalculatorModel& model, Options options);
    ~TapeJournal();
    TapeJournal(const TapeJournal&) = delete;
    TapeJournal& operator=(const TapeJournal&) = delete;

    // Reads the kept tape and puts it on the model (or, when it is not to
    // be kept, moves it to the history), then starts recording. Returns
    // what could not be read, one line each, for a message; empty when all
    // went well.
    std::vector<std::string> start();
    // Rewrites the journal as one snapshot of the tape if start() left that
    // for later (Options::compactLater); nothing otherwise.
    void compact();
    // The restored lock state, for the window to apply.
    bool restoredUnlocked() const { return restoredUnlocked_; }

    // Called about once a second by the window: writes records older than
    // a second and notes a change of the lock state.
    void tick();
    // Writes everything pending now (at exit, at the end of a batch run).
    void flush();

    // The history of old tapes: saves a tape there as a new file, named by
    // the time; returns its path, or nullopt with `reason`.
    std::optional<std::string> archive(const std::string& text, std::string* reason = nullptr);

    // Problems met while writing (shown once by the caller).
    std::function<void(const std::string&)> reportProblem;

    const std::string& folder() const { return options_.folder; }
    std::uint64_t historyLimit() const { return options_.historyLimit; }
    void setHistoryLimit(std::uint64_t bytes) { options_.historyLimit = bytes; }
    void setKeepBetweenRuns(bool keep) { options_.keepBetweenRuns = keep; }

private:
    void onTapeChange(std::string_view text, bool replaced);
    void recordLockIfChanged();
    void recordChainIfChanged();
    void rewriteSnapshot();
    void problem(const std::string& text);
    TapeState current() const;

    engine::CalculatorModel& model_;
    Options options_;
    JournalWriter writer_;
    std::string shadow_;  // the tape text as last recorded, for the history at a clear
    bool lastUnlocked_ = false;
    std::optional<engine::CalculatorModel::ChainState> lastChain_;
    bool restoredUnlocked_ = false;
    bool started_ = false;
    bool compactDue_ = false;
    bool problemShown_ = false;
    std::chrono::steady_clock::time_point oldestPending_{};
    std::function<void()> previousOnClear_;
    int tapeListener_ = 0;
};

}  // namespace zorv::journal
