#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::shell {

// The text of an INI file as the user wrote it, with its values readable and
// changeable. Every line is kept as it was: comments, blank lines, the order
// and spelling of keys, sections that are not ours and lines that are not
// understood at all. Changing a value rewrites only that value's line; a new
// key goes at the end of its section, a new section at the end of the file.
//
// Files written by earlier versions of the program are read too: key and
// section names escaped with "%XX" ("Save%20Memory"), values quoted and
// escaped with backslashes (sDecimal=","), "@@" for a leading "@". A value
// that needs it is written in that same form, so it reads back unchanged in
// either version. A ";" inside a value is part of the value.
class IniDocument {
public:
    // Keys before the first section header belong to this section.
    static constexpr std::string_view kGeneralSection = "General";

    static IniDocument parse(std::string_view text);

    // Whether the text reads as an INI file: text (no NUL bytes) whose lines
    // are mostly section headers and "key=value" lines, with at least one
    // section, or nothing but blank lines and comments.
    bool readsAsIni() const;

    // The last value of `key` in `section` (names compared after unescaping).
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Sets a value; false when it already had that value and nothing changed.
    bool set(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;

    // The stored form of a value and back, as described above.
    static std::string encodeValue(std::string_view value);
    static std::string decodeValue(std::string_view stored);
    // A key or section name as stored and back: "%XX" for what would break
    // the line, spaces kept as they are.
    static std::string encodeName(std::string_view name);
    static std::string decodeName(std::string_view stored);

private:
    enum class Kind { Blank, Comment, Section, Entry, Other };
    struct Line {
        std::string text;  // without its line end
        std::string end;   // "\r\n", "\n", "\r" or "" for a last line without one
        Kind kind = Kind::Other;
        std::string section;    // the section this line is in (its name, for a header)
        std::string key;        // Entry: the unescaped key
        std::size_t valueAt = 0;  // Entry: where the value's text starts in `text`
    };

    std::optional<std::size_t> findEntry(std::string_view section, std::string_view key) const;

    std::string bom_;
    std::string newline_ = "\n";
    bool hasNul_ = false;
    std::vector<Line> lines_;
};

}  // namespace zorv::shell
