#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zorv::shell {

// The tape's font as it is stored: family name, point size, colour number
// (red + 256 x green + 65536 x blue), bold and italic.
struct TapeFont {
    std::string name = "Courier New";
    double size = 8;
    std::uint32_t colour = 0;
    bool bold = false;
    bool italic = false;

    bool operator==(const TapeFont&) const = default;
};

struct WindowPosition {
    int top = 0;
    int left = 0;
};

// What start-up and the Properties window do to the main window. The
// application implements it over the real window; tests use a fake, so the
// order of start-up and the Properties logic run without a screen.
class MainWindowControl {
public:
    virtual ~MainWindowControl() = default;

    virtual TapeFont tapeFont() const = 0;
    virtual void setTapeFont(const TapeFont& font) = 0;

    virtual bool tapeHidden() const = 0;
    // Hides or shows the tape; the window lays itself out without it.
    virtual void setTapeHidden(bool hidden) = 0;
    // Remembers the tape's height at the first layout as the full height.
    virtual void recordFullTapeHeight() = 0;
    // The tape's height as a fraction of the full height (1 = 100 %). While
    // the tape is hidden the ratio is kept and used when it shows again.
    virtual double tapeRatio() const = 0;
    virtual void layoutTape(double ratio) = 0;

    virtual bool toolbarHidden() const = 0;
    virtual void setToolbarHidden(bool hidden) = 0;
    virtual void setToolbarButton(int index, const std::string& caption,
                                  const std::string& toolTip) = 0;
    virtual void setExitButtonToolTip(const std::string& toolTip) = 0;
    virtual void setStaysOnTop(bool onTop) = 0;

    virtual WindowPosition position() const = 0;
    // Where the show label window is, while it is shown.
    virtual std::optional<WindowPosition> calcShowPosition() const = 0;
    virtual bool minimizedOrMaximized() const = 0;
    // Places the window at the stored position, or centred on the screen
    // when none is stored; a position off every screen is brought back.
    virtual void place(std::optional<int> top, std::optional<int> left) = 0;
    virtual void minimize() = 0;
    virtual void close() = 0;
};

}  // namespace zorv::shell
