// The Modes menu through the command table: each item flips its check mark,
// the incompatible pair excludes each other, the modes kept at once are
// written, and the mode label follows.
#include <gtest/gtest.h>

#include <map>

#include "engine/CalculatorModel.h"
#include "engine/ModeCommands.h"
#include "engine/ModeLabel.h"
#include "engine/ScriptedFeedback.h"

using namespace zorv::engine;

namespace {

struct Calc {
    ScriptedFeedback fb;
    CalculatorModel m{fb};
    std::map<std::string, std::string> written;
    Calc() {
        registerModeCommands(m, [this](const std::string& key, const std::string& value) {
            written[key] = value;
        });
    }
};

struct ModeCase {
    const char* command;
    bool Modes::*flag;
    const char* storedKey;  // written when toggled, or nullptr
};

class ModeToggles : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeToggles, FlipTheFlagAndShowIt) {
    Calc c;
    const ModeCase& k = GetParam();
    const bool before = c.m.modes().*k.flag;
    ASSERT_TRUE(c.m.commands().checked(k.command).has_value());
    c.m.runCommand(k.command);
    EXPECT_EQ(c.m.modes().*k.flag, !before);
    EXPECT_EQ(*c.m.commands().checked(k.command), !before);
    c.m.runCommand(k.command);
    EXPECT_EQ(c.m.modes().*k.flag, before);
    if (k.storedKey) {
        ASSERT_EQ(c.written.size(), 1u);
        EXPECT_EQ(c.written.begin()->first, k.storedKey);
        EXPECT_EQ(c.written.begin()->second, before ? "True" : "False");
    } else {
        EXPECT_TRUE(c.written.empty()) << c.written.begin()->first;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Menu, ModeToggles,
    ::testing::Values(ModeCase{"Financial Calculator", &Modes::financial, nullptr},
                      ModeCase{"Auto-Decimal Mode", &Modes::autoDecimal, nullptr},
                      ModeCase{"Adding Machine Mode", &Modes::addingMachine, nullptr},
                      ModeCase{"RPN Mode", &Modes::rpn, nullptr},
                      ModeCase{"Show Percentages", &Modes::showPercentages, nullptr},
                      ModeCase{"% for Number", &Modes::percentForNumber, nullptr},
                      ModeCase{"Magic Number", &Modes::magicNumber, nullptr},
                      ModeCase{"Repeat Subtraction", &Modes::repeatSubtraction, "Repeat Subtraction"},
                      ModeCase{"Carry Result", &Modes::carryResult, nullptr},
                      ModeCase{"Format Numbers", &Modes::formatNumbers, nullptr},
                      ModeCase{"Number Tape Items", &Modes::numberTapeItems, "Tape Item Count"}));

TEST(Modes, AddingMachineAndRpnExcludeEachOther) {
    Calc c;
    bool cleared = false;
    c.m.rpnClear = [&cleared] { cleared = true; };
    c.m.runCommand("RPN Mode");
    EXPECT_TRUE(cleared);
    c.m.runCommand("Adding Machine Mode");
    EXPECT_TRUE(c.m.modes().addingMachine);
    EXPECT_FALSE(c.m.modes().rpn);
    c.m.runCommand("RPN Mode");
    EXPECT_TRUE(c.m.modes().rpn);
    EXPECT_FALSE(c.m.modes().addingMachine);
    // Adding Machine off leaves RPN as it is.
    c.m.runCommand("Adding Machine Mode");
    c.m.runCommand("Adding Machine Mode");
    EXPECT_FALSE(c.m.modes().addingMachine);
    EXPECT_FALSE(c.m.modes().rpn);
}

TEST(Modes, LabelShowsTheModesThatChangeTheKeys) {
    Modes m;
    m.financial = false;
    m.carryResult = false;
    EXPECT_EQ(modeLabel(m), "");
    m.financial = m.autoDecimal = m.addingMachine = m.repeatSubtraction = true;
    m.magicNumber = m.carryResult = m.radians = true;
    EXPECT_EQ(modeLabel(m), "FIN ADEC ADD RS MN CR RAD");
    m = Modes{};
    m.rpn = true;
    EXPECT_EQ(modeLabel(m), "FIN RPN CR");
}

}  // namespace
