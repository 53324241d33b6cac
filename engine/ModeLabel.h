#pragma once

#include <string>

#include "CalculatorModel.h"

namespace zorv::engine {

// The short mode letters of the mode label, in a fixed order, for the modes
// that change what the keys do: "FIN" Financial, "ADEC" Auto-Decimal, "ADD"
// Adding Machine, "RPN", "RS" Repeat Subtraction, "MN" Magic Number, "CR"
// Carry Result, and "RAD" while the scientific functions take radians. An
// empty text means the standard calculator.
inline std::string modeLabel(const Modes& m) {
    std::string out;
    auto add = [&out](bool on, const char* letters) {
        if (!on) return;
        if (!out.empty()) out += ' ';
        out += letters;
    };
    add(m.financial, "FIN");
    add(m.autoDecimal, "ADEC");
    add(m.addingMachine, "ADD");
    add(m.rpn, "RPN");
    add(m.repeatSubtraction, "RS");
    add(m.magicNumber, "MN");
    add(m.carryResult, "CR");
    add(m.radians, "RAD");
    return out;
}

}  // namespace zorv::engine
