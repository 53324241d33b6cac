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
    ::testing::Values(ModeCase{"Financial Calculator", &Modes::mnuFinCalcMode, nullptr},
                      ModeCase{"Auto-Decimal Mode", &Modes::mnuAutoDecimal, nullptr},
                      ModeCase{"Adding Machine Mode", &Modes::mnuAddMachMode, nullptr},
                      ModeCase{"RPN Mode", &Modes::mnuRpnMode, nullptr},
                      ModeCase{"Show Percentages", &Modes::mnuShowPercentMode, nullptr},
                      ModeCase{"% for Number", &Modes::mnuPercentForNum, nullptr},
                      ModeCase{"Magic Number", &Modes::mnuMagicNumber, nullptr},
                      ModeCase{"Repeat Subtraction", &Modes::mnuRepeatSubtract, "Repeat Subtraction"},
                      ModeCase{"Carry Result", &Modes::CarryResult, nullptr},
                      ModeCase{"Format Numbers", &Modes::mnuFormatNumbers, nullptr},
                      ModeCase{"Number Tape Items", &Modes::mnuTapeItems, "Tape Item Count"}));

TEST(Modes, AddingMachineAndRpnExcludeEachOther) {
    Calc c;
    bool cleared = false;
    c.m.RPNclear = [&cleared] { cleared = true; };
    c.m.runCommand("RPN Mode");
    EXPECT_TRUE(cleared);
    c.m.runCommand("Adding Machine Mode");
    EXPECT_TRUE(c.m.modes().mnuAddMachMode);
    EXPECT_FALSE(c.m.modes().mnuRpnMode);
    c.m.runCommand("RPN Mode");
    EXPECT_TRUE(c.m.modes().mnuRpnMode);
    EXPECT_FALSE(c.m.modes().mnuAddMachMode);
    // Adding Machine off leaves RPN as it is.
    c.m.runCommand("Adding Machine Mode");
    c.m.runCommand("Adding Machine Mode");
    EXPECT_FALSE(c.m.modes().mnuAddMachMode);
    EXPECT_FALSE(c.m.modes().mnuRpnMode);
}

TEST(Modes, LabelShowsTheModesThatChangeTheKeys) {
    Modes m;
    m.mnuFinCalcMode = false;
    m.CarryResult = false;
    EXPECT_EQ(modeLabel(m), "");
    m.mnuFinCalcMode = m.mnuAutoDecimal = m.mnuAddMachMode = m.mnuRepeatSubtract = true;
    m.mnuMagicNumber = m.CarryResult = m.SciRadians = true;
    EXPECT_EQ(modeLabel(m), "FIN ADEC ADD RS MN CR RAD");
    m = Modes{};
    m.mnuRpnMode = true;
    EXPECT_EQ(modeLabel(m), "FIN RPN CR");
}

}  // namespace
