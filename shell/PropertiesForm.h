#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/CalculatorModel.h"
#include "shell/MainWindowControl.h"
#include "shell/SettingsStore.h"
#include "shell/ShellState.h"

namespace zorv::shell {

struct PaletteColour {
    const char* name;
    int red;
    int green;
    int blue;
    // red + 256 x green + 65536 x blue, as "Font Color" stores it.
    std::uint32_t number() const {
        return static_cast<std::uint32_t>(red + 256 * green + 65536 * blue);
    }
};

// The sixteen tape colours, in the order of the colour list.
const std::array<PaletteColour, 16>& tapePalette();
// The sizes the size list offers.
const std::array<const char*, 10>& tapeFontSizes();

// What the Properties window holds while it is open, before anything is
// applied or saved.
struct PendingProperties {
    std::string fontName;
    std::string fontSize;
    int colourIndex = 0;
    // False while the tape's colour is none of the palette and none has been
    // chosen: the tape then keeps its colour.
    bool colourChosen = true;
    bool bold = false;
    bool italic = false;
    double ratio = 1;          // tape size as a fraction of the full height
    int tapeSizePercent = 100; // the tape size scroll bar, 40..350
    bool tapeHidden = false;   // "Hide"
    int decimalPlaces = 2;     // 2..15
    std::string firstYear;
    std::string lastYear;
    bool startMinimized = false;
    bool startOnTop = false;
    bool calcOnTop = false;
    bool finMode = true;
    bool showPercentage = true;
    bool addMach = false;
    bool formatNum = true;
    bool percentForNum = true;
    bool rpn = false;
    bool autoDec = false;
    bool hideToolbar = false;
    bool toolbarToggled = false;
    bool exitMin = false;
    bool saveMem = false;
    bool hideC = false;
    bool carryResult = true;
    // The kept tape and the tax keys.
    bool keepTape = true;             // "Keep the tape between runs"
    int historyMegabytes = 50;        // old tapes kept, in MB
    std::string taxRate = "0";        // percent, as typed
};

// The answer of a year box's leave rule.
struct YearCheck {
    bool keepFocus = false;  // the box keeps the focus
    bool selectText = false; // ... with its whole text selected
};

// Asks for a file: title, initial folder, filter (Qt form); nullopt when the
// user cancels.
using FileChooser = std::function<std::optional<std::string>(
    const std::string& title, const std::string& folder, const std::string& filter)>;

// The logic of the Properties window (`frmTapeSet`): its pending values, the
// actions of its controls, Apply, Save and Cancel. The window itself only
// shows the pending values and forwards its controls here.
class PropertiesForm {
public:
    PropertiesForm(engine::CalculatorModel& model, SettingsStore& store, ShellState& state,
                   MainWindowControl& window);

    // Fills the pending values from the main window, the modes and the
    // store. When that fails, the tape font is reset to its defaults (and
    // stored so) and the filling runs once more.
    void open();

    PendingProperties& pending() { return p_; }
    const PendingProperties& pending() const { return p_; }

    // The palette name whose colour number is `colour`; it becomes the
    // pending colour. "" (pending colour unchanged) when none matches.
    std::string TapeColor(std::uint32_t colour);

    // "Hidden" or the tape size followed by "%".
    std::string sizeCaption() const;

    // ---- controls ---------------------------------------------------------
    void chooseFont(const std::string& name) { p_.fontName = name; }
    void chooseFontSize(const std::string& size) { p_.fontSize = size; }
    void chooseColour(int index);
    void resetFont();  // default font, then Save
    void setTapeHidden(bool checked);
    void setTapeSize(int percent);
    void resetTapeSize();     // 100 %, then Save
    void setDecimalPlaces(int value) { p_.decimalPlaces = value < 0 ? -value : value; }
    void setStartMinimized(bool checked);
    void setStartOnTop(bool checked);
    void setAddingMachine(bool checked);
    void setRpn(bool checked);
    void setHideToolbar(bool checked);
    void setHideClear(bool checked);
    void setCarryResult(bool checked);

    // Year boxes: the characters a box takes (digits, backspace, Tab; Enter
    // is turned into Tab by the window), and the rule run when a box is left
    // (0 first year, 1 last year), which may change either box's text and
    // show a message.
    static bool yearKeyAccepted(std::string_view ch);
    void refuseKey() { model_.feedback().beep(); }
    YearCheck txtYear_LostFocus(int index, int currentYear);

    // Publish set-up: the extension to publish as, then the program.
    void choosePublishProgram(const FileChooser& chooseFile, const std::string& programFolder);

    // Apply: the pending values go to the tape, the menus and the modes.
    void accept();
    // Save: every value to the store, in a fixed order, then Apply.
    void saveAsDefaults();
    // Cancel: the live previews (tape hidden, tape size) are undone.
    void cancel();

    // Set once OK, Save or Cancel has run: the window closes.
    bool done() const { return done_; }

private:
    void fill();
    void apply();
    void saveSettings();
    double pendingFontSize() const;
    std::uint32_t pendingColour() const;
    void inform(const std::string& text);

    engine::CalculatorModel& model_;
    SettingsStore& store_;
    ShellState& state_;
    MainWindowControl& window_;
    PendingProperties p_;
    // The tape as it was when the window opened, for Cancel.
    bool openedHidden_ = false;
    double openedRatio_ = 1;
    bool done_ = false;
};

}  // namespace zorv::shell
