#include "ToolbarCatalogue.h"

#include "CommandCatalogue.h"
#include "UserFeedback.h"

namespace zorv::engine {

const std::vector<ToolbarGroup>& toolbarGroups() {
    static const std::vector<ToolbarGroup> groups = [] {
        std::vector<ToolbarGroup> out;
        for (auto g : {ToolbarGroupId::Financial, ToolbarGroupId::Mode, ToolbarGroupId::Other,
                       ToolbarGroupId::Scientific, ToolbarGroupId::Tape}) {
            ToolbarGroup group{toolbarGroupName(g), {}, {}};
            for (CommandId id : toolbarGroupMembers(g)) {
                group.items.push_back(commandText(id));
                group.ids.push_back(id);
            }
            out.push_back(std::move(group));
        }
        return out;
    }();
    return groups;
}

std::optional<ToolbarItem> findToolbarItem(std::string_view text) {
    const auto& groups = toolbarGroups();
    for (std::size_t g = 0; g < groups.size(); ++g)
        for (std::size_t i = 0; i < groups[g].items.size(); ++i)
            if (groups[g].items[i] == text) return ToolbarItem{g, i + 1, groups[g].items[i], groups[g].ids[i]};
    return std::nullopt;
}

std::string toolbarCode(std::size_t group, std::size_t position) {
    return std::string(toolbarGroups().at(group).name.substr(0, 3)) + std::to_string(position);
}

std::string unboundCaption(int buttonNumber) { return std::to_string(buttonNumber) + "R.Clk"; }

std::string notAvailableText(std::string_view itemText) {
    return "\"" + std::string(itemText) + "\" is not available in this version of " +
           std::string(kProductName) + ".";
}

void offerToolbarCatalogue(CommandCatalogue& commands, UserFeedback& feedback) {
    commands.setFallback([&feedback](CommandId id) {
        const CommandSpec& row = commandSpec(id);
        // A planned command says it is not built, with or without a button.
        if (row.group == ToolbarGroupId::None && row.scope != CommandScope::Planned) return false;
        feedback.showMessage(notAvailableText(row.text), std::string(kProductName),
                             MessageIcon::Information);
        return true;
    });
}

}  // namespace zorv::engine
