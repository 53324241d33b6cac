#pragma once

#include <string>
#include <string_view>

#include "CalculatorModel.h"
#include "Decimal.h"
#include "TextUtil.h"

namespace zorv::engine {

// A number as the operator keys write it inside a tape entry: rounded to the
// decimal places in Financial and Auto-Decimal mode, thousands grouped when
// Format Numbers is on, and without a bare trailing decimal symbol.
inline std::string tapeNumber(const CalculatorModel& m, std::string_view text) {
    std::string out = m.WithDecimalSymbol(text::trim(text));
    const Modes& modes = m.modes();
    if (modes.mnuFinCalcMode || modes.mnuAutoDecimal) out = m.FormatFinancial(out);
    out = m.FormatTapeNumber(out);
    const std::string& ds = m.DecimalSymbol();
    if (out.ends_with(ds)) out.erase(out.size() - ds.size());
    return out;
}

inline std::string tapeNumber(const CalculatorModel& m, const Decimal& value) {
    return tapeNumber(m, m.toText(value));
}

// The result line of a total block, as "=" writes it: the readout text,
// rounded in Financial mode and grouped with Format Numbers; a whole number
// keeps its trailing decimal symbol.
inline std::string tapeTotal(const CalculatorModel& m, std::string_view readout) {
    std::string out = m.WithDecimalSymbol(text::trim(readout));
    if (m.modes().mnuFinCalcMode) out = m.FormatFinancial(out);
    return m.FormatTapeNumber(out);
}

inline constexpr std::string_view kTotalRule = "------------------";
inline constexpr std::string_view kTotalEnd = "******************";

}  // namespace zorv::engine
