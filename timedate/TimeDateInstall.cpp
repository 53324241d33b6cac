#include "TimeDateInstall.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "shell/DataBackup.h"
#include "shell/SettingsKeys.h"
#include "shell/SettingsStore.h"
#include "timedate/TimeDateWindow.h"
#include "ui/main/CalculatorWindow.h"

namespace zorv::timedate {

std::unique_ptr<TimeDateService> installTimeDateCommands(engine::CalculatorModel& model,
                                                         shell::SettingsStore& settings,
                                                         const std::string& dataDir, Clock clock,
                                                         engine::Front front) {
    TimeDateEnvironment env;
    env.readSetting = [&settings](const std::string& key, const std::string& def) {
        return settings.ReadSetting(shell::kStartupSection, key, def);
    };
    env.writeSetting = [&settings](const std::string& key, const std::string& value) {
        settings.WriteSetting(shell::kStartupSection, key, value);
    };
    env.dataFolder = dataDir.empty() ? shell::defaultDataFolder() : dataDir;
    env.clock = std::move(clock);
    auto service = std::make_unique<TimeDateService>(model, std::move(env));
    registerTimeDateCommands(model, *service, front);
    return service;
}

void installTimeDateWindow(engine::CalculatorModel& model, TimeDateService& service, ui::CalculatorWindow& window) {
    service.setDatePattern(QLocale().dateFormat(QLocale::ShortFormat).toStdString());

    auto dialog = std::make_shared<QPointer<TimeDateWindow>>();
    model.commands().add(engine::CommandId::TimeDateCalculations, [&service, &window, dialog] {
        if (!*dialog) *dialog = new TimeDateWindow(service, &window);
        TimeDateWindow* w = *dialog;
        w->recompute();
        w->refreshTimer();
        w->show();
        w->raise();
        w->activateWindow();
    });

    // The running timer in the main window's status bar: the elapsed time,
    // updated by a one-second timer that runs only while the project timer
    // does. The bar is hidden while the timer is stopped.
    auto* label = new QLabel(&window);
    label->setObjectName(QStringLiteral("lblProjectTimer"));
    label->setContentsMargins(0, 0, 6, 0);
    label->setAccessibleName(QObject::tr("Project timer"));
    label->setToolTip(QObject::tr("The project timer is running; Start/Stop Project Timer stops and bills it"));
    window.statusBar()->addPermanentWidget(label);
    window.statusBar()->setSizeGripEnabled(false);
    auto* tick = new QTimer(&window);
    tick->setInterval(1000);
    const std::string ds = model.decimalSymbol();
    auto update = [&service, &window, label, tick, dialog, ds] {
        const bool running = service.timerRunning();
        if (running) {
            label->setText(QObject::tr("Project timer %1")
                               .arg(QString::fromStdString(service.timerElapsed().textWithSeconds(ds))));
            if (!tick->isActive()) tick->start();
        } else {
            tick->stop();
        }
        window.statusBar()->setVisible(running);
        if (*dialog) (*dialog)->refreshTimer();
    };
    QObject::connect(tick, &QTimer::timeout, label, update);
    service.onTimerChanged = [update, &window] {
        update();
        window.refreshActions();
    };
    // The menu item is checked while the timer runs and says so.
    QObject::connect(&window, &ui::CalculatorWindow::actionsRefreshed, label, [&window, &service] {
        if (QAction* a = window.action(engine::CommandId::ProjectTimer))
            a->setText(service.timerRunning() ? QObject::tr("Stop Pro&ject Timer (running)")
                                              : QObject::tr("Start Pro&ject Timer"));
    });
    update();
    window.refreshActions();
}

}  // namespace zorv::timedate
