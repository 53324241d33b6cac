#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

class QMenu;

namespace zorv::engine {
class CalculatorModel;
}
namespace zorv::shell {
class SettingsStore;
}

namespace zorv::ui {

class CalculatorWindow;
class ShowLabelWindow;

// The two ways to put the calculator away and call it back, never both at
// once: an icon in the desktop's notification area with its pop-up menu
// `mnuPopup` ("Show in Tray"), or the always-on-top label `CalcShow` ("Stay
// On Top"). While either is on, "Hide Main Window" hides the calculator.
// Turning the label off always leaves the tray icon as the way back; where
// the desktop has no notification area, the calculator is shown instead.
class TrayController : public QObject {
    Q_OBJECT

public:
    TrayController(CalculatorWindow& window, engine::CalculatorModel& model,
                   shell::SettingsStore& store, QObject* parent = nullptr);
    ~TrayController() override;

    // Whether the desktop has a notification area. Replaceable for tests.
    std::function<bool()> trayAvailable;

    void showInTray();
    void stayOnTop();
    void hideMainWindow();
    bool trayMode() const { return trayIcon_ != nullptr; }
    bool labelMode() const { return label_ != nullptr; }

    // Icon events: a click shows the calculator at its stored place, a
    // double-click shows it where it is; the context menu is mnuPopup.
    void trayActivated(QSystemTrayIcon::ActivationReason reason);

    // Pop-up menu items.
    void showCalculator();
    void hideCalculator();
    void removeFromTray();
    void exitCalculator();

    QSystemTrayIcon* trayIcon() const { return trayIcon_.get(); }
    QMenu* mnuPopup() const { return popup_.get(); }
    ShowLabelWindow* calcShow() const { return label_.get(); }

    static const char* const kNoTrayText;
    static const char* const kTrayToolTip;

private:
    void buildPopup();
    void addTray();
    void removeTray();
    void closeLabel();
    void showCalculator(bool atStoredPlace);
    // A modal window is open: windows cannot be brought up now.
    bool blockedByModal();
    void refreshMenus();

    CalculatorWindow& window_;
    engine::CalculatorModel& model_;
    shell::SettingsStore& store_;
    std::unique_ptr<QSystemTrayIcon> trayIcon_;
    std::unique_ptr<QMenu> popup_;
    std::unique_ptr<ShowLabelWindow> label_;
};

}  // namespace zorv::ui
