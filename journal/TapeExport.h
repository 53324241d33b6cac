#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/NumberSymbols.h"

// The tape as rows for a spreadsheet, and the pasted columns that come back.
namespace zorv::journal {

// One row per entry of the tape: the item number (as marked on the tape,
// else counted within its calculation), the amount as a plain number, the
// operator, the running total after it; a note or banner line is a row
// with only its note.
struct TapeRow {
    std::string item;
    std::string amount;  // plain: "-1234.5", no grouping, "." as decimal point
    std::string op;      // "+", "-", "X", "/", "=", or the mark of a business key
    std::string total;
    std::string note;
};

// Reads the tape text (as the calculator writes it with `symbols`).
std::vector<TapeRow> tapeRows(const std::string& tapeText, const engine::NumberSymbols& symbols);

enum class ExportFormat { Csv, Tsv, Text };

// The file contents: CSV (RFC 4180, CR LF rows, a header row) or TSV with a
// header row; Text is the tape text unchanged. Notes that a spreadsheet
// would take for a formula (starting with = + - @) get a leading apostrophe.
std::string exportTape(const std::string& tapeText, const engine::NumberSymbols& symbols, ExportFormat format);

// Writes the export to `path` through the atomic writer, which refuses
// anything but a regular file. Returns the reason when it failed.
std::optional<std::string> writeExport(const std::string& path, const std::string& contents);

// A pasted column: one number a line. Blank lines are skipped. Each line may
// carry blanks, the locale's thousands and decimal symbols, a currency sign
// ($ € £ ¥ or the locale's), a sign in front or behind, or parentheses for a
// negative amount.
struct PastedColumn {
    std::vector<std::string> values;  // plain numbers, "." as decimal point
    std::string sum;                  // plain
    std::string error;                // "Line 3 is not a number: abc"; empty when all are numbers
};
PastedColumn readPastedColumn(const std::string& text, const engine::NumberSymbols& symbols);

}  // namespace zorv::journal
