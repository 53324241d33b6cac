#include "AlarmTimer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

namespace zorv::notes {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString alarmTitle(const Alarm& alarm, LocalSeconds due) {
    return alarm.message.empty() ? qs(localMinuteText(due)) : qs(oneLine(alarm.message));
}

}  // namespace

AlarmActionResult performAlarmAction(const Alarm& alarm) {
    switch (alarm.action) {
    case AlarmAction::Reminder:
        return {};
    case AlarmAction::PlaySound: {
        // The sound file is checked so that a missing one is said; the
        // system beep stands in for playing it.
        QApplication::beep();
        if (!QFileInfo(qs(alarm.target)).isFile())
            return {"The sound file \"" + alarm.target + "\" does not exist."};
        return {};
    }
    case AlarmAction::Open: {
        const QUrl url = QUrl::fromUserInput(qs(alarm.target), QString(), QUrl::AssumeLocalFile);
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
            return {"The file \"" + alarm.target + "\" does not exist."};
        if (!url.isValid() || !QDesktopServices::openUrl(url))
            return {"\"" + alarm.target + "\" could not be opened."};
        return {};
    }
    case AlarmAction::Run: {
        const char* path = std::getenv("PATH");
        const ProgramCheck check = checkProgram(alarm.target, path ? path : "");
        if (!check.problem.empty()) return {check.problem};
        QStringList args;
        for (const std::string& a : alarm.arguments) args << qs(a);
        if (!QProcess::startDetached(QString::fromStdString(check.program.string()), args))
            return {"The program \"" + alarm.target + "\" could not be started."};
        return {};
    }
    }
    return {};
}

ReminderDialog::ReminderDialog(const DueAlarm& due, const std::string& problem, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint), due_(due) {
    setWindowTitle(tr("Reminder"));
    setAttribute(Qt::WA_DeleteOnClose);
    QString text = due.alarm.message.empty() ? tr("Alarm") : qs(due.alarm.message);
    text += QStringLiteral("\n\n") + tr("Due %1").arg(qs(localMinuteText(due.due)));
    if (due.snoozed) text += QStringLiteral(" ") + tr("(snoozed)");
    if (!problem.empty()) text += QStringLiteral("\n\n") + qs(problem);
    text_ = new QLabel(text, this);
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text_->setAccessibleName(tr("Reminder text"));

    auto* buttons = new QDialogButtonBox(this);
    const struct {
        int minutes;
        QString text;
    } snoozes[] = {{5, tr("Snooze &5 min")}, {10, tr("Snooze &10 min")}, {30, tr("Snooze &30 min")}};
    for (const auto& s : snoozes) {
        auto* b = buttons->addButton(s.text, QDialogButtonBox::ActionRole);
        b->setAccessibleName(tr("Remind again in %1 minutes").arg(s.minutes));
        b->setAutoDefault(false);
        const int minutes = s.minutes;
        connect(b, &QPushButton::clicked, this, [this, minutes] {
            emit snoozed(minutes);
            accept();
        });
    }
    auto* dismiss = buttons->addButton(tr("&Dismiss"), QDialogButtonBox::AcceptRole);
    dismiss->setAccessibleName(tr("Dismiss the reminder"));
    dismiss->setDefault(true);
    connect(dismiss, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addWidget(buttons);
    dismiss->setFocus();
}

QString ReminderDialog::text() const { return text_->text(); }

AlarmTimer::AlarmTimer(CalendarService& service, Host host, QObject* parent)
    : QObject(parent), service_(service), host_(std::move(host)), scheduler_(service.clock) {
    setObjectName(QStringLiteral("tmrAlarm"));
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::VeryCoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &AlarmTimer::check);
}

void AlarmTimer::start() {
    std::vector<Alarm>& alarms = service_.files.alarms();
    if (const std::string report = service_.files.takeAlarmsReport(); !report.empty())
        QMessageBox::warning(host_.parent, tr("Alarms"), qs(report));
    scheduler_.setAlarmsOn(service_.alarmsOn);
    scheduler_.setAlarms(alarms);
    if (const auto last = service_.files.lastCheck()) {
        const auto missed = scheduler_.missedSince(*last);
        if (!missed.empty()) {
            QString list;
            for (const MissedAlarm& m : missed) {
                list += QStringLiteral("\n") + qs(localMinuteText(m.lastDue)) + QStringLiteral("  ") +
                        alarmTitle(m.alarm, m.lastDue);
                if (m.count > 1) list += QStringLiteral(" ") + tr("(%1 times)").arg(m.count);
            }
            missedText_ = tr("Alarms that fell due while the calculator was closed:") + list;
            auto* box = new QMessageBox(QMessageBox::Information, tr("Missed Alarms"), missedText_,
                                        QMessageBox::Ok, host_.parent);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setObjectName(QStringLiteral("missedAlarms"));
            box->show();
        }
    }
    stamp();
    arm();
}

void AlarmTimer::reload() {
    scheduler_.setAlarmsOn(service_.alarmsOn);
    scheduler_.setAlarms(service_.files.alarms());
    // Alarms set for a time already past are not missed ones at the next start.
    stamp();
    arm();
}

void AlarmTimer::stamp() { service_.files.setLastCheck(service_.clock()); }

void AlarmTimer::arm() {
    const auto next = scheduler_.nextDue();
    if (!next || !service_.alarmsOn) {
        timer_.stop();
        return;
    }
    const long long wait = *next - localSeconds(service_.clock());
    const long long ms = std::clamp<long long>(wait * 1000, kMinIntervalMs, kMaxIntervalMs);
    timer_.start(static_cast<int>(ms));
}

void AlarmTimer::check() {
    const auto due = scheduler_.poll();
    for (const DueAlarm& d : due) fire(d);
    arm();
    if (!due.empty()) {
        stamp();
        emit fired();
    }
}

void AlarmTimer::fire(const DueAlarm& due) {
    AlarmActionResult result;
    // A snoozed reminder comes back without doing the action again.
    if (!due.snoozed && host_.actor) result = host_.actor(due.alarm);
    auto* dialog = new ReminderDialog(due, result.problem, host_.parent);
    reminders_.push_back(dialog);
    connect(dialog, &QObject::destroyed, this, [this, dialog] {
        reminders_.erase(std::remove(reminders_.begin(), reminders_.end(), dialog), reminders_.end());
    });
    connect(dialog, &ReminderDialog::snoozed, this, [this, due](int minutes) {
        scheduler_.snooze(due, minutes);
        arm();
    });
    dialog->show();
    dialog->raise();
    QApplication::alert(dialog);
    const bool mainShown = !host_.mainWindowVisible || host_.mainWindowVisible();
    if (QSystemTrayIcon* tray = host_.trayIcon ? host_.trayIcon() : nullptr; tray && !mainShown)
        tray->showMessage(tr("Reminder"), alarmTitle(due.alarm, due.due), QSystemTrayIcon::Information);
}

}  // namespace zorv::notes
