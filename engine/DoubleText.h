#pragma once

#include <string>
#include <string_view>

namespace zorv::engine {

// The "plain" text of a double: at most 15 significant digits, trailing
// zeros dropped, E notation from 1E+15 up and for small values that would
// need more than 15 decimals ("1E+15", "5.6789E-12"), exponent of at least
// two digits, "-0" written as "0", the given decimal symbol.
std::string plainText(double value, std::string_view decimalSymbol = ".");

// Rounds a double to `places` decimals the classic way: scale in double
// arithmetic, then round half to even (Round(0.12345, 4) = 0.1234).
double roundDouble(double value, int places);

}  // namespace zorv::engine
