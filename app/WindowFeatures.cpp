#include "WindowFeatures.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QThread>

#include "app/CommandWiring.h"
#include "engine/CalculatorModel.h"
#include "platform/Keystrokes.h"
#include "shell/DataBackup.h"
#include "shell/InsertIntoPrevious.h"
#include "shell/ToolbarButtons.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/ToolbarController.h"
#include "ui/main/TrayController.h"

namespace zorv::app {

using engine::CommandId;

namespace {

// Lets window events happen. Once the calculator is minimised, waits (up to
// a second) for the desktop to hand the focus to the program used before.
void yieldTo(ui::CalculatorWindow& window) {
    QApplication::processEvents();
    if (!window.isMinimized()) return;
    QElapsedTimer timer;
    timer.start();
    while (window.isActiveWindow() && timer.elapsed() < 1000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    QApplication::processEvents();
}

struct Features : WindowFeatures {
    Features(ui::CalculatorWindow& window, engine::CalculatorModel& model,
             shell::SettingsStore& store, shell::ToolbarButtons& buttons)
        : toolbarController(window, model, buttons), trayController(window, model, store) {}
    ui::ToolbarController& toolbar() override { return toolbarController; }
    ui::TrayController& tray() override { return trayController; }

    ui::ToolbarController toolbarController;
    ui::TrayController trayController;
};

}  // namespace

std::unique_ptr<WindowFeatures> wireWindowFeatures(ui::CalculatorWindow& window,
                                                   engine::CalculatorModel& model,
                                                   shell::SettingsStore& store,
                                                   CommandWiring& wiring,
                                                   const std::string& commandLine) {
    auto features = std::make_unique<Features>(window, model, store, *wiring.toolbar);
    wiring.backup->setFolderChooser([&window](const std::string& title) {
        return QFileDialog::getExistingDirectory(&window, QString::fromStdString(title), QString(),
                                                 QFileDialog::ShowDirsOnly)
            .toStdString();
    });

    const bool nic = shell::isNicCommandLine(commandLine);
    model.commands().add(CommandId::InsertIntoPrevious, [&window, &model, nic] {
        shell::InsertTarget target;
        target.canType = [] { return platform::canSendKeystrokes(); };
        target.typeText = [&window](const std::string& text) {
            // Still the active window: the desktop gave the focus to no other
            // program (no window manager), so typing would only reach us.
            if (window.isActiveWindow()) return false;
            return platform::sendKeystrokes(text);
        };
        target.copyToClipboard = [](const std::string& text) {
            QGuiApplication::clipboard()->setText(QString::fromStdString(text));
        };
        target.minimise = [&window] { window.showMinimized(); };
        target.showNormal = [&window] {
            window.showNormal();
            window.raise();
            window.activateWindow();
        };
        target.yield = [&window] { yieldTo(window); };
        target.exitProgram = [&model] { model.runCommand(CommandId::Exit); };
        shell::insertIntoPreviousProgram(model, target, nic);
    });
    window.refreshActions();
    return features;
}

}  // namespace zorv::app
