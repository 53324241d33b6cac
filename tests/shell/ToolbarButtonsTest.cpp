// Toolbar buttons without a window: bindings, what a click runs, and how
// stored bindings are read back.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <fstream>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "shell/IniFileBackend.h"
#include "shell/SettingsStore.h"
#include "shell/ToolbarButtons.h"

using namespace zorv;
using shell::ToolbarButtons;

namespace {

struct Toolbar {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    shell::MemorySettingsBackend* memory = new shell::MemorySettingsBackend;
    shell::SettingsStore store{std::unique_ptr<shell::SettingsBackend>(memory)};
    ToolbarButtons buttons{model.commands(), model.feedback(), store};
    std::vector<int> setups;
    std::vector<std::string> ran;

    Toolbar() {
        buttons.openSetup = [this](int i) { setups.push_back(i); };
        for (const char* name : {"Tape to Scratch Pad", "Intra-System Computer", "Annotate Tape"})
            model.commands().add(*zorv::engine::commandByText(name), [this, name] { ran.emplace_back(name); });
    }
    void stored(int n, const std::string& caption, const std::string& toolTip) {
        memory->values[{"Buttons", std::to_string(n) + "Caption"}] = caption;
        memory->values[{"Buttons", std::to_string(n) + "ToolTip"}] = toolTip;
    }
    std::string value(const std::string& key) { return store.ReadSetting("Buttons", key, "<absent>"); }
};

}  // namespace

TEST(ToolbarButtons, FreshButtonsAreUnboundAndOpenSetUp) {
    Toolbar t;
    t.buttons.load();
    for (int i = 0; i < ToolbarButtons::kCount; ++i) {
        EXPECT_EQ(t.buttons.button(i).caption, std::to_string(i + 1) + "R.Clk");
        EXPECT_EQ(t.buttons.button(i).toolTip, "Right Click to Set Button");
    }
    t.buttons.press(2);
    EXPECT_EQ(t.setups, std::vector<int>{2});
    EXPECT_EQ(t.fb.beeps, 0);
    // With no set-up window (batch mode) there is nothing to open.
    t.buttons.openSetup = nullptr;
    t.buttons.press(2);
    EXPECT_EQ(t.fb.beeps, 1);
}

TEST(ToolbarButtons, BindingStoresCodeAndNameAndRunsTheCommand) {
    Toolbar t;
    t.buttons.bind(8, 4, 8);  // Tape, item 8
    EXPECT_EQ(t.buttons.button(8).caption, "Tap8");
    EXPECT_EQ(t.buttons.button(8).toolTip, "Tape to Scratch Pad");
    EXPECT_EQ(t.value("9Caption"), "Tap8");
    EXPECT_EQ(t.value("9ToolTip"), "Tape to Scratch Pad");
    EXPECT_EQ(t.value("1Caption"), "<absent>") << "other buttons are not written";
    t.buttons.press(8);
    EXPECT_EQ(t.ran, std::vector<std::string>{"Tape to Scratch Pad"});

    // A second toolbar over the same store reads the binding back.
    ToolbarButtons again(t.model.commands(), t.model.feedback(), t.store);
    again.load();
    EXPECT_EQ(again.button(8).caption, "Tap8");
    EXPECT_EQ(again.button(8).toolTip, "Tape to Scratch Pad");

    t.buttons.bind(0, 1, 25);  // Mode, item 25
    EXPECT_EQ(t.buttons.button(0).caption, "Mod25");
    t.buttons.press(0);
    EXPECT_EQ(t.ran.back(), "Intra-System Computer");
}

TEST(ToolbarButtons, ClickMovesFocusToEqualsOnlyWhileTheWindowIsVisible) {
    Toolbar t;
    t.stored(1, "Tap1", "Annotate Tape");
    t.buttons.load();
    t.buttons.press(0);
    EXPECT_EQ(t.fb.focusRequests, 0);
    t.fb.windowVisible = true;
    t.buttons.press(0);
    EXPECT_EQ(t.fb.focusRequests, 1);
    EXPECT_EQ(t.ran.size(), 2u);
}

TEST(ToolbarButtons, UnknownTextsBeepAndMissingFeaturesSaySo) {
    Toolbar t;
    int converted = 0;
    t.model.commands().addWithArgument(zorv::engine::CommandId::ConvertKey, [&](std::string_view) { ++converted; });
    t.stored(1, "X", "Something Else");
    t.stored(2, "Y", "Convert 3");        // an argument command's text is no catalogue item
    t.stored(3, "Z", "annotate tape");    // comparison is case-sensitive
    t.stored(4, "Oth16", "Scratch Pad");  // a catalogue item with no command registered
    t.buttons.load();
    for (int i = 0; i < 3; ++i) t.buttons.press(i);
    EXPECT_EQ(t.fb.beeps, 3);
    EXPECT_EQ(converted, 0);
    EXPECT_TRUE(t.ran.empty());
    EXPECT_TRUE(t.setups.empty());

    t.buttons.press(3);
    ASSERT_EQ(t.fb.messages.size(), 1u);
    EXPECT_EQ(t.fb.messages[0].text,
              "\"Scratch Pad\" is not available in this version of Zorv Advanced Calculator.");
    for (int bad : {-1, 9}) t.buttons.press(bad);
    EXPECT_EQ(t.fb.beeps, 5);
}

TEST(ToolbarButtons, UnusableStoredValuesFallBackToDefaults) {
    const struct {
        std::optional<std::string> caption, toolTip;
        std::string wantCaption, wantToolTip;
    } cases[] = {
        {std::nullopt, std::nullopt, "1R.Clk", "Right Click to Set Button"},
        {"Tap8", "Tape to Scratch Pad", "Tap8", "Tape to Scratch Pad"},
        // A missing caption is derived from the bound item.
        {std::nullopt, "Tape to Scratch Pad", "Tap8", "Tape to Scratch Pad"},
        {"", "Annotate Tape", "Tap1", "Annotate Tape"},
        {std::string(200, 'W'), "Annotate Tape", "Tap1", "Annotate Tape"},
        {"Ta\x01p", "Annotate Tape", "Tap1", "Annotate Tape"},
        // A missing tool tip leaves the button unbound; its caption stays.
        {"Tap8", std::nullopt, "Tap8", "Right Click to Set Button"},
        // A tool tip that cannot be one unbinds the button altogether.
        {"Tap8", "", "1R.Clk", "Right Click to Set Button"},
        {"Tap8", "Tape\nto Scratch Pad", "1R.Clk", "Right Click to Set Button"},
        {"Tap8", std::string(5000, 'x'), "1R.Clk", "Right Click to Set Button"},
        // A readable but unknown command stays, so its click beeps.
        {"Old", "Retired Command", "Old", "Retired Command"},
        {"", "Retired Command", "1R.Clk", "Retired Command"},
    };
    for (const auto& c : cases) {
        Toolbar t;
        if (c.caption) t.memory->values[{"Buttons", "1Caption"}] = *c.caption;
        if (c.toolTip) t.memory->values[{"Buttons", "1ToolTip"}] = *c.toolTip;
        t.buttons.load();
        EXPECT_EQ(t.buttons.button(0).caption, c.wantCaption)
            << c.caption.value_or("<none>") << " / " << c.toolTip.value_or("<none>");
        EXPECT_EQ(t.buttons.button(0).toolTip, c.wantToolTip)
            << c.caption.value_or("<none>") << " / " << c.toolTip.value_or("<none>");
    }
}

TEST(ToolbarButtons, IniFileWithDuplicateAndGarbageKeys) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/zorv.ini";
    std::ofstream(path) << "[Buttons]\n"
                           "1Caption=Tap1\n1ToolTip=Annotate Tape\n"
                           "1Caption=Tap8\n1ToolTip=Tape to Scratch Pad\n"
                           "2Caption\n2ToolTip=\n"
                           "this is not a key at all\n"
                           "3ToolTip=\"Area/&Volume English to Metric Conversions\"\n"
                           "[Buttons]\n4Caption=Fin1\n4ToolTip=Interest Calculator\n";
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    shell::SettingsStore store(std::make_unique<shell::IniFileBackend>(path));
    ToolbarButtons buttons(model.commands(), model.feedback(), store);
    buttons.load();
    // Whichever of the duplicates the file reader keeps, the button is
    // consistent: caption and tool tip of one catalogue item.
    const auto& b1 = buttons.button(0);
    EXPECT_TRUE((b1.caption == "Tap1" && b1.toolTip == "Annotate Tape") ||
                (b1.caption == "Tap8" && b1.toolTip == "Tape to Scratch Pad"))
        << b1.caption << " / " << b1.toolTip;
    EXPECT_EQ(buttons.button(1).caption, "2R.Clk");
    EXPECT_EQ(buttons.button(1).toolTip, "Right Click to Set Button");
    EXPECT_EQ(buttons.button(2).caption, "Mod13");
    EXPECT_EQ(buttons.button(2).toolTip, "Area/&Volume English to Metric Conversions");
    EXPECT_EQ(buttons.button(3).caption, "Fin1");
    EXPECT_EQ(buttons.button(4).toolTip, "Right Click to Set Button");

    // A binding written through the file survives a restart unchanged.
    buttons.bind(4, 1, 13);
    store.backend().sync();
    shell::SettingsStore reread(std::make_unique<shell::IniFileBackend>(path));
    EXPECT_EQ(reread.ReadSetting("Buttons", "5ToolTip", ""), "Area/&Volume English to Metric Conversions");
    EXPECT_EQ(reread.ReadSetting("Buttons", "5Caption", ""), "Mod13");
}
