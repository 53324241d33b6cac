// The command table against what batch mode registers, and the table's own
// consistency: texts unique, toolbar groups complete, key names resolved.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/CommandWiring.h"
#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "engine/ScriptedFeedback.h"
#include "engine/ToolbarCatalogue.h"
#include "shell/SettingsStore.h"
#include "shell/ShellState.h"
#include "shell/StartupSequence.h"

using namespace zorv;
using engine::CommandId;
using engine::CommandScope;

namespace {

struct BatchCommands {
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    shell::SettingsStore store{std::make_unique<shell::MemorySettingsBackend>()};
    shell::ShellState state;
    app::CommandContext context{model, store, {}};
    std::unique_ptr<app::CommandWiring> wiring = app::wireBatchCommands(context);
    BatchCommands() { shell::registerShellCommands(model, store, state, nullptr); }
};

}  // namespace

TEST(CommandTable, BatchRegistersEveryCommandThatNeedsNoWindowAndNothingElse) {
    BatchCommands batch;
    for (const auto& row : engine::commandTable()) {
        const bool registered = batch.model.commands().contains(row.id);
        const std::string name = row.text.empty() ? std::string(row.argumentWord) : std::string(row.text);
        EXPECT_EQ(registered, row.scope == CommandScope::Everywhere) << name;
        if (registered) {
            EXPECT_EQ(batch.model.commands().checked(row.id).has_value(), row.checkable) << name;
        }
    }
}

TEST(CommandTable, BatchRegistersEachCommandOnce) {
    BatchCommands batch;
    std::string twice;
    for (const auto id : batch.model.commands().registeredTwice()) twice += std::string(engine::commandText(id)) + "; ";
    EXPECT_EQ(twice, "");
}

TEST(CommandTable, TextsAreUniqueAndResolveToTheirCommand) {
    std::set<std::string_view> texts;
    for (const auto& row : engine::commandTable()) {
        if (row.text.empty()) {
            ASSERT_FALSE(row.argumentWord.empty());
            EXPECT_EQ(engine::argumentCommandByWord(row.argumentWord), row.id);
            continue;
        }
        EXPECT_TRUE(texts.insert(row.text).second) << row.text;
        EXPECT_EQ(engine::commandByText(row.text), row.id) << row.text;
    }
    EXPECT_EQ(engine::commandByText("ENTER"), CommandId::Total);
    EXPECT_EQ(engine::commandByText("+/-"), CommandId::ChangeSign);
    EXPECT_FALSE(engine::commandByText(""));
    EXPECT_FALSE(engine::commandByText("print tape"));  // names are exact
}

TEST(CommandTable, ToolbarGroupsHoldTheCatalogueInPositionOrder) {
    const auto& groups = engine::toolbarGroups();
    ASSERT_EQ(groups.size(), 5u);
    std::size_t items = 0;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        items += groups[g].items.size();
        for (std::size_t i = 0; i < groups[g].items.size(); ++i) {
            const auto& row = engine::commandSpec(groups[g].ids[i]);
            EXPECT_EQ(row.text, groups[g].items[i]);
            EXPECT_EQ(row.position, static_cast<int>(i + 1)) << row.text;
        }
    }
    EXPECT_EQ(items, 102u);
    EXPECT_EQ(engine::toolbarCode(4, 8), "Tap8");
    EXPECT_EQ(engine::commandText(groups[4].ids[7]), "Tape to Scratch Pad");
}

TEST(CommandTable, PlannedCommandsSayTheyAreNotAvailable) {
    BatchCommands batch;
    for (const auto& row : engine::commandTable()) {
        if (row.scope != CommandScope::Planned) continue;
        batch.feedback.clearRecord();
        EXPECT_TRUE(batch.model.commands().run(row.text)) << row.text;
        EXPECT_EQ(batch.feedback.messageTexts(),
                  std::vector<std::string>{engine::notAvailableText(row.text)});
    }
}
