#include "DoubleText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zorv::engine {

// Callers show only finite values: they check std::isfinite first. The words
// below exist so that a slip shows as a word rather than as garbage.
std::string plainText(double value, std::string_view decimalSymbol) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0.0) return "0";  // also a negative zero
    if (decimalSymbol.empty()) decimalSymbol = ".";

    // Fifteen significant digits of the exact binary value, rounded half to
    // even: "d.dddddddddddddde+XX" (to_chars ignores the C locale).
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    char digits[16];
    int n = 0;
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') digits[n++] = *p;
    }
    // p is at 'e', then a sign and at least two digits
    int exp10 = 0;
    bool expNegative = p + 1 < res.ptr && p[1] == '-';
    for (const char* q = p + 2; q < res.ptr; ++q) exp10 = exp10 * 10 + (*q - '0');
    if (expNegative) exp10 = -exp10;
    while (n > 1 && digits[n - 1] == '0') --n;

    std::string out;
    if (value < 0) out.push_back('-');
    const int decimalsNeeded = n - 1 - exp10;  // digits after the decimal symbol when written plainly
    if (exp10 >= 15 || decimalsNeeded > 15) {
        out.push_back(digits[0]);
        if (n > 1) {
            out.append(decimalSymbol);
            out.append(digits + 1, static_cast<size_t>(n - 1));
        }
        out.push_back('E');
        out.push_back(exp10 < 0 ? '-' : '+');
        int e = std::abs(exp10);
        if (e < 10) out.push_back('0');
        out.append(std::to_string(e));
        return out;
    }
    if (exp10 < 0) {
        out.push_back('0');
        out.append(decimalSymbol);
        out.append(static_cast<size_t>(-exp10 - 1), '0');
        out.append(digits, static_cast<size_t>(n));
        return out;
    }
    const int whole = exp10 + 1;
    if (n <= whole) {
        out.append(digits, static_cast<size_t>(n));
        out.append(static_cast<size_t>(whole - n), '0');
    } else {
        out.append(digits, static_cast<size_t>(whole));
        out.append(decimalSymbol);
        out.append(digits + whole, static_cast<size_t>(n - whole));
    }
    return out;
}

double roundDouble(double value, int places) {
    if (!std::isfinite(value)) return value;
    if (places < 0) places = 0;
    static constexpr double kPow[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const double scale = places < 23 ? kPow[places] : std::pow(10.0, places);
    const double scaled = value * scale;
    // Beyond 2^52 a double has no fraction left to round at this scale.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) return value;
    // nearbyint in the default mode rounds half to even, as VarR8Round does
    // with its floor/fmod steps.
    return std::nearbyint(scaled) / scale;
}

}  // namespace zorv::engine
