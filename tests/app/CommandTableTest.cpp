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
    for (const auto& spec : engine::commandTable()) {
        const bool registered = batch.model.commands().contains(spec.id);
        const std::string name = spec.text.empty() ? std::string(spec.argumentWord) : std::string(spec.text);
        EXPECT_EQ(registered, spec.scope == CommandScope::Everywhere) << name;
        if (registered) {
            EXPECT_EQ(batch.model.commands().checked(spec.id).has_value(), spec.checkable) << name;
        }
    }
}

TEST(CommandTable, TextsAreUniqueAndResolveToTheirCommand) {
    std::set<std::string_view> texts;
    for (const auto& spec : engine::commandTable()) {
        if (spec.text.empty()) {
            ASSERT_FALSE(spec.argumentWord.empty());
            EXPECT_EQ(engine::argumentCommandByWord(spec.argumentWord), spec.id);
            continue;
        }
        EXPECT_TRUE(texts.insert(spec.text).second) << spec.text;
        EXPECT_EQ(engine::commandByText(spec.text), spec.id) << spec.text;
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
            const auto& spec = engine::commandSpec(groups[g].ids[i]);
            EXPECT_EQ(spec.text, groups[g].items[i]);
            EXPECT_EQ(spec.position, static_cast<int>(i + 1)) << spec.text;
        }
    }
    EXPECT_EQ(items, 102u);
    EXPECT_EQ(engine::toolbarCode(4, 8), "Tap8");
    EXPECT_EQ(engine::commandText(groups[4].ids[7]), "Tape to Scratch Pad");
}

TEST(CommandTable, PlannedCommandsSayTheyAreNotAvailable) {
    BatchCommands batch;
    for (const auto& spec : engine::commandTable()) {
        if (spec.scope != CommandScope::Planned) continue;
        batch.feedback.clearRecord();
        EXPECT_TRUE(batch.model.commands().run(spec.text)) << spec.text;
        EXPECT_EQ(batch.feedback.messageTexts(),
                  std::vector<std::string>{engine::notAvailableText(spec.text)});
    }
}
