#pragma once

#include <optional>
#include <string>

#include "engine/CalculatorModel.h"
#include "engine/Decimal.h"

namespace zorv::journal {

// Correcting an entry of the last calculation on the tape and re-footing
// it: the entry gets its new amount (or is voided), every later running
// total and the total of that calculation are worked out again with the
// same decimal rules, the entry is marked "corrected, was OLD" (or "void")
// and a recomputed total "corrected". When the calculation is still open,
// the readout follows.
struct Correction {
    int entry = 0;                        // 1-based, within the last calculation
    std::optional<engine::Decimal> amount;  // nullopt: void
};

struct CorrectionResult {
    std::string text;   // the whole new tape text
    engine::Decimal total;
    bool open = false;  // the calculation has no total yet
    std::string error;  // why nothing was changed
};

// Works on the tape text as the model writes it.
CorrectionResult correctLastCalculation(const engine::CalculatorModel& model, const std::string& tapeText,
                                        const Correction& correction);

// Runs a correction on the model's tape; a refusal is shown in a message.
void correctEntry(engine::CalculatorModel& model, const Correction& correction);

// "Entry 2" / "2" -> 2; 0 when it is not a number.
int entryNumber(const std::string& text);

}  // namespace zorv::journal
