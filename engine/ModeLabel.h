#pragma once

#include <string>

#include "CalculatorModel.h"
#include "ModeTable.h"

namespace zorv::engine {

// The short mode letters of the mode label, in the mode table's order, for
// the modes that change what the keys do: "FIN" Financial, "ADEC"
// Auto-Decimal, "ADD" Adding Machine, "RPN", "RS" Repeat Subtraction, "MN"
// Magic Number, "CR" Carry Result, and "RAD" while the scientific functions
// take radians. An empty text means the standard calculator.
inline std::string modeLabel(const Modes& m) {
    std::string out;
    for (const ModeSpec& row : modeTable()) {
        if (row.letters.empty() || !(m.*row.flag)) continue;
        if (!out.empty()) out += ' ';
        out += row.letters;
    }
    return out;
}

}  // namespace zorv::engine
