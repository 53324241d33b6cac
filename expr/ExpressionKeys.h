#pragma once

#include <string>
#include <string_view>

namespace zorv::expr {

// What one typed character does in the evaluator's text boxes. The window
// turns key presses into characters ("\b" backspace, "\x03" Ctrl+C, "\x16"
// Ctrl+V) and acts on the outcome; keeping the table here lets it be checked
// without a screen.
enum class KeyAction { Insert, Backspace, Copy, Paste, Reject };

struct KeyOutcome {
    KeyAction action = KeyAction::Reject;
    std::string text;  // what Insert puts in at the caret
};

// "3.14159265359" with the locale decimal symbol.
std::string piText(std::string_view decimalSymbol);

// The expression box (and the formula box of the formula list): digits, the
// decimal symbol ("." typed stands for it), the operators and parentheses,
// X, Y, Z in either case (entered upper-case), P for pi, S for ^2, R for
// ^.5. `allowFootMark` also admits the foot and inch marks "'" and "\""
// (the construction formulas).
KeyOutcome expressionKey(std::string_view ch, std::string_view decimalSymbol,
                         bool allowFootMark = false);

// The construction calculator's expression and X, Y, Z boxes: what the
// expression box takes, with "." always (lengths are read with "."), the
// foot and inch marks, a blank (12' 6 3/8"), "m" and "c" for metric lengths,
// and "×" / "÷" as "*" / "/".
KeyOutcome builderKey(std::string_view ch, std::string_view decimalSymbol);

// A variable box: digits, the decimal symbol ("." stands for it), P for pi,
// backspace, copy and paste.
KeyOutcome variableKey(std::string_view ch, std::string_view decimalSymbol);

}  // namespace zorv::expr
