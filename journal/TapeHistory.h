#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Old tapes: one plain tape file (CR LF lines, as Save Tape writes them) per
// cleared tape in the data folder's "Tape History" folder, named by the
// time it was put there: tape-YYYYMMDD-HHMMSS-NNN.txt, so that the names
// sort oldest first.
namespace zorv::journal::history {

// The largest history file that is read back.
inline constexpr std::size_t kMaxTapeSize = 64 * 1024 * 1024;

struct Entry {
    std::string path;
    std::string date;       // "2026-12-09 01:49:00", from the name
    std::string firstLine;  // first non-empty line
    std::string lastLine;   // last non-empty line
    std::size_t lines = 0;  // lines of the tape
    std::uint64_t bytes = 0;
};

// Saves `text` as a new history file of `folder` (the history folder,
// created when missing). Returns its path, or nullopt with `reason`.
std::optional<std::string> save(const std::string& folder, const std::string& text,
                                std::chrono::system_clock::time_point when, std::string* reason = nullptr);
// The history files, newest first.
std::vector<Entry> list(const std::string& folder);
// Reads one history file; nullopt with `reason` when it cannot be read.
std::optional<std::string> read(const std::string& path, std::string* reason = nullptr);
// Removes oldest files until the folder holds at most `limit` bytes; the
// newest file is always kept. Returns how many were removed.
int prune(const std::string& folder, std::uint64_t limit);
// Removes one history file; the reason when it failed.
std::optional<std::string> remove(const std::string& path);

struct Hit {
    std::string path;
    std::string date;
    std::size_t line = 0;  // 1-based
    std::string text;
};
// The lines of all history files holding `needle` (ignoring letter case),
// newest file first, at most `maxHits`.
std::vector<Hit> search(const std::string& folder, const std::string& needle, std::size_t maxHits = 1000);

// The lines of a tape text without their CR LF.
std::vector<std::string> splitLines(const std::string& text);

}  // namespace zorv::journal::history
