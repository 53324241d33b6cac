#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/CalculatorModel.h"

namespace zorv::convert {

// The row of eight conversion keys below the readout. One key set is active
// at a time (MSys): set 0 turns the keys into tape commands, sets 1 to 9
// convert the readout in place and write one line on the tape.
//
// The class holds no window: the main window owns the buttons, asks here for
// their captions, tool tips and availability, and forwards the clicks.
class QuickConversions {
public:
    static constexpr int kKeyCount = 8;
    static constexpr int kSetCount = 10;  // sets 0..9

    explicit QuickConversions(engine::CalculatorModel& model);

    // ---- the active set --------------------------------------------------
    int MSys() const { return msys_; }
    // Chooses a set directly; false (and no change) outside 0..9.
    bool setMode(int set);
    void nextSet();      // next set, 9 wraps to 0
    void previousSet();  // previous set, 0 wraps to 9

    // Toggle the unit check marks kept in the model's modes.
    void toggleImperialMeasures();
    void toggleTroyMeasures();

    // ---- what the window shows ------------------------------------------
    // Caption and tool tip of comConvert(index) in the active set, following
    // the troy and imperial check marks; empty for a key with nothing to do.
    std::string caption(int index) const;
    std::string toolTip(int index) const;
    // False for a key the active set leaves blank, and for a set-0 key whose
    // tape command is not registered (yet): the window disables such keys.
    bool keyAvailable(int index) const;
    // lblMode.
    std::string modeCaption() const;
    std::string modeToolTip() const;

    // ---- the key press ----------------------------------------------------
    // In set 0 runs the key's tape command; otherwise converts the readout,
    // posts "Convert <caption> <x> -> <result>" and, when no operation is
    // pending, presses "=". An unavailable key only beeps. A readout that is
    // not a number or lies beyond the fixed-point range, and a result that
    // cannot be represented, give "Invalid value!" and leave the readout and
    // tape untouched.
    void pressKey(int index);

    // Called after the set or a unit check mark changed, so the window can
    // repaint the key captions, lblMode and the menu check marks.
    std::function<void()> onModeChange;

private:
    void changed();

    engine::CalculatorModel& model_;
    int msys_ = 0;
};

}  // namespace zorv::convert
