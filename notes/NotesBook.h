#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TextEscape.h"
#include "timedate/CivilDate.h"

namespace zorv::notes {

using timedate::Date;

// The daily notes file "zorvcalc.2do" in the data folder: UTF-8 text in INI
// form, one section per day that has a note, each line of the note one
// `Line=` entry whose value is escaped as TextEscape.h describes:
//
//     # Zorv Advanced Calculator daily notes
//     [2026-12-24]
//     Line=Buy the goose.
//     Line=Call Anna \\ Bert\tat 10
//     Line=
//     [2026-12-25]
//     Line=[not a section] a note line may look like anything
//
// The note is its lines joined with line breaks; the empty `Line=` above
// makes the first note end with a line break. Because every note line is a
// `Line=` entry and its value is escaped, no note can look like a section
// header, a comment or a key, and any text (any characters, NUL, CR, invalid
// UTF-8) comes back byte for byte. Days are written in date order.
//
// Reading: lines starting with '#' or ';' and blank lines are comments; key
// names ignore case and blanks around them; the value is everything after
// the first '=', untrimmed. CR LF line ends and a UTF-8 byte order mark are
// fine. A section whose date is not a real day (2026-02-30, year 0, not
// YYYY-MM-DD) is skipped with its lines; so is a day's second section; a
// line outside any section, without '=' or with an unknown key is skipped.
// Every skipped line is reported once and the rest is used. Dates are read
// within years 1..9999, not the calendar's Start/End Year, so changing those
// settings never drops notes from the file.
inline constexpr std::string_view kNotesFileName = "zorvcalc.2do";
// Larger files are not read (a diary of 50 years at 2 KB a day fits).
inline constexpr std::size_t kMaxNotesFileBytes = 32 * 1024 * 1024;

struct NoteHit {
    Date date;
    std::string snippet;  // the match with some context, on one line
};

class NotesBook {
public:
    // The day's note, empty when it has none.
    std::string note(Date date) const;
    bool hasNote(Date date) const { return notes_.count(date.dayNumber()) != 0; }
    // Sets the day's note; empty text deletes it. Returns whether anything
    // changed (the caller saves only then).
    bool setNote(Date date, std::string text);
    bool removeNote(Date date) { return setNote(date, {}); }

    std::size_t size() const { return notes_.size(); }
    bool empty() const { return notes_.empty(); }
    std::vector<Date> dates() const;

    // Days 1..31 of the month that have a note (shown bold), ascending.
    std::vector<int> daysWithNotes(int year, int month) const;
    // The nearest day after / before `date` with a note.
    std::optional<Date> nextNote(Date date) const;
    std::optional<Date> previousNote(Date date) const;

    // Notes containing `query`, ignoring case (ASCII, Latin-1, Latin
    // Extended-A, Greek and Cyrillic letters), in date order, one hit per
    // day, at most `maxHits`. An empty query finds nothing.
    std::vector<NoteHit> search(std::string_view query, std::size_t maxHits = 1000) const;

    // The file's text (see above). The caller writes it with the atomic
    // writer.
    std::string toText() const;

    friend bool operator==(const NotesBook&, const NotesBook&) = default;

private:
    std::map<long long, std::string> notes_;  // day number -> note, never empty
};

struct NotesLoad {
    NotesBook book;
    std::vector<SkippedLine> skipped;
    std::string error;  // the file as a whole was not read (not regular, too large, I/O)

    // False when something in the file was not loaded: the caller keeps a
    // copy of the old file (unreadCopyPath) before it first writes over it,
    // so nothing the reader could not understand is lost for good.
    bool complete() const { return skipped.empty() && error.empty(); }
    // One message for everything that went wrong, empty when nothing did.
    std::string report(std::string_view fileName = kNotesFileName) const;
};

NotesLoad parseNotes(std::string_view text);
// A missing file is an empty book without a report.
NotesLoad readNotesFile(const std::filesystem::path& path);

// Turns multi-line text into one line: each line break (LF, CR LF or CR)
// becomes " | ".
std::string oneLine(std::string_view text);

// Lower-cases the letters search ignores the case of; every byte sequence
// keeps its length, so offsets in the result are offsets in `text`.
std::string foldCase(std::string_view text);

}  // namespace zorv::notes
