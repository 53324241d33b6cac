#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/Decimal.h"

namespace zorv::convert {

// The seven unit systems of the intra-system conversions, in the order of
// the conversion menu.
enum class UnitSystem { Metric, EnglishWeight, EnglishSquare, EnglishCubic, EnglishLength,
                        EnglishCapacity, Computer };
inline constexpr int kUnitSystemCount = 7;

// What a unit measures; only units of the same quantity convert into each
// other. Each quantity has one base unit: meter, kilogram, liter, square
// meter, byte.
enum class Quantity { Length, Mass, Volume, Area, Data };

// The two check marks that change the English units: "Troy Measures" adds
// the troy weights, "Imperial Measures" turns the capacity units from US
// customary into British imperial ones.
struct Measures {
    bool troy = false;
    bool imperial = false;
};

struct Unit {
    std::string_view name;          // "mile", "kibibyte"
    std::string_view abbreviation;  // "mi", "KiB"; the tape line uses it
    Quantity quantity = Quantity::Length;
    // How many base units one of this unit is: the exact legal definition
    // as decimal text with ".", divided by `divisor` for the few units
    // whose definition is a fraction that no decimal writes out (the
    // imperial teaspoon is 5/24 of an imperial fluid ounce).
    std::string_view factor;
    unsigned divisor = 1;
    // Shown beside the name where units are easy to confuse ("1,000 bytes"
    // against "1,024 bytes"); empty otherwise.
    std::string_view note;
};

// A conversion that cannot be made (units of different quantities, a unit
// that is not in the system). The text is meant for the user.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Metric", "English Weight", ..., "Computer".
std::string_view systemName(UnitSystem system);
// "length", "mass", "volume", "area", "data".
std::string_view quantityName(Quantity quantity);

// The units of a system in the order a list shows them, for the measures in
// force. The spans point to static tables.
std::span<const Unit> unitsOf(UnitSystem system, const Measures& measures);

// The unit whose name or abbreviation is `text` (blanks around it ignored):
// an exact match first, else the one unit that matches ignoring case. So
// "b" is the bit and "B" the byte, while "gib" still finds the gibibyte.
// Throws ConversionError naming the system when there is none or the text
// is ambiguous.
const Unit& findUnit(UnitSystem system, const Measures& measures, std::string_view text);

// "kibibyte (KiB, 1,024 bytes)", "mile (mi)": the text a list shows.
std::string unitLabel(const Unit& unit);

// value × from.factor ÷ to.factor, computed as one reduced fraction of whole
// numbers so that ratios that are exact stay exact (3 mi is 5280 yd, 1 GiB
// is 1073741824 B); the only rounding is the decimal type's last digit of a
// quotient that does not terminate. Throws ConversionError when the units
// measure different quantities, engine::DecimalOverflow when the result does
// not fit.
engine::Decimal convertUnits(const engine::Decimal& value, const Unit& from, const Unit& to);

// The tape line of a conversion: "Convert 3 mi -> 5280 yd".
std::string unitTapeLine(const engine::Decimal& value, const Unit& from,
                         const engine::Decimal& result, const Unit& to,
                         std::string_view decimalSymbol = ".");

}  // namespace zorv::convert
