// Intra-system unit conversions against a table made with Python's
// fractions module (data/unit-conversions.csv; data/README.md says how).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "convert/UnitCatalogue.h"

namespace {

using namespace zorv::convert;
using zorv::engine::Decimal;

struct SystemChoice {
    UnitSystem system;
    Measures measures;
};

const std::map<std::string, SystemChoice>& systemsByTableName() {
    static const std::map<std::string, SystemChoice> systems{
        {"Metric", {UnitSystem::Metric, {}}},
        {"EnglishWeight", {UnitSystem::EnglishWeight, {}}},
        {"EnglishWeightTroy", {UnitSystem::EnglishWeight, {true, false}}},
        {"EnglishSquare", {UnitSystem::EnglishSquare, {}}},
        {"EnglishCubic", {UnitSystem::EnglishCubic, {}}},
        {"EnglishLength", {UnitSystem::EnglishLength, {}}},
        {"EnglishCapacityUS", {UnitSystem::EnglishCapacity, {}}},
        {"EnglishCapacityImperial", {UnitSystem::EnglishCapacity, {false, true}}},
        {"Computer", {UnitSystem::Computer, {}}},
    };
    return systems;
}

struct Row {
    std::string system, from, to, value, result;
    bool exact = false;
};

std::vector<Row> tableRows() {
    std::ifstream in(CONVERT_TEST_DATA "/unit-conversions.csv");
    std::vector<Row> rows;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream s(line);
        for (std::string cell; std::getline(s, cell, ',');) f.push_back(cell);
        if (f.size() != 6) continue;
        rows.push_back({f[0], f[1], f[2], f[3], f[4], f[5] == "1"});
    }
    return rows;
}

Decimal magnitude(const Decimal& d) { return d.isNegative() ? -d : d; }

// The decimal type holds 28 to 29 significant digits; a quotient that does
// not terminate may differ from the true value in the last of them.
bool closeEnough(const Decimal& got, const Decimal& want, const Decimal& scale = 1) {
    const Decimal tolerance =
        magnitude(want) * Decimal::parse("1e-26") + Decimal::parse("1e-28") * (scale + Decimal(1));
    return magnitude(got - want) <= tolerance;
}

class UnitTable : public ::testing::TestWithParam<std::string> {};

// Each system: every unit converts to every other unit of its kind, both
// ways, to the value the fractions module computes; an exact result is
// exact, digit for digit; converting back gives the value again, exactly
// where the forward result was exact.
TEST_P(UnitTable, EveryUnitConvertsBothWaysAndRoundTrips) {
    const SystemChoice choice = systemsByTableName().at(GetParam());
    std::set<std::string> seen;
    int rows = 0;
    for (const Row& r : tableRows()) {
        if (r.system != GetParam()) continue;
        ++rows;
        SCOPED_TRACE(r.value + " " + r.from + " -> " + r.to);
        const Unit& from = findUnit(choice.system, choice.measures, r.from);
        const Unit& to = findUnit(choice.system, choice.measures, r.to);
        seen.insert(std::string(from.abbreviation));
        const Decimal value = Decimal::parse(r.value);
        const Decimal want = Decimal::parse(r.result);
        const Decimal got = convertUnits(value, from, to);
        const Decimal back = convertUnits(got, to, from);
        if (r.exact) {
            EXPECT_EQ(got.toString(), want.toString());
            EXPECT_EQ(back.toString(), value.toString());
        } else {
            EXPECT_TRUE(closeEnough(got, want)) << got.toString() << " vs " << r.result;
            // The way back multiplies the last-digit error of the forward
            // result by the ratio of the units.
            const Decimal ratio = got.isZero() ? Decimal(1) : magnitude(value / got);
            EXPECT_TRUE(closeEnough(back, value, ratio)) << back.toString();
        }
    }
    EXPECT_GT(rows, 0);
    // The table covers every unit the window offers.
    for (const Unit& u : unitsOf(choice.system, choice.measures))
        EXPECT_TRUE(seen.count(std::string(u.abbreviation)) || GetParam() == "EnglishWeightTroy")
            << u.name;
}

INSTANTIATE_TEST_SUITE_P(Systems, UnitTable,
                         ::testing::Values("Metric", "EnglishWeight", "EnglishWeightTroy",
                                           "EnglishSquare", "EnglishCubic", "EnglishLength",
                                           "EnglishCapacityUS", "EnglishCapacityImperial",
                                           "Computer"));

TEST(UnitConversion, HeadlineFiguresAreExact) {
    const Measures none;
    const Unit& mile = findUnit(UnitSystem::EnglishLength, none, "mile");
    const Unit& yard = findUnit(UnitSystem::EnglishLength, none, "yard");
    EXPECT_EQ(convertUnits(1, mile, yard).toString(), "1760");
    EXPECT_EQ(convertUnits(3, mile, yard).toString(), "5280");
    EXPECT_EQ(convertUnits(5280, yard, mile).toString(), "3");
    const Unit& gib = findUnit(UnitSystem::Computer, none, "GiB");
    const Unit& byte = findUnit(UnitSystem::Computer, none, "byte");
    EXPECT_EQ(convertUnits(1, gib, byte).toString(), "1073741824");
    const Unit& gallon = findUnit(UnitSystem::EnglishCapacity, none, "gal");
    const Unit& barrel = findUnit(UnitSystem::EnglishCapacity, none, "bbl");
    EXPECT_EQ(convertUnits(1, barrel, gallon).toString(), "42");
    const Unit& impGallon = findUnit(UnitSystem::EnglishCapacity, {false, true}, "imp gal");
    const Unit& impPint = findUnit(UnitSystem::EnglishCapacity, {false, true}, "imp pt");
    EXPECT_EQ(convertUnits(1, impGallon, impPint).toString(), "8");
}

TEST(UnitConversion, LargeValuesKeepTheirDigitsOrOverflow) {
    const Measures none;
    const Unit& tib = findUnit(UnitSystem::Computer, none, "TiB");
    const Unit& bit = findUnit(UnitSystem::Computer, none, "bit");
    EXPECT_EQ(convertUnits(Decimal::parse("1000000000000"), tib, bit).toString(),
              "8796093022208000000000000");
    EXPECT_THROW(convertUnits(Decimal::maxValue(), tib, bit), zorv::engine::DecimalOverflow);
    // Large enough that value × numerator overflows although the result fits.
    const Unit& gr = findUnit(UnitSystem::EnglishWeight, none, "gr");
    const Unit& longTon = findUnit(UnitSystem::EnglishWeight, none, "long tn");
    EXPECT_EQ(convertUnits(Decimal::parse("15680000000000000000000000000"), gr, longTon).toString(),
              "1000000000000000000000");
}

TEST(UnitConversion, DifferentKindsAreRefusedWithTheKindsNamed) {
    const Unit& kg = findUnit(UnitSystem::Metric, {}, "kg");
    const Unit& m = findUnit(UnitSystem::Metric, {}, "m");
    try {
        convertUnits(1, kg, m);
        FAIL() << "kg to m converted";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(),
                     "Cannot convert mass (kilogram) to length (meter); choose two units of the same kind.");
    }
}

TEST(UnitLookup, NameOrAbbreviationExactCapitalsFirstThenAnyCase) {
    struct Case {
        UnitSystem system;
        Measures measures;
        const char* text;
        const char* found;  // name
    };
    const Case cases[] = {
        {UnitSystem::Computer, {}, "b", "bit"},
        {UnitSystem::Computer, {}, "B", "byte"},
        {UnitSystem::Computer, {}, "gib", "gibibyte"},
        {UnitSystem::Computer, {}, "Kilobyte", "kilobyte"},
        {UnitSystem::Computer, {}, " KiB ", "kibibyte"},
        {UnitSystem::Metric, {}, "m\u00b3", "cubic meter"},
        {UnitSystem::Metric, {}, "m3", "cubic meter"},
        {UnitSystem::Metric, {}, "KM2", "square kilometer"},
        {UnitSystem::Metric, {}, "ml", "milliliter"},
        {UnitSystem::EnglishLength, {}, "Nautical Mile", "nautical mile"},
        {UnitSystem::EnglishWeight, {true, false}, "ozt", "troy ounce"},
        {UnitSystem::EnglishWeight, {true, false}, "oz", "ounce"},
        {UnitSystem::EnglishCapacity, {false, true}, "imperial gallon", "imperial gallon"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(findUnit(c.system, c.measures, c.text).name, c.found);
    }
}

TEST(UnitLookup, UnknownUnitsNameTheSystemAndWhatIsThere) {
    struct Case {
        UnitSystem system;
        Measures measures;
        const char* text;
    };
    // Troy units only with troy measures; US units not under imperial ones.
    const Case cases[] = {{UnitSystem::EnglishWeight, {}, "ozt"},
                          {UnitSystem::EnglishCapacity, {false, true}, "gal"},
                          {UnitSystem::EnglishLength, {}, ""},
                          {UnitSystem::Metric, {}, "mile"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_THROW(findUnit(c.system, c.measures, c.text), ConversionError);
    }
    try {
        findUnit(UnitSystem::EnglishCubic, {}, "cu m");
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(),
                     "There is no unit \"cu m\" in the English Cubic units (cu in, cu ft, cu yd, ac ft).");
    }
}

// Every unit is found by its own name and abbreviation, and no two units of
// one list share a name or abbreviation, whatever the capitals.
TEST(UnitLookup, EveryListedNameFindsItsOwnUnit) {
    for (int s = 0; s < kUnitSystemCount; ++s) {
        for (const Measures m : {Measures{}, Measures{true, true}}) {
            const auto system = static_cast<UnitSystem>(s);
            for (const Unit& u : unitsOf(system, m)) {
                EXPECT_EQ(&findUnit(system, m, u.name), &u) << u.name;
                EXPECT_EQ(&findUnit(system, m, u.abbreviation), &u) << u.abbreviation;
                EXPECT_NO_THROW(Decimal::parse(u.factor)) << u.name;
            }
        }
    }
}

TEST(UnitTapeLine, AbbreviationsAndPlainDigits) {
    const Unit& mi = findUnit(UnitSystem::EnglishLength, {}, "mi");
    const Unit& yd = findUnit(UnitSystem::EnglishLength, {}, "yd");
    EXPECT_EQ(unitTapeLine(3, mi, convertUnits(3, mi, yd), yd), "Convert 3 mi -> 5280 yd");
    EXPECT_EQ(unitTapeLine(Decimal::parse("0.5"), mi, convertUnits(Decimal::parse("0.5"), mi, yd), yd,
                           ","),
              "Convert 0,5 mi -> 880 yd");
}

TEST(UnitLabel, DecimalAndBinaryPrefixesSayHowManyBytes) {
    EXPECT_EQ(unitLabel(findUnit(UnitSystem::Computer, {}, "kB")), "kilobyte (kB, 1,000 bytes)");
    EXPECT_EQ(unitLabel(findUnit(UnitSystem::Computer, {}, "KiB")), "kibibyte (KiB, 1,024 bytes)");
    EXPECT_EQ(unitLabel(findUnit(UnitSystem::EnglishLength, {}, "mi")), "mile (mi)");
}

}  // namespace
