#include "ModeTable.h"

#include <array>

namespace zorv::engine {

namespace {

using C = CommandId;

constexpr std::array kModes{
    ModeSpec{C::FinancialMode, &Modes::financial, "Financial Mode", false, "FIN"},
    ModeSpec{C::AutoDecimalMode, &Modes::autoDecimal, "AutoDecimal", false, "ADEC"},
    ModeSpec{C::AddingMachineMode, &Modes::addingMachine, "Adding Machine Mode", false, "ADD"},
    ModeSpec{C::RpnMode, &Modes::rpn, "RPN Mode", false, "RPN"},
    ModeSpec{C::RepeatSubtraction, &Modes::repeatSubtraction, "Repeat Subtraction", true, "RS"},
    ModeSpec{C::MagicNumber, &Modes::magicNumber, "", false, "MN"},
    ModeSpec{C::CarryResult, &Modes::carryResult, "Carry Result", false, "CR"},
    ModeSpec{std::nullopt, &Modes::radians, "", false, "RAD"},
    ModeSpec{C::ShowPercentages, &Modes::showPercentages, "Show Percentage", false, ""},
    ModeSpec{C::PercentForNumber, &Modes::percentForNumber, "Percent Calculation", false, ""},
    ModeSpec{C::FormatNumbers, &Modes::formatNumbers, "Format Numbers", false, ""},
    ModeSpec{C::NumberTapeItems, &Modes::numberTapeItems, "Tape Item Count", true, ""},
};

}  // namespace

std::span<const ModeSpec> modeTable() { return kModes; }

}  // namespace zorv::engine
