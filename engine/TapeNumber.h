#pragma once

#include <string>
#include <string_view>

#include "CalculatorModel.h"
#include "Decimal.h"
#include "TextUtil.h"

namespace zorv::engine {

// The tape forms of NumberFormat for code that holds the model.
inline std::string tapeNumber(const CalculatorModel& m, std::string_view text) {
    return m.format().entryNumber(text);
}

inline std::string tapeNumber(const CalculatorModel& m, const Decimal& value) {
    return m.format().entryNumber(value);
}

inline std::string tapeTotal(const CalculatorModel& m, std::string_view readout) {
    return m.format().totalLine(readout);
}

inline constexpr std::string_view kTotalRule = "------------------";
inline constexpr std::string_view kTotalEnd = "******************";

}  // namespace zorv::engine
