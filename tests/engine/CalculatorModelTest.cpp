// Keys in, readout and tape out: the calculator model driven through the same
// keyboard handling the window and batch mode use.
#include <gtest/gtest.h>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"

using namespace zorv::engine;

namespace {

// A calculator with the plain adding-machine settings: no financial
// formatting, no thousands grouping, no carried result.
struct Calc {
    ScriptedFeedback fb;
    CalculatorModel m;
    explicit Calc(NumberSymbols s = {}) : m(fb, std::move(s)) {
        m.modes().financial = false;
        m.modes().formatNumbers = false;
        m.modes().carryResult = false;
    }
    Calc& keys(std::string_view script) {
        const auto ks = parseKeyScript(script);
        for (const auto& a : ks.answers) fb.answer(a);
        runKeyScript(m, ks, [](const std::string& name) { FAIL() << "unknown command " << name; });
        return *this;
    }
    const std::string& readout() const { return m.readout(); }
    const std::string& tape() const { return m.tape().text(); }
};

TEST(Operators, FirstExampleWritesFiveLines) {
    Calc c;
    c.keys("5+3=");
    EXPECT_EQ(c.tape(), "5+\r\n3=\r\n------------------\r\n8.\r\n******************\r\n");
    EXPECT_EQ(c.readout(), "0.");
    EXPECT_EQ(c.m.hint(), "Press F1 for Help");
}

TEST(Operators, MinusAfterOperatorIsTheSignOfTheNextNumber) {
    Calc c;
    c.keys("5+-");
    EXPECT_EQ(c.readout(), "-");
    EXPECT_EQ(c.m.entryState(), EntryState::Negative);
    c.keys("3");
    EXPECT_EQ(c.readout(), "-3.");
    c.keys("=");
    EXPECT_EQ(c.tape(), "5+\r\n-3=\r\n------------------\r\n2.\r\n******************\r\n");
}

TEST(Operators, LeadingMinusStartsANegativeNumber) {
    Calc c;
    c.keys("-4+1=");
    EXPECT_EQ(c.tape(), "-4+\r\n1=\r\n------------------\r\n-3.\r\n******************\r\n");
}

struct ChainCase {
    const char* keys;
    const char* lastTotal;  // the line after the hyphens of the last total block
};

class Chains : public ::testing::TestWithParam<ChainCase> {};

TEST_P(Chains, Total) {
    Calc c;
    c.m.modes().carryResult = true;
    c.keys(GetParam().keys);
    const std::string& t = c.tape();
    const auto hy = t.rfind("------------------\r\n");
    ASSERT_NE(hy, std::string::npos) << t;
    const auto start = hy + 20;
    EXPECT_EQ(t.substr(start, t.find("\r\n", start) - start), GetParam().lastTotal) << t;
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, Chains,
    ::testing::Values(ChainCase{"12+30\n", "42."}, ChainCase{"5++3=", "13."},
                      ChainCase{"6X7=", "42."}, ChainCase{"1/3=", "0.3333333333333333333333333333"},
                      ChainCase{"2/3=", "0.6666666666666666666666666667"},
                      ChainCase{".1+.2=", "0.3"}, ChainCase{"10-2.5-2.5=", "5."},
                      ChainCase{"5+3==", "8."}, ChainCase{"5+3=+2=", "10."},
                      ChainCase{"2X3X4=", "24."}, ChainCase{"1.5X2=", "3."}));

TEST(Operators, SecondEqualsWritesASecondTotalBlock) {
    Calc c;
    c.m.modes().carryResult = true;
    c.keys("5+3==");
    EXPECT_EQ(c.tape(),
              "5+\r\n3=\r\n------------------\r\n8.\r\n******************\r\n"
              "8=\r\n------------------\r\n8.\r\n******************\r\n");
}

TEST(Operators, CarryResultKeepsTheTotalForTheNextChain) {
    Calc c;
    c.m.modes().carryResult = true;
    c.keys("5+3=");
    EXPECT_EQ(c.readout(), "8.");
    c.keys("X2=");
    EXPECT_EQ(c.readout(), "16.");
}

TEST(Operators, AddingMachineAppliesEachKeyToTheNumberJustKeyed) {
    Calc c;
    c.m.modes().addingMachine = true;
    c.m.modes().carryResult = true;
    c.keys("5+3-=");
    EXPECT_EQ(c.readout(), "2.");
    Calc d;
    d.m.modes().addingMachine = true;
    d.m.modes().carryResult = true;
    d.keys("5+3=");
    EXPECT_EQ(d.readout(), "8.");  // "=" after a number adds it
}

TEST(Operators, RepeatSubtractionTakesMinusAsAnOperatorNotASign) {
    Calc c;
    c.m.modes().repeatSubtraction = true;
    c.keys("-");
    EXPECT_NE(c.m.entryState(), EntryState::Negative);  // no sign at the start either
    c.keys("10+-");
    EXPECT_NE(c.m.entryState(), EntryState::Negative);
    EXPECT_NE(c.readout(), "-");
}

TEST(Operators, MagicNumberKeepsTheFirstNumberAsOperand) {
    Calc c;
    c.m.modes().magicNumber = true;
    c.m.modes().carryResult = true;
    c.keys("100+5+7=");
    EXPECT_EQ(c.readout(), "107.");
}

TEST(Operators, NumberTapeItemsCountsAndRestartsAfterTotalAndClear) {
    Calc c;
    c.m.modes().numberTapeItems = true;
    c.keys("12+3+4=");
    EXPECT_EQ(c.tape(),
              "12+ >1<\r\n3+ >2<\r\n4= >3<\r\n------------------\r\n19.\r\n******************\r\n");
    c.keys("1+");
    EXPECT_TRUE(c.tape().ends_with("1+ >1<\r\n"));
    c.keys("c2+");
    EXPECT_TRUE(c.tape().ends_with("2+ >1<\r\n"));
}

TEST(Operators, HintNamesThePendingOperation) {
    Calc c;
    const std::pair<const char*, const char*> cases[] = {
        {"1+", "Press F1 for Help [Adding]"},
        {"1-", "Press F1 for Help [Subtracting]"},
        {"1X", "Press F1 for Help [Multiplying]"},
        {"1/", "Press F1 for Help [Dividing]"},
        {"1=", "Press F1 for Help"}};
    for (auto [keys, hint] : cases) {
        c.keys("c").keys(keys);
        EXPECT_EQ(c.m.hint(), hint) << keys;
    }
}

TEST(Operators, FinancialModeAndGroupingShapeTheTape) {
    Calc c;
    c.m.modes().financial = true;
    c.m.modes().formatNumbers = true;
    c.keys("1234567.891+1=");
    EXPECT_EQ(c.tape(),
              "1,234,567.89+\r\n1.00=\r\n------------------\r\n1,234,568.89\r\n******************\r\n");
    EXPECT_EQ(c.readout(), "0.00");
}

TEST(Operators, DivisionByZeroShowsTheMessageAndClears) {
    Calc c;
    c.keys("8/0=");
    ASSERT_EQ(c.fb.messages.size(), 1u);
    EXPECT_EQ(c.fb.messages[0].text, "Can't divide by zero");
    EXPECT_EQ(c.fb.messages[0].title, "Zorv Advanced Calculator");
    EXPECT_EQ(c.fb.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(c.tape(), "8/\r\n******************\r\n Clear\r\n******************\r\n\r\n");
    EXPECT_EQ(c.readout(), "0.");
    EXPECT_EQ(c.m.numOps(), 0);
}

TEST(Operators, OverflowShowsInvalidValueAndClears) {
    Calc c;
    c.keys("79228162514264337593543950335+1=");
    ASSERT_EQ(c.fb.messageTexts(), std::vector<std::string>{"Invalid value!"});
    EXPECT_EQ(c.fb.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(c.tape().ends_with("******************\r\n Clear\r\n******************\r\n\r\n"));
    EXPECT_EQ(c.readout(), "0.");
}

TEST(Operators, RpnModeWithoutStackReportsAnError) {
    Calc c;
    c.m.modes().rpn = true;
    c.keys("5+");
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{"RPN Error"});
    EXPECT_EQ(c.tape(), "");
}

// ---------------------------------------------------------------------------

TEST(Entry, DigitsBuildTheReadout) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "0."},      {"007", "7."},   {"123", "123."}, {"..", "0."},
        {".5", "0.5"},   {"1.50", "1.50"}, {"1.2.3", "1.23"}};
    for (auto [keys, readout] : cases) {
        Calc c;
        c.keys(keys);
        EXPECT_EQ(c.readout(), readout) << keys;
    }
}

TEST(Entry, NegativeEntryAfterSign) {
    Calc c;
    c.keys("5+-4");
    EXPECT_EQ(c.readout(), "-4.");
    Calc d;
    d.keys("5+-.");
    EXPECT_EQ(d.readout(), "-0.");
}

TEST(Entry, LocaleDecimalComma) {
    Calc c(NumberSymbols{",", ".", "€"});
    c.keys("1,5+2.25=");
    EXPECT_EQ(c.tape(), "1,5+\r\n2,25=\r\n------------------\r\n3,75\r\n******************\r\n");
}

TEST(Entry, MaxDigitsRefusesWithABeep) {
    Calc c;
    c.keys(std::string(34, '9'));
    EXPECT_EQ(c.readout().size(), 35u);
    EXPECT_EQ(c.fb.beeps, 0);
    c.keys("9");
    EXPECT_EQ(c.fb.beeps, 1);
    EXPECT_EQ(c.readout().size(), 35u);
}

TEST(Entry, ChangeSignAndClearEntry) {
    Calc c;
    c.keys("12{+/-}");
    EXPECT_EQ(c.readout(), "-12.");
    c.keys("{+/-}");
    EXPECT_EQ(c.readout(), "12.");
    c.keys("+7{CE}");
    EXPECT_EQ(c.readout(), "0.");
    EXPECT_EQ(c.m.entryState(), EntryState::Cleared);
    c.keys("3=");
    EXPECT_TRUE(c.tape().find("\r\n15.\r\n") != std::string::npos) << c.tape();  // CE kept 12
}

TEST(Entry, ClearBannerOrEmptyLine) {
    Calc c;
    c.keys("5+c");
    EXPECT_EQ(c.tape(), "5+\r\n******************\r\n Clear\r\n******************\r\n\r\n");
    Calc d;
    d.m.modes().hideClearBanner = true;
    d.keys("5+c");
    EXPECT_EQ(d.tape(), "5+\r\n\r\n");
}

TEST(Entry, AutoDecimalEntersDigitsFromTheRight) {
    Calc c;
    c.m.modes().autoDecimal = true;
    c.keys("1");
    EXPECT_EQ(c.readout(), "0.01");
    c.keys("2");
    EXPECT_EQ(c.readout(), "0.12");
    c.keys("3");
    EXPECT_EQ(c.readout(), "1.23");
    c.keys("{BS}");
    EXPECT_EQ(c.readout(), "0.12");
    c.keys("+-5");
    EXPECT_EQ(c.readout(), "-0.05");
    c.keys("5");
    EXPECT_EQ(c.readout(), "-0.55");
    c.keys("=");
    EXPECT_TRUE(c.tape().find("\r\n-0.43\r\n") != std::string::npos) << c.tape();
}

TEST(Entry, BackspaceEditsTheNumberBeingKeyed) {
    const std::pair<const char*, const char*> cases[] = {
        {"123{BS}", "12."}, {"1.25{BS}", "1.2"}, {"1.2{BS}{BS}", "1."},
        {"1.2{BS}{BS}5", "15."}, {"5{BS}", "0."}, {"5+-{BS}", "0."}, {"5+-7{BS}", "0."}};
    for (auto [keys, readout] : cases) {
        Calc c;
        c.keys(keys);
        EXPECT_EQ(c.readout(), readout) << keys;
    }
    Calc c;
    c.keys("5+{BS}");
    EXPECT_EQ(c.fb.beeps, 1);
    EXPECT_EQ(c.readout(), "5.");
}

TEST(Routines, PurgeNumericInputKeepsDigitsSymbolAndMinus) {
    ScriptedFeedback fb;
    CalculatorModel m(fb);
    EXPECT_EQ(m.purgeNumericInput("0012."), "12");
    EXPECT_EQ(m.purgeNumericInput("$ 1,234.50"), "1234.5");
    EXPECT_EQ(m.purgeNumericInput("   "), "");
    EXPECT_FALSE(m.inputCancelled);
    EXPECT_EQ(m.purgeNumericInput("1-2"), "0");
    EXPECT_TRUE(m.inputCancelled);
    EXPECT_EQ(m.purgeNumericInput("--1"), "0");
    EXPECT_EQ(fb.messageTexts(), (std::vector<std::string>{"Invalid value!", "Invalid value!"}));
    m.builderVisible = true;
    EXPECT_EQ(m.purgeNumericInput("5' 3\" x"), "5'3\"");
}

TEST(Routines, ValidValueFallsBackToZero) {
    ScriptedFeedback fb;
    CalculatorModel m(fb);
    EXPECT_EQ(m.validValue("12.50"), "12.5");
    EXPECT_EQ(m.validValue("abc"), "0.");
    EXPECT_EQ(fb.messageTexts(), std::vector<std::string>{"Invalid value!"});
}

// ---------------------------------------------------------------------------

TEST(Memory, StoreAddSubtractRecallClear) {
    Calc c;
    c.keys("5{MS}");
    EXPECT_TRUE(c.m.memory().shown());
    EXPECT_EQ(c.m.memory().label(), "5.");
    c.keys("c2.5{M+}");
    EXPECT_EQ(c.m.memory().label(), "7.5");
    c.keys("c1m");
    EXPECT_EQ(c.m.memory().label(), "6.5");
    c.keys("c{MR}X2=");
    EXPECT_TRUE(c.tape().find("6.5X\r\n2=\r\n------------------\r\n13.\r\n") != std::string::npos)
        << c.tape();
    c.keys("{MC}");
    EXPECT_FALSE(c.m.memory().shown());
    EXPECT_EQ(c.m.memory().label(), "");
    EXPECT_TRUE(c.m.memory().value().isZero());
    EXPECT_EQ(c.tape().find("M"), std::string::npos);  // memory keys write nothing
}

TEST(Memory, AddAndSubtractStartFromZero) {
    Calc c;
    c.keys("4M");
    EXPECT_EQ(c.m.memory().label(), "4.");
    Calc d;
    d.keys("4{M-}");
    EXPECT_EQ(d.m.memory().label(), "-4.");
}

TEST(Memory, ToolTipIsGroupedWhileTheLabelIsNot) {
    Calc c;
    c.m.modes().formatNumbers = true;
    c.keys("1234567{MS}");
    EXPECT_EQ(c.m.memory().label(), "1234567.");
    EXPECT_EQ(c.m.memory().toolTip(), "1,234,567.");
}

TEST(Memory, OverflowLeavesTheRegisterAsItWas) {
    Calc c;
    c.keys("79228162514264337593543950335{MS}{M+}");
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>{"Invalid value!"});
    EXPECT_EQ(c.m.memory().label(), "79228162514264337593543950335.");
}

// ---------------------------------------------------------------------------

TEST(Keyboard, MultiplyKeysAndEnter) {
    for (const char* k : {"*", "x", "X"}) {
        Calc c;
        c.keys(std::string("6") + k + "7\n");
        EXPECT_TRUE(c.tape().find("\r\n42.\r\n") != std::string::npos) << k;
    }
}

TEST(Keyboard, BothDecimalKeysWithCommaLocale) {
    Calc c(NumberSymbols{",", ".", "$"});
    c.keys("1,5");
    EXPECT_EQ(c.readout(), "1,5");
    Calc d(NumberSymbols{",", ".", "$"});
    d.keys("1.5");
    EXPECT_EQ(d.readout(), "1,5");
}

TEST(Keyboard, TapeEditingTakesTypedKeys) {
    Calc c;
    c.m.tapeUnlocked = true;
    EXPECT_FALSE(c.m.typeKey("5"));
    EXPECT_EQ(c.readout(), "0.");
    EXPECT_FALSE(c.m.pressKey(NamedKey::Delete));
}

TEST(Keyboard, DeleteActsAsClearEntryAndUnknownKeysAreSwallowed) {
    Calc c;
    c.keys("12{DEL}");
    EXPECT_EQ(c.readout(), "0.");
    EXPECT_EQ(c.m.entryState(), EntryState::Cleared);
    EXPECT_FALSE(c.m.typeKey("q"));
    EXPECT_FALSE(c.m.typeKey(" "));
}

TEST(Keyboard, KeysOfFeaturesNotInstalledBeep) {
    Calc c;
    c.keys("(");
    EXPECT_EQ(c.fb.beeps, 1);
    int ran = 0;
    c.m.commands().add(zorv::engine::CommandId::SquareRoot, [&ran] { ++ran; });
    c.keys("Rr");
    EXPECT_EQ(ran, 2);
}

}  // namespace

namespace {

// A recalled or computed value is a whole entry: an operator takes it as it
// is, and a digit keyed next starts a new number instead of being spliced
// into it (which would drop its decimals: 6.50 then 5 gave 65.).
TEST(Memory, DigitAfterRecallStartsANewNumber) {
    Calc c;
    c.m.modes().financial = true;
    c.keys("6.5{MS}c{MR}");
    EXPECT_EQ(c.readout(), "6.50");
    c.keys("5");
    EXPECT_EQ(c.readout(), "5.");
    c.keys("c{MR}+1=");
    EXPECT_NE(c.tape().find("6.50+\r\n1.00=\r\n------------------\r\n7.50\r\n"), std::string::npos)
        << c.tape();
}

}  // namespace

namespace {

// A pasted number is a whole entry like a recalled one: the next digit
// starts a new number (splicing it in dropped the pasted decimals: 12.50
// then 3 gave 123.), and an operator takes it with all its decimals.
TEST(Clipboard, PastedNumberIsAWholeEntry) {
    Calc c;
    c.m.modes().financial = true;
    c.keys("c");
    c.m.pasteReadout("12.5");
    EXPECT_EQ(c.readout(), "12.50");
    c.keys("3");
    EXPECT_EQ(c.readout(), "3.");
    c.keys("c");
    c.m.pasteReadout("12.5");
    c.keys("+1=");
    EXPECT_NE(c.tape().find("12.50+\r\n1.00=\r\n------------------\r\n13.50\r\n"), std::string::npos)
        << c.tape();
    // The decimal key also starts afresh, and backspace has nothing keyed
    // to edit.
    c.keys("c");
    c.m.pasteReadout("12.5");
    c.keys(".7");
    EXPECT_EQ(c.readout(), "0.7");
    c.m.pasteReadout("$ 1,234.5 ");
    EXPECT_EQ(c.readout(), "1234.50");
    c.keys("{BS}");
    EXPECT_EQ(c.readout(), "1234.50");
    // Text that is not a number says so and leaves the readout.
    c.m.pasteReadout("--");
    EXPECT_EQ(c.readout(), "1234.50");
    EXPECT_EQ(c.fb.messages.size(), 1u);
}

// While the construction calculator is open the input cleaner keeps the
// marks of a length and skips its check; a paste still only takes a number.
TEST(Clipboard, PasteWhileTheBuilderIsOpenTakesOnlyANumber) {
    Calc c;
    c.m.modes().financial = false;
    c.m.builderVisible = true;
    c.m.pasteReadout("12.5");
    EXPECT_EQ(c.readout(), "12.5");
    for (const char* bad : {"5' 3\"", "1-2", "3/4\""}) {
        c.m.pasteReadout(bad);
        EXPECT_EQ(c.readout(), "12.5") << bad;
    }
    EXPECT_EQ(c.fb.messageTexts(), std::vector<std::string>(3, "Invalid value!"));
}

TEST(Clipboard, CopiedReadoutDropsTheDecimalSymbolOfAWholeNumber) {
    struct Case {
        const char* keys;
        const char* decimal;
        const char* copied;
    };
    const Case cases[] = {
        {"7", ".", "7"},      {"7.25", ".", "7.25"}, {"7{+/-}", ".", "-7"}, {"c", ".", "0"},
        {"7,5", ",", "7,5"},  {"7", ",", "7"},       {"0.5", ".", "0.5"},
    };
    for (const Case& t : cases) {
        NumberSymbols symbols;
        symbols.decimal = t.decimal;
        symbols.thousand = std::string(t.decimal) == "," ? "." : ",";
        Calc c(symbols);
        c.keys(t.keys);
        EXPECT_EQ(c.m.readoutForCopy(), t.copied) << t.keys;
    }
}

}  // namespace
