#include "ToolbarButtons.h"

#include "engine/ToolbarCatalogue.h"
#include "shell/SettingsKeys.h"

namespace zorv::shell {

namespace {

using engine::findToolbarItem;

// Longer than any catalogue code or item text, short enough that a hand-
// edited value cannot swamp the strip or a tool tip.
constexpr std::size_t kMaxCaption = 16;
constexpr std::size_t kMaxToolTip = 100;

bool showable(const std::string& text, std::size_t maxLength) {
    if (text.empty() || text.size() > maxLength) return false;
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7f) return false;
    return true;
}

}  // namespace

ToolbarButtons::ToolbarButtons(engine::CommandCatalogue& commands, engine::UserFeedback& feedback,
                               SettingsStore& store)
    : commands_(commands), feedback_(feedback), store_(store) {
    for (int i = 0; i < kCount; ++i)
        buttons_[static_cast<std::size_t>(i)] = {engine::unboundCaption(i + 1),
                                                 std::string(engine::kUnboundToolTip)};
}

void ToolbarButtons::load() {
    for (int n = 1; n <= kCount; ++n)
        set(n - 1,
            store_.ReadSetting(kButtonsSection, toolbarCaptionKey(n), engine::unboundCaption(n)),
            store_.ReadSetting(kButtonsSection, toolbarToolTipKey(n), std::string(engine::kUnboundToolTip)));
    if (onChange) onChange();
}

void ToolbarButtons::apply(int index, std::string caption, std::string toolTip) {
    if (index < 0 || index >= kCount) return;
    set(index, std::move(caption), std::move(toolTip));
    if (onChange) onChange();
}

void ToolbarButtons::set(int index, std::string caption, std::string toolTip) {
    const std::string unbound = engine::unboundCaption(index + 1);
    if (!showable(toolTip, kMaxToolTip)) {
        toolTip = engine::kUnboundToolTip;
        caption = unbound;
    } else if (!showable(caption, kMaxCaption) || caption == unbound) {
        // A bound button never reads "Right Click": it shows its item's code.
        const auto item = findToolbarItem(toolTip);
        caption = item ? engine::toolbarCode(item->group, item->position) : unbound;
    }
    buttons_[static_cast<std::size_t>(index)] = {std::move(caption), std::move(toolTip)};
}

void ToolbarButtons::bind(int index, std::size_t group, std::size_t position) {
    const auto& items = engine::toolbarGroups().at(group).items;
    if (index < 0 || index >= kCount || position < 1 || position > items.size()) return;
    Button& b = buttons_[static_cast<std::size_t>(index)];
    b.caption = engine::toolbarCode(group, position);
    b.toolTip = items[position - 1];
    const int n = index + 1;
    store_.WriteSetting(kButtonsSection, toolbarCaptionKey(n), b.caption);
    store_.WriteSetting(kButtonsSection, toolbarToolTipKey(n), b.toolTip);
    if (onChange) onChange();
}

void ToolbarButtons::press(int index) {
    auto& feedback = feedback_;
    if (index < 0 || index >= kCount) {
        feedback.beep();
        return;
    }
    if (feedback.mainWindowVisible()) feedback.focusEqualsKey();
    // Copied: the command may rebind this very button.
    const std::string toolTip = buttons_[static_cast<std::size_t>(index)].toolTip;
    if (const auto item = findToolbarItem(toolTip)) {
        auto& commands = commands_;
        if (commands.contains(item->id))
            commands.run(item->id);
        else
            feedback.showMessage(engine::notAvailableText(toolTip), std::string(engine::kProductName),
                                 engine::MessageIcon::Information);
    } else if (toolTip == engine::kUnboundToolTip && openSetup) {
        openSetup(index);
    } else {
        // An unbound button and an unknown tool tip both beep; the report
        // tells them apart where no set-up window shows it.
        if (toolTip == engine::kUnboundToolTip && reportUnbound) reportUnbound(index);
        feedback.beep();
    }
}

}  // namespace zorv::shell
