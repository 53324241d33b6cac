#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::expr {

// A formula file could not be written; the file on disk is as it was.
class FormulaFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One line of a formula file: the name, a TAB, the formula text.
struct FormulaLine {
    std::string raw;  // the line as stored, without its line end

    // Trimmed text before the first TAB; empty for a line without a TAB.
    std::string name() const;
    // Trimmed text after the first TAB; the whole line when it has none.
    std::string text() const;
};

// A stored formula list (evalform.frm, consform.frm): plain text, one
// formula per line, name TAB text, lines ended by CR LF. There is no header
// and no escaping, so files written by earlier installations or by hand load
// as they are; a line may also end in a lone CR or LF.
//
// Every change goes through the atomic file writer, so an interrupted write
// leaves the old file whole.
class FormulaFile {
public:
    static constexpr std::string_view kExpressionFile = "evalform.frm";
    static constexpr std::string_view kConstructionFile = "consform.frm";

    explicit FormulaFile(std::filesystem::path path) : path_(std::move(path)) {}
    const std::filesystem::path& path() const { return path_; }

    // Formula lists are a few hundred lines; a bigger file is not one.
    static constexpr std::size_t kMaxSize = 4 * 1024 * 1024;

    // Creates the file empty when it does not exist; false when it cannot.
    bool ensureExists() const;

    struct Loaded {
        std::vector<FormulaLine> lines;
        std::string error;  // why the file could not be read; empty when it could
    };
    // The lines in file order. A missing file is created empty; a file that
    // is not a regular file (a pipe, a device, a folder), is too large or
    // cannot be read gives no lines and the reason.
    Loaded load() const;
    // load()'s lines alone.
    std::vector<FormulaLine> lines() const;
    // LoadFormulaNames: the trimmed name of every line, in file order.
    std::vector<std::string> names() const;
    // InsertFormula: the text of the last line whose trimmed name equals the
    // trimmed `name`, letter case ignored.
    std::optional<std::string> find(std::string_view name) const;
    // Whether a line other than `except` already uses `name` (trimmed,
    // letter case ignored, as find() compares).
    bool nameTaken(std::string_view name, std::optional<std::size_t> except = {}) const;

    // Appends a line; the existing lines stay byte for byte. Throws
    // FormulaFileError, also when the existing file cannot be read (it is
    // then left as it is, not replaced by the one new line).
    void add(std::string_view name, std::string_view text);
    // Rewrites the file with line `index` replaced / left out. Throws
    // FormulaFileError (also for an index past the end).
    void replace(std::size_t index, std::string_view name, std::string_view text);
    void remove(std::size_t index);

    // name TAB text, with what would break the line format (line ends, a TAB
    // in the name) turned into blanks.
    static std::string makeLine(std::string_view name, std::string_view text);

private:
    // The file's bytes; "" for a missing file; the reason in `error` when it
    // exists but cannot be read.
    std::string readAll(std::string& error) const;
    void replaceContent(const std::string& content) const;

    std::filesystem::path path_;
};

}  // namespace zorv::expr
