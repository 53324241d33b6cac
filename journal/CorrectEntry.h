#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/CalculatorModel.h"
#include "engine/Decimal.h"
#include "engine/Tape.h"

namespace zorv::journal {

// Correcting an entry of the last calculation on the tape and re-footing
// it: the entry gets its new amount and/or operator (or is voided), every
// later running total and the total of that calculation are worked out
// again with the same decimal rules, the entry is marked "corrected, was
// OLD" (or "void") and a recomputed total "corrected". When the calculation
// is still open, the readout and the pending operator follow.
struct Correction {
    int entry = 0;                          // 1-based, within the last calculation
    std::optional<engine::Decimal> amount;  // a new amount
    std::optional<char> op;                 // a new operator: '+', '-', 'X' or '/'
    // Neither amount nor operator: the entry is voided.
    bool voids() const { return !amount && !op; }
};

// One entry of the last calculation, read from the tape's record of
// entries or, for a tape that has none (loaded from a file, edited), from
// its text.
struct ChainEntry {
    std::size_t line = 0;  // 0-based line of the tape text
    engine::Decimal amount;
    char op = '+';
    std::string itemText;  // " >N<" as shown, or empty
    bool voided = false;
    std::string was;       // the first amount as printed, once corrected
    std::size_t record = 0;  // index into the tape's record (when from it)
};

struct LastCalculation {
    std::vector<ChainEntry> entries;
    std::optional<std::size_t> resultLine;  // the printed total of a closed calculation
    bool open = false;        // no total yet: the model's chain is still going
    bool fromRecord = false;  // read from the record rather than the text
    std::string error;        // why there is nothing to correct

    // The 1-based entry standing on tape line `line`; 0 when none does.
    int entryAtLine(std::size_t line) const;
    // The operators an entry may be changed to (none for the "=" entry).
    static std::string operatorsFor(const ChainEntry& e) { return e.op == '=' ? std::string() : "+-X/"; }
};

// The last calculation of the tape: from its record when it has one, else
// from its text.
LastCalculation lastCalculation(const engine::CalculatorModel& model, const engine::Tape& tape);
// From the text alone.
LastCalculation lastCalculationInText(const engine::CalculatorModel& model, const std::string& tapeText);

struct CorrectionResult {
    std::string text;   // the whole new tape text
    engine::Decimal total;
    engine::Decimal previousTotal;  // the total before the correction
    bool open = false;  // the calculation has no total yet
    std::optional<char> pendingOp;       // the open calculation's new pending operator
    std::vector<engine::TapeEntry> record;  // the tape's new record (when it had one)
    bool fromRecord = false;
    std::string error;  // why nothing was changed
};

// Works on the tape text as the model writes it (no record).
CorrectionResult correctLastCalculation(const engine::CalculatorModel& model, const std::string& tapeText,
                                        const Correction& correction);
// Works on the tape, through its record of entries when it has one.
CorrectionResult correctLastCalculation(const engine::CalculatorModel& model, const engine::Tape& tape,
                                        const Correction& correction);

// Runs a correction on the model's tape; a refusal is shown in a message.
// Returns true when the tape was corrected.
bool correctEntry(engine::CalculatorModel& model, const Correction& correction);

// "Entry 2" / "2" -> 2; 0 when it is not a number.
int entryNumber(const std::string& text);

// The answer to "new amount": "void", an amount, an amount followed by an
// operator as the tape prints it ("5-", "5 X"), or an operator alone ("-").
// The operator may also be typed as x * × ÷ −. nullopt when it is none of
// these; `error` then says why.
std::optional<Correction> parseCorrectionAnswer(const engine::CalculatorModel& model, const std::string& answer,
                                                int entry, std::string* error = nullptr);

// The operator as the tape prints it, from a typed one; 0 when it is none.
char tapeOperator(std::string_view typed);

}  // namespace zorv::journal
