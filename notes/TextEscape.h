#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::notes {

// Values in the notes and alarm files are written on one line each, so that
// no text a person types can break the file's structure:
//
//     \\  a backslash           \n  a line break (LF)      \r  a carriage return
//     \t  a tab                 \0  a NUL byte             \xHH  any other byte
//
// Control characters, DEL and bytes that are not part of valid UTF-8 are
// written as \xHH, so a value keeps its exact bytes, invalid UTF-8 included.
// Valid UTF-8 (any language, emoji) is written as it is.
std::string escapeValue(std::string_view raw);

// Reverses escapeValue. A backslash before anything else, or a \x not
// followed by two hex digits, is kept literally and `damaged` is set, so a
// hand-edited value still loads.
std::string unescapeValue(std::string_view escaped, bool* damaged = nullptr);

// A line that could not be used, with the reason, 1-based.
struct SkippedLine {
    int line = 0;
    std::string reason;
};

// "zorvcalc.2do: 2 lines skipped: line 3: ...; line 7: ..." (empty when
// nothing was skipped), at most five lines spelt out ("; and 3 more.").
std::string skippedReport(std::string_view fileName, const std::vector<SkippedLine>& skipped);

// What reading a file from disk gave.
struct FileText {
    bool exists = false;   // false: no file yet (not an error)
    std::string text;      // the whole file when `error` is empty
    std::string error;     // why it was not read: not a regular file, too large, I/O error
};

// Reads a file only when it is a regular file, opened without blocking and
// never following it into a FIFO or device, and at most `maxBytes` long.
// `shownName` names the file in messages.
FileText readRegularFile(const std::filesystem::path& path, std::size_t maxBytes, std::string_view shownName);

// Where the old file is kept before the first save over a file that was not
// loaded completely: "zorvcalc.2do" -> "zorvcalc.2do.unread".
std::filesystem::path unreadCopyPath(const std::filesystem::path& file);

// Splits into lines at LF; a CR before the LF (a file edited on another
// system) is dropped. A final line without LF counts; an empty text has none.
std::vector<std::string_view> splitLines(std::string_view text);

// The lines of a notes or alarms file's text, a UTF-8 byte order mark (left
// by some editors) dropped first.
std::vector<std::string_view> fileLines(std::string_view text);

// A line of a notes or alarms file as the readers take it: nothing to read
// (blank, or a comment starting with # or ;), a section header "[name]"
// with its name trimmed, or a line of the current section.
struct FileLine {
    enum class Kind { Nothing, Section, Entry } kind;
    std::string_view sectionName;  // for a section header
};
FileLine classifyLine(std::string_view line);

// The report of a file's load: why the whole file was not read, else the
// lines skipped (empty when nothing went wrong).
std::string loadReport(const std::string& error, std::string_view fileName, const std::vector<SkippedLine>& skipped);

// Reads a notes or alarms file from disk and parses it: a file that cannot
// be read at all (not regular, too large, I/O) gives an empty load whose
// error is `notLoaded` followed by the reason; a missing file parses as empty.
template <class Load>
Load readFileWith(const std::filesystem::path& path, std::size_t maxBytes, std::string_view notLoaded,
                  Load (*parse)(std::string_view)) {
    const FileText file = readRegularFile(path, maxBytes, path.string());
    if (!file.error.empty()) {
        Load load;
        load.error = std::string(notLoaded) + file.error;
        return load;
    }
    return parse(file.text);
}

// A reason without its final full stop, for joining into a longer message.
std::string withoutFinalStop(std::string reason);

std::string_view trimBlanks(std::string_view s);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zorv::notes
