#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/Decimal.h"
#include "engine/NumberSymbols.h"

namespace zorv::notes {

// The pad's text with `addition` (the tape, or the tape's selection) added
// at the end on lines of its own: a line break is put in first when the pad
// does not end with one, and after the addition when it lacks one. Adding
// nothing changes nothing.
std::string appendToPad(std::string_view padText, std::string_view addition);

// The "Last File" setting holds the pad file's path; its default "*.txt"
// (or an empty value, or any name with a wildcard) means the pad has no file
// yet and "Save" asks for a name.
inline constexpr std::string_view kNoLastFile = "*.txt";
std::optional<std::filesystem::path> lastFileFromSetting(std::string_view setting);
std::string lastFileSetting(const std::optional<std::filesystem::path>& file);

// A number picked out of the pad's text for the readout.
struct PickedNumber {
    std::size_t start = 0;  // byte offsets in the text
    std::size_t end = 0;
    engine::Decimal value;
};

// The number at the cursor, or in the selection [selectionStart,
// selectionEnd) (equal for a bare cursor), else the nearest one on the
// cursor's line. Offsets are UTF-8 byte offsets. Numbers are written with
// the caller's decimal and thousands symbols: "-1,234.50", "0.5", ".5";
// thousands symbols only between groups of three digits (in "1,2" with ","
// for thousands, 1 and 2 are two numbers); a '-' right before the digits is
// a sign unless a letter or digit precedes it ("A-4" is 4). Nothing is
// found when the line has no number or its value does not fit the decimal
// type.
std::optional<PickedNumber> numberNear(std::string_view text, std::size_t selectionStart, std::size_t selectionEnd,
                                       const engine::NumberSymbols& symbols);

}  // namespace zorv::notes
