#include <gtest/gtest.h>

#include <string>

#include "convert/ConversionCommands.h"
#include "convert/QuickConversions.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"

namespace {

using zorv::convert::QuickConversions;
using zorv::engine::CalculatorModel;
using zorv::engine::NumberSymbols;
using zorv::engine::ScriptedFeedback;

class Conversions : public ::testing::Test {
protected:
    explicit Conversions(NumberSymbols symbols = {}) : model(feedback, symbols), quick(model) {
        // Financial mode rounds every readout to two places; most checks
        // want the unrounded result.
        model.modes().financial = false;
    }

    std::string firstTapeLine() const {
        const std::string& tape = model.tape().text();
        return tape.substr(0, tape.find("\r\n"));
    }

    void convert(int set, int key, const std::string& readout) {
        ASSERT_TRUE(quick.setMode(set));
        model.setReadout(readout);
        quick.pressKey(key);
    }

    ScriptedFeedback feedback;
    CalculatorModel model;
    QuickConversions quick;
};

// ---- every key of every conversion set: caption and factor ----------------

struct KeyCase {
    int set;
    int key;
    bool troy;
    bool imperial;
    const char* input;
    const char* tapeLine;  // carries the caption, the input and the result
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.tapeLine; }

class EveryKey : public Conversions, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EveryKey, ConvertsWithItsFactorUnderItsCaption) {
    const KeyCase& c = GetParam();
    model.modes().troyMeasures = c.troy;
    model.modes().imperialMeasures = c.imperial;
    convert(c.set, c.key, c.input);
    EXPECT_EQ(firstTapeLine(), c.tapeLine);
    EXPECT_TRUE(feedback.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sets, EveryKey,
    ::testing::Values(
        KeyCase{1, 0, false, false, "1.", "Convert cm/in 1 -> 0.3937008"},
        KeyCase{1, 1, false, false, "1.", "Convert m/ft 1 -> 3.28083"},
        KeyCase{1, 2, false, false, "1.", "Convert m/yd 1 -> 1.09361"},
        KeyCase{1, 3, false, false, "1.", "Convert km/mi 1 -> 0.6213712"},
        KeyCase{1, 4, false, false, "1.", "Convert g/oz 1 -> 0.0352736"},
        KeyCase{1, 4, true, false, "1.", "Convert g/ozt 1 -> 0.0321492"},
        KeyCase{1, 5, false, false, "1.", "Convert kg/lb 1 -> 2.20462"},
        KeyCase{1, 5, true, false, "1.", "Convert kg/lbt 1 -> 2.679209"},
        KeyCase{1, 6, false, false, "1.", "Convert t/lt 1 -> 0.9842065"},
        KeyCase{1, 7, false, false, "1.", "Convert t/st 1 -> 1.102311"},
        KeyCase{2, 0, false, false, "1.", "Convert in/cm 1 -> 2.54"},
        KeyCase{2, 1, false, false, "1.", "Convert ft/m 1 -> 0.3048"},
        KeyCase{2, 2, false, false, "1.", "Convert yd/m 1 -> 0.9144"},
        KeyCase{2, 3, false, false, "1.", "Convert mi/km 1 -> 1.609344"},
        KeyCase{2, 4, false, false, "1.", "Convert oz/g 1 -> 28.34952"},
        KeyCase{2, 4, true, false, "1.", "Convert ozt/g 1 -> 31.10348"},
        KeyCase{2, 5, false, false, "1.", "Convert lb/kg 1 -> 0.4535924"},
        KeyCase{2, 5, true, false, "1.", "Convert lbt/kg 1 -> 0.3732417"},
        KeyCase{2, 6, false, false, "1.", "Convert lt/t 1 -> 1.016047"},
        KeyCase{2, 7, false, false, "1.", "Convert st/t 1 -> 0.9071847"},
        KeyCase{3, 0, false, false, "1.", "Convert sq. cm/in 1 -> 0.1550003"},
        KeyCase{3, 1, false, false, "1.", "Convert sq. m/ft 1 -> 10.76391"},
        KeyCase{3, 2, false, false, "1.", "Convert sq. m/yd 1 -> 1.19599"},
        KeyCase{3, 3, false, false, "1.", "Convert sq. km/mi 1 -> 0.3861022"},
        KeyCase{3, 4, false, false, "1.", "Convert cu. m/ft 1 -> 35.31467"},
        KeyCase{3, 5, false, false, "1.", "Convert cu. m/yd 1 -> 1.307951"},
        KeyCase{3, 6, false, false, "1.", "Convert L/pt 1 -> 2.113376"},
        KeyCase{3, 6, false, true, "1.", "Convert L/pt 1 -> 1.759754"},
        KeyCase{3, 7, false, false, "1.", "Convert L/gal 1 -> 0.2641721"},
        KeyCase{3, 7, false, true, "1.", "Convert L/gal 1 -> 0.2199692"},
        KeyCase{4, 0, false, false, "1.", "Convert sq. in/cm 1 -> 6.4516"},
        KeyCase{4, 1, false, false, "1.", "Convert sq. ft/m 1 -> 0.09290304"},
        KeyCase{4, 2, false, false, "1.", "Convert sq. yd/m 1 -> 0.8361274"},
        KeyCase{4, 3, false, false, "1.", "Convert sq. mi/km 1 -> 2.589988"},
        KeyCase{4, 4, false, false, "1.", "Convert cu. ft/m 1 -> 0.02831685"},
        KeyCase{4, 5, false, false, "1.", "Convert cu. yd/m 1 -> 0.7645549"},
        KeyCase{4, 6, false, false, "1.", "Convert pt/L 1 -> 0.4731765"},
        KeyCase{4, 6, false, true, "1.", "Convert pt/L 1 -> 0.568261"},
        KeyCase{4, 7, false, false, "1.", "Convert gal/L 1 -> 3.785412"},
        KeyCase{4, 7, false, true, "1.", "Convert gal/L 1 -> 4.546092"},
        // The troy and imperial marks only touch their own keys.
        KeyCase{1, 0, true, true, "1.", "Convert cm/in 1 -> 0.3937008"},
        KeyCase{3, 7, true, false, "1.", "Convert L/gal 1 -> 0.2641721"},
        KeyCase{1, 4, false, true, "1.", "Convert g/oz 1 -> 0.0352736"},
        // Temperatures: each formula, with the 273.16 Kelvin offset.
        KeyCase{5, 0, false, false, "100.", "Convert C to F 100 -> 212"},
        KeyCase{5, 1, false, false, "100.", "Convert C to K 100 -> 373.16"},
        KeyCase{5, 2, false, false, "373.16", "Convert K to C 373.16 -> 100"},
        KeyCase{5, 3, false, false, "212.", "Convert F to C 212 -> 100"},
        KeyCase{5, 4, false, false, "212.", "Convert F to K 212 -> 373.16"},
        KeyCase{5, 5, false, false, "373.16", "Convert K to F 373.16 -> 212"},
        KeyCase{5, 0, false, false, "-40.", "Convert C to F -40 -> -40"},
        KeyCase{5, 5, false, false, "0.", "Convert K to F 0 -> -459.688"},
        // Time: to a smaller unit multiplies, to a larger one divides.
        KeyCase{6, 0, false, false, "1.", "Convert Wk/Day 1 -> 7"},
        KeyCase{6, 1, false, false, "1.", "Convert Wk/Hr 1 -> 168"},
        KeyCase{6, 2, false, false, "1.", "Convert Wk/Min 1 -> 10080"},
        KeyCase{6, 3, false, false, "1.", "Convert Wk/Sec 1 -> 604800"},
        KeyCase{6, 4, false, false, "14.", "Convert Day/Wk 14 -> 2"},
        KeyCase{6, 5, false, false, "336.", "Convert Hr/Wk 336 -> 2"},
        KeyCase{6, 6, false, false, "20160.", "Convert Min/Wk 20160 -> 2"},
        KeyCase{6, 7, false, false, "1209600.", "Convert Sec/Wk 1209600 -> 2"},
        KeyCase{7, 0, false, false, "1.", "Convert Day/Hr 1 -> 24"},
        KeyCase{7, 1, false, false, "1.", "Convert Day/Min 1 -> 1440"},
        KeyCase{7, 2, false, false, "1.", "Convert Day/Sec 1 -> 86400"},
        KeyCase{7, 3, false, false, "48.", "Convert Hr/Day 48 -> 2"},
        KeyCase{7, 4, false, false, "2880.", "Convert Min/Day 2880 -> 2"},
        KeyCase{7, 5, false, false, "172800.", "Convert Sec/Day 172800 -> 2"},
        KeyCase{8, 0, false, false, "1.", "Convert Hr/Min 1 -> 60"},
        KeyCase{8, 1, false, false, "1.", "Convert Hr/Sec 1 -> 3600"},
        KeyCase{8, 2, false, false, "120.", "Convert Min/Hr 120 -> 2"},
        KeyCase{8, 3, false, false, "7200.", "Convert Sec/Hr 7200 -> 2"},
        KeyCase{9, 0, false, false, "1.", "Convert Min/Sec 1 -> 60"},
        KeyCase{9, 1, false, false, "120.", "Convert Sec/Min 120 -> 2"},
        // A fraction of a time unit keeps its fixed-point digits when
        // multiplied, and a division gives the 15-digit double text.
        KeyCase{8, 0, false, false, "1.2345", "Convert Hr/Min 1.2345 -> 74.07"},
        KeyCase{6, 4, false, false, "1.", "Convert Day/Wk 1 -> 0.142857142857143"}));

TEST_F(Conversions, KeysWithoutAConversionAreUnavailableAndOnlyBeep) {
    const struct {
        int set;
        int firstBlank;
    } sets[] = {{5, 6}, {7, 6}, {8, 4}, {9, 2}};
    for (const auto& s : sets) {
        SCOPED_TRACE(s.set);
        quick.setMode(s.set);
        EXPECT_TRUE(quick.keyAvailable(s.firstBlank - 1));
        for (int key = s.firstBlank; key < QuickConversions::kKeyCount; ++key) {
            EXPECT_FALSE(quick.keyAvailable(key));
            EXPECT_EQ(quick.caption(key), "");
            model.setReadout("5.");
            const int beeps = feedback.beeps;
            quick.pressKey(key);
            EXPECT_EQ(feedback.beeps, beeps + 1);
            EXPECT_EQ(model.readout(), "5.");
        }
    }
    EXPECT_EQ(model.tape().text(), "");
}

// ---- the conversion as a whole ----------------------------------------------

TEST_F(Conversions, InputIsRoundedToFourPlacesBeforeConverting) {
    convert(1, 0, "1.23456");
    EXPECT_EQ(firstTapeLine(), "Convert cm/in 1.2346 -> 0.48606300768");
    model.tape().clear();
    // Half to even at the fifth decimal, as the fixed-point type rounds.
    convert(6, 0, "0.00005");
    EXPECT_EQ(firstTapeLine(), "Convert Wk/Day 0 -> 0");
}

TEST_F(Conversions, WithNoOperationPendingEqualsCompletesTheResult) {
    ASSERT_EQ(model.hint(), "Press F1 for Help");
    convert(5, 0, "100.");
    EXPECT_EQ(model.tape().text(),
              "Convert C to F 100 -> 212\r\n"
              "212=\r\n------------------\r\n212.\r\n******************\r\n");
    EXPECT_EQ(model.readout(), "212.");  // Carry Result keeps it
    EXPECT_EQ(model.entryState(), zorv::engine::EntryState::AfterOperator);
}

TEST_F(Conversions, WithAnOperationPendingTheResultIsTheNextOperand) {
    model.pressDigit(5);
    model.pressOperator(zorv::engine::OpAdd);
    model.pressDigit(2);
    quick.setMode(6);
    quick.pressKey(0);  // 2 weeks -> 14 days
    EXPECT_EQ(model.readout(), "14.");
    EXPECT_EQ(model.entryState(), zorv::engine::EntryState::Number);
    model.pressOperator(zorv::engine::OpEquals);
    EXPECT_NE(model.tape().text().find("Convert Wk/Day 2 -> 14\r\n14=\r\n"), std::string::npos);
    EXPECT_NE(model.tape().text().find("\r\n19.\r\n"), std::string::npos);
}

TEST_F(Conversions, FinancialModeRoundsTheResultInReadoutAndTape) {
    model.modes().financial = true;
    convert(3, 7, "1.");
    EXPECT_EQ(firstTapeLine(), "Convert L/gal 1 -> 0.26");
    EXPECT_EQ(model.readout(), "0.26");
}

TEST_F(Conversions, TinyQuotientIsWrittenInPlainDigits) {
    convert(6, 7, "0.0001");  // 1.65343915343915E-10 as a double
    EXPECT_EQ(firstTapeLine(), "Convert Sec/Wk 0.0001 -> 0.000000000165343915343915");
    EXPECT_EQ(model.readout().find('E'), std::string::npos);
}

class CommaLocale : public Conversions {
protected:
    CommaLocale() : Conversions(NumberSymbols{",", ".", "$"}) {}
};

TEST_F(CommaLocale, ReadsAndWritesTheLocaleDecimalSymbol) {
    convert(1, 0, "1,5");
    EXPECT_EQ(firstTapeLine(), "Convert cm/in 1,5 -> 0,5905512");
    model.tape().clear();
    convert(6, 4, "1,");
    EXPECT_EQ(firstTapeLine(), "Convert Day/Wk 1 -> 0,142857142857143");
    EXPECT_EQ(model.readout(), "0,142857142857143");
}

// ---- bad input ----------------------------------------------------------------

TEST_F(Conversions, BadReadoutOrUnrepresentableResultReportsInvalidValue) {
    const struct {
        int set;
        int key;
        const char* readout;
    } cases[] = {
        {1, 0, "1000000000000000."},      // beyond the fixed-point range
        {1, 0, "-"},                      // only a sign keyed so far
        {6, 3, "900000000000000."},       // weeks to seconds overflows
        {7, 2, "-900000000000000."},      // and so do negative days
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.readout);
        feedback.clearRecord();
        convert(c.set, c.key, c.readout);
        EXPECT_EQ(feedback.messageTexts(), std::vector<std::string>{"Invalid value!"});
        EXPECT_EQ(feedback.messages.at(0).title, "Zorv Advanced Calculator");
        EXPECT_EQ(model.readout(), c.readout);
        EXPECT_EQ(model.tape().text(), "");
    }
    // The readout stays usable: the next conversion works normally.
    feedback.clearRecord();
    convert(6, 3, "2.");
    EXPECT_EQ(firstTapeLine(), "Convert Wk/Sec 2 -> 1209600");
    EXPECT_TRUE(feedback.messages.empty());
}

TEST_F(Conversions, LargestFixedPointInputsStillConvert) {
    convert(6, 4, "922337203685477.5807");
    EXPECT_EQ(firstTapeLine(), "Convert Day/Wk 922337203685477.5807 -> 131762457669354");
    model.tape().clear();
    convert(4, 4, "-922337203685477.5808");
    EXPECT_EQ(firstTapeLine(),
              "Convert cu. ft/m -922337203685477.5808 -> -26117684246181.11583387648");
}

}  // namespace
