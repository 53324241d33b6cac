#pragma once

#include <functional>

#include "shell/MainWindowControl.h"

class QWidget;

namespace zorv::ui {
class CalculatorWindow;
}

namespace zorv::app {

// Start-up's and the Properties window's view of the main window: the tape,
// the toolbar strip, the exit button, staying on top and placement.
class CalculatorWindowControl : public shell::MainWindowControl {
public:
    explicit CalculatorWindowControl(ui::CalculatorWindow& window);

    // Set by the toolbar and tray features when they exist; without them the
    // strip is shown or hidden directly and there is no show label.
    std::function<void(bool hidden)> toolbarHide;
    std::function<bool()> toolbarIsHidden;
    std::function<void(int index, const std::string& caption, const std::string& toolTip)> toolbarButton;
    std::function<QWidget*()> showLabel;

    shell::TapeFont tapeFont() const override;
    void setTapeFont(const shell::TapeFont& font) override;
    bool tapeHidden() const override;
    void setTapeHidden(bool hidden) override;
    void recordFullTapeHeight() override;
    double tapeRatio() const override;
    void layoutTape(double ratio) override;
    bool toolbarHidden() const override;
    void setToolbarHidden(bool hidden) override;
    void setToolbarButton(int index, const std::string& caption, const std::string& toolTip) override;
    void setExitButtonToolTip(const std::string& toolTip) override;
    void setStaysOnTop(bool onTop) override;
    shell::WindowPosition position() const override;
    std::optional<shell::WindowPosition> calcShowPosition() const override;
    bool minimizedOrMaximized() const override;
    void place(std::optional<int> top, std::optional<int> left) override;
    void minimize() override;
    void close() override;

private:
    ui::CalculatorWindow& window_;
};

}  // namespace zorv::app
