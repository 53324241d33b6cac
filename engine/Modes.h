#pragma once

#include "Decimal.h"

namespace zorv::engine {

// The check marks of the mode menu items, as plain flags. Defaults are those
// of an empty settings store.
struct Modes {
    bool mnuRpnMode = false;
    bool mnuAddMachMode = false;
    bool mnuRepeatSubtract = false;
    bool mnuMagicNumber = false;
    bool mnuFinCalcMode = true;
    bool mnuAutoDecimal = false;
    bool mnuTapeItems = false;
    bool mnuFormatNumbers = true;
    bool mnuShowPercentMode = true;
    bool mnuPercentForNum = true;
    bool mnuImperialMeasures = false;
    bool mnuTroyMeassures = false;
    bool CarryResult = true;
    bool HideClearBanner = false;
    // Angles of the scientific functions in radians (menu "Radiants")
    // rather than degrees.
    bool SciRadians = false;
    int DecimalPlaces = 2;  // 2..15
    // How results are rounded to the decimal places in Financial mode.
    enum class ResultRounding { HalfUp, HalfEven, Up, Down };
    ResultRounding Rounding = ResultRounding::HalfUp;
};

// `value` rounded to `places` decimals: half-up and half-even on the
// nearest, up away from zero, down toward zero.
Decimal roundResult(const Decimal& value, int places, Modes::ResultRounding mode);

}  // namespace zorv::engine
