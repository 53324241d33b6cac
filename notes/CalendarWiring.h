#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "engine/CommandCatalogue.h"
#include "notes/CalendarCommands.h"

class QPlainTextEdit;
class QSystemTrayIcon;
class QWidget;

namespace zorv::engine {
class CalculatorModel;
}
namespace zorv::shell {
class SettingsStore;
}

namespace zorv::notes {

class AlarmTimer;
class AlarmsWindow;
class CalendarWindow;
class ScratchPadWindow;

// The calendar, alarm and scratch pad service, with "Start Year", "End
// Year", "Alarms On" and "Last File" from the settings, and its commands
// registered for `front` (see registerCalendarCommands; the window's own are
// installCalendarWindows'). `folder` empty: no notes or alarm files (batch
// mode without --data-dir).
std::unique_ptr<CalendarService> wireCalendarCommands(engine::CalculatorModel& model, shell::SettingsStore& store,
                                                      const std::string& folder, timedate::Clock clock,
                                                      engine::Front front);

// The windows' side, kept alive while the main window runs: the calendar,
// alarm and scratch pad windows (made on first use) and the alarm timer.
class CalendarWindows : public QObject {
public:
    struct Host {
        QWidget* mainWindow = nullptr;
        std::function<QSystemTrayIcon*()> trayIcon;
        // What the user selected on the tape (LF line ends); empty for none.
        std::function<QString()> tapeSelection;
    };
    CalendarWindows(engine::CalculatorModel& model, shell::SettingsStore& store, CalendarService& service, Host host);
    ~CalendarWindows() override;

    CalendarWindow& calendar();
    AlarmsWindow& alarms();
    ScratchPadWindow& scratchPad();
    AlarmTimer& timer() { return *timer_; }

    void showCalendar();
    void showAlarms();
    void showScratchPad();
    void tapeToScratchPad();

protected:
    // Closing the main window first lets the pad ask about unsaved text.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    engine::CalculatorModel& model_;
    shell::SettingsStore& store_;
    CalendarService& service_;
    Host host_;
    QPointer<CalendarWindow> calendar_;
    QPointer<AlarmsWindow> alarms_;
    QPointer<ScratchPadWindow> pad_;
    std::unique_ptr<AlarmTimer> timer_;
};

// Registers the commands as the windows and points the files at the data
// folder. The caller starts the alarm timer (timer().start(), which lists
// missed alarms) once the calculator is on the screen.
std::unique_ptr<CalendarWindows> installCalendarWindows(engine::CalculatorModel& model, shell::SettingsStore& store,
                                                        CalendarService& service, const std::string& dataFolder,
                                                        CalendarWindows::Host host);

}  // namespace zorv::notes
