// The toolbar catalogue: its groups, codes and lookup, and how catalogue
// names reach commands through the command table.
#include <gtest/gtest.h>

#include <set>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "engine/ToolbarCatalogue.h"

using namespace zorv::engine;

TEST(ToolbarCatalogue, FiveGroupsOf102UniqueItems) {
    const auto& groups = toolbarGroups();
    ASSERT_EQ(groups.size(), 5u);
    const std::pair<const char*, std::size_t> expected[] = {
        {"Financial", 14}, {"Mode", 27}, {"Other", 19}, {"Scientific", 34}, {"Tape", 8}};
    std::set<std::string_view> texts;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(groups[g].name, expected[g].first);
        EXPECT_EQ(groups[g].items.size(), expected[g].second) << groups[g].name;
        texts.insert(groups[g].items.begin(), groups[g].items.end());
    }
    // Dispatch finds the first match; unique texts make that unambiguous.
    EXPECT_EQ(texts.size(), 102u);
}

TEST(ToolbarCatalogue, CodesAndLookup) {
    const struct {
        std::string_view text;
        std::string code;
    } cases[] = {
        {"Interest Calculator", "Fin1"},
        {"Double-Declining Balance Depreciation", "Fin14"},
        {"Area/&Volume English to Metric Conversions", "Mod13"},
        {"Time Conversions - Hour", "Mod17"},
        {"Intra-System Computer", "Mod25"},
        {"Insert into Previous Program", "Oth5"},
        {"Start/Stop Project Timer", "Oth19"},
        {"Secant", "Sci7"},
        {"Convert to Fractions", "Sci34"},
        {"Annotate Tape", "Tap1"},
        {"Tape to Scratch Pad", "Tap8"},
    };
    for (const auto& c : cases) {
        const auto item = findToolbarItem(c.text);
        ASSERT_TRUE(item) << c.text;
        EXPECT_EQ(toolbarCode(item->group, item->position), c.code) << c.text;
        EXPECT_EQ(item->text, c.text);
    }
    // Exact and case-sensitive: the "&" of Mode 13 is part of the name.
    for (std::string_view miss : {"annotate tape", "Area/Volume English to Metric Conversions",
                                  "Annotate Tape ", "", "Right Click to Set Button"})
        EXPECT_FALSE(findToolbarItem(miss)) << miss;
    EXPECT_EQ(unboundCaption(1), "1R.Clk");
    EXPECT_EQ(unboundCaption(9), "9R.Clk");
}

TEST(ToolbarCatalogue, ItemsWithoutACommandSaySoAndStayUnregistered) {
    ScriptedFeedback fb;
    CalculatorModel model(fb);
    int converted = 0, scratch = 0;
    model.commands().addWithArgument(zorv::engine::CommandId::ConvertKey, [&](std::string_view) { ++converted; });
    offerToolbarCatalogue(model.commands(), model.feedback());

    EXPECT_TRUE(model.commands().run("Convert to Fractions"));
    EXPECT_EQ(converted, 0) << "a catalogue name is not an argument command";
    ASSERT_EQ(fb.messages.size(), 1u);
    EXPECT_EQ(fb.messages[0].text,
              "\"Convert to Fractions\" is not available in this version of Zorv Advanced Calculator.");
    EXPECT_EQ(fb.messages[0].title, "Zorv Advanced Calculator");
    EXPECT_FALSE(model.commands().contains("Convert to Fractions"));

    // Once the feature registers its command, the same name runs it.
    model.commands().add(zorv::engine::CommandId::ScratchPad, [&] { ++scratch; });
    model.runCommand("Scratch Pad");
    EXPECT_EQ(scratch, 1);
    EXPECT_EQ(fb.messages.size(), 1u);

    // Other names are still unknown: argument commands, then a beep.
    EXPECT_TRUE(model.commands().run("Convert 3"));
    EXPECT_EQ(converted, 1);
    model.runCommand("No Such Command");
    EXPECT_EQ(fb.beeps, 1);
}
