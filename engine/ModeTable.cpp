#include "ModeTable.h"

#include <array>

namespace zorv::engine {

namespace {

using C = CommandId;

constexpr std::array kModes{
    ModeSpec{C::FinancialMode, &Modes::mnuFinCalcMode, "Financial Mode", false, "FIN"},
    ModeSpec{C::AutoDecimalMode, &Modes::mnuAutoDecimal, "AutoDecimal", false, "ADEC"},
    ModeSpec{C::AddingMachineMode, &Modes::mnuAddMachMode, "Adding Machine Mode", false, "ADD"},
    ModeSpec{C::RpnMode, &Modes::mnuRpnMode, "RPN Mode", false, "RPN"},
    ModeSpec{C::RepeatSubtraction, &Modes::mnuRepeatSubtract, "Repeat Subtraction", true, "RS"},
    ModeSpec{C::MagicNumber, &Modes::mnuMagicNumber, "", false, "MN"},
    ModeSpec{C::CarryResult, &Modes::CarryResult, "Carry Result", false, "CR"},
    ModeSpec{std::nullopt, &Modes::SciRadians, "", false, "RAD"},
    ModeSpec{C::ShowPercentages, &Modes::mnuShowPercentMode, "Show Percentage", false, ""},
    ModeSpec{C::PercentForNumber, &Modes::mnuPercentForNum, "Percent Calculation", false, ""},
    ModeSpec{C::FormatNumbers, &Modes::mnuFormatNumbers, "Format Numbers", false, ""},
    ModeSpec{C::NumberTapeItems, &Modes::mnuTapeItems, "Tape Item Count", true, ""},
};

}  // namespace

std::span<const ModeSpec> modeTable() { return kModes; }

}  // namespace zorv::engine
