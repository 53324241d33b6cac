#include "convert/UnitCatalogue.h"

#include <array>
#include <cctype>
#include <numeric>
#include <optional>

namespace zorv::convert {

namespace {

using engine::Decimal;
using Q = Quantity;

constexpr Unit unit(std::string_view name, std::string_view abbreviation, Quantity quantity,
                    std::string_view factor, unsigned divisor = 1, std::string_view note = {}) {
    return Unit{name, abbreviation, quantity, factor, divisor, note};
}

// Every factor follows from the international yard and pound (1959: inch
// 0.0254 m, pound 0.45359237 kg), the US gallon of 231 cubic inches and the
// imperial gallon of 4.54609 L; the comment beside a factor says how.
constexpr std::array kMetric{
    unit("millimeter", "mm", Q::Length, "0.001"),
    unit("centimeter", "cm", Q::Length, "0.01"),
    unit("decimeter", "dm", Q::Length, "0.1"),
    unit("meter", "m", Q::Length, "1"),
    unit("kilometer", "km", Q::Length, "1000"),
    unit("milligram", "mg", Q::Mass, "0.000001"),
    unit("gram", "g", Q::Mass, "0.001"),
    unit("kilogram", "kg", Q::Mass, "1"),
    unit("metric ton", "t", Q::Mass, "1000"),
    unit("milliliter", "mL", Q::Volume, "0.001"),
    unit("centiliter", "cL", Q::Volume, "0.01"),
    unit("deciliter", "dL", Q::Volume, "0.1"),
    unit("liter", "L", Q::Volume, "1"),
    unit("cubic meter", "m\u00b3", Q::Volume, "1000"),
    unit("square millimeter", "mm\u00b2", Q::Area, "0.000001"),
    unit("square centimeter", "cm\u00b2", Q::Area, "0.0001"),
    unit("square meter", "m\u00b2", Q::Area, "1"),
    unit("hectare", "ha", Q::Area, "10000"),
    unit("square kilometer", "km\u00b2", Q::Area, "1000000"),
};

constexpr std::array kWeight{
    unit("grain", "gr", Q::Mass, "0.00006479891"),             // 1/7000 lb
    unit("dram", "dr", Q::Mass, "0.0017718451953125"),         // 1/256 lb
    unit("ounce", "oz", Q::Mass, "0.028349523125"),            // 1/16 lb
    unit("pound", "lb", Q::Mass, "0.45359237"),
    unit("stone", "st", Q::Mass, "6.35029318"),                // 14 lb
    unit("hundredweight", "cwt", Q::Mass, "45.359237", 1, "short, 100 lb"),
    unit("short ton", "sh tn", Q::Mass, "907.18474", 1, "2,000 lb"),
    unit("long ton", "long tn", Q::Mass, "1016.0469088", 1, "2,240 lb"),
};

// Added to the weights when troy measures are on. The troy grain is the
// avoirdupois grain under the name jewelers use.
constexpr std::array kWeightWithTroy{
    kWeight[0], kWeight[1], kWeight[2], kWeight[3], kWeight[4], kWeight[5], kWeight[6], kWeight[7],
    unit("troy grain", "grt", Q::Mass, "0.00006479891"),
    unit("pennyweight", "dwt", Q::Mass, "0.00155517384"),      // 24 grains
    unit("troy ounce", "ozt", Q::Mass, "0.0311034768"),        // 480 grains
    unit("troy pound", "lbt", Q::Mass, "0.3732417216"),        // 5760 grains
};

constexpr std::array kSquare{
    unit("square inch", "sq in", Q::Area, "0.00064516"),
    unit("square foot", "sq ft", Q::Area, "0.09290304"),
    unit("square yard", "sq yd", Q::Area, "0.83612736"),
    unit("square rod", "sq rd", Q::Area, "25.29285264"),         // rod = 16.5 ft
    unit("acre", "ac", Q::Area, "4046.8564224"),                 // 43,560 sq ft
    unit("square mile", "sq mi", Q::Area, "2589988.110336"),
};

constexpr std::array kCubic{
    unit("cubic inch", "cu in", Q::Volume, "0.016387064"),
    unit("cubic foot", "cu ft", Q::Volume, "28.316846592"),
    unit("cubic yard", "cu yd", Q::Volume, "764.554857984"),
    unit("acre-foot", "ac ft", Q::Volume, "1233481.83754752"),   // acre × foot
};

constexpr std::array kLength{
    unit("mil", "mil", Q::Length, "0.0000254", 1, "1/1000 in"),
    unit("inch", "in", Q::Length, "0.0254"),
    unit("foot", "ft", Q::Length, "0.3048"),
    unit("yard", "yd", Q::Length, "0.9144"),
    unit("rod", "rd", Q::Length, "5.0292"),                      // 16.5 ft
    unit("furlong", "fur", Q::Length, "201.168"),                // 660 ft
    unit("mile", "mi", Q::Length, "1609.344"),                   // 5,280 ft
    unit("nautical mile", "nmi", Q::Length, "1852"),
};

// The oil barrel is 42 US gallons wherever oil is traded, so it keeps that
// size under imperial measures too.
constexpr Unit kOilBarrel = unit("barrel (oil)", "bbl", Q::Volume, "158.987294928", 1, "42 US gal");

constexpr std::array kUsCapacity{
    unit("teaspoon", "tsp", Q::Volume, "0.00492892159375", 1, "US"),       // 1/6 fl oz
    unit("tablespoon", "tbsp", Q::Volume, "0.01478676478125", 1, "US"),    // 1/2 fl oz
    unit("fluid ounce", "fl oz", Q::Volume, "0.0295735295625", 1, "US"),   // 1/128 gal
    unit("cup", "cup", Q::Volume, "0.2365882365", 1, "US"),                // 8 fl oz
    unit("pint", "pt", Q::Volume, "0.473176473", 1, "US"),                 // 16 fl oz
    unit("quart", "qt", Q::Volume, "0.946352946", 1, "US"),                // 32 fl oz
    unit("gallon", "gal", Q::Volume, "3.785411784", 1, "US"),              // 231 cu in
    kOilBarrel,
};

constexpr std::array kImperialCapacity{
    // 5/24 fl oz: a third of the tablespoon.
    unit("imperial teaspoon", "imp tsp", Q::Volume, "0.1420653125", 24),
    unit("imperial tablespoon", "imp tbsp", Q::Volume, "0.0177581640625"), // 5/8 fl oz
    unit("imperial fluid ounce", "imp fl oz", Q::Volume, "0.0284130625"),  // 1/160 gal
    unit("imperial cup", "imp cup", Q::Volume, "0.284130625"),             // 10 fl oz
    unit("imperial pint", "imp pt", Q::Volume, "0.56826125"),              // 20 fl oz
    unit("imperial quart", "imp qt", Q::Volume, "1.1365225"),              // 40 fl oz
    unit("imperial gallon", "imp gal", Q::Volume, "4.54609"),
    kOilBarrel,
};

// Decimal prefixes count in thousands, binary ones in 1,024s; both carry the
// number of bytes in their note so a list never leaves a doubt.
constexpr std::array kComputer{
    unit("bit", "b", Q::Data, "0.125", 1, "1/8 byte"),
    unit("byte", "B", Q::Data, "1", 1, "8 bits"),
    unit("kilobyte", "kB", Q::Data, "1000", 1, "1,000 bytes"),
    unit("megabyte", "MB", Q::Data, "1000000", 1, "1,000,000 bytes"),
    unit("gigabyte", "GB", Q::Data, "1000000000", 1, "10^9 bytes"),
    unit("terabyte", "TB", Q::Data, "1000000000000", 1, "10^12 bytes"),
    unit("kibibyte", "KiB", Q::Data, "1024", 1, "1,024 bytes"),
    unit("mebibyte", "MiB", Q::Data, "1048576", 1, "1,024 KiB = 2^20 bytes"),
    unit("gibibyte", "GiB", Q::Data, "1073741824", 1, "1,024 MiB = 2^30 bytes"),
    unit("tebibyte", "TiB", Q::Data, "1099511627776", 1, "1,024 GiB = 2^40 bytes"),
};

// ASCII-only case folding, with the superscript two and three read as plain
// digits so "m3" and "sq M2" can be typed.
std::string folded(std::string_view text, bool ignoreCase) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0xC2 && i + 1 < text.size() && (text[i + 1] == '\xB2' || text[i + 1] == '\xB3')) {
            out += text[i + 1] == '\xB2' ? '2' : '3';
            ++i;
        } else {
            out += ignoreCase && c < 0x80 ? static_cast<char>(std::tolower(c)) : static_cast<char>(c);
        }
    }
    return out;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

__extension__ typedef unsigned __int128 Wide;
constexpr Wide kDecimalLimit = Wide(1) << 96;

Wide mantissaOf(const Decimal& d) { return (Wide(d.hi32()) << 64) | d.lo64(); }

Wide powerOfTen(int n) {
    Wide p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

Wide gcd(Wide a, Wide b) {
    while (b != 0) {
        const Wide t = a % b;
        a = b;
        b = t;
    }
    return a;
}

Decimal wholeDecimal(Wide w) {
    return Decimal::fromParts(static_cast<std::uint64_t>(w), static_cast<std::uint32_t>(w >> 64), 0,
                              false);
}

struct Ratio {
    Decimal numerator;
    Decimal denominator;
};

// from.factor ÷ to.factor as a fraction of whole numbers in lowest terms.
// With every factor below 10^15 at no more than 16 decimals the products
// stay far inside 128 bits; a fraction that still does not fit the decimal
// type after reducing is left to the decimal type's own division.
std::optional<Ratio> exactRatio(const Unit& from, const Unit& to) {
    const Decimal f = Decimal::parse(from.factor);
    const Decimal t = Decimal::parse(to.factor);
    const Wide p = mantissaOf(f) * powerOfTen(t.scale()) * to.divisor;
    const Wide q = mantissaOf(t) * powerOfTen(f.scale()) * from.divisor;
    const Wide g = gcd(p, q);
    if (g == 0) return std::nullopt;
    const Wide num = p / g;
    const Wide den = q / g;
    if (num >= kDecimalLimit || den >= kDecimalLimit) return std::nullopt;
    return Ratio{wholeDecimal(num), wholeDecimal(den)};
}

}  // namespace

std::string_view systemName(UnitSystem system) {
    switch (system) {
    case UnitSystem::Metric: return "Metric";
    case UnitSystem::EnglishWeight: return "English Weight";
    case UnitSystem::EnglishSquare: return "English Square";
    case UnitSystem::EnglishCubic: return "English Cubic";
    case UnitSystem::EnglishLength: return "English Length";
    case UnitSystem::EnglishCapacity: return "English Capacity";
    case UnitSystem::Computer: return "Computer";
    }
    return {};
}

std::string_view quantityName(Quantity quantity) {
    switch (quantity) {
    case Quantity::Length: return "length";
    case Quantity::Mass: return "mass";
    case Quantity::Volume: return "volume";
    case Quantity::Area: return "area";
    case Quantity::Data: return "data";
    }
    return {};
}

std::span<const Unit> unitsOf(UnitSystem system, const Measures& measures) {
    switch (system) {
    case UnitSystem::Metric: return kMetric;
    case UnitSystem::EnglishWeight:
        return measures.troy ? std::span<const Unit>(kWeightWithTroy) : std::span<const Unit>(kWeight);
    case UnitSystem::EnglishSquare: return kSquare;
    case UnitSystem::EnglishCubic: return kCubic;
    case UnitSystem::EnglishLength: return kLength;
    case UnitSystem::EnglishCapacity:
        return measures.imperial ? std::span<const Unit>(kImperialCapacity)
                                 : std::span<const Unit>(kUsCapacity);
    case UnitSystem::Computer: return kComputer;
    }
    return {};
}

const Unit& findUnit(UnitSystem system, const Measures& measures, std::string_view text) {
    const std::span<const Unit> units = unitsOf(system, measures);
    const std::string exact = folded(trimmed(text), false);
    for (const Unit& u : units)
        if (!exact.empty() && (folded(u.name, false) == exact || folded(u.abbreviation, false) == exact))
            return u;
    const std::string loose = folded(trimmed(text), true);
    const Unit* found = nullptr;
    int matches = 0;
    for (const Unit& u : units) {
        if (!loose.empty() && (folded(u.name, true) == loose || folded(u.abbreviation, true) == loose)) {
            found = &u;
            ++matches;
        }
    }
    if (matches == 1) return *found;
    const std::string where = " in the " + std::string(systemName(system)) + " units";
    if (matches > 1)
        throw ConversionError("\"" + std::string(trimmed(text)) + "\" is ambiguous" + where +
                              "; type it with the exact capitals.");
    std::string known;
    for (const Unit& u : units) known += (known.empty() ? "" : ", ") + std::string(u.abbreviation);
    throw ConversionError("There is no unit \"" + std::string(trimmed(text)) + "\"" + where +
                          " (" + known + ").");
}

std::string unitLabel(const Unit& unit) {
    std::string label = std::string(unit.name) + " (" + std::string(unit.abbreviation);
    if (!unit.note.empty()) label += ", " + std::string(unit.note);
    return label + ")";
}

Decimal convertUnits(const Decimal& value, const Unit& from, const Unit& to) {
    if (from.quantity != to.quantity)
        throw ConversionError("Cannot convert " + std::string(quantityName(from.quantity)) + " (" +
                              std::string(from.name) + ") to " +
                              std::string(quantityName(to.quantity)) + " (" + std::string(to.name) +
                              "); choose two units of the same kind.");
    if (const std::optional<Ratio> r = exactRatio(from, to)) {
        if (r->denominator == Decimal(1)) return value * r->numerator;
        // Multiplying first keeps the quotient exact whenever the true
        // result terminates; a product too large for the type is divided
        // first instead, which only costs digits the result cannot hold.
        try {
            return value * r->numerator / r->denominator;
        } catch (const engine::DecimalOverflow&) {
            return value / r->denominator * r->numerator;
        }
    }
    return value * Decimal::parse(from.factor) * Decimal(to.divisor) /
           (Decimal::parse(to.factor) * Decimal(from.divisor));
}

std::string unitTapeLine(const Decimal& value, const Unit& from, const Decimal& result, const Unit& to,
                         std::string_view decimalSymbol) {
    return "Convert " + value.toString(decimalSymbol) + " " + std::string(from.abbreviation) + " -> " +
           result.toString(decimalSymbol) + " " + std::string(to.abbreviation);
}

}  // namespace zorv::convert
