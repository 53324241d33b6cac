#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/CalculatorModel.h"
#include "ui/main/KeypadWidget.h"
#include "ui/main/MainMenus.h"
#include "ui/main/TapeView.h"

class QMenu;
class QAction;
class QFrame;
class QHBoxLayout;
class QTimer;
class QPlainTextEdit;

namespace zorv::convert {
class QuickConversions;
}

namespace zorv::ui {

// The main window `Calculator`: a view of the calculator model. Keys, menu
// items and toolbar buttons run catalogue commands; the readout, labels,
// key captions and tape are repainted from the model.
class CalculatorWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit CalculatorWindow(engine::CalculatorModel& model,
                              convert::QuickConversions* conversions = nullptr,
                              QWidget* parent = nullptr);
    ~CalculatorWindow() override;

    engine::CalculatorModel& model() { return model_; }

    // Re-reads enabled and checked states of every menu action and key, and
    // the captions of the conversion keys.
    void refreshActions();
    // Shows the Num Lock indicator for the given state; nullopt when the
    // platform cannot tell, which leaves the indicator as it is.
    void showNumLock(std::optional<bool> on);

    // Controls, by their documented names, for tests and wiring.
    QLabel* Readout() const { return readout_; }
    QLabel* lblHint() const { return hint_; }
    QLabel* lblModes() const { return modes_; }
    QLabel* lblMode() const { return modeLabel_; }
    TapeView* txtTape() const { return tape_; }
    // The editor that covers the tape while it is unlocked; nullptr else.
    QPlainTextEdit* tapeEditor() const { return tape_->editor(); }
    // The tape's text as shown (LF line ends, without the spacing the view
    // adds to line amounts up): what a user selects, copies or edits. While
    // the tape is unlocked, the editor's text.
    QString shownTapeText() const;
    static QString withoutTapePadding(QString text);
    // What the user selected on the tape (LF line ends, no padding); empty
    // when nothing is selected.
    QString tapeSelection() const;
    // The line (0-based, of the tape's text) holding the cursor or the start
    // of the selection; nullopt while the user has put neither on the tape.
    std::optional<int> tapeCursorLine() const;
    // Shows and selects `length` bytes at `offset` in the tape's text.
    void showTapeRange(std::size_t offset, std::size_t length);
    // A long tape is indexed a slice at a time from the event loop, so the
    // window keeps answering. This indexes the rest at once.
    void finishTapeLoad() { tape_->finishIndexing(); }
    bool tapeLoading() const { return tape_->indexing(); }
    // The longest line, in characters, the tape shows without wrapping.
    static constexpr int kTapeColumns = 58;
    // The calculator's keys, drawn as one widget (hidden by Hide/Show
    // Number Keys).
    KeypadWidget* keypad() const { return keypad_; }
    // Puts the keyboard focus on the "=" key, where it rests.
    void focusTotalKey();
    QPushButton* comConvert(int i) const { return convertKeys_[static_cast<std::size_t>(i)]; }
    QPushButton* comToolbar(int i) const { return toolbar_[static_cast<std::size_t>(i)]; }
    // Shows a toolbar binding: a free button ("1R.Clk" in the settings) reads
    // "Set…"; every button has a spoken name with its command.
    void showToolbarButton(int index, const QString& caption, const QString& toolTip);
    QFrame* tbToolbar() const { return toolbarStrip_; }
    QPushButton* cmdExit() const { return exit_; }
    // The menu item of a command. Menus are filled when first opened; this
    // fills the menu that holds the item first, so it always exists.
    QAction* action(engine::CommandId id);
    // The same by the command's catalogue text or key name ("=", "MC").
    QAction* action(std::string_view text);
    // The item if it exists already, without filling a menu: nullptr before
    // its menu was first opened (unless it carries a keyboard shortcut).
    QAction* existingAction(engine::CommandId id) const;
    // Caption of a command's item, kept for when the item is made.
    void setActionText(engine::CommandId id, const QString& text);
    // Fills every menu now (tests that walk the menus).
    void fillAllMenus();

    // Pressing a toolbar button (index 0..8); set by the toolbar feature.
    // Without it the buttons are disabled.
    std::function<void(int index)> toolbarClick;

    // The tape's look and size, set at start-up and by the Properties window.
    // A family that is not installed falls back to a fixed-pitch face, the
    // nearest thing to the printer of an adding machine. The window starts
    // with the default tape font (Courier New, 8 points).
    static QFont tapeFont(const QString& family, double pointSize, bool bold, bool italic);
    void setTapeFont(const QFont& font, const QColor& colour);
    QColor tapeColour() const { return tapeColour_; }
    void setTapeHidden(bool hidden);
    bool tapeHidden() const;
    // Remembers the tape's height at the first layout as its full height.
    void recordFullTapeHeight();
    int fullTapeHeight() const { return fullTapeHeight_; }
    // Tape height := ratio x the full height (at 1 the tape follows the
    // window's height). While the tape is hidden the ratio is kept for when
    // it shows again.
    void layoutTape(double ratio);
    double tapeRatio() const { return tapeRatio_; }

signals:
    // At the end of refreshActions(), for features whose menu items depend
    // on more than whether their command is registered.
    void actionsRefreshed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int tapeListener_ = 0;

    void fitToContents();
    QWidget* buildKeypad();
    QWidget* buildConversionRow();
    QWidget* buildToolbarStrip();
    void buildMenus();
    void fillMenu(std::size_t index);
    QAction* makeAction(const MenuEntry& entry);
    void addEntries(QMenu* menu, const std::vector<MenuEntry>& entries);
    void repaint();
    void repaintConversions();
    bool handleKeyPress(QKeyEvent* event);
    void checkNumLockSoon();
    void applyThemeColours();

    engine::CalculatorModel& model_;
    convert::QuickConversions* conversions_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* modes_ = nullptr;
    QLabel* memoryCaption_ = nullptr;
    QLabel* memoryValue_ = nullptr;
    QLabel* memoryIndicator_ = nullptr;
    QLabel* rpnDepth_ = nullptr;
    QLabel* numLockOn_ = nullptr;
    QLabel* numLockOff_ = nullptr;
    QLabel* modeLabel_ = nullptr;
    TapeView* tape_ = nullptr;
    QFrame* toolbarStrip_ = nullptr;
    QPushButton* exit_ = nullptr;
    KeypadWidget* keypad_ = nullptr;
    std::array<QPushButton*, 8> convertKeys_{};
    std::array<QPushButton*, 9> toolbar_{};
    QHBoxLayout* tapeRow_ = nullptr;
    QColor tapeColour_;
    bool tapeFontSet_ = false;
    int fullTapeHeight_ = 0;
    double tapeRatio_ = 1;
    std::vector<std::pair<QAction*, engine::CommandId>> actions_;
    // The menu bar's menus and what goes into them once first opened.
    std::vector<MenuSpec> menuSpecs_;
    std::vector<QMenu*> menus_;
    std::vector<bool> menuFilled_;
    // Items with a keyboard shortcut, made at start so the key works before
    // their menu was opened; placed in the menu when it is filled.
    std::map<const MenuEntry*, QAction*> shortcutActions_;
    std::map<engine::CommandId, QString> actionTexts_;
};

}  // namespace zorv::ui
