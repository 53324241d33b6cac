#pragma once

// A main window for the shell's logic: it keeps what it is told and records
// the calls, so tests can check values and the order of start-up.
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/MainWindowControl.h"

namespace zorv::shell::testing {

class FakeWindow : public MainWindowControl {
public:
    TapeFont font;
    bool hidden = false;
    double ratio = 1;
    bool toolbarIsHidden = false;
    bool onTop = false;
    bool minMax = false;
    bool minimized = false;
    bool closed = false;
    std::string exitToolTip;
    WindowPosition pos{100, 200};
    std::optional<WindowPosition> label;
    std::optional<int> placedTop, placedLeft;
    std::vector<std::pair<std::string, std::string>> buttons = std::vector<std::pair<std::string, std::string>>(9);
    std::vector<std::string> calls;
    // The named call throws once, as a failing step would.
    std::string failOnce;

    TapeFont tapeFont() const override { return font; }
    void setTapeFont(const TapeFont& f) override {
        call("setTapeFont");
        font = f;
    }
    bool tapeHidden() const override { return hidden; }
    void setTapeHidden(bool h) override {
        call("setTapeHidden");
        hidden = h;
    }
    void recordFullTapeHeight() override { call("recordFullTapeHeight"); }
    double tapeRatio() const override { return ratio; }
    void layoutTape(double r) override {
        call("layoutTape");
        ratio = r;
    }
    bool toolbarHidden() const override { return toolbarIsHidden; }
    void setToolbarHidden(bool h) override {
        call("setToolbarHidden");
        toolbarIsHidden = h;
    }
    void setToolbarButton(int index, const std::string& caption, const std::string& tip) override {
        call("setToolbarButton");
        buttons[static_cast<std::size_t>(index)] = {caption, tip};
    }
    void setExitButtonToolTip(const std::string& tip) override { exitToolTip = tip; }
    void setStaysOnTop(bool on) override {
        call("setStaysOnTop");
        onTop = on;
    }
    WindowPosition position() const override { return pos; }
    std::optional<WindowPosition> calcShowPosition() const override { return label; }
    bool minimizedOrMaximized() const override { return minMax; }
    void place(std::optional<int> top, std::optional<int> left) override {
        call("place");
        placedTop = top;
        placedLeft = left;
    }
    void minimize() override {
        call("minimize");
        minimized = true;
    }
    void close() override {
        call("close");
        closed = true;
    }

private:
    void call(const std::string& name) {
        if (name == failOnce) {
            failOnce.clear();
            throw std::runtime_error("the " + name + " step failed");
        }
        calls.push_back(name);
    }
};

}  // namespace zorv::shell::testing
