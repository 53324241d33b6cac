#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "convert/ConversionCommands.h"
#include "convert/QuickConversions.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"

namespace {

using zorv::convert::conversionsMenu;
using zorv::convert::QuickConversions;
using zorv::convert::registerConversionCommands;
using zorv::engine::CalculatorModel;
using zorv::engine::ScriptedFeedback;

class ConversionModes : public ::testing::Test {
protected:
    ConversionModes() {
        model.modes().financial = false;
        quick.onModeChange = [this] { ++repaints; };
        registerConversionCommands(model, quick);
    }

    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (int i = 0; i < QuickConversions::kKeyCount; ++i) out.push_back(quick.caption(i));
        return out;
    }

    ScriptedFeedback feedback;
    CalculatorModel model{feedback};
    QuickConversions quick{model};
    int repaints = 0;
};

TEST_F(ConversionModes, ModeKeysStepThroughAllSetsAndWrap) {
    ASSERT_EQ(quick.MSys(), 0);
    for (int expected = 1; expected <= 10; ++expected) {
        quick.nextSet();
        EXPECT_EQ(quick.MSys(), expected % 10);
    }
    quick.previousSet();
    EXPECT_EQ(quick.MSys(), 9);
    quick.previousSet();
    EXPECT_EQ(quick.MSys(), 8);
    EXPECT_EQ(repaints, 12);

    EXPECT_FALSE(quick.setMode(10));
    EXPECT_FALSE(quick.setMode(-1));
    EXPECT_EQ(quick.MSys(), 8);
    quick.setMode(0);
    EXPECT_EQ(quick.MSys(), 0);
    quick.setMode(9);
    EXPECT_EQ(quick.MSys(), 9);
}

TEST_F(ConversionModes, CalculatorSetShowsTheTapeKeys) {
    EXPECT_EQ(quick.modeCaption(), "Calculator");
    EXPECT_EQ(quick.modeToolTip(), "Standard Calculator");
    EXPECT_EQ(captions(), (std::vector<std::string>{"Set&up", "Find", "&Print", "Lo&ad",
                                                    "Cl&r Tape", "A&nnotate", "Pu&blish",
                                                    "Sa&ve"}));
    const std::vector<std::string> tips{"Set calculator properties", "Search tape",
                                        "Print tape", "Load tape from file",
                                        "Clear tape", "Annotate tape",
                                        "Publish tape to another program", "Save tape to file"};
    for (int i = 0; i < QuickConversions::kKeyCount; ++i) EXPECT_EQ(quick.toolTip(i), tips[i]);
}

TEST_F(ConversionModes, UnitMarksSwitchCaptionsRepaintAndAreKept) {
    std::vector<std::string> written;
    registerConversionCommands(model, quick, [&](const std::string& key, const std::string& value) {
        written.push_back(key + "=" + value);
    });
    quick.setMode(2);
    const int before = repaints;
    model.runCommand("Troy Measures");
    EXPECT_TRUE(model.modes().troyMeasures);
    EXPECT_EQ(model.commands().checked("Troy Measures"), true);
    EXPECT_EQ(quick.caption(4), "ozt/g");
    EXPECT_EQ(quick.caption(5), "lbt/kg");
    model.runCommand("Troy Measures");
    EXPECT_EQ(quick.caption(4), "oz/g");

    model.runCommand("Imperial Measures");
    EXPECT_EQ(model.commands().checked("Imperial Measures"), true);
    EXPECT_EQ(model.commands().checked("Troy Measures"), false);
    EXPECT_EQ(repaints, before + 3);
    EXPECT_EQ(written, (std::vector<std::string>{"Troy Measures=True", "Troy Measures=False",
                                                 "Imperial Measures=True"}));
}

TEST_F(ConversionModes, TapeKeysRunTheirCommandsOnlyWhenRegistered) {
    model.setReadout("12.");
    EXPECT_FALSE(quick.keyAvailable(2));
    quick.pressKey(2);
    EXPECT_EQ(feedback.beeps, 1);

    int printed = 0;
    model.commands().add(zorv::engine::CommandId::PrintTape, [&] { ++printed; });
    EXPECT_TRUE(quick.keyAvailable(2));
    EXPECT_FALSE(quick.keyAvailable(3));
    quick.pressKey(2);
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(feedback.beeps, 1);
    // The calculator set never converts the readout or writes on the tape.
    EXPECT_EQ(model.readout(), "12.");
    EXPECT_EQ(model.tape().text(), "");
}

TEST_F(ConversionModes, CatalogueSelectsSetsAndPressesKeys) {
    const std::vector<std::pair<std::string, int>> sets{
        {"Metric to English Conversions", 1},
        {"English to Metric Conversions", 2},
        {"Area/Volume Metric to English Conversions", 3},
        {"Area/&Volume English to Metric Conversions", 4},
        {"Temperature Conversions", 5},
        {"Time Conversions - Week", 6},
        {"Time Conversions - Day", 7},
        {"Time Conversions - Hour", 8},
        {"Time Conversions - Minutes", 9},
        {"Calculator (No Conversions)", 0},
    };
    for (const auto& [name, set] : sets) {
        EXPECT_TRUE(model.commands().run(name)) << name;
        EXPECT_EQ(quick.MSys(), set) << name;
    }

    model.runCommand("Temperature Conversions");
    model.setReadout("100.");
    EXPECT_TRUE(model.commands().run("Convert 1"));
    EXPECT_EQ(model.tape().text().substr(0, 29), "Convert C to K 100 -> 373.16\r");
    EXPECT_EQ(feedback.beeps, 0);

    // Bad arguments and keys without a conversion are ignored with a beep.
    const std::string before = model.tape().text();
    for (const char* bad : {"Convert 8", "Convert x", "Convert 12", "Convert -1", "Convert 7"})
        model.runCommand(bad);
    EXPECT_EQ(feedback.beeps, 5);
    EXPECT_EQ(model.tape().text(), before);
}

TEST_F(ConversionModes, MenuItemsRunRegisteredCommandsWithDistinctAccelerators) {
    std::set<char> accelerators;
    int items = 0;
    for (const auto& item : conversionsMenu()) {
        if (item.command.empty()) continue;  // separator
        ++items;
        EXPECT_TRUE(model.commands().contains(item.command)) << item.command;
        const auto amp = item.caption.find('&');
        ASSERT_NE(amp, std::string::npos) << item.caption;
        EXPECT_TRUE(accelerators.insert(static_cast<char>(std::tolower(static_cast<unsigned char>(item.caption[amp + 1])))).second)
            << item.caption;
    }
    EXPECT_EQ(items, 12);
}

}  // namespace
