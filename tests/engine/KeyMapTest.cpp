// Which command each key of the keyboard runs, and how the model applies
// named keys.
#include <gtest/gtest.h>

#include "engine/CalculatorModel.h"
#include "engine/KeyMap.h"
#include "engine/ScriptedFeedback.h"

using namespace zorv::engine;

TEST(KeyMap, TypedCharacters) {
    using C = CommandId;
    const KeyMap keys(",");
    const std::pair<const char*, C> cases[] = {
        {"0", C::Digit0}, {"7", C::Digit7}, {"9", C::Digit9},
        {"+", C::Add}, {"-", C::Subtract}, {"*", C::Multiply}, {"x", C::Multiply}, {"X", C::Multiply},
        {"/", C::Divide}, {"=", C::Total}, {"\r", C::Total},
        {",", C::DecimalPoint}, {".", C::DecimalPoint},
        {"M", C::MemoryAdd}, {"m", C::MemorySubtract},
        {"C", C::Clear}, {"c", C::Clear}, {"\b", C::Backspace}, {"%", C::Percent},
        {"R", C::SquareRoot}, {"r", C::SquareRoot}, {"S", C::Square}, {"s", C::Square}, {"^", C::Square},
        {"(", C::ExpressionEvaluator}, {"N", C::AnnotateTape}, {"n", C::AnnotateTape}};
    for (auto [typed, id] : cases) EXPECT_EQ(keys.command(typed), id) << typed;
    for (const char* typed : {"q", " ", "", "12", ":", "\n", "\xC3\xA9"})
        EXPECT_EQ(keys.command(typed), std::nullopt) << typed;
}

TEST(KeyMap, OperatorKeysWinOverADecimalSymbolLikeThem) {
    EXPECT_EQ(KeyMap("/").command("/"), CommandId::Divide);
    EXPECT_EQ(KeyMap("\xC2\xB7").command("\xC2\xB7"), CommandId::DecimalPoint);
}

TEST(KeyMap, NamedKeys) {
    EXPECT_EQ(KeyMap::command(NamedKey::Delete), CommandId::ClearEntry);
    EXPECT_EQ(KeyMap::command(NamedKey::NumLock), std::nullopt);
    EXPECT_EQ(KeyMap::toolbarButton(NamedKey::Delete), std::nullopt);
    EXPECT_EQ(KeyMap::toolbarButton(NamedKey::NumLock), std::nullopt);
    for (int digit = 1; digit <= 9; ++digit) {
        const auto key = altDigitKey(digit);
        ASSERT_TRUE(key.has_value()) << digit;
        EXPECT_EQ(KeyMap::toolbarButton(*key), digit - 1);
    }
    EXPECT_EQ(altDigitKey(0), std::nullopt);
    EXPECT_EQ(altDigitKey(10), std::nullopt);
}

TEST(KeyMap, ModelRunsTheCommandTableForTypedAndNamedKeys) {
    ScriptedFeedback fb;
    CalculatorModel m(fb);
    std::vector<int> pressed;
    m.pressToolbarButton = [&pressed](int index) { pressed.push_back(index); };
    // Alt+digit reaches the toolbar even while the tape takes typed keys.
    m.tapeUnlocked = true;
    EXPECT_TRUE(m.pressKey(NamedKey::AltDigit3));
    EXPECT_FALSE(m.pressKey(NamedKey::NumLock));
    m.tapeUnlocked = false;
    EXPECT_TRUE(m.pressKey(NamedKey::AltDigit9));
    EXPECT_EQ(pressed, (std::vector<int>{2, 8}));
    EXPECT_FALSE(m.pressKey(NamedKey::NumLock));

    // A feature that replaces a keypad command gets the typed key too.
    int totals = 0;
    m.commands().add(CommandId::Total, [&totals] { ++totals; });
    EXPECT_TRUE(m.typeKey("="));
    EXPECT_TRUE(m.typeKey("\r"));
    EXPECT_EQ(totals, 2);
    EXPECT_EQ(m.tape().text(), "");
}
