#pragma once

#include <string>
#include <string_view>

namespace zorv::engine {

// The "plain" text of a double: at most 15 significant digits, trailing
// zeros dropped, E notation from 1E+15 up and for small values that would
// need more than 15 decimals ("1E+15", "5.6789E-12"), exponent of at least
// two digits, "-0" written as "0", the given decimal symbol. A small value
// is written plainly while it needs at most 15 decimals ("0.000000000056789",
// "0.333333333333333") and in E notation beyond ("3.33333333333333E-03").
// Infinity and NaN come back as "Infinity", "-Infinity" and "NaN": callers
// never show those and check std::isfinite first.
std::string plainText(double value, std::string_view decimalSymbol = ".");

// Rounds a double to `places` decimals the classic way: scale in double
// arithmetic, then round half to even (Round(0.12345, 4) = 0.1234).
// Negative places count as 0; non-finite values and values with no fraction
// left at that scale come back unchanged.
double roundDouble(double value, int places);

}  // namespace zorv::engine
