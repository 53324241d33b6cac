#pragma once

#include <QObject>

namespace zorv::engine {
class CalculatorModel;
}
namespace zorv::shell {
class SettingsStore;
class ToolbarButtons;
}

namespace zorv::ui {

class CalculatorWindow;

// Puts the toolbar buttons on the main window: their captions and tool tips,
// clicks and Alt+1..9 through the bindings, a click with any other mouse
// button opening set-up, the press and hover look, and the "Hide/Show
// Toolbar" command.
class ToolbarController : public QObject {
    Q_OBJECT

public:
    ToolbarController(CalculatorWindow& window, engine::CalculatorModel& model,
                      shell::ToolbarButtons& buttons, QObject* parent = nullptr);
    ~ToolbarController() override;

    // Opens the set-up window for button `index` modally.
    void openSetup(int index);
    void toggleToolbar();
    // Shows or hides the strip and sets the menu caption to match.
    void setToolbarVisible(bool visible);
    bool toolbarVisible() const;

    // Index of the button drawn highlighted by the pointer, -1 for none.
    int hoveredButton() const { return hovered_; }
    int pressedButton() const { return pressed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void repaintButtons();
    void restyle();
    int indexOf(QObject* object) const;

    CalculatorWindow& window_;
    engine::CalculatorModel& model_;
    shell::ToolbarButtons& buttons_;
    bool visible_ = true;
    int hovered_ = -1;
    int pressed_ = -1;
};

}  // namespace zorv::ui
