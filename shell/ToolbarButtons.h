#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>

#include "engine/CommandCatalogue.h"
#include "engine/UserFeedback.h"
#include "shell/SettingsStore.h"

namespace zorv::shell {

// The nine user-assignable toolbar buttons: what each shows and runs, kept
// in section "Buttons" of the settings store as "1Caption" .. "9Caption"
// (the short code) and "1ToolTip" .. "9ToolTip" (the command name). The
// window draws the buttons from here; batch mode clicks them without one.
class ToolbarButtons {
public:
    static constexpr int kCount = 9;

    struct Button {
        std::string caption;
        std::string toolTip;
    };

    ToolbarButtons(engine::CommandCatalogue& commands, engine::UserFeedback& feedback, SettingsStore& store);

    // Reads the nine bindings. A missing key takes its default; a value that
    // cannot be shown on a button (empty, over-long, control characters) is
    // replaced: a bad tool tip unbinds the button, a bad or missing caption
    // of a bound button becomes the code of its item. A tool tip that names
    // no catalogue item is kept as it is: clicking it beeps.
    void load();

    // Puts a binding read elsewhere (the start-up sequence) on button
    // `index`, with the same replacement of unusable values as load(); the
    // store is not written.
    void apply(int index, std::string caption, std::string toolTip);

    const Button& button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    // Binds button `index` (0..8) to item `position` (1-based) of catalogue
    // group `group`, and stores the binding.
    void bind(int index, std::size_t group, std::size_t position);

    // A click on button `index`: moves the focus to "=" when the window is
    // visible, then runs the bound catalogue item (an item whose feature is
    // missing says so), opens set-up for an unbound button, and beeps for
    // any other tool tip text or an index outside 0..8.
    void press(int index);

    // Opens the set-up window for button `index`; without it (batch mode)
    // an unbound button is reported through `reportUnbound`, then beeps.
    std::function<void(int index)> openSetup;
    std::function<void(int index)> reportUnbound;
    // Called when captions or tool tips changed.
    std::function<void()> onChange;

private:
    void set(int index, std::string caption, std::string toolTip);

    engine::CommandCatalogue& commands_;
    engine::UserFeedback& feedback_;
    SettingsStore& store_;
    std::array<Button, kCount> buttons_;
};

}  // namespace zorv::shell
