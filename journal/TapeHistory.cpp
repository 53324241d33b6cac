#include "TapeHistory.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "engine/AtomicFile.h"
#include "engine/RegularFile.h"

namespace zorv::journal::history {

namespace fs = std::filesystem;

namespace {

bool isHistoryName(const std::string& name) {
    // tape-YYYYMMDD-HHMMSS-NNN.txt
    if (name.size() != 28 || !name.starts_with("tape-") || !name.ends_with(".txt")) return false;
    for (std::size_t i = 5; i < 24; ++i) {
        const bool dash = i == 13 || i == 20;
        if (dash ? name[i] != '-' : (name[i] < '0' || name[i] > '9')) return false;
    }
    return true;
}

std::string dateOf(const std::string& name) {
    return name.substr(5, 4) + "-" + name.substr(9, 2) + "-" + name.substr(11, 2) + " " +
           name.substr(14, 2) + ":" + name.substr(16, 2) + ":" + name.substr(18, 2);
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool containsIgnoringCase(const std::string& text, const std::string& needle) {
    if (needle.empty()) return true;
    return std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                       [](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

// History file names, oldest first.
std::vector<std::string> names(const std::string& folder) {
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isHistoryName(name) && it->is_regular_file(ec)) out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

std::optional<std::string> save(const std::string& folder, const std::string& text,
                                std::chrono::system_clock::time_point when, std::string* reason) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    for (int n = 1; n < 1000; ++n) {
        char name[48];
        std::snprintf(name, sizeof name, "tape-%s-%03d.txt", stamp, n);
        const std::string path = folder + "/" + name;
        if (fs::exists(fs::symlink_status(path, ec))) continue;
        if (const auto failure = engine::atomicfile::write(path, text)) {
            if (reason) *reason = *failure;
            return std::nullopt;
        }
        return path;
    }
    if (reason) *reason = "Too many tapes were kept in the same second.";
    return std::nullopt;
}

std::optional<std::string> read(const std::string& path, std::string* reason) {
    engine::FileRead r = engine::readRegularFile(path, kMaxTapeSize);
    if (!r.ok()) {
        if (reason) *reason = r.reason;
        return std::nullopt;
    }
    return std::move(r.text);
}

std::vector<Entry> list(const std::string& folder) {
    std::vector<Entry> out;
    auto all = names(folder);
    std::reverse(all.begin(), all.end());
    for (const auto& name : all) {
        Entry e;
        e.path = folder + "/" + name;
        e.date = dateOf(name);
        const auto text = read(e.path);
        if (!text) continue;
        e.bytes = text->size();
        const auto lines = splitLines(*text);
        e.lines = lines.size();
        for (const auto& l : lines)
            if (l.find_first_not_of(' ') != std::string::npos) {
                e.firstLine = l;
                break;
            }
        for (auto it = lines.rbegin(); it != lines.rend(); ++it)
            if (it->find_first_not_of(' ') != std::string::npos) {
                e.lastLine = *it;
                break;
            }
        out.push_back(std::move(e));
    }
    return out;
}

int prune(const std::string& folder, std::uint64_t limit) {
    const auto all = names(folder);
    std::vector<std::uint64_t> sizes;
    std::uint64_t total = 0;
    std::error_code ec;
    for (const auto& name : all) {
        const auto size = fs::file_size(folder + "/" + name, ec);
        sizes.push_back(ec ? 0 : size);
        total += sizes.back();
    }
    int removed = 0;
    for (std::size_t i = 0; i + 1 < all.size() && total > limit; ++i) {
        if (fs::remove(folder + "/" + all[i], ec)) {
            total -= sizes[i];
            ++removed;
        }
    }
    return removed;
}

std::optional<std::string> remove(const std::string& path) {
    std::error_code ec;
    if (!fs::remove(path, ec)) return ec ? ec.message() : std::string("The tape was not found.");
    return std::nullopt;
}

std::vector<Hit> search(const std::string& folder, const std::string& needle, std::size_t maxHits) {
    std::vector<Hit> hits;
    auto all = names(folder);
    std::reverse(all.begin(), all.end());
    for (const auto& name : all) {
        const std::string path = folder + "/" + name;
        const auto text = read(path);
        if (!text || !containsIgnoringCase(*text, needle)) continue;
        const auto lines = splitLines(*text);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!containsIgnoringCase(lines[i], needle)) continue;
            hits.push_back({path, dateOf(name), i + 1, lines[i]});
            if (hits.size() >= maxHits) return hits;
        }
    }
    return hits;
}

}  // namespace zorv::journal::history
