#include "TapeJournal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <algorithm>

#include "engine/AtomicFile.h"
#include "engine/CalculatorModel.h"
#include "engine/RegularFile.h"
#include "engine/TapeNumber.h"
#include "journal/TapeHistory.h"

namespace zorv::journal {

namespace {

// The largest journal that is read at start; a tape over the tape file
// limit cannot be saved either, so this leaves ample room.
constexpr std::size_t kMaxJournalSize = 256 * 1024 * 1024;
constexpr auto kFlushAfter = std::chrono::seconds(1);

bool parseNumber(std::string_view text, std::uint64_t& out) {
    if (text.empty() || text.size() > 12) return false;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

struct Header {
    char kind = 0;
    int item = 0;
    bool unlocked = false;
    std::size_t length = 0;
};

// "<kind> <item> <unlocked> <length>"
std::optional<Header> parseHeader(std::string_view line) {
    if (line.size() < 7 || line[0] < 'A' || line[0] > 'Z' || line[1] != ' ') return std::nullopt;
    Header h;
    h.kind = line[0];
    line.remove_prefix(2);
    const auto sp1 = line.find(' ');
    if (sp1 == std::string_view::npos) return std::nullopt;
    std::uint64_t item = 0;
    if (!parseNumber(line.substr(0, sp1), item) || item > 1'000'000'000) return std::nullopt;
    line.remove_prefix(sp1 + 1);
    if (line.size() < 3 || (line[0] != '0' && line[0] != '1') || line[1] != ' ') return std::nullopt;
    h.unlocked = line[0] == '1';
    std::uint64_t length = 0;
    if (!parseNumber(line.substr(2), length)) return std::nullopt;
    h.item = static_cast<int>(item);
    h.length = static_cast<std::size_t>(length);
    return h;
}

// The calculation number and operator of an E payload, without reading
// its amounts.
std::optional<std::pair<std::uint64_t, char>> entryChain(std::string_view payload) {
    const auto a = payload.find(' ');
    if (a == std::string_view::npos) return std::nullopt;
    const auto b = payload.find(' ', a + 1);
    if (b == std::string_view::npos) return std::nullopt;
    std::uint64_t chain = 0;
    if (!parseNumber(payload.substr(a + 1, b - a - 1), chain)) return std::nullopt;
    auto at = b;
    for (int i = 0; i < 2 && at != std::string_view::npos; ++i) at = payload.find(' ', at + 1);
    if (at == std::string_view::npos || at + 1 >= payload.size()) return std::nullopt;
    return std::make_pair(chain, payload[at + 1]);
}

bool recordFitsText(const TapeState& state) {
    if (state.entries.empty()) return true;
    const auto lines = static_cast<std::size_t>(std::count(state.text.begin(), state.text.end(), '\n'));
    std::size_t previous = 0;
    int chain = 0;
    for (std::size_t i = 0; i < state.entries.size(); ++i) {
        const auto& e = state.entries[i];
        if (e.line >= lines || (i > 0 && e.line <= previous) || e.chain < chain) return false;
        previous = e.line;
        chain = e.chain;
    }
    return true;
}

std::string bytesText(std::size_t n) { return n == 1 ? "1 byte" : std::to_string(n) + " bytes"; }

}  // namespace

// ---------------------------------------------------------------------------
// The file format

std::string journalHeader() {
    return std::string(kJournalMagic) + " " + std::to_string(kJournalVersion) + "\n";
}

std::string journalRecord(char kind, const TapeState& after, std::string_view payload) {
    std::string out;
    out.reserve(payload.size() + 24);
    out += kind;
    out += ' ';
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, after.item);
    out.append(buf, r.ptr);
    out += after.unlocked ? " 1 " : " 0 ";
    r = std::to_chars(buf, buf + sizeof buf, payload.size());
    out.append(buf, r.ptr);
    out += '\n';
    out.append(payload);
    out += '\n';
    return out;
}

std::string entryPayload(const engine::TapeEntry& e) {
    std::string out;
    out.reserve(48 + e.was.size());
    char buf[24];
    auto number = [&](std::uint64_t n) {
        const auto r = std::to_chars(buf, buf + sizeof buf, n);
        out.append(buf, r.ptr);
        out += ' ';
    };
    number(e.line);
    number(static_cast<std::uint64_t>(e.chain < 0 ? 0 : e.chain));
    number(static_cast<std::uint64_t>(e.item < 0 ? 0 : e.item));
    number((e.itemShown ? 1u : 0u) | (e.voided ? 2u : 0u));
    out += e.op;
    out += ' ';
    out += e.amount.toString(".");
    out += ' ';
    out += e.total.toString(".");
    if (!e.was.empty()) {
        out += ' ';
        out += e.was;
    }
    return out;
}

std::optional<engine::TapeEntry> parseEntryPayload(std::string_view payload) {
    std::string_view fields[7];
    for (int i = 0; i < 7; ++i) {
        const auto sp = payload.find(' ');
        fields[i] = payload.substr(0, sp);
        payload = sp == std::string_view::npos ? std::string_view() : payload.substr(sp + 1);
        if (sp == std::string_view::npos && i < 6) return std::nullopt;
    }
    engine::TapeEntry e;
    std::uint64_t line = 0, chain = 0, item = 0, flags = 0;
    if (!parseNumber(fields[0], line) || !parseNumber(fields[1], chain) || !parseNumber(fields[2], item) ||
        !parseNumber(fields[3], flags) || flags > 3 || chain > 1'000'000'000 || item > 1'000'000'000)
        return std::nullopt;
    if (fields[4].size() != 1 || std::string_view("+-X/=%").find(fields[4][0]) == std::string_view::npos)
        return std::nullopt;
    try {
        e.amount = engine::Decimal::parse(fields[5]);
        e.total = engine::Decimal::parse(fields[6]);
    } catch (const engine::DecimalError&) {
        return std::nullopt;
    }
    e.line = static_cast<std::size_t>(line);
    e.chain = static_cast<int>(chain);
    e.item = static_cast<int>(item);
    e.itemShown = (flags & 1) != 0;
    e.voided = (flags & 2) != 0;
    e.op = fields[4][0];
    e.was.assign(payload);
    return e;
}

std::string chainPayload(const engine::CalculatorModel::ChainState& c) {
    return std::to_string(c.numOps) + " " + (c.entryState.empty() ? "-" : c.entryState) + " " +
           (c.opFlag.empty() || c.opFlag == " " ? "_" : c.opFlag) + " " + c.runningTotal.toString(".") + "\n" +
           c.readout + "\n" + c.magicNumber;
}

std::optional<engine::CalculatorModel::ChainState> parseChainPayload(std::string_view payload) {
    const auto nl1 = payload.find('\n');
    if (nl1 == std::string_view::npos) return std::nullopt;
    const auto nl2 = payload.find('\n', nl1 + 1);
    if (nl2 == std::string_view::npos) return std::nullopt;
    std::string_view head = payload.substr(0, nl1);
    std::string_view fields[4];
    for (int i = 0; i < 4; ++i) {
        const auto sp = head.find(' ');
        if ((sp == std::string_view::npos) != (i == 3)) return std::nullopt;
        fields[i] = head.substr(0, sp);
        head = sp == std::string_view::npos ? std::string_view() : head.substr(sp + 1);
    }
    engine::CalculatorModel::ChainState c;
    std::uint64_t numOps = 0;
    if (!parseNumber(fields[0], numOps) || numOps > 2) return std::nullopt;
    c.numOps = static_cast<int>(numOps);
    static constexpr std::string_view kStates[] = {"NONE", "NUMS", "OPS", "NEG", "CE"};
    if (std::find(std::begin(kStates), std::end(kStates), fields[1]) == std::end(kStates)) return std::nullopt;
    c.entryState.assign(fields[1]);
    if (fields[2] == "_") c.opFlag = " ";
    else if (fields[2].size() == 1 && std::string_view("+-X/=%").find(fields[2][0]) != std::string_view::npos)
        c.opFlag.assign(fields[2]);
    else return std::nullopt;
    try {
        c.runningTotal = engine::Decimal::parse(fields[3]);
    } catch (const engine::DecimalError&) {
        return std::nullopt;
    }
    c.readout.assign(payload.substr(nl1 + 1, nl2 - nl1 - 1));
    c.magicNumber.assign(payload.substr(nl2 + 1));
    if (c.readout.empty() || c.readout.size() > 80 || c.magicNumber.size() > 80) return std::nullopt;
    return c;
}

std::string journalSnapshot(const TapeState& state) {
    std::string out = journalHeader() + journalRecord('S', state, state.text);
    for (const auto& e : state.entries) out += journalRecord('E', state, entryPayload(e));
    if (!state.entries.empty() && !state.chainOpen) out += journalRecord('B', state, {});
    if (state.chain) out += journalRecord('K', state, chainPayload(*state.chain));
    return out;
}

JournalRead readJournal(std::string_view bytes) {
    JournalRead out;
    std::size_t pos = 0;
    // The first line names the format and its version.
    const auto firstEnd = bytes.find('\n');
    const std::string_view first = bytes.substr(0, firstEnd == std::string_view::npos ? bytes.size() : firstEnd);
    if (first.starts_with(kJournalMagic) && first.size() > kJournalMagic.size() + 1 &&
        first[kJournalMagic.size()] == ' ') {
        std::uint64_t version = 0;
        if (parseNumber(first.substr(kJournalMagic.size() + 1), version) && version > kJournalVersion) {
            out.newerVersion = true;
            out.skipped.push_back("The kept tape was written by a newer version (format " +
                                  std::to_string(version) + "); what this version knows of it was read.");
        }
        pos = firstEnd == std::string_view::npos ? bytes.size() : firstEnd + 1;
    } else if (!bytes.empty()) {
        out.skipped.push_back("The kept tape does not start as a tape journal.");
    }

    std::size_t garbage = 0;
    std::size_t unknown = 0;
    std::size_t badEntries = 0;
    std::vector<std::pair<std::uint64_t, std::string_view>> entryPayloads;  // of the last calculation
    while (pos < bytes.size()) {
        const auto lineEnd = bytes.find('\n', pos);
        if (lineEnd == std::string_view::npos) {
            out.skipped.push_back("The last record was cut short (" + bytesText(bytes.size() - pos) + " skipped).");
            break;
        }
        const auto header = parseHeader(bytes.substr(pos, lineEnd - pos));
        if (!header) {
            garbage += lineEnd + 1 - pos;
            pos = lineEnd + 1;
            continue;
        }
        const std::size_t start = lineEnd + 1;
        if (header->length > bytes.size() - start) {
            out.skipped.push_back("The last record was cut short (" + bytesText(bytes.size() - pos) + " skipped).");
            break;
        }
        if (start + header->length >= bytes.size() || bytes[start + header->length] != '\n') {
            // The length does not fit what follows: a damaged header, or
            // the last record lost its closing line feed.
            if (start + header->length == bytes.size()) {
                out.skipped.push_back("The last record was cut short (" + bytesText(bytes.size() - pos) + " skipped).");
                break;
            }
            garbage += lineEnd + 1 - pos;
            pos = lineEnd + 1;
            continue;
        }
        const std::string_view payload = bytes.substr(start, header->length);
        pos = start + header->length + 1;
        switch (header->kind) {
        case 'S':
            out.state.text.assign(payload);
            entryPayloads.clear();
            out.state.chainOpen = false;
            break;
        case 'A':
            out.state.text.append(payload);
            break;
        case 'L': break;
        case 'E': {
            // Only the last calculation's entries are read in full (below):
            // they are all a correction can reach.
            const auto chain = entryChain(payload);
            if (!chain) {
                ++badEntries;
                break;
            }
            if (!entryPayloads.empty() && chain->first != entryPayloads.back().first) entryPayloads.clear();
            entryPayloads.push_back({chain->first, payload});
            out.state.chainOpen = chain->second != '=';
            break;
        }
        case 'B': out.state.chainOpen = false; break;
        case 'K':
            if (auto c = parseChainPayload(payload)) out.state.chain = std::move(*c);
            break;
        default: ++unknown; continue;
        }
        out.state.item = header->item;
        out.state.unlocked = header->unlocked;
    }
    if (garbage > 0) out.skipped.push_back(bytesText(garbage) + " of unreadable text were skipped.");
    // The record must stand on the text's lines in order; one that does
    // not (an entry lost, a hand-edited file) is dropped whole, and
    // corrections then read the text.
    for (const auto& [chain, payload] : entryPayloads) {
        if (auto e = parseEntryPayload(payload)) out.state.entries.push_back(std::move(*e));
        else ++badEntries;
    }
    if (badEntries > 0 || !recordFitsText(out.state)) {
        if (!out.state.entries.empty() || badEntries > 0)
            out.skipped.push_back("The record of entries beside the tape could not be read; corrections will read the tape's text.");
        out.state.entries.clear();
        out.state.chainOpen = false;
    }
    if (unknown > 0)
        out.skipped.push_back(std::to_string(unknown) + (unknown == 1 ? " record" : " records") +
                              " of an unknown kind were skipped.");
    return out;
}

// ---------------------------------------------------------------------------
// The writer

JournalWriter::~JournalWriter() {
    flush();
    close();
}

bool JournalWriter::open() {
    if (fd_ >= 0) return true;
    fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    return fd_ >= 0;
}

void JournalWriter::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::optional<std::string> JournalWriter::rewrite(std::string_view contents) {
    pending_.clear();
    close();
    if (auto failure = engine::atomicfile::write(path_, contents)) return failure;
    if (!open()) return std::string(std::strerror(errno));
    return std::nullopt;
}

std::optional<std::string> JournalWriter::flush() {
    if (pending_.empty()) return std::nullopt;
    if (!open()) return std::string(std::strerror(errno));
    std::size_t done = 0;
    while (done < pending_.size()) {
        const ssize_t n = ::write(fd_, pending_.data() + done, pending_.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            pending_.erase(0, done);
            return std::string(std::strerror(e));
        }
        done += static_cast<std::size_t>(n);
    }
    pending_.clear();
    return std::nullopt;
}

std::string journalPath(const std::string& folder) { return folder + "/" + std::string(kJournalFileName); }
std::string historyFolder(const std::string& folder) { return folder + "/" + std::string(kHistoryFolderName); }

// ---------------------------------------------------------------------------
// The model's tape in the journal

TapeJournal::TapeJournal(engine::CalculatorModel& model, Options options)
    : model_(model), options_(std::move(options)), writer_(journalPath(options_.folder)) {}

TapeJournal::~TapeJournal() {
    if (started_) {
        recordLockIfChanged();
        flush();
        model_.tape().removeListener(tapeListener_);
        model_.onClear = previousOnClear_;
    }
}

TapeState TapeJournal::current() const {
    TapeState s;
    s.item = model_.tapeItem();
    s.unlocked = model_.tapeUnlocked;
    return s;
}

void TapeJournal::problem(const std::string& text) {
    if (problemShown_) return;
    problemShown_ = true;
    if (reportProblem) reportProblem("The tape could not be kept in\r\n" + writer_.path() + "\r\n" + text);
}

std::vector<std::string> TapeJournal::start() {
    std::vector<std::string> notes;
    std::error_code ec;
    std::filesystem::create_directories(options_.folder, ec);
    engine::FileRead file = engine::readRegularFile(writer_.path(), kMaxJournalSize);
    TapeState state;
    if (file.ok()) {
        JournalRead r = readJournal(file.text);
        state = std::move(r.state);
        notes = std::move(r.skipped);
        if (!notes.empty()) {
            // The damaged journal stays beside the new one, for a closer look.
            engine::atomicfile::write(writer_.path() + ".damaged", file.text);
        }
    } else if (file.failure != engine::FileRead::Failure::Missing) {
        notes.push_back("The kept tape could not be read: " + file.reason);
    }

    if (options_.keepBetweenRuns) {
        model_.tape().replace(state.text, std::move(state.entries), state.chainOpen);
        model_.restoreTapeItem(state.item);
        if (state.chain) model_.restoreChainState(*state.chain);
        restoredUnlocked_ = state.unlocked;
    } else if (!state.text.empty()) {
        std::string reason;
        if (!archive(state.text, &reason)) notes.push_back("The last tape could not be put in the history: " + reason);
    }
    shadow_ = model_.tape().text();
    // C posts its banner (written at once, as a total is) before it resets
    // the calculation; the reset state is written when C is done, so a
    // kill right after C does not bring the cleared chain back.
    previousOnClear_ = model_.onClear;
    model_.onClear = [this] {
        if (previousOnClear_) previousOnClear_();
        flush();
    };
    tapeListener_ = model_.tape().addListener(
        [this](std::string_view text, bool replaced) { onTapeChange(text, replaced); });
    started_ = true;
    lastUnlocked_ = restoredUnlocked_;
    // The file read back whole, in this version's format, and the tape is
    // what it holds: records appended to it replay onto the same tape, so
    // the rewrite can wait. Any other file (damaged, older or newer, a tape
    // not kept) is replaced now.
    const bool fileHoldsTape = file.ok() && notes.empty() && options_.keepBetweenRuns &&
                               std::string_view(file.text).starts_with(journalHeader());
    if (options_.compactLater && fileHoldsTape) {
        compactDue_ = true;
        lastChain_ = model_.chainState();
        return notes;
    }
    rewriteSnapshot();
    return notes;
}

void TapeJournal::compact() {
    if (!compactDue_) return;
    compactDue_ = false;
    rewriteSnapshot();  // the snapshot holds the records still pending too
}

void TapeJournal::rewriteSnapshot() {
    TapeState now = current();
    now.unlocked = lastUnlocked_;
    now.text = shadow_;
    now.entries = model_.tape().entries();
    now.chainOpen = model_.tape().chainOpen();
    now.chain = model_.chainState();
    lastChain_ = now.chain;
    if (const auto failure = writer_.rewrite(journalSnapshot(now))) problem(*failure);
}

std::optional<std::string> TapeJournal::archive(const std::string& text, std::string* reason) {
    const std::string folder = historyFolder(options_.folder);
    auto path = history::save(folder, text, options_.now(), reason);
    if (path) history::prune(folder, options_.historyLimit);
    return path;
}

void TapeJournal::onTapeChange(std::string_view text, bool replaced) {
    if (replaced) {
        if (text.empty() && !shadow_.empty()) {
            std::string reason;
            if (!archive(shadow_, &reason)) problem("The cleared tape could not be put in the history: " + reason);
        }
        shadow_.assign(text);
        lastUnlocked_ = model_.tapeUnlocked;
        compactDue_ = false;
        rewriteSnapshot();
        return;
    }
    shadow_.append(text);
    const bool wasEmpty = !writer_.hasPending();
    TapeState after = current();
    if (after.unlocked != lastUnlocked_) lastUnlocked_ = after.unlocked;
    writer_.add(journalRecord('A', after, text));
    if (model_.tape().lastWasEntry()) writer_.add(journalRecord('E', after, entryPayload(model_.tape().entries().back())));
    const auto now = std::chrono::steady_clock::now();
    if (wasEmpty) oldestPending_ = now;
    // A total (or the clear banner) goes to the file at once; other lines
    // at the latest a second later.
    if (text.find(engine::kTotalEnd) != std::string_view::npos || now - oldestPending_ >= kFlushAfter) flush();
}

void TapeJournal::recordLockIfChanged() {
    if (model_.tapeUnlocked == lastUnlocked_) return;
    lastUnlocked_ = model_.tapeUnlocked;
    if (!writer_.hasPending()) oldestPending_ = std::chrono::steady_clock::now();
    writer_.add(journalRecord('L', current(), {}));
    flush();
}

void TapeJournal::recordChainIfChanged() {
    engine::CalculatorModel::ChainState chain = model_.chainState();
    if (lastChain_ && *lastChain_ == chain) return;
    if (!writer_.hasPending()) oldestPending_ = std::chrono::steady_clock::now();
    writer_.add(journalRecord('K', current(), chainPayload(chain)));
    lastChain_ = std::move(chain);
}

void TapeJournal::tick() {
    if (!started_) return;
    recordLockIfChanged();
    recordChainIfChanged();
    if (writer_.hasPending() && std::chrono::steady_clock::now() - oldestPending_ >= kFlushAfter) flush();
}

void TapeJournal::flush() {
    if (started_) recordChainIfChanged();
    if (const auto failure = writer_.flush()) problem(*failure);
}

}  // namespace zorv::journal
