#include "TapeJournal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

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

std::string journalSnapshot(const TapeState& state) {
    return journalHeader() + journalRecord('S', state, state.text);
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
        case 'S': out.state.text.assign(payload); break;
        case 'A': out.state.text.append(payload); break;
        case 'L': break;
        default: ++unknown; continue;
        }
        out.state.item = header->item;
        out.state.unlocked = header->unlocked;
    }
    if (garbage > 0) out.skipped.push_back(bytesText(garbage) + " of unreadable text were skipped.");
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
    }
}

TapeState TapeJournal::current() const {
    return TapeState{{}, model_.TapeItem(), model_.TapeUnlocked};
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
        model_.tape().setText(state.text);
        model_.restoreTapeItem(state.item);
        restoredUnlocked_ = state.unlocked;
    } else if (!state.text.empty()) {
        std::string reason;
        if (!archive(state.text, &reason)) notes.push_back("The last tape could not be put in the history: " + reason);
    }
    shadow_ = model_.tape().text();
    tapeListener_ = model_.tape().addListener(
        [this](std::string_view text, bool replaced) { onTapeChange(text, replaced); });
    started_ = true;
    TapeState now = current();
    now.unlocked = restoredUnlocked_;
    lastUnlocked_ = restoredUnlocked_;
    now.text = shadow_;
    if (const auto failure = writer_.rewrite(journalSnapshot(now))) problem(*failure);
    return notes;
}

void TapeJournal::rewriteSnapshot() {
    TapeState now = current();
    now.text = shadow_;
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
        lastUnlocked_ = model_.TapeUnlocked;
        rewriteSnapshot();
        return;
    }
    shadow_.append(text);
    const bool wasEmpty = !writer_.hasPending();
    TapeState after = current();
    if (after.unlocked != lastUnlocked_) lastUnlocked_ = after.unlocked;
    writer_.add(journalRecord('A', after, text));
    const auto now = std::chrono::steady_clock::now();
    if (wasEmpty) oldestPending_ = now;
    // A total (or the clear banner) goes to the file at once; other lines
    // at the latest a second later.
    if (text.find(engine::kTotalEnd) != std::string_view::npos || now - oldestPending_ >= kFlushAfter) flush();
}

void TapeJournal::recordLockIfChanged() {
    if (model_.TapeUnlocked == lastUnlocked_) return;
    lastUnlocked_ = model_.TapeUnlocked;
    if (!writer_.hasPending()) oldestPending_ = std::chrono::steady_clock::now();
    writer_.add(journalRecord('L', current(), {}));
    flush();
}

void TapeJournal::tick() {
    if (!started_) return;
    recordLockIfChanged();
    if (writer_.hasPending() && std::chrono::steady_clock::now() - oldestPending_ >= kFlushAfter) flush();
}

void TapeJournal::flush() {
    if (const auto failure = writer_.flush()) problem(*failure);
}

}  // namespace zorv::journal
