#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "CommandTable.h"

namespace zorv::engine {

// Keys that reach the calculator as keys rather than as typed characters.
enum class NamedKey {
    Delete,
    NumLock,
    AltDigit1, AltDigit2, AltDigit3, AltDigit4, AltDigit5, AltDigit6, AltDigit7, AltDigit8, AltDigit9,
};

// Alt with the digit 1..9; nullopt for any other digit.
std::optional<NamedKey> altDigitKey(int digit);

// Which command a key of the keyboard runs. Typed characters map to the
// keypad's commands (digits, operators, memory, C) and to a few commands
// named by a letter ("R" square root, "N" annotate the tape); Alt+1..9 press
// the toolbar's buttons.
class KeyMap {
public:
    explicit KeyMap(std::string decimalSymbol) : decimalSymbol_(std::move(decimalSymbol)) {}

    // One typed character as UTF-8 text ("\r" for Enter, "\b" for
    // backspace); nullopt when the keypad has no use for it. The locale's
    // decimal symbol and "." both key the decimal point.
    std::optional<CommandId> command(std::string_view typed) const;
    // The command of a named key: Delete clears the entry.
    static std::optional<CommandId> command(NamedKey key);
    // The toolbar button (0..8) Alt+1..9 presses.
    static std::optional<int> toolbarButton(NamedKey key);

private:
    std::string decimalSymbol_;
};

}  // namespace zorv::engine
