#include "NotesBook.h"

#include <algorithm>

#include "timedate/DateFormat.h"
#include "timedate/InputError.h"

namespace zorv::notes {

namespace {

constexpr timedate::YearRange kFileYears{1, 9999};
constexpr std::size_t kSnippetBefore = 30;
constexpr std::size_t kSnippetAfter = 50;

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Reads "[YYYY-MM-DD]"'s date; throws InputError saying what is wrong.
Date sectionDate(std::string_view name) {
    const timedate::DateFormat iso;
    const Date date = iso.parse(name, kFileYears);
    if (name.size() != 10) throw timedate::InputError("\"" + std::string(name) + "\" is not written YYYY-MM-DD.");
    return date;
}


}  // namespace

std::string NotesBook::note(Date date) const {
    const auto it = notes_.find(date.dayNumber());
    return it == notes_.end() ? std::string() : it->second;
}

bool NotesBook::setNote(Date date, std::string text) {
    const auto it = notes_.find(date.dayNumber());
    if (text.empty()) {
        if (it == notes_.end()) return false;
        notes_.erase(it);
        return true;
    }
    if (it != notes_.end() && it->second == text) return false;
    notes_[date.dayNumber()] = std::move(text);
    return true;
}

std::vector<Date> NotesBook::dates() const {
    std::vector<Date> out;
    out.reserve(notes_.size());
    for (const auto& [day, text] : notes_) out.push_back(Date::fromDayNumber(day));
    return out;
}

std::vector<int> NotesBook::daysWithNotes(int year, int month) const {
    std::vector<int> days;
    if (month < 1 || month > 12) return days;
    const Date first = Date::fromCivil(year, month, 1);
    const Date last = first.plusDays(timedate::daysInMonth(year, month) - 1);
    for (auto it = notes_.lower_bound(first.dayNumber()); it != notes_.end() && it->first <= last.dayNumber(); ++it)
        days.push_back(Date::fromDayNumber(it->first).day());
    return days;
}

std::optional<Date> NotesBook::nextNote(Date date) const {
    const auto it = notes_.upper_bound(date.dayNumber());
    if (it == notes_.end()) return std::nullopt;
    return Date::fromDayNumber(it->first);
}

std::optional<Date> NotesBook::previousNote(Date date) const {
    auto it = notes_.lower_bound(date.dayNumber());
    if (it == notes_.begin()) return std::nullopt;
    return Date::fromDayNumber(std::prev(it)->first);
}

std::vector<NoteHit> NotesBook::search(std::string_view query, std::size_t maxHits) const {
    std::vector<NoteHit> hits;
    if (query.empty()) return hits;
    const std::string needle = foldCase(query);
    for (const auto& [day, text] : notes_) {
        if (hits.size() >= maxHits) break;
        const std::string folded = foldCase(text);
        const std::size_t at = folded.find(needle);
        if (at == std::string::npos) continue;
        std::size_t from = at > kSnippetBefore ? at - kSnippetBefore : 0;
        while (from > 0 && isContinuation(text[from])) --from;
        std::size_t to = std::min(text.size(), at + needle.size() + kSnippetAfter);
        while (to < text.size() && isContinuation(text[to])) ++to;
        std::string snippet = (from > 0 ? "..." : "") + oneLine(std::string_view(text).substr(from, to - from)) +
                              (to < text.size() ? "..." : "");
        hits.push_back({Date::fromDayNumber(day), std::move(snippet)});
    }
    return hits;
}

std::string NotesBook::toText() const {
    std::string out = "# Zorv Advanced Calculator daily notes: one [YYYY-MM-DD] section per day,\n"
                      "# each Line= one line of the note (\\n \\r \\t \\0 \\\\ \\xHH escaped).\n";
    for (const auto& [day, text] : notes_) {
        out += "[" + Date::fromDayNumber(day).isoText() + "]\n";
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = text.find('\n', start);
            const std::string_view line =
                std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start);
            out += "Line=" + escapeValue(line) + "\n";
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    return out;
}

std::string NotesLoad::report(std::string_view fileName) const { return loadReport(error, fileName, skipped); }

NotesLoad parseNotes(std::string_view text) {
    NotesLoad load;
    const std::vector<std::string_view> lines = fileLines(text);

    // The section being read: its date and lines, or skipping a bad one.
    enum class State { Outside, InSection, Skipping } state = State::Outside;
    long long day = 0;
    std::vector<std::string> noteLines;
    std::map<long long, int> sectionLine;  // day -> the line of its section, to name duplicates
    const auto finish = [&] {
        if (state != State::InSection || noteLines.empty()) return;
        std::string note;
        for (std::size_t i = 0; i < noteLines.size(); ++i) note += (i ? "\n" : "") + noteLines[i];
        load.book.setNote(Date::fromDayNumber(day), std::move(note));
    };
    const auto skip = [&](int line, std::string reason) { load.skipped.push_back({line, std::move(reason)}); };

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::string_view line = lines[i];
        const FileLine kind = classifyLine(line);
        if (kind.kind == FileLine::Kind::Nothing) continue;
        if (kind.kind == FileLine::Kind::Section) {
            finish();
            noteLines.clear();
            const std::string_view name = kind.sectionName;
            try {
                const Date date = sectionDate(name);
                const auto [earlier, added] = sectionLine.emplace(date.dayNumber(), lineNumber);
                if (!added) {
                    skip(lineNumber, date.isoText() + " already has a section on line " +
                                         std::to_string(earlier->second) + "; this one is not read");
                    state = State::Skipping;
                    continue;
                }
                day = date.dayNumber();
                state = State::InSection;
            } catch (const timedate::InputError& e) {
                skip(lineNumber, withoutFinalStop(e.what()) + "; the section is not read");
                state = State::Skipping;
            }
            continue;
        }
        if (state == State::Skipping) continue;  // reported with its header
        const std::size_t eq = line.find('=');
        if (state == State::Outside) {
            skip(lineNumber, "outside any [YYYY-MM-DD] section");
            continue;
        }
        if (eq == std::string_view::npos) {
            skip(lineNumber, "not a Line= entry");
            continue;
        }
        const std::string_view key = trimBlanks(line.substr(0, eq));
        if (!equalsIgnoringCase(key, "Line")) {
            skip(lineNumber, "unknown key \"" + escapeValue(key.substr(0, 30)) + "\"");
            continue;
        }
        bool damaged = false;
        noteLines.push_back(unescapeValue(line.substr(eq + 1), &damaged));
        if (damaged) skip(lineNumber, "a backslash not followed by n, r, t, 0, \\ or xHH was kept as it is");
    }
    finish();
    return load;
}

NotesLoad readNotesFile(const std::filesystem::path& path) {
    return readFileWith(path, kMaxNotesFileBytes, "The notes were not loaded: ", parseNotes);
}

std::string oneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += " | ";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string foldCase(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') { out[i] = static_cast<char>(c + 32); continue; }
        if (c < 0xC0 || i + 1 >= out.size() || !isContinuation(out[i + 1])) continue;
        // Two-byte letters; each lower-case form is two bytes as well.
        unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(out[i + 1]) & 0x3Fu);
        unsigned lower = cp;
        if (c >= 0xE0) continue;  // three- and four-byte sequences are kept
        if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) lower = cp + 0x20;
        else if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177)) lower = cp | 1;
        else if (cp >= 0x139 && cp <= 0x148 && (cp & 1)) lower = cp + 1;
        else if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) lower = cp + 0x20;
        else if (cp >= 0x410 && cp <= 0x42F) lower = cp + 0x20;
        else if (cp >= 0x400 && cp <= 0x40F) lower = cp + 0x50;
        if (lower != cp) {
            out[i] = static_cast<char>(0xC0 | (lower >> 6));
            out[i + 1] = static_cast<char>(0x80 | (lower & 0x3F));
        }
        ++i;
    }
    return out;
}

}  // namespace zorv::notes
