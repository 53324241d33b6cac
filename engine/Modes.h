#pragma once

#include "Decimal.h"

namespace zorv::engine {

// The check marks of the mode menu items, as plain flags. Defaults are those
// of an empty settings store.
struct Modes {
    bool rpn = false;
    bool addingMachine = false;
    bool repeatSubtraction = false;
    bool magicNumber = false;
    bool financial = true;
    bool autoDecimal = false;
    bool numberTapeItems = false;
    bool formatNumbers = true;
    bool showPercentages = true;
    bool percentForNumber = true;
    bool imperialMeasures = false;
    bool troyMeasures = false;
    bool carryResult = true;
    bool hideClearBanner = false;
    // Angles of the scientific functions in radians (menu "Radiants")
    // rather than degrees.
    bool radians = false;
    int decimalPlaces = 2;  // 2..15
    // How results are rounded to the decimal places in Financial mode.
    enum class ResultRounding { HalfUp, HalfEven, Up, Down };
    ResultRounding rounding = ResultRounding::HalfUp;
};

// `value` rounded to `places` decimals: half-up and half-even on the
// nearest, up away from zero, down toward zero.
Decimal roundResult(const Decimal& value, int places, Modes::ResultRounding mode);

}  // namespace zorv::engine
