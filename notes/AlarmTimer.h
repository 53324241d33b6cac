#pragma once

#include <QDialog>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "notes/AlarmScheduler.h"
#include "notes/CalendarCommands.h"

class QLabel;
class QSystemTrayIcon;

namespace zorv::notes {

// What a fired alarm did besides the reminder: empty, or why it could not
// (a sound file or program that is missing, a file that could not be opened).
struct AlarmActionResult {
    std::string problem;
};

// Carries out an alarm's action. The program of a Run alarm is checked
// first and started with its arguments as separate arguments, never through
// a shell. Replaceable in tests.
using AlarmActor = std::function<AlarmActionResult(const Alarm&)>;
AlarmActionResult performAlarmAction(const Alarm& alarm);

// The reminder of a fired alarm: its message, when it fell due and what went
// wrong with its action; Dismiss (Enter) or snooze 5, 10 or 30 minutes.
class ReminderDialog : public QDialog {
    Q_OBJECT

public:
    ReminderDialog(const DueAlarm& due, const std::string& problem, QWidget* parent = nullptr);
    const DueAlarm& due() const { return due_; }
    QString text() const;

signals:
    void snoozed(int minutes);

private:
    DueAlarm due_;
    QLabel* text_ = nullptr;
};

// The main window's alarm timer `tmrAlarm`: one single-shot timer set to the
// next time anything is due, at most a minute ahead (so a changed system
// clock is noticed within a minute) and never less than a second. With no
// alarm near the program wakes once a minute and reads the clock once.
class AlarmTimer : public QObject {
    Q_OBJECT

public:
    struct Host {
        QWidget* parent = nullptr;
        // The tray icon while the calculator sits in the tray, else null.
        std::function<QSystemTrayIcon*()> trayIcon;
        std::function<bool()> mainWindowVisible;
        AlarmActor actor = performAlarmAction;
    };

    AlarmTimer(CalendarService& service, Host host, QObject* parent = nullptr);

    // Reads the alarms, lists the ones missed since the last run and arms
    // the timer.
    void start();
    // The alarm list or "Alarms On" changed.
    void reload();
    // The timer's check: fires what is due and sets the timer again.
    void check();
    // Keeps the current time as the last check (also when the program ends).
    void stamp();

    int intervalMs() const { return timer_.isActive() ? timer_.interval() : -1; }
    const std::vector<ReminderDialog*>& reminders() const { return reminders_; }
    // The missed-alarms text shown at start (empty when none).
    const QString& missedText() const { return missedText_; }

    static constexpr int kMaxIntervalMs = 60 * 1000;

signals:
    // Alarms fired: their next times moved on.
    void fired();

public:
    static constexpr int kMinIntervalMs = 1000;

private:
    void arm();
    void fire(const DueAlarm& due);

    CalendarService& service_;
    Host host_;
    AlarmScheduler scheduler_;
    QTimer timer_;
    std::vector<ReminderDialog*> reminders_;
    QString missedText_;
};

}  // namespace zorv::notes
