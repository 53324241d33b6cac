#pragma once

#include <string>
#include <vector>

#include "engine/CalculatorModel.h"
#include "engine/NumberSymbols.h"
#include "shell/SettingsStore.h"

namespace zorv::shell {

// The locale symbols from section "Intl" (keys "sDecimal", "sThousand",
// "sCurrency"): the first character of each value, the defaults ".", ","
// and "$" when a key is absent or empty. A decimal or thousands symbol that
// numbers could not be told apart with (a digit, an operator, a letter, a
// control character, the decimal symbol as thousands symbol) is rejected:
// the default is used, and `rejected` gets one line saying so.
engine::NumberSymbols readLocaleSymbols(const SettingsStore& store,
                                        const engine::NumberSymbols& fallback = {},
                                        std::vector<std::string>* rejected = nullptr);

// The decimal point, group separator and currency symbol of the user's
// locale (first character of each), for when the store has no "Intl".
engine::NumberSymbols systemLocaleSymbols();

// The calculation modes kept under "Startup", each with its default and the
// stored form's reading rule ("RPN Mode" reads as a number, so "True" is off).
void applyModeSettings(const SettingsStore& store, engine::Modes& modes);

}  // namespace zorv::shell
