#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CommandTable.h"

namespace zorv::engine {

class CommandCatalogue;
class UserFeedback;

// The commands a toolbar button can be bound to: 102 items in five groups,
// taken from the command table. An item's text is its command's catalogue
// text, so a bound button, the tray menu and batch mode's {Item Text} run the
// same handler as the menu item.
struct ToolbarGroup {
    std::string_view name;                 // "Financial", "Mode", ...
    std::vector<std::string_view> items;   // in the order of the set-up list
    std::vector<CommandId> ids;            // the items' commands, same order
};

struct ToolbarItem {
    std::size_t group;     // index into toolbarGroups()
    std::size_t position;  // 1-based position in its group
    std::string_view text;
    CommandId id;
};

// The groups in the order the set-up window lists them (and dispatch
// searches them): Financial, Mode, Other, Scientific, Tape.
const std::vector<ToolbarGroup>& toolbarGroups();

// The item whose text equals `text` exactly (case-sensitive), searching the
// groups in order; nullopt when none does.
std::optional<ToolbarItem> findToolbarItem(std::string_view text);

// The short code a bound button shows: the first three letters of the group
// name and the item's 1-based position, e.g. "Tap8".
std::string toolbarCode(std::size_t group, std::size_t position);

// What an unbound button carries.
inline constexpr std::string_view kUnboundToolTip = "Right Click to Set Button";
// "1R.Clk" .. "9R.Clk" for buttons 1..9.
std::string unboundCaption(int buttonNumber);

// The text shown for a catalogue item whose feature this build lacks.
std::string notAvailableText(std::string_view itemText);

// Makes every catalogue item runnable by name from the command table: an item whose command is not registered tells the user plainly
// that it is not available instead of being unknown. Menu items of such
// commands stay disabled (the command still counts as not registered).
void offerToolbarCatalogue(CommandCatalogue& commands, UserFeedback& feedback);

}  // namespace zorv::engine
