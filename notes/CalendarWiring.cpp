#include "CalendarWiring.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>

#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "notes/AlarmTimer.h"
#include "notes/AlarmsWindow.h"
#include "notes/CalendarWindow.h"
#include "notes/ScratchPadWindow.h"
#include "shell/SettingsKeys.h"

namespace zorv::notes {

using engine::CommandId;

std::unique_ptr<CalendarService> wireCalendarCommands(engine::CalculatorModel& model, shell::SettingsStore& store,
                                                      const std::string& folder, timedate::Clock clock,
                                                      engine::Front front) {
    CalendarSettingsAccess access;
    access.years = [&store] {
        return timedate::YearRange{shell::readInt(store, shell::key::StartYear), shell::readInt(store, shell::key::EndYear)};
    };
    access.alarmsOn = [&store] { return shell::readFlag(store, shell::key::AlarmsOn); };
    access.setAlarmsOn = [&store](bool on) { shell::writeFlag(store, shell::key::AlarmsOn, on); };
    access.lastFile = [&store] { return shell::readText(store, shell::key::LastFile); };
    access.setLastFile = [&store](const std::string& v) { shell::writeText(store, shell::key::LastFile, v); };
    auto service = std::make_unique<CalendarService>(folder, std::move(clock), std::move(access));
    registerCalendarCommands(model, *service, front);
    return service;
}

CalendarWindows::CalendarWindows(engine::CalculatorModel& model, shell::SettingsStore& store, CalendarService& service,
                                 Host host)
    : model_(model), store_(store), service_(service), host_(std::move(host)) {
    AlarmTimer::Host timerHost;
    timerHost.parent = host_.mainWindow;
    timerHost.trayIcon = host_.trayIcon;
    QWidget* main = host_.mainWindow;
    timerHost.mainWindowVisible = [main] { return main && main->isVisible() && !main->isMinimized(); };
    timer_ = std::make_unique<AlarmTimer>(service_, timerHost);
    service_.alarmsChanged = [this] {
        timer_->reload();
        if (alarms_) alarms_->refresh();
    };
    connect(timer_.get(), &AlarmTimer::fired, this, [this] {
        if (alarms_ && alarms_->isVisible()) alarms_->refresh();
    });
    if (main) main->installEventFilter(this);
}

CalendarWindows::~CalendarWindows() {
    service_.alarmsChanged = nullptr;
    // The calendar saves what is pending as it goes.
    delete calendar_.data();
    delete alarms_.data();
    delete pad_.data();
}

CalendarWindow& CalendarWindows::calendar() {
    if (!calendar_) calendar_ = new CalendarWindow(service_, host_.mainWindow);
    return *calendar_;
}

AlarmsWindow& CalendarWindows::alarms() {
    if (!alarms_) alarms_ = new AlarmsWindow(service_, host_.mainWindow);
    return *alarms_;
}

ScratchPadWindow& CalendarWindows::scratchPad() {
    if (!pad_) {
        pad_ = new ScratchPadWindow(model_, store_, host_.mainWindow);
        pad_->openLastFile();
    }
    return *pad_;
}

namespace {
void bringUp(QWidget& w) {
    w.show();
    w.setWindowState(w.windowState() & ~Qt::WindowMinimized);
    w.raise();
    w.activateWindow();
}
}  // namespace

void CalendarWindows::showCalendar() {
    const bool first = !calendar_;
    CalendarWindow& w = calendar();
    if (first || !w.isVisible()) w.showToday();
    bringUp(w);
}

void CalendarWindows::showAlarms() {
    AlarmsWindow& w = alarms();
    w.refresh();
    bringUp(w);
}

void CalendarWindows::showScratchPad() { bringUp(scratchPad()); }

void CalendarWindows::tapeToScratchPad() {
    QString text = host_.tapeSelection ? host_.tapeSelection() : QString();
    if (text.isEmpty()) text = QString::fromStdString(tapeTextForPad(model_.tape().text()));
    ScratchPadWindow& pad = scratchPad();
    pad.appendText(text);
    bringUp(pad);
}

bool CalendarWindows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched == host_.mainWindow) {
        if (pad_ && pad_->isVisible() && !pad_->close()) {
            event->ignore();
            return true;
        }
        if (calendar_) calendar_->flush();
        timer_->stamp();
    }
    return QObject::eventFilter(watched, event);
}

std::unique_ptr<CalendarWindows> installCalendarWindows(engine::CalculatorModel& model, shell::SettingsStore& store,
                                                        CalendarService& service, const std::string& dataFolder,
                                                        CalendarWindows::Host host) {
    service.files = CalendarFiles(dataFolder);
    auto windows = std::make_unique<CalendarWindows>(model, store, service, std::move(host));
    CalendarWindows* w = windows.get();
    auto& commands = model.commands();
    commands.add(CommandId::ShowCalendar, [w] { w->showCalendar(); });
    commands.add(CommandId::SetAlarms, [w] { w->showAlarms(); });
    commands.add(CommandId::ScratchPad, [w] { w->showScratchPad(); });
    commands.add(CommandId::TapeToScratchPad, [w] { w->tapeToScratchPad(); });
    return windows;
}

}  // namespace zorv::notes
